#include "sheet_layout.hpp"

#include <stdexcept>
#include <string>

namespace vormelda::datagen {

const SheetRect& FindSheetRect(std::string_view name) {
  for (const SheetRect& r : kSheetLayout) {
    if (r.name == name) return r;
  }
  throw std::out_of_range("no sheet rectangle named " + std::string(name));
}

}  // namespace vormelda::datagen
