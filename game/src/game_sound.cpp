#include "init_dxLoad.h"

namespace pebblerun {

namespace {

// Until the engine's music player is available the program plays no music.
class EngineMusicPlayer final : public MusicPlayer {
 public:
  bool LoadMP3(const std::string&) override { return false; }
  std::int32_t GetCurrentPosition() const override { return 0; }
  std::int32_t GetDuration() const override { return 0; }
  void SetVolume(std::int32_t) override {}
  void PlayMP3(bool) override {}
  void StopMP3(bool) override {}
};

}  // namespace

std::unique_ptr<MusicPlayer> MakeEngineMusicPlayer() { return std::make_unique<EngineMusicPlayer>(); }

const std::vector<SoundEntry>& SoundTable() {
  static const std::vector<SoundEntry> table = {
      {"menu1", "sfx\\menu_selection.wav"}, {"menu2", "sfx\\menu_selection2.wav"},
      {"jump", "sfx\\jump.wav"},            {"boing", "sfx\\boing.wav"},
      {"bonus", "sfx\\bonus.wav"},          {"explode1", "sfx\\explode1.wav"},
      {"explode2", "sfx\\explode2.wav"},    {"explode3", "sfx\\explode3.wav"},
      {"explode4", "sfx\\explode4.wav"},    {"explode5", "sfx\\explode5.wav"},
      {"explode6", "sfx\\explode5.wav"},    {"waterhit1", "sfx\\waterhit1.wav"},
      {"waterhit2", "sfx\\waterhit2.wav"},  {"waterhit3", "sfx\\waterhit3.wav"},
      {"waterhit4", "sfx\\waterhit4.wav"},  {"waterhit5", "sfx\\waterhit5.wav"},
      {"breakglass1", "sfx\\break_glass.wav"}, {"breakglass2", "sfx\\break_glass2.wav"},
      {"breakglass3", "sfx\\break_glass2.wav"}, {"breakother1", "sfx\\tile_explo.wav"},
      {"breakother2", "sfx\\tile_explo.wav"}, {"breakother3", "sfx\\tile_explo.wav"},
      {"tilepush", "sfx\\tile_push.wav"},   {"fall1", "sfx\\fall1.wav"},
      {"nidle", "sfx\\nidle.wav"},          {"swoosh", "sfx\\swoosh.wav"},
      {"done", "sfx\\done.wav"},            {"walk", "sfx\\walk.wav"},
      {"key", "sfx\\key.wav"}};
  return table;
}

void LoadSounds(Program& p) {
  // Every sound is created even with sound off, so switching it on needs no reload.
  (void)SoundTable();
  if (p.Objects.MenuMusic) p.Objects.MenuMusic->LoadMP3(kMenuMusicFile);
  if (p.Objects.GameMusic) p.Objects.GameMusic->LoadMP3(kGameMusicFile);
}

void PlaySound(Program& p, const std::string& name, bool loop, std::int32_t volume, std::int32_t pan,
               std::int32_t frequency) {
  if (!p.Game->SoundOn) return;
  (void)name, (void)loop, (void)volume, (void)pan, (void)frequency;
}

void EngineEvents::PlaySound(const std::string& name, bool loop, std::int32_t volume, std::int32_t pan,
                             std::int32_t frequency) {
  pebblerun::PlaySound(program_, name, loop, volume, pan, frequency);
}

void EngineEvents::StopSound(const std::string&) {}

}  // namespace pebblerun
