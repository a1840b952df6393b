#pragma once
// The conversion job of the main window. Convert (Join in the joiner
// edition) takes the job's settings and ticked rows from the window and
// starts the engine's job; the window's event loop then drives it: the
// running tool's exit descriptor, a tick timer and the progress socket.
#include "engine/ConversionJob.h"
#include "engine/JobView.h"
#include "engine/ProgressReport.h"
#include "engine/WorkingFolder.h"
#include "ui/ToolWatch.h"

#include <cstdint>

namespace app {
class UserDialogs;
}

namespace platform {
class Clock;
class PowerSwitch;
}  // namespace platform

namespace ui {

class MainDialog;

class MainJob : public engine::JobView {
public:
    // power turns the computer off after an automatic-shutdown run; clock
    // times the progress display.
    MainJob(MainDialog& window, app::UserDialogs& dialogs, platform::PowerSwitch& power, const platform::Clock& clock);
    ~MainJob() override;
    MainJob(const MainJob&) = delete;
    MainJob& operator=(const MainJob&) = delete;

    bool Busy() const { return job_.Busy(); }

    void SetTicked(int row, bool ticked) override;
    void SetStatus(int row, const std::string& text) override;
    void SetReason(int row, const std::string& reason) override;
    void SetRunLog(int row, const std::string& logPath) override;
    void SetHotRow(int row) override;
    void ShowBusy(bool busy) override;
    void RefreshTotals() override;
    void ShowShutdownDialog(app::WhenDone action) override;
    void OpenFolder(const std::string& folder) override;
    void ShowProgress(std::uint32_t stage, const engine::ProgressView& shown) override;
    void JobEnded(engine::JobEnd end, std::size_t convertedRows, std::size_t failedRows) override;
    void RunStarted(int row, const std::string& outputPath) override;
    void RunEnded(int row) override;

private:
    void OnConvert();

    MainDialog& window_;
    app::UserDialogs& dialogs_;
    platform::PowerSwitch& power_;
    engine::Disks disks_ = engine::Disks::System();
    engine::ProgressReport progress_;
    engine::ConversionJob job_;
    ToolWatch watch_;
};

}  // namespace ui
