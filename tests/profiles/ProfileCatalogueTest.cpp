#include "profiles/ProfileCatalogue.h"
#include "support/TestFolder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

using testing_support::TestFolder;

namespace {

// Two whole profiles: one that converts and a disc profile whose TV type
// picks the template.
const std::string kWhole =
    "; profiles for the tests\r\n"
    "[MP4 Vidéo]\r\n"
    "profile_shortname=generic-mp4\r\n"
    "file_extname=.mp4\r\n"
    "video_codec={MPEG4}\r\n"
    "video_quality={High,Low}\r\n"
    "video_bitrate={1800, 800}\r\n"
    "video_size={Original,320x240}\r\n"
    "video_width={0,320}\r\n"
    "video_height={0,240}\r\n"
    "video_frame={Original,25}\r\n"
    "video_aspect={Auto}\r\n"
    "audio_codec={AAC}\r\n"
    "audio_quality={128 kbps}\r\n"
    "audio_bitrate={128}\r\n"
    "audio_sample={44100}\r\n"
    "flag_psp=yes\r\n"
    "command1=-ovc lavc -lavcopts vcodec=__video_codec__:vbitrate=__video_bitrate__ -srate __audio_sample__ "
    "__output_format__\r\n"
    "joincmd=-ovc copy -oac copy\r\n"
    "\r\n"
    "[DVD]\r\n"
    "profile_shortname=disc-dvd\r\n"
    "file_extname=.mpg\r\n"
    "video_quality={High}\r\n"
    "video_bitrate={6000}\r\n"
    "video_size={720x480,720x576}\r\n"
    "video_width={720,720}\r\n"
    "video_height={480,576}\r\n"
    "video_frame={29.97,25}\r\n"
    "video_aspect={4:3 (Standard)}\r\n"
    "video_tvtype={NTSC,PAL}\r\n"
    "audio_quality={192 kbps}\r\n"
    "audio_bitrate={192}\r\n"
    "command1=-ofps 30000/1001 __output_format__\r\n"
    "command2=-ofps 25 __output_format__\r\n"
    "joincmd=-ovc copy -oac copy -of mpeg\r\n";

// kWhole with the first piece replaced by another.
std::string Changed(const std::string& piece, const std::string& replacement)
{
    std::string text = kWhole;
    const std::size_t at = text.find(piece);
    EXPECT_NE(at, std::string::npos) << piece;
    return text.replace(at, piece.size(), replacement);
}

// Writes readable profile data, scrambles it into "dsp_data.dll" and loads
// it through the readable copy "copy.bin".
class CatalogueFiles : public ::testing::Test {
protected:
    std::string Load(const std::string& readable)
    {
        folder_.Write("plain.ini", readable);
        profiles::UnscrambleFile(Path("plain.ini"), profiles::kProfileKey, Path("dsp_data.dll"));
        return profiles::LoadProfileCatalogue(catalogue_, Path("dsp_data.dll"), Path("copy.bin"));
    }
    std::string Path(const std::string& name) const { return folder_.Path() + name; }

    TestFolder folder_;
    profiles::ProfileCatalogue catalogue_;
};

}  // namespace

TEST_F(CatalogueFiles, WholeDataGivesEveryProfileInFileOrder)
{
    ASSERT_EQ(Load(kWhole), "");
    EXPECT_FALSE(std::filesystem::exists(Path("copy.bin")));
    ASSERT_EQ(catalogue_.Count(), 2);

    const profiles::OutputProfile& mp4 = *catalogue_.Profile(0);
    EXPECT_EQ(mp4.name, "MP4 Vidéo");
    EXPECT_EQ(mp4.profile_shortname, "generic-mp4");
    EXPECT_EQ(mp4.video_bitrate.At(1), 800);
    EXPECT_EQ(mp4.flag_psp, 1);
    EXPECT_EQ(mp4.command2, "");
    EXPECT_EQ(catalogue_.Profile(1)->video_tvtype.Count(), 2);

    EXPECT_EQ(catalogue_.Profile(2), nullptr);
    EXPECT_EQ(catalogue_.Profile(-1), nullptr);
    EXPECT_EQ(catalogue_.Choice(2), nullptr);
    EXPECT_EQ(catalogue_.Choice(0)->showprofile, 1);
    EXPECT_EQ(catalogue_.Choice(0)->video_letterbox, 1);
}

