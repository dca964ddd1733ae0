#pragma once

#include <windows.h>
#include <filesystem>
#include <optional>
#include <string>

// The user's Pictures folder, or home where there is none.
std::filesystem::path picturesFolder();

// The system's dialogs for a pattern's PNG, opened in folder: the file to save to, offered
// under suggestedName, and the file to open; nothing where the user cancels.
std::optional<std::filesystem::path> askWhereToSave(HWND owner, const std::filesystem::path& folder,
                                                    const std::wstring& suggestedName);
std::optional<std::filesystem::path> askWhichToOpen(HWND owner,
                                                    const std::filesystem::path& folder);
