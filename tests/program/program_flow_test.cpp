// A whole session driven by scripted keys: options, a game, its end, the
// name entry, the high-score screen and the menu's Exit entry.

#include <gtest/gtest.h>

#include "key_script.h"
#include "program_run.h"

namespace pebblerun {
namespace {

using support::AppCopy;
using support::CountOf;
using support::RunPebblerun;

using Script = support::KeyScript;

TEST(ProgramFlow, OptionsThenAGameThroughNameEntryToTheTableAndExit) {
  AppCopy app;
  // The story has been read (the menu opens on the main menu), and a table
  // of zero scores, so any score of the game asks for a name.
  app.Write("textures/options.bmp", "[main]\nStoryReaden=True\n");
  std::string table = "[hs]\n";
  for (int row = 0; row < 10; ++row)
    table += "s" + std::to_string(row) + "=0\nn" + std::to_string(row) + "=NOBODY\n";
  app.Write("textures/dot_black2.bmp", table);

  Script s(10);
  s.Press("Down", 3)
      .Press("Enter")  // options
      .Press("Up")
      .Press("Enter")  // sound off
      .Press("Up")
      .Press("Enter")  // details low
      .Press("Escape")
      .Press("Up", 3)
      .Press("Enter")   // back, new game
      .Wait(200)        // the start fade, then some play
      .Press("Escape")  // end the game: the name prompt follows
      .Wait(10)
      .Press("Backspace", 8)
      .Press("A")
      .Press("B")
      .Press("C")
      .Press("Enter")
      .Wait(120)  // end fade, then the table
      .Press("Escape")
      .Press("Down", 8)
      .Press("Enter");  // main menu, Exit
  app.Write("flow.txt", s.Text());

  const auto run = RunPebblerun({"--headless", "--app-dir", app.Dir().string(), "--script",
                                 (app.Dir() / "flow.txt").string(), "--frames", "3000"});
  EXPECT_EQ(run.ExitCode, 0) << run.Output;
  EXPECT_EQ(CountOf(app.Log(), "APPLICATION ENDED"), 1);

  const std::string options = app.Read("textures/options.bmp");
  EXPECT_NE(options.find("Sound_On=False"), std::string::npos) << options;
  EXPECT_NE(options.find("Details_High=False"), std::string::npos) << options;
  const std::string scores = app.Read("textures/dot_black2.bmp");
  EXPECT_NE(scores.find("n0=ABC"), std::string::npos) << scores;
  EXPECT_EQ(CountOf(scores, "NOBODY"), 9);
}

}  // namespace
}  // namespace pebblerun
