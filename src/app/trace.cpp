#include "app/trace.hpp"

#include <string>

#include "shell/form_main.hpp"
#include "shell/game_state.hpp"
#include "shell/scene.hpp"

namespace vormelda {

namespace {

using Json = nlohmann::ordered_json;

Json ToJson(const PlayerRecord& p) {
  return {{"X", p.X},
          {"Y", p.Y},
          {"Power", p.Power},
          {"Bank", p.Bank},
          {"CenterCooldown1", p.CenterCooldown1},
          {"CenterCooldown2", p.CenterCooldown2},
          {"LeftCooldown", p.LeftCooldown},
          {"RightCooldown", p.RightCooldown},
          {"Lives", p.Lives},
          {"Bombs", p.Bombs},
          {"Score", p.Score},
          {"OnScreen", p.OnScreen}};
}

Json ToJson(const ShotSlot& s) {
  return {{"X", s.X}, {"Y", s.Y}, {"DX", s.DX}, {"DY", s.DY}, {"Alive", s.Alive}};
}

Json ToJson(const EnemyRecord& e) {
  return {
      {"Kind", e.Kind},     {"Flash", e.Flash},         {"X", e.X},         {"Y", e.Y},
      {"SpawnX", e.SpawnX}, {"SpawnY", e.SpawnY},       {"DX", e.DX},       {"DY", e.DY},
      {"HP", e.HP},         {"FireTimer", e.FireTimer}, {"Timer", e.Timer}, {"Points", e.Points},
      {"Alive", e.Alive}};
}

Json ToJson(const EnemyShotRecord& s) {
  return {{"Kind", s.Kind},   {"Step", s.Step}, {"X", s.X},   {"Y", s.Y},        {"SizeA", s.SizeA},
          {"SizeB", s.SizeB}, {"DX", s.DX},     {"DY", s.DY}, {"Alive", s.Alive}};
}

Json ToJson(const BlastRecord& b) {
  return {{"Kind", b.Kind}, {"X", b.X}, {"Y", b.Y}, {"Countdown", b.Countdown}};
}

Json ToJson(const ItemRecord& i) {
  return {{"X", i.X}, {"Y", i.Y}, {"DX", i.DX}, {"DY", i.DY}, {"Alive", i.Alive}};
}

Json ToJson(const JOYINFOEX& j) {
  return {{"dwSize", j.dwSize},
          {"dwFlags", j.dwFlags},
          {"dwXpos", j.dwXpos},
          {"dwYpos", j.dwYpos},
          {"dwZpos", j.dwZpos},
          {"dwRpos", j.dwRpos},
          {"dwUpos", j.dwUpos},
          {"dwVpos", j.dwVpos},
          {"dwButtons", j.dwButtons},
          {"dwButtonNumber", j.dwButtonNumber},
          {"dwPOV", j.dwPOV},
          {"dwReserved1", j.dwReserved1},
          {"dwReserved2", j.dwReserved2}};
}

template <typename Slots>
Json SlotsJson(const Slots& slots) {
  Json out = Json::array();
  for (const auto& s : slots) out.push_back(ToJson(s));
  return out;
}

template <typename T>
Json ListJson(const GrowableList<T>& list) {
  if (!list.Allocated()) return nullptr;
  Json out = Json::array();
  for (const auto& entry : list.Entries()) out.push_back(ToJson(entry));
  return out;
}

}  // namespace

nlohmann::ordered_json TraceRecord(int64_t tick, uint32_t clock) {
  Json j;
  j["tick"] = tick;
  j["clock"] = clock;
  j["scene"] = std::string(CurrentScene);
  j["Caption"] = frmMain.Caption();
  j["Tag"] = frmMain.Tag;
  j["KeyPreview"] = frmMain.KeyPreview;
  j["FrameCount"] = FrameCount;
  j["FramesPerSecond"] = FramesPerSecond;
  j["HighScoreText"] = std::string(HighScoreText.begin(), HighScoreText.end());
  j["StartButtonLatch"] = StartButtonLatch;
  j["BombTimer"] = BombTimer;
  j["MissCountdown"] = MissCountdown;
  j["MissBlastX"] = MissBlastX;
  j["MissBlastY"] = MissBlastY;
  j["BackSwitched"] = BackSwitched;
  j["ShotSound"] = ShotSound.size();
  j["LoopIndex"] = LoopIndex;
  j["BossX"] = BossX;
  j["BossY"] = BossY;
  j["BossDX"] = BossDX;
  j["BossDY"] = BossDY;
  j["BossHP"] = BossHP;
  j["BossAlive"] = BossAlive;
  j["BossRage"] = BossRage;
  j["BossStageOver"] = BossStageOver;
  j["BossBackSwitched1"] = BossBackSwitched1;
  j["BossBackSwitched2"] = BossBackSwitched2;
  j["Player"] = ToJson(Player);
  j["JoyInfo"] = ToJson(JoyInfo);
  j["PowerItem"] = ToJson(PowerItem);
  j["BombItem"] = ToJson(BombItem);
  j["CenterShots"] = SlotsJson(CenterShots);
  j["LeftShots"] = SlotsJson(LeftShots);
  j["RightShots"] = SlotsJson(RightShots);
  j["Enemies"] = ListJson(Enemies);
  j["EnemyShots"] = ListJson(EnemyShots);
  j["Blasts"] = ListJson(Blasts);
  return j;
}

}  // namespace vormelda
