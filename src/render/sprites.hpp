// Drawing the sheets' pictures into the play field. A masked picture is two block transfers:
// the mask with AND, then the image with OR, so the field shows through where the mask is white.
#pragma once

#include "platform/surface.hpp"
#include "render/sprite_sheet.hpp"
#include "window/form_main.hpp"
#include "window/frame.hpp"

namespace vormelda {

// A picture of the sprite sheet at `at`, through its mask.
inline void DrawSprite(const Sprite& s, Point at) {
  Surface& field = Field();
  const Surface& sheet = frmMain.picCharacter.Image;
  BitBlt(field, At(at, s.w, s.h), sheet, s.mask, SRCAND);
  BitBlt(field, At(at, s.w, s.h), sheet, s.image, SRCPAINT);
}

// The same stretched onto the block `to`.
void DrawSpriteStretched(const Sprite& s, Rect to);

// A picture without a mask, opaque: its block blackened, then the picture ORed on. Only its first
// `width` columns are drawn.
void DrawOpaqueSprite(const Sprite& s, Point at, int width);

// A block masked from other sheets than the sprite sheet (the bomb's, the boss explosion's): the
// mask at maskAt with AND, then the image at imageAt with OR, onto `to`.
void DrawMaskedPicture(Rect to, const Surface& maskSheet, Point maskAt, const Surface& imageSheet,
                       Point imageAt);

// A black block.
void BlackRect(Rect r);

}  // namespace vormelda
