#include "dsp/LiveReduction.h"

#include "dsp/ShaperCore.h"

void liveReduction::transientAmounts(const float* fast, const float* slow, const float* sensitivity, float modeScale,
                                     float* T, int n) noexcept
{
    for (int i = 0; i < n; ++i)
        T[i] = shaper::transientFromEnvelopes(fast[i], slow[i], sensitivity[i], modeScale);
}
