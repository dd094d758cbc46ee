#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

// 1 when `path` (wildcards * and ? allowed) names at least one directory entry that is neither a
// directory nor hidden nor a system file; else 0.
LONG FileExists(const std::string& path);

// The exported form: the path is a BSTR of ANSI bytes, which this frees.
extern "C" LONG WINAPI FileExistsExport(BSTR path);
