#include "plugin/lv2/Lv2Instance.h"

#include "plugin/lv2/Lv2Description.h"
#include "state/ShaperSettingsFrom.h"

#include <lv2/atom/atom.h>

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
} // namespace

std::unique_ptr<Lv2Instance> Lv2Instance::create(double sampleRate, const LV2_Feature* const* features)
{
    if (!(sampleRate > 0.0) || !std::isfinite(sampleRate))
        return nullptr;
    // Without urid:map the plug-in still plays; only its state cannot be saved or restored.
    auto* map = static_cast<LV2_URID_Map*>(const_cast<void*>(findFeature(features, LV2_URID__map)));
    LV2_URID key = 0, chunk = 0;
    if (map != nullptr)
    {
        key = map->map(map->handle, (Lv2Description::pluginUri() + Lv2Ports::stateKeySuffix).toRawUTF8());
        chunk = map->map(map->handle, LV2_ATOM__Chunk);
    }
    return std::unique_ptr<Lv2Instance>(new Lv2Instance(sampleRate, key, chunk));
}

Lv2Instance::Lv2Instance(double rate, LV2_URID key, LV2_URID chunk)
    : sampleRate(rate), stateKey(key), chunkType(chunk), settings(ParameterValues::defaults())
{
    // The High path's latency comes from its filters' design: done here, before run() needs it.
    TransientShaper::latencyFor(Quality::high);
    for (size_t i = 0; i < parameterSpecs.size(); ++i)
    {
        parameters[i] = state.parameters.getParameter(parameterSpecs[i].id);
        jassert(parameters[i] != nullptr);
        lastControlValues[i] = parameterSpecs[i].defaultValue;
    }
    publish();
    shaper.prepare(sampleRate, shaperSettingsFrom(settings));
}

void Lv2Instance::connectPort(uint32_t port, void* data) noexcept
{
    if (port < Lv2Ports::firstControl)
        audioPorts[port] = static_cast<float*>(data);
    else if (port < Lv2Ports::latency)
        controlPorts[port - Lv2Ports::firstControl] = static_cast<const float*>(data);
    else if (port == Lv2Ports::latency)
        latencyPort = static_cast<float*>(data);
    else if (port == Lv2Ports::enabled)
        enabledPort = static_cast<const float*>(data);
}

void Lv2Instance::activate()
{
    // Controls the host set before starting take effect at once rather than ramping there.
    applyControlPorts();
    const auto shaperSettings = shaperSettingsFrom(settings);
    shaper.prepare(sampleRate, enabled ? shaperSettings : shaperSettings.bypassed());
}

void Lv2Instance::deactivate()
{
}

void Lv2Instance::applyControlPorts() noexcept
{
    bool moved = false;
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
        // The value the parameter would hold: clamped, then on its 0.01 grid.
        const auto* parameter = parameters[i];
        settings[i] = parameter->convertFrom0to1(parameter->convertTo0to1(parameterSpecs[i].clampPlain(value)));
        moved = true;
    }
    if (moved)
        publish();

    // Above 0 plays, 0 or below bypasses (the values below 0 are reserved, and bypass too); a NaN
    // is no value and is ignored.
    if (enabledPort != nullptr && !std::isnan(*enabledPort))
        enabled = *enabledPort > 0.0f;
}

void Lv2Instance::publish() noexcept
{
    for (size_t i = 0; i < published.size(); ++i)
        published[i].store(settings[i], std::memory_order_relaxed);
}

ParameterValues Lv2Instance::getSettings() const noexcept
{
    ParameterValues values;
    for (size_t i = 0; i < published.size(); ++i)
        values[i] = published[i].load(std::memory_order_relaxed);
    return values;
}

void Lv2Instance::run(uint32_t numSamples) noexcept
{
    applyControlPorts();
    // A change of quality moves the path, and with it the latency, at once (after a fade).
    if (latencyPort != nullptr)
        *latencyPort = (float) TransientShaper::latencyFor(settings.choice<Quality>());

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

    // The host may hand the same buffer in and out: the shaper reads each stretch of the input
    // before it writes that stretch of the output.
    const auto n = (size_t) std::min<uint32_t>(numSamples, INT_MAX);
    juce::ScopedNoDenormals noDenormals;
    const auto shaperSettings = shaperSettingsFrom(settings);
    shaper.process(juce::dsp::AudioBlock<const float>(inputs, (size_t) channels, n),
                   juce::dsp::AudioBlock<float>(outputs, (size_t) channels, n),
                   enabled ? shaperSettings : shaperSettings.bypassed());

    // A host that takes a right output from a mono input gets the shaped mono signal there too.
    if (channels == 1 && outRight != nullptr && outRight != outLeft)
        std::memcpy(outRight, outLeft, n * sizeof(float));
}

LV2_State_Status Lv2Instance::save(LV2_State_Store_Function store, LV2_State_Handle handle)
{
    if (stateKey == 0)
        return LV2_STATE_ERR_NO_FEATURE;
    // The state takes over the settings the audio runs with (a moved setting marks the
    // current preset modified, as any edit does), then writes its blob.
    const auto current = getSettings();
    for (size_t i = 0; i < parameters.size(); ++i)
    {
        auto* parameter = parameters[i];
        const float normalised = parameter->convertTo0to1(current[i]);
        if (normalised != parameter->getValue())
            parameter->setValueNotifyingHost(normalised);
    }
    juce::MemoryBlock blob;
    state.save(blob);
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
    // A malformed blob leaves the state as it was. Restoring never runs alongside run().
    state.restore(data, (int)size);
    settings = state.getParameterValues();
    publish();
    return LV2_STATE_SUCCESS;
}
