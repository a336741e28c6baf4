#include "plugin/TarvoltAudioProcessor.h"

#include "editor/TarvoltEditor.h"

TarvoltAudioProcessor::TarvoltAudioProcessor()
    : juce::AudioProcessor(BusesProperties()
                               .withInput("Input", juce::AudioChannelSet::stereo(), true)
                               .withOutput("Output", juce::AudioChannelSet::stereo(), true))
{
    state.parameters.addParameterListener(ParameterIDs::quality, this);
    state.getCurrentPreset().onChoiceChange = [this] { reportProgramChange(); };
    // The High path's latency comes from its filters' design: done here, before any thread may
    // need it.
    TransientShaper::latencyFor(Quality::high);
}

TarvoltAudioProcessor::~TarvoltAudioProcessor()
{
    state.getCurrentPreset().onChoiceChange = nullptr;
    state.parameters.removeParameterListener(ParameterIDs::quality, this);
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
    return new TarvoltEditor(*this, state, liveFeed, meters);
}

//==============================================================================
void TarvoltAudioProcessor::getStateInformation(juce::MemoryBlock& destData)
{
    state.save(destData);
}

void TarvoltAudioProcessor::setStateInformation(const void* data, int sizeInBytes)
{
    state.restore(data, sizeInBytes);
}

// The quality is not automatable, so this comes from the editor, a preset or a state, never from
// the audio thread.
void TarvoltAudioProcessor::parameterChanged(const juce::String&, float newValue)
{
    setLatencySamples(TransientShaper::latencyFor(choiceAt<Quality>((int) std::round(newValue))));
}

//==============================================================================
juce::AudioProcessor* JUCE_CALLTYPE createPluginFilter()
{
    return new TarvoltAudioProcessor();
}
