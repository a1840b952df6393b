#include "SpeedPresets.h"

#include "SubOptionValues.h"

namespace avm {

namespace {

struct SpeedRow {
    VideoEncoder encoder;
    const char* option;
    const char* faster;
    const char* better;
};

constexpr SpeedRow kSpeedRows[] = {
    {VideoEncoder::X264, "preset", "veryfast", "slow"},
    {VideoEncoder::X265, "preset", "veryfast", "slow"},
    {VideoEncoder::SvtAv1, "preset", "10", "6"},
    {VideoEncoder::Vpx, "cpu-used", "6", "2"},
};

}  // namespace

std::optional<SpeedSetting> SpeedSettingFor(VideoEncoder encoder, EncoderSpeed speed)
{
    if (speed == EncoderSpeed::Balanced)
        return std::nullopt;
    for (const SpeedRow& row : kSpeedRows)
        if (row.encoder == encoder)
            return SpeedSetting{row.option, speed == EncoderSpeed::Faster ? row.faster : row.better};
    return std::nullopt;
}

void ApplySpeed(AVCodecContext* encoder, const AvmOptions& options)
{
    if (std::optional<SpeedSetting> setting = SpeedSettingFor(options.videoEncoder, options.speed))
        Set(encoder, setting->option, setting->value, "-speed");
}

}  // namespace avm
