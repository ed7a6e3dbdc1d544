#include "script/stage_script.hpp"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <vector>

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "script/timetable.hpp"
#include "support/game_test.hpp"

namespace vormelda::testing {
namespace {

struct Appended {
  int32_t frame;
  EnemyRecord enemy;
};

class StageScriptTest : public GameTest {
 protected:
  // Runs the script in one frame on an empty enemy list and returns what it appended.
  static std::vector<EnemyRecord> At(int32_t frame) {
    Enemies.Erase();
    FrameCount = frame;
    StageScript();
    return Enemies.Allocated() ? Enemies.Entries() : std::vector<EnemyRecord>{};
  }
  // Every enemy of a whole play phase, frame by frame.
  static std::vector<Appended> WholeStage() {
    std::vector<Appended> out;
    for (int32_t f = 292; f <= 8400; ++f) {
      for (const EnemyRecord& e : At(f)) out.push_back({f, e});
    }
    return out;
  }
};

TEST_F(StageScriptTest, TimetableHas47GroupsOn144FramesNoFrameInTwo) {
  const auto& table = StageTimetable();
  ASSERT_EQ(table.size(), 47u);
  std::multiset<int32_t> frames;
  for (size_t i = 0; i < table.size(); ++i) {
    EXPECT_EQ(table[i].row, static_cast<int>(i + 1));
    for (const EventFrame& f : table[i].frames) {
      frames.insert(f.frame);
      EXPECT_LT(f.formation, table[i].formations.size());
    }
  }
  EXPECT_EQ(frames.size(), 144u);
  EXPECT_EQ(std::set<int32_t>(frames.begin(), frames.end()).size(), 144u);
  EXPECT_EQ(*frames.begin(), 400);
  EXPECT_EQ(*frames.rbegin(), 7910);
}

TEST_F(StageScriptTest, WholeStageBrings187EnemiesWithTheValuesOfTheirKind) {
  const std::vector<Appended> all = WholeStage();
  ASSERT_EQ(all.size(), 187u);
  std::map<int, int> byKind;
  std::set<int32_t> frames;
  std::vector<int16_t> gunshipX;
  const std::set<int32_t> fastPairs = {6210, 6225, 6240, 6350, 6365, 6380};
  for (const auto& [frame, e] : all) {
    SCOPED_TRACE(::testing::Message() << "frame " << frame << " kind " << int(e.Kind));
    ++byKind[e.Kind];
    frames.insert(frame);
    EXPECT_EQ(e.HP, e.Kind == 1 ? 3 : e.Kind == 2 ? 8 : 25);
    EXPECT_EQ(e.Points, e.Kind == 1 ? 100 : e.Kind == 2 ? 150 : 200);
    EXPECT_EQ(e.Flash, 0);
    EXPECT_EQ(e.Alive, kTrue);
    EXPECT_EQ(e.X, static_cast<float>(e.SpawnX));
    EXPECT_EQ(e.Y, static_cast<float>(e.SpawnY));
    if (e.Kind == 1) {
      EXPECT_TRUE(e.SpawnY == -35 || e.SpawnY == 35);
      EXPECT_EQ(e.FireTimer, fastPairs.count(frame) != 0 ? 100 : 10);
    } else {
      EXPECT_EQ(e.SpawnY, -50);
      EXPECT_EQ(e.DX, 0);
    }
    if (e.Kind == 2) {
      EXPECT_EQ(e.FireTimer, 10);
    }
    if (e.Kind == 3) {
      EXPECT_EQ(e.FireTimer, frame == 6420 ? 620 : 20);
      EXPECT_EQ(e.Timer, 0);
      EXPECT_EQ(e.DY, 1);
      gunshipX.push_back(e.SpawnX);
    }
  }
  EXPECT_EQ(byKind, (std::map<int, int>{{1, 134}, {2, 31}, {3, 22}}));
  EXPECT_EQ(frames.size(), 144u);
  EXPECT_EQ(*frames.begin(), 400);
  EXPECT_EQ(*frames.rbegin(), 7910);
  for (int32_t quiet : {399, 401, 5780, 7710}) EXPECT_EQ(frames.count(quiet), 0u) << quiet;
  EXPECT_EQ(gunshipX,
            (std::vector<int16_t>{235, 135, 235, 135, 285, 85,  285, 85,  321, 49,  85,
                                  185, 285, 85,  0,   50,  320, 370, 185, 185, 185, 185}));
}

TEST_F(StageScriptTest, FirstEnemyOfTheStageIsAFighterAt100) {
  EXPECT_TRUE(At(399).empty());
  const std::vector<EnemyRecord> first = At(400);
  EnemyRecord expected;
  expected.Kind = 1;
  expected.X = 100;
  expected.Y = -35;
  expected.SpawnX = 100;
  expected.SpawnY = -35;
  expected.DX = 2;
  expected.DY = 2;
  expected.HP = 3;
  expected.FireTimer = 10;
  expected.Timer = 32;
  expected.Points = 100;
  expected.Alive = kTrue;
  EXPECT_EQ(first, (std::vector<EnemyRecord>{expected}));
}

TEST_F(StageScriptTest, FormationsAppendInPassOrderBehindTheEntriesAlreadyThere) {
  Enemies.Erase();
  Enemies.Append(Enemy(1, 5, 5)).Alive = kFalse;
  FrameCount = 1350;
  StageScript();
  ASSERT_EQ(Enemies.UBound(), 4);
  EXPECT_EQ(Enemies[1].Alive, kFalse);
  EXPECT_EQ(Enemies[2].X, 105);
  EXPECT_EQ(Enemies[3].X, 210);
  EXPECT_EQ(Enemies[4].X, 315);
  EXPECT_EQ(Enemies[4].DX, -2);
  EXPECT_EQ(LoopIndex, 3);

  std::vector<float> xs;
  for (const EnemyRecord& e : At(6100)) {
    EXPECT_EQ(e.Kind, 2);
    EXPECT_EQ(e.Timer, 20);
    EXPECT_EQ(e.DY, 2.5f);
    xs.push_back(e.X);
  }
  EXPECT_EQ(xs, (std::vector<float>{0, 128, 256, 384}));
  EXPECT_EQ(LoopIndex, 3);
}

TEST_F(StageScriptTest, Frame2890AddsADropperBehindTheRowsFighter) {
  const std::vector<EnemyRecord> both = At(2890);
  ASSERT_EQ(both.size(), 2u);
  EXPECT_EQ(both[0].Kind, 1);
  EXPECT_EQ(both[1].Kind, 2);
  EXPECT_EQ(both[1].X, 20);
  EXPECT_EQ(both[1].Y, -50);
  EXPECT_EQ(both[1].DY, 2.5f);
  EXPECT_EQ(both[1].Timer, 25);
  EXPECT_EQ(both[1].FireTimer, 10);
  for (int32_t f : {2850, 2870, 2910, 2930}) {
    const std::vector<EnemyRecord> one = At(f);
    ASSERT_EQ(one.size(), 1u) << f;
    EXPECT_EQ(one[0].Kind, 1);
  }
}

TEST_F(StageScriptTest, SweepWalksRightToLeftAndBackEvery18Frames) {
  const std::vector<std::pair<int, std::pair<int, int>>> sweep = {
      {5618, {350, -1}}, {5636, {315, -1}}, {5654, {280, -1}}, {5672, {245, -1}}, {5690, {210, -1}},
      {5708, {175, 1}},  {5726, {140, 1}},  {5744, {105, 1}},  {5762, {70, 1}},   {5798, {0, 1}},
      {5816, {35, 1}},   {5834, {70, 1}},   {5852, {105, 1}},  {5870, {140, 1}},  {5888, {175, 1}},
      {5906, {210, 1}},  {5924, {245, -1}}, {5942, {280, -1}}, {5960, {315, -1}}, {5978, {350, -1}},
      {5996, {385, -1}}};
  for (const auto& [frame, value] : sweep) {
    SCOPED_TRACE(frame);
    const std::vector<EnemyRecord> e = At(frame);
    ASSERT_EQ(e.size(), 1u);
    EXPECT_EQ(e[0].SpawnX, value.first);
    EXPECT_EQ(e[0].DX, value.second);
    EXPECT_EQ(e[0].DY, 2);
    EXPECT_EQ(e[0].Timer, 32);
  }
  EXPECT_TRUE(At(5780).empty());
  EXPECT_TRUE(At(5600).empty());
}

TEST_F(StageScriptTest, RandomStartsStayInTheirBandsAndTheSignIsDrawnFirst) {
  std::set<int> row3, row10;
  std::set<float> row3DX;
  for (int i = 0; i < 2000; ++i) {
    const EnemyRecord e = At(890)[0];
    row3.insert(e.SpawnX);
    row3DX.insert(e.DX);
    row10.insert(At(2120)[0].SpawnX);
  }
  EXPECT_EQ(*row3.begin(), 129);
  EXPECT_EQ(*row3.rbegin(), 256);
  EXPECT_EQ(row3DX, (std::set<float>{-2, 2}));
  EXPECT_EQ(row10, (std::set<int>{209, 210}));
  for (int i = 0; i < 200; ++i) {
    const std::vector<EnemyRecord> pair = At(6210);
    ASSERT_EQ(pair.size(), 2u);
    EXPECT_TRUE(pair[0].SpawnX >= 0 && pair[0].SpawnX <= 175) << pair[0].SpawnX;
    EXPECT_TRUE(pair[1].SpawnX >= 210 && pair[1].SpawnX <= 385) << pair[1].SpawnX;
    EXPECT_EQ(pair[0].DX, 2);
    EXPECT_EQ(pair[1].DX, -2);
  }

  for (int i = 0; i < 20; ++i) {
    Enemies.Erase();
    const GameState before = Game;
    const float sign = RandomSign();
    const int16_t x = RandomInt(129, 256);
    Game = before;
    const EnemyRecord e = At(890)[0];
    EXPECT_EQ(e.DX, 2 * sign);
    EXPECT_EQ(e.SpawnX, x);
  }
}

TEST_F(StageScriptTest, ItemsAreLaunchedAtTheirFramesAndMakeTheirFirstMoveAtOnce) {
  std::vector<int32_t> power, bomb;
  for (int32_t f = 292; f <= 8400; ++f) {
    At(f);
    if (IsTrue(PowerItem.Alive) && PowerItem.Y == -33) power.push_back(f);
    if (IsTrue(BombItem.Alive) && BombItem.Y == -33) bomb.push_back(f);
  }
  EXPECT_EQ(power, (std::vector<int32_t>{2600, 3950, 6400}));
  EXPECT_EQ(bomb, (std::vector<int32_t>{8050}));

  const std::vector<EnemyRecord> withItem = At(2600);
  EXPECT_EQ(withItem.size(), 1u);
  EXPECT_EQ(PowerItem.DX, 0);
  EXPECT_EQ(PowerItem.DY, 2);
  EXPECT_TRUE(PowerItem.X >= 0 && PowerItem.X <= 175);

  // A launch restarts an item still falling.
  std::set<int32_t> xs;
  for (int i = 0; i < 50; ++i) {
    PowerItem = {300, 300, 0, 2, kTrue};
    At(3950);
    EXPECT_EQ(PowerItem.Y, -33);
    EXPECT_TRUE(PowerItem.X >= 0 && PowerItem.X <= 175) << PowerItem.X;
    xs.insert(PowerItem.X);
  }
  EXPECT_GT(xs.size(), 10u);
}

TEST_F(StageScriptTest, UntakenBombItemExpiresInFrame8347) {
  for (int32_t f = 8050; f <= 8346; ++f) At(f);
  EXPECT_EQ(BombItem.Alive, kTrue);
  EXPECT_EQ(BombItem.Y, 559);
  At(8347);
  EXPECT_EQ(BombItem.Alive, kFalse);
  EXPECT_EQ(BombItem.Y, 561);
}

}  // namespace
}  // namespace vormelda::testing
