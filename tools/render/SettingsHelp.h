#pragma once

#include <juce_core/juce_core.h>

struct ParameterSpec;

// One line per parameter, in host order, for the tools' help texts: the ID, then the range with
// its unit ("-12 to 12 dB") or the choice names ("Tight|Punch|Smooth").
juce::StringArray describeSettableParameters();

// What a parameter takes: "-12 to 12 dB" for a number; the choice names joined by `separator`
// for choices and the toggle.
juce::String describeValues(const ParameterSpec& spec, const juce::String& separator = "|");
