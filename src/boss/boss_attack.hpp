#pragma once

namespace vormelda {

// The boss's bullets: aimed pairs from its guns, fans from its body and large slow balls on a
// fixed schedule, faster in the second phase; then every bullet flies.
void BossAttack();

}  // namespace vormelda
