// Disc steps with the real tools on tiny clips made at test time and
// converted by the encoder with the shipped disc profiles, the way a job
// converts them; the results are read back with lsdvd and vcd-info.
#include "DiscRunFixture.h"

#include "AvmRunner.h"
#include "disc/DvdAuthoring.h"
#include "disc/VcdImaging.h"
#include "disc/VcdXmlWriter.h"
#include "engine/CommandLine.h"
#include "engine/OutputNaming.h"

#include <fcntl.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>

namespace fs = std::filesystem;

namespace {

std::string ReadAll(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
}

std::size_t Count(const std::string& text, const std::regex& pattern)
{
    return static_cast<std::size_t>(std::distance(std::sregex_iterator(text.begin(), text.end(), pattern), std::sregex_iterator()));
}

// A named pipe that the test feeds, so that the tool reading it is
// certainly still running when the stop comes.
class FedPipe {
public:
    explicit FedPipe(const std::string& path)
    {
        EXPECT_EQ(::mkfifo(path.c_str(), 0600), 0) << path;
        // Read and write: the open does not wait for a reader, and a reader
        // waits for more instead of seeing the end.
        descriptor_ = ::open(path.c_str(), O_RDWR | O_NONBLOCK);
        EXPECT_GE(descriptor_, 0) << path;
    }
    ~FedPipe() { ::close(descriptor_); }

    void Feed(const std::string& bytes)
    {
        EXPECT_EQ(::write(descriptor_, bytes.data(), bytes.size()), static_cast<ssize_t>(bytes.size()));
    }
    // True once the reader has taken everything fed so far.
    bool Drained() const
    {
        int waiting = -1;
        return ::ioctl(descriptor_, FIONREAD, &waiting) == 0 && waiting == 0;
    }

private:
    int descriptor_ = -1;
};

class DiscMediaTest : public testing_support::DiscRunFixture {
protected:
    // A job whose folders hold a blank, quotes, non-ASCII letters and a
    // component with a leading dash.
    disc::DiscJob OddJob(const std::string& shortName) const
    {
        disc::DiscJob job = Job(shortName);
        job.outputFolder = folder_.Path() + "Out \"dir\"/";
        job.workingFolder = folder_.Path() + "-wörk & co/__tempFolder__/";
        return job;
    }

    // Chooses PAL for the profile: the second template, frame size and rate.
    void ChoosePal(const std::string& shortName)
    {
        profiles::ProfileChoice& choice = *catalogue_.Choice(SlotOf(shortName));
        choice.video_tvtype = choice.video_size = choice.video_frame = 1;
    }

    // Converts count two-second clips with the job's profile into the
    // numbered files of its working folder, as the conversion job does.
    void ConvertClips(const disc::DiscJob& job, int count = 2)
    {
        const int slot = SlotOf(job.profileShortName);
        ASSERT_GE(slot, 0);
        fs::create_directories(job.workingFolder);
        for (int n = 1; n <= count; ++n) {
            const std::string clip = folder_.Path() + "clip " + std::to_string(n) + ".avi";
            if (!fs::exists(clip))
                testing_support::MakeTestClip(clip, 2);
            const std::string output =
                engine::SourceOutputName(*catalogue_.Profile(slot), clip, job.outputFolder, job.workingFolder, n);
            ASSERT_EQ(output, engine::NumberedPath(job.workingFolder, n, fs::path(output).extension().string()));
            StartConversion(slot, Probed(clip), output);
            WaitForTool();
            ASSERT_EQ(engine::LoadField(Record().result_code), engine::kResultSuccess) << ToolLog();
        }
        progress_.clear();
    }

    // The title-set options the job takes from the profile and its choices.
    disc::DvdTitleSettings TitleSettings(const std::string& shortName, int dvdChapter)
    {
        const int slot = SlotOf(shortName);
        const profiles::OutputProfile& profile = *catalogue_.Profile(slot);
        const profiles::ProfileChoice& choice = *catalogue_.Choice(slot);
        return {choice.video_tvtype,
                profile.video_aspect.At(choice.video_aspect),
                profile.video_width.At(choice.video_size),
                profile.video_height.At(choice.video_size),
                profile.audio_codec.At(choice.audio_codec),
                dvdChapter};
    }

