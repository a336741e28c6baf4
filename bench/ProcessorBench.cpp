// Speed of the processor as a real-time factor: seconds of stereo 48 kHz audio processed per
// CPU second, in 512-sample blocks, next to a plain copy of the same blocks as the baseline. With
// feed:1 an editor's live view listens: the audio thread summarises every stretch for it.

#include "dsp/EnvelopePass.h"
#include "dsp/ShapingKernels.h"
#include "plugin/TarvoltAudioProcessor.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace
{
constexpr double sampleRate = 48000.0;
constexpr int blockSize = 512;
constexpr int channels = 2;

// Ten seconds of noisy drum-like hits, stereo.
const juce::AudioBuffer<float>& benchInput()
{
    static const juce::AudioBuffer<float> input = [] {
        juce::AudioBuffer<float> b(channels, (int) (10 * sampleRate));
        juce::Random random(42);
        for (int i = 0; i < b.getNumSamples(); ++i)
        {
            const float env = std::exp(-(float) (i % 12000) / 600.0f) + 0.03f;
            for (int ch = 0; ch < channels; ++ch)
                b.setSample(ch, i, (random.nextFloat() * 2.0f - 1.0f) * 0.7f * env);
        }
        return b;
    }();
    return input;
}

struct Cursor
{
    int position = 0;

    // Copies the next block of the input into `block`.
    void nextBlock(juce::AudioBuffer<float>& block)
    {
        const auto& input = benchInput();
        if (position + blockSize > input.getNumSamples())
            position = 0;
        for (int ch = 0; ch < channels; ++ch)
            block.copyFrom(ch, 0, input, ch, position, blockSize);
        position += blockSize;
    }
};

void reportRealTimeFactor(benchmark::State& state)
{
    const double audioSeconds = (double) state.iterations() * blockSize / sampleRate;
    state.counters["x_realtime"] = benchmark::Counter(audioSeconds, benchmark::Counter::kIsRate);
}

void copyBaseline(benchmark::State& state)
{
    juce::AudioBuffer<float> block(channels, blockSize);
    Cursor cursor;
    for (auto _ : state)
    {
        cursor.nextBlock(block);
        benchmark::DoNotOptimize(block.getWritePointer(0));
        benchmark::ClobberMemory();
    }
    reportRealTimeFactor(state);
}

void setPlain(TarvoltAudioProcessor& processor, const char* id, float value)
{
    auto* p = processor.getState().parameters.getParameter(id);
    p->setValueNotifyingHost(p->convertTo0to1(value));
}

// moving = 0: default settings held; 1: attack, sustain, mix and clip move every block.
// isa: the build of the shaping loop (0 generic, 1 AVX2, 2 AVX-512; 3 = the best this CPU runs).
// quality: 0 Standard, 1 High; link: 0 off, 1 on; feed: 0 no editor, 1 the live view listening;
// clip100: 1 puts the clip at 100 (where High rides its ceiling) instead of its default.
void processor(benchmark::State& state)
{
    const bool moving = state.range(0) != 0;
    const auto best = shaping::activeInstructionSet();
    const auto set = state.range(1) == 3 ? best : (shaping::InstructionSet) state.range(1);
    if (!shaping::use(set))
    {
        state.SkipWithError("instruction set not supported by this CPU");
        return;
    }
    state.SetLabel(shaping::nameOf(set));
    TarvoltAudioProcessor processor;
    setPlain(processor, ParameterIDs::quality, (float) state.range(2));
    setPlain(processor, ParameterIDs::link, (float) state.range(3));
    if (state.range(5) != 0)
        setPlain(processor, ParameterIDs::clip, 100.0f);
    auto& liveFeed = processor.getLiveFeed();
    if (state.range(4) != 0)
        liveFeed.addReader();
    processor.setRateAndBufferSizeDetails(sampleRate, blockSize);
    processor.prepareToPlay(sampleRate, blockSize);

    // The editor reads on its own thread; only processBlock is timed here. In a host playing in
    // real time the editor's timer empties the queue long before it could fill; here the audio
    // runs thousands of times faster than real time, so the reader wakes every millisecond to
    // keep up in the same way (the share of summaries dropped is reported).
    std::atomic<bool> done{false};
    int received = 0;
    std::thread editor([&] {
        while (!done.load())
        {
            LiveSummary chunk[64];
            for (int n; (n = liveFeed.read(chunk, 64)) > 0;)
                received += n;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    });

    juce::AudioBuffer<float> block(channels, blockSize);
    juce::MidiBuffer midi;
    Cursor cursor;
    int blockIndex = 0;
    for (auto _ : state)
    {
        if (moving)
        {
            const float phase = (float) (blockIndex++ % 200) / 200.0f;
            setPlain(processor, ParameterIDs::attack, -12.0f + 24.0f * phase);
            setPlain(processor, ParameterIDs::sustain, 12.0f - 24.0f * phase);
            setPlain(processor, ParameterIDs::mix, 40.0f + 60.0f * phase);
            setPlain(processor, ParameterIDs::clip, 100.0f * phase);
        }
        cursor.nextBlock(block);
        processor.processBlock(block, midi);
        benchmark::DoNotOptimize(block.getWritePointer(0));
    }
    done = true;
    editor.join();
    reportRealTimeFactor(state);
    if (state.range(4) != 0)
    {
        const int dropped = liveFeed.getNumDropped();
        state.counters["dropped"] = dropped / std::max(1.0, (double) (received + dropped));
    }
    shaping::use(best);
}
// The first pass alone (focus filters and envelope followers of both channels, the part with a
// dependency from one sample to the next), in nanoseconds per stereo frame, for each focus and
// the default one with the stereo link on, with the default mode and the best instruction set.
void envelopePassAlone(benchmark::State& state)
{
    constexpr int n = ControlBlock::maxSamples;
    DetectorState detector;
    for (auto& channel : detector.channels)
    {
        channel.lowBand = FocusFilter::lowBand(sampleRate);
        channel.highBand = FocusFilter::highBand(sampleRate);
    }
    const auto defaultMode = ParameterValues::defaults().choice<Mode>();
    const auto coefficients = shaper::EnvelopeCoefficients::forMode(defaultMode, sampleRate);
    envelopePass::Stretch in, fast, slow;
    const auto& input = benchInput();
    int position = 0;
    for (auto _ : state)
    {
        if (position + n > input.getNumSamples())
            position = 0;
        for (int ch = 0; ch < channels; ++ch)
            std::copy_n(input.getReadPointer(ch, position), n, in[ch]);
        position += n;
        envelopePass::run((int) state.range(0), state.range(1) != 0, channels, in, fast, slow, n, coefficients,
                          detector);
        benchmark::DoNotOptimize(fast[0][0]);
    }
    state.counters["ns_per_frame"] = benchmark::Counter((double) state.iterations() * n,
                                                        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
} // namespace

BENCHMARK(copyBaseline);
const std::vector<std::string> argNames{"moving", "isa", "quality", "link", "feed", "clip100"};
BENCHMARK(processor)->ArgsProduct({{0, 1}, {3, 0, 1, 2}, {0}, {0}, {0}, {0}})->ArgNames(argNames);
BENCHMARK(processor)->ArgsProduct({{0, 1}, {3, 1}, {1}, {0}, {0}, {0}})->ArgNames(argNames);
BENCHMARK(processor)->ArgsProduct({{0}, {3}, {0, 1}, {1}, {0}, {0}})->ArgNames(argNames);
// The live view listening, against the same cases above without it.
BENCHMARK(processor)->ArgsProduct({{0, 1}, {3, 0}, {0}, {0}, {1}, {0}})->ArgNames(argNames);
BENCHMARK(processor)->ArgsProduct({{0, 1}, {3}, {1}, {0}, {1}, {0}})->ArgNames(argNames);
// The clip at 100 in both qualities (High rides its ceiling).
BENCHMARK(processor)->ArgsProduct({{0}, {3}, {0, 1}, {0}, {0}, {1}})->ArgNames(argNames);
BENCHMARK(envelopePassAlone)->ArgsProduct({{0, 1, 2}, {0}})->ArgNames({"focus", "link"});
BENCHMARK(envelopePassAlone)->ArgsProduct({{1}, {1}})->ArgNames({"focus", "link"});
