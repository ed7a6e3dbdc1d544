// The runner's view of the game: the whole state at a yield as one JSON object.
#pragma once

#include <cstdint>
#include <nlohmann/json.hpp>

namespace vormelda {

nlohmann::ordered_json TraceRecord(int64_t tick, uint32_t clock);

}  // namespace vormelda
