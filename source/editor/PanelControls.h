#pragma once

#include "processor/Parameters.h"

#include <array>

// Which parameter each of the panel's controls drives, in the panel's fixed order.
namespace panel
{

struct KnobInfo
{
    const char* parameterID;
    const char* componentName; // also chooses the read-out's unit
    const char* caption;       // drawn above the knob
};

// Attack, sustain and sensitivity in the left column; punch, clip, mix and output in the row below
// the display.
inline constexpr std::array<KnobInfo, 7> knobs{{
    {ParameterIDs::attack, "Attack", "ATTACK"},
    {ParameterIDs::sustain, "Sustain", "SUSTAIN"},
    {ParameterIDs::sensitivity, "Sensitivity", "SENSITIVITY"},
    {ParameterIDs::punch, "Punch", "PUNCH"},
    {ParameterIDs::clip, "Clip", "CLIP"},
    {ParameterIDs::mix, "Mix", "MIX"},
    {ParameterIDs::output, "Output", "OUTPUT"},
}};

struct SelectorInfo
{
    const char* caption;
    const char* parameterID;
    int index; // written on click; the button is lit while the parameter has this index
};

// In the order the panel creates them.
inline constexpr std::array<SelectorInfo, 6> selectors{{
    {"LOW", ParameterIDs::focus, FocusIndex::low},
    {"FULL", ParameterIDs::focus, FocusIndex::full},
    {"HIGH", ParameterIDs::focus, FocusIndex::high},
    {"TIGHT", ParameterIDs::mode, ModeIndex::tight},
    {"PUNCH", ParameterIDs::mode, ModeIndex::punch},
    {"SMOOTH", ParameterIDs::mode, ModeIndex::smooth},
}};

} // namespace panel
