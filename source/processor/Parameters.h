#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>

// The ten parameters, declared once. Everything that needs an ID, a range, a default
// or a choice list (processor, presets, editor, tools, tests) reads it from here.
namespace ParameterIDs
{
inline constexpr const char* power = "power";
inline constexpr const char* mode = "mode";
inline constexpr const char* attack = "attack";
inline constexpr const char* sustain = "sustain";
inline constexpr const char* sensitivity = "sensitivity";
inline constexpr const char* focus = "focus";
inline constexpr const char* punch = "punch";
inline constexpr const char* clip = "clip";
inline constexpr const char* mix = "mix";
inline constexpr const char* output = "output";
} // namespace ParameterIDs

struct ParameterSpec
{
    enum class Kind
    {
        toggle,
        choice,
        number
    };

    const char* id;
    const char* name;
    Kind kind;
    float minimum;
    float maximum;
    float defaultValue; // plain value; for choices the index, for the toggle 0 or 1
    std::array<const char*, 3> choices; // choice names (unused entries are null)

    int numChoices() const noexcept;
    // The plain value clamped into the range (choices and the toggle snap to whole steps).
    float clampPlain(float plain) const noexcept;
};

// In host order.
extern const std::array<ParameterSpec, 10> parameterSpecs;

// The table entry for an ID, or null when the ID is unknown.
const ParameterSpec* findParameterSpec(const juce::String& id) noexcept;

// Builds the framework's layout from the table above.
juce::AudioProcessorValueTreeState::ParameterLayout createTarvoltParameterLayout();

// Choice indices.
namespace ModeIndex
{
inline constexpr int tight = 0, punch = 1, smooth = 2;
}
namespace FocusIndex
{
inline constexpr int low = 0, full = 1, high = 2;
}
