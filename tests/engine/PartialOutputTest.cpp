#include "engine/OutputFolderCheck.h"
#include "engine/OutputNaming.h"
#include "engine/PartialOutput.h"
#include "support/ProcessScan.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

using namespace engine;
using testing_support::FileNames;
using testing_support::TestFolder;
namespace fs = std::filesystem;

namespace {

std::string FileNameOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

bool IsWholeUtf8(const std::string& text)
{
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 0;
        if (length == 0 || i + length > text.size())
            return false;
        for (std::size_t k = 1; k < length; ++k) {
            if ((static_cast<unsigned char>(text[i + k]) & 0xC0) != 0x80)
                return false;
        }
        i += length;
    }
    return true;
}


}  // namespace

TEST(OutputName, LongNamesAreCutToTheLimitKeepingNumberAndExtension)
{
    TestFolder folder;
    std::string umlauts = "xy";
    for (int i = 0; i < 130; ++i)
        umlauts += "\xC3\xA4";  // two bytes each, the cut lands inside one
    const struct {
        std::string base;
        int number;
        std::string expectedEnd;
    } cases[] = {
        {"clip", 0, "clip.mp4"},
        {"clip", 3, "clip_3.mp4"},
        {std::string(251, 'a'), 0, "a.mp4"},
        {std::string(251, 'a'), 1, "a_1.mp4"},
        {std::string(300, 'b'), 12, "b_12.mp4"},
        {umlauts, 1, "_1.mp4"},
    };
    for (const auto& c : cases) {
        const std::string name = FileNameOf(OutputName{folder.Path(), c.base, ".mp4", c.number}.Path());
        EXPECT_LE(name.size(), 255u) << c.base;
        EXPECT_TRUE(IsWholeUtf8(name)) << name;
        EXPECT_EQ(name.substr(name.size() - c.expectedEnd.size()), c.expectedEnd);
        if (c.base.size() + c.expectedEnd.size() > 255) {
            EXPECT_GE(name.size(), 254u) << "cut no more than a character: " << name;
        }
        // The file system takes the name: a too long one would fail here.
        folder.Write(name, "x");
        EXPECT_TRUE(fs::exists(folder.Path() + name));
    }
}

TEST(PartialOutput, APartialNameIsHiddenOwnedAndFitsBesideALongFinalName)
{
    TestFolder folder;
    for (const std::string& base : {std::string("clip"), std::string(251, 'a')}) {
        const OutputName final{folder.Path(), base, ".mp4"};
        const std::string partial = PartialPathFor(final);
        const std::string name = FileNameOf(partial);
        EXPECT_EQ(partial.substr(0, folder.Path().size()), folder.Path());
        EXPECT_EQ(name.front(), '.');
        EXPECT_EQ(name.substr(name.size() - testing_support::UserAndProcess(::getpid()).size() - 6), "." + testing_support::UserAndProcess(::getpid()) + ".part");
        EXPECT_LE(name.size(), 255u);
        folder.Write(name, "x");
    }
    EXPECT_EQ(PartialPathFor({folder.Path(), "clip", ".mp4"}), folder.Path() + ".clip.mp4." + testing_support::UserAndProcess(::getpid()) + ".part");
}

TEST(PartialOutput, CommitTakesTheChosenNameOrTheNextFreeOneAndNeverReplaces)
{
    const struct {
        std::vector<std::string> takenMeanwhile;
        bool folder;
        const char* expected;
    } cases[] = {
        {{}, false, "clip.mp4"},
        {{"clip.mp4"}, false, "clip_1.mp4"},
        {{"clip.mp4", "clip_1.mp4"}, false, "clip_2.mp4"},
        {{}, true, "clip.mp4"},
        {{"clip.mp4/"}, true, "clip_1.mp4"},  // an empty folder, which rename(2) would replace
    };
    for (const auto& c : cases) {
        TestFolder folder;
        const OutputName final{folder.Path(), "clip", ".mp4"};
        const std::string partial = PartialPathFor(final);
        if (c.folder) {
            fs::create_directories(partial + "/VIDEO_TS");
            folder.Write(FileNameOf(partial) + "/VIDEO_TS/a.vob", "video");
        } else {
            folder.Write(FileNameOf(partial), "video");
        }
        for (const std::string& taken : c.takenMeanwhile) {
            if (taken.back() == '/')
                fs::create_directory(folder.Path() + taken);
            else
                folder.Write(taken, "theirs");
        }
        const std::optional<std::string> committed = CommitPartial(partial, final);
        ASSERT_TRUE(committed) << c.expected;
        EXPECT_EQ(*committed, folder.Path() + c.expected);
        EXPECT_FALSE(fs::exists(partial));
        EXPECT_EQ(folder.Read(std::string(c.expected) + (c.folder ? "/VIDEO_TS/a.vob" : "")), "video");
        for (const std::string& taken : c.takenMeanwhile) {
            if (taken.back() != '/') {
                EXPECT_EQ(folder.Read(taken), "theirs");
            }
        }
    }
}

