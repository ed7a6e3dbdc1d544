// Pictures decoded on worker threads, as many as the machine has cores (at most four), taken in
// the order they were asked for.
#include <SDL_image.h>

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

#include "platform/platform.hpp"

namespace vormelda {

struct PictureLoads::Impl {
  struct Slot {
    bool done = false;
    bool ok = false;
    Surface picture;
    std::string error;
  };
  std::vector<Request> requests;
  std::vector<Slot> slots;
  std::atomic<size_t> next{0};
  std::atomic<bool> stop{false};
  std::mutex mutex;
  std::condition_variable ready;
  std::vector<std::thread> workers;

  void Work() {
    for (size_t i = next++; i < requests.size() && !stop; i = next++) {
      Slot result;
      result.ok = LoadPictureFile(requests[i].path, requests[i].rule, result.picture, result.error);
      result.done = true;
      const std::lock_guard<std::mutex> lock(mutex);
      slots[i] = std::move(result);
      ready.notify_all();
    }
  }
};

PictureLoads::PictureLoads(std::vector<Request> requests) : impl_(std::make_unique<Impl>()) {
  // The image library finds its decoders once, before any thread asks for them.
  IMG_Init(IMG_INIT_JPG | IMG_INIT_PNG | IMG_INIT_TIF | IMG_INIT_WEBP);
  impl_->requests = std::move(requests);
  impl_->slots.resize(impl_->requests.size());
  const size_t threads = std::clamp<size_t>(std::thread::hardware_concurrency(), 1, 4);
  for (size_t t = 0; t < std::min(threads, impl_->requests.size()); ++t) {
    impl_->workers.emplace_back([impl = impl_.get()] { impl->Work(); });
  }
}

PictureLoads::~PictureLoads() {
  impl_->stop = true;
  for (std::thread& worker : impl_->workers) worker.join();
}

bool PictureLoads::Take(size_t i, Surface& out, std::string& error) {
  std::unique_lock<std::mutex> lock(impl_->mutex);
  impl_->ready.wait(lock, [&] { return impl_->slots[i].done; });
  Impl::Slot& slot = impl_->slots[i];
  error = std::move(slot.error);
  if (slot.ok) out = std::move(slot.picture);
  return slot.ok;
}

}  // namespace vormelda
