// Every record of the game lists its fields once, by name and in order, in a member template
// Fields(f) that calls f(name, field) for each. The state checksum of a recording and the runner's
// trace both walk these lists.
#pragma once

namespace vormelda {

template <typename T>
concept HasFields = requires(const T& r) {
  r.Fields([](const char*, const auto&) {});
};

}  // namespace vormelda
