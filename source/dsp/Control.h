#pragma once

#include <cstddef>

// The controls the audio path ramps from one sample to the next, as the shaper takes them:
// decibels for attack and sustain, fractions (0..1) for sensitivity, punch, clip and mix, a
// linear output gain and the power crossfade (0..1). The parameter table says which parameter
// feeds which control; each control ramps to a new value over rampSecondsOf it.
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

// How long a control takes to ramp to a new value, in seconds: long enough that a move makes
// no click, short enough that the sound follows the hand.
constexpr double rampSecondsOf(Control control) noexcept
{
    switch (control)
    {
        case Control::sensitivity:
        case Control::punch:
        case Control::clip:
        case Control::mix: return 0.03;
        case Control::attackDb:
        case Control::sustainDb:
        case Control::outputGain:
        case Control::power:
        case Control::none: break;
    }
    return 0.02;
}
