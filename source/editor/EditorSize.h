#pragma once

#include <juce_gui_basics/juce_gui_basics.h>

// The editor window's proportions and the limits of its width.
struct EditorProportions
{
    float defaultHeightFraction = 0.75f; // share of the display's usable height, less the host's
                                         // frame, the editor opens at
    float hostFrameAllowance = 120.0f;   // logical pixels kept for the frame a host puts around
                                         // the editor (title bar, toolbar, borders)
    float aspectRatio = 1.61f;           // editor width / height, kept fixed
    float menuBarHeightFraction = 0.09f; // share of the editor height given to the menu bar
    float minimumWidth = 500.0f;         // logical pixels
    float maximumWidth = 1700.0f;        // logical pixels
};

// The editor window's opening size and its resize limits, from the usable area of the display
// that shows it (logical pixels) and the editor's proportions: three quarters of the usable height
// less the host's frame (EditorProportions::hostFrameAllowance), at the fixed aspect ratio, within
// the width limits.
struct EditorSize
{
    int width = 1, height = 1;
    int minWidth = 1, minHeight = 1, maxWidth = 1, maxHeight = 1;
    double aspectRatio = 1.0; // width / height, kept fixed while resizing
};

EditorSize computeEditorSize(juce::Rectangle<int> userArea, const EditorProportions& layout);

// The editor's size in a window of width x height that a host imposes: the largest at the fixed
// aspect ratio that fits in it, within the limits.
juce::Point<int> fitToAspectRatio(const EditorSize& limits, int width, int height);

// Whether a size keeps the aspect ratio (to within the rounding to whole pixels) and the width
// limits: whether fitToAspectRatio would leave it as it is.
bool keepsRatioAndLimits(const EditorSize& limits, int width, int height);

// The usable area (without task bars) of the display the editor opens on, in logical pixels.
// windowBounds are the screen bounds of the window that holds the editor, empty while it is not
// on screen yet: then the main display is taken, never whichever display the list names last.
// With a window on screen, the display that holds most of it (the main one when it is on none).
// Without a main display, the bounding box of all usable areas.
juce::Rectangle<int> chooseDisplayUserArea(const juce::Array<juce::Displays::Display>& displays,
                                           juce::Rectangle<int> windowBounds);
