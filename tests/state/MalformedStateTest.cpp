#include "presets/PresetTestSupport.h"

#include <functional>

namespace
{
juce::MemoryBlock realBlob()
{
    TarvoltAudioProcessor source;
    source.getState().loadFactoryPreset("Aggro Parallel");
    juce::MemoryBlock blob;
    source.getStateInformation(blob);
    return blob;
}

juce::MemoryBlock withLength(juce::MemoryBlock blob, juce::int32 length)
{
    auto* bytes = static_cast<juce::uint8*>(blob.getData());
    for (int i = 0; i < 4; ++i)
        bytes[4 + i] = (juce::uint8)(((juce::uint32)length >> (8 * i)) & 0xff);
    return blob;
}

// A blob around raw text bytes, with the length field telling the truth.
juce::MemoryBlock blobAround(const juce::MemoryBlock& text)
{
    juce::MemoryOutputStream out;
    out.writeInt(0x21324356); // "VC2!"
    out.writeInt((int)text.getSize());
    out.write(text.getData(), text.getSize());
    out.writeByte(0);
    return out.getMemoryBlock();
}

juce::MemoryBlock bytesOf(const juce::String& text)
{
    return {text.toRawUTF8(), text.getNumBytesAsUTF8()};
}

// Bytes that need not be valid UTF-8.
template <size_t size> juce::MemoryBlock rawBytes(const char (&text)[size])
{
    return {text, size - 1};
}

struct Malformed
{
    const char* description;
    juce::MemoryBlock blob;
};

std::vector<Malformed> malformedBlobs()
{
    const auto real = realBlob();
    std::vector<Malformed> cases;
    for (int size = 0; size <= 8; ++size)
        cases.push_back({"blob of 0 to 8 bytes", juce::MemoryBlock(real.getData(), (size_t)size)});
    for (int i = 0; i < 4; ++i)
    {
        auto wrongMagic = real;
        static_cast<juce::uint8*>(wrongMagic.getData())[i] ^= 0x20;
        cases.push_back({"wrong magic", wrongMagic});
    }
    cases.push_back({"length 0", withLength(real, 0)});
    cases.push_back({"length -1", withLength(real, -1)});
    cases.push_back({"most negative length", withLength(real, std::numeric_limits<juce::int32>::min())});
    cases.push_back({"length beyond the data, the bytes present cut short",
                     juce::MemoryBlock(real.getData(), real.getSize() / 2)});
    const auto realText =
        juce::String::fromUTF8(static_cast<const char*>(real.getData()) + 8, (int)real.getSize() - 9);
    cases.push_back({"text cut inside the root's start tag",
                     withLength(real, realText.indexOf("uiCurrentPresetIsUser"))});
    cases.push_back({"text cut inside the root's closing tag", withLength(real, realText.length() - 3)});
    cases.push_back({"unparsable text", blobAround(bytesOf("not xml at all"))});
    cases.push_back({"text after the root", blobAround(bytesOf("<PARAMETERS/>trailing"))});
    cases.push_back(
        {"element name that is no XML name", blobAround(bytesOf("<PARAMETERS><0.5/></PARAMETERS>"))});
    cases.push_back({"attribute name that is no XML name", blobAround(bytesOf("<PARAMETERS -a=\"1\"/>"))});
    cases.push_back({"unclosed root", blobAround(bytesOf("<PARAMETERS><PARAM id=\"attack\" value=\"1\"/>"))});
    cases.push_back({"declaration only", blobAround(bytesOf("<?xml version=\"1.0\" encoding=\"UTF-8\"?> "))});
    cases.push_back({"declaration never closed", blobAround(bytesOf("<?xml version=\"1.0\" <PARAMETERS/>"))});
    cases.push_back(
        {"text that starts with a zero byte", blobAround(bytesOf(juce::String::repeatedString("x", 4)))});
    static_cast<char*>(cases.back().blob.getData())[8] = 0;
    cases.push_back({"invalid UTF-8", blobAround(rawBytes("<PARAMETERS a=\"\xff\xfe\"/>"))});
    cases.push_back({"UTF-8 cut inside a character", blobAround(rawBytes("<P a=\"\xe2\x82"))});
    cases.push_back(
        {"entity that expands itself",
         blobAround(bytesOf("<!DOCTYPE P [<!ENTITY xa \"&xa;&xa;\">]><PARAMETERS a=\"&xa;\"/>"))});
    cases.push_back({"document type naming a local file",
                     blobAround(bytesOf("<!DOCTYPE P SYSTEM \"/etc/passwd\"><PARAMETERS a=\"&x;\"/>"))});
    cases.push_back({"nesting deep enough to exhaust the stack",
                     blobAround(bytesOf(juce::String::repeatedString("<a>", 200000) +
                                        juce::String::repeatedString("</a>", 200000)))});
    return cases;
}

void restore(TarvoltAudioProcessor& processor, const juce::MemoryBlock& blob)
{
    processor.setStateInformation(blob.getData(), (int)blob.getSize());
}
} // namespace

