#include "ToolWatch.h"

#include "engine/ConversionJob.h"

#include <QSocketNotifier>

namespace ui {

ToolWatch::ToolWatch(const engine::EngineLauncher& launcher, Machine machine)
    : launcher_(launcher), machine_(std::move(machine))
{
    tick_.setInterval(engine::ConversionJob::kTickMs);
    QObject::connect(&tick_, &QTimer::timeout, [this] { Advance(machine_.onTick); });
}

ToolWatch::~ToolWatch() = default;

// The exit notifier of the tool that ran before is dropped first: its
// descriptor is closed once the tool is collected, and the number may come
// back for the next tool.
void ToolWatch::Advance(const std::function<void()>& step)
{
    if (toolExit_) {
        toolExit_->setEnabled(false);
        toolExit_.release()->deleteLater();
    }
    step();
    if (!machine_.busy()) {
        tick_.stop();
        return;
    }
    if (!tick_.isActive())
        tick_.start();
    if (launcher_.Running() && launcher_.ExitDescriptor() >= 0 && !toolExit_) {
        toolExit_ = std::make_unique<QSocketNotifier>(launcher_.ExitDescriptor(), QSocketNotifier::Read);
        QObject::connect(toolExit_.get(), &QSocketNotifier::activated, [this] { Advance(machine_.onToolExit); });
    }
}

}  // namespace ui
