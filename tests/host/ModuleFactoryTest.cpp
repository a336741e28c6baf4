// Opens the built module directly, as a host's scanner does, and reads its factory and classes
// through the VST3 interfaces.

#include <gtest/gtest.h>

#include <pluginterfaces/base/ipluginbase.h>
#include <pluginterfaces/vst/ivstaudioprocessor.h>
#include <pluginterfaces/vst/ivstcomponent.h>
#include <pluginterfaces/vst/ivstmessage.h>
#include <pluginterfaces/vst/ivsteditcontroller.h>
#include <pluginterfaces/vst/ivstunits.h>

#include "state/Parameters.h"

#include <juce_core/juce_core.h>

#include <dlfcn.h>

using namespace Steinberg;

namespace
{
juce::String toString(const char8* text)
{
    return juce::String::fromUTF8(text);
}

juce::String toString(const Vst::String128 text)
{
    return juce::String(juce::CharPointer_UTF16(reinterpret_cast<const juce::CharPointer_UTF16::CharType*>(text)));
}

// The module's shared library, entered and left as the VST3 module rules on Linux prescribe.
class Module
{
public:
    Module()
    {
        const auto bundle = juce::File(TARVOLT_VST3_BUNDLE);
        const auto library = bundle.getChildFile("Contents/x86_64-linux/Tarvolt.so");
        handle = dlopen(library.getFullPathName().toRawUTF8(), RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr)
            return;
        using EntryFn = bool (*)(void*);
        auto entry = reinterpret_cast<EntryFn>(dlsym(handle, "ModuleEntry"));
        auto getFactory = reinterpret_cast<IPluginFactory* (*) ()>(dlsym(handle, "GetPluginFactory"));
        exit = reinterpret_cast<bool (*)()>(dlsym(handle, "ModuleExit"));
        if (entry != nullptr && getFactory != nullptr && exit != nullptr && entry(handle))
            factory = getFactory();
    }

    ~Module()
    {
        if (factory != nullptr)
            factory->release();
        if (exit != nullptr && factory != nullptr)
            exit();
        if (handle != nullptr)
            dlclose(handle);
    }

    void* handle = nullptr;
    IPluginFactory* factory = nullptr;
    bool (*exit)() = nullptr;
};

template <typename Interface>
Interface* query(FUnknown* object, const TUID iid)
{
    void* result = nullptr;
    if (object != nullptr && object->queryInterface(iid, &result) == kResultOk)
        return static_cast<Interface*>(result);
    return nullptr;
}
} // namespace

TEST(ModuleFactory, FactoryInformationAndClasses)
{
    Module module;
    ASSERT_NE(module.handle, nullptr) << dlerror();
    ASSERT_NE(module.factory, nullptr);

    PFactoryInfo info{};
    ASSERT_EQ(module.factory->getFactoryInfo(&info), kResultOk);
    EXPECT_EQ(toString(info.vendor), "Orvane Audio");
    EXPECT_EQ(toString(info.url), "https://www.orvaneaudio.com");
    EXPECT_EQ(toString(info.email), "");
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);

    auto* factory2 = query<IPluginFactory2>(module.factory, IPluginFactory2_iid);
    ASSERT_NE(factory2, nullptr);

    // This framework version publishes the processor and the controller, no compatibility class.
    ASSERT_EQ(module.factory->countClasses(), 2);
    const char* expectedCategories[] = {"Audio Module Class", "Component Controller Class"};
    for (int32 i = 0; i < 2; ++i)
    {
        PClassInfo2 c{};
        ASSERT_EQ(factory2->getClassInfo2(i, &c), kResultOk);
        SCOPED_TRACE(toString(c.category));
        EXPECT_EQ(toString(c.category), expectedCategories[i]);
        EXPECT_EQ(toString(c.name), "Tarvolt");
        EXPECT_EQ(toString(c.vendor), "Orvane Audio");
        EXPECT_EQ(toString(c.version), TARVOLT_VERSION);
        EXPECT_EQ(toString(c.subCategories), "Fx|Dynamics");
        EXPECT_EQ(toString(c.sdkVersion), "VST 3.7.2");
        EXPECT_EQ(c.cardinality, PClassInfo::kManyInstances);
        EXPECT_EQ(c.classFlags, 0u);
    }
    factory2->release();
}

