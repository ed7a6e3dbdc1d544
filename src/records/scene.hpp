// Which scene is running, for the runner's trace.
#pragma once

#include <string_view>

namespace vormelda {

inline std::string_view CurrentScene = "loading";

}  // namespace vormelda
