#pragma once

#include <cstddef>

// The controls the audio path ramps from one sample to the next, as the shaper takes them:
// decibels for attack and sustain, fractions (0..1) for sensitivity, punch, clip and mix, a
// linear output gain and the power crossfade (0..1). The parameter table says which parameter
// feeds which control.
enum class Control
{
    attackDb,
    sustainDb,
    sensitivity,
    punch,
    clip,
    mix,
    outputGain,
    power,
    none // a parameter that feeds no ramp
};

inline constexpr size_t numControls = (size_t) Control::none;
