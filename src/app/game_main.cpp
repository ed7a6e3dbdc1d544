// vormelda: the game in its window. With options it also records the game played, plays a
// recording back, lets the autoplay play, or starts at the boss.
#include <chrono>
#include <climits>
#include <cstdio>
#include <exception>
#include <fstream>
#include <iostream>
#include <memory>
#include <string>

#include "app/autoplay.hpp"
#include "app/command_line.hpp"
#include "app/recording.hpp"
#include "flow/startup.hpp"
#include "platform/files.hpp"
#include "platform/folders.hpp"
#include "platform/sdl_platform.hpp"
#include "platform/settings.hpp"
#include "platform/system.hpp"
#include "window/data_files.hpp"

using namespace vormelda;

namespace {

struct GameOptions {
  SdlOptions sdl;
  std::string start = "title";
  std::string recordFile, replayFile, autoplay;
  bool settings = false;
};

std::optional<int> ParseOptions(int argc, char** argv, GameOptions& o) {
  CLI::App app{"Vormelda: a small vertical-scrolling shooting game"};
  app.set_version_flag("--version", std::string(kGameTitle) + " " + VORMELDA_VERSION);
  app.add_flag("--fullscreen", o.sdl.fullscreen, "start in full screen (F11 or Alt+Enter toggle)");
  app.add_option(
         "--window-scale", o.sdl.windowScale,
         "open the window at this many times the field's size (default: the most that fits)")
      ->check(CLI::Range(1, 16));
  app.add_flag("--mute", o.sdl.mute, "play without sound");
  app.add_flag("--settings", o.settings, "print where settings.ini (keys, volume, window) is");
  auto* start = app.add_option("--start", o.start,
                               "title, or boss, boss:75 or boss:100: a "
                               "practice game at the boss")
                    ->check(CLI::IsMember({"title", "boss", "boss:75", "boss:100"}));
  auto* record =
      app.add_option("--record", o.recordFile,
                     "record the game played into FILE (vormelda-sim --verify replays it)");
  auto* replay =
      app.add_option("--replay", o.replayFile, "play a recording back (hold Tab to play it faster)")
          ->check(CLI::ExistingFile)
          ->excludes(start, record);
  app.add_option("--autoplay", o.autoplay,
                 "let the game play itself: 60, or 75 / 100 for the "
                 "faster speeds")
      ->expected(0, 1)
      ->default_str("60")
      ->check(CLI::IsMember({"", "60", "75", "100"}))
      ->excludes(record, replay);
  if (auto status = ParseCommandLine(app, argc, argv, "vormelda")) return status;
  if (app.count("--autoplay") > 0 && o.autoplay.empty()) o.autoplay = "60";
  return std::nullopt;
}

// The player's settings.ini, and where the window keeps the changes made through it. A missing
// file means the defaults; one that cannot be read gives a line saying why, and the defaults for
// what could not be read; it is written again only when the player changes a setting.
void UseSettings(const std::string& file, SdlOptions& sdl) {
  const FileContent content = ReadFileStart(file, kSettingsFileLimit);
  if (content.ok) {
    const ReadSettings read = ParseSettings(
        std::string_view(reinterpret_cast<const char*>(content.bytes.data()), content.bytes.size()),
        SdlSettingNames());
    sdl.settings = read.settings;
    if (!read.notice.empty())
      std::fprintf(stderr, "vormelda: %s %s\n", file.c_str(), read.notice.c_str());
  } else if (content.error != "file not found") {
    std::fprintf(stderr, "vormelda: %s: %s; the defaults stand\n", file.c_str(),
                 content.error.c_str());
  }
  sdl.onSettingsChanged = [file](const Settings& settings) {
    if (!ReplaceFileSafely(file, FormatSettings(settings))) {
      std::fprintf(stderr, "vormelda: cannot write %s\n", file.c_str());
    }
  };
  sdl.controllerLayouts =
      file.substr(0, file.size() - kSettingsFile.size()) + "gamecontrollerdb.txt";
}

uint32_t TimeSeed() {
  const auto now = std::chrono::system_clock::now().time_since_epoch();
  return static_cast<uint32_t>(std::chrono::duration_cast<std::chrono::microseconds>(now).count());
}

// What a run records, replays or lets the autoplay play, wired into the back end's options.
class Session {
 public:
  // Throws std::runtime_error naming a file that cannot be used.
  explicit Session(GameOptions& o) {
    header_ = {TimeSeed(), StartMode::Parse(o.start)};
    if (!o.replayFile.empty()) {
      Replay replay = ReadReplay(o.replayFile, "--replay");
      header_ = replay.header;
      o.sdl.messageBoxAnswers = std::move(replay.answers);
      player_ = std::make_unique<ScriptPlayer>(std::move(replay.input));
      verifier_ = std::make_unique<Verifier>(std::move(replay.checks));
      o.sdl.inputSource = [this, end = replay.end](int64_t tick) {
        InputLine input = player_->At(tick);
        input.close = input.close || tick > end;
        return input;
      };
    }
    if (!o.recordFile.empty()) {
      record_.open(PathOf(o.recordFile), std::ios::binary);
      if (!record_) throw std::runtime_error("cannot write the recording " + o.recordFile);
      o.sdl.onMessageBox = [this](MessageBoxAnswer a) { recorder_->OnMessageBox(a); };
    }
    if (!o.autoplay.empty()) {
      autoplayRate_ = static_cast<uint8_t>(std::stoi(o.autoplay));
      o.sdl.inputSource = [this](int64_t tick) { return autoplay_->Decide(tick); };
    }
    o.sdl.onYield = [this](int64_t tick, const InputLine& input) {
      if (recorder_) recorder_->OnYield(tick, input);
      if (verifier_) CheckReplay(tick);
    };
    Launch.seed = header_.seed;
    Launch.bossPractice = header_.start.bossPractice;
  }

