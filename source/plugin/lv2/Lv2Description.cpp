#include "plugin/lv2/Lv2Description.h"

#include "plugin/lv2/Lv2Ports.h"
#include "state/FactoryPresets.h"

namespace
{
const char* const descriptionFile = "Tarvolt.ttl";
const char* const presetsFile = "presets.ttl";

// A decimal literal (never an integer one, which hosts would read as an integer atom), with the
// precision the parameters have.
juce::String number(float value)
{
    return juce::String(value, 2);
}

juce::String quoted(const juce::String& text)
{
    return "\"" + text.replace("\\", "\\\\").replace("\"", "\\\"") + "\"";
}

const char* unitOf(const ParameterSpec& spec)
{
    switch (spec.unit)
    {
        case ParameterSpec::Unit::decibels: return "units:db";
        case ParameterSpec::Unit::percent: return "units:pc";
        case ParameterSpec::Unit::none: break;
    }
    return nullptr;
}

juce::String audioPort(uint32_t index, bool input, const char* symbol, const char* name, bool optional,
                       const char* designation)
{
    juce::String text;
    text << "\t[\n"
         << "\t\ta lv2:" << (input ? "InputPort" : "OutputPort") << " , lv2:AudioPort ;\n"
         << "\t\tlv2:index " << (int)index << " ;\n"
         << "\t\tlv2:symbol " << quoted(symbol) << " ;\n"
         << "\t\tlv2:name " << quoted(name) << " ;\n"
         << "\t\tlv2:designation pg:" << designation << " ;\n";
    if (optional)
        text << "\t\tlv2:portProperty lv2:connectionOptional ;\n";
    text << "\t]";
    return text;
}

juce::String controlPort(uint32_t index, const ParameterSpec& spec)
{
    juce::String text;
    text << "\t[\n"
         << "\t\ta lv2:InputPort , lv2:ControlPort ;\n"
         << "\t\tlv2:index " << (int)index << " ;\n"
         << "\t\tlv2:symbol " << quoted(spec.id) << " ;\n"
         << "\t\tlv2:name " << quoted(spec.name) << " ;\n"
         << "\t\tlv2:default " << number(spec.defaultValue) << " ;\n"
         << "\t\tlv2:minimum " << number(spec.minimum) << " ;\n"
         << "\t\tlv2:maximum " << number(spec.maximum) << " ;\n";
    if (spec.kind == ParameterSpec::Kind::toggle)
        text << "\t\tlv2:portProperty lv2:toggled ;\n";
    if (spec.kind == ParameterSpec::Kind::choice)
        text << "\t\tlv2:portProperty lv2:integer , lv2:enumeration ;\n";
    if (!spec.automatable)
        text << "\t\tlv2:portProperty pprops:notAutomatic ;\n";
    // Choices and the toggle's two states by name.
    for (int i = 0; i < spec.numChoices(); ++i)
        text << "\t\tlv2:scalePoint [ rdfs:label " << quoted(spec.choices[(size_t)i]) << " ; rdf:value " << i
             << ".0 ] ;\n";
    if (const auto* unit = unitOf(spec))
        text << "\t\tunits:unit " << unit << " ;\n";
    text << "\t]";
    return text;
}

juce::String latencyPort()
{
    juce::String text;
    text << "\t[\n"
         << "\t\ta lv2:OutputPort , lv2:ControlPort ;\n"
         << "\t\tlv2:index " << (int)Lv2Ports::latency << " ;\n"
         << "\t\tlv2:symbol \"latency\" ;\n"
         << "\t\tlv2:name \"Latency\" ;\n"
         << "\t\tlv2:designation lv2:latency ;\n"
         << "\t\tlv2:portProperty lv2:reportsLatency , lv2:integer ;\n"
         << "\t\tlv2:minimum 0 ;\n"
         << "\t\tlv2:maximum 1024 ;\n"
         << "\t\tunits:unit units:frame ;\n"
         << "\t]";
    return text;
}

// The host's bypass switch, where hosts look for it.
juce::String enabledPort()
{
    juce::String text;
    text << "\t[\n"
         << "\t\ta lv2:InputPort , lv2:ControlPort ;\n"
         << "\t\tlv2:index " << (int)Lv2Ports::enabled << " ;\n"
         << "\t\tlv2:symbol \"enabled\" ;\n"
         << "\t\tlv2:name \"Enabled\" ;\n"
         << "\t\tlv2:designation lv2:enabled ;\n"
         << "\t\tlv2:default " << number(1.0f) << " ;\n"
         << "\t\tlv2:minimum " << number(0.0f) << " ;\n"
         << "\t\tlv2:maximum " << number(1.0f) << " ;\n"
         << "\t\tlv2:portProperty lv2:toggled ;\n"
         << "\t]";
    return text;
}

juce::String presetUri(int index)
{
    return Lv2Description::pluginUri() + "#preset" + juce::String(index + 1);
}
} // namespace

juce::String Lv2Description::pluginUri()
{
    return TARVOLT_LV2_URI;
}

