#include "editor/TarvoltEditor.h"

#include "editor/look/Rounding.h"
#include "state/PluginState.h"

TarvoltEditor::TarvoltEditor(juce::AudioProcessor& processor, PluginState& pluginState, LiveFeed& liveFeed,
                             const LevelMeters& meters)
    : juce::AudioProcessorEditor(processor), state(pluginState), panel(pluginState, liveFeed, meters),
      keyboard(*this, processor.wrapperType == juce::AudioProcessor::wrapperType_Standalone
                          ? KeyboardOwner::Mode::ownWindow
                          : KeyboardOwner::Mode::host)
{
    bar.setPresetManager(&state);
    bar.onMenuClosed = [this] { keyboard.menuClosed(); };
    // The panel draws with the resolution the bar shows, from the first paint on.
    auto& settings = bar.getSettingsMenu();
    panel.setResolutionMode(settings.getResolution());
    settings.onResolutionChange = [this](DisplayResolution resolution)
    { panel.setResolutionMode(resolution); };
    addDisplayModeChoice();
    addParameterChoices();
    addAndMakeVisible(panel);
    addAndMakeVisible(bar);
    applyEditorSize();
    keyboard.leaveFocusToTextFields(); // the grip too
}

TarvoltEditor::~TarvoltEditor()
{
    if (resizableCorner != nullptr)
        resizableCorner->setLookAndFeel(nullptr);
}

void TarvoltEditor::parentHierarchyChanged()
{
    keyboard.editorParentChanged();
}

// The display mode is an editor setting kept with the state, not a parameter: the choice goes
// straight to the panel, which stores it there.
void TarvoltEditor::addDisplayModeChoice()
{
    bar.getSettingsMenu().addChoice(
        {"Display Mode",
         {displayModeName(DisplayMode::Model), displayModeName(DisplayMode::Live)},
         [this] { return (int)state.getDisplayMode(); },
         [this](int option)
         { setDisplayMode(option == (int)DisplayMode::Live ? DisplayMode::Live : DisplayMode::Model); }});
}

// Quality and Stereo Link are host parameters offered in the settings menu: a choice reaches the
// host as a complete gesture, and the panel shows the result.
void TarvoltEditor::addParameterChoices()
{
    for (const char* id : {ParameterIDs::quality, ParameterIDs::link})
    {
        auto* parameter = state.parameters.getParameter(id);
        const auto* spec = findParameterSpec(id);
        if (parameter == nullptr || spec == nullptr)
            continue;
        auto& attachment = choiceAttachments.emplace_back(
            std::make_unique<juce::ParameterAttachment>(*parameter, [this](float) { panel.repaint(); }));
        juce::StringArray options;
        for (int i = 0; i < spec->numChoices(); ++i)
            options.add(spec->choices[(size_t)i]);
        bar.getSettingsMenu().addChoice(
            {spec->name, options,
             [parameter] { return juce::roundToInt(parameter->convertFrom0to1(parameter->getValue())); },
             [a = attachment.get()](int option) { a->setValueAsCompleteGesture((float)option); }});
    }
}

void TarvoltEditor::paint(juce::Graphics&)
{
    // The bar and the panel cover the whole window.
}

void TarvoltEditor::resized()
{
    if (!keepsRatioAndLimits(sizeLimits, getWidth(), getHeight()))
        triggerAsyncUpdate(); // after the host's resizing is done, so that it hears of the change
    const int barHeight = roundHalfAway((float)getHeight() * layout.menuBarHeightFraction);
    bar.setBounds(0, 0, getWidth(), barHeight);
    panel.setBounds(0, barHeight, getWidth(), getHeight() - barHeight);
}

juce::Rectangle<int> TarvoltEditor::getDisplayUserArea() const
{
    // While the editor is being built it is on no screen yet; a host may already have put it
    // into a window of its own.
    const auto* window = getTopLevelComponent();
    const auto windowBounds = window->isOnDesktop() ? window->getScreenBounds() : juce::Rectangle<int>();
    return chooseDisplayUserArea(juce::Desktop::getInstance().getDisplays().displays, windowBounds);
}

void TarvoltEditor::applyEditorSize()
{
    const auto size = computeEditorSize(getDisplayUserArea(), layout);
    sizeLimits = size;
    setResizeLimits(size.minWidth, size.minHeight, size.maxWidth, size.maxHeight);
    if (auto* limits = getConstrainer())
        limits->setFixedAspectRatio(size.aspectRatio);
    // The grip, where the window can be resized at all.
    const bool resizable = size.minWidth != size.maxWidth;
    setResizable(resizable, resizable);
    if (resizableCorner != nullptr)
        resizableCorner->setLookAndFeel(&gripLook);
    setSize(size.width, size.height);
}

void TarvoltEditor::handleAsyncUpdate()
{
    const auto fitted = fitToAspectRatio(sizeLimits, getWidth(), getHeight());
    if (fitted != juce::Point<int>(getWidth(), getHeight()))
        setSize(fitted.x, fitted.y);
}
