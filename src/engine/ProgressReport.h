#pragma once
// Turns the engine tools' progress messages into what the main window
// shows: the bar position (0..10000: the whole job while rows convert, the
// step's during a join or disc step), the percentage of the row a message
// came from, the stage line, the count of rows and the elapsed time of the
// job. Several rows may convert at once; each message says whose it is.
// Displays closer than 200 ms to the last one are dropped; what a dropped
// message says of its row still counts.
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
    std::string stageLine;
    std::string countLine;  // "File 2 of 5", "3 of 5 done, 2 running"; "" outside the conversions
    std::string elapsedLine;
    std::string timeLeftLine;  // "" until an estimate means something
    int jobPercent = 0;        // of the whole job, for the window title
};

class ProgressReport {
public:
    explicit ProgressReport(const platform::Clock& clock) : clock_(clock) {}

    // On entering the busy state.
    void Start();
    // The job's rows, by their media length in seconds, in job order.
    void BeginRows(std::vector<double> rowSeconds);
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
    enum class RowState { Waiting, Running, Ended };

    double JobFraction() const;

    const platform::Clock& clock_;
    std::uint64_t startTick_ = 0;
    std::uint64_t lastProgressTick_ = 0;
    std::vector<double> rowSeconds_;
    std::vector<double> rowFractions_;
    std::vector<RowState> rowStates_;
};

}  // namespace engine
