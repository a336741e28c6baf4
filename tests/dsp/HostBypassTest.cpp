// The host's own bypass: a VST3 host's bypass parameter makes the framework call
// processBlockBypassed, which must play what the power switch plays when it is off.

#include "common/BypassRun.h"
#include "common/ProcessorHarness.h"

#include <gtest/gtest.h>

TEST(HostBypass, PlaysTheInputAsLateAsReportedAndSwitchesLikeThePower)
{
    using bypassRun::Switch;
    bypassRun::expectBypassLikeThePowerSwitchAtBothQualities(
        TransientShaper::latencyFor(Quality::high),
        [](Quality quality, Switch how, const juce::AudioBuffer<float>& input)
        {
            TarvoltAudioProcessor processor;
            harness::setChoice(processor, quality);
            harness::prepare(processor, 2, bypassRun::sampleRate, bypassRun::blockSize);
            juce::MidiBuffer midi;
            auto output =
                bypassRun::run(input,
                               [&](juce::AudioBuffer<float>& block, bool off)
                               {
                                   if (how == Switch::power)
                                       harness::setPlain(processor, ParameterIDs::power, off ? 0.0f : 1.0f);
                                   if (how == Switch::bypass && off)
                                       processor.processBlockBypassed(block, midi);
                                   else
                                       processor.processBlock(block, midi);
                               });
            return bypassRun::Run{output, processor.getLatencySamples()};
        });
}
