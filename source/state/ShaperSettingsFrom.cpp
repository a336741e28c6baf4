#include "state/ShaperSettingsFrom.h"

ShaperSettings shaperSettingsFrom(const ParameterValues& values) noexcept
{
    ShaperSettings settings;
    for (size_t i = 0; i < numParameters; ++i)
        if (parameterSpecs[i].control != Control::none)
            settings[parameterSpecs[i].control] = parameterSpecs[i].audioValueOf(values[i]);
    settings.mode = values.choice<Mode>();
    settings.focus = values.choice<Focus>();
    settings.quality = values.choice<Quality>();
    settings.link = values.choice<StereoLink>();
    return settings;
}
