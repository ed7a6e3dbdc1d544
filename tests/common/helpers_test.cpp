#include "common/helpers.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "records/game_state.hpp"

namespace vormelda {
namespace {

class Helpers : public ::testing::Test {
 protected:
  void SetUp() override {
    Game = {};
    Game.Random.Seed(12345);
  }
  void TearDown() override { Game = {}; }
};

TEST_F(Helpers, RandomIntCoversItsWholeRangeAndNothingElse) {
  std::set<int> seen;
  for (int i = 0; i < 2000; ++i) seen.insert(RandomInt(0, 7));
  EXPECT_EQ(seen, (std::set<int>{0, 1, 2, 3, 4, 5, 6, 7}));
  seen.clear();
  for (int i = 0; i < 2000; ++i) seen.insert(RandomInt(-3, 2));
  EXPECT_EQ(seen, (std::set<int>{-3, -2, -1, 0, 1, 2}));
  for (int i = 0; i < 200; ++i) ASSERT_EQ(RandomInt(5, 5), 5);
}

TEST_F(Helpers, RandomSignIsMinusOneOrOne) {
  std::set<int> seen;
  for (int i = 0; i < 200; ++i) seen.insert(RandomSign());
  EXPECT_EQ(seen, (std::set<int>{-1, 1}));
}

TEST_F(Helpers, RandomSingleStaysBetweenItsBoundsInEitherOrder) {
  for (auto [lo, hi] : {std::pair{2.0f, 5.0f}, std::pair{5.0f, 2.0f}, std::pair{-1.0f, -1.0f}}) {
    float least = 100, most = -100;
    for (int i = 0; i < 2000; ++i) {
      float v = RandomSingle(lo, hi);
      least = std::min(least, v);
      most = std::max(most, v);
    }
    EXPECT_GE(least, std::min(lo, hi));
    EXPECT_LE(most, std::max(lo, hi));
    EXPECT_GE(most - least, 0.95f * std::abs(hi - lo)) << lo << ".." << hi;
  }
}

TEST_F(Helpers, SavedGeneratorStateReplaysTheSameDraws) {
  const GameState saved = Game;
  std::vector<float> first;
  for (int i = 0; i < 10; ++i) first.push_back(RandomSingle(0, 1));
  Game = saved;
  std::vector<float> again;
  for (int i = 0; i < 10; ++i) again.push_back(RandomSingle(0, 1));
  EXPECT_EQ(first, again);
  EXPECT_NE(first[0], first[1]);
}

TEST(AngleTo, UsesTheShortPiAndCoversEveryQuadrant) {
  EXPECT_EQ(AngleTo(0, 0), 1.570796f);
  EXPECT_EQ(AngleTo(0, 3), 1.570796f);  // straight down the screen
  EXPECT_EQ(AngleTo(0, -1), 4.712388f);
  EXPECT_EQ(AngleTo(-1, 0), 3.141592f);
  EXPECT_NE(AngleTo(-1, 0), static_cast<float>(M_PI));
  EXPECT_NEAR(AngleTo(1, -1), -0.785398f, 1e-6);
  EXPECT_NEAR(AngleTo(1, 1), 0.785398f, 1e-6);
  EXPECT_NEAR(AngleTo(-1, 1), 3.141592f - 0.785398f, 1e-6);
  EXPECT_NEAR(AngleTo(-1, -1), 3.141592f + 0.785398f, 1e-6);
  EXPECT_EQ(AngleTo(2, 0), 0.0f);
}

TEST(InEllipse, TheBoundaryIsInside) {
  EXPECT_EQ(InEllipse(7, 8, 0, 0, 7, 0), kTrue);
  EXPECT_EQ(InEllipse(7, 8, 0, 0, 8, 0), kFalse);
  EXPECT_EQ(InEllipse(7, 8, 0, 0, -7, 0), kTrue);
  EXPECT_EQ(InEllipse(7, 8, 0, 0, 0, 8), kTrue);
  EXPECT_EQ(InEllipse(7, 8, 0, 0, 0, -9), kFalse);
  EXPECT_EQ(InEllipse(7, 8, 100, 200, 105, 205), kTrue);   // 25/49 + 25/64 < 1
  EXPECT_EQ(InEllipse(7, 8, 100, 200, 106, 205), kFalse);  // 36/49 + 25/64 > 1
  // Far points must not wrap around when squared.
  EXPECT_EQ(InEllipse(1, 1, 0, 0, 65536, 0), kFalse);
  EXPECT_EQ(InEllipse(1, 1, 0, 0, 0, -65536), kFalse);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(RoundHalfEven(2.5), 2);
  EXPECT_EQ(RoundHalfEven(3.5), 4);
  EXPECT_EQ(RoundHalfEven(-2.5), -2);
  EXPECT_EQ(RoundHalfEven(0.5), 0);
  EXPECT_EQ(RoundHalfEven(2.4999), 2);
  EXPECT_EQ(RoundHalfEven(2.5001), 3);
  EXPECT_EQ(RoundHalfEven(-3.5f), -4);
  // Agrees with the system's rounding on quarters, on floats next to halves, and far out.
  for (int q = -4000; q <= 4000; ++q) {
    const float v = static_cast<float>(q) / 4;
    for (float w : {v, std::nextafter(v, -1e9f), std::nextafter(v, 1e9f)}) {
      ASSERT_EQ(RoundHalfEven(w), static_cast<int32_t>(std::nearbyint(w))) << w;
    }
  }
  EXPECT_EQ(RoundHalfEven(1e9 + 0.5), 1000000000);
}

// Lists are written as a string: a letter is a live entry by that name, '.' a dead one.
class Compaction : public Helpers {
 protected:
  static EnemyRecord Enemy(char c) {
    EnemyRecord e;
    e.Kind = static_cast<uint8_t>(c);
    e.X = static_cast<float>(c) * 1.5f;
    e.Alive = c == '.' ? kFalse : kTrue;
    return e;
  }
  static void Fill(const std::string& entries) {
    Enemies.Erase();
    for (char c : entries) Enemies.Append(Enemy(c));
  }
  static std::string Names() {
    if (!Enemies.Allocated()) return "unallocated";
    std::string names;
    for (int32_t i = 1; i <= Enemies.UBound(); ++i) {
      names += IsTrue(Enemies[i].Alive) ? static_cast<char>(Enemies[i].Kind) : '.';
      if (IsTrue(Enemies[i].Alive)) {
        EXPECT_EQ(Enemies[i], Enemy(static_cast<char>(Enemies[i].Kind)));  // copied whole
      }
    }
    return names;
  }
};

TEST_F(Compaction, LiveEntriesMoveToTheFrontInOrder) {
  for (auto [before, after] : std::vector<std::pair<std::string, std::string>>{
           {".A.B", "AB"},
           {"AB", "AB"},
           {"..", ".."},
           {".", "."},
           {"A..BC", "ABC"},
           {"A.B.", "AB"},
           {"...A", "A"},
           {".A", "A"},
       }) {
    Fill(before);
    CompactEnemies();
    EXPECT_EQ(Names(), after) << before;
  }
}

TEST_F(Compaction, UnallocatedStaysUnallocated) {
  CompactEnemies();
  CompactEnemyShots();
  CompactBlasts();
  EXPECT_FALSE(Enemies.Allocated());
  EXPECT_FALSE(EnemyShots.Allocated());
  EXPECT_FALSE(Blasts.Allocated());
}

TEST_F(Compaction, EntriesAppendedBehindDeadOnesMoveForwardNextTime) {
  Fill("..");
  Enemies.Append(Enemy('C'));
  CompactEnemies();
  EXPECT_EQ(Names(), "C");
}

TEST_F(Compaction, OnlyMinusOneIsAlive) {
  Fill("A.B");
  Enemies[1].Alive = 1;
  CompactEnemies();
  EXPECT_EQ(Names(), "B");
}

TEST_F(Compaction, EnemyShotsAndBlastsUseTheirOwnLiveTests) {
  for (Flag alive : {kFalse, kTrue, Flag{1}, kTrue}) {
    EnemyShots.Append().Alive = alive;
    EnemyShots[EnemyShots.UBound()].X = static_cast<float>(EnemyShots.UBound());
  }
  CompactEnemyShots();
  ASSERT_EQ(EnemyShots.UBound(), 2);
  EXPECT_EQ(EnemyShots[1].X, 2.0f);
  EXPECT_EQ(EnemyShots[2].X, 4.0f);

  for (int16_t countdown : {0, 1, -3, 24, 0})
    Blasts.Append(BlastRecord{1, Blasts.UBound(), 0, countdown});
  CompactBlasts();
  ASSERT_EQ(Blasts.UBound(), 2);
  EXPECT_EQ(Blasts[1], (BlastRecord{1, 1, 0, 1}));
  EXPECT_EQ(Blasts[2], (BlastRecord{1, 3, 0, 24}));
  Blasts[1].Countdown = Blasts[2].Countdown = 0;
  CompactBlasts();
  EXPECT_EQ(Blasts.UBound(), 2);  // all dead: kept as they are
}

}  // namespace
}  // namespace vormelda
