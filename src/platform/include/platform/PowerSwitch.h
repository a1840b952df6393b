#pragma once
// Turning the computer off after a finished run. The program uses the
// system's one; tests hand in a fake that only counts.

namespace platform {

class PowerSwitch {
public:
    virtual ~PowerSwitch() = default;
    // Starts the power-off; returns without waiting for it. Failures are
    // not reported: the user sees the computer stay on.
    virtual void PowerOff() = 0;
};

// Runs "systemctl poweroff".
class SystemPowerSwitch : public PowerSwitch {
public:
    void PowerOff() override;
};

}  // namespace platform
