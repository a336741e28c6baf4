#include "GuiTestSupport.h"

#include <thread>
#include <vector>

using Access = MainPanelTestAccess;
using guitest::selectorIndex;

namespace
{
// Records every value written to a parameter (plain values), repeated writes included, and the
// whole conversation with the host: "begin", "set <value>", "end".
struct ParameterWrites : juce::AudioProcessorParameter::Listener
{
    ParameterWrites(TarvoltAudioProcessor& processor, const char* id) : parameter(*processor.getState().parameters.getParameter(id))
    {
        parameter.addListener(this);
    }
    ~ParameterWrites() override { parameter.removeListener(this); }

    void parameterValueChanged(int, float newValue) override
    {
        values.push_back(parameter.convertFrom0to1(newValue));
        events.add("set " + juce::String(values.back()));
    }
    void parameterGestureChanged(int, bool starting) override { events.add(starting ? "begin" : "end"); }

    juce::RangedAudioParameter& parameter;
    std::vector<float> values;
    juce::StringArray events;
};

class PanelBehaviour : public ::testing::Test
{
protected:
    void SetUp() override { panel.setSize(1256, 710); }

    juce::TextButton& selector(const char* caption) { return Access::selector(panel, selectorIndex(caption)); }

    // A click as the framework delivers it (asynchronously, through the button's listeners and
    // onClick); waits until the parameter has been written, or a while when it is not to be.
    static void click(juce::Button& button, const ParameterWrites& writes, bool writesSomething = true)
    {
        const auto before = writes.values.size();
        button.triggerClick();
        EXPECT_EQ(guitest::pumpUntil([&] { return writes.values.size() > before; }, writesSomething ? 3000 : 200),
                  writesSomething);
    }

    // The captions of the lit selectors.
    juce::StringArray litSelectors()
    {
        juce::StringArray lit;
        for (size_t i = 0; i < panel::selectors.size(); ++i)
            if (Access::selector(panel, (int) i).getToggleState())
                lit.add(panel::selectors[i].caption);
        return lit;
    }

    TarvoltAudioProcessor processor;
    MainPanel panel{processor.getState(), processor.getLiveFeed(), processor.getMeters()};
};
} // namespace

TEST_F(PanelBehaviour, SelectorsFollowTheParametersAtOnce)
{
    EXPECT_EQ(litSelectors(), juce::StringArray({"FULL", "PUNCH"}));

    struct Case
    {
        float focus, mode;
        juce::StringArray lit;
    };
    const Case cases[] = {
        {0, 0, {"LOW", "TIGHT"}}, {2, 2, {"HIGH", "SMOOTH"}}, {1, 0, {"FULL", "TIGHT"}}, {0, 2, {"LOW", "SMOOTH"}}};
    for (const auto& c : cases)
    {
        harness::setPlain(processor, "focus", c.focus);
        harness::setPlain(processor, "mode", c.mode);
        EXPECT_EQ(litSelectors(), c.lit) << c.focus << " " << c.mode;
    }
}

TEST_F(PanelBehaviour, AutomationFromTheAudioThreadShowsOnTheMessageThread)
{
    // The timer only repaints what moves by itself (the meters).
    EXPECT_TRUE(Access::timerRunning(panel));
    EXPECT_EQ(Access::timerInterval(panel), 33);

    std::thread([this] {
        harness::setPlain(processor, "mode", 2.0f);
        harness::setPlain(processor, "attack", -4.0f);
    }).join();
    EXPECT_TRUE(guitest::pumpUntil([&] { return selector("SMOOTH").getToggleState(); }));
    EXPECT_FALSE(selector("PUNCH").getToggleState());
    EXPECT_TRUE(guitest::pumpUntil(
        [&] { return Access::valueLabel(panel, guitest::knobIndex("attack")).getText() == "-4.0 dB"; }));
}

TEST_F(PanelBehaviour, ReadOutsFollowTheirParametersAtOnce)
{
    harness::setPlain(processor, "sustain", 7.3f);
    harness::setPlain(processor, "mix", 12.5f);
    EXPECT_EQ(Access::valueLabel(panel, guitest::knobIndex("sustain")).getText(), "+7.3 dB");
    EXPECT_EQ(Access::valueLabel(panel, guitest::knobIndex("mix")).getText(), "12.5%");
}

TEST_F(PanelBehaviour, ClickingASelectorWritesItsIndexAsOneGestureAndLightsIt)
{
    ParameterWrites focusWrites(processor, "focus"), modeWrites(processor, "mode");

    click(selector("HIGH"), focusWrites);
    EXPECT_EQ(focusWrites.events, juce::StringArray({"begin", "set 2", "end"}));
    EXPECT_EQ(litSelectors(), juce::StringArray({"HIGH", "PUNCH"}));

    click(selector("TIGHT"), modeWrites);
    click(selector("LOW"), focusWrites);
    EXPECT_EQ(modeWrites.values, std::vector<float>({0.0f}));
    EXPECT_EQ(focusWrites.values, std::vector<float>({2.0f, 0.0f}));
    EXPECT_EQ(processor.getState().getParameterValues().choice<Mode>(), Mode::tight);
    EXPECT_EQ(processor.getState().getParameterValues().choice<Focus>(), Focus::low);
}

