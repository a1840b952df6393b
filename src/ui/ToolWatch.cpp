#include "ToolWatch.h"

#include "engine/ConversionJob.h"

#include <QSocketNotifier>

namespace ui {

ToolWatch::ToolWatch(Machine machine) : machine_(std::move(machine))
{
    tick_.setInterval(engine::ConversionJob::kTickMs);
    QObject::connect(&tick_, &QTimer::timeout, [this] { Advance(machine_.onTick); });
}

ToolWatch::~ToolWatch() = default;

std::function<std::vector<int>()> ToolWatch::LauncherExit(const engine::EngineLauncher& launcher)
{
    return [&launcher] { return std::vector<int>{launcher.Running() ? launcher.ExitDescriptor() : -1}; };
}

// The exit notifiers of the tools that ran before are dropped first: a
// descriptor is closed once its tool is collected, and the number may come
// back for the next tool.
void ToolWatch::Advance(const std::function<void()>& step)
{
    for (std::unique_ptr<QSocketNotifier>& toolExit : toolExits_) {
        toolExit->setEnabled(false);
        toolExit.release()->deleteLater();
    }
    toolExits_.clear();
    step();
    if (!machine_.busy()) {
        tick_.stop();
        return;
    }
    if (!tick_.isActive())
        tick_.start();
    for (int descriptor : machine_.exitDescriptors()) {
        if (descriptor < 0)
            continue;
        auto toolExit = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
        QObject::connect(toolExit.get(), &QSocketNotifier::activated, [this] { Advance(machine_.onToolExit); });
        toolExits_.push_back(std::move(toolExit));
    }
}

}  // namespace ui
