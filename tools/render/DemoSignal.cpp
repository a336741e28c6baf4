#include "DemoSignal.h"

namespace
{
void addKick(juce::AudioBuffer<float>& out, int start, double rate, float gain)
{
    double phase = 0.0;
    const int length = std::min((int) (0.45 * rate), out.getNumSamples() - start);
    for (int i = 0; i < length; ++i)
    {
        const double t = i / rate;
        phase += juce::MathConstants<double>::twoPi * (45.0 + 110.0 * std::exp(-t * 30.0)) / rate;
        const float v = gain * (float) ((std::sin(phase) + 0.5 * std::exp(-t * 400.0)) * std::exp(-t * 8.0));
        for (int ch = 0; ch < out.getNumChannels(); ++ch)
            out.addSample(ch, start + i, v);
    }
}

void addNoiseHit(juce::AudioBuffer<float>& out, int start, double rate, float gain, double decay, double toneHz,
                 float pan, juce::Random& random)
{
    const int length = std::min((int) (0.3 * rate), out.getNumSamples() - start);
    double phase = 0.0;
    float lowPassed = 0.0f;
    for (int i = 0; i < length; ++i)
    {
        const double t = i / rate;
        phase += juce::MathConstants<double>::twoPi * toneHz / rate;
        const float noise = random.nextFloat() * 2.0f - 1.0f;
        lowPassed += 0.5f * (noise - lowPassed);
        const float body = (float) (0.4 * std::sin(phase) * std::exp(-t * 25.0));
        const float v = gain * ((noise - 0.6f * lowPassed) * (float) std::exp(-t * decay) + body);
        out.addSample(0, start + i, v * (1.0f - pan));
        if (out.getNumChannels() > 1)
            out.addSample(1, start + i, v * (1.0f + pan));
    }
}
} // namespace

juce::AudioBuffer<float> makeDemoDrums(double sampleRate, double seconds)
{
    juce::AudioBuffer<float> out(2, (int) (sampleRate * seconds));
    out.clear();
    juce::Random random(20261210);

    const double sixteenth = 60.0 / 120.0 / 4.0;
    const int steps = (int) (seconds / sixteenth);
    for (int step = 0; step < steps; ++step)
    {
        const int start = (int) (step * sixteenth * sampleRate);
        const int inBar = step % 16;
        if (inBar == 0 || inBar == 6 || inBar == 10)
            addKick(out, start, sampleRate, 0.8f);
        if (inBar == 4 || inBar == 12)
            addNoiseHit(out, start, sampleRate, 0.55f, 18.0, 190.0, 0.1f, random);
        if (inBar % 2 == 0)
            addNoiseHit(out, start, sampleRate, 0.12f + 0.05f * random.nextFloat(), 90.0, 0.0, -0.3f, random);
    }

    // A short, diffuse room so there is sustain for the shaper to work on.
    juce::Reverb room;
    juce::Reverb::Parameters p;
    p.roomSize = 0.35f;
    p.damping = 0.6f;
    p.wetLevel = 0.18f;
    p.dryLevel = 1.0f;
    p.width = 1.0f;
    room.setParameters(p);
    room.setSampleRate(sampleRate);
    room.processStereo(out.getWritePointer(0), out.getWritePointer(1), out.getNumSamples());

    const float peak = out.getMagnitude(0, out.getNumSamples());
    if (peak > 0.0f)
        out.applyGain(0.7f / peak); // -3 dBFS
    return out;
}