TEST_F(PanelBehaviour, ClickingTheLitSelectorChangesNothing)
{
    ASSERT_TRUE(selector("PUNCH").getToggleState());

    std::vector<float> before;
    for (auto* p : processor.getParameters())
        before.push_back(p->getValue());

    ParameterWrites modeWrites(processor, "mode");
    click(selector("PUNCH"), modeWrites, false);
    EXPECT_TRUE(modeWrites.events.isEmpty()) << modeWrites.events.joinIntoString(", ");

    std::vector<float> after;
    for (auto* p : processor.getParameters())
        after.push_back(p->getValue());
    EXPECT_EQ(after, before);
    EXPECT_TRUE(selector("PUNCH").getToggleState());
}

TEST_F(PanelBehaviour, PowerButtonWritesZeroThenOneEachAsOneGesture)
{
    ParameterWrites powerWrites(processor, "power");
    auto& power = Access::powerButton(panel);
    EXPECT_TRUE(power.getToggleState());

    click(power, powerWrites);
    EXPECT_EQ(powerWrites.events, juce::StringArray({"begin", "set 0", "end"}));
    EXPECT_FALSE(processor.getState().isPowerOn());
    EXPECT_FALSE(power.getToggleState()); // the attachment follows the parameter

    click(power, powerWrites);
    EXPECT_EQ(powerWrites.events, juce::StringArray({"begin", "set 0", "end", "begin", "set 1", "end"}));
    EXPECT_TRUE(processor.getState().isPowerOn());
    EXPECT_TRUE(power.getToggleState());
}

TEST_F(PanelBehaviour, HostAutomationOfPowerIsShownAndNotUndone)
{
    ParameterWrites powerWrites(processor, "power");
    auto& power = Access::powerButton(panel);

    // Automation arrives on the host's audio thread; the attachment shows it on the message thread.
    std::thread([this] { harness::setPlain(processor, "power", 0.0f); }).join();
    EXPECT_TRUE(guitest::pumpUntil([&] { return !power.getToggleState(); }));
    guitest::pumpFor(100);
    EXPECT_FALSE(processor.getState().isPowerOn());
    EXPECT_EQ(powerWrites.values, std::vector<float>({0.0f}));

    // From the message thread (a host's own controls) the same holds.
    harness::setPlain(processor, "power", 1.0f);
    guitest::pumpFor(100);
    EXPECT_TRUE(processor.getState().isPowerOn());
    EXPECT_TRUE(power.getToggleState());
    EXPECT_EQ(powerWrites.values, std::vector<float>({0.0f, 1.0f}));

    // And the user's next click still flips it.
    click(power, powerWrites);
    EXPECT_FALSE(processor.getState().isPowerOn());
}

TEST_F(PanelBehaviour, PowerOffHidesTheReadOutsButEveryControlStillWorks)
{
    ParameterWrites powerWrites(processor, "power"), modeWrites(processor, "mode");
    click(Access::powerButton(panel), powerWrites);
    for (int i = 0; i < PanelLayout::numKnobs; ++i)
        EXPECT_FALSE(Access::valueLabel(panel, i).isVisible()) << panel::knobs[(size_t) i].parameterID;

    // Knobs pass their values on to the parameters.
    for (int i = 0; i < PanelLayout::numKnobs; ++i)
    {
        auto& knob = Access::knob(panel, i);
        EXPECT_TRUE(knob.isEnabled());
        knob.setValue(knob.getMinimum(), juce::sendNotificationSync);
        EXPECT_EQ(harness::getPlain(processor, panel::knobs[(size_t) i].parameterID), (float) knob.getMinimum());
    }

    // Selectors write, but none shows as lit while power is off (drawing); their state follows.
    click(selector("SMOOTH"), modeWrites);
    EXPECT_EQ(processor.getState().getParameterValues().choice<Mode>(), Mode::smooth);

    // The read-outs follow the knobs even while hidden, and come back with power.
    click(Access::powerButton(panel), powerWrites);
    EXPECT_EQ(powerWrites.values, std::vector<float>({0.0f, 1.0f}));
    for (int i = 0; i < PanelLayout::numKnobs; ++i)
        EXPECT_TRUE(Access::valueLabel(panel, i).isVisible());
    EXPECT_EQ(Access::valueLabel(panel, guitest::knobIndex("attack")).getText(), "-12.0 dB");
    EXPECT_EQ(Access::valueLabel(panel, guitest::knobIndex("mix")).getText(), "0.0%");
}

TEST(PanelConstruction, ANewPanelShowsTheCurrentStateAtOnce)
{
    TarvoltAudioProcessor processor;
    harness::setPlain(processor, "power", 0.0f);
    harness::setPlain(processor, "sustain", 7.3f);
    harness::setPlain(processor, "focus", 2.0f);
    MainPanel panel(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    EXPECT_FALSE(Access::powerButton(panel).getToggleState());
    EXPECT_TRUE(Access::selector(panel, selectorIndex("HIGH")).getToggleState());
    EXPECT_TRUE(Access::selector(panel, selectorIndex("PUNCH")).getToggleState());
    for (int i = 0; i < PanelLayout::numKnobs; ++i)
        EXPECT_FALSE(Access::valueLabel(panel, i).isVisible());
    EXPECT_EQ(Access::valueLabel(panel, guitest::knobIndex("sustain")).getText(), "+7.3 dB");
    EXPECT_EQ(Access::knob(panel, guitest::knobIndex("sustain")).getName(), "Sustain");
}
