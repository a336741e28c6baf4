#pragma once

#include "editor/CachedLayer.h"
#include "editor/DisplayModel.h"
#include "editor/DisplayMode.h"
#include "editor/DisplayResolution.h"
#include "editor/LiveView.h"
#include "editor/PanelControls.h"
#include "editor/PanelLayout.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <array>
#include <functional>
#include <memory>
#include <vector>

class TarvoltAudioProcessor;
struct LivePlot;

// The editor's main control panel: seven knobs with typed value read-outs, the focus and mode
// selectors, the power button, the signal display and the two level meters. It fills whatever
// bounds it is given. Every control is bound to its parameter through the framework's
// attachments, so a click or a drag reaches the host as a complete gesture and a change from the
// host shows at once; a timer repaints what moves by itself (the meters).
class TarvoltGUI : public juce::Component, private juce::Timer
{
public:
    explicit TarvoltGUI(TarvoltAudioProcessor& processor,
                        DisplayResolution initialResolution = DisplayResolution::Auto);
    ~TarvoltGUI() override;

    void paint(juce::Graphics& g) override;
    void resized() override;

    // Draws the seven knobs: shadow, body, face, track, value arc with glow and the pointer. The
    // value arc turns grey while power is off; the panel tells the look the power state.
    class RotaryKnobLookAndFeel : public juce::LookAndFeel_V4
    {
    public:
        void setPowerOn(bool on) noexcept { powerOn = on; }
        void setScale(float panelScale) noexcept { scale = panelScale; } // see PanelLayout::scale

        void drawRotarySlider(juce::Graphics&, int x, int y, int width, int height, float sliderPosProportional,
                              float rotaryStartAngle, float rotaryEndAngle, juce::Slider&) override;

    private:
        bool powerOn = true;
        float scale = 1.0f;
    };

    // Draws the six focus and mode selectors; the selected one is lit while power is on.
    class ToggleButtonLookAndFeel : public juce::LookAndFeel_V4
    {
    public:
        void setPowerOn(bool on) noexcept { powerOn = on; }
        void setScale(float panelScale) noexcept { scale = panelScale; } // see PanelLayout::scale

        void drawButtonBackground(juce::Graphics&, juce::Button&, const juce::Colour& backgroundColour,
                                  bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;
        void drawButtonText(juce::Graphics&, juce::TextButton&, bool shouldDrawButtonAsHighlighted,
                            bool shouldDrawButtonAsDown) override;

    private:
        bool isLit(const juce::Button&) const;

        bool powerOn = true;
        float scale = 1.0f;
    };

    // The power switch with its drawn symbol. Its lit state follows the power parameter.
    class PowerButton : public juce::Button
    {
    public:
        explicit PowerButton(const juce::String& name) : juce::Button(name) {}

        void setScale(float panelScale) noexcept { scale = panelScale; } // see PanelLayout::scale

        void paintButton(juce::Graphics&, bool shouldDrawButtonAsHighlighted, bool shouldDrawButtonAsDown) override;

    private:
        float scale = 1.0f;
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

    // How finely the signal display draws its curves (the menu bar's display-resolution choice).
    void setResolutionMode(DisplayResolution mode);
    DisplayResolution getResolutionMode() const noexcept { return resolutionMode; }

    // What the signal display shows: the model or the live signal. The choice is the processor's
    // (kept with its state): setting it stores it there, and the panel follows a change the
    // processor reports (a restored state) within a timer period.
    void setDisplayMode(DisplayMode mode);
    DisplayMode getDisplayMode() const noexcept { return displayMode; }

    // Takes what the audio thread sent the live view since the last call. The timer does this on
    // every tick; a tool that runs the audio itself calls it between blocks.
    void updateLiveView();

private:
    friend struct TarvoltGUITestAccess;

    static constexpr int timerIntervalMs = 33;
    static constexpr size_t numKnobs = panel::knobs.size();
    static constexpr size_t numSelectors = panel::selectors.size();
    static constexpr size_t numSelectorGroups = panel::selectorGroups.size();

    void timerCallback() override;
    void showDisplayMode(DisplayMode mode);

