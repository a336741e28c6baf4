#include "state/NoReplaceMove.h"

#if JUCE_WINDOWS
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

#if JUCE_WINDOWS

bool moveFileWithoutReplacing(const juce::File& source, const juce::File& target)
{
    return MoveFileExW(source.getFullPathName().toWideCharPointer(),
                       target.getFullPathName().toWideCharPointer(), 0) != 0;
}

#else

bool moveFileByLinking(const juce::File& source, const juce::File& target)
{
    const auto from = source.getFullPathName(), to = target.getFullPathName();
    if (::link(from.toRawUTF8(), to.toRawUTF8()) != 0)
        return false;
    if (::unlink(from.toRawUTF8()) != 0)
    {
        ::unlink(to.toRawUTF8());
        return false;
    }
    return true;
}

bool moveFileWithoutReplacing(const juce::File& source, const juce::File& target)
{
#if JUCE_LINUX
    const auto from = source.getFullPathName(), to = target.getFullPathName();
    if (::renameat2(AT_FDCWD, from.toRawUTF8(), AT_FDCWD, to.toRawUTF8(), RENAME_NOREPLACE) == 0)
        return true;
    // Anything but "not supported here" is the answer (the target exists, the source is gone, ...).
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return false;
#endif
    return moveFileByLinking(source, target);
}

#endif
