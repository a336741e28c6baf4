#include "presets/PresetTestSupport.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace
{
juce::String blobText(const juce::MemoryBlock& blob)
{
    return juce::String::fromUTF8(static_cast<const char*>(blob.getData()) + 8, (int)blob.getSize() - 9);
}

void restore(TarvoltAudioProcessor& processor, const juce::MemoryBlock& blob)
{
    processor.setStateInformation(blob.getData(), (int)blob.getSize());
}

juce::MemoryBlock blobOf(const juce::String& xmlText)
{
    juce::MemoryBlock blob;
    juce::AudioProcessor::copyXmlToBinary(*juce::parseXML(xmlText), blob);
    return blob;
}

// The parameters in the order the framework's tree of a fresh instance holds them: by ID.
std::vector<ParameterSpec> specsById()
{
    std::vector<ParameterSpec> specs(parameterSpecs.begin(), parameterSpecs.end());
    std::sort(specs.begin(), specs.end(),
              [](const ParameterSpec& a, const ParameterSpec& b) { return std::string_view(a.id) < b.id; });
    return specs;
}
} // namespace

TEST(StateBlob, AFreshInstanceSavesTheDefaultsAndNoPresetByteForByte)
{
    TarvoltAudioProcessor processor;
    juce::MemoryBlock blob;
    processor.getStateInformation(blob);

    juce::String expectedText =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?> <PARAMETERS uiCurrentPresetName=\"Presets\" "
        "uiCurrentPresetIsUser=\"0\" uiCurrentPresetModified=\"0\">";
    for (const auto& spec : specsById()) // the default as the framework writes a number: 5.0, -2.5, 100.0
        expectedText << "<PARAM id=\"" << spec.id << "\" value=\""
                     << juce::var((double)spec.defaultValue).toString() << "\"/>";
    expectedText << "</PARAMETERS>";
    const auto textSize = (size_t)expectedText.getNumBytesAsUTF8();

    ASSERT_EQ(blob.getSize(), 8 + textSize + 1);
    const auto* bytes = static_cast<const juce::uint8*>(blob.getData());
    EXPECT_EQ(juce::String::fromUTF8((const char*)bytes, 4), "VC2!");
    EXPECT_EQ(juce::ByteOrder::littleEndianInt(bytes + 4), (juce::uint32)textSize);
    EXPECT_EQ(blobText(blob), expectedText);
    EXPECT_EQ(bytes[blob.getSize() - 1], 0);
}

TEST(StateBlob, AFreshInstanceBlobDecodedAttributeByAttribute)
{
    TarvoltAudioProcessor processor;
    juce::MemoryBlock blob;
    processor.getStateInformation(blob);
    const auto xml = juce::AudioProcessor::getXmlFromBinary(blob.getData(), (int)blob.getSize());
    ASSERT_NE(xml, nullptr);

    EXPECT_EQ(xml->getTagName(), "PARAMETERS");
    ASSERT_EQ(xml->getNumAttributes(), 3);
    const std::pair<const char*, const char*> attributes[] = {
        {"uiCurrentPresetName", "Presets"}, {"uiCurrentPresetIsUser", "0"}, {"uiCurrentPresetModified", "0"}};
    for (int i = 0; i < 3; ++i)
    {
        EXPECT_EQ(xml->getAttributeName(i), attributes[i].first);
        EXPECT_EQ(xml->getAttributeValue(i), attributes[i].second);
    }

    const auto specs = specsById();
    ASSERT_EQ(xml->getNumChildElements(), (int)specs.size());
    size_t i = 0;
    for (auto* child : xml->getChildIterator())
    {
        EXPECT_EQ(child->getTagName(), "PARAM");
        EXPECT_EQ(child->getStringAttribute("id"), specs[i].id);
        EXPECT_DOUBLE_EQ(child->getDoubleAttribute("value"), specs[i].defaultValue);
        ++i;
    }
}

TEST(StateBlob, SavingTwiceGivesIdenticalBlobsAndLeavesTheLiveTreeAlone)
{
    TarvoltAudioProcessor processor;
    processor.getState().loadFactoryPreset("Guitar Push");
    juce::MemoryBlock first, second;
    processor.getStateInformation(first);
    processor.getStateInformation(second);

    EXPECT_EQ(first, second);
    EXPECT_EQ(processor.getState().parameters.state.getNumProperties(), 0);
}

TEST(StateBlob, FactoryPresetRoundTripKeepsValuesAndTheModifiedMark)
{
    TarvoltAudioProcessor processor;
    processor.getState().loadFactoryPreset("Snare Snap");
    harness::setPlain(processor, "attack", 2.0f);
    juce::MemoryBlock blob;
    processor.getStateInformation(blob);
    const auto savedValues = processor.getState().parameters.copyState();

    setUnusualValues(processor);
    processor.getState().loadFactoryPreset("Tame Pokey");
    harness::setPlain(processor, "mix", 10.0f);
    restore(processor, blob);

    for (auto& spec : parameterSpecs)
        EXPECT_EQ(harness::getPlain(processor, spec.id),
                  (float)savedValues.getChildWithProperty("id", spec.id).getProperty("value"))
            << spec.id;
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), 2.0f);
    EXPECT_EQ(processor.getState().getCurrentPresetDisplayName(), "Snare Snap *");
    EXPECT_FALSE(processor.getState().isCurrentPresetUser());

    // Into a second instance, as when a host duplicates a track.
    TarvoltAudioProcessor copy;
    restore(copy, blob);
    EXPECT_EQ(observableState(copy), observableState(processor));
}

