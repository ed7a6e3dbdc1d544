// The effect sounds (mono): each is made from oscillators, noise and filters.
#pragma once

#include "synth.hpp"

namespace vormelda::datagen {

Samples MakeShotSound();         // Music/MyAttack.wav: a short zap, under 100 ms
Samples MakePlayerBlastSound();  // Music/MyBlast.wav
Samples MakePowerUpSound();      // Music/PowerUp.wav
Samples MakeBombSound();         // Music/Bom.wav
Samples MakeLaunchSound();       // Music/Tama3.wav: the boss's large bullet
Samples MakeEnemyBlastSound();   // Music/EnemyBlast.wav
Samples MakeBossBlastSound();    // Music/BossBlast.wav: the boss's long final explosion

}  // namespace vormelda::datagen
