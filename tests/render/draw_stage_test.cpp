#include "render/draw_stage.hpp"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "records/game_state.hpp"
#include "support/game_test.hpp"
#include "window/form_main.hpp"

namespace vormelda::testing {
namespace {

// The bomb masks read as the inverse of their position, so that mask and image tell apart.
uint32_t BombMask(int x, int y) {
  return 0xFF000000u | (~Coded(x, y) & 0x00FFFFFFu);
}

const Surface& BombImages() {
  static const Surface sheet = CodedSheet(2100, 2241);
  return sheet;
}

const Surface& BombMasks() {
  static const Surface sheet = [] {
    Surface s(2100, 2241);
    for (int y = 0; y < s.Height(); ++y) {
      for (int x = 0; x < s.Width(); ++x) s.Set(x, y, BombMask(x, y));
    }
    return s;
  }();
  return sheet;
}

class DrawStageTest : public GameTest {
 protected:
  void SetUp() override {
    NewShip(185, 410);
    FrameCount = 1000;
    BackSwitched = kTrue;
    frmMain.picMain.Image = Surface(420, 560);
    frmMain.picCharacter.Image = CodedSheet(760, 850);
    for (int i = 1; i <= 5; ++i) frmMain.PicBack[i].Image = CodedBackground(i);
  }
  static void UseBombSheets() {
    frmMain.PicBom[1].Image = BombImages();
    frmMain.PicBom[2].Image = BombMasks();
  }

  static uint32_t Field(int x, int y) { return frmMain.picMain.Image.At(x, y); }
  // The scenery: the lower piece at (0, s), PicBack(3) above it.
  static uint32_t Background(int y) {
    const int s = FrameCount % 560;
    if (y >= s) return BackPixel(IsTrue(BackSwitched) ? 3 : 2, y - s);
    return BackPixel(3, y - s + 560);
  }

