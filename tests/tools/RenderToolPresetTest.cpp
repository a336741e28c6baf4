// Runs the built tarvolt-render binary with its preset options.

#include "RenderToolSupport.h"
#include "presets/FactoryPresets.h"
#include "presets/PresetTestSupport.h"

using namespace renderTool;

namespace
{
constexpr double sampleRate = 48000.0;

juce::AudioBuffer<float> drums()
{
    return harness::makeBuffer(2, harness::drumLikeSignal((int) sampleRate, 12000));
}

struct RenderToolPresets : ::testing::Test
{
    TestPresetRoot root;
    TestPresetRoot work;
};
} // namespace

TEST_F(RenderToolPresets, ListsFactoryNamesThenUserNames)
{
    writeUserPreset(root.folder(), "b.xml", presetDocument({}));
    writeUserPreset(root.folder(), "A.xml", presetDocument({}));

    const auto r = run({"--list-presets", "--preset-root", root.folder().getFullPathName()}, {},
                       juce::ChildProcess::wantStdOut);

    EXPECT_EQ(r.exitCode, 0);
    juce::StringArray expected;
    for (const auto& preset : factoryPresetTable)
        expected.add(preset.name);
    expected.addArray({"A", "b"});
    EXPECT_EQ(outputLines(r.output), expected);
}

TEST_F(RenderToolPresets, HelpNamesTheFolderUserPresetsAreReadFrom)
{
    const auto help = run({"--help"}, {}, juce::ChildProcess::wantStdOut);
    ASSERT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.output.contains("--preset-root DIR  read user presets from DIR/" + userPresetFolderBelowRoot()))
        << help.output;
}

TEST_F(RenderToolPresets, ANameThatIsNeitherPresetIsAOneLineErrorAndWritesNothing)
{
    writeUserPreset(root.folder(), "Broken.xml", "<PARAMETERS");
    const auto input = work.folder().getChildFile("in.wav");
    writeWav(input, drums(), sampleRate, 32);

    for (auto name : {"bass knock", "Missing", "Broken"})
    {
        SCOPED_TRACE(name);
        const auto r = run({input.getFullPathName(), "-o", work.folder().getChildFile("out.wav").getFullPathName(),
                            "--preset", name, "--preset-root", root.folder().getFullPathName()});
        EXPECT_EQ(r.exitCode, 2);
        const auto lines = outputLines(r.output);
        ASSERT_EQ(lines.size(), 1) << r.output;
        EXPECT_TRUE(
            lines[0].startsWith("tarvolt-render: error: no preset named \"" + juce::String(name) + "\""));
        EXPECT_EQ(work.allEntries(), juce::StringArray({"in.wav"}));
    }
}

TEST_F(RenderToolPresets, PresetIsAppliedBeforeTheSettings)
{
    const auto source = drums();
    const auto input = work.folder().getChildFile("in.wav");
    writeWav(input, source, sampleRate, 32);
    {
        TarvoltAudioProcessor userSide;
        root.attach(userSide);
        harness::setPlain(userSide, "attack", -11.0f);
        harness::setPlain(userSide, "focus", 0.0f);
        ASSERT_TRUE(userSide.saveUserPreset("Soft Low"));
        harness::setPlain(userSide, ParameterIDs::link, (float) LinkIndex::on);
        harness::setPlain(userSide, ParameterIDs::quality, (float) QualityIndex::high);
        ASSERT_TRUE(userSide.saveUserPreset("Linked High"));
    }

    struct Case
    {
        const char* description;
        juce::StringArray arguments;
        std::function<void(TarvoltAudioProcessor&)> configure;
    };
    const Case cases[] = {
        {"factory preset", {"--preset", "Snare Snap"}, [](auto& p) { p.loadFactoryPreset("Snare Snap"); }},
        {"factory preset, then a setting",
         {"--preset", "Snare Snap", "--set", "attack=0"},
         [](auto& p)
         {
             p.loadFactoryPreset("Snare Snap");
             harness::setPlain(p, "attack", 0.0f);
         }},
        {"setting given first still applies last",
         {"--set", "attack=0", "--preset", "Snare Snap"},
         [](auto& p)
         {
             p.loadFactoryPreset("Snare Snap");
             harness::setPlain(p, "attack", 0.0f);
         }},
        {"user preset",
         {"--preset", "Soft Low"},
         [this](auto& p)
         {
             root.attach(p);
             ASSERT_TRUE(p.loadUserPreset("Soft Low"));
         }},
        {"user preset saved at High quality: the link comes back, the quality stays",
         {"--preset", "Linked High"},
         [](auto& p)
         {
             harness::setPlain(p, "attack", -11.0f);
             harness::setPlain(p, "focus", 0.0f);
             harness::setPlain(p, ParameterIDs::link, (float) LinkIndex::on);
         }},
    };

    const auto defaultRender = renderInProcess(source, sampleRate, [](auto&) {});
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.description);
        const auto output = work.folder().getChildFile("out.wav");
        auto arguments = c.arguments;
        arguments.addArray({input.getFullPathName(), "-o", output.getFullPathName(), "--quiet",
                            "--preset-root", root.folder().getFullPathName()});

        const auto r = run(arguments);
        ASSERT_EQ(r.exitCode, 0) << r.output;

        const auto expected = renderInProcess(source, sampleRate, c.configure);
        ASSERT_GT(maxDifference(expected, defaultRender), 1.0e-3f) << "the case must change the sound";
        EXPECT_LT(maxDifference(readWav(output).audio, expected), 1.0e-6f);
        output.deleteFile();
    }
}
