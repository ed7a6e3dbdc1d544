#include "app/autoplay.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "boss/boss_driver.hpp"
#include "platform/keys.hpp"
#include "platform/mci_control.hpp"
#include "script/timetable.hpp"
#include "shell/form_main.hpp"
#include "shell/scene.hpp"
#include "stage/stage_driver.hpp"

namespace vormelda {

namespace {

constexpr int kFirstLeg = 6;    // frames the first move of a plan is held
constexpr int kSecondLeg = 18;  // frames of the move that follows it
constexpr double kDeath = -1e9;

bool InPlay(std::string_view scene) {
  return scene == "stage" || scene == "boss";
}

int LiveEnemies() {
  int live = 0;
  if (Enemies.Allocated()) {
    for (const EnemyRecord& e : Enemies.Entries()) live += IsTrue(e.Alive) ? 1 : 0;
  }
  return live;
}

// Blasts made this frame: the renderer has counted them down once.
int NewBlasts() {
  int fresh = 0;
  if (Blasts.Allocated()) {
    for (const BlastRecord& b : Blasts.Entries()) fresh += b.Kind <= 3 && b.Countdown == 23 ? 1 : 0;
  }
  return fresh;
}

double NearestBullet() {
  double nearest = 1e9;
  if (!EnemyShots.Allocated()) return nearest;
  const double sx = Player.X + 25, sy = Player.Y + 27;
  for (const EnemyShotRecord& s : EnemyShots.Entries()) {
    if (!IsTrue(s.Alive)) continue;
    const double half = s.Kind == 1 ? 5 : s.Kind == 2 ? 8 : 70;
    const double reach = s.Kind == 3 ? 60 : 0;
    const double dx = s.X + half - sx, dy = s.Y + half - sy;
    const double d = std::sqrt(dx * dx + dy * dy) - reach;
    nearest = std::min(nearest, d);
  }
  return nearest;
}

// Shots that struck something this frame: live before, freed now, and not by leaving the field
// (a centre shot that leaves is reset to (0, 0); a diagonal one stays where it left).
template <int N>
int Strikes(const OneBasedArray<ShotSlot, N>& before, const OneBasedArray<ShotSlot, N>& after,
            bool centre) {
  int strikes = 0;
  for (int i = 1; i <= N; ++i) {
    const ShotSlot& a = after[i];
    if (!IsTrue(before[i].Alive) || IsTrue(a.Alive)) continue;
    const bool left = centre ? a.X == 0 && a.Y == 0 : a.Y < -35 || a.X < -16 || a.X > 420;
    strikes += left ? 0 : 1;
  }
  return strikes;
}

double HalfWidth(const EnemyRecord& e) {
  return e.Kind == 1 ? 17.5 : e.Kind == 2 ? 15 : 25;
}

// Frames until an enemy is out of reach: past the bottom, or off a side on its first leg.
double FramesToLeave(const EnemyRecord& e) {
  double t = e.DY > 0 ? (560 - e.Y) / e.DY : 1e4;
  if (e.Kind == 1 && std::fabs(e.DX) >= 3 && e.Timer > 0) {
    const double side = e.DX > 0 ? (420 - e.X) / e.DX : (e.X + 35) / -e.DX;
    if (side < e.Timer) t = std::min(t, side);
  }
  return t;
}

bool Taken(const ItemRecord& before, const ItemRecord& after) {
  return IsTrue(before.Alive) && after.Alive == kFalse && after.Y <= 560;
}

// Restores the real run whatever a look-ahead did.
class LookaheadScope {
 public:
  LookaheadScope(Platform& lookahead, Platform& real) : real_(real) {
    std::swap(frmMain.picMain.Image, hidden_);  // nothing is drawn: every blit clips to nothing
    MciControl::Muted = true;
    SetHost(&lookahead);
  }
  ~LookaheadScope() {
    SetHost(&real_);
    MciControl::Muted = false;
    std::swap(frmMain.picMain.Image, hidden_);
  }
  LookaheadScope(const LookaheadScope&) = delete;
  LookaheadScope& operator=(const LookaheadScope&) = delete;

