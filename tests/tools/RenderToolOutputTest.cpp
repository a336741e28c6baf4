// The render tool's outputs: file types by extension, several inputs into a folder, and what an
// interrupted render leaves behind.

#include "RenderToolSupport.h"
#include "presets/PresetTestSupport.h"

#include <csignal>
#include <spawn.h>
#include <sys/wait.h>

using namespace renderTool;

extern char** environ;

namespace
{
// Quiet enough not to clip in an integer output after the boost of the settings used below.
juce::AudioBuffer<float> drums(int channels, int length, unsigned seed = 5)
{
    auto audio = harness::makeBuffer(channels, harness::drumLikeSignal(length, 3000, seed));
    audio.applyGain(0.25f);
    return audio;
}

juce::String firstBytes(const juce::File& file)
{
    juce::FileInputStream in(file);
    return in.openedOk() ? in.readString().substring(0, 4) : juce::String();
}

struct RenderToolOutputs : ::testing::Test
{
    TestPresetRoot work;
    juce::File dir = work.folder();
};
} // namespace

TEST_F(RenderToolOutputs, WritesTheFileTypeTheExtensionNames)
{
    writeWav(dir.getChildFile("in24.wav"), drums(2, 9000), 44100.0, 24);
    writeWav(dir.getChildFile("in32.wav"), drums(1, 9000), 44100.0, 32);
    ASSERT_EQ(run({"in24.wav", "-o", "reference.wav", "--set", "attack=6"}, dir).exitCode, 0);
    const auto reference = readWav(dir.getChildFile("reference.wav"));

    struct Case
    {
        const char* input;
        const char* output;
        const char* magic; // the file's first four bytes
        int bits;
        const char* warning; // on stderr; empty for none
    };
    const Case cases[] = {
        {"in24.wav", "out.WAV", "RIFF", 24, ""},
        {"in24.wav", "out.aif", "FORM", 24, ""},
        {"in24.wav", "out.aiff", "FORM", 24, ""},
        {"in24.wav", "out.AIFF", "FORM", 24, ""},
        // AIFF holds no 32-bit float samples: 24 bits, and a word about it.
        {"in32.wav", "float.aiff", "FORM", 24, "holds 24-bit samples: AIFF holds no more than 24 bits"},
    };
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.output);
        const auto r = runSplit({c.input, "-o", c.output, "--set", "attack=6"}, dir);
        ASSERT_EQ(r.exitCode, 0) << r.err;
        const auto file = dir.getChildFile(c.output);
        EXPECT_EQ(firstBytes(file), c.magic);
        const auto written = readWav(file);
        EXPECT_EQ(written.bits, c.bits);
        if (juce::String(c.warning).isEmpty())
        {
            EXPECT_TRUE(r.err.isEmpty()) << r.err;
            EXPECT_EQ(maxDifference(written.audio, reference.audio), 0.0f);
        }
        else
            EXPECT_TRUE(r.err.startsWith("tarvolt-render: warning: " + file.getFullPathName() + " " + c.warning))
                << r.err;
        file.deleteFile();
    }
}

