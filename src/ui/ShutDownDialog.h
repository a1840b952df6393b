#pragma once
// The 30-second countdown before the computer is turned off after a
// finished run. "Shut Down Now" (also Enter) turns it off at once; Cancel
// (also Escape) ends the countdown and nothing happens.
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

    ShutDownDialog(QWidget* parent, platform::PowerSwitch& power);

    int SecondsLeft() const { return secondsLeft_; }

    void accept() override;
    void reject() override;

public Q_SLOTS:
    // One second has passed.
    void Tick();

private:
    void PowerOff();

    platform::PowerSwitch& power_;
    int secondsLeft_ = kSeconds;
    QTimer* timer_;
    QLabel* waiting_;
    QLabel* countdown_;
    QDialogButtonBox* buttons_;
};

}  // namespace ui
