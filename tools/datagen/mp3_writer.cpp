#include "mp3_writer.hpp"

#include <lame/lame.h>

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <stdexcept>
#include <vector>

namespace vormelda::datagen {

namespace {
struct LameCloser {
  void operator()(lame_global_flags* g) const { lame_close(g); }
};
}  // namespace

void WriteMp3(const std::string& path, const Stereo& sound) {
  std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
  if (!lame) throw std::runtime_error("lame_init failed");
  lame_global_flags* g = lame.get();
  lame_set_in_samplerate(g, kSampleRate);
  lame_set_out_samplerate(g, kSampleRate);
  lame_set_num_channels(g, 2);
  lame_set_mode(g, JOINT_STEREO);
  lame_set_brate(g, 160);
  lame_set_VBR(g, vbr_off);
  lame_set_quality(g, 5);
  lame_set_bWriteVbrTag(g, 1);
  lame_set_write_id3tag_automatic(g, 0);
  if (lame_init_params(g) < 0) throw std::runtime_error("lame_init_params failed");

  const int n = static_cast<int>(sound.left.size());
  std::vector<short> left(sound.left.size()), right(sound.right.size());
  for (int i = 0; i < n; ++i) {
    auto to16 = [](float v) {
      return static_cast<short>(
          std::lround(std::clamp(static_cast<double>(v), -1.0, 1.0) * 32767.0));
    };
    left[static_cast<std::size_t>(i)] = to16(sound.left[static_cast<std::size_t>(i)]);
    right[static_cast<std::size_t>(i)] = to16(sound.right[static_cast<std::size_t>(i)]);
  }
  std::vector<unsigned char> out;
  constexpr int kChunk = 8192;
  std::vector<unsigned char> buf(static_cast<std::size_t>(kChunk * 5 / 4 + 7200));
  for (int pos = 0; pos < n; pos += kChunk) {
    const int count = std::min(kChunk, n - pos);
    const int bytes = lame_encode_buffer(g, left.data() + pos, right.data() + pos, count,
                                         buf.data(), static_cast<int>(buf.size()));
    if (bytes < 0) throw std::runtime_error("lame_encode_buffer failed");
    out.insert(out.end(), buf.begin(), buf.begin() + bytes);
  }
  const int bytes = lame_encode_flush(g, buf.data(), static_cast<int>(buf.size()));
  if (bytes < 0) throw std::runtime_error("lame_encode_flush failed");
  out.insert(out.end(), buf.begin(), buf.begin() + bytes);
  // The information frame goes over the placeholder at the very start.
  std::vector<unsigned char> tag(4096);
  const std::size_t tagSize = lame_get_lametag_frame(g, tag.data(), tag.size());
  if (tagSize > 0 && tagSize <= out.size()) std::copy_n(tag.begin(), tagSize, out.begin());

  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(out.data()), static_cast<std::streamsize>(out.size()));
  if (!file) throw std::runtime_error("cannot write " + path);
}

}  // namespace vormelda::datagen
