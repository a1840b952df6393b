#include "CliRun.h"

#include "CliChoices.h"
#include "ExistingOutputs.h"
#include "RunSummary.h"
#include "SourceOptions.h"
#include "TerminalDialogs.h"
#include "TerminalView.h"
#include "ToolLogEcho.h"
#include "app/Application.h"
#include "app/ConverterApp.h"
#include "app/SettingsStore.h"
#include "app/SourceFiles.h"
#include "disc/JobDiscSteps.h"
#include "engine/ConversionJob.h"
#include "engine/DiscRules.h"
#include "engine/EngineLauncher.h"
#include "engine/EngineStatusBlock.h"
#include "engine/ProbePool.h"
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
#include <map>
#include <memory>
#include <set>
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

// --skip-existing: leaves out the rows whose output name is taken (all of
// them when the job makes one output) and says so; returns how many.
int LeaveOutExisting(engine::JobSpec& spec, bool quiet)
{
    // Per row: its output name when that exists, else "". A job with one
    // output gives every row the same name.
    std::vector<std::string> taken;
    for (const engine::JobRow& row : spec.rows) {
        const std::string output = IntendedOutput(spec, row.item);
        std::error_code error;
        taken.push_back(std::filesystem::exists(output, error) ? output : "");
    }
    const bool all = engine::MakesOneOutput(spec) && !taken.empty() && !taken.front().empty();
    std::vector<engine::JobRow> kept;
    for (std::size_t i = 0; i < spec.rows.size(); ++i) {
        if (!all && taken[i].empty()) {
            kept.push_back(std::move(spec.rows[i]));
        } else if (!quiet) {
            std::cout << spec.rows[i].item.path << ": skipped, " << taken[i] << " exists\n";
        }
    }
    const int skipped = static_cast<int>(spec.rows.size() - kept.size());
    spec.rows = std::move(kept);
    return skipped;
}

// The outputs the job made, in the order of the rows; with --overwrite each is moved over
// the file or folder of the name it was meant to have, unless this run
// made that one itself.
class MadeOutputs {
public:
    MadeOutputs(const engine::JobSpec& spec, bool overwrite, app::UserDialogs& dialogs)
        : overwrite_(overwrite), dialogs_(dialogs)
    {
        for (const engine::JobRow& row : spec.rows)
            intended_.push_back(IntendedOutput(spec, row.item));
    }

    void Take(int row, const std::string& path)
    {
        std::string placed = path;
        const std::string& intended = intended_.at(row < 0 ? 0 : static_cast<std::size_t>(row));
        std::error_code error;
        if (overwrite_ && path != intended && !made_.count(intended) && std::filesystem::exists(intended, error)) {
            if (std::string failure = ReplaceOutput(path, intended); failure.empty())
                placed = intended;
            else
                dialogs_.Message(failure, "");
        }
        made_.insert(placed);
        paths_[row] = placed;
    }

    std::vector<std::string> Paths() const
    {
        std::vector<std::string> paths;
        for (const auto& [row, path] : paths_)
            paths.push_back(path);
        return paths;
    }

private:
    bool overwrite_;
    app::UserDialogs& dialogs_;
    std::vector<std::string> intended_;  // per row
    std::set<std::string> made_;
    std::map<int, std::string> paths_;  // by row; -1 for the one output of a join or disc
};

// The engine side of one diziv-cli run: the tools' launcher, the progress
// socket, the terminal view and the job, driven by a poll loop.
struct JobRun {
    JobRun(engine::EngineStatusBlock& recordBlock, TerminalDialogs& dialogs, const CliOptions& options)
        : block(recordBlock),
          launcher(block, dialogs, clock),
          progress(clock),
          view(std::cout, ViewStyle(options), clock),
          job(view, block, launcher, dialogs, progress, platform::CurrentProcessId(), disks),
          channel([this](std::int32_t stage, std::int32_t value) { job.OnProgress(stage, value); }),
          dialogs_(dialogs)
    {
        dialogs.SetBeforeOutput([this] { view.EndLine(); });
        disc::InstallDiscSteps(job, block, dialogs);
        channel.Open(block.Name());
        if (options.verbose) {
            logEchoes.push_back(std::make_unique<ToolLogEcho>(std::cerr, launcher, [this] { view.EndLine(); }));
            job.SetLauncherObserver([this](engine::EngineLauncher& runLauncher) {
                logEchoes.push_back(std::make_unique<ToolLogEcho>(std::cerr, runLauncher, [this] { view.EndLine(); }));
            });
        }
    }
    ~JobRun() { dialogs_.SetBeforeOutput(nullptr); }

