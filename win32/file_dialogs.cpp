#include "file_dialogs.h"

#include <array>
#include <knownfolders.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <wrl/client.h>

using Microsoft::WRL::ComPtr;

namespace {

std::optional<std::filesystem::path> knownFolder(REFKNOWNFOLDERID id) {
    PWSTR path = nullptr;
    std::optional<std::filesystem::path> folder;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) {
        folder = path;
    }
    CoTaskMemFree(path);
    return folder;
}

// Shows a dialog of either kind over owner, in folder; the chosen file, if one was.
std::optional<std::filesystem::path> ask(IFileDialog& dialog, HWND owner,
                                         const std::filesystem::path& folder) {
    const std::array<COMDLG_FILTERSPEC, 1> pngOnly = {{{L"PNG images", L"*.png"}}};
    dialog.SetFileTypes(static_cast<UINT>(pngOnly.size()), pngOnly.data());
    dialog.SetDefaultExtension(L"png");
    ComPtr<IShellItem> start;
    if (SUCCEEDED(SHCreateItemFromParsingName(folder.c_str(), nullptr, IID_PPV_ARGS(&start)))) {
        dialog.SetFolder(start.Get());
    }
    ComPtr<IShellItem> chosen;
    PWSTR path = nullptr;
    if (FAILED(dialog.Show(owner)) || FAILED(dialog.GetResult(&chosen)) ||
        FAILED(chosen->GetDisplayName(SIGDN_FILESYSPATH, &path))) {
        return std::nullopt;
    }
    std::filesystem::path file(path);
    CoTaskMemFree(path);
    return file;
}

} // namespace

std::filesystem::path picturesFolder() {
    std::error_code error;
    for (const KNOWNFOLDERID* id : {&FOLDERID_Pictures, &FOLDERID_Profile}) {
        if (const auto folder = knownFolder(*id); folder && is_directory(*folder, error)) {
            return *folder;
        }
    }
    return {};
}

std::optional<std::filesystem::path> askWhereToSave(HWND owner, const std::filesystem::path& folder,
                                                    const std::wstring& suggestedName) {
    ComPtr<IFileSaveDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileSaveDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&dialog)))) {
        return std::nullopt;
    }
    dialog->SetFileName(suggestedName.c_str());
    return ask(*dialog.Get(), owner, folder);
}

std::optional<std::filesystem::path> askWhichToOpen(HWND owner,
                                                    const std::filesystem::path& folder) {
    ComPtr<IFileOpenDialog> dialog;
    if (FAILED(CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER,
                                IID_PPV_ARGS(&dialog)))) {
        return std::nullopt;
    }
    return ask(*dialog.Get(), owner, folder);
}
