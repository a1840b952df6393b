#pragma once
// The job that Convert starts: every row of its JobSpec through the
// encoder, then the join or the disc authoring the mode or profile asks
// for, the clean-up and the final message. The job never waits: Start()
// launches the first tool and returns, and the front end's event loop
// advances it with OnToolEvent() when the tool's exit descriptor becomes
// readable and OnTick() on a timer while it is busy.
#include "app/Notice.h"
#include "engine/JobSpec.h"
#include "engine/OutputNaming.h"
#include "engine/ProgressReport.h"
#include "engine/ToolSequence.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace app {
class UserDialogs;
}

namespace engine {

class EngineLauncher;
class EngineStatusBlock;
class JobView;
struct Disks;

class ConversionJob {
public:
    // The disc step for a DVD-folder or VCD/SVCD-image job, run after the
    // rows were converted into workingFolder.
    using DiscSteps = std::function<std::unique_ptr<ToolSequence>(const JobSpec& spec, const std::string& workingFolder)>;

    // How often the front end calls OnTick() while the job is busy.
    static constexpr int kTickMs = 50;

    ConversionJob(JobView& view, EngineStatusBlock& block, EngineLauncher& launcher, app::UserDialogs& dialogs,
                  ProgressReport& progress, std::int32_t notifyWindow, const Disks& disks);
    ~ConversionJob();

    void SetDiscSteps(DiscSteps discSteps) { discSteps_ = std::move(discSteps); }

    // Checks the job, asks what needs asking and starts the first run; the
    // job is Busy() from then until its final message.
    void Start(JobSpec spec);
    // The running tool may have ended.
    void OnToolEvent();
    // Ends a tool that ignores a stop request after the grace periods, and
    // notices an ended tool where the system gives no exit descriptor.
    void OnTick();
    // Asks, then sets the stop request for the running tool.
    void OnStop();
    // Sets the stop request without asking: the user has already decided.
    void RequestStop();

    bool Busy() const { return step_ != Step::Idle; }
    // What the progress display needs to know about the running step.
    ProgressReport::JobPhase Phase() const;
    void SetDvdTotal(std::uint32_t megabytes) { dvdTotalMB_ = megabytes; }

private:
    enum class Step { Idle, Converting, Joining, Disc };
    enum class RowOutcome { Next, LeaveLoop };

    app::Outcome CheckPreconditions();
    // Starts the rows from rowIndex_ on until one runs; moves on to the
    // join or disc step after the last.
    void ConvertRows();
    // Chooses the output of the current row: a numbered part in the working
    // folder, or the partial file of its final name in the output folder.
    void PlanRowOutput();
    // Gives the finished output of a run its final name; the result code
    // the run ends with (kResultFailed when the rename failed).
    std::int32_t CommitOutput(std::int32_t result);
    // Shows the row's outcome; reason says why a failed run failed, and
    // with reasonInSummary the final message says it beside the file.
    RowOutcome FinishRow(std::int32_t result, const std::string& reason = {}, bool reasonInSummary = false);
    void AfterConversions();
    void StartJoin();
    void FinishJoin();
    void RunDiscSteps();
    void Finish();
    // The final message of a job that converts each row to a file of its own.
    void ReportConversions();
    // The final message of a join or disc job, whose rows make one output.
    void ReportOneOutput();
    // The final message with the button that opens the output folder.
    void OfferOutputFolder(const app::Notice& notice);
    // Why the run that just ended failed, as its log tells.
    std::string RunReason() const;
    app::NoticeId DiscFailure() const;
    void Abandon();
    void SetBusy(Step step);
    void CleanUp(bool reportFailure);
    void Tell(app::NoticeId id, std::vector<std::string> args = {});
    std::int32_t ResultCode() const;
    app::NoticeId JoinFailure() const;
    const JobRow& CurrentRow() const { return spec_.rows.at(rowIndex_); }

    JobView& view_;
    EngineStatusBlock& block_;
    EngineLauncher& launcher_;
    app::UserDialogs& dialogs_;
    ProgressReport& progress_;
    std::int32_t notifyWindow_;
    const Disks& disks_;
    DiscSteps discSteps_;

    JobSpec spec_;
    Step step_ = Step::Idle;
    std::size_t rowIndex_ = 0;
    bool trimmed_ = false;
    bool videoCopied_ = false;  // the running row's picture is copied, not encoded
    std::uint32_t joinDuration_ = 0;
    std::string outputPath_;  // what the run in progress writes
    std::optional<OutputName> finalName_;  // where outputPath_ goes once complete
    std::string madePath_;                 // where the last complete output went
    std::string workingFolder_;
    std::string decodeScriptPath_;
    std::unique_ptr<ToolSequence> discSequence_;
    std::uint32_t dvdTotalMB_ = 0;
    // The outcome so far, for the final message.
    int convertedRows_ = 0;
    std::vector<std::string> failedNames_;  // file names, for the final message
    std::optional<app::Notice> outputFailure_;  // of a join or disc job
};

}  // namespace engine
