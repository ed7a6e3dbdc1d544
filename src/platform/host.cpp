#include <stdexcept>

#include "platform/platform.hpp"

namespace vormelda::detail {

void NoHost() {
  throw std::logic_error("no platform back end has been set");
}

}  // namespace vormelda::detail
