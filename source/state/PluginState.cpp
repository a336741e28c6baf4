#include "state/PluginState.h"

namespace
{
constexpr auto powerParameter = (size_t) parameterIndex(ParameterIDs::power);
} // namespace

PluginState::PluginState(juce::AudioProcessor& owner)
    : parameters(owner, nullptr, "PARAMETERS", createTarvoltParameterLayout())
{
    for (size_t i = 0; i < numParameters; ++i)
    {
        raw[i] = parameters.getRawParameterValue(parameterSpecs[i].id);
        parameters.addParameterListener(parameterSpecs[i].id, this);
    }
}

PluginState::~PluginState()
{
    for (auto& spec : parameterSpecs)
        parameters.removeParameterListener(spec.id, this);
}

void PluginState::parameterChanged(const juce::String&, float)
{
    if (!applyingPreset.load())
        currentPreset.markModified();
}

ParameterValues PluginState::getParameterValues() const noexcept
{
    ParameterValues values;
    for (size_t i = 0; i < numParameters; ++i)
        values[i] = raw[i] != nullptr ? raw[i]->load(std::memory_order_relaxed) : 0.0f;
    return values;
}

bool PluginState::isPowerOn() const noexcept
{
    return raw[powerParameter] != nullptr && raw[powerParameter]->load(std::memory_order_relaxed) >= 0.5f;
}
