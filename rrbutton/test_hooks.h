// Test support: watches what a module does with the system through its own import table. Tests
// use it to count the frees of BSTR arguments, to find GDI objects, DCs and heap blocks that are
// never given back, and to make one heap allocation fail.
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <vector>

// Points every import-table entry of `module` that calls `target` at `replacement` instead, and
// back again when it goes out of scope.
class ImportHook {
public:
    ImportHook(HMODULE module, const void* target, const void* replacement);
    ImportHook(const ImportHook&) = delete;
    ImportHook& operator=(const ImportHook&) = delete;
    ~ImportHook();
    int Patched() const { return static_cast<int>(entries_.size()); }

private:
    std::vector<void**> entries_;
    const void* target_;
};

// Every BSTR that `module` frees with SysFreeString, in order, while it lives.
class BstrFreeLog {
public:
    explicit BstrFreeLog(HMODULE module);
    int Patched() const { return hook_.Patched(); }
    const std::vector<BSTR>& Freed() const;
    void Clear();
    // How often each of `texts` was freed, in their order.
    std::vector<int> TimesFreed(const std::vector<BSTR>& texts) const;

private:
    ImportHook hook_;
};

// The GDI objects, window and paint DCs and process-heap blocks that `module` creates and
// releases while it lives; what is still held afterwards has leaked. It can also fail the next
// heap allocation of a given size.
class ResourceTracker {
public:
    explicit ResourceTracker(HMODULE module);
    ResourceTracker(const ResourceTracker&) = delete;
    ResourceTracker& operator=(const ResourceTracker&) = delete;
    ~ResourceTracker();

    // Handles still held, by the name of the call that made them.
    std::map<const char*, int> Held() const;
    // Releases of handles this tracker never saw made (double deletes and the like).
    int UnknownReleases() const;
    void FailNextHeapAlloc(SIZE_T size);

private:
    std::vector<std::unique_ptr<ImportHook>> hooks_;
};
