#pragma once
// The last lines of a run on standard output: the path of each output made,
// then "3 converted, 1 failed, 0 skipped; output in DIR".
#include "TerminalView.h"

#include <string>
#include <vector>

namespace cli {

struct RunTally {
    int converted = 0;
    int failed = 0;   // refused by the probe, or failed in the job
    int skipped = 0;  // left out (--skip-existing) or not finished because of a stop
};

// How the job's rows ended. In a job with one output (a join or a disc),
// a row counts as converted only when that output was made. A row the
// stop interrupted or never reached is skipped; one never reached without
// a stop failed with the job.
RunTally TallyRows(const TerminalView& view, bool oneOutput, bool outputMade, bool stopped);

std::string SummaryText(const std::vector<std::string>& outputs, const RunTally& tally, const std::string& outputFolder);

}  // namespace cli
