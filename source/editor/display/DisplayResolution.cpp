#include "editor/display/DisplayResolution.h"

namespace
{
DisplayResolution automaticFor(float plotWidth)
{
    if (plotWidth >= 600.0f)
        return DisplayResolution::High;
    return plotWidth >= 300.0f ? DisplayResolution::Medium : DisplayResolution::Low;
}
} // namespace

int curvePointsFor(DisplayResolution resolution, float plotWidth)
{
    const auto chosen = resolution == DisplayResolution::Auto ? automaticFor(plotWidth) : resolution;
    if (chosen == DisplayResolution::Low)
        return 56;
    return chosen == DisplayResolution::Medium ? 111 : 221;
}
