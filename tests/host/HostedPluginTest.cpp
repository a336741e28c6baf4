// Loads the built Tarvolt.vst3 with the framework's VST3 host and checks what a DAW sees.

#include "PointerClick.h"
#include "common/BypassRun.h"
#include "editor/panel/PanelLayout.h"

#include "state/Parameters.h"

#include <gtest/gtest.h>

#include <juce_audio_processors/juce_audio_processors.h>

#include <X11/keysym.h>

#include <functional>

namespace juce
{
// The framework's own message loop step (declared in its message manager, not in a header).
bool dispatchNextMessageOnSystemQueue(bool returnIfNoPendingMessages);

// Readable lists in test failures.
inline void PrintTo(const StringArray& a, std::ostream* os)
{
    *os << "{" << a.joinIntoString(", ") << "}";
}
} // namespace juce

namespace
{
juce::PluginDescription describePlugin()
{
    juce::VST3PluginFormat format;
    juce::OwnedArray<juce::PluginDescription> types;
    format.findAllTypesForFile(types, TARVOLT_VST3_BUNDLE);
    if (types.size() != 1)
        return {};
    return *types[0];
}

std::unique_ptr<juce::AudioPluginInstance> loadPlugin(double sampleRate = 48000.0, int blockSize = 512)
{
    juce::VST3PluginFormat format;
    juce::String error;
    auto instance = format.createInstanceFromDescription(describePlugin(), sampleRate, blockSize, error);
    EXPECT_TRUE(error.isEmpty()) << error;
    return instance;
}

// Runs the message loop (the host's, which also runs the plug-in's window) until done() holds.
template <typename Predicate>
bool pumpUntil(Predicate done, int timeoutMs = 3000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (!done() && juce::Time::getMillisecondCounter() < end)
        if (!juce::dispatchNextMessageOnSystemQueue(true))
            juce::Thread::sleep(1);
    return done();
}

// What a host hears of one parameter: "begin", "set <value as text>", "end".
struct HostLog final : juce::AudioProcessorParameter::Listener
{
    explicit HostLog(juce::AudioProcessorParameter& p) : parameter(p) { parameter.addListener(this); }
    ~HostLog() override { parameter.removeListener(this); }

    void parameterValueChanged(int, float value) override { events.add("set " + parameter.getText(value, 100)); }
    void parameterGestureChanged(int, bool starting) override { events.add(starting ? "begin" : "end"); }

    juce::AudioProcessorParameter& parameter;
    juce::StringArray events;
};

bool useLayout(juce::AudioPluginInstance& plugin, const juce::AudioChannelSet& set)
{
    juce::AudioProcessor::BusesLayout layout;
    layout.inputBuses.add(set);
    layout.outputBuses.add(set);
    return plugin.setBusesLayout(layout);
}
} // namespace

TEST(HostedPlugin, Description)
{
    const auto d = describePlugin();
    EXPECT_EQ(d.name, "Tarvolt");
    EXPECT_EQ(d.manufacturerName, "Orvane Audio");
    EXPECT_EQ(d.version, TARVOLT_VERSION);
    EXPECT_EQ(d.category, "Fx|Dynamics");
    EXPECT_EQ(d.pluginFormatName, "VST3");
    EXPECT_FALSE(d.isInstrument);
    EXPECT_EQ(d.numInputChannels, 2);
    EXPECT_EQ(d.numOutputChannels, 2);
}

TEST(HostedPlugin, TheParametersInTableOrderAndTheHostBypass)
{
    auto plugin = loadPlugin();
    ASSERT_NE(plugin, nullptr);

    const auto& params = plugin->getParameters();
    ASSERT_EQ(params.size(), (int) numParameters + 2); // the program change last: below
    for (size_t i = 0; i < numParameters; ++i)
    {
        EXPECT_EQ(params[(int) i]->getName(100), parameterSpecs[i].name);
        EXPECT_EQ(params[(int) i]->isAutomatable(), parameterSpecs[i].automatable) << parameterSpecs[i].id;
    }
    EXPECT_FALSE(params[parameterIndex(ParameterIDs::quality)]->isAutomatable());

    auto* bypass = plugin->getBypassParameter();
    ASSERT_NE(bypass, nullptr);
    EXPECT_EQ(bypass->getName(100), "Bypass");
    EXPECT_EQ(bypass->getValue(), 0.0f);

    // Defaults as the host's generic text shows them.
    EXPECT_EQ(params[2]->getCurrentValueAsText(), "5.00");
    EXPECT_EQ(params[3]->getCurrentValueAsText(), "-2.50");
    EXPECT_EQ(params[1]->getCurrentValueAsText(), "Punch");
    EXPECT_EQ(params[5]->getCurrentValueAsText(), "Full");

    EXPECT_FALSE(plugin->acceptsMidi());
    EXPECT_FALSE(plugin->producesMidi());
    EXPECT_DOUBLE_EQ(plugin->getTailLengthSeconds(), 0.08);
    EXPECT_TRUE(plugin->hasEditor());
}

