#pragma once

// How finely the signal display draws its curves: the user's choice in the menu bar's settings
// menu. Auto picks by the width of the plot.
enum class DisplayResolution
{
    Auto = 0,
    Low = 1,
    Medium = 2,
    High = 3
};

// Points per curve: High draws every point of the display model (221), Medium every second (111),
// Low every fourth (56). Auto takes High on a plot at least 600 pixels wide, Medium from 300, else Low.
int curvePointsFor(DisplayResolution resolution, float plotWidth);
