#pragma once

#include <juce_audio_processors/juce_audio_processors.h>

#include <memory>

// Parameter trees that come from outside (host state blobs, preset files) on their way to
// replacing the live parameter state. The input is untrusted.

// Parses a whole XML document. Returns null when the text does not parse, and also for:
// - text that does not end in '>' after white space: every complete document does, and the
//   framework's parser takes a document cut short inside a tag as if it were complete;
// - more than maxXmlMarkup '<' characters: the parser recurses once per nesting level, so a
//   crafted document must not be able to exhaust the stack of the host's thread (Tarvolt's
//   own documents hold a dozen);
// - a document type declaration, whose entities the parser expands recursively;
// - an element or attribute name that is not a valid XML name (the parser reads such names but
//   does not accept them, and they could not be written out as XML again).
// The XML declaration is skipped here: the text is already decoded, so the encoding it names
// no longer applies.
std::unique_ptr<juce::XmlElement> parseXmlText(const juce::String& text);

inline constexpr int maxXmlMarkup = 1024;

// The value tree of a parsed document (juce::ValueTree::fromXml), made safe for the parameter
// state: text content is dropped (a value tree has no place for it), and a parameter entry whose
// value lies outside its parameter's range is clamped into it, or loses the value (so the
// parameter takes its default) when the value is not a finite decimal number ("abc", "", "5abc",
// "0x10", "nan", "inf", "1e999").
juce::ValueTree parameterTreeFromXml(juce::XmlElement& xml);

// What a parameter tree that is to replace the live parameter state comes from.
enum class IncomingTree
{
    hostState, // restores every parameter
    userPreset // leaves the engine settings as they are (ParameterSpec::Presets::none)
};

// Readies a tree (from parameterTreeFromXml) to replace the live parameter state:
// - every parameter the tree has no entry for gets one: the current value, so that replacing the
//   state leaves the parameter as it is (the framework would reset it to its default), or the
//   default for a parameter that files written before it lack (see ParameterSpec::keptWhenMissing);
// - from a user preset, every parameter that no preset changes gets the current value, whatever
//   the file holds.
void completeParameterTree(juce::ValueTree& tree, const juce::AudioProcessorValueTreeState& parameters,
                           IncomingTree source);
