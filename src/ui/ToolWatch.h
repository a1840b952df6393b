#pragma once
// Drives an engine-side state machine (the conversion job, the probe) from
// the window's event loop: after each step it watches the tool the launcher
// left running, through its exit descriptor and a tick timer, for as long
// as the machine is busy.
#include "engine/EngineLauncher.h"

#include <QTimer>

#include <functional>
#include <memory>

class QSocketNotifier;

namespace ui {

class ToolWatch {
public:
    struct Machine {
        std::function<void()> onToolExit;
        std::function<void()> onTick;
        std::function<bool()> busy;
    };

    ToolWatch(const engine::EngineLauncher& launcher, Machine machine);
    ~ToolWatch();
    ToolWatch(const ToolWatch&) = delete;
    ToolWatch& operator=(const ToolWatch&) = delete;

    // Runs step (which may start or collect a tool), then watches again.
    void Advance(const std::function<void()>& step);

private:
    const engine::EngineLauncher& launcher_;
    Machine machine_;
    QTimer tick_;
    std::unique_ptr<QSocketNotifier> toolExit_;
};

}  // namespace ui
