#include "DiscRunFixture.h"

#include "app/Utilities.h"
#include "disc/DvdAuthoring.h"
#include "disc/VcdImaging.h"
#include "engine/CommandLine.h"
#include "lang/IniTextFile.h"
#include "support/FakeEngine.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

using testing_support::FakeEngineScript;
using testing_support::ReadRecordedArguments;
namespace fs = std::filesystem;

namespace {

// The disc steps with the fake engine in place of dvdimage and vcdimage.
class DiscRunTest : public testing_support::DiscRunFixture {
protected:
    DiscRunTest()
    {
        app::Application().programDirectory = folder_.Path() + "program/";
        testing_support::InstallFakeEngine(app::ProgramDirectory());
        folder_.Write("work/__tempFolder__/001.vob", "v");
        folder_.Write("work/__tempFolder__/001.mpg", "m");
        folder_.Write("work/__tempFolder__/002.mpg", "m");
        lang::LanguageTable().SetValue("MainDialog", "DVD image failed", "DVD failed text", true);
        lang::LanguageTable().SetValue("MainDialog", "Create XML failed", "XML failed text", true);
        ConversionSucceeded();
    }

    std::string ArgumentsFile() const { return folder_.Path() + "arguments"; }

    disc::DvdTitleSettings Settings(int dvdChapter = 1) const
    {
        return {1, "4:3 (Standard)", 720, 576, "AC3", dvdChapter};
    }
};

}  // namespace

TEST_F(DiscRunTest, BothDvdRunsGetTheirLinesAndSuccessKeepsTheFolder)
{
    FakeEngineScript script("result=0", ArgumentsFile());
    state_ = RunDvd(Job("dvdimg"), Settings());
    EXPECT_EQ(state_.finalName.Path(), folder_.Path() + "Out/MyDisc");
    EXPECT_EQ(state_.vobTotalMegabytes, 0);
    EXPECT_EQ(ReadRecordedArguments(ArgumentsFile()),
              (std::vector<std::string>{"-sfm", block_.Name(), "-T", "-o", state_.discFolder}))
        << "the table of contents comes last";
    EXPECT_EQ(engine::LoadField(Record().result_code), engine::kResultSuccess);
    EXPECT_TRUE(fs::is_directory(folder_.Path() + "Out/MyDisc/VIDEO_TS")) << "the tools' folder got the final name";
    EXPECT_FALSE(fs::exists(state_.discFolder));
    EXPECT_TRUE(dialogs_.shown.empty());
}

TEST_F(DiscRunTest, NoTableOfContentsAfterAFailedOrStoppedTitleSet)
{
    const struct {
        const char* script;
        int abortRequest;
        std::int32_t result;
    } cases[] = {
        {"result=99", 0, engine::kResultFailed},
        {"exit=0", 0, engine::kResultNotReported},
        {"result=2", 1, engine::kResultStopped},
    };
    for (const auto& c : cases) {
        ConversionSucceeded();
        engine::StoreField(Record().abort_request, c.abortRequest);
        FakeEngineScript script(c.script, ArgumentsFile());
        state_ = RunDvd(Job("dvdimg"), Settings());
        auto arguments = ReadRecordedArguments(ArgumentsFile());
        EXPECT_EQ(std::count(arguments.begin(), arguments.end(), "-T"), 0) << c.script;
        EXPECT_EQ(engine::LoadField(Record().result_code), c.result) << c.script;
        EXPECT_FALSE(fs::exists(state_.discFolder)) << "the empty disc folder is removed again";
    }
}

TEST_F(DiscRunTest, DvdStepsThatCannotRunLeaveAFailureNotTheConversionsSuccess)
{
    for (int n = 2; n <= 99; ++n) {
        char name[32];
        std::snprintf(name, sizeof name, "work/__tempFolder__/%03d.vob", n);
        folder_.Write(name, "v");
    }
    FakeEngineScript script("result=0", ArgumentsFile());
    state_ = RunDvd(Job("dvdimg"), Settings(1));
    EXPECT_FALSE(fs::exists(ArgumentsFile())) << "a line over the limit starts nothing";
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "DVD failed text");
    EXPECT_EQ(engine::LoadField(Record().result_code), engine::kResultFailed);
    EXPECT_FALSE(fs::exists(state_.discFolder));

    ConversionSucceeded();
    fs::remove(app::ProgramDirectory() + "dvdimage");
    state_ = RunDvd(Job("dvdimg"), Settings(0));
    ASSERT_EQ(dialogs_.shown.size(), 2u);
    EXPECT_EQ(dialogs_.shown[1].text, "Error! Failed to load " + app::ProgramDirectory() + "dvdimage .");
    EXPECT_EQ(engine::LoadField(Record().result_code), engine::kResultNotReported);
}

TEST_F(DiscRunTest, VcdRunDescribesTheFilesAndNamesTheImage)
{
    FakeEngineScript script("result=0", ArgumentsFile());
    state_ = RunVcd(Job("svcdimg_pal"));
    const std::string xml = app::TempDirectory() + "vcd.xml";
    EXPECT_EQ(ReadRecordedArguments(ArgumentsFile()),
              (std::vector<std::string>{"-sfm", block_.Name(), "-x", xml, "-c", state_.discFolder + "/VideoCD.cue", "-b",
                                        state_.discFolder + "/VideoCD.bin", "-p"}));
    std::ifstream file(xml, std::ios::binary);
    const std::string document((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    EXPECT_NE(document.find("class=\"svcd\" version=\"1.0\""), std::string::npos);
    EXPECT_NE(document.find("<volume-id>MyDisc</volume-id>"), std::string::npos);
    EXPECT_NE(document.find("__tempFolder__/002.mpg\" id=\"seq_1_movie\""), std::string::npos);
    EXPECT_EQ(engine::LoadField(Record().result_code), engine::kResultSuccess);
}

TEST_F(DiscRunTest, AnUnwritableDescriptionStartsNoTool)
{
    FakeEngineScript script("result=0", ArgumentsFile());
    fs::create_directories(app::TempDirectory() + "vcd.xml");
    state_ = RunVcd(Job("vcdimg"));
    EXPECT_FALSE(fs::exists(ArgumentsFile()));
    ASSERT_EQ(dialogs_.shown.size(), 1u);
    EXPECT_EQ(dialogs_.shown[0].text, "XML failed text");
    EXPECT_EQ(dialogs_.shown[0].caption, app::Application().appName);
    EXPECT_EQ(engine::LoadField(Record().result_code), engine::kResultFailed);
    EXPECT_FALSE(fs::exists(state_.discFolder));
}
