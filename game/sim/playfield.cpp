#include "sim/playfield.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include <quillon/numbers.h>

#include "sim/bonus.h"
#include "sim/overlays.h"
#include "sim/sim_math.h"

namespace pebblerun {

namespace vb = quillon::vb;

namespace {

// A coordinate rounded as an array index is (halves to even); values far
// outside the grid come back as -1 so every caller treats them as outside.
int Index(Single v) {
  if (!(std::fabs(v) < 1.0e6f)) return -1;
  return static_cast<int>(RoundHalfEven(v));
}

bool InsideGrid(int x, int y) { return x >= 0 && x < kGridColumns && y >= 0 && y < kGridRows; }

}  // namespace

Integer Cell(GameState& g, Single x, Single y, Integer newValue) {
  if (!(x >= 0) || !(y >= 0) || !(x < 20)) return 0;
  const int cx = Index(x), cy = Index(y);
  if (!InsideGrid(cx, cy)) return 0;  // rows beyond 5000 read empty, writes are dropped
  Integer& cell = g.Field.Cells[cx][cy];
  if (newValue != kCellUnchanged) cell = newValue;
  return cell;
}

Integer KindOf(const GameState& g, Integer code) {
  if (code > 50) return code;
  if (code < 0) return 0;
  return static_cast<Integer>(g.Field.TileTypeTable[code].Kind);
}

std::string KindName(const GameState& g, Integer kind) {
  for (const TileType& t : g.Field.TileTypeTable) {
    if (t.Kind == kind) return t.KindName;
  }
  return std::to_string(kind);
}

Integer FindTileType(const GameState& g, Integer level, std::string kindName, Integer kind) {
  if (kind > 0) kindName = KindName(g, kind);
  std::transform(kindName.begin(), kindName.end(), kindName.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (level < 0 || level >= kLevelSpecs) return 0;
  const std::string& colour = g.LevelSpecs[level].TileType;
  for (int i = 0; i < kTileTypes; ++i) {
    const TileType& t = g.Field.TileTypeTable[i];
    if (t.KindName == kindName && (t.Colour == colour || t.Colour == "glass" || t.Colour == "stone")) {
      return static_cast<Integer>(i);
    }
  }
  return 0;
}

bool IsWall(Integer code) {
  return code == 51 || code == 52 || code == 53 || code == 54 || code == 55 || code == 61 || code == 62;
}

bool PaintCell(GameState& g, Single x, Single y, bool set, bool value) {
  if (!(x >= 0) || !(y >= 0) || !(x <= 19)) return false;
  const int cx = Index(x), cy = Index(y);
  if (!InsideGrid(cx, cy)) return false;
  auto flag = g.Field.PaintedGrid[cx][cy];
  if (set) {
    const Integer code = Cell(g, x, y);
    if (code >= 1 && code <= 50 && code != kGlass && code != kStone && flag != value) {
      const int paintPoints = std::max(1, g.World.CurrentLevel / 3);
      SpawnScorePopup(g, g.Hero.PX + 10 + 80, g.Hero.PY + g.World.ScrollY, std::to_string(paintPoints));
      g.World.Score += static_cast<Single>(paintPoints);
    }
    flag = value;
  }
  return flag;
}

namespace {

void BuildStart(GameState& g) {
  for (int x = 5; x <= 9; ++x) Cell(g, x, 4, kStone);
  if (!g.StoryMode) return;
  // Story games start shut in: Tobo has to break out through the glass.
  for (int x = 5; x <= 9; ++x) Cell(g, x, 1, kStone);
  for (int y = 2; y <= 3; ++y) {
    Cell(g, 5, y, kStone);
    Cell(g, 9, y, kStone);
  }
  Cell(g, 6, 4, kGlass);
  Cell(g, 7, 4, 47);
  Cell(g, 8, 4, kGlass);
}

void BuildPlatforms(GameState& g) {
  const auto& levels = g.LevelSpecs;
  const auto& percent = g.Tuning.TileKindPercent;
  int acc = 0;
  Integer kind = 0;
  for (int lvl = 1; lvl <= 11; ++lvl) {
    acc += levels[lvl - 1].LevelSize;
    const int endRow = acc + levels[lvl].LevelSize;
    int row = acc + levels[lvl - 1].OnEachPlatformSkipLines;
    while (row <= endRow) {
      if (row < 10) row = 10;
      for (int k = 1; k <= 3; ++k) {
        const int size = levels[lvl].PlatformSize;
        const int x0 = static_cast<int>(std::floor(g.Random.Rnd() * 14.0f));
        int total = 0;
        for (int i = 1; i <= 6; ++i) total += percent[i];
        const int r = static_cast<int>(std::floor(g.Random.Rnd() * static_cast<float>(total)));
        int running = 0;
        for (int i = 1; i <= 6; ++i) {
          running += percent[i];
          if (r < running) {
            kind = static_cast<Integer>(i);
            break;
          }
        }
        // Cells right of column 20 are dropped anyway; a huge platform size
        // must not cost a loop over them.
        const int last = std::min(x0 + size - 1, kGridColumns - 1);
        for (int cx = x0; cx <= last; ++cx) {
          Cell(g, cx, row, FindTileType(g, lvl, "", kind));
          PaintCell(g, cx, row, true, !g.StoryMode);
        }
      }
      // A negative skip would never reach the end of the level.
      row += std::max(levels[lvl].OnEachPlatformSkipLines + 1, 1);
    }
  }
}

void BuildSeparators(GameState& g) {
  const auto& levels = g.LevelSpecs;
  const int firstFour = levels[1].LevelSize + levels[2].LevelSize + levels[3].LevelSize + levels[4].LevelSize;
  const int limit = vb::CInt(g.StoryLength).value_or(0);
  int r0 = 0, c = 0;
  for (int lvl = 1; lvl < kLevelSpecs && levels[lvl].LevelSize != 0 && r0 <= limit; ++lvl) {
    c += levels[lvl].LevelSize;
    const bool upperBand = g.StoryMode || c + lvl - 1 < firstFour;
    for (int x = 1; x <= 14; ++x) {
      if (upperBand) Cell(g, x, c - 1, kGlass);
      Cell(g, x, c, kGlass);
      Cell(g, x, c + 1, kEmpty);
      if (g.StoryMode) {
        if (upperBand) PaintCell(g, x, c - 1, true, false);
        PaintCell(g, x, c, true, false);
      }
    }
    r0 += levels[lvl].LevelSize + 1;
  }
}

void BuildFloorAndWalls(GameState& g) {
  int s = 0;
  for (int lvl = 1; lvl <= 10; ++lvl) s += g.LevelSpecs[lvl].LevelSize;
  for (int x = 1; x <= 14; ++x) {
    Cell(g, x, s - 3, kEmpty);
    for (int y = s - 2; y <= s; ++y) Cell(g, x, y, kStone);
  }
  const int third = vb::IDiv(g.StoryLength, 3).value_or(0);
  const int last = vb::CInt(g.StoryLength).value_or(0);
  for (int y = 0; y <= last && y < kGridRows; ++y) {
    Integer code = 0;
    if (y <= third) {
      code = 55;
    } else if (y <= 2 * third) {
      code = g.StoryMode ? 61 : 52;
    } else if (y <= 3 * third + 1) {
      code = g.StoryMode ? 62 : 54;
    }
    Cell(g, 0, y, code);
    Cell(g, 14, y, code);
  }
}

}  // namespace

void GenerateMap(GameState& g) {
  BuildStart(g);
  BuildPlatforms(g);
  BuildSeparators(g);
  BuildFloorAndWalls(g);
  PlaceBonuses(g);
  g.World.Score = 0;
  g.World.AliveScore = 0;
  g.World.FallScore = 0;
}

}  // namespace pebblerun
