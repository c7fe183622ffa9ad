#pragma once

#include "vstgui/lib/vstguibase.h"

#include <string>

namespace VSTGUI {

// UTF-8 text; a null pointer converts to the empty string.
class UTF8String {
public:
    UTF8String() = default;
    UTF8String(UTF8StringPtr text) : text(text ? text : "") {}
    UTF8String(std::string text) : text(std::move(text)) {}

    const std::string& getString() const { return text; }
    UTF8StringPtr data() const { return text.c_str(); }
    operator UTF8StringPtr() const { return text.c_str(); }
    bool empty() const { return text.empty(); }
    std::size_t length() const { return text.size(); }

    bool operator==(const UTF8String& other) const { return text == other.text; }
    bool operator==(UTF8StringPtr other) const { return text == (other ? other : ""); }

    UTF8String& operator+=(const UTF8String& other)
    {
        text += other.text;
        return *this;
    }
    UTF8String operator+(const UTF8String& other) const { return UTF8String(text + other.text); }

private:
    std::string text;
};

} // namespace VSTGUI
