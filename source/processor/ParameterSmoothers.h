#pragma once

#include "processor/ControlBlock.h"
#include "processor/ShaperCore.h"
#include "processor/SteppedRamp.h"

#include <juce_audio_basics/juce_audio_basics.h>

#include <algorithm>

// The eight linear ramps between the parameters (read once per block) and the per-sample
// shaper: attack, sustain, output gain and power ramp over 20 ms, the rest over 30 ms.
class ParameterSmoothers
{
public:
    // Targets in the units the shaper takes (see shaper::Controls) plus power 0 or 1.
    struct Targets
    {
        shaper::Controls controls;
        float power;
    };

    struct Frame
    {
        shaper::Controls controls;
        float power;
    };

    static constexpr double shortRampSeconds = 0.02;
    static constexpr double longRampSeconds = 0.03;

    // Sets the ramp lengths for a sample rate; the next setTargets should jump.
    void reset(double sampleRate) noexcept
    {
        smoothedAttack.reset(sampleRate, shortRampSeconds);
        smoothedSustain.reset(sampleRate, shortRampSeconds);
        smoothedSensitivity.reset(sampleRate, longRampSeconds);
        smoothedPunch.reset(sampleRate, longRampSeconds);
        smoothedClip.reset(sampleRate, longRampSeconds);
        smoothedMix.reset(sampleRate, longRampSeconds);
        smoothedOutputGain.reset(sampleRate, shortRampSeconds);
        smoothedPower.reset(sampleRate, shortRampSeconds);
    }

    // New targets: ramps start from the values reached so far, or jump there at once.
    void setTargets(const Targets& t, bool jump) noexcept
    {
        set(smoothedAttack, t.controls.attackDb, jump);
        set(smoothedSustain, t.controls.sustainDb, jump);
        set(smoothedSensitivity, t.controls.sensitivity, jump);
        set(smoothedPunch, t.controls.punch, jump);
        set(smoothedClip, t.controls.clip, jump);
        set(smoothedMix, t.controls.mix, jump);
        set(smoothedOutputGain, t.controls.outputGain, jump);
        set(smoothedPower, t.power, jump);
    }

    // Advances all eight ramps by one sample.
    Frame next() noexcept
    {
        Frame f{};
        f.controls.attackDb = smoothedAttack.getNextValue();
        f.controls.sustainDb = smoothedSustain.getNextValue();
        f.controls.sensitivity = smoothedSensitivity.getNextValue();
        f.controls.punch = smoothedPunch.getNextValue();
        f.controls.clip = smoothedClip.getNextValue();
        f.controls.mix = smoothedMix.getNextValue();
        f.controls.outputGain = smoothedOutputGain.getNextValue();
        f.power = smoothedPower.getNextValue();
        return f;
    }

    // The next n (at most ControlBlock::maxSamples) values of every ramp, sample by sample the
    // same values as n calls of next(); a ramp that does not move is filled with its target.
    void render(ControlBlock& block, int n) noexcept
    {
        jassert(n >= 0 && n <= ControlBlock::maxSamples);
        block.numSamples = n;
        SteppedRamp* smoothers[] = {&smoothedAttack, &smoothedSustain,    &smoothedSensitivity, &smoothedPunch,
                                    &smoothedClip,   &smoothedMix,        &smoothedOutputGain,  &smoothedPower};
        ControlBlock::Ramp* ramps[] = {&block.attackDb, &block.sustainDb, &block.sensitivity, &block.punch,
                                       &block.clip,     &block.mix,       &block.outputGain,  &block.power};
        SteppedRamp* moving[8];
        float* destinations[8];
        int numMoving = 0;
        for (size_t k = 0; k < 8; ++k)
        {
            ramps[k]->constant = !smoothers[k]->isSmoothing();
            if (ramps[k]->constant)
                fillConstant(*ramps[k], smoothers[k]->getTargetValue(), n);
            else
            {
                ramps[k]->filledCount = 0;
                moving[numMoving] = smoothers[k];
                destinations[numMoving++] = ramps[k]->values;
            }
        }
        if (numMoving > 0)
            SteppedRamp::render(moving, destinations, numMoving, n);
    }

    // True while any ramp is still moving.
    bool isSmoothing() const noexcept
    {
        return smoothedAttack.isSmoothing() || smoothedSustain.isSmoothing() || smoothedSensitivity.isSmoothing()
               || smoothedPunch.isSmoothing() || smoothedClip.isSmoothing() || smoothedMix.isSmoothing()
               || smoothedOutputGain.isSmoothing() || smoothedPower.isSmoothing();
    }

    SteppedRamp smoothedAttack, smoothedSustain, smoothedSensitivity, smoothedPunch, smoothedClip,
        smoothedMix, smoothedOutputGain, smoothedPower;

private:
    static void fillConstant(ControlBlock::Ramp& ramp, float value, int n) noexcept
    {
        if (ramp.filledCount >= n && ramp.values[0] == value)
            return;
        std::fill(ramp.values, ramp.values + n, value);
        ramp.filledCount = n;
    }

    static void set(SteppedRamp& smoother, float value, bool jump) noexcept
    {
        if (jump)
            smoother.setCurrentAndTargetValue(value);
        else
            smoother.setTargetValue(value);
    }
};
