// Who has the keyboard after clicks in the editor: in a host, no control, nor the display, nor the
// panel takes it; only a read-out being typed in does, until Return, Escape or a click elsewhere.
// The standalone application's editor takes it on a click anywhere, for its own shortcuts.
// (tests/host checks the window system's focus with the plug-in in a host's window.)

#include "GuiTestSupport.h"

using guitest::knobIndex;

namespace
{
// The component of the editor that has the keyboard focus, if any.
juce::Component* focusedInEditor(TarvoltEditor& editor)
{
    auto* focused = juce::Component::getCurrentlyFocusedComponent();
    return focused != nullptr && (focused == &editor || editor.isParentOf(focused)) ? focused : nullptr;
}

std::string describe(juce::Component* c)
{
    if (c == nullptr)
        return "nothing";
    return (typeid(*c).name() + std::string(" \"") + c->getName().toStdString() + "\"");
}

class KeyboardFocus : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(fixture.showFocused()); }

    MainPanel& panel() { return fixture.panel(); }
    EditableValueLabel& readOut(const char* id)
    {
        return MainPanelTestAccess::valueLabel(panel(), knobIndex(id));
    }

    // Clicks on a point of a component and lets the framework's focus messages through.
    void clickAt(juce::Component& target, juce::Point<int> local)
    {
        fixture.click(target, local);
        guitest::pumpFor(50);
    }
    void clickOn(juce::Component& target) { clickAt(target, target.getLocalBounds().getCentre()); }
    void clickOnEmptyPanel()
    {
        clickAt(panel(), MainPanelTestAccess::layout(panel()).headerArea.toNearestInt().getCentre());
    }

    guitest::EditorFixture fixture;
};
} // namespace

TEST_F(KeyboardFocus, ClicksOnControlsTheDisplayAndThePanelTakeNoKeyboardFocus)
{
    auto& bar = TarvoltEditorTestAccess::bar(*fixture.editor);
    const auto& layout = MainPanelTestAccess::layout(panel());
    const std::pair<const char*, std::function<void()>> clicks[] = {
        {"a knob", [&] { clickOn(MainPanelTestAccess::knob(panel(), knobIndex("attack"))); }},
        {"a selector",
         [&] { clickOn(MainPanelTestAccess::selector(panel(), guitest::selectorIndex("HIGH"))); }},
        {"the power button", [&] { clickOn(MainPanelTestAccess::powerButton(panel())); }},
        {"the power button again", [&] { clickOn(MainPanelTestAccess::powerButton(panel())); }},
        {"the display", [&] { clickAt(panel(), layout.displayArea.toNearestInt().getCentre()); }},
        {"the empty panel", [&] { clickOnEmptyPanel(); }},
        {"the empty menu bar",
         [&] {
             clickAt(bar, {4, bar.getHeight() / 2});
         }},
    };
    for (const auto& [name, click] : clicks)
    {
        click();
        EXPECT_EQ(focusedInEditor(*fixture.editor), nullptr)
            << "after a click on " << name << ": " << describe(focusedInEditor(*fixture.editor));
    }
}

TEST_F(KeyboardFocus, AReadOutHoldsTheKeysWhileOpenAndLetsGoOnReturnEscapeOrAClickElsewhere)
{
    const std::pair<const char*, std::function<void(juce::TextEditor&)>> closings[] = {
        {"Return",
         [](juce::TextEditor& field) { field.keyPressed(juce::KeyPress(juce::KeyPress::returnKey)); }},
        {"Escape",
         [](juce::TextEditor& field) { field.keyPressed(juce::KeyPress(juce::KeyPress::escapeKey)); }},
        {"a click on a knob",
         [&](juce::TextEditor&) { clickOn(MainPanelTestAccess::knob(panel(), knobIndex("mix"))); }},
        {"a click on the empty panel", [&](juce::TextEditor&) { clickOnEmptyPanel(); }},
    };
    for (const auto& [name, close] : closings)
    {
        SCOPED_TRACE(name);
        clickOn(readOut("sustain"));
        auto* field = readOut("sustain").getCurrentTextEditor();
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(focusedInEditor(*fixture.editor), field) << describe(focusedInEditor(*fixture.editor));

        close(*field);
        EXPECT_TRUE(guitest::pumpUntil([&] { return !readOut("sustain").isBeingEdited(); }));
        guitest::pumpFor(50);
        EXPECT_EQ(focusedInEditor(*fixture.editor), nullptr) << describe(focusedInEditor(*fixture.editor));
    }
}

