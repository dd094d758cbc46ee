// The reference count of the About viewer's OLE callback object. The object is process-wide and
// never freed, so Release stops at 0 instead of destroying anything, and every new viewer starts
// the count again at 1.
#pragma once

#include <cstdint>

class CallbackCount {
public:
    void Restart() { count_ = 1; }
    uint32_t AddRef() { return ++count_; }
    uint32_t Release() { return count_ == 0 ? 0 : --count_; }
    uint32_t Value() const { return count_; }

private:
    uint32_t count_ = 0;
};
