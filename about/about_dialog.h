// The About box: the help document in a read-only rich-edit viewer, a button to the makers' web
// site and a Close button, run modally over its owner.
#pragma once

#include <windows.h>

#include <string>

// With 0: loads the best rich-edit library there is, unless one is loaded already, and returns the
// window class of the viewer ("Edit" when none loads). With any other value: frees that library
// and returns empty text.
std::string ChooseRichEditClass(int release);

// Opens the About dialog over `owner` and returns when it has closed.
void ShowAboutDialog(HWND owner);

// The help document, byte for byte as the executable carries it; empty leaves the viewer empty.
void SetAboutText(std::string text);

// The call that opens a web address in the user's browser. Tests put their own in its place so
// that no browser is started.
using OpenWebAddressFunction = HINSTANCE(WINAPI*)(HWND, LPCSTR, LPCSTR, LPCSTR, LPCSTR, INT);
void SetOpenWebAddressFunction(OpenWebAddressFunction open);
