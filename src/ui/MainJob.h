#pragma once
// The conversion job of the main window. Convert (Join in the joiner
// edition) and Stop run the engine's job, which sees the window through
// this view: rows, ticks and statuses of the source list, the busy look,
// the output controls, and the progress messages of the running tool.
#include "engine/ConversionJob.h"
#include "engine/JobView.h"
#include "engine/ProgressReport.h"
#include "engine/WorkingFolder.h"

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

    int RowCount() const override;
    const engine::SourceItem& Item(int row) const override;
    bool IsTicked(int row) const override;
    void SetTicked(int row, bool ticked) override;
    void SetStatus(int row, const std::string& text) override;
    void SetHotRow(int row) override;
    void ShowBusy(bool busy) override;
    void RefreshTotals() override;
    void SaveMainWindowState() override;
    int CheckDiscLabel() override;
    std::string OutputFolder() const override;
    int TotalMinutes() const override;
    int DiscCapacityMinutes() const override;
    void ShowShutdownDialog() override;
    void PumpMessages() override;

private:
    void OnProgress(std::int32_t stage, std::int32_t value);

    MainDialog& window_;
    platform::PowerSwitch& power_;
    engine::Disks disks_ = engine::Disks::System();
    engine::ProgressReport progress_;
    engine::ConversionJob job_;
    int hotRow_ = -1;
};

}  // namespace ui
