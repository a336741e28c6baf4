#include "RenderPresets.h"

#include "RenderError.h"

#include "state/FactoryPresets.h"
#include "state/ParameterHost.h"

#include <iostream>

void usePresetRoot(PluginState& state, const Options& options)
{
    if (options.presetRoot)
        state.getPresetStore().setRootFolder(*options.presetRoot);
}

int listPresets(const Options& options)
{
    ParameterHost host;
    auto& state = host.getState();
    usePresetRoot(state, options);
    std::cout << "Factory presets:\n";
    for (const auto& name : state.getFactoryPresetNames())
        std::cout << "  " << name << "\n";

    const auto folder = state.getPresetStore().getPresetFolder();
    const auto userNames = state.getUserPresetNames();
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

void applyPreset(PluginState& state, const PresetChoice& choice)
{
    const auto& name = choice.name;
    if (!choice.userOnly && isFactoryPresetName(name))
    {
        state.loadFactoryPreset(name);
        return;
    }
    if (state.loadUserPreset(name))
        return;

    const auto file = state.getPresetStore().getPresetFile(name);
    const auto userPart = file == juce::File() ? juce::String("there is no user preset folder")
                                               : "no readable user preset " + file.getFullPathName();
    if (choice.userOnly)
        fail("no user preset named \"" + name + "\": " + userPart);
    fail("no preset named \"" + name + "\": not a factory preset, and " + userPart);
}
