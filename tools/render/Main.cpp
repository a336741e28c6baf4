// tarvolt-render: runs Tarvolt's processor over WAV or AIFF files (or its built-in drum demo) and
// reports peak, RMS and crest factor per channel before and after.

#include "InterruptCleanup.h"
#include "Options.h"
#include "Render.h"
#include "RenderError.h"
#include "RenderPresets.h"

#include <juce_events/juce_events.h>

#include <iostream>

int main(int argc, char* argv[])
{
    juce::ScopedJuceInitialiser_GUI framework; // the processor's parameters need a message manager
    RemovedOnInterrupt::installHandlers();
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
        if (options.listPresets)
            return listPresets(options);
        if (options.nothingToRender())
        {
            std::cerr << usageSynopsis()
                      << "tarvolt-render: error: no input file given (--demo renders the built-in drums; "
                         "--help tells more)"
                      << std::endl;
            return exitCodeForErrors;
        }
        return render(options);
    }
    catch (const RenderError& error)
    {
        std::cerr << "tarvolt-render: error: " << error.message << std::endl;
        return exitCodeForErrors;
    }
}
