#pragma once

#include <concepts>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <variant>

namespace JSON {

// One JSON value over wide strings. Objects are maps ordered by key (by code
// unit, a prefix before its extensions), so written texts have a fixed order.
//
// Threads: a value is a plain object; use one from one thread at a time. The
// shared empty values handed out for lookups that find nothing are constant,
// and the writable stand-ins (see asArray, asObject, operator[]) are per
// thread, so separate threads may use separate values freely.
class Value {
public:
    // The numbers are the value's tag, one per kind.
    enum class Kind : std::uint32_t { String = 0, Number = 1, Array = 2, Object = 3, True = 4, False = 5, Null = 6 };

    using Array = std::deque<Value>;
    using Object = std::map<std::wstring, Value>;

    Value(); // null
    explicit Value(Kind kind); // the empty value of that kind: "", 0, [], {}, true, false or null
    Value(std::wstring text);
    Value(double number);
    Value(Object members);
    Value(Array elements);
    // A bool would quietly become the number 0 or 1; use Kind::True or Kind::False.
    template <typename T>
        requires std::same_as<T, bool>
    Value(T) = delete;

    Value(const Value& other); // deep copy
    Value(Value&& other) noexcept;
    Value& operator=(Value other) noexcept; // copies first: a failed copy leaves this value whole
    ~Value();

    Kind kind() const { return static_cast<Kind>(payload.index()); }
    bool is(Kind expected) const { return kind() == expected; }

    // The number; 0 for every other kind.
    double asNumber() const;
    // A copy of the text; empty for every other kind.
    std::wstring asString() const;

    // The elements. A null value becomes an empty array first; any other kind
    // gives a stand-in emptied on each such call, so what a caller adds is lost.
    Array& asArray();
    // The members, with the same rule for null and for other kinds.
    Object& asObject();
    // Read-only views: an array or object as it is, the shared constant empty
    // container for every other kind; never changes anything.
    const Array& asArray() const;
    const Object& asObject() const;

    // Mutable lookup. On an object: the member, inserted as null when missing.
    // On an array, or on null (which becomes an empty array), with a numeric
    // key naming an element inside the array: that element. Anything else: a
    // stand-in reset to null on each such call; what is written to it is lost.
    Value& operator[](std::wstring key);

    // Read-only lookup: the member of an object, the element of an array named
    // by a numeric key, or the shared constant null value; inserts nothing.
    const Value& element(const std::wstring& key) const;

    // The shared constant null value.
    static const Value& null();

private:
    struct True {};
    struct False {};
    struct Null {};
    // Alternatives in tag order, so the index is the tag.
    using Payload = std::variant<std::wstring, double, std::unique_ptr<Array>, std::unique_ptr<Object>, True, False, Null>;

    static Payload copyOf(const Payload& content);

    Payload payload;
};

} // namespace JSON