TEST_F(CatalogueFiles, AProfileThatLacksWhatTheProgramNeedsIsNamed)
{
    const std::string mp4 = "is damaged: profile 1 \"MP4 Vidéo\" ";
    const std::string dvd = "is damaged: profile 2 \"DVD\" ";
    const struct {
        std::string text;
        std::string problem;
    } cases[] = {
        {Changed("joincmd=-ovc copy -oac copy\r\n", ""), mp4 + "has no join template (joincmd)"},
        {Changed("command1=-ofps 30000/1001 __output_format__", "command1="), dvd + "has no video template (command1)"},
        {Changed("video_size={Original,320x240}\r\n", ""), mp4 + "has no frame size list (video_size)"},
        {Changed("video_aspect={Auto}", "video_aspect={}"), mp4 + "has no entries in its aspect ratio list (video_aspect)"},
        {Changed("video_aspect={Auto}", "video_aspect=Auto"),
         mp4 + "has its aspect ratio list (video_aspect) not written as {a,b,c}"},
        {Changed("video_aspect={Auto}", "video_aspect={Auto}}"),
         mp4 + "has its aspect ratio list (video_aspect) not written as {a,b,c}"},
        {Changed("{1800, 800}", "{1800}"),
         mp4 + "has fewer entries in its video bitrate list (video_bitrate) than in its video quality list "
               "(video_quality)"},
        {Changed("{1800, 800}", "{1800,8(0}"),
         mp4 + "has \"8(0\" as entry 2 of its video bitrate list (video_bitrate), which is no whole number"},
        {Changed("{1800, 800}", "{1800,2147483648}"),
         mp4 + "has \"2147483648\" as entry 2 of its video bitrate list (video_bitrate), which is no whole number"},
        {Changed("{High,Low}", "{High,}"), mp4 + "has an empty entry 2 of its video quality list (video_quality)"},
        {Changed("{High,Low}", "{High," + std::string(32, 'L') + "}"),
         mp4 + "has more than 31 characters in entry 2 of its video quality list (video_quality)"},
        {Changed("{MPEG4}", "{A,B,C,D,E,F,G,H,I,J,K,L,M,N,O,P}"),
         mp4 + "has more than 15 entries in its video codec list (video_codec)"},
        {Changed("video_codec={MPEG4}\r\n", ""),
         mp4 + "uses __video_codec__ in its video template (command1) but has no video codec list (video_codec)"},
        {Changed("command1=-ovc lavc", "command1=" + std::string(1100, 'c')),
         mp4 + "has its video template (command1) longer than 1023 characters"},
        {Changed("generic-mp4", "gadget-mp4"),
         mp4 + "belongs to no known device category (short name \"gadget-mp4\")"},
        {Changed("file_extname=.mp4", "file_extname="), mp4 + "has no file extension (file_extname)"},
        {Changed("file_extname=.mp4", "file_extname=mp4"),
         mp4 + "has its file extension (file_extname) without the leading dot"},
        {Changed("flag_psp=yes", "flag_psp=yds"), mp4 + "has its PSP flag (flag_psp) neither yes nor no"},
        {Changed("command2=-ofps 25 __output_format__\r\n", ""), dvd + "has no second video template (command2)"},
        {Changed("video_frame={29.97,25}", "video_frame={29.97}"),
         dvd + "has fewer entries in its frame rate list (video_frame) than in its TV type list (video_tvtype)"},
        {Changed("flag_psp=yes", "flag_onlyaudio=yes"),
         mp4 + "has the audio-only flag (flag_onlyaudio) but no -novideo in its video template (command1)"},
        {Changed("command1=-ovc lavc", "command1=-novideo -oac lavc -novideos"),
         mp4 + "has -novideo in its video template (command1) but not the audio-only flag (flag_onlyaudio)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        ASSERT_EQ(Load(kWhole), "");
        EXPECT_EQ(Load(c.text), c.problem);
        EXPECT_EQ(catalogue_.Count(), 0) << "the catalogue is whole or empty";
        EXPECT_FALSE(std::filesystem::exists(Path("copy.bin")));
    }
}

TEST_F(CatalogueFiles, TextThatDoesNotReadBackAsWrittenIsNamedByLine)
{
    std::string many;
    for (int i = 0; i < 128; ++i)
        many += Changed("[DVD]", "[DVD " + std::to_string(i) + "]").substr(kWhole.find("[DVD]"));
    const struct {
        std::string text;
        std::string problem;
    } cases[] = {
        {"", "it holds no profile"},
        {"; nothing but a comment\n\n", "it holds no profile"},
        {kWhole.substr(0, kWhole.size() - 1), "it ends in the middle of line 36"},
        {Changed("[DVD]", "{DVD]"), "line 21 is neither a profile name, a key nor a comment"},
        {Changed("[DVD]", "[DVD"), "line 21 is no profile name in brackets"},
        {Changed("[DVD]", "[ ]"), "line 21 is no profile name in brackets"},
        {Changed("[DVD]", "[D]VD]"), "line 21 is no profile name in brackets"},
        {Changed("[DVD]", "[mp4 vidéo]"), "line 21 names the profile \"mp4 vidéo\" a second time"},
        {Changed("video_size={720", "vidao_size={720"), "line 26 has the unknown key \"vidao_size\""},
        {Changed("video_size={720", "VIDEO_SIZE={720"), "line 26 has the unknown key \"VIDEO_SIZE\""},
        {Changed("{NTSC,PAL}", "{NTSC,PAL}\r\nvideo_size={1}"), "line 32 repeats the key \"video_size\" of its profile"},
        {"file_extname=.x\r\n" + kWhole, "line 1 comes before the first profile name"},
        {Changed("High", "Hi\x01gh"), "line 6 holds bytes that are no text"},
        {Changed("High", "Hi\rgh"), "line 6 holds bytes that are no text"},
        {Changed("High", "Hi\xffgh"), "line 6 holds bytes that are no text"},
        {Changed("Vidéo", "Vid\xc3"), "line 2 holds bytes that are no text"},
        {kWhole.substr(0, kWhole.find("[DVD]")) + many, "it holds more than 127 profiles"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.problem);
        EXPECT_EQ(Load(c.text), "is damaged: " + c.problem);
        EXPECT_EQ(catalogue_.Count(), 0);
    }
}

TEST_F(CatalogueFiles, AFileThatCannotBeReadIsNamedSo)
{
    ASSERT_EQ(Load(kWhole), "");
    EXPECT_EQ(profiles::LoadProfileCatalogue(catalogue_, Path("missing.dll"), Path("copy.bin")), "is missing");
    EXPECT_EQ(catalogue_.Count(), 0);

    std::filesystem::create_directory(Path("folder.dll"));
    EXPECT_EQ(profiles::LoadProfileCatalogue(catalogue_, Path("folder.dll"), Path("copy.bin")), "cannot be read");
    EXPECT_EQ(profiles::LoadProfileCatalogue(catalogue_, Path("dsp_data.dll"), Path("gone/copy.bin")),
              "cannot be unpacked into " + Path("gone/copy.bin"));
    EXPECT_EQ(profiles::LoadProfileCatalogue(catalogue_, Path("dsp_data.dll"), ""),
              "cannot be unpacked: there is no private temporary folder");
    EXPECT_EQ(catalogue_.Count(), 0);
}
