#include "OutputProfile.h"

#include "ini/PrivateProfile.h"

namespace profiles {

namespace {

// List values are read through a buffer of this many characters.
constexpr std::size_t kListValueLength = 2047;

class SectionReader {
public:
    SectionReader(const ini::PrivateProfile& data, const std::string& section) : data_(data), section_(section) {}

    std::string Text(const char* key, std::size_t maxLength) const { return data_.GetString(section_, key, "", maxLength); }

    template <std::size_t Slots>
    void List(const char* key, TextList<Slots>& list) const
    {
        std::string value = Text(key, kListValueLength);
        if (!value.empty())
            ParseTextList(value, list.slots);
    }

    template <std::size_t Slots>
    void List(const char* key, NumberList<Slots>& list) const
    {
        std::string value = Text(key, kListValueLength);
        if (!value.empty())
            ParseNumberList(value, list.numbers);
    }

    // 1 when the value begins with "yes" (exact case).
    std::int32_t Flag(const char* key) const { return Text(key, 3) == "yes" ? 1 : 0; }

private:
    const ini::PrivateProfile& data_;
    const std::string& section_;
};

}  // namespace

OutputProfile ReadOutputProfile(const ini::PrivateProfile& data, const std::string& section)
{
    const SectionReader read(data, section);
    OutputProfile profile;
    profile.name = section.substr(0, OutputProfile::kNameLength);
    profile.profile_shortname = read.Text("profile_shortname", OutputProfile::kShortNameLength);
    profile.kind = ParseProfileKind(profile.profile_shortname);
    profile.file_extname = read.Text("file_extname", OutputProfile::kExtensionLength);
    read.List("video_codec", profile.video_codec);
    read.List("video_quality", profile.video_quality);
    read.List("video_bitrate", profile.video_bitrate);
    read.List("video_qscale", profile.video_qscale);
    read.List("video_size", profile.video_size);
    read.List("video_width", profile.video_width);
    read.List("video_height", profile.video_height);
    read.List("video_frame", profile.video_frame);
    read.List("video_aspect", profile.video_aspect);
    read.List("video_tvtype", profile.video_tvtype);
    read.List("audio_codec", profile.audio_codec);
    read.List("audio_quality", profile.audio_quality);
    read.List("audio_bitrate", profile.audio_bitrate);
    read.List("audio_sample", profile.audio_sample);
    profile.flag_onlyaudio = read.Flag("flag_onlyaudio");
    profile.flag_psp = read.Flag("flag_psp");
    profile.command1 = read.Text("command1", OutputProfile::kCommandLength);
    profile.command2 = read.Text("command2", OutputProfile::kCommandLength);
    profile.joincmd = read.Text("joincmd", OutputProfile::kJoinCommandLength);
    return profile;
}

}  // namespace profiles
