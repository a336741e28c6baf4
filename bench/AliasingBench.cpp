// Aliasing of the non-linear stages: a 7.3 kHz sine at -6 dBFS through Tarvolt with the default
// settings except the one named, for each quality and sample rate. Prints the energy that is
// neither the sine nor its in-band harmonics, relative to the total (see AliasingMeasurement.h).

#include "common/AliasingMeasurement.h"

#include <cstdio>

int main()
{
    juce::ScopedJuceInitialiser_GUI framework;
    const std::pair<const char*, float> cases[] = {
        {ParameterIDs::clip, 25.0f}, {ParameterIDs::clip, 50.0f}, {ParameterIDs::clip, 100.0f}, {ParameterIDs::punch, 100.0f}};
    const double rates[] = {44100.0, 48000.0, 96000.0};

    std::printf("aliased energy (dB), 7.3 kHz sine at -6 dBFS, default settings except:\n");
    std::printf("%-12s %-9s", "setting", "quality");
    for (double rate : rates)
        std::printf(" %9.1f Hz", rate);
    std::printf("\n");
    const auto& quality = parameterSpecs[(size_t) parameterIndex("quality")];
    for (const auto& [id, value] : cases)
        for (int q = 0; q < quality.numChoices(); ++q)
        {
            std::printf("%-12s %-9s", (juce::String(id) + " " + juce::String((int) value)).toRawUTF8(), quality.choices[(size_t) q]);
            for (double rate : rates)
                std::printf(" %12.1f", aliasing::aliasedEnergyDb(aliasing::shapedSine(rate, {{id, value}, {"quality", (float) q}}), rate));
            std::printf("\n");
            std::fflush(stdout);
        }
    return 0;
}
