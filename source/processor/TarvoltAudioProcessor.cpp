#include "processor/TarvoltAudioProcessor.h"

#include "editor/TarvoltAudioProcessorEditor.h"
#include "processor/LevelMeter.h"

namespace
{
// The order in which the processor registers as listener (and removes itself again).
constexpr const char* listenedParameters[] = {
    ParameterIDs::power,   ParameterIDs::mode,  ParameterIDs::attack, ParameterIDs::sustain, ParameterIDs::sensitivity,
    ParameterIDs::focus,   ParameterIDs::punch, ParameterIDs::clip,   ParameterIDs::mix,     ParameterIDs::output,
};
} // namespace

TarvoltAudioProcessor::TarvoltAudioProcessor()
    : juce::AudioProcessor(BusesProperties()
                               .withInput("Input", juce::AudioChannelSet::stereo(), true)
                               .withOutput("Output", juce::AudioChannelSet::stereo(), true)),
      parameters(*this, nullptr, "PARAMETERS", createParameterLayout())
{
    raw.power = parameters.getRawParameterValue(ParameterIDs::power);
    raw.mode = parameters.getRawParameterValue(ParameterIDs::mode);
    raw.attack = parameters.getRawParameterValue(ParameterIDs::attack);
    raw.sustain = parameters.getRawParameterValue(ParameterIDs::sustain);
    raw.sensitivity = parameters.getRawParameterValue(ParameterIDs::sensitivity);
    raw.focus = parameters.getRawParameterValue(ParameterIDs::focus);
    raw.punch = parameters.getRawParameterValue(ParameterIDs::punch);
    raw.clip = parameters.getRawParameterValue(ParameterIDs::clip);
    raw.mix = parameters.getRawParameterValue(ParameterIDs::mix);
    raw.output = parameters.getRawParameterValue(ParameterIDs::output);

    for (auto* id : listenedParameters)
        parameters.addParameterListener(id, this);
}

TarvoltAudioProcessor::~TarvoltAudioProcessor()
{
    for (auto* id : listenedParameters)
        parameters.removeParameterListener(id, this);
}

juce::AudioProcessorValueTreeState::ParameterLayout TarvoltAudioProcessor::createParameterLayout()
{
    return createTarvoltParameterLayout();
}

//==============================================================================
const juce::String TarvoltAudioProcessor::getName() const
{
    return "Tarvolt";
}

bool TarvoltAudioProcessor::isBusesLayoutSupported(const BusesLayout& layouts) const
{
    const auto& out = layouts.getMainOutputChannelSet();
    if (out != juce::AudioChannelSet::mono() && out != juce::AudioChannelSet::stereo())
        return false;
    return layouts.getMainInputChannelSet() == out;
}

double TarvoltAudioProcessor::getTailLengthSeconds() const
{
    return 0.08;
}

bool TarvoltAudioProcessor::acceptsMidi() const
{
    return false;
}

bool TarvoltAudioProcessor::producesMidi() const
{
    return false;
}

bool TarvoltAudioProcessor::isMidiEffect() const
{
    return false;
}

bool TarvoltAudioProcessor::hasEditor() const
{
    return true;
}

juce::AudioProcessorEditor* TarvoltAudioProcessor::createEditor()
{
    return new TarvoltAudioProcessorEditor(*this);
}

// One program. Its name is "Default" rather than empty: the framework publishes the program
// in a host-visible program list, where an unnamed program is rejected by validators.
int TarvoltAudioProcessor::getNumPrograms()
{
    return 1;
}

int TarvoltAudioProcessor::getCurrentProgram()
{
    return 0;
}

void TarvoltAudioProcessor::setCurrentProgram(int)
{
}

const juce::String TarvoltAudioProcessor::getProgramName(int index)
{
    return index == 0 ? juce::String("Default") : juce::String();
}

void TarvoltAudioProcessor::changeProgramName(int, const juce::String&)
{
}

//==============================================================================
void TarvoltAudioProcessor::parameterChanged(const juce::String&, float)
{
    if (!applyingPreset.load())
        currentPresetModified.exchange(true);
}

float TarvoltAudioProcessor::readRaw(const std::atomic<float>* value) noexcept
{
    return value != nullptr ? value->load(std::memory_order_relaxed) : 0.0f;
}

bool TarvoltAudioProcessor::isPowerOn() const noexcept
{
    return readRaw(raw.power) >= 0.5f;
}

int TarvoltAudioProcessor::getModeIndex() const noexcept
{
    return (int) std::round(readRaw(raw.mode));
}

int TarvoltAudioProcessor::getFocusIndex() const noexcept
{
    return (int) std::round(readRaw(raw.focus));
}

float TarvoltAudioProcessor::getInputLevel(int channel) const noexcept
{
    return inputLevels[juce::jlimit(0, 1, channel)].load();
}

float TarvoltAudioProcessor::getOutputLevel(int channel) const noexcept
{
    return outputLevels[juce::jlimit(0, 1, channel)].load();
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TarvoltAudioProcessor();
}
