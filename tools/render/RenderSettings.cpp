#include "RenderSettings.h"

#include "processor/Parameters.h"
#include "processor/TarvoltAudioProcessor.h"

namespace
{
std::optional<float> parseNumber(const juce::String& text)
{
    const auto trimmed = text.trim();
    if (trimmed.isEmpty() || !trimmed.containsOnly("+-.0123456789eE"))
        return std::nullopt;
    const double value = trimmed.getDoubleValue();
    if (!std::isfinite(value))
        return std::nullopt;
    return (float) value;
}

juce::String describeRange(const ParameterSpec& spec)
{
    if (spec.kind == ParameterSpec::Kind::number)
        return juce::String(spec.minimum) + " to " + juce::String(spec.maximum);
    juce::StringArray names;
    for (int i = 0; i < spec.numChoices(); ++i)
        names.add(spec.choices[(size_t) i]);
    return names.joinIntoString(", ") + " (or 0 to " + juce::String(spec.numChoices() - 1) + ")";
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

    for (int i = 0; i < spec->numChoices(); ++i)
        if (valueText.equalsIgnoreCase(spec->choices[(size_t) i]))
            return ParameterSetting{id, (float) i};

    const auto number = parseNumber(valueText);
    const bool wholeStep = spec->kind == ParameterSpec::Kind::number || (number && *number == std::round(*number));
    if (!number || !wholeStep || *number < spec->minimum || *number > spec->maximum)
    {
        error = "value \"" + valueText + "\" out of range for " + id + ": " + describeRange(*spec);
        return std::nullopt;
    }
    return ParameterSetting{id, *number};
}

void applyParameterSettings(TarvoltAudioProcessor& processor, const std::vector<ParameterSetting>& settings)
{
    for (const auto& s : settings)
        if (auto* parameter = processor.parameters.getParameter(s.id))
            parameter->setValueNotifyingHost(parameter->convertTo0to1(s.plainValue));
}
