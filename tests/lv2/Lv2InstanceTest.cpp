// The LV2 instance driven in-process, for the connections a bundle test cannot easily make.

#include "plugin/lv2/Lv2Instance.h"
#include "common/Lv2TestSupport.h"
#include "common/ProcessorHarness.h"

#include <gtest/gtest.h>

TEST(Lv2Instance, AMonoInputTakenToBothOutputsGivesTheShapedSignalOnEach)
{
    auto instance = Lv2Instance::create(48000.0, nullptr);
    ASSERT_NE(instance, nullptr);
    Lv2Controls controls;
    connectControlsAtDefaults(controls,
                              [&](uint32_t port, float* data) { instance->connectPort(port, data); });
    auto input = harness::drumLikeSignal(2048, 500);
    std::vector<float> left(input.size()), right(input.size(), 123.0f);
    instance->connectPort(Lv2Ports::audioInLeft, input.data());
    instance->connectPort(Lv2Ports::audioOutLeft, left.data());
    instance->connectPort(Lv2Ports::audioOutRight, right.data());
    instance->activate();
    instance->run((uint32_t)input.size());
    instance->deactivate();

    EXPECT_EQ(left, right);
    EXPECT_NE(left, input) << "the signal was not shaped";
}

TEST(Lv2Instance, RefusesASampleRateThatIsNotAPositiveNumber)
{
    for (const double rate :
         {0.0, -44100.0, std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity()})
        EXPECT_EQ(Lv2Instance::create(rate, nullptr), nullptr) << rate;
}
