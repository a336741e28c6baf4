// The built Windows module, loaded and driven the way a VST3 host on Windows does it: through
// its three exports and the VST3 interfaces only, without linking any of the plug-in's code.

#include "Vst3Module.h"
#include "common/ReferenceSignal.h"

#include <pluginterfaces/base/funknown.h>
#include <pluginterfaces/vst/ivstaudioprocessor.h>
#include <pluginterfaces/vst/ivstcomponent.h>
#include <pluginterfaces/vst/ivsteditcontroller.h>
#include <pluginterfaces/vst/ivstmessage.h>
#include <pluginterfaces/vst/vstspeaker.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace Steinberg;

namespace
{

std::wstring modulePath()
{
    return wine::dosPath(wine::environment("TARVOLT_VST3_MODULE"));
}

std::unique_ptr<Vst3Module> loadModule()
{
    auto module = std::make_unique<Vst3Module>(modulePath());
    EXPECT_TRUE(module->isLoaded()) << "LoadLibrary failed (error " << GetLastError() << ")";
    EXPECT_TRUE(module->hasEntryPoints());
    EXPECT_TRUE(module->isInitialised()) << "InitDll failed";
    EXPECT_NE(module->getFactory(), nullptr);
    return module;
}

constexpr uint32 fourCharCode(const char (&code)[5])
{
    return (uint32(uint8(code[0])) << 24) | (uint32(uint8(code[1])) << 16) | (uint32(uint8(code[2])) << 8)
         | uint32(uint8(code[3]));
}

// The wrapper's identifiers for a plug-in that replaces no VST2 version: two fixed words, then
// the manufacturer and plug-in codes. Hosts store them in their projects.
const FUID componentClassId(0xABCDEF01, 0x9182FAEB, fourCharCode("Orvn"), fourCharCode("Trvt"));
const FUID controllerClassId(0xABCDEF01, 0x1234ABCD, fourCharCode("Orvn"), fourCharCode("Trvt"));

template <typename Interface>
IPtr<Interface> createInstance(IPluginFactory& factory, const FUID& classId)
{
    void* object = nullptr;
    if (factory.createInstance(classId, Interface::iid, &object) != kResultOk)
        return nullptr;
    return owned(static_cast<Interface*>(object));
}

std::wstring text(const Vst::String128 s)
{
    return std::wstring(s);
}

// A loaded module with an initialised audio processor component, torn down as a host does.
class LoadedComponent : public testing::Test
{
protected:
    void SetUp() override
    {
        module = loadModule();
        ASSERT_NE(module->getFactory(), nullptr);
        component = createInstance<Vst::IComponent>(*module->getFactory(), componentClassId);
        ASSERT_TRUE(component);
        ASSERT_EQ(component->initialize(nullptr), kResultOk);
        processor = FUnknownPtr<Vst::IAudioProcessor>(component.get());
        ASSERT_TRUE(processor);
    }

    void TearDown() override
    {
        processor = nullptr;
        if (component)
            EXPECT_EQ(component->terminate(), kResultOk);
        component = nullptr;
        if (module)
            EXPECT_TRUE(module->unload()) << "ExitDll failed";
    }

    std::unique_ptr<Vst3Module> module;
    IPtr<Vst::IComponent> component;
    IPtr<Vst::IAudioProcessor> processor;
};

} // namespace

TEST(Vst3Module, LoadsInitialisesAndExitsCleanly)
{
    auto module = loadModule();
    ASSERT_TRUE(module->isInitialised());
    EXPECT_TRUE(module->unload()) << "ExitDll failed";
}

TEST(Vst3Module, FactoryReportsTheVendorAndItsClasses)
{
    auto module = loadModule();
    ASSERT_NE(module->getFactory(), nullptr);
    auto& factory = *module->getFactory();

    PFactoryInfo info{};
    ASSERT_EQ(factory.getFactoryInfo(&info), kResultOk);
    EXPECT_STREQ(info.vendor, "Orvane Audio");
    EXPECT_STREQ(info.url, "https://www.orvaneaudio.com");
    EXPECT_STREQ(info.email, "");
    EXPECT_EQ(info.flags, PFactoryInfo::kUnicode);

    FUnknownPtr<IPluginFactory2> factory2(&factory);
    ASSERT_TRUE(factory2);

    // The framework version this builds against publishes no compatibility class: two classes.
    struct Expected
    {
        const FUID& classId;
        const char* category;
    };
    const Expected expected[] = {{componentClassId, "Audio Module Class"},
                                 {controllerClassId, "Component Controller Class"}};
    ASSERT_EQ(factory.countClasses(), 2);

    for (int32 i = 0; i < 2; ++i)
    {
        SCOPED_TRACE(expected[i].category);
        PClassInfo2 c{};
        ASSERT_EQ(factory2->getClassInfo2(i, &c), kResultOk);
        EXPECT_TRUE(FUID::fromTUID(c.cid) == expected[i].classId);
        EXPECT_STREQ(c.category, expected[i].category);
        EXPECT_STREQ(c.name, "Tarvolt");
        EXPECT_STREQ(c.vendor, "Orvane Audio");
        EXPECT_STREQ(c.version, TARVOLT_VERSION);
        EXPECT_STREQ(c.subCategories, "Fx|Dynamics");
        EXPECT_STREQ(c.sdkVersion, "VST 3.7.2");
        EXPECT_EQ(c.cardinality, PClassInfo::kManyInstances);
        EXPECT_EQ(c.classFlags, 0u);
    }
}

