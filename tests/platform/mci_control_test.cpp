#include "platform/mci_control.hpp"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/files.hpp"
#include "platform/sound_length.hpp"
#include "platform/winapi.hpp"
#include "support/game_test.hpp"

namespace vormelda {
namespace {

using testing::FakeGameFolder;
using testing::MakeMp3;
using testing::MakeWav;

using Bytes = std::vector<uint8_t>;

std::string AsText(const Bytes& b) {
  return {b.begin(), b.end()};
}

void PutLe32(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

// A RIFF/WAVE file of the given chunks, each padded to an even size.
Bytes Riff(const std::vector<std::pair<std::string, Bytes>>& chunks) {
  Bytes body = {'W', 'A', 'V', 'E'};
  for (const auto& [tag, content] : chunks) {
    body.insert(body.end(), tag.begin(), tag.end());
    PutLe32(body, static_cast<uint32_t>(content.size()));
    body.insert(body.end(), content.begin(), content.end());
    if (content.size() % 2 != 0) body.push_back(0);
  }
  Bytes file = {'R', 'I', 'F', 'F'};
  PutLe32(file, static_cast<uint32_t>(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

Bytes PcmFormat(uint32_t rate, uint16_t channels, uint16_t bits) {
  Bytes fmt = {1, 0, static_cast<uint8_t>(channels), 0};
  PutLe32(fmt, rate);
  PutLe32(fmt, rate * channels * bits / 8);
  fmt.push_back(static_cast<uint8_t>(channels * bits / 8));
  fmt.push_back(0);
  fmt.push_back(static_cast<uint8_t>(bits));
  fmt.push_back(0);
  return fmt;
}

class SoundHolder : public testing::GameTest {
 protected:
  void SetUp() override { StartHost(); }
  void Advance(int ms) {
    for (int i = 0; i < ms; ++i) timeGetTime();
  }
  void Open(MciControl& holder, const std::string& name) {
    holder.SetFileName(folder_ / name, name);
    holder.Command("Open");
  }
  FakeGameFolder folder_;
};

TEST_F(SoundHolder, WithoutAFileEveryCommandDoesNothing) {
  MciControl holder("mciHit", false);
  for (const char* command : {"Open", "Prev", "Play", "Stop", "Close", "Eject", ""}) {
    holder.Command(command);
    EXPECT_EQ(holder.Mode(), kModeNotOpen) << command;
  }
}

TEST_F(SoundHolder, PlaysForAsLongAsItsFileLasts) {
  folder_.Write("Music/Quarter.wav", AsText(MakeWav(250)));
  MciControl holder("mciItem", false);
  Open(holder, "Music/Quarter.wav");
  EXPECT_EQ(holder.Mode(), kModeStopped);
  holder.Command("Prev");
  holder.Command("Play");
  EXPECT_EQ(holder.Mode(), kModePlaying);
  Advance(249);
  EXPECT_EQ(holder.Mode(), kModePlaying);
  Advance(1);
  EXPECT_EQ(holder.Mode(), kModeStopped);
  holder.Command("Play");  // at its end a Play without Prev plays nothing
  EXPECT_EQ(holder.Mode(), kModeStopped);
}

TEST_F(SoundHolder, StopPausesWherePlayResumesAndPrevRewinds) {
  MciControl holder("mciBom", false);
  Open(holder, "Music/Bom.wav");  // 100 ms
  holder.Command("Play");
  Advance(40);
  holder.Command("Stop");
  EXPECT_EQ(holder.Mode(), kModeStopped);
  Advance(500);
  holder.Command("Play");
  Advance(59);
  EXPECT_EQ(holder.Mode(), kModePlaying);
  Advance(1);
  EXPECT_EQ(holder.Mode(), kModeStopped);
  holder.Command("Prev");
  EXPECT_EQ(holder.Mode(), kModeStopped);  // rewinding does not start it
  holder.Command("Play");
  Advance(99);
  EXPECT_EQ(holder.Mode(), kModePlaying);
}

TEST_F(SoundHolder, PlaysItsFullLengthAcrossTheClockWrap) {
  HeadlessOptions options;
  options.clockStart = 0xFFFFFFC0u;
  StartHost(options);
  MciControl holder("mciBossBlast", false);
  Open(holder, "Music/BossBlast.wav");  // 100 ms, of which 64 before the wrap
  holder.Command("Play");
  Advance(99);
  EXPECT_EQ(holder.Mode(), kModePlaying);
  Advance(1);
  EXPECT_EQ(holder.Mode(), kModeStopped);
}

TEST_F(SoundHolder, CloseEndsItAndOpenBringsItBack) {
  MciControl holder("mciTama3", false);
  Open(holder, "Music/Tama3.wav");
  holder.Command("Play");
  holder.Command("Close");
  EXPECT_EQ(holder.Mode(), kModeNotOpen);
  holder.Command("Play");
  EXPECT_EQ(holder.Mode(), kModeNotOpen);
  holder.Command("Open");
  EXPECT_EQ(holder.Mode(), kModeStopped);
}

TEST_F(SoundHolder, AMissingOrUnreadableFileNeverOpens) {
  folder_.Write("Music/Garbage.wav", "this is no sound at all");
  folder_.Write("Music/Empty.wav", "");
  folder_.Write("Music/NoData.wav", AsText(Riff({{"fmt ", PcmFormat(8000, 1, 8)}})));
  for (const char* name :
       {"Music/Missing.wav", "Music/Garbage.wav", "Music/Empty.wav", "Music/NoData.wav"}) {
    MciControl holder("mciMyBlast", false);
    Open(holder, name);
    holder.Command("Prev");
    holder.Command("Play");
    EXPECT_EQ(holder.Mode(), kModeNotOpen) << name;
  }
  // Opening a missing file drops the one opened before.
  MciControl holder("mciMyBlast", false);
  Open(holder, "Music/MyBlast.wav");
  Open(holder, "Music/Missing.wav");
  EXPECT_EQ(holder.Mode(), kModeNotOpen);
}

// The browser fetches the music after the game has started: a piece on its way counts as there,
// keeps the commands it is given, and plays from its start once its file has arrived.
TEST_F(SoundHolder, AFileOnItsWayPlaysOnceItHasArrived) {
  const std::string late = folder_ / "Music/Late.wav";
  const std::string lost = folder_ / "Music/Lost.wav";
  SetFileOnItsWay(late, true);
  SetFileOnItsWay(lost, true);
  EXPECT_TRUE(CanOpenRegularFile(late));
  MciControl holder("mciBackMusic", true), other("mciBackMusic", true);
  Open(holder, "Music/Late.wav");
  Open(other, "Music/Lost.wav");
  EXPECT_EQ(holder.Mode(), kModeStopped);
  for (MciControl* h : {&holder, &other}) {
    h->Command("Prev");
    h->Command("Play");
    EXPECT_EQ(h->Mode(), kModePlaying);
  }
  Advance(1000);
  EXPECT_EQ(holder.Mode(), kModePlaying);  // still on its way

  folder_.Write("Music/Late.wav", AsText(MakeWav(250)));
  SetFileOnItsWay(late, false);
  SetFileOnItsWay(lost, false);  // the fetch failed: nothing was written
  EXPECT_FALSE(CanOpenRegularFile(lost));
  EXPECT_EQ(holder.Mode(), kModePlaying);
  EXPECT_EQ(other.Mode(), kModeStopped);
  Advance(249);
  EXPECT_EQ(holder.Mode(), kModePlaying);
  Advance(1);
  EXPECT_EQ(holder.Mode(), kModeStopped);
  other.Command("Play");
  EXPECT_EQ(other.Mode(), kModeStopped);
}

TEST(WavLength, ComesFromTheDataSizeAndTheByteRate) {
  EXPECT_DOUBLE_EQ(*WavLengthMs(MakeWav(100)), 100.0);
  // 16-bit stereo at 44.1 kHz: 176400 bytes a second.
  EXPECT_DOUBLE_EQ(*WavLengthMs(Riff({{"fmt ", PcmFormat(44100, 2, 16)}, {"data", Bytes(17640)}})),
                   100.0);
  // Chunks before the data, one of odd size, are skipped.
  EXPECT_DOUBLE_EQ(
      *WavLengthMs(
          Riff({{"fmt ", PcmFormat(8000, 1, 8)}, {"LIST", Bytes(7, 'a')}, {"data", Bytes(400)}})),
      50.0);
  // A truncated file plays what it holds.
  Bytes cut = MakeWav(100);
  cut.erase(cut.end() - 400, cut.end());
  EXPECT_DOUBLE_EQ(*WavLengthMs(cut), 50.0);
}

TEST(WavLength, NeedsARiffWaveWithAFormatBeforeItsData) {
  EXPECT_FALSE(WavLengthMs({}));
  EXPECT_FALSE(WavLengthMs(Riff({{"data", Bytes(80)}, {"fmt ", PcmFormat(8000, 1, 8)}})));
  Bytes notWave = MakeWav(10);
  notWave[8] = 'A';
  EXPECT_FALSE(WavLengthMs(notWave));
  EXPECT_FALSE(WavLengthMs(MakeMp3(3)));
}

TEST(Mp3Length, AddsUpEveryFrame) {
  const double frameMs = 1152 * 1000.0 / 44100;
  EXPECT_NEAR(*Mp3LengthMs(MakeMp3(1)), frameMs, 1e-9);
  EXPECT_NEAR(*Mp3LengthMs(MakeMp3(10)), 10 * frameMs, 1e-9);

  // An ID3v2 tag of 300 bytes (size written 7 bits a byte), then junk to resynchronise over.
  // The tag is filled with frame headers that must not be counted.
  Bytes tagged = {'I', 'D', '3', 3, 0, 0, 0, 0, 2, 44};
  for (int i = 0; i < 75; ++i) tagged.insert(tagged.end(), {0xFF, 0xFB, 0x90, 0x00});
  tagged.insert(tagged.end(), {0x12, 0x34, 0x56});
  Bytes frames = MakeMp3(4);
  tagged.insert(tagged.end(), frames.begin(), frames.end());
  EXPECT_NEAR(*Mp3LengthMs(tagged), 4 * frameMs, 1e-9);

  // With the padding bit a frame is 418 bytes long.
  Bytes padded;
  for (int i = 0; i < 3; ++i) {
    padded.insert(padded.end(), {0xFF, 0xFB, 0x92, 0x00});
    padded.resize(padded.size() + 418 - 4);
  }
  EXPECT_NEAR(*Mp3LengthMs(padded), 3 * frameMs, 1e-9);
}

TEST(Mp3Length, FindsNothingInOtherBytes) {
  EXPECT_FALSE(Mp3LengthMs({}));
  EXPECT_FALSE(Mp3LengthMs(Bytes(2000, 0x41)));
  EXPECT_FALSE(Mp3LengthMs({0xFF, 0xFB, 0xF0, 0x00}));  // bitrate index 15 is no frame
}

TEST(SoundLength, RecognisesTheFormatByContent) {
  EXPECT_DOUBLE_EQ(*SoundLengthMs(MakeWav(30)), 30.0);
  EXPECT_NEAR(*SoundLengthMs(MakeMp3(2)), 2 * 1152 * 1000.0 / 44100, 1e-9);
  EXPECT_FALSE(SoundLengthMs({}));
}

}  // namespace
}  // namespace vormelda
