#include <benchmark/benchmark.h>
#include <juce_events/juce_events.h>

// Google Benchmark's main, with the framework started (parameters and components need it).
int main(int argc, char** argv)
{
    juce::ScopedJuceInitialiser_GUI framework;
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
