#include "app/recording.hpp"

#include <algorithm>
#include <array>
#include <concepts>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <type_traits>
#include <vector>

#include "flow/startup.hpp"
#include "platform/system.hpp"
#include "records/fields.hpp"
#include "records/game_state.hpp"
#include "records/scene.hpp"

namespace vormelda {

namespace {

constexpr std::string_view kMagic = "# vormelda-recording";

// FNV-1a over a little-endian serialisation of every field, floats by their bits.
class StateHasher {
 public:
  uint64_t Value() const { return h_; }

  template <std::integral T>
  void operator()(const char*, T v) {
    auto u = static_cast<std::make_unsigned_t<T>>(v);
    for (size_t i = 0; i < sizeof(T); ++i) Byte(static_cast<uint8_t>(u >> (8 * i)));
  }
  void operator()(const char* name, float v) {
    uint32_t bits = 0;  // the float's bits (std::bit_cast, which not every library has yet)
    static_assert(sizeof bits == sizeof v);
    std::memcpy(&bits, &v, sizeof bits);
    (*this)(name, bits);
  }
  // The shot sound is the file's bytes, not something the game's rules make.
  void operator()(const char*, const std::vector<uint8_t>&) {}
  void operator()(const char*, const std::array<char, 5>& text) {
    for (char c : text) Byte(static_cast<uint8_t>(c));
  }
  template <typename T, int N>
  void operator()(const char* name, const OneBasedArray<T, N>& slots) {
    for (const T& s : slots) (*this)(name, s);
  }
  // An unallocated list and a list of n entries differ by their length.
  template <typename T>
  void operator()(const char* name, const GrowableList<T>& list) {
    (*this)(name, list.UBound());
    for (const T& e : list.Entries()) (*this)(name, e);
  }
  template <HasFields R>
  void operator()(const char*, const R& record) {
    record.Fields(*this);
  }
  void Text(std::string_view text) {
    (*this)("", static_cast<uint32_t>(text.size()));
    for (char c : text) Byte(static_cast<uint8_t>(c));
  }

 private:
  void Byte(uint8_t b) { h_ = (h_ ^ b) * 1099511628211ull; }
  uint64_t h_ = 1469598103934665603ull;
};

// "seed=4" gives "4" for key "seed".
std::optional<std::string> Value(const std::string& word, std::string_view key) {
  if (word.size() <= key.size() || word.compare(0, key.size(), key) != 0 ||
      word[key.size()] != '=') {
    return std::nullopt;
  }
  return word.substr(key.size() + 1);
}

bool Plain(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '.' ||
         c == '+' || c == '-';
}

// 0 to 15, or far below 0 for what is not a hex digit.
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -256;
}

std::string EncodeHighScore(const std::optional<std::array<char, 5>>& text) {
  if (!text) return "missing";
  std::string out;
  for (char c : *text) {
    if (Plain(c)) {
      out += c;
    } else {
      char hex[4];
      std::snprintf(hex, sizeof hex, "%%%02X", static_cast<unsigned>(static_cast<uint8_t>(c)));
      out += hex;
    }
  }
  return out;
}

// Throws std::invalid_argument unless the word gives exactly five characters.
std::optional<std::array<char, 5>> DecodeHighScore(std::string_view word) {
  if (word == "missing") return std::nullopt;
  std::string text;
  for (size_t i = 0; i < word.size(); ++i) {
    if (word[i] != '%') {
      if (!Plain(word[i])) throw std::invalid_argument("high");
      text += word[i];
      continue;
    }
    const int code = i + 2 < word.size() ? HexDigit(word[i + 1]) * 16 + HexDigit(word[i + 2]) : -1;
    // A line break cannot be part of a line of the file.
    if (code < 0 || code == '\r' || code == '\n') throw std::invalid_argument("high");
    text += static_cast<char>(code);
    i += 2;
  }
  if (text.size() != 5) throw std::invalid_argument("high");
  return FixedFive(text);
}

std::string CertificatesName(const PlayerFiles& files) {
  if (files.topScore && files.noMiss) return "top,no-miss";
  if (files.topScore) return "top";
  return files.noMiss ? "no-miss" : "none";
}

void ParseCertificates(std::string_view name, PlayerFiles& files) {
  files.topScore = name == "top" || name == "top,no-miss";
  files.noMiss = name == "no-miss" || name == "top,no-miss";
  if (!files.topScore && !files.noMiss && name != "none")
    throw std::invalid_argument("certificates");
}

}  // namespace

std::string StartMode::Name() const {
  if (!bossPractice) return "title";
  return *bossPractice == 60 ? "boss" : "boss:" + std::to_string(*bossPractice);
}

StartMode StartMode::Parse(std::string_view name) {
  if (name == "title") return {};
  if (name == "boss") return {60};
  if (name == "boss:75") return {75};
  if (name == "boss:100") return {100};
  throw std::invalid_argument("the start is title, boss, boss:75 or boss:100, not " +
                              std::string(name));
}

std::string FormatRecordingHeader(const RecordingHeader& header) {
  return std::string(kMagic) + " " + std::to_string(kRecordingVersion) +
         " seed=" + std::to_string(header.seed) + " start=" + header.start.Name() +
         " high=" + EncodeHighScore(header.files.highScore) +
         " certificates=" + CertificatesName(header.files);
}

