#include <gtest/gtest.h>

#include <cstdint>
#include <set>
#include <string>

#include "common/helpers.hpp"
#include "records/fields.hpp"
#include "records/game_state.hpp"

namespace vormelda {
namespace {

TEST(GrowableList, AppendingToAnUnallocatedListGivesIndicesOneToK) {
  GrowableList<BlastRecord> list;
  EXPECT_FALSE(list.Allocated());
  for (int16_t k = 1; k <= 3; ++k) {
    list.Append(BlastRecord{1, k, 0, k});
    EXPECT_TRUE(list.Allocated());
    EXPECT_EQ(list.UBound(), k);
  }
  for (int32_t i = 1; i <= 3; ++i) EXPECT_EQ(list[i].X, i);
  list.Append().Countdown = 9;  // the appended entry is the one returned
  EXPECT_EQ(list[4].Countdown, 9);
  list.Erase();
  EXPECT_FALSE(list.Allocated());
  list.Append(BlastRecord{2, 5, 6, 7});
  EXPECT_EQ(list.UBound(), 1);
  EXPECT_EQ(list[1].X, 5);
}

TEST(GrowableList, IsNeverShrunkToZeroEntries) {
  GrowableList<ShotSlot> list;
  for (int i = 0; i < 3; ++i) list.Append(ShotSlot{i, 0, 0, 0, kFalse});
  list.ShrinkTo(0);
  EXPECT_EQ(list.UBound(), 3);
  list.ShrinkTo(-1);
  EXPECT_EQ(list.UBound(), 3);
  list.ShrinkTo(5);
  EXPECT_EQ(list.UBound(), 3);
  list.ShrinkTo(2);
  EXPECT_EQ(list.UBound(), 2);
  EXPECT_EQ(list[2].X, 1);
  GrowableList<ShotSlot> unallocated;
  unallocated.ShrinkTo(1);
  EXPECT_FALSE(unallocated.Allocated());
}

// Converts to any type: as many of these as a record takes in braces is its number of members.
struct AnyMember {
  template <typename T>
  operator T() const;  // only named, never called
};

template <typename T, typename... Members>
constexpr size_t MemberCount() {
  if constexpr (requires { T{Members{}..., AnyMember{}}; }) {
    return MemberCount<T, Members..., AnyMember>();
  } else {
    return sizeof...(Members);
  }
}

// A member added to a record but not to its field list would silently drop out of every state
// checksum and trace: each list names every member once, each by a name of its own.
template <HasFields T>
void ExpectEveryMemberListed(const char* record) {
  SCOPED_TRACE(record);
  const T value{};
  std::set<const void*> members;
  std::set<std::string> names;
  value.Fields([&](const char* name, const auto& member) {
    members.insert(&member);
    names.insert(name);
  });
  EXPECT_EQ(members.size(), MemberCount<T>());
  EXPECT_EQ(names.size(), MemberCount<T>());
}

TEST(FieldLists, NameEveryMemberOfEveryRecordOnce) {
  static_assert(MemberCount<ShotSlot>() == 5);  // the count itself, on a record known by heart
  ExpectEveryMemberListed<GameState>("GameState");
  ExpectEveryMemberListed<PlayerRecord>("PlayerRecord");
  ExpectEveryMemberListed<ShotSlot>("ShotSlot");
  ExpectEveryMemberListed<EnemyRecord>("EnemyRecord");
  ExpectEveryMemberListed<EnemyShotRecord>("EnemyShotRecord");
  ExpectEveryMemberListed<BlastRecord>("BlastRecord");
  ExpectEveryMemberListed<BossState>("BossState");
  ExpectEveryMemberListed<RandomGenerator>("RandomGenerator");
  ExpectEveryMemberListed<JOYINFOEX>("JOYINFOEX");
}

class SavedGame : public ::testing::Test {
 protected:
  void TearDown() override { Game = {}; }
};

TEST_F(SavedGame, RestoringBringsBackEveryPartOfTheState) {
  Game.Random.Seed(77);
  Player.X = 185;
  Player.Power = 2;
  CenterShots[8].Alive = kTrue;
  Enemies.Append().HP = 25;
  Blasts.Append().Countdown = 24;
  HighScoreText = {'0', '1', '2', '3', '4'};
  JoyInfo.dwButtons = JOY_BUTTON3;
  ShotSound = {1, 2, 3};
  BossHP = 3000;
  const GameState saved = Game;

  const float draw = RandomSingle(0, 1);
  Player.X = 0;
  Player.Power = 1;
  CenterShots[8].Alive = kFalse;
  Enemies.Erase();
  Blasts[1].Countdown = 0;
  EnemyShots.Append();
  HighScoreText = {};
  JoyInfo = {};
  ShotSound.clear();
  BossHP = 0;
  FrameCount = 8401;
  ASSERT_NE(Game, saved);

  // The globals are names for parts of Game, so they read the restored values.
  Game = saved;
  EXPECT_EQ(Player.X, 185);
  EXPECT_EQ(Player.Power, 2);
  EXPECT_TRUE(IsTrue(CenterShots[8].Alive));
  ASSERT_TRUE(Enemies.Allocated());
  EXPECT_EQ(Enemies[1].HP, 25);
  EXPECT_EQ(Blasts[1].Countdown, 24);
  EXPECT_FALSE(EnemyShots.Allocated());
  EXPECT_EQ(HighScoreText[4], '4');
  EXPECT_EQ(JoyInfo.dwButtons, JOY_BUTTON3);
  EXPECT_EQ(ShotSound.size(), 3u);
  EXPECT_EQ(BossHP, 3000);
  EXPECT_EQ(FrameCount, 0);
  EXPECT_EQ(RandomSingle(0, 1), draw);  // the generator is restored too
}

}  // namespace
}  // namespace vormelda
