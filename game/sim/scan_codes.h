#pragma once
// Keyboard scan codes of the 256-byte key state the game reads (the codes of
// the standard PC keyboard layout; a key is down when its byte is 0x80).

#include <cstdint>

namespace pebblerun::scan {

inline constexpr std::uint8_t kDown = 0x80;

inline constexpr int Escape = 1;
inline constexpr int Backspace = 14;
inline constexpr int Tab = 15;
inline constexpr int Enter = 28;
inline constexpr int Space = 57;
inline constexpr int Up = 200;
inline constexpr int Left = 203;
inline constexpr int Right = 205;
inline constexpr int Down = 208;
inline constexpr int PrintScreen = 183;
inline constexpr int Pause = 197;  // Break is Pause with Control held

// The modifiers, each side its own key.
inline constexpr int LeftControl = 29, RightControl = 157;
inline constexpr int LeftShift = 42, RightShift = 54;
inline constexpr int LeftAlt = 56, RightAlt = 184;
inline constexpr int LeftWindows = 219, RightWindows = 220;

// F1..F10 follow one another; F11 and F12 came later and sit elsewhere.
inline constexpr int F1 = 59, F10 = 68, F11 = 87, F12 = 88;

inline constexpr int Q = 16, W = 17, E = 18, R = 19, T = 20, Y = 21, U = 22, I = 23, O = 24, P = 25;
inline constexpr int A = 30, S = 31, D = 32, F = 33, G = 34, H = 35, J = 36, K = 37, L = 38;
inline constexpr int Z = 44, X = 45, C = 46, V = 47, B = 48, N = 49, M = 50;

}  // namespace pebblerun::scan
