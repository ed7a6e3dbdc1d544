#include "render/sprites.hpp"

namespace vormelda {

void DrawSpriteStretched(const Sprite& s, Rect to) {
  Surface& field = Field();
  const Surface& sheet = frmMain.picCharacter.Image;
  StretchBlt(field, to, sheet, s.MaskRect(), SRCAND);
  StretchBlt(field, to, sheet, s.ImageRect(), SRCPAINT);
}

void DrawOpaqueSprite(const Sprite& s, Point at, int width) {
  BlackRect(At(at, width, s.h));
  BitBlt(Field(), At(at, width, s.h), frmMain.picCharacter.Image, s.image, SRCPAINT);
}

void DrawMaskedPicture(Rect to, const Surface& maskSheet, Point maskAt, const Surface& imageSheet,
                       Point imageAt) {
  Surface& field = Field();
  BitBlt(field, to, maskSheet, maskAt, SRCAND);
  BitBlt(field, to, imageSheet, imageAt, SRCPAINT);
}

void BlackRect(Rect r) {
  BitBlt(Field(), r, nullptr, {}, BLACKNESS);
}

}  // namespace vormelda
