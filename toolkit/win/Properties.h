#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "toolkit/core/Exception.h"
#include "toolkit/core/Object.h"

namespace tk {

// How a published property's value is shaped. Integer, enumeration, boolean and set values
// are ordinals; a set's ordinal holds element i in bit i.
enum TTypeKind { tkInteger, tkEnumeration, tkBoolean, tkSet, tkString, tkWString };

constexpr bool IsOrdinalKind(TTypeKind kind) {
  return kind == tkInteger || kind == tkEnumeration || kind == tkBoolean || kind == tkSet;
}

// A published property is missing, has another kind, or was given a value it cannot take.
class EPropertyError : public Exception {
  using Exception::Exception;
};

// One published property of a class: what it is called and typed, and how to reach it on an
// object of that class. Ordinal kinds use GetOrdinal and SetOrdinal, tkString GetString and
// SetString, tkWString GetWide and SetWide; the other accessors stay empty.
struct TPropInfo {
  std::string Name;
  std::string TypeName;
  TTypeKind Kind = tkInteger;
  // Names of the enumeration's values, or of the set's elements, by ordinal or bit.
  std::vector<std::string> ValueNames;
  std::int64_t MinValue = 0;
  std::int64_t MaxValue = 0;
  // False for a property a stored description carries elsewhere (a component's Name is in
  // its object line).
  bool Stored = true;
  std::function<std::int64_t(const TObject&)> GetOrdinal;
  std::function<void(TObject&, std::int64_t)> SetOrdinal;
  std::function<std::string(const TObject&)> GetString;
  std::function<void(TObject&, const std::string&)> SetString;
  std::function<std::wstring(const TObject&)> GetWide;
  std::function<void(TObject&, const std::wstring&)> SetWide;
};

// Gives cls its own published properties, in published order, replacing any table it had.
// An object's properties are its class's and every ancestor's, ancestors' first; a name may
// appear only once along the chain.
void RegisterProperties(TClass cls, std::vector<TPropInfo> table);

// Lookups by name ignore the case of A-Z; a class without a table of its own has its
// ancestors' properties.
std::vector<const TPropInfo*> GetPropList(TClass cls);
const TPropInfo* FindProperty(TClass cls, std::string_view name);
inline const TPropInfo* FindProperty(const TObject& object, std::string_view name) {
  return FindProperty(object.ClassType(), name);
}
inline bool HasProperty(const TObject& object, std::string_view name) {
  return FindProperty(object, name) != nullptr;
}

// Typed access; EPropertyError when the object does not publish name, the kind does not fit,
// or an ordinal lies outside the property's range. String access converts a wide property
// through the ANSI code page, and a narrow one back.
std::int64_t GetOrdProp(const TObject& object, std::string_view name);
void SetOrdProp(TObject& object, std::string_view name, std::int64_t value);
std::string GetStrProp(const TObject& object, std::string_view name);
void SetStrProp(TObject& object, std::string_view name, const std::string& value);
std::wstring GetWideStrProp(const TObject& object, std::string_view name);
void SetWideStrProp(TObject& object, std::string_view name, const std::wstring& value);

// A value as a stored description writes it: a decimal integer, an enumeration value's name,
// True or False, a set as "[a, b]", a string in double quotes with \" \\ \n \r \t and \uXXXX
// escapes (a narrow string's bytes are the code units 0-255).
std::string GetPropText(const TObject& object, const TPropInfo& prop);
void SetPropText(TObject& object, const TPropInfo& prop, std::string_view text);
std::string GetPropText(const TObject& object, std::string_view name);
void SetPropText(TObject& object, std::string_view name, std::string_view text);

// ---- Building tables --------------------------------------------------------------------
// Each builder takes the class T that declares the accessors and its getter and setter
// member functions; the object handed to the accessors is always a T.

namespace detail {

inline TPropInfo Describe(std::string name, std::string typeName, TTypeKind kind) {
  TPropInfo info;
  info.Name = std::move(name);
  info.TypeName = std::move(typeName);
  info.Kind = kind;
  return info;
}

template <typename T, typename Get, typename Set>
TPropInfo OrdinalProperty(std::string name, std::string typeName, TTypeKind kind,
                          std::int64_t minValue, std::int64_t maxValue,
                          std::vector<std::string> valueNames, Get get, Set set) {
  using Value = std::remove_cvref_t<std::invoke_result_t<Get, const T&>>;
  TPropInfo info = Describe(std::move(name), std::move(typeName), kind);
  info.ValueNames = std::move(valueNames);
  info.MinValue = minValue;
  info.MaxValue = maxValue;
  info.GetOrdinal = [get](const TObject& object) {
    return static_cast<std::int64_t>((static_cast<const T&>(object).*get)());
  };
  info.SetOrdinal = [set](TObject& object, std::int64_t value) {
    (static_cast<T&>(object).*set)(static_cast<Value>(value));
  };
  return info;
}

// The span of std::int64_t that a value of the integral type Value can hold.
template <typename Value>
constexpr std::int64_t MinOf() {
  return std::is_signed_v<Value> ? static_cast<std::int64_t>(std::numeric_limits<Value>::min()) : 0;
}
template <typename Value>
constexpr std::int64_t MaxOf() {
  using Limit = std::numeric_limits<std::int64_t>;
  return std::numeric_limits<Value>::digits >= Limit::digits
             ? Limit::max()
             : static_cast<std::int64_t>(std::numeric_limits<Value>::max());
}

}  // namespace detail

template <typename T, typename Get, typename Set>
TPropInfo IntegerProperty(std::string name, std::string typeName, Get get, Set set) {
  using Value = std::remove_cvref_t<std::invoke_result_t<Get, const T&>>;
  static_assert(std::is_integral_v<Value>);
  return detail::OrdinalProperty<T>(std::move(name), std::move(typeName), tkInteger,
                                    detail::MinOf<Value>(), detail::MaxOf<Value>(), {}, get, set);
}

template <typename T, typename Get, typename Set>
TPropInfo EnumProperty(std::string name, std::string typeName, std::vector<std::string> values,
                       Get get, Set set) {
  const auto last = static_cast<std::int64_t>(values.size()) - 1;
  return detail::OrdinalProperty<T>(std::move(name), std::move(typeName), tkEnumeration, 0, last,
                                    std::move(values), get, set);
}

template <typename T, typename Get, typename Set>
TPropInfo BooleanProperty(std::string name, Get get, Set set) {
  return detail::OrdinalProperty<T>(std::move(name), "Boolean", tkBoolean, 0, 1, {"False", "True"},
                                    get, set);
}

// A set's ordinal is a bit mask, so a set holds at most this many elements.
inline constexpr std::size_t kMaxSetElements = 32;

template <typename T, typename Get, typename Set>
TPropInfo SetProperty(std::string name, std::string typeName, std::vector<std::string> elements,
                      Get get, Set set) {
  if (elements.size() > kMaxSetElements) throw EPropertyError(name + ": too many set elements");
  const auto all = (std::int64_t{1} << elements.size()) - 1;
  return detail::OrdinalProperty<T>(std::move(name), std::move(typeName), tkSet, 0, all,
                                    std::move(elements), get, set);
}

template <typename T, typename Get, typename Set>
TPropInfo StringProperty(std::string name, std::string typeName, Get get, Set set) {
  TPropInfo info = detail::Describe(std::move(name), std::move(typeName), tkString);
  info.GetString = [get](const TObject& object) {
    return std::string((static_cast<const T&>(object).*get)());
  };
  info.SetString = [set](TObject& object, const std::string& value) {
    (static_cast<T&>(object).*set)(value);
  };
  return info;
}

template <typename T, typename Get, typename Set>
TPropInfo WideStringProperty(std::string name, std::string typeName, Get get, Set set) {
  TPropInfo info = detail::Describe(std::move(name), std::move(typeName), tkWString);
  info.GetWide = [get](const TObject& object) {
    return std::wstring((static_cast<const T&>(object).*get)());
  };
  info.SetWide = [set](TObject& object, const std::wstring& value) {
    (static_cast<T&>(object).*set)(value);
  };
  return info;
}

// The toolkit's own tables, one per class that publishes; the registry takes them in on its
// first use.
std::vector<std::pair<TClass, std::vector<TPropInfo>>> ToolkitPropertyTables();

}  // namespace tk
