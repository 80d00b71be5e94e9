#include "key_codes.h"

#include <QGuiApplication>
#include <QKeyEvent>
#include <QKeySequence>

#include <utility>

#include <quillon/key_bindings.h>

namespace settings {

namespace {

// Linux input codes (the X11 and Wayland key code less 8) that differ from
// the game's scan codes; codes 1 to 83 and 86 to 88 are the same in both.
constexpr std::pair<int, int> kExtendedKeys[] = {
    {96, 0x9C},  {97, 0x9D},  {98, 0xB5},  {99, 0xB7},  {100, 0xB8}, {102, 0xC7}, {103, 0xC8},
    {104, 0xC9}, {105, 0xCB}, {106, 0xCD}, {107, 0xCF}, {108, 0xD0}, {109, 0xD1}, {110, 0xD2},
    {111, 0xD3}, {119, 0xC5}, {125, 0xDB}, {126, 0xDC}, {127, 0xDD},
};

int FromInputCode(int code) {
  if ((code >= 1 && code <= 83) || (code >= 86 && code <= 88)) return code;
  for (const auto& [input, scan] : kExtendedKeys) {
    if (input == code) return scan;
  }
  return 0;
}

// Keys by Qt's name for them, where they sit on a US layout.
constexpr std::pair<int, int> kQtKeys[] = {
    {Qt::Key_Escape, 0x01},       {Qt::Key_Minus, 0x0C},      {Qt::Key_Equal, 0x0D},
    {Qt::Key_Backspace, 0x0E},    {Qt::Key_Tab, 0x0F},        {Qt::Key_BracketLeft, 0x1A},
    {Qt::Key_BracketRight, 0x1B}, {Qt::Key_Return, 0x1C},     {Qt::Key_Control, 0x1D},
    {Qt::Key_Semicolon, 0x27},    {Qt::Key_Apostrophe, 0x28}, {Qt::Key_QuoteLeft, 0x29},
    {Qt::Key_Shift, 0x2A},        {Qt::Key_Backslash, 0x2B},  {Qt::Key_Comma, 0x33},
    {Qt::Key_Period, 0x34},       {Qt::Key_Slash, 0x35},      {Qt::Key_Alt, 0x38},
    {Qt::Key_Space, 0x39},        {Qt::Key_CapsLock, 0x3A},   {Qt::Key_NumLock, 0x45},
    {Qt::Key_ScrollLock, 0x46},   {Qt::Key_Enter, 0x9C},      {Qt::Key_Print, 0xB7},
    {Qt::Key_AltGr, 0xB8},        {Qt::Key_Pause, 0xC5},      {Qt::Key_Home, 0xC7},
    {Qt::Key_Up, 0xC8},           {Qt::Key_PageUp, 0xC9},     {Qt::Key_Left, 0xCB},
    {Qt::Key_Right, 0xCD},        {Qt::Key_End, 0xCF},        {Qt::Key_Down, 0xD0},
    {Qt::Key_PageDown, 0xD1},     {Qt::Key_Insert, 0xD2},     {Qt::Key_Delete, 0xD3},
    {Qt::Key_Meta, 0xDB},         {Qt::Key_Super_L, 0xDB},    {Qt::Key_Super_R, 0xDC},
    {Qt::Key_Menu, 0xDD},
};

constexpr char kLetterRows[3][11] = {"QWERTYUIOP", "ASDFGHJKL", "ZXCVBNM"};
constexpr int kLetterRowStart[3] = {0x10, 0x1E, 0x2C};
// Number pad 0..9.
constexpr int kPadDigits[10] = {0x52, 0x4F, 0x50, 0x51, 0x4B, 0x4C, 0x4D, 0x47, 0x48, 0x49};

int FromQtKey(int key, bool keypad) {
  if (key >= Qt::Key_0 && key <= Qt::Key_9) {
    const int digit = key - Qt::Key_0;
    if (keypad) return kPadDigits[digit];
    return digit == 0 ? 0x0B : 0x01 + digit;
  }
  if (keypad) {
    if (key == Qt::Key_Minus) return 0x4A;
    if (key == Qt::Key_Plus) return 0x4E;
    if (key == Qt::Key_Asterisk) return 0x37;
    if (key == Qt::Key_Slash) return 0xB5;
    if (key == Qt::Key_Period) return 0x53;
  }
  if (key >= Qt::Key_A && key <= Qt::Key_Z) {
    for (int row = 0; row < 3; ++row) {
      for (int i = 0; kLetterRows[row][i] != '\0'; ++i) {
        if (kLetterRows[row][i] == 'A' + (key - Qt::Key_A)) return kLetterRowStart[row] + i;
      }
    }
  }
  if (key >= Qt::Key_F1 && key <= Qt::Key_F10) return 0x3B + (key - Qt::Key_F1);
  if (key == Qt::Key_F11) return 0x57;
  if (key == Qt::Key_F12) return 0x58;
  for (const auto& [qt, scan] : kQtKeys) {
    if (qt == key) return scan;
  }
  return 0;
}

bool DesktopGivesHardwareCodes() {
  const QString platform = QGuiApplication::platformName();
  return platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland"));
}

}  // namespace

int ScanCodeOfKeyEvent(const QKeyEvent& event) {
  if (DesktopGivesHardwareCodes() && event.nativeScanCode() > 8) {
    if (const int code = FromInputCode(static_cast<int>(event.nativeScanCode()) - 8)) return code;
  }
  return FromQtKey(event.key(), event.modifiers().testFlag(Qt::KeypadModifier));
}

bool IsModifierKey(const QKeyEvent& event) {
  const int key = event.key();
  return key == Qt::Key_Shift || key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_AltGr;
}

QString CombinationName(const QKeyEvent& event) {
  const Qt::KeyboardModifiers held = event.modifiers();
  QString name;
  if (held.testFlag(Qt::ControlModifier)) name += QStringLiteral("Ctrl+");
  if (held.testFlag(Qt::AltModifier)) name += QStringLiteral("Alt+");
  if (held.testFlag(Qt::ShiftModifier)) name += QStringLiteral("Shift+");
  if (name.isEmpty()) return name;
  const std::string key = quillon::keys::NameOfCode(ScanCodeOfKeyEvent(event));
  return name + (key.empty() ? QKeySequence(event.key()).toString() : QString::fromStdString(key));
}

}  // namespace settings
