// A window captioned "Drop target" that takes one drop of an image through OLE, as Windows
// programs take drags from others, and ends:
//
//     windows_drop_target OUTPUT
//
// writes OUTPUT.entered once a drag offering an image has come over the window, and then, on
// the drop, the "PNG" format's bytes to OUTPUT and the CF_DIB format as a BMP file to
// OUTPUT.bmp.
//
//     windows_drop_target --paste OUTPUT
//
// instead pastes what the clipboard holds, as Windows programs paste, into the same files,
// and ends at once.
//
//     windows_drop_target --drag FILE
//
// instead shows a window captioned "Drag source" from which a press drags FILE out, as the
// file manager does, and ends once the drag has.

#include <windows.h>
#include <cstring>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>
#include <string>

namespace {

std::wstring output;

bool writeFile(const std::wstring& path, const void* bytes, std::size_t size) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return false;
    }
    DWORD written = 0;
    const bool whole =
        WriteFile(file, bytes, static_cast<DWORD>(size), &written, nullptr) != 0 && written == size;
    CloseHandle(file);
    return whole;
}

FORMATETC formatOf(CLIPFORMAT format) {
    return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// Writes one format of the dropped data, with a header in front if given.
void writeFormat(IDataObject* data, CLIPFORMAT format, const std::wstring& path,
                 const std::string& header = {}) {
    FORMATETC wanted = formatOf(format);
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&wanted, &medium))) {
        return;
    }
    const auto* bytes = static_cast<const char*>(GlobalLock(medium.hGlobal));
    if (bytes != nullptr) {
        std::string contents = header;
        contents.append(bytes, GlobalSize(medium.hGlobal));
        writeFile(path, contents.data(), contents.size());
        GlobalUnlock(medium.hGlobal);
    }
    ReleaseStgMedium(&medium);
}

// A BMP file's header for a packed DIB of size bytes whose colours follow a 40-byte header.
std::string bmpFileHeader(IDataObject* data) {
    FORMATETC wanted = formatOf(CF_DIB);
    STGMEDIUM medium{};
    if (FAILED(data->GetData(&wanted, &medium))) {
        return {};
    }
    const auto size = static_cast<DWORD>(GlobalSize(medium.hGlobal));
    ReleaseStgMedium(&medium);
    BITMAPFILEHEADER header{};
    header.bfType = 0x4D42; // "BM"
    header.bfSize = sizeof header + size;
    header.bfOffBits = sizeof header + sizeof(BITMAPINFOHEADER);
    std::string bytes(sizeof header, '\0');
    std::memcpy(bytes.data(), &header, sizeof header);
    return bytes;
}

void writeBothFormats(IDataObject* data) {
    writeFormat(data, CF_DIB, output + L".bmp", bmpFileHeader(data));
    // The PNG last: the test reads both once it is there.
    writeFormat(data, static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"PNG")), output);
}

int paste() {
    IDataObject* data = nullptr;
    if (FAILED(OleGetClipboard(&data))) {
        return 1;
    }
    writeBothFormats(data);
    data->Release();
    return 0;
}

class DropTarget final : public IDropTarget {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
            *object = static_cast<IDropTarget*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    // Lives as long as the program.
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD /*keys*/, POINTL /*at*/,
                                        DWORD* effect) override {
        FORMATETC png = formatOf(static_cast<CLIPFORMAT>(RegisterClipboardFormatW(L"PNG")));
        m_acceptable = data->QueryGetData(&png) == S_OK;
        if (m_acceptable) {
            writeFile(output + L".entered", "", 0);
        }
        *effect = m_acceptable ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragOver(DWORD /*keys*/, POINTL /*at*/, DWORD* effect) override {
        *effect = m_acceptable ? DROPEFFECT_COPY : DROPEFFECT_NONE;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE DragLeave() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD /*keys*/, POINTL /*at*/,
                                   DWORD* effect) override {
        writeBothFormats(data);
        *effect = DROPEFFECT_COPY;
        PostQuitMessage(0);
        return S_OK;
    }

private:
    bool m_acceptable = false;
};

// Goes on while the left button is held; drops when it is released.
class DropSource final : public IDropSource {
public:
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropSource)) {
            *object = static_cast<IDropSource*>(this);
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return 1; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }
    HRESULT STDMETHODCALLTYPE QueryContinueDrag(BOOL escape, DWORD keys) override {
        if (escape != FALSE) {
            return DRAGDROP_S_CANCEL;
        }
        return (keys & MK_LBUTTON) != 0 ? S_OK : DRAGDROP_S_DROP;
    }
    HRESULT STDMETHODCALLTYPE GiveFeedback(DWORD /*effect*/) override {
        return DRAGDROP_S_USEDEFAULTCURSORS;
    }
};

// The file as the shell hands it to a drag: CF_HDROP among its formats.
IDataObject* fileData(const std::wstring& path) {
    PIDLIST_ABSOLUTE item = nullptr;
    IShellFolder* parent = nullptr;
    PCUITEMID_CHILD child = nullptr;
    IDataObject* data = nullptr;
    if (SUCCEEDED(SHParseDisplayName(path.c_str(), nullptr, &item, 0, nullptr)) &&
        SUCCEEDED(
            SHBindToParent(item, IID_IShellFolder, reinterpret_cast<void**>(&parent), &child))) {
        parent->GetUIObjectOf(nullptr, 1, &child, IID_IDataObject, nullptr,
                              reinterpret_cast<void**>(&data));
        parent->Release();
    }
    CoTaskMemFree(item);
    return data;
}

LRESULT CALLBACK dragSourceProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LBUTTONDOWN) {
        if (IDataObject* data = fileData(output)) {
            DropSource source;
            DWORD effect = DROPEFFECT_NONE;
            DoDragDrop(data, &source, DROPEFFECT_COPY, &effect);
            data->Release();
        }
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int showCommand) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (arguments == nullptr) {
        return 2;
    }
    const bool pasting = count == 3 && std::wstring(arguments[1]) == L"--paste";
    const bool dragging = count == 3 && std::wstring(arguments[1]) == L"--drag";
    if (count != 2 && !pasting && !dragging) {
        return 2;
    }
    output = arguments[count - 1];
    LocalFree(arguments);
    if (FAILED(OleInitialize(nullptr))) {
        return 1;
    }
    if (pasting) {
        const int status = paste();
        OleUninitialize();
        return status;
    }
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = dragging ? dragSourceProcedure : DefWindowProcW;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = L"DropTarget";
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(0, L"DropTarget", dragging ? L"Drag source" : L"Drop target",
                                  WS_OVERLAPPEDWINDOW, 720, 100, 240, 240, nullptr, nullptr,
                                  instance, nullptr);
    DropTarget target;
    if (window == nullptr || (!dragging && FAILED(RegisterDragDrop(window, &target)))) {
        return 1;
    }
    ShowWindow(window, showCommand);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    if (!dragging) {
        RevokeDragDrop(window);
    }
    DestroyWindow(window);
    OleUninitialize();
    return 0;
}
