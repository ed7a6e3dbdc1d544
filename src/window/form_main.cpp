#include "window/form_main.hpp"

#include "platform/keys.hpp"

namespace vormelda {

void FormMain::SetCaption(std::string_view text) {
  caption_ = text;
  Host().SetCaption(text);
}

void FormMain::SetFieldVisible(bool visible) {
  picMain.Visible = visible;
  Host().SetFieldVisible(visible);
}

void FormMain::RefreshField() {
  Host().Present(picMain.Image);
}

void FormMain::Reset() {
  for (MciControl* c : {&mciBackMusic, &mciMyBlast, &mciItem, &mciBom, &mciTama3, &mciEnemyBlast,
                        &mciBossBlast, &mciHit}) {
    c->Command("Close");
  }
  picMain = {};
  picCharacter = {};
  picBossBlast = {};
  PicBom = {};
  PicBack = {};
  Tag.clear();
  KeyPreview = false;
  caption_.clear();
}

void FormMain::OnKeyUp(int virtualKey) {
  Form_KeyUp(virtualKey, 0);
}

void FormMain::OnClose() {
  int cancel = 0;
  Form_QueryUnload(cancel, 0);
  Form_Unload(cancel);
}

void Form_KeyUp(int keyCode, int /*shift*/) {
  if (keyCode == VK_RETURN) frmMain.Tag = kTagLeave;
}

void Form_QueryUnload(int& /*cancel*/, int /*unloadMode*/) {
  frmMain.mciEnemyBlast.Command("Close");
  frmMain.mciMyBlast.Command("Close");
  frmMain.mciItem.Command("Close");
  frmMain.mciHit.Command("Close");
  frmMain.mciBom.Command("Close");
  frmMain.mciTama3.Command("Close");
  frmMain.mciBackMusic.Command("Close");
}

void Form_Unload(int& /*cancel*/) {
  throw ProgramEnd{};
}

}  // namespace vormelda
