// The menu screens as the player sees them: the main menu's buttons and
// labels, the screens that fade in over the background (options, credits,
// high scores, story, how to play, the victory pictures), the title,
// butterflies, logo and background fades. Drawing moves looks (glows, fades,
// the credits' scroll) and marks the story read once its second page shows;
// the menu's keys and logic are in mod_Menu.cpp.

#include "program/mod_Menu_screens.h"

#include <algorithm>
#include <chrono>
#include <cmath>

#include <quillon/numbers.h>

#include "program/init_dxLoad.h"
#include "program/mod_Main.h"
#include "program/mod_Menu.h"
#include "sim/game_ini.h"

namespace pebblerun {

namespace vb = quillon::vb;

namespace {

struct MainEntry {
  const Texture MenuButtonTextures::*Button;
  Single Y;
};
constexpr MainEntry kMainEntries[8] = {
    {nullptr, 0},
    {&MenuButtonTextures::b_newgame, 157},
    {&MenuButtonTextures::b_highscores, 200},
    {&MenuButtonTextures::b_story, 243},
    {&MenuButtonTextures::b_options, 286},
    {&MenuButtonTextures::b_credits, 329},
    {&MenuButtonTextures::b_howtoplay, 372},
    {&MenuButtonTextures::b_exit, 415},
};

std::int16_t Alpha(double value) { return vb::CInt(value).value_or(0); }

double TimeOfDaySeconds() {
  using namespace std::chrono;
  const auto now = system_clock::now().time_since_epoch();
  return std::fmod(duration<double>(now).count(), 86400.0);
}

void DrawButton(quillon::Engine& e, const Texture& t, Single glow, Single phase, Single y, Single alpha) {
  e.Draw(t, 220 - (glow - 65) / 2, y, 256, 64, static_cast<float>(std::sin(phase)), Alpha(alpha), 0, 0,
         static_cast<float>(204.8 + glow - 65), 51.2f);
}

}  // namespace

void DrawMainMenuButtons(Program& p) {
  GameState& g = *p.Game;
  MenuState& m = g.Menu;
  quillon::Engine& e = p.Objects.EngineObj;
  if (m.MenuItem == 0) m.MenuItem = 1;
  for (int i = 1; i <= 7; ++i) {
    ButtonAnimation& b = m.ButtonAnim[static_cast<std::size_t>(i)];
    if (i == m.MenuItem) {
      b.Glow = std::min(100.0f, b.Glow + 4);
      b.Phase += 1;
      if (b.Phase > 1000) b.Phase = 0;
    } else {
      b.Glow = b.Glow < 70 ? std::min(70.0f, b.Glow + 2) : std::max(70.0f, b.Glow - 2);
      b.Phase += 0.05f;
      if (b.Phase > 2300) b.Phase = 0;
    }
    DrawButton(e, p.Assets.buttons.*kMainEntries[i].Button, b.Glow, b.Phase, kMainEntries[i].Y,
               b.Glow - (100 - m.MenuAlpha));
  }
}

void DrawMainMenuLabels(Program& p) {
  GameState& g = *p.Game;
  MenuState& m = g.Menu;
  quillon::Engine& e = p.Objects.EngineObj;
  if (m.LastGameScore > 0) {
    e.DrawFont(kGameFont, 550, 0, 85, 20, "LAST GAME", static_cast<std::int32_t>(0xA0FFFFFFu), 2);
    e.DrawFont(kGameFont, 570, 12, 65, 20, std::to_string(m.LastGameScore),
               static_cast<std::int32_t>(0xE6FFFFFFu), 2);
  }
  e.AmbientColor(55, 255, 55);
  if (g.StoryMode) {
    e.Draw(p.Assets.options.o_s_story, 542, 449, 128, 32, 0, Alpha(80 - (100 - m.MenuAlpha)));
  } else {
    e.Draw(p.Assets.options.o_s_arcade, 537, 449, 128, 32, 0, Alpha(80 - (100 - m.MenuAlpha)));
  }
  e.AmbientColor(255, 255, 255);
  const float third = static_cast<float>(1.0 / 3);
  if (g.Replay.PlayingReplay) {
    e.DrawText(p.Assets.default_num, "LOADING REPLAY", 2, 2, third, 0, 100, 255, 155, 155);
    e.DrawText(p.Assets.default_num, "PLEASE WAIT", 2, 12, third, 0, 100, 255, 155, 155);
  } else if (g.Replay.RecordingReplay) {
    e.DrawText(p.Assets.default_num, "SAVING MAP", 2, 2, third, 0, 100, 255, 155, 155);
    e.DrawText(p.Assets.default_num, "PLEASE WAIT", 2, 12, third, 0, 100, 255, 155, 155);
  } else {
    const double count = vb::Int(100 - m.IdleFrames / 12);
    e.DrawText(p.Assets.default_num, vb::FormatLong(static_cast<long long>(count)), 2, 2, third, 0,
               Alpha(100 - count), 255, 155, 155);
  }
}

namespace {

struct OptionRow {
  Integer Item;
  Single Y;
  const Texture OptionTextures::*Label;
  const Texture OptionTextures::*SelectedLabel;
};

void OptionsScreen(Program& p, Single fade) {
  GameState& g = *p.Game;
  const OptionTextures& o = p.Assets.options;
  quillon::Engine& e = p.Objects.EngineObj;
  static constexpr OptionRow kRows[] = {
      {15, 170, &OptionTextures::o_gamemode, &OptionTextures::o_s_gamemode},
      {14, 220, &OptionTextures::o_fullscreen, &OptionTextures::o_s_fullscreen},
      {13, 270, &OptionTextures::o_details, &OptionTextures::o_s_details},
      {12, 320, &OptionTextures::o_sound, &OptionTextures::o_s_sound},
  };
  const std::int16_t full = Alpha(fade), faint = Alpha(fade - 40);
  for (const OptionRow& r : kRows) {
    const bool selected = g.Menu.MenuItem == r.Item;
    e.Draw(selected ? o.*r.SelectedLabel : o.*r.Label, 100, r.Y, 256, 64, 0, selected ? full : faint, 0, 0,
           160, 40);
    bool first = false;  // the value at 270 (story / on) is the current one
    const Texture *left = &o.o_s_on, *leftNow = &o.o_ss_on, *right = &o.o_s_off, *rightNow = &o.o_ss_off;
    switch (r.Item) {
      case 15:
        first = g.StoryMode;
        left = &o.o_s_story, leftNow = &o.o_ss_story, right = &o.o_s_arcade, rightNow = &o.o_ss_arcade;
        break;
      case 14: first = g.FullScreenOption; break;
      case 13: first = g.DetailsHigh; break;
      default: first = g.SoundOn; break;
    }
    e.Draw(first ? *leftNow : *left, 270, r.Y, 128, 32, 0, first ? full : faint);
    if (r.Item == 15 && g.ArcadeLocked) {
      e.Draw(o.unlock, 380, 187, 128, 32, 0, full);
    } else {
      e.Draw(first ? *right : *rightNow, 380, r.Y, 128, 32, 0, first ? faint : full);
    }
  }
  if (g.FullScreenOption != g.FullScreen) e.Draw(o.restart, 325, 237, 256, 32, 0, full);
}

void CreditsScreen(Program& p, Single fade, bool current) {
  MenuState& m = p.Game->Menu;
  quillon::Engine& e = p.Objects.EngineObj;
  for (int i = 0; i < kCreditLines; ++i) {
    CreditLine& line = m.CreditLines[static_cast<std::size_t>(i)];
    line.Y -= current ? 0.5f : 50.5f;
    line.Alpha = CreditLineAlpha(line.Y, line.Alpha);
    const std::int16_t alpha = Alpha(std::min(line.Alpha, fade));
    const Texture& t = p.Assets.credits[static_cast<std::size_t>(i)];
    if (i == kCreditLines - 1) {
      e.Draw(t, 120, line.Y, 512, 64, 0, alpha, 0, 0, 384, 48);
    } else {
      e.Draw(t, 192, line.Y, 512, 64, 0, alpha, 0, 0, 256, 32);
    }
  }
  e.Draw(p.Assets.credit_logos[0], 0, 414, 158, 65, 0, Alpha(fade));
  e.Draw(p.Assets.credit_logos[1], 482, 414, 158, 65, 0, Alpha(fade));
}

void HighScoreScreen(Program& p, Single fade) {
  GameState& g = *p.Game;
  quillon::Engine& e = p.Objects.EngineObj;
  e.AmbientColor(55, 255, 55);
  if (g.StoryMode) {
    e.Draw(p.Assets.options.o_s_story, 542, 449, 128, 32, 0, Alpha(fade - 20));
  } else {
    e.Draw(p.Assets.options.o_s_arcade, 537, 449, 128, 32, 0, Alpha(fade - 20));
  }
  e.AmbientColor(255, 255, 255);
  const std::int16_t a = Alpha(fade);
  e.DrawText(p.Assets.blue, "BEST SCORE", 215, 160, 1, 0, a, 255, 255, 255);
  e.DrawText(p.Assets.default_num, "NAME", 183, 200, 0.5f, 0, a, 155, 255, 155);
  e.DrawText(p.Assets.default_num, "SCORE", 414, 200, 0.5f, 0, a, 155, 255, 155);
  for (int i = 0; i <= 9; ++i) {
    const HighScoreRow& row = g.Records.HighScores[static_cast<std::size_t>(i)];
    const bool latest =
        !g.Records.NewEntryKey.empty() && row.Name + std::to_string(row.Score) == g.Records.NewEntryKey;
    const float green = latest ? 155.f : 255.f;
    const float y = static_cast<float>(220 + 20 * i);
    e.DrawText(p.Assets.default_num, row.Name, 183, y, 0.5f, 0, a, 255, green, green);
    e.DrawText(p.Assets.default_num, FiveWide(row.Score), 403, y, 0.5f, 0, a, 255, green, green);
  }
}

// The screens that fade in and out over the menu background, each with its fade.
struct SubScreen {
  const char* Name;
  Single ScreenFades::*Fade;
};
constexpr SubScreen kSubScreens[] = {
    {"options", &ScreenFades::Options},
    {"credits", &ScreenFades::Credits},
    {"howtoplay", &ScreenFades::HowToPlay},
    {"story", &ScreenFades::Story},
    {"story2", &ScreenFades::Story2},
    {"hs", &ScreenFades::Hs},
    {"won", &ScreenFades::Won},
    {"won_wow", &ScreenFades::WonWow},
};

void Butterflies(Program& p) {
  GameState& g = *p.Game;
  MenuLooks& looks = p.Menu;
  RandomGenerator& rnd = g.CosmeticRandom;
  if (!looks.ButterfliesPlaced) {
    for (Butterfly& b : looks.Butterflies) {
      b.X = rnd.Rnd() * 640;
      b.Y = rnd.Rnd() * 480;
      b.Heading = rnd.Rnd() * 360;
      b.Speed = 1.5f + rnd.Rnd() * 1.5f;
    }
    looks.ButterfliesPlaced = true;
  }
  quillon::Engine& e = p.Objects.EngineObj;
  for (std::size_t i = 0; i < looks.Butterflies.size(); ++i) {
    Butterfly& b = looks.Butterflies[i];
    if (b.WingCounter < 1) {
      b.WingCounter = static_cast<Single>(vb::CLng(3 + 3 * rnd.Rnd()).value_or(3));
      b.WingUp = !b.WingUp;
    } else {
      b.WingCounter -= 1;
    }
    WrapDegrees(b.Heading);
    for (bool out : {b.X<-32, b.Y<-32, b.X> 640, b.Y> 480})
      if (out) b.Heading += 10;
    b.Heading += static_cast<Single>(15 * rnd.Rnd() - 7);
    PolarOffset(g, b.X, b.Y, b.Heading, b.Speed);
    // The wing beat: the sprite narrows while the wings are up.
    const float width = b.WingUp ? 10 : 16;
    const std::int16_t alpha = Alpha(g.Menu.MenuAlpha);
    e.AmbientColor(40, 40, 60);
    e.Draw(p.Assets.butterfly[i], b.X + 3 + (16 - width) / 2, b.Y + 5, 32, 32, b.Heading + 90,
           Alpha(g.Menu.MenuAlpha / 4), 0, 0, width, 16);
    e.AmbientColor(255, 255, 255);
    e.Draw(p.Assets.butterfly[i], b.X + (16 - width) / 2, b.Y, 32, 32, b.Heading + 90, alpha, 0, 0, width,
           16);
  }
}

}  // namespace

void DrawSubScreens(Program& p) {
  GameState& g = *p.Game;
  quillon::Engine& e = p.Objects.EngineObj;
  for (const SubScreen& sub : kSubScreens) {
    const std::string screen = sub.Name;
    const bool current = g.Menu.MenuScreen == screen;
    Single& fade = g.Menu.ScreenFade.*sub.Fade;
    fade = current ? std::min(100.0f, fade + 10) : std::max(0.0f, fade - 10);
    if (fade <= 0 && !current) continue;
    const std::int16_t a = Alpha(fade);
    if (screen == "options") OptionsScreen(p, fade);
    if (screen == "howtoplay") e.Draw(p.Assets.howtoplay, 64, 32, 512, 512, 0, a);
    if (screen == "story") e.Draw(p.Assets.story, 64, 0, 512, 512, 0, a);
    if (screen == "story2") {
      e.Draw(p.Assets.story2, 64, 0, 512, 512, 0, a);
      if (!g.StoryRead) {
        WriteIni("main", "StoryReaden", "True", GameFile(g, "\\textures\\options.bmp"));
        g.StoryRead = true;
      }
    }
    if (screen == "credits") CreditsScreen(p, fade, current);
    if (screen == "hs") HighScoreScreen(p, fade);
    if (screen == "won" || screen == "won_wow") e.Draw(p.Assets.EndPicture, 0, 0, 640, 480, 0, a);
    const Texture& button = screen == "story" ? p.Assets.buttons.b_next : p.Assets.buttons.b_back;
    ButtonAnimation& anim = g.Menu.ButtonAnim[0];
    if (current) {
      anim.Glow = std::min(100.0f, anim.Glow + 4);
      anim.Phase += 1;
      if (anim.Phase > 1000) anim.Phase = 0;
    }
    const bool backSelected = g.Menu.MenuItem == 10;
    e.Draw(button, 220, 420, 256, 64, backSelected ? static_cast<float>(std::sin(anim.Phase)) : 0,
           backSelected ? a : Alpha(fade - 40), 0, 0, 204.8f, 51.2f);
  }
}

void DrawTitleAndFades(Program& p) {
  GameState& g = *p.Game;
  MenuState& m = g.Menu;
  quillon::Engine& e = p.Objects.EngineObj;
  const std::string& s = m.MenuScreen;
  if (s != "story" && s != "story2" && s != "howtoplay" && s != "won" && s != "won_wow") {
    const float t = static_cast<float>(std::sin(TimeOfDaySeconds()));
    e.Draw(p.Assets.title, 64 + t, t, 512, 155, 0, Alpha(m.MenuAlpha));
  }
  Butterflies(p);
  if (m.LogoFade > 0) {
    m.LogoFade -= 1.5f;
    e.Draw(p.Assets.logo, 0, 0, 640, 480, 0, Alpha(m.LogoFade));
  }
  if (m.BackFade > 0) {
    m.BackFade -= 2;
    MenuBackground(p, m.BackFade);
  }
}

Single CreditLineAlpha(Single y, Single alpha) {
  if (330 < y && y < 430) alpha = 2 * (430 - y);
  if (0 < y && y < 230) alpha = 100 - 2 * (230 - y);
  return std::clamp(alpha, 0.0f, 100.0f);
}

std::string FiveWide(long long score) {
  std::string s = std::to_string(score);
  if (s.size() < 5) s.insert(0, 5 - s.size(), ' ');
  return s;
}

void MenuBackground(Program& p, Single opacity) {
  GameState& g = *p.Game;
  quillon::Engine& e = p.Objects.EngineObj;
  if (g.StoryMode) {
    e.AmbientColor(255, 255, 255);
  } else {
    e.AmbientColor(200, 111, 111);
  }
  const std::int16_t a = Alpha(opacity);
  if (g.DetailsHigh) {
    Single& angle = p.Menu.BackgroundAngle;
    angle += 0.2f;
    e.Draw(p.Assets.load1, -155, -155, 640, 480, angle / 10, a, 0, 0, 950, 790);
    e.Draw(p.Assets.load1, -155, -155, 640, 480, (45 - angle) / 10, static_cast<std::int16_t>(a / 2), 0, 0,
           950, 790);
  } else {
    e.Draw(p.Assets.background_black, 0, 0, 1, 1, 0, a, 0, 0, 640, 480);
  }
  e.AmbientColor(255, 255, 255);
}

}  // namespace pebblerun
