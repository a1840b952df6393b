#pragma once
// Probes a list of files with several encoder runs at once. Each run has a
// status record, a launcher (with a log of its own) and a MediaProbe of its
// own; what a probe would have told the user is gathered into its outcome,
// and the outcomes are handed on in the order of the files.
#include "app/JobSettings.h"
#include "app/Notice.h"
#include "engine/CommandLine.h"
#include "engine/SourceItem.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace app {
class UserDialogs;
}

namespace platform {
class Clock;
}

namespace engine {

// One tool run of a probe: what was started and what it wrote to its log.
struct ProbeRun {
    std::string tool;
    Arguments arguments;
    std::string log;
};

struct ProbeOutcome {
    std::string path;
    std::optional<SourceItem> item;     // the facts of a readable file
    std::vector<app::Notice> refusals;  // what the probe would have reported, in order; empty when readable
    std::vector<ProbeRun> runs;         // the encoder runs the probe took, in order
};

// One probe per processor this process may run on (at least 1).
int ProbeParallelism();

class ProbePool {
public:
    // After Cancel() a run gets this long to end by itself before it is killed.
    static constexpr std::uint64_t kCancelGraceMs = 500;

    ProbePool(std::string sharedName, app::UserDialogs& dialogs, std::int32_t notifyWindow,
              const platform::Clock& clock);
    ~ProbePool();
    ProbePool(const ProbePool&) = delete;
    ProbePool& operator=(const ProbePool&) = delete;

    // Probes paths (in this order) with up to `parallel` runs at once. The
    // first record that cannot be opened is reported through dialogs. Drops
    // the outcomes of an earlier list that were not taken.
    void Start(std::vector<std::string> paths, app::DecodeEngine decoder, int parallel);
    bool Busy() const;
    // Collects ended runs and starts the next ones; the caller's event loop calls it
    // when one of ExitDescriptors() becomes readable, and on a timer (~50 ms).
    void OnToolEvent();
    std::vector<int> ExitDescriptors() const;
    // Ends the running probes (terminate; kill after kCancelGraceMs) and drops the files
    // not yet probed; their outcomes are never given. Busy() is false once the runs are
    // collected. The outcomes finished before stay and are given in path order.
    void Cancel();
    // The outcomes finished so far, strictly in the order of paths (a later file's outcome waits
    // for every earlier one); each is given once.
    std::vector<ProbeOutcome> TakeReady();
    std::size_t Done() const;  // outcomes finished (given or waiting)
    std::size_t Total() const;
    // A file being probed now (the earliest still running), "" when none.
    std::string CurrentPath() const;
    // Blocks until every outcome is in (or, after between() called Cancel(), the
    // runs are collected), calling between() every slice; for front ends without
    // an event loop (the command line).
    void WaitAll(const std::function<void()>& between);

private:
    struct Slot;

    void OpenSlots(int parallel);
    // Starts the next files on the idle slots.
    void Fill();
    // Starts file `index` on slot; false when its probe ended at once.
    bool StartOn(Slot& slot, std::size_t index);
    void Finish(Slot& slot);
    void CollectCancelled();
    void CloseSlotsWhenIdle();

    std::string sharedName_;
    app::UserDialogs& dialogs_;
    std::int32_t notifyWindow_;
    const platform::Clock& clock_;
    std::vector<std::unique_ptr<Slot>> slots_;

    std::vector<std::string> paths_;
    app::DecodeEngine decoder_ = app::DecodeEngine::Auto;
    std::size_t next_ = 0;   // the first path not started
    std::size_t given_ = 0;  // the first path whose outcome was not looked at by TakeReady
    std::size_t done_ = 0;
    std::vector<std::optional<ProbeOutcome>> finished_;  // per path
    std::vector<bool> dropped_;                          // per path: ended by Cancel or never started
    std::optional<std::uint64_t> cancelledMs_;
};

}  // namespace engine
