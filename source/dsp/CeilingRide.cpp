#include "dsp/CeilingRide.h"

#include "dsp/ShapingKernels.h"

#include <algorithm>
#include <cmath>

namespace
{
// The smaller and the larger of two values, as values (a choice between two references does not
// vectorise).
inline float smaller(float a, float b) noexcept
{
    return b < a ? b : a;
}
inline float larger(float a, float b) noexcept
{
    return a < b ? b : a;
}
} // namespace

void CeilingRide::prepare(double sampleRate) noexcept
{
    holdSamples = (int)std::lround(holdSeconds * sampleRate);
    release = (float)(1.0 - std::exp(-1.0 / (releaseSeconds * sampleRate)));
    reset();
}

void CeilingRide::reset() noexcept
{
    for (auto& channel : channels)
        rest(channel);
}

void CeilingRide::rest(Channel& channel) noexcept
{
    std::fill(std::begin(channel.required), std::end(channel.required), 1.0f);
    std::fill(std::begin(channel.ramp), std::end(channel.ramp), 1.0f);
    channel.holdLeft = 0.0f;
    channel.resting = true;
}

bool CeilingRide::isNeeded(int channel, const ControlBlock::Ramp& clip, int n) const noexcept
{
    if (!channels[channel].resting)
        return true;
    const int last = clip.constant ? std::min(n, 1) : n;
    return std::any_of(clip.values, clip.values + last, [](float c) { return c >= 1.0f; });
}

void CeilingRide::apply(int channel, float* wet, const float* ahead, const float* clip, float predictionError,
                        int n) noexcept
{
    auto& c = channels[channel];
    float* const required = c.required; // required[j]: sample j of the stretch
    float* const ramp = c.ramp;         // ramp[lookAhead + j]: sample j of the stretch

    const auto& kernels = shaping::activeKernels();
    alignas(64) float wanted[maxSamples];
    kernels.ceilingWanted(ahead, clip, predictionError, ceiling, required, wanted, n);

    // Held, then released (the choices made as values); at rest, on to the next sample that wants
    // less than 1.
    float q = ramp[lookAhead - 1], hold = c.holdLeft;
    const float holdLength = (float)holdSamples, keep = 1.0f - release, releaseStep = release * releaseTarget;
    for (int i = 0; i < n; ++i)
    {
        if (q == 1.0f && hold == 0.0f)
        {
            const int next =
                (int)(std::find_if(wanted + i, wanted + n, [](float w) { return w < 1.0f; }) - wanted);
            std::fill(ramp + lookAhead + i, ramp + lookAhead + next, 1.0f);
            if ((i = next) == n)
                break;
        }
        const float w = wanted[i];
        // Released, q moves a share of the way to a little above 1 and stops at 1, so that it rests
        // again within a few release times.
        const float held = hold > 0.0f ? q : smaller(q * keep + releaseStep, 1.0f);
        hold = w <= q ? holdLength : larger(hold - 1.0f, 0.0f);
        q = smaller(w, held);
        ramp[lookAhead + i] = q;
    }
    c.holdLeft = hold;

    // The mean of the ramp over the look-ahead, kept under ceiling / |w| where the clip is at 100.
    kernels.ceilingGain(ramp, clip, ceiling, wet, n);

    std::copy(required + n, required + n + lookAhead, required);
    std::copy(ramp + n, ramp + n + lookAhead, ramp);
    const auto atOne = [](float v) { return v == 1.0f; };
    c.resting = hold == 0.0f && std::all_of(required, required + lookAhead, atOne) &&
                std::all_of(ramp, ramp + lookAhead, atOne);
}
