#include "script/timetable.hpp"

#include <cstddef>
#include <initializer_list>

#include "platform/geometry.hpp"

namespace vormelda {

namespace {

ValueSpec Fixed(float v) {
  return {ValueSpec::Type::Fixed, v, 0, 0};
}
ValueSpec Between(int16_t lo, int16_t hi) {
  return {ValueSpec::Type::RandomInt, 0, lo, hi};
}
ValueSpec TimesSign(float k) {
  return {ValueSpec::Type::TimesSign, k, 0, 0};
}

EnemySpec Fighter(ValueSpec x, ValueSpec dx, float dy, int32_t timer, int16_t fire = 10,
                  int16_t y = -35) {
  return {1, x, y, dx, dy, timer, fire};
}
EnemySpec Fighter(float x, float dx, float dy, int32_t timer, int16_t fire = 10, int16_t y = -35) {
  return Fighter(Fixed(x), Fixed(dx), dy, timer, fire, y);
}
EnemySpec Dropper(ValueSpec x, float dy, int32_t timer) {
  return {2, x, -50, Fixed(0), dy, timer, 10};
}
EnemySpec Dropper(float x, float dy, int32_t timer) {
  return Dropper(Fixed(x), dy, timer);
}
EnemySpec Gunship(float x, int16_t fire = 20) {
  return {3, Fixed(x), -50, Fixed(0), 1, 0, fire};
}

Formation One(EnemySpec e) {
  return {{e}, false, 1};
}
Formation Loop(std::initializer_list<EnemySpec> es, int16_t first = 1) {
  return {es, true, first};
}

std::vector<EventFrame> Frames(std::initializer_list<int32_t> frames) {
  std::vector<EventFrame> out;
  for (int32_t f : frames) out.push_back({f, 0});
  return out;
}
std::vector<EventFrame> Every(int32_t first, int32_t last, int32_t step, int32_t except = -1) {
  std::vector<EventFrame> out;
  for (int32_t f = first; f <= last; f += step) {
    if (f != except) out.push_back({f, 0});
  }
  return out;
}

EventGroup Group(int row, std::vector<EventFrame> frames, std::vector<Formation> formations) {
  return {row, std::move(frames), std::move(formations)};
}

// Frames whose formation alternates: the first listed frame takes formation 0, the next 1, ...
std::vector<EventFrame> Alternating(std::initializer_list<int32_t> frames, uint8_t kinds) {
  std::vector<EventFrame> out;
  uint8_t i = 0;
  for (int32_t f : frames) out.push_back({f, static_cast<uint8_t>(i++ % kinds)});
  return out;
}

// Row 34: one fighter every 18 frames whose start walks right to left across the field and
// back; frame 5780 has none.
EventGroup Sweep() {
  EventGroup g{34, {}, {}};
  for (int32_t f = 5618; f <= 5996; f += 18) {
    if (f == 5780) continue;
    float x = f <= 5798 ? static_cast<float>(385 - 35 * (f - 5600) / 18)
                        : static_cast<float>(35 * (f - 5798) / 18);
    float dx = f <= 5690 || f >= 5924 ? -1.0f : 1.0f;
    g.frames.push_back({f, static_cast<uint8_t>(g.formations.size())});
    g.formations.push_back(One(Fighter(x, dx, 2, 32)));
  }
  return g;
}

// The formations several rows share.
Formation FromRight() {
  return One(Fighter(kFieldWidth, -4, 1.2f, 100, 10, 35));
}
Formation FromLeft() {
  return One(Fighter(-35, 4, 1.2f, 100, 10, 35));
}
Formation PairFromSides() {
  return Loop({Fighter(-35, 1.5f, 1, 59), Fighter(kFieldWidth, -1.5f, 1, 59)});
}
Formation EdgeDroppers() {
  return Loop({Dropper(0, 1, 50), Dropper(390, 1, 50)});
}
Formation RandomFighter(int16_t lo, int16_t hi, int32_t timer = 32) {
  return One(Fighter(Between(lo, hi), TimesSign(2), 2, timer));
}
Formation FastPair() {
  return Loop({Fighter(Between(0, 175), Fixed(2), 4.5f, 32, 100),
               Fighter(Between(210, 385), Fixed(-2), 4.5f, 32, 100)});
}
Formation GunPair(float a, float b) {
  return Loop({Gunship(a), Gunship(b)});
}

// Rows 1 to 20: fighters from above and from the sides, the first droppers.
void OpeningRows(std::vector<EventGroup>& t) {
  t.push_back(Group(1, Frames({400, 450, 500}), {One(Fighter(100, 2, 2, 32))}));
  t.push_back(Group(2, Frames({650, 700, 750}), {One(Fighter(285, -2, 2, 32))}));
  t.push_back(Group(3, Frames({890, 910}), {RandomFighter(129, 256)}));
  t.push_back(Group(4, Frames({1030, 1050}), {RandomFighter(197, 325)}));
  t.push_back(Group(5, Frames({1170, 1190}), {RandomFighter(60, 188)}));
  t.push_back(
      Group(6, Frames({1350}),
            {Loop({Fighter(105, -2, 2, 32), Fighter(210, -2, 2, 32), Fighter(315, -2, 2, 32)})}));
  t.push_back(Group(7, Frames({1468}), {PairFromSides()}));
  t.push_back(Group(8, Frames({1600}), {EdgeDroppers()}));
  t.push_back(Group(9, Alternating({2000, 2030}, 2), {FromRight(), FromLeft()}));
  t.push_back(Group(10, Frames({2120}), {One(Dropper(Between(209, 210), 2.5f, 25))}));
  t.push_back(Group(11, Alternating({2220, 2250}, 2), {FromRight(), FromLeft()}));
  t.push_back(Group(12, Frames({2340}), {One(Dropper(390, 2.5f, 25))}));
  t.push_back(Group(13, Alternating({2420, 2450}, 2), {FromRight(), FromLeft()}));
  t.push_back(Group(14, Every(2600, 2680, 20), {RandomFighter(197, 325)}));
  {
    // At 2890 a dropper follows the row's fighter.
    EventGroup g = Group(15, Every(2850, 2930, 20), {RandomFighter(197, 325)});
    Formation withDropper = RandomFighter(197, 325);
    withDropper.enemies.push_back(Dropper(20, 2.5f, 25));
    g.formations.push_back(withDropper);
    for (EventFrame& f : g.frames) f.formation = f.frame == 2890 ? 1 : 0;
    t.push_back(g);
  }
  t.push_back(Group(16, Frames({3010}), {One(Dropper(20, 2.5f, 25))}));
  t.push_back(Group(17, Every(3050, 3130, 20), {RandomFighter(60, 188)}));
  t.push_back(Group(18, Frames({3250, 3290, 3330}), {One(Dropper(20, 2.5f, 25))}));
  t.push_back(Group(19, Frames({3400, 3420, 3440}), {One(Dropper(370, 3, 55))}));
  t.push_back(Group(
      20, Alternating({3600, 3620, 3640, 3660, 3680, 3700}, 2),
      {One(Fighter(-35, 4, 1.5f, 200, 10, 35)), One(Fighter(kFieldWidth, -4, 1.5f, 200, 10, 35))}));
}

// Rows 21 to 47: the gunships, the sweep, the fast pairs and the last stretch.
void ClosingRows(std::vector<EventGroup>& t) {
  t.push_back(Group(21, Frames({3850}), {GunPair(235, 135)}));
  t.push_back(Group(22, Frames({3950}), {GunPair(235, 135)}));
  t.push_back(Group(23, Frames({4075}), {GunPair(285, 85)}));
  t.push_back(Group(24, Frames({4200}), {GunPair(285, 85)}));
  t.push_back(Group(25, Frames({4260}), {PairFromSides()}));
  t.push_back(Group(26, Frames({4410}), {GunPair(321, 49)}));
  t.push_back(Group(27, Frames({4940, 4960}), {EdgeDroppers()}));
  t.push_back(Group(28, Frames({4950, 4970, 4990}), {One(Fighter(195, 2, 2, 32))}));
  t.push_back(Group(29, Frames({5200, 5220, 5240}),
                    {Loop({Fighter(60, 2, 2, 32), Fighter(325, -2, 2, 32)})}));
  t.push_back(Group(30, Every(5300, 5390, 18), {One(Fighter(kFieldWidth, -4, 1.5f, 200))}));
  t.push_back(Group(31, Frames({5301}), {One(Dropper(20, 2.5f, 25))}));
  t.push_back(Group(32, Frames({5440}), {One(Gunship(85))}));
  t.push_back(Group(33, Every(5450, 5550, 20), {RandomFighter(197, 325, 30)}));
  t.push_back(Sweep());
  t.push_back(Group(35, Frames({6100}),
                    {Loop({Dropper(0, 2.5f, 20), Dropper(128, 2.5f, 20), Dropper(256, 2.5f, 20),
                           Dropper(384, 2.5f, 20)},
                          0)}));
  t.push_back(Group(36, Frames({6200}), {One(Gunship(185))}));
  t.push_back(Group(37, Frames({6210, 6225, 6240}), {FastPair()}));
  t.push_back(Group(38, Frames({6250}), {GunPair(285, 85)}));
  t.push_back(Group(39, Frames({6350, 6365, 6380}), {FastPair()}));
  // Descending from -50 at 1 a frame they leave the field before their first shot.
  t.push_back(
      Group(40, Frames({6420}),
            {Loop({Gunship(0, 620), Gunship(50, 620), Gunship(320, 620), Gunship(370, 620)})}));
  t.push_back(Group(41, Frames({6475, 6510}),
                    {Loop({Fighter(-35, 1, 1, 80), Fighter(kFieldWidth, -1, 1, 80)})}));
  t.push_back(Group(42, Frames({6800, 7000}), {One(Gunship(185))}));
  t.push_back(Group(43, Frames({6825, 6925, 7025, 7125}), {One(Dropper(Between(0, 390), 1, 50))}));
  t.push_back(Group(44, Every(6850, 7290, 40), {RandomFighter(64, 321)}));
  t.push_back(Group(45, Frames({7500, 7700}), {One(Gunship(185))}));
  t.push_back(Group(46, Frames({7525, 7625, 7725}),
                    {Loop({Dropper(Between(0, 180), 1, 50), Dropper(Between(180, 390), 1, 50)})}));
  // The series has no pair at 7710, where its step would put one.
  t.push_back(Group(47, Every(7550, 7910, 40, 7710),
                    {Loop({Fighter(Between(0, 175), Fixed(2), 2, 32),
                           Fighter(Between(210, 385), Fixed(-2), 2, 32)})}));
}

std::vector<EventGroup> Build() {
  std::vector<EventGroup> t;
  OpeningRows(t);
  ClosingRows(t);
  return t;
}

// The formation of every frame up to the last that has one, for a lookup in one step.
std::vector<const Formation*> BuildLookup(const std::vector<EventGroup>& table) {
  std::vector<const Formation*> byFrame;
  for (const EventGroup& g : table) {
    for (const EventFrame& f : g.frames) {
      if (f.frame < 0) continue;
      const auto at = static_cast<size_t>(f.frame);
      if (at >= byFrame.size()) byFrame.resize(at + 1, nullptr);
      if (byFrame[at] == nullptr) byFrame[at] = &g.formations[f.formation];
    }
  }
  return byFrame;
}

}  // namespace

const std::vector<EventGroup>& StageTimetable() {
  static const std::vector<EventGroup> table = Build();
  return table;
}

const Formation* FormationAt(int32_t frame) {
  static const std::vector<const Formation*> byFrame = BuildLookup(StageTimetable());
  if (frame < 0 || static_cast<size_t>(frame) >= byFrame.size()) return nullptr;
  return byFrame[static_cast<size_t>(frame)];
}

}  // namespace vormelda
