#include <set>

#include <quillon/mp3player.h>

#include "program/init_dxLoad.h"
#include "program/player_input.h"
#include "sim/game_ini.h"

namespace pebblerun {

namespace {

class EngineMusicPlayer final : public MusicPlayer {
 public:
  bool LoadMP3(const std::string& fileName) override { return player_.LoadMP3(fileName); }
  std::int32_t GetCurrentPosition() const override { return player_.GetCurrentPosition(); }
  std::int32_t GetDuration() const override { return player_.GetDuration(); }
  void SetVolume(std::int32_t volume) override { player_.SetVolume(volume); }
  void PlayMP3(bool startOver) override { player_.PlayMP3(startOver); }
  void StopMP3(bool pause) override { player_.StopMP3(pause); }

 private:
  quillon::MP3Player player_;
};

}  // namespace

std::unique_ptr<MusicPlayer> MakeEngineMusicPlayer() { return std::make_unique<EngineMusicPlayer>(); }

const std::vector<SoundEntry>& SoundTable() {
  static const std::vector<SoundEntry> table = {{"menu1", "sfx\\menu_selection.wav"},
                                                {"menu2", "sfx\\menu_selection2.wav"},
                                                {"jump", "sfx\\jump.wav"},
                                                {"boing", "sfx\\boing.wav"},
                                                {"bonus", "sfx\\bonus.wav"},
                                                {"explode1", "sfx\\explode1.wav"},
                                                {"explode2", "sfx\\explode2.wav"},
                                                {"explode3", "sfx\\explode3.wav"},
                                                {"explode4", "sfx\\explode4.wav"},
                                                {"explode5", "sfx\\explode5.wav"},
                                                {"explode6", "sfx\\explode5.wav"},
                                                {"waterhit1", "sfx\\waterhit1.wav"},
                                                {"waterhit2", "sfx\\waterhit2.wav"},
                                                {"waterhit3", "sfx\\waterhit3.wav"},
                                                {"waterhit4", "sfx\\waterhit4.wav"},
                                                {"waterhit5", "sfx\\waterhit5.wav"},
                                                {"breakglass1", "sfx\\break_glass.wav"},
                                                {"breakglass2", "sfx\\break_glass2.wav"},
                                                {"breakglass3", "sfx\\break_glass2.wav"},
                                                {"breakother1", "sfx\\tile_explo.wav"},
                                                {"breakother2", "sfx\\tile_explo.wav"},
                                                {"breakother3", "sfx\\tile_explo.wav"},
                                                {"tilepush", "sfx\\tile_push.wav"},
                                                {"fall1", "sfx\\fall1.wav"},
                                                {"nidle", "sfx\\nidle.wav"},
                                                {"swoosh", "sfx\\swoosh.wav"},
                                                {"done", "sfx\\done.wav"},
                                                {"walk", "sfx\\walk.wav"},
                                                {"key", "sfx\\key.wav"}};
  return table;
}

void LoadSounds(Program& p) {
  // Every sound is created even with sound off, so switching it on needs no
  // reload. A missing file gets one log line, however many names share it,
  // and its names stay silent.
  std::set<std::string> missingFiles;
  for (const SoundEntry& sound : SoundTable()) {
    if (ContentFileExists(*p.Game, sound.File)) {
      p.Objects.EngineObj.CreateSound(sound.Name, sound.File);
      continue;
    }
    p.Assets.SilentSounds.insert(sound.Name);
    if (missingFiles.insert(sound.File).second) {
      p.Objects.ExtraObj.SaveLog("Error in LoadSounds : File is missing : " +
                                 GameFile(*p.Game, sound.File).string());
    }
  }
  if (p.Objects.MenuMusic) p.Objects.MenuMusic->LoadMP3(kMenuMusicFile);
  if (p.Objects.GameMusic) p.Objects.GameMusic->LoadMP3(kGameMusicFile);
}

void PlaySound(Program& p, const std::string& name, bool loop, std::int32_t volume, std::int32_t pan,
               std::int32_t frequency) {
  if (!p.Game->SoundOn || p.Assets.SilentSounds.count(name) != 0) return;
  p.Objects.EngineObj.SoundPlay(name, loop, volume, pan, frequency);
}

void EngineEvents::PlaySound(const std::string& name, bool loop, std::int32_t volume, std::int32_t pan,
                             std::int32_t frequency) {
  pebblerun::PlaySound(program_, name, loop, volume, pan, frequency);
}

void EngineEvents::StopSound(const std::string& name) { program_.Objects.EngineObj.SoundStop(name); }

void EngineEvents::Jolt(JoltKind kind) { RumbleFor(program_, kind); }

}  // namespace pebblerun
