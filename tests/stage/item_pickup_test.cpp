#include "stage/item_pickup.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/game_state.hpp"
#include "support/game_test.hpp"

namespace vormelda::testing {
namespace {

// The ship at (200, 300): its middle is (225, 325).
class ItemPickup : public GameTest {
 protected:
  void SetUp() override { NewShip(200, 300); }
};

TEST_F(ItemPickup, ItemIsTakenWhenOneOfItsPointsLiesWithin25OfTheShipsMiddle) {
  struct Case {
    int32_t x, y;
    bool taken;
  };
  const Case cases[] = {
      {250, 325, true}, {251, 325, false},  // its point (0, 0)
      {165, 325, true}, {164, 325, false},  // (35, 0)
      {208, 265, true}, {208, 264, false},  // (17, 35)
      {230, 330, true},                     // lying on the ship
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << c.x << "," << c.y);
    PowerItem = {c.x, c.y, 0, 2, kTrue};
    BombItem = {c.x, c.y, 0, 2, kFalse};
    CollectItems();
    EXPECT_EQ(PowerItem.Alive, c.taken ? kFalse : kTrue);
    EXPECT_EQ(BombItem.Alive, kFalse);
  }
}

TEST_F(ItemPickup, PowerItemGivesTheFasterTwinShotAndPointsEveryTime) {
  CenterShots[3] = LiveShot(100, 100, 0, -10);
  CenterShots[5] = ShotSlot{0, 0, 2, -10, kFalse};
  PowerItem = {210, 310, 0, 2, kTrue};
  CollectItems();
  EXPECT_EQ(Player.Power, 2);
  EXPECT_EQ(Player.Score, 500);
  for (const ShotSlot& s : CenterShots) {
    EXPECT_EQ(s.DX, 0);
    EXPECT_EQ(s.DY, -15);
  }
  EXPECT_EQ(CenterShots[3].Alive, kTrue);
  EXPECT_EQ(SoundCommands(), (std::vector<std::string>{"mciItem Prev", "mciItem Play"}));

  const PlayerRecord before = Player;
  PowerItem = {210, 310, 0, 2, kTrue};
  CollectItems();
  PlayerRecord expected = before;
  expected.Score += 500;
  EXPECT_EQ(Player, expected);
}

TEST_F(ItemPickup, BothItemsInOneFrameBothCountAndBothSoundsAreAsked) {
  PowerItem = {210, 310, 0, 2, kTrue};
  BombItem = {215, 315, 0, 2, kTrue};
  CollectItems();
  EXPECT_EQ(Player.Power, 2);
  EXPECT_EQ(Player.Bombs, 3);
  EXPECT_EQ(Player.Score, 1500);
  EXPECT_EQ(SoundCommands("mciItem"), (std::vector<std::string>{"Prev", "Play", "Prev", "Play"}));
}

TEST_F(ItemPickup, ExplodingShipStillPicksUpButADeadItemIsNeverTaken) {
  Player.OnScreen = kFalse;
  BombItem = {210, 310, 0, 2, kTrue};
  CollectItems();
  EXPECT_EQ(Player.Bombs, 3);

  PowerItem = {210, 310, 0, 2, kFalse};
  BombItem = {210, 310, 0, 2, 1};  // only -1 is live
  CollectItems();
  EXPECT_EQ(Player.Power, 1);
  EXPECT_EQ(Player.Bombs, 3);
  EXPECT_EQ(Player.Score, 1000);
}

}  // namespace
}  // namespace vormelda::testing
