#pragma once

#include "common/ProcessorHarness.h"
#include "editor/TarvoltEditor.h"
#include "editor/controls/PanelControls.h"
#include "editor/panel/MainPanel.h"

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

// Reach the panel's parts the way a user or a timer tick would.
struct KnobTestAccess
{
    static juce::Slider& slider(Knob& knob) { return knob.slider; }
    static EditableValueLabel& readOut(Knob& knob) { return knob.readOut; }
};

struct SelectorGroupTestAccess
{
    // The button of an entry of panel::selectors in the group.
    static juce::TextButton& button(SelectorGroup& group, const panel::SelectorInfo& option)
    {
        for (size_t i = 0; i < group.options.size(); ++i)
            if (group.options[i] == &option)
                return group.buttons[i];
        ADD_FAILURE() << "no button " << option.caption << " in the group";
        return group.buttons[0];
    }
};

struct SignalDisplayTestAccess
{
    static const LiveFeedReader& liveReader(SignalDisplay& display) { return display.liveView.reader; }
};

struct MainPanelTestAccess
{
    static juce::Slider& knob(MainPanel& panel, int index) { return KnobTestAccess::slider(*panel.knobs[(size_t) index]); }
    static EditableValueLabel& valueLabel(MainPanel& panel, int index)
    {
        return KnobTestAccess::readOut(*panel.knobs[(size_t) index]);
    }
    // In the order of panel::selectors: LOW, FULL, HIGH, TIGHT, PUNCH, SMOOTH.
    static juce::TextButton& selector(MainPanel& panel, int index)
    {
        const auto& option = panel::selectors[(size_t) index];
        return SelectorGroupTestAccess::button(*panel.selectorGroups[option.group], option);
    }
    static PowerButton& powerButton(MainPanel& panel) { return panel.powerButton; }
    static SignalDisplay& display(MainPanel& panel) { return panel.display; }
    static LevelMeter& inputMeter(MainPanel& panel) { return panel.inputMeter; }
    static const PanelLayout& layout(const MainPanel& panel) { return panel.layout; }
    static void timerTick(MainPanel& panel) { panel.timerCallback(); }
    static void setCaching(MainPanel& panel, bool enabled) { panel.setCachingEnabled(enabled); }
    static bool timerRunning(MainPanel& panel) { return static_cast<juce::Timer&>(panel).isTimerRunning(); }
    static int liveHistorySize(MainPanel& panel)
    {
        return SignalDisplayTestAccess::liveReader(panel.display).getHistory().size();
    }
    static int timerInterval(MainPanel& panel) { return static_cast<juce::Timer&>(panel).getTimerInterval(); }
};

struct MenuBarTestAccess
{
    static IconButton& presetButton(MenuBar& bar) { return bar.presetButton; }
    static IconButton& saveButton(MenuBar& bar) { return bar.saveButton; }
    static IconButton& previousButton(MenuBar& bar) { return bar.previousButton; }
    static IconButton& nextButton(MenuBar& bar) { return bar.nextButton; }
    static IconButton& settingsButton(MenuBar& bar) { return bar.settingsButton; }
    static const MenuBarLookAndFeel& menuLook(MenuBar& bar) { return *bar.menuLook; }
    static PresetMenu& presetMenu(MenuBar& bar) { return bar.presetMenu; }
    static PresetDialogs& presetDialogs(MenuBar& bar) { return bar.presetDialogs; }
};

struct TarvoltEditorTestAccess
{
    static MainPanel& panel(TarvoltEditor& editor) { return editor.panel; }
    static MenuBar& bar(TarvoltEditor& editor) { return editor.bar; }
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

// A component's bounds in one of its ancestors' coordinates (the panel's, for a control inside a
// knob or a selector group).
inline juce::Rectangle<int> boundsIn(juce::Component& ancestor, juce::Component& component)
{
    return ancestor.getLocalArea(&component, component.getLocalBounds());
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
    std::unique_ptr<TarvoltEditor> editor{
        dynamic_cast<TarvoltEditor*>(processor.createEditorIfNeeded())};

    MainPanel& panel() { return TarvoltEditorTestAccess::panel(*editor); }

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
