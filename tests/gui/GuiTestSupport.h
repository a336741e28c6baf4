#pragma once

#include "common/ProcessorHarness.h"
#include "editor/PanelControls.h"
#include "editor/TarvoltAudioProcessorEditor.h"
#include "editor/TarvoltGUI.h"

#include <gtest/gtest.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <memory>

namespace juce
{
// The framework's own message loop step (declared in its message manager, not in a header).
bool dispatchNextMessageOnSystemQueue(bool returnIfNoPendingMessages);

// Readable lists and rectangles in test failures.
inline void PrintTo(const StringArray& a, std::ostream* os)
{
    *os << "{" << a.joinIntoString(", ") << "}";
}


template <typename T>
void PrintTo(const Rectangle<T>& r, std::ostream* os)
{
    *os << r.toString();
}
} // namespace juce

// Reaches the panel's controls and its timer step the way a user or a timer tick would.
struct TarvoltGUITestAccess
{
    static juce::Slider& knob(TarvoltGUI& panel, int index) { return panel.knobs[(size_t) index]; }
    static TarvoltGUI::EditableValueLabel& valueLabel(TarvoltGUI& panel, int index)
    {
        return panel.valueLabels[(size_t) index];
    }
    // In the order of panel::selectors: LOW, FULL, HIGH, TIGHT, PUNCH, SMOOTH.
    static juce::TextButton& selector(TarvoltGUI& panel, int index) { return panel.selectorButtons[(size_t) index]; }
    static TarvoltGUI::PowerButton& powerButton(TarvoltGUI& panel) { return panel.powerButton; }
    static const PanelLayout& layout(const TarvoltGUI& panel) { return panel.layout; }
    static void timerTick(TarvoltGUI& panel) { panel.timerCallback(); }
    static void setCaching(TarvoltGUI& panel, bool enabled) { panel.setCachingEnabled(enabled); }
    static bool timerRunning(TarvoltGUI& panel) { return static_cast<juce::Timer&>(panel).isTimerRunning(); }
    static int liveHistorySize(TarvoltGUI& panel) { return panel.liveView.getHistory().size(); }
    static int timerInterval(TarvoltGUI& panel) { return static_cast<juce::Timer&>(panel).getTimerInterval(); }
};

struct TarvoltEditorTestAccess
{
    static TarvoltGUI& panel(TarvoltAudioProcessorEditor& editor) { return editor.panel; }
    static MenuBar& bar(TarvoltAudioProcessorEditor& editor) { return editor.bar; }
};

namespace guitest
{

// Index of a knob (and its read-out) in the panel's order, by parameter ID.
inline int knobIndex(const juce::String& parameterID)
{
    for (size_t i = 0; i < panel::knobs.size(); ++i)
        if (parameterID == panel::knobs[i].parameterID)
            return (int) i;
    ADD_FAILURE() << "no knob for " << parameterID;
    return 0;
}

// Index of a selector in panel::selectors, by caption.
inline int selectorIndex(const juce::String& caption)
{
    for (size_t i = 0; i < panel::selectors.size(); ++i)
        if (caption == panel::selectors[i].caption)
            return (int) i;
    ADD_FAILURE() << "no selector " << caption;
    return 0;
}

// Runs the message loop until done() holds or the timeout passes; returns done().
template <typename Predicate>
bool pumpUntil(Predicate done, int timeoutMs = 3000)
{
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32) timeoutMs;
    while (!done())
    {
        if (juce::Time::getMillisecondCounter() > end)
            return done();
        if (!juce::dispatchNextMessageOnSystemQueue(true))
            juce::Thread::sleep(1);
    }
    return true;
}

inline void pumpFor(int milliseconds)
{
    pumpUntil([] { return false; }, milliseconds);
}

// Paints a component and its children with the software renderer, as a window would show it.
inline juce::Image render(juce::Component& component)
{
    juce::Image image(juce::Image::ARGB, component.getWidth(), component.getHeight(), true, juce::SoftwareImageType());
    juce::Graphics g(image);
    component.paintEntireComponent(g, true);
    return image;
}

// Each channel within tolerance of the expected colour.
inline ::testing::AssertionResult colourNear(juce::Colour actual, juce::Colour expected, int tolerance = 2)
{
    const auto close = [tolerance](juce::uint8 a, juce::uint8 b) { return std::abs((int) a - (int) b) <= tolerance; };
    if (close(actual.getAlpha(), expected.getAlpha()) && close(actual.getRed(), expected.getRed()) &&
        close(actual.getGreen(), expected.getGreen()) && close(actual.getBlue(), expected.getBlue()))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "colour " << actual.toDisplayString(true) << " is not within " << tolerance
                                         << " of " << expected.toDisplayString(true);
}

// A processor with its editor: the window the host would open.
struct EditorFixture
{
    TarvoltAudioProcessor processor;
    std::unique_ptr<TarvoltAudioProcessorEditor> editor{
        dynamic_cast<TarvoltAudioProcessorEditor*>(processor.createEditorIfNeeded())};

    TarvoltGUI& panel() { return TarvoltEditorTestAccess::panel(*editor); }

    // Puts the window on the (virtual) screen and waits until it has the keyboard focus, so that
    // typing in a read-out behaves as it does in a host.
    ::testing::AssertionResult showFocused()
    {
        editor->setSize(805, 500); // a small window repaints quickly in debug builds
        editor->addToDesktop(juce::ComponentPeer::windowHasTitleBar);
        editor->setVisible(true);
        editor->toFront(true);
        const bool focused = pumpUntil([this] {
            auto* peer = editor->getPeer();
            return peer != nullptr && peer->isFocused();
        });
        if (!focused)
            return ::testing::AssertionFailure() << "the editor window never got the keyboard focus";
        // The window manager may still move the window into place (a frame around it): clicks
        // land where they are aimed only once it stays put.
        auto bounds = editor->getPeer()->getBounds();
        for (int stable = 0, rounds = 0; stable < 2 && rounds < 40; ++rounds)
        {
            pumpFor(50);
            const auto now = editor->getPeer()->getBounds();
            stable = now == bounds ? stable + 1 : 0;
            bounds = now;
        }
        return ::testing::AssertionSuccess();
    }

    // A left click on a component of the shown window, delivered through the window's peer as the
    // window system would (modal components, mouse listeners and all).
    void click(juce::Component& target, juce::Point<int> local)
    {
        auto* peer = editor->getPeer();
        ASSERT_NE(peer, nullptr);
        const auto position = editor->getLocalPoint(&target, local).toFloat();
        const auto source = juce::MouseInputSource::InputSourceType::mouse;
        peer->handleMouseEvent(source, position, juce::ModifierKeys::leftButtonModifier,
                               juce::MouseInputSource::defaultPressure, juce::MouseInputSource::defaultOrientation,
                               juce::Time::currentTimeMillis());
        peer->handleMouseEvent(source, position, juce::ModifierKeys(), juce::MouseInputSource::defaultPressure,
                               juce::MouseInputSource::defaultOrientation, juce::Time::currentTimeMillis());
    }

    void click(juce::Component& target) { click(target, target.getLocalBounds().getCentre()); }

    ~EditorFixture()
    {
        if (editor != nullptr && editor->isOnDesktop())
            editor->removeFromDesktop();
        // What the plug-in wrapper does before it deletes the editor.
        if (editor != nullptr)
            processor.editorBeingDeleted(editor.get());
    }
};

} // namespace guitest
