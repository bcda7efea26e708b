// The registered lists of the selection dialog against the in-memory registry and file system.
#include "editors/RegisteredLists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/MemoryRegistry.h"
#include "app/Settings.h"
#include "app/containers/MemoryFileSystem.h"
#include "editors/FolderListEntry.h"
#include "tests/support/ScopedFileSystem.h"

namespace {

// Counts the values written, so a test can tell how often the dialog wrote.
class CountingRegistry : public MemoryRegistry {
public:
    bool SetValue(RegHandle key, const char* name, std::uint32_t type, const void* data, std::uint32_t size) override {
        ++writes;
        return MemoryRegistry::SetValue(key, name, type, data, size);
    }
    int writes = 0;
};

const std::string kKey = std::string(kSettingsBasePath) + "\\File\\RegList";

class RegisteredListsTest : public ::testing::Test {
protected:
    RegisteredListsTest() { SetActiveRegistry(&registry); }
    ~RegisteredListsTest() override { SetActiveRegistry(nullptr); }

    void Register(const std::vector<std::string>& entries) {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            char name[8];
            std::snprintf(name, sizeof name, "%04d", static_cast<int>(i));
            registry.Put(kSettingsRoot, kKey.c_str(), name, kRegSz, entries[i].c_str(),
                         static_cast<std::uint32_t>(entries[i].size() + 1));
        }
        registry.writes = 0;
        lists.Load();
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        for (std::int32_t i = 0; i < lists.Count(); ++i) {
            entries.push_back(lists.EntryAt(i));
        }
        return entries;
    }

    CountingRegistry registry;
    MemoryFileSystem files;
    ScopedFileSystem scoped{files};
    RegisteredLists lists;
};

}  // namespace

TEST_F(RegisteredListsTest, RowsShowTitlesFolderNamesOrPaths) {
    files.AddFile("C:\\L\\a.rpl", std::string("Melodrix2.0 PlayList,Evening\r\n"));
    files.AddFile("C:\\L\\bad.rpl", std::string("not a list\r\n"));
    const std::string folderList = EncodeFolderList({"Waves", "C:\\W", "*.wav"});
    const std::string tooLong(300, 'p');
    Register({"C:\\L\\a.rpl", folderList, "C:\\L\\bad.rpl", "C:\\L\\missing.rpl", tooLong});
    EXPECT_EQ(lists.RowText(0), "Evening");
    EXPECT_EQ(lists.RowText(1), "* Waves");
    EXPECT_EQ(lists.RowText(2), "C:\\L\\bad.rpl");
    EXPECT_EQ(lists.RowText(3), "C:\\L\\missing.rpl");
    EXPECT_EQ(lists.RowText(4), tooLong);
    EXPECT_EQ(lists.RowText(5), "");
}

TEST_F(RegisteredListsTest, ChosenRowsAreHandedOverInRowOrder) {
    Register({"a", "b", "c", "d"});
    StringList chosen;
    chosen.InsertString(-1, "old");
    EXPECT_EQ(lists.Choose({3, 1, 3, 9}, chosen), 2);
    ASSERT_EQ(chosen.Count(), 2);
    EXPECT_STREQ(chosen.StringAt(0), "b");
    EXPECT_STREQ(chosen.StringAt(1), "d");
    // No selection: the caller's list stays as it was.
    EXPECT_EQ(lists.Choose({}, chosen), 0);
    EXPECT_EQ(chosen.Count(), 2);
}

TEST_F(RegisteredListsTest, DeleteRemovesExactlyTheSelectedEntriesAndTheirFilesOnlyOnYes) {
    const std::string folderList = EncodeFolderList({"F", "C:\\L", "*.rpl"});
    for (bool deleteFiles : {false, true}) {
        files.Clear();
        for (const char* path : {"C:\\L\\1.rpl", "C:\\L\\2.rpl", "C:\\L\\3.rpl"}) {
            files.AddFile(path, std::string("Melodrix2.0 PlayList,x\r\n"));
        }
        Register({"C:\\L\\1.rpl", "C:\\L\\2.rpl", folderList, "C:\\L\\3.rpl"});
        EXPECT_EQ(lists.Remove({2, 1}, deleteFiles), 2);
        EXPECT_EQ(Entries(), (std::vector<std::string>{"C:\\L\\1.rpl", "C:\\L\\3.rpl"}));
        EXPECT_EQ(files.Exists("C:\\L\\2.rpl"), !deleteFiles);
        EXPECT_TRUE(files.Exists("C:\\L\\1.rpl"));
        EXPECT_TRUE(files.Exists("C:\\L\\3.rpl"));
        EXPECT_TRUE(lists.Modified());
    }
}

