#pragma once
// Turns the engine tools' progress messages into what the main window
// shows: the bar position (0..10000), the row's percentage, the stage line
// and the elapsed time of the job. Messages closer than 200 ms to the last
// one shown are dropped.
#include "platform/Clock.h"

#include <cstdint>
#include <optional>
#include <string>

namespace engine {

struct ProgressView {
    int position = 0;                    // 0..10000
    std::optional<std::string> rowText;  // for the row being converted, stage 0 only
    std::string stageLine;
    std::string elapsedLine;
};

class ProgressReport {
public:
    explicit ProgressReport(const platform::Clock& clock) : clock_(clock) {}

    // On entering the busy state.
    void Start();

    // What the job is doing when a message arrives.
    struct JobPhase {
        bool convertingRow = false;  // a source row is being converted
        bool joining = false;        // the join run of a joiner job
        std::uint32_t dvdTotalMB = 0;
    };

    // The new display for a message, or nothing when it came too soon.
    std::optional<ProgressView> OnEngineProgress(std::uint32_t stage, std::int32_t value, const JobPhase& phase);

private:
    const platform::Clock& clock_;
    std::uint64_t startTick_ = 0;
    std::uint64_t lastProgressTick_ = 0;
};

}  // namespace engine