// The quality changes the latency; the host hears of it, both ways.
TEST(HostedPlugin, HighQualityReportsItsLatencyToTheHost)
{
    auto plugin = loadPlugin();
    ASSERT_NE(plugin, nullptr);
    EXPECT_EQ(plugin->getLatencySamples(), 0);

    auto* quality = plugin->getParameters()[parameterIndex(ParameterIDs::quality)];
    juce::AudioBuffer<float> buffer(2, 512);
    buffer.clear();
    juce::MidiBuffer midi;
    plugin->prepareToPlay(48000.0, 512);
    auto latencyAfter = [&](float value) {
        quality->setValueNotifyingHost(value);
        const int before = plugin->getLatencySamples();
        plugin->processBlock(buffer, midi);
        pumpUntil([&] { return plugin->getLatencySamples() != before; }, 1000);
        return plugin->getLatencySamples();
    };
    const int high = latencyAfter(1.0f);
    EXPECT_GT(high, 0);
    EXPECT_LT(high, 100);
    EXPECT_EQ(latencyAfter(0.0f), 0);
}

TEST(HostedPlugin, MonoAndStereoLayouts)
{
    auto plugin = loadPlugin();
    ASSERT_NE(plugin, nullptr);
    EXPECT_TRUE(useLayout(*plugin, juce::AudioChannelSet::mono()));
    EXPECT_EQ(plugin->getTotalNumInputChannels(), 1);
    EXPECT_TRUE(useLayout(*plugin, juce::AudioChannelSet::stereo()));
    EXPECT_EQ(plugin->getTotalNumOutputChannels(), 2);

    juce::AudioProcessor::BusesLayout monoToStereo;
    monoToStereo.inputBuses.add(juce::AudioChannelSet::mono());
    monoToStereo.outputBuses.add(juce::AudioChannelSet::stereo());
    EXPECT_FALSE(plugin->checkBusesLayoutSupported(monoToStereo));
}

TEST(HostedPlugin, ProcessesTheWorkedExample)
{
    for (const auto& set : {juce::AudioChannelSet::mono(), juce::AudioChannelSet::stereo()})
    {
        SCOPED_TRACE(set.getDescription());
        auto plugin = loadPlugin();
        ASSERT_NE(plugin, nullptr);
        ASSERT_TRUE(useLayout(*plugin, set));
        plugin->prepareToPlay(48000.0, 512);

        const int channels = set.size();
        juce::AudioBuffer<float> buffer(channels, 512);
        buffer.clear();
        const float input[] = {0.5f, 0.5f, 0.5f, -0.25f};
        const float expected[] = {1.01426f, 1.01426f, 1.01426f, -0.61621f};
        for (int ch = 0; ch < channels; ++ch)
            for (int i = 0; i < 4; ++i)
                buffer.setSample(ch, i, input[i]);

        juce::MidiBuffer midi;
        plugin->processBlock(buffer, midi);
        for (int ch = 0; ch < channels; ++ch)
            for (int i = 0; i < 4; ++i)
                EXPECT_NEAR(buffer.getSample(ch, i), expected[i], 5e-6f) << "channel " << ch << " sample " << i;
        plugin->releaseResources();
    }
}

