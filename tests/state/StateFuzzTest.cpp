#include "presets/Fuzzing.h"
#include "presets/PresetTestSupport.h"

namespace
{
juce::Array<juce::MemoryBlock> realBlobs()
{
    juce::Array<juce::MemoryBlock> blobs;
    auto add = [&](TarvoltAudioProcessor& processor)
    {
        juce::MemoryBlock blob;
        processor.getStateInformation(blob);
        blobs.add(blob);
    };

    TarvoltAudioProcessor processor;
    add(processor);
    processor.getState().loadFactoryPreset("Punchy Kicks");
    harness::setPlain(processor, "output", -4.0f);
    add(processor);
    processor.getState().getCurrentPreset().set("My \"Kit\" & <Co>", true, false);
    add(processor);
    processor.setStateInformation(blobs.getLast().getData(), (int)blobs.getLast().getSize());
    add(processor);
    return blobs;
}

void setLength(juce::MemoryBlock& blob, juce::int32 length)
{
    auto* bytes = static_cast<juce::uint8*>(blob.getData());
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = (juce::uint8)(((juce::uint32)length >> (8 * i)) & 0xff);
}

// Blobs that are malformed by construction: too short, wrong magic, a length of 0 or below, or
// text cut short.
juce::MemoryBlock malformedBlob(const juce::Array<juce::MemoryBlock>& seeds, juce::Random& random)
{
    auto blob = seeds[random.nextInt(seeds.size())];
    const int textLength = (int)blob.getSize() - 9;
    switch (random.nextInt(4))
    {
        case 0:
            return fuzzing::randomBytes(random, 8);
        case 1:
            static_cast<juce::uint8*>(blob.getData())[random.nextInt(4)] ^=
                (juce::uint8)(1 + random.nextInt(255));
            break;
        case 2:
            setLength(blob, -random.nextInt(std::numeric_limits<int>::max()));
            break;
        default:
        {
            const int cut = 1 + random.nextInt(textLength - 1);
            if (random.nextBool())
                setLength(blob, cut);
            else
                blob.setSize(8 + (size_t)cut);
            break;
        }
    }
    return blob;
}

juce::MemoryBlock anyBlob(const juce::Array<juce::MemoryBlock>& seeds, juce::Random& random)
{
    if (random.nextInt(3) > 0)
        return fuzzing::mutated(seeds[random.nextInt(seeds.size())], random);

    const auto text = random.nextBool() ? fuzzing::randomMarkup(random, random.nextInt(40))
                                        : fuzzing::randomBytes(random, 300);
    juce::MemoryOutputStream out;
    out.writeInt(0x21324356);
    out.writeInt((int)text.getSize());
    out.write(text.getData(), text.getSize());
    out.writeByte(0);
    return out.getMemoryBlock();
}

struct StateFuzz : ::testing::Test
{
    StateFuzz()
    {
        harness::prepare(processor, 2, 48000.0);
        setUnusualValues(processor);
        processor.getState().getCurrentPreset().set(sentinelName, true, true);
        sentinel = observableState(processor);
    }

    void restoreSentinel()
    {
        processor.setStateInformation(sentinel.getData(), (int)sentinel.getSize());
        ASSERT_EQ(observableState(processor), sentinel);
    }

    // Either the blob was ignored and nothing changed, or it was taken as a whole.
    void expectIgnoredOrTaken()
    {
        if (processor.getState().getCurrentPresetName() == sentinelName)
        {
            EXPECT_EQ(observableState(processor), sentinel);
            return;
        }
        ++taken;
        EXPECT_TRUE(processor.getState().getCurrentPresetName().isNotEmpty());
        fuzzing::expectSane(processor);
        restoreSentinel();
    }

    static constexpr const char* sentinelName = "Sentinel before the fuzz input";
    TarvoltAudioProcessor processor;
    juce::MemoryBlock sentinel;
    int taken = 0;
};
} // namespace

TEST_F(StateFuzz, MalformedBlobsChangeNothing)
{
    const auto seeds = realBlobs();
    juce::Random random(0x51a7e);
    for (int i = 0; i < 2000 && !HasFailure(); ++i)
    {
        const auto blob = malformedBlob(seeds, random);
        SCOPED_TRACE("input " + std::to_string(i) + ": " + fuzzing::describe(blob));
        EXPECT_NO_THROW(processor.setStateInformation(blob.getData(), (int)blob.getSize()));
        EXPECT_EQ(observableState(processor), sentinel);
    }
}

TEST_F(StateFuzz, RandomAndMutatedBlobsAreIgnoredOrTakenWhole)
{
    const auto seeds = realBlobs();
    juce::Random random(0xb10b);
    const int inputs = 3000;
    for (int i = 0; i < inputs && !HasFailure(); ++i)
    {
        const auto blob = anyBlob(seeds, random);
        SCOPED_TRACE("input " + std::to_string(i) + ": " + fuzzing::describe(blob));
        EXPECT_NO_THROW(processor.setStateInformation(blob.getData(), (int)blob.getSize()));
        expectIgnoredOrTaken();
    }

    // Both outcomes must have been exercised for the test to mean anything.
    EXPECT_GT(taken, inputs / 20);
    EXPECT_LT(taken, inputs - inputs / 20);
}
