// Arbitrary bytes into the JSON reader: it must either fail with ParseError
// or give a value whose written text reads back, whole, to the same shape.

#include "QuietStderr.h"
#include "Require.h"

#include "json/Reader.h"
#include "json/Writer.h"

#include <cmath>
#include <cstdint>
#include <string>

namespace {

using fuzz::require;

bool sameNumber(double a, double b)
{
    if (std::isinf(a) || std::isinf(b))
        return a == b;
    // Six significant digits, or six decimals behind an integer part.
    return std::fabs(a - b) <= std::fabs(a) * 1e-5 + 1e-6;
}

bool sameShape(const JSON::Value& a, const JSON::Value& b)
{
    if (a.kind() != b.kind())
        return false;
    switch (a.kind()) {
    case JSON::Value::Kind::String: return a.asString() == b.asString();
    case JSON::Value::Kind::Number: return sameNumber(a.asNumber(), b.asNumber());
    case JSON::Value::Kind::Array: {
        const auto& left = a.asArray();
        const auto& right = b.asArray();
        if (left.size() != right.size())
            return false;
        for (std::size_t i = 0; i < left.size(); ++i) {
            if (!sameShape(left[i], right[i]))
                return false;
        }
        return true;
    }
    case JSON::Value::Kind::Object: {
        const auto& left = a.asObject();
        const auto& right = b.asObject();
        if (left.size() != right.size())
            return false;
        for (auto l = left.begin(), r = right.begin(); l != left.end(); ++l, ++r) {
            if (l->first != r->first || !sameShape(l->second, r->second))
                return false;
        }
        return true;
    }
    default: return true;
    }
}

void readAndCheck(const char* begin, const char* end, bool strict)
{
    const char* position = begin;
    JSON::Value value;
    try {
        JSON::parseValue(value, position, end, strict);
    } catch (const JSON::ParseError&) {
        require(position >= begin && position <= end);
        return;
    }
    require(position >= begin && position <= end);

    const std::string text = JSON::toText(value, 2, 4);
    for (const char c : text)
        require(static_cast<unsigned char>(c) < 128);
    const char* reread = text.data();
    JSON::Value copy;
    JSON::parseValue(copy, reread, text.data() + text.size(), true);
    require(reread == text.data() + text.size());
    require(sameShape(value, copy));
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    fuzz::quietStderr();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const char* begin = reinterpret_cast<const char*>(data);
    readAndCheck(begin, begin + size, false);
    readAndCheck(begin, begin + size, true);
    return 0;
}
