#pragma once
// The conversion job's window on a terminal: the sources as rows, a live
// progress line per source (percent, elapsed time, time left) when standard
// output is a terminal, one plain line per event when it is not, nothing
// with --quiet. The window's output controls are the loaded settings.
#include "engine/JobView.h"
#include "engine/ProgressReport.h"
#include "platform/Clock.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <ostream>
#include <vector>

namespace app {
class UserDialogs;
}

namespace cli {

class TerminalView : public engine::JobView {
public:
    enum class Style { Live, Plain, Quiet };

    TerminalView(std::ostream& out, Style style, const platform::Clock& clock, app::UserDialogs& dialogs,
                 bool saveSettings, std::function<void()> pump);

    void AddSource(const engine::SourceItem& item);
    // A new display from the job's progress report.
    void ShowProgress(std::uint32_t stage, const engine::ProgressView& view);
    // Ends a live progress line, so that other output starts on a line of its own.
    void EndLine();

    // Rows the job marked failed or stopped.
    int FailedRows() const;
    // Whether the job got past its checks and started converting.
    bool JobStarted() const { return jobStarted_; }

    int RowCount() const override { return static_cast<int>(rows_.size()); }
    const engine::SourceItem& Item(int row) const override { return rows_.at(row).item; }
    bool IsTicked(int row) const override { return rows_.at(row).ticked; }
    void SetTicked(int row, bool ticked) override { rows_.at(row).ticked = ticked; }
    void SetStatus(int row, const std::string& text) override;
    void SetHotRow(int row) override;
    void ShowBusy(bool busy) override;
    void RefreshTotals() override {}
    void SaveMainWindowState() override;
    int CheckDiscLabel() override;
    std::string OutputFolder() const override;
    int TotalMinutes() const override;
    int DiscCapacityMinutes() const override;
    void ShowShutdownDialog() override {}
    void PumpMessages() override { pump_(); }

private:
    struct Row {
        engine::SourceItem item;
        bool ticked = true;
        std::string status = "--";
    };

    std::string RowTitle(int row) const;

    std::ostream& out_;
    Style style_;
    const platform::Clock& clock_;
    app::UserDialogs& dialogs_;
    bool saveSettings_;
    std::function<void()> pump_;
    std::vector<Row> rows_;
    bool jobStarted_ = false;
    int hotRow_ = -1;
    std::optional<std::uint32_t> shownStage_;  // of the join or disc step being shown
    std::uint64_t stepStartMs_ = 0;  // of the source or stage being shown
    bool lineOpen_ = false;
};

}  // namespace cli
