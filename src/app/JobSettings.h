#pragma once
// The settings a conversion job runs with, taken from the settings store
// when the job starts, so that nothing the user changes during a run
// reaches it.
#include <string>

namespace app {

// How sources are read: by the encoder itself, through the decode script,
// or the encoder first and the script as fall-back.
enum class DecodeEngine { Auto = 0, BuiltIn = 1, Script = 2 };

// The share of the processors the encoder may use: 100 %, 85 % or 70 %.
enum class CpuUsage { Full = 0, Most = 1, Part = 2 };

// How the encoders with speed presets (x264, x265, SVT-AV1, VP9) trade
// speed against quality; Balanced keeps the profiles' own settings. The
// values are the rows of the speed list (engine/AdvancedChoices.h).
enum class EncodeSpeed { Faster = 0, Balanced = 1, Better = 2 };

// What happens once a job is done (and was not stopped), after a
// countdown the user can cancel.
enum class WhenDone { Nothing = 0, ShutDown = 1, Suspend = 2, Quit = 3 };

// Rows of the volume list (see engine/AdvancedChoices.h): row 8 keeps the
// volume, each row below or above it lowers or raises it by 2 dB.
struct VolumeRow {
    int row = 8;
    int Decibels() const { return 2 * row - 16; }
};

struct JobSettings {
    DecodeEngine decoder = DecodeEngine::Auto;
    CpuUsage cpuUsage = CpuUsage::Full;
    VolumeRow volume;
    int dvdChapterRow = 2;     // row of the DVD chapter list
    EncodeSpeed speed = EncodeSpeed::Balanced;
    std::string outputFolder;  // ends with '/'
    std::string discLabel;
    bool copyFitting = true;    // copy streams that already fit the profile instead of encoding them
    int parallelRuns = 1;       // rows converted at once; 0 picks from the processors and frame size
    WhenDone whenDone = WhenDone::Nothing;
};

// The stored number of a decoder, CPU usage or when-done action; values outside the lists
// count as the first entry.
DecodeEngine DecodeEngineFrom(int stored);
CpuUsage CpuUsageFrom(int stored);
WhenDone WhenDoneFrom(int stored);
// The stored row of the speed list; values outside it count as Balanced.
EncodeSpeed EncodeSpeedFrom(int stored);

}  // namespace app
