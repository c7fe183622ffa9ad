#pragma once

#include "synth/params/FakeEngine.h"

#include <gtest/gtest.h>

namespace korvel::test {

// A controller of one kind as the live controller of "grain.rate"'s first control.
class ControllerFixture : public ::testing::Test {
protected:
    veldro::ParamControl& install(std::uint32_t type, double amount, double x = 0.0, double y = 0.0, double par3 = 0.0)
    {
        veldro::BaseParam& rate = rig.params.getBaseParam(4);
        rate.applyControlPatch(0, {type, amount, {x, y, par3}}, 0.0);
        return rate.controls[0][0];
    }

    // The output of a controller with amount 1 at the given settings and state.
    double output(std::uint32_t type, double x, double y = 0.0, double state = 0.0)
    {
        return rig.params.evaluateControl(install(type, 1.0, x, y), state);
    }

    ParamsRig rig;
};

} // namespace korvel::test
