// The display mode kept with the state: "uiDisplayMode" on the root, written only for the live
// view, so that a state without it (older ones included) shows the model.

#include "presets/PresetTestSupport.h"

namespace
{
std::unique_ptr<juce::XmlElement> savedXml(TarvoltAudioProcessor& processor)
{
    juce::MemoryBlock blob;
    processor.getStateInformation(blob);
    return juce::AudioProcessor::getXmlFromBinary(blob.getData(), (int) blob.getSize());
}

void restoreText(TarvoltAudioProcessor& processor, const juce::String& xmlText)
{
    juce::MemoryBlock blob;
    juce::AudioProcessor::copyXmlToBinary(*juce::parseXML(xmlText), blob);
    processor.setStateInformation(blob.getData(), (int) blob.getSize());
}
} // namespace

TEST(DisplayModeState, TheLiveViewIsSavedAfterThePresetAndRestored)
{
    TarvoltAudioProcessor saved;
    saved.getState().setDisplayMode(DisplayMode::Live);
    juce::MemoryBlock blob;
    saved.getStateInformation(blob);
    const auto xml = juce::AudioProcessor::getXmlFromBinary(blob.getData(), (int) blob.getSize());
    ASSERT_NE(xml, nullptr);
    ASSERT_EQ(xml->getNumAttributes(), 4);
    EXPECT_EQ(xml->getAttributeName(3), "uiDisplayMode");
    EXPECT_EQ(xml->getAttributeValue(3), "Live");

    TarvoltAudioProcessor restored;
    restored.setStateInformation(blob.getData(), (int) blob.getSize());
    EXPECT_EQ(restored.getState().getDisplayMode(), DisplayMode::Live);
}

// The restored tree keeps the attribute it brought; once the model is chosen again, the next save
// leaves it out all the same.
TEST(DisplayModeState, TheModelIsSavedWithoutTheAttributeEvenAfterALiveRestore)
{
    TarvoltAudioProcessor processor;
    restoreText(processor, "<PARAMETERS uiDisplayMode=\"Live\"/>");
    ASSERT_EQ(processor.getState().getDisplayMode(), DisplayMode::Live);
    processor.getState().setDisplayMode(DisplayMode::Model);

    const auto xml = savedXml(processor);
    ASSERT_NE(xml, nullptr);
    EXPECT_FALSE(xml->hasAttribute("uiDisplayMode"));
}

TEST(DisplayModeState, StoredTextsAndTheirModes)
{
    struct Case
    {
        const char* attribute; // nullptr: none
        DisplayMode mode;
    };
    const Case cases[] = {{nullptr, DisplayMode::Model}, {"Live", DisplayMode::Live},   {" live ", DisplayMode::Live},
                          {"Model", DisplayMode::Model}, {"Scope", DisplayMode::Model}, {"", DisplayMode::Model},
                          {"1", DisplayMode::Model}};
    for (const auto& c : cases)
    {
        SCOPED_TRACE(c.attribute != nullptr ? c.attribute : "(none)");
        TarvoltAudioProcessor processor;
        processor.getState().setDisplayMode(c.mode == DisplayMode::Live ? DisplayMode::Model : DisplayMode::Live);
        const juce::String attribute =
            c.attribute != nullptr ? " uiDisplayMode=\"" + juce::String(c.attribute) + "\"" : juce::String();
        restoreText(processor, "<PARAMETERS" + attribute + "><PARAM id=\"mix\" value=\"50\"/></PARAMETERS>");
        EXPECT_EQ(processor.getState().getDisplayMode(), c.mode);
        EXPECT_FLOAT_EQ(harness::getPlain(processor, "mix"), 50.0f);
    }
}

TEST(DisplayModeState, AMalformedStateLeavesTheModeAlone)
{
    TarvoltAudioProcessor processor;
    processor.getState().setDisplayMode(DisplayMode::Live);
    const char garbage[] = "VC2!\x05\0\0\0<notxml";
    processor.setStateInformation(garbage, (int) sizeof(garbage));
    EXPECT_EQ(processor.getState().getDisplayMode(), DisplayMode::Live);
}
