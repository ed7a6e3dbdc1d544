// Sound through the mixer library: every effect clip owns a mixer channel, the music clips share
// the one music stream, and the shot sound plays from memory on a channel kept for it.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "platform/sdl_internal.hpp"
#include "platform/system.hpp"

namespace vormelda::sdl {

namespace {

constexpr int kSampleRate = 44100;
constexpr int kOutputChannels = 2;
constexpr int kChunkSamples = 1024;  // short enough that a shot is heard on its frame

// The levels of the mix. Every sound and the music play at half their level, so that even the
// busiest moment (music, a bomb, explosions, shots) sums below full scale inside the mixer; the
// mixed stream is then brought back up and a limiter keeps its peaks under -1 dBFS (limiter.hpp).
constexpr int kFullLevel = MIX_MAX_VOLUME / 2;

// A player's volume, 0 to 100, at the mix's half level.
int Level(int volume) {
  return kFullLevel * std::clamp(volume, 0, 100) / 100;
}

// The limiter on the mixed stream (signed 16-bit, interleaved stereo), on the audio thread.
void Limit(void* limiter, Uint8* stream, int bytes) {
  const int frames = bytes / static_cast<int>(sizeof(Sint16) * kOutputChannels);
  static_cast<Limiter*>(limiter)->Process(reinterpret_cast<Sint16*>(stream), frames,
                                          kOutputChannels);
}

// An effect: a decoded sound on a channel of its own.
class EffectClip final : public AudioClip {
 public:
  EffectClip(std::shared_ptr<Mixer> mixer, ChunkPtr chunk)
      : mixer_(std::move(mixer)), chunk_(std::move(chunk)), channel_(mixer_->AcquireChannel()) {
    Mix_Volume(channel_, mixer_->effectsLevel);
  }
  ~EffectClip() override {
    Mix_HaltChannel(channel_);
    chunk_.reset();
    mixer_->ReleaseChannel(channel_);
  }

  void Play() override {
    if (atStart_) {
      if (Mix_PlayChannel(channel_, chunk_.get(), 0) < 0) return;
      Mix_Resume(channel_);
      atStart_ = false;
    } else if (Mix_Playing(channel_) != 0 && Mix_Paused(channel_) != 0) {
      Mix_Resume(channel_);
    }
    // Played to its end and not rewound: the position is the end, nothing to play.
  }
  void Stop() override {
    if (Mix_Playing(channel_) != 0) Mix_Pause(channel_);
  }
  void Rewind() override {
    Mix_HaltChannel(channel_);
    atStart_ = true;
  }
  bool Playing() override { return Mix_Playing(channel_) != 0 && Mix_Paused(channel_) == 0; }

 private:
  std::shared_ptr<Mixer> mixer_;
  ChunkPtr chunk_;
  int channel_;
  bool atStart_ = true;
};

// A piece of music in the mixer's music stream, which only one piece holds at a time. The stream
// is decoded from the file's bytes, held here for as long as the piece.
class MusicClip final : public AudioClip {
 public:
  MusicClip(std::shared_ptr<Mixer> mixer, std::vector<uint8_t> file)
      : mixer_(std::move(mixer)),
        file_(std::move(file)),
        music_(
            Mix_LoadMUS_RW(SDL_RWFromConstMem(file_.data(), static_cast<int>(file_.size())), 1)) {}
  bool Loaded() const { return music_ != nullptr; }
  ~MusicClip() override {
    if (Owner()) {
      Mix_HaltMusic();
      mixer_->musicOwner = nullptr;
    }
    music_.reset();
  }

  void Play() override {
    if (atStart_ || !Owner()) {
      if (Mix_PlayMusic(music_.get(), 1) != 0) return;
      mixer_->musicOwner = this;
      atStart_ = false;
    } else if (Mix_PausedMusic() != 0) {
      Mix_ResumeMusic();
    }
  }
  void Stop() override {
    if (Owner()) Mix_PauseMusic();
  }
  void Rewind() override {
    if (Owner()) Mix_HaltMusic();
    atStart_ = true;
  }
  bool Playing() override { return Owner() && Mix_PlayingMusic() != 0 && Mix_PausedMusic() == 0; }

 private:
  bool Owner() const { return mixer_->musicOwner == this; }

