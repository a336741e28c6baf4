#pragma once

#include "dsp/Choices.h"
#include "dsp/Control.h"

#include <juce_audio_processors/juce_audio_processors.h>

#include <array>
#include <string_view>

// Every fact about a parameter lives in parameterSpecs below: its ID, name, kind, range, default,
// choices, the unit it is shown in, how the audio path reads it and what presets do with it. The
// processor, the presets, the editor, the LV2 bundle, the tools and the tests all read it from
// there. A choice parameter's values are the values of its enum (dsp/Choices.h; see
// choiceParameterID below), its choice names in the same order.
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
inline constexpr const char* quality = "quality";
inline constexpr const char* link = "link";
} // namespace ParameterIDs

// The choice parameter whose value each choice enum is.
template <typename Choice>
inline constexpr const char* choiceParameterID = nullptr;
template <>
inline constexpr const char* choiceParameterID<Mode> = ParameterIDs::mode;
template <>
inline constexpr const char* choiceParameterID<Focus> = ParameterIDs::focus;
template <>
inline constexpr const char* choiceParameterID<Quality> = ParameterIDs::quality;
template <>
inline constexpr const char* choiceParameterID<StereoLink> = ParameterIDs::link;

struct ParameterSpec
{
    enum class Kind
    {
        toggle,
        choice,
        number
    };

    // How the editor's read-outs, the LV2 ports and the render tool show a number. The host sees
    // the plain number without a unit.
    enum class Unit
    {
        none,
        decibels,
        percent
    };

    // How the audio path turns the plain value into the value its ramp carries.
    enum class AudioValue
    {
        asStored, // the plain value (decibels stay decibels)
        fraction, // percent / 100
        gain,     // decibels to a linear factor, 0 at -100 dB or below
        onOff,    // 1 from 0.5 on, else 0
        index     // a choice's index, read once per block and not ramped
    };

    // What presets do with the parameter. A host's saved state restores every parameter, and a
    // user preset stores every one.
    enum class Presets
    {
        factory, // part of the sound every factory preset sets; a user preset restores it
        user,    // part of the sound a user preset restores; factory presets leave it as it is
        none     // an engine setting: no preset changes it
    };

    const char* id;
    const char* name;
    Kind kind;
    float minimum;
    float maximum;
    float defaultValue;                 // plain value; for choices the index, for the toggle 0 or 1
    std::array<const char*, 3> choices; // choice names (unused entries are null)
    Unit unit;
    AudioValue audioValue;
    Control control;           // the shaper control the ramp feeds (Control::none for an index)
    Presets presets;
    bool automatable = true;   // false for what a host must not automate (it changes the latency)
    // What a stored state or preset that lacks the parameter means. The first ten parameters
    // are in every file Tarvolt wrote, so a file without one is damaged and the current value is
    // kept. A later parameter is missing from the files that predate it: those sounded as with
    // its default, so they load with the default.
    bool keptWhenMissing = true;

    constexpr bool setByFactoryPresets() const noexcept { return presets == Presets::factory; }
    constexpr bool restoredByUserPresets() const noexcept { return presets != Presets::none; }

    constexpr int numChoices() const noexcept
    {
        int n = 0;
        for (auto* c : choices)
            n += c != nullptr ? 1 : 0;
        return n;
    }

    // The plain value clamped into the range (choices and the toggle snap to whole steps).
    float clampPlain(float plain) const noexcept;

    // The value the audio path's ramp carries for a plain value (see AudioValue).
    float audioValueOf(float plain) const noexcept;

    // A plain value with its unit, as the editor's read-outs show it: "+5.0 dB", "60.0%", the
    // choice's name for choices and the toggle.
    juce::String formatWithUnit(float plain) const;
};

// Text typed as a parameter's value, read by parseTypedValue.
struct TypedValue
{
    // The value, clamped into the range (choices and the toggle snapped to whole steps). When the
    // text is not exactly a value, the number it starts with (0 when none), clamped: the forgiving
    // reading the editor's value entry uses.
    double plain = 0.0;
    // Why the text is not exactly a value: "not a number", "wrong unit" or "not a choice";
    // empty when it is one.
    juce::String problem;
    // The text held a value outside the range (or between two choices), which `plain` clamps.
    bool clamped = false;
    // Nothing is left of the text without its units and spaces: the editor keeps the value.
    bool blank = false;

    bool isValue() const noexcept { return problem.isEmpty(); }
};

