// The autoplay: at every tick it chooses only that tick's inputs, the keys a person has. To choose
// it saves the whole game state, plays candidate plans ahead on the look-ahead platform, restores
// the state and takes the best plan's first step. The plans: the one it is playing, carried on;
// each of the nine moves held; the best three of those followed by every other move; and steering
// under each of the five most urgent enemies.
#pragma once

#include <cstdint>
#include <ostream>
#include <string_view>
#include <vector>

#include "app/lookahead_platform.hpp"
#include "platform/input_script.hpp"
#include "records/game_state.hpp"

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
  // host is the back end the game runs on, reinstalled after every look-ahead; a line of summary
  // is written for every game played.
  Autoplay(AutoplayOptions options, Platform& host, std::ostream& summary);

  // The inputs of this tick, chosen at its yield.
  InputLine Decide(int64_t tick);

 private:
  struct Move {
    int8_t dx = 0, dy = 0;
    bool bomb = false;
  };
  using Plan = std::vector<Move>;
  // What one frame of a rollout brought.
  struct Tally {
    int items = 0;
    int escaped = 0;
    int strikes = 0;
    double safety = 1e9;  // the nearest bullet seen along the plan
  };

  void Observe();
  void FinishGame();
  InputLine Play();
  Plan Search();
  // Plays a plan ahead and judges it. A chase plan (chase >= 0) is filled in as it is played:
  // each frame it steers under the chase-th most urgent enemy.
  double Rollout(Plan& plan, int chase = -1);
  // Plays one frame with the move's keys held; false when it ended the game.
  bool PlayFrame(const Move& m, bool boss, Tally& tally);
  static InputLine ToInput(const Move& m);

  AutoplayOptions options_;
  Platform& host_;
  std::ostream& summary_;
  LookaheadPlatform lookahead_;
  GameState saved_;
  GameState previous_;
  std::string_view previousScene_ = "";
  bool inGame_ = false;
  int64_t gameTicks_ = 0;
  int64_t sceneTicks_ = 0;
  GameSummary current_;
  int gamesPlayed_ = 0;
  Plan plan_;  // the best plan of the last search; its first move was played
};

}  // namespace vormelda
