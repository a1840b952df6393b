#pragma once
// The user's choices kept between runs in "savedata.dll" beside the
// program: section "main" and one section per output profile. The store
// holds the profile catalogue, whose slots carry the per-profile choices.
#include "JobSettings.h"
#include "profiles/ProfileCatalogue.h"

#include <string>

namespace app {

// "$HOME/OutputFolder/" and "$HOME/": the first-run output folder and the
// folder the Add Files dialog first opens in.
std::string DefaultOutputFolder();
std::string DefaultAddFilesFolder();

class SettingsStore {
public:
    // Section "main", in file order.
    std::string OutputFolder = DefaultOutputFolder();        // ends with '/'
    std::string AddFilesInitDir = DefaultAddFilesFolder();  // where the Add Files dialog opens
    int DecodeEngine = 0;         // 0 Auto, 1 built-in decoder, 2 decode script
    int OutputFormat = 0;         // catalogue slot of the current profile; negative = none
    int CPUUsage = 0;             // 0 = 100 %, 1 = 85 %, 2 = 70 %
    std::string DiscLabel = "MyDisc";
    std::string LanguageFileName = "English";
    int Volume = 8;               // row of the audio volume list; 8 = unchanged
    int DVDChapter = 2;           // row of the DVD chapter list; 2 = 15 minutes
    int Speed = 1;                // row of the speed list; 1 = Balanced
    int psp_id = 1;               // kept and written back unchanged
    int pspavc_id = 1;            // kept and written back unchanged
    int CopyFitting = 1;          // 1 = copy streams that already fit the profile
    int SimultaneousConversions = 0;  // rows converted at once, 1..4; 0 = Automatic
    int KeepSourceList = 1;       // 1 = the window keeps its source list in queue.ini and restores it at start

    // What to do when the job is done (WhenDone); chosen per run, never saved.
    int whenDone = 0;

    profiles::ProfileCatalogue catalogue;

    // Reads section "main" and the choices of every catalogue profile from
    // the file; missing keys (or a missing file) give the defaults. So does
    // a value that is no whole number or out of its range (an index past its
    // list, a relative folder, ...), with one line on standard error naming
    // it. The path is kept for SaveSettings.
    void LoadSettings(const std::string& path);
    // Writes every value back in one atomic rewrite of the file, keeping
    // sections and keys it does not know. Returns 1 on success, 0 on failure.
    int SaveSettings() const;

    const std::string& Path() const { return path_; }

    // The values a job starts with.
    JobSettings ForJob() const;

private:
    std::string path_;
};

// The settings of the running program.
SettingsStore& Settings();

}  // namespace app