    // Probes the files of the request, several at once, and keeps the
    // readable ones in items, in the order of the files; returns how many
    // were refused. Each file's line comes in that order too, followed by
    // what its probe has to say. Ctrl+C stops the probes.
    int ProbeSources(const CliOptions& options, app::DecodeEngine decoder, std::vector<engine::SourceItem>& items)
    {
        std::vector<std::string> paths;
        std::vector<const SourceRequest*> requests;  // per path
        for (const SourceRequest& request : options.sources) {
            for (std::string& path : ExpandSource(AbsolutePath(request.path))) {
                paths.push_back(std::move(path));
                requests.push_back(&request);
            }
        }
        engine::ProbePool pool(app::Application().appSharedName, dialogs_, channel.WindowId(), clock);
        std::size_t shown = 0;  // files whose line is out
        std::size_t taken = 0;  // files whose outcome is handled
        int refused = 0;
        const auto showUpTo = [&](std::size_t count) {
            for (; shown < count; ++shown) {
                if (!options.quiet) {
                    std::cout << lang::Text("MainDialog", "Scanning video") << " " << paths[shown] << "\n"
                              << std::flush;
                }
            }
        };
        const auto takeReady = [&] {
            for (engine::ProbeOutcome& outcome : pool.TakeReady()) {
                showUpTo(taken + 1);
                if (!logEchoes.empty())
                    EchoRuns(outcome.runs);
                for (const app::Notice& notice : outcome.refusals)
                    dialogs_.Report(notice);
                if (outcome.item && ApplySourceOptions(*requests[taken], *outcome.item, dialogs_))
                    items.push_back(std::move(*outcome.item));
                else
                    ++refused;
                ++taken;
            }
            // The first file not handled yet is being probed.
            if (!pool.CurrentPath().empty())
                showUpTo(taken + 1);
        };
        pool.Start(paths, decoder, engine::ProbeParallelism());
        pool.WaitAll([&] {
            channel.DispatchPending();
            if (platform::InterruptSignal())
                pool.Cancel();
            else
                takeReady();
        });
        if (!platform::InterruptSignal())
            takeReady();
        return refused;
    }

    // --verbose: each probe run's command and log, as the job's are shown.
    void EchoRuns(const std::vector<engine::ProbeRun>& runs)
    {
        view.EndLine();
        for (const engine::ProbeRun& run : runs)
            std::cerr << "diziv-cli: run: " << ShellCommand(run.tool, run.arguments) << "\n" << run.log;
        std::cerr << std::flush;
    }

    // Runs the job to its end; Ctrl+C stops it.
    void Convert(engine::JobSpec spec)
    {
        job.Start(std::move(spec));
        while (job.Busy()) {
            std::vector<int> descriptors = job.ExitDescriptors();
            descriptors.push_back(channel.Descriptor());
            platform::WaitForReadable(descriptors, engine::ConversionJob::kTickMs);
            channel.DispatchPending();
            PumpLog();
            if (platform::InterruptSignal())
                job.RequestStop();
            job.OnTick();
        }
        PumpLog();
    }

    void PumpLog()
    {
        for (const std::unique_ptr<ToolLogEcho>& echo : logEchoes)
            echo->Pump();
    }

    engine::EngineStatusBlock& block;
    platform::SteadyClock clock;
    engine::EngineLauncher launcher;
    engine::ProgressReport progress;
    TerminalView view;
    const engine::Disks disks = engine::Disks::System();
    engine::ConversionJob job;
    engine::ProgressChannel channel;
    std::vector<std::unique_ptr<ToolLogEcho>> logEchoes;  // with --verbose, one per launcher of the job

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
    JobRun run(block, dialogs, options);
    std::vector<engine::SourceItem> items;
    const int refused = run.ProbeSources(options, app::DecodeEngineFrom(settings.DecodeEngine), items);
    if (platform::InterruptSignal())
        return InterruptedStatus();
    if (items.empty()) {
        dialogs.Message("no video to convert", "");
        std::cout << SummaryText({}, {0, refused, 0}, settings.OutputFolder);
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
    for (engine::SourceItem& item : items)
        spec.rows.push_back({0, std::move(item)});
    RunTally tally{0, refused, 0};
    if (options.existing == CliOptions::Existing::Skip)
        tally.skipped = LeaveOutExisting(spec, options.quiet);
    for (std::size_t row = 0; row < spec.rows.size(); ++row) {
        spec.rows[row].listRow = static_cast<int>(row);
        run.view.AddSource(spec.rows[row].item);
    }
    const std::string outputFolder = spec.settings.outputFolder;
    if (spec.rows.empty()) {
        std::cout << SummaryText({}, tally, outputFolder);
        return refused == 0 ? kExitSuccess : kExitFailure;
    }

    MadeOutputs made(spec, options.existing == CliOptions::Existing::Overwrite, dialogs);
    run.view.SetOutputHandler([&made](int row, const std::string& path) { made.Take(row, path); });
    const bool oneOutput = engine::MakesOneOutput(spec);
    run.Convert(std::move(spec));
    const std::int32_t result = engine::LoadField(block.Data()->result_code);
    const bool stopped = platform::InterruptSignal() != 0 || result == engine::kResultStopped;
    const RunTally rows = TallyRows(run.view, oneOutput, !made.Paths().empty(), stopped);
    tally = {rows.converted, tally.failed + rows.failed, tally.skipped + rows.skipped};
    std::cout << SummaryText(made.Paths(), tally, outputFolder) << std::flush;
    if (platform::InterruptSignal())
        return InterruptedStatus();
    const bool succeeded = run.view.JobStarted() && refused == 0 && run.view.FailedRows() == 0 &&
                           result == engine::kResultSuccess;
    return succeeded ? kExitSuccess : kExitFailure;
}

}  // namespace cli
