#include "platform/FileSystem.h"
#include "platform/InstanceLock.h"
#include "platform/Mounts.h"
#include "platform/PrivateTempFolder.h"
#include "platform/SystemLanguage.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <memory>
#include <unistd.h>

using testing_support::TestFolder;

TEST(PrivateTempFolder, IsOnlyAFolderClosedToOthersUnderTheRuntimeFolder)
{
    TestFolder folder;
    const std::string temp = platform::PrivateTempFolder("My_App");
    EXPECT_EQ(temp, folder.Path() + "runtime/My_App/");
    struct stat info;
    ASSERT_EQ(::stat(temp.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
    EXPECT_EQ(platform::PrivateTempFolder("My_App"), temp) << "an existing own folder is reused";

    // A folder others can enter is refused; the /tmp one must then be private.
    const std::string open = folder.Path() + "runtime/Open_App";
    ASSERT_EQ(::mkdir(open.c_str(), 0755), 0);
    ::chmod(open.c_str(), 0755);
    const std::string fallback = platform::PrivateTempFolder("Open_App");
    EXPECT_NE(fallback, open + "/");
    if (!fallback.empty()) {
        EXPECT_EQ(fallback.rfind("/tmp/Open_App-", 0), 0u);
        platform::RemoveTree(fallback);
    }
    for (const char* name : {"", "a/b", ".."})
        EXPECT_EQ(platform::PrivateTempFolder(name), "") << name;
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
    EXPECT_EQ(third.Acquire(path), platform::InstanceLock::Result::Acquired) << "free again once its holder is gone";
}

TEST(InstanceLock, WaitingTakesTheLockOnceItsHolderEnds)
{
    TestFolder folder;
    const std::string path = folder.Path() + "App.lock";
    using Result = platform::InstanceLock::Result;
    const struct {
        int releaseOnAsk;  // the holder ends on this ask of keepWaiting; 0: never
        int giveUpOnAsk;   // keepWaiting says no on this ask; 0: never
        Result result;
        int asks;
    } cases[] = {
        {1, 0, Result::Acquired, 1},
        {3, 0, Result::Acquired, 3},
        {0, 2, Result::HeldElsewhere, 2},
    };
    for (const auto& c : cases) {
        auto holder = std::make_unique<platform::InstanceLock>();
        ASSERT_EQ(holder->Acquire(path), Result::Acquired);
        int asks = 0;
        platform::InstanceLock waiter;
        const Result result = waiter.AcquireWaiting(path, [&] {
            if (++asks == c.releaseOnAsk)
                holder.reset();
            return asks != c.giveUpOnAsk;
        }, 10);
        EXPECT_EQ(result, c.result) << c.releaseOnAsk << c.giveUpOnAsk;
        EXPECT_EQ(asks, c.asks);
        EXPECT_EQ(waiter.Held(), c.result == Result::Acquired);
    }
    platform::InstanceLock free;
    bool asked = false;
    EXPECT_EQ(free.AcquireWaiting(path, [&asked] { return asked = true; }), Result::Acquired);
    EXPECT_FALSE(asked) << "a free lock needs no wait";
}

TEST(FileSystem, SizesUseSixtyFourBitsAndMovesKeepContent)
{
    TestFolder folder;
    folder.Write("big.bin", "");
    const std::uint64_t fiveGiB = 5ull << 30;
    ASSERT_EQ(::truncate((folder.Path() + "big.bin").c_str(), static_cast<off_t>(fiveGiB)), 0);
    EXPECT_EQ(platform::FileBytes(folder.Path() + "big.bin"), fiveGiB);
    EXPECT_FALSE(platform::FileBytes(folder.Path()).has_value()) << "a folder has no file size";
    EXPECT_FALSE(platform::FreeBytes(folder.Path() + "missing/").has_value());
    EXPECT_TRUE(platform::FreeBytes(folder.Path()).has_value());

    folder.Write("a.txt", "content");
    EXPECT_TRUE(platform::MoveFile(folder.Path() + "a.txt", folder.Path() + "b.txt"));
    EXPECT_FALSE(platform::PathExists(folder.Path() + "a.txt"));
    EXPECT_EQ(folder.Read("b.txt"), "content");
    EXPECT_FALSE(platform::MoveFile(folder.Path() + "missing", folder.Path() + "c.txt"));
}

TEST(SystemLanguage, LocaleNamesGiveWindowsLanguageIds)
{
    const std::pair<const char*, int> cases[] = {
        {"zh_TW.UTF-8", 0x0404}, {"zh", 0x0804},         {"sr_RS", 0x0C1A}, {"sr_RS@latin", 0x081A},
        {"de_DE@euro", 0x0407},  {"en_GB.UTF-8", 0x0809}, {"", 0x0409},      {"sel_RU", 0x0409},
    };
    for (const auto& [locale, id] : cases)
        EXPECT_EQ(platform::LanguageIdOfLocale(locale), id) << locale;

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
    EXPECT_EQ(folder.Path().rfind(platform::MountPointOf(folder.Path()), 0), 0u);
    for (const std::string& point : platform::LocalDiskMountPoints())
        EXPECT_EQ(platform::MountPointOf(point), point);
}
