// Points and rectangles in pixels, and the size of the play field.
#pragma once

namespace vormelda {

struct Point {
  int x = 0;
  int y = 0;
  constexpr bool operator==(const Point&) const = default;
};

struct Rect {
  int x = 0;
  int y = 0;
  int w = 0;
  int h = 0;
  constexpr Point Origin() const { return {x, y}; }
  constexpr bool operator==(const Rect&) const = default;
};

constexpr Rect At(Point p, int w, int h) {
  return {p.x, p.y, w, h};
}

// The play field: every scene draws a picture of this size.
inline constexpr int kFieldWidth = 420;
inline constexpr int kFieldHeight = 560;
inline constexpr Rect kFieldRect{0, 0, kFieldWidth, kFieldHeight};

}  // namespace vormelda
