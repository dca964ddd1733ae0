#pragma once

#include <windows.h>

// What screen readers announce for a control: its name and its role (a ROLE_SYSTEM_ value),
// set through Active Accessibility's annotation of the control's standard accessible
// object, so that everything else about it stays as the system reports it.
void nameForScreenReaders(HWND control, const wchar_t* name, long role);

// Drops the annotation, as the control goes.
void forgetScreenReaderName(HWND control);
