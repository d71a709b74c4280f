#pragma once
// Reads property dictionaries off sd-bus messages into the bus-free forms
// of modem_properties.h. Every reader leaves the message's cursor after
// what it read, or returns a negative errno for a message whose types are
// not the expected ones; a value of an unexpected type inside a variant is
// no error: it is kept as none.

#include <systemd/sd-bus.h>

#include <map>
#include <string>
#include <vector>

#include "cardservice/modem_properties.h"

namespace zeph::cardservice {

// a{sv}: adds or replaces each property.
int ReadProperties(sd_bus_message* message, PropertyMap& properties);
// a{sa{sv}}: interfaces with their properties.
int ReadInterfaces(sd_bus_message* message, BusObject& object);
// a{oa{sa{sv}}}: GetManagedObjects' answer.
int ReadManagedObjects(sd_bus_message* message, std::map<std::string, BusObject>& objects);
// as or ao.
int ReadStrings(sd_bus_message* message, char type, std::vector<std::string>& strings);

}  // namespace zeph::cardservice
