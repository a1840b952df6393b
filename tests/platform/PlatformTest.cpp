#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"
#include "platform/Mounts.h"
#include "platform/PrivateTempFolder.h"
#include "platform/SystemLanguage.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

using testing_support::TestFolder;

TEST(PrivateTempFolder, IsCreatedClosedToOthersUnderTheRuntimeFolder)
{
    TestFolder folder;
    std::string temp = platform::PrivateTempFolder("My_App");
    EXPECT_EQ(temp, folder.Path() + "runtime/My_App/");
    struct stat info;
    ASSERT_EQ(::stat(temp.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(platform::PrivateTempFolder("My_App"), temp) << "an existing own folder is reused";
}

TEST(PrivateTempFolder, RefusesFoldersOthersCanEnterAndNamesThatAreNotOneComponent)
{
    TestFolder folder;
    ::setenv("XDG_RUNTIME_DIR", (folder.Path() + "runtime").c_str(), 1);
    std::string open = folder.Path() + "runtime/Open_App";
    ASSERT_EQ(::mkdir(open.c_str(), 0755), 0);
    ::chmod(open.c_str(), 0755);
    // The runtime candidate is refused; the /tmp one must then be its own private folder.
    std::string temp = platform::PrivateTempFolder("Open_App");
    EXPECT_NE(temp, open + "/");
    if (!temp.empty()) {
        EXPECT_EQ(temp.rfind("/tmp/Open_App-", 0), 0u);
        platform::RemoveTree(temp);
    }
    EXPECT_EQ(platform::PrivateTempFolder(""), "");
    EXPECT_EQ(platform::PrivateTempFolder("a/b"), "");
    EXPECT_EQ(platform::PrivateTempFolder(".."), "");
}

TEST(InstanceLock, OnlyOneHolderAtATime)
{
    TestFolder folder;
    const std::string path = folder.Path() + "App.lock";
    {
        platform::InstanceLock first;
        ASSERT_EQ(first.Acquire(path), platform::InstanceLock::Result::Acquired);
        platform::InstanceLock second;
        EXPECT_EQ(second.Acquire(path), platform::InstanceLock::Result::HeldElsewhere);
        EXPECT_FALSE(second.Held());
    }
    platform::InstanceLock third;
    EXPECT_EQ(third.Acquire(path), platform::InstanceLock::Result::Acquired) << "the lock is free again once its holder is gone";
}

TEST(FileSystem, SizesAndFreeSpaceUseSixtyFourBits)
{
    TestFolder folder;
    const std::string sparse = folder.Path() + "big.bin";
    FILE* file = std::fopen(sparse.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    const std::uint64_t fiveGiB = 5ull << 30;
    ASSERT_EQ(::ftruncate(fileno(file), static_cast<off_t>(fiveGiB)), 0);
    std::fclose(file);
    EXPECT_EQ(platform::FileBytes(sparse), fiveGiB);
    EXPECT_FALSE(platform::FileBytes(folder.Path()).has_value()) << "a folder has no file size";
    EXPECT_FALSE(platform::FreeBytes(folder.Path() + "missing/").has_value());
    EXPECT_TRUE(platform::FreeBytes(folder.Path()).has_value());
}

TEST(FileSystem, MoveFileRenamesAndKeepsContent)
{
    TestFolder folder;
    folder.Write("a.txt", "content");
    EXPECT_TRUE(platform::MoveFile(folder.Path() + "a.txt", folder.Path() + "b.txt"));
    EXPECT_FALSE(platform::PathExists(folder.Path() + "a.txt"));
    EXPECT_EQ(folder.Read("b.txt"), "content");
    EXPECT_FALSE(platform::MoveFile(folder.Path() + "missing", folder.Path() + "c.txt"));
}

TEST(SystemLanguage, LocaleNamesGiveWindowsLanguageIds)
{
    struct Case {
        const char* locale;
        int id;
    } cases[] = {
        {"ru_RU.UTF-8", 0x0419}, {"ja_JP.UTF-8", 0x0411}, {"zh_TW.UTF-8", 0x0404}, {"zh_CN.UTF-8", 0x0804},
        {"zh_HK", 0x0C04},       {"zh", 0x0804},          {"ar_EG.UTF-8", 0x0C01}, {"ar", 0x0401},
        {"sr_RS", 0x0C1A},       {"sr_RS@latin", 0x081A}, {"de_DE@euro", 0x0407},  {"en_GB.UTF-8", 0x0809},
        {"C", 0x0409},           {"POSIX", 0x0409},       {"", 0x0409},            {"sel_RU", 0x0409},
    };
    for (const Case& c : cases)
        EXPECT_EQ(platform::LanguageIdOfLocale(c.locale), c.id) << c.locale;

    ::setenv("LC_ALL", "", 1);
    ::setenv("LC_MESSAGES", "tr_TR.UTF-8", 1);
    ::setenv("LANG", "ru_RU.UTF-8", 1);
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x041F) << "LC_MESSAGES before LANG";
    ::unsetenv("LC_MESSAGES");
    ::unsetenv("LC_ALL");
    EXPECT_EQ(platform::SystemDefaultLangId(), 0x0419);
}

TEST(Mounts, MountPointsOfPaths)
{
    TestFolder folder;
    EXPECT_EQ(platform::MountPointOf("/proc/self/status"), "/proc/");
    EXPECT_EQ(platform::MountPointOf(folder.Path() + "missing"), "");
    const std::string own = platform::MountPointOf(folder.Path());
    EXPECT_EQ(folder.Path().rfind(own, 0), 0u) << own << " holds " << folder.Path();
    for (const std::string& point : platform::LocalDiskMountPoints()) {
        EXPECT_EQ(point.back(), '/');
        EXPECT_EQ(platform::MountPointOf(point), point);
    }
}
