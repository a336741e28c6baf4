#pragma once

#include <juce_core/juce_core.h>

// The bundle's RDF description, written at build time from the parameter table so that the
// ports can never drift from the parameters.
namespace Lv2Description
{
// The plug-in's URI: the vendor's web address followed by /plugins/tarvolt.
juce::String pluginUri();

// manifest.ttl: names the plug-in, its binary and its description file.
juce::String manifest(const juce::String& binaryFileName, const juce::String& descriptionFileName);

// The description file: identity, features, state and every port with its range.
juce::String plugin();

// Writes both files into the bundle folder; false (and a message) when a file cannot be written.
bool writeBundleFiles(const juce::File& bundleFolder, const juce::String& binaryFileName,
                      juce::String& error);
} // namespace Lv2Description