TEST(MalformedState, IsIgnoredAndChangesNothing)
{
    for (const auto& c : malformedBlobs())
    {
        SCOPED_TRACE(c.description);
        TarvoltAudioProcessor processor;
        setUnusualValues(processor);
        processor.getState().getCurrentPreset().set("Mine", true, true);
        const auto before = observableState(processor);

        EXPECT_NO_THROW(restore(processor, c.blob));
        EXPECT_EQ(observableState(processor), before);
    }
}

TEST(MalformedState, NoDataIsIgnored)
{
    TarvoltAudioProcessor processor;
    processor.getState().loadFactoryPreset("Tame Pokey");
    const auto before = observableState(processor);
    EXPECT_NO_THROW(processor.setStateInformation(nullptr, 0));
    EXPECT_NO_THROW(processor.setStateInformation(nullptr, 100));
    EXPECT_EQ(observableState(processor), before);
}

TEST(MalformedState, ALengthBeyondTheDataCountsTheBytesPresent)
{
    // The text and its trailing zero are all there; the length claims more.
    const auto blob = withLength(realBlob(), 1 << 20);
    TarvoltAudioProcessor processor;
    restore(processor, blob);
    EXPECT_EQ(processor.getState().getCurrentPresetName(), "Aggro Parallel");
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "mix"), 42.0f);
}

TEST(MalformedState, TheDeclaredEncodingDoesNotMatter)
{
    // The text is decoded as UTF-8 before it is parsed, whatever its declaration says.
    const auto blob = blobAround(rawBytes(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?> <PARAMETERS uiCurrentPresetName=\"Caf\xc3\xa9\"/>"));
    TarvoltAudioProcessor processor;
    restore(processor, blob);
    EXPECT_EQ(processor.getState().getCurrentPresetName(), juce::String::fromUTF8("Caf\xc3\xa9"));
}

TEST(MalformedState, ValuesAParameterCannotTakeAreClampedOrDefaulted)
{
    const auto blob =
        blobAround(bytesOf("<PARAMETERS><PARAM id=\"attack\" value=\"-99\"/><PARAM id=\"mix\" "
                           "value=\"nan\"/><PARAM id=\"focus\" value=\"inf\"/>Text<PARAM id=\"clip\" "
                           "value=\"12.5\">inner text</PARAM></PARAMETERS>"));
    TarvoltAudioProcessor processor;
    setUnusualValues(processor);
    restore(processor, blob);

    EXPECT_FLOAT_EQ(harness::getPlain(processor, "attack"), -12.0f);
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "mix"), 100.0f);
    EXPECT_EQ(processor.getState().getParameterValues().choice<Focus>(), Focus::full) << "not a finite number: the default";
    EXPECT_FLOAT_EQ(harness::getPlain(processor, "clip"), 12.5f) << "text content is dropped, the entry kept";
}
