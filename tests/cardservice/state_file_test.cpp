#include "cardservice/state_file.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "support/temp_folder.h"

namespace zeph::cardservice {
namespace {

using zeph::testing::TempFolder;

TEST(StateFile, KeepsTheCardAcrossASaveAndALoad) {
  TempFolder folder;
  std::string path = folder.File("sub/card.json");
  CardModel card;
  card.AddEntry("Gr\xFCn", "+4930");
  card.SetConnectionState(kStateGprs);
  card.centre = {"+4917", 3, 4};
  card.sendOptions = {1, 1, 2};
  card.simPresent = false;
  card.nextReference = 200;
  std::vector<uint8_t> block(64, 0x02);
  card.Arrive(block);
  card.Slot(0)->read = true;
  for (int i = 0; i < 30; ++i) card.Arrive(std::vector<uint8_t>(62, static_cast<uint8_t>(i)));
  ASSERT_EQ(card.HeldByNetwork(), 1u);
  ASSERT_TRUE(SaveState(path, card));

  CardModel loaded;
  std::string error;
  ASSERT_EQ(LoadState(path, loaded, error), LoadResult::kLoaded) << error;
  EXPECT_EQ(loaded.phonebook.at(1).name, "Gr\xFCn");
  EXPECT_EQ(loaded.simPresent, false);
  loaded.simPresent = true;
  EXPECT_EQ(loaded.ConnectionState(), kStateGprs);
  EXPECT_EQ(loaded.centre.number, "+4917");
  EXPECT_EQ(loaded.centre.value32, 4u);
  EXPECT_EQ(loaded.sendOptions, (SendOptions{1, 1, 2}));
  EXPECT_EQ(loaded.nextReference, 200);
  ASSERT_NE(loaded.Slot(0), nullptr);
  EXPECT_EQ(loaded.Slot(0)->block, block);
  EXPECT_TRUE(loaded.Slot(0)->read);
  EXPECT_EQ(loaded.HeldByNetwork(), 1u);
  EXPECT_EQ(loaded.TakeArrivals(), 0);  // nothing new arrived
}

TEST(StateFile, MissingAndDamagedFiles) {
  TempFolder folder;
  CardModel card;
  card.AddEntry("x", "1");
  std::string error;
  EXPECT_EQ(LoadState(folder.File("none.json"), card, error), LoadResult::kMissing);
  EXPECT_EQ(card.phonebook.size(), 1u);

  for (const std::string bad :
       {"{not json", "[]", R"({"version": 1})", R"({"version": 9})",
        R"({"version":1,"params":{},"centre":{"number":5,"value16":0,"value32":0}})"}) {
    folder.Write("bad.json", std::vector<uint8_t>(bad.begin(), bad.end()));
    CardModel damaged;
    damaged.AddEntry("x", "1");
    EXPECT_EQ(LoadState(folder.File("bad.json"), damaged, error), LoadResult::kCorrupt) << bad;
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(damaged.phonebook.empty());  // a fresh card
  }
}

TEST(StateFile, DefaultPathFollowsXdgStateHome) {
  const char* saved = std::getenv("XDG_STATE_HOME");
  std::string keep = saved ? saved : "";
  setenv("XDG_STATE_HOME", "/x/state", 1);
  EXPECT_EQ(DefaultStatePath(), "/x/state/zeph/cardservice.json");
  unsetenv("XDG_STATE_HOME");
  std::string home = std::getenv("HOME") ? std::getenv("HOME") : ".";
  EXPECT_EQ(DefaultStatePath(), home + "/.local/state/zeph/cardservice.json");
  if (saved) setenv("XDG_STATE_HOME", keep.c_str(), 1);
}

}  // namespace
}  // namespace zeph::cardservice
