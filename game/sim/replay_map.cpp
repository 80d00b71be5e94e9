// The map, the bonuses, the seed and the painted flags a recording stores at
// its first frame, and their loading at the first frame of a playback.

#include <cmath>
#include <string>

#include <quillon/numbers.h>

#include "sim/player.h"
#include "sim/playfield.h"
#include "sim/replay.h"

namespace pebblerun {
namespace {

namespace vb = quillon::vb;

constexpr int kMapColumns = 15;
constexpr Single kLastGridRow = kGridRows - 1;
// A map has at least one row and fits the field.
constexpr double kMinMapLength = 1;
constexpr double kMaxMapLength = kLastGridRow;

std::string CellKey(int row, int column) { return "Y" + std::to_string(row) + "_X" + std::to_string(column); }

// The loader marks rows by hand; painting through PaintCell would score.
void SetPainted(GameState& g, int column, int row, bool value) {
  if (column < 0 || column >= kGridColumns || row < 0 || row >= kGridRows) return;
  g.Field.PaintedGrid[column][row] = value;
}

void SaveBonuses(GameState& g) {
  auto& bonuses = g.Bonus.Bonuses;
  for (std::size_t slot = 0; slot < bonuses.size(); ++slot) {
    const Bonus b = bonuses[slot];
    if (!b.Active) continue;
    const std::string prefix = std::to_string(slot) + "_";
    ReplayWrite(g, prefix + "addforce", vb::FormatSingle(b.AddForce), "Bonus");
    ReplayWrite(g, prefix + "type", b.Type, "Bonus");
    ReplayWrite(g, prefix + "x", vb::FormatSingle(b.X), "Bonus");
    ReplayWrite(g, prefix + "y", vb::FormatSingle(b.Y), "Bonus");
    ReplayWrite(g, prefix + "weight", vb::FormatSingle(b.Weight), "Bonus");
    ReplayWrite(g, prefix + "selectionalpha", vb::FormatLong(b.SelectionAlpha), "Bonus");
    ReplayWrite(g, prefix + "points", vb::FormatSingle(b.Points), "Bonus");
  }
}

void SavePaintedFlags(GameState& g) {
  for (int row = 0; row <= g.StoryLength && row <= kLastGridRow; ++row) {
    std::string flags(kMapColumns, '0');
    for (int column = 0; column < kMapColumns; ++column) {
      if (PaintCell(g, column, row, false, false)) flags[column] = '1';
    }
    ReplayWrite(g, std::to_string(row), flags, "Painted");
  }
}

void LoadCells(GameState& g, double lastRow) {
  const double rows = std::min<double>(lastRow, kLastGridRow);
  for (int row = 0; row <= rows; ++row) {
    for (int column = 0; column < kMapColumns; ++column) {
      Cell(g, column, row, kEmpty);
      SetPainted(g, column, row, true);
    }
  }
  for (int row = 0; row <= rows; ++row) {
    for (int column = 0; column < kMapColumns; ++column) {
      const std::string text = ReplayRead(g, CellKey(row, column), "Map", 0);
      const auto code = text.empty() ? std::optional<Integer>(0) : vb::ParseInteger(text);
      if (code) Cell(g, column, row, *code);
      SetPainted(g, column, row, true);
    }
  }
}

// Files written before the painted flags were stored have no such section.
void LoadPaintedFlags(GameState& g) {
  for (int row = 0; row <= g.StoryLength && row <= kLastGridRow; ++row) {
    const std::string flags = ReplayRead(g, std::to_string(row), "Painted", 0);
    if (flags.size() < kMapColumns) continue;
    for (int column = 0; column < kMapColumns; ++column) {
      if (flags[column] == '0' || flags[column] == '1') SetPainted(g, column, row, flags[column] == '1');
    }
  }
}

template <typename T, typename Parse>
void ReadField(GameState& g, const std::string& key, T& field, Parse parse) {
  if (auto value = parse(ReplayRead(g, key, "Bonus", 0))) field = *value;
}

void LoadBonuses(GameState& g) {
  auto& bonuses = g.Bonus.Bonuses;
  for (auto& b : bonuses) b = Bonus{false, "", 0, 0, 0, 0, 0, 100};
  for (std::size_t slot = 1; slot < bonuses.size(); ++slot) {
    const std::string prefix = std::to_string(slot) + "_";
    const std::string type = ReplayRead(g, prefix + "type", "Bonus", 0);
    if (type.empty()) continue;
    Bonus& b = bonuses[slot];
    b.Active = true;
    ReadField(g, prefix + "addforce", b.AddForce, vb::ParseSingle);
    ReadField(g, prefix + "points", b.Points, vb::ParseSingle);
    ReadField(g, prefix + "selectionalpha", b.SelectionAlpha, vb::ParseInteger);
    b.Type = type;
    ReadField(g, prefix + "weight", b.Weight, vb::ParseSingle);
    ReadField(g, prefix + "x", b.X, vb::ParseSingle);
    ReadField(g, prefix + "y", b.Y, vb::ParseSingle);
  }
}

void LoadFrameCount(GameState& g) {
  auto& r = g.Replay;
  const auto last = vb::ParseSingle(ReplayRead(g, "lastframe", "options", 0));
  if (last && std::isfinite(*last)) r.ReplayLastFrame = *last;
  if (const auto bound = vb::CLng(r.ReplayLastFrame)) {
    for (auto& texts : r.PlaybackKeys) texts.clear();
    g.PlaybackKeysBound = std::min(*bound, kMaxPlaybackFrames);
  }
  r.RecordedLeft = r.RecordedRight = false;
  g.Input.MoveLeft = g.Input.MoveRight = false;
  ReadRecordedInput(g);
}

}  // namespace

void SaveReplayMap(GameState& g) {
  ReplayWrite(g, "mapsizey", vb::FormatSingle(g.StoryLength), "Map");
  ReplayWrite(g, "seed", vb::FormatLong(g.Replay.GameSeed), "Map");
  ReplayWrite(g, "story", vb::FormatBool(g.StoryMode), "Map");
  for (int row = 0; row <= g.StoryLength && row <= kLastGridRow; ++row) {
    for (int column = 0; column < kMapColumns; ++column) {
      const Integer code = Cell(g, column, row);
      if (code >= 1) ReplayWrite(g, CellKey(row, column), vb::FormatLong(code), "Map");
    }
  }
  SaveBonuses(g);
  SavePaintedFlags(g);
}

void LoadReplayMap(GameState& g) {
  const std::string sizeText = ReplayRead(g, "mapsizey", "Map", 0);
  const auto length = vb::ParseSingle(sizeText);
  if (length && *length >= kMinMapLength && *length <= kMaxMapLength) {
    g.StoryLength = *length;
  } else if (length) {
    Events(g).Log("Replay value out of range : [Map] mapsizey = " + sizeText + " in " +
                  PlaybackPath(g).string() + " (the game's own " + vb::FormatSingle(g.StoryLength) +
                  " is used)");
  }
  if (!MapHoldsHero(g.Hero.PY, g.StoryLength)) {
    // Tobo would stand below the end of the map: a win nobody played.
    Events(g).Log("Replay map cannot hold the hero : [Map] mapsizey = " + sizeText + " in " +
                  PlaybackPath(g).string() + " (the playback ends)");
    g.Replay.UnplayableMap = true;
    g.GameOver = true;
  }
  const auto lastRow = vb::ParseNumber(ReplayRead(g, "lastscreeny", "options", 0));
  LoadCells(g, lastRow && std::isfinite(*lastRow) ? *lastRow : 0);
  LoadPaintedFlags(g);
  LoadBonuses(g);
  LoadFrameCount(g);
}

}  // namespace pebblerun
