#include "ProbePool.h"

#include "EngineLauncher.h"
#include "EngineStatusBlock.h"
#include "MediaProbe.h"
#include "app/Application.h"
#include "app/UserDialogs.h"
#include "platform/Clock.h"
#include "platform/FileSystem.h"
#include "platform/Readiness.h"

#include <sched.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

namespace engine {

namespace {

constexpr int kWaitSliceMs = 50;

// Keeps the notices of one probe and passes everything else on.
class GatheringDialogs : public app::UserDialogs {
public:
    explicit GatheringDialogs(app::UserDialogs& inner) : inner_(inner) {}

    void Report(const app::Notice& notice) override { gathered.push_back(notice); }
    void Message(const std::string& text, const std::string& caption) override { inner_.Message(text, caption); }
    bool Question(const std::string& text, const std::string& caption) override
    {
        return inner_.Question(text, caption);
    }
    bool Confirm(const std::string& text, const std::string& caption) override { return inner_.Confirm(text, caption); }
    bool Question(const app::Notice& question) override { return inner_.Question(question); }
    bool Confirm(const app::Notice& question) override { return inner_.Confirm(question); }

    std::vector<app::Notice> gathered;

private:
    app::UserDialogs& inner_;
};

// The log's text, and the log gone, so that a run that never starts finds
// no earlier run's lines there.
std::string TakeLog(const std::string& path)
{
    if (path.empty())
        return "";
    std::ifstream in(path, std::ios::binary);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    platform::RemoveFile(path);
    return text;
}

}  // namespace

int ProbeParallelism()
{
    cpu_set_t allowed;
    if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0)
        return std::max(1, CPU_COUNT(&allowed));
    return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

struct ProbePool::Slot {
    Slot(app::UserDialogs& dialogs, const platform::Clock& clock, std::int32_t notifyWindow)
        : gathering(dialogs), launcher(block, gathering, clock), probe(block, launcher, gathering, notifyWindow)
    {
        launcher.SetStartObserver([this](const std::string& tool, const Arguments& arguments) {
            TakeRunLog();
            runs.push_back({tool, arguments, ""});
        });
    }

    // The log of the run started last goes with that run.
    void TakeRunLog()
    {
        if (!runs.empty())
            runs.back().log = TakeLog(launcher.LogPath());
    }

