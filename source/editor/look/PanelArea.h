#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// A part of the main panel that shows something in an area the panel's layout computes (the
// signal display, a level meter) and takes no clicks. It is placed on the whole pixels around its
// area and draws in its parent's coordinates, where the layout put every edge: moved by the
// part's position, some of the layout's fractional coordinates would round to other pixels.
class PanelArea : public juce::Component
{
public:
    PanelArea()
    {
        setInterceptsMouseClicks(false, false);
        setPaintingIsUnclipped(true); // it draws inside its area; the parent's clip is the same
    }

    // The area in the parent's coordinates and the panel's scale (PanelLayout::scale).
    void setArea(juce::Rectangle<float> areaInParent, float panelScale)
    {
        area = areaInParent;
        scale = panelScale;
        setBounds(area.getSmallestIntegerContainer());
    }

protected:
    // Makes g draw in the parent's coordinates (for paint, which gets it in the part's own).
    void drawInParentCoordinates(juce::Graphics& g) const { g.setOrigin(-getPosition()); }

    juce::Rectangle<float> area;
    float scale = 1.0f;
};