// Reads text typed as a value of the parameter, the one way the editor's value entry and the
// tools' --set options read it: a number with or without the parameter's unit, spaces allowed
// around it ("+6 dB", "6dB", "6 db", "45%", " 45 % ", "-3"), and for choices and the toggle a
// choice name in any case ("tight", "on") or its index ("2").
TypedValue parseTypedValue(const ParameterSpec& spec, const juce::String& text);

namespace parameterTable
{
using Kind = ParameterSpec::Kind;
using Unit = ParameterSpec::Unit;
using AudioValue = ParameterSpec::AudioValue;
using Presets = ParameterSpec::Presets;

// clang-format off
inline constexpr std::array<ParameterSpec, 12> specs{{
    //  ID                         name           kind          min     max    default  choices                        unit            audio value             control               presets
    {ParameterIDs::power,       "Power",       Kind::toggle,  0.0f,   1.0f,   1.0f, {"Off", "On", nullptr},         Unit::none,     AudioValue::onOff,    Control::power,       Presets::factory},
    {ParameterIDs::mode,        "Mode",        Kind::choice,  0.0f,   2.0f,   1.0f, {"Tight", "Punch", "Smooth"},   Unit::none,     AudioValue::index,    Control::none,        Presets::factory},
    {ParameterIDs::attack,      "Attack",      Kind::number, -12.0f, 12.0f,   5.0f, {},                             Unit::decibels, AudioValue::asStored, Control::attackDb,    Presets::factory},
    {ParameterIDs::sustain,     "Sustain",     Kind::number, -12.0f, 12.0f,  -2.5f, {},                             Unit::decibels, AudioValue::asStored, Control::sustainDb,   Presets::factory},
    {ParameterIDs::sensitivity, "Sensitivity", Kind::number,  0.0f, 100.0f,  60.0f, {},                             Unit::percent,  AudioValue::fraction, Control::sensitivity, Presets::factory},
    {ParameterIDs::focus,       "Focus",       Kind::choice,  0.0f,   2.0f,   1.0f, {"Low", "Full", "High"},        Unit::none,     AudioValue::index,    Control::none,        Presets::factory},
    {ParameterIDs::punch,       "Punch",       Kind::number,  0.0f, 100.0f,  30.0f, {},                             Unit::percent,  AudioValue::fraction, Control::punch,       Presets::factory},
    {ParameterIDs::clip,        "Clip",        Kind::number,  0.0f, 100.0f,  25.0f, {},                             Unit::percent,  AudioValue::fraction, Control::clip,        Presets::factory},
    {ParameterIDs::mix,         "Mix",         Kind::number,  0.0f, 100.0f, 100.0f, {},                             Unit::percent,  AudioValue::fraction, Control::mix,         Presets::factory},
    {ParameterIDs::output,      "Output",      Kind::number, -12.0f, 12.0f,   0.0f, {},                             Unit::decibels, AudioValue::gain,     Control::outputGain,  Presets::factory},
    {ParameterIDs::quality,     "Quality",     Kind::choice,  0.0f,   1.0f,   0.0f, {"Standard", "High", nullptr},  Unit::none,     AudioValue::index,    Control::none,        Presets::none, false, false},
    {ParameterIDs::link,        "Stereo Link", Kind::choice,  0.0f,   1.0f,   0.0f, {"Off", "On", nullptr},         Unit::none,     AudioValue::index,    Control::none,        Presets::user, true,  false},
}};
// clang-format on
} // namespace parameterTable

// In host order.
inline constexpr const auto& parameterSpecs = parameterTable::specs;
inline constexpr size_t numParameters = parameterSpecs.size();

// How many parameters every factory preset sets.
inline constexpr size_t numFactoryPresetParameters = []
{
    size_t n = 0;
    for (auto& spec : parameterSpecs)
        n += spec.setByFactoryPresets() ? 1u : 0u;
    return n;
}();

// The position of an ID in the table, or -1 when the ID is unknown; usable at compile time.
constexpr int parameterIndex(std::string_view id) noexcept
{
    for (size_t i = 0; i < parameterSpecs.size(); ++i)
        if (id == parameterSpecs[i].id)
            return (int) i;
    return -1;
}

// The table entry for an ID, or null when the ID is unknown.
const ParameterSpec* findParameterSpec(const juce::String& id) noexcept;

// Builds the framework's layout from the table above.
juce::AudioProcessorValueTreeState::ParameterLayout createTarvoltParameterLayout();
