#pragma once

namespace vormelda {

// Appends the enemies due at this FrameCount, then launches and moves the two falling items.
void StageScript();

}  // namespace vormelda
