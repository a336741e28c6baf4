#include "common/ProcessorHarness.h"

#include <gtest/gtest.h>

namespace
{
struct ExpectedParameter
{
    const char* id;
    const char* name;
    float minimum, maximum, defaultValue;
    const char* defaultText;
    juce::StringArray choices;
};

const ExpectedParameter expectedParameters[] = {
    {"power", "Power", 0.0f, 1.0f, 1.0f, "On", {}},
    {"mode", "Mode", 0.0f, 2.0f, 1.0f, "Punch", {"Tight", "Punch", "Smooth"}},
    {"attack", "Attack", -12.0f, 12.0f, 5.0f, "5.00", {}},
    {"sustain", "Sustain", -12.0f, 12.0f, -2.5f, "-2.50", {}},
    {"sensitivity", "Sensitivity", 0.0f, 100.0f, 60.0f, "60.00", {}},
    {"focus", "Focus", 0.0f, 2.0f, 1.0f, "Full", {"Low", "Full", "High"}},
    {"punch", "Punch", 0.0f, 100.0f, 30.0f, "30.00", {}},
    {"clip", "Clip", 0.0f, 100.0f, 25.0f, "25.00", {}},
    {"mix", "Mix", 0.0f, 100.0f, 100.0f, "100.00", {}},
    {"output", "Output", -12.0f, 12.0f, 0.0f, "0.00", {}},
};
} // namespace

TEST(Processor, ParametersInHostOrderWithTheirRangesAndDefaults)
{
    TarvoltAudioProcessor processor;
    const auto& params = processor.getParameters();
    ASSERT_EQ(params.size(), 10);

    for (int i = 0; i < 10; ++i)
    {
        const auto& e = expectedParameters[i];
        SCOPED_TRACE(e.id);
        auto* p = dynamic_cast<juce::RangedAudioParameter*>(params[i]);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->getParameterID(), e.id);
        EXPECT_EQ(p->getVersionHint(), 1);
        EXPECT_EQ(p->getName(100), e.name);
        EXPECT_EQ(p->getLabel(), "");
        EXPECT_TRUE(p->isAutomatable());
        EXPECT_FALSE(p->isMetaParameter());
        EXPECT_EQ(p->getNormalisableRange().start, e.minimum);
        EXPECT_EQ(p->getNormalisableRange().end, e.maximum);
        EXPECT_EQ(p->convertFrom0to1(p->getDefaultValue()), e.defaultValue);
        EXPECT_EQ(harness::getPlain(processor, e.id), e.defaultValue);
        EXPECT_EQ(p->getCurrentValueAsText(), e.defaultText);

        if (auto* choice = dynamic_cast<juce::AudioParameterChoice*>(p))
            EXPECT_EQ(choice->choices, e.choices);
        else if (dynamic_cast<juce::AudioParameterFloat*>(p) != nullptr)
        {
            EXPECT_EQ(p->getNormalisableRange().interval, 0.01f);
            EXPECT_EQ(p->getNormalisableRange().skew, 1.0f);
        }
        else
            EXPECT_NE(dynamic_cast<juce::AudioParameterBool*>(p), nullptr);
    }
}

TEST(Processor, FixedAnswersToTheHost)
{
    TarvoltAudioProcessor processor;
    EXPECT_EQ(processor.getName(), "Tarvolt");
    EXPECT_DOUBLE_EQ(processor.getTailLengthSeconds(), 0.08);
    EXPECT_FALSE(processor.acceptsMidi());
    EXPECT_FALSE(processor.producesMidi());
    EXPECT_FALSE(processor.isMidiEffect());
    EXPECT_TRUE(processor.hasEditor());
    EXPECT_EQ(processor.getNumPrograms(), 1);
    EXPECT_EQ(processor.getCurrentProgram(), 0);
    EXPECT_EQ(processor.getProgramName(0), "Default");
    processor.setCurrentProgram(3);
    processor.changeProgramName(0, "Renamed");
    EXPECT_EQ(processor.getCurrentProgram(), 0);
    EXPECT_EQ(processor.getProgramName(0), "Default");
    EXPECT_EQ(processor.getBypassParameter(), nullptr);

    ASSERT_EQ(processor.getBusCount(true), 1);
    ASSERT_EQ(processor.getBusCount(false), 1);
    EXPECT_EQ(processor.getBus(true, 0)->getName(), "Input");
    EXPECT_EQ(processor.getBus(false, 0)->getName(), "Output");
    EXPECT_EQ(processor.getBus(true, 0)->getDefaultLayout(), juce::AudioChannelSet::stereo());
    EXPECT_EQ(processor.getBus(false, 0)->getDefaultLayout(), juce::AudioChannelSet::stereo());
}

TEST(Processor, BusLayouts)
{
    using Set = juce::AudioChannelSet;
    struct Case
    {
        Set in, out;
        bool supported;
    };
    const Case cases[] = {
        {Set::mono(), Set::mono(), true},           {Set::stereo(), Set::stereo(), true},
        {Set::mono(), Set::stereo(), false},        {Set::stereo(), Set::mono(), false},
        {Set::create5point1(), Set::create5point1(), false}, {Set::stereo(), Set::create5point1(), false},
        {Set::disabled(), Set::stereo(), false},
    };

    TarvoltAudioProcessor processor;
    for (const auto& c : cases)
    {
        juce::AudioProcessor::BusesLayout layout;
        layout.inputBuses.add(c.in);
        layout.outputBuses.add(c.out);
        EXPECT_EQ(processor.checkBusesLayoutSupported(layout), c.supported)
            << c.in.getDescription() << " -> " << c.out.getDescription();
    }
}

TEST(Processor, ReadersRoundAndThreshold)
{
    TarvoltAudioProcessor processor;
    EXPECT_TRUE(processor.isPowerOn());
    EXPECT_EQ(processor.getModeIndex(), ModeIndex::punch);
    EXPECT_EQ(processor.getFocusIndex(), FocusIndex::full);

    harness::setPlain(processor, "power", 0.0f);
    harness::setPlain(processor, "mode", 2.0f);
    harness::setPlain(processor, "focus", 0.0f);
    EXPECT_FALSE(processor.isPowerOn());
    EXPECT_EQ(processor.getModeIndex(), ModeIndex::smooth);
    EXPECT_EQ(processor.getFocusIndex(), FocusIndex::low);
}

TEST(Processor, AnyParameterChangeMarksThePresetModifiedUnlessApplyingAPreset)
{
    for (const auto& e : expectedParameters)
    {
        SCOPED_TRACE(e.id);
        TarvoltAudioProcessor processor;
        EXPECT_FALSE(processor.currentPresetModified.load());

        processor.applyingPreset = true;
        harness::setPlain(processor, e.id, e.minimum);
        EXPECT_FALSE(processor.currentPresetModified.load());

        processor.applyingPreset = false;
        harness::setPlain(processor, e.id, e.maximum);
        EXPECT_TRUE(processor.currentPresetModified.load());
    }
}

TEST(Processor, FactoryFunctionCreatesTheProcessor)
{
    std::unique_ptr<juce::AudioProcessor> processor(createPluginFilter());
    ASSERT_NE(dynamic_cast<TarvoltAudioProcessor*>(processor.get()), nullptr);
}
