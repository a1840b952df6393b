#include "EncoderSpeed.h"

#include "engine/AdvancedChoices.h"
#include "engine/EngineArguments.h"

#include <algorithm>

namespace engine {

bool HasSpeedPresets(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice)
{
    const Arguments words = SplitWords(ChooseTemplate(profile, choice));
    const auto ovc = std::find(words.begin(), words.end(), "-ovc");
    if (ovc == words.end() || ovc + 1 == words.end())
        return false;
    const std::string& encoder = ovc[1];
    return encoder == "x264" || encoder == "x265" || encoder == "svtav1" || encoder == "vpx";
}

Arguments SpeedArguments(app::EncodeSpeed speed, const profiles::OutputProfile& profile,
                         const profiles::ProfileChoice& choice)
{
    if (speed == app::EncodeSpeed::Balanced || !HasSpeedPresets(profile, choice))
        return {};
    return {"-speed", kSpeedWords[static_cast<std::size_t>(speed)]};
}

}  // namespace engine
