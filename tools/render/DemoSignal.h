#pragma once

#include <juce_audio_basics/juce_audio_basics.h>

// A few seconds of synthetic drums (kick, snare, hats with a short room tail), stereo,
// reproducible: the render tool's built-in demo input.
juce::AudioBuffer<float> makeDemoDrums(double sampleRate, double seconds);
