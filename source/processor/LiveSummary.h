#pragma once

#include <algorithm>

// What the live view shows of a short run of audio: the smallest and largest input and output
// sample over all channels, and the largest transient amount the detector found in any channel.
struct LiveSummary
{
    float inputMin = 0.0f, inputMax = 0.0f;
    float outputMin = 0.0f, outputMax = 0.0f;
    float transient = 0.0f; // 0..1
    int numSamples = 0;     // how much audio it stands for; 0 for no audio at all

    // This summary followed by the next one, as one.
    void append(const LiveSummary& next) noexcept
    {
        if (next.numSamples <= 0)
            return;
        if (numSamples <= 0)
        {
            *this = next;
            return;
        }
        inputMin = std::min(inputMin, next.inputMin);
        inputMax = std::max(inputMax, next.inputMax);
        outputMin = std::min(outputMin, next.outputMin);
        outputMax = std::max(outputMax, next.outputMax);
        transient = std::max(transient, next.transient);
        numSamples += next.numSamples;
    }
};
