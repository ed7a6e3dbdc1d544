#pragma once

#include "records/shot_slot.hpp"

namespace vormelda {

// A falling 35 x 35 item, the power item or the bomb item. It has a shot slot's fields, to the
// type: a position, a step per frame in X and Y, and the live flag; so one record serves both.
using ItemRecord = ShotSlot;

}  // namespace vormelda
