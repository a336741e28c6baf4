#pragma once

#include "dsp/Control.h"

#include <array>

// The smoothed control values of a stretch of samples, one value per sample and control, as the
// block path consumes them (units: see Control).
struct ControlBlock
{
    static constexpr int maxSamples = 128;

    struct Ramp
    {
        alignas(16) float values[maxSamples];
        bool constant = true; // every value of the stretch is the same
        int filledCount = 0;  // leading values known to equal values[0] (spares refilling a constant)

        float operator[](int i) const noexcept { return values[i]; }
    };

    const Ramp& operator[](Control c) const noexcept { return ramps[(size_t) c]; }
    Ramp& operator[](Control c) noexcept { return ramps[(size_t) c]; }

    int numSamples = 0;
    std::array<Ramp, numControls> ramps;
};