// The host's own bypass parameter, which the framework's wrapper adds: once engaged (and ramped)
// the input comes out as late as the plug-in reports, so the track stays lined up with the others;
// switching either way is as smooth as the power switch, and nothing stale plays afterwards.
TEST(HostedPlugin, TheHostsBypassPlaysTheInputAsLateAsReportedAndSwitchesLikeThePower)
{
    using bypassRun::Switch;
    bypassRun::expectBypassLikeThePowerSwitchAtBothQualities(
        71,
        [](Quality quality, Switch how, const juce::AudioBuffer<float>& input)
        {
            auto plugin = loadPlugin(bypassRun::sampleRate, bypassRun::blockSize);
            if (plugin == nullptr || !useLayout(*plugin, juce::AudioChannelSet::stereo()))
                return bypassRun::Run{};
            // The quality reaches the plug-in with a block; the host hears of the latency on its
            // message thread. Then started again, so that every run starts alike.
            plugin->getParameters()[parameterIndex(ParameterIDs::quality)]->setValueNotifyingHost(
                (float)choiceIndex(quality));
            juce::AudioBuffer<float> silence(2, bypassRun::blockSize);
            silence.clear();
            juce::MidiBuffer midi;
            plugin->prepareToPlay(bypassRun::sampleRate, bypassRun::blockSize);
            plugin->processBlock(silence, midi);
            pumpUntil([&] { return (plugin->getLatencySamples() > 0) == (quality == Quality::high); }, 1000);
            plugin->releaseResources();
            plugin->prepareToPlay(bypassRun::sampleRate, bypassRun::blockSize);

            auto* power = plugin->getParameters()[parameterIndex(ParameterIDs::power)];
            auto output =
                bypassRun::run(input,
                               [&](juce::AudioBuffer<float>& block, bool off)
                               {
                                   if (how == Switch::bypass)
                                       plugin->getBypassParameter()->setValueNotifyingHost(off ? 1.0f : 0.0f);
                                   if (how == Switch::power)
                                       power->setValueNotifyingHost(off ? 0.0f : 1.0f);
                                   plugin->processBlock(block, midi);
                               });
            const int latency = plugin->getLatencySamples();
            plugin->releaseResources();
            return bypassRun::Run{output, latency};
        });
}

TEST(HostedPlugin, StateRoundTripThroughTheHost)
{
    auto first = loadPlugin();
    ASSERT_NE(first, nullptr);
    first->getParameters()[2]->setValueNotifyingHost(1.0f); // attack to its maximum
    juce::MemoryBlock state;
    first->getStateInformation(state);

    auto second = loadPlugin();
    ASSERT_NE(second, nullptr);
    second->setStateInformation(state.getData(), (int) state.getSize());
    EXPECT_EQ(second->getParameters()[2]->getCurrentValueAsText(), "12.00");
}

// Hosts that list a VST3's programs list the factory presets (choosing one loads it as the editor's
// menu does: tests/presets). The program change comes after all other parameters, so those a
// session refers to keep their places.
TEST(HostedPlugin, TheHostsProgramListHoldsTheFactoryPresets)
{
    auto plugin = loadPlugin();
    ASSERT_NE(plugin, nullptr);
    juce::StringArray names;
    for (int i = 0; i < plugin->getNumPrograms(); ++i)
        names.add(plugin->getProgramName(i));
    EXPECT_EQ(names, juce::StringArray({"Punchy Kicks", "Snare Snap", "Loop Tightener", "Bass Knock", "Smooth Rooms",
                                        "Aggro Parallel", "Tame Pokey", "Guitar Push"}));
    EXPECT_EQ(plugin->getCurrentProgram(), 0);
    const auto& params = plugin->getParameters();
    ASSERT_EQ(params.size(), (int) numParameters + 2);
    EXPECT_EQ(params[(int) numParameters]->getName(100), "Bypass");
    EXPECT_EQ(params[(int) numParameters + 1]->getName(100), "Program");
}

namespace
{
// The plug-in's window opened in a window of the host, as a DAW opens it, and where the plug-in
// draws its controls there.
struct HostedEditor
{
    HostedEditor()
    {
        if (plugin == nullptr)
            return;
        editor.reset(plugin->createEditorIfNeeded());
        if (editor == nullptr)
            return;
        editor->setTopLeftPosition(40, 40);
        editor->addToDesktop(0);
        editor->setVisible(true);
        editor->toFront(true);
        // The plug-in's window opens inside ours; give both time to be mapped and to stay in place.
        shown = pumpUntil([&] { return editor->isShowing() && editor->getPeer() != nullptr; });
        pumpUntil([] { return false; }, 1000);

        // Its panel lies below the menu bar (9 % of the height).
        origin = editor->getScreenPosition();
        barHeight = juce::roundToInt((float) editor->getHeight() * 0.09f);
        layout = computePanelLayout((float) editor->getWidth(), (float) (editor->getHeight() - barHeight));
    }

