#pragma once

#include "dsp/Choices.h"

#include <algorithm>

// Moving between the Standard and the High quality path while audio runs. The paths differ in
// latency, so the output fades out, the path changes (restarted from silence), the new path's
// latency passes, and the output fades in again: no jump, only a short dip.
class QualitySwitch
{
public:
    // Starts at `quality` at once, with no fade; fadeSamples is each fade's length.
    void start(Quality quality, int fadeSamples) noexcept
    {
        active = wanted = quality;
        fadeLength = std::max(1, fadeSamples);
        gain = 1.0f;
        stage = Stage::steady;
    }

    void request(Quality quality) noexcept { wanted = quality; }

    // The path that processes now, and the one asked for.
    Quality activeQuality() const noexcept { return active; }
    Quality wantedQuality() const noexcept { return wanted; }

    bool isSteady() const noexcept { return stage == Stage::steady && wanted == active; }

    // Applies the fade to n output samples. Returns true when the output has faded out and the
    // path is to change now: the caller restarts the new path, then calls switched().
    bool applyFade(float* out, int n) noexcept
    {
        for (int i = 0; i < n; ++i)
        {
            advance();
            out[i] *= gain;
        }
        return stage == Stage::silent && wanted != active;
    }

    // The path changed to the wanted quality; holdSamples of silence (its latency) come before
    // the fade in.
    void switched(int holdSamples) noexcept
    {
        active = wanted;
        hold = holdSamples;
    }

private:
    enum class Stage
    {
        steady,
        fadingOut,
        silent,
        fadingIn
    };

    void advance() noexcept
    {
        const float step = 1.0f / (float) fadeLength;
        switch (stage)
        {
            case Stage::steady:
                if (wanted == active)
                    return;
                stage = Stage::fadingOut;
                [[fallthrough]];
            case Stage::fadingOut:
                gain = std::max(0.0f, gain - step);
                if (gain == 0.0f)
                    stage = Stage::silent;
                return;
            case Stage::silent:
                if (wanted != active) // waits for the caller to change the path
                    return;
                if (hold > 0)
                {
                    --hold;
                    return;
                }
                stage = Stage::fadingIn;
                [[fallthrough]];
            case Stage::fadingIn:
                if (wanted != active)
                {
                    stage = Stage::fadingOut;
                    gain = std::max(0.0f, gain - step);
                    return;
                }
                gain = std::min(1.0f, gain + step);
                if (gain == 1.0f)
                    stage = Stage::steady;
                return;
        }
    }

    Quality active = Quality::standard, wanted = Quality::standard;
    int fadeLength = 1;
    int hold = 0;
    float gain = 1.0f;
    Stage stage = Stage::steady;
};
