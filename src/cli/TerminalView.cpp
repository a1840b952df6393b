#include "TerminalView.h"

#include "app/Utilities.h"
#include "lang/IniTextFile.h"

#include <filesystem>

namespace cli {

namespace {

constexpr int kFull = 10000;  // progress position of a finished step

std::string Text(const char* key)
{
    return lang::Text("MainDialog", key);
}

// From the pace so far: done of kFull took elapsedMs.
std::string EstimateLeft(double done, std::uint64_t elapsedMs)
{
    if (done >= kFull)
        return app::SecondsToClock(0);
    if (done <= 0 || elapsedMs < 1000)
        return "--:--:--";
    return app::SecondsToClock(static_cast<double>(elapsedMs) / 1000.0 * (kFull - done) / done);
}

}  // namespace

TerminalView::TerminalView(std::ostream& out, Style style, const platform::Clock& clock, std::ostream& err)
    : out_(out), err_(err), style_(style), clock_(clock)
{
}

void TerminalView::AddSource(const engine::SourceItem& item)
{
    rows_.push_back({item});
}

std::string TerminalView::RowTitle(int row) const
{
    const std::string& path = rows_.at(row).item.path;
    const std::string name = style_ == Style::Live ? std::filesystem::path(path).filename().string() : path;
    return "[" + std::to_string(row + 1) + "/" + std::to_string(rows_.size()) + "] " + name;
}

void TerminalView::EndLine()
{
    if (lineOpen_)
        out_ << "\n" << std::flush;
    lineOpen_ = false;
}

void TerminalView::SetHotRow(int row)
{
    if (row < 0 || row == hotRow_)
        return;
    hotRow_ = row;
    shownStage_.reset();
    stepStartMs_ = clock_.NowMs();
    shownTenths_ = 0;
    if (style_ == Style::Plain)
        out_ << RowTitle(row) << ": " << Text("Converting Video") << "\n" << std::flush;
}

void TerminalView::SetStatus(int row, const std::string& text)
{
    rows_.at(row).status = text;
    if (text == "--")
        return;
    hotRow_ = -1;
    if (style_ == Style::Live)
        out_ << "\r\033[K" << RowTitle(row) << "  " << text << "\n" << std::flush;
    else if (style_ == Style::Plain)
        out_ << RowTitle(row) << ": " << text << "\n" << std::flush;
    lineOpen_ = false;
}

// The share of the job's sources (by trimmed length) converted, with the
// running one at position, of kFull.
std::string TerminalView::JobTimeLeft(int position) const
{
    std::int64_t total = 0, done = 0;
    for (int row = 0; row < RowCount(); ++row) {
        const std::int64_t length = engine::TrimLengthMs(rows_[row].item);
        total += length;
        if (row == hotRow_)
            done += length * position / kFull;
        else if (State(row) != RowState::Waiting)
            done += length;
    }
    const double share = total > 0 ? static_cast<double>(done) * kFull / static_cast<double>(total) : 0;
    return EstimateLeft(share, clock_.NowMs() - jobStartMs_);
}

std::string TerminalView::Times(int position) const
{
    const std::uint64_t now = clock_.NowMs();
    std::string text = Text("Elapsed Time") + ": " + app::SecondsToClock(static_cast<double>((now - jobStartMs_) / 1000)) +
                       "  " + Text("Time Left") + ": " + EstimateLeft(position, now - stepStartMs_);
    if (hotRow_ >= 0 && RowCount() > 1)
        text += " (job " + JobTimeLeft(position) + ")";
    return text;
}

void TerminalView::SetReason(int row, const std::string& reason)
{
    if (reason.empty())
        return;
    EndLine();
    err_ << "diziv-cli: " << rows_.at(row).item.path << ": " << reason << "\n" << std::flush;
}

void TerminalView::ShowProgress(std::uint32_t stage, const engine::ProgressView& view)
{
    bool stageBegins = false;
    if (hotRow_ < 0 && stage != shownStage_) {  // a join or disc stage begins
        shownStage_ = stage;
        stepStartMs_ = clock_.NowMs();
        shownTenths_ = 0;
        stageBegins = true;
    }
    const std::string title = hotRow_ >= 0 ? RowTitle(hotRow_) : "";
    // Plain lines: when a stage begins, then at each 10 % mark passed.
    if (style_ == Style::Plain && (stageBegins || view.position / 1000 > shownTenths_)) {
        shownTenths_ = view.position / 1000;
        out_ << (title.empty() ? "" : title + ": ") << view.stageLine << "  " << Times(view.position) << "\n"
             << std::flush;
    }
    if (style_ != Style::Live)
        return;
    out_ << "\r\033[K" << (title.empty() ? "" : title + "  ") << view.stageLine << "  " << Times(view.position)
         << std::flush;
    lineOpen_ = true;
}

TerminalView::RowState TerminalView::State(int row) const
{
    const std::string& status = rows_.at(row).status;
    if (status == Text("Status OK") || status == Text("Status Copied"))
        return RowState::Done;
    if (status == Text("Status Fail"))
        return RowState::Failed;
    if (status == Text("Status Abortive"))
        return RowState::Stopped;
    return RowState::Waiting;
}

int TerminalView::FailedRows() const
{
    int failed = 0;
    for (int row = 0; row < RowCount(); ++row)
        if (State(row) == RowState::Failed || State(row) == RowState::Stopped)
            ++failed;
    return failed;
}

void TerminalView::ShowBusy(bool busy)
{
    if (busy) {
        jobStarted_ = true;
        jobStartMs_ = clock_.NowMs();
    } else {
        EndLine();
    }
}

void TerminalView::OutputMade(int row, const std::string& path)
{
    if (outputHandler_)
        outputHandler_(row, path);
}

}  // namespace cli
