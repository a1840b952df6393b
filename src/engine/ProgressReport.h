#pragma once
// Turns the engine tools' progress messages into what the main window
// shows: the bar position (0..10000: the whole job while rows convert, the
// step's during a join or disc step), the percentage of the row a message
// came from, the stage line, the count of rows, the elapsed time and the
// time left. Several rows may convert at once; each message says whose it
// is. The time left is that of the rows while they convert, and that of the
// join or disc step while it runs.
// Displays closer than 200 ms to the last one are dropped; what a dropped
// message says of its row still counts.
#include "engine/JobPace.h"
#include "platform/Clock.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace engine {

struct ProgressView {
    int position = 0;                    // 0..10000
    int row = -1;                        // the list row rowText belongs to
    std::optional<std::string> rowText;  // for the row the message came from, stage 0 only
    int rowPosition = 0;                 // that row's own progress, 0..10000
    std::string stageLine;
    std::string countLine;  // "File 2 of 5", "3 of 5 done, 2 running"; "" outside the conversions
    std::size_t runningRows = 0;
    std::string elapsedLine;
    std::string timeLeftLine;  // "" until an estimate means something
    std::string titlePrefix;   // "42% – ", for the window title
};

class ProgressReport {
public:
    explicit ProgressReport(const platform::Clock& clock) : clock_(clock) {}

    // On entering the busy state.
    void Start();
    // The job's rows, by their media length in seconds, in job order; after
    // Start(), whose time their pace counts from.
    void BeginRows(const std::vector<double>& rowSeconds);
    void RowStarted(std::size_t row);
    // Done, failed, refused or stopped: nothing of it is left to do.
    void RowEnded(std::size_t row);

    // What the job is doing when a message arrives.
    struct JobPhase {
        bool convertingRow = false;  // a source row is being converted
        bool joining = false;        // the join run of a joiner job
        std::uint32_t dvdTotalMB = 0;
        std::optional<std::size_t> row;  // the job row whose run sent the message
        int listRow = -1;                // and its place in the list
    };

    // The new display for a message, or nothing when it came too soon.
    std::optional<ProgressView> OnEngineProgress(std::uint32_t stage, std::int32_t value, const JobPhase& phase);

private:
    const platform::Clock& clock_;
    std::uint64_t startTick_ = 0;
    std::uint64_t lastProgressTick_ = 0;
    JobPace rows_;
    // The join or disc stage being shown, paced as one row of its own.
    std::optional<std::uint32_t> stage_;
    JobPace stagePace_;
};

}  // namespace engine
