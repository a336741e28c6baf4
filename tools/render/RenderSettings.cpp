#include "RenderSettings.h"

#include "SettingsHelp.h"

#include "state/Parameters.h"
#include "state/PluginState.h"

namespace
{
// What the parameter takes, for the error messages: "-12 to 12 dB", "Tight, Punch, Smooth (or 0 to 2)".
juce::String describeRange(const ParameterSpec& spec)
{
    if (spec.kind == ParameterSpec::Kind::number)
        return describeValues(spec);
    return describeValues(spec, ", ") + " (or 0 to " + juce::String(spec.numChoices() - 1) + ")";
}
} // namespace

std::optional<ParameterSetting> parseParameterSetting(const juce::String& text, juce::String& error)
{
    if (!text.contains("="))
    {
        error = "expected id=value, got \"" + text + "\"";
        return std::nullopt;
    }

    const auto id = text.upToFirstOccurrenceOf("=", false, false).trim().toLowerCase();
    const auto valueText = text.fromFirstOccurrenceOf("=", false, false).trim();
    const auto* spec = findParameterSpec(id);
    if (spec == nullptr)
    {
        juce::StringArray known;
        for (auto& s : parameterSpecs)
            known.add(s.id);
        error = "unknown parameter \"" + id + "\" (known: " + known.joinIntoString(", ") + ")";
        return std::nullopt;
    }

    // Unlike the editor, which clamps, the tools refuse a value they would have to change: a
    // script should not silently get another value than it asked for.
    const auto typed = parseTypedValue(*spec, valueText);
    if (!typed.isValue())
        error = "value \"" + valueText + "\" for " + id + ": " + typed.problem + "; " + id + " takes " +
                describeRange(*spec);
    else if (typed.clamped)
        error = "value \"" + valueText + "\" out of range for " + id + ": " + describeRange(*spec);
    else
        return ParameterSetting{id, (float) typed.plain};
    return std::nullopt;
}

void applyParameterSettings(PluginState& state, const std::vector<ParameterSetting>& settings)
{
    for (const auto& s : settings)
        if (auto* parameter = state.parameters.getParameter(s.id))
            parameter->setValueNotifyingHost(parameter->convertTo0to1(s.plainValue));
}
