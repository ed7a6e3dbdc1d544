// The autoplay: at every tick it chooses only that tick's inputs, the keys a person has. To choose
// it saves the whole game state, replays candidate plans ahead on a muted platform, restores the
// state and takes the best plan's first step.
#pragma once

#include <bitset>
#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

#include "app/lookahead_platform.hpp"
#include "platform/headless_platform.hpp"
#include "platform/input_script.hpp"
#include "shell/game_state.hpp"

namespace vormelda {

struct AutoplayOptions {
  uint8_t framesPerSecond = 60;  // 75 starts with X, 100 with Z
  int games = 1;                 // then the window is closed at the title screen
  uint32_t seed = 1;
};

// What the autoplay saw of one game.
struct GameSummary {
  int32_t score = 0;
  int enemies = 0;
  int items = 0;
  int misses = 0;
  int bombs = 0;
  int64_t ticks = 0;
  bool ending = false;
};

class Autoplay {
 public:
  Autoplay(AutoplayOptions options, HeadlessPlatform& host, std::ostream& summary);

  // The input provider of the headless platform.
  InputLine Decide(int64_t tick);
  const std::vector<GameSummary>& Games() const { return games_; }

 private:
  struct Move {
    int8_t dx = 0, dy = 0;
    bool bomb = false;
  };
  struct Outcome {
    double value = 0;
    bool survived = true;
  };

  void Observe();
  void FinishGame();
  InputLine Play();
  Outcome Rollout(const std::vector<Move>& plan);
  static std::bitset<256> KeysOf(const Move& m);
  static InputLine ToInput(const Move& m);

  AutoplayOptions options_;
  HeadlessPlatform& host_;
  std::ostream& summary_;
  LookaheadPlatform lookahead_;
  GameState saved_;
  GameState previous_;
  std::string_view previousScene_ = "";
  bool inGame_ = false;
  int64_t gameTicks_ = 0;
  int64_t sceneTicks_ = 0;
  GameSummary current_;
  std::vector<GameSummary> games_;
  std::vector<Move> plan_;  // the best plan found last tick, to carry on with
};

}  // namespace vormelda
