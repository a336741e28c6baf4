// Audio, parameter moves, state saves and restores and preset loads on their own threads at
// once, as a host and the editor drive them. Run under ThreadSanitizer by the test scripts.

#include "presets/PresetTestSupport.h"

#include <atomic>
#include <thread>

namespace
{
constexpr int blockSize = 256;
constexpr int runMilliseconds = 3000;

// What a host's audio callback does: process under the callback lock unless suspended.
void audioThread(TarvoltAudioProcessor& processor, const std::atomic<bool>& stop, std::atomic<int>& blocks,
                 std::atomic<bool>& finite)
{
    juce::AudioBuffer<float> buffer(2, blockSize);
    juce::MidiBuffer midi;
    juce::Random random(1);
    while (!stop.load())
    {
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < blockSize; ++i)
                buffer.setSample(ch, i, (random.nextFloat() * 2.0f - 1.0f) * (i % 64 < 4 ? 0.9f : 0.05f));
        {
            const juce::ScopedLock lock(processor.getCallbackLock());
            if (processor.isSuspended())
                buffer.clear();
            else
                processor.processBlock(buffer, midi);
        }
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < blockSize; ++i)
                if (!std::isfinite(buffer.getSample(ch, i)))
                    finite.store(false);
        ++blocks;
    }
}

// Host automation and knob drags.
void parameterThread(TarvoltAudioProcessor& processor, const std::atomic<bool>& stop, std::atomic<int>& moves)
{
    juce::Random random(2);
    const auto& parameters = processor.getParameters();
    while (!stop.load())
    {
        auto* parameter = parameters[random.nextInt(parameters.size())];
        parameter->beginChangeGesture();
        parameter->setValueNotifyingHost(random.nextFloat());
        parameter->endChangeGesture();
        ++moves;
        std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
}

// The host saving and restoring its project, and preset loads and saves.
void stateThread(TarvoltAudioProcessor& processor, const std::atomic<bool>& stop, std::atomic<int>& rounds,
                 std::atomic<bool>& allSucceeded)
{
    const auto factoryNames = processor.getFactoryPresetNames();
    for (int round = 0; !stop.load(); ++round)
    {
        juce::MemoryBlock blob;
        processor.getStateInformation(blob);
        processor.setStateInformation(blob.getData(), (int)blob.getSize());
        if (!processor.loadUserPreset("Shared"))
            allSucceeded.store(false);
        processor.loadFactoryPreset(factoryNames[round % factoryNames.size()]);
        if (round % 8 == 0 && !processor.saveUserPreset("Shared"))
            allSucceeded.store(false);
        ++rounds;
    }
}
} // namespace

TEST(Concurrency, AudioParametersStateAndPresetsOnTheirOwnThreads)
{
    TestPresetRoot root;
    TarvoltAudioProcessor processor;
    root.attach(processor);
    harness::prepare(processor, 2, 48000.0, blockSize);
    ASSERT_TRUE(processor.saveUserPreset("Shared"));

    std::atomic<bool> stop{false}, finite{true}, allSucceeded{true};
    std::atomic<int> blocks{0}, moves{0}, rounds{0}, polls{0};

    std::thread audio(audioThread, std::ref(processor), std::cref(stop), std::ref(blocks), std::ref(finite));
    std::thread automation(parameterThread, std::ref(processor), std::cref(stop), std::ref(moves));
    std::thread state(stateThread, std::ref(processor), std::cref(stop), std::ref(rounds),
                      std::ref(allSucceeded));

    // This thread plays the editor, polling what its timers show.
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32)runMilliseconds;
    while (juce::Time::getMillisecondCounter() < end)
    {
        EXPECT_TRUE(processor.getCurrentPresetDisplayName().isNotEmpty());
        EXPECT_LE(processor.getInputLevel(0), 1.0f);
        processor.getUserPresetNames();
        ++polls;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    stop.store(true);
    audio.join();
    automation.join();
    state.join();

    EXPECT_GT(blocks.load(), 10);
    EXPECT_GT(moves.load(), 10);
    EXPECT_GT(rounds.load(), 2);
    EXPECT_GT(polls.load(), 10);
    EXPECT_TRUE(finite.load());
    EXPECT_TRUE(allSucceeded.load());
    EXPECT_FALSE(processor.isSuspended());
    EXPECT_EQ(processor.getUserPresetNames(), juce::StringArray({"Shared"}));
}
