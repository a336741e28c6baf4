// How the value text of a parameter entry in a preset file or a host state is read: a finite
// decimal number loads (clamped into the parameter's range); any other text is no value, and the
// parameter takes its default.

#include "PresetTestSupport.h"

namespace
{
enum class Source
{
    presetFile,
    hostState
};

// A value for every parameter that differs from what setUnusualValues sets, on the parameters'
// 0.01 grid. Quality stays at its default, which the current value keeps too (a user preset
// leaves it as it is).
float fileValue(const ParameterSpec& spec)
{
    if (std::string_view(spec.id) == ParameterIDs::quality)
        return spec.defaultValue;
    if (spec.kind == ParameterSpec::Kind::number)
        return std::round((spec.minimum + 0.71f * (spec.maximum - spec.minimum)) * 100.0f) / 100.0f;
    return spec.defaultValue == spec.minimum ? spec.minimum : spec.maximum;
}

// Every parameter at its file value, except `id`, whose value attribute is `text`.
juce::String documentWith(const char* id, const juce::String& text)
{
    juce::String params;
    for (auto& spec : parameterSpecs)
        params << "<PARAM id=\"" << spec.id << "\" value=\""
               << (std::string_view(spec.id) == id ? text : juce::String(fileValue(spec))) << "\"/>\n";
    return presetDocument(params);
}

struct Loader
{
    TestPresetRoot root;
    TarvoltAudioProcessor processor;

    Loader()
    {
        root.attach(processor);
        setUnusualValues(processor);
        harness::setPlain(processor, ParameterIDs::quality,
                          fileValue(*findParameterSpec(ParameterIDs::quality)));
    }

    bool load(Source source, const juce::String& document)
    {
        if (source == Source::presetFile)
        {
            root.writePresetFile("Typed.xml", document);
            return processor.getState().loadUserPreset("Typed");
        }
        const auto xml = juce::parseXML(document);
        if (xml == nullptr)
            return false;
        juce::MemoryBlock blob;
        juce::AudioProcessor::copyXmlToBinary(*xml, blob);
        processor.setStateInformation(blob.getData(), (int)blob.getSize());
        return true;
    }
};

const char* describe(Source source)
{
    return source == Source::presetFile ? "preset file" : "host state";
}
} // namespace

// power="abc" used to read as 0, so such a preset loaded with the effect switched off.
TEST(ValueText, TextThatIsNoFiniteDecimalNumberGivesTheDefaultAndTheRestLoads)
{
    const char* texts[] = {"abc", "", " ", "5abc", "nan", "inf", "-inf", "1e999", "0x10"};
    const char* targets[] = {ParameterIDs::power, ParameterIDs::attack, ParameterIDs::mode,
                             ParameterIDs::mix};
    for (const auto source : {Source::presetFile, Source::hostState})
        for (const char* target : targets)
            for (const char* text : texts)
            {
                SCOPED_TRACE(juce::String(describe(source)) + ", " + target + "=\"" + text + "\"");
                Loader loader;
                const auto* targetSpec = findParameterSpec(target);
                ASSERT_NE(harness::getPlain(loader.processor, target), targetSpec->defaultValue);

                ASSERT_TRUE(loader.load(source, documentWith(target, text)));

                for (auto& spec : parameterSpecs)
                    EXPECT_NEAR(harness::getPlain(loader.processor, spec.id),
                                &spec == targetSpec ? spec.defaultValue : fileValue(spec), 1.0e-4f)
                        << spec.id;
            }
}

TEST(ValueText, DecimalNumbersLoadAndOutOfRangeOnesAreClamped)
{
    const std::pair<const char*, float> cases[] = {{"3", 3.0f},     {"+3", 3.0f},      {" 3 ", 3.0f},
                                                   {"3.0e0", 3.0f}, {"30E-1", 3.0f},   {"-.5", -0.5f},
                                                   {"1e30", 12.0f}, {"-1e300", -12.0f}};
    for (const auto source : {Source::presetFile, Source::hostState})
        for (const auto& [text, expected] : cases)
        {
            SCOPED_TRACE(juce::String(describe(source)) + ", attack=\"" + text + "\"");
            Loader loader;
            ASSERT_TRUE(loader.load(source, documentWith(ParameterIDs::attack, text)));
            EXPECT_FLOAT_EQ(harness::getPlain(loader.processor, ParameterIDs::attack), expected);
            EXPECT_NEAR(harness::getPlain(loader.processor, ParameterIDs::mix),
                        fileValue(*findParameterSpec(ParameterIDs::mix)), 1.0e-4f);
        }
}
