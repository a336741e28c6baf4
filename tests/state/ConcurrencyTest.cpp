// Audio, parameter moves, state saves and restores and preset loads on their own threads at
// once, as a host and the editor drive them. Run under ThreadSanitizer by the test scripts.

#include "presets/PresetTestSupport.h"
#include "dsp/LiveFeed.h"

#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

namespace
{
constexpr int blockSize = 256;
constexpr int runMilliseconds = 3000;

// What a host's audio callback does: process under the callback lock, or, while processing is
// suspended, put out silence.
void hostCallback(TarvoltAudioProcessor& processor, juce::AudioBuffer<float>& buffer)
{
    juce::MidiBuffer midi;
    const juce::ScopedLock lock(processor.getCallbackLock());
    if (processor.isSuspended())
        buffer.clear();
    else
        processor.processBlock(buffer, midi);
}

void audioThread(TarvoltAudioProcessor& processor, const std::atomic<bool>& stop, std::atomic<int>& blocks,
                 std::atomic<bool>& finite)
{
    juce::AudioBuffer<float> buffer(2, blockSize);
    juce::Random random(1);
    while (!stop.load())
    {
        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < blockSize; ++i)
                buffer.setSample(ch, i, (random.nextFloat() * 2.0f - 1.0f) * (i % 64 < 4 ? 0.9f : 0.05f));
        hostCallback(processor, buffer);
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
    const auto factoryNames = processor.getState().getFactoryPresetNames();
    for (int round = 0; !stop.load(); ++round)
    {
        juce::MemoryBlock blob;
        processor.getStateInformation(blob);
        processor.setStateInformation(blob.getData(), (int)blob.getSize());
        if (!processor.getState().loadUserPreset("Shared"))
            allSucceeded.store(false);
        processor.getState().loadFactoryPreset(factoryNames[round % factoryNames.size()]);
        if (round % 8 == 0 && !processor.getState().saveUserPreset("Shared"))
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
    ASSERT_TRUE(processor.getState().saveUserPreset("Shared"));

    std::atomic<bool> stop{false}, finite{true}, allSucceeded{true};
    std::atomic<int> blocks{0}, moves{0}, rounds{0}, polls{0};
    auto& liveFeed = processor.getLiveFeed();
    liveFeed.addReader(); // the editor shows the live view
    int summaries = 0;

    std::thread audio(audioThread, std::ref(processor), std::cref(stop), std::ref(blocks), std::ref(finite));
    std::thread automation(parameterThread, std::ref(processor), std::cref(stop), std::ref(moves));
    std::thread state(stateThread, std::ref(processor), std::cref(stop), std::ref(rounds),
                      std::ref(allSucceeded));

    // This thread plays the editor, polling what its timers show.
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32)runMilliseconds;
    while (juce::Time::getMillisecondCounter() < end)
    {
        EXPECT_TRUE(processor.getState().getCurrentPresetDisplayName().isNotEmpty());
        EXPECT_LE(processor.getMeters().getInputLevel(0), 1.0f);
        processor.getState().getUserPresetNames();
        LiveSummary received[64];
        summaries += liveFeed.read(received, 64);
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
    EXPECT_GT(summaries, 10);
    liveFeed.removeReader();
    EXPECT_TRUE(finite.load());
    EXPECT_TRUE(allSucceeded.load());
    EXPECT_FALSE(processor.isSuspended());
    EXPECT_EQ(processor.getState().getUserPresetNames(), juce::StringArray({"Shared"}));
}

// The live view's queue alone, one thread writing and one reading as fast as they can: every
// summary arrives whole and in order, or was counted as dropped because the queue was full; the
// writer never waits.
TEST(Concurrency, LiveFeedQueueBetweenAnAudioAndAnEditorThread)
{
    LiveFeed feed;
    feed.prepare(48000.0); // a summary per 128-sample stretch
    feed.addReader();
    constexpr int total = 200000;

    std::thread audio([&feed] {
        for (int k = 0; k < total;)
        {
            feed.beginBlock();
            for (int stretch = 0; stretch < 4 && k < total; ++stretch, ++k)
                feed.addStretch({(float) k, (float) k, -(float) k, -(float) k, 0.0f, 128});
            feed.endBlock();
        }
    });

    int received = 0, last = -1;
    bool whole = true, ordered = true;
    const auto take = [&] {
        LiveSummary chunk[100];
        const int n = feed.read(chunk, 100);
        for (int i = 0; i < n; ++i)
        {
            const auto& s = chunk[i];
            whole = whole && s.inputMin == s.inputMax && s.outputMin == -s.inputMax && s.outputMax == s.outputMin &&
                    s.numSamples == 128;
            ordered = ordered && (int) s.inputMax > last;
            last = (int) s.inputMax;
        }
        received += n;
        return n;
    };
    while (last < total - 1 && received + feed.getNumDropped() < total)
        if (take() == 0)
            std::this_thread::yield();
    audio.join();
    while (take() > 0)
    {
    }

    EXPECT_TRUE(whole);
    EXPECT_TRUE(ordered);
    EXPECT_GT(received, 0);
    EXPECT_EQ(received + feed.getNumDropped(), total);
}

namespace
{
// Plays a steady tone through the processor as a host does, block after block, and keeps the
// longest run of consecutive samples of exact silence any output channel showed.
void playTone(TarvoltAudioProcessor& processor, const std::atomic<bool>& stop, std::atomic<int>& blocks,
              std::atomic<int>& longestSilence)
{
    juce::AudioBuffer<float> buffer(2, blockSize);
    const double step = juce::MathConstants<double>::twoPi * 441.3 / 48000.0;
    double phase = 0.3; // no sample of the tone itself is exactly 0
    int silent[2] = {0, 0};
    while (!stop.load())
    {
        for (int i = 0; i < blockSize; ++i, phase += step)
            for (int ch = 0; ch < 2; ++ch)
                buffer.setSample(ch, i, 0.25f * (float)std::sin(phase));
        hostCallback(processor, buffer);

        for (int ch = 0; ch < 2; ++ch)
            for (int i = 0; i < blockSize; ++i)
            {
                silent[ch] = buffer.getSample(ch, i) == 0.0f ? silent[ch] + 1 : 0;
                if (silent[ch] > longestSilence.load())
                    longestSilence.store(silent[ch]);
            }
        ++blocks;
    }
}
} // namespace

// A producer auditions user presets while the host plays: no load may cut the sound, and each
// load leaves exactly the preset's values, unmarked.
TEST(Concurrency, LoadingUserPresetsWhileAudioPlaysNeverSilencesTheOutput)
{
    TestPresetRoot root;
    TarvoltAudioProcessor processor;
    root.attach(processor);
    harness::prepare(processor, 2, 48000.0, blockSize);

    // A user preset saved from every factory preset, with the values it was saved with.
    std::vector<std::pair<juce::String, juce::ValueTree>> presets;
    for (const auto& factoryName : processor.getState().getFactoryPresetNames())
    {
        processor.getState().loadFactoryPreset(factoryName);
        const auto name = "Saved " + factoryName;
        ASSERT_TRUE(processor.getState().saveUserPreset(name));
        presets.emplace_back(name, processor.getState().parameters.copyState());
    }

    std::atomic<bool> stop{false};
    std::atomic<int> blocks{0}, longestSilence{0};
    std::thread audio(playTone, std::ref(processor), std::cref(stop), std::ref(blocks),
                      std::ref(longestSilence));

    // This thread plays the editor: one preset after another, as fast as a user could click.
    int loads = 0;
    const auto end = juce::Time::getMillisecondCounter() + (juce::uint32)runMilliseconds;
    for (; juce::Time::getMillisecondCounter() < end && loads < 400; ++loads)
    {
        const auto& [name, saved] = presets[(size_t)loads % presets.size()];
        EXPECT_TRUE(processor.getState().loadUserPreset(name));

        for (auto& spec : parameterSpecs)
            EXPECT_EQ(harness::getPlain(processor, spec.id),
                      (float)saved.getChildWithProperty("id", spec.id).getProperty("value"))
                << name << ": " << spec.id;
        EXPECT_EQ(processor.getState().getCurrentPresetDisplayName(), name);
        EXPECT_TRUE(processor.getState().isCurrentPresetUser());
        if (HasFailure())
            break;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    stop.store(true);
    audio.join();

    EXPECT_GT(loads, 20);
    EXPECT_GT(blocks.load(), loads) << "the loads happened while audio played";
    EXPECT_LT(longestSilence.load(), 2) << "a run of silent samples in a steady tone: the output dropped out";
    EXPECT_FALSE(processor.isSuspended());
}
