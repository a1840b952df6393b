#include "ConversionJob.h"

#include "CommandLine.h"
#include "DecodeScript.h"
#include "EngineArguments.h"
#include "EngineLauncher.h"
#include "EngineStatusBlock.h"
#include "JobView.h"
#include "JoinFormats.h"
#include "OutputNaming.h"
#include "WorkingFolder.h"
#include "app/Application.h"
#include "app/SettingsStore.h"
#include "app/UserDialogs.h"
#include "app/Utilities.h"
#include "lang/IniTextFile.h"
#include "platform/FileSystem.h"
#include "profiles/ProfileMarkers.h"

namespace engine {

namespace {

constexpr int kWaitSliceMs = 50;

std::string Text(const char* key)
{
    return lang::Text("MainDialog", key);
}

std::int32_t TrimLength(const SourceItem& item)
{
    return item.trimEnd - item.trimStart;
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

void ConversionJob::SetDiscSteps(DiscStep authorDvd, DiscStep makeVcdImage)
{
    authorDvd_ = std::move(authorDvd);
    makeVcdImage_ = std::move(makeVcdImage);
}

ProgressReport::JobPhase ConversionJob::Phase() const
{
    return {step_ == Step::Converting, step_ == Step::Joining, dvdTotalMB_};
}

void ConversionJob::Tell(const std::string& text)
{
    dialogs_.Message(text, app::Application().appName);
}

std::int32_t ConversionJob::ResultCode() const
{
    return LoadField(block_.Data()->result_code);
}

void ConversionJob::WaitForEngine()
{
    launcher_.WaitForEngine(kWaitSliceMs, [this] { view_.PumpMessages(); });
}

std::string ConversionJob::JoinFailureMessage(const profiles::OutputProfile& profile) const
{
    if (profiles::IsOriginal(profile))
        return "\n" + Text("Fail to join") + "\n\n" + Text("Not original join") + "\n\n" + Text("Try another format") +
               "\n\n";
    return "\n  " + Text("Fail to join") + "  \n\n";
}

void ConversionJob::SetBusy(bool busy)
{
    busy_ = busy;
    if (busy)
        progress_.Start();
    else
        step_ = Step::Idle;
    view_.ShowBusy(busy);
}

bool ConversionJob::CheckPreconditions(const profiles::OutputProfile& profile)
{
    std::vector<const SourceItem*> ticked;
    for (int row = 0; row < view_.RowCount(); ++row)
        if (view_.IsTicked(row))
            ticked.push_back(&view_.Item(row));
    if (!CheckJoinFormats(profile, ticked, dialogs_) || !view_.CheckDiscLabel())
        return false;
    return PrepareWorkingFolder({view_.OutputFolder(), profile, joinerMode_, view_.TotalMinutes(),
                                 view_.DiscCapacityMinutes()},
                                dialogs_, disks_, workingFolder_) == 1;
}

void ConversionJob::OnConvert()
{
    view_.SaveMainWindowState();
    if (busy_) {
        Tell(Text("Not allow operation"));
        return;
    }
    app::SettingsStore& settings = app::Settings();
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    const profiles::ProfileChoice* choice = settings.catalogue.Choice(settings.OutputFormat);
    if (!profile || !choice || !block_.IsOpen()) {
        Tell("Failed to get output format settings. ");
        return;
    }
    joinerMode_ = joinerModeChoice_.value_or(app::JoinerMode(app::Application().product));
    decodeScriptPath_.clear();
    if (!CheckPreconditions(*profile))
        return;

    tickedCount_ = 0;
    for (int row = 0; row < view_.RowCount(); ++row) {
        if (view_.IsTicked(row)) {
            ++tickedCount_;
            view_.SetStatus(row, "--");
        }
    }
    if (tickedCount_ == 0) {
        CleanUp(false);
        Tell("\n        " + Text("One video at least") + "          \n\n");
        return;
    }

    joinDuration_ = 0;
    trimmed_ = false;
    firstSourcePath_.clear();
    if (joinerMode_) {
        for (int row = 0; row < view_.RowCount(); ++row) {
            if (!view_.IsTicked(row))
                continue;
            const SourceItem& item = view_.Item(row);
            joinDuration_ += static_cast<std::uint32_t>(TrimLength(item));
            trimmed_ = trimmed_ || TrimLength(item) < static_cast<std::int64_t>(item.duration);
            if (firstSourcePath_.empty()) {
                firstSourcePath_ = item.path;
                firstSourceWidth_ = item.width;
                firstSourceHeight_ = item.height;
            }
        }
    }

    SetBusy(true);
    step_ = Step::Converting;
    RowOutcome outcome = RowOutcome::Next;
    for (currentRow_ = 0; currentRow_ < view_.RowCount(); ++currentRow_) {
        if (!view_.IsTicked(currentRow_))
            continue;
        // Sources joined as they are need no conversion.
        if (joinerMode_ && profiles::IsOriginal(*profile) && !trimmed_) {
            currentRow_ = tickedCount_;
            StoreField(block_.Data()->result_code, kResultSuccess);
            break;
        }
        outcome = ConvertRow(*profile, *choice);
        if (outcome != RowOutcome::Next)
            break;
    }

    if (outcome == RowOutcome::EncoderMissing) {
        // The encoder could not be started: the launcher has said so.
        SetBusy(false);
        CleanUp(false);
        return;
    }
    if (ResultCode() == kResultSuccess) {
        if (profiles::IsVcdImage(*profile) && makeVcdImage_) {
            step_ = Step::Disc;
            makeVcdImage_(workingFolder_);
        } else if (profiles::IsDvdImage(*profile) && authorDvd_) {
            step_ = Step::Disc;
            authorDvd_(workingFolder_);
        } else if (joinerMode_) {
            Join(*profile, *choice);
        }
    }
    SetBusy(false);
    CleanUp(!settings.autoShutdown);

    const std::int32_t result = ResultCode();
    if (!settings.autoShutdown) {
        if (result == kResultStopped)
            Tell("\n      " + Text("Aborted by user") + "      \n");
        else if (result == kResultSuccess)
            Tell(Text("Mission accomplished") + "      ");
    } else if (result != kResultStopped) {
        view_.ShowShutdownDialog();
    }
}

ConversionJob::RowOutcome ConversionJob::ConvertRow(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice)
{
    const app::SettingsStore& settings = app::Settings();
    const SourceItem& item = view_.Item(currentRow_);
    EngineRecord& record = *block_.Data();
    PrepareConversionRun(record, notifyWindow_, settings.CPUUsage, TrimLength(item));

    const std::string outputPath =
        joinerMode_ ? JoinPartName(workingFolder_, OutputExtension(profile, firstSourcePath_))
                    : SourceOutputName(profile, item.path, view_.OutputFolder(), workingFolder_);
    bool ready = true;
    if (UsesDecodeScript(settings.DecodeEngine, item)) {
        decodeScriptPath_ = DecodeScriptPath();
        if (!WriteDecodeScript(item.path, decodeScriptPath_)) {
            Tell("Failed to write decoder setting file.");
            ready = false;
        }
    }
    if (ready) {
        std::optional<FrameSize> firstSource;
        if (joinerMode_)
            firstSource = FrameSize{firstSourceWidth_, firstSourceHeight_};
        const std::string arguments = BuildEngineArguments(
            {item, profile, choice, settings, block_.Name(), outputPath, ExtensionOf(outputPath), firstSource});
        if (!launcher_.StartEngine(EncoderPath(), arguments))
            return RowOutcome::EncoderMissing;
        view_.SetHotRow(currentRow_);
        WaitForEngine();
        if (LoadField(record.abort_request) == 1) {
            RemovePartialOutput(outputPath);
            view_.SetStatus(currentRow_, Text("Status Abortive"));
            return RowOutcome::LeaveLoop;
        }
    }

    view_.SetHotRow(-1);
    view_.SetTicked(currentRow_, false);
    const std::int32_t result = ready ? LoadField(record.result_code) : kResultNotReported;
    if (result == kResultSuccess) {
        view_.SetStatus(currentRow_, Text("Status OK"));
        return RowOutcome::Next;
    }
    RemovePartialOutput(outputPath);
    if (result != kResultNotReported && result != kResultFailed)
        return RowOutcome::Next;
    view_.SetStatus(currentRow_, Text("Status Fail"));
    if (!joinerMode_)
        return RowOutcome::Next;
    Tell(JoinFailureMessage(profile));
    return RowOutcome::LeaveLoop;
}

void ConversionJob::Join(const profiles::OutputProfile& profile, const profiles::ProfileChoice& choice)
{
    step_ = Step::Joining;
    const app::SettingsStore& settings = app::Settings();
    EngineRecord& record = *block_.Data();
    PrepareConversionRun(record, notifyWindow_, settings.CPUUsage, static_cast<std::int32_t>(joinDuration_));

    const std::string extension = OutputExtension(profile, firstSourcePath_);
    const std::string outputPath = JoinOutputName(firstSourcePath_, view_.OutputFolder(), extension);
    std::string options;
    if (profiles::IsOriginal(profile))
        options = OutputFormatOption(profile.command1, extension);
    else if (profiles::IsAvi(profile))
        options = std::string("-oac copy -ovc copy -idx -noodml -ffourcc ") + (choice.video_codec != 0 ? "XVID" : "DX50");
    else
        options = profile.joincmd;
    std::string arguments = RecordNameOption(block_.Name()) + " " + options + " -o " + QuoteArgument(outputPath);

    const std::vector<std::string> parts = NumberedFiles(workingFolder_, extension);
    if (parts.empty()) {
        for (int row = 0; row < view_.RowCount(); ++row) {
            if (!view_.IsTicked(row))
                continue;
            arguments += " " + QuoteArgument(view_.Item(row).path);
            view_.SetTicked(row, false);
        }
    } else {
        for (const std::string& part : parts)
            arguments += " " + QuoteArgument(part);
    }

    if (tickedCount_ == 1 && !parts.empty()) {
        if (platform::MoveFile(parts.front(), outputPath))
            StoreField(record.result_code, kResultSuccess);
        else
            Tell(Text("Move video failed"));
    } else {
        if (!launcher_.StartEngine(EncoderPath(), arguments))
            return;
        WaitForEngine();
    }
    view_.RefreshTotals();
    const std::int32_t result = LoadField(record.result_code);
    if (result != kResultSuccess)
        RemovePartialOutput(outputPath);
    if (result == kResultNotReported || result == kResultFailed)
        Tell(JoinFailureMessage(profile));
}

void ConversionJob::CleanUp(bool reportFailure)
{
    if (!workingFolder_.empty() && app::DirectoryExists(workingFolder_) && !app::DeleteFolder(workingFolder_) &&
        reportFailure)
        Tell(Text("Delete temp failed") + workingFolder_ + "\n" + Text("Delete temp yourself") + "\n");
    if (!decodeScriptPath_.empty() && app::FileExists(decodeScriptPath_))
        platform::RemoveFile(decodeScriptPath_);
}

void ConversionJob::OnStop()
{
    if (!busy_)
        return;
    if (dialogs_.Confirm("\n  " + Text("Are you sure") + "         \n\n", "Warning"))
        RequestStop();
}

void ConversionJob::RequestStop()
{
    if (busy_)
        StoreField(block_.Data()->abort_request, 1);
}

}  // namespace engine
