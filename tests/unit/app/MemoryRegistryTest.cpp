// The in-memory registry follows the Win32 registry's rules the settings code relies on.
#include "app/MemoryRegistry.h"

#include <gtest/gtest.h>

namespace {

TEST(MemoryRegistry, CreateMakesIntermediateKeysAndNamesIgnoreCase) {
    MemoryRegistry registry;
    RegHandle handle = 0;
    ASSERT_TRUE(registry.CreateKey(RegRoot::kCurrentUser, "Software\\Veqo\\Melodrix", &handle));
    ASSERT_TRUE(registry.SetValue(handle, "BootMode", kRegDword, "\1\0\0\0", 4));
    registry.CloseKey(handle);

    EXPECT_TRUE(registry.KeyExists(RegRoot::kCurrentUser, "SOFTWARE\\veqo"));
    EXPECT_FALSE(registry.KeyExists(RegRoot::kLocalMachine, "Software"));
    ASSERT_TRUE(registry.OpenKey(RegRoot::kCurrentUser, "software\\VEQO\\melodrix", &handle));
    std::uint32_t type = 0;
    std::uint8_t data[4] = {};
    std::uint32_t size = sizeof data;
    EXPECT_EQ(registry.QueryValue(handle, "bootmode", &type, data, &size), RegStatus::kOk);
    EXPECT_EQ(type, kRegDword);
    EXPECT_EQ(size, 4u);
    registry.CloseKey(handle);
    EXPECT_EQ(registry.OpenHandleCount(), 0u);
    EXPECT_FALSE(registry.CreateKey(RegRoot::kCurrentUser, "A\\\\B", &handle));
    EXPECT_FALSE(registry.KeyExists(RegRoot::kCurrentUser, "A"));
}

TEST(MemoryRegistry, DeletesOnlyEmptySubkeysAndDeletedKeysRejectWrites) {
    MemoryRegistry registry;
    RegHandle root = 0;
    RegHandle child = 0;
    ASSERT_TRUE(registry.CreateKey(RegRoot::kCurrentUser, "A", &root));
    ASSERT_TRUE(registry.CreateKey(RegRoot::kCurrentUser, "A\\B\\C", &child));
    EXPECT_FALSE(registry.DeleteSubKey(root, "B"));
    EXPECT_TRUE(registry.DeleteSubKey(root, "b\\c"));
    EXPECT_FALSE(registry.SetValue(child, "x", kRegSz, "", 1));
    EXPECT_TRUE(registry.DeleteSubKey(root, "B"));
    EXPECT_FALSE(registry.KeyExists(RegRoot::kCurrentUser, "A\\B"));
    registry.CloseKey(child);
    registry.CloseKey(root);
}

TEST(MemoryRegistry, FailingKeyRefusesOpenAndCreate) {
    MemoryRegistry registry;
    registry.FailKey("Software\\Bad");
    RegHandle handle = 0;
    EXPECT_FALSE(registry.CreateKey(RegRoot::kCurrentUser, "software\\bad", &handle));
    EXPECT_TRUE(registry.CreateKey(RegRoot::kCurrentUser, "Software\\Bad\\Below", &handle));
    registry.CloseKey(handle);
    EXPECT_FALSE(registry.OpenKey(RegRoot::kCurrentUser, "Software\\Bad", &handle));
}

}  // namespace
