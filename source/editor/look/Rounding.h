#pragma once

#include <cmath>

// The nearest integer, halves away from zero: the rounding every size in the editor uses.
inline int roundHalfAway(double v) noexcept
{
    return (int) std::lround(v);
}
