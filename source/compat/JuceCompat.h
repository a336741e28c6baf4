#pragma once

#include <juce_graphics/juce_graphics.h>

// The few framework calls that differ between JUCE 7 (which Debian ships) and JUCE 8. Code
// elsewhere goes through these, so moving to JUCE 8 only touches this file.
namespace compat
{

// A font of the default typeface at the given height and style (juce::Font::plain, bold, ...).
inline juce::Font makeFont(float height, int styleFlags = juce::Font::plain)
{
#if JUCE_MAJOR_VERSION >= 8
    return juce::Font(juce::FontOptions(height, styleFlags));
#else
    return juce::Font(height, styleFlags);
#endif
}

} // namespace compat
