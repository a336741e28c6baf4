#pragma once

#include "processor/Parameters.h"

#include <array>

// The presets compiled into the plug-in. Values are plain parameter values in each parameter's
// own unit, in the order of parameterSpecs (power, mode, attack, sustain, sensitivity, focus,
// punch, clip, mix, output); mode and focus hold choice indices.
struct FactoryPreset
{
    const char* name;
    std::array<float, parameterSpecs.size()> values;
};

// The eight factory presets in menu order.
extern const std::array<FactoryPreset, 8> factoryPresetTable;

// The row a name selects: the preset whose name matches exactly (case-sensitive), else the
// row of parameter defaults.
const FactoryPreset& findFactoryPreset(const juce::String& name) noexcept;

// True when the name is exactly one of the eight factory names.
bool isFactoryPresetName(const juce::String& name) noexcept;

juce::StringArray factoryPresetNames();
