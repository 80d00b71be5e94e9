#pragma once
// Falling tiles, pushes, smashes, explosions, and the particle and blast pools.

#include "sim/game_state.h"

namespace pebblerun {

// hit false: one pass over the moving tiles and smash pieces. hit true:
// strike cell (x, y) with force.
void TileUpdate(GameState& g, bool hit, Single x = 0, Single y = 0, Single force = 0, bool scored = true,
                bool breakAll = false);

// bonusIndex >= 1: the bomb bonus of that slot; 0: Tobo's own bomb.
void Explode(GameState& g, Single bonusIndex);

// Pools (the drawing is done by the program from the records).
void SpawnParticle(GameState& g, Integer kind, Single x, Single y, Single vx, Single vy, Single spin,
                   Single life, bool fade);
void AdvanceParticles(GameState& g);
void SpawnBlast(GameState& g, Single x, Single y, Single p3, Single p4, Single p5);
void AdvanceBlasts(GameState& g);

// Plays a sound of the table when sound is on.
void PlaySound(GameState& g, const std::string& name, bool loop = false, Long volume = 100, Long pan = 0,
               Long frequency = 0);

}  // namespace pebblerun
