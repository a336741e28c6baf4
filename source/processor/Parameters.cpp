#include "processor/Parameters.h"

const std::array<ParameterSpec, 10> parameterSpecs{{
    {ParameterIDs::power, "Power", ParameterSpec::Kind::toggle, 0.0f, 1.0f, 1.0f, {"Off", "On", nullptr}},
    {ParameterIDs::mode, "Mode", ParameterSpec::Kind::choice, 0.0f, 2.0f, 1.0f, {"Tight", "Punch", "Smooth"}},
    {ParameterIDs::attack, "Attack", ParameterSpec::Kind::number, -12.0f, 12.0f, 5.0f, {}},
    {ParameterIDs::sustain, "Sustain", ParameterSpec::Kind::number, -12.0f, 12.0f, -2.5f, {}},
    {ParameterIDs::sensitivity, "Sensitivity", ParameterSpec::Kind::number, 0.0f, 100.0f, 60.0f, {}},
    {ParameterIDs::focus, "Focus", ParameterSpec::Kind::choice, 0.0f, 2.0f, 1.0f, {"Low", "Full", "High"}},
    {ParameterIDs::punch, "Punch", ParameterSpec::Kind::number, 0.0f, 100.0f, 30.0f, {}},
    {ParameterIDs::clip, "Clip", ParameterSpec::Kind::number, 0.0f, 100.0f, 25.0f, {}},
    {ParameterIDs::mix, "Mix", ParameterSpec::Kind::number, 0.0f, 100.0f, 100.0f, {}},
    {ParameterIDs::output, "Output", ParameterSpec::Kind::number, -12.0f, 12.0f, 0.0f, {}},
}};

int ParameterSpec::numChoices() const noexcept
{
    int n = 0;
    for (auto* c : choices)
        n += c != nullptr ? 1 : 0;
    return n;
}

float ParameterSpec::clampPlain(float plain) const noexcept
{
    const auto clamped = juce::jlimit(minimum, maximum, plain);
    return kind == Kind::number ? clamped : std::round(clamped);
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

        switch (spec.kind)
        {
            case ParameterSpec::Kind::toggle:
                layout.add(std::make_unique<juce::AudioParameterBool>(id, spec.name, spec.defaultValue >= 0.5f));
                break;

            case ParameterSpec::Kind::choice:
            {
                juce::StringArray names;
                for (int i = 0; i < spec.numChoices(); ++i)
                    names.add(spec.choices[(size_t) i]);
                layout.add(std::make_unique<juce::AudioParameterChoice>(id, spec.name, names,
                                                                        (int) spec.defaultValue));
                break;
            }

            case ParameterSpec::Kind::number:
                layout.add(std::make_unique<juce::AudioParameterFloat>(
                    id, spec.name, juce::NormalisableRange<float>(spec.minimum, spec.maximum, 0.01f),
                    spec.defaultValue));
                break;
        }
    }

    return layout;
}
