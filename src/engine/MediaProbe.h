#pragma once
// Finds out whether the encoder can read a file, and what it holds: the
// encoder's identify run opens the file, writes its facts into the record
// and decodes its first picture and sound. On success the facts become a
// new source item.
#include "app/JobSettings.h"
#include "app/UserDialogs.h"
#include "engine/CommandLine.h"
#include "engine/SourceItem.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <utility>

namespace engine {

class EngineLauncher;
class EngineStatusBlock;

class MediaProbe {
public:
    // What the probe has to tell (a file it cannot read, and why) goes to reporter.
    MediaProbe(EngineStatusBlock& block, EngineLauncher& launcher, app::Reporter& reporter,
               std::int32_t notifyWindow);

    // Starts probing path: the encoder reads the file directly, through its
    // decode script, or (Auto) directly and then through the script. Nothing
    // waits: Busy() holds while an encoder run goes on, and the caller's event
    // loop calls OnToolEvent() when the encoder's exit descriptor becomes
    // readable (or on a timer). Once not busy, TakeResult() gives the outcome.
    void Start(const std::string& path, app::DecodeEngine decoder);
    bool Busy() const { return step_ != Step::Done; }
    void OnToolEvent();
    // The new item, or nothing after the user was told why not; taken once.
    std::optional<SourceItem> TakeResult() { return std::exchange(result_, std::nullopt); }
    // Gives up the probe under way without a word: the caller ends the
    // encoder run itself. The probe's decode script is removed.
    void Abandon();

    // Start() and wait, calling between every slice while the encoder runs;
    // for front ends without an event loop of their own.
    std::optional<SourceItem> ProbeSource(const std::string& path, app::DecodeEngine decoder,
                                          const std::function<void()>& between);

private:
    enum class Step { Done, Direct, ViaScript };

    void StartDirect();
    void StartViaScript();
    // Starts an identify run on input; false when it could not start.
    bool StartRun(const std::string& input);
    bool RunSucceeded() const;
    // Moves on from an ended (or unstarted) run.
    void AfterRun();
    void Fail();
    SourceItem ItemFromRecord(bool viaScript) const;

    EngineStatusBlock& block_;
    EngineLauncher& launcher_;
    app::Reporter& reporter_;
    std::int32_t notifyWindow_;
    std::string path_;
    app::DecodeEngine decoder_ = app::DecodeEngine::Auto;
    Step step_ = Step::Done;
    std::string scriptPath_;
    // Why the first run failed: the direct read tells most.
    std::string firstReason_;
    std::optional<SourceItem> result_;
};

// The encoder's arguments for identifying input.
Arguments ProbeArguments(const std::string& recordName, const std::string& input);

// The video bit rate of a file with a picture when the encoder reported
// none: the file's average rate less the audio's when the audio's is known
// (audioBitrate 0 is unknown), the whole average when the file has no audio
// stream (audioBitrate nullopt), else none. In kbit/s (1 kbit = 1024 bits);
// below 10 it counts as none.
std::int32_t EstimateVideoBitrate(std::int32_t reported, std::optional<std::int32_t> audioBitrate,
                                  std::uint64_t fileBytes, std::uint32_t durationSeconds);

}  // namespace engine
