#pragma once
// A private system bus (dbus-daemon with a configuration of its own in the
// test's folder, DBUS_SYSTEM_BUS_ADDRESS pointing at it for the processes
// the test starts) and the ModemManager mock of
// tests/cardservice/modemmanager_template.py on it, steered over sd-bus.
// Every process ends with the object, and with the test process should it crash.

#include <gtest/gtest.h>
#include <systemd/sd-bus.h>

#include <nlohmann/json.hpp>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <variant>
#include <vector>

#include "support/card_service_process.h"
#include "support/temp_folder.h"

namespace zeph::testing {

// One Sms or modem property for the mock: its name, D-Bus type ('s', 'u' or 'i') and value.
struct MockProperty {
  const char* name;
  char type;
  std::variant<int32_t, std::string> value;
};

class ModemMock {
 public:
  explicit ModemMock(const TempFolder& folder) : folder_(folder) {
    const std::string address = "unix:path=" + folder.File("bus");
    std::string config = folder.File("bus.conf");
    std::ofstream(config) << "<busconfig><type>session</type><listen>" << address
                          << "</listen><auth>EXTERNAL</auth><policy context=\"default\">"
                             "<allow send_destination=\"*\" eavesdrop=\"true\"/>"
                             "<allow eavesdrop=\"true\"/><allow own=\"*\"/></policy></busconfig>\n";
    daemon_ =
        SpawnChild({"/usr/bin/dbus-daemon", "--config-file=" + config, "--nofork", "--nopidfile"},
                   folder.File("bus.log"));
    setenv("DBUS_SYSTEM_BUS_ADDRESS", address.c_str(), 1);
    for (int i = 0; i < 500 && sd_bus_open_system(&bus_) < 0; ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    StartModemManager();
  }
  ~ModemMock() {
    KillChild(mock_);
    KillChild(daemon_);
    sd_bus_flush_close_unref(bus_);
    unsetenv("DBUS_SYSTEM_BUS_ADDRESS");
  }
  ModemMock(const ModemMock&) = delete;
  ModemMock& operator=(const ModemMock&) = delete;

  // The mock as a new process, once its name is on the bus.
  void StartModemManager() {
    mock_ = SpawnChild(
        {"/usr/bin/python3", "-m", "dbusmock", "--system", "--template", ZEPH_MODEM_TEMPLATE},
        folder_.File("mock.log"));
    for (int i = 0; i < 1000 && !Running(); ++i)
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    ASSERT_TRUE(Running()) << "the ModemManager mock did not start";
  }
  void StopModemManager() { KillChild(mock_, SIGTERM); }

  std::string Deliver(const std::vector<MockProperty>& properties) {
    return Call(
        "Deliver", [&](sd_bus_message* m) { return Append(m, properties); }, "o");
  }
  void Update(const std::string& path, const std::vector<MockProperty>& properties) {
    Call("Update", [&](sd_bus_message* m) {
      int r = sd_bus_message_append(m, "o", path.c_str());
      return r < 0 ? r : Append(m, properties);
    });
  }
  void SetSend(uint32_t delayMs, uint32_t failures, const std::string& error = "") {
    Call("SetSend", [&](sd_bus_message* m) {
      return sd_bus_message_append(m, "uus", delayMs, failures, error.c_str());
    });
  }
  void RemoveModem() { Call("RemoveModem", nullptr); }
  void AddModem() { Call("AddModem", nullptr); }
  // The arguments of every Messaging.Create so far.
  nlohmann::json Created() {
    return nlohmann::json::parse(Call("Created", nullptr, "s"), nullptr, false);
  }
  // Sends in progress, and messages on the modem.
  uint32_t Sending() { return std::stoul("0" + Call("Sending", nullptr, "u")); }
  uint32_t Held() { return std::stoul("0" + Call("Held", nullptr, "u")); }
  // The test's own connection: a client that is not ModemManager.
  sd_bus* bus() const { return bus_; }

 private:
  static constexpr const char* kName = "org.freedesktop.ModemManager1";

  // A name-only query (mask 0) asks the bus for the name's owner: an error while it has none.
  bool Running() {
    sd_bus_creds* creds = nullptr;
    const bool owned = sd_bus_get_name_creds(bus_, kName, 0, &creds) >= 0;
    sd_bus_creds_unref(creds);
    return owned;
  }

  static int Append(sd_bus_message* m, const std::vector<MockProperty>& properties) {
    int r = sd_bus_message_open_container(m, 'a', "{sv}");
    for (const auto& p : properties) {
      const char type[2] = {p.type, 0};
      const auto* text = std::get_if<std::string>(&p.value);
      if (r >= 0)  // a string, else 'i' or 'u', both four bytes
        r = text ? sd_bus_message_append(m, "{sv}", p.name, type, text->c_str())
                 : sd_bus_message_append(m, "{sv}", p.name, type, std::get<int32_t>(p.value));
    }
    return r < 0 ? r : sd_bus_message_close_container(m);
  }

  // Calls one of the mock's methods; its answer of type `answer` ('o', 's' or 'u') as text.
  template <typename Arguments>
  std::string Call(const char* method, Arguments arguments, const char* answer = "") {
    sd_bus_message *call = nullptr, *reply = nullptr;
    sd_bus_error error{};
    int r = sd_bus_message_new_method_call(bus_, &call, kName, "/org/freedesktop/ModemManager1",
                                           "org.freedesktop.DBus.Mock", method);
    if constexpr (!std::is_null_pointer_v<Arguments>)
      if (r >= 0) r = arguments(call);
    if (r >= 0) r = sd_bus_call(bus_, call, 0, &error, &reply);
    EXPECT_GE(r, 0) << method << ": " << (error.message ? error.message : "");
    std::string result;
    const char* text = "";
    uint32_t number = 0;
    if (r >= 0 && *answer == 'u' && sd_bus_message_read(reply, "u", &number) >= 0)
      result = std::to_string(number);
    else if (r >= 0 && *answer && sd_bus_message_read(reply, answer, &text) >= 0)
      result = text;
    sd_bus_error_free(&error);
    sd_bus_message_unref(call);
    sd_bus_message_unref(reply);
    return result;
  }

  const TempFolder& folder_;
  sd_bus* bus_ = nullptr;
  pid_t daemon_ = -1;
  pid_t mock_ = -1;
};

}  // namespace zeph::testing
