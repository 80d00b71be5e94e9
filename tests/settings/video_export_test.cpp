// "Save last game as video…" on Qt's offscreen platform: the button starts
// the real game in the background, its progress dialog follows the game's
// progress lines to the end, and Cancel leaves no file.

#include "video_export.h"
#include "frmMain.h"

#include <quillon/profile.h>

#include <QDir>
#include <QFile>
#include <QProgressDialog>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include <cstdlib>
#include <filesystem>
#include <memory>

using settings::frmMain;

namespace {

namespace fs = std::filesystem;

fs::path BuiltAppFolder() {
  const char* dir = std::getenv("PEBBLERUN_APP_DIR");
  return dir ? fs::path(dir) : fs::path();
}

// A scratch copy of the game's folder: its content copied, the game and its
// library linked, and a last game cut short at frame `lastFrame` of the
// first shipped replay.
struct GameFolder {
  QTemporaryDir dir;
  fs::path Root() const { return QFile::encodeName(dir.path()).toStdString(); }

  explicit GameFolder(int lastFrame) {
    const fs::path source = BuiltAppFolder();
    for (auto it = fs::recursive_directory_iterator(source); it != fs::recursive_directory_iterator(); ++it) {
      const fs::path target = Root() / it->path().lexically_relative(source);
      const std::string name = it->path().filename().string();
      if (it->is_directory()) {
        fs::create_directories(target);
      } else if (name == "Pebblerun" || name.rfind("libquillon", 0) == 0) {
        fs::create_symlink(it->path(), target);
      } else if (name != "log.txt" && name != "Settings" && name.rfind("replay", 0) != 0) {
        fs::copy_file(it->path(), target);
      }
    }
    QFile shipped(QString::fromStdString((source / "replay1.ini").string()));
    if (!shipped.open(QIODevice::ReadOnly)) return;
    QString replay = QString::fromLatin1(shipped.readAll());
    replay.replace(QRegularExpression("lastframe=\\d+"), QStringLiteral("lastframe=%1").arg(lastFrame));
    QFile last(dir.filePath("replay.ini"));
    if (last.open(QIODevice::WriteOnly)) last.write(replay.toLatin1());
  }
};

struct Harness {
  std::unique_ptr<frmMain> dialog;
  QStringList informed, warned;
  QString videoFile;

  Harness(const GameFolder& game, const QString& file) : videoFile(file) {
    quillon::profile::ClearCache();
    dialog = std::make_unique<frmMain>(game.Root());
    auto* exporter = dialog->Exporter;
    exporter->AskFile = [this](QWidget*, const QString&, const QString&) { return videoFile; };
    exporter->Inform = [this](QWidget*, const QString&, const QString& text) { informed << text; };
    exporter->Warn = [this](QWidget*, const QString&, const QString& text) { warned << text; };
    dialog->show();
  }
};

}  // namespace

class VideoExportTest : public QObject {
  Q_OBJECT

 private slots:
  void init() {
    if (BuiltAppFolder().empty() || !fs::exists(BuiltAppFolder() / "Pebblerun"))
      QSKIP("the built game is not there (PEBBLERUN_APP_DIR)");
  }

  void buttonIsOffWithoutALastGame() {
    QTemporaryDir empty;
    quillon::profile::ClearCache();
    frmMain dialog(QFile::encodeName(empty.path()).toStdString());
    QVERIFY(!dialog.Command4->isEnabled());
    QCOMPARE(dialog.Command4->text(), QStringLiteral("Save last game as video…"));
    // A game played while the dialog stays open leaves its last game: the
    // button follows, and goes off again when that file is gone.
    QFile last(empty.filePath("replay.ini"));
    QVERIFY(last.open(QIODevice::WriteOnly));
    last.close();
    QTRY_VERIFY_WITH_TIMEOUT(dialog.Command4->isEnabled(), 5000);
    QVERIFY(last.remove());
    QTRY_VERIFY_WITH_TIMEOUT(!dialog.Command4->isEnabled(), 5000);
  }

  void buttonMakesTheVideoAndTheProgressDialogFollowsItToTheEnd() {
    GameFolder game(80);
    QTemporaryDir out;
    Harness h(game, out.filePath("last game.mp4"));
    QVERIFY(h.dialog->Command4->isEnabled());
    QSignalSpy finished(h.dialog->Exporter, &settings::VideoExport::Finished);
    QTest::mouseClick(h.dialog->Command4, Qt::LeftButton);
    QVERIFY(h.dialog->Exporter->Running());
    QProgressDialog* progress = h.dialog->Exporter->Progress();
    QVERIFY(progress && progress->isVisible());
    QVERIFY(finished.wait(180000));
    QCOMPARE(finished.at(0).at(0).toInt(), 0);
    // The progress came from the game's lines, up to the last frame.
    QVERIFY(progress->maximum() > 80);
    QCOMPARE(progress->value(), progress->maximum());
    QVERIFY(!progress->isVisible());
    QVERIFY2(h.warned.isEmpty(), qPrintable(h.warned.join("\n")));
    QCOMPARE(h.informed.size(), 1);
    QVERIFY(h.informed[0].contains(out.filePath("last game.mp4")));
    QCOMPARE(QDir(out.path()).entryList(QDir::Files), QStringList{"last game.mp4"});
  }

  void cancelEndsTheGameAndLeavesNoFile() {
    GameFolder game(5000);
    QTemporaryDir out;
    Harness h(game, out.filePath("never.webm"));
    QSignalSpy finished(h.dialog->Exporter, &settings::VideoExport::Finished);
    QTest::mouseClick(h.dialog->Command4, Qt::LeftButton);
    QProgressDialog* progress = h.dialog->Exporter->Progress();
    QTRY_VERIFY_WITH_TIMEOUT(progress->value() > 20, 120000);
    QPushButton* cancel = progress->findChild<QPushButton*>();
    QVERIFY(cancel);
    QTest::mouseClick(cancel, Qt::LeftButton);
    QVERIFY(finished.wait(30000));
    QVERIFY(finished.at(0).at(0).toInt() != 0);
    QVERIFY(h.warned.isEmpty());
    QVERIFY(h.informed.isEmpty());
    QVERIFY(QDir(out.path()).entryList(QDir::Files | QDir::Hidden).isEmpty());
  }
};

QTEST_MAIN(VideoExportTest)
#include "video_export_test.moc"
