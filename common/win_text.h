// The system's texts are 8-bit ANSI; the wide Win32 calls take UTF-16. These convert between the
// two through the ANSI code page.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

std::wstring WideFromAnsi(std::string_view text);
std::string AnsiFromWide(std::wstring_view text);

// The window's text as 8-bit ANSI, read with GetWindowTextW.
std::string WindowTextAnsi(HWND window);

// The current directory exactly as GetCurrentDirectoryW reports it, as ANSI text.
std::string CurrentDirectoryAnsi();