    std::string Lsdvd(const std::string& folder)
    {
        std::string listing;
        EXPECT_TRUE(avm_test::RunProgram({"lsdvd", "-c", "-v", folder}, &listing)) << listing;
        return listing;
    }

    // Runs a disc tool as the program does and returns result_code.
    std::int32_t RunTool(const std::string& path, const engine::Arguments& arguments,
                         const std::function<void()>& onPump = [] {})
    {
        engine::PrepareDiscRun(Record());
        EXPECT_TRUE(launcher_.StartEngine(path, arguments));
        WaitForTool(onPump);
        return engine::LoadField(Record().result_code);
    }

    // A pump that sets abort_request once ready() holds; it gives up waiting
    // after a while so that a broken tool fails the test instead of hanging it.
    std::function<void()> StopWhen(std::function<bool()> ready, bool& stoppedMidRun)
    {
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
        return [this, ready, deadline, &stoppedMidRun] {
            channel_.DispatchPending();
            if (engine::LoadField(Record().abort_request) == 1)
                return;
            stoppedMidRun = ready();
            if (stoppedMidRun || std::chrono::steady_clock::now() > deadline)
                engine::StoreField(Record().abort_request, 1);
        };
    }
};

}  // namespace

TEST_F(DiscMediaTest, DvdFolderPlaysEverySourceInOneTitleWithAChapterAtEachStart)
{
    disc::DiscJob job = OddJob("disc-dvdimg");
    ChoosePal(job.profileShortName);
    ConvertClips(job);
    state_ = RunDvd(job, TitleSettings(job.profileShortName, 0));
    channel_.DispatchPending();

    ASSERT_EQ(engine::LoadField(Record().result_code), engine::kResultSuccess) << ToolLog();
    const std::string disc = job.outputFolder + "MyDisc";
    EXPECT_EQ(state_.finalName.Path(), disc);
    for (const char* file : {"VIDEO_TS.IFO", "VTS_01_0.IFO", "VTS_01_1.VOB"})
        EXPECT_TRUE(fs::is_regular_file(disc + "/VIDEO_TS/" + file)) << file;
    EXPECT_TRUE(fs::is_directory(disc + "/AUDIO_TS"));
    const std::string listing = Lsdvd(disc);
    EXPECT_EQ(Count(listing, std::regex(R"(\nTitle: \d+)")), 1u) << listing;
    EXPECT_NE(listing.find("Length: 00:00:04"), std::string::npos) << "both sources in the title\n" << listing;
    EXPECT_NE(listing.find("Format: PAL"), std::string::npos) << listing;
    EXPECT_EQ(Count(listing, std::regex(R"(Chapter: \d+, Length: 00:00:02)")), 2u)
        << "a chapter at the start of each source\n" << listing;
    EXPECT_EQ(Stages(), (std::set<std::int32_t>{1, 2}));
}

TEST_F(DiscMediaTest, DvdChapterListsMarkEveryIntervalOfEveryFile)
{
    disc::DiscJob job = Job("disc-dvdimg");
    ConvertClips(job);
    const std::string out = folder_.Path() + "chapters";
    engine::Arguments arguments = {"-sfm", job.recordName, "-o", out, "-v", "ntsc+720x480+16:9 ", "-a", "ac3+en"};
    for (const char* file : {"001.vob", "002.vob"})
        arguments.insert(arguments.end(), {"-c", "0,1", "-f", job.workingFolder + file});
    ASSERT_EQ(RunTool(engine::DvdToolPath(), arguments), engine::kResultSuccess) << ToolLog();
    ASSERT_EQ(RunTool(engine::DvdToolPath(), disc::BuildDvdContentsArguments(job, out)), engine::kResultSuccess)
        << ToolLog();
    const std::string listing = Lsdvd(out);
    EXPECT_NE(listing.find("Chapters: 04, Cells: 04"), std::string::npos) << "marks at 0 s and 1 s of each file\n"
                                                                          << listing;
}

