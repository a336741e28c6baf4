#pragma once

#include <juce_core/juce_core.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <limits>

// Branch-free float approximations for the block path. They use nothing but arithmetic,
// min/max and bit moves, so loops that call them vectorise. Accuracy against the double
// precision functions, checked in ShaperBlockTest:
//   tanh:            absolute error below 5e-7 over the whole float range
//   decibelsToGain:  relative error below 3e-7 between -24 and +24 dB, growing to 1e-6 toward
//                    -100 dB (0 at -100 dB or below)
namespace fastmath
{

// tanh as an odd rational function of degree 13/6, clamped where float tanh reaches +-1:
// tanh(x) = numerator / denominator, the denominator always positive.
struct TanhFraction
{
    float numerator, denominator;
};

forcedinline TanhFraction tanhFraction(float x) noexcept
{
    constexpr float clampAt = 7.90531110763549805f;
    x = std::min(std::max(x, -clampAt), clampAt);
    const float x2 = x * x;
    float p = -2.76076847742355e-16f;
    p = p * x2 + 2.00018790482477e-13f;
    p = p * x2 + -8.60467152213735e-11f;
    p = p * x2 + 5.12229709037114e-08f;
    p = p * x2 + 1.48572235717979e-05f;
    p = p * x2 + 6.37261928875436e-04f;
    p = p * x2 + 4.89352455891786e-03f;
    p = p * x;
    float q = 1.19825839466702e-06f;
    q = q * x2 + 1.18534705686654e-04f;
    q = q * x2 + 2.26843463243900e-03f;
    q = q * x2 + 4.89352518554385e-03f;
    return {p, q};
}

forcedinline float tanh(float x) noexcept
{
    const auto t = tanhFraction(x);
    return t.numerator / t.denominator;
}

// 2^y for y between -126 and 127: 2^round(y) from the exponent bits times a degree-6
// polynomial of the remainder in [-0.5, 0.5].
forcedinline float exp2(float y) noexcept
{
    y = std::min(std::max(y, -126.0f), 127.0f);
    constexpr float roundingShift = 12582912.0f; // 1.5 * 2^23: adding it rounds to an integer
    const float n = (y + roundingShift) - roundingShift;
    const float f = y - n;
    float p = 1.535336188319500e-4f;
    p = p * f + 1.339887440266574e-3f;
    p = p * f + 9.618437357674640e-3f;
    p = p * f + 5.550332471162809e-2f;
    p = p * f + 2.402264791363012e-1f;
    p = p * f + 6.931472028550421e-1f;
    p = p * f + 1.0f;
    const std::int32_t bits = ((std::int32_t) n + 127) << 23;
    float scale;
    std::memcpy(&scale, &bits, sizeof(scale));
    return p * scale;
}

// The gain of a decibel value, 10^(0.05 dB), and 0 at -100 dB or below (as juce::Decibels).
forcedinline float decibelsToGain(float decibels) noexcept
{
    constexpr float log2Of10 = 3.32192809488736234787f;
    const float gain = fastmath::exp2((decibels * 0.05f) * log2Of10);
    return decibels > -100.0f ? gain : 0.0f;
}

// The magnitude of a float as the bits of |v|. Magnitudes of finite floats order like these
// integers, so a largest magnitude can be found with an integer maximum, which vectorises.
forcedinline std::uint32_t magnitudeBits(float v) noexcept
{
    std::uint32_t bits;
    std::memcpy(&bits, &v, sizeof(bits));
    return bits & 0x7fffffffu;
}

forcedinline float fromBits(std::uint32_t bits) noexcept
{
    float v;
    std::memcpy(&v, &bits, sizeof(v));
    return v;
}

// The largest magnitude of n finite samples.
forcedinline float largestMagnitude(const float* data, int n) noexcept
{
    std::uint32_t largest = 0;
    for (int i = 0; i < n; ++i)
        largest = std::max(largest, magnitudeBits(data[i]));
    return fromBits(largest);
}

// The smallest and largest of some finite samples (both 0 for none).
struct SampleRange
{
    float lowest = 0.0f, highest = 0.0f;

    float largestMagnitude() const noexcept { return std::max(std::abs(lowest), std::abs(highest)); }
};

// The shaper's math functions (see shaper::StandardMath) as these approximations.
struct Approximations
{
    static forcedinline float tanh(float v) noexcept { return fastmath::tanh(v); }

    // The quotients are formed from the fractions with a single division each.
    static forcedinline float tanhOver(float v, float normaliser) noexcept
    {
        const auto t = tanhFraction(v);
        return t.numerator / (t.denominator * normaliser);
    }

    static forcedinline float tanhRatio(float v, float w) noexcept
    {
        const auto a = tanhFraction(v), b = tanhFraction(w);
        // max(tanh(w), 0.001) with both sides over b's positive denominator.
        return (a.numerator * b.denominator) / (a.denominator * std::max(b.numerator, 0.001f * b.denominator));
    }
    static forcedinline float decibelsToGain(float decibels) noexcept { return fastmath::decibelsToGain(decibels); }
};

} // namespace fastmath
