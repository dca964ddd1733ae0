#pragma once

#include <string>
#include <string_view>

// The program's own texts, all ASCII, as the wide-character calls take them.
inline std::wstring wide(std::string_view ascii) {
    return {ascii.begin(), ascii.end()};
}