    // Closed as a host closes it: the window goes with the editor, after the plug-in's view has
    // been taken out of it.
    ~HostedEditor() { editor.reset(); }

    // The centre of a rectangle of the panel, on the screen.
    juce::Point<int> onScreen(juce::Rectangle<int> inPanel) const
    {
        return origin + juce::Point<int>(0, barHeight) + inPanel.getCentre();
    }

    std::unique_ptr<juce::AudioPluginInstance> plugin = loadPlugin();
    std::unique_ptr<juce::AudioProcessorEditor> editor;
    bool shown = false;
    juce::Point<int> origin;
    int barHeight = 0;
    PanelLayout layout;
};
} // namespace

// A click in the plug-in's own window on a selector or on the power button must reach the host as
// one complete gesture, as a drag on a knob does: VST3 hosts record automation in touch and latch
// modes from it.
TEST(HostedPlugin, ClicksInThePluginsWindowReachTheHostAsCompleteGestures)
{
    HostedEditor hosted;
    ASSERT_NE(hosted.plugin, nullptr);
    ASSERT_NE(hosted.editor, nullptr);
    ASSERT_TRUE(hosted.shown);
    const auto& params = hosted.plugin->getParameters();
    HostLog power(*params[0]), mode(*params[1]), focus(*params[5]);

    const auto click = [&](juce::Rectangle<int> control, HostLog& log) {
        const auto at = hosted.onScreen(control);
        const auto before = log.events.size();
        ASSERT_TRUE(clickOnScreen(at.x, at.y)) << "no X display or test extension";
        EXPECT_TRUE(pumpUntil([&] { return log.events.size() >= before + 3; }))
            << "at " << at.toString() << ": " << log.events.joinIntoString(", ");
        pumpUntil([] { return false; }, 100); // nothing more follows
    };

    const auto& layout = hosted.layout;
    click(layout.selectorBounds(0, 0), focus); // HIGH
    EXPECT_EQ(focus.events, juce::StringArray({"begin", "set High", "end"}));
    click(layout.selectorBounds(1, 2), mode); // SMOOTH
    EXPECT_EQ(mode.events, juce::StringArray({"begin", "set Smooth", "end"}));
    click(layout.powerButtonBounds, power);
    EXPECT_EQ(power.events, juce::StringArray({"begin", "set Off", "end"}));
    click(layout.powerButtonBounds, power);
    EXPECT_EQ(power.events, juce::StringArray({"begin", "set Off", "end", "begin", "set On", "end"}));
}

// Users drive the host with its keys (Space starts and stops the transport) while the plug-in's
// window is in front. A click anywhere in the plug-in's window but on a value being typed leaves
// the window system's keyboard focus where it was: the framework's window takes it on every
// mouse-down, and the plug-in must give it back.
TEST(HostedPlugin, ClicksInThePluginsWindowLeaveTheKeysWithTheHost)
{
    HostedEditor hosted;
    ASSERT_NE(hosted.editor, nullptr);
    ASSERT_TRUE(hosted.shown);
    const auto& layout = hosted.layout;
    const auto emptyBar = hosted.origin + juce::Point<int>(8, hosted.barHeight / 2);

    const std::pair<const char*, juce::Point<int>> places[] = {
        {"a knob", hosted.onScreen(layout.knobBounds[0])},
        {"a selector", hosted.onScreen(layout.selectorBounds(0, 1))},
        {"the power button", hosted.onScreen(layout.powerButtonBounds)},
        {"the power button again", hosted.onScreen(layout.powerButtonBounds)},
        {"the display", hosted.onScreen(layout.displayArea.toNearestInt())},
        {"the empty panel", hosted.onScreen(layout.headerArea.toNearestInt())},
        {"the empty menu bar", emptyBar},
    };
    for (const auto& [name, at] : places)
    {
        const auto pluginWindow = windowAtScreenPoint(at.x, at.y);
        ASSERT_NE(pluginWindow, 0u) << name;
        ASSERT_TRUE(clickOnScreen(at.x, at.y)) << "no X display or test extension";
        // The plug-in gives the focus back once the framework's mouse-down has taken it: wait for
        // that (a loaded machine takes its time), and fail if it never comes.
        pumpUntil([] { return false; }, 300);
        pumpUntil([&] { return !inputFocusIsWithin(pluginWindow); }, 3000);
        EXPECT_FALSE(inputFocusIsWithin(pluginWindow)) << "after a click on " << name;
    }
}