  // Once the player's folder is known. A replay, and the autoplay, play with player files of their
  // own, so that what they score or earn is not the player's: a replay with those it was recorded
  // with, the autoplay with the player's high score and, at the faster speeds, the certificates
  // that offer them. A recording notes the files it starts with. Throws std::runtime_error.
  void UsePlayerFiles() {
    if (verifier_) {
      replayFolder_ = UseReplayFolder(header_.files);
    } else if (autoplayRate_ != 0) {
      PlayerFiles files = StartingPlayerFiles();
      files.topScore = files.noMiss = autoplayRate_ > 60;
      replayFolder_ = UseReplayFolder(files);
    } else if (record_.is_open()) {
      header_.files = StartingPlayerFiles();
      recorder_ = std::make_unique<Recorder>(record_, header_);
    }
  }

  // Once the back end exists: the autoplay plays on it.
  void Attach(Platform& host) {
    if (autoplayRate_ == 0) return;
    autoplay_ = std::make_unique<Autoplay>(AutoplayOptions{autoplayRate_, INT_MAX, *Launch.seed},
                                           host, std::cout);
  }

  // After the run: says where the recording is, or how the replay went; 1 when it differed.
  int Report(const GameOptions& o) const {
    if (recorder_) std::printf("vormelda: the game is recorded in %s\n", o.recordFile.c_str());
    if (!verifier_) return 0;
    if (mismatch_ != 0) {
      std::printf("vormelda: the replay differs from the recording from tick %lld on\n",
                  static_cast<long long>(mismatch_));
      return 1;
    }
    std::printf("vormelda: the replay matched %d of the recording's %d checks\n",
                verifier_->Checked(), verifier_->Expected());
    return 0;
  }

 private:
  void CheckReplay(int64_t tick) {
    if (mismatch_ != 0) return;
    try {
      verifier_->OnYield(tick);
    } catch (const VerifyMismatch& m) {
      mismatch_ = m.tick;
    }
  }

  RecordingHeader header_;
  std::unique_ptr<TemporaryFolder> replayFolder_;
  std::unique_ptr<ScriptPlayer> player_;
  std::unique_ptr<Verifier> verifier_;
  int64_t mismatch_ = 0;
  std::ofstream record_;
  std::unique_ptr<Recorder> recorder_;
  uint8_t autoplayRate_ = 0;
  std::unique_ptr<Autoplay> autoplay_;
};

}  // namespace

int main(int argc, char** argv) {
  UseParentConsole();
  GameOptions o;
  if (auto status = ParseOptions(argc, argv, o)) return *status;
  std::unique_ptr<Session> session;
  try {
    session = std::make_unique<Session>(o);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vormelda: %s\n", e.what());
    return 2;
  }
  Launch.appFolder = FindDataFolder(ExecutableFolder());
  const bool writable = IsWritableFolder(Launch.appFolder);
  Launch.playerFolder =
      PlayerFolderFor(Launch.appFolder, writable, writable ? std::nullopt : PreferenceFolder());
  o.sdl.screenshotFolder = Launch.playerFolder;
  const std::string settings = Launch.playerFolder + "/" + std::string(kSettingsFile);
  if (o.settings) {
    std::printf("%s\n", settings.c_str());
    return 0;
  }
  UseSettings(settings, o.sdl);
  try {
    session->UsePlayerFiles();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "vormelda: %s\n", e.what());
    return 1;
  }
  StartLoadingPictures();  // while the window and its renderer are made
  o.sdl.iconFile = Launch.appFolder + "/" + std::string(datafile::kIcon);
  std::unique_ptr<Platform> host;
  try {
    host = MakeSdlPlatform(o.sdl);
  } catch (const std::exception& e) {
    ShowSdlFatalError(std::string("vormelda: ") + e.what(), kGameTitle);
    return 1;
  }
  session->Attach(*host);
  SetHost(host.get());
  const int status = RunProgram();
  SetHost(nullptr);
  const int replayed = session->Report(o);
  return status != 0 ? status : replayed;
}
