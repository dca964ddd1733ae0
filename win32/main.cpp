#include "form1.h"
#include "table_warm_up_threads.h"

#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <thread>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/,
                   int showCommand) {
    // The angles every pass shares depend on no pattern: they are worked out while the
    // window is made.
    const std::jthread angleWarmUp = startAngleWarmUp();

    // Drag and drop, and a clipboard that outlives the program, go through OLE.
    if (FAILED(OleInitialize(nullptr))) {
        MessageBoxW(nullptr, L"Pattern Generator cannot start: OLE is not available.",
                    L"Pattern Generator", MB_ICONERROR | MB_OK);
        return 1;
    }
    // The canvas's tooltip is a common control.
    const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    int status = 1;
    {
        // Leaving the block stops the angular tables' warm-up after the table in hand.
        Form1 form1(instance, {.startWarmUp = startTableWarmUp});
        if (form1.created()) {
            status = form1.run(showCommand);
        } else {
            MessageBoxW(nullptr, L"Pattern Generator cannot open its window.", L"Pattern Generator",
                        MB_ICONERROR | MB_OK);
        }
    }
    OleUninitialize();
    return status;
}
