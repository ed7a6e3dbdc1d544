#include "render/ship_sprites.hpp"

#include "shell/frame.hpp"
#include "shell/game_state.hpp"

namespace vormelda {

void DrawExhaustFlame(int shipX, int shipY) {
  int m = FrameCount % 6;
  int f = m < 2 ? 400 : m < 4 ? 420 : 440;
  DrawMasked(shipX + 15, shipY + 40, 20, 20, f, 732, f, 712);
}

void DrawLevelShip(int shipX, int shipY) {
  DrawMasked(shipX, shipY, 50, 50, 26, 220, 26, 170);
}

}  // namespace vormelda
