#pragma once

#include "records/item_record.hpp"

namespace vormelda {

// The ship takes the power item (Power 2, faster centre shots, 500 points) and the bomb item
// (a bomb, 1000 points) when one of twelve points of the item lies within 25 of its middle.
void CollectItems();

bool ItemTaken(const ItemRecord& item);

}  // namespace vormelda
