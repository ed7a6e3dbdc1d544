// A fixed array indexed 1..N, as the shot slots are.
#pragma once

#include <array>
#include <cassert>
#include <cstddef>

namespace vormelda {

template <typename T, int N>
struct OneBasedArray {
  std::array<T, N> items{};

  static constexpr int Size() { return N; }
  T& operator[](int index) {
    assert(index >= 1 && index <= N);
    return items[static_cast<size_t>(index - 1)];
  }
  const T& operator[](int index) const {
    assert(index >= 1 && index <= N);
    return items[static_cast<size_t>(index - 1)];
  }
  auto begin() { return items.begin(); }
  auto end() { return items.end(); }
  auto begin() const { return items.begin(); }
  auto end() const { return items.end(); }
  bool operator==(const OneBasedArray&) const = default;
};

}  // namespace vormelda
