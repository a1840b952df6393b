#include "engine/QueueFile.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>

using namespace engine;
using testing_support::FileNames;
using testing_support::TestFolder;

namespace {

TrackEntry Track(std::int32_t kind, std::int32_t id, const char* language, const char* title)
{
    TrackEntry track{};
    track.kind = kind;
    track.track_id = id;
    std::strncpy(track.language, language, sizeof track.language - 1);
    std::strncpy(track.title, title, sizeof track.title - 1);
    return track;
}

QueueRow Row(const std::string& path)
{
    QueueRow row;
    row.item.path = path;
    row.item.duration = 95;
    row.item.trimEnd = 95;
    row.status = "--";
    return row;
}

// Every value a row keeps, set to something other than its default.
QueueRow FullRow()
{
    QueueRow row = Row("/media/Urlaub \"Süd\" = Teil 1; -x\\y\t.mkv");
    SourceItem& item = row.item;
    item.trimStart = 12;
    item.trimEnd = 80;
    item.trimStartMs = 250;
    item.trimEndMs = 999;
    item.videoCodec = "h264";
    item.videoProfile = "High 4:2:2";
    item.videoLevel = 41;
    item.frameRate = 30000.0 / 1001.0;
    item.videoBitrate = 4500;
    item.width = 1920;
    item.height = 1080;
    item.audioCodec = "ac3";
    item.audioBitrate = 448;
    item.sampleRate = 48000;
    item.channels = 6;
    item.soundOnly = true;
    item.subtitleFile = " /subs/-leading dash and trailing blank.srt ";
    item.subtitleCodePage = "CP1251";
    item.subtitleFont = "DejaVuSans.ttf";
    item.subtitleCharset = 4;
    item.subtitleTextSize = 5;
    item.tracks[0] = Track(kTrackAudio, 128, "deu", "Kommentar, mit \"Regie\"=an");
    item.tracks[1] = Track(kTrackAudio, 129, "eng", "");
    item.tracks[2] = Track(kTrackSubtitle, 0, "fra", "tab\there\\back");
    item.audioTrack = 1;
    item.subtitleTrack = 0;
    item.decodeViaDirectShow = 1;
    row.ticked = false;
    row.status = "Done (copied)";
    row.reason = "avm: line one\nline two\r\n";
    row.runOutput = "/out/.Urlaub.mkv.1000-4242.part";
    return row;
}

void ExpectSameRow(const QueueRow& a, const QueueRow& b)
{
    EXPECT_EQ(a.item.path, b.item.path);
    EXPECT_EQ(a.ticked, b.ticked);
    EXPECT_EQ(a.status, b.status);
    EXPECT_EQ(a.reason, b.reason);
    EXPECT_EQ(a.runOutput, b.runOutput);
    const SourceItem& x = a.item;
    const SourceItem& y = b.item;
    EXPECT_EQ(std::tie(x.duration, x.trimStart, x.trimEnd, x.trimStartMs, x.trimEndMs, x.videoLevel, x.videoBitrate,
                       x.width, x.height, x.audioBitrate, x.sampleRate, x.channels, x.soundOnly),
              std::tie(y.duration, y.trimStart, y.trimEnd, y.trimStartMs, y.trimEndMs, y.videoLevel, y.videoBitrate,
                       y.width, y.height, y.audioBitrate, y.sampleRate, y.channels, y.soundOnly));
    EXPECT_EQ(x.frameRate, y.frameRate) << "the rate comes back to the last bit";
    EXPECT_EQ(std::tie(x.videoCodec, x.videoProfile, x.audioCodec, x.subtitleFile, x.subtitleCodePage, x.subtitleFont),
              std::tie(y.videoCodec, y.videoProfile, y.audioCodec, y.subtitleFile, y.subtitleCodePage, y.subtitleFont));
    EXPECT_EQ(std::tie(x.subtitleCharset, x.subtitleTextSize, x.audioTrack, x.subtitleTrack, x.decodeViaDirectShow),
              std::tie(y.subtitleCharset, y.subtitleTextSize, y.audioTrack, y.subtitleTrack, y.decodeViaDirectShow));
    for (std::size_t i = 0; i < x.tracks.size(); ++i) {
        SCOPED_TRACE("track " + std::to_string(i));
        EXPECT_EQ(x.tracks[i].kind, y.tracks[i].kind);
        EXPECT_EQ(x.tracks[i].track_id, y.tracks[i].track_id);
        EXPECT_STREQ(x.tracks[i].language, y.tracks[i].language);
        EXPECT_STREQ(x.tracks[i].title, y.tracks[i].title);
    }
}

QueueState ThreeRows()
{
    QueueState state;
    state.rows = {FullRow(), Row("/plain/a.avi"), Row("-starts with a dash=.mp4")};
    state.rows[1].ticked = true;
    state.jobRunning = true;
    state.joinRunOutput = "/out/__tempFolder__1000-4242-abcdef/001.mpg";
    return state;
}

}  // namespace