TEST_F(DiscMediaTest, DvdStoppedMidRunLeavesNoDiscFolder)
{
    disc::DiscJob job = Job("disc-dvdimg");
    ConvertClips(job, 1);
    // The second source comes through a pipe: dvdauthor has authored the
    // first and is waiting inside the second when the stop comes.
    FedPipe secondSource(engine::NumberedPath(job.workingFolder, 2, ".vob"));
    secondSource.Feed(ReadAll(engine::NumberedPath(job.workingFolder, 1, ".vob")).substr(0, 16 * 2048));
    bool stoppedMidRun = false;
    state_ = RunDvd(job, TitleSettings(job.profileShortName, 0),
                    StopWhen([&] { return secondSource.Drained(); }, stoppedMidRun));

    EXPECT_TRUE(stoppedMidRun) << ToolLog();
    EXPECT_EQ(engine::LoadField(Record().result_code), engine::kResultStopped) << ToolLog();
    EXPECT_FALSE(fs::exists(state_.discFolder)) << "the half-written title set went, and its folder with it";
}

TEST_F(DiscMediaTest, TableOfContentsNeedsATitleSet)
{
    disc::DiscJob job = Job("disc-dvdimg");
    ConversionSucceeded();
    fs::create_directories(folder_.Path() + "empty/VIDEO_TS");
    EXPECT_EQ(RunTool(engine::DvdToolPath(), disc::BuildDvdContentsArguments(job, folder_.Path() + "empty")),
              engine::kResultFailed);
    EXPECT_TRUE(fs::is_empty(folder_.Path() + "empty/VIDEO_TS"));
}

TEST_F(DiscMediaTest, VcdAndSvcdImagesHoldATrackPerSource)
{
    const struct {
        const char* shortName;
        bool pal;
        const char* discType;
    } cases[] = {
        {"disc-vcdimg", false, "VCD 2.0 detected"},
        {"disc-svcdimg", true, "SVCD detected"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shortName);
        disc::DiscJob job = OddJob(c.shortName);
        fs::remove_all(job.workingFolder);
        if (c.pal)
            ChoosePal(c.shortName);
        ConvertClips(job);
        state_ = RunVcd(job);
        channel_.DispatchPending();

        ASSERT_EQ(engine::LoadField(Record().result_code), engine::kResultSuccess) << ToolLog();
        const std::string disc = state_.finalName.Path();
        EXPECT_FALSE(fs::exists(state_.discFolder));
        const std::string cue = ReadAll(disc + "/VideoCD.cue");
        EXPECT_TRUE(cue.starts_with("FILE \"VideoCD.bin\" BINARY")) << cue;
        EXPECT_EQ(Count(cue, std::regex("TRACK \\d+ MODE2/2352")), 3u) << "the data track and one per source\n" << cue;
        EXPECT_EQ(std::distance(fs::directory_iterator(disc), fs::directory_iterator()), 2)
            << "the image and its cue sheet, no staging folder";

        std::string info;
        avm_test::RunProgram({"vcd-info", "--cue-file", disc + "/VideoCD.cue"}, &info);
        EXPECT_NE(info.find("entries: 2"), std::string::npos) << info;
        EXPECT_NE(info.find(c.discType), std::string::npos) << info;
        EXPECT_EQ(Stages(), (std::set<std::int32_t>{3, 4}));
    }
}

TEST_F(DiscMediaTest, VcdStoppedMidRunLeavesNoImage)
{
    disc::DiscJob job = Job("disc-vcdimg");
    ConvertClips(job);
    disc::VcdXmlWriter writer;
    for (int n = 1; n <= 2; ++n)
        writer.AddSequenceItem(engine::NumberedPath(job.workingFolder, n, ".mpg"));
    const std::string document = writer.Document("Test", "Test");
    // vcdxbuild reads the description through a pipe and is still waiting
    // for its end when the stop comes.
    const std::string description = folder_.Path() + "vcd.xml";
    FedPipe pipe(description);
    pipe.Feed(document.substr(0, document.size() / 2));
    const std::string discFolder = folder_.Path() + "image";
    fs::create_directories(discFolder);

    bool stoppedMidRun = false;
    const std::int32_t result = RunTool(engine::VcdToolPath(), *disc::BuildVcdArguments(job, description, discFolder),
                                        StopWhen([&] { return pipe.Drained(); }, stoppedMidRun));

    EXPECT_TRUE(stoppedMidRun) << ToolLog();
    EXPECT_EQ(result, engine::kResultStopped) << ToolLog();
    EXPECT_TRUE(fs::is_empty(discFolder)) << "no image, no cue sheet, no staging folder";
}
