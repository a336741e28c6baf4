#include "processor/TarvoltAudioProcessor.h"

#include "editor/TarvoltEditor.h"
#include "processor/LevelMeter.h"

namespace
{
constexpr auto powerParameter = (size_t) parameterIndex(ParameterIDs::power);
constexpr auto modeParameter = (size_t) parameterIndex(ParameterIDs::mode);
constexpr auto focusParameter = (size_t) parameterIndex(ParameterIDs::focus);
} // namespace

TarvoltAudioProcessor::TarvoltAudioProcessor()
    : juce::AudioProcessor(BusesProperties()
                               .withInput("Input", juce::AudioChannelSet::stereo(), true)
                               .withOutput("Output", juce::AudioChannelSet::stereo(), true)),
      parameters(*this, nullptr, "PARAMETERS", createParameterLayout())
{
    for (size_t i = 0; i < numParameters; ++i)
    {
        raw[i] = parameters.getRawParameterValue(parameterSpecs[i].id);
        parameters.addParameterListener(parameterSpecs[i].id, this);
    }
    // The High path's latency comes from its filters' design: done here, before any thread may
    // need it.
    TransientShaper::latencyFor(QualityIndex::high);
}

TarvoltAudioProcessor::~TarvoltAudioProcessor()
{
    for (auto& spec : parameterSpecs)
        parameters.removeParameterListener(spec.id, this);
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
    return new TarvoltEditor(*this);
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
void TarvoltAudioProcessor::parameterChanged(const juce::String& parameterID, float newValue)
{
    if (!applyingPreset.load())
        currentPresetModified.exchange(true);
    // The quality decides the latency; it is not automatable, so this comes from the editor, a
    // preset or a state, never from the audio thread.
    if (parameterID == ParameterIDs::quality)
        setLatencySamples(TransientShaper::latencyFor((int) std::round(newValue)));
}

float TarvoltAudioProcessor::readPlain(size_t index) const noexcept
{
    return raw[index] != nullptr ? raw[index]->load(std::memory_order_relaxed) : 0.0f;
}

ParameterValues TarvoltAudioProcessor::getParameterValues() const noexcept
{
    ParameterValues values;
    for (size_t i = 0; i < numParameters; ++i)
        values[i] = readPlain(i);
    return values;
}

bool TarvoltAudioProcessor::isPowerOn() const noexcept
{
    return readPlain(powerParameter) >= 0.5f;
}

int TarvoltAudioProcessor::getModeIndex() const noexcept
{
    return (int) std::round(readPlain(modeParameter));
}

int TarvoltAudioProcessor::getFocusIndex() const noexcept
{
    return (int) std::round(readPlain(focusParameter));
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
