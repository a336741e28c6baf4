#include "plugin/lv2/Lv2Instance.h"

#include "plugin/lv2/Lv2Description.h"

#include <lv2/atom/atom.h>
#include <lv2/buf-size/buf-size.h>
#include <lv2/options/options.h>

#include <climits>
#include <cmath>
#include <cstring>

namespace
{
const void* findFeature(const LV2_Feature* const* features, const char* uri)
{
    for (auto* const* f = features; f != nullptr && *f != nullptr; ++f)
        if (std::strcmp((*f)->URI, uri) == 0)
            return (*f)->data;
    return nullptr;
}

// The host's largest block, from the options feature; 0 when it does not say.
int announcedMaximumBlockLength(const LV2_Options_Option* options, LV2_URID_Map& map)
{
    const auto key = map.map(map.handle, LV2_BUF_SIZE__maxBlockLength);
    const auto intType = map.map(map.handle, LV2_ATOM__Int);
    for (auto* o = options; o != nullptr && o->key != 0; ++o)
        if (o->key == key && o->type == intType && o->size == sizeof(int32_t) && o->value != nullptr)
            return std::max(0, *static_cast<const int32_t*>(o->value));
    return 0;
}
} // namespace

std::unique_ptr<Lv2Instance> Lv2Instance::create(double sampleRate, const LV2_Feature* const* features)
{
    if (!(sampleRate > 0.0) || !std::isfinite(sampleRate))
        return nullptr;
    // Without urid:map the plug-in still plays; only its state cannot be saved or restored.
    auto* map = static_cast<LV2_URID_Map*>(const_cast<void*>(findFeature(features, LV2_URID__map)));
    int maximum = 0;
    LV2_URID key = 0, chunk = 0;
    if (map != nullptr)
    {
        maximum = announcedMaximumBlockLength(
            static_cast<const LV2_Options_Option*>(findFeature(features, LV2_OPTIONS__options)), *map);
        key = map->map(map->handle, (Lv2Description::pluginUri() + Lv2Ports::stateKeySuffix).toRawUTF8());
        chunk = map->map(map->handle, LV2_ATOM__Chunk);
    }
    if (maximum <= 0)
        maximum = defaultMaximumBlockLength;
    return std::unique_ptr<Lv2Instance>(new Lv2Instance(sampleRate, maximum, key, chunk));
}

Lv2Instance::Lv2Instance(double rate, int maximumBlock, LV2_URID key, LV2_URID chunk)
    : sampleRate(rate), maximumBlockLength(maximumBlock), stateKey(key), chunkType(chunk)
{
    for (size_t i = 0; i < parameterSpecs.size(); ++i)
    {
        parameters[i] = processor.parameters.getParameter(parameterSpecs[i].id);
        jassert(parameters[i] != nullptr);
        lastControlValues[i] = parameterSpecs[i].defaultValue;
    }
}

void Lv2Instance::connectPort(uint32_t port, void* data) noexcept
{
    if (port < Lv2Ports::firstControl)
        audioPorts[port] = static_cast<float*>(data);
    else if (port < Lv2Ports::count)
        controlPorts[port - Lv2Ports::firstControl] = static_cast<const float*>(data);
}

void Lv2Instance::activate()
{
    // Controls the host set before starting take effect at once rather than ramping there.
    applyControlPorts();
    processor.setRateAndBufferSizeDetails(sampleRate, maximumBlockLength);
    processor.prepareToPlay(sampleRate, maximumBlockLength);
}

void Lv2Instance::deactivate()
{
    processor.releaseResources();
}

void Lv2Instance::applyControlPorts() noexcept
{
    for (size_t i = 0; i < controlPorts.size(); ++i)
    {
        if (controlPorts[i] == nullptr)
            continue;
        const float value = *controlPorts[i];
        // Only a control the host moved is applied, so that state the host restored without
        // touching the controls stays as restored. A NaN is no value and is ignored.
        if (value == lastControlValues[i] || std::isnan(value))
            continue;
        lastControlValues[i] = value;
        auto* parameter = parameters[i];
        const float normalised = parameter->convertTo0to1(parameterSpecs[i].clampPlain(value));
        if (normalised != parameter->getValue())
            parameter->setValueNotifyingHost(normalised);
    }
}

void Lv2Instance::run(uint32_t numSamples) noexcept
{
    applyControlPorts();

    float* const inLeft = audioPorts[Lv2Ports::audioInLeft];
    float* const outLeft = audioPorts[Lv2Ports::audioOutLeft];
    if (inLeft == nullptr || outLeft == nullptr || numSamples == 0)
        return;
    float* const inRight = audioPorts[Lv2Ports::audioInRight];
    float* const outRight = audioPorts[Lv2Ports::audioOutRight];
    // A mono track connects the left pair only.
    const int channels = inRight != nullptr && outRight != nullptr ? 2 : 1;
    const float* inputs[2] = {inLeft, inRight};
    float* outputs[2] = {outLeft, outRight};

    // The host may hand the same buffer in and out; otherwise the input moves to the output,
    // where it is shaped in place.
    const int n = (int)std::min<uint32_t>(numSamples, INT_MAX);
    for (int ch = 0; ch < channels; ++ch)
        if (inputs[ch] != outputs[ch])
            std::memmove(outputs[ch], inputs[ch], (size_t)n * sizeof(float));

    for (int start = 0; start < n; start += maximumBlockLength)
    {
        const int length = std::min(maximumBlockLength, n - start);
        float* slicePointers[2] = {outputs[0] + start, channels > 1 ? outputs[1] + start : nullptr};
        slice.setDataToReferTo(slicePointers, channels, length);
        processor.processBlock(slice, noMidi);
    }
    // A host that takes a right output from a mono input gets the shaped mono signal there too.
    if (channels == 1 && outRight != nullptr && outRight != outLeft)
        std::memcpy(outRight, outLeft, (size_t)n * sizeof(float));
}

LV2_State_Status Lv2Instance::save(LV2_State_Store_Function store, LV2_State_Handle handle)
{
    if (stateKey == 0)
        return LV2_STATE_ERR_NO_FEATURE;
    juce::MemoryBlock blob;
    processor.getStateInformation(blob);
    return store(handle, stateKey, blob.getData(), blob.getSize(), chunkType,
                 LV2_STATE_IS_POD | LV2_STATE_IS_PORTABLE);
}

LV2_State_Status Lv2Instance::restore(LV2_State_Retrieve_Function retrieve, LV2_State_Handle handle)
{
    if (stateKey == 0)
        return LV2_STATE_ERR_NO_FEATURE;
    size_t size = 0;
    uint32_t type = 0, flags = 0;
    const void* data = retrieve(handle, stateKey, &size, &type, &flags);
    if (data == nullptr)
        return LV2_STATE_ERR_NO_PROPERTY;
    if (type != chunkType)
        return LV2_STATE_ERR_BAD_TYPE;
    if (size > (size_t)INT_MAX)
        return LV2_STATE_ERR_UNKNOWN;
    // A malformed blob leaves the processor as it was.
    processor.setStateInformation(data, (int)size);
    return LV2_STATE_SUCCESS;
}
