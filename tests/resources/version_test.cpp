// The version resource says what Explorer and Task Manager show: name, maker, version and copyright.

#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vistrel {
namespace {

std::vector<std::byte> own_version_info() {
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    DWORD unused = 0;
    std::vector<std::byte> info(GetFileVersionInfoSizeW(path, &unused));
    if (info.empty() || !GetFileVersionInfoW(path, 0, static_cast<DWORD>(info.size()), info.data())) {
        return {};
    }
    return info;
}

std::wstring string_value(std::vector<std::byte>& info, const std::wstring& name) {
    // The block the Translation entry names, as Explorer looks it up.
    struct Translation {
        WORD language;
        WORD code_page;
    }* translation = nullptr;
    UINT size = 0;
    if (!VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof(Translation)) {
        return L"(no translation)";
    }
    wchar_t block[64];
    swprintf(block, 64, L"\\StringFileInfo\\%04x%04x\\", translation->language, translation->code_page);
    wchar_t* text = nullptr;
    if (!VerQueryValueW(info.data(), (block + name).c_str(), reinterpret_cast<void**>(&text), &size)) {
        return L"(missing)";
    }
    return text;
}

TEST(VersionResource, NamesTheProgramItsMakerAndVersion) {
    auto info = own_version_info();
    ASSERT_FALSE(info.empty());

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    EXPECT_EQ(fixed->dwSignature, 0xFEEF04BDu);
    EXPECT_EQ(fixed->dwFileVersionMS, MAKELONG(0, 1)) << "version 1.0";
    EXPECT_EQ(fixed->dwProductVersionMS, fixed->dwFileVersionMS);
    EXPECT_EQ(fixed->dwProductVersionLS, fixed->dwFileVersionLS);
    const std::wstring version_text =
        L"1.0." + std::to_wstring(HIWORD(fixed->dwFileVersionLS));  // the build number follows major.minor

    const struct {
        const wchar_t* name;
        std::wstring expected;
    } cases[] = {
        {L"ProductName", L"Vistrel"},
        {L"CompanyName", L"Tarnwick"},
        {L"FileDescription", L"Vistrel eye-care guardian"},
        {L"LegalCopyright", L"Copyright (C) 2026 Tarnwick"},
        {L"OriginalFilename", L"Vistrel.exe"},
        {L"FileVersion", version_text},
        {L"ProductVersion", version_text},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.name);
        EXPECT_EQ(string_value(info, c.name), c.expected);
    }
}

}  // namespace
}  // namespace vistrel
