#pragma once

#include <windows.h>
#include <string>
#include <string_view>

// The program's own texts, all ASCII, as the wide-character calls take them.
inline std::wstring wide(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}

// Any text between the UTF-8 the shared layer speaks and the UTF-16 of the system's calls.
inline std::wstring utf16(std::string_view utf8) {
    const int length =
        MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
    std::wstring text(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), text.data(),
                        length);
    return text;
}

inline std::string utf8(std::wstring_view utf16) {
    const int length = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()),
                                           nullptr, 0, nullptr, nullptr);
    std::string text(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_UTF8, 0, utf16.data(), static_cast<int>(utf16.size()), text.data(),
                        length, nullptr, nullptr);
    return text;
}
