#include "processor/LiveReduction.h"

#include "processor/ControlBlock.h"
#include "processor/ShaperCore.h"

float liveReduction::largestTransient(const float* fast, const float* slow, const float* sensitivity, float modeScale,
                                      int n) noexcept
{
    float largest = 0.0f;
    for (int i = 0; i < n; ++i)
        largest = std::max(largest, shaper::transientFromEnvelopes(fast[i], slow[i], sensitivity[i], modeScale));
    return largest;
}