    void configureKnob(size_t index);
    void configureValueLabel(size_t index);
    void configureSelectorButton(size_t index);
    void attachControls();
    void refreshValueLabel(size_t index);
    // Sets a knob from typed text in the read-out's unit (the unit itself is optional), clamped to
    // the knob's range, then shows the read-out's canonical text.
    void applyTypedValue(size_t index, const juce::String& text);

    // The power state as the power parameter's attachment reports it: the button, the looks, the
    // read-outs' visibility and the panel's own drawing follow it.
    void showPowerState(bool on);
    // Lights the selectors of a group whose index the parameter holds (none for an index outside).
    void showSelectedIndex(size_t group, int index);

    // Painting keeps pictures of what seldom changes (the panel's dressing, knobs, buttons); off,
    // everything is drawn afresh on every paint. The picture looks the same either way.
    void setCachingEnabled(bool enabled);

    void drawHeader(juce::Graphics& g, bool on);
    void drawSectionTitles(juce::Graphics& g, bool on);
    // What the cached pictures follow besides the size: the dressing the power state and the
    // display mode; the whole picture (everything but the meter segments, the controls and the
    // live signal) the display's settings too.
    struct DressingKey
    {
        bool powerOn = true;
        DisplayMode mode = DisplayMode::Model;
        bool operator==(const DressingKey& o) const { return powerOn == o.powerOn && mode == o.mode; }
    };
    struct PictureKey
    {
        DisplaySettings settings;
        DisplayMode mode = DisplayMode::Model;
        bool operator==(const PictureKey& o) const { return settings == o.settings && mode == o.mode; }
    };

    void drawPicture(juce::Graphics& g, const PictureKey& key);
    // Everything that changes only with the size, the power state and the mode, in painting order.
    void drawStaticLayer(juce::Graphics& g, const DressingKey& key);
    void drawSignalDisplayFrame(juce::Graphics& g, bool on, DisplayMode mode);
    void drawSignalDisplayCurves(juce::Graphics& g, const DisplaySettings& settings);
    // The live view (LiveDisplay.cpp): its grid, level marks, legend and time axis, then on every
    // paint the signal itself with the clip onset.
    void drawLiveFrame(juce::Graphics& g, const LivePlot& live);
    void drawLiveSignal(juce::Graphics& g, const DisplaySettings& settings);
    DisplaySettings readDisplaySettings() const;
    void drawLegendItem(juce::Graphics& g, const PlotGeometry& plot, juce::Rectangle<float> rect, juce::Colour colour,
                        const juce::String& caption);
    void drawLevelMeterFrame(juce::Graphics& g, juce::Rectangle<float> area, const juce::String& caption, bool on);
    void drawLevelMeterSegments(juce::Graphics& g, juce::Rectangle<float> area, float level, bool on);

    TarvoltAudioProcessor& processor;

    RotaryKnobLookAndFeel knobLookAndFeel;
    ToggleButtonLookAndFeel toggleLookAndFeel;

    // In the orders of panel::knobs and panel::selectors.
    std::array<juce::Slider, numKnobs> knobs;
    std::array<EditableValueLabel, numKnobs> valueLabels;
    std::array<juce::TextButton, numSelectors> selectorButtons;
    PowerButton powerButton{"Power"};

    // After the controls they drive, so that they go first. A control whose parameter is missing
    // has none and works unattached.
    std::array<std::unique_ptr<juce::AudioProcessorValueTreeState::SliderAttachment>, numKnobs> knobAttachments;
    std::array<std::unique_ptr<juce::ParameterAttachment>, numSelectorGroups> selectorAttachments;
    std::unique_ptr<juce::ParameterAttachment> powerAttachment;

    PanelLayout layout;

    DisplayResolution resolutionMode;
    bool powerOn = true;

    DisplayMode displayMode = DisplayMode::Model;
    LiveView liveView;
    std::vector<LiveHistory::Column> liveColumns; // kept between paints: no allocation per paint

    bool useCaches = true;
    CachedLayer<PictureKey> picture;
    CachedLayer<DressingKey> dressing;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(TarvoltGUI)
};
