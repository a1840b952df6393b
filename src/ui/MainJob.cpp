#include "MainJob.h"

#include "DesktopNotification.h"
#include "EngineSession.h"
#include "MainDialog.h"
#include "ShutDownDialog.h"
#include "UiText.h"
#include "app/Application.h"
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
              [this] { return job_.ExitDescriptors(); }})
{
    EngineSession& engine = window.Engine();
    disc::InstallDiscSteps(job_, engine.block, dialogs);
    engine.onProgress = [this](std::int32_t stage, std::int32_t value) { job_.OnProgress(stage, value); };
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
    window_.HighlightRow(row);
}

void MainJob::ShowBusy(bool busy)
{
    window_.SetBusy(busy);
}

void MainJob::RefreshTotals()
{
    window_.RefreshTotals();
}

void MainJob::ShowShutdownDialog(app::WhenDone action)
{
    ShutDownDialog dialog(&window_, power_, action);
    dialog.exec();
}

// Told on the desktop when the user looks elsewhere.
void MainJob::JobEnded(engine::JobEnd end, std::size_t convertedRows, std::size_t failedRows)
{
    NotifyJobEnded(&window_, Qs(app::Application().appName),
                   Qs(engine::JobEndSentence(end, convertedRows, failedRows)));
}

void MainJob::ShowProgress(std::uint32_t, const engine::ProgressView& shown)
{
    if (shown.rowText && shown.row >= 0)
        window_.SetRowStatus(shown.row, Qs(*shown.rowText));
    window_.ShowProgress(shown);
}

}  // namespace ui
