#include "app/trace.hpp"

#include <string>

#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "window/form_main.hpp"

namespace vormelda {

namespace {

using Json = nlohmann::ordered_json;

template <typename R>
Json ToJson(const R& record) {
  Json out;
  record.Fields([&](const char* name, const auto& value) { out[name] = value; });
  return out;
}

template <typename Slots>
Json SlotsJson(const Slots& slots) {
  Json out = Json::array();
  for (const auto& s : slots) out.push_back(ToJson(s));
  return out;
}

// An unallocated list is null.
template <typename T>
Json ListJson(const GrowableList<T>& list) {
  if (!list.Allocated()) return nullptr;
  return SlotsJson(list.Entries());
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
  Game.Boss.Fields([&](const char* name, const auto& value) { j[name] = value; });
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
