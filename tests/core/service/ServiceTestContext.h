#pragma once

#include "align/HAdustmentBackUpParams.h"
#include "doc/AdjustmentDefaultImage.h"
#include "image/RadioImage.h"
#include "platform/ManualClock.h"
#include "service/AlignmentContext.h"
#include "service/VcoLimits.h"
#include "support/FakeComAlignment.h"
#include "support/ScriptedPrompt.h"

#include <gtest/gtest.h>

#include <memory>

namespace kq70::test {

// A procedure's surroundings over a fake radio: the built-in adjustment default image as the
// working image, its adjustment set, a manual clock and a scripted prompt.
struct ServiceTestContext {
    ServiceTestContext() {
        makeAdjustmentDefaultImage(*image);
        set.extract(*image);
    }

    AlignmentContext context() { return {com, set, *image, clock, prompt, limits}; }

    FakeComAlignment com;
    std::unique_ptr<RadioImage> image = std::make_unique<RadioImage>();
    HAdustmentBackUpParams set;
    ManualClock clock;
    ScriptedPrompt prompt;
    VcoLimits limits;
};

// A test of one procedure in such surroundings.
struct ServiceTest : ::testing::Test {
    ServiceTestContext t;
};

} // namespace kq70::test
