#include "support/game_test.hpp"

#include "platform/input_script.hpp"
#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "window/form_main.hpp"
#include "window/launch.hpp"

namespace vormelda::testing {

namespace {

// Long enough for every test; a loop that never ends closes the window instead of hanging.
constexpr int64_t kTickLimit = 20000;

std::unique_ptr<HeadlessPlatform> MakeHost(HeadlessOptions options, std::ostream* log) {
  if (options.log == nullptr) options.log = log;
  if (options.ticks < 0) options.ticks = kTickLimit;
  return std::make_unique<HeadlessPlatform>(std::move(options));
}

// The window emptied and the game as a fresh program has it, out of sight of any test's log.
void ResetProgram() {
  HeadlessPlatform quiet({});
  SetHost(&quiet);
  frmMain.Reset();
  SetHost(nullptr);
  Game = {};
  Game.Random.Seed(20261209);
  Launch = {};
  CurrentScene = "loading";
}

}  // namespace

GameTest::GameTest() {
  StartHost();
}

GameTest::~GameTest() {
  ResetProgram();
  Game = {};
}

HeadlessPlatform& GameTest::StartHost(HeadlessOptions options) {
  ResetProgram();
  host_ = MakeHost(std::move(options), &log_);
  SetHost(host_.get());
  ClearLog();
  return *host_;
}

void GameTest::UseInput(std::string_view script) {
  HeadlessOptions options;
  std::istringstream in{std::string(script)};
  options.input = ParseInputScript(in);
  auto next = MakeHost(std::move(options), &log_);
  SetHost(next.get());
  host_ = std::move(next);
}

void GameTest::Yield() {
  host_->PumpEvents(frmMain);
}

void GameTest::NewShip(int32_t x, int32_t y) {
  Player.X = x;
  Player.Y = y;
  Player.Power = 1;
  Player.Bank = 0;
  Player.CenterCooldown1 = Player.CenterCooldown2 = 0;
  Player.LeftCooldown = Player.RightCooldown = 0;
  Player.Lives = 3;
  Player.Bombs = 2;
  Player.OnScreen = kTrue;
  for (ShotSlot& s : CenterShots) s = ShotSlot{0, 0, 0, -10, kFalse};
  for (ShotSlot& s : LeftShots) s = ShotSlot{0, 0, -4, -14, kFalse};
  for (ShotSlot& s : RightShots) s = ShotSlot{0, 0, 4, -14, kFalse};
}

std::vector<std::string> GameTest::SoundCommands() const {
  std::vector<std::string> out;
  std::istringstream lines(log_.str());
  std::string line;
  while (std::getline(lines, line)) {
    // "TICK sound HOLDER COMMAND"
    auto at = line.find(" sound ");
    if (at != std::string::npos) out.push_back(line.substr(at + 7));
  }
  return out;
}

std::vector<std::string> GameTest::SoundCommands(std::string_view holder) const {
  std::vector<std::string> out;
  const std::string prefix = std::string(holder) + " ";
  for (const std::string& c : SoundCommands()) {
    if (c.rfind(prefix, 0) == 0) out.push_back(c.substr(prefix.size()));
  }
  return out;
}

int GameTest::ShotSounds() const {
  int count = 0;
  std::istringstream lines(log_.str());
  std::string line;
  while (std::getline(lines, line)) count += line.ends_with(" sndPlaySoundA") ? 1 : 0;
  return count;
}

void GameTest::ClearLog() {
  log_.str("");
}

EnemyRecord Enemy(uint8_t kind, float x, float y, float dx, float dy, int32_t timer, int16_t hp) {
  EnemyRecord e;
  e.Kind = kind;
  e.X = x;
  e.Y = y;
  e.DX = dx;
  e.DY = dy;
  e.Timer = timer;
  e.HP = hp;
  e.FireTimer = 100;
  e.Alive = kTrue;
  return e;
}

EnemyShotRecord Bullet(uint8_t kind, float x, float y, float dx, float dy, int32_t size,
                       uint8_t step) {
  return EnemyShotRecord{kind, step, x, y, size, size, dx, dy, kTrue};
}

ShotSlot LiveShot(int32_t x, int32_t y, int16_t dx, int16_t dy) {
  return ShotSlot{x, y, dx, dy, kTrue};
}

uint32_t Coded(int x, int y) {
  return 0xFF000000u | static_cast<uint32_t>(x) << 12 | static_cast<uint32_t>(y);
}

Surface CodedSheet(int width, int height) {
  Surface s(width, height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) s.Set(x, y, Coded(x, y));
  }
  return s;
}

uint32_t BackPixel(int piece, int y) {
  return 0xFF000000u | static_cast<uint32_t>(piece) << 16 | static_cast<uint32_t>(y);
}

Surface CodedBackground(int piece) {
  Surface s(420, 560);
  for (int y = 0; y < 560; ++y) {
    for (int x = 0; x < 420; ++x) s.Set(x, y, BackPixel(piece, y));
  }
  return s;
}

}  // namespace vormelda::testing
