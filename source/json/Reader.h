#pragma once

#include "json/ParseError.h"
#include "json/Value.h"

#include <string_view>

namespace JSON {

// A lenient recursive-descent reader over bytes; each byte stands for the
// character of the same value (no multi-byte decoding). Every function reads
// from `position`, which ends behind what was consumed, and never past `end`.
// On failure it throws ParseError and leaves `out` untouched.
// Threads: any thread; each call uses only its own arguments (and stderr).

// Maximum depth of nested arrays and objects; a deeper text fails with
// "JSON nesting too deep".
inline constexpr int MAX_NESTING = 512;

// The entry point. An empty or blank text reads as null. Where no value
// starts, strict mode throws and non-strict mode gives null without moving.
// A leading UTF-8 byte-order mark is skipped. Every ParseError leaving this
// call (or a nested value's read) is written to stderr on its way out.
void parseValue(Value& out, const char*& position, const char* end, bool strict);

void parseString(Value& out, const char*& position, const char* end);
void parseArray(Value& out, const char*& position, const char* end);
void parseObject(Value& out, const char*& position, const char* end);
// The correctly rounded double of the digits, independent of the process
// locale. An exponent above 308 warns on stderr; beyond the double range the
// result is infinite or zero, never NaN.
void parseNumber(Value& out, const char*& position, const char* end);

// Moves past `literal` and returns true when the text starts with it.
bool matchLiteral(const char*& position, const char* end, std::wstring_view literal);
// The value 0 to 15 of one hexadecimal digit.
int parseUnicodeEscape(const char*& position, const char* end);

} // namespace JSON
