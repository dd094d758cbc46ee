// Text arguments of the exported functions are BSTRs whose characters are 8-bit ANSI bytes (as
// SysAllocStringByteLen makes them). The callee owns them: this takes one over, reads it as text,
// and frees it exactly once when it goes out of scope, on every path.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

class BstrArgument {
public:
    explicit BstrArgument(BSTR text) : text_(text) {}
    BstrArgument(const BstrArgument&) = delete;
    BstrArgument& operator=(const BstrArgument&) = delete;
    ~BstrArgument() {
        if (text_) {
            SysFreeString(text_);
        }
    }

    // A null BSTR counts as empty text.
    std::string Text() const {
        return text_ ? std::string(reinterpret_cast<const char*>(text_), SysStringByteLen(text_)) : std::string();
    }

private:
    BSTR text_;
};
