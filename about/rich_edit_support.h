// What the About box attaches to its viewer each time it opens: an input filter that makes the
// rich-edit control a view, and the OLE callback object that gives embedded pictures a storage.
#pragma once

#include <windows.h>
#include <richole.h>

// Replaces the viewer's window procedure with a filter that forwards what it lets through to the
// procedure it replaced.
void InstallViewerInputFilter(HWND viewer);

// Hands the process-wide callback object to the viewer with its count set to 1; returns what
// EM_SETOLECALLBACK returned.
LRESULT InstallOleCallback(HWND viewer);

// The callback object itself, never freed.
IRichEditOleCallback* AboutOleCallbackObject();
