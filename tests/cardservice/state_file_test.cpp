#include "cardservice/state_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <tuple>

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
  // What the file keeps, alike from both cards; each value set above is not a fresh card's.
  auto kept = [](CardModel& c) {
    const StoredMessage* first = c.Slot(0);
    return std::tuple(c.phonebook.at(1).name, c.simPresent, c.params, c.centre.number,
                      c.centre.value16, c.centre.value32, c.sendOptions, c.nextReference,
                      first ? first->block : std::vector<uint8_t>(), first && first->read,
                      c.HeldByNetwork());
  };
  EXPECT_EQ(kept(loaded), kept(card));
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
