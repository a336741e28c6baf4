#include "processor/OversampledFollowers.h"

#include "processor/ShaperCore.h"

#include <algorithm>
#include <cmath>

void OversampledFollowers::prepare(double sampleRate) noexcept
{
    for (int mode = 0; mode < (int)constants.size(); ++mode)
    {
        const auto c = shaper::EnvelopeCoefficients::forMode(mode, steps * sampleRate);
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

void OversampledFollowers::run(int mode, bool linked, int numChannels, const Values& values,
                               envelopePass::Stretch& fast, envelopePass::Stretch& slow, int n,
                               std::array<ChannelState, 2>& channels) noexcept
{
    const auto& kernels = shaping::activeKernels();
    const bool stereo = numChannels > 1;
    linked = linked && stereo;

    // Each step's values as frames of lanes, the last group of four filled up with silence; a
    // missing second channel reads silence.
    static constexpr float silence[ControlBlock::maxSamples]{};
    const int whole = (n + 3) / 4 * 4;
    const shaping::Frame* inputs[steps];
    for (int p = 0; p < steps; ++p)
    {
        if (linked)
        {
            alignas(64) float larger[ControlBlock::maxSamples];
            for (int i = 0; i < n; ++i)
                larger[i] = std::max(values[0][p][i], values[1][p][i]);
            kernels.frame(larger, larger, frames[p], n);
        }
        else
            kernels.frame(values[0][p], stereo ? values[1][p] : silence, frames[p], n);
        std::fill(frames[p][n], frames[p][n] + 4 * (whole - n), 0.0f);
        inputs[p] = frames[p];
    }

    for (int ch = 0; ch < 2; ++ch)
    {
        const auto& envelopes = channels[linked ? 0 : (size_t)std::min(ch, numChannels - 1)];
        state.envelope[2 * ch] = envelopes.fastEnvelope;
        state.envelope[2 * ch + 1] = envelopes.slowEnvelope;
    }
    alignas(64) shaping::Frame out[ControlBlock::maxSamples];
    kernels.follow(inputs, constants[(size_t)shaper::clampChoiceIndex(mode)], state, intercepts, out, n);

    float spare[2][ControlBlock::maxSamples];
    float* const lanes[4] = {fast[0], slow[0], stereo ? fast[1] : spare[0], stereo ? slow[1] : spare[1]};
    kernels.unframe(out, lanes, n);
    for (int ch = 0; ch < numChannels; ++ch)
    {
        channels[(size_t)ch].fastEnvelope = state.envelope[2 * ch];
        channels[(size_t)ch].slowEnvelope = state.envelope[2 * ch + 1];
    }
}
