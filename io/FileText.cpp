#include "io/FileText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>

namespace {

std::string readFault() {
    return std::string("cannot read the file (") + std::strerror(errno) + ")";
}

// A regular file in one read (a byte more, to see one that grew
// meanwhile), anything else piece by piece.
Result<FileText> readOpenFile(std::FILE* file, const struct stat& info, std::size_t maxBytes,
                              Progress* progress) {
    const auto knownSize = static_cast<std::size_t>(info.st_size);
    if (S_ISREG(info.st_mode) && knownSize <= maxBytes) {
        FileText text{UninitializedArray<char>(knownSize + 1), 0};
        text.length = std::fread(text.bytes.data(), 1, knownSize + 1, file);
        if (std::ferror(file)) {
            return Error(readFault());
        }
        if (text.length <= knownSize) {
            return text;
        }
        std::rewind(file);
    }
    std::string pieces;
    char chunk[1 << 16];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        if (pieces.size() + got > maxBytes) {
            return Error("the file is larger than " + std::to_string(maxBytes) + " bytes");
        }
        pieces.append(chunk, got);
        if (progress != nullptr && progress->cancelled()) {
            return Error(std::string(cancelledReason));
        }
    }
    if (std::ferror(file)) {
        return Error(readFault());
    }
    FileText text{UninitializedArray<char>(pieces.size()), pieces.size()};
    std::copy(pieces.begin(), pieces.end(), text.bytes.data());
    return text;
}

} // namespace

Result<FileText> readFileText(const std::string& path, std::size_t maxBytes, Progress* progress) {
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) {
        return Error(std::string("cannot open the file (") + std::strerror(errno) + ")", path);
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, &std::fclose);
    struct stat info {};
    if (fstat(fileno(file), &info) != 0 || S_ISDIR(info.st_mode)) {
        return Error("cannot read the file (it is a directory)", path);
    }
    Result<FileText> text = readOpenFile(file, info, maxBytes, progress);
    if (!text) {
        return Error(text.error().reason, path);
    }
    if (progress != nullptr && progress->cancelled()) {
        return Error(std::string(cancelledReason), path);
    }
    return text;
}

std::string_view withoutByteOrderMark(std::string_view text) {
    constexpr std::string_view mark = "\xEF\xBB\xBF";
    if (text.substr(0, mark.size()) == mark) {
        text.remove_prefix(mark.size());
    }
    return text;
}

TextPosition positionAt(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    TextPosition position;
    std::size_t lineStart = 0;
    for (std::size_t i = 0; i < offset; ++i) {
        if (text[i] == '\n') {
            ++position.line;
            lineStart = i + 1;
        }
    }
    position.column = static_cast<int>(offset - lineStart) + 1;
    return position;
}

Status writeFileText(const std::string& path, std::string_view text) {
    const std::string partial = path + ".partial";
    const auto fault = [&path](int error) {
        return Error(std::string("cannot write the file (") + std::strerror(error) + ")", path);
    };
    std::FILE* file = std::fopen(partial.c_str(), "wb");
    if (file == nullptr) {
        return fault(errno);
    }
    const bool written = std::fwrite(text.data(), 1, text.size(), file) == text.size();
    const int writeError = errno;
    const bool closed = std::fclose(file) == 0;
    const int closeError = errno;
    if (!written || !closed) {
        std::remove(partial.c_str());
        return fault(written ? closeError : writeError);
    }
    if (std::rename(partial.c_str(), path.c_str()) != 0) {
        const int renameError = errno;
        std::remove(partial.c_str());
        return fault(renameError);
    }
    return {};
}
