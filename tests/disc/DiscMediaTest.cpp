// Disc steps with the real dvdimage and vcdimage tools on tiny clips made at
// test time; the results are read back with lsdvd and vcd-info.
#include "DiscRunFixture.h"

#include "disc/DvdAuthoring.h"
#include "disc/VcdImaging.h"
#include "engine/CommandLine.h"
#include "platform/PipedProcess.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

namespace fs = std::filesystem;

namespace {

struct ProgramRun {
    int exitCode;
    std::string output;
};

ProgramRun RunProgram(const std::string& program, const std::vector<std::string>& arguments)
{
    platform::PipedProcess process;
    if (process.Start(program, arguments) != 0)
        return {-1, "cannot start " + program};
    std::string output;
    while (process.ReadOutput(output, 1000)) {
    }
    return {*process.WaitForExit(60000), output};
}

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::size_t Count(const std::string& text, const std::regex& pattern)
{
    return static_cast<std::size_t>(std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()));
}

class DiscMediaTest : public testing_support::DiscRunFixture {
protected:
    DiscMediaTest() { ConversionSucceeded(); }

    // A working folder whose path holds a blank, quotes, non-ASCII letters
    // and a component with a leading dash.
    disc::DiscJob OddJob(const std::string& shortName) const
    {
        disc::DiscJob job = Job(shortName);
        job.outputFolder = folder_.Path() + "Out \"dir\"/";
        job.workingFolder = folder_.Path() + "-wörk & co/__tempFolder__/";
        return job;
    }

    // Two-second clips "001.<extension>", "002.<extension>" for an ffmpeg target.
    void MakeClips(const std::string& workingFolder, const std::string& target, const std::string& extension, int count = 2)
    {
        fs::create_directories(workingFolder);
        for (int n = 1; n <= count; ++n) {
            ProgramRun run = RunProgram("ffmpeg", {"-v", "error", "-f", "lavfi", "-i", "testsrc=size=160x120:rate=25:duration=2",
                                                   "-f", "lavfi", "-i", "sine=frequency=440:duration=2", "-target", target,
                                                   "-y", workingFolder + "00" + std::to_string(n) + "." + extension});
            ASSERT_EQ(run.exitCode, 0) << run.output;
        }
    }

    std::string Lsdvd(const std::string& folder)
    {
        ProgramRun run = RunProgram("lsdvd", {"-c", folder});
        EXPECT_EQ(run.exitCode, 0) << run.output;
        return run.output;
    }

    // Runs a disc tool as the program does and returns result_code.
    std::int32_t RunTool(const std::string& path, const std::string& arguments)
    {
        engine::PrepareDiscRun(Record());
        EXPECT_EQ(launcher_.StartEngine(path, arguments), 1);
        launcher_.WaitForEngine(50, [this] { channel_.DispatchPending(); });
        return engine::LoadField(Record().result_code);
    }
};

}  // namespace

TEST_F(DiscMediaTest, DvdFolderPlaysEverySourceInOneTitleWithAChapterAtEachStart)
{
    disc::DiscJob job = OddJob("dvdimg");
    MakeClips(job.workingFolder, "pal-dvd", "vob");
    disc::DiscRun run = Run();
    disc::RunDvdAuthoring(job, {1, "4:3 (Standard TV)", 720, 576, "AC3", 1}, state_, run);
    channel_.DispatchPending();

    ASSERT_EQ(engine::LoadField(Record().result_code), engine::kResultSuccess) << ReadAll(launcher_.LogPath());
    EXPECT_EQ(state_.discFolder, job.outputFolder + "MyDisc");
    for (const char* file : {"VIDEO_TS.IFO", "VTS_01_0.IFO", "VTS_01_1.VOB"})
        EXPECT_TRUE(fs::is_regular_file(state_.discFolder + "/VIDEO_TS/" + file)) << file;
    EXPECT_TRUE(fs::is_directory(state_.discFolder + "/AUDIO_TS"));
    const std::string listing = Lsdvd(state_.discFolder);
    EXPECT_EQ(Count(listing, std::regex(R"(\nTitle: \d+)")), 1u) << listing;
    EXPECT_NE(listing.find("Chapters: 02, Cells: 02"), std::string::npos) << listing;
    EXPECT_EQ(Stages(), (std::set<std::int32_t>{1, 2}));
}

