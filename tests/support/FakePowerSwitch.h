#pragma once
#include "platform/PowerSwitch.h"

namespace testing_support {

// Counts power-off requests; never turns anything off.
class FakePowerSwitch : public platform::PowerSwitch {
public:
    void PowerOff() override { ++powerOffs; }
    int powerOffs = 0;
};

}  // namespace testing_support
