#include "TerminalView.h"

#include "app/Utilities.h"
#include "lang/IniTextFile.h"

#include <filesystem>

namespace cli {

namespace {

std::string Text(const char* key)
{
    return lang::Text("MainDialog", key);
}

std::string Trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(' ');
    return first == std::string::npos ? "" : text.substr(first);
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
    rowTenths_[row] = 0;
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

std::string TerminalView::Times(const engine::ProgressView& view) const
{
    const std::uint64_t elapsed = (clock_.NowMs() - jobStartMs_) / 1000;
    const std::string left = view.timeLeftLine.empty() ? Text("Time Left") + ": --:--:--" : view.timeLeftLine;
    return Text("Elapsed Time") + ": " + app::SecondsToClock(static_cast<double>(elapsed)) + "  " + left;
}

void TerminalView::SetReason(int row, const std::string& reason)
{
    if (reason.empty())
        return;
    EndLine();
    err_ << "diziv-cli: " << rows_.at(row).item.path << ": " << reason << "\n" << std::flush;
}

// A row's message names the row and its own share, and with several rows
// at once how many are done and running; the stage line and times are the
// job's.
void TerminalView::ShowProgress(std::uint32_t stage, const engine::ProgressView& view)
{
    const bool rowMessage = view.row >= 0 && view.row < RowCount();
    bool stageBegins = false;
    if (!rowMessage && hotRow_ < 0 && stage != shownStage_) {  // a join or disc stage begins
        shownStage_ = stage;
        shownTenths_ = 0;
        stageBegins = true;
    }
    std::string line = view.stageLine;
    if (rowMessage)
        line = RowTitle(view.row) + (style_ == Style::Live ? " " : ": ") + Trimmed(*view.rowText) + "  " + line;
    if (view.runningRows > 1)
        line += "  " + view.countLine;
    line += "  " + Times(view);
    // Plain lines: when a stage begins, then at each 10 % mark a row or stage passes.
    if (style_ == Style::Plain) {
        int& tenths = rowMessage ? rowTenths_[view.row] : shownTenths_;
        const int reached = (rowMessage ? view.rowPosition : view.position) / 1000;
        if (stageBegins || reached > tenths) {
            tenths = reached;
            out_ << line << "\n" << std::flush;
        }
    }
    if (style_ != Style::Live)
        return;
    out_ << "\r\033[K" << line << std::flush;
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