RecordingHeader ParseRecordingHeader(std::string_view first) {
  std::string line(first.substr(0, kMaxScriptLine));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  std::istringstream words(line);
  std::string hash, magic, version;
  words >> hash >> magic >> version;
  if (hash + " " + magic != kMagic) {
    throw std::runtime_error("not a recording of version " + std::to_string(kRecordingVersion) +
                             ": its first line is not \"" + std::string(kMagic) + " " +
                             std::to_string(kRecordingVersion) + " ...\" (found \"" +
                             line.substr(0, 60) + "\")");
  }
  if (version != std::to_string(kRecordingVersion)) {
    throw std::runtime_error("a recording of version " + version + ", and this program plays " +
                             "version " + std::to_string(kRecordingVersion) + " only");
  }
  RecordingHeader header;
  for (std::string word; words >> word;) {
    try {
      if (auto seed = Value(word, "seed")) {
        const auto value = ParseWholeNumber(*seed, 0, UINT32_MAX);
        if (!value) throw std::out_of_range("seed");
        header.seed = static_cast<uint32_t>(*value);
      } else if (auto start = Value(word, "start")) {
        header.start = StartMode::Parse(*start);
      } else if (auto high = Value(word, "high")) {
        header.files.highScore = DecodeHighScore(*high);
      } else if (auto certificates = Value(word, "certificates")) {
        ParseCertificates(*certificates, header.files);
      }
    } catch (const std::exception&) {
      throw std::runtime_error("the recording's first line has a bad " + word.substr(0, 60));
    }
  }
  return header;
}

std::string StateChecksum() {
  StateHasher hasher;
  hasher("Game", Game);
  hasher.Text(CurrentScene);
  char hex[17];
  std::snprintf(hex, sizeof hex, "%016llx", static_cast<unsigned long long>(hasher.Value()));
  return hex;
}

Recorder::Recorder(std::ostream& out, const RecordingHeader& header) : out_(out) {
  out_ << FormatRecordingHeader(header) << std::endl;
}

void Recorder::OnYield(int64_t tick, const InputLine& input) {
  const bool changed = !any_ || input.heldKeys != last_.heldKeys ||
                       input.joystick != last_.joystick || input.joyX != last_.joyX ||
                       input.joyY != last_.joyY || input.joyButtons != last_.joyButtons;
  if (changed || !input.tappedKeys.empty() || input.close) {
    InputLine line = input;
    line.tick = tick;
    out_ << FormatInputLine(line) << '\n';
    last_ = input;
    any_ = true;
  }
  // Every check reaches the file at once: a game killed mid-way keeps all but its last second.
  if (tick % kCheckEvery == 0) out_ << "# check " << tick << ' ' << StateChecksum() << std::endl;
}

void Recorder::OnMessageBox(MessageBoxAnswer answer) {
  out_ << "# message-box " << (answer == MessageBoxAnswer::Retry ? "retry" : "cancel") << std::endl;
}

PlayerFiles StartingPlayerFiles() {
  PreparePlayerFolder();
  return ReadPlayerFiles(PlayerPath());
}

std::unique_ptr<TemporaryFolder> UseReplayFolder(const PlayerFiles& files) {
  auto folder = std::make_unique<TemporaryFolder>();
  if (!WritePlayerFiles(folder->Path(), files)) {
    throw std::runtime_error("cannot write the replay's player files into " + folder->Path());
  }
  Launch.playerFolder = folder->Path();
  return folder;
}

Replay ParseReplay(std::string_view text) {
  // A last line without its line end was cut short as it was written (the program was killed):
  // the recording ends before it.
  const size_t complete = text.rfind('\n');
  text = complete == std::string_view::npos ? std::string_view() : text.substr(0, complete + 1);
  Replay replay;
  std::map<int64_t, InputLine> byTick;
  int lineNo = 0;
  for (size_t at = 0; at < text.size();) {
    const size_t end = text.find('\n', at);
    std::string_view line = text.substr(at, end - at);
    at = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.size() > kMaxScriptLine) ParseScriptLine(line, lineNo);  // refuses it, naming it
    if (lineNo == 1) {
      replay.header = ParseRecordingHeader(line);
    } else if (line == "# message-box retry" || line == "# message-box cancel") {
      replay.answers.push_back(line.ends_with("retry") ? MessageBoxAnswer::Retry
                                                       : MessageBoxAnswer::Cancel);
    } else if (line.starts_with("# check ")) {
      std::istringstream words{std::string(line.substr(8))};
      int64_t tick = 0;
      std::string hex;
      if (!(words >> tick >> hex) || tick < 1 || tick > kMaxScriptTick) {
        throw std::runtime_error("line " + std::to_string(lineNo) + ": a check is \"# check TICK " +
                                 "CHECKSUM\" with TICK from 1 to " +
                                 std::to_string(kMaxScriptTick));
      }
      replay.checks[tick] = hex;
      replay.end = std::max(replay.end, tick);
    } else if (const auto input = ParseScriptLine(line, lineNo)) {
      byTick[input->tick] = *input;
      replay.end = std::max(replay.end, input->tick);
    }
  }
  if (lineNo == 0) replay.header = ParseRecordingHeader("");  // refuses the empty file
  replay.input = InputByTick(std::move(byTick));
  return replay;
}

Replay ReadReplay(const std::string& file, std::string_view option) {
  const auto fail = [&](const std::string& why) {
    return std::runtime_error(std::string(option) + " " + file + ": " + why);
  };
  const FileContent content = ReadWholeFile(file, kRecordingFileLimit);
  if (!content.ok) throw fail(content.error);
  try {
    return ParseReplay(std::string_view(reinterpret_cast<const char*>(content.bytes.data()),
                                        content.bytes.size()));
  } catch (const std::runtime_error& e) {
    throw fail(e.what());
  }
}

Verifier::Verifier(std::map<int64_t, std::string> checks) : checks_(std::move(checks)) {}

void Verifier::OnYield(int64_t tick) {
  const auto it = checks_.find(tick);
  if (it == checks_.end()) return;
  if (StateChecksum() != it->second) throw VerifyMismatch{tick};
  ++checked_;
}

}  // namespace vormelda
