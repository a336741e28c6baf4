#include "editor/EditorSize.h"

#include "editor/look/Rounding.h"

#include <algorithm>
#include <cmath>

EditorSize computeEditorSize(juce::Rectangle<int> userArea, const EditorProportions& layout)
{
    const double R = std::max((double) layout.aspectRatio, 0.1);
    const double f = juce::jlimit(0.1, 1.0, (double) layout.defaultHeightFraction);
    const int Uw = userArea.getWidth();
    const int Uh = userArea.getHeight();

    const int wMax = std::max(1, std::min(Uw, roundHalfAway(layout.maximumWidth)));
    const int wMin = std::max(1, std::min(wMax, roundHalfAway(layout.minimumWidth)));

    // A host shows the editor in a window of its own, with a title bar, usually a toolbar (presets,
    // bypass) and borders: the height those take is set aside first, so that the whole window
    // opens inside the usable area.
    const int available = std::max(Uh - roundHalfAway(std::max(layout.hostFrameAllowance, 0.0f)), 0);
    const int h0 = std::max(1, roundHalfAway(available * f));
    const int w0 = std::max(1, roundHalfAway(h0 * R));

    EditorSize size;
    size.width = w0 < wMin ? wMin : std::min(w0, wMax);
    size.height = std::max(1, roundHalfAway(size.width / R));
    if (size.height > Uh)
    {
        // Too tall for the display at the minimum width: fit the height and narrow the window.
        size.height = std::max(1, Uh);
        size.width = std::max(1, std::min(Uw, roundHalfAway(Uh * R)));
    }

    size.minWidth = wMin;
    size.maxWidth = wMax;
    size.minHeight = std::max(1, roundHalfAway(wMin / R));
    size.maxHeight = std::max(size.minHeight, roundHalfAway(wMax / R));
    size.aspectRatio = R;
    return size;
}

juce::Point<int> fitToAspectRatio(const EditorSize& limits, int width, int height)
{
    const double R = limits.aspectRatio;
    int w = std::max(1, width);
    int h = std::max(1, roundHalfAway(w / R));
    if (h > height)
    {
        h = std::max(1, height);
        w = std::max(1, roundHalfAway(h * R));
    }
    if (w < limits.minWidth || w > limits.maxWidth)
    {
        w = juce::jlimit(limits.minWidth, limits.maxWidth, w);
        h = std::max(1, roundHalfAway(w / R));
    }
    return {w, h};
}

bool keepsRatioAndLimits(const EditorSize& limits, int width, int height)
{
    return width >= limits.minWidth && width <= limits.maxWidth &&
           std::abs((double) height - width / limits.aspectRatio) <= 1.0;
}

juce::Rectangle<int> chooseDisplayUserArea(const juce::Array<juce::Displays::Display>& displays,
                                           juce::Rectangle<int> windowBounds)
{
    const juce::Displays::Display* chosen = nullptr;
    int largestOverlap = 0;
    for (const auto& display : displays)
    {
        const auto overlap = display.totalArea.getIntersection(windowBounds);
        if (overlap.getWidth() * overlap.getHeight() > largestOverlap)
        {
            largestOverlap = overlap.getWidth() * overlap.getHeight();
            chosen = &display;
        }
    }
    for (const auto& display : displays)
        if (chosen == nullptr && display.isMain)
            chosen = &display;
    if (chosen != nullptr)
        return chosen->userArea;

    juce::Rectangle<int> all;
    for (const auto& display : displays)
        if (!display.userArea.isEmpty())
            all = all.isEmpty() ? display.userArea : all.getUnion(display.userArea);
    return all;
}
