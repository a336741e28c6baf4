#pragma once

#include "dsp/ControlBlock.h"
#include "dsp/DetectorState.h"
#include "dsp/ShaperCore.h"

// The first pass of the block path: focus filters and envelope followers, the only part of the
// shaper with a dependency from one sample to the next. Both channels run side by side in the
// lanes of one SIMD register (filters: lane 2 ch holds channel ch's low band, lane 2 ch + 1 its
// high band; envelopes: lane 2 ch the fast and lane 2 ch + 1 the slow follower, and with the
// stereo link a second register holds the linked pair the same way), branch-free; every lane
// computes exactly what FocusFilter and shaper::followEnvelopes compute. A band the focus does
// not use runs along in its lane, but its state is not written back. A channel whose filter
// overflows (an input far beyond the shaper's input ceiling) starts afresh, filters and
// envelopes cleared, and so does the linked pair.
namespace envelopePass
{
using Stretch = float[2][ControlBlock::maxSamples];

// Runs n samples (at most ControlBlock::maxSamples) of the first numChannels (1 or 2) channels
// of `input`, writing each sample's envelope values to `fast` and `slow` and advancing `state`.
// Linked (stereo link, two channels), one detector serves both: the linked pair of followers
// takes the larger of the two channels' detection signals, and both channels get its envelopes,
// while each channel's own followers run on alongside (DetectorState says how the two meet when
// the link switches).
void run(int focus, bool linked, int numChannels, const Stretch& input, Stretch& fast, Stretch& slow, int n,
         const shaper::EnvelopeCoefficients& c, DetectorState& state) noexcept;

// The first half of the pass on its own, for the High quality path, whose followers run at four
// times the rate (OversampledFollowers): writes each channel's detection signal to d, leaving the
// followers as they are. A channel whose filter overflows starts afresh and detects silence.
void detect(int focus, int numChannels, const Stretch& input, Stretch& d, int n,
            DetectorState& state) noexcept;
} // namespace envelopePass