TEST_F(LoadedComponent, HasOneAudioBusEachWayAndNoEventBuses)
{
    EXPECT_EQ(component->getBusCount(Vst::kAudio, Vst::kInput), 1);
    EXPECT_EQ(component->getBusCount(Vst::kAudio, Vst::kOutput), 1);
    EXPECT_EQ(component->getBusCount(Vst::kEvent, Vst::kInput), 0);
    EXPECT_EQ(component->getBusCount(Vst::kEvent, Vst::kOutput), 0);

    Vst::BusInfo bus{};
    ASSERT_EQ(component->getBusInfo(Vst::kAudio, Vst::kInput, 0, bus), kResultOk);
    EXPECT_EQ(text(bus.name), L"Input");
    EXPECT_EQ(bus.channelCount, 2);
    ASSERT_EQ(component->getBusInfo(Vst::kAudio, Vst::kOutput, 0, bus), kResultOk);
    EXPECT_EQ(text(bus.name), L"Output");
    EXPECT_EQ(bus.channelCount, 2);

    Vst::SpeakerArrangement mono = Vst::SpeakerArr::kMono, stereo = Vst::SpeakerArr::kStereo;
    EXPECT_EQ(processor->setBusArrangements(&mono, 1, &stereo, 1), kResultFalse);
    EXPECT_EQ(processor->setBusArrangements(&mono, 1, &mono, 1), kResultTrue);
    EXPECT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
    EXPECT_EQ(processor->getLatencySamples(), 0u);
}

TEST_F(LoadedComponent, ProcessesTheReferenceSignalLikeTheLinuxBuild)
{
    constexpr int32 blockSize = 512;
    Vst::SpeakerArrangement stereo = Vst::SpeakerArr::kStereo;
    ASSERT_EQ(processor->setBusArrangements(&stereo, 1, &stereo, 1), kResultTrue);
    ASSERT_EQ(processor->canProcessSampleSize(Vst::kSample32), kResultTrue);
    ASSERT_EQ(component->activateBus(Vst::kAudio, Vst::kInput, 0, true), kResultOk);
    ASSERT_EQ(component->activateBus(Vst::kAudio, Vst::kOutput, 0, true), kResultOk);
    Vst::ProcessSetup setup{Vst::kRealtime, Vst::kSample32, blockSize, reference::sampleRate};
    ASSERT_EQ(processor->setupProcessing(setup), kResultOk);
    ASSERT_EQ(component->setActive(true), kResultOk);
    EXPECT_EQ(processor->getTailSamples(), (uint32) (0.08 * reference::sampleRate));
    processor->setProcessing(true);

    const auto input = reference::input();
    std::vector<float> left(input.size()), right(input.size());
    for (int32 start = 0; start < reference::length; start += blockSize)
    {
        const int32 length = std::min(blockSize, reference::length - start);
        std::vector<float> inLeft(input.begin() + start, input.begin() + start + length);
        std::vector<float> inRight = inLeft;
        float* inputs[] = {inLeft.data(), inRight.data()};
        float* outputs[] = {left.data() + start, right.data() + start};

        Vst::AudioBusBuffers inBus, outBus;
        inBus.numChannels = outBus.numChannels = 2;
        inBus.channelBuffers32 = inputs;
        outBus.channelBuffers32 = outputs;

        Vst::ProcessData data;
        data.processMode = Vst::kRealtime;
        data.symbolicSampleSize = Vst::kSample32;
        data.numSamples = length;
        data.numInputs = data.numOutputs = 1;
        data.inputs = &inBus;
        data.outputs = &outBus;
        ASSERT_EQ(processor->process(data), kResultOk) << "block at " << start;
    }

    processor->setProcessing(false);
    EXPECT_EQ(component->setActive(false), kResultOk);

    for (const auto& point : reference::checkpoints())
    {
        EXPECT_NEAR(left[(size_t) point.index], point.output, reference::tolerance) << "left, sample " << point.index;
        EXPECT_NEAR(right[(size_t) point.index], point.output, reference::tolerance) << "right, sample " << point.index;
    }
}

TEST_F(LoadedComponent, ControllerJoinedToItOffersTheTenParametersAndTheHostBypass)
{
    auto controller = createInstance<Vst::IEditController>(*module->getFactory(), controllerClassId);
    ASSERT_TRUE(controller);
    ASSERT_EQ(controller->initialize(nullptr), kResultOk);

    // As a host joins the two halves of a plug-in that live in one module.
    FUnknownPtr<Vst::IConnectionPoint> componentPoint(component), controllerPoint(controller);
    ASSERT_TRUE(componentPoint);
    ASSERT_TRUE(controllerPoint);
    ASSERT_EQ(componentPoint->connect(controllerPoint), kResultTrue);
    ASSERT_EQ(controllerPoint->connect(componentPoint), kResultTrue);

    const std::wstring names[] = {L"Power", L"Mode",  L"Attack", L"Sustain", L"Sensitivity",
                                  L"Focus", L"Punch", L"Clip",   L"Mix",     L"Output"};
    const int32 count = controller->getParameterCount();
    ASSERT_GE(count, 11);

    std::vector<std::wstring> bypasses;
    for (int32 i = 0; i < count; ++i)
    {
        Vst::ParameterInfo info{};
        ASSERT_EQ(controller->getParameterInfo(i, info), kResultOk);
        if (i < 10)
            EXPECT_EQ(text(info.title), names[i]) << "parameter " << i;
        if ((info.flags & Vst::ParameterInfo::kIsBypass) != 0)
            bypasses.push_back(text(info.title));
    }
    ASSERT_EQ(bypasses.size(), 1u);
    EXPECT_EQ(bypasses.front(), L"Bypass");

    componentPoint->disconnect(controllerPoint);
    controllerPoint->disconnect(componentPoint);
    EXPECT_EQ(controller->terminate(), kResultOk);
}
