#include "tools/check/ReportJson.h"

#include "io/FileText.h"
#include "io/JsonFault.h"

#include <nlohmann/json.hpp>

#include <cstddef>

namespace {

using Json = nlohmann::ordered_json;

// A baseline lists every violation of a graph: as large as a graph file may be.
constexpr std::size_t maxBaselineBytes = std::size_t{1} << 30;

Json relationJson(const NamedRelation& relation) {
    return Json{{"from", relation.from}, {"to", relation.to}};
}

Json cyclesJson(const CheckReport& report) {
    Json groups = Json::array();
    for (const NamedGroup& group : report.groups) {
        groups.push_back(Json{{"nodes", group.nodes}, {"relations", group.relations}});
    }
    Json cut = Json::array();
    for (const NamedBundle& bundle : report.toCut) {
        Json entry = relationJson(bundle.ends);
        entry["relations"] = bundle.relations;
        cut.push_back(std::move(entry));
    }
    return Json{{"groups", std::move(groups)}, {"cut", std::move(cut)}};
}

Json ruleJson(const RuleLine& line) {
    Json entry{{"line", line.line}, {"rule", line.text}};
    if (line.ignore) {
        entry["ignored"] = line.count;
        return entry;
    }
    entry["severity"] = line.severity == Severity::Error ? "error" : "warning";
    entry["violations"] = line.count;
    Json relations = Json::array();
    for (const NamedRelation& relation : line.relations) {
        relations.push_back(relationJson(relation));
    }
    entry["relations"] = std::move(relations);
    return entry;
}

const Json* member(const Json& object, const char* key, bool (Json::*isKind)() const) {
    if (!object.is_object()) {
        return nullptr;
    }
    const auto found = object.find(key);
    return found != object.end() && ((*found).*isKind)() ? &*found : nullptr;
}

} // namespace

std::string reportJson(const CheckReport& report) {
    Json json{{"cut", report.cutLine}, {"cycles", cyclesJson(report)}};
    if (report.rulesChecked) {
        Json rules = Json::array();
        for (const RuleLine& line : report.rules) {
            rules.push_back(ruleJson(line));
        }
        json["rules"] = std::move(rules);
        Json warnings = Json::array();
        for (const Error& warning : report.warnings) {
            warnings.push_back(warning.describe());
        }
        json["warnings"] = std::move(warnings);
    }
    // Names that are not UTF-8 are written with replacement characters
    // rather than refused.
    return json.dump(2, ' ', false, Json::error_handler_t::replace) + "\n";
}

Result<std::vector<NamedViolation>> readBaseline(const std::string& path) {
    const Result<FileText> text = readFileText(path, maxBaselineBytes);
    if (!text) {
        return text.error();
    }
    const std::string_view content = withoutByteOrderMark(text.value().view());
    Json json;
    try {
        json = Json::parse(content.begin(), content.end());
    } catch (const Json::parse_error& fault) {
        const TextPosition at = positionAt(content, fault.byte == 0 ? 0 : fault.byte - 1);
        return Error{jsonFaultReason(fault.what(), {}), path, at.line, at.column};
    }
    const Json* rules = member(json, "rules", &Json::is_array);
    if (rules == nullptr) {
        return Error{"not a hebview-check report: no \"rules\" list", path};
    }
    std::vector<NamedViolation> violations;
    for (std::size_t r = 0; r < rules->size(); ++r) {
        const Json& rule = (*rules)[r];
        const Json* text = member(rule, "rule", &Json::is_string);
        if (text == nullptr) {
            return Error{"rules[" + std::to_string(r) + "] has no \"rule\" text", path};
        }
        const Json* relations = member(rule, "relations", &Json::is_array);
        for (std::size_t i = 0; relations != nullptr && i < relations->size(); ++i) {
            const Json* from = member((*relations)[i], "from", &Json::is_string);
            const Json* to = member((*relations)[i], "to", &Json::is_string);
            if (from == nullptr || to == nullptr) {
                return Error{"rules[" + std::to_string(r) + "].relations[" + std::to_string(i) +
                                 "] needs \"from\" and \"to\" texts",
                             path};
            }
            violations.push_back(
                {text->get<std::string>(), {from->get<std::string>(), to->get<std::string>()}});
        }
    }
    return violations;
}