  // Whether the w x h sprite with mask (mx, my) and image (ix, iy) lies at (x, y) right over the
  // background: its corners and middle are checked.
  static ::testing::AssertionResult Shows(int x, int y, int w, int h, int mx, int my, int ix,
                                          int iy) {
    const int points[5][2] = {{0, 0}, {w - 1, 0}, {0, h - 1}, {w - 1, h - 1}, {w / 2, h / 2}};
    for (const auto& p : points) {
      const int fx = x + p[0], fy = y + p[1];
      if (fx < 0 || fy < 0 || fx >= 420 || fy >= 560) continue;
      const uint32_t want = Masked(Background(fy), mx + p[0], my + p[1], ix + p[0], iy + p[1]);
      if (Field(fx, fy) != want) {
        return ::testing::AssertionFailure() << "at (" << fx << ", " << fy << ") 0x" << std::hex
                                             << Field(fx, fy) << " instead of 0x" << want;
      }
    }
    return ::testing::AssertionSuccess();
  }
  // Whether the background alone shows in the w x h block at (x, y).
  static ::testing::AssertionResult Bare(int x, int y, int w, int h) {
    for (int j = 0; j < h; ++j) {
      for (int i = 0; i < w; ++i) {
        if (Field(x + i, y + j) != Background(y + j)) {
          return ::testing::AssertionFailure() << "drawn at (" << x + i << ", " << y + j << ")";
        }
      }
    }
    return ::testing::AssertionSuccess();
  }
  static ::testing::AssertionResult ShowsShip(int maskX, int maskY, int imageX, int imageY) {
    return Shows(Player.X, Player.Y, 50, 50, maskX, maskY, imageX, imageY);
  }
};

TEST_F(DrawStageTest, SceneryScrollsAPixelAFrameAndSwitchesItsLowerPieceAt550) {
  BackSwitched = kFalse;
  struct Case {
    int32_t frame;
    int fieldY, piece, pieceY;
    Flag switched;
  };
  const Case cases[] = {
      {0, 0, 2, 0, kFalse},     {0, 559, 2, 559, kFalse}, {559, 559, 2, 0, kFalse},
      {559, 0, 3, 1, kFalse},   {560, 0, 2, 0, kFalse},   {549, 548, 3, 559, kFalse},
      {549, 549, 2, 0, kFalse}, {550, 550, 3, 0, kTrue},  {551, 551, 3, 0, kTrue},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "frame " << c.frame << " row " << c.fieldY);
    FrameCount = c.frame;
    DrawStage();
    EXPECT_EQ(Field(0, c.fieldY), BackPixel(c.piece, c.pieceY));
    EXPECT_EQ(Field(419, c.fieldY), BackPixel(c.piece, c.pieceY));
    EXPECT_EQ(BackSwitched, c.switched);
  }
  EXPECT_EQ(host().PresentCount(), 9);
}

TEST_F(DrawStageTest, BombPicturesFollowTheTimerTableAndTheSoundComesAt65) {
  UseBombSheets();
  struct Row {
    int lo, hi, x, y;
  };
  const Row table[] = {
      {116, 120, 0, 1},     {111, 115, 420, 1},  {106, 110, 840, 1},  {101, 105, 1260, 1},
      {96, 100, 1680, 1},   {91, 95, 0, 561},    {86, 90, 420, 561},  {81, 85, 840, 561},
      {76, 80, 1260, 561},  {71, 75, 840, 561},  {66, 70, 1260, 561}, {60, 65, 1680, 561},
      {54, 59, 0, 1121},    {48, 53, 420, 1121}, {42, 47, 840, 1121}, {36, 41, 1260, 1121},
      {30, 35, 1680, 1121}, {24, 29, 0, 1681},   {18, 23, 420, 1681}, {12, 17, 840, 1681},
      {6, 11, 1260, 1681},  {1, 5, 1680, 1681}};
  std::vector<int16_t> soundAt;
  for (const Row& row : table) {
    for (int16_t t = static_cast<int16_t>(row.hi); t >= row.lo; --t) {
      SCOPED_TRACE(t);
      BombTimer = t;
      DrawStage();
      EXPECT_EQ(BombTimer, t - 1);
      if (!SoundCommands().empty()) soundAt.push_back(t);
      const std::vector<std::string> sound = {"mciBom Prev", "mciBom Play"};
      EXPECT_EQ(SoundCommands(), t == 65 ? sound : std::vector<std::string>{});
      ClearLog();
      for (auto [x, y] : {std::pair{10, 10}, std::pair{419, 0}, std::pair{0, 559}}) {
        EXPECT_EQ(Field(x, y),
                  (Background(y) & BombMask(row.x + x, row.y + y)) | Coded(row.x + x, row.y + y));
      }
    }
  }
  EXPECT_EQ(soundAt, (std::vector<int16_t>{65}));

  // Ended: nothing more is drawn and the timer stays at 0.
  DrawStage();
  EXPECT_EQ(BombTimer, 0);
  EXPECT_EQ(Field(10, 10), Background(10));
}

TEST_F(DrawStageTest, BombBeforeItsPicturesStillClearsTheBullets) {
  UseBombSheets();
  BombTimer = 121;
  EnemyShots.Append(Bullet(1, 100, 100));
  DrawStage();
  EXPECT_EQ(BombTimer, 120);
  EXPECT_FALSE(EnemyShots.Allocated());
  EXPECT_TRUE(Bare(0, 0, 420, 120));
  EXPECT_TRUE(SoundCommands().empty());
}

TEST_F(DrawStageTest, BlastShowsEightPicturesThreeFramesEachAndLeavesTheListAtOnce) {
  Blasts.Append({1, 100, 100, 24});
  for (int column = 0; column < 8; ++column) {
    for (int frame = 0; frame < 3; ++frame) {
      SCOPED_TRACE(::testing::Message() << "column " << column << " frame " << frame);
      DrawStage();
      const int c = 50 * column;
      EXPECT_TRUE(Shows(100, 100, 50, 50, c, 406, c, 356));
    }
  }
  // The last one left is kept, dead, since compaction never empties a list.
  ASSERT_EQ(Blasts.UBound(), 1);
  EXPECT_EQ(Blasts[1].Countdown, 0);
  DrawStage();
  EXPECT_EQ(Blasts[1].Countdown, 0);
  EXPECT_TRUE(Bare(100, 100, 50, 50));

  Blasts.Erase();
  Blasts.Append({2, 100, 100, 1});
  Blasts.Append({3, 200, 200, 25});
  DrawStage();
  EXPECT_TRUE(Shows(100, 100, 50, 50, 350, 406, 350, 356));
  EXPECT_TRUE(Bare(200, 200, 50, 50));
  EXPECT_EQ(Blasts.Entries(), (std::vector<BlastRecord>{{3, 200, 200, 24}}));
}

TEST_F(DrawStageTest, PlayersExplosionRunsTwoFramesLateAndItsEndBringsTheNewShip) {
  Player.OnScreen = kFalse;
  MissBlastX = 100;
  MissBlastY = 100;
  struct Case {
    int16_t countdown;
    int column;  // -1: nothing
  };
  for (const Case& c : {Case{27, -1}, Case{26, 0}, Case{24, 0}, Case{23, 50}, Case{5, 350},
                        Case{3, 350}, Case{2, -1}}) {
    SCOPED_TRACE(c.countdown);
    MissCountdown = c.countdown;
    DrawStage();
    EXPECT_EQ(MissCountdown, c.countdown - 1);
    if (c.column < 0) {
      EXPECT_TRUE(Bare(100, 100, 50, 50));
    } else {
      EXPECT_TRUE(Shows(100, 100, 50, 50, c.column, 406, c.column, 356));
    }
    EXPECT_TRUE(Bare(Player.X, Player.Y, 50, 60));
    EXPECT_EQ(Player.OnScreen, kFalse);
  }

  Enemies.Append(Enemy(1, 300, 100));
  EnemyShots.Append(Bullet(1, 300, 200));
  Blasts.Append({1, 300, 300, 5});
  MissCountdown = 1;
  DrawStage();
  EXPECT_EQ(MissCountdown, 0);
  EXPECT_FALSE(Enemies.Allocated());
  EXPECT_FALSE(EnemyShots.Allocated());
  EXPECT_FALSE(Blasts.Allocated());
  EXPECT_EQ(Player.OnScreen, kTrue);
  EXPECT_TRUE(ShowsShip(26, 220, 26, 170));
  EXPECT_TRUE(Bare(300, 100, 35, 35));
  EXPECT_TRUE(Bare(300, 200, 10, 10));
  EXPECT_TRUE(Shows(300, 300, 50, 50, 300, 406, 300, 356));  // drawn before the lists emptied
}

TEST_F(DrawStageTest, ShipPictureFollowsTheBankAndTheFlameFlickersBySixFrames) {
  struct Case {
    int16_t bank;
    int x, y;  // image; the mask lies 50 below
  };
  const Case cases[] = {{-14, 486, 0},  {-13, 486, 0},  {-12, 436, 0}, {-8, 436, 0},
                        {-7, 386, 0},   {-3, 386, 0},   {-2, 26, 170}, {0, 26, 170},
                        {2, 26, 170},   {3, 386, 100},  {7, 386, 100}, {8, 436, 100},
                        {12, 436, 100}, {13, 486, 100}, {14, 486, 100}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.bank);
    Player.Bank = c.bank;
    DrawStage();
    EXPECT_TRUE(ShowsShip(c.x, c.y + 50, c.x, c.y));
  }
  for (int32_t frame = 1200; frame < 1212; ++frame) {
    SCOPED_TRACE(frame);
    FrameCount = frame;
    DrawStage();
    const int m = frame % 6;
    const int f = m < 2 ? 400 : m < 4 ? 420 : 440;
    // Its lower half: the ship covers the upper one.
    EXPECT_TRUE(Shows(Player.X + 15, Player.Y + 50, 20, 10, f, 742, f, 722));
  }
  Player.OnScreen = kFalse;
  DrawStage();
  EXPECT_TRUE(Bare(Player.X, Player.Y, 50, 60));
}

