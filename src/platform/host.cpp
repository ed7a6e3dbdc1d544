#include "platform/platform.hpp"

#include <stdexcept>

namespace vormelda {

namespace {
Platform* gHost = nullptr;
}

Platform& Host() {
  if (gHost == nullptr) throw std::logic_error("no platform back end has been set");
  return *gHost;
}

void SetHost(Platform* platform) {
  gHost = platform;
}

}  // namespace vormelda
