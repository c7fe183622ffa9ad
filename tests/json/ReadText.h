#pragma once

#include "json/Reader.h"
#include "json/Writer.h"

#include <string>
#include <string_view>

namespace json_test {

// The value that parseValue reads from the whole text.
inline JSON::Value readText(std::string_view text, bool strict = true)
{
    const char* position = text.data();
    JSON::Value value;
    JSON::parseValue(value, position, text.data() + text.size(), strict);
    return value;
}

// The value's text in the one-line layout.
inline std::string oneLine(const JSON::Value& value)
{
    return JSON::toText(value, 0, 0);
}

} // namespace json_test
