#include "render/draw_stage.hpp"

#include "common/helpers.hpp"
#include "records/game_state.hpp"
#include "render/stage_pieces.hpp"
#include "render/status_line.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"

namespace vormelda {

void DrawStage() {
  if (FrameCount == 550 && BackSwitched == kFalse) BackSwitched = kTrue;
  // The scenery moves down a pixel a frame; from frame 550 both pieces are the third picture.
  const int s = FrameCount % kFieldHeight;
  DrawOpaque(frmMain.PicBack[IsTrue(BackSwitched) ? 3 : 2], {0, s});
  DrawOpaque(frmMain.PicBack[3], {0, s - kFieldHeight});
  DrawBomb();
  DrawBlasts();
  if (DrawPlayerExplosion()) {
    // The explosion is over: the new ship appears among no enemies and no bullets.
    EmptyLists();
    Player.OnScreen = kTrue;
  }
  DrawPlayerShip();
  DrawItems();
  DrawEnemies();
  DrawPlayerShots();
  DrawSmallBullets();
  DrawStatusLine();
  frmMain.RefreshField();
}

}  // namespace vormelda