TEST_F(DrawStageTest, EnemiesFlashForOneFrameAfterAHit) {
  struct Case {
    uint8_t kind;
    int w, h, maskX, maskY, imageX, imageY, flashX, flashY;
  };
  const Case cases[] = {{1, 35, 35, 51, 35, 51, 0, 185, 642},
                        {2, 30, 50, 0, 120, 0, 70, 185, 592},
                        {3, 50, 50, 30, 120, 30, 70, 215, 592}};
  for (const Case& c : cases) {
    SCOPED_TRACE(int(c.kind));
    Enemies.Erase();
    Enemies.Append(Enemy(c.kind, 100.5f, 201.5f)).Flash = 1;
    DrawStage();
    EXPECT_TRUE(Shows(100, 202, c.w, c.h, c.maskX, c.maskY, c.flashX, c.flashY));
    EXPECT_EQ(Enemies[1].Flash, 0);
    DrawStage();
    EXPECT_TRUE(Shows(100, 202, c.w, c.h, c.maskX, c.maskY, c.imageX, c.imageY));
  }
  Enemies.Erase();
  Enemies.Append(Enemy(4, 100, 200)).Flash = 1;
  Enemies.Append(Enemy(1, 200, 200)).Alive = kFalse;
  DrawStage();
  EXPECT_EQ(Enemies[1].Flash, 1);
  EXPECT_TRUE(Bare(100, 200, 150, 50));
}

