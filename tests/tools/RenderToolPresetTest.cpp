// Runs the built tarvolt-render binary with its preset options.

#include "RenderToolSupport.h"
#include "state/FactoryPresets.h"
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

TEST_F(RenderToolPresets, ListsFactoryNamesThenUserNamesEachUnderItsHeading)
{
    const auto list = [this] {
        return run({"--list-presets", "--preset-root", root.folder().getFullPathName()}, {},
                   juce::ChildProcess::wantStdOut);
    };
    const auto userHeading = "User presets (in " + root.folder().getChildFile(userPresetFolderBelowRoot()).getFullPathName()
                             + "):";
    juce::StringArray factory{"Factory presets:"};
    for (const auto& preset : factoryPresetTable)
        factory.add("  " + juce::String(preset.name));

    auto r = list();
    EXPECT_EQ(r.exitCode, 0);
    auto expected = factory;
    expected.add(userHeading + " none");
    EXPECT_EQ(outputLines(r.output).joinIntoString("\n"), expected.joinIntoString("\n"));

    // A user preset named like a factory one is listed in its group, and the list says how to reach it.
    writeUserPreset(root.folder(), "b.xml", presetDocument({}));
    writeUserPreset(root.folder(), "A.xml", presetDocument({}));
    writeUserPreset(root.folder(), "Snare Snap.xml", presetDocument({}));
    r = list();
    EXPECT_EQ(r.exitCode, 0);
    expected = factory;
    expected.addArray({userHeading, "  A", "  b", "  Snare Snap",
                       "A user preset with a factory preset's name is reached with --user-preset NAME."});
    EXPECT_EQ(outputLines(r.output).joinIntoString("\n"), expected.joinIntoString("\n"));
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

    struct Case
    {
        const char* option;
        const char* name;
        const char* message;
    };
    const Case cases[] = {
        {"--preset", "bass knock", "no preset named \"bass knock\": not a factory preset, and no readable user preset"},
        {"--preset", "Missing", "no preset named \"Missing\""},
        {"--preset", "Broken", "no preset named \"Broken\""},
        {"--user-preset", "Snare Snap", "no user preset named \"Snare Snap\": no readable user preset"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.name);
        const auto r = run({input.getFullPathName(), "-o", work.folder().getChildFile("out.wav").getFullPathName(),
                            c.option, c.name, "--preset-root", root.folder().getFullPathName()});
        EXPECT_EQ(r.exitCode, 2);
        const auto lines = outputLines(r.output);
        ASSERT_EQ(lines.size(), 1) << r.output;
        EXPECT_TRUE(lines[0].startsWith("tarvolt-render: error: " + juce::String(c.message))) << lines[0];
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
        ASSERT_TRUE(userSide.getState().saveUserPreset("Soft Low"));
        harness::setPlain(userSide, ParameterIDs::link, (float) choiceIndex(StereoLink::on));
        harness::setPlain(userSide, ParameterIDs::quality, (float) choiceIndex(Quality::high));
        ASSERT_TRUE(userSide.getState().saveUserPreset("Linked High"));
        harness::setPlain(userSide, ParameterIDs::link, (float) choiceIndex(StereoLink::off));
        harness::setPlain(userSide, ParameterIDs::quality, (float) choiceIndex(Quality::standard));
        harness::setPlain(userSide, "mode", 2.0f);
        ASSERT_TRUE(userSide.getState().saveUserPreset("Snare Snap"));
    }

    struct Case
    {
        const char* description;
        juce::StringArray arguments;
        std::function<void(TarvoltAudioProcessor&)> configure;
    };
    const Case cases[] = {
        {"factory preset", {"--preset", "Snare Snap"}, [](auto& p) { p.getState().loadFactoryPreset("Snare Snap"); }},
        {"factory preset, then a setting",
         {"--preset", "Snare Snap", "--set", "attack=0"},
         [](auto& p)
         {
             p.getState().loadFactoryPreset("Snare Snap");
             harness::setPlain(p, "attack", 0.0f);
         }},
        {"setting given first still applies last",
         {"--set", "attack=0", "--preset", "Snare Snap"},
         [](auto& p)
         {
             p.getState().loadFactoryPreset("Snare Snap");
             harness::setPlain(p, "attack", 0.0f);
         }},
        {"user preset",
         {"--preset", "Soft Low"},
         [this](auto& p)
         {
             root.attach(p);
             ASSERT_TRUE(p.getState().loadUserPreset("Soft Low"));
         }},
        {"user preset saved at High quality: the link comes back, the quality stays",
         {"--preset", "Linked High"},
         [](auto& p)
         {
             harness::setPlain(p, "attack", -11.0f);
             harness::setPlain(p, "focus", 0.0f);
             harness::setPlain(p, ParameterIDs::link, (float) choiceIndex(StereoLink::on));
         }},
        {"user preset by --user-preset",
         {"--user-preset", "Soft Low"},
         [this](auto& p)
         {
             root.attach(p);
             ASSERT_TRUE(p.getState().loadUserPreset("Soft Low"));
         }},
        {"user preset with a factory preset's name",
         {"--user-preset", "Snare Snap"},
         [this](auto& p)
         {
             root.attach(p);
             ASSERT_TRUE(p.getState().loadUserPreset("Snare Snap"));
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
