#pragma once

#include "dsp/Control.h"
#include "dsp/LaneSelect.h"

#include <juce_audio_basics/juce_audio_basics.h>

// A linear juce::SmoothedValue that also keeps its step, so that a block path can write a
// stretch of its coming values at once, exactly the values getNextValue would return: each one
// the previous plus the step, and the target itself on the last step of the ramp.
class SteppedRamp : public juce::SmoothedValue<float>
{
public:
    void setTargetValue(float newValue) noexcept
    {
        const bool changes = newValue != target;
        juce::SmoothedValue<float>::setTargetValue(newValue);
        if (changes && isSmoothing()) // the framework has just computed its step the same way
            step = (target - currentValue) / (float) countdown;
    }

    float getStep() const noexcept { return step; }
    int getRemainingSteps() const noexcept { return countdown; }

    // Continues the ramp after a stretch whose last value was `value`, with `remaining` steps left.
    void continueFrom(float value, int remaining) noexcept
    {
        currentValue = value;
        countdown = remaining;
    }

    // Writes the next n values of up to numControls ramps into their destinations, advancing each
    // ramp: one ramp per lane, so the running sums advance together.
    static void render(SteppedRamp* const* ramps, float* const* destinations, int count, int n) noexcept
    {
        using Vec = juce::dsp::SIMDRegister<float>;
        using IntVec = juce::dsp::SIMDRegister<int32_t>;
        constexpr int lanes = (int) Vec::SIMDNumElements;
        constexpr int registers = ((int) numControls + lanes - 1) / lanes;
        jassert(count <= registers * lanes);

        alignas(32) float value[registers * lanes]{}, stepOf[registers * lanes]{}, targetOf[registers * lanes]{};
        alignas(32) int32_t left[registers * lanes]{};
        for (int k = 0; k < count; ++k)
        {
            value[k] = ramps[k]->currentValue;
            stepOf[k] = ramps[k]->step;
            targetOf[k] = ramps[k]->target;
            left[k] = ramps[k]->countdown;
        }

        Vec v[registers], s[registers], t[registers];
        IntVec remaining[registers];
        for (int r = 0; r < registers; ++r)
        {
            v[r] = Vec::fromRawArray(value + r * lanes);
            s[r] = Vec::fromRawArray(stepOf + r * lanes);
            t[r] = Vec::fromRawArray(targetOf + r * lanes);
            remaining[r] = IntVec::fromRawArray(left + r * lanes);
        }
        const IntVec one = IntVec::expand(1), none = IntVec::expand(0);

        alignas(32) float frame[registers * lanes];
        for (int i = 0; i < n; ++i)
        {
            for (int r = 0; r < registers; ++r)
            {
                v[r] = selectLanes<float>(IntVec::greaterThan(remaining[r], one), v[r] + s[r], t[r]);
                remaining[r] = IntVec::max(remaining[r] - one, none);
                v[r].copyToRawArray(frame + r * lanes);
            }
            for (int k = 0; k < count; ++k)
                destinations[k][i] = frame[k];
        }

        for (int r = 0; r < registers; ++r)
        {
            v[r].copyToRawArray(value + r * lanes);
            remaining[r].copyToRawArray(left + r * lanes);
        }
        for (int k = 0; k < count; ++k)
            ramps[k]->continueFrom(value[k], left[k]);
    }

private:
    float step = 0.0f;
};
