#pragma once

#include "state/Parameters.h"

#include <array>

// What the panel adds to the parameter table: which of its controls drives which parameter, the
// captions it draws, and where each control sits. Names, ranges and units come from the table.
namespace panel
{

struct KnobInfo
{
    const char* parameterID;
    const char* caption;      // drawn above the knob
    const char* shortCaption; // drawn instead where the caption does not fit
};

// Attack, sustain and sensitivity in the left column (top to bottom); punch, clip, mix and
// output in the row below the display (left to right): see PanelLayout.
inline constexpr std::array<KnobInfo, 7> knobs{{
    {ParameterIDs::attack, "ATTACK", "ATTACK"},
    {ParameterIDs::sustain, "SUSTAIN", "SUSTAIN"},
    {ParameterIDs::sensitivity, "SENSITIVITY", "SENS"},
    {ParameterIDs::punch, "PUNCH", "PUNCH"},
    {ParameterIDs::clip, "CLIP", "CLIP"},
    {ParameterIDs::mix, "MIX", "MIX"},
    {ParameterIDs::output, "OUTPUT", "OUT"},
}};

// The two selector groups in the right column, top to bottom, with their captions; each has
// three buttons.
inline constexpr size_t buttonsPerGroup = 3;

struct SelectorGroupInfo
{
    const char* parameterID;
    const char* caption;
};

inline constexpr std::array<SelectorGroupInfo, 2> selectorGroups{{
    {ParameterIDs::focus, "FOCUS"},
    {ParameterIDs::mode, "MODE"},
}};

struct SelectorInfo
{
    const char* caption;
    size_t group; // index into selectorGroups
    int index;    // the choice written on click, as its index; the button is lit while the parameter has it
    size_t row;   // position in its group, from the top
};

// In the order the panel creates them. Focus reads HIGH, FULL, LOW from the top.
inline constexpr std::array<SelectorInfo, 6> selectors{{
    {"LOW", 0, choiceIndex(Focus::low), 2},
    {"FULL", 0, choiceIndex(Focus::full), 1},
    {"HIGH", 0, choiceIndex(Focus::high), 0},
    {"TIGHT", 1, choiceIndex(Mode::tight), 0},
    {"PUNCH", 1, choiceIndex(Mode::punch), 1},
    {"SMOOTH", 1, choiceIndex(Mode::smooth), 2},
}};

// Every knob and selector group names a parameter of the table.
constexpr bool namesKnownParameters()
{
    for (const auto& k : knobs)
        if (parameterIndex(k.parameterID) < 0)
            return false;
    for (const auto& g : selectorGroups)
        if (parameterIndex(g.parameterID) < 0)
            return false;
    return true;
}
static_assert(namesKnownParameters(), "the panel's controls drive parameters of the table");

// The table entry of a knob's parameter.
inline const ParameterSpec& knobSpec(size_t knob)
{
    return parameterSpecs[(size_t) parameterIndex(knobs[knob].parameterID)];
}

} // namespace panel
