#pragma once

#include "dsp/ChannelState.h"

#include <algorithm>
#include <array>

// What the detector keeps of up to two channels from sample to sample: each channel's focus
// bands and followers, and the linked pair of followers that serves both channels while the
// stereo link is on. Each channel's own followers keep running while the link is on, so that
// switching it off carries on from them. Switching it on starts the linked pair from the louder
// channel's envelopes (the larger fast and the larger slow one): the linked followers take the
// larger of the two channels' rectified values, so that is where they settle.
struct DetectorState
{
    std::array<ChannelState, 2> channels;
    float linkedFast = 0.0f;
    float linkedSlow = 0.0f;
    bool linked = false; // the linked pair followed the last stretch

    // Filters and followers back to silence; the filters keep their coefficients.
    void reset() noexcept
    {
        for (auto& channel : channels)
            channel.reset();
        linkedFast = linkedSlow = 0.0f;
        linked = false;
    }

    // Starts the linked pair from the channels' envelopes, unless it followed the last stretch.
    void link() noexcept
    {
        if (!linked)
        {
            linkedFast = std::max(channels[0].fastEnvelope, channels[1].fastEnvelope);
            linkedSlow = std::max(channels[0].slowEnvelope, channels[1].slowEnvelope);
        }
        linked = true;
    }
};
