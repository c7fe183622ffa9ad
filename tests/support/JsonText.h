#pragma once

// Header only: include it from tests that link the JSON library.
#include "json/Reader.h"
#include "json/Writer.h"

#include <string>
#include <string_view>

namespace testing_support {

// The value that parseValue reads from the whole text.
inline JSON::Value readJson(std::string_view text, bool strict = true)
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

} // namespace testing_support