 private:
  Platform& real_;
  Surface hidden_;
};

}  // namespace

Autoplay::Autoplay(AutoplayOptions options, HeadlessPlatform& host, std::ostream& summary)
    : options_(options), host_(host), summary_(summary) {}

InputLine Autoplay::ToInput(const Move& m) {
  InputLine in;
  in.heldKeys.push_back(VK_X);
  if (m.dx < 0) in.heldKeys.push_back(VK_LEFT);
  if (m.dx > 0) in.heldKeys.push_back(VK_RIGHT);
  if (m.dy < 0) in.heldKeys.push_back(VK_UP);
  if (m.dy > 0) in.heldKeys.push_back(VK_DOWN);
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
  current_.items += Taken(previous_.PowerItem, PowerItem) ? 1 : 0;
  current_.items += Taken(previous_.BombItem, BombItem) ? 1 : 0;
  current_.bombs += previous_.BombTimer == 0 && BombTimer == 119 ? 1 : 0;
  current_.misses += previous_.MissCountdown == 0 && MissCountdown == 25 ? 1 : 0;
}

void Autoplay::FinishGame() {
  current_.ticks = gameTicks_;
  games_.push_back(current_);
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
    if (static_cast<int>(games_.size()) >= options_.games) {
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
  static constexpr int8_t kDirs[9][2] = {{0, 0},   {-1, 0}, {1, 0},  {0, -1}, {0, 1},
                                         {-1, -1}, {1, -1}, {-1, 1}, {1, 1}};
  saved_ = Game;
  std::vector<Move> best;
  double bestValue = -std::numeric_limits<double>::infinity();
  {
    LookaheadScope scope(lookahead_, host_);
    auto consider = [&](std::vector<Move> plan) {
      const Outcome o = Rollout(plan);
      if (o.value > bestValue) {
        bestValue = o.value;
        best = std::move(plan);
      }
      return o.value;
    };
    if (plan_.size() > 1) {
      std::vector<Move> carried(plan_.begin() + 1, plan_.end());
      carried.push_back(carried.back());
      consider(std::move(carried));
    }
    // Each move held throughout, then the best three first moves with every second move.
    std::vector<std::pair<double, int>> firsts;
    for (int d = 0; d < 9; ++d) {
      firsts.emplace_back(consider(std::vector<Move>(kFirstLeg + kSecondLeg,
                                                     Move{kDirs[d][0], kDirs[d][1], false})),
                          d);
    }
    std::sort(firsts.begin(), firsts.end(), std::greater<>());
    for (int k = 0; k < 3; ++k) {
      const int d = firsts[static_cast<size_t>(k)].second;
      for (int e = 0; e < 9; ++e) {
        if (e == d) continue;
        std::vector<Move> plan(kFirstLeg, Move{kDirs[d][0], kDirs[d][1], false});
        plan.insert(plan.end(), kSecondLeg, Move{kDirs[e][0], kDirs[e][1], false});
        consider(std::move(plan));
      }
    }
    // Only when every plan ends in a miss is a bomb worth its cost.
    if (bestValue <= kDeath / 2 && Player.Bombs >= 1 && BombTimer == 0) {
      for (const auto& first : kDirs) {
        std::vector<Move> plan(kFirstLeg + kSecondLeg, Move{first[0], first[1], false});
        plan[0].bomb = true;
        consider(std::move(plan));
      }
    }
  }
  Game = saved_;
  plan_ = best;
  return ToInput(best.front());
}

Autoplay::Outcome Autoplay::Rollout(const std::vector<Move>& plan) {
  Game = saved_;
  const bool boss = CurrentScene == "boss";
  const int32_t startScore = Player.Score;
  int items = 0, escaped = 0, strikes = 0;
  double safety = 1e9;
  int frames = 0;
  for (const Move& m : plan) {
    std::bitset<256> keys;
    keys.set(VK_X);
    if (m.dx < 0) keys.set(VK_LEFT);
    if (m.dx > 0) keys.set(VK_RIGHT);
    if (m.dy < 0) keys.set(VK_UP);
    if (m.dy > 0) keys.set(VK_DOWN);
    if (m.bomb) keys.set(VK_Z);
    lookahead_.Hold(keys);
    const ItemRecord power = PowerItem, bomb = BombItem;
    const auto centre = CenterShots;
    const auto left = LeftShots;
    const auto right = RightShots;
    const int liveBefore = boss ? 0 : LiveEnemies();
    const Formation* formation = boss ? nullptr : FormationAt(FrameCount);
    const int spawned = formation != nullptr ? static_cast<int>(formation->enemies.size()) : 0;
    if (boss) {
      BossPlayFrame();
    } else {
      StagePlayFrame();
    }
    ++FrameCount;
    ++frames;
    if (MissCountdown > 0) return {kDeath + frames * 1e6, false};
    items += (Taken(power, PowerItem) ? 1 : 0) + (Taken(bomb, BombItem) ? 1 : 0);
    strikes += Strikes(centre, CenterShots, true) + Strikes(left, LeftShots, false) +
               Strikes(right, RightShots, false);
    if (!boss) escaped += std::max(0, liveBefore + spawned - LiveEnemies() - NewBlasts());
    safety = std::min(safety, NearestBullet());
    if ((!boss && FrameCount == 8401) || (boss && IsTrue(BossStageOver))) break;
  }
  double value =
      (Player.Score - startScore) * 10.0 + items * 50000.0 - escaped * 30000.0 + strikes * 300.0;
  if (BombTimer > 0 && saved_.BombTimer == 0) value -= 2e5;
  value += Judge(frames, safety);
  return {value, true};
}

// How good the position at the end of a plan looks: under the most urgent enemy, near the items,
// low on the field and clear of bullets.
double Autoplay::Judge(int, double safety) const {
  const double sx = Player.X + 25, sy = Player.Y + 27;
  double value = std::min(safety, 40.0) * 50.0;
  const bool boss = CurrentScene == "boss";
  if (boss) {
    // Closer under the boss, the shots land sooner and more volleys fly.
    if (IsTrue(BossAlive)) value -= std::fabs(sx - (BossX + 150)) * 2.0;
    value -= std::fabs(Player.Y - 300) * 0.5;
  } else {
    // Under the enemy about to get out of reach first, and drawn a little towards the others.
    const EnemyRecord* target = nullptr;
    double soonest = 1e9;
    if (Enemies.Allocated()) {
      for (const EnemyRecord& e : Enemies.Entries()) {
        if (!IsTrue(e.Alive) || e.Y < -30 || e.X < -30 || e.X > 415) continue;
        const double t = FramesToLeave(e);
        value -= std::fabs(sx - (e.X + HalfWidth(e))) * 60.0 / (60.0 + t);
        if (t < soonest) soonest = t, target = &e;
      }
    }
    if (target != nullptr) {
      const double half = HalfWidth(*target);
      value -= std::fabs(sx - (target->X + half)) * 4.0;
      const double below = target->Y + 2 * half + 60;
      if (sy < below) value -= (below - sy) * 2.0;
    }
    value -= std::fabs(Player.Y - 420) * 0.5;
  }
  for (const ItemRecord* item : {&PowerItem, &BombItem}) {
    if (IsTrue(item->Alive) && item->Y > -35) {
      value -= std::hypot(item->X + 17.5 - (Player.X + 25), item->Y + 17.5 - (Player.Y + 25)) * 12;
    }
  }
  return value;
}

}  // namespace vormelda
