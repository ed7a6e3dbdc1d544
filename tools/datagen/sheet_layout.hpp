// Where every picture lies on the sprite sheet Picture/Character.pic. Each entry is one physical
// picture: its image rectangle and its mask rectangle of the same size (mask_x < 0: no mask,
// the game draws it opaquely or ORs it over black). Several pictures share one mask: the two
// shots, the bullet animation pictures, and each enemy with its hit flash.
#pragma once

#include <array>
#include <string_view>

namespace vormelda::datagen {

struct SheetRect {
  std::string_view name;
  int x, y;            // image
  int mask_x, mask_y;  // mask, or -1
  int w, h;
  bool HasMask() const { return mask_x >= 0; }
};

inline constexpr std::array kSheetLayout = {
    // The player's ship: level and three tilts each way.
    SheetRect{"ship", 26, 170, 26, 220, 50, 50},
    SheetRect{"ship_left_1", 386, 0, 386, 50, 50, 50},
    SheetRect{"ship_left_2", 436, 0, 436, 50, 50, 50},
    SheetRect{"ship_left_3", 486, 0, 486, 50, 50, 50},
    SheetRect{"ship_right_1", 386, 100, 386, 150, 50, 50},
    SheetRect{"ship_right_2", 436, 100, 436, 150, 50, 50},
    SheetRect{"ship_right_3", 486, 100, 486, 150, 50, 50},
    SheetRect{"flame_1", 400, 712, 400, 732, 20, 20},
    SheetRect{"flame_2", 420, 712, 420, 732, 20, 20},
    SheetRect{"flame_3", 440, 712, 440, 732, 20, 20},
    // The player's shots (one mask for both).
    SheetRect{"shot_centre", 0, 202, 0, 237, 16, 35},
    SheetRect{"shot_diagonal", 0, 272, 0, 237, 16, 35},
    // Items.
    SheetRect{"item_power", 16, 270, 51, 270, 35, 35},
    SheetRect{"item_bomb", 16, 305, 51, 305, 35, 35},
    // Enemies and their hit flashes (the flash uses the enemy's mask).
    SheetRect{"enemy_1", 51, 0, 51, 35, 35, 35},
    SheetRect{"enemy_1_flash", 185, 642, 51, 35, 35, 35},
    SheetRect{"enemy_2", 0, 70, 0, 120, 30, 50},
    SheetRect{"enemy_2_flash", 185, 592, 0, 120, 30, 50},
    SheetRect{"enemy_3", 30, 70, 30, 120, 50, 50},
    SheetRect{"enemy_3_flash", 215, 592, 30, 120, 50, 50},
    // Small bullet, five pictures with one mask.
    SheetRect{"bullet_small_1", 0, 170, 0, 180, 10, 10},
    SheetRect{"bullet_small_2", 0, 190, 0, 180, 10, 10},
    SheetRect{"bullet_small_3", 16, 202, 0, 180, 10, 10},
    SheetRect{"bullet_small_4", 16, 212, 0, 180, 10, 10},
    SheetRect{"bullet_small_5", 16, 222, 0, 180, 10, 10},
    // Medium bullet, six pictures with one mask.
    SheetRect{"bullet_medium_1", 10, 170, 10, 186, 16, 16},
    SheetRect{"bullet_medium_2", 0, 340, 10, 186, 16, 16},
    SheetRect{"bullet_medium_3", 16, 340, 10, 186, 16, 16},
    SheetRect{"bullet_medium_4", 32, 340, 10, 186, 16, 16},
    SheetRect{"bullet_medium_5", 48, 340, 10, 186, 16, 16},
    SheetRect{"bullet_medium_6", 64, 340, 10, 186, 16, 16},
    // Explosion, eight pictures left to right.
    SheetRect{"explosion_1", 0, 356, 0, 406, 50, 50},
    SheetRect{"explosion_2", 50, 356, 50, 406, 50, 50},
    SheetRect{"explosion_3", 100, 356, 100, 406, 50, 50},
    SheetRect{"explosion_4", 150, 356, 150, 406, 50, 50},
    SheetRect{"explosion_5", 200, 356, 200, 406, 50, 50},
    SheetRect{"explosion_6", 250, 356, 250, 406, 50, 50},
    SheetRect{"explosion_7", 300, 356, 300, 406, 50, 50},
    SheetRect{"explosion_8", 350, 356, 350, 406, 50, 50},
    // The boss, its flash and its large bullet.
    SheetRect{"boss", 86, 0, 86, 120, 300, 120},
    SheetRect{"boss_flash", 265, 592, 86, 120, 300, 120},
    SheetRect{"ball_a", 562, 0, 562, 140, 140, 140},
    SheetRect{"ball_b", 601, 280, 601, 420, 140, 140},
    SheetRect{"ball_c", 574, 560, 574, 700, 140, 140},
    SheetRect{"gauge_label", 402, 578, 402, 585, 19, 7},
    SheetRect{"gauge_frame", 0, 584, -1, -1, 402, 5},
    SheetRect{"gauge_bar", 0, 589, -1, -1, 400, 3},
    // Status line.
    SheetRect{"label_ships", 266, 240, 266, 269, 112, 29},
    SheetRect{"label_bombs", 378, 240, 378, 269, 95, 29},
    SheetRect{"digit_0", 86, 240, 86, 269, 18, 29},
    SheetRect{"digit_1", 104, 240, 104, 269, 18, 29},
    SheetRect{"digit_2", 122, 240, 122, 269, 18, 29},
    SheetRect{"digit_3", 140, 240, 140, 269, 18, 29},
    SheetRect{"digit_4", 158, 240, 158, 269, 18, 29},
    SheetRect{"digit_5", 176, 240, 176, 269, 18, 29},
    SheetRect{"digit_6", 194, 240, 194, 269, 18, 29},
    SheetRect{"digit_7", 212, 240, 212, 269, 18, 29},
    SheetRect{"digit_8", 230, 240, 230, 269, 18, 29},
    SheetRect{"digit_9", 248, 240, 248, 269, 18, 29},
    SheetRect{"count_0", 473, 240, 473, 269, 18, 29},
    SheetRect{"count_1", 491, 240, 491, 269, 18, 29},
    SheetRect{"count_2", 509, 240, 509, 269, 18, 29},
    SheetRect{"count_3", 527, 240, 527, 269, 18, 29},
    // Title screen.
    SheetRect{"high_score_caption", 86, 298, 86, 327, 182, 29},
    SheetRect{"title_logo", 400, 338, 400, 390, 180, 52},
    SheetRect{"title_line_1", 268, 298, 268, 318, 184, 20},
    SheetRect{"title_line_2", 386, 223, 474, 223, 88, 17},
    // Game over and ending.
    SheetRect{"game_over", 0, 456, 0, 520, 267, 64},
    SheetRect{"score_label", 452, 298, 452, 315, 149, 17},
    SheetRect{"credits_1", 267, 456, 267, 517, 307, 61},
    SheetRect{"credits_2", 0, 592, 0, 657, 185, 65},
    SheetRect{"credits_3", 400, 752, -1, -1, 97, 67},
    SheetRect{"super_speed_banner", 0, 722, 0, 782, 400, 60},
};

// The sheet is just large enough for every rectangle.
constexpr int SheetWidth() {
  int w = 0;
  for (const SheetRect& r : kSheetLayout) {
    w = r.x + r.w > w ? r.x + r.w : w;
    if (r.HasMask()) w = r.mask_x + r.w > w ? r.mask_x + r.w : w;
  }
  return w;
}
constexpr int SheetHeight() {
  int h = 0;
  for (const SheetRect& r : kSheetLayout) {
    h = r.y + r.h > h ? r.y + r.h : h;
    if (r.HasMask()) h = r.mask_y + r.h > h ? r.mask_y + r.h : h;
  }
  return h;
}

// The entry of that name; throws std::out_of_range for an unknown name.
const SheetRect& FindSheetRect(std::string_view name);

}  // namespace vormelda::datagen
