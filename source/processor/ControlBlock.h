#pragma once

// The smoothed control values of a stretch of samples, one value per sample, as the block
// path consumes them: decibels for attack and sustain, fractions (0..1) for sensitivity,
// punch, clip and mix, a linear output gain and the power crossfade (0..1).
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

    int numSamples = 0;
    Ramp attackDb, sustainDb, sensitivity, punch, clip, mix, outputGain, power;
};
