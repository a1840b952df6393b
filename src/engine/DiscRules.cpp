#include "DiscRules.h"

#include "profiles/ProfileMarkers.h"

#include <algorithm>
#include <array>

namespace engine {

DiscCapacity DiscCapacityFor(const profiles::ProfileKind& kind, int videoQuality)
{
    using Table = std::array<DiscCapacity, 4>;
    static constexpr Table dvd = {{{225, 5, 30, 210}, {195, 5, 15, 180}, {165, 5, 15, 150}, {135, 5, 15, 120}}};
    static constexpr Table svcd = {{{55, 1, 5, 50}, {49, 1, 5, 45}, {45, 1, 5, 41}, {43, 1, 5, 38}}};
    static constexpr Table vcd = {{{130, 2, 20, 124}, {120, 1, 10, 104}, {96, 1, 10, 84}, {85, 1, 10, 74}}};
    const Table& table = kind.dvdImage ? dvd : kind.svcdImage ? svcd : vcd;
    return table[std::clamp(videoQuality, 0, 3)];
}

DiscLabelProblem CheckDiscLabelText(const std::string& label)
{
    if (label.empty())
        return DiscLabelProblem::Empty;
    if (label.find_first_of("\"*/:<>?\\|'&;#") != std::string::npos)
        return DiscLabelProblem::SpecialCharacter;
    return DiscLabelProblem::None;
}

app::Outcome CheckDiscLabel(const profiles::OutputProfile* profile, const std::string& label)
{
    if (!profile || !profiles::IsDiscImage(*profile))
        return app::Outcome::Success();
    switch (CheckDiscLabelText(label)) {
    case DiscLabelProblem::Empty:
        return app::Notice{app::NoticeId::DiscLabelEmpty};
    case DiscLabelProblem::SpecialCharacter:
        return app::Notice{app::NoticeId::DiscLabelSpecialCharacter};
    case DiscLabelProblem::None:
        break;
    }
    return app::Outcome::Success();
}

int WholeMinutes(double seconds)
{
    return static_cast<int>(seconds * 0.016666668);
}

}  // namespace engine
