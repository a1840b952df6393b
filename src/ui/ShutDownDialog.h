#pragma once
// The 30-second countdown before the computer is turned off, suspended or
// the program quits after a finished run. "Shut Down Now" (also Enter)
// does it at once; Cancel (also Escape) ends the countdown and nothing
// happens. Quitting closes the window the dialog belongs to, as the user
// would, once the dialog is gone.
#include "app/JobSettings.h"
#include "platform/PowerSwitch.h"

#include <QDialog>

class QDialogButtonBox;
class QLabel;
class QTimer;

namespace ui {

class ShutDownDialog : public QDialog {
    Q_OBJECT
public:
    static constexpr int kSeconds = 30;

    ShutDownDialog(QWidget* parent, platform::PowerSwitch& power, app::WhenDone action = app::WhenDone::ShutDown);

    int SecondsLeft() const { return secondsLeft_; }

    void accept() override;
    void reject() override;

public Q_SLOTS:
    // One second has passed.
    void Tick();

private:
    void CarryOut();

    platform::PowerSwitch& power_;
    app::WhenDone action_;
    int secondsLeft_ = kSeconds;
    QTimer* timer_;
    QLabel* waiting_;
    QLabel* countdown_;
    QDialogButtonBox* buttons_;
};

}  // namespace ui
