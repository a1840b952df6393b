#pragma once
// The job that Convert starts: every ticked source through the encoder,
// then the join or the disc authoring the mode or profile asks for, the
// clean-up and the final message. It runs on the window's thread and pumps
// its messages while a tool runs.
#include "engine/ProgressReport.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace app {
class UserDialogs;
}

namespace profiles {
struct OutputProfile;
struct ProfileChoice;
}  // namespace profiles

namespace engine {

class EngineLauncher;
class EngineStatusBlock;
class JobView;
struct Disks;

class ConversionJob {
public:
    // Disc steps run after the sources were converted into the working folder.
    using DiscStep = std::function<void(const std::string& workingFolder)>;

    ConversionJob(JobView& view, EngineStatusBlock& block, EngineLauncher& launcher, app::UserDialogs& dialogs,
                  ProgressReport& progress, std::int32_t notifyWindow, const Disks& disks);

    void SetDiscSteps(DiscStep authorDvd, DiscStep makeVcdImage);

    // The product decides between converting and joining unless a front
    // end chooses for itself; nullopt returns the choice to the product.
    void SetJoinerMode(std::optional<bool> joiner) { joinerModeChoice_ = joiner; }

    void OnConvert();
    // Asks, then sets the stop request for the running tool.
    void OnStop();
    // Sets the stop request without asking: the user has already decided.
    void RequestStop();

    bool Busy() const { return busy_; }
    // What the progress display needs to know about the running step.
    ProgressReport::JobPhase Phase() const;
    void SetDvdTotal(std::uint32_t megabytes) { dvdTotalMB_ = megabytes; }

private:
    enum class Step { Idle, Converting, Joining, Disc };
    enum class RowOutcome { Next, LeaveLoop, EncoderMissing };

    bool CheckPreconditions(const profiles::OutputProfile& profile);
    RowOutcome ConvertRow(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice);
    void Join(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice);
    void SetBusy(bool busy);
    void CleanUp(bool reportFailure);
    void Tell(const std::string& text);
    std::int32_t ResultCode() const;
    std::string JoinFailureMessage(const profiles::OutputProfile& profile) const;
    void WaitForEngine();

    JobView& view_;
    EngineStatusBlock& block_;
    EngineLauncher& launcher_;
    app::UserDialogs& dialogs_;
    ProgressReport& progress_;
    std::int32_t notifyWindow_;
    const Disks& disks_;
    DiscStep authorDvd_, makeVcdImage_;

    bool busy_ = false;
    Step step_ = Step::Idle;
    int currentRow_ = 0;
    int tickedCount_ = 0;
    bool joinerMode_ = false;
    std::optional<bool> joinerModeChoice_;
    bool trimmed_ = false;
    std::uint32_t joinDuration_ = 0;
    std::string firstSourcePath_;
    std::int32_t firstSourceWidth_ = 0, firstSourceHeight_ = 0;
    std::string workingFolder_;
    std::string decodeScriptPath_;
    std::uint32_t dvdTotalMB_ = 0;
};

}  // namespace engine
