// The headless runner as a program: its command line, exit status and output files.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <nlohmann/json.hpp>
#include <sstream>
#include <string>
#include <vector>

#include "platform/platform.hpp"
#include "scenes/high_score_file.hpp"
#include "support/game_test.hpp"

namespace vormelda {
namespace {

using testing::FakeGameFolder;
using testing::ReadFile;
using testing::TempFolder;

struct SimResult {
  int status = -1;
  std::string err;
};

class Sim : public ::testing::Test {
 protected:
  // Runs vormelda-sim with the arguments (already quoted where needed) in the output folder.
  SimResult Start(const std::string& args) {
    const std::string err = out_ / "stderr.txt";
    const std::string command =
        "cd '" + out_.Path() + "' && '" VORMELDA_SIM "' " + args + " >/dev/null 2>'" + err + "'";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, ReadFile(err)};
  }
  std::string Data() const { return "--data '" + data_.Path() + "' "; }
  std::vector<nlohmann::json> Trace(const std::string& name) const {
    std::vector<nlohmann::json> records;
    std::istringstream in(ReadFile(out_ / name));
    for (std::string line; std::getline(in, line);) records.push_back(nlohmann::json::parse(line));
    return records;
  }
  FakeGameFolder data_;
  TempFolder out_;
};

TEST_F(Sim, TheSameSeedAndInputGiveByteIdenticalOutput) {
  data_.Write(kTopScoreCertificate, "1\r\n");
  data_.Write(kNoMissCertificate, "1\r\n");
  testing::WriteFile(out_ / "input.txt",
                     "# a joystick, then its bomb button\n3 Joy JX=0\n5 J2\n7 Up Left\n");
  std::vector<std::string> outputs[2];
  for (int run = 0; run < 2; ++run) {
    const std::string n = std::to_string(run);
    SimResult r =
        Start(Data() + "--seed 7 --clock-start 4000 --ticks 20 --input input.txt --trace t" + n +
              ".jsonl --log l" + n + ".txt --shot 3:a" + n + ".png --shot 18:b" + n + ".png");
    ASSERT_EQ(r.status, 0) << r.err;
    for (const char* f : {"t", "l", "a", "b"}) {
      outputs[run].push_back(ReadFile(out_ / (f + n +
                                              (f[0] == 't'   ? ".jsonl"
                                               : f[0] == 'l' ? ".txt"
                                                             : ".png"))));
      EXPECT_FALSE(outputs[run].back().empty()) << f;
    }
  }
  EXPECT_TRUE(outputs[0] == outputs[1]);
  // The screenshot is the field as shown: 420 x 560, the background scrolled by one frame.
  Surface shot;
  std::string error;
  ASSERT_TRUE(LoadPictureFile(out_ / "a0.png", {420, 560, true}, shot, error)) << error;
  EXPECT_EQ(shot.Width(), 420);
  EXPECT_EQ(shot.Height(), 560);
  EXPECT_EQ(shot.At(0, 30), FakeGameFolder::BackgroundPixel(1, 0));
  EXPECT_NE(outputs[0][2], outputs[0][3]);
  // Button 2 with both certificates started the stage at 100 frames a second.
  auto trace = Trace("t0.jsonl");
  ASSERT_EQ(trace.size(), 20u);
  EXPECT_EQ(trace[3]["JoyInfo"]["dwXpos"], 0);
  EXPECT_EQ(trace[4]["scene"], "title");
  EXPECT_EQ(trace[5]["scene"], "intro");
  EXPECT_EQ(trace[5]["FramesPerSecond"], 100);
}

TEST_F(Sim, TicksEndTheRunWithATraceOfEveryTick) {
  SimResult r = Start(Data() + "--ticks 6 --trace trace.jsonl");
  ASSERT_EQ(r.status, 0) << r.err;
  auto trace = Trace("trace.jsonl");
  ASSERT_EQ(trace.size(), 6u);
  for (size_t i = 0; i < trace.size(); ++i) {
    EXPECT_EQ(trace[i]["tick"], i + 1);
    EXPECT_EQ(trace[i]["scene"], "title");
    EXPECT_EQ(trace[i]["FrameCount"], i);
    if (i > 0) {
      EXPECT_GE(trace[i]["clock"].get<uint32_t>() - trace[i - 1]["clock"].get<uint32_t>(), 17u);
    }
  }
  EXPECT_EQ(trace[0]["Caption"], "Vormelda");
  EXPECT_EQ(trace[0]["HighScoreText"], "00000");
  EXPECT_EQ(trace[0]["Player"]["X"], 185);
  EXPECT_TRUE(trace[0]["Enemies"].is_null());
  EXPECT_EQ(trace[0]["CenterShots"].size(), 8u);

  r = Start(Data() + "--ticks 10 --trace-every 4 --trace every.jsonl");
  ASSERT_EQ(r.status, 0) << r.err;
  trace = Trace("every.jsonl");
  ASSERT_EQ(trace.size(), 2u);
  EXPECT_EQ(trace[0]["tick"], 4);
  EXPECT_EQ(trace[1]["tick"], 8);
}

// A mistake on the command line or in a file the runner is handed is one line naming it, and
// status 2; nothing runs.
TEST_F(Sim, MistakesAreOneLineNamingThemWithStatusTwo) {
  testing::WriteFile(out_ / "old.txt", "# vormelda-sim input script, seed 4\n1 tap:Enter\n");
  testing::WriteFile(out_ / "v1.txt", "# vormelda-recording 1 seed=4 start=title\n");
  testing::WriteFile(out_ / "seed.txt", "# vormelda-recording 2 seed=4x start=title\n");
  testing::WriteFile(out_ / "high.txt", "# vormelda-recording 2 seed=4 high=1234\n");
  testing::WriteFile(out_ / "break.txt", "# vormelda-recording 2 seed=4 high=1234%0A\n");
  testing::WriteFile(out_ / "gold.txt", "# vormelda-recording 2 certificates=gold\n");
  testing::WriteFile(out_ / "axis.txt", "3 JX=\n");
  testing::WriteFile(out_ / "bad.txt", "1 X\n2 Jump\n");
  std::filesystem::create_directory(out_ / "folder");
  const struct {
    const char* args;
    const char* says;
  } kCases[] = {
      {"--verify old.txt", "found \"# vormelda-sim input script, seed 4\""},
      {"--verify v1.txt", "version 1"},
      {"--verify seed.txt", "seed=4x"},
      {"--verify v1.txt --seed 3", "--seed"},
      {"--verify high.txt", "high=1234"},
      {"--verify break.txt", "high=1234%0A"},
      {"--verify gold.txt", "certificates=gold"},
      {"--verify gold.txt --save .", "--save"},
      {"--input axis.txt", "line 1"},
      {"--input bad.txt", "line 2: unknown token Jump"},
      {"--input missing.txt", "missing.txt"},
      {"--input folder", "--input"},
      {"--ticks -1", "--ticks"},
      {"--ticks 99999999999", "--ticks"},
      {"--games -1", "--games"},
      {"--shot a.png", "--shot"},
      {"--shot 99999999999999999999:a.png", "--shot"},
      {"--start nowhere", "--start"},
      {"--autoplay=61", "--autoplay"},
  };
  for (const auto& c : kCases) {
    const SimResult r = Start(Data() + c.args);
    EXPECT_EQ(r.status, 2) << c.args;
    EXPECT_NE(r.err.find(c.says), std::string::npos) << c.args << ": " << r.err;
    EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << c.args << ": " << r.err;
  }
}

TEST_F(Sim, AMissingPictureExitsWithStatusOne) {
  data_.Remove("Picture/BossBlast.pic");
  SimResult r = Start(Data() + "--ticks 5");
  EXPECT_EQ(r.status, 1);
  EXPECT_NE(r.err.find("Picture/BossBlast.pic"), std::string::npos) << r.err;
}

TEST_F(Sim, MessageBoxesAreAnsweredFromTheList) {
  data_.Remove("HighScore.ini");
  SimResult r = Start(Data() + "--ticks 2 --message-box retry,retry --log log.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  std::istringstream log(ReadFile(out_ / "log.txt"));
  std::vector<std::string> answers;
  for (std::string line; std::getline(log, line);) {
    if (line.find(" messagebox ") != std::string::npos)
      answers.push_back(line.substr(line.rfind(' ')));
  }
  EXPECT_EQ(answers, (std::vector<std::string>{" retry", " retry", " cancel"}));
  EXPECT_NE(Start(Data() + "--ticks 2 --message-box retry,ok").status, 0);
}

// A recording carries the player's files it started with, and its replay plays on copies of them:
// it verifies on any data, whatever files the player has, and changes none of them.
TEST_F(Sim, ARecordingReplaysWithThePlayersFilesItStartedWith) {
  TempFolder save;
  testing::WriteFile(save / "HighScore.ini", "12345\r\n");
  testing::WriteFile(save / std::string(kTopScoreCertificate), "1\r\n");
  testing::WriteFile(out_ / "input.txt", "3 tap:X\n");  // the faster start the certificate allows
  SimResult r = Start(Data() + "--save '" + save.Path() +
                      "' --input input.txt --ticks 130 --record rec.txt --trace t.jsonl");
  ASSERT_EQ(r.status, 0) << r.err;
  const std::string recording = ReadFile(out_ / "rec.txt");
  EXPECT_EQ(recording.substr(0, recording.find('\n')),
            "# vormelda-recording 2 seed=1 start=title high=12345 certificates=top");
  EXPECT_EQ(Trace("t.jsonl").back()["FramesPerSecond"], 75);

  const std::string dataHighScore = ReadFile(data_ / "HighScore.ini");
  testing::WriteFile(save / "HighScore.ini", "00007\r\n");
  std::filesystem::remove(save / std::string(kTopScoreCertificate));
  // The recording stops without a close: its replay ends after its last line, the check at 120.
  r = Start(Data() + "--verify rec.txt --trace v.jsonl");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Trace("v.jsonl").size(), 120u);
  EXPECT_EQ(ReadFile(data_ / "HighScore.ini"), dataHighScore);
  EXPECT_EQ(ReadFile(save / "HighScore.ini"), "00007\r\n");

  // Strange characters of the high score survive the header; a file that could not be read is
  // "missing", and its message boxes are recorded and answered again.
  testing::WriteFile(save / "HighScore.ini", std::string(" 1%\0", 4));
  r = Start(Data() + "--save '" + save.Path() + "' --ticks 61 --record odd.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(ReadFile(out_ / "odd.txt").find(" high=%201%25%00%20 "), std::string::npos);
  EXPECT_EQ(Start(Data() + "--verify odd.txt").status, 0);
  data_.Remove("HighScore.ini");
  std::filesystem::remove(save / "HighScore.ini");
  r = Start(Data() + "--save '" + save.Path() +
            "' --message-box retry --ticks 61 --record none.txt");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(ReadFile(out_ / "none.txt").find(" high=missing certificates=none\n"),
            std::string::npos);
  EXPECT_EQ(Start(Data() + "--verify none.txt").status, 0);
}

TEST_F(Sim, RunsOnTheDataBesideItByDefault) {
  const auto beside = std::filesystem::path(VORMELDA_SIM).parent_path();
  if (!std::filesystem::exists(beside / "Picture/Character.pic")) {
    GTEST_SKIP() << "no generated data beside the runner";
  }
  SimResult r = Start("--ticks 3 --trace trace.jsonl");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Trace("trace.jsonl").size(), 3u);
}

}  // namespace
}  // namespace vormelda
