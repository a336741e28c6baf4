#pragma once

#include <juce_core/juce_core.h>

// Names the preset store builds its folders from, and the editor's sizing constants.
struct ProductInfo
{
    juce::String name;
    juce::String version;
    juce::String companyFolder;

    float defaultHeightFraction = 0.75f; // share of the display's usable height the editor opens at
    float aspectRatio = 1.61f;           // editor width / height, kept fixed
    float menuBarHeightFraction = 0.09f; // share of the editor height given to the menu bar
    float minimumWidth = 500.0f;         // logical pixels
    float maximumWidth = 1700.0f;        // logical pixels

    // The record the processor holds: its strings name the preset data folder.
    static ProductInfo tarvolt() { return {"Tarvolt", "1.0.0", "OrvaneAudio"}; }
};