TEST_F(KeyboardFocus, KeysTheEditorDoesNotUseAreLeftForTheHost)
{
    // What the framework asks the editor when it has the keys: unused keys go on to the host.
    for (const auto& key :
         {juce::KeyPress(juce::KeyPress::spaceKey),
          juce::KeyPress('z', juce::ModifierKeys::commandModifier, 0), juce::KeyPress(juce::KeyPress::F5Key)})
        EXPECT_FALSE(fixture.editor->keyPressed(key)) << key.getTextDescription();
}

namespace
{
// A window of its own with a button and a text field in a content component that counts the keys it
// is given, as the standalone application holds its editor.
struct OwnWindow
{
    struct Content : juce::Component
    {
        bool keyPressed(const juce::KeyPress&) override
        {
            ++keys;
            return true;
        }
        int keys = 0;
    };

    OwnWindow()
    {
        content.setBounds(0, 0, 300, 200);
        button.setBounds(10, 10, 100, 30);
        field.setBounds(10, 60, 100, 30);
        content.addAndMakeVisible(button);
        content.addAndMakeVisible(field);
        owner.leaveFocusToTextFields();
        content.addToDesktop(juce::ComponentPeer::windowHasTitleBar);
        content.setVisible(true);
        content.toFront(true);
    }
    ~OwnWindow() { content.removeFromDesktop(); }

    void click(juce::Component& target)
    {
        auto* peer = content.getPeer();
        const auto at = content.getLocalPoint(&target, target.getLocalBounds().getCentre()).toFloat();
        for (const auto mods :
             {juce::ModifierKeys(juce::ModifierKeys::leftButtonModifier), juce::ModifierKeys()})
            peer->handleMouseEvent(juce::MouseInputSource::InputSourceType::mouse, at, mods,
                                   juce::MouseInputSource::defaultPressure,
                                   juce::MouseInputSource::defaultOrientation,
                                   juce::Time::currentTimeMillis());
        guitest::pumpFor(50);
    }

    Content content;
    juce::TextButton button{"button"};
    juce::TextEditor field;
    KeyboardOwner owner{content, KeyboardOwner::Mode::ownWindow};
};
} // namespace

TEST(KeyboardOwnWindow, AClickAnywhereGivesTheEditorTheKeysAndATextFieldTakesThemWhileClickedIn)
{
    OwnWindow window;
    ASSERT_TRUE(guitest::pumpUntil(
        [&] { return window.content.getPeer() != nullptr && window.content.getPeer()->isFocused(); }));

    for (auto* target :
         {static_cast<juce::Component*>(&window.button), static_cast<juce::Component*>(&window.content)})
    {
        window.click(*target);
        guitest::pumpUntil([&] { return juce::Component::getCurrentlyFocusedComponent() == &window.content; });
        EXPECT_EQ(juce::Component::getCurrentlyFocusedComponent(), &window.content);
        const int before = window.content.keys;
        window.content.getPeer()->handleKeyPress(juce::KeyPress('z', juce::ModifierKeys::commandModifier, 0));
        EXPECT_EQ(window.content.keys, before + 1) << "the editor's own shortcut did not arrive";
    }

    window.click(window.field);
    guitest::pumpUntil([&] { return juce::Component::getCurrentlyFocusedComponent() == &window.field; });
    EXPECT_EQ(juce::Component::getCurrentlyFocusedComponent(), &window.field);
}
