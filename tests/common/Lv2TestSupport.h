#pragma once

// What a host hands an LV2 instance, for tests that drive one in-process.

#include "plugin/lv2/Lv2Ports.h"

#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <array>
#include <map>
#include <string>

// The urid:map feature.
struct Lv2UridMap
{
    std::map<std::string, LV2_URID> ids;
    LV2_URID_Map map{this, [](LV2_URID_Map_Handle handle, const char* uri)
                     {
                         auto& self = *static_cast<Lv2UridMap*>(handle);
                         return self.ids.emplace(uri, (LV2_URID)self.ids.size() + 1).first->second;
                     }};
    LV2_Feature feature{LV2_URID__map, &map};
};

// The host's control values, one per parameter, starting at the parameters' defaults.
using Lv2Controls = std::array<float, Lv2Ports::numControls>;

// Sets the controls to their defaults and connects each with connect(port index, pointer).
template <typename Connect> void connectControlsAtDefaults(Lv2Controls& controls, Connect&& connect)
{
    for (size_t i = 0; i < controls.size(); ++i)
    {
        controls[i] = parameterSpecs[i].defaultValue;
        connect(Lv2Ports::firstControl + (uint32_t)i, &controls[i]);
    }
}
