#include "editor/EditorSize.h"

#include <algorithm>
#include <cmath>

namespace
{
// Nearest integer, halves away from zero.
int roundHalfAway(double x)
{
    return (int) std::round(x);
}
} // namespace

EditorSize computeEditorSize(juce::Rectangle<int> userArea, const ProductInfo& layout)
{
    const double R = std::max((double) layout.aspectRatio, 0.1);
    const double f = juce::jlimit(0.1, 1.0, (double) layout.defaultHeightFraction);
    const int Uw = userArea.getWidth();
    const int Uh = userArea.getHeight();

    const int wMax = std::max(1, std::min(Uw, roundHalfAway(layout.maximumWidth)));
    const int wMin = std::max(1, std::min(wMax, roundHalfAway(layout.minimumWidth)));

    const int h0 = std::max(1, roundHalfAway(Uh * f));
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