TEST(StateBlob, UserPresetRoundTripKeepsTheUserFlagSoDeletingThePresetResetsIt)
{
    TestPresetRoot root;
    TarvoltAudioProcessor processor;
    root.attach(processor);
    ASSERT_TRUE(processor.getState().saveUserPreset("Room Kit"));
    juce::MemoryBlock blob;
    processor.getStateInformation(blob);

    TarvoltAudioProcessor reopened;
    root.attach(reopened);
    restore(reopened, blob);
    EXPECT_EQ(reopened.getState().getCurrentPresetDisplayName(), "Room Kit");
    EXPECT_TRUE(reopened.getState().isCurrentPresetUser());

    ASSERT_TRUE(reopened.getState().deleteUserPreset("Room Kit"));
    EXPECT_EQ(reopened.getState().getCurrentPresetDisplayName(), "Presets");
    EXPECT_FALSE(reopened.getState().isCurrentPresetUser());
}

TEST(StateBlob, RestoringNeverMarksThePresetModifiedAndDoesNotSuspendProcessing)
{
    TarvoltAudioProcessor source;
    setUnusualValues(source);
    source.getState().getCurrentPreset().set("Custom", false, false);
    juce::MemoryBlock blob;
    source.getStateInformation(blob);

    TarvoltAudioProcessor processor;
    ApplyingFlagProbe probe(processor);
    restore(processor, blob);

    EXPECT_EQ(probe.changes, (int)numParameters);
    EXPECT_EQ(probe.changesWhileNotApplying, 0);
    EXPECT_EQ(probe.changesWhileSuspended, 0);
    EXPECT_EQ(processor.getState().getCurrentPresetDisplayName(), "Custom");
}

TEST(StateBlob, WithoutPresetAttributesTheParametersComeBackAndNoPresetIsCurrent)
{
    TarvoltAudioProcessor processor;
    processor.getState().loadFactoryPreset("Bass Knock");
    const float mixBefore = harness::getPlain(processor, "mix");

    restore(processor, blobOf("<PARAMETERS><PARAM id=\"attack\" value=\"-3\"/></PARAMETERS>"));

    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), -3.0f);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "mix"), mixBefore) << "absent parameters keep their values";
    EXPECT_EQ(processor.getState().getCurrentPresetDisplayName(), "Presets");
    EXPECT_FALSE(processor.getState().isCurrentPresetUser());
}

TEST(StateBlob, StoredFlagsReadAsTheFrameworkReadsBooleans)
{
    struct Case
    {
        const char* text;
        bool value;
    };
    const Case cases[] = {{"1", true},  {"0", false},  {"true", true}, {" YES ", true}, {"2", true},
                          {"-1", true}, {"no", false}, {"", false},    {"false", false}};

    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.text);
        TarvoltAudioProcessor processor;
        const auto text = juce::String("<PARAMETERS uiCurrentPresetName=\"N\" uiCurrentPresetIsUser=\"") +
                          c.text + "\" uiCurrentPresetModified=\"" + c.text + "\"/>";
        restore(processor, blobOf(text));
        EXPECT_EQ(processor.getState().isCurrentPresetUser(), c.value);
        EXPECT_EQ(processor.getState().getCurrentPreset().isModified(), c.value);
    }
}

TEST(StateBlob, AnEmptyStoredNameMeansNoPreset)
{
    TarvoltAudioProcessor processor;
    processor.getState().loadFactoryPreset("Bass Knock");
    restore(processor, blobOf("<PARAMETERS uiCurrentPresetName=\"\" uiCurrentPresetIsUser=\"1\"/>"));
    EXPECT_EQ(processor.getState().getCurrentPresetName(), "Presets");
    EXPECT_TRUE(processor.getState().isCurrentPresetUser());
}

TEST(StateBlob, AttributesARestoredTreeBroughtKeepTheirPlacesAndTakeNewValues)
{
    TarvoltAudioProcessor processor;
    restore(processor,
            blobOf("<PARAMETERS extra=\"kept\" uiCurrentPresetModified=\"1\" uiCurrentPresetName=\"Old\" "
                   "uiCurrentPresetIsUser=\"1\"><PARAM id=\"mix\" value=\"50\"/></PARAMETERS>"));
    processor.getState().loadFactoryPreset("Smooth Rooms");

    juce::MemoryBlock blob;
    processor.getStateInformation(blob);
    const auto xml = juce::AudioProcessor::getXmlFromBinary(blob.getData(), (int)blob.getSize());
    ASSERT_NE(xml, nullptr);
    ASSERT_EQ(xml->getNumAttributes(), 4);
    const std::pair<const char*, const char*> expected[] = {{"extra", "kept"},
                                                            {"uiCurrentPresetModified", "0"},
                                                            {"uiCurrentPresetName", "Smooth Rooms"},
                                                            {"uiCurrentPresetIsUser", "0"}};
    for (int i = 0; i < 4; ++i)
    {
        EXPECT_EQ(xml->getAttributeName(i), expected[i].first);
        EXPECT_EQ(xml->getAttributeValue(i), expected[i].second);
    }
    EXPECT_EQ(xml->getFirstChildElement()->getStringAttribute("id"), "mix") << "the restored order is kept";
}

TEST(StateBlob, ARootOfAnotherTypeIsTakenAsTheFrameworkTakesIt)
{
    // The root's tag is not checked: another type replaces the tree all the same.
    TarvoltAudioProcessor processor;
    restore(processor,
            blobOf("<OTHER uiCurrentPresetName=\"Other\"><PARAM id=\"clip\" value=\"70\"/></OTHER>"));

    EXPECT_FLOAT_EQ(harness::getPlain(processor, "clip"), 70.0f);
    EXPECT_EQ(processor.getState().getCurrentPresetName(), "Other");
    EXPECT_TRUE(processor.getState().parameters.state.hasType("OTHER"));
}