TEST(ModuleFactory, NoEventBusesAndTheFactoryPresetsAsPrograms)
{
    Module module;
    ASSERT_NE(module.factory, nullptr);

    PClassInfo processorClass{};
    ASSERT_EQ(module.factory->getClassInfo(0, &processorClass), kResultOk);

    Vst::IComponent* component = nullptr;
    ASSERT_EQ(module.factory->createInstance(processorClass.cid, Vst::IComponent_iid, (void**) &component),
              kResultOk);
    ASSERT_EQ(component->initialize(nullptr), kResultOk);

    EXPECT_EQ(component->getBusCount(Vst::kEvent, Vst::kInput), 0);
    EXPECT_EQ(component->getBusCount(Vst::kEvent, Vst::kOutput), 0);
    EXPECT_EQ(component->getBusCount(Vst::kAudio, Vst::kInput), 1);
    EXPECT_EQ(component->getBusCount(Vst::kAudio, Vst::kOutput), 1);

    auto* processor = query<Vst::IAudioProcessor>(component, Vst::IAudioProcessor_iid);
    ASSERT_NE(processor, nullptr);
    Vst::SpeakerArrangement mono = Vst::SpeakerArr::kMono, stereo = Vst::SpeakerArr::kStereo;
    EXPECT_EQ(processor->setBusArrangements(&mono, 1, &mono, 1), kResultTrue);
    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
    EXPECT_NE(processor->setBusArrangements(&mono, 1, &stereo, 1), kResultTrue);
    processor->release();

    TUID controllerId{};
    ASSERT_EQ(component->getControllerClassId(controllerId), kResultOk);
    Vst::IEditController* controller = nullptr;
    ASSERT_EQ(module.factory->createInstance(controllerId, Vst::IEditController_iid, (void**) &controller), kResultOk);
    ASSERT_EQ(controller->initialize(nullptr), kResultOk);

    // Hosts connect the two halves before using the controller.
    auto* componentPoint = query<Vst::IConnectionPoint>(component, Vst::IConnectionPoint_iid);
    auto* controllerPoint = query<Vst::IConnectionPoint>(controller, Vst::IConnectionPoint_iid);
    ASSERT_NE(componentPoint, nullptr);
    ASSERT_NE(controllerPoint, nullptr);
    ASSERT_EQ(componentPoint->connect(controllerPoint), kResultOk);
    ASSERT_EQ(controllerPoint->connect(componentPoint), kResultOk);

    // The parameters, the host bypass and the program change after them.
    ASSERT_EQ(controller->getParameterCount(), (Steinberg::int32) numParameters + 2);
    Vst::ParameterInfo program{};
    ASSERT_EQ(controller->getParameterInfo((Steinberg::int32) numParameters + 1, program), kResultOk);
    EXPECT_NE(program.flags & Vst::ParameterInfo::kIsProgramChange, 0);
    EXPECT_EQ(program.stepCount, 7);
    EXPECT_EQ(toString(program.title), "Program");

    // One program list, the factory presets, on the root unit; the program change steps through it.
    auto* units = query<Vst::IUnitInfo>(controller, Vst::IUnitInfo_iid);
    ASSERT_NE(units, nullptr);
    ASSERT_EQ(units->getProgramListCount(), 1);
    Vst::ProgramListInfo list{};
    ASSERT_EQ(units->getProgramListInfo(0, list), kResultOk);
    Vst::UnitInfo root{};
    ASSERT_EQ(units->getUnitInfo(0, root), kResultOk);
    EXPECT_EQ(root.id, Vst::kRootUnitId);
    EXPECT_EQ(root.programListId, list.id);
    EXPECT_EQ(program.unitId, Vst::kRootUnitId);
    juce::StringArray names;
    for (Steinberg::int32 i = 0; i < list.programCount; ++i)
    {
        Vst::String128 name{};
        ASSERT_EQ(units->getProgramName(list.id, i, name), kResultOk);
        names.add(toString(name));
    }
    EXPECT_EQ(names, juce::StringArray({"Punchy Kicks", "Snare Snap", "Loop Tightener", "Bass Knock", "Smooth Rooms",
                                        "Aggro Parallel", "Tame Pokey", "Guitar Push"}));
    for (Steinberg::int32 i = 0; i < list.programCount; ++i)
    {
        Vst::String128 text{};
        ASSERT_EQ(controller->getParamStringByValue(program.id, (double) i / 7.0, text), kResultOk);
        EXPECT_EQ(toString(text), names[i]);
    }
    units->release();

    componentPoint->disconnect(controllerPoint);
    controllerPoint->disconnect(componentPoint);
    componentPoint->release();
    controllerPoint->release();
    controller->terminate();
    controller->release();
    component->terminate();
    component->release();
}
