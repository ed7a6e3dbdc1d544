// A picture holder of the window: an image of its own, drawn into by block transfers. The play
// field shows its image on the screen by Refresh().
#pragma once

#include "platform/surface.hpp"

namespace vormelda {

struct PictureBox {
  Surface Image;
  bool Visible = true;
};

}  // namespace vormelda
