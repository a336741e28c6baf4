#pragma once

#include "processor/Parameters.h"

#include <array>
#include <cmath>
#include <string_view>

// The plain value of every parameter, in the table's order: what a block of audio is processed
// with. The processor reads them from its parameters, the LV2 wrapper from its control ports,
// tests set them by ID.
struct ParameterValues
{
    std::array<float, numParameters> plain{};

    // Every parameter at its default.
    static ParameterValues defaults() noexcept
    {
        ParameterValues values;
        for (size_t i = 0; i < numParameters; ++i)
            values.plain[i] = parameterSpecs[i].defaultValue;
        return values;
    }

    float operator[](size_t index) const noexcept { return plain[index]; }
    float& operator[](size_t index) noexcept { return plain[index]; }

    // By ID; an unknown ID reads 0 and is not written.
    float get(std::string_view id) const noexcept
    {
        const int i = parameterIndex(id);
        return i >= 0 ? plain[(size_t) i] : 0.0f;
    }
    ParameterValues& set(std::string_view id, float value) noexcept
    {
        const int i = parameterIndex(id);
        jassert(i >= 0);
        if (i >= 0)
            plain[(size_t) i] = value;
        return *this;
    }

    // The same settings with the power off: what the host's bypass plays. The power's ramp
    // crossfades to the dry signal, which in High quality is the input delayed by the latency, and
    // the shaper keeps running, so that switching back plays nothing stale.
    ParameterValues bypassed() const noexcept
    {
        constexpr auto power = (size_t) parameterIndex(ParameterIDs::power);
        auto values = *this;
        values[power] = 0.0f;
        return values;
    }

    // A choice parameter's index, the stored value rounded to the nearest whole number.
    int choiceIndex(size_t index) const noexcept { return (int) std::round(plain[index]); }

    bool operator==(const ParameterValues& other) const noexcept { return plain == other.plain; }
};
