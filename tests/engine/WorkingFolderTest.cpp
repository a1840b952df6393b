#include "app/Application.h"
#include "app/Utilities.h"
#include "engine/WorkingFolder.h"
#include "profiles/OutputProfile.h"
#include "support/RecordingDialogs.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

using namespace engine;
using testing_support::RecordingDialogs;
using testing_support::TestFolder;

namespace {

// Disks are folders of the test folder: "out/" and "other/" with the free
// space the test gives them.
class WorkingFolderTest : public ::testing::Test {
protected:
    WorkingFolderTest()
    {
        std::filesystem::create_directories(folder_.Path() + "other");
        disks_.freeSpaceMB = [this](const std::string& path) {
            return path.rfind(Other(), 0) == 0 ? otherFree_ : outputFree_;
        };
        disks_.localMountPoints = [this] { return std::vector<std::string>{Output(), Other()}; };
        disks_.mountPointOf = [this](const std::string&) { return Output(); };
        dvd_.profile_shortname = "disc-dvdimg";
        dvd_.kind = profiles::ParseProfileKind(dvd_.profile_shortname);
        plain_.profile_shortname = "generic-mp4";
        plain_.kind = profiles::ParseProfileKind(plain_.profile_shortname);
    }

    std::string Output() const { return folder_.Path() + "out/"; }
    // Whether the last prepared working folder is a new one in parent.
    bool IsWorkingFolderIn(const std::string& parent) const
    {
        return app::IsWorkingFolder(working_) && working_.rfind(parent + app::kWorkingFolderStem, 0) == 0;
    }
    std::string Other() const { return folder_.Path() + "other/"; }

    app::Outcome Prepare(const profiles::OutputProfile& profile, bool joiner = false, int minutes = 60, int capacity = 120)
    {
        return PrepareWorkingFolder({Output(), profile, joiner, minutes, capacity}, dialogs_, disks_, working_);
    }

    TestFolder folder_;
    RecordingDialogs dialogs_;
    Disks disks_;
    std::int64_t outputFree_ = 100000, otherFree_ = 100000;
    profiles::OutputProfile dvd_, plain_;
    std::string working_;
};

}  // namespace

TEST_F(WorkingFolderTest, OrdinaryJobs)
{
    EXPECT_TRUE(Prepare(plain_).Succeeded());
    EXPECT_EQ(working_, "") << "a plain conversion needs no working folder";
    EXPECT_TRUE(std::filesystem::is_directory(Output())) << "the output folder is created";

    folder_.Write("out/__tempFolder__/mine.avi", "the user's, or left by an older version");
    outputFree_ = 0;
    EXPECT_TRUE(Prepare(plain_, true).Succeeded());
    EXPECT_TRUE(IsWorkingFolderIn(Output())) << "joins ignore free space";
    EXPECT_TRUE(std::filesystem::is_empty(working_));
    EXPECT_EQ(folder_.Read("out/__tempFolder__/mine.avi"), "the user's, or left by an older version");

    const std::string first = working_;
    EXPECT_TRUE(Prepare(plain_, true).Succeeded());
    EXPECT_NE(working_, first) << "a folder that exists is never taken again";
    EXPECT_TRUE(std::filesystem::is_directory(first));
}

TEST_F(WorkingFolderTest, DiscJobsLookForRoom)
{
    outputFree_ = 2 * 4435;
    EXPECT_TRUE(Prepare(dvd_).Succeeded());
    EXPECT_TRUE(IsWorkingFolderIn(Output())) << "exactly twice the requirement is enough";

    outputFree_ = 2 * 4435 - 1;
    EXPECT_TRUE(Prepare(dvd_).Succeeded());
    EXPECT_TRUE(IsWorkingFolderIn(Other())) << "another disk with more room";
    EXPECT_TRUE(dialogs_.shown.empty());

    otherFree_ = 4435;
    dialogs_.Answer(false);
    const app::Outcome declined = Prepare(dvd_);
    EXPECT_FALSE(declined.Succeeded()) << "no disk has more than required";
    EXPECT_FALSE(declined.Failure()) << "the user said No: nothing more to tell";
    EXPECT_EQ(working_, "");
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_TRUE(dialogs_.shown[0].question);
    EXPECT_NE(dialogs_.shown[0].text.find("is 8870 MB"), std::string::npos) << dialogs_.shown[0].text;

    EXPECT_TRUE(Prepare(dvd_, false, 60, 0).Succeeded()) << "an unknown capacity needs no room and divides by nothing";
    EXPECT_EQ(dialogs_.shown.size(), 1u);

    outputFree_ = 100;
    dialogs_.Answer(true);
    EXPECT_TRUE(Prepare(dvd_).Succeeded()) << "Yes goes on in the output folder";
    EXPECT_TRUE(IsWorkingFolderIn(Output()));
    EXPECT_NE(dialogs_.shown[1].text.find("Free space on drive " + Output() + " is 100 MB"), std::string::npos)
        << dialogs_.shown[1].text;
}

TEST_F(WorkingFolderTest, FailuresSayWhy)
{
    folder_.Write("blocked", "a file where the output folder should be");
    EXPECT_EQ(PrepareWorkingFolder({folder_.Path() + "blocked/out/", plain_, false, 0, 0}, dialogs_, disks_,
                                   working_)
                  .Failure(),
              app::Notice(app::NoticeId::OutputFolderNotCreated));

    // An output folder whose path leaves no room for the working folder's name.
    std::string deep = folder_.Path();
    while (deep.size() < 4080 - 101)
        deep += std::string(100, 'd') + "/";
    deep += std::string(4080 - 1 - deep.size(), 'd') + "/";
    EXPECT_EQ(PrepareWorkingFolder({deep, plain_, true, 0, 0}, dialogs_, disks_, working_).Failure(),
              app::Notice(app::NoticeId::WorkingFolderNotCreated, {deep + "__tempFolder__XXXXXX"}));
    EXPECT_TRUE(std::filesystem::is_directory(deep));
    EXPECT_EQ(working_, "");
    EXPECT_TRUE(dialogs_.shown.empty()) << "the caller tells the user";
}