TEST(QueueFile, EveryValueOfEveryRowComesBackThroughTheFile)
{
    TestFolder folder;
    const std::string path = folder.Make("config/queue.ini");
    const QueueState saved = ThreeRows();
    ASSERT_TRUE(SaveQueue(path, saved));

    const QueueLoad loaded = LoadQueue(path);
    ASSERT_TRUE(loaded.state) << loaded.error;
    EXPECT_FALSE(loaded.missing);
    EXPECT_TRUE(loaded.state->jobRunning);
    EXPECT_EQ(loaded.state->joinRunOutput, saved.joinRunOutput);
    ASSERT_EQ(loaded.state->rows.size(), saved.rows.size());
    for (std::size_t i = 0; i < saved.rows.size(); ++i) {
        SCOPED_TRACE("row " + std::to_string(i));
        ExpectSameRow(loaded.state->rows[i], saved.rows[i]);
    }
    struct stat info {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u) << "the list names the user's files";
    EXPECT_EQ(FileNames(folder.Path() + "config"), std::vector<std::string>{"queue.ini"}) << "no temporary file stays";
}

TEST(QueueFile, SavingReplacesTheWholeFileAndFailsWithoutAFolder)
{
    TestFolder folder;
    const std::string path = folder.Path() + "queue.ini";
    ASSERT_TRUE(SaveQueue(path, ThreeRows()));
    QueueState shorter;
    shorter.rows = {Row("/only/one.avi")};
    ASSERT_TRUE(SaveQueue(path, shorter));
    const QueueLoad loaded = LoadQueue(path);
    ASSERT_TRUE(loaded.state) << loaded.error;
    ASSERT_EQ(loaded.state->rows.size(), 1u);
    EXPECT_EQ(loaded.state->rows[0].item.path, "/only/one.avi");
    EXPECT_FALSE(loaded.state->jobRunning);

    EXPECT_FALSE(SaveQueue(folder.Path() + "no/such/folder/queue.ini", shorter));
}

// Whatever damage a file has, it is refused with a reason, never read in part.
TEST(QueueFile, DamagedFilesAreRefusedWithAReason)
{
    const std::string whole = FormatQueue(ThreeRows());
    const std::size_t rowCount = whole.find("Rows=");
    const struct {
        const char* what;
        std::string text;
    } cases[] = {
        {"empty", ""},
        {"garbage", "\x7f" "ELF\x02\x01\x01\0\0\0 binary"},
        {"another ini file", "[main]\nOutputFolder=/home/x/\n"},
        {"cut in a row", whole.substr(0, whole.size() / 2)},
        {"cut before the end mark", whole.substr(0, whole.size() - 6)},
        {"a row too few", whole.substr(0, rowCount) + "Rows=4" + whole.substr(rowCount + 6)},
        {"a number that is none", whole.substr(0, whole.find("Width=")) + "Width=wide\n" +
                                      whole.substr(whole.find('\n', whole.find("Width=")) + 1)},
        {"a bad escape", whole.substr(0, whole.find("Status=")) + "Status=\\q\n" +
                             whole.substr(whole.find('\n', whole.find("Status=")) + 1)},
        {"a line without a key", whole.substr(0, whole.find("[End]")) + "what is this\n[End]\n"},
        {"text after the end", whole + "Path=/x.avi\n"},
        {"a track with three parts", whole.substr(0, whole.find("Track=")) + "Track=2\t128\teng\n" +
                                          whole.substr(whole.find('\n', whole.find("Track=")) + 1)},
        {"another version", "[Queue]\nVersion=2\nRows=0\nJobRunning=0\n[End]\n"},
        {"a row without a file", "[Queue]\nVersion=1\nRows=1\nJobRunning=0\n[Row]\nTicked=1\n[End]\n"},
    };
    for (const auto& c : cases) {
        const QueueRead read = ParseQueue(c.text);
        EXPECT_FALSE(read.state) << c.what;
        EXPECT_NE(read.error, "") << c.what;
    }
}
