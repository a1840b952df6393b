#pragma once
// The job that Convert starts: every row of its JobSpec through the
// encoder, several rows at once where the settings allow, then the join or
// the disc authoring the mode or profile asks for, the clean-up and the
// final message. The job never waits: Start() launches the first tools and
// returns, and the front end's event loop advances it with OnToolEvent()
// when one of ExitDescriptors() becomes readable and OnTick() on a timer
// while it is busy.
//
// The front end's record and launcher run the first row, the join and the
// disc steps; each further row run at once gets a record, launcher and
// progress socket of its own, which the job opens when first needed and
// keeps for later jobs.
#include "app/Notice.h"
#include "engine/JobSpec.h"
#include "engine/JobTexts.h"
#include "engine/OutputNaming.h"
#include "engine/ProgressReport.h"
#include "engine/ToolSequence.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

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
    // A running tool may have ended.
    void OnToolEvent();
    // The exit descriptors of the tools running now.
    std::vector<int> ExitDescriptors() const;
    // A progress message from the front end's socket, which the tools on
    // the front end's record send to.
    void OnProgress(std::int32_t stage, std::int32_t value);
    // Called with each launcher the job opens for a further run, so that
    // front ends can follow its tools as they follow their own launcher's.
    void SetLauncherObserver(std::function<void(EngineLauncher&)> observer) { launcherObserver_ = std::move(observer); }
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
    struct OwnedRunner;
    // One row's conversion in progress, or being prepared.
    struct RowRun {
        std::size_t rowIndex = 0;
        std::string outputPath;                // what the run writes
        std::optional<OutputName> finalName;   // where outputPath goes once complete
        bool videoCopied = false;              // the picture is copied, not encoded
    };
    // What runs one row at a time: a record and its launcher.
    struct Runner {
        EngineStatusBlock& block;
        EngineLauncher& launcher;
        std::string decodeScriptPath;
        std::unique_ptr<OwnedRunner> owned;  // none for the front end's
        std::optional<RowRun> run;
    };

    app::Outcome CheckPreconditions();
    // Opens runners until `count` are there (fewer when records run out).
    void OpenRunners(std::size_t count);
    // Starts rows on the idle runners, in list order; moves on to the join
    // or disc step once no row runs and none is left.
    void ConvertRows();
    // Starts the next row on runner; false when the row ended at once.
    bool StartRow(Runner& runner);
    // Chooses the output of a row: a numbered part in the working folder,
    // or the partial file of its final name in the output folder.
    RowRun PlanRowOutput(std::size_t rowIndex) const;
    // Whether a running row writes path.
    bool PartialNameTaken(const std::string& path) const;
    // Gives the finished output of a run its final name; the result code
    // the run ends with (kResultFailed when the rename failed).
    std::int32_t CommitOutput(std::int32_t result, const std::optional<OutputName>& finalName,
                              const std::string& outputPath, EngineStatusBlock& block);
    // Shows the row's outcome; reason says why a failed run failed, and
    // with reasonInSummary the final message says it beside the file.
    RowOutcome FinishRow(const RowRun& run, std::int32_t result, EngineStatusBlock& block,
                         const std::string& reason = {}, bool reasonInSummary = false);
    // The run on runner has ended.
    void EndRowRun(Runner& runner);
    // Stops the rows still running, for a join or disc that cannot be made.
    void LeaveRows();
    void DispatchRunnerProgress();
    void ShowRunProgress(const std::optional<RowRun>& run, std::uint32_t stage, std::int32_t value);
    bool RowsRunning() const;
    void AfterConversions();
    void StartJoin();
    void FinishJoin();
    void RunDiscSteps();
    void Finish();
    // How the job ended, for a message outside the window.
    JobEnd Ending() const;
    // The final message of a job that converts each row to a file of its own.
    void ReportConversions();
    // The final message of a join or disc job, whose rows make one output.
    void ReportOneOutput();
    // The final message with the button that opens the output folder.
    void OfferOutputFolder(const app::Notice& notice);
    // Why the run that just ended failed, as its log tells.
    std::string RunReason(const EngineLauncher& launcher) const;
    app::NoticeId DiscFailure() const;
    void Abandon();
    void EndJobLogs();
    void SetBusy(Step step);
    void CleanUp(bool reportFailure);
    void Tell(app::NoticeId id, std::vector<std::string> args = {});
    std::int32_t ResultCode() const;
    app::NoticeId JoinFailure() const;

    JobView& view_;
    EngineStatusBlock& block_;
    EngineLauncher& launcher_;
    app::UserDialogs& dialogs_;
    ProgressReport& progress_;
    std::int32_t notifyWindow_;
    const Disks& disks_;
    DiscSteps discSteps_;
    std::function<void(EngineLauncher&)> launcherObserver_;
    std::vector<Runner> runners_;  // [0] runs on the front end's record

    JobSpec spec_;
    Step step_ = Step::Idle;
    std::size_t nextRow_ = 0;     // the first row not started yet
    std::size_t parallel_ = 1;    // runners this job uses
    bool stopping_ = false;       // the user asked to stop
    bool stopped_ = false;        // a run ended stopped, or rows were kept from starting
    bool leaving_ = false;        // the rows are given up: the one output cannot be made
    bool abandoned_ = false;      // an encoder could not be started
    bool trimmed_ = false;
    std::uint32_t joinDuration_ = 0;
    std::string outputPath_;  // what the join run writes
    std::optional<OutputName> finalName_;  // where outputPath_ goes once complete
    std::string madePath_;                 // where the last complete output went
    std::string workingFolder_;
    std::unique_ptr<ToolSequence> discSequence_;
    std::uint32_t dvdTotalMB_ = 0;
    // The outcome so far, for the final message.
    int convertedRows_ = 0;
    std::vector<std::string> failedNames_;  // file names, for the final message
    std::optional<app::Notice> outputFailure_;  // of a join or disc job
};

}  // namespace engine
