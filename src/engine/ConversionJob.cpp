#include "ConversionJob.h"

#include "DecodeScript.h"
#include "DiscRules.h"
#include "EngineArguments.h"
#include "EngineLauncher.h"
#include "EngineStatusBlock.h"
#include "JobView.h"
#include "JoinFormats.h"
#include "OutputFolderCheck.h"
#include "OutputNaming.h"
#include "ParallelRuns.h"
#include "PartialOutput.h"
#include "ProbePool.h"
#include "ProgressChannel.h"
#include "StreamCopyArguments.h"
#include "StreamFit.h"
#include "WorkingFolder.h"
#include "app/Application.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "lang/IniTextFile.h"
#include "platform/FileSystem.h"
#include "profiles/ProfileMarkers.h"

#include <filesystem>

namespace engine {

namespace {

std::string Text(const char* key)
{
    return lang::Text("MainDialog", key);
}

// In whole seconds, rounded: what the progress display and disk checks count.
std::int32_t TrimLength(const SourceItem& item)
{
    return static_cast<std::int32_t>((TrimLengthMs(item) + 500) / 1000);
}

int TotalMinutes(const std::vector<JobRow>& rows)
{
    double seconds = 0;
    for (const JobRow& row : rows)
        seconds += TrimLength(row.item);
    return WholeMinutes(seconds);
}

std::string FileName(const std::string& path)
{
    return std::filesystem::path(path).filename().string();
}

// Output of a run that did not succeed: the name was free before the run,
// so whatever stands there now is the run's partial file.
void RemovePartialOutput(const std::string& path)
{
    if (!path.empty() && platform::FileBytes(path))
        platform::RemoveFile(path);
}

}  // namespace

// A further runner's own record, launcher and progress socket.
struct ConversionJob::OwnedRunner {
    OwnedRunner(app::UserDialogs& dialogs, const platform::Clock& clock)
        : launcher(block, dialogs, clock), channel([this](std::int32_t stage, std::int32_t value) {
              if (onProgress)
                  onProgress(stage, value);
          })
    {
    }

