#include "processor/CeilingRide.h"

#include <algorithm>
#include <cmath>

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
    channel.holdLeft = 0;
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

    for (int i = 0; i < n; ++i)
    {
        const float most = std::abs(ahead[i]) + predictionError;
        required[lookAhead + i] = clip[i] >= 1.0f ? ceiling / std::max(ceiling, most) : 1.0f;
    }

    alignas(64) float wanted[maxSamples];
    for (int i = 0; i < n; ++i)
    {
        float h = required[i];
        for (int j = 1; j <= lookAhead; ++j)
            h = std::min(h, required[i + j]);
        wanted[i] = h;
    }

    float q = ramp[lookAhead - 1];
    int hold = c.holdLeft;
    for (int i = 0; i < n; ++i)
    {
        if (wanted[i] <= q)
        {
            q = wanted[i];
            hold = holdSamples;
        }
        else if (hold > 0)
            --hold;
        else
            q = std::min(wanted[i], q + (1.0f - q) * release);
        ramp[lookAhead + i] = q;
    }
    c.holdLeft = hold;

    constexpr float share = 1.0f / (float)(lookAhead + 1);
    for (int i = 0; i < n; ++i)
    {
        float sum = 0.0f;
        for (int j = 0; j <= lookAhead; ++j)
            sum += ramp[i + j];
        const float magnitude = std::abs(wet[i]);
        const float atMost = clip[i] >= 1.0f && magnitude > ceiling ? ceiling / magnitude : 1.0f;
        wet[i] *= std::min(sum * share, atMost);
    }

    std::copy(required + n, required + n + lookAhead, required);
    std::copy(ramp + n, ramp + n + lookAhead, ramp);
    const auto atOne = [](float v) { return v == 1.0f; };
    c.resting = hold == 0 && std::all_of(required, required + lookAhead, atOne) &&
                std::all_of(ramp, ramp + lookAhead, atOne);
}
