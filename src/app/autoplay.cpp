#include "app/autoplay.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "app/autoplay_judge.hpp"
#include "boss/boss_driver.hpp"
#include "platform/keys.hpp"
#include "records/scene.hpp"
#include "script/timetable.hpp"
#include "stage/stage_driver.hpp"
#include "window/form_main.hpp"

namespace vormelda {

namespace {

constexpr int kFirstLeg = 6;     // frames the first move of a plan is held
constexpr int kSecondLeg = 18;   // frames of the move that follows it
constexpr int kTail = 24;        // frames the last move is held on after the plan
constexpr int kSecondMoves = 3;  // the best first moves tried with every second move
constexpr int kChasers = 5;      // plans steering under each of the most urgent enemies
constexpr double kDeath = -1e9;
constexpr double kTailMiss = 1e5;  // a miss after the plan: the plan leads somewhere bad

// The eight directions and standing still.
constexpr int8_t kDirections[9][2] = {{0, 0},   {-1, 0}, {1, 0},  {0, -1}, {0, 1},
                                      {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};

bool InPlay(std::string_view scene) {
  return scene == "stage" || scene == "boss";
}

// Installs the look-ahead platform, and restores the real one with the scene and the window's
// flags whatever a look-ahead did (the game state itself is restored by the caller).
class LookaheadScope {
 public:
  LookaheadScope(Platform& lookahead, Platform& real)
      : real_(real), scene_(CurrentScene), tag_(frmMain.Tag), keyPreview_(frmMain.KeyPreview) {
    SetHost(&lookahead);
  }
  ~LookaheadScope() {
    SetHost(&real_);
    CurrentScene = scene_;
    frmMain.Tag = tag_;
    frmMain.KeyPreview = keyPreview_;
  }
  LookaheadScope(const LookaheadScope&) = delete;
  LookaheadScope& operator=(const LookaheadScope&) = delete;

 private:
  Platform& real_;
  std::string_view scene_;
  std::string tag_;
  bool keyPreview_;
};

}  // namespace

Autoplay::Autoplay(AutoplayOptions options, Platform& host, std::ostream& summary)
    : options_(options), host_(host), summary_(summary) {}

InputLine Autoplay::ToInput(const Move& m) {
  // Held keys in the order of their codes, as a recording names them.
  InputLine in;
  if (m.dx < 0) in.heldKeys.push_back(VK_LEFT);
  if (m.dy < 0) in.heldKeys.push_back(VK_UP);
  if (m.dx > 0) in.heldKeys.push_back(VK_RIGHT);
  if (m.dy > 0) in.heldKeys.push_back(VK_DOWN);
  in.heldKeys.push_back(VK_X);
  if (m.bomb) in.heldKeys.push_back(VK_Z);
  return in;
}

void Autoplay::Observe() {
  const std::string_view scene = CurrentScene;
  if (!inGame_) return;
  ++gameTicks_;
  if (scene == "ending") current_.ending = true;
  if (InPlay(scene) || scene == "flyout") current_.score = Player.Score;
  if (!InPlay(scene)) return;
  current_.enemies += FrameCount <= 8401 && scene == "stage" ? NewBlasts() : 0;
  current_.items += ItemTakenBetween(previous_.PowerItem, PowerItem) ? 1 : 0;
  current_.items += ItemTakenBetween(previous_.BombItem, BombItem) ? 1 : 0;
  current_.bombs += previous_.BombTimer == 0 && BombTimer == 119 ? 1 : 0;
  current_.misses += previous_.MissCountdown == 0 && MissCountdown == 25 ? 1 : 0;
}

void Autoplay::FinishGame() {
  current_.ticks = gameTicks_;
  ++gamesPlayed_;
  const GameSummary& g = current_;
  summary_ << "autoplay seed=" << options_.seed << " fps=" << int(options_.framesPerSecond)
           << " score=" << g.score << " enemies=" << g.enemies << " items=" << g.items
           << " misses=" << g.misses << " bombs=" << g.bombs << " ticks=" << g.ticks
           << " ending=" << (g.ending ? "yes" : "no") << std::endl;
  inGame_ = false;
}

InputLine Autoplay::Decide(int64_t) {
  const std::string_view scene = CurrentScene;
  const bool sceneChanged = scene != previousScene_;
  sceneTicks_ = sceneChanged ? 0 : sceneTicks_ + 1;
  if (sceneChanged && (scene == "intro" || (scene == "boss" && !inGame_))) {
    inGame_ = true;
    current_ = {};
    gameTicks_ = 0;
    plan_.clear();
  }
  Observe();
  if (sceneChanged && scene == "title" && inGame_) FinishGame();

  InputLine in;
  if (scene == "title") {
    if (gamesPlayed_ >= options_.games) {
      in.close = true;
    } else {
      const int key = options_.framesPerSecond == 100  ? VK_Z
                      : options_.framesPerSecond == 75 ? VK_X
                                                       : VK_RETURN;
      in.tappedKeys.push_back(key);
    }
  } else if (scene == "gameover") {
    in.tappedKeys.push_back(VK_RETURN);
  } else if (scene == "ending") {
    if (sceneTicks_ >= 90) in.tappedKeys.push_back(VK_RETURN);
  } else if (InPlay(scene)) {
    in = Play();
  }
  previous_ = Game;
  previousScene_ = scene;
  return in;
}

InputLine Autoplay::Play() {
  plan_ = Search();
  return ToInput(plan_.front());
}

Autoplay::Plan Autoplay::Search() {
  saved_ = Game;
  Plan best;
  double bestValue = -std::numeric_limits<double>::infinity();
  {
    LookaheadScope scope(lookahead_, host_);
    auto consider = [&](Plan plan, int chase = -1) {
      const double value = Rollout(plan, chase);
      if (value > bestValue) {
        bestValue = value;
        best = std::move(plan);
      }
      return value;
    };
    auto twoLegs = [](const int8_t* first, const int8_t* second, int firstFrames) {
      Plan plan(firstFrames, Move{first[0], first[1], false});
      plan.insert(plan.end(), kFirstLeg + kSecondLeg - firstFrames,
                  Move{second[0], second[1], false});
      return plan;
    };
    // The plan played so far, carried on with its last move.
    if (plan_.size() > 1) {
      Plan carried(plan_.begin() + 1, plan_.end());
      carried.push_back(carried.back());
      consider(std::move(carried));
    }
    // Each move held throughout, then the best first moves with every second move.
    std::vector<std::pair<double, int>> firsts;
    for (int d = 0; d < 9; ++d) {
      firsts.emplace_back(consider(twoLegs(kDirections[d], kDirections[d], kFirstLeg)), d);
    }
    std::sort(firsts.begin(), firsts.end(), std::greater<>());
    for (int k = 0; k < kSecondMoves; ++k) {
      const int d = firsts[static_cast<size_t>(k)].second;
      for (int e = 0; e < 9; ++e) {
        if (e != d) consider(twoLegs(kDirections[d], kDirections[e], kFirstLeg));
      }
    }
    // Steering under each of the most urgent enemies, frame by frame.
    if (CurrentScene == "stage") {
      for (int rank = 0; rank < kChasers; ++rank) consider(Plan(kFirstLeg + kSecondLeg), rank);
    }
    // Only when every plan ends in a miss is a bomb worth its cost.
    if (bestValue <= kDeath / 2 && Player.Bombs >= 1 && BombTimer == 0) {
      for (const auto& d : kDirections) {
        Plan plan = twoLegs(d, d, kFirstLeg);
        plan[0].bomb = true;
        consider(std::move(plan));
      }
    }
  }
  Game = saved_;
  return best;
}

bool Autoplay::PlayFrame(const Move& m, bool boss, Tally& tally) {
  lookahead_.Hold(ToInput(m));
  const ItemRecord power = PowerItem, bomb = BombItem;
  const auto centre = CenterShots;
  const auto left = LeftShots;
  const auto right = RightShots;
  const int liveBefore = boss ? 0 : LiveEnemies();
  const Formation* formation = boss ? nullptr : FormationAt(FrameCount);
  const int spawned = formation != nullptr ? static_cast<int>(formation->enemies.size()) : 0;
  try {
    if (boss) {
      BossPlayFrame();
    } else {
      StagePlayFrame();
    }
  } catch (const LookaheadPlatform::LeftPlay&) {
    return false;  // the game is over
  }
  ++FrameCount;
  if (MissCountdown > 0) return true;  // the caller judges the miss
  tally.items +=
      (ItemTakenBetween(power, PowerItem) ? 1 : 0) + (ItemTakenBetween(bomb, BombItem) ? 1 : 0);
  tally.items -=
      (ItemDroppedBetween(power, PowerItem) ? 1 : 0) + (ItemDroppedBetween(bomb, BombItem) ? 1 : 0);
  tally.strikes += Strikes(centre, CenterShots, true) + Strikes(left, LeftShots, false) +
                   Strikes(right, RightShots, false);
  if (!boss) tally.escaped += std::max(0, liveBefore + spawned - LiveEnemies() - NewBlasts());
  return true;
}

double Autoplay::Rollout(Plan& plan, int chase) {
  Game = saved_;
  const bool boss = CurrentScene == "boss";
  const int32_t startScore = Player.Score;
  const int planFrames = static_cast<int>(plan.size());
  Tally tally;
  double value = 0;
  Move chaseLast;
  // The plan, then its last move held on: what the shots already flying and the ship's drift
  // bring in later counts too, though the position is judged where the plan ends.
  for (int step = 0; step < planFrames + kTail; ++step) {
    const bool inTail = step >= planFrames;
    Move m = plan[static_cast<size_t>(std::min(step, planFrames - 1))];
    if (chase >= 0) {
      if (const EnemyRecord* e = UrgentEnemy(chase)) {
        const auto [dx, dy] = StepUnder(*e);
        m = Move{static_cast<int8_t>(dx), static_cast<int8_t>(dy), false};
      } else if (step > 0) {
        m = chaseLast;
      }
      chaseLast = m;
      if (!inTail) plan[static_cast<size_t>(step)] = m;
    }
    if (inTail) m.bomb = false;
    if (!PlayFrame(m, boss, tally)) return kDeath;  // a game over is the worst there is
    if (MissCountdown > 0) {
      if (!inTail) return kDeath + (step + 1) * 1e6;
      value -= kTailMiss;
      break;
    }
    if (!inTail) tally.safety = std::min(tally.safety, NearestBullet());
    const bool over = (!boss && FrameCount == 8401) || (boss && IsTrue(BossStageOver));
    if (step + 1 == planFrames || (over && !inTail)) value += JudgePosition(tally.safety);
    if (over) break;
  }
  if (!boss) tally.escaped += EnemiesOutOfReach();
  tally.items -= ItemsOutOfReach();
  value += (Player.Score - startScore) * 10.0 + tally.items * 50000.0 - tally.escaped * 30000.0 +
           tally.strikes * 300.0;
  if (BombTimer > 0 && saved_.BombTimer == 0) value -= 2e5;
  return value;
}

}  // namespace vormelda
