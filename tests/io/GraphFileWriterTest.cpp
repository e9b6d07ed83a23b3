#include "io/GraphFileWriter.h"

#include "io/FileText.h"
#include "io/GraphFileReader.h"
#include "io/JsonGraphReader.h"
#include "tests/support/GraphText.h"
#include "tests/support/TestFiles.h"

#include <gtest/gtest.h>

#include <climits>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

using testing_support::outline;
using testing_support::relationNames;
using testing_support::TempFile;
namespace fs = std::filesystem;

std::string contentsOf(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::set<std::string> namesIn(const fs::path& folder) {
    std::set<std::string> names;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder)) {
        names.insert(entry.path().filename().string());
    }
    return names;
}

mode_t modeOf(const fs::path& path) {
    struct stat info {};
    ::stat(path.c_str(), &info);
    return info.st_mode & 0777;
}

TEST(GraphFileWriterTest, NamesLoseOnlyWhatTheLineFormatCannotHold) {
    EXPECT_EQ(graphfile::nameForLines("plain.Name_1"), "plain.Name_1");
    EXPECT_EQ(graphfile::nameForLines("two words"), "two\xC2\xA0words");
    EXPECT_EQ(graphfile::nameForLines("say \"hi\""), "say\xC2\xA0''hi''");
    EXPECT_EQ(graphfile::nameForLines("tab\there\r\n"), "tab\xC2\xA0here\xC2\xA0\xC2\xA0");
    EXPECT_EQ(graphfile::nameForLines("caf\xC3\xA9"), "caf\xC3\xA9");
}

TEST(GraphFileWriterTest, TheTextIsTheLineFormatOfTheGraph) {
    const CompoundGraph graph = jsongraph::parse(R"({"r.b": ["r.a"], "r.a": []})", "file").value();
    EXPECT_EQ(graphfile::format(graph), "HierarchyElements 3\n"
                                        "Root 0\n"
                                        "H 0 r\n"
                                        "H 1 b\n"
                                        "H 2 a\n"
                                        "PCR 0 1\n"
                                        "PCR 0 2\n"
                                        "R 1 2\n");
}

TEST(GraphFileWriterTest, AWrittenFileReadsBackToTheSameGraph) {
    const CompoundGraph graph =
        jsongraph::parse(R"([{"name": "top.my module.A \"x\"", "imports": ["top.b.C", "other"]},
                             {"name": "top.b.C", "imports": ["top.my module.A \"x\""]}])",
                         "file")
            .value();
    const TempFile folder("", "unused");
    const std::string path = (folder.folderPath() / "out.rsf").string();
    ASSERT_TRUE(graphfile::write(graph, path));
    EXPECT_FALSE(std::filesystem::exists(path + ".partial"));
    const CompoundGraph back = graphfile::read(path).value();
    EXPECT_EQ(back.parent, graph.parent);
    EXPECT_EQ(back.childIds, graph.childIds);
    EXPECT_EQ(back.source, graph.source);
    EXPECT_EQ(back.target, graph.target);
    EXPECT_EQ(back.root, graph.root);
    EXPECT_EQ(outline(back), "file(top(my\xC2\xA0module(A\xC2\xA0''x'') b(C)) other)");
    EXPECT_EQ(relationNames(back).size(), 3u);
}

TEST(GraphFileWriterTest, AFailedWriteLeavesNothingBehind) {
    const CompoundGraph graph = jsongraph::parse(R"({"a": []})", "file").value();
    const TempFile folder("", "unused");
    const std::string path = (folder.folderPath() / "missing" / "out.rsf").string();
    const Status written = graphfile::write(graph, path);
    ASSERT_FALSE(written);
    EXPECT_EQ(written.error().describe(),
              path + ": cannot write the file (No such file or directory)");
    // A write that fails half way, here at a file size limit: the old file
    // stays and no temporary file is left.
    const TempFile old("old", "out.svg");
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 4;
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const Status halfWritten = writeFileText(old.path(), "longer than four bytes");
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, previousHandler);
    ASSERT_FALSE(halfWritten);
    EXPECT_EQ(halfWritten.error().describe(),
              old.path() + ": cannot write the file (File too large)");
    EXPECT_EQ(contentsOf(old.path()), "old");
    EXPECT_EQ(namesIn(old.folderPath()), std::set<std::string>{"out.svg"});
}

TEST(GraphFileWriterTest, AReplacedFileKeepsItsModeAndNoOtherNameIsTouched) {
    const TempFile folder("victim's", "victim");
    const fs::path at = folder.folderPath();
    // The names a writer of "NAME.partial" used: a file of the user's, and a
    // link that would have sent the write to another file.
    std::ofstream(at / "kept.rsf") << "old";
    fs::permissions(at / "kept.rsf", fs::perms::owner_read | fs::perms::owner_write);
    std::ofstream(at / "kept.rsf.partial") << "mine";
    fs::create_symlink("victim", at / "new.rsf.partial");
    ASSERT_TRUE(writeFileText((at / "kept.rsf").string(), "new"));
    ASSERT_TRUE(writeFileText((at / "new.rsf").string(), "fresh"));
    EXPECT_EQ(contentsOf(at / "kept.rsf"), "new");
    EXPECT_EQ(modeOf(at / "kept.rsf"), 0600u);
    EXPECT_EQ(contentsOf(at / "kept.rsf.partial"), "mine");
    EXPECT_EQ(contentsOf(at / "victim"), "victim's");
    EXPECT_EQ(contentsOf(at / "new.rsf"), "fresh");
    const mode_t mask = ::umask(0);
    ::umask(mask);
    EXPECT_EQ(modeOf(at / "new.rsf"), 0666u & ~mask) << "a new file takes the usual mode";
    // An output that is a link is written where it points; the link stays.
    fs::create_symlink("kept.rsf", at / "link.rsf");
    ASSERT_TRUE(writeFileText((at / "link.rsf").string(), "through"));
    EXPECT_TRUE(fs::is_symlink(at / "link.rsf"));
    EXPECT_EQ(contentsOf(at / "kept.rsf"), "through");
    EXPECT_EQ(modeOf(at / "kept.rsf"), 0600u);
    EXPECT_EQ(namesIn(at), (std::set<std::string>{"victim", "kept.rsf", "kept.rsf.partial",
                                                  "new.rsf", "new.rsf.partial", "link.rsf"}));
}

TEST(GraphFileWriterTest, TheEarlyCheckMeetsWhatTheWriteWouldMeet) {
    const TempFile folder("", "unused");
    const std::string longest = (folder.folderPath() / std::string(NAME_MAX, 'n')).string();
    EXPECT_TRUE(checkWritable(longest));
    EXPECT_TRUE(writeFileText(longest, "x"));
    const std::string tooLong = (folder.folderPath() / std::string(NAME_MAX + 1, 'n')).string();
    const Status refused = checkWritable(tooLong);
    ASSERT_FALSE(refused);
    EXPECT_EQ(refused.error().describe(), tooLong + ": cannot write the file (File name too long)");
    EXPECT_EQ(namesIn(folder.folderPath()),
              (std::set<std::string>{"unused", std::string(NAME_MAX, 'n')}));
    // A file this process may write, in a folder where no file can be made,
    // not even by root.
    EXPECT_FALSE(checkWritable("/proc/self/comm"));
}

} // namespace
