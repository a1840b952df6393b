#pragma once
// A step of a job that runs tools one after another, deciding between runs
// (the disc authoring): the job starts each run Next() gives and asks again
// once the run has ended, or at once when a run could not start.
#include "engine/CommandLine.h"

#include <optional>
#include <string>

namespace engine {

struct ToolCommand {
    std::string path;
    Arguments arguments;
};

class ToolSequence {
public:
    virtual ~ToolSequence() = default;
    // The next run, or nothing when the step is over; the step leaves its
    // outcome in the record's result_code.
    virtual std::optional<ToolCommand> Next() = 0;
    // Where the step put its result (the disc folder); "" before that is known.
    virtual std::string ResultPath() const { return ""; }
};

}  // namespace engine
