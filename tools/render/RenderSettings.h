#pragma once

#include <juce_core/juce_core.h>

#include <optional>
#include <vector>

// One "--set id=value" request, resolved to a plain parameter value.
struct ParameterSetting
{
    juce::String id;
    float plainValue = 0.0f;
};

// Parses "id=value": the value in the parameter's own unit (dB or percent), a choice name
// ("Tight", "High", case ignored) or, for power, on/off. Returns an error message on failure.
std::optional<ParameterSetting> parseParameterSetting(const juce::String& text, juce::String& error);

class TarvoltAudioProcessor;

// Sets the parameters to their values as a host would, in the order given.
void applyParameterSettings(TarvoltAudioProcessor& processor, const std::vector<ParameterSetting>& settings);