// A value read-out opened for typing holds the keys (what is typed arrives) until Return, Escape or
// a click elsewhere closes it; then the host has them again.
TEST(HostedPlugin, AReadOutBeingTypedInHoldsTheKeysUntilItCloses)
{
    HostedEditor hosted;
    ASSERT_NE(hosted.editor, nullptr);
    ASSERT_TRUE(hosted.shown);
    auto* attack = hosted.plugin->getParameters()[parameterIndex(ParameterIDs::attack)];
    const auto readOut = hosted.onScreen(hosted.layout.valueLabelBounds[0]);
    const auto emptyPanel = hosted.onScreen(hosted.layout.headerArea.toNearestInt());
    const auto pluginWindow = windowAtScreenPoint(readOut.x, readOut.y);
    ASSERT_NE(pluginWindow, 0u);

    struct Case
    {
        const char* closedBy;
        unsigned long digit;
        std::function<bool()> close;
        const char* attackAfter;
    };
    const Case cases[] = {
        {"Return", XK_7, [] { return pressKey(XK_Return); }, "7.00"},
        {"a click elsewhere", XK_3, [&] { return clickOnScreen(emptyPanel.x, emptyPanel.y); }, "3.00"},
        {"Escape", XK_9, [] { return pressKey(XK_Escape); }, "3.00"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.closedBy);
        ASSERT_TRUE(clickOnScreen(readOut.x, readOut.y));
        EXPECT_TRUE(pumpUntil([&] { return inputFocusIsWithin(pluginWindow); }, 2000))
            << "the read-out did not take the keys";
        pumpUntil([] { return false; }, 100);
        ASSERT_TRUE(pressKey(c.digit)); // replaces the selected value
        pumpUntil([] { return false; }, 100);
        ASSERT_TRUE(c.close());
        EXPECT_TRUE(pumpUntil([&] { return !inputFocusIsWithin(pluginWindow); }, 2000))
            << "the keys stayed with the plug-in";
        pumpUntil([&] { return attack->getCurrentValueAsText() == c.attackAfter; }, 1000);
        EXPECT_EQ(attack->getCurrentValueAsText(), c.attackAfter);
    }
}

// The plug-in's own grip in its bottom-right corner resizes the host's window in any host, smaller
// than it opened too, at the plug-in's aspect ratio and within its limits.
TEST(HostedPlugin, TheGripResizesTheHostsWindowAtTheAspectRatio)
{
    HostedEditor hosted;
    ASSERT_NE(hosted.editor, nullptr);
    ASSERT_TRUE(hosted.shown);
    struct Case
    {
        const char* drag;
        int dx, dy;
        bool toTheSmallest;
    };
    const Case cases[] = {
        {"up and to the left", -300, -100, false},
        {"past the smallest size", -2000, -2000, true},
        {"back out", 400, 400, false},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.drag);
        const auto before = hosted.editor->getScreenBounds();
        const auto grip = before.getBottomRight() - juce::Point<int>(5, 5);
        ASSERT_TRUE(movePointer(grip.x, grip.y) && pressButton(true)) << "no X display or test extension";
        pumpUntil([] { return false; }, 100);
        for (int step = 1; step <= 10; ++step)
        {
            movePointer(grip.x + c.dx * step / 10, grip.y + c.dy * step / 10);
            pumpUntil([] { return false; }, 50);
        }
        pressButton(false);
        pumpUntil([] { return false; }, 300);

        const auto after = hosted.editor->getBounds();
        if (c.toTheSmallest) // 500 x 311, or 501 x 311 by the wrapper's rounding of the ratio
            EXPECT_NEAR(after.getWidth(), 500, 1);
        else
            EXPECT_NE(after.getWidth(), before.getWidth());
        EXPECT_EQ(after.getWidth() < before.getWidth(), c.dx < 0);
        EXPECT_NEAR(after.getHeight(), after.getWidth() / 1.61, 1.0) << after.toString();
    }
}
