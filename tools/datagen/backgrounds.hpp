// The five 420 x 560 backgrounds Picture/1.pic .. Picture/5.pic.
//
// The game joins them in pairs, the upper piece's bottom edge on the lower piece's top edge:
// 1 over 1, 2 over 1, 3 over 2, 3 over 3, 4 over 3, 5 over 4 and 5 over 5. Each is made from
// three layers that repeat every 560 rows: open space (A), the surface of the enemy world (B)
// and the hull of the enemy fortress (C). Picture 1 is space with the home planet in its middle,
// 2 is space below and the enemy world's limb above, 3 is that world's surface, 4 its surface
// below and the fortress's front wall above, 5 the fortress hull. So every edge shows one layer
// exactly, and every join continues that layer without a seam.
#pragma once

#include "image.hpp"

namespace vormelda::datagen {

Image BuildBackground(int number);  // 1..5

}  // namespace vormelda::datagen
