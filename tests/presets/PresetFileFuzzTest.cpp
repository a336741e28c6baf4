#include "Fuzzing.h"
#include "PresetTestSupport.h"

namespace
{
// Real preset files to mutate: the defaults, a factory preset, and a tree that carries
// attributes of a restored host state.
juce::Array<juce::MemoryBlock> realPresetFiles(const TestPresetRoot& root)
{
    TarvoltAudioProcessor processor;
    root.attach(processor);
    processor.getState().saveUserPreset("Defaults");
    processor.getState().loadFactoryPreset("Aggro Parallel");
    processor.getState().saveUserPreset("Aggro");
    juce::MemoryBlock blob;
    processor.getStateInformation(blob);
    processor.setStateInformation(blob.getData(), (int)blob.getSize());
    processor.getState().saveUserPreset("Restored");

    juce::Array<juce::MemoryBlock> files;
    for (auto name : {"Defaults", "Aggro", "Restored"})
    {
        juce::MemoryBlock data;
        root.presetFolder().getChildFile(juce::String(name) + ".xml").loadFileAsData(data);
        files.add(data);
    }
    return files;
}
} // namespace

TEST(PresetFileFuzz, RandomAndMutatedFilesNeverCrashAndAFailedLoadChangesNothing)
{
    TestPresetRoot root;
    const auto seeds = realPresetFiles(root);
    ASSERT_EQ(seeds.size(), 3);
    ASSERT_GT(seeds[0].getSize(), 100u);

    TarvoltAudioProcessor processor;
    root.attach(processor);
    harness::prepare(processor, 2, 48000.0);
    setUnusualValues(processor);
    processor.getState().getCurrentPreset().set("Before", false, true);
    const auto before = observableState(processor);
    const auto fuzzFile = root.presetFolder().getChildFile("Fuzz.xml");

    juce::Random random(0x7a4b01);
    int loaded = 0, refused = 0;
    for (int i = 0; i < 3000 && !::testing::Test::HasFailure(); ++i)
    {
        juce::MemoryBlock input;
        switch (i % 3)
        {
            case 0:
                input = fuzzing::randomBytes(random, 600);
                break;
            case 1:
                input = fuzzing::randomMarkup(random, random.nextInt(40));
                break;
            default:
                input = fuzzing::mutated(seeds[random.nextInt(seeds.size())], random);
                break;
        }
        SCOPED_TRACE("input " + std::to_string(i) + ": " + fuzzing::describe(input));
        ASSERT_TRUE(fuzzFile.replaceWithData(input.getData(), input.getSize()));

        bool ok = false;
        EXPECT_NO_THROW(ok = processor.getState().loadUserPreset("Fuzz"));
        EXPECT_FALSE(processor.isSuspended());
        if (!ok)
        {
            ++refused;
            EXPECT_EQ(observableState(processor), before);
            continue;
        }

        ++loaded;
        EXPECT_EQ(processor.getState().getCurrentPresetDisplayName(), "Fuzz");
        EXPECT_TRUE(processor.getState().isCurrentPresetUser());
        fuzzing::expectSane(processor);
        processor.setStateInformation(before.getData(), (int)before.getSize());
        ASSERT_EQ(observableState(processor), before);
    }

    // Both outcomes must have been exercised for the test to mean anything.
    EXPECT_GT(loaded, 100);
    EXPECT_GT(refused, 100);
}
