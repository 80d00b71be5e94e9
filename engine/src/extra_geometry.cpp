// Extra: random numbers and the small geometry helpers.

#include "quillon/extra.h"

#include "mod_extra.h"
#include "quillon/numbers.h"

#include <cmath>
#include <numbers>

namespace quillon {

std::int32_t Extra::RndNum(std::int32_t MinNum, std::int32_t MaxNum) {
  // r in [0, 1): a 32-bit draw scaled exactly, so 1 itself never comes up.
  const double r = static_cast<double>(lib::State().Random()) * 0x1p-32;
  const double value = r * (static_cast<double>(MaxNum) - MinNum) + MinNum;
  return vb::CLng(value).value_or(MinNum);
}

bool Extra::IsPointInRect(double XPosition, double YPosition, const Rectangle& CRect) {
  return CRect.Left <= XPosition && XPosition <= CRect.Right && CRect.Top <= YPosition &&
         YPosition <= CRect.Bottom;
}

bool Extra::IsRectInRect(const Rectangle& Rect1, const Rectangle& Rect2) {
  // Corners of Rect1 only: a Rect2 wholly inside Rect1 is not seen.
  return IsPointInRect(Rect1.Left, Rect1.Top, Rect2) || IsPointInRect(Rect1.Right, Rect1.Top, Rect2) ||
         IsPointInRect(Rect1.Left, Rect1.Bottom, Rect2) || IsPointInRect(Rect1.Right, Rect1.Bottom, Rect2);
}

bool Extra::IsMouseOverArea(float X1, float Y1, float Width, float Height) const {
  const double mouseX = lib::State().MouseX;
  const double mouseY = lib::State().MouseY;
  const float right = X1 + Width;
  const float bottom = Y1 + Height;
  return X1 < mouseX && mouseX < right && Y1 < mouseY && mouseY < bottom;
}

void Extra::WrapAngle(float& Ang) {
  if (Ang > 359) {
    Ang -= 360;
  }
  if (Ang < 0) {
    Ang += 360;
  }
}

float Extra::GetDistance(float X1, float Y1, float X2, float Y2) {
  const double dx = X1 - X2;
  const double dy = Y1 - Y2;
  return static_cast<float>(std::sqrt(dx * dx + dy * dy));
}

float Extra::GetAngle(float X1, float Y1, float X2, float Y2) {
  if (Y2 == Y1 && X2 > X1) return 0;
  if (X2 == X1 && Y2 > Y1) return 90;
  if (Y2 == Y1 && X2 < X1) return 180;
  if (X2 == X1 && Y2 < Y1) return 270;
  const float slope = (X2 - X1) / (Y2 - Y1);
  const double a = std::fabs(std::atan(slope)) * 180.0 / std::numbers::pi;
  if (X2 > X1 && Y2 > Y1) return static_cast<float>(90 - a);
  if (X2 < X1 && Y2 > Y1) return static_cast<float>(90 + a);
  if (X2 < X1 && Y2 < Y1) return static_cast<float>(270 - a);
  if (X2 > X1 && Y2 < Y1) return static_cast<float>(270 + a);
  return 0;  // the same point twice
}

void Extra::GoToAngle(float& X, float& Y, float Angle, float Speed) {
  // Before an engine has started the library-wide Rad is still 0; the step
  // must not then go along +X whatever the angle.
  float rad = lib::State().Rad;
  if (rad == 0) {
    rad = static_cast<float>(4 * std::atan(1.0)) / 180;
  }
  const float turn = rad * Angle;
  X = static_cast<float>(X + Speed * std::cos(static_cast<double>(turn)));
  Y = static_cast<float>(Y + Speed * std::sin(static_cast<double>(turn)));
}

}  // namespace quillon