TEST_F(RegisteredListsTest, MovesStayWithinTheRows) {
    Register({"a", "b", "c"});
    EXPECT_EQ(lists.Move(0, -1), -1);
    EXPECT_FALSE(lists.Modified());
    EXPECT_EQ(lists.Move(0, +1), 1);
    EXPECT_EQ(lists.Move(2, -1), 1);
    EXPECT_EQ(Entries(), (std::vector<std::string>{"b", "c", "a"}));
    EXPECT_EQ(lists.Move(2, +1), -1);
}

TEST_F(RegisteredListsTest, WrittenOnceWhenChangedAndNotAtAllOtherwise) {
    Register({"a", "b", "c"});
    EXPECT_EQ(lists.SaveIfModified(), 1);
    EXPECT_EQ(registry.writes, 0);
    lists.Remove({0, 1, 2}, false);
    ASSERT_EQ(lists.Append("C:\\L\\new.rpl"), 1);
    ASSERT_EQ(lists.Replace(0, "C:\\L\\renamed.rpl"), 1);
    EXPECT_EQ(registry.writes, 0);
    EXPECT_EQ(lists.SaveIfModified(), 1);
    EXPECT_EQ(registry.writes, 1);
    EXPECT_EQ(lists.SaveIfModified(), 1);
    EXPECT_EQ(registry.writes, 1);
    // The values after the new last entry are gone.
    EXPECT_EQ(registry.ValueNames(kSettingsRoot, kKey.c_str()), std::vector<std::string>{"0000"});
    RegisteredLists again;
    again.Load();
    ASSERT_EQ(again.Count(), 1);
    EXPECT_STREQ(again.EntryAt(0), "C:\\L\\renamed.rpl");
}

TEST_F(RegisteredListsTest, AnEditConfirmedUnchangedWritesNothing) {
    const std::string folderList = EncodeFolderList({"Waves", "C:\\W", "*.wav"});
    Register({folderList, "C:\\L\\a.rpl"});
    EXPECT_EQ(lists.Replace(0, folderList.c_str()), 1);
    EXPECT_EQ(lists.Replace(1, "C:\\L\\a.rpl"), 1);
    EXPECT_FALSE(lists.Modified());
    EXPECT_EQ(lists.SaveIfModified(), 1);
    EXPECT_EQ(registry.writes, 0);
}

TEST_F(RegisteredListsTest, EntriesTooLongOrEmptyAreRefused) {
    Register({});
    EXPECT_EQ(lists.Append(std::string(4096, 'x').c_str()), 0);
    EXPECT_EQ(lists.Append(""), 0);
    EXPECT_EQ(lists.Append(std::string(4095, 'x').c_str()), 1);
    EXPECT_EQ(lists.Replace(0, std::string(5000, 'y').c_str()), 0);
    EXPECT_EQ(lists.Replace(3, "z"), 0);
    EXPECT_EQ(lists.Count(), 1);
}

TEST_F(RegisteredListsTest, AMissingKeyLoadsNoEntriesAndTheFirstSaveCreatesIt) {
    lists.Load();
    EXPECT_EQ(lists.Count(), 0);
    EXPECT_FALSE(lists.Modified());
    ASSERT_FALSE(registry.KeyExists(kSettingsRoot, kKey.c_str()));
    const std::string folderList = EncodeFolderList({"Waves", "C:\\W", "*.wav"});
    ASSERT_EQ(lists.Append(folderList.c_str()), 1);
    EXPECT_EQ(lists.SaveIfModified(), 1);
    RegisteredLists again;
    again.Load();
    ASSERT_EQ(again.Count(), 1);
    EXPECT_EQ(again.RowText(0), "* Waves");
}
