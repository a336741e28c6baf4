// The LV2 entry points driven in-process, as a host's audio thread calls run(): nothing on
// that path may allocate, do I/O or wait for another thread.

#include "common/Lv2TestSupport.h"
#include "common/ProcessorHarness.h"
#include "common/RealtimeGuard.h"
#include "plugin/lv2/Lv2Descriptor.h"
#include "plugin/lv2/Lv2Ports.h"

#include <gtest/gtest.h>

namespace
{
struct HostedInstance
{
    explicit HostedInstance(int blockSize)
    {
        const LV2_Feature* features[] = {&urids.feature, nullptr};
        handle = descriptor.instantiate(&descriptor, 48000.0, "", features);
        connectControlsAtDefaults(controls, [this](uint32_t port, float* data)
                                  { descriptor.connect_port(handle, port, data); });
        descriptor.connect_port(handle, Lv2Ports::enabled, &enabled);
        for (auto& channel : audio)
            channel.assign((size_t)blockSize, 0.0f);
        for (uint32_t port = 0; port < Lv2Ports::firstControl; ++port)
            descriptor.connect_port(handle, port, audio[port % 2].data()); // in place, as hosts may
        descriptor.activate(handle);
    }

    ~HostedInstance()
    {
        descriptor.deactivate(handle);
        descriptor.cleanup(handle);
    }

    const LV2_Descriptor& descriptor = Lv2Descriptor::get(nullptr);
    Lv2UridMap urids;
    LV2_Handle handle = nullptr;
    Lv2Controls controls{};
    float enabled = 1.0f; // the host's bypass
    std::array<std::vector<float>, 2> audio;
};

juce::String describe(const RealtimeGuard::Counts& c)
{
    return juce::String(c.allocations) + " allocations, " + juce::String(c.deallocations) + " frees, " +
           juce::String(c.locks) + " locks, " + juce::String(c.io) + " I/O calls";
}
} // namespace

TEST(Lv2Realtime, RunNeitherAllocatesNorLocksNorDoesIo)
{
    HostedInstance host(1024);
    ASSERT_NE(host.handle, nullptr);
    const auto drums = harness::drumLikeSignal(1024, 700);
    const uint32_t lengths[] = {1, 64, 512, 1024, 0, 333};
    for (int block = 0; block < 400; ++block)
    {
        for (auto& channel : host.audio)
            std::copy(drums.begin(), drums.end(), channel.begin());
        RealtimeGuard::Scope scope;
        host.descriptor.run(host.handle, lengths[(size_t)block % std::size(lengths)]);
        const auto c = scope.counts();
        ASSERT_TRUE(c.clean()) << "block " << block << ": " << describe(c);
    }
}

// A control the host moves becomes the shaper's setting on the audio thread without going
// through the framework's parameters: nothing is allocated, locked or written, whatever the host
// sends, the bypass included.
TEST(Lv2Realtime, MovingControlsNeitherAllocatesNorLocksNorDoesIo)
{
    HostedInstance host(512);
    ASSERT_NE(host.handle, nullptr);
    const auto drums = harness::drumLikeSignal(512, 300);
    long moves = 0;
    for (int block = 0; block < 400; ++block)
    {
        juce::Random random(block);
        int moved = 0;
        for (size_t i = 0; i < host.controls.size(); ++i)
            if (random.nextInt(3) == 0)
            {
                const auto& spec = parameterSpecs[i];
                // Values out of range and NaN as well: a host may send anything.
                const float span = spec.maximum - spec.minimum;
                host.controls[i] = random.nextInt(20) == 0
                                       ? std::nanf("")
                                       : spec.minimum - 0.2f * span + random.nextFloat() * 1.4f * span;
                ++moved;
            }
        if (random.nextInt(4) == 0) // the host's bypass, switched either way
            host.enabled = host.enabled > 0.0f ? 0.0f : 1.0f;
        for (auto& channel : host.audio)
            std::copy(drums.begin(), drums.end(), channel.begin());
        RealtimeGuard::Scope scope;
        host.descriptor.run(host.handle, 512);
        const auto c = scope.counts();
        ASSERT_TRUE(c.clean()) << "block " << block << ": " << describe(c);
        moves += moved;
        for (const float sample : host.audio[0])
            ASSERT_TRUE(std::isfinite(sample)) << "block " << block;
    }
    EXPECT_GT(moves, 0);
}
