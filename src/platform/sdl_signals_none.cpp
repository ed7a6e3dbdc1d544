// Systems where no end signal reaches a windowed program (Windows, whose own requests to end arrive
// as SDL's quit event, and the browser): nothing to catch around a dialog.
#include "platform/sdl_internal.hpp"

namespace vormelda::sdl {

EndSignals::EndSignals() = default;
EndSignals::~EndSignals() = default;
DialogOpen::DialogOpen(int) {}
DialogOpen::~DialogOpen() = default;

}  // namespace vormelda::sdl
