#include "EngineSession.h"

#include "app/Application.h"
#include "app/SettingsStore.h"
#include "app/UserDialogs.h"
#include "engine/PartialOutput.h"

#include <QSocketNotifier>

namespace ui {

EngineSession::EngineSession(app::UserDialogs& dialogs)
    : launcher(block, dialogs, clock), channel([this](std::int32_t stage, std::int32_t value) {
          if (onProgress)
              onProgress(stage, value);
      })
{
    if (!block.OpenForRun(app::Application().appSharedName)) {
        dialogs.Message(block.FailureText(), app::Application().appName);
        return;
    }
    // What a killed run left half-written in the output folder goes now.
    engine::RemoveAbandonedPartials(app::Settings().OutputFolder);
    if (channel.Open(block.Name())) {
        notifier_ = std::make_unique<QSocketNotifier>(channel.Descriptor(), QSocketNotifier::Read);
        QObject::connect(notifier_.get(), &QSocketNotifier::activated, [this] { DispatchProgress(); });
    }
}

EngineSession::~EngineSession()
{
    Close();
}

void EngineSession::Close()
{
    notifier_.reset();
    channel.Close();
    block.Close();
}

}  // namespace ui
