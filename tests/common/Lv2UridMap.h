#pragma once

#include <lv2/core/lv2.h>
#include <lv2/urid/urid.h>

#include <map>
#include <string>

// The urid:map feature a host hands an LV2 instance, for tests that drive one in-process.
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
