#include "plugin/lv2/Lv2Descriptor.h"

#include "plugin/lv2/Lv2Description.h"
#include "plugin/lv2/Lv2Instance.h"

#include <cstring>
#include <string>

namespace
{
Lv2Descriptor::RuntimeFactory runtimeFactory = nullptr;

struct Lv2Plugin
{
    std::unique_ptr<Lv2Descriptor::Runtime> runtime;
    std::unique_ptr<Lv2Instance> instance;

    ~Lv2Plugin() { instance.reset(); } // the instance goes before what it runs on
};

Lv2Instance& instanceOf(LV2_Handle handle)
{
    return *static_cast<Lv2Plugin*>(handle)->instance;
}

LV2_Handle instantiate(const LV2_Descriptor*, double sampleRate, const char*,
                       const LV2_Feature* const* features)
{
    auto plugin = std::make_unique<Lv2Plugin>();
    if (runtimeFactory != nullptr)
        plugin->runtime = runtimeFactory();
    plugin->instance = Lv2Instance::create(sampleRate, features);
    return plugin->instance != nullptr ? plugin.release() : nullptr;
}

void connectPort(LV2_Handle handle, uint32_t port, void* data)
{
    instanceOf(handle).connectPort(port, data);
}

void activate(LV2_Handle handle)
{
    instanceOf(handle).activate();
}

void run(LV2_Handle handle, uint32_t numSamples)
{
    instanceOf(handle).run(numSamples);
}

void deactivate(LV2_Handle handle)
{
    instanceOf(handle).deactivate();
}

void cleanup(LV2_Handle handle)
{
    delete static_cast<Lv2Plugin*>(handle);
}

LV2_State_Status save(LV2_Handle handle, LV2_State_Store_Function store, LV2_State_Handle stateHandle,
                      uint32_t, const LV2_Feature* const*)
{
    return instanceOf(handle).save(store, stateHandle);
}

LV2_State_Status restore(LV2_Handle handle, LV2_State_Retrieve_Function retrieve,
                         LV2_State_Handle stateHandle, uint32_t, const LV2_Feature* const*)
{
    return instanceOf(handle).restore(retrieve, stateHandle);
}

const void* extensionData(const char* uri)
{
    static const LV2_State_Interface state{save, restore};
    return uri != nullptr && std::strcmp(uri, LV2_STATE__interface) == 0 ? &state : nullptr;
}
} // namespace

const LV2_Descriptor& Lv2Descriptor::get(RuntimeFactory factory)
{
    runtimeFactory = factory;
    static const std::string uri = Lv2Description::pluginUri().toStdString();
    static const LV2_Descriptor descriptor{uri.c_str(), instantiate, connectPort, activate,
                                           run,         deactivate,  cleanup,     extensionData};
    return descriptor;
}
