#pragma once

#include "dsp/ControlBlock.h"
#include "dsp/SteppedRamp.h"

#include <algorithm>

// The linear ramps between the settings (read once per block) and the per-sample shaper, one per
// control, each as long as its control's ramp (rampSecondsOf).
class ControlRamps
{
public:
    // One target per control, in the units the shaper takes.
    using Targets = std::array<float, numControls>;

    // Sets the ramp lengths for a sample rate; the next setTargets should jump.
    void reset(double sampleRate) noexcept
    {
        for (size_t c = 0; c < numControls; ++c)
            ramps[c].reset(sampleRate, rampSecondsOf((Control)c));
    }

    // New targets: ramps start from the values reached so far, or jump there at once.
    void setTargets(const Targets& t, bool jump) noexcept
    {
        for (size_t c = 0; c < numControls; ++c)
        {
            if (jump)
                ramps[c].setCurrentAndTargetValue(t[c]);
            else
                ramps[c].setTargetValue(t[c]);
        }
    }

    // Advances every ramp by one sample.
    Targets next() noexcept
    {
        Targets values{};
        for (size_t c = 0; c < numControls; ++c)
            values[c] = ramps[c].getNextValue();
        return values;
    }

    // The next n (at most ControlBlock::maxSamples) values of every ramp, sample by sample the
    // same values as n calls of next(); a ramp that does not move is filled with its target.
    void render(ControlBlock& block, int n) noexcept
    {
        jassert(n >= 0 && n <= ControlBlock::maxSamples);
        block.numSamples = n;
        SteppedRamp* moving[numControls];
        float* destinations[numControls];
        int numMoving = 0;
        for (size_t c = 0; c < numControls; ++c)
        {
            auto& out = block.ramps[c];
            out.constant = !ramps[c].isSmoothing();
            if (out.constant)
                fillConstant(out, ramps[c].getTargetValue(), n);
            else
            {
                out.filledCount = 0;
                moving[numMoving] = &ramps[c];
                destinations[numMoving++] = out.values;
            }
        }
        if (numMoving > 0)
            SteppedRamp::render(moving, destinations, numMoving, n);
    }

    // True while any ramp is still moving.
    bool isSmoothing() const noexcept
    {
        return std::any_of(ramps.begin(), ramps.end(), [](auto& r) { return r.isSmoothing(); });
    }

    SteppedRamp& ramp(Control c) noexcept { return ramps[(size_t)c]; }

private:
    static void fillConstant(ControlBlock::Ramp& ramp, float value, int n) noexcept
    {
        if (ramp.filledCount >= n && ramp.values[0] == value)
            return;
        std::fill(ramp.values, ramp.values + n, value);
        ramp.filledCount = n;
    }

    std::array<SteppedRamp, numControls> ramps;
};
