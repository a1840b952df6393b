#include "RunSummary.h"

namespace cli {

RunTally TallyRows(const TerminalView& view, bool oneOutput, bool outputMade, bool stopped)
{
    RunTally tally;
    for (int row = 0; row < view.RowCount(); ++row) {
        TerminalView::RowState state = view.State(row);
        if (oneOutput && state == TerminalView::RowState::Done && !outputMade)
            state = TerminalView::RowState::Waiting;
        switch (state) {
        case TerminalView::RowState::Done: ++tally.converted; break;
        case TerminalView::RowState::Failed: ++tally.failed; break;
        case TerminalView::RowState::Stopped: ++tally.skipped; break;
        case TerminalView::RowState::Waiting: ++(stopped ? tally.skipped : tally.failed); break;
        }
    }
    return tally;
}

std::string SummaryText(const std::vector<std::string>& outputs, const RunTally& tally, const std::string& outputFolder)
{
    std::string text;
    for (const std::string& output : outputs)
        text += output + "\n";
    std::string folder = outputFolder;
    if (folder.size() > 1 && folder.back() == '/')
        folder.pop_back();
    return text + std::to_string(tally.converted) + " converted, " + std::to_string(tally.failed) + " failed, " +
           std::to_string(tally.skipped) + " skipped; output in " + folder + "\n";
}

}  // namespace cli