    EngineStatusBlock block;
    EngineLauncher launcher;
    ProgressChannel channel;
    std::function<void(std::int32_t stage, std::int32_t value)> onProgress;
};

ConversionJob::ConversionJob(JobView& view, EngineStatusBlock& block, EngineLauncher& launcher,
                             app::UserDialogs& dialogs, ProgressReport& progress, std::int32_t notifyWindow,
                             const Disks& disks)
    : view_(view), block_(block), launcher_(launcher), dialogs_(dialogs), progress_(progress),
      notifyWindow_(notifyWindow), disks_(disks)
{
    runners_.push_back({block_, launcher_, {}, nullptr, std::nullopt});
}

ConversionJob::~ConversionJob() = default;

ProgressReport::JobPhase ConversionJob::Phase() const
{
    ProgressReport::JobPhase phase;
    phase.convertingRow = step_ == Step::Converting;
    phase.joining = step_ == Step::Joining;
    phase.dvdTotalMB = dvdTotalMB_;
    return phase;
}

void ConversionJob::Tell(app::NoticeId id, std::vector<std::string> args)
{
    dialogs_.Report({id, std::move(args)});
}

std::int32_t ConversionJob::ResultCode() const
{
    return LoadField(block_.Data()->result_code);
}

app::NoticeId ConversionJob::JoinFailure() const
{
    return profiles::IsOriginal(spec_.profile) ? app::NoticeId::OriginalJoinFailed : app::NoticeId::JoinFailed;
}

app::NoticeId ConversionJob::DiscFailure() const
{
    return profiles::IsVcdImage(spec_.profile) ? app::NoticeId::VcdImageFailed : app::NoticeId::DvdImageFailed;
}

void ConversionJob::SetBusy(Step step)
{
    const bool wasBusy = Busy();
    step_ = step;
    if (wasBusy == Busy())
        return;
    if (Busy())
        progress_.Start();
    view_.ShowBusy(Busy());
}

app::Outcome ConversionJob::CheckPreconditions()
{
    std::vector<const SourceItem*> items;
    for (const JobRow& row : spec_.rows)
        items.push_back(&row.item);
    if (app::Outcome joinable = CheckJoinFormats(spec_.profile, items); !joinable)
        return joinable;
    if (app::Outcome labelled = CheckDiscLabel(&spec_.profile, spec_.settings.discLabel); !labelled)
        return labelled;
    if (app::Outcome usable = PrepareOutputFolder(spec_.settings.outputFolder); !usable)
        return usable;
    return PrepareWorkingFolder({spec_.settings.outputFolder, spec_.profile, spec_.joinerMode,
                                 TotalMinutes(spec_.rows),
                                 DiscCapacityFor(spec_.profile.kind, spec_.choice.video_quality)
                                     .capacityMinutes},
                                dialogs_, disks_, workingFolder_);
}

void ConversionJob::Start(JobSpec spec)
{
    if (Busy()) {
        Tell(app::NoticeId::NotAllowedWhileBusy);
        return;
    }
    if (!block_.IsOpen()) {
        Tell(app::NoticeId::OutputFormatUnavailable);
        return;
    }
    spec_ = std::move(spec);
    runners_.front().decodeScriptPath.clear();
    if (const app::Outcome ready = CheckPreconditions(); !ready) {
        app::ReportFailure(dialogs_, ready);
        return;
    }
    for (const JobRow& row : spec_.rows) {
        view_.SetStatus(row.listRow, "--");
        view_.SetReason(row.listRow, "");
        view_.SetRunLog(row.listRow, "");
    }
    if (spec_.rows.empty()) {
        CleanUp(false);
        Tell(app::NoticeId::NoVideoTicked);
        return;
    }
    convertedRows_ = 0;
    failedNames_.clear();
    outputFailure_.reset();
    stopping_ = stopped_ = leaving_ = abandoned_ = false;
    parallel_ = static_cast<std::size_t>(ParallelRuns(spec_.settings.parallelRuns, spec_.rows, ProbeParallelism()));
    OpenRunners(parallel_);
    parallel_ = std::min(parallel_, runners_.size());
    for (Runner& runner : runners_)
        runner.launcher.BeginJobLogs();

    joinDuration_ = 0;
    trimmed_ = false;
    if (spec_.joinerMode) {
        for (const JobRow& row : spec_.rows) {
            joinDuration_ += static_cast<std::uint32_t>(TrimLength(row.item));
            trimmed_ = trimmed_ || TrimLengthMs(row.item) < std::int64_t{row.item.duration} * 1000;
        }
    }

    SetBusy(Step::Converting);
    std::vector<double> rowSeconds;
    for (const JobRow& row : spec_.rows)
        rowSeconds.push_back(static_cast<double>(TrimLengthMs(row.item)) / 1000.0);
    progress_.BeginRows(rowSeconds);
    nextRow_ = 0;
    // Sources joined as they are need no conversion.
    if (spec_.joinerMode && profiles::IsOriginal(spec_.profile) && !trimmed_) {
        StoreField(block_.Data()->result_code, kResultSuccess);
        // They count as converted: the join takes them as they are.
        nextRow_ = spec_.rows.size();
        convertedRows_ = static_cast<int>(spec_.rows.size());
        AfterConversions();
        return;
    }
    ConvertRows();
}

void ConversionJob::OpenRunners(std::size_t count)
{
    while (runners_.size() < count) {
        auto owned = std::make_unique<OwnedRunner>(dialogs_, launcher_.Clock());
        if (!owned->block.OpenForRun(app::Application().appSharedName))
            return;
        const std::size_t index = runners_.size();
        owned->channel.Open(owned->block.Name());
        owned->launcher.SetLogTag("run-" + std::to_string(index + 1));
        owned->onProgress = [this, index](std::int32_t stage, std::int32_t value) {
            ShowRunProgress(runners_.at(index).run, static_cast<std::uint32_t>(stage), value);
        };
        if (launcherObserver_)
            launcherObserver_(owned->launcher);
        Runner runner{owned->block, owned->launcher, ProbeScriptPath(owned->block.Name()), nullptr, std::nullopt};
        runner.owned = std::move(owned);
        runners_.push_back(std::move(runner));
    }
}

bool ConversionJob::RowsRunning() const
{
    return std::any_of(runners_.begin(), runners_.end(), [](const Runner& runner) { return runner.run.has_value(); });
}

void ConversionJob::ConvertRows()
{
    for (std::size_t index = 0; index < parallel_; ++index) {
        Runner& runner = runners_[index];
        while (!runner.run && !stopping_ && !stopped_ && !leaving_ && nextRow_ < spec_.rows.size()) {
            if (StartRow(runner))
                break;
        }
    }
    if (RowsRunning())
        return;
    if (abandoned_)
        Abandon();
    else
        AfterConversions();
}

bool ConversionJob::StartRow(Runner& runner)
{
    const std::size_t rowIndex = nextRow_++;
    const JobRow& row = spec_.rows.at(rowIndex);
    const SourceItem& item = row.item;
    EngineRecord& record = *runner.block.Data();
    PrepareConversionRun(record, notifyWindow_, static_cast<std::int32_t>(spec_.settings.cpuUsage),
                         TrimLength(item));
    StoreField(record.run_share, static_cast<std::int32_t>(parallel_));
    RowRun run = PlanRowOutput(rowIndex);
    std::string refusal;
    bool ready = true;
    if (item.soundOnly && !profiles::TakesSourceWithoutPicture(spec_.profile)) {
        refusal = Text("Source Has No Picture");
        ready = false;
    } else if (UsesDecodeScript(spec_.settings.decoder, item)) {
        if (runner.decodeScriptPath.empty())
            runner.decodeScriptPath = DecodeScriptPath();
        if (!WriteDecodeScript(item.path, runner.decodeScriptPath)) {
            Tell(app::NoticeId::DecoderSettingsNotWritten);
            ready = false;
        }
    }
    if (ready) {
        std::optional<FrameSize> firstSource;
        if (spec_.joinerMode)
            firstSource = FrameSize{spec_.rows.front().item.width, spec_.rows.front().item.height};
        Arguments arguments =
            BuildEngineArguments({item, spec_.profile, spec_.choice, spec_.settings.decoder, spec_.settings.volume,
                                  runner.block.Name(), run.outputPath,
                                  run.finalName ? run.finalName->extension : ExtensionOf(run.outputPath),
                                  firstSource, spec_.settings.speed});
        const StreamCopy copy = ChooseStreamCopy({item, spec_.profile, spec_.choice, spec_.settings, spec_.joinerMode});
        ApplyStreamCopy(arguments, copy);
        run.videoCopied = copy.video;
        if (!runner.launcher.StartEngine(EncoderPath(), arguments)) {
            // The encoder could not be started: the launcher has said so,
            // and the job ends without a message of its own.
            abandoned_ = true;
            LeaveRows();
            return false;
        }
        view_.SetHotRow(row.listRow);
        view_.RunStarted(row.listRow, run.outputPath);
        progress_.RowStarted(rowIndex);
        runner.run = std::move(run);
        return true;
    }
    progress_.RowEnded(rowIndex);
    if (FinishRow(run, kResultNotReported, runner.block, refusal, !refusal.empty()) == RowOutcome::LeaveLoop)
        LeaveRows();
    return false;
}

ConversionJob::RowRun ConversionJob::PlanRowOutput(std::size_t rowIndex) const
{
    const SourceItem& item = spec_.rows.at(rowIndex).item;
    const int number = static_cast<int>(rowIndex) + 1;
    RowRun run;
    run.rowIndex = rowIndex;
    if (spec_.joinerMode) {
        // Parts are numbered by row, so that the join takes them in list order
        // whichever finishes first.
        run.outputPath =
            NumberedPath(workingFolder_, number, OutputExtension(spec_.profile, spec_.rows.front().item.path));
    } else if (profiles::IsDiscImage(spec_.profile)) {
        run.outputPath = SourceOutputName(spec_.profile, item.path, spec_.settings.outputFolder, workingFolder_, number);
    } else {
        run.finalName = SourceFinalName(spec_.profile, item.path, spec_.settings.outputFolder);
        // Sources of the same name running at once write partial files of
        // their own; each takes its free final name once complete.
        while (PartialNameTaken(PartialPathFor(*run.finalName)))
            ++run.finalName->number;
        run.outputPath = PartialPathFor(*run.finalName);
    }
    return run;
}

bool ConversionJob::PartialNameTaken(const std::string& path) const
{
    return std::any_of(runners_.begin(), runners_.end(),
                       [&](const Runner& runner) { return runner.run && runner.run->outputPath == path; });
}

std::int32_t ConversionJob::CommitOutput(std::int32_t result, const std::optional<OutputName>& finalName,
                                         const std::string& outputPath, EngineStatusBlock& block)
{
    if (result != kResultSuccess || !finalName)
        return result;
    if (std::optional<std::string> made = CommitPartial(outputPath, *finalName)) {
        madePath_ = std::move(*made);
        return result;
    }
    Tell(app::NoticeId::MoveVideoFailed);
    StoreField(block.Data()->result_code, kResultFailed);
    return kResultFailed;
}

// A row that failed stays ticked, so that converting again retries it; the
// rows of a join or disc are unticked once their one output is made.
ConversionJob::RowOutcome ConversionJob::FinishRow(const RowRun& run, std::int32_t result, EngineStatusBlock& block,
                                                   const std::string& reason, bool reasonInSummary)
{
    result = CommitOutput(result, run.finalName, run.outputPath, block);
    const JobRow& row = spec_.rows.at(run.rowIndex);
    if (result == kResultSuccess) {
        ++convertedRows_;
        if (!MakesOneOutput(spec_))
            view_.SetTicked(row.listRow, false);
        view_.SetStatus(row.listRow, Text(run.videoCopied ? "Status Copied" : "Status OK"));
        if (run.finalName)
            view_.OutputMade(row.listRow, madePath_);
        return RowOutcome::Next;
    }
    RemovePartialOutput(run.outputPath);
    if (result == kResultStopped)
        stopped_ = true;
    if (result != kResultNotReported && result != kResultFailed)
        return RowOutcome::Next;
    view_.SetStatus(row.listRow, Text("Status Fail"));
    view_.SetReason(row.listRow, reason);
    const std::string name = FileName(row.item.path);
    failedNames_.push_back(reasonInSummary ? name + ": " + reason : name);
    if (!MakesOneOutput(spec_))
        return RowOutcome::Next;
    // The one output cannot be made without this row.
    const std::string failure = reason.empty() ? name : name + ": " + reason;
    outputFailure_ = app::Notice{spec_.joinerMode ? JoinFailure() : DiscFailure(), {failure}};
    return RowOutcome::LeaveLoop;
}

void ConversionJob::LeaveRows()
{
    leaving_ = true;
    for (Runner& runner : runners_)
        if (runner.run)
            StoreField(runner.block.Data()->abort_request, 1);
}

std::string ConversionJob::RunReason(const EngineLauncher& launcher) const
{
    const std::string reason = launcher.LastRunReason();
    return reason.empty() ? Text("No reason") : reason;
}

void ConversionJob::EndRowRun(Runner& runner)
{
    const RowRun run = std::move(*runner.run);
    runner.run.reset();
    const int listRow = spec_.rows.at(run.rowIndex).listRow;
    view_.SetRunLog(listRow, runner.launcher.LogPath());
    view_.RunEnded(listRow);
    progress_.RowEnded(run.rowIndex);
    if (LoadField(runner.block.Data()->abort_request) == 1) {
        RemovePartialOutput(run.outputPath);
        // A row given up for another row's failure was not stopped by the user.
        view_.SetStatus(listRow, stopping_ ? Text("Status Abortive") : "--");
        stopped_ = stopped_ || stopping_;
        return;
    }
    if (!RowsRunning())
        view_.SetHotRow(-1);
    const std::int32_t result = LoadField(runner.block.Data()->result_code);
    if (FinishRow(run, result, runner.block, result == kResultSuccess ? "" : RunReason(runner.launcher)) ==
        RowOutcome::LeaveLoop)
        LeaveRows();
}

void ConversionJob::OnToolEvent()
{
    if (!Busy())
        return;
    switch (step_) {
    case Step::Converting: {
        bool ended = false;
        for (Runner& runner : runners_) {
            if (!runner.run || !runner.launcher.Reap())
                continue;
            EndRowRun(runner);
            ended = true;
        }
        if (ended)
            ConvertRows();
        break;
    }
    case Step::Joining:
        if (launcher_.Reap())
            FinishJoin();
        break;
    case Step::Disc:
        if (!launcher_.Reap())
            break;
        if (const std::int32_t result = ResultCode(); result == kResultNotReported || result == kResultFailed)
            outputFailure_ = app::Notice{DiscFailure(), {RunReason(launcher_)}};
        else if (result == kResultStopped)
            stopped_ = true;
        RunDiscSteps();
        break;
    case Step::Idle:
        break;
    }
}

std::vector<int> ConversionJob::ExitDescriptors() const
{
    std::vector<int> descriptors;
    for (const Runner& runner : runners_)
        if (runner.launcher.Running())
            descriptors.push_back(runner.launcher.ExitDescriptor());
    return descriptors;
}

void ConversionJob::DispatchRunnerProgress()
{
    for (Runner& runner : runners_)
        if (runner.owned)
            runner.owned->channel.DispatchPending();
}

void ConversionJob::OnProgress(std::int32_t stage, std::int32_t value)
{
    ShowRunProgress(step_ == Step::Converting ? runners_.front().run : std::nullopt,
                    static_cast<std::uint32_t>(stage), value);
}

// Messages that arrive after the job has left the busy state (the last ones
// of a run, read while the final message box is open) change nothing.
void ConversionJob::ShowRunProgress(const std::optional<RowRun>& run, std::uint32_t stage, std::int32_t value)
{
    if (!Busy())
        return;
    ProgressReport::JobPhase phase = Phase();
    if (run) {
        phase.row = run->rowIndex;
        phase.listRow = spec_.rows.at(run->rowIndex).listRow;
    }
    if (const std::optional<ProgressView> shown = progress_.OnEngineProgress(stage, value, phase))
        view_.ShowProgress(stage, *shown);
}

void ConversionJob::OnTick()
{
    DispatchRunnerProgress();
    for (Runner& runner : runners_)
        runner.launcher.EnforceAbort();
    OnToolEvent();
}

void ConversionJob::AfterConversions()
{
    const bool discImage = profiles::IsVcdImage(spec_.profile) || profiles::IsDvdImage(spec_.profile);
    // Rows a stop request kept from starting make the job a stopped one.
    stopped_ = stopped_ || (stopping_ && nextRow_ < spec_.rows.size());
    const bool allConverted = static_cast<std::size_t>(convertedRows_) == spec_.rows.size();
    if (!stopped_ && !outputFailure_ && allConverted) {
        if (discImage && discSteps_) {
            SetBusy(Step::Disc);
            discSequence_ = discSteps_(spec_, workingFolder_);
            RunDiscSteps();
            return;
        }
        if (spec_.joinerMode) {
            StartJoin();
            return;
        }
    }
    Finish();
}

void ConversionJob::StartJoin()
{
    SetBusy(Step::Joining);
    EngineRecord& record = *block_.Data();
    PrepareConversionRun(record, notifyWindow_, static_cast<std::int32_t>(spec_.settings.cpuUsage),
                         static_cast<std::int32_t>(joinDuration_));

    const std::string& firstPath = spec_.rows.front().item.path;
    const std::string extension = OutputExtension(spec_.profile, firstPath);
    finalName_ = JoinOutputName(firstPath, spec_.settings.outputFolder, extension);
    outputPath_ = PartialPathFor(*finalName_);
    Arguments arguments = RecordNameArguments(block_.Name());
    if (profiles::IsOriginal(spec_.profile))
        AppendWords(arguments, OutputFormatOption(spec_.profile.command1, extension));
    else if (profiles::IsAvi(spec_.profile))
        AppendWords(arguments, std::string("-oac copy -ovc copy -idx -noodml -ffourcc ") +
                                   (spec_.choice.video_codec != 0 ? "XVID" : "DX50"));
    else
        AppendWords(arguments, spec_.profile.joincmd);
    PinOutputFormat(arguments, extension);
    arguments.insert(arguments.end(), {"-o", outputPath_});

    const std::vector<std::string> parts = NumberedFiles(workingFolder_, extension);
    if (parts.empty()) {
        for (const JobRow& row : spec_.rows)
            arguments.push_back(row.item.path);
    } else {
        arguments.insert(arguments.end(), parts.begin(), parts.end());
    }

    if (spec_.rows.size() == 1 && !parts.empty()) {
        if (platform::MoveFile(parts.front(), outputPath_))
            StoreField(record.result_code, kResultSuccess);
        else
            outputFailure_ = app::Notice{app::NoticeId::MoveVideoFailed};
        FinishJoin();
    } else if (launcher_.StartEngine(EncoderPath(), arguments)) {
        view_.RunStarted(-1, outputPath_);
    } else {
        Finish();
    }
}

void ConversionJob::FinishJoin()
{
    view_.RunEnded(-1);
    view_.RefreshTotals();
    const std::int32_t result = CommitOutput(ResultCode(), finalName_, outputPath_, block_);
    if (result == kResultStopped)
        stopped_ = true;
    if (result == kResultSuccess)
        view_.OutputMade(-1, madePath_);
    else
        RemovePartialOutput(outputPath_);
    if (result == kResultNotReported || result == kResultFailed)
        outputFailure_ = app::Notice{JoinFailure(), {RunReason(launcher_)}};
    Finish();
}

void ConversionJob::RunDiscSteps()
{
    while (std::optional<ToolCommand> command = discSequence_->Next()) {
        PrepareDiscRun(*block_.Data());
        if (launcher_.StartEngine(command->path, command->arguments))
            return;
    }
    if (ResultCode() == kResultSuccess && !discSequence_->ResultPath().empty())
        view_.OutputMade(-1, discSequence_->ResultPath());
    discSequence_.reset();
    Finish();
}

void ConversionJob::Finish()
{
    SetBusy(Step::Idle);
    EndJobLogs();
    const bool actsWhenDone = spec_.settings.whenDone != app::WhenDone::Nothing;
    CleanUp(!actsWhenDone);
    view_.JobEnded(Ending(), static_cast<std::size_t>(convertedRows_), failedNames_.size());
    if (actsWhenDone) {
        if (!stopped_)
            view_.ShowShutdownDialog(spec_.settings.whenDone);
    } else if (stopped_) {
        Tell(app::NoticeId::JobAborted);
    } else if (MakesOneOutput(spec_)) {
        ReportOneOutput();
    } else {
        ReportConversions();
    }
}

JobEnd ConversionJob::Ending() const
{
    if (stopped_)
        return JobEnd::Stopped;
    if (MakesOneOutput(spec_))
        return outputFailure_ || ResultCode() != kResultSuccess ? JobEnd::Failed : JobEnd::OutputMade;
    if (failedNames_.empty())
        return JobEnd::AllConverted;
    return convertedRows_ > 0 ? JobEnd::SomeFailed : JobEnd::Failed;
}

void ConversionJob::ReportConversions()
{
    const std::string converted = std::to_string(convertedRows_);
    if (failedNames_.empty()) {
        OfferOutputFolder({app::NoticeId::JobAccomplished, {converted}});
        return;
    }
    app::Notice notice{app::NoticeId::JobPartlyFailed, {converted, std::to_string(failedNames_.size())}};
    notice.args.insert(notice.args.end(), failedNames_.begin(), failedNames_.end());
    if (convertedRows_ > 0)
        OfferOutputFolder(notice);
    else
        dialogs_.Report(notice);
}

void ConversionJob::ReportOneOutput()
{
    if (outputFailure_) {
        dialogs_.Report(*outputFailure_);
        return;
    }
    // A step that failed without a tool run (a disc folder that could not
    // be made) has said why already.
    if (ResultCode() != kResultSuccess)
        return;
    for (const JobRow& row : spec_.rows)
        view_.SetTicked(row.listRow, false);
    OfferOutputFolder({app::NoticeId::JobOutputMade, {spec_.joinerMode ? madePath_ : spec_.settings.outputFolder}});
}

void ConversionJob::OfferOutputFolder(const app::Notice& notice)
{
    if (dialogs_.Offer(notice, Text("Open output folder")))
        view_.OpenFolder(spec_.settings.outputFolder);
}

void ConversionJob::Abandon()
{
    SetBusy(Step::Idle);
    EndJobLogs();
    CleanUp(false);
}

void ConversionJob::EndJobLogs()
{
    for (Runner& runner : runners_)
        runner.launcher.EndJobLogs();
}

void ConversionJob::CleanUp(bool reportFailure)
{
    if (!workingFolder_.empty() && app::DirectoryExists(workingFolder_) && !app::DeleteFolder(workingFolder_) &&
        reportFailure)
        Tell(app::NoticeId::TempFolderNotDeleted, {workingFolder_});
    // The folder is the job's only until now; a later job makes its own.
    workingFolder_.clear();
    for (const Runner& runner : runners_)
        if (!runner.decodeScriptPath.empty() && app::FileExists(runner.decodeScriptPath))
            platform::RemoveFile(runner.decodeScriptPath);
}

void ConversionJob::OnStop()
{
    if (!Busy())
        return;
    if (dialogs_.Confirm({app::NoticeId::StopQuestion}) && Busy())
        RequestStop();
}

void ConversionJob::RequestStop()
{
    if (!Busy())
        return;
    stopping_ = true;
    if (step_ != Step::Converting) {
        StoreField(block_.Data()->abort_request, 1);
        return;
    }
    for (Runner& runner : runners_)
        if (runner.run)
            StoreField(runner.block.Data()->abort_request, 1);
}

}  // namespace engine
