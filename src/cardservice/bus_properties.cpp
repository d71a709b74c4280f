#include "cardservice/bus_properties.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace zeph::cardservice {
namespace {

int ReadInteger(sd_bus_message* message, char type, int64_t& value) {
  union {
    uint8_t y;
    int b;  // sd-bus reads a boolean into an int
    int16_t n;
    uint16_t q;
    int32_t i;
    uint32_t u;
    int64_t x;
    uint64_t t;
  } raw{};
  int r = sd_bus_message_read_basic(message, type, &raw);
  if (r < 0) return r;
  switch (type) {
    case 'y':
      value = raw.y;
      break;
    case 'b':
      value = raw.b != 0;
      break;
    case 'n':
      value = raw.n;
      break;
    case 'q':
      value = raw.q;
      break;
    case 'i':
      value = raw.i;
      break;
    case 'u':
      value = raw.u;
      break;
    case 'x':
      value = raw.x;
      break;
    default:
      value = static_cast<int64_t>(raw.t);
      break;
  }
  return 0;
}

// The contents of a variant whose signature is `type`.
int ReadValue(sd_bus_message* message, std::string_view type, BusValue& value) {
  if (type.size() == 1 && std::strchr("ybnqiuxt", type[0])) {
    int64_t number = 0;
    int r = ReadInteger(message, type[0], number);
    value = number;
    return r;
  }
  if (type == "s" || type == "o") {
    const char* text = nullptr;
    int r = sd_bus_message_read_basic(message, type[0], &text);
    value = std::string(text ? text : "");
    return r;
  }
  if (type == "as" || type == "ao") {
    std::vector<std::string> strings;
    int r = ReadStrings(message, type[1], strings);
    value = std::move(strings);
    return r;
  }
  if (type == "ay") {
    const void* bytes = nullptr;
    size_t size = 0;
    int r = sd_bus_message_read_array(message, 'y', &bytes, &size);
    auto begin = static_cast<const uint8_t*>(bytes);
    value = begin ? std::vector<uint8_t>(begin, begin + size) : std::vector<uint8_t>();
    return r;
  }
  if (type == "(ub)") {
    uint32_t number = 0;
    int recent = 0;
    int r = sd_bus_message_read(message, "(ub)", &number, &recent);
    value = int64_t{number};
    return r;
  }
  value = std::monostate();
  return sd_bus_message_skip(message, std::string(type).c_str());
}

}  // namespace

int ReadStrings(sd_bus_message* message, char type, std::vector<std::string>& strings) {
  const char element[2] = {type, 0};
  int r = sd_bus_message_enter_container(message, SD_BUS_TYPE_ARRAY, element);
  if (r <= 0) return r < 0 ? r : -EBADMSG;
  const char* text = nullptr;
  while ((r = sd_bus_message_read_basic(message, type, &text)) > 0) strings.emplace_back(text);
  if (r < 0) return r;
  return sd_bus_message_exit_container(message);
}

int ReadProperties(sd_bus_message* message, PropertyMap& properties) {
  int r = sd_bus_message_enter_container(message, SD_BUS_TYPE_ARRAY, "{sv}");
  if (r <= 0) return r < 0 ? r : -EBADMSG;
  while ((r = sd_bus_message_enter_container(message, SD_BUS_TYPE_DICT_ENTRY, "sv")) > 0) {
    const char* name = nullptr;
    const char* type = nullptr;
    if ((r = sd_bus_message_read_basic(message, 's', &name)) < 0 ||
        (r = sd_bus_message_peek_type(message, nullptr, &type)) < 0 ||
        (r = sd_bus_message_enter_container(message, SD_BUS_TYPE_VARIANT, type)) < 0 ||
        (r = ReadValue(message, type, properties[name])) < 0 ||
        (r = sd_bus_message_exit_container(message)) < 0 ||
        (r = sd_bus_message_exit_container(message)) < 0)
      return r;
  }
  if (r < 0) return r;
  return sd_bus_message_exit_container(message);
}

int ReadInterfaces(sd_bus_message* message, BusObject& object) {
  int r = sd_bus_message_enter_container(message, SD_BUS_TYPE_ARRAY, "{sa{sv}}");
  if (r <= 0) return r < 0 ? r : -EBADMSG;
  while ((r = sd_bus_message_enter_container(message, SD_BUS_TYPE_DICT_ENTRY, "sa{sv}")) > 0) {
    const char* interface = nullptr;
    if ((r = sd_bus_message_read_basic(message, 's', &interface)) < 0 ||
        (r = ReadProperties(message, object[interface])) < 0 ||
        (r = sd_bus_message_exit_container(message)) < 0)
      return r;
  }
  if (r < 0) return r;
  return sd_bus_message_exit_container(message);
}

int ReadManagedObjects(sd_bus_message* message, std::map<std::string, BusObject>& objects) {
  int r = sd_bus_message_enter_container(message, SD_BUS_TYPE_ARRAY, "{oa{sa{sv}}}");
  if (r <= 0) return r < 0 ? r : -EBADMSG;
  while ((r = sd_bus_message_enter_container(message, SD_BUS_TYPE_DICT_ENTRY, "oa{sa{sv}}")) > 0) {
    const char* path = nullptr;
    if ((r = sd_bus_message_read_basic(message, 'o', &path)) < 0 ||
        (r = ReadInterfaces(message, objects[path])) < 0 ||
        (r = sd_bus_message_exit_container(message)) < 0)
      return r;
  }
  if (r < 0) return r;
  return sd_bus_message_exit_container(message);
}

}  // namespace zeph::cardservice
