#include "json/Value.h"

#include "json/Reader.h"
#include "json/TextConversion.h"
#include "utility/Numeric.h"

#include <limits>
#include <optional>
#include <utility>

namespace JSON {
namespace {

bool isIndexText(const std::wstring& key)
{
    return korvel::is_numeric(key, std::numeric_limits<std::uint32_t>::max());
}

// The index that numeric key text names, when it is a whole number (within a
// thousandth) inside the array.
std::optional<std::size_t> indexFromKey(const std::wstring& key, std::size_t size)
{
    // The reader's own number conversion, so the process locale cannot change the index.
    const std::string text = toMultiByte(key);
    const char* position = text.data();
    Value number;
    parseNumber(number, position, text.data() + text.size());
    const double k = number.asNumber();
    if (!(k >= 0.0) || !(k < static_cast<double>(size)))
        return std::nullopt;
    const auto index = static_cast<std::size_t>(k);
    if (!(k - static_cast<double>(index) < 0.001))
        return std::nullopt;
    return index;
}

Value& scratchValue()
{
    thread_local Value scratch;
    scratch = Value();
    return scratch;
}

} // namespace

Value::Value()
    : payload(Null{})
{
}

Value::Value(Kind kind)
    : payload(Null{})
{
    switch (kind) {
    case Kind::String: payload = std::wstring(); break;
    case Kind::Number: payload = 0.0; break;
    case Kind::Array: payload = std::make_unique<Array>(); break;
    case Kind::Object: payload = std::make_unique<Object>(); break;
    case Kind::True: payload = True{}; break;
    case Kind::False: payload = False{}; break;
    case Kind::Null: break;
    }
}

Value::Value(std::wstring text)
    : payload(std::move(text))
{
}

Value::Value(double number)
    : payload(number)
{
}

Value::Value(Object members)
    : payload(std::make_unique<Object>(std::move(members)))
{
}

Value::Value(Array elements)
    : payload(std::make_unique<Array>(std::move(elements)))
{
}

Value::Value(const Value& other)
    : payload(copyOf(other.payload))
{
}

Value::Value(Value&& other) noexcept = default;

Value& Value::operator=(Value other) noexcept
{
    payload = std::move(other.payload);
    return *this;
}

Value::~Value() = default;

Value::Payload Value::copyOf(const Payload& content)
{
    if (const auto* elements = std::get_if<std::unique_ptr<Array>>(&content))
        return std::make_unique<Array>(**elements);
    if (const auto* members = std::get_if<std::unique_ptr<Object>>(&content))
        return std::make_unique<Object>(**members);
    if (const auto* text = std::get_if<std::wstring>(&content))
        return *text;
    if (const auto* number = std::get_if<double>(&content))
        return *number;
    if (std::holds_alternative<True>(content))
        return True{};
    if (std::holds_alternative<False>(content))
        return False{};
    return Null{};
}

double Value::asNumber() const
{
    const auto* number = std::get_if<double>(&payload);
    return number ? *number : 0.0;
}

std::wstring Value::asString() const
{
    const auto* text = std::get_if<std::wstring>(&payload);
    return text ? *text : std::wstring();
}

Value::Array& Value::asArray()
{
    if (is(Kind::Null))
        payload = std::make_unique<Array>();
    if (auto* elements = std::get_if<std::unique_ptr<Array>>(&payload))
        return **elements;
    thread_local Array standIn;
    standIn.clear();
    return standIn;
}

Value::Object& Value::asObject()
{
    if (is(Kind::Null))
        payload = std::make_unique<Object>();
    if (auto* members = std::get_if<std::unique_ptr<Object>>(&payload))
        return **members;
    thread_local Object standIn;
    standIn.clear();
    return standIn;
}

const Value::Array& Value::asArray() const
{
    static const Array empty;
    const auto* elements = std::get_if<std::unique_ptr<Array>>(&payload);
    return elements ? **elements : empty;
}

const Value::Object& Value::asObject() const
{
    static const Object empty;
    const auto* members = std::get_if<std::unique_ptr<Object>>(&payload);
    return members ? **members : empty;
}

Value& Value::operator[](std::wstring key)
{
    if (auto* members = std::get_if<std::unique_ptr<Object>>(&payload))
        return (**members)[std::move(key)];
    const bool indexable = is(Kind::Array) || is(Kind::Null);
    if (!indexable || !isIndexText(key))
        return scratchValue();
    Array& elements = asArray();
    // The array never grows through a lookup: an index outside it gets the stand-in.
    const auto index = indexFromKey(key, elements.size());
    return index ? elements[*index] : scratchValue();
}

const Value& Value::element(const std::wstring& key) const
{
    if (const auto* members = std::get_if<std::unique_ptr<Object>>(&payload)) {
        const auto found = (*members)->find(key);
        return found == (*members)->end() ? null() : found->second;
    }
    const auto* elements = std::get_if<std::unique_ptr<Array>>(&payload);
    if (elements && isIndexText(key)) {
        const auto index = indexFromKey(key, (*elements)->size());
        return index ? (**elements)[*index] : null();
    }
    return null();
}

const Value& Value::null()
{
    static const Value shared;
    return shared;
}

} // namespace JSON
