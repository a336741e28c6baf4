#pragma once

#include "dsp/Choices.h"
#include "dsp/Control.h"

#include <array>

// What the shaper processes one block with: each ramped control's target, in the shaper's units
// (see Control), and the choices, which switch at once. The state makes it from the parameter
// values (state/ShaperSettingsFrom.h).
struct ShaperSettings
{
    std::array<float, numControls> targets{};
    Mode mode = Mode::tight;
    Focus focus = Focus::low;
    Quality quality = Quality::standard;
    StereoLink link = StereoLink::off;

    float operator[](Control c) const noexcept { return targets[(size_t)c]; }
    float& operator[](Control c) noexcept { return targets[(size_t)c]; }

    // The same settings with the power off: what the host's bypass plays. The power's ramp
    // crossfades to the dry signal, which in High quality is the input delayed by the latency, and
    // the shaper keeps running, so that switching back plays nothing stale.
    ShaperSettings bypassed() const noexcept
    {
        auto settings = *this;
        settings[Control::power] = 0.0f;
        return settings;
    }
};
