#include "CliRun.h"

#include "CliChoices.h"
#include "SourceOptions.h"
#include "TerminalDialogs.h"
#include "TerminalView.h"
#include "app/Application.h"
#include "app/ConverterApp.h"
#include "app/SettingsStore.h"
#include "app/SourceFiles.h"
#include "disc/JobDiscSteps.h"
#include "engine/ConversionJob.h"
#include "engine/DiscRules.h"
#include "engine/EngineLauncher.h"
#include "engine/EngineStatusBlock.h"
#include "engine/MediaProbe.h"
#include "engine/OutputFolderCheck.h"
#include "engine/ProgressChannel.h"
#include "engine/WorkingFolder.h"
#include "lang/IniTextFile.h"
#include "platform/ChildProcess.h"
#include "platform/Interrupts.h"
#include "platform/Readiness.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <utility>

namespace cli {

namespace {

int InterruptedStatus()
{
    return 128 + platform::InterruptSignal();
}

std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// A file argument as it is; a folder as its accepted files, sorted by name
// ignoring case so that the order of a join does not depend on the disk.
std::vector<std::string> ExpandSource(const std::string& path)
{
    if (!std::filesystem::is_directory(path))
        return {path};
    std::vector<std::string> files = app::FolderSourceFiles(path, app::Application().product.openFileFilter);
    std::sort(files.begin(), files.end(),
              [](const std::string& a, const std::string& b) { return ::strcasecmp(a.c_str(), b.c_str()) < 0; });
    return files;
}

TerminalView::Style ViewStyle(const CliOptions& options)
{
    if (options.quiet)
        return TerminalView::Style::Quiet;
    return platform::IsTerminal(1) ? TerminalView::Style::Live : TerminalView::Style::Plain;
}

// The one-copy lock. With --wait the run waits while another copy holds it,
// saying so once; Ctrl+C ends the wait. False when refused or interrupted.
bool TakeSingleInstance(const CliOptions& options, app::ConverterApp& application, TerminalDialogs& dialogs)
{
    if (!options.wait)
        return application.AcquireSingleInstance();
    platform::CatchInterrupts();
    bool told = false;
    return application.WaitForSingleInstance([&] {
        if (!std::exchange(told, true))
            dialogs.Message("another copy of the program is running; waiting for it to end", "");
        return platform::InterruptSignal() == 0;
    });
}

// The engine side of one diziv-cli run: the tools' launcher, the progress
// socket, the terminal view and the job, driven by a poll loop.
struct JobRun {
    JobRun(engine::EngineStatusBlock& recordBlock, TerminalDialogs& dialogs, TerminalView::Style style)
        : block(recordBlock),
          launcher(block, dialogs, clock),
          progress(clock),
          view(std::cout, style, clock),
          job(view, block, launcher, dialogs, progress, platform::CurrentProcessId(), disks),
          channel([this](std::int32_t stage, std::int32_t value) { OnProgress(stage, value); }),
          dialogs_(dialogs)
    {
        dialogs.SetBeforeOutput([this] { view.EndLine(); });
        disc::InstallDiscSteps(job, block, dialogs);
        channel.Open(block.Name());
    }
    ~JobRun() { dialogs_.SetBeforeOutput(nullptr); }

    // Probes every file of the request in turn and adds the readable ones;
    // returns how many were refused. Ctrl+C stops the probe running.
    int ProbeSources(const CliOptions& options, app::DecodeEngine decoder)
    {
        engine::MediaProbe probe(block, launcher, dialogs_, channel.WindowId());
        const auto between = [this] {
            channel.DispatchPending();
            if (platform::InterruptSignal())
                engine::StoreField(block.Data()->abort_request, 1);
        };
        int refused = 0;
        for (const SourceRequest& request : options.sources) {
            for (const std::string& path : ExpandSource(AbsolutePath(request.path))) {
                if (!options.quiet)
                    std::cout << lang::Text("MainDialog", "Scanning video") << " " << path << "\n" << std::flush;
                std::optional<engine::SourceItem> item = probe.ProbeSource(path, decoder, between);
                if (platform::InterruptSignal())
                    return refused;
                if (item && ApplySourceOptions(request, *item, dialogs_))
                    view.AddSource(*item);
                else
                    ++refused;
            }
        }
        return refused;
    }

