#pragma once

namespace vormelda {

// Whether the boss's body or one of its bullets hits the ship; a large ball that hits flies on.
void CheckPlayerHitBoss();

}  // namespace vormelda
