#pragma once
// The window's source list kept on disk, so that it is there again at the
// next start and a job that was cut short can be resumed: every row with
// what its probe found and what the user chose, its tick and status, and
// while a job runs, which runs were writing which output.
//
// The file is text in sections, one line per value ("Key=value"); a value
// keeps every byte but '\\', CR and LF, which are written as "\\\\", "\\r" and
// "\\n". It begins with its own header line and ends with "[End]", so that
// a file cut short is told from a whole one.
#include "engine/SourceItem.h"

#include <optional>
#include <string>
#include <vector>

namespace engine {

struct QueueRow {
    SourceItem item;
    bool ticked = true;
    std::string status;
    std::string reason;     // why its last conversion failed; "" when it did not
    std::string runOutput;  // the output its unfinished run was writing; "" when none runs
};

struct QueueState {
    std::vector<QueueRow> rows;
    bool jobRunning = false;
    std::string joinRunOutput;  // the output of the unfinished join run; "" when none runs
};

// The file's text for state.
std::string FormatQueue(const QueueState& state);

// The state in text, or why it is not a queue file (a line of English).
struct QueueRead {
    std::optional<QueueState> state;
    std::string error;
};
QueueRead ParseQueue(const std::string& text);

// Replaces the file at path by state's text at once: a new file beside it
// is written, flushed to the disk and renamed over it. False when any of
// that failed; the old file is then untouched.
bool SaveQueue(const std::string& path, const QueueState& state);

// The state kept at path. missing is set, without an error, when there is
// no such file.
struct QueueLoad {
    std::optional<QueueState> state;
    std::string error;
    bool missing = false;
};
QueueLoad LoadQueue(const std::string& path);

}  // namespace engine
