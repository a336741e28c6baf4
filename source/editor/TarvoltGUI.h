#pragma once

#include "editor/CachedLayer.h"
#include "editor/DisplayModel.h"
#include "editor/DisplayResolution.h"
#include "editor/PanelLayout.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

class TarvoltAudioProcessor;

// The editor's main control panel: seven knobs with typed value read-outs, the focus and mode
// selectors, the power button, the signal display and the two level meters. It fills whatever
// bounds it is given and polls the processor 30 times a second to stay current.
class TarvoltGUI : public juce::Component, private juce::Timer
{
public:
    explicit TarvoltGUI(TarvoltAudioProcessor& processor);
    ~TarvoltGUI() override;

    void paint(juce::Graphics& g) override;
    void resized() override;

    // Draws the seven knobs: shadow, body, face, track, value arc with glow and the pointer.
    class RotaryKnobLookAndFeel : public juce::LookAndFeel_V4
    {
    public:
        explicit RotaryKnobLookAndFeel(TarvoltGUI& panel) : owner(panel) {}

        void drawRotarySlider(juce::Graphics&, int x, int y, int width, int height, float sliderPosProportional,
                              float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;

    private:
        TarvoltGUI& owner;
    };

    // Draws the six focus and mode selectors; the one matching its parameter is lit while power is on.
    class ToggleButtonLookAndFeel : public juce::LookAndFeel_V4
    {
    public:
        explicit ToggleButtonLookAndFeel(TarvoltGUI& panel) : owner(panel) {}

        void drawButtonBackground(juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                                  bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
        void drawButtonText(juce::Graphics&, juce::TextButton&, bool shouldDrawButtonAsHighlighted,
                            bool shouldDrawButtonAsDown) override;

    private:
        bool isLit(const juce::Button&) const;

        TarvoltGUI& owner;
    };

    // The power switch with its drawn symbol. Its lit state comes from the power parameter's
    // attachment; a click does not toggle it by itself.
    class PowerButton : public juce::Button
    {
    public:
        explicit PowerButton(const juce::String& name) : juce::Button(name) {}

        void paintButton(juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
    };

    // A knob's value read-out. A click opens it for typing; committing passes the text on.
    class EditableValueLabel : public juce::Label
    {
    public:
        std::function<void(const juce::String&)> onValueEntered;

    protected:
        void textWasEdited() override;
        void editorShown(juce::TextEditor* textEditor) override;
    };

    // The read-out text of a knob: the unit follows the slider's component name.
    static juce::String formatValueText(const juce::Slider& slider);

    // How finely the signal display draws its curves (the menu bar's display-resolution choice).
    void setResolutionMode(DisplayResolution mode);
    DisplayResolution getResolutionMode() const noexcept { return resolutionMode; }

    // Sets a knob from typed text in the read-out's unit (the unit itself is optional), clamped to
    // the knob's range, then re-formats every read-out.
    void applyTypedValue(juce::Slider& slider, const juce::String& text);

private:
    friend struct TarvoltGUITestAccess;

    static constexpr int timerIntervalMs = 33;

    void timerCallback() override;

    void configureKnob(juce::Slider& slider, const juce::String& name);
    void configureSelectorButton(juce::TextButton& button, const juce::String& caption);
    void configureValueLabel(EditableValueLabel& label, juce::Slider& slider);
    void setParameterFromPanel(const juce::String& id, float plainValue);
    void refreshSelectors();
    void refreshValueLabels();
    void updateValueLabelVisibility();

    // Painting keeps pictures of what seldom changes (the panel's dressing, knobs, buttons); off,
    // everything is drawn afresh on every paint. The picture looks the same either way.
    void setCachingEnabled(bool enabled);

    void drawHeader(juce::Graphics& g, bool on);
    void drawSectionTitles(juce::Graphics& g, bool on);
    // The display's settings decide everything but the meter segments and the controls: they are
    // the key of the cached picture.
    void drawPicture(juce::Graphics& g, const DisplaySettings& settings);
    // Everything that changes only with the size and the power state, in painting order.
    void drawStaticLayer(juce::Graphics& g, bool on);
    void drawSignalDisplayFrame(juce::Graphics& g, bool on);
    void drawSignalDisplayCurves(juce::Graphics& g, const DisplaySettings& settings);
    DisplaySettings readDisplaySettings() const;
    void drawLegendItem(juce::Graphics& g, juce::Rectangle<float> rect, juce::Colour colour,
                        const juce::String& caption);
    void drawLevelMeterFrame(juce::Graphics& g, juce::Rectangle<float> area, const juce::String& caption, bool on);
    void drawLevelMeterSegments(juce::Graphics& g, juce::Rectangle<float> area, float level, bool on);
    juce::Colour shapedCurveColour() const;

    // The knobs, read-outs and selectors in the panel's fixed order (see PanelControls.h).
    std::array<juce::Slider*, PanelLayout::numKnobs> knobs();
    std::array<EditableValueLabel*, PanelLayout::numKnobs> valueLabels();
    std::array<juce::TextButton*, 6> selectorButtons();

    TarvoltAudioProcessor& processor;

    RotaryKnobLookAndFeel knobLookAndFeel{*this};
    ToggleButtonLookAndFeel toggleLookAndFeel{*this};

    juce::Slider attackSlider, sustainSlider, sensitivitySlider, punchSlider, clipSlider, mixSlider, outputSlider;
    EditableValueLabel attackValueLabel, sustainValueLabel, sensitivityValueLabel, punchValueLabel, clipValueLabel,
        mixValueLabel, outputValueLabel;
    juce::TextButton focusLowButton, focusFullButton, focusHighButton, modeTightButton, modePunchButton,
        modeSmoothButton;
    PowerButton powerButton{"Power"};

    using SliderAttachment = juce::AudioProcessorValueTreeState::SliderAttachment;
    std::unique_ptr<SliderAttachment> attackAttachment, sustainAttachment, sensitivityAttachment, punchAttachment,
        clipAttachment, mixAttachment, outputAttachment;
    std::unique_ptr<juce::AudioProcessorValueTreeState::ButtonAttachment> powerAttachment;

    PanelLayout layout;

    DisplayResolution resolutionMode = DisplayResolution::High;

    // The power state the button showed when its last click came in (see the constructor).
    bool powerStateOnButton = true;
    bool powerOnAtLastTick = true;

    bool useCaches = true;
    CachedLayer<DisplaySettings> picture;
    CachedLayer<bool> dressing;

    // The panel's highlight colour (lit selectors, value arcs, subtitle, outlines, read-outs) and
    // the display's second colour.
    const juce::Colour accentColour{0xFF9650FF};
    const juce::Colour secondaryAccentColour{0xFF3A84FF};

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TarvoltGUI)
};
