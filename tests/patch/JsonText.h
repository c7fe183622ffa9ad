#pragma once

#include "json/Reader.h"
#include "json/Writer.h"

#include <string>
#include <string_view>

namespace korvel::patch_test {

// The value of a JSON text that the test knows to be well formed.
inline JSON::Value parse(std::string_view text)
{
    const char* position = text.data();
    JSON::Value value;
    JSON::parseValue(value, position, text.data() + text.size(), true);
    return value;
}

inline std::string oneLine(const JSON::Value& value)
{
    return JSON::toText(value, 0, 0);
}

} // namespace korvel::patch_test
