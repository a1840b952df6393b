#include "JoinFormats.h"

#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "lang/IniTextFile.h"
#include "profiles/ProfileMarkers.h"

#include <strings.h>


namespace engine {

bool SameJoinFormat(const SourceItem& a, const SourceItem& b)
{
    return a.width == b.width && a.height == b.height && a.sampleRate == b.sampleRate &&
           ::strcasecmp(a.audioCodec.c_str(), b.audioCodec.c_str()) == 0 &&
           ::strcasecmp(a.videoCodec.c_str(), b.videoCodec.c_str()) == 0;
}

int CheckJoinFormats(const profiles::OutputProfile& profile, const std::vector<const SourceItem*>& ticked,
                     app::UserDialogs& dialogs)
{
    if (!profiles::IsOriginal(profile))
        return 1;
    for (std::size_t i = 1; i < ticked.size(); ++i) {
        if (!SameJoinFormat(*ticked[i - 1], *ticked[i])) {
            dialogs.Message("\n\n" + lang::Text("MainDialog", "Not original join") + "\n\n" +
                                lang::Text("MainDialog", "Same video format") + "\n\n",
                            app::Application().appName);
            return 0;
        }
    }
    return 1;
}

}  // namespace engine
