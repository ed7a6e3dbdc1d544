// The data files beside the program, by the names the game opens them. The build reads this
// file too: every quoted name below in the Picture and Music folders is one the generator
// writes, so each name is written here once and nowhere else.
#pragma once

#include <array>
#include <string_view>

namespace vormelda::datafile {

// The sprite sheet, the bomb's images and masks, the boss's explosion, the five backgrounds.
inline constexpr std::string_view kCharacter = "Picture/Character.pic";
inline constexpr std::string_view kBomb = "Picture/bom.pic";
inline constexpr std::string_view kBombMask = "Picture/bomm.pic";
inline constexpr std::string_view kBossBlast = "Picture/BossBlast.pic";
inline constexpr std::array<std::string_view, 5> kBackground = {
    "Picture/1.pic", "Picture/2.pic", "Picture/3.pic", "Picture/4.pic", "Picture/5.pic"};
// The window's icon: the ship.
inline constexpr std::string_view kIcon = "Picture/Icon.png";

// The effects, opened at start-up; the shot sound, read whole at every stage start; the music.
inline constexpr std::string_view kMyBlast = "Music/MyBlast.wav";
inline constexpr std::string_view kPowerUp = "Music/PowerUp.wav";
inline constexpr std::string_view kBom = "Music/Bom.wav";
inline constexpr std::string_view kTama3 = "Music/Tama3.wav";
inline constexpr std::string_view kEnemyBlast = "Music/EnemyBlast.wav";
inline constexpr std::string_view kBossBlastSound = "Music/BossBlast.wav";
inline constexpr std::string_view kMyAttack = "Music/MyAttack.wav";
inline constexpr std::string_view kBackMusic = "Music/BackMusic.mp3";
inline constexpr std::string_view kBossMusic = "Music/BossMusic.mp3";

// Every one of them, pictures first.
inline constexpr std::array<std::string_view, 19> kAll = {
    kCharacter,      kBomb,          kBombMask,      kBossBlast,     kBackground[0],
    kBackground[1],  kBackground[2], kBackground[3], kBackground[4], kIcon,
    kMyBlast,        kPowerUp,       kBom,           kTama3,         kEnemyBlast,
    kBossBlastSound, kMyAttack,      kBackMusic,     kBossMusic};

}  // namespace vormelda::datafile
