// The LV2 module's entry point. Each instance starts the framework and, on Linux, shares one
// message thread with the other instances of the module, as the framework's own plug-in
// wrappers do.

// The framework's plug-in message thread starts its X window system, declared with the X
// headers; they must come before anything else includes the framework.
#define JUCE_GUI_BASICS_INCLUDE_XHEADERS 1
#include <juce_gui_basics/juce_gui_basics.h>

#include <juce_audio_plugin_client/utility/juce_LinuxMessageThread.h>

#include "plugin/lv2/Lv2Descriptor.h"

namespace
{
struct FrameworkRuntime final : Lv2Descriptor::Runtime
{
    juce::ScopedJuceInitialiser_GUI framework;
#if JUCE_LINUX || JUCE_BSD
    juce::SharedResourcePointer<juce::MessageThread> messageThread;
#endif
};

std::unique_ptr<Lv2Descriptor::Runtime> startFramework()
{
    return std::make_unique<FrameworkRuntime>();
}
} // namespace

extern "C" LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index)
{
    return index == 0 ? &Lv2Descriptor::get(startFramework) : nullptr;
}
