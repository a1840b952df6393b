#include "SpeedPresets.h"

#include "SubOptionValues.h"

#include <array>

namespace avm {

namespace {

// Up to two settings per speed; an unused one has no option.
using SpeedSettings = std::array<EncoderSetting, 2>;

struct SpeedRow {
    VideoEncoder encoder;
    SpeedSettings faster;
    SpeedSettings better;
};

constexpr SpeedRow kSpeedRows[] = {
    {VideoEncoder::X264, {{{"preset", "veryfast"}}}, {{{"preset", "slow"}}}},
    {VideoEncoder::X265, {{{"preset", "veryfast"}}}, {{{"preset", "slow"}}}},
    {VideoEncoder::SvtAv1, {{{"preset", "10"}}}, {{{"preset", "6"}}}},
    {VideoEncoder::Vpx, {{{"deadline", "realtime"}, {"cpu-used", "4"}}}, {{{"deadline", "good"}, {"cpu-used", "2"}}}},
};

}  // namespace

std::vector<EncoderSetting> SpeedSettingsFor(VideoEncoder encoder, EncoderSpeed speed)
{
    std::vector<EncoderSetting> settings;
    if (speed == EncoderSpeed::Balanced)
        return settings;
    for (const SpeedRow& row : kSpeedRows) {
        if (row.encoder != encoder)
            continue;
        for (const EncoderSetting& setting : speed == EncoderSpeed::Faster ? row.faster : row.better)
            if (setting.option)
                settings.push_back(setting);
    }
    return settings;
}

void ApplySpeed(AVCodecContext* encoder, const AvmOptions& options)
{
    for (const EncoderSetting& setting : SpeedSettingsFor(options.videoEncoder, options.speed))
        Set(encoder, setting.option, setting.value, "-speed");
}

}  // namespace avm
