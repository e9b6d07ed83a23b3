#include "base/PathNames.h"

#include <algorithm>
#include <cctype>

namespace {

// Where the extension's dot is in the name, or npos.
std::size_t extensionDot(std::string_view name) {
    const std::size_t dot = name.rfind('.');
    return dot == 0 ? std::string_view::npos : dot;
}

} // namespace

std::string_view fileName(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

std::string lowerExtension(std::string_view path) {
    const std::string_view name = fileName(path);
    const std::size_t dot = extensionDot(name);
    if (dot == std::string_view::npos) {
        return {};
    }
    std::string extension(name.substr(dot + 1));
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return extension;
}

std::string_view stem(std::string_view path) {
    const std::string_view name = fileName(path);
    return name.substr(0, extensionDot(name));
}
