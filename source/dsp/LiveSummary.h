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
        takeIn(next);
        numSamples += next.numSamples;
    }

    // The same audio of another channel taken in too.
    void takeIn(const LiveSummary& other) noexcept
    {
        inputMin = std::min(inputMin, other.inputMin);
        inputMax = std::max(inputMax, other.inputMax);
        outputMin = std::min(outputMin, other.outputMin);
        outputMax = std::max(outputMax, other.outputMax);
        transient = std::max(transient, other.transient);
    }
};
