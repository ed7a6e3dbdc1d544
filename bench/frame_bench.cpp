// One whole play frame at a busy moment, for both stages: every step and the drawing of the frame.
#include <benchmark/benchmark.h>

#include "boss/boss_driver.hpp"
#include "platform/headless_platform.hpp"
#include "records/game_state.hpp"
#include "stage/stage_driver.hpp"
#include "window/form_main.hpp"

namespace {

using namespace vormelda;

// Pictures of the sizes the game loads; their content does not change the work.
void GivePictures() {
  frmMain.picMain.Image = Surface(420, 560);
  frmMain.picCharacter.Image = Surface(760, 850, 0xFF808080u);
  for (int i = 1; i <= 5; ++i) frmMain.PicBack[i].Image = Surface(420, 560, 0xFF203040u);
  frmMain.PicBom[1].Image = Surface(2100, 2241, 0xFF404040u);
  frmMain.PicBom[2].Image = Surface(2100, 2241, 0xFFFFFFFFu);
  frmMain.picBossBlast.Image = Surface(2400, 1600, 0xFF402010u);
}

// A fresh game with a powered-up ship and six centre shots in flight; setUp adds the rest.
template <typename SetUp, typename Frame>
void RunBusyFrame(benchmark::State& state, SetUp setUp, Frame frame) {
  HeadlessPlatform host({});
  SetHost(&host);
  GivePictures();
  Game = {};
  Player = PlayerRecord{185, 410, 2, 0, 0, 0, 0, 0, 3, 2, 0, kTrue};
  ResetShotSlots();
  for (int i = 1; i <= 6; ++i) CenterShots[i] = ShotSlot{60 * i, 100 + 40 * i, 0, -15, kTrue};
  setUp();
  const GameState busy = Game;
  for (auto _ : state) {
    Game = busy;
    frame();
    benchmark::DoNotOptimize(Game.Player.Score);
  }
  SetHost(nullptr);
}

void BM_StageFrame(benchmark::State& state) {
  RunBusyFrame(
      state,
      [] {
        FrameCount = 5000;
        for (int i = 0; i < 30; ++i) {
          const auto kind = static_cast<uint8_t>(1 + i % 3);
          Enemies.Append(
              {kind, 0, 10.0f + 13 * i, 20.0f + 9 * i, 0, 0, 1, 1, 25, 5, 20, 100, kTrue});
        }
        for (int i = 0; i < 150; ++i) {
          EnemyShots.Append({static_cast<uint8_t>(1 + i % 2), static_cast<uint8_t>(1 + i % 15),
                             2.8f * i, 3.1f * (i % 120), 10, 10, 0.5f, 2, kTrue});
        }
        for (int i = 0; i < 10; ++i)
          Blasts.Append({1, 40 * i, 30 * i, static_cast<int16_t>(24 - i)});
      },
      StagePlayFrame);
}
BENCHMARK(BM_StageFrame);

// A running bomb clears the bullets every frame: measured apart from the bullet-laden frame.
void BM_StageFrameDuringBomb(benchmark::State& state) {
  RunBusyFrame(
      state,
      [] {
        FrameCount = 5000;
        BombTimer = 90;
        for (int i = 0; i < 30; ++i) {
          Enemies.Append({1, 0, 10.0f + 13 * i, 20.0f + 9 * i, 0, 0, 1, 1, 3, 5, 20, 100, kTrue});
        }
      },
      StagePlayFrame);
}
BENCHMARK(BM_StageFrameDuringBomb);

// Second-phase fans, large balls, the final explosion and a bomb all at once.
void BM_BossFrame(benchmark::State& state) {
  RunBusyFrame(
      state,
      [] {
        ResetBoss();
        BossY = 25;
        BossHP = 1000;
        BossRage = kTrue;
        FrameCount = 9240;  // a second-phase fan is due
        BombTimer = 30;
        for (int i = 0; i < 3; ++i) {
          EnemyShots.Append({3, 0, 100.0f * i, 50.0f * i, 140, 160, 1, 3, kTrue});
        }
        Blasts.Append({4, 60, 25, 40});
      },
      BossPlayFrame);
}
BENCHMARK(BM_BossFrame);

}  // namespace
