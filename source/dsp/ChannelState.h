#pragma once

#include "dsp/FocusFilter.h"

// What the shaper keeps of one channel from sample to sample: its two focus bands and its fast
// and slow envelope followers.
struct ChannelState
{
    FocusFilter lowBand;
    FocusFilter highBand;
    float fastEnvelope = 0.0f;
    float slowEnvelope = 0.0f;

    // Filters and envelopes back to silence; the filters keep their coefficients.
    void reset() noexcept
    {
        lowBand.reset();
        highBand.reset();
        fastEnvelope = slowEnvelope = 0.0f;
    }
};
