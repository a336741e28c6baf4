#include "common/ProcessorHarness.h"

#include <gtest/gtest.h>

// What hosts have stored in projects: the first ten parameters' IDs, names and default texts at
// their host indices. New parameters only ever come after them.
TEST(Processor, TheFirstTenParametersKeepTheirHostIndicesNamesAndTexts)
{
    struct Expected
    {
        const char* id;
        const char* name;
        const char* defaultText;
    };
    const Expected expected[] = {
        {"power", "Power", "On"},          {"mode", "Mode", "Punch"},    {"attack", "Attack", "5.00"},
        {"sustain", "Sustain", "-2.50"},   {"sensitivity", "Sensitivity", "60.00"},
        {"focus", "Focus", "Full"},        {"punch", "Punch", "30.00"},  {"clip", "Clip", "25.00"},
        {"mix", "Mix", "100.00"},          {"output", "Output", "0.00"},
    };
    TarvoltAudioProcessor processor;
    const auto& params = processor.getParameters();
    ASSERT_GE(params.size(), (int) std::size(expected));
    for (int i = 0; i < (int) std::size(expected); ++i)
    {
        auto* p = dynamic_cast<juce::RangedAudioParameter*>(params[i]);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->getParameterID(), expected[i].id);
        EXPECT_EQ(p->getName(100), expected[i].name);
        EXPECT_EQ(p->getCurrentValueAsText(), expected[i].defaultText);
    }
}

TEST(Processor, ParametersAreTheTableInHostOrder)
{
    TarvoltAudioProcessor processor;
    const auto& params = processor.getParameters();
    ASSERT_EQ(params.size(), (int) numParameters);

    for (size_t i = 0; i < numParameters; ++i)
    {
        const auto& spec = parameterSpecs[i];
        SCOPED_TRACE(spec.id);
        auto* p = dynamic_cast<juce::RangedAudioParameter*>(params[(int) i]);
        ASSERT_NE(p, nullptr);
        EXPECT_EQ(p->getParameterID(), spec.id);
        EXPECT_EQ(p->getVersionHint(), 1);
        EXPECT_EQ(p->getName(100), spec.name);
        EXPECT_EQ(p->getLabel(), "") << "the host shows plain numbers";
        EXPECT_EQ(p->isAutomatable(), spec.automatable);
        EXPECT_FALSE(p->isMetaParameter());
        EXPECT_EQ(p->getNormalisableRange().start, spec.minimum);
        EXPECT_EQ(p->getNormalisableRange().end, spec.maximum);
        EXPECT_EQ(p->convertFrom0to1(p->getDefaultValue()), spec.defaultValue);
        EXPECT_EQ(harness::getPlain(processor, spec.id), spec.defaultValue);

        switch (spec.kind)
        {
            case ParameterSpec::Kind::choice:
            {
                auto* choice = dynamic_cast<juce::AudioParameterChoice*>(p);
                ASSERT_NE(choice, nullptr);
                ASSERT_EQ(choice->choices.size(), spec.numChoices());
                for (int c = 0; c < spec.numChoices(); ++c)
                    EXPECT_EQ(choice->choices[c], spec.choices[(size_t) c]);
                break;
            }
            case ParameterSpec::Kind::number:
                ASSERT_NE(dynamic_cast<juce::AudioParameterFloat*>(p), nullptr);
                EXPECT_EQ(p->getNormalisableRange().interval, 0.01f);
                EXPECT_EQ(p->getNormalisableRange().skew, 1.0f);
                break;
            case ParameterSpec::Kind::toggle:
                EXPECT_NE(dynamic_cast<juce::AudioParameterBool*>(p), nullptr);
                break;
        }
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
    EXPECT_TRUE(processor.getState().isPowerOn());
    EXPECT_EQ(processor.getState().getParameterValues().choice<Mode>(), Mode::punch);
    EXPECT_EQ(processor.getState().getParameterValues().choice<Focus>(), Focus::full);

    harness::setPlain(processor, "power", 0.0f);
    harness::setPlain(processor, "mode", 2.0f);
    harness::setPlain(processor, "focus", 0.0f);
    EXPECT_FALSE(processor.getState().isPowerOn());
    EXPECT_EQ(processor.getState().getParameterValues().choice<Mode>(), Mode::smooth);
    EXPECT_EQ(processor.getState().getParameterValues().choice<Focus>(), Focus::low);
}

TEST(Processor, AnyParameterChangeMarksThePresetModifiedUnlessApplyingAPreset)
{
    for (const auto& e : parameterSpecs)
    {
        SCOPED_TRACE(e.id);
        TarvoltAudioProcessor processor;
        EXPECT_FALSE(processor.getState().getCurrentPreset().isModified());

        processor.getState().applyUnmarked([&] { harness::setPlain(processor, e.id, e.minimum); });
        EXPECT_FALSE(processor.getState().getCurrentPreset().isModified());

        harness::setPlain(processor, e.id, e.maximum);
        EXPECT_TRUE(processor.getState().getCurrentPreset().isModified());
    }
}

TEST(Processor, FactoryFunctionCreatesTheProcessor)
{
    std::unique_ptr<juce::AudioProcessor> processor(createPluginFilter());
    ASSERT_NE(dynamic_cast<TarvoltAudioProcessor*>(processor.get()), nullptr);
}
