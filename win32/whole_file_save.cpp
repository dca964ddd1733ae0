#include "whole_file_save.h"

#include <windows.h>

namespace {

std::wstring systemReason(DWORD error) {
    wchar_t* text = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::wstring reason =
        length > 0 ? std::wstring(text, length) : L"error " + std::to_wstring(error);
    LocalFree(text);
    // The system's text ends in a full stop and a line break; the message adds its own.
    while (!reason.empty() && (reason.back() == L'\n' || reason.back() == L'\r' ||
                               reason.back() == L'.' || reason.back() == L' ')) {
        reason.pop_back();
    }
    return reason;
}

} // namespace

std::optional<std::wstring> saveWhole(const std::filesystem::path& file,
                                      const std::vector<std::uint8_t>& bytes) {
    std::wstring partName(MAX_PATH, L'\0');
    if (GetTempFileNameW(file.parent_path().c_str(), L"pat", 0, partName.data()) == 0) {
        return systemReason(GetLastError());
    }
    partName.resize(partName.find(L'\0'));
    HANDLE part = CreateFileW(partName.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    const bool whole = part != INVALID_HANDLE_VALUE &&
                       WriteFile(part, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                                 nullptr) != FALSE &&
                       written == bytes.size() && FlushFileBuffers(part) != FALSE;
    const DWORD error = GetLastError();
    if (part != INVALID_HANDLE_VALUE) {
        CloseHandle(part);
    }
    if (!whole || MoveFileExW(partName.c_str(), file.c_str(),
                              MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) == FALSE) {
        const DWORD reason = whole ? GetLastError() : error;
        DeleteFileW(partName.c_str());
        return systemReason(reason);
    }
    return std::nullopt;
}
