#include "json/Writer.h"

#include "json/NumberText.h"
#include "json/TextConversion.h"

namespace JSON {
namespace {

void appendEscapedUnit(std::wstring& out, unsigned unit)
{
    constexpr std::wstring_view hexDigits = L"0123456789abcdef";
    out += L"\\u";
    for (int shift = 12; shift >= 0; shift -= 4)
        out.push_back(hexDigits[(unit >> shift) & 0xF]);
}

void appendEscapedCharacter(std::wstring& out, wchar_t c)
{
    if (c < 0 || c > 0x10FFFF) {
        appendEscapedUnit(out, 0xFFFD);
    } else if (c > 0xFFFF) {
        // Wide characters are whole code points here; the text carries UTF-16 units.
        const unsigned offset = static_cast<unsigned>(c) - 0x10000;
        appendEscapedUnit(out, 0xD800 + (offset >> 10));
        appendEscapedUnit(out, 0xDC00 + (offset & 0x3FF));
    } else {
        appendEscapedUnit(out, static_cast<unsigned>(c));
    }
}

std::wstring spaces(unsigned indentWidth, std::int64_t level)
{
    if (indentWidth == 1 || level <= 0)
        return {};
    return std::wstring(static_cast<std::size_t>(indentWidth * level), L' ');
}

void writeTo(std::wstring& out, const Value& value, unsigned indentWidth, int depth, std::uint64_t maxDepth);

// Writes the members of an array or object with the separators of its layout;
// writeMember appends one member.
template <typename Members, typename WriteMember>
void writeContainer(std::wstring& out, const Members& members, std::wstring_view brackets, unsigned indentWidth,
                    int depth, std::uint64_t maxDepth, WriteMember writeMember)
{
    if (members.empty()) {
        out += brackets;
        return;
    }
    const std::int64_t memberLevel = std::int64_t { depth } + 1;
    const bool multiLine = indentWidth != 0 && static_cast<std::uint64_t>(memberLevel) < maxDepth;
    std::wstring first { brackets[0] };
    std::wstring further = L",";
    std::wstring last;
    if (multiLine) {
        const std::wstring memberIndent = spaces(indentWidth, memberLevel);
        first += L'\n' + memberIndent;
        further += L'\n' + memberIndent;
        last = L'\n' + spaces(indentWidth, depth);
    } else {
        first += L' ';
        further += L' ';
        last = L" ";
    }
    last += brackets[1];
    bool isFirst = true;
    for (const auto& member : members) {
        out += isFirst ? first : further;
        isFirst = false;
        writeMember(member);
    }
    out += last;
}

void writeTo(std::wstring& out, const Value& value, unsigned indentWidth, int depth, std::uint64_t maxDepth)
{
    switch (value.kind()) {
    case Value::Kind::String:
        out += L'"';
        escapeString(value.asString(), out);
        out += L'"';
        break;
    case Value::Kind::Number:
        out += widen(formatNumber(value.asNumber()));
        break;
    case Value::Kind::Array:
        writeContainer(out, value.asArray(), L"[]", indentWidth, depth, maxDepth, [&](const Value& element) {
            writeTo(out, element, indentWidth, depth + 1, maxDepth);
        });
        break;
    case Value::Kind::Object:
        writeContainer(out, value.asObject(), L"{}", indentWidth, depth, maxDepth, [&](const auto& member) {
            out += L'"';
            escapeString(member.first, out);
            out += L"\": ";
            writeTo(out, member.second, indentWidth, depth + 1, maxDepth);
        });
        break;
    case Value::Kind::True: out += L"true"; break;
    case Value::Kind::False: out += L"false"; break;
    case Value::Kind::Null: out += L"null"; break;
    }
}

} // namespace

void escapeString(std::wstring_view text, std::wstring& out)
{
    for (const wchar_t c : text) {
        switch (c) {
        case L'\b': out += L"\\b"; break;
        case L'\t': out += L"\\t"; break;
        case L'\n': out += L"\\n"; break;
        case L'\f': out += L"\\f"; break;
        case L'\r': out += L"\\r"; break;
        case L'/': out += L"\\/"; break;
        case L'\\': out += L"\\\\"; break;
        case L'"': out += L"\\\""; break;
        default:
            // Strict readers refuse raw control characters inside strings.
            if (c >= 0x20 && c <= 127)
                out.push_back(c);
            else
                appendEscapedCharacter(out, c);
        }
    }
}

std::wstring write(const Value& value, unsigned indentWidth, int depth, std::uint64_t maxDepth)
{
    std::wstring text;
    writeTo(text, value, indentWidth, depth, maxDepth);
    return text;
}

std::string toText(const Value& value, unsigned indentWidth, std::uint64_t maxDepth)
{
    return toMultiByte(write(value, indentWidth, 0, maxDepth));
}

} // namespace JSON
