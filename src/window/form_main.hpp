// The game's one window: the visible play field, the hidden picture holders, the sound holders,
// two properties the scenes use as flags, and the window's event procedures.
#pragma once

#include <string>
#include <string_view>

#include "platform/mci_control.hpp"
#include "platform/picture_box.hpp"
#include "platform/platform.hpp"
#include "records/one_based_array.hpp"

namespace vormelda {

// What Form_KeyUp puts into Tag when Enter is released ("leave").
inline constexpr std::string_view kTagLeave = "抜ける";

class FormMain final : public WindowEvents {
 public:
  PictureBox picMain;
  PictureBox picCharacter;
  OneBasedArray<PictureBox, 2> PicBom;
  PictureBox picBossBlast;
  OneBasedArray<PictureBox, 5> PicBack;

  MciControl mciBackMusic{"mciBackMusic", true};
  MciControl mciMyBlast{"mciMyBlast", false};
  MciControl mciItem{"mciItem", false};
  MciControl mciBom{"mciBom", false};
  MciControl mciTama3{"mciTama3", false};
  MciControl mciEnemyBlast{"mciEnemyBlast", false};
  MciControl mciBossBlast{"mciBossBlast", false};
  MciControl mciHit{"mciHit", false};

  std::string Tag;
  bool KeyPreview = false;

  const std::string& Caption() const { return caption_; }
  void SetCaption(std::string_view text);
  void SetFieldVisible(bool visible);
  // Shows the play field's image: the one refresh of a frame.
  void RefreshField();
  // Drops every picture and sound, as a fresh window has none.
  void Reset();

  void OnKeyUp(int virtualKey) override;
  void OnClose() override;

 private:
  std::string caption_;
};

inline FormMain frmMain;

void Form_KeyUp(int keyCode, int shift);
void Form_QueryUnload(int& cancel, int unloadMode);
[[noreturn]] void Form_Unload(int& cancel);

// Thrown by Form_Unload: the program ends at once, wherever a loop stands.
struct ProgramEnd {};

}  // namespace vormelda
