#include "SettingsHelp.h"

#include "state/Parameters.h"

namespace
{
juce::String unitSuffix(ParameterSpec::Unit unit)
{
    switch (unit)
    {
        case ParameterSpec::Unit::decibels: return " dB";
        case ParameterSpec::Unit::percent: return " %";
        case ParameterSpec::Unit::none: break;
    }
    return {};
}

} // namespace

juce::String describeValues(const ParameterSpec& spec, const juce::String& separator)
{
    if (spec.kind == ParameterSpec::Kind::number)
        return juce::String(spec.minimum) + " to " + juce::String(spec.maximum) + unitSuffix(spec.unit);
    juce::StringArray names;
    for (int i = 0; i < spec.numChoices(); ++i)
        names.add(spec.choices[(size_t) i]);
    return names.joinIntoString(separator);
}


juce::StringArray describeSettableParameters()
{
    int idWidth = 0;
    for (const auto& spec : parameterSpecs)
        idWidth = std::max(idWidth, (int) std::strlen(spec.id));

    juce::StringArray lines;
    for (const auto& spec : parameterSpecs)
        lines.add(juce::String(spec.id).paddedRight(' ', idWidth + 2) + describeValues(spec));
    return lines;
}
