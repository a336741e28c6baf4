#include "state/Parameters.h"

#include <cmath>
#include <regex>

namespace
{
// Every ramped control is fed by exactly one parameter, and only index parameters feed none.
constexpr bool everyControlFedOnce()
{
    for (size_t c = 0; c < numControls; ++c)
    {
        int feeders = 0;
        for (auto& spec : parameterSpecs)
            feeders += spec.control == (Control) c ? 1 : 0;
        if (feeders != 1)
            return false;
    }
    for (auto& spec : parameterSpecs)
        if ((spec.control == Control::none) != (spec.audioValue == ParameterSpec::AudioValue::index))
            return false;
    return true;
}
static_assert(everyControlFedOnce(), "each ramp needs exactly one parameter");

// A choice enum's values are its parameter's indices: as many as the parameter has choices.
template <typename Choice>
constexpr bool choiceFitsItsParameter()
{
    const int i = parameterIndex(choiceParameterID<Choice>);
    return i >= 0 && parameterSpecs[(size_t) i].kind == ParameterSpec::Kind::choice &&
           parameterSpecs[(size_t) i].numChoices() == choiceCount<Choice> && parameterSpecs[(size_t) i].minimum == 0.0f &&
           parameterSpecs[(size_t) i].maximum == (float) (choiceCount<Choice> - 1);
}
static_assert(choiceFitsItsParameter<Mode>() && choiceFitsItsParameter<Focus>() && choiceFitsItsParameter<Quality>() &&
                  choiceFitsItsParameter<StereoLink>(),
              "each choice parameter holds the values of its enum");
} // namespace

float ParameterSpec::clampPlain(float plain) const noexcept
{
    const auto clamped = juce::jlimit(minimum, maximum, plain);
    return kind == Kind::number ? clamped : std::round(clamped);
}

float ParameterSpec::audioValueOf(float plain) const noexcept
{
    switch (audioValue)
    {
        case AudioValue::fraction: return plain * 0.01f;
        case AudioValue::gain: return juce::Decibels::decibelsToGain(plain);
        case AudioValue::onOff: return plain >= 0.5f ? 1.0f : 0.0f;
        case AudioValue::asStored:
        case AudioValue::index: break;
    }
    return plain;
}

juce::String ParameterSpec::formatWithUnit(float plain) const
{
    if (kind != Kind::number)
    {
        const int i = juce::jlimit(0, numChoices() - 1, (int) std::round(plain));
        return choices[(size_t) i];
    }
    const juce::String number(plain, 1);
    switch (unit)
    {
        case Unit::decibels: return (plain > 0.0f ? "+" : "") + number + " dB";
        case Unit::percent: return number + "%";
        case Unit::none: break;
    }
    return number;
}

namespace
{
// The value entry's lenient reading: the text before any "dB" or "%", without spaces; then the
// number it starts with, 0 when it starts with none. Empty when nothing is left.
juce::String numberPart(const juce::String& text)
{
    auto s = text;
    if (s.contains("dB"))
        s = s.upToFirstOccurrenceOf("dB", false, false);
    if (s.contains("%"))
        s = s.upToFirstOccurrenceOf("%", false, false);
    return s.removeCharacters(" \t");
}

// A number on its own, optionally with a unit: the form a value is meant to have.
struct ExactNumber
{
    bool matches = false;
    juce::String unit; // "db" (in lower case), "%" or empty
};

ExactNumber readExactNumber(const juce::String& text)
{
    static const std::regex form(R"(\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*(db|%)?\s*)",
                                 std::regex::icase);
    std::smatch match;
    const auto utf8 = text.toStdString();
    if (!std::regex_match(utf8, match, form))
        return {};
    return {true, juce::String(match[3].str()).toLowerCase()};
}

const char* unitText(ParameterSpec::Unit unit)
{
    switch (unit)
    {
        case ParameterSpec::Unit::decibels: return "db";
        case ParameterSpec::Unit::percent: return "%";
        case ParameterSpec::Unit::none: break;
    }
    return "";
}
} // namespace

TypedValue parseTypedValue(const ParameterSpec& spec, const juce::String& text)
{
    TypedValue result;
    for (int i = 0; i < spec.numChoices(); ++i)
        if (text.trim().equalsIgnoreCase(spec.choices[(size_t) i]))
        {
            result.plain = i;
            return result;
        }

    const auto number = numberPart(text);
    result.blank = number.isEmpty();
    double value = number.getDoubleValue();
    if (std::isnan(value))
        value = 0.0;
    result.plain = juce::jlimit((double) spec.minimum, (double) spec.maximum, value);
    if (spec.kind != ParameterSpec::Kind::number)
        result.plain = std::round(result.plain);

    const auto exact = readExactNumber(text);
    if (!exact.matches)
        result.problem = spec.kind == ParameterSpec::Kind::number ? "not a number" : "not a choice";
    else if (exact.unit.isNotEmpty() && exact.unit != unitText(spec.unit))
        result.problem = spec.kind == ParameterSpec::Kind::number ? "wrong unit" : "not a choice";
    else
        result.clamped = result.plain != value;
    return result;
}

const ParameterSpec* findParameterSpec(const juce::String& id) noexcept
{
    for (auto& spec : parameterSpecs)
        if (id == spec.id)
            return &spec;
    return nullptr;
}

juce::AudioProcessorValueTreeState::ParameterLayout createTarvoltParameterLayout()
{
    constexpr int versionHint = 1;
    juce::AudioProcessorValueTreeState::ParameterLayout layout;

    for (auto& spec : parameterSpecs)
    {
        const juce::ParameterID id{spec.id, versionHint};
        const auto attributes = [&spec](auto base) { return base.withAutomatable(spec.automatable); };

        switch (spec.kind)
        {
            case ParameterSpec::Kind::toggle:
                layout.add(std::make_unique<juce::AudioParameterBool>(
                    id, spec.name, spec.defaultValue >= 0.5f, attributes(juce::AudioParameterBoolAttributes())));
                break;

            case ParameterSpec::Kind::choice:
            {
                juce::StringArray names;
                for (int i = 0; i < spec.numChoices(); ++i)
                    names.add(spec.choices[(size_t) i]);
                layout.add(std::make_unique<juce::AudioParameterChoice>(
                    id, spec.name, names, (int) spec.defaultValue, attributes(juce::AudioParameterChoiceAttributes())));
                break;
            }

            case ParameterSpec::Kind::number:
                layout.add(std::make_unique<juce::AudioParameterFloat>(
                    id, spec.name, juce::NormalisableRange<float>(spec.minimum, spec.maximum, 0.01f),
                    spec.defaultValue, attributes(juce::AudioParameterFloatAttributes())));
                break;
        }
    }

    return layout;
}
