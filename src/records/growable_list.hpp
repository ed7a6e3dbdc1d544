// A list indexed from 1 that grows only by appending and shrinks only by compaction. It is either
// unallocated or holds indices 1..n with n >= 1; it is never shortened to zero entries.
#pragma once

#include <cassert>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace vormelda {

template <typename T>
class GrowableList {
 public:
  bool Allocated() const { return !items_.empty(); }
  // The upper index; callers test Allocated() first, as the game handles an unallocated list.
  int32_t UBound() const { return static_cast<int32_t>(items_.size()); }

  T& operator[](int32_t index) {
    assert(index >= 1 && index <= UBound());
    return items_[static_cast<size_t>(index - 1)];
  }
  const T& operator[](int32_t index) const {
    assert(index >= 1 && index <= UBound());
    return items_[static_cast<size_t>(index - 1)];
  }

  // Grows by one entry at the end (allocating indices 1..1 when unallocated) and returns it.
  T& Append(const T& entry = T{}) {
    items_.push_back(entry);
    return items_.back();
  }
  // Keeps entries 1..k; k < 1 leaves the list as it is.
  void ShrinkTo(int32_t k) {
    if (k >= 1 && k < UBound()) items_.resize(static_cast<size_t>(k));
  }
  // Back to unallocated.
  void Erase() { items_.clear(); }

  const std::vector<T>& Entries() const { return items_; }
  bool operator==(const GrowableList&) const = default;

 private:
  std::vector<T> items_;
};

}  // namespace vormelda
