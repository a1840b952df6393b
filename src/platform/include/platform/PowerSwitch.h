#pragma once
// Turning the computer off or suspending it after a finished run. The
// program uses the system's switch; tests hand in a fake that only counts.

namespace platform {

class PowerSwitch {
public:
    virtual ~PowerSwitch() = default;
    // Start the power-off or the suspend; failures are not reported: the
    // user sees the computer stay on.
    virtual void PowerOff() = 0;
    virtual void Suspend() = 0;
};

// Runs "systemctl poweroff" and "systemctl suspend".
class SystemPowerSwitch : public PowerSwitch {
public:
    void PowerOff() override;
    void Suspend() override;
};

}  // namespace platform
