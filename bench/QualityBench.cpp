// Standard against High quality, side by side: the output's sample peak with the clip at 100
// (the ceiling), the RMS of High minus Standard on drums and noise (the level match), and how
// much a steady high tone's transient amount moves (the beat with the sampling). See
// tests/common/QualityComparison.h for the signals and the measures.

#include "common/QualityComparison.h"

#include <cstdio>

namespace
{
using quality::Settings;

const double rates[] = {44100.0, 48000.0, 96000.0};

void printCeiling()
{
    std::printf("sample peak at clip 100 (output 0 dB, mix 100), dBFS [samples above 1.01] (RMS, dBFS)\n");
    std::printf("%-34s %-9s", "input", "quality");
    for (double rate : rates)
        std::printf(" %25.0f Hz", rate);
    std::printf("\n");
    struct Case
    {
        const char* name;
        Settings settings;
        juce::AudioBuffer<float> (*make)(double rate);
    };
    const Case cases[] = {
        {"demo drums, punch 100",
         {{ParameterIDs::punch, 100.0f}},
         [](double r) { return quality::drums(r); }},
        {"15 kHz sine at -6 dBFS", {}, [](double r) { return quality::sine(r, 15000.0, -6.0f); }},
        {"15 kHz sine at +12 dBFS", {}, [](double r) { return quality::sine(r, 15000.0, 12.0f); }},
        {"uniform noise at +12 dBFS peak", {}, [](double r) { return quality::uniformNoise(r, 12.0f); }},
        {"demo drums at +12 dBFS", {}, [](double r) { return quality::drums(r, 12.0f); }},
        {"demo drums at +12 dBFS, punch 100",
         {{ParameterIDs::punch, 100.0f}},
         [](double r) { return quality::drums(r, 12.0f); }},
    };
    for (const auto& c : cases)
        for (Quality q : {Quality::standard, Quality::high})
        {
            std::printf("%-34s %-9s", c.name, q == Quality::high ? "High" : "Standard");
            for (double rate : rates)
            {
                auto settings = c.settings;
                settings.push_back({ParameterIDs::clip, 100.0f});
                const auto out = quality::shaped(c.make(rate), rate, quality::valuesOf(q, settings));
                std::printf(" %+8.3f [%6d] (%6.2f)",
                            juce::Decibels::gainToDecibels(quality::samplePeak(out), -200.0f),
                            quality::samplesAbove(out, 1.01f), quality::rmsDb(out));
            }
            std::printf("\n");
            std::fflush(stdout);
        }
}

void printLevels()
{
    std::printf(
        "\nRMS, dBFS: Standard / High / High minus Standard (48 kHz; white noise: Gaussian, RMS -16 dBFS;\n"
        "uniform noise: peak -6 dBFS)\n");
    struct Case
    {
        const char* name;
        Settings settings;
    };
    const Case settings[] = {
        {"defaults", {}},
        {"attack -12, sustain +12", {{ParameterIDs::attack, -12.0f}, {ParameterIDs::sustain, 12.0f}}},
        {"attack +12, sustain -12", {{ParameterIDs::attack, 12.0f}, {ParameterIDs::sustain, -12.0f}}},
    };
    const double rate = 48000.0;
    const auto drums = quality::drums(rate);
    const auto noise = quality::gaussianNoise(rate, -16.0f);
    const auto uniform = quality::uniformNoise(rate, -6.0f);
    struct Material
    {
        const char* name;
        const juce::AudioBuffer<float>* input;
        float mix;
    };
    const Material materials[] = {{"demo drums", &drums, 100.0f},
                                  {"white noise, mix 100", &noise, 100.0f},
                                  {"white noise, mix 50", &noise, 50.0f},
                                  {"uniform noise, mix 100", &uniform, 100.0f},
                                  {"uniform noise, mix 50", &uniform, 50.0f}};
    std::printf("%-24s %-24s %9s %9s %9s\n", "input", "settings", "Standard", "High", "diff");
    for (const auto& m : materials)
        for (const auto& s : settings)
        {
            auto all = s.settings;
            all.push_back({ParameterIDs::mix, m.mix});
            const double standard =
                quality::rmsDb(quality::shaped(*m.input, rate, quality::valuesOf(Quality::standard, all)));
            const double high = quality::rmsDb(quality::shaped(*m.input, rate, quality::valuesOf(Quality::high, all)));
            std::printf("%-24s %-24s %9.2f %9.2f %+9.2f\n", m.name, s.name, standard, high, high - standard);
            std::fflush(stdout);
        }
    std::printf("(input RMS: drums %.2f, uniform noise %.2f dBFS)\n", quality::rmsDb(drums),
                quality::rmsDb(uniform));
}

void printBeats()
{
    std::printf(
        "\ntransient amount of a steady sine at -12 dBFS over its second second (default settings):\n"
        "ripple (range sample by sample) / beat (range of its 1 ms average) / mean, Standard | High\n");
    for (double rate : {44100.0, 48000.0, 96000.0})
        for (double hz :
             {1000.0, 5000.0, 7300.0, 9000.0, 9100.0, 12000.0, 12100.0, 15000.0, 15100.0, 18000.0, 18100.0})
        {
            const auto s = quality::toneTransients(rate, hz, Quality::standard);
            const auto h = quality::toneTransients(rate, hz, Quality::high);
            std::printf("%5.1f kHz at %5.1f kHz   %.4f / %.4f / %.3f | %.4f / %.4f / %.3f\n", hz / 1000.0,
                        rate / 1000.0, s.ripple, s.beat, s.mean, h.ripple, h.beat, h.mean);
            std::fflush(stdout);
        }
}
} // namespace

int main(int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI framework;
    const juce::String only = argc > 1 ? argv[1] : "";
    if (only.isEmpty() || only == "ceiling")
        printCeiling();
    if (only.isEmpty() || only == "levels")
        printLevels();
    if (only.isEmpty() || only == "beats")
        printBeats();
    return 0;
}