TEST_F(DrawStageTest, BulletPicturesCycleByStepOnlyWhileDrawn) {
  struct Case {
    uint8_t kind, step;
    int imageX, imageY;
    uint8_t next;
  };
  const Case cases[] = {
      {1, 0, 16, 212, 1},   {1, 1, 0, 170, 2},    {1, 2, 0, 170, 3},    {1, 3, 0, 190, 4},
      {1, 5, 16, 202, 6},   {1, 8, 0, 190, 9},    {1, 9, 0, 170, 10},   {1, 11, 16, 212, 12},
      {1, 14, 16, 222, 15}, {1, 15, 16, 212, 16}, {1, 16, 16, 212, 1},  {1, 200, 16, 212, 1},
      {2, 0, 64, 340, 1},   {2, 1, 10, 170, 2},   {2, 4, 0, 340, 5},    {2, 5, 16, 340, 6},
      {2, 8, 32, 340, 9},   {2, 9, 48, 340, 10},  {2, 11, 64, 340, 12}, {2, 12, 64, 340, 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "kind " << int(c.kind) << " step " << int(c.step));
    EnemyShots.Erase();
    EnemyShots.Append(Bullet(c.kind, 150.5f, 99.5f, 0, 0, 10, c.step));
    DrawStage();
    const int size = c.kind == 1 ? 10 : 16;
    EXPECT_TRUE(Shows(150, 100, size, size, c.kind == 1 ? 0 : 10, c.kind == 1 ? 180 : 186, c.imageX,
                      c.imageY));
    EXPECT_EQ(EnemyShots[1].Step, c.next);
  }
  EnemyShots.Erase();
  EnemyShots.Append(Bullet(3, 150, 100, 0, 0, 140, 5));
  EnemyShots.Append(Bullet(1, 250, 100, 0, 0, 10, 5)).Alive = kFalse;
  DrawStage();
  EXPECT_EQ(EnemyShots[1].Step, 5);
  EXPECT_EQ(EnemyShots[2].Step, 5);
  EXPECT_TRUE(Bare(150, 100, 120, 20));
}

