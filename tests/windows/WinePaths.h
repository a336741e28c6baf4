#pragma once

// Paths between the build machine and the Windows programs that wine runs on it. Plain Win32,
// so both the tests linked with the plug-in's code and the module loader use it.

#include <windows.h>

#include <cstdlib>
#include <string>

namespace wine
{

inline std::wstring widen(const std::string& utf8)
{
    if (utf8.empty())
        return {};
    const int length = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int) utf8.size(), nullptr, 0);
    std::wstring result((size_t) length, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), (int) utf8.size(), result.data(), length);
    return result;
}

inline std::string environment(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// A build-machine path as a Windows path ("/work/x" becomes "Z:\work\x"), converted by wine's
// own kernel32. Paths that are not absolute Unix paths, and every path outside wine, pass as
// they are.
inline std::wstring dosPath(const std::string& path)
{
    using Convert = WCHAR*(CDECL*) (const char*);
    const auto convert = reinterpret_cast<Convert>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));

    if (!path.empty() && path[0] == '/' && convert != nullptr)
        if (WCHAR* converted = convert(path.c_str()))
        {
            std::wstring result(converted);
            HeapFree(GetProcessHeap(), 0, converted);
            return result;
        }
    return widen(path);
}

} // namespace wine
