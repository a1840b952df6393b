#include "MainJob.h"

#include "EngineSession.h"
#include "MainDialog.h"
#include "ShutDownDialog.h"
#include "UiText.h"
#include "app/SettingsStore.h"
#include "app/UserDialogs.h"
#include "disc/JobDiscSteps.h"


namespace ui {

MainJob::MainJob(MainDialog& window, app::UserDialogs& dialogs, platform::PowerSwitch& power,
                 const platform::Clock& clock)
    : window_(window),
      dialogs_(dialogs),
      power_(power),
      progress_(clock),
      job_(*this, window.Engine().block, window.Engine().launcher, dialogs, progress_, window.Engine().NotifyWindow(),
           disks_),
      watch_({[this] { job_.OnToolEvent(); }, [this] { job_.OnTick(); }, [this] { return job_.Busy(); },
              ToolWatch::LauncherExit(window.Engine().launcher)})
{
    EngineSession& engine = window.Engine();
    disc::InstallDiscSteps(job_, engine.block, dialogs);
    engine.onProgress = [this](std::int32_t stage, std::int32_t value) { OnProgress(stage, value); };
    window.SetCommandHandler(Command::Convert, [this] { OnConvert(); });
    window.SetCommandHandler(Command::Stop, [this] { job_.OnStop(); });
}

MainJob::~MainJob()
{
    window_.Engine().onProgress = nullptr;
    window_.SetCommandHandler(Command::Convert, nullptr);
    window_.SetCommandHandler(Command::Stop, nullptr);
}

void MainJob::OnConvert()
{
    window_.SaveMainWindowState();
    const app::SettingsStore& settings = app::Settings();
    const profiles::OutputProfile* profile = settings.catalogue.Profile(settings.OutputFormat);
    const profiles::ProfileChoice* choice = settings.catalogue.Choice(settings.OutputFormat);
    if (!profile || !choice) {
        dialogs_.Report({app::NoticeId::OutputFormatUnavailable});
        return;
    }
    engine::JobSpec spec{*profile, *choice, settings.ForJob(), window_.JoinerMode(), {}};
    for (int row = 0; row < window_.SourceCount(); ++row)
        if (window_.IsTicked(row))
            spec.rows.push_back({row, window_.SourceAt(row)});
    watch_.Advance([this, &spec] { job_.Start(std::move(spec)); });
}

void MainJob::SetTicked(int row, bool ticked)
{
    window_.SetTicked(row, ticked);
}

void MainJob::SetStatus(int row, const std::string& text)
{
    window_.SetRowStatus(row, Qs(text));
}

void MainJob::SetReason(int row, const std::string& reason)
{
    window_.SetRowReason(row, Qs(reason));
}

void MainJob::SetRunLog(int row, const std::string& logPath)
{
    window_.SetRowLog(row, Qs(logPath));
}

void MainJob::OpenFolder(const std::string& folder)
{
    window_.OpenFolder(Qs(folder));
}

void MainJob::RunStarted(int row, const std::string& outputPath)
{
    window_.NoteRunStarted(row, Qs(outputPath));
}

void MainJob::RunEnded(int row)
{
    window_.NoteRunEnded(row);
}

void MainJob::SetHotRow(int row)
{
    // The run of the hot row has ended: its last messages still belong to it.
    if (row < 0)
        window_.Engine().DispatchProgress();
    hotRow_ = row;
    window_.HighlightRow(row);
}

void MainJob::ShowBusy(bool busy)
{
    hotRow_ = -1;
    window_.SetBusy(busy);
}

void MainJob::RefreshTotals()
{
    window_.RefreshTotals();
}

void MainJob::ShowShutdownDialog()
{
    ShutDownDialog dialog(&window_, power_);
    dialog.exec();
}

// Messages that arrive after the job has left the busy state (the last ones
// of a run, read while the final message box is open) change nothing.
void MainJob::OnProgress(std::int32_t stage, std::int32_t value)
{
    if (!job_.Busy())
        return;
    const std::optional<engine::ProgressView> shown =
        progress_.OnEngineProgress(static_cast<std::uint32_t>(stage), value, job_.Phase());
    if (!shown)
        return;
    if (shown->rowText && hotRow_ >= 0)
        window_.SetRowStatus(hotRow_, Qs(*shown->rowText));
    window_.ShowProgress(shown->position, Qs(shown->stageLine), Qs(shown->elapsedLine));
}

}  // namespace ui
