#include "io/FileText.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <memory>
#include <optional>
#include <random>
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

Error writeFault(const std::string& path, const std::string& why) {
    return Error("cannot write the file (" + why + ")", path);
}

Error writeFault(const std::string& path, int error) {
    return writeFault(path, std::strerror(error));
}

// Where a write lands: the file at the path, or the one a link there names,
// so that the link stays a link; and the permissions of the file replaced
// (without set-id bits: the new file belongs to whoever writes it).
struct OutputTarget {
    std::string path;
    std::optional<mode_t> mode;
};

Result<OutputTarget> outputTarget(const std::string& path) {
    OutputTarget target{path, std::nullopt};
    struct stat info {};
    if (::lstat(path.c_str(), &info) == 0 && S_ISLNK(info.st_mode)) {
        // A link to nothing is refused rather than followed to a new file.
        std::unique_ptr<char, void (*)(void*)> real(::realpath(path.c_str(), nullptr), &std::free);
        if (!real) {
            return writeFault(path, errno);
        }
        target.path = real.get();
    }
    if (::stat(target.path.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            return writeFault(path, EISDIR);
        }
        if (!S_ISREG(info.st_mode)) {
            return writeFault(path, "not a regular file");
        }
        if (::access(target.path.c_str(), W_OK) != 0) {
            return writeFault(path, errno);
        }
        target.mode = info.st_mode & 0777;
    } else if (errno != ENOENT) {
        return writeFault(path, errno);
    }
    if (target.path.empty() || target.path.back() == '/') {
        return writeFault(path, ENOENT);
    }
    return target;
}

// A new file beside the target, made exclusively under a name of its own,
// ".NAME.XXXXXX.partial", so that no file or link already there is
// followed or overwritten. NAME is cut to keep the name within NAME_MAX.
struct Temporary {
    OutputTarget target;
    std::string path;
    int descriptor = -1;
};

Result<Temporary> temporaryBeside(const std::string& path) {
    Result<OutputTarget> target = outputTarget(path);
    if (!target) {
        return target.error();
    }
    const std::string& output = target.value().path;
    const std::size_t nameStart = output.rfind('/') + 1;
    constexpr std::string_view suffix = ".partial";
    constexpr std::size_t randomLetters = 6;
    const std::string prefix =
        output.substr(0, nameStart) + "." +
        output.substr(nameStart, NAME_MAX - 2 - randomLetters - suffix.size()) + ".";
    static constexpr std::string_view letters =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    // The letters need not be secret: O_EXCL alone keeps the name ours.
    std::minstd_rand random(static_cast<std::uint_fast32_t>(
        std::chrono::steady_clock::now().time_since_epoch().count() ^ ::getpid()));
    std::uniform_int_distribution<std::size_t> letter(0, letters.size() - 1);
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = prefix;
        for (std::size_t i = 0; i < randomLetters; ++i) {
            name.push_back(letters[letter(random)]);
        }
        name.append(suffix);
        // 0666 as any new file, less the umask.
        const int descriptor =
            ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666);
        if (descriptor >= 0) {
            return Temporary{std::move(target.value()), std::move(name), descriptor};
        }
        if (errno != EEXIST) {
            return writeFault(path, errno);
        }
    }
    return writeFault(path, EEXIST);
}

bool writeAll(int descriptor, std::string_view text) {
    while (!text.empty()) {
        const ssize_t written = ::write(descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR) {
            continue;
        }
        if (written <= 0) {
            errno = written == 0 ? EIO : errno;
            return false;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
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
    return writeFileInPieces(path, [text](const TextSink& sink) { sink(text); });
}

Status writeFileInPieces(const std::string& path,
                         const std::function<void(const TextSink&)>& produce) {
    Result<Temporary> made = temporaryBeside(path);
    if (!made) {
        return made.error();
    }
    const Temporary& temporary = made.value();
    int error = 0;
    try {
        produce([&](std::string_view piece) {
            if (error == 0 && !writeAll(temporary.descriptor, piece)) {
                error = errno;
            }
            return error == 0;
        });
    } catch (...) {
        // Whatever stopped the text, no half-written temporary stays.
        ::close(temporary.descriptor);
        ::unlink(temporary.path.c_str());
        throw;
    }
    if (error == 0 && temporary.target.mode &&
        ::fchmod(temporary.descriptor, *temporary.target.mode) != 0) {
        error = errno;
    }
    if (::close(temporary.descriptor) != 0 && error == 0) {
        error = errno;
    }
    if (error == 0 && ::rename(temporary.path.c_str(), temporary.target.path.c_str()) != 0) {
        error = errno;
    }
    if (error != 0) {
        ::unlink(temporary.path.c_str());
        return writeFault(path, error);
    }
    return {};
}

Status checkWritable(const std::string& path) {
    Result<Temporary> made = temporaryBeside(path);
    if (!made) {
        return made.error();
    }
    ::close(made.value().descriptor);
    ::unlink(made.value().path.c_str());
    return {};
}
