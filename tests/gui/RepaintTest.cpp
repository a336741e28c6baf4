// What the open editor repaints. At rest nothing: an open editor whose picture does not change
// costs nothing. While audio plays, only the meters and the signal display; a parameter change
// repaints its control and the display, not the whole window.

#include "GuiTestSupport.h"

namespace
{
// The window the editor is shown in, as a host's window holds it. It records every paint the
// window system asks for (the editor is not opaque, so every repaint passes through it), and which
// of the parts that move only with a parameter (probes) lie in the area being painted.
struct RecordingWindow : juce::Component
{
    void paint(juce::Graphics& g) override
    {
        ++paints;
        for (const auto& [name, area] : probes)
            if (g.getInternalContext().clipRegionIntersects(area))
                painted.addIfNotAlreadyThere(name);
    }

    int paints = 0;
    std::vector<std::pair<juce::String, juce::Rectangle<int>>> probes;
    juce::StringArray painted;
};

class Repaints : public ::testing::Test
{
protected:
    void SetUp() override
    {
        auto& editor = *fixture.editor;
        editor.setSize(805, 500);
        window.setSize(editor.getWidth(), editor.getHeight());
        window.addAndMakeVisible(editor);
        window.addToDesktop(juce::ComponentPeer::windowHasTitleBar);
        window.setVisible(true);
        ASSERT_TRUE(guitest::pumpUntil([&] { return window.paints > 0; })) << "the window never painted";
        guitest::pumpFor(300); // the first paints, and the first look at the parameters

        // Every part but the display and the meters: each knob and its read-out, the selectors,
        // the power button, the title and the bar's Save and gear buttons (the preset's caption
        // shows the modified mark after a change, rightly).
        auto& panel = fixture.panel();
        const auto& layout = MainPanelTestAccess::layout(panel);
        for (const auto& knob : panel::knobs)
        {
            const int k = guitest::knobIndex(knob.parameterID);
            probe(juce::String(knob.caption) + " knob", inWindow(MainPanelTestAccess::knob(panel, k)));
            probe(juce::String(knob.caption) + " read-out",
                  inWindow(MainPanelTestAccess::valueLabel(panel, k)));
        }
        for (size_t i = 0; i < panel::selectors.size(); ++i)
            probe(panel::selectors[i].caption, inWindow(MainPanelTestAccess::selector(panel, (int)i)));
        probe("power button", inWindow(MainPanelTestAccess::powerButton(panel)));
        probe("title", window.getLocalArea(&panel, layout.headerArea.toNearestInt()));
        auto& bar = TarvoltEditorTestAccess::bar(*fixture.editor);
        probe("Save button", inWindow(MenuBarTestAccess::saveButton(bar)));
        probe("gear button", inWindow(MenuBarTestAccess::settingsButton(bar)));
        restart();
    }

    void TearDown() override
    {
        window.removeFromDesktop();
        window.removeChildComponent(fixture.editor.get());
    }

    void probe(const juce::String& name, juce::Rectangle<int> area)
    {
        window.probes.emplace_back(name, area);
    }
    void restart()
    {
        window.paints = 0;
        window.painted.clear();
    }
    juce::Rectangle<int> inWindow(juce::Component& c) { return window.getLocalArea(&c, c.getLocalBounds()); }

    guitest::EditorFixture fixture;
    RecordingWindow window;
};
} // namespace

TEST_F(Repaints, AtRestNothingRepaints)
{
#if JUCE_WINDOWS
    // Under wine, where the Windows build's tests run, the window reports no paints at all: no
    // paint would pass for quiet there.
    GTEST_SKIP() << "the window system delivers no paints to count under wine";
#endif
    guitest::pumpFor(1000);
    EXPECT_EQ(window.paints, 0) << "painted " << window.painted.joinIntoString(", ");
}

TEST_F(Repaints, WhileAudioPlaysOnlyTheMetersAndTheLiveViewRepaint)
{
#if JUCE_WINDOWS
    // Under wine, where the Windows build's tests run, the window reports no paints at all.
    GTEST_SKIP() << "the window system delivers no paints to count under wine";
#endif
    auto& processor = fixture.processor;
    fixture.editor->setDisplayMode(DisplayMode::Live);
    harness::prepare(processor, 2, 48000.0, 512);
    guitest::pumpFor(200);
    restart();

    // Drums, a hit every quarter second, played at about the pace of real time.
    juce::AudioBuffer<float> block(2, 512);
    juce::MidiBuffer midi;
    int position = 0;
    for (int b = 0; b < 60; ++b)
    {
        for (int i = 0; i < block.getNumSamples(); ++i, ++position)
        {
            const int sinceHit = position % 12000;
            const float sample =
                0.8f * std::exp(-(float)sinceHit / 900.0f) * std::sin(0.05f * (float)position);
            block.setSample(0, i, sample);
            block.setSample(1, i, sample);
        }
        processor.processBlock(block, midi);
        guitest::pumpFor(10);
    }
    guitest::pumpFor(100);

    // About 20 frames at the editor's 30 per second; a loaded machine gets fewer.
    EXPECT_GT(window.paints, 5) << "the live view and the meters did not move";
    EXPECT_EQ(window.painted, juce::StringArray()) << "parts that did not change were painted";
}

TEST_F(Repaints, AParameterChangeRepaintsItsControlAndTheDisplayOnly)
{
#if JUCE_WINDOWS
    // Under wine, where the Windows build's tests run, the window reports no paints at all.
    GTEST_SKIP() << "the window system delivers no paints to count under wine";
#endif
    harness::setPlain(fixture.processor, "attack", 9.0f);
    guitest::pumpFor(200);
    EXPECT_GT(window.paints, 0);
    EXPECT_EQ(window.painted, juce::StringArray({"ATTACK knob", "ATTACK read-out"}));
}
