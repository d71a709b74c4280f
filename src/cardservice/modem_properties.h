#pragma once
// D-Bus properties as the modem backend keeps them, apart from the bus, so
// that everything built from them is tested without one. bus_properties.h
// reads them off the bus; a value of a type the backend has no use for is
// kept as none, and every getter answers none for a missing property or
// one of another type than it asks for.

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace zeph::cardservice {

// Integers of every width and booleans (as 0 or 1) are int64_t; strings and
// object paths std::string; "as" and "ao" lists of strings; "ay" bytes. A
// struct "(ub)" (signal quality) reads as its number.
using BusValue = std::variant<std::monostate, int64_t, std::string, std::vector<std::string>,
                              std::vector<uint8_t>>;
using PropertyMap = std::map<std::string, BusValue, std::less<>>;

// One object of the bus: its interfaces by name, each with its properties.
using BusObject = std::map<std::string, PropertyMap, std::less<>>;

template <typename T>
const T* PropertyAs(const PropertyMap& properties, std::string_view name) {
  auto it = properties.find(name);
  return it == properties.end() ? nullptr : std::get_if<T>(&it->second);
}

inline std::optional<int64_t> IntProperty(const PropertyMap& properties, std::string_view name) {
  const int64_t* value = PropertyAs<int64_t>(properties, name);
  return value ? std::optional(*value) : std::nullopt;
}

inline std::string TextProperty(const PropertyMap& properties, std::string_view name) {
  const std::string* value = PropertyAs<std::string>(properties, name);
  return value ? *value : std::string();
}

// The properties of `interface` on `object`, or none when it lacks it.
inline const PropertyMap* InterfaceOf(const BusObject& object, std::string_view interface) {
  auto it = object.find(interface);
  return it == object.end() ? nullptr : &it->second;
}

}  // namespace zeph::cardservice
