// Makers of the sprite sheet's pictures. Each returns a canvas of the picture's size whose solid
// pixels are the sprite; the sheet writer derives the image and the mask from it.
#pragma once

#include "image.hpp"

namespace vormelda::datagen {

// Player (sprites_ship.cpp). tilt -3..3: negative rolls to the left.
Canvas MakeShip(int tilt);
// The level ship drawn afresh at size x size pixels, for the program's icons.
Canvas MakeShipIcon(int size);
Canvas MakeFlame(int frame);  // 0..2
Canvas MakeShot(bool diagonal);

// Enemies, items and bullets (sprites_enemies.cpp, sprites_bullets.cpp).
Canvas MakeEnemy(int kind);  // 1..3
Canvas MakeItem(bool bomb);
Canvas MakeSmallBullet(int picture);   // 0..4
Canvas MakeMediumBullet(int picture);  // 0..5

// Boss (sprites_boss.cpp).
Canvas MakeBoss();
Canvas MakeBall(int picture);  // 0..2

// Explosion (sprites_explosion.cpp).
Canvas MakeExplosion(int frame);  // 0..7

// Text and status pictures (sprites_text.cpp, sprites_screens.cpp).
Canvas MakeShipsLabel();
Canvas MakeBombsLabel();
Canvas MakeDigit(int digit);
Canvas MakeCount(int count);
Canvas MakeHighScoreCaption();
Canvas MakeTitleLogo();
Canvas MakeTitleLine1();
Canvas MakeTitleLine2();
Canvas MakeGameOver();
Canvas MakeScoreLabel();
Canvas MakeCredits(int picture);  // 1..3
Canvas MakeSuperSpeedBanner();
Canvas MakeGaugeLabel();
Canvas MakeGaugeFrame();
Canvas MakeGaugeBar();

}  // namespace vormelda::datagen
