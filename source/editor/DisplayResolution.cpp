#include "editor/DisplayResolution.h"

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
    switch (resolution == DisplayResolution::Auto ? automaticFor(plotWidth) : resolution)
    {
        case DisplayResolution::Low:
            return 56;
        case DisplayResolution::Medium:
            return 111;
        default:
            return 221;
    }
}
