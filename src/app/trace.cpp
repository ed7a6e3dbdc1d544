#include "app/trace.hpp"

#include <string>

#include "records/fields.hpp"
#include "records/game_state.hpp"
#include "records/scene.hpp"
#include "window/form_main.hpp"

namespace vormelda {

namespace {

using Json = nlohmann::ordered_json;

// Writes each field that a record's field list names under its own name: the same list the state
// checksum walks, so nothing the game keeps can be left out of the trace.
class JsonWriter {
 public:
  explicit JsonWriter(Json& out) : out_(out) {}

  template <typename T>
  void operator()(const char* name, const T& value) {
    out_[name] = ToJson(value);
  }
  // The boss's fields are globals of their own (BossX, BossHP, ...): listed at the top.
  void operator()(const char*, const BossState& boss) { boss.Fields(*this); }

 private:
  template <typename T>
  static Json ToJson(const T& value) {
    if constexpr (HasFields<T>) {
      Json record = Json::object();
      value.Fields(JsonWriter(record));
      return record;
    } else {
      return value;
    }
  }
  // The shot sound is the file's bytes: only their number is shown.
  static Json ToJson(const std::vector<uint8_t>& bytes) { return bytes.size(); }
  static Json ToJson(const std::array<char, 5>& text) {
    return std::string(text.begin(), text.end());
  }
  template <typename T, int N>
  static Json ToJson(const OneBasedArray<T, N>& slots) {
    Json list = Json::array();
    for (const T& s : slots) list.push_back(ToJson(s));
    return list;
  }
  // An unallocated list is null.
  template <typename T>
  static Json ToJson(const GrowableList<T>& list) {
    if (!list.Allocated()) return nullptr;
    Json entries = Json::array();
    for (const T& e : list.Entries()) entries.push_back(ToJson(e));
    return entries;
  }

  Json& out_;
};

}  // namespace

nlohmann::ordered_json TraceRecord(int64_t tick, uint32_t clock) {
  Json j;
  j["tick"] = tick;
  j["clock"] = clock;
  j["scene"] = std::string(CurrentScene);
  j["Caption"] = frmMain.Caption();
  j["Tag"] = frmMain.Tag;
  j["KeyPreview"] = frmMain.KeyPreview;
  Game.Fields(JsonWriter(j));
  return j;
}

}  // namespace vormelda
