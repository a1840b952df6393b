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
#include "PartialOutput.h"
#include "StreamCopyArguments.h"
#include "StreamFit.h"
#include "WorkingFolder.h"
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

ConversionJob::ConversionJob(JobView& view, EngineStatusBlock& block, EngineLauncher& launcher,
                             app::UserDialogs& dialogs, ProgressReport& progress, std::int32_t notifyWindow,
                             const Disks& disks)
    : view_(view), block_(block), launcher_(launcher), dialogs_(dialogs), progress_(progress),
      notifyWindow_(notifyWindow), disks_(disks)
{
}

ConversionJob::~ConversionJob() = default;

ProgressReport::JobPhase ConversionJob::Phase() const
{
    return {step_ == Step::Converting, step_ == Step::Joining, dvdTotalMB_};
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
    decodeScriptPath_.clear();
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
    launcher_.BeginJobLogs();

    joinDuration_ = 0;
    trimmed_ = false;
    if (spec_.joinerMode) {
        for (const JobRow& row : spec_.rows) {
            joinDuration_ += static_cast<std::uint32_t>(TrimLength(row.item));
            trimmed_ = trimmed_ || TrimLengthMs(row.item) < std::int64_t{row.item.duration} * 1000;
        }
    }

    SetBusy(Step::Converting);
    rowIndex_ = 0;
    // Sources joined as they are need no conversion.
    if (spec_.joinerMode && profiles::IsOriginal(spec_.profile) && !trimmed_) {
        StoreField(block_.Data()->result_code, kResultSuccess);
        AfterConversions();
        return;
    }
    ConvertRows();
}

void ConversionJob::ConvertRows()
{
    for (; rowIndex_ < spec_.rows.size(); ++rowIndex_) {
        const SourceItem& item = CurrentRow().item;
        videoCopied_ = false;
        EngineRecord& record = *block_.Data();
        PrepareConversionRun(record, notifyWindow_, static_cast<std::int32_t>(spec_.settings.cpuUsage),
                             TrimLength(item));
        PlanRowOutput();
        bool ready = true;
        std::string refusal;
        if (item.soundOnly && !profiles::TakesSourceWithoutPicture(spec_.profile)) {
            refusal = Text("Source Has No Picture");
            ready = false;
        } else if (UsesDecodeScript(spec_.settings.decoder, item)) {
            decodeScriptPath_ = DecodeScriptPath();
            if (!WriteDecodeScript(item.path, decodeScriptPath_)) {
                Tell(app::NoticeId::DecoderSettingsNotWritten);
                ready = false;
            }
        }
        if (ready) {
            std::optional<FrameSize> firstSource;
            if (spec_.joinerMode)
                firstSource = FrameSize{spec_.rows.front().item.width, spec_.rows.front().item.height};
            Arguments arguments =
                BuildEngineArguments({item, spec_.profile, spec_.choice, spec_.settings.decoder,
                                      spec_.settings.volume, block_.Name(), outputPath_,
                                      finalName_ ? finalName_->extension : ExtensionOf(outputPath_),
                                      firstSource});
            const StreamCopy copy =
                ChooseStreamCopy({item, spec_.profile, spec_.choice, spec_.settings, spec_.joinerMode});
            ApplyStreamCopy(arguments, copy);
            videoCopied_ = copy.video;
            if (!launcher_.StartEngine(EncoderPath(), arguments)) {
                // The encoder could not be started: the launcher has said so.
                Abandon();
                return;
            }
            view_.SetHotRow(CurrentRow().listRow);
            view_.RunStarted(CurrentRow().listRow, outputPath_);
            return;
        }
        if (FinishRow(kResultNotReported, refusal, !refusal.empty()) == RowOutcome::LeaveLoop)
            break;
    }
    AfterConversions();
}

void ConversionJob::PlanRowOutput()
{
    const SourceItem& item = CurrentRow().item;
    finalName_.reset();
    if (spec_.joinerMode) {
        outputPath_ = JoinPartName(workingFolder_, OutputExtension(spec_.profile, spec_.rows.front().item.path));
    } else if (profiles::IsDiscImage(spec_.profile)) {
        outputPath_ = SourceOutputName(spec_.profile, item.path, spec_.settings.outputFolder, workingFolder_);
    } else {
        finalName_ = SourceFinalName(spec_.profile, item.path, spec_.settings.outputFolder);
        outputPath_ = PartialPathFor(*finalName_);
    }
}

std::int32_t ConversionJob::CommitOutput(std::int32_t result)
{
    if (result != kResultSuccess || !finalName_)
        return result;
    if (std::optional<std::string> made = CommitPartial(outputPath_, *finalName_)) {
        madePath_ = std::move(*made);
        return result;
    }
    Tell(app::NoticeId::MoveVideoFailed);
    StoreField(block_.Data()->result_code, kResultFailed);
    return kResultFailed;
}

