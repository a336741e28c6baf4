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
    std::cout << "Factory presets:\n";
    for (const auto& name : processor.getFactoryPresetNames())
        std::cout << "  " << name << "\n";

    const auto folder = processor.getPresetStore().getPresetFolder();
    const auto userNames = processor.getUserPresetNames();
    std::cout << "User presets" << (folder == juce::File() ? juce::String() : " (in " + folder.getFullPathName() + ")")
              << ":" << (userNames.isEmpty() ? " none" : "") << "\n";
    bool sameNameAsFactory = false;
    for (const auto& name : userNames)
    {
        std::cout << "  " << name << "\n";
        sameNameAsFactory = sameNameAsFactory || isFactoryPresetName(name);
    }
    if (sameNameAsFactory)
        std::cout << "A user preset with a factory preset's name is reached with --user-preset NAME.\n";
    return 0;
}

void applyPreset(TarvoltAudioProcessor& processor, const PresetChoice& choice)
{
    const auto& name = choice.name;
    if (!choice.userOnly && isFactoryPresetName(name))
    {
        processor.loadFactoryPreset(name);
        return;
    }
    if (processor.loadUserPreset(name))
        return;

    const auto file = processor.getPresetStore().getPresetFile(name);
    const auto userPart = file == juce::File() ? juce::String("there is no user preset folder")
                                               : "no readable user preset " + file.getFullPathName();
    if (choice.userOnly)
        fail("no user preset named \"" + name + "\": " + userPart);
    fail("no preset named \"" + name + "\": not a factory preset, and " + userPart);
}
