#pragma once

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace testing_support {

// A file in a fresh temporary folder, removed with the folder at the end of
// the test.
class TempFile {
public:
    explicit TempFile(std::string_view contents, std::string_view name = "graph.rsf") {
        folder = std::filesystem::temp_directory_path() /
                 ("hebview-test-" + std::to_string(counter()++) + "-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        filePath = (folder / name).string();
        std::ofstream out(filePath, std::ios::binary);
        out << contents;
    }
    ~TempFile() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    const std::string& path() const { return filePath; }
    const std::filesystem::path& folderPath() const { return folder; }

private:
    static int& counter() {
        static int value = 0;
        return value;
    }
    std::filesystem::path folder;
    std::string filePath;
};

// Collects what is written to std::cout while it lives.
class CoutCapture {
public:
    CoutCapture() : previous(std::cout.rdbuf(buffer.rdbuf())) {}
    ~CoutCapture() { std::cout.rdbuf(previous); }
    CoutCapture(const CoutCapture&) = delete;
    CoutCapture& operator=(const CoutCapture&) = delete;

    std::string text() const { return buffer.str(); }

private:
    std::ostringstream buffer;
    std::streambuf* previous;
};

// Makes another folder the working directory while it lives, for code that
// reads its files relative to the working directory.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::filesystem::path& folder)
        : previous(std::filesystem::current_path()) {
        std::filesystem::current_path(folder);
    }
    ~WorkingDirectory() {
        std::error_code ignored;
        std::filesystem::current_path(previous, ignored);
    }
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::filesystem::path previous;
};

} // namespace testing_support
