// The module's Windows version resource, read with the same calls Explorer's Details tab uses.

#include "WinePaths.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace
{
std::vector<BYTE> readVersionInfo(const std::wstring& path)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &ignored);
    std::vector<BYTE> data(size);
    if (size == 0 || !GetFileVersionInfoW(path.c_str(), 0, size, data.data()))
        data.clear();
    return data;
}

template <typename Value>
const Value* query(std::vector<BYTE>& data, const std::wstring& key, UINT& length)
{
    void* value = nullptr;
    length = 0;
    if (!VerQueryValueW(data.data(), key.c_str(), &value, &length))
        return nullptr;
    return static_cast<const Value*>(value);
}
} // namespace

TEST(VersionResource, NamesTheCompanyProductAndVersionInUSEnglish)
{
    auto data = readVersionInfo(wine::dosPath(wine::environment("TARVOLT_VST3_MODULE")));
    ASSERT_FALSE(data.empty()) << "no version resource (error " << GetLastError() << ")";

    UINT length = 0;
    const auto* fixed = query<VS_FIXEDFILEINFO>(data, L"\\", length);
    ASSERT_NE(fixed, nullptr);
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, (DWORD) MAKELONG(TARVOLT_VERSION_MINOR, TARVOLT_VERSION_MAJOR))
        << "file version major.minor.x.x";
    EXPECT_EQ(fixed->dwFileVersionLS, (DWORD) MAKELONG(0, TARVOLT_VERSION_PATCH)) << "file version x.x.patch.0";

    const auto* translation = query<WORD>(data, L"\\VarFileInfo\\Translation", length);
    ASSERT_NE(translation, nullptr);
    ASSERT_EQ(length, 2 * sizeof(WORD)) << "exactly one language";
    EXPECT_EQ(translation[0], 0x0409) << "U.S. English";
    EXPECT_EQ(translation[1], 1252) << "code page 1252";

    const std::string version = TARVOLT_VERSION;
    const std::wstring wideVersion(version.begin(), version.end());
    const std::pair<const wchar_t*, std::wstring> strings[] = {
        {L"CompanyName", L"Orvane Audio"}, {L"FileDescription", L"Tarvolt"}, {L"ProductName", L"Tarvolt"},
        {L"FileVersion", wideVersion},     {L"ProductVersion", wideVersion},
    };
    for (const auto& [key, expected] : strings)
    {
        const auto* value = query<wchar_t>(data, std::wstring(L"\\StringFileInfo\\040904E4\\") + key, length);
        ASSERT_NE(value, nullptr) << "missing " << testing::PrintToString(std::wstring(key));
        EXPECT_EQ(std::wstring(value), expected);
    }
}
