// The in-memory and host file systems behind FileExists.
#include "app/containers/FileSystem.h"

#include <gtest/gtest.h>

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <string>
#include <vector>

#include "app/containers/HostFileSystem.h"
#include "app/containers/MemoryFileSystem.h"

namespace {

std::vector<std::string> Listing(FileSystem& files, const char* directory, bool* readable = nullptr) {
    std::vector<std::string> names;
    bool ok = files.ListDirectory(directory, [&](const DirectoryEntry& entry) {
        names.push_back(entry.name + (entry.isDirectory ? "/" : "") + (entry.isHidden ? " hidden" : ""));
    });
    if (readable != nullptr) {
        *readable = ok;
    }
    std::sort(names.begin(), names.end());
    return names;
}

TEST(MemoryFileSystem, ComparesPathsLikeWindows) {
    MemoryFileSystem files;
    files.AddFile("C:\\Music\\Song.MID");
    files.AddFile("C:\\ア");
    EXPECT_TRUE(files.Exists("c:/music/song.mid"));
    EXPECT_TRUE(files.Exists("C:\\MUSIC\\"));
    EXPECT_TRUE(files.Exists("C:\\"));
    EXPECT_FALSE(files.Exists("D:\\"));
    EXPECT_FALSE(files.Exists("C:\\Music\\Song"));
    // Trail bytes are not letters: folding 0x41 would make ア (83 41) equal ヂ (83 61).
    EXPECT_TRUE(files.Exists("c:\\ア"));
    EXPECT_FALSE(files.Exists("C:\\ヂ"));
}

TEST(HostFileSystem, ReadsARealDirectoryThroughWindowsSeparators) {
    EXPECT_EQ(HostFileSystem::ToHostPath("a\\ソ\\b"), "a/ソ/b");  // the 0x5C trail byte stays
    char pattern[] = "/tmp/mx-containers-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    std::string root = pattern;
    std::ofstream(root + "/song.mid") << "x";
    std::ofstream(root + "/.hidden") << "x";
    ASSERT_EQ(mkdir((root + "/sub").c_str(), 0700), 0);

    HostFileSystem files;
    EXPECT_TRUE(files.Exists((root + "\\song.mid").c_str()));
    EXPECT_FALSE(files.Exists((root + "\\none").c_str()));
    EXPECT_EQ(Listing(files, (root + "\\").c_str()), (std::vector<std::string>{".hidden hidden", "song.mid", "sub/"}));
    bool readable = true;
    Listing(files, (root + "\\none").c_str(), &readable);
    EXPECT_FALSE(readable);

    unlink((root + "/song.mid").c_str());
    unlink((root + "/.hidden").c_str());
    rmdir((root + "/sub").c_str());
    rmdir(root.c_str());
}

// Both file systems behave alike for whole-file reads and replacing writes.
void CheckReadAndReplace(FileSystem& files, const std::string& folder) {
    const std::string path = folder + "\\list.rpl";
    std::vector<std::uint8_t> bytes{1, 2, 3};
    EXPECT_FALSE(files.ReadFile(path.c_str(), bytes, 1024));
    EXPECT_TRUE(bytes.empty());

    ASSERT_TRUE(files.WriteFileReplacing(path.c_str(), "first", 5));
    ASSERT_TRUE(files.ReadFile(path.c_str(), bytes, 1024));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "first");
    ASSERT_TRUE(files.WriteFileReplacing(path.c_str(), "2nd", 3));
    ASSERT_TRUE(files.ReadFile(path.c_str(), bytes, 1024));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "2nd");
    EXPECT_FALSE(files.ReadFile(path.c_str(), bytes, 2));  // larger than allowed
    EXPECT_FALSE(files.ReadFile(folder.c_str(), bytes, 1024));  // a folder is no file
    ASSERT_TRUE(files.ReadFileTail(path.c_str(), bytes, 2));
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "nd");
    ASSERT_TRUE(files.ReadFileTail(path.c_str(), bytes, 128));  // shorter than asked: all of it
    EXPECT_EQ(std::string(bytes.begin(), bytes.end()), "2nd");
    // A range: from its offset, cut where the file ends, empty past it.
    const struct {
        std::uint64_t offset;
        std::size_t count;
        const char* expected;
    } ranges[] = {{0, 2, "2n"}, {1, 100, "nd"}, {3, 5, ""}, {1000, 5, ""}};
    for (const auto& range : ranges) {
        ASSERT_TRUE(files.ReadFileRange(path.c_str(), range.offset, range.count, bytes)) << range.offset;
        EXPECT_EQ(std::string(bytes.begin(), bytes.end()), range.expected) << range.offset;
    }
    EXPECT_FALSE(files.ReadFileRange(folder.c_str(), 0, 4, bytes));

    // A write into a folder that does not exist fails and leaves nothing behind.
    const std::string lost = folder + "\\none\\x.rpl";
    EXPECT_FALSE(files.WriteFileReplacing(lost.c_str(), "x", 1));
    EXPECT_FALSE(files.Exists(lost.c_str()));
}

TEST(MemoryFileSystem, ReadsAndReplacesWholeFiles) {
    MemoryFileSystem files;
    files.AddDirectory("C:\\Lists");
    CheckReadAndReplace(files, "C:\\Lists");
    files.FailWrites(true);
    EXPECT_FALSE(files.WriteFileReplacing("C:\\Lists\\list.rpl", "lost", 4));
    EXPECT_EQ(files.Contents("C:\\Lists\\list.rpl")->size(), 3u);
}

TEST(HostFileSystem, ReadsAndReplacesWholeFilesWithoutLeftovers) {
    char pattern[] = "/tmp/mx-containers-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    const std::string root = pattern;
    HostFileSystem files;
    CheckReadAndReplace(files, root);
    // Only the list itself remains: no temporary file of the replacing writes.
    EXPECT_EQ(Listing(files, root.c_str()), (std::vector<std::string>{"list.rpl"}));
    unlink((root + "/list.rpl").c_str());
    rmdir(root.c_str());
}

}  // namespace
