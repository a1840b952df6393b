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
#include "engine/ProgressChannel.h"
#include "engine/WorkingFolder.h"
#include "lang/IniTextFile.h"
#include "platform/Interrupts.h"

#include <strings.h>

#include <algorithm>
#include <filesystem>
#include <iostream>

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
    if (!engine::CheckDiscLabel(settings.catalogue.Profile(settings.OutputFormat), settings.DiscLabel, dialogs))
        return kExitUsage;
    if (!application.AcquireSingleInstance())
        return kExitFailure;

    platform::CatchInterrupts();
    engine::EngineStatusBlock block;
    if (!block.Open(app::Application().appSharedName, 0)) {
        dialogs.Message("Cannot create the shared status record " + app::Application().appSharedName, "");
        return kExitFailure;
    }
    platform::SteadyClock clock;
    engine::EngineLauncher launcher(block, dialogs, clock);
    engine::ProgressReport progress(clock);
    engine::ConversionJob* running = nullptr;
    TerminalView* shown = nullptr;
    engine::ProgressChannel channel([&](std::int32_t stage, std::int32_t value) {
        if (!running || !running->Busy())
            return;  // probes report progress too; only the job's is shown
        if (auto view = progress.OnEngineProgress(static_cast<std::uint32_t>(stage), value, running->Phase()))
            shown->ShowProgress(static_cast<std::uint32_t>(stage), *view);
    });
    channel.Open(block.Name());
    auto pump = [&] {
        channel.DispatchPending();
        if (!platform::InterruptSignal())
            return;
        if (running && running->Busy())
            running->RequestStop();
        else
            engine::StoreField(block.Data()->abort_request, 1);  // a probe
    };

    TerminalView view(std::cout, ViewStyle(options), clock, dialogs, options.saveSettings, pump);
    shown = &view;
    dialogs.SetBeforeOutput([&view] { view.EndLine(); });
    const engine::Disks disks = engine::Disks::System();
    engine::ConversionJob job(view, block, launcher, dialogs, progress, channel.WindowId(), disks);
    running = &job;
    job.SetJoinerMode(options.join);
    disc::InstallDiscSteps(job, {launcher, block, dialogs, pump, [] { return app::Settings().OutputFolder; }});

    engine::MediaProbe probe(block, launcher, dialogs, pump, channel.WindowId());
    int refused = 0;
    for (const SourceRequest& request : options.sources) {
        for (const std::string& path : ExpandSource(AbsolutePath(request.path))) {
            if (!options.quiet)
                std::cout << lang::Text("MainDialog", "Scanning video") << " " << path << "\n" << std::flush;
            std::optional<engine::SourceItem> item = probe.ProbeSource(path, settings.DecodeEngine);
            if (platform::InterruptSignal())
                return InterruptedStatus();
            if (item && ApplySourceOptions(request, *item, dialogs))
                view.AddSource(*item);
            else
                ++refused;
        }
    }
    if (view.RowCount() == 0) {
        dialogs.Message("diziv-cli: no video to convert", "");
        return kExitFailure;
    }

    job.OnConvert();
    if (platform::InterruptSignal())
        return InterruptedStatus();
    const bool succeeded = view.JobStarted() && refused == 0 && view.FailedRows() == 0 &&
                           engine::LoadField(block.Data()->result_code) == engine::kResultSuccess;
    return succeeded ? kExitSuccess : kExitFailure;
}

}  // namespace cli
