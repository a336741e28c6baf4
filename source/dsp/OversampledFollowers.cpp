#include "dsp/OversampledFollowers.h"

#include "dsp/ShaperCore.h"

#include <algorithm>
#include <cmath>

void OversampledFollowers::prepare(double sampleRate) noexcept
{
    for (int mode = 0; mode < (int)constants.size(); ++mode)
    {
        const auto c = shaper::EnvelopeCoefficients::forMode(choiceAt<Mode>(mode), steps * sampleRate);
        auto& k = constants[(size_t)mode];
        // The lanes of a frame: each channel's fast follower, then its slow one.
        const float attack[4] = {c.fastAttack, c.slowAttack, c.fastAttack, c.slowAttack};
        const float release[4] = {c.fastRelease, c.slowRelease, c.fastRelease, c.slowRelease};
        for (int j = 0; j < shaping::FollowerConstants::width; ++j)
        {
            const int l = j % 4;
            jassert(attack[l] <= release[l]); // the larger move is the follower's
            k.attack[j] = attack[l];
            k.release[j] = release[l];
            k.attackShare[j] = 1.0f - attack[l];
            k.releaseShare[j] = 1.0f - release[l];
        }
        for (int l = 0; l < 4; ++l)
        {
            const auto slope = [&](int s, int attacks) {
                return (float)(std::pow((double)attack[l], attacks) *
                               std::pow((double)release[l], s - attacks));
            };
            for (int a = 0; a <= 2; ++a)
                k.after2[a][l] = slope(2, a);
            for (int a = 0; a <= 4; ++a)
                k.after4[a][l] = slope(4, a);
        }
        k.smoothing = smoothing;
    }
}

void OversampledFollowers::frame(const Values& values, int a, int b, bool larger, int n) noexcept
{
    const auto& kernels = shaping::activeKernels();
    const int whole = (n + 3) / 4 * 4;
    for (int p = 0; p < steps; ++p)
    {
        if (larger)
        {
            alignas(64) float louder[ControlBlock::maxSamples];
            for (int i = 0; i < n; ++i)
                louder[i] = std::max(values[a][p][i], values[b][p][i]);
            kernels.frame(louder, louder, frames[p], n);
        }
        else
            kernels.frame(values[a][p], values[b][p], frames[p], n);
        std::fill(frames[p][n], frames[p][n] + 4 * (whole - n), 0.0f);
    }
}

void OversampledFollowers::run(Mode mode, bool linked, int numChannels, const Values& values,
                               envelopePass::Stretch& fast, envelopePass::Stretch& slow, int n,
                               DetectorState& detector) noexcept
{
    const auto& kernels = shaping::activeKernels();
    const bool stereo = numChannels > 1;
    linked = linked && stereo;
    auto& channels = detector.channels;
    const auto& k = constants[(size_t)choiceIndex(mode)];
    const shaping::Frame* inputs[steps];
    for (int p = 0; p < steps; ++p)
        inputs[p] = frames[p];
    alignas(64) shaping::Frame out[ControlBlock::maxSamples];

    if (linked && !detector.linked) // the pair starts where it settles, as its envelopes do
        for (int l = 0; l < 2; ++l)
        {
            linkedPair.lowPass[l] = linkedPair.lowPass[l + 2] = std::max(own.lowPass[l], own.lowPass[l + 2]);
            linkedPair.smoothed[l] = linkedPair.smoothed[l + 2] =
                std::max(own.smoothed[l], own.smoothed[l + 2]);
        }
    if (linked)
        detector.link();
    else
        detector.linked = false;

    // Each channel's own followers (a missing second channel follows the first's values and is
    // not kept).
    frame(values, 0, stereo ? 1 : 0, false, n);
    for (int ch = 0; ch < 2; ++ch)
    {
        const auto& envelopes = channels[(size_t)std::min(ch, numChannels - 1)];
        own.envelope[2 * ch] = envelopes.fastEnvelope;
        own.envelope[2 * ch + 1] = envelopes.slowEnvelope;
    }
    kernels.follow(inputs, k, own, intercepts, out, n);
    for (int ch = 0; ch < numChannels; ++ch)
    {
        channels[(size_t)ch].fastEnvelope = own.envelope[2 * ch];
        channels[(size_t)ch].slowEnvelope = own.envelope[2 * ch + 1];
    }

    // Linked, the pair on the larger of the two channels' values, in both channels' lanes.
    if (linked)
    {
        frame(values, 0, 1, true, n);
        for (int ch = 0; ch < 2; ++ch)
        {
            linkedPair.envelope[2 * ch] = detector.linkedFast;
            linkedPair.envelope[2 * ch + 1] = detector.linkedSlow;
        }
        kernels.follow(inputs, k, linkedPair, intercepts, out, n);
        detector.linkedFast = linkedPair.envelope[0];
        detector.linkedSlow = linkedPair.envelope[1];
    }

    float spare[2][ControlBlock::maxSamples];
    float* const lanes[4] = {fast[0], slow[0], stereo ? fast[1] : spare[0], stereo ? slow[1] : spare[1]};
    kernels.unframe(out, lanes, n);
}
