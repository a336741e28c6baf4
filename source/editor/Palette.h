#pragma once

#include <juce_graphics/juce_graphics.h>

// The editor's colours by what they mean. Every colour the editor paints with comes from here.
namespace palette
{
inline const juce::Colour accent{0xFF9650FF};          // lit selectors, value arcs, outlines, read-outs
inline const juce::Colour secondaryAccent{0xFF3A84FF}; // the display's second colour

// The main panel: background, card, sections, knobs, selectors, power button, meters, display.
namespace panel
{
} // namespace panel

// The menu bar, its buttons and its popup menus.
namespace bar
{
} // namespace bar

// The preset dialogs and their buttons and text fields.
namespace dialog
{
} // namespace dialog
} // namespace palette
