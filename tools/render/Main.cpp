// tarvolt-render: runs Tarvolt's processor over a WAV file (or its built-in drum demo) and
// reports peak, RMS and crest factor per channel before and after.

#include "Options.h"
#include "Render.h"
#include "RenderError.h"
#include "RenderPresets.h"

#include <juce_events/juce_events.h>

#include <iostream>

int main(int argc, char* argv[])
{
    juce::ScopedJuceInitialiser_GUI framework; // the processor's parameters need a message manager
    juce::StringArray args;
    for (int i = 1; i < argc; ++i)
        args.add(juce::String::fromUTF8(argv[i]));
    try
    {
        const auto options = parseArguments(args);
        if (options.help)
        {
            std::cout << usageText();
            return 0;
        }
        return options.listPresets ? listPresets(options) : render(options);
    }
    catch (const RenderError& error)
    {
        std::cerr << "tarvolt-render: error: " << error.message << std::endl;
        return exitCodeForErrors;
    }
}
