#include "json/Reader.h"

#include "json/NumberText.h"

#include <algorithm>
#include <iostream>
#include <utility>

namespace JSON {
namespace {

bool isWhiteSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Each byte is the character of the same value (0 to 255).
wchar_t widened(char c)
{
    return static_cast<wchar_t>(static_cast<unsigned char>(c));
}

ParseError expected(char what)
{
    return ParseError(std::string("JSON expected ") + what);
}

bool isHighSurrogate(wchar_t unit)
{
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isLowSurrogate(wchar_t unit)
{
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

wchar_t joinSurrogates(wchar_t high, wchar_t low)
{
    return static_cast<wchar_t>(0x10000 + ((high - 0xD800) << 10) + (low - 0xDC00));
}

// Reads nested values with one shared depth count.
class Reader {
public:
    Reader(const char*& position, const char* end)
        : position(position)
        , end(end)
    {
    }

    void value(Value& out, bool strict);
    void string(Value& out);
    void array(Value& out);
    void object(Value& out);
    void number(Value& out);
    bool literal(std::wstring_view text);
    int hexDigit();

private:
    class Nesting {
    public:
        explicit Nesting(int& depth)
            : depth(depth)
        {
            if (depth >= MAX_NESTING)
                throw ParseError("JSON nesting too deep");
            ++depth;
        }
        ~Nesting() { --depth; }
        Nesting(const Nesting&) = delete;
        Nesting& operator=(const Nesting&) = delete;

    private:
        int& depth;
    };

    bool at(char c) const { return position != end && *position == c; }
    bool atDigit() const { return position != end && isDigit(*position); }
    // Reads a bracketed list; readMember reads one entry at a time.
    template <typename ReadMember>
    void members(char opening, char closing, ReadMember readMember);
    void skipWhiteSpace();
    void expect(char c);
    double digitsAsNumber();
    std::string_view digits();
    wchar_t escapedUnit();
    std::string offendingText() const;

    const char*& position;
    const char* end;
    int depth = 0;
};

void Reader::skipWhiteSpace()
{
    while (position != end && isWhiteSpace(*position))
        ++position;
}

void Reader::expect(char c)
{
    if (!at(c))
        throw expected(c);
    ++position;
}

std::string Reader::offendingText() const
{
    const char* stop = position;
    while (stop != end && *stop != ',' && *stop != ' ' && *stop != '\t' && *stop != '\n' && *stop != '}' && *stop != ']')
        ++stop;
    return std::string(position, stop);
}

void Reader::value(Value& out, bool strict)
{
    try {
        skipWhiteSpace();
        if (position == end) {
            out = Value();
            return;
        }
        const char next = *position;
        if (next == '"')
            string(out);
        else if (next == '{')
            object(out);
        else if (next == '[')
            array(out);
        else if (next == '-' || isDigit(next))
            number(out);
        else if (literal(L"true"))
            out = Value(Value::Kind::True);
        else if (literal(L"false"))
            out = Value(Value::Kind::False);
        else if (literal(L"null") || !strict)
            out = Value();
        else
            throw ParseError("JSON value expected, could not parse " + offendingText());
    } catch (const ParseError& error) {
        std::cerr << error.what() << '\n';
        throw;
    }
}

void Reader::string(Value& out)
{
    skipWhiteSpace();
    expect('"');
    std::wstring text;
    bool afterEscapedHighSurrogate = false;
    for (;;) {
        if (position == end)
            throw expected('"');
        const char c = *position++;
        if (c == '"')
            break;
        if (c != '\\' || position == end) {
            text.push_back(widened(c));
            afterEscapedHighSurrogate = false;
            continue;
        }
        const char escape = *position++;
        if (escape != 'u') {
            constexpr std::string_view codes = "bfnrt";
            constexpr std::wstring_view characters = L"\b\f\n\r\t";
            const auto code = codes.find(escape);
            text.push_back(code == std::string_view::npos ? widened(escape) : characters[code]);
            afterEscapedHighSurrogate = false;
            continue;
        }
        // Wide characters hold whole code points here, so an escaped UTF-16 pair becomes one.
        const wchar_t unit = escapedUnit();
        if (afterEscapedHighSurrogate && isLowSurrogate(unit))
            text.back() = joinSurrogates(text.back(), unit);
        else
            text.push_back(unit);
        afterEscapedHighSurrogate = isHighSurrogate(unit);
    }
    skipWhiteSpace();
    out = Value(std::move(text));
}

wchar_t Reader::escapedUnit()
{
    int unit = 0;
    for (int digit = 0; digit < 4; ++digit)
        unit = unit * 16 + hexDigit();
    return static_cast<wchar_t>(unit);
}

int Reader::hexDigit()
{
    if (position == end)
        throw ParseError("Unicode escape sequence clipped at end of input");
    const char c = *position++;
    if (isDigit(c))
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    throw ParseError(std::string("Invalid char in Unicode escape sequence: ") + c);
}

template <typename ReadMember>
void Reader::members(char opening, char closing, ReadMember readMember)
{
    skipWhiteSpace();
    expect(opening);
    const Nesting nesting(depth);
    skipWhiteSpace();
    for (;;) {
        if (position == end)
            throw expected(closing);
        if (at(closing)) {
            ++position;
            skipWhiteSpace();
            return;
        }
        readMember();
        // Commas are optional and a trailing one is accepted.
        skipWhiteSpace();
        if (at(','))
            ++position;
        skipWhiteSpace();
    }
}

void Reader::array(Value& out)
{
    Value::Array elements;
    members('[', ']', [&] {
        Value element;
        value(element, true);
        elements.push_back(std::move(element));
    });
    out = Value(std::move(elements));
}

void Reader::object(Value& out)
{
    Value::Object entries;
    members('{', '}', [&] {
        Value key;
        string(key);
        skipWhiteSpace();
        expect(':');
        skipWhiteSpace();
        Value member;
        value(member, true);
        // The first occurrence of a key wins.
        entries.emplace(key.asString(), std::move(member));
    });
    out = Value(std::move(entries));
}

double Reader::digitsAsNumber()
{
    double number = 0.0;
    while (atDigit())
        number = number * 10.0 + (*position++ - '0');
    return number;
}

std::string_view Reader::digits()
{
    const char* first = position;
    while (atDigit())
        ++position;
    return std::string_view(first, static_cast<std::size_t>(position - first));
}

void Reader::number(Value& out)
{
    const bool negative = at('-');
    if (at('-') || at('+'))
        ++position;
    const std::string_view integerDigits = digits();
    std::string_view fractionDigits;
    if (at('.')) {
        ++position;
        fractionDigits = digits();
    }
    double exponent = 0.0;
    if (at('e') || at('E')) {
        ++position;
        const bool negativeExponent = at('-');
        if (at('-') || at('+'))
            ++position;
        exponent = digitsAsNumber();
        if (exponent > 308.0)
            std::cerr << "Exponent overflow: " << formatGeneral(exponent) << '\n';
        if (negativeExponent)
            exponent = -exponent;
    }
    const double magnitude = decimalValue(integerDigits, fractionDigits, exponent);
    out = Value(negative ? -magnitude : magnitude);
}

bool Reader::literal(std::wstring_view text)
{
    if (static_cast<std::size_t>(end - position) < text.size())
        return false;
    if (!std::equal(text.begin(), text.end(), position, [](wchar_t expected, char c) { return expected == widened(c); }))
        return false;
    position += text.size();
    return true;
}

} // namespace

void parseValue(Value& out, const char*& position, const char* end, bool strict)
{
    constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
    if (std::string_view(position, end - position).starts_with(byteOrderMark))
        position += byteOrderMark.size();
    Reader(position, end).value(out, strict);
}

void parseString(Value& out, const char*& position, const char* end)
{
    Reader(position, end).string(out);
}

void parseArray(Value& out, const char*& position, const char* end)
{
    Reader(position, end).array(out);
}

void parseObject(Value& out, const char*& position, const char* end)
{
    Reader(position, end).object(out);
}

void parseNumber(Value& out, const char*& position, const char* end)
{
    Reader(position, end).number(out);
}

bool matchLiteral(const char*& position, const char* end, std::wstring_view literal)
{
    return Reader(position, end).literal(literal);
}

int parseUnicodeEscape(const char*& position, const char* end)
{
    return Reader(position, end).hexDigit();
}

} // namespace JSON