  std::shared_ptr<Mixer> mixer_;
  std::vector<uint8_t> file_;
  MusicPtr music_;
  bool atStart_ = true;
};

}  // namespace

// ---- Mixer ----

std::shared_ptr<Mixer> Mixer::Open(int musicVolume, int effectsVolume) {
  std::unique_ptr<Subsystem> subsystem;
  bool opened = false;
  {
    // The sound libraries write a page of complaints to stderr where there is no sound card;
    // one line below says what it means.
    const StderrSilenced quiet;
    subsystem = std::make_unique<Subsystem>(SDL_INIT_AUDIO);
    if (subsystem->Ok()) {
      Mix_Init(MIX_INIT_MP3);  // a failure shows when a piece does not load
      opened = Mix_OpenAudio(kSampleRate, AUDIO_S16SYS, kOutputChannels, kChunkSamples) == 0;
      if (!opened) Mix_Quit();
    }
  }
  if (!opened) {
    std::fputs("vormelda: no audio device was found; the game runs silent\n", stderr);
    return nullptr;
  }
  std::shared_ptr<Mixer> mixer(new Mixer());
  mixer->subsystem_ = std::move(subsystem);
  mixer->allocated_ = Mix_AllocateChannels(8);
  Mix_ReserveChannels(1);  // the shot sound's
  mixer->effectsLevel = Level(effectsVolume);
  Mix_Volume(kShotChannel, mixer->effectsLevel);
  Mix_VolumeMusic(Level(musicVolume));
  Mix_SetPostMix(Limit, &mixer->limiter_);
  return mixer;
}

Mixer::Mixer() : limiter_(kSampleRate) {}

Mixer::~Mixer() {
  Mix_SetPostMix(nullptr, nullptr);
  Mix_HaltChannel(-1);
  Mix_HaltMusic();
  Mix_CloseAudio();
  Mix_Quit();
}

int Mixer::AcquireChannel() {
  if (!free_.empty()) {
    const int channel = free_.back();
    free_.pop_back();
    return channel;
  }
  const int channel = next_++;
  if (channel >= allocated_) allocated_ = Mix_AllocateChannels(std::max(8, allocated_ * 2));
  return channel;
}

void Mixer::ReleaseChannel(int channel) {
  free_.push_back(channel);
}

// ---- Audio ----

Audio::Audio(bool mute, int musicVolume, int effectsVolume)
    : mixer_(mute ? nullptr : Mixer::Open(musicVolume, effectsVolume)) {}

Audio::~Audio() {
  if (mixer_) Mix_HaltChannel(kShotChannel);
  shot_.reset();
}

std::unique_ptr<AudioClip> Audio::OpenClip(std::vector<uint8_t> file, bool music) {
  if (!mixer_ || file.empty()) return nullptr;
  if (music) {
    auto piece = std::make_unique<MusicClip>(mixer_, std::move(file));
    if (!piece->Loaded()) return nullptr;
    return piece;
  }
  ChunkPtr chunk(Mix_LoadWAV_RW(SDL_RWFromConstMem(file.data(), static_cast<int>(file.size())), 1));
  if (!chunk) return nullptr;
  return std::make_unique<EffectClip>(mixer_, std::move(chunk));
}

void Audio::PlayFromMemory(const std::vector<uint8_t>& wav) {
  if (!mixer_) return;
  const bool same = haveShot_ && wav.size() == shotBytes_.size() &&
                    (wav.empty() || std::memcmp(wav.data(), shotBytes_.data(), wav.size()) == 0);
  if (!same) {
    Mix_HaltChannel(kShotChannel);
    shot_.reset();
    shotBytes_ = wav;
    haveShot_ = true;
    if (!wav.empty()) {
      SDL_RWops* rw = SDL_RWFromConstMem(wav.data(), static_cast<int>(wav.size()));
      if (rw != nullptr) shot_.reset(Mix_LoadWAV_RW(rw, 1));  // closes rw
    }
  }
  if (!shot_) {
    Mix_HaltChannel(kShotChannel);  // not playable: the new shot still cuts off the old one
    return;
  }
  Mix_PlayChannel(kShotChannel, shot_.get(), 0);
}

}  // namespace vormelda::sdl
