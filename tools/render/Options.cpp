#include "Options.h"

#include "RenderError.h"
#include "SettingsHelp.h"

#include "state/PresetStore.h"

namespace
{
juce::File fileFromArgument(const juce::String& path)
{
    return juce::File::getCurrentWorkingDirectory().getChildFile(path);
}

// Where --preset-root DIR makes the tool look for user presets, with "DIR" standing for the
// folder given.
juce::String presetFolderBelow(const juce::String& rootName)
{
    const auto root = juce::File::getSpecialLocation(juce::File::tempDirectory).getChildFile(rootName);
    PresetStore store(PresetFolderIdentity::tarvolt());
    store.setRootFolder(root);
    return rootName + juce::File::getSeparatorString() + store.getPresetFolder().getRelativePathFrom(root);
}
} // namespace

Options parseArguments(const juce::StringArray& args)
{
    Options options;
    for (int i = 0; i < args.size(); ++i)
    {
        const auto& arg = args[i];
        auto nextValue = [&]() -> juce::String {
            if (i + 1 >= args.size())
                fail(arg + " needs a value");
            return args[++i];
        };
        auto choosePreset = [&](bool userOnly) {
            if (options.preset)
                fail("give one preset: --preset or --user-preset, once");
            options.preset = PresetChoice{nextValue(), userOnly};
        };

        if (arg == "-h" || arg == "--help")
        {
            options.help = true;
            return options;
        }
        else if (arg == "-o" || arg == "--output")
        {
            const auto path = nextValue();
            options.output = fileFromArgument(path);
            options.outputIsFolder = path.endsWith("/") || path.endsWith(juce::File::getSeparatorString())
                                     || options.output.isDirectory();
        }
        else if (arg == "--demo")
            options.demo = true;
        else if (arg == "--set")
        {
            juce::String error;
            const auto setting = parseParameterSetting(nextValue(), error);
            if (!setting)
                fail(error);
            options.settings.push_back(*setting);
        }
        else if (arg == "--preset")
            choosePreset(false);
        else if (arg == "--user-preset")
            choosePreset(true);
        else if (arg == "--list-presets")
            options.listPresets = true;
        else if (arg == "--preset-root")
            options.presetRoot = fileFromArgument(nextValue());
        else if (arg == "--block")
        {
            const auto text = nextValue();
            options.blockSize = text.getIntValue();
            if (!text.containsOnly("0123456789") || options.blockSize < 1 || options.blockSize > 65536)
                fail("block size must be 1 to 65536, got \"" + text + "\"");
        }
        else if (arg == "--quiet")
            options.quiet = true;
        else if (arg == "--instruction-set")
            options.instructionSet = nextValue();
        else if (arg.startsWith("-") && arg != "-")
            fail("unknown option " + arg + " (see --help)");
        else
            options.inputs.push_back(fileFromArgument(arg));
    }

    if (options.demo && !options.inputs.empty())
        fail("--demo renders the built-in drums and takes no input file");
    if (options.inputs.size() > 1 && options.output != juce::File() && !options.outputIsFolder)
        fail("several inputs need an output folder (-o FOLDER/), not the file " + options.output.getFullPathName());
    return options;
}

juce::String usageSynopsis()
{
    return "usage: tarvolt-render INPUT... [-o OUTPUT] [--preset NAME | --user-preset NAME] [--set id=value]...\n"
           "                      [--block N] [--quiet] [--preset-root DIR]\n"
           "       tarvolt-render --demo [-o OUTPUT] [options as above]\n"
           "       tarvolt-render --list-presets [--preset-root DIR]\n";
}

juce::String usageText()
{
    const auto optionColumn = juce::String::repeatedString(" ", 21);
    juce::String settable;
    for (const auto& line : describeSettableParameters())
        settable << optionColumn << "  " << line << "\n";

    return usageSynopsis()
           + "\n"
             "Processes INPUT (a WAV or AIFF file, mono or stereo) with Tarvolt and writes OUTPUT in the same\n"
             "sample format (default: INPUT-tarvolt.wav next to the input). The extension of OUTPUT picks the\n"
             "file type: .wav, or .aif/.aiff (AIFF holds up to 24 bits).\n"
             "Several inputs need an output folder (-o FOLDER/): each output takes its input's name there, and\n"
             "the files are rendered side by side, one per CPU core.\n"
             "\n"
             "  -o, --output PATH  the output file, or a folder: an existing one, or a path ending in /\n"
             "                     (created when missing)\n"
             "  --demo             render a built-in drum demo to OUTPUT (default tarvolt-demo.wav) and the\n"
             "                     unprocessed drums next to it (OUTPUT-dry.wav)\n"
             "  --preset NAME      start from a preset: a factory preset by its exact name, else the user\n"
             "                     preset of that name; --set options apply on top of it\n"
             "  --user-preset NAME start from your user preset NAME, even when a factory preset has that name\n"
             "  --set id=value     a parameter in its own unit, the unit optional (attack=6, \"attack=+6 dB\",\n"
             "                     mix=70%), or a choice by name (mode=Tight):\n"
           + settable
           + "  --list-presets     print the factory presets, then the user presets, each group under its\n"
             "                     heading, one name a line, indented by two spaces\n"
             "  --preset-root DIR  read user presets from "
           + presetFolderBelow("DIR")
           + "\n"
             "                     instead of the user's application-data folder\n"
             "  --block N          host block size (default 512)\n"
             "  --quiet            no progress bar (it is only drawn when stderr is a terminal)\n"
             "  --instruction-set generic|avx2|avx512\n"
             "                     for developers: run the kernels of that instruction set (the best\n"
             "                     one the processor supports is the default)\n"
             "\n"
             "Exit status: 0 when everything was written; 1 when some of several inputs could not be rendered\n"
             "(the others are written); 2 for an error in the arguments, or when a single input cannot be\n"
             "rendered (nothing is written then).\n";
}
