#include "Options.h"

#include "RenderError.h"
#include "SettingsHelp.h"

#include "presets/PresetStore.h"

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
    PresetStore store(ProductInfo::tarvolt());
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

        if (arg == "-h" || arg == "--help")
        {
            options.help = true;
            return options;
        }
        else if (arg == "-o" || arg == "--output")
            options.output = fileFromArgument(nextValue());
        else if (arg == "--set")
        {
            juce::String error;
            const auto setting = parseParameterSetting(nextValue(), error);
            if (!setting)
                fail(error);
            options.settings.push_back(*setting);
        }
        else if (arg == "--preset")
            options.preset = nextValue();
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
        else if (options.rendersDemo())
            options.input = fileFromArgument(arg);
        else
            fail("more than one input file given");
    }
    return options;
}

juce::String usageText()
{
    const auto optionColumn = juce::String::repeatedString(" ", 19);
    juce::String settable;
    for (const auto& line : describeSettableParameters())
        settable << optionColumn << "  " << line << "\n";

    return "usage: tarvolt-render [INPUT.wav] [-o OUTPUT.wav] [--preset NAME] [--set id=value]... [--block N]\n"
           "                      [--quiet] [--preset-root DIR]\n"
           "       tarvolt-render --list-presets [--preset-root DIR]\n"
           "\n"
           "Processes INPUT.wav (mono or stereo) with Tarvolt and writes OUTPUT.wav in the same format\n"
           "(default: INPUT-tarvolt.wav). Without an input it renders a built-in drum demo to\n"
           "tarvolt-demo.wav and writes the unprocessed demo to tarvolt-demo-dry.wav.\n"
           "\n"
           "  --preset NAME    start from a preset: a factory preset by its exact name, else the\n"
           "                   user preset of that name; --set options apply on top of it\n"
           "  --set id=value   a parameter in its own unit or a choice by name (attack=6, mode=Tight):\n"
           + settable
           + "  --list-presets   print the factory preset names, then the user preset names\n"
             "  --preset-root DIR  read user presets from "
           + presetFolderBelow("DIR")
           + "\n"
             "                   instead of the user's application-data folder\n"
             "  --block N        host block size (default 512)\n"
             "  --quiet          no progress bar (it is only drawn when stderr is a terminal)\n"
             "  --instruction-set generic|avx2|avx512\n"
             "                   for developers: run the kernels of that instruction set (the best\n"
             "                   one the processor supports is the default)\n";
}
