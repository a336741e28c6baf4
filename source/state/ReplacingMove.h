#pragma once

#include <juce_core/juce_core.h>

#include <functional>

using FileMove = std::function<bool(const juce::File& source, const juce::File& target)>;

// Moves `source` onto `target`, replacing the file there, so that nothing is lost when the move
// fails: the target first moves aside to `backup`, then the source moves onto the target's name,
// then the backup is deleted. When the source cannot be moved, the backup moves back to the
// target's name. Every step is a move that refuses to replace (`move`, by default
// moveFileWithoutReplacing), so a file that appears at one of the names meanwhile is never
// deleted; should the target's name be taken by the time the backup moves back, the backup stays.
bool moveFileReplacing(const juce::File& source, const juce::File& target, const juce::File& backup,
                       const FileMove& move);
bool moveFileReplacing(const juce::File& source, const juce::File& target, const juce::File& backup);
