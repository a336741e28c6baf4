#include "state/StateBlob.h"

namespace StateBlob
{
juce::String readText(const void* data, int sizeInBytes)
{
    constexpr int headerSize = 8;
    if (data == nullptr || sizeInBytes <= headerSize || juce::ByteOrder::littleEndianInt(data) != magicNumber)
        return {};

    const auto textLength = (int)juce::ByteOrder::littleEndianInt(juce::addBytesToPointer(data, 4));
    if (textLength <= 0)
        return {};

    const auto* text = static_cast<const char*>(data) + headerSize;
    const int available = std::min(textLength, sizeInBytes - headerSize);
    if (!juce::CharPointer_UTF8::isValidString(text, available))
        return {};

    return juce::String::fromUTF8(text, available);
}
} // namespace StateBlob