    // Runs the job to its end; Ctrl+C stops it.
    void Convert(engine::JobSpec spec)
    {
        job.Start(std::move(spec));
        while (job.Busy()) {
            platform::WaitForReadable({launcher.ExitDescriptor(), channel.Descriptor()},
                                      engine::ConversionJob::kTickMs);
            channel.DispatchPending();
            if (platform::InterruptSignal())
                job.RequestStop();
            job.OnTick();
        }
    }

    // Probes report progress too; only the job's is shown.
    void OnProgress(std::int32_t stage, std::int32_t value)
    {
        if (!job.Busy())
            return;
        if (auto shown = progress.OnEngineProgress(static_cast<std::uint32_t>(stage), value, job.Phase()))
            view.ShowProgress(static_cast<std::uint32_t>(stage), *shown);
    }

    engine::EngineStatusBlock& block;
    platform::SteadyClock clock;
    engine::EngineLauncher launcher;
    engine::ProgressReport progress;
    TerminalView view;
    const engine::Disks disks = engine::Disks::System();
    engine::ConversionJob job;
    engine::ProgressChannel channel;

private:
    TerminalDialogs& dialogs_;
};

}  // namespace

int RunConversion(const CliOptions& options, app::ConverterApp& application, TerminalDialogs& dialogs)
{
    app::SettingsStore& settings = app::Settings();
    if (std::string error = ApplyChoices(options, settings); !error.empty()) {
        std::cerr << UsageErrorText(error);
        return kExitUsage;
    }
    const bool subtitles = std::any_of(options.sources.begin(), options.sources.end(), AsksForSubtitles);
    if (subtitles && !app::Application().product.subtitleEdition) {
        std::cerr << UsageErrorText("this edition has no subtitle features");
        return kExitUsage;
    }
    if (options.sources.empty()) {
        if (!options.saveSettings) {
            std::cerr << UsageErrorText("no video files or folders given");
            return kExitUsage;
        }
        return settings.SaveSettings() ? kExitSuccess : kExitFailure;
    }
    const app::Outcome label =
        engine::CheckDiscLabel(settings.catalogue.Profile(settings.OutputFormat), settings.DiscLabel);
    if (!label) {
        app::ReportFailure(dialogs, label);
        return kExitUsage;
    }
    if (!TakeSingleInstance(options, application, dialogs))
        return platform::InterruptSignal() ? InterruptedStatus() : kExitFailure;
    if (const app::Outcome output = engine::PrepareOutputFolder(settings.OutputFolder); !output) {
        app::ReportFailure(dialogs, output);
        return kExitFailure;
    }

    platform::CatchInterrupts();
    engine::EngineStatusBlock block;
    if (!block.OpenForRun(app::Application().appSharedName)) {
        dialogs.Message(block.FailureText(), "");
        return kExitFailure;
    }
    JobRun run(block, dialogs, ViewStyle(options));
    const int refused = run.ProbeSources(options, app::DecodeEngineFrom(settings.DecodeEngine));
    if (platform::InterruptSignal())
        return InterruptedStatus();
    if (run.view.RowCount() == 0) {
        dialogs.Message("no video to convert", "");
        return kExitFailure;
    }

    if (options.saveSettings && !settings.SaveSettings())
        dialogs.Message("Cannot write the settings file " + settings.Path(), "");
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    const profiles::ProfileChoice* choice = settings.catalogue.Choice(settings.OutputFormat);
    if (!profile || !choice) {
        dialogs.Report({app::NoticeId::OutputFormatUnavailable});
        return kExitFailure;
    }
    engine::JobSpec spec{*profile, *choice, settings.ForJob(),
                         options.join.value_or(app::JoinerMode(app::Application().product)), {}};
    for (int row = 0; row < run.view.RowCount(); ++row)
        spec.rows.push_back({row, run.view.Item(row)});
    run.Convert(std::move(spec));
    if (platform::InterruptSignal())
        return InterruptedStatus();
    const bool succeeded = run.view.JobStarted() && refused == 0 && run.view.FailedRows() == 0 &&
                           engine::LoadField(block.Data()->result_code) == engine::kResultSuccess;
    return succeeded ? kExitSuccess : kExitFailure;
}

}  // namespace cli