juce::String Lv2Description::manifest(const juce::String& binaryFileName,
                                      const juce::String& descriptionFileName)
{
    juce::String text;
    text << "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
         << "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
         << "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n\n"
         << "<" << pluginUri() << ">\n"
         << "\ta lv2:Plugin , lv2:DynamicsPlugin ;\n"
         << "\tlv2:binary <" << binaryFileName << "> ;\n"
         << "\trdfs:seeAlso <" << descriptionFileName << "> .\n";
    for (size_t i = 0; i < factoryPresetTable.size(); ++i)
        text << "\n<" << presetUri((int)i) << ">\n"
             << "\ta pset:Preset ;\n"
             << "\tlv2:appliesTo <" << pluginUri() << "> ;\n"
             << "\trdfs:label " << quoted(factoryPresetTable[i].name) << " ;\n"
             << "\trdfs:seeAlso <" << presetsFile << "> .\n";
    return text;
}

juce::String Lv2Description::plugin()
{
    juce::String text;
    text << "@prefix doap: <http://usefulinc.com/ns/doap#> .\n"
         << "@prefix foaf: <http://xmlns.com/foaf/0.1/> .\n"
         << "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
         << "@prefix pg: <http://lv2plug.in/ns/ext/port-groups#> .\n"
         << "@prefix pprops: <http://lv2plug.in/ns/ext/port-props#> .\n"
         << "@prefix rdf: <http://www.w3.org/1999/02/22-rdf-syntax-ns#> .\n"
         << "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n"
         << "@prefix state: <http://lv2plug.in/ns/ext/state#> .\n"
         << "@prefix units: <http://lv2plug.in/ns/extensions/units#> .\n"
         << "@prefix urid: <http://lv2plug.in/ns/ext/urid#> .\n\n"
         << "<" << pluginUri() << ">\n"
         << "\ta lv2:Plugin , lv2:DynamicsPlugin ;\n"
         << "\tdoap:name " << quoted(JucePlugin_Name) << " ;\n"
         << "\tdoap:description " << quoted(JucePlugin_Desc) << " ;\n"
         << "\tdoap:license <https://spdx.org/licenses/GPL-3.0-or-later> ;\n"
         << "\tdoap:maintainer [\n"
         << "\t\tfoaf:name " << quoted(JucePlugin_Manufacturer) << " ;\n"
         << "\t\tfoaf:homepage <" << JucePlugin_ManufacturerWebsite << "> ;\n"
         << "\t] ;\n"
         << "\tdoap:release [ doap:revision " << quoted(JucePlugin_VersionString) << " ] ;\n"
         << "\tlv2:minorVersion " << (JucePlugin_VersionCode >> 8 & 0xff) << " ;\n"
         << "\tlv2:microVersion " << (JucePlugin_VersionCode & 0xff) << " ;\n"
         << "\tlv2:optionalFeature lv2:hardRTCapable , urid:map ;\n"
         << "\tlv2:extensionData state:interface ;\n"
         << "\tlv2:port\n"
         << audioPort(Lv2Ports::audioInLeft, true, "in_l", "Left In", false, "left") << " ,\n"
         << audioPort(Lv2Ports::audioInRight, true, "in_r", "Right In", true, "right") << " ,\n"
         << audioPort(Lv2Ports::audioOutLeft, false, "out_l", "Left Out", false, "left") << " ,\n"
         << audioPort(Lv2Ports::audioOutRight, false, "out_r", "Right Out", true, "right");
    for (uint32_t i = 0; i < Lv2Ports::numControls; ++i)
        text << " ,\n" << controlPort(Lv2Ports::firstControl + i, parameterSpecs[i]);
    text << " ,\n" << latencyPort() << " ,\n" << enabledPort() << " .\n";
    return text;
}

namespace
{
juce::String presets()
{
    juce::String text;
    text << "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
         << "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n\n";
    for (size_t i = 0; i < factoryPresetTable.size(); ++i)
    {
        text << "<" << presetUri((int)i) << ">\n"
             << "\tlv2:port";
        const char* separator = " ";
        for (auto& value : factoryPresetTable[i].values)
        {
            text << separator << "[ lv2:symbol " << quoted(value.id) << " ; pset:value " << number(value.plain) << " ]";
            separator = " ,\n\t\t";
        }
        text << " .\n\n";
    }
    return text;
}
} // namespace

bool Lv2Description::writeBundleFiles(const juce::File& bundleFolder, const juce::String& binaryFileName,
                                      juce::String& error)
{
    const std::pair<const char*, juce::String> files[] = {
        {"manifest.ttl", manifest(binaryFileName, descriptionFile)},
        {descriptionFile, plugin()},
        {presetsFile, presets()}};
    if (!bundleFolder.createDirectory())
    {
        error = "cannot create " + bundleFolder.getFullPathName();
        return false;
    }
    for (const auto& [name, content] : files)
    {
        const auto file = bundleFolder.getChildFile(name);
        if (!file.replaceWithText(content, false, false, "\n"))
        {
            error = "cannot write " + file.getFullPathName();
            return false;
        }
    }
    return true;
}
