// UTF-8 <-> UTF-16 for the test tools, whose files and arguments travel as
// UTF-8, and the reading of such a file.
#pragma once

#include <windows.h>

#include <cstdio>
#include <string>

inline std::string Utf8(const std::wstring& text) {
    if (text.empty()) return {};
    int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                   nullptr, nullptr);
    std::string out(static_cast<size_t>(size), '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size, nullptr,
                        nullptr);
    return out;
}

inline std::wstring Wide(const std::string& utf8) {
    if (utf8.empty()) return {};
    int size = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(size), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), out.data(), size);
    return out;
}

// Appends the bytes of the file to data; false when it cannot be opened.
inline bool ReadWholeFile(const wchar_t* path, std::string& data) {
    FILE* in = _wfopen(path, L"rb");
    if (!in) return false;
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) data.append(buffer, n);
    std::fclose(in);
    return true;
}