TEST_F(DrawStageTest, ShotsAndItemsShowTheirPicturesAndDiagonalsOnlyAtPowerTwo) {
  CenterShots[4] = LiveShot(50, 100);
  LeftShots[2] = LiveShot(100, 100, -4, -14);
  RightShots[1] = LiveShot(150, 100, 4, -14);
  PowerItem = {250, 100, 0, 2, kTrue};
  BombItem = {300, 100, 0, 2, kTrue};
  DrawStage();
  EXPECT_TRUE(Shows(50, 100, 16, 35, 0, 237, 0, 202));
  EXPECT_TRUE(Bare(100, 100, 70, 35));
  EXPECT_TRUE(Shows(250, 100, 35, 35, 51, 270, 16, 270));
  EXPECT_TRUE(Shows(300, 100, 35, 35, 51, 305, 16, 305));

  Player.Power = 2;
  PowerItem.Alive = kFalse;
  DrawStage();
  EXPECT_TRUE(Shows(100, 100, 16, 35, 0, 237, 0, 272));
  EXPECT_TRUE(Shows(150, 100, 16, 35, 0, 237, 0, 272));
  EXPECT_TRUE(Bare(250, 100, 35, 35));
}

TEST_F(DrawStageTest, LaterStepsPaintOverEarlierOnes) {
  // Everything covers the field pixel (200, 200).
  Blasts.Append({1, 175, 175, 24});
  NewShip(175, 175);
  PowerItem = {183, 183, 0, 2, kTrue};
  Enemies.Append(Enemy(1, 183, 183));
  CenterShots[1] = LiveShot(192, 183);
  EnemyShots.Append(Bullet(1, 195, 195, 0, 0, 10, 1));
  DrawStage();
  uint32_t want = Background(200);
  want = Masked(want, 0 + 25, 406 + 25, 0 + 25, 356 + 25);    // blast
  want = Masked(want, 26 + 25, 220 + 25, 26 + 25, 170 + 25);  // ship
  want = Masked(want, 51 + 17, 270 + 17, 16 + 17, 270 + 17);  // power item
  want = Masked(want, 51 + 17, 35 + 17, 51 + 17, 0 + 17);     // enemy
  want = Masked(want, 0 + 8, 237 + 17, 0 + 8, 202 + 17);      // shot
  want = Masked(want, 0 + 5, 180 + 5, 0 + 5, 170 + 5);        // bullet
  EXPECT_EQ(Field(200, 200), want);
}

class StatusLine : public DrawStageTest {
 protected:
  static ::testing::AssertionResult ShowsPiece(int x, int width, int sheetX) {
    return Shows(x, 530, width, 29, sheetX, 269, sheetX, 240);
  }
  static ::testing::AssertionResult ShowsScore(const std::string& digits) {
    for (size_t i = 0; i < digits.size(); ++i) {
      const int d = digits[i] - '0';
      auto shown = ShowsPiece(302 + 18 * static_cast<int>(i + 1), 18, 86 + 18 * d);
      if (!shown) return shown << " (digit " << i + 1 << ")";
    }
    const int after = 302 + 18 * static_cast<int>(digits.size() + 1);
    return after < 420 ? Bare(after, 530, 1, 29) : ::testing::AssertionSuccess();
  }
};

TEST_F(StatusLine, ScoreShowsAtLeastFiveDigits) {
  for (auto [score, digits] :
       {std::pair{35450, "35450"}, std::pair{7, "00007"}, std::pair{0, "00000"},
        std::pair{123456, "123456"}, std::pair{99999, "99999"}}) {
    SCOPED_TRACE(score);
    Player.Score = score;
    DrawStage();
    EXPECT_TRUE(ShowsScore(digits));
    EXPECT_TRUE(Bare(300, 530, 20, 29));
  }
}

TEST_F(StatusLine, ShipsAndBombsGlyphsCountFromTheSameFour) {
  const int ships[5] = {473, 473, 491, 509, 473};
  const int bombs[5] = {473, 491, 509, 527, 473};
  for (uint8_t n = 0; n <= 4; ++n) {
    SCOPED_TRACE(int(n));
    Player.Lives = n;
    Player.Bombs = n;
    DrawStage();
    EXPECT_TRUE(ShowsPiece(5, 112, 266));
    EXPECT_TRUE(ShowsPiece(117, 18, ships[n]));
    EXPECT_TRUE(ShowsPiece(150, 95, 378));
    EXPECT_TRUE(ShowsPiece(245, 18, bombs[n]));
  }
}

}  // namespace
}  // namespace vormelda::testing
