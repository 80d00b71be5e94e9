// Settings: the options dialog shipped beside the game.

#include "frmMain.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>

#include <quillon/paths.h>

#include <cstdio>
#include <filesystem>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Settings"));
  // Lets the desktop match the window to its menu entry and icon (Wayland's app id).
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.pebblerun.pebblerun_settings"));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Sets full screen, sound and details for Pebblerun, resets its high scores "
                     "and starts it."));
  parser.addHelpOption();
  const QCommandLineOption appDirOption(
      QStringLiteral("app-dir"), QStringLiteral("The game's folder (default: the folder of this program)."),
      QStringLiteral("DIR"));
  parser.addOption(appDirOption);
  parser.process(app);

  // Installed ("P/bin"), the game's content is in "P/share/games/pebblerun".
  const std::filesystem::path programFolder(
      QFile::encodeName(QApplication::applicationDirPath()).toStdString());
  const std::filesystem::path appDir =
      parser.isSet(appDirOption)
          ? std::filesystem::path(QFile::encodeName(parser.value(appDirOption)).toStdString())
          : quillon::paths::InstalledContentFolder(programFolder).value_or(programFolder);
  std::error_code error;
  if (!std::filesystem::is_directory(appDir, error)) {
    std::fprintf(stderr, "Settings: no such folder: %s\n", appDir.c_str());
    return 2;
  }

  settings::frmMain dialog(appDir);
  QObject::connect(&dialog, &QDialog::finished, &app, &QApplication::quit);
  dialog.show();
  return app.exec();
}
