#include "JoinFormats.h"

#include "profiles/ProfileMarkers.h"

#include <strings.h>

namespace engine {

bool SameJoinFormat(const SourceItem& a, const SourceItem& b)
{
    return a.width == b.width && a.height == b.height && a.sampleRate == b.sampleRate &&
           ::strcasecmp(a.audioCodec.c_str(), b.audioCodec.c_str()) == 0 &&
           ::strcasecmp(a.videoCodec.c_str(), b.videoCodec.c_str()) == 0;
}

app::Outcome CheckJoinFormats(const profiles::OutputProfile& profile, const std::vector<const SourceItem*>& ticked)
{
    if (!profiles::IsOriginal(profile))
        return app::Outcome::Success();
    for (std::size_t i = 1; i < ticked.size(); ++i)
        if (!SameJoinFormat(*ticked[i - 1], *ticked[i]))
            return app::Notice{app::NoticeId::JoinNeedsOneFormat};
    return app::Outcome::Success();
}

}  // namespace engine
