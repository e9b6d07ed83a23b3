#include "io/FileText.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace {

std::string readFault() {
    return std::string("cannot read the file (") + std::strerror(errno) + ")";
}

// The file in one read, and a byte more to see one that grew meanwhile.
Result<FileText> readOpenFile(std::FILE* file, std::size_t knownSize) {
    FileText text{UninitializedArray<char>(knownSize + 1), 0};
    text.length = std::fread(text.bytes.data(), 1, knownSize + 1, file);
    if (std::ferror(file)) {
        return Error(readFault());
    }
    if (text.length > knownSize) {
        return Error("the file grew while it was read");
    }
    return text;
}

} // namespace

Result<FileText> readFileText(const std::string& path, std::size_t maxBytes, Progress* progress) {
    // Opened without waiting: a FIFO would otherwise block until a writer
    // came, and it is refused below anyway.
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0) {
        return Error(std::string("cannot open the file (") + std::strerror(errno) + ")", path);
    }
    std::FILE* file = ::fdopen(descriptor, "rb");
    if (file == nullptr) {
        ::close(descriptor);
        return Error(readFault(), path);
    }
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> closer(file, &std::fclose);
    struct stat info {};
    if (fstat(descriptor, &info) != 0) {
        return Error(readFault(), path);
    }
    if (S_ISDIR(info.st_mode)) {
        return Error("cannot read the file (it is a directory)", path);
    }
    if (!S_ISREG(info.st_mode)) {
        return Error("not a regular file", path);
    }
    const auto knownSize = static_cast<uint64_t>(info.st_size);
    if (knownSize > maxBytes) {
        return Error("the file is larger than " + std::to_string(maxBytes) + " bytes", path);
    }
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    Result<FileText> text = readOpenFile(file, static_cast<std::size_t>(knownSize));
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

Status checkWritable(const std::string& path) {
    const auto fault = [&path](int error) {
        return Error(std::string("cannot write the file (") + std::strerror(error) + ")", path);
    };
    const std::size_t slash = path.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0) {
        return fault(errno);
    }
    if (!S_ISDIR(info.st_mode)) {
        return fault(ENOTDIR);
    }
    if (::stat(path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return fault(EISDIR);
        }
        if (::access(path.c_str(), W_OK) != 0) {
            return fault(errno);
        }
        return {};
    }
    if (::access(folder.c_str(), W_OK) != 0) {
        return fault(errno);
    }
    return {};
}
