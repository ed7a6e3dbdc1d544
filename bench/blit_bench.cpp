// The drawing primitives every frame leans on, each beside a plain memcpy of the same bytes.
#include <benchmark/benchmark.h>

#include <cstring>
#include <vector>

#include "platform/surface.hpp"

namespace {

using vormelda::Surface;

void BM_FullFieldCopy(benchmark::State& state) {
  Surface field(420, 560), back(420, 560, 0xFF102030u);
  for (auto _ : state) {
    vormelda::BitBlt(field, {0, 0, 420, 560}, back, {0, 0}, vormelda::SRCCOPY);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 420 * 560 * 4);
}
BENCHMARK(BM_FullFieldCopy);

void BM_FullFieldMemcpy(benchmark::State& state) {
  std::vector<uint32_t> a(420 * 560), b(420 * 560, 1);
  for (auto _ : state) {
    std::memcpy(a.data(), b.data(), a.size() * 4);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 420 * 560 * 4);
}
BENCHMARK(BM_FullFieldMemcpy);

void BM_MaskedSprite50(benchmark::State& state) {
  Surface field(420, 560), sheet(760, 850, 0xFF808080u);
  for (auto _ : state) {
    vormelda::BitBlt(field, {185, 410, 50, 50}, sheet, {30, 120}, vormelda::SRCAND);
    vormelda::BitBlt(field, {185, 410, 50, 50}, sheet, {30, 70}, vormelda::SRCPAINT);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 2 * 50 * 50 * 4);
}
BENCHMARK(BM_MaskedSprite50);

void BM_MaskedSprite50Memcpy(benchmark::State& state) {
  std::vector<uint32_t> a(420 * 560), b(760 * 850, 1);
  for (auto _ : state) {
    for (int pass = 0; pass < 2; ++pass) {
      for (int row = 0; row < 50; ++row) {
        std::memcpy(&a[(410 + row) * 420 + 185], &b[(120 + row) * 760 + 30], 50 * 4);
      }
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 2 * 50 * 50 * 4);
}
BENCHMARK(BM_MaskedSprite50Memcpy);

void BM_FullFieldMasked(benchmark::State& state) {
  Surface field(420, 560), image(2100, 2241, 0xFF404040u), mask(2100, 2241, 0xFFFFFFFFu);
  for (auto _ : state) {
    vormelda::BitBlt(field, {0, 0, 420, 560}, mask, {840, 561}, vormelda::SRCAND);
    vormelda::BitBlt(field, {0, 0, 420, 560}, image, {840, 561}, vormelda::SRCPAINT);
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 2 * 420 * 560 * 4);
}
BENCHMARK(BM_FullFieldMasked);

void BM_FullFieldMaskedMemcpy(benchmark::State& state) {
  std::vector<uint32_t> a(420 * 560), b(2100 * 2241, 1);
  for (auto _ : state) {
    for (int pass = 0; pass < 2; ++pass) {
      for (int row = 0; row < 560; ++row) {
        std::memcpy(&a[row * 420], &b[(561 + row) * 2100 + 840], 420 * 4);
      }
    }
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(state.iterations() * 2 * 420 * 560 * 4);
}
BENCHMARK(BM_FullFieldMaskedMemcpy);

}  // namespace
