#pragma once

#include "state/Parameters.h"

#include <array>
#include <optional>
#include <string_view>

// The presets compiled into the plug-in. Each names every parameter that factory presets set
// (ParameterSpec::Presets::factory) by ID with its plain value in the parameter's own unit (mode
// and focus by their choice, which stands for its index), and no other; a row that leaves one out
// or names one twice does not compile. Loading one leaves the other parameters as they are.
struct FactoryPreset
{
    struct Value
    {
        constexpr Value() = default;
        constexpr Value(const char* parameterID, float plainValue) : id(parameterID), plain(plainValue) {}
        template <typename Choice>
        constexpr Value(const char* parameterID, Choice choice) : id(parameterID), plain((float) choiceIndex(choice))
        {
        }

        const char* id = nullptr;
        float plain = 0.0f;
    };

    const char* name;
    std::array<Value, numFactoryPresetParameters> values;

    // The preset's value of a parameter, or nothing for a parameter factory presets do not set.
    std::optional<float> valueOf(std::string_view id) const noexcept;
};

namespace factoryPresets
{
// By their IDs' own names.
using ParameterIDs::power, ParameterIDs::mode, ParameterIDs::attack, ParameterIDs::sustain, ParameterIDs::sensitivity,
    ParameterIDs::focus, ParameterIDs::punch, ParameterIDs::clip, ParameterIDs::mix, ParameterIDs::output;
inline constexpr float on = 1.0f;

// clang-format off
inline constexpr std::array<FactoryPreset, 8> table{{
    {"Punchy Kicks",   {{{power, on}, {mode, Mode::punch},  {attack,  7.5f}, {sustain, -1.5f}, {sensitivity, 72.0f}, {focus, Focus::low},  {punch, 48.0f}, {clip, 26.0f}, {mix, 100.0f}, {output, 0.5f}}}},
    {"Snare Snap",     {{{power, on}, {mode, Mode::punch},  {attack,  8.5f}, {sustain, -3.0f}, {sensitivity, 70.0f}, {focus, Focus::high}, {punch, 38.0f}, {clip, 18.0f}, {mix, 100.0f}, {output, 0.0f}}}},
    {"Loop Tightener", {{{power, on}, {mode, Mode::tight},  {attack,  4.5f}, {sustain, -4.5f}, {sensitivity, 62.0f}, {focus, Focus::full}, {punch, 20.0f}, {clip, 10.0f}, {mix,  92.0f}, {output, 0.0f}}}},
    {"Bass Knock",     {{{power, on}, {mode, Mode::tight},  {attack,  5.5f}, {sustain,  1.0f}, {sensitivity, 68.0f}, {focus, Focus::low},  {punch, 30.0f}, {clip, 12.0f}, {mix, 100.0f}, {output, 0.8f}}}},
    {"Smooth Rooms",   {{{power, on}, {mode, Mode::smooth}, {attack,  1.5f}, {sustain,  3.5f}, {sensitivity, 42.0f}, {focus, Focus::full}, {punch, 10.0f}, {clip,  6.0f}, {mix,  88.0f}, {output, 0.0f}}}},
    {"Aggro Parallel", {{{power, on}, {mode, Mode::punch},  {attack, 10.0f}, {sustain, -6.0f}, {sensitivity, 82.0f}, {focus, Focus::full}, {punch, 56.0f}, {clip, 34.0f}, {mix,  42.0f}, {output, 0.0f}}}},
    {"Tame Pokey",     {{{power, on}, {mode, Mode::smooth}, {attack, -4.5f}, {sustain,  1.5f}, {sensitivity, 58.0f}, {focus, Focus::high}, {punch,  8.0f}, {clip,  0.0f}, {mix, 100.0f}, {output, 0.0f}}}},
    {"Guitar Push",    {{{power, on}, {mode, Mode::tight},  {attack,  3.0f}, {sustain,  2.5f}, {sensitivity, 55.0f}, {focus, Focus::high}, {punch, 24.0f}, {clip, 14.0f}, {mix, 100.0f}, {output, 0.5f}}}},
}};
// clang-format on

// True when every row names every parameter that factory presets set exactly once, with a value
// in its range (and so, having no more room, names nothing else).
constexpr bool everyRowComplete()
{
    for (auto& preset : table)
        for (auto& spec : parameterSpecs)
        {
            if (!spec.setByFactoryPresets())
                continue;
            int found = 0;
            for (auto& value : preset.values)
                if (value.id != nullptr && std::string_view(value.id) == spec.id)
                {
                    ++found;
                    if (value.plain < spec.minimum || value.plain > spec.maximum)
                        return false;
                }
            if (found != 1)
                return false;
        }
    return true;
}
static_assert(everyRowComplete(), "a factory preset must give every parameter it sets exactly one value in its range");
} // namespace factoryPresets

// The eight factory presets in menu order.
inline constexpr const auto& factoryPresetTable = factoryPresets::table;

// The row a name selects: the preset whose name matches exactly (case-sensitive), else the
// row of the defaults of the parameters factory presets set.
const FactoryPreset& findFactoryPreset(const juce::String& name) noexcept;

// True when the name is exactly one of the eight factory names.
bool isFactoryPresetName(const juce::String& name) noexcept;

juce::StringArray factoryPresetNames();