// A row that failed stays ticked, so that converting again retries it; the
// rows of a join or disc are unticked once their one output is made.
ConversionJob::RowOutcome ConversionJob::FinishRow(std::int32_t result, const std::string& reason,
                                                   bool reasonInSummary)
{
    result = CommitOutput(result);
    const int listRow = CurrentRow().listRow;
    view_.SetHotRow(-1);
    if (result == kResultSuccess) {
        ++convertedRows_;
        if (!MakesOneOutput(spec_))
            view_.SetTicked(listRow, false);
        view_.SetStatus(listRow, Text(videoCopied_ ? "Status Copied" : "Status OK"));
        if (finalName_)
            view_.OutputMade(listRow, madePath_);
        return RowOutcome::Next;
    }
    RemovePartialOutput(outputPath_);
    if (result != kResultNotReported && result != kResultFailed)
        return RowOutcome::Next;
    view_.SetStatus(listRow, Text("Status Fail"));
    view_.SetReason(listRow, reason);
    const std::string name = FileName(CurrentRow().item.path);
    failedNames_.push_back(reasonInSummary ? name + ": " + reason : name);
    if (!MakesOneOutput(spec_))
        return RowOutcome::Next;
    // The one output cannot be made without this row.
    const std::string failure = reason.empty() ? name : name + ": " + reason;
    outputFailure_ = app::Notice{spec_.joinerMode ? JoinFailure() : DiscFailure(), {failure}};
    return RowOutcome::LeaveLoop;
}

std::string ConversionJob::RunReason() const
{
    const std::string reason = launcher_.LastRunReason();
    return reason.empty() ? Text("No reason") : reason;
}

void ConversionJob::OnToolEvent()
{
    if (!Busy() || !launcher_.Reap())
        return;
    switch (step_) {
    case Step::Converting:
        view_.SetRunLog(CurrentRow().listRow, launcher_.LogPath());
        view_.RunEnded(CurrentRow().listRow);
        if (LoadField(block_.Data()->abort_request) == 1) {
            RemovePartialOutput(outputPath_);
            view_.SetStatus(CurrentRow().listRow, Text("Status Abortive"));
            AfterConversions();
        } else if (FinishRow(ResultCode(), ResultCode() == kResultSuccess ? "" : RunReason()) == RowOutcome::Next) {
            ++rowIndex_;
            ConvertRows();
        } else {
            AfterConversions();
        }
        break;
    case Step::Joining:
        FinishJoin();
        break;
    case Step::Disc:
        if (const std::int32_t result = ResultCode(); result == kResultNotReported || result == kResultFailed)
            outputFailure_ = app::Notice{DiscFailure(), {RunReason()}};
        RunDiscSteps();
        break;
    case Step::Idle:
        break;
    }
}

void ConversionJob::OnTick()
{
    launcher_.EnforceAbort();
    OnToolEvent();
}

void ConversionJob::AfterConversions()
{
    const bool discImage = profiles::IsVcdImage(spec_.profile) || profiles::IsDvdImage(spec_.profile);
    if (ResultCode() == kResultSuccess) {
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
    const std::int32_t result = CommitOutput(ResultCode());
    if (result == kResultSuccess)
        view_.OutputMade(-1, madePath_);
    else
        RemovePartialOutput(outputPath_);
    if (result == kResultNotReported || result == kResultFailed)
        outputFailure_ = app::Notice{JoinFailure(), {RunReason()}};
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
    launcher_.EndJobLogs();
    const bool actsWhenDone = spec_.settings.whenDone != app::WhenDone::Nothing;
    CleanUp(!actsWhenDone);
    const std::int32_t result = ResultCode();
    if (actsWhenDone) {
        if (result != kResultStopped)
            view_.ShowShutdownDialog(spec_.settings.whenDone);
    } else if (result == kResultStopped) {
        Tell(app::NoticeId::JobAborted);
    } else if (MakesOneOutput(spec_)) {
        ReportOneOutput();
    } else {
        ReportConversions();
    }
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
    launcher_.EndJobLogs();
    CleanUp(false);
}

void ConversionJob::CleanUp(bool reportFailure)
{
    if (!workingFolder_.empty() && app::DirectoryExists(workingFolder_) && !app::DeleteFolder(workingFolder_) &&
        reportFailure)
        Tell(app::NoticeId::TempFolderNotDeleted, {workingFolder_});
    // The folder is the job's only until now; a later job makes its own.
    workingFolder_.clear();
    if (!decodeScriptPath_.empty() && app::FileExists(decodeScriptPath_))
        platform::RemoveFile(decodeScriptPath_);
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
    if (Busy())
        StoreField(block_.Data()->abort_request, 1);
}

}  // namespace engine
