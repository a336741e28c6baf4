// An LV2 host may save the plug-in's state while its audio thread runs the plug-in (only
// restoring waits for the audio to stop). Run under ThreadSanitizer by the test scripts.

#include "common/Lv2TestSupport.h"
#include "common/ProcessorHarness.h"
#include "plugin/lv2/Lv2Instance.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <thread>

namespace
{
struct SavedState
{
    std::string bytes;
    uint32_t key = 0, type = 0;

    static LV2_State_Status store(LV2_State_Handle handle, uint32_t key, const void* value, size_t size,
                                  uint32_t type, uint32_t)
    {
        auto& self = *static_cast<SavedState*>(handle);
        self.bytes.assign(static_cast<const char*>(value), size);
        self.key = key;
        self.type = type;
        return LV2_STATE_SUCCESS;
    }

    static const void* retrieve(LV2_State_Handle handle, uint32_t key, size_t* size, uint32_t* type,
                                uint32_t*)
    {
        auto& self = *static_cast<SavedState*>(handle);
        if (key != self.key)
            return nullptr;
        *size = self.bytes.size();
        *type = self.type;
        return self.bytes.data();
    }
};
} // namespace

TEST(Concurrency, Lv2StateSavedWhileTheAudioThreadRunsAndMovesControls)
{
    Lv2UridMap urids;
    const LV2_Feature* features[] = {&urids.feature, nullptr};
    auto instance = Lv2Instance::create(48000.0, features);
    ASSERT_NE(instance, nullptr);

    Lv2Controls controls;
    connectControlsAtDefaults(controls,
                              [&](uint32_t port, float* data) { instance->connectPort(port, data); });
    std::vector<float> left(256), right(256);
    instance->connectPort(Lv2Ports::audioInLeft, left.data());
    instance->connectPort(Lv2Ports::audioOutLeft, left.data());
    instance->connectPort(Lv2Ports::audioInRight, right.data());
    instance->connectPort(Lv2Ports::audioOutRight, right.data());
    instance->activate();

    std::atomic<bool> stop{false}, finite{true};
    std::atomic<int> blocks{0};
    std::thread audio(
        [&]
        {
            const auto drums = harness::drumLikeSignal(256, 100);
            juce::Random random(3);
            while (!stop.load())
            {
                // The host writes the control ports on its audio thread, between runs.
                const auto i = (size_t)random.nextInt((int)controls.size());
                const auto& spec = parameterSpecs[i];
                controls[i] = spec.minimum + random.nextFloat() * (spec.maximum - spec.minimum);
                std::copy(drums.begin(), drums.end(), left.begin());
                std::copy(drums.begin(), drums.end(), right.begin());
                instance->run(256);
                for (const float sample : left)
                    if (!std::isfinite(sample))
                        finite.store(false);
                ++blocks;
            }
        });

    SavedState saved;
    int saves = 0;
    const auto end = juce::Time::getMillisecondCounter() + 2000;
    while (juce::Time::getMillisecondCounter() < end)
    {
        ASSERT_EQ(instance->save(&SavedState::store, &saved), LV2_STATE_SUCCESS);
        ASSERT_FALSE(saved.bytes.empty());
        ++saves;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    stop.store(true);
    audio.join();
    instance->deactivate();

    EXPECT_GT(blocks.load(), 10);
    EXPECT_GT(saves, 10);
    EXPECT_TRUE(finite.load());
    // The last state saved mid-run is whole: another instance takes it and saves it again byte
    // for byte.
    auto other = Lv2Instance::create(48000.0, features);
    ASSERT_NE(other, nullptr);
    ASSERT_EQ(other->restore(&SavedState::retrieve, &saved), LV2_STATE_SUCCESS);
    SavedState again;
    ASSERT_EQ(other->save(&SavedState::store, &again), LV2_STATE_SUCCESS);
    EXPECT_EQ(again.bytes, saved.bytes);
}
