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

// Parses "id=value": the value as the editor's value entry reads it (parseTypedValue: a number with
// or without the parameter's unit, "+6 dB", "45%"; a choice name, case ignored, or its index; for
// power, on/off). Returns an error message when the value is not one, or lies out of range.
std::optional<ParameterSetting> parseParameterSetting(const juce::String& text, juce::String& error);

class PluginState;

// Sets the parameters to their values as a host would, in the order given.
void applyParameterSettings(PluginState& state, const std::vector<ParameterSetting>& settings);
