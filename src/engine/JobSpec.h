#pragma once
// Everything a conversion job works from, fixed when it starts: a copy of
// the profile and the user's choices for it, the job settings and the rows
// to convert. The job, the argument builder and the disc steps read only this.
#include "app/JobSettings.h"
#include "engine/SourceItem.h"
#include "profiles/OutputProfile.h"
#include "profiles/ProfileMarkers.h"
#include "profiles/ProfileChoice.h"

#include <vector>

namespace engine {

struct JobRow {
    int listRow = 0;  // where the source stands in the front end's list
    SourceItem item;
};

struct JobSpec {
    profiles::OutputProfile profile;
    profiles::ProfileChoice choice;
    app::JobSettings settings;
    bool joinerMode = false;    // join the rows into one file
    std::vector<JobRow> rows;  // the ticked rows, in list order
};

// Whether the job makes one output (a joined file, a DVD folder or a
// VCD/SVCD image) rather than one per row.
inline bool MakesOneOutput(const JobSpec& spec)
{
    return spec.joinerMode || profiles::IsDvdImage(spec.profile) || profiles::IsVcdImage(spec.profile);
}

}  // namespace engine
