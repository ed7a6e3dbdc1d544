#pragma once

namespace vormelda {

// Composes one whole frame of the scrolling stage into the play field and shows it.
void DrawStage();

}  // namespace vormelda
