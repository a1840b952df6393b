#pragma once
// Finds out whether the encoder can read a file, and what it holds, by a
// real test encode of its first three seconds; on success the facts the
// encoder wrote into the record become a new source item.
#include "app/JobSettings.h"
#include "engine/CommandLine.h"
#include "engine/SourceItem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace app {
class UserDialogs;
}

namespace engine {

class EngineLauncher;
class EngineStatusBlock;

class MediaProbe {
public:
    MediaProbe(EngineStatusBlock& block, EngineLauncher& launcher, app::UserDialogs& dialogs,
               std::function<void()> pump, std::int32_t notifyWindow);

    // The item for path, or nothing after the user was told why not.
    std::optional<SourceItem> ProbeSource(const std::string& path, app::DecodeEngine decoder);

    // 1 when the encoder read the file directly, else 0.
    int TestEncode(const std::string& path);
    // 1 when the encoder read the file through its decode script, else 0.
    int TestEncodeViaScript(const std::string& path);

private:
    int RunTestEncode(const std::string& input);
    SourceItem ItemFromRecord(const std::string& path, bool viaScript) const;
    void Tell(const std::string& text) const;

    EngineStatusBlock& block_;
    EngineLauncher& launcher_;
    app::UserDialogs& dialogs_;
    std::function<void()> pump_;
    std::int32_t notifyWindow_;
};

// The probe's arguments for input, writing the test output to output.
Arguments ProbeArguments(const std::string& recordName, const std::string& input, const std::string& output);

// The video bit rate when the encoder reported none but an audio bit rate:
// the file's average rate less the audio's, in kbit/s (1 kbit = 1024 bits);
// below 10 it counts as none.
std::int32_t EstimateVideoBitrate(std::int32_t reported, std::int32_t audioBitrate, std::uint64_t fileBytes,
                                  std::uint32_t durationSeconds);

}  // namespace engine