TEST_F(RenderToolOutputs, SeveralInputsGoIntoAFolderUnderTheirNamesAndABadOneDoesNotStopTheOthers)
{
    writeWav(dir.getChildFile("kick.wav"), drums(2, 30000, 1), 48000.0, 32);
    writeAudio(juce::AiffAudioFormat(), dir.getChildFile("snare.aiff"), drums(1, 20000, 2), 44100.0, 16);
    writeWav(dir.getChildFile("hats.wav"), drums(2, 25000, 3), 96000.0, 24);
    dir.getChildFile("broken.wav").replaceWithText("not audio");
    const juce::StringArray good{"kick.wav", "snare.aiff", "hats.wav"};
    const juce::StringArray settings{"--set", "attack=8", "--preset", "Snare Snap"};

    // Each file alone, for comparison.
    ASSERT_TRUE(dir.getChildFile("alone").createDirectory());
    for (const auto& name : good)
    {
        auto args = settings;
        args.addArray({name, "-o", "alone/" + name});
        ASSERT_EQ(run(args, dir).exitCode, 0) << name;
    }

    struct Case
    {
        const char* description;
        juce::StringArray inputs;
        const char* output;
        int exitCode;
    };
    const Case cases[] = {
        {"a new folder, named with a trailing slash", good, "shaped/", 0},
        {"an existing folder, without the slash", good, "alone-too", 0},
        {"a bad file among them", {"kick.wav", "broken.wav", "snare.aiff", "hats.wav"}, "with-bad/", 1},
    };
    ASSERT_TRUE(dir.getChildFile("alone-too").createDirectory());
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.description);
        auto args = settings;
        args.addArray(c.inputs);
        args.addArray({"-o", c.output});
        const auto r = runSplit(args, dir);
        EXPECT_EQ(r.exitCode, c.exitCode) << r.err;

        const auto folder = dir.getChildFile(c.output);
        juce::StringArray written;
        for (const auto& file : folder.findChildFiles(juce::File::findFilesAndDirectories, false, "*"))
            written.add(file.getFileName());
        written.sort(false);
        auto expected = good;
        expected.sort(false);
        EXPECT_EQ(written.joinIntoString(", "), expected.joinIntoString(", ")) << "one output per good input, only";
        for (const auto& name : good)
        {
            EXPECT_TRUE(folder.getChildFile(name).hasIdenticalContentTo(dir.getChildFile("alone/" + name))) << name;
            EXPECT_TRUE(r.out.contains(dir.getChildFile(name).getFullPathName() + " -> "
                                       + folder.getChildFile(name).getFullPathName() + "\n"))
                << r.out;
        }
        EXPECT_EQ(outputLines(r.out).size(), 6 + 4 + 6) << "a whole report per file (2 lines, 2 per channel):\n"
                                                        << r.out;

        if (c.exitCode == 0)
            EXPECT_TRUE(r.err.isEmpty()) << r.err;
        else
        {
            const auto broken = dir.getChildFile("broken.wav").getFullPathName();
            juce::StringArray errors;
            errors.add("tarvolt-render: error: unsupported or unreadable audio file: " + broken
                       + " (WAV or AIFF expected)");
            errors.add("tarvolt-render: error: 1 of 4 inputs not rendered: " + broken);
            EXPECT_EQ(outputLines(r.err), errors);
        }
    }
}

// Ctrl-C or a kill in the middle of a long render: the partial output goes, and a file already
// there under the output's name stays as it was.
TEST_F(RenderToolOutputs, ASignalDuringARenderRemovesThePartialFile)
{
    // Long enough at one sample a block in High quality to be caught in the middle.
    writeWav(dir.getChildFile("long.wav"), drums(1, 4000000), 8000.0, 16);
    const auto existing = dir.getChildFile("out.wav");

    for (const int signal : {SIGINT, SIGTERM})
    {
        SCOPED_TRACE(strsignal(signal));
        existing.replaceWithText("keep me");
        const auto before = work.allEntries();

        const std::string tool = TARVOLT_RENDER_TOOL;
        const auto input = dir.getChildFile("long.wav").getFullPathName().toStdString();
        const auto output = existing.getFullPathName().toStdString();
        std::vector<std::string> args{tool, input, "-o", output, "--block", "1", "--set", "quality=High", "--quiet"};
        std::vector<char*> argv;
        for (auto& a : args)
            argv.push_back(a.data());
        argv.push_back(nullptr);

        posix_spawnattr_t attributes;
        posix_spawnattr_init(&attributes);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGINT);
        sigaddset(&defaults, SIGTERM);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGDEF);
        pid_t pid = 0;
        ASSERT_EQ(posix_spawn(&pid, tool.c_str(), nullptr, &attributes, argv.data(), environ), 0);
        posix_spawnattr_destroy(&attributes);

        // Wait for the hidden temporary file to hold some audio (a minute at most, for slow builds).
        bool partial = false;
        for (const auto end = juce::Time::getMillisecondCounter() + 60000;
             !partial && juce::Time::getMillisecondCounter() < end;)
        {
            for (const auto& file : dir.findChildFiles(juce::File::findFiles, false, ".*"))
                partial = partial || file.getSize() > 16000; // the first flush of the file stream
            if (!partial)
                juce::Thread::sleep(5);
        }
        EXPECT_TRUE(partial) << "no partial output seen";
        kill(pid, signal);
        int status = 0;
        ASSERT_EQ(waitpid(pid, &status, 0), pid);
        ASSERT_TRUE(WIFSIGNALED(status)) << "ended by the signal, not finished first: status " << status;
        EXPECT_EQ(WTERMSIG(status), signal);

        EXPECT_EQ(work.allEntries().joinIntoString(", "), before.joinIntoString(", ")) << "no temporary file left";
        EXPECT_EQ(existing.loadFileAsString(), "keep me");
    }
}
