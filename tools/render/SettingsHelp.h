#pragma once

#include <juce_core/juce_core.h>

// One line per parameter, in host order, for the tools' help texts: the ID, then the range with
// its unit ("-12 to 12 dB") or the choice names ("Tight|Punch|Smooth").
juce::StringArray describeSettableParameters();