    EngineStatusBlock block;
    GatheringDialogs gathering;
    EngineLauncher launcher;
    MediaProbe probe;
    std::optional<std::size_t> index;  // the path probed now
    std::vector<ProbeRun> runs;        // of that path
};

ProbePool::ProbePool(std::string sharedName, app::UserDialogs& dialogs, std::int32_t notifyWindow,
                     const platform::Clock& clock)
    : sharedName_(std::move(sharedName)), dialogs_(dialogs), notifyWindow_(notifyWindow), clock_(clock)
{
}

ProbePool::~ProbePool() = default;

void ProbePool::Start(std::vector<std::string> paths, app::DecodeEngine decoder, int parallel)
{
    paths_ = std::move(paths);
    decoder_ = decoder;
    next_ = given_ = done_ = 0;
    finished_.assign(paths_.size(), std::nullopt);
    dropped_.assign(paths_.size(), false);
    cancelledMs_.reset();
    if (paths_.empty())
        return;
    OpenSlots(std::min(std::max(parallel, 1), static_cast<int>(paths_.size())));
    Fill();
    CloseSlotsWhenIdle();
}

void ProbePool::OpenSlots(int parallel)
{
    slots_.clear();
    std::unique_ptr<Slot> unopened;
    for (int i = 0; i < parallel; ++i) {
        auto slot = std::make_unique<Slot>(dialogs_, clock_, notifyWindow_);
        slot->launcher.SetLogTag("probe-" + std::to_string(i + 1));
        if (slot->block.OpenForRun(sharedName_)) {
            slots_.push_back(std::move(slot));
        } else if (!unopened) {
            dialogs_.Message(slot->block.FailureText(), app::Application().appName);
            unopened = std::move(slot);
        }
    }
    // Without any record the files still get the refusal a probe gives then.
    if (slots_.empty())
        slots_.push_back(std::move(unopened));
}

bool ProbePool::Busy() const
{
    const bool running = std::any_of(slots_.begin(), slots_.end(),
                                     [](const std::unique_ptr<Slot>& slot) { return slot->launcher.Running(); });
    return running || (!cancelledMs_ && done_ < paths_.size());
}

void ProbePool::Fill()
{
    for (const std::unique_ptr<Slot>& slot : slots_) {
        while (!slot->index && next_ < paths_.size()) {
            if (StartOn(*slot, next_++))
                break;
        }
    }
}

bool ProbePool::StartOn(Slot& slot, std::size_t index)
{
    slot.index = index;
    slot.gathering.gathered.clear();
    slot.runs.clear();
    slot.probe.Start(paths_[index], decoder_);
    if (slot.probe.Busy())
        return true;
    Finish(slot);
    return false;
}

void ProbePool::Finish(Slot& slot)
{
    slot.TakeRunLog();
    const std::size_t index = *slot.index;
    finished_[index] =
        ProbeOutcome{paths_[index], slot.probe.TakeResult(), std::move(slot.gathering.gathered), std::move(slot.runs)};
    slot.gathering.gathered.clear();
    slot.runs.clear();
    slot.index.reset();
    ++done_;
}

void ProbePool::OnToolEvent()
{
    if (cancelledMs_) {
        CollectCancelled();
        return;
    }
    for (const std::unique_ptr<Slot>& slot : slots_) {
        if (!slot->index)
            continue;
        slot->probe.OnToolEvent();
        if (!slot->probe.Busy())
            Finish(*slot);
    }
    Fill();
    CloseSlotsWhenIdle();
}

std::vector<int> ProbePool::ExitDescriptors() const
{
    std::vector<int> descriptors;
    for (const std::unique_ptr<Slot>& slot : slots_)
        if (slot->launcher.ExitDescriptor() >= 0)
            descriptors.push_back(slot->launcher.ExitDescriptor());
    return descriptors;
}

void ProbePool::Cancel()
{
    if (cancelledMs_ || !Busy())
        return;
    cancelledMs_ = clock_.NowMs();
    std::fill(dropped_.begin() + static_cast<std::ptrdiff_t>(next_), dropped_.end(), true);
    next_ = paths_.size();
    for (const std::unique_ptr<Slot>& slot : slots_) {
        if (!slot->index)
            continue;
        dropped_[*slot->index] = true;
        slot->probe.Abandon();
        slot->launcher.Terminate();
        slot->index.reset();
    }
    CollectCancelled();
}

void ProbePool::CollectCancelled()
{
    const bool graceOver = clock_.NowMs() - *cancelledMs_ >= kCancelGraceMs;
    for (const std::unique_ptr<Slot>& slot : slots_) {
        if (slot->launcher.Running() && !slot->launcher.Reap() && graceOver)
            slot->launcher.Kill();
    }
    CloseSlotsWhenIdle();
}

void ProbePool::CloseSlotsWhenIdle()
{
    if (Busy())
        return;
    for (const std::unique_ptr<Slot>& slot : slots_)
        TakeLog(slot->launcher.LogPath());
    slots_.clear();
}

std::vector<ProbeOutcome> ProbePool::TakeReady()
{
    std::vector<ProbeOutcome> ready;
    while (given_ < paths_.size()) {
        if (finished_[given_]) {
            ready.push_back(std::move(*finished_[given_]));
            finished_[given_].reset();
        } else if (!dropped_[given_]) {
            break;
        }
        ++given_;
    }
    return ready;
}

std::size_t ProbePool::Done() const
{
    return done_;
}

std::size_t ProbePool::Total() const
{
    return paths_.size();
}

std::string ProbePool::CurrentPath() const
{
    std::optional<std::size_t> earliest;
    for (const std::unique_ptr<Slot>& slot : slots_)
        if (slot->index && (!earliest || *slot->index < *earliest))
            earliest = slot->index;
    return earliest ? paths_[*earliest] : "";
}

void ProbePool::WaitAll(const std::function<void()>& between)
{
    while (Busy()) {
        platform::WaitForReadable(ExitDescriptors(), kWaitSliceMs);
        OnToolEvent();
        if (between)
            between();
    }
}

}  // namespace engine
