#include "render/ship_sprites.hpp"

#include "records/game_state.hpp"
#include "render/sprites.hpp"

namespace vormelda {

void DrawExhaustFlame(int shipX, int shipY) {
  // Each of its three pictures shows for two frames.
  const int m = FrameCount % 6;
  DrawSprite(sprite::kFlame[m < 2 ? 0 : m < 4 ? 1 : 2], {shipX + 15, shipY + 40});
}

void DrawLevelShip(int shipX, int shipY) {
  DrawSprite(sprite::kShip, {shipX, shipY});
}

}  // namespace vormelda
