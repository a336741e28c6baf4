#pragma once

#include "common/ProcessorHarness.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

// Random and mutated inputs for robustness tests, deterministic for a given juce::Random seed,
// and the check that a taken input left the processor sound.
namespace fuzzing
{
inline juce::MemoryBlock randomBytes(juce::Random& random, int maxSize)
{
    juce::MemoryBlock block((size_t)random.nextInt(maxSize + 1));
    random.fillBitsRandomly(block.getData(), block.getSize());
    return block;
}

// Raw bytes of markup fragments (some not valid UTF-8) that steer random text towards the parser's
// interesting paths.
inline juce::MemoryBlock randomMarkup(juce::Random& random, int pieces)
{
    static const char* const fragments[] = {
        "<",
        ">",
        "/>",
        "</",
        "<?xml version=\"1.0\"?>",
        "<PARAMETERS",
        "</PARAMETERS>",
        "<PARAM",
        " id=\"attack\"",
        " id=\"mode\"",
        " value=\"",
        "\"",
        "1e38",
        "-inf",
        "nan",
        "0.5",
        "&amp;",
        "&#x0;",
        "&bogus;",
        "<!--",
        "-->",
        "<![CDATA[",
        "]]>",
        " uiCurrentPresetName=\"",
        " uiCurrentPresetIsUser=\"yes\"",
        "\xc3\xa9",
        "\xff",
        " ",
        "\n",
        "<!DOCTYPE x [<!ENTITY e \"&e;\">]>",
    };
    juce::MemoryBlock text;
    for (int i = 0; i < pieces; ++i)
    {
        const char* fragment = fragments[random.nextInt((int)std::size(fragments))];
        text.append(fragment, std::strlen(fragment));
    }
    return text;
}

// One random edit: flip, overwrite, insert, delete, duplicate or truncate.
inline void mutate(juce::MemoryBlock& block, juce::Random& random)
{
    auto size = (int)block.getSize();
    auto* bytes = static_cast<juce::uint8*>(block.getData());
    const int position = size > 0 ? random.nextInt(size) : 0;

    switch (random.nextInt(6))
    {
        case 0:
            if (size > 0)
                bytes[position] ^= (juce::uint8)(1 << random.nextInt(8));
            break;
        case 1:
            if (size > 0)
                bytes[position] = (juce::uint8)random.nextInt(256);
            break;
        case 2:
        {
            const auto inserted = randomBytes(random, 8);
            block.insert(inserted.getData(), inserted.getSize(), (size_t)position);
            break;
        }
        case 3:
            block.removeSection((size_t)position, (size_t)random.nextInt(16) + 1);
            break;
        case 4:
        {
            const int length = std::min(size - position, random.nextInt(32) + 1);
            if (length > 0)
            {
                juce::MemoryBlock copy(bytes + position, (size_t)length);
                block.insert(copy.getData(), copy.getSize(), (size_t)random.nextInt(size + 1));
            }
            break;
        }
        default:
            block.setSize((size_t)position);
            break;
    }
}

inline juce::MemoryBlock mutated(juce::MemoryBlock block, juce::Random& random)
{
    const int edits = 1 + random.nextInt(4);
    for (int i = 0; i < edits; ++i)
        mutate(block, random);
    return block;
}

// After an input was taken: every parameter holds a value of its range, and the processor
// (prepared) makes finite sound.
inline void expectSane(TarvoltAudioProcessor& processor)
{
    for (auto& spec : parameterSpecs)
    {
        const float value = harness::getPlain(processor, spec.id);
        EXPECT_TRUE(value >= spec.minimum && value <= spec.maximum) << spec.id << " = " << value;
    }
    auto buffer = harness::makeBuffer(2, harness::drumLikeSignal(64, 32));
    harness::processInBlocks(processor, buffer, 64);
    for (int ch = 0; ch < 2; ++ch)
        for (int i = 0; i < buffer.getNumSamples(); ++i)
            ASSERT_TRUE(std::isfinite(buffer.getSample(ch, i)));
}

// A printable form of an input for failure messages.
inline std::string describe(const juce::MemoryBlock& block)
{
    return juce::String::toHexString(block.getData(), (int)std::min<size_t>(block.getSize(), 400), 0)
        .toStdString();
}
} // namespace fuzzing
