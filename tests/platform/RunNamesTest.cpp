// The names one run shares with its tools: how they are made and read back,
// that names made by somebody else are never used, and that what dead runs
// left behind is cleared.
#include "platform/FileSystem.h"
#include "platform/NotifySocket.h"
#include "platform/PrivateTempFolder.h"
#include "platform/RunNames.h"
#include "platform/SharedMemory.h"
#include "protocol/EngineRecord.h"
#include "support/ProcessScan.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;
using testing_support::TestFolder;

namespace {

constexpr uid_t kNobody = 65534;

std::string UniqueShared(const char* what)
{
    return std::string("diziv_") + what + "_" + std::to_string(::getpid());
}


// Where the caller runs as root, what a test made is handed to another user,
// as the hostile files of the cases below would be.
void GiveToAnotherUser(const std::string& path)
{
    if (::getuid() == 0) {
        EXPECT_EQ(::lchown(path.c_str(), kNobody, kNobody), 0) << path;
    }
}

}  // namespace

TEST(RunNames, RecordNamesCarryTheUserAndTheProcessAndGiveBackTheSharedName)
{
    const std::string plain = platform::RunRecordName("My.App", 0);
    EXPECT_EQ(plain, "My.App." + testing_support::UserAndProcess(::getpid()));
    const std::string tagged = platform::RunRecordName("My.App", 1);
    EXPECT_EQ(tagged.rfind(plain + "-", 0), 0u) << tagged;
    EXPECT_NE(tagged, platform::RunRecordName("My.App", 2));
    for (const std::string& name : {plain, tagged})
        EXPECT_EQ(platform::SharedNameOfRecord(name), "My.App") << name;

    // Names of another form stand for themselves, as test records do.
    for (const char* name : {"Plain", "x.1000", "x.a-1", "x.1-0", ".1-2", "x.1-2-XYZ", "x.1-2-", "x.-2"})
        EXPECT_EQ(platform::SharedNameOfRecord(name), name) << name;
}

TEST(RunNames, ARunPassesOverNamesSomebodyElseMadeAndLeavesThemAlone)
{
    const std::string shared = UniqueShared("taken");
    const std::string taken = "/dev/shm/" + platform::RunRecordName(shared, 0);
    TestFolder folder;
    const std::string target = folder.Path() + "target";
    const struct {
        const char* what;
        void (*make)(const std::string& taken, const std::string& target);
    } cases[] = {
        {"a file open to all", [](const std::string& path, const std::string&) {
             std::ofstream(path) << std::string(engine::kRecordSize, 'x');
             ::chmod(path.c_str(), 0666);
         }},
        {"a symbolic link", [](const std::string& path, const std::string& to) {
             ASSERT_EQ(::symlink(to.c_str(), path.c_str()), 0);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        std::ofstream(target) << "foreign";
        c.make(taken, target);
        GiveToAnotherUser(taken);

        platform::SharedMemory memory;
        EXPECT_FALSE(memory.Create(platform::RunRecordName(shared, 0), engine::kRecordSize));
        EXPECT_EQ(memory.Error(), EEXIST);
        if (::getuid() == 0) {
            EXPECT_FALSE(memory.Open(platform::RunRecordName(shared, 0), engine::kRecordSize))
                << "a tool never writes into a record of another user";
        }
        const std::string other = platform::RunRecordName(shared, 1);
        ASSERT_TRUE(memory.Create(other, engine::kRecordSize));
        platform::SharedMemory::Unlink(other);

        std::ifstream in(target);
        std::string content;
        in >> content;
        EXPECT_EQ(content, "foreign");
        fs::remove(taken);
    }
}

TEST(RunNames, WhatDeadRunsLeftIsRemovedAndLivingRunsAreKept)
{
    TestFolder folder;
    const std::string shared = UniqueShared("stale");
    const pid_t ended = testing_support::EndedProcessId();
    const std::string deadRecord = shared + "." + testing_support::UserAndProcess(ended);
    const std::string deadTagged = deadRecord + "-0badcafe";
    const std::string livingRecord = shared + "." + testing_support::UserAndProcess(::getppid());
    const std::string otherUser = shared + "." + std::to_string(::getuid() + 1) + "-" + std::to_string(ended);
    platform::SharedMemory records[4];
    const std::string names[4] = {deadRecord, deadTagged, livingRecord, otherUser};
    for (int i = 0; i < 4; ++i)
        ASSERT_TRUE(records[i].Create(names[i], engine::kRecordSize)) << names[i];

    const std::string deadSocket = platform::NotifySocketPath(deadRecord, ended);
    const std::string livingSocket = platform::NotifySocketPath(livingRecord, ::getppid());
    platform::NotifyReceiver dead, living;
    ASSERT_TRUE(dead.Bind(deadSocket));
    ASSERT_TRUE(living.Bind(livingSocket));
    ::close(dead.Descriptor());  // the process that bound it is gone, its file stays

    platform::RemoveStaleRunFiles(shared);
    EXPECT_FALSE(fs::exists("/dev/shm/" + deadRecord));
    EXPECT_FALSE(fs::exists("/dev/shm/" + deadTagged));
    EXPECT_TRUE(fs::exists("/dev/shm/" + livingRecord));
    EXPECT_TRUE(fs::exists("/dev/shm/" + otherUser)) << "names of another uid are not this user's";
    EXPECT_FALSE(fs::exists(deadSocket));
    EXPECT_TRUE(fs::exists(livingSocket));
    for (const std::string& name : names)
        platform::SharedMemory::Unlink(name);
}

TEST(PrivateTempFolder, AFolderAnotherUserMadeInTmpIsPassedOverForTheCache)
{
    TestFolder folder;
    ::unsetenv("XDG_RUNTIME_DIR");
    const std::string shared = UniqueShared("tmp");
    const std::string squatted = "/tmp/" + shared + "-" + std::to_string(::getuid());
    for (bool asLink : {false, true}) {
        SCOPED_TRACE(asLink ? "a link" : "a folder open to all");
        if (asLink) {
            ASSERT_EQ(::symlink(folder.Path().c_str(), squatted.c_str()), 0);
        } else {
            ASSERT_EQ(::mkdir(squatted.c_str(), 0777), 0);
            ::chmod(squatted.c_str(), 0777);
        }
        GiveToAnotherUser(squatted);
        const std::string temp = platform::PrivateTempFolder(shared);
        EXPECT_EQ(temp, folder.Path() + "home/.cache/" + shared + "/");
        struct stat info;
        ASSERT_EQ(::stat(temp.c_str(), &info), 0);
        EXPECT_EQ(info.st_mode & 0777, 0700u);
        EXPECT_FALSE(platform::NotifySocketPath(shared + "." + testing_support::UserAndProcess(::getpid()), 1).empty());
        fs::remove(squatted);
    }
}
