// The host's program list: the factory presets, in the order the editor's menu lists them.

#include "plugin/TarvoltAudioProcessor.h"
#include "state/FactoryPresets.h"

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
    const auto chosen = state.getCurrentPreset().get();
    if (chosen.isUser)
        return 0;
    return std::max(0, factoryPresetNames().indexOf(chosen.name));
}

// A program chosen in the host's list loads as the editor's menu loads it.
void TarvoltAudioProcessor::setCurrentProgram(int index)
{
    const auto names = factoryPresetNames();
    if (juce::isPositiveAndBelow(index, names.size()))
        state.loadFactoryPreset(names[index]);
}

const juce::String TarvoltAudioProcessor::getProgramName(int index)
{
    return factoryPresetNames()[index];
}

// Factory presets keep their names.
void TarvoltAudioProcessor::changeProgramName(int, const juce::String&) {}

void TarvoltAudioProcessor::reportProgramChange()
{
    const int program = getCurrentProgram();
    if (reportedProgram.exchange(program) != program)
        updateHostDisplay(ChangeDetails().withProgramChanged(true));
}
