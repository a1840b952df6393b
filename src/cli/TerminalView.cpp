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

// From the pace of the step so far.
std::string EstimateLeft(int position, std::uint64_t elapsedMs)
{
    if (position <= 0 || elapsedMs < 1000)
        return "--:--:--";
    return app::SecondsToClock(static_cast<double>(elapsedMs) / 1000.0 * (10000 - position) / position);
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

void TerminalView::SetReason(int row, const std::string& reason)
{
    if (reason.empty())
        return;
    EndLine();
    err_ << "diziv-cli: " << rows_.at(row).item.path << ": " << reason << "\n" << std::flush;
}

void TerminalView::ShowProgress(std::uint32_t stage, const engine::ProgressView& view)
{
    if (hotRow_ < 0 && stage != shownStage_) {  // a join or disc stage begins
        shownStage_ = stage;
        stepStartMs_ = clock_.NowMs();
        if (style_ == Style::Plain)
            out_ << view.stageLine << "\n" << std::flush;
    }
    if (style_ != Style::Live)
        return;
    out_ << "\r\033[K" << (hotRow_ >= 0 ? RowTitle(hotRow_) + "  " : "") << view.stageLine << "  "
         << view.elapsedLine << "  " << Text("Time Left") << ": "
         << EstimateLeft(view.position, clock_.NowMs() - stepStartMs_) << std::flush;
    lineOpen_ = true;
}

int TerminalView::FailedRows() const
{
    int failed = 0;
    for (const Row& row : rows_)
        if (row.status == Text("Status Fail") || row.status == Text("Status Abortive"))
            ++failed;
    return failed;
}

void TerminalView::ShowBusy(bool busy)
{
    if (busy)
        jobStarted_ = true;
    else
        EndLine();
}

}  // namespace cli
