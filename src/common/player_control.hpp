#pragma once

namespace vormelda {

// The first step of every stage frame: polls the joystick, then steers the ship, fires and sets
// off bombs from the keyboard and, when the poll succeeds, the joystick too.
void ReadPlayerInput();
// The control with keyboard and joystick.
void PlayerControl();
// Polls the first joystick into JoyInfo, asking for every field; true when one answers.
bool PollJoystick();
// The bank one step back towards level.
void LevelBank();
// The ship as a new game and every new ship have it: at (185, 410), power 1, two bombs, every
// cooldown run out.
void FreshShip();

}  // namespace vormelda
