#include "state/FactoryPresets.h"

#include <algorithm>

namespace
{
FactoryPreset makeDefaultsRow() noexcept
{
    FactoryPreset row{"", {}};
    size_t i = 0;
    for (auto& spec : parameterSpecs)
        if (spec.setByFactoryPresets())
            row.values[i++] = {spec.id, spec.defaultValue};
    return row;
}
} // namespace

std::optional<float> FactoryPreset::valueOf(std::string_view id) const noexcept
{
    for (auto& value : values)
        if (value.id != nullptr && id == value.id)
            return value.plain;
    return std::nullopt;
}

const FactoryPreset& findFactoryPreset(const juce::String& name) noexcept
{
    for (auto& preset : factoryPresetTable)
        if (name == preset.name)
            return preset;

    static const FactoryPreset defaults = makeDefaultsRow();
    return defaults;
}

bool isFactoryPresetName(const juce::String& name) noexcept
{
    return std::any_of(factoryPresetTable.begin(), factoryPresetTable.end(),
                       [&](const FactoryPreset& preset) { return name == preset.name; });
}

juce::StringArray factoryPresetNames()
{
    juce::StringArray names;
    for (auto& preset : factoryPresetTable)
        names.add(preset.name);
    return names;
}
