#pragma once
// The players of headless games: each one looks at the game and holds keys
// for the next frame, as a person at the keyboard would.

#include <array>
#include <cstdint>
#include <memory>

#include "sim/game_random.h"
#include "sim/game_state.h"

namespace pebblerun {

using KeyState = std::array<std::uint8_t, kKeyCount>;

class SimPlayer {
 public:
  virtual ~SimPlayer() = default;
  // keys arrives all up; set the keys held in the coming frame.
  virtual void Press(const GameState& g, KeyState& keys) = 0;
};

// Holds nothing.
class IdlePlayer : public SimPlayer {
 public:
  void Press(const GameState&, KeyState&) override {}
};

// Holds random walking, jump and bomb keys for random stretches of time.
class RandomPlayer : public SimPlayer {
 public:
  explicit RandomPlayer(std::uint32_t seed);
  void Press(const GameState& g, KeyState& keys) override;

 private:
  RandomGenerator random_;
  int walkKey_ = 0;
  int walkLeft_ = 0;
  int jumpLeft_ = 0;
  int bombLeft_ = 0;
};

// Plays to win; see bot_player.cpp for its strategy.
std::unique_ptr<SimPlayer> MakeBotPlayer(std::uint32_t seed);

}  // namespace pebblerun
