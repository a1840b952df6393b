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
#include <utility>

namespace app {
class UserDialogs;
}

namespace engine {

class EngineLauncher;
class EngineStatusBlock;

class MediaProbe {
public:
    MediaProbe(EngineStatusBlock& block, EngineLauncher& launcher, app::UserDialogs& dialogs,
               std::int32_t notifyWindow);

    // Starts probing path: the encoder reads the file directly, through its
    // decode script, or (Auto) directly and then through the script. Nothing
    // waits: Busy() holds while a test encode runs, and the caller's event
    // loop calls OnToolEvent() when the encoder's exit descriptor becomes
    // readable (or on a timer). Once not busy, TakeResult() gives the outcome.
    void Start(const std::string& path, app::DecodeEngine decoder);
    bool Busy() const { return step_ != Step::Done; }
    void OnToolEvent();
    // The new item, or nothing after the user was told why not; taken once.
    std::optional<SourceItem> TakeResult() { return std::exchange(result_, std::nullopt); }

    // Start() and wait, calling between every slice while the encoder runs;
    // for front ends without an event loop of their own.
    std::optional<SourceItem> ProbeSource(const std::string& path, app::DecodeEngine decoder,
                                          const std::function<void()>& between);

private:
    enum class Step { Done, Direct, ViaScript };

    void StartDirect();
    void StartViaScript();
    // Starts a test encode of input; false when it could not start.
    bool StartTestEncode(const std::string& input);
    bool TestEncodeSucceeded();
    // Moves on from an ended (or unstarted) test encode.
    void AfterTestEncode();
    void Fail();
    SourceItem ItemFromRecord(bool viaScript) const;

    EngineStatusBlock& block_;
    EngineLauncher& launcher_;
    app::UserDialogs& dialogs_;
    std::int32_t notifyWindow_;
    std::string path_;
    app::DecodeEngine decoder_ = app::DecodeEngine::Auto;
    Step step_ = Step::Done;
    std::string scriptPath_;
    // Why the first test encode failed: the direct read tells most.
    std::string firstReason_;
    std::optional<SourceItem> result_;
};

// The probe's arguments for input, writing the test output to output.
Arguments ProbeArguments(const std::string& recordName, const std::string& input, const std::string& output);

// The video bit rate when the encoder reported none but an audio bit rate:
// the file's average rate less the audio's, in kbit/s (1 kbit = 1024 bits);
// below 10 it counts as none.
std::int32_t EstimateVideoBitrate(std::int32_t reported, std::int32_t audioBitrate, std::uint64_t fileBytes,
                                  std::uint32_t durationSeconds);

}  // namespace engine
