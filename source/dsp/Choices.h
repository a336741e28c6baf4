#pragma once

#include <algorithm>

// The shaper's choices. The parameter table's choice parameters hold their values as indices:
// an enum's values are those indices, in the table's order of the choice names.

// The envelope followers' timing and the detector's scale (shaper::modeTable).
enum class Mode
{
    tight,
    punch,
    smooth
};

// The band the detector listens to.
enum class Focus
{
    low,
    full,
    high
};

// Standard runs at the sample rate; High forms the wet signal oversampled, with latency.
enum class Quality
{
    standard,
    high
};

// One detector for both channels (on), or one per channel (off).
enum class StereoLink
{
    off,
    on
};

// How many values each choice has: its enum's values are 0 .. choiceCount - 1.
template <typename Choice> inline constexpr int choiceCount = 0;
template <> inline constexpr int choiceCount<Mode> = 3;
template <> inline constexpr int choiceCount<Focus> = 3;
template <> inline constexpr int choiceCount<Quality> = 2;
template <> inline constexpr int choiceCount<StereoLink> = 2;

// The index a choice is stored and shown to hosts as.
template <typename Choice> constexpr int choiceIndex(Choice choice) noexcept
{
    return static_cast<int>(choice);
}

// The choice of an index; an index outside the choice's values counts as the nearest end.
template <typename Choice> constexpr Choice choiceAt(int index) noexcept
{
    static_assert(choiceCount<Choice> > 0, "a choice of Choices.h");
    return static_cast<Choice>(std::clamp(index, 0, choiceCount<Choice> - 1));
}
