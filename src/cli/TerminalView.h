#pragma once
// The conversion job's window on a terminal: the sources as rows, a live
// progress line (the row's percent, the job's, elapsed time and the job's
// time left) when standard output is a terminal, one plain line per event
// and every 10 % of a row or stage when it is not, nothing with --quiet. Why a source failed
// goes to the error stream, as "diziv-cli: FILE: reason".
#include "engine/JobView.h"
#include "engine/ProgressReport.h"
#include "engine/SourceItem.h"
#include "platform/Clock.h"

#include <cstdint>
#include <functional>
#include <iostream>
#include <map>
#include <optional>
#include <ostream>
#include <vector>

namespace cli {

class TerminalView : public engine::JobView {
public:
    enum class Style { Live, Plain, Quiet };
    // Where the job left a row: not reached, converted, failed, or stopped by the user.
    enum class RowState { Waiting, Done, Failed, Stopped };
    using OutputHandler = std::function<void(int row, const std::string& path)>;

    TerminalView(std::ostream& out, Style style, const platform::Clock& clock, std::ostream& err = std::cerr);

    void AddSource(const engine::SourceItem& item);
    // A new display from the job's progress report.
    void ShowProgress(std::uint32_t stage, const engine::ProgressView& view) override;
    // Ends a live progress line, so that other output starts on a line of its own.
    void EndLine();
    // Receives the job's finished outputs (see engine::JobView::OutputMade).
    void SetOutputHandler(OutputHandler handler) { outputHandler_ = std::move(handler); }

    RowState State(int row) const;
    // Rows the job marked failed or stopped.
    int FailedRows() const;
    // Whether the job got past its checks and started converting.
    bool JobStarted() const { return jobStarted_; }

    int RowCount() const { return static_cast<int>(rows_.size()); }
    const engine::SourceItem& Item(int row) const { return rows_.at(row).item; }

    void SetTicked(int, bool) override {}
    void SetStatus(int row, const std::string& text) override;
    void SetReason(int row, const std::string& reason) override;
    void SetRunLog(int, const std::string&) override {}
    void SetHotRow(int row) override;
    void ShowBusy(bool busy) override;
    void RefreshTotals() override {}
    void ShowShutdownDialog(app::WhenDone) override {}
    void OutputMade(int row, const std::string& path) override;
    void OpenFolder(const std::string&) override {}

private:
    struct Row {
        engine::SourceItem item;
        std::string status = "--";
    };

    std::string RowTitle(int row) const;
    // "Elapsed time: ...  Time left: ...", the job's.
    std::string Times(const engine::ProgressView& view) const;

    std::ostream& out_;
    std::ostream& err_;
    Style style_;
    const platform::Clock& clock_;
    std::vector<Row> rows_;
    OutputHandler outputHandler_;
    bool jobStarted_ = false;
    int hotRow_ = -1;
    std::optional<std::uint32_t> shownStage_;  // of the join or disc step being shown
    std::uint64_t jobStartMs_ = 0;
    int shownTenths_ = 0;            // of the stage: the last 10 % mark a plain line was printed for
    std::map<int, int> rowTenths_;   // the same for each row
    bool lineOpen_ = false;
};

}  // namespace cli
