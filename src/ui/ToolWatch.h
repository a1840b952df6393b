#pragma once
// Drives an engine-side state machine (the conversion job, the probes) from
// the window's event loop: after each step it watches the tools the machine
// left running, through their exit descriptors and a tick timer, for as
// long as the machine is busy.
#include "engine/EngineLauncher.h"

#include <QTimer>

#include <functional>
#include <memory>
#include <vector>

class QSocketNotifier;

namespace ui {

class ToolWatch {
public:
    struct Machine {
        std::function<void()> onToolExit;
        std::function<void()> onTick;
        std::function<bool()> busy;
        // The exit descriptors of the tools running now (-1 entries are skipped).
        std::function<std::vector<int>()> exitDescriptors;
    };

    explicit ToolWatch(Machine machine);
    // The exit descriptor of the one tool launcher runs.
    static std::function<std::vector<int>()> LauncherExit(const engine::EngineLauncher& launcher);
    ~ToolWatch();
    ToolWatch(const ToolWatch&) = delete;
    ToolWatch& operator=(const ToolWatch&) = delete;

    // Runs step (which may start or collect a tool), then watches again.
    void Advance(const std::function<void()>& step);

private:
    Machine machine_;
    QTimer tick_;
    std::vector<std::unique_ptr<QSocketNotifier>> toolExits_;
};

}  // namespace ui
