#pragma once

#include <juce_graphics/juce_graphics.h>

// The editor's colours by what they mean. Every colour the editor paints with comes from here.
namespace palette
{
inline const juce::Colour accent{0xFF9650FF};          // lit selectors, value arcs, outlines
inline const juce::Colour accentText{0xFFA064FF};      // text in the accent (read-outs, subtitle): 4.5:1 on the card
inline const juce::Colour secondaryAccent{0xFF3A84FF}; // the display's second colour

// The main panel: background, card, sections, knobs, selectors, power button, meters, display.
namespace panel
{
// Background gradient (top, bottom), the card on it and the card's edge.
inline const juce::Colour backgroundTop{0xFF080A0F};
inline const juce::Colour backgroundBottom{0xFF0D0C14};
inline const juce::Colour card{0xFF14161E};
inline const juce::Colour cardEdge{0x1EFFFFFF};
// The grey that stands for the accent while power is off (section outlines, meter segments).
inline const juce::Colour unpowered{0xFF585866};

// Text: each with its colour while power is on and while it is off. Every text is at least 4.5
// times as light as what it is drawn on (the contrast ratio of the web's accessibility rules).
inline const juce::Colour title{0xB0FFFFFF};
inline const juce::Colour titleOff{0xFF8A8A94};
inline const juce::Colour subtitle = accentText;
inline const juce::Colour subtitleOff{0xFF82828E};
inline const juce::Colour knobCaption{0xFFE6E6EC};
inline const juce::Colour knobCaptionOff{0xFF90909C};
inline const juce::Colour groupCaption{0xFFD4D4DC};
inline const juce::Colour groupCaptionOff{0xFF8A8A94};
inline const juce::Colour meterCaption{0xFFDCDCE4};
inline const juce::Colour meterCaptionOff{0xFF868692};

// The resize grip in the window's bottom-right corner: grey, the accent while the pointer is on
// it or drags it.
inline const juce::Colour resizeGrip{0xFF585866};
inline const juce::Colour resizeGripActive = accent;

// Value read-outs while they are open for typing.
inline const juce::Colour readOutEditingBackground{0xFF16161E};
inline const juce::Colour readOutEditingText{0xFFF5F0FF};

// Knobs.
inline const juce::Colour knobShadow{0x4C000000};
inline const juce::Colour knobBodyLight{0xFF4A4258};
inline const juce::Colour knobBodyDark{0xFF121219};
inline const juce::Colour knobFaceLight{0xFF2A2936};
inline const juce::Colour knobFaceDark{0xFF0A0B10};
inline const juce::Colour knobTrack{0xFF3A3A48};
inline const juce::Colour knobArcOff{0xFF5C5C68};
inline const juce::Colour knobPointer{0xFFECECF0};

// Selector buttons (unlit: resting, hovered, pressed).
inline const juce::Colour selector{0xFF12141C};
inline const juce::Colour selectorHovered{0xFF1F2128};
inline const juce::Colour selectorPressed{0xFF2B2D34};
inline const juce::Colour selectorEdge{0x22FFFFFF};
inline const juce::Colour selectorText{0xFFC6C6D0};
inline const juce::Colour selectorLitText{0xFFF5F0FF}; // on the lit selector's accent

// Power button.
inline const juce::Colour powerBackground{0xFF14121C};
inline const juce::Colour powerOn{0xFFB45AFF};
inline const juce::Colour powerOff{0xFF62626C};

// Level meters.
inline const juce::Colour meterTrough{0xFF0E0E14};
inline const juce::Colour meterTroughEdge{0x18FFFFFF};
inline const juce::Colour meterSegment{0xFF7C4CFF};
inline const juce::Colour meterSegmentTop{0xFFB65CFF};
inline const juce::Colour meterScaleText{0xFF9A9AA8}; // the dB marks beside the bars
inline const juce::Colour meterPeakText{0xFFDCDCE4};  // the held peak in dB
inline const juce::Colour meterOver{0xFFFF5A4E};      // the over indicator, held until clicked
inline const juce::Colour meterOverText{0xFF1A0A0A};  // its "OVER" on the warning colour

// Signal display: frame, plot, grid, curves and text.
inline const juce::Colour displayFrame{0x12FFFFFF};
inline const juce::Colour displayFrameOff{0x0AFFFFFF};
inline const juce::Colour plot{0xFF10121A};
inline const juce::Colour gridOuter{0x12FFFFFF};
inline const juce::Colour gridInner{0x0AFFFFFF};
inline const juce::Colour zeroLine{0x22FFFFFF};
inline const juce::Colour dryCurve{0xFFFFF0CD};
inline const juce::Colour gainCurve{0xFFFF7EB6}; // the shaper's gain in dB over time
inline const juce::Colour clipLine{0xFFFFB268};
inline const juce::Colour legendText{0xFFD2D2DC};
inline const juce::Colour displayText{0xFF8C90A4};
// The live view's band of the detector's transient amount.
inline const juce::Colour transientBand{0xFF4ED8B2};
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
