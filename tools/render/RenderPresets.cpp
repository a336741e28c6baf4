#include "RenderPresets.h"

#include "RenderError.h"

#include "presets/FactoryPresets.h"
#include "processor/TarvoltAudioProcessor.h"

#include <iostream>

void usePresetRoot(TarvoltAudioProcessor& processor, const Options& options)
{
    if (options.presetRoot)
        processor.getPresetStore().setRootFolder(*options.presetRoot);
}

int listPresets(const Options& options)
{
    TarvoltAudioProcessor processor;
    usePresetRoot(processor, options);
    for (const auto& name : processor.getFactoryPresetNames())
        std::cout << name << "\n";
    for (const auto& name : processor.getUserPresetNames())
        std::cout << name << "\n";
    return 0;
}

void applyPreset(TarvoltAudioProcessor& processor, const juce::String& name)
{
    if (isFactoryPresetName(name))
    {
        processor.loadFactoryPreset(name);
        return;
    }
    if (processor.loadUserPreset(name))
        return;

    const auto file = processor.getPresetStore().getPresetFile(name);
    fail("no preset named \"" + name + "\": not a factory preset, and "
         + (file == juce::File() ? juce::String("there is no user preset folder")
                                 : "no readable user preset " + file.getFullPathName()));
}
