// The LV2 instance driven in-process, for the connections a bundle test cannot easily make.

#include "plugin/lv2/Lv2Instance.h"
#include "common/BypassRun.h"
#include "common/Lv2TestSupport.h"
#include "common/ProcessorHarness.h"

#include <gtest/gtest.h>

namespace
{
// An instance at 48 kHz with every control port connected at its default.
struct DefaultInstance
{
    std::unique_ptr<Lv2Instance> instance = Lv2Instance::create(48000.0, nullptr);
    Lv2Controls controls;

    DefaultInstance()
    {
        if (instance != nullptr)
            connectControlsAtDefaults(controls,
                                      [this](uint32_t port, float* data) { instance->connectPort(port, data); });
    }
};
} // namespace

TEST(Lv2Instance, AMonoInputTakenToBothOutputsGivesTheShapedSignalOnEach)
{
    DefaultInstance fixture;
    auto& instance = fixture.instance;
    ASSERT_NE(instance, nullptr);
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

// The latency port tells the host how late the output is: nothing at Standard, the High path's
// delay at High, and the output is the input that much later (here with a mix of 0).
TEST(Lv2Instance, ReportsTheLatencyOfTheQualityOnItsOutputPort)
{
    DefaultInstance fixture;
    auto& instance = fixture.instance;
    ASSERT_NE(instance, nullptr);
    float latency = -1.0f;
    instance->connectPort(Lv2Ports::latency, &latency);
    auto input = harness::drumLikeSignal(4096, 700);
    std::vector<float> output(input.size());
    instance->connectPort(Lv2Ports::audioInLeft, input.data());
    instance->connectPort(Lv2Ports::audioOutLeft, output.data());
    instance->activate();
    instance->run(64);
    EXPECT_EQ(latency, 0.0f);

    fixture.controls[(size_t) parameterIndex(ParameterIDs::quality)] = (float) choiceIndex(Quality::high);
    fixture.controls[(size_t) parameterIndex(ParameterIDs::mix)] = 0.0f;
    instance->deactivate();
    instance->activate(); // the controls set while stopped apply at once
    instance->run((uint32_t) input.size());
    const int high = TransientShaper::latencyFor(Quality::high);
    EXPECT_EQ(latency, (float) high);
    for (size_t i = 0; i < input.size(); ++i)
        ASSERT_EQ(output[i], i < (size_t) high ? 0.0f : input[i - (size_t) high]) << "sample " << i;
    instance->deactivate();
}

// Hosts may hand the plug-in the same buffer for an input and an output. However the audio
// buffers are shared (apart, in place, or each channel's output over the other's input), the
// output is the one separate buffers give, in blocks longer than the shaper's stretches too.
TEST(Lv2Instance, SharedInputAndOutputBuffersGiveTheSameOutputAsSeparateOnes)
{
    enum class Layout
    {
        apart,
        inPlace,
        crossed
    };
    const auto left = harness::drumLikeSignal(3000, 700, 1), right = harness::drumLikeSignal(3000, 450, 2);
    const auto render = [&](Layout layout) {
        DefaultInstance fixture;
        auto& instance = fixture.instance;
        std::vector<float> buffers[4] = {left, right, std::vector<float>(left.size()), std::vector<float>(left.size())};
        // The buffers the outputs go to: their own, the inputs', or the other channel's input.
        auto* outLeft = layout == Layout::apart ? &buffers[2] : layout == Layout::inPlace ? &buffers[0] : &buffers[1];
        auto* outRight = layout == Layout::apart ? &buffers[3] : layout == Layout::inPlace ? &buffers[1] : &buffers[0];
        if (instance == nullptr)
            return std::vector<std::vector<float>>{};
        instance->activate();
        for (size_t start = 0; start < left.size(); start += 1000)
        {
            instance->connectPort(Lv2Ports::audioInLeft, buffers[0].data() + start);
            instance->connectPort(Lv2Ports::audioInRight, buffers[1].data() + start);
            instance->connectPort(Lv2Ports::audioOutLeft, outLeft->data() + start);
            instance->connectPort(Lv2Ports::audioOutRight, outRight->data() + start);
            instance->run(1000);
        }
        instance->deactivate();
        return std::vector<std::vector<float>>{*outLeft, *outRight};
    };

    const auto expected = render(Layout::apart);
    ASSERT_EQ(expected.size(), 2u);
    EXPECT_NE(expected[0], left) << "the signal was not shaped";
    EXPECT_NE(expected[0], expected[1]);
    EXPECT_EQ(render(Layout::inPlace), expected) << "in place";
    EXPECT_EQ(render(Layout::crossed), expected) << "crossed";
}

// The port designated lv2:enabled is the host's bypass: at 0 it plays what the power switch plays
// when it is off, the input as late as the latency port says, and it switches as smoothly.
TEST(Lv2Instance, TheEnabledPortAtZeroPlaysTheInputAsLateAsReportedAndSwitchesLikeThePower)
{
    using bypassRun::Switch;
    bypassRun::expectBypassLikeThePowerSwitchAtBothQualities(
        TransientShaper::latencyFor(Quality::high),
        [](Quality quality, Switch how, const juce::AudioBuffer<float>& input)
        {
            DefaultInstance fixture;
            auto& instance = fixture.instance;
            if (instance == nullptr)
                return bypassRun::Run{};
            float enabled = 1.0f, latency = -1.0f;
            instance->connectPort(Lv2Ports::enabled, &enabled);
            instance->connectPort(Lv2Ports::latency, &latency);
            fixture.controls[(size_t)parameterIndex(ParameterIDs::quality)] = (float)choiceIndex(quality);
            auto& power = fixture.controls[(size_t)parameterIndex(ParameterIDs::power)];
            instance->activate();
            auto output = bypassRun::run(input,
                                         [&](juce::AudioBuffer<float>& block, bool off)
                                         {
                                             if (how == Switch::bypass)
                                                 enabled = off ? 0.0f : 1.0f;
                                             if (how == Switch::power)
                                                 power = off ? 0.0f : 1.0f;
                                             for (int ch = 0; ch < 2; ++ch)
                                             {
                                                 instance->connectPort(Lv2Ports::audioInLeft + (uint32_t)ch,
                                                                       block.getWritePointer(ch));
                                                 instance->connectPort(Lv2Ports::audioOutLeft + (uint32_t)ch,
                                                                       block.getWritePointer(ch));
                                             }
                                             instance->run((uint32_t)block.getNumSamples());
                                         });
            instance->deactivate();
            return bypassRun::Run{output, (int)latency};
        });
}
