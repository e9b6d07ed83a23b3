#include "io/JsonFault.h"

#include "base/Error.h"

#include <cstddef>

std::string jsonFaultReason(std::string_view message, std::string_view lastRead) {
    std::string reason(message);
    if (const std::size_t at = reason.find("] "); at != std::string::npos) {
        reason.erase(0, at + 2);
    }
    if (reason.starts_with("parse error")) {
        reason.erase(0, reason.find(": ") + 2);
    }
    const std::string token = "'" + std::string(lastRead) + "'";
    if (const std::size_t at = reason.find(token); at != std::string::npos) {
        reason.replace(at, token.size(), inQuotes(lastRead, '\''));
    }
    return reason;
}
