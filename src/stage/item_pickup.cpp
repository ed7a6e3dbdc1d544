#include "stage/item_pickup.hpp"

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"

namespace vormelda {

bool ItemTaken(const ItemRecord& item) {
  static constexpr int32_t kPoints[12][2] = {{0, 0},   {17, 0}, {35, 0},  {8, 8},
                                             {26, 8},  {0, 17}, {35, 17}, {8, 26},
                                             {26, 26}, {0, 35}, {17, 35}, {35, 35}};
  const int32_t cx = Player.X + 25;
  const int32_t cy = Player.Y + 25;
  for (const auto& p : kPoints) {
    if (IsTrue(InEllipse(25, 25, cx, cy, item.X + p[0], item.Y + p[1]))) return true;
  }
  return false;
}

// The ship's last position still picks items up while it explodes.
void CollectItems() {
  if (IsTrue(PowerItem.Alive) && ItemTaken(PowerItem)) {
    PlayEffect(frmMain.mciItem);
    PowerItem.Alive = kFalse;
    Player.Power = 2;
    Player.Score += 500;
    for (ShotSlot& s : CenterShots) {
      s.DX = 0;
      s.DY = -15;
    }
  }
  if (IsTrue(BombItem.Alive) && ItemTaken(BombItem)) {
    PlayEffect(frmMain.mciItem);
    BombItem.Alive = kFalse;
    ++Player.Bombs;
    Player.Score += 1000;
  }
}

}  // namespace vormelda
