// Cost of painting the editor's main panel with the software renderer at the default panel size
// (1256 x 710): paints per second and the share of one core the open editor takes at its 30
// repaints a second. Baseline from the same run: one gradient fill of the whole image (the
// panel's background alone, drawn directly).

#include "editor/display/DisplayModel.h"
#include "editor/display/SignalDisplay.h"
#include "editor/meters/LevelMeter.h"
#include "editor/panel/MainPanel.h"
#include "plugin/TarvoltAudioProcessor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <ctime>

namespace
{
constexpr int panelWidth = 1256, panelHeight = 710;
constexpr double repaintsPerSecond = 30.0;

juce::Image makeCanvas()
{
    return {juce::Image::ARGB, panelWidth, panelHeight, true, juce::SoftwareImageType()};
}

// Runs paintOnce for every iteration and reports paints per CPU second and the percentage of one
// core that 30 such paints a second take.
template <typename PaintFunction>
void measurePaints(benchmark::State& state, PaintFunction&& paintOnce)
{
    const auto start = std::clock();
    for (auto _ : state)
        paintOnce();
    const double secondsPerPaint =
        (double) (std::clock() - start) / CLOCKS_PER_SEC / (double) std::max<benchmark::IterationCount>(1, state.iterations());
    state.counters["paints_per_s"] = secondsPerPaint > 0.0 ? 1.0 / secondsPerPaint : 0.0;
    state.counters["core_pct_at_30Hz"] = secondsPerPaint * repaintsPerSecond * 100.0;
}

void gradientFillBaseline(benchmark::State& state)
{
    auto canvas = makeCanvas();
    measurePaints(state, [&] {
        juce::Graphics g(canvas);
        g.setGradientFill(juce::ColourGradient(juce::Colour(0xFF080A0F), 0.0f, 0.0f, juce::Colour(0xFF0D0C14), 0.0f,
                                               (float) panelHeight, false));
        g.fillAll();
        benchmark::DoNotOptimize(canvas.getPixelAt(1, 1));
    });
}

// The whole panel as a window shows it while the parameters stand still: dressing, display,
// meters and every control, with the meters partly lit. With withoutControls, the panel, its
// display and its meters without the controls.
void paintPanel(benchmark::State& state, bool powerOn, bool withoutControls)
{
    TarvoltAudioProcessor processor;
    if (auto* power = processor.getState().parameters.getParameter("power"))
        power->setValueNotifyingHost(powerOn ? 1.0f : 0.0f);
    for (int ch = 0; ch < 2; ++ch)
    {
        processor.getMeters().setInputLevel(ch, 0.6f);
        processor.getMeters().setOutputLevel(ch, 0.6f);
    }

    MainPanel panel(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    panel.setSize(panelWidth, panelHeight);
    auto canvas = makeCanvas();
    measurePaints(state, [&] {
        juce::Graphics g(canvas);
        if (withoutControls)
        {
            panel.paint(g);
            for (auto* child : panel.getChildren())
                if (dynamic_cast<SignalDisplay*>(child) != nullptr || dynamic_cast<LevelMeter*>(child) != nullptr)
                {
                    juce::Graphics::ScopedSaveState saved(g);
                    g.setOrigin(child->getPosition());
                    child->paint(g);
                }
        }
        else
            panel.paintEntireComponent(g, true);
        benchmark::DoNotOptimize(canvas.getPixelAt(1, 1));
    });
}

// A paint right after a knob moved: the cached picture is painted afresh every time.
void paintPanelWhileAKnobMoves(benchmark::State& state)
{
    TarvoltAudioProcessor processor;
    auto* attack = processor.getState().parameters.getParameter("attack");
    MainPanel panel(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    panel.setSize(panelWidth, panelHeight);
    auto canvas = makeCanvas();
    int step = 0;
    measurePaints(state, [&] {
        attack->setValueNotifyingHost((float) (step++ % 100) / 100.0f);
        juce::Graphics g(canvas);
        panel.paintEntireComponent(g, true);
        benchmark::DoNotOptimize(canvas.getPixelAt(1, 1));
    });
}

// The live view with two seconds of drums in it, as it scrolls: every frame takes in a little more
// audio (64 samples, which costs microseconds) and draws the signal afresh.
void paintLiveView(benchmark::State& state)
{
    constexpr double rate = 48000.0;
    TarvoltAudioProcessor processor;
    processor.setRateAndBufferSizeDetails(rate, 512);
    processor.prepareToPlay(rate, 512);
    MainPanel panel(processor.getState(), processor.getLiveFeed(), processor.getMeters());
    panel.setSize(panelWidth, panelHeight);
    panel.setDisplayMode(DisplayMode::Live);

    juce::AudioBuffer<float> audio(2, 512);
    juce::MidiBuffer midi;
    juce::Random random(3);
    int position = 0;
    const auto play = [&](int n) {
        juce::AudioBuffer<float> block(audio.getArrayOfWritePointers(), 2, 0, n);
        for (int i = 0; i < n; ++i, ++position)
        {
            const float env = std::exp(-(float) (position % 12000) / 900.0f);
            for (int ch = 0; ch < 2; ++ch)
                block.setSample(ch, i, (random.nextFloat() * 2.0f - 1.0f) * 0.8f * env);
        }
        processor.processBlock(block, midi);
        panel.updateLiveView();
    };
    for (int i = 0; i < (int) (2.0 * rate / 512); ++i)
        play(512);

    auto canvas = makeCanvas();
    measurePaints(state, [&] {
        play(64);
        juce::Graphics g(canvas);
        panel.paintEntireComponent(g, true);
        benchmark::DoNotOptimize(canvas.getPixelAt(1, 1));
    });
}

void displayModelOnly(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(computeDisplayModel(DisplaySettings{}).peak);
}
} // namespace

BENCHMARK(gradientFillBaseline)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paintPanel, powerOn, true, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paintPanel, powerOff, false, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(paintPanel, powerOnWithoutControls, true, true)->Unit(benchmark::kMillisecond);
BENCHMARK(paintPanelWhileAKnobMoves)->Unit(benchmark::kMillisecond);
BENCHMARK(paintLiveView)->Unit(benchmark::kMillisecond);
BENCHMARK(displayModelOnly)->Unit(benchmark::kMicrosecond);
