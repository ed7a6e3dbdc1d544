// Pictures decoded one after the other, each when it is taken: for systems without threads (the
// browser's).
#include <SDL_image.h>

#include "platform/platform.hpp"

namespace vormelda {

struct PictureLoads::Impl {
  std::vector<Request> requests;
};

PictureLoads::PictureLoads(std::vector<Request> requests) : impl_(std::make_unique<Impl>()) {
  IMG_Init(IMG_INIT_PNG);
  impl_->requests = std::move(requests);
}

PictureLoads::~PictureLoads() = default;

bool PictureLoads::Take(size_t i, Surface& out, std::string& error) {
  const Request& request = impl_->requests[i];
  return LoadPictureFile(request.path, request.rule, out, error);
}

}  // namespace vormelda