TEST(PartialOutput, OnlyPartialsOfThisUsersEndedRunsAreRemoved)
{
    TestFolder folder;
    const long ended = testing_support::EndedProcessId();
    const std::string otherUser = std::to_string(::getuid() + 1) + "-" + std::to_string(ended);
    const struct {
        std::string name;
        bool folder;
        bool removed;
    } cases[] = {
        {".clip.mp4." + testing_support::UserAndProcess(ended) + ".part", false, true},
        {".Holiday." + testing_support::UserAndProcess(ended) + ".part", true, true},
        {".clip.mp4." + testing_support::UserAndProcess(::getpid()) + ".part", false, false},  // a run still going
        {".clip.mp4." + otherUser + ".part", false, false},
        {"clip.mp4." + testing_support::UserAndProcess(ended) + ".part", false, false},  // not hidden: the user's own
        {".clip.mp4.part", false, false},
        {".clip.mp4." + testing_support::UserAndProcess(ended) + ".part.mp4", false, false},
        {".clip.mp4.x" + testing_support::UserAndProcess(ended) + ".part", false, false},
        {"clip.mp4", false, false},
        {"__tempFolder__" + testing_support::UserAndProcess(ended) + "-a8Zq3x", true, true},
        {"__tempFolder__" + testing_support::UserAndProcess(::getpid()) + "-a8Zq3x", true, false},
        {"__tempFolder__" + otherUser + "-a8Zq3x", true, false},
        {"__tempFolder__x1Y2z3", true, false},  // not one of the program's
    };
    for (const auto& c : cases) {
        if (c.folder)
            folder.Write(c.name + "/VIDEO_TS/a.vob", "x");
        else
            folder.Write(c.name, "x");
    }
    RemoveAbandonedPartials(folder.Path());
    for (const auto& c : cases)
        EXPECT_EQ(fs::exists(folder.Path() + c.name), !c.removed) << c.name;
}

// A path recorded by a run that was cut short: only what such a run makes goes.
TEST(PartialOutput, AnAbandonedOutputIsRemovedByItsPathAndNothingElse)
{
    TestFolder folder;
    const std::string ended = testing_support::UserAndProcess(testing_support::EndedProcessId());
    const std::string working = "__tempFolder__" + ended + "-a8Zq3x";
    const struct {
        std::string written;  // relative to the folder
        std::string named;    // the recorded path
        std::string gone;     // what is removed; "" for nothing
    } cases[] = {
        {".clip.mp4." + ended + ".part", ".clip.mp4." + ended + ".part", ".clip.mp4." + ended + ".part"},
        {working + "/001.mpg", working + "/001.mpg", working},
        {working + "/002.mpg", working, working},
        {".live.mp4." + testing_support::UserAndProcess(::getpid()) + ".part",
         ".live.mp4." + testing_support::UserAndProcess(::getpid()) + ".part", ""},
        {"clip.mp4", "clip.mp4", ""},
        {"plain/001.mpg", "plain/001.mpg", ""},
        {"kept.avi", ".kept.avi." + ended + ".part", ""},  // named but not there
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.named);
        folder.Write(c.written, "x");
        EXPECT_EQ(RemoveAbandonedOutput(folder.Path() + c.named), !c.gone.empty());
        if (!c.gone.empty()) {
            EXPECT_FALSE(fs::exists(folder.Path() + c.gone));
        } else {
            EXPECT_TRUE(fs::exists(folder.Path() + c.written));
        }
    }
}

TEST(OutputFolderCheck, AMissingFolderIsMadeAndAnUnusableOneIsNamedWithTheReason)
{
    TestFolder folder;
    const std::string missing = folder.Path() + "a/b/out/";
    EXPECT_TRUE(CheckOutputFolder(missing));
    EXPECT_TRUE(fs::is_directory(missing));

    folder.Write("file", "x");
    const struct {
        std::string path;
        const char* reason;
    } failures[] = {
        {folder.Path() + "file/out/", "Not a directory"},
        {folder.Path() + "file/", "Not a directory"},
    };
    for (const auto& f : failures) {
        const app::Outcome outcome = CheckOutputFolder(f.path);
        ASSERT_FALSE(outcome) << f.path;
        EXPECT_EQ(outcome.Failure()->args, (std::vector<std::string>{f.path, f.reason}));
        EXPECT_EQ(outcome.Failure()->id, app::NoticeId::OutputFolderUnusable);
    }
}

TEST(OutputFolderCheck, AReadOnlyFolderIsRefused)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root writes to any folder";
    TestFolder folder;
    const std::string locked = folder.Path() + "locked/";
    fs::create_directory(locked);
    ::chmod(locked.c_str(), 0500);
    const app::Outcome outcome = CheckOutputFolder(locked);
    ::chmod(locked.c_str(), 0700);
    ASSERT_FALSE(outcome);
    EXPECT_EQ(outcome.Failure()->args, (std::vector<std::string>{locked, "Permission denied"}));
}