TEST_F(DiscMediaTest, DvdChapterListsMarkEveryIntervalOfEveryFile)
{
    disc::DiscJob job = Job("dvdimg");
    MakeClips(job.workingFolder, "ntsc-dvd", "vob");
    const std::string out = folder_.Path() + "chapters";
    std::string arguments = engine::RecordNameOption(job.recordName) + " -o " + engine::QuoteArgument(out) +
                            " -v ntsc+720x480+16:9  -a ac3+en";
    for (const char* file : {"001.vob", "002.vob"})
        arguments += " -c 0,1 -f " + engine::QuoteArgument(job.workingFolder + file);
    ASSERT_EQ(RunTool(engine::DvdToolPath(), arguments), engine::kResultSuccess) << ReadAll(launcher_.LogPath());
    ASSERT_EQ(RunTool(engine::DvdToolPath(), disc::BuildDvdContentsArguments(job, out)), engine::kResultSuccess)
        << ReadAll(launcher_.LogPath());
    const std::string listing = Lsdvd(out);
    EXPECT_NE(listing.find("Chapters: 04, Cells: 04"), std::string::npos) << "marks at 0 s and 1 s of each file\n"
                                                                          << listing;
}

TEST_F(DiscMediaTest, StoppedDvdLeavesNoTitleSetAndNoTableOfContents)
{
    disc::DiscJob job = Job("dvdimg");
    MakeClips(job.workingFolder, "pal-dvd", "vob", 1);
    engine::StoreField(Record().abort_request, 1);
    disc::DiscRun run = Run();
    disc::RunDvdAuthoring(job, {1, "4:3 (Standard TV)", 720, 576, "AC3", 0}, state_, run);
    EXPECT_EQ(engine::LoadField(Record().result_code), engine::kResultStopped);
    EXPECT_FALSE(fs::exists(state_.discFolder)) << "nothing was written, so the disc folder went again";

    engine::StoreField(Record().abort_request, 0);
    fs::create_directories(folder_.Path() + "empty/VIDEO_TS");
    EXPECT_EQ(RunTool(engine::DvdToolPath(), disc::BuildDvdContentsArguments(job, folder_.Path() + "empty")),
              engine::kResultFailed)
        << "a table of contents needs a title set";
    EXPECT_TRUE(fs::is_empty(folder_.Path() + "empty/VIDEO_TS"));
}

TEST_F(DiscMediaTest, VcdAndSvcdImagesHoldATrackPerSource)
{
    const struct {
        const char* shortName;
        const char* target;
        const char* discType;
    } cases[] = {
        {"vcdimg_pal", "pal-vcd", "VCD 2.0 detected"},
        {"svcdimg_pal", "pal-svcd", "SVCD detected"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shortName);
        ConversionSucceeded();
        progress_.clear();
        disc::DiscJob job = OddJob(c.shortName);
        fs::remove_all(job.workingFolder);
        MakeClips(job.workingFolder, c.target, "mpg");
        disc::DiscRun run = Run();
        disc::RunVcdImaging(job, state_, run);
        channel_.DispatchPending();

        ASSERT_EQ(engine::LoadField(Record().result_code), engine::kResultSuccess) << ReadAll(launcher_.LogPath());
        const std::string cue = ReadAll(state_.discFolder + "/VideoCD.cue");
        EXPECT_TRUE(cue.starts_with("FILE \"VideoCD.bin\" BINARY")) << cue;
        EXPECT_EQ(Count(cue, std::regex("TRACK \\d+ MODE2/2352")), 3u) << "the data track and one per source\n" << cue;
        EXPECT_EQ(fs::directory_iterator(state_.discFolder)->path().parent_path(), state_.discFolder);
        EXPECT_EQ(std::distance(fs::directory_iterator(state_.discFolder), fs::directory_iterator()), 2)
            << "the image and its cue sheet, no staging folder";

        ProgramRun info = RunProgram("vcd-info", {"--cue-file", state_.discFolder + "/VideoCD.cue"});
        EXPECT_NE(info.output.find("entries: 2"), std::string::npos) << info.output;
        EXPECT_NE(info.output.find(c.discType), std::string::npos) << info.output;
        EXPECT_EQ(Stages(), (std::set<std::int32_t>{3, 4}));
    }
}

TEST_F(DiscMediaTest, StoppedVcdLeavesNoImage)
{
    disc::DiscJob job = Job("vcdimg");
    MakeClips(job.workingFolder, "pal-vcd", "mpg", 1);
    engine::StoreField(Record().abort_request, 1);
    disc::DiscRun run = Run();
    disc::RunVcdImaging(job, state_, run);
    EXPECT_EQ(engine::LoadField(Record().result_code), engine::kResultStopped);
    EXPECT_FALSE(fs::exists(state_.discFolder)) << "no image, no cue sheet, no staging folder";
}
