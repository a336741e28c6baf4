// The host's program list: the factory presets, in the order the editor's menu lists them.

#include "presets/FactoryPresets.h"
#include "processor/TarvoltAudioProcessor.h"

#include <algorithm>

int TarvoltAudioProcessor::getNumPrograms()
{
    return factoryPresetNames().size();
}

// The factory preset the parameters came from, changed since or not. With a user preset or none
// chosen, the first: a host's list needs one of its entries. (A host that reloads a session sends
// this number back; since it names the preset already current, nothing is loaded then.)
int TarvoltAudioProcessor::getCurrentProgram()
{
    juce::String name;
    {
        const juce::ScopedLock lock(presetLock);
        if (currentPresetIsUser)
            return 0;
        name = currentPresetName;
    }
    return std::max(0, factoryPresetNames().indexOf(name));
}

// A program chosen in the host's list loads as the editor's menu loads it.
void TarvoltAudioProcessor::setCurrentProgram(int index)
{
    const auto names = factoryPresetNames();
    if (juce::isPositiveAndBelow(index, names.size()))
        loadFactoryPreset(names[index]);
}

const juce::String TarvoltAudioProcessor::getProgramName(int index)
{
    return factoryPresetNames()[index];
}

// Factory presets keep their names.
void TarvoltAudioProcessor::changeProgramName(int, const juce::String&) {}
