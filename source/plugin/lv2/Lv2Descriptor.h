#pragma once

#include <lv2/core/lv2.h>

#include <memory>

// The LV2 descriptor of Tarvolt: the C entry points a host calls, each handing its call to
// the instance's Lv2Instance, and the state interface.
namespace Lv2Descriptor
{
// What an instance keeps alive from before its state is made until after it is gone: in
// the module, the framework and the shared message thread; in-process tests need nothing.
struct Runtime
{
    virtual ~Runtime() = default;
};
using RuntimeFactory = std::unique_ptr<Runtime> (*)();

// The descriptor; every instance it makes starts with a runtime from the factory (which may be
// null: no runtime).
const LV2_Descriptor& get(RuntimeFactory factory);
} // namespace Lv2Descriptor
