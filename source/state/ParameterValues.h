#pragma once

#include "state/Parameters.h"

#include <array>
#include <cmath>
#include <string_view>

// The plain value of every parameter, in the table's order: what a block of audio is processed
// with (as ShaperSettings, state/ShaperSettingsFrom.h). The state reads them from its parameters,
// the LV2 wrapper from its control ports, tests set them by ID.
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

    // A choice parameter's value: the stored index rounded to the nearest whole number, an index
    // outside the choice's values counting as the nearest end.
    template <typename Choice>
    Choice choice() const noexcept
    {
        constexpr auto index = (size_t) parameterIndex(choiceParameterID<Choice>);
        return choiceAt<Choice>((int) std::round(plain[index]));
    }

    bool operator==(const ParameterValues& other) const noexcept { return plain == other.plain; }
};
