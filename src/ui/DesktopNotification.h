#pragma once
// A desktop notification (freedesktop.org, over the session D-Bus) when a
// job ends while the user looks elsewhere. Without a session bus or a
// notification service nothing is shown and nothing waits.
#include <QString>

class QWidget;

namespace ui {

// The window is hidden, minimized or not the active window; a missing
// window counts as one in the background.
bool InBackground(const QWidget* window);

// Sends title and body as a notification when window is in the
// background; returns at once either way.
void NotifyJobEnded(const QWidget* window, const QString& title, const QString& body);

}  // namespace ui
