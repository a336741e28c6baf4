#pragma once

#include <juce_graphics/juce_graphics.h>

// A picture of what a component draws that changes only with its size and a state (Key, compared
// with ==). It is painted once at the output's pixel density and copied in on every later paint; a
// new size, density or state paints it afresh. The layer must cover its whole area with opaque paint.
template <typename Key>
class CachedLayer
{
public:
    template <typename PaintFunction>
    void draw(juce::Graphics& g, juce::Rectangle<int> bounds, const Key& state, PaintFunction&& paintLayer)
    {
        const float scale = g.getInternalContext().getPhysicalPixelScaleFactor();
        const int width = juce::roundToInt((float) bounds.getWidth() * scale);
        const int height = juce::roundToInt((float) bounds.getHeight() * scale);
        if (width <= 0 || height <= 0)
        {
            paintLayer(g);
            return;
        }

        if (image.getWidth() != width || image.getHeight() != height || !(state == cachedState) || scale != cachedScale)
        {
            if (image.getWidth() != width || image.getHeight() != height)
                image = juce::Image(juce::Image::RGB, width, height, true, juce::SoftwareImageType());
            juce::Graphics layer(image);
            layer.addTransform(juce::AffineTransform::translation((float) -bounds.getX(), (float) -bounds.getY())
                                   .scaled(scale));
            paintLayer(layer);
            cachedState = state;
            cachedScale = scale;
        }

        g.drawImageTransformed(image, juce::AffineTransform::scale(1.0f / scale)
                                          .translated((float) bounds.getX(), (float) bounds.getY()));
    }

private:
    juce::Image image;
    Key cachedState{};
    float cachedScale = 0.0f;
};
