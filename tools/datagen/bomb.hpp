// The bomb animation (Picture/bom.pic and its mask Picture/bomm.pic) and the boss's final
// explosion (Picture/BossBlast.pic).
#pragma once

#include "image.hpp"

namespace vormelda::datagen {

struct ImageAndMask {
  Image image;
  Image mask;
};

// 5 x 4 frames of 420 x 560, frame (i, j) at (420 i, 560 j + 1); sheets of 2100 x 2241.
ImageAndMask BuildBombSheets();

// Twelve 400 x 400 pictures in two rows of six, each mask 800 below its image; 2400 x 1600.
Image BuildBossBlastSheet();

}  // namespace vormelda::datagen
