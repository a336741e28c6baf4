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
inline const juce::Colour background{0xff0a0b0c};
inline const juce::Colour outline{0xff384452}; // buttons and popup menus

// Buttons (the dialogs' buttons share the body).
inline const juce::Colour buttonFill{0xff181e24};
inline const juce::Colour buttonFillHover{0xff30363b};
inline const juce::Colour buttonFillPressed{0xff3b4045};
inline const juce::Colour buttonText{0xffdce6f0}; // captions and icons
inline const juce::Colour iconCircleHover{0x28ffffff};
inline const juce::Colour iconCirclePressed{0x3cffffff};
inline const juce::Colour iconRingHover{0x528296af};
inline const juce::Colour iconRingPressed{0x788296af};

// Popup menus.
inline const juce::Colour menuTop{0xff101112};
inline const juce::Colour menuBottom{0xff0f1011};
inline const juce::Colour menuInnerOutline{0xb44e4f51};
inline const juce::Colour menuSeparator{0xff2a333d};
inline const juce::Colour menuHighlight{0x28ffffff};
inline const juce::Colour menuText{0xf0e6eef2};
inline const juce::Colour menuHighlightedText{0xffffffff};
inline const juce::Colour menuHeaderText{0xffffffff};
} // namespace bar

// The preset dialogs and their buttons and text fields.
namespace dialog
{
inline const juce::Colour background{0xff12161b};
inline const juce::Colour boxTop{0xff131415};
inline const juce::Colour boxBottom{0xff0e0f10};
inline const juce::Colour boxOutline{0xffd2e1eb};
inline const juce::Colour text{0xdcd2e1eb};

inline const juce::Colour fieldBackground{0xff161c22};
inline const juce::Colour fieldText{0xffeff5ff};
inline const juce::Colour fieldHighlightedText{0xffffffff};
inline const juce::Colour fieldOutline{0xff384452};
inline const juce::Colour fieldFocusedOutline{0xff4eff24};

inline const juce::Colour button{0xff1c232b};
inline const juce::Colour buttonOn{0xff26303a};
inline const juce::Colour buttonText{0xffeff5ff};
} // namespace dialog
} // namespace palette
