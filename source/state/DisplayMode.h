#pragma once

#include <juce_core/juce_core.h>

// What the signal display shows: the model of the shaper on a synthetic hit, or the live signal.
enum class DisplayMode
{
    Model = 0,
    Live = 1
};

// The mode's name as the state stores it: "Model" or "Live".
inline juce::String displayModeName(DisplayMode mode)
{
    return mode == DisplayMode::Live ? "Live" : "Model";
}

// The mode a stored name stands for (case ignored, space around it too); anything else is Model.
inline DisplayMode displayModeFromName(const juce::String& name)
{
    return name.trim().equalsIgnoreCase("Live") ? DisplayMode::Live : DisplayMode::Model;
}
