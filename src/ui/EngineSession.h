#pragma once
// What the main window shares with the engine tools for its whole life: the
// status record, the launcher of the tool runs and the socket on which the
// tools' progress messages arrive.
#include "engine/EngineLauncher.h"
#include "engine/EngineStatusBlock.h"
#include "engine/ProgressChannel.h"
#include "platform/Clock.h"

#include <cstdint>
#include <functional>
#include <memory>

class QSocketNotifier;

namespace app {
class UserDialogs;
}

namespace ui {

struct EngineSession {
    // Opens this run's record (telling the user when none can be had) and
    // binds the progress socket.
    explicit EngineSession(app::UserDialogs& dialogs);
    ~EngineSession();

    // Removes the record and the socket; nothing of them outlives the window.
    void Close();
    // The value for notify_window of every run.
    std::int32_t NotifyWindow() const { return channel.WindowId(); }
    // Hands the progress messages waiting on the socket to onProgress.
    void DispatchProgress() { channel.DispatchPending(); }

    // Receives each progress message (stage, value); may be empty.
    std::function<void(std::int32_t stage, std::int32_t value)> onProgress;

    platform::SteadyClock clock;
    engine::EngineStatusBlock block;
    engine::EngineLauncher launcher;
    engine::ProgressChannel channel;

private:
    std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace ui
