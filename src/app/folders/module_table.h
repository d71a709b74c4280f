#pragma once
// The five folder modules in the order of the module list; a row's index is
// the module index of the command line and of the module list.

#include <array>

namespace zeph {

// Action buttons, by bit of ActionMask, in the order the bar shows them.
inline constexpr int kActionNew = 1;
inline constexpr int kActionReply = 2;
inline constexpr int kActionForward = 4;
inline constexpr int kActionDelete = 8;
inline constexpr int kActionChat = 16;

struct ModuleRow {
  int iconId;
  int templateId;  // the module's dialog number
  int nameString;
  int descriptionString;
  int actionMask;
  std::array<int, 4> columnStrings;  // list columns, 0 after the last
};

inline constexpr std::array<ModuleRow, 5> kModuleTable = {{
    {166, 101, 20, 70, 31, {8, 9, 0, 0}},       // Inbox
    {168, 102, 21, 71, 9, {12, 13, 14, 0}},     // Outbox
    {169, 103, 23, 73, 29, {15, 16, 0, 0}},     // Sent messages
    {170, 165, 22, 74, 9, {17, 18, 19, 9}},     // Delivery reports
    {167, 155, 24, 72, 25, {10, 11, 0, 0}},     // Contacts
}};

struct ActionButtonRow {
  int bit;
  std::array<int, 4> icons;  // normal, hot, disabled, pressed
  int tooltipString;
};

inline constexpr std::array<ActionButtonRow, 5> kActionButtons = {{
    {kActionNew, {113, 128, 124, 177}, 39},
    {kActionReply, {114, 138, 125, 192}, 40},
    {kActionForward, {115, 139, 126, 178}, 41},
    {kActionDelete, {116, 140, 127, 179}, 42},
    {kActionChat, {133, 117, 134, 180}, 43},
}};

}  // namespace zeph
