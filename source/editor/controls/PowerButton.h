#pragma once

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <functional>
#include <memory>

// The power switch with its drawn symbol, bound to the power parameter: a click flips the
// parameter as one gesture the host can record, and the button's lit state follows the
// parameter, whoever changes it. Without the parameter it stays dark and does nothing.
class PowerButton : public juce::Button
{
public:
    // onPowerChange hears the power state as the parameter reports it, the first time at once.
    PowerButton(juce::RangedAudioParameter* power, std::function<void(bool)> onPowerChange);

    void setScale(float panelScale) noexcept { scale = panelScale; } // see PanelLayout::scale

    void paintButton(juce::Graphics&, bool shouldDrawButtonAsHighlighted,
                     bool shouldDrawButtonAsDown) override;

private:
    void showPowerState(bool on);

    float scale = 1.0f;
    std::function<void(bool)> onPowerChange;
    std::unique_ptr<juce::ParameterAttachment> attachment;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR(PowerButton)
};
