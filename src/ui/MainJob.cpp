#include "MainJob.h"

#include "EngineSession.h"
#include "MainDialog.h"
#include "ShutDownDialog.h"
#include "UiText.h"
#include "app/SettingsStore.h"
#include "app/UserDialogs.h"
#include "disc/JobDiscSteps.h"

#include <QSocketNotifier>

namespace ui {

MainJob::MainJob(MainDialog& window, app::UserDialogs& dialogs, platform::PowerSwitch& power,
                 const platform::Clock& clock)
    : window_(window),
      dialogs_(dialogs),
      power_(power),
      progress_(clock),
      job_(*this, window.Engine().block, window.Engine().launcher, dialogs, progress_, window.Engine().NotifyWindow(),
           disks_)
{
    EngineSession& engine = window.Engine();
    disc::InstallDiscSteps(job_, engine.block, dialogs);
    engine.onProgress = [this](std::int32_t stage, std::int32_t value) { OnProgress(stage, value); };
    window.SetCommandHandler(Command::Convert, [this] { OnConvert(); });
    window.SetCommandHandler(Command::Stop, [this] { job_.OnStop(); });
    tick_.setInterval(engine::ConversionJob::kTickMs);
    QObject::connect(&tick_, &QTimer::timeout, [this] { Advance([this] { job_.OnTick(); }); });
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
    Advance([this, &spec] { job_.Start(std::move(spec)); });
}

// The exit notifier of the tool that ran before is dropped first: its
// descriptor is closed once the tool is collected, and the number may come
// back for the next tool.
void MainJob::Advance(const std::function<void()>& step)
{
    if (toolExit_) {
        toolExit_->setEnabled(false);
        toolExit_.release()->deleteLater();
    }
    step();
    if (!job_.Busy()) {
        tick_.stop();
        return;
    }
    if (!tick_.isActive())
        tick_.start();
    const engine::EngineLauncher& launcher = window_.Engine().launcher;
    if (launcher.Running() && launcher.ExitDescriptor() >= 0 && !toolExit_) {
        toolExit_ = std::make_unique<QSocketNotifier>(launcher.ExitDescriptor(), QSocketNotifier::Read);
        QObject::connect(toolExit_.get(), &QSocketNotifier::activated,
                         [this] { Advance([this] { job_.OnToolEvent(); }); });
    }
}

void MainJob::SetTicked(int row, bool ticked)
{
    window_.SetTicked(row, ticked);
}

void MainJob::SetStatus(int row, const std::string& text)
{
    window_.SetRowStatus(row, Qs(text));
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
