#include "state/ReplacingMove.h"

#include "state/NoReplaceMove.h"

bool moveFileReplacing(const juce::File& source, const juce::File& target, const juce::File& backup,
                       const FileMove& move)
{
    if (!move(target, backup))
        return false;

    if (move(source, target))
    {
        backup.deleteFile();
        return true;
    }

    move(backup, target);
    return false;
}

bool moveFileReplacing(const juce::File& source, const juce::File& target, const juce::File& backup)
{
    return moveFileReplacing(source, target, backup, moveFileWithoutReplacing);
}
