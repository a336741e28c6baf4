#include "presets/FactoryPresets.h"

#include <algorithm>

namespace
{
constexpr float on = 1.0f;

FactoryPreset makeDefaultsRow() noexcept
{
    FactoryPreset row{"", {}};
    for (size_t i = 0; i < parameterSpecs.size(); ++i)
        row.values[i] = parameterSpecs[i].defaultValue;
    return row;
}
} // namespace

// clang-format off
const std::array<FactoryPreset, 8> factoryPresetTable{{
    //                   power  mode               attack sustain sens  focus             punch clip  mix    output
    {"Punchy Kicks",   {{on,    ModeIndex::punch,   7.5f, -1.5f,  72.f, FocusIndex::low,  48.f, 26.f, 100.f, 0.5f}}},
    {"Snare Snap",     {{on,    ModeIndex::punch,   8.5f, -3.0f,  70.f, FocusIndex::high, 38.f, 18.f, 100.f, 0.0f}}},
    {"Loop Tightener", {{on,    ModeIndex::tight,   4.5f, -4.5f,  62.f, FocusIndex::full, 20.f, 10.f,  92.f, 0.0f}}},
    {"Bass Knock",     {{on,    ModeIndex::tight,   5.5f,  1.0f,  68.f, FocusIndex::low,  30.f, 12.f, 100.f, 0.8f}}},
    {"Smooth Rooms",   {{on,    ModeIndex::smooth,  1.5f,  3.5f,  42.f, FocusIndex::full, 10.f,  6.f,  88.f, 0.0f}}},
    {"Aggro Parallel", {{on,    ModeIndex::punch,  10.0f, -6.0f,  82.f, FocusIndex::full, 56.f, 34.f,  42.f, 0.0f}}},
    {"Tame Pokey",     {{on,    ModeIndex::smooth, -4.5f,  1.5f,  58.f, FocusIndex::high,  8.f,  0.f, 100.f, 0.0f}}},
    {"Guitar Push",    {{on,    ModeIndex::tight,   3.0f,  2.5f,  55.f, FocusIndex::high, 24.f, 14.f, 100.f, 0.5f}}},
}};
// clang-format on

const FactoryPreset& findFactoryPreset(const juce::String& name) noexcept
{
    for (auto& preset : factoryPresetTable)
        if (name == preset.name)
            return preset;

    static const FactoryPreset defaults = makeDefaultsRow();
    return defaults;
}

bool isFactoryPresetName(const juce::String& name) noexcept
{
    return std::any_of(factoryPresetTable.begin(), factoryPresetTable.end(),
                       [&](const FactoryPreset& preset) { return name == preset.name; });
}

juce::StringArray factoryPresetNames()
{
    juce::StringArray names;
    for (auto& preset : factoryPresetTable)
        names.add(preset.name);
    return names;
}
