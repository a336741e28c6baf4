#pragma once

#include <juce_core/juce_core.h>

// The host state blob as juce::AudioProcessor::copyXmlToBinary writes it: the magic number
// 0x21324356 ("VC2!"), the little-endian byte count of the XML text, the text, a zero byte.
namespace StateBlob
{
inline constexpr juce::uint32 magicNumber = 0x21324356;

// The XML text of a blob: the blob must be longer than 8 bytes, start with the magic number and
// give a text length above 0; the text is the smaller of that length and the bytes present.
// Returns an empty string for anything else, and for text that is not valid UTF-8.
juce::String readText(const void* data, int sizeInBytes);
} // namespace StateBlob
