#pragma once

#include <juce_core/juce_core.h>

// Moving a file to another name in the same folder, refusing to replace whatever is there: the
// check for an existing target and the move are one step of the file system, so a file that
// appears at the target in the meantime is never deleted. Returns false, changing nothing, when
// the target exists (as a file or a folder) or the move fails.
//
// Windows: MoveFileExW without MOVEFILE_REPLACE_EXISTING. Linux: renameat2 with
// RENAME_NOREPLACE, or, on file systems without it, moveFileByLinking.
bool moveFileWithoutReplacing(const juce::File& source, const juce::File& target);

#if !JUCE_WINDOWS
// A hard link under the new name (which the system refuses when the name exists), then the old
// name removed. Takes back the link when the old name cannot be removed.
bool moveFileByLinking(const juce::File& source, const juce::File& target);
#endif
