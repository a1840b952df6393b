#pragma once
#include "platform/PowerSwitch.h"

namespace testing_support {

// Counts power-off and suspend requests; never turns anything off.
class FakePowerSwitch : public platform::PowerSwitch {
public:
    void PowerOff() override { ++powerOffs; }
    void Suspend() override { ++suspends; }
    int powerOffs = 0;
    int suspends = 0;
};

}  // namespace testing_support
