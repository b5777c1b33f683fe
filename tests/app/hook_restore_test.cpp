// Restoring the hook library from its backup.
#include "app/hook_restore.h"
#include "framework/errors.h"
#include "support/harness.h"

#include <gtest/gtest.h>

namespace {

std::string Bytes(size_t count, unsigned seed)
{
    std::string bytes;
    for (size_t i = 0; i < count; ++i)
        bytes += static_cast<char>((i * 31 + seed) & 0xFF);
    return bytes;
}

TEST(HookRestore, TheLibraryIsTheBackupWithoutItsFirstByte)
{
    harness::TempDir dir;
    // Around the 500-byte block size, and the empty library.
    for (size_t size : {1u, 2u, 500u, 501u, 502u, 1001u, 5000u}) {
        const std::string backup = Bytes(size, static_cast<unsigned>(size));
        ASSERT_TRUE(dir.WriteFile("copy_Key.dll", backup));
        ASSERT_TRUE(dir.WriteFile("SysHookDLL.dll", "stale content that is longer than some backups"));
        RestoreLibraryFromBackup(dir.PathOf("copy_Key.dll"), dir.PathOf("SysHookDLL.dll"));
        EXPECT_EQ(dir.ReadFile("SysHookDLL.dll"), backup.substr(1)) << size;
        EXPECT_EQ(dir.ReadFile("copy_Key.dll"), backup) << size;
    }
}

TEST(HookRestore, AMissingBackupFailsAndWritesNothing)
{
    harness::TempDir dir;
    EXPECT_THROW(RestoreLibraryFromBackup(dir.PathOf("copy_Key.dll"), dir.PathOf("SysHookDLL.dll")), InOutError);
    EXPECT_FALSE(dir.Exists("SysHookDLL.dll"));
}

TEST(HookRestore, AShortOrFailedWriteLeavesNoPartialLibrary)
{
    harness::TempDir dir;
    ASSERT_TRUE(dir.WriteFile("copy_Key.dll", Bytes(1600, 3)));
    int blocks = 0;
    BlockWriter shortOnThird = [&blocks](HANDLE file, const char* data, DWORD size, DWORD& written) {
        DWORD wanted = ++blocks == 3 ? size - 1 : size;
        return ::WriteFile(file, data, wanted, &written, nullptr) != FALSE;
    };
    try {
        RestoreLibraryFromBackup(dir.PathOf("copy_Key.dll"), dir.PathOf("SysHookDLL.dll"), shortOnThird);
        FAIL() << "a short write must fail the restore";
    } catch (const InOutError& error) {
        EXPECT_STREQ(error.what(), "无法拷贝文件");
    }
    EXPECT_EQ(blocks, 3);
    EXPECT_FALSE(dir.Exists("SysHookDLL.dll"));

    BlockWriter failing = [](HANDLE, const char*, DWORD, DWORD& written) {
        written = 0;
        ::SetLastError(ERROR_DISK_FULL);
        return false;
    };
    EXPECT_THROW(
        RestoreLibraryFromBackup(dir.PathOf("copy_Key.dll"), dir.PathOf("SysHookDLL.dll"), failing), InOutError);
    EXPECT_FALSE(dir.Exists("SysHookDLL.dll"));
}

} // namespace
