#include "common/win_resources.h"

#include <windows.h>

std::string_view ResourceBytes(const char* name) {
    HMODULE module = GetModuleHandleW(nullptr);
    HRSRC resource = FindResourceA(module, name, RT_RCDATA);
    HGLOBAL loaded = resource ? LoadResource(module, resource) : nullptr;
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes) {
        return {};
    }
    return {static_cast<const char*>(bytes), SizeofResource(module, resource)};
}
