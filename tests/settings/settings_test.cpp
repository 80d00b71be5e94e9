// The settings dialog against real files in a scratch application folder.

#include "frmMain.h"

#include <quillon/profile.h>

#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <filesystem>
#include <map>
#include <memory>

using settings::frmMain;

namespace {

// A scratch application folder with its "textures" folder.
struct AppFolder {
  QTemporaryDir dir;
  AppFolder() { QDir(dir.path()).mkdir("textures"); }
  QString Path(const QString& name) const { return dir.filePath(name); }
  std::filesystem::path Root() const { return QFile::encodeName(dir.path()).toStdString(); }

  void Write(const QString& name, const QByteArray& bytes) const {
    QFile f(Path(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
  }
  QByteArray Read(const QString& name) const {
    QFile f(Path(name));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  bool Exists(const QString& name) const { return QFile::exists(Path(name)); }

  // key -> value of the options file as it is on disk, not as any cache sees it.
  std::map<QString, QString> Options() const {
    std::map<QString, QString> values;
    for (const QByteArray& line : Read("textures/options.bmp").split('\n')) {
      const int eq = line.indexOf('=');
      if (eq > 0) values[QString(line.left(eq)).trimmed()] = QString(line.mid(eq + 1)).trimmed();
    }
    return values;
  }
};

const QByteArray kOptions =
    "[main]\r\nDetails_High=True\r\nGameMode_Story=True\r\nSound_On=False\r\n"
    "FULL_SCREEN=False\r\nArcadeLocked=True\r\nStoryReaden=True\r\n";

// A dialog whose questions, warnings and program starts are answered by the
// test and recorded.
struct Harness {
  std::unique_ptr<frmMain> dialog;
  QMessageBox::StandardButton answer = QMessageBox::Yes;
  QStringList questions, warnings, started;

  explicit Harness(const AppFolder& app) {
    // Each test has its own folder; nothing cached from an earlier one counts.
    quillon::profile::ClearCache();
    dialog = std::make_unique<frmMain>(app.Root());
    dialog->Ask = [this](QWidget*, const QString&, const QString& text) {
      questions << text;
      return answer;
    };
    dialog->Warn = [this](QWidget*, const QString&, const QString& text) { warnings << text; };
    dialog->show();
  }
};

}  // namespace

class SettingsTest : public QObject {
  Q_OBJECT

 private slots:
  void loadsEveryKindOfValue_data() {
    QTest::addColumn<QByteArray>("value");
    QTest::addColumn<bool>("checked");
    QTest::newRow("empty") << QByteArray("") << false;
    QTest::newRow("false") << QByteArray("false") << false;
    QTest::newRow("FALSE") << QByteArray("FALSE") << false;
    QTest::newRow("true") << QByteArray("true") << true;
    QTest::newRow("TRUE") << QByteArray("TRUE") << true;
    QTest::newRow("quoted, blanks") << QByteArray("  \"True\"  ") << true;
    QTest::newRow("zero") << QByteArray("0") << false;
    QTest::newRow("zero point zero") << QByteArray("0.0") << false;
    QTest::newRow("one") << QByteArray("1") << true;
    QTest::newRow("minus one") << QByteArray("-1") << true;
    QTest::newRow("two") << QByteArray("2") << true;
    QTest::newRow("fraction") << QByteArray("0.5") << true;
    QTest::newRow("hex zero") << QByteArray("&H0") << false;
    // Damaged values used to stop the program; they now read as off.
    QTest::newRow("word") << QByteArray("yes") << false;
    QTest::newRow("number then text") << QByteArray("1abc") << false;
    QTest::newRow("comma decimal") << QByteArray("1,5") << false;
  }

  void loadsEveryKindOfValue() {
    QFETCH(QByteArray, value);
    QFETCH(bool, checked);
    AppFolder app;
    app.Write("textures/options.bmp", "[Main]\r\nfull_screen=" + value + "\r\nSOUND_ON=" + value +
                                          "\r\nDetails_High=" + value + "\r\n");
    Harness h(app);
    QCOMPARE(h.dialog->Check1->isChecked(), checked);
    QCOMPARE(h.dialog->Check2->isChecked(), checked);
    QCOMPARE(h.dialog->Check3->isChecked(), checked);
  }

  void eachBoxReadsItsOwnKey() {
    AppFolder app;
    app.Write("textures/options.bmp", "[main]\r\nFULL_SCREEN=True\r\nSound_On=False\r\nDetails_High=1\r\n");
    Harness h(app);
    QVERIFY(h.dialog->Check1->isChecked());
    QVERIFY(!h.dialog->Check2->isChecked());
    QVERIFY(h.dialog->Check3->isChecked());
  }

  void missingFileIsCreatedWithTheThreeKeys() {
    AppFolder app;
    QElapsedTimer clock;
    clock.start();
    Harness h(app);
    QVERIFY(!h.dialog->Check1->isChecked() && !h.dialog->Check2->isChecked() &&
            !h.dialog->Check3->isChecked());
    QTRY_VERIFY_WITH_TIMEOUT(app.Exists("textures/options.bmp"), 3000);
    QVERIFY2(clock.elapsed() < 1500, "the first write came long after half a second");
    const auto options = app.Options();
    QCOMPARE(options.size(), 3u);
    QCOMPARE(options.at("FULL_SCREEN"), "False");
    QCOMPARE(options.at("Sound_On"), "False");
    QCOMPARE(options.at("Details_High"), "False");
  }

  void timerWritesCleanWordsAndLeavesOtherKeys() {
    AppFolder app;
    app.Write("textures/options.bmp",
              "[main]\r\n; player's note\r\nDetails_High=garbage\r\nGameMode_Story=True\r\n"
              "Sound_On=TRUE\r\nFULL_SCREEN=0\r\nArcadeLocked=True\r\nStoryReaden=True\r\n");
    Harness h(app);
    QTRY_COMPARE_WITH_TIMEOUT(app.Options().at("Sound_On"), "True", 3000);
    auto options = app.Options();
    QCOMPARE(options.at("Details_High"), "False");
    QCOMPARE(options.at("FULL_SCREEN"), "False");
    QCOMPARE(options.at("GameMode_Story"), "True");
    QCOMPARE(options.at("ArcadeLocked"), "True");
    QCOMPARE(options.at("StoryReaden"), "True");
    QVERIFY(app.Read("textures/options.bmp").contains("; player's note\r\n"));

    // A change reaches the file by the next tick, without any button.
    QElapsedTimer clock;
    clock.start();
    h.dialog->Check1->setChecked(true);
    h.dialog->Check2->setChecked(false);
    QTRY_COMPARE_WITH_TIMEOUT(app.Options().at("FULL_SCREEN"), "True", 3000);
    QVERIFY2(clock.elapsed() < 1500, "a change took far longer than half a second to arrive");
    QCOMPARE(app.Options().at("Sound_On"), "False");
  }

  void resetDeletesOnlyItsOwnFile_data() {
    QTest::addColumn<bool>("story");
    QTest::newRow("story") << true;
    QTest::newRow("arcade") << false;
  }

  void resetDeletesOnlyItsOwnFile() {
    QFETCH(bool, story);
    AppFolder app;
    app.Write("textures/options.bmp", kOptions);
    // Names on disk differ in case from the ones the game uses.
    app.Write("textures/Dot_Black2.BMP", "[hs]\r\ns0=5000\r\nn0=ANNA\r\n");
    app.Write("textures/DOT_WHITE2.bmp", "[hs]\r\ns0=4000\r\nn0=OTTO\r\n");
    Harness h(app);
    h.dialog->Timer1.stop();

    QPushButton* reset = story ? h.dialog->Command2 : h.dialog->Command3;
    QPushButton* other = story ? h.dialog->Command3 : h.dialog->Command2;
    reset->click();

    QCOMPARE(h.questions, QStringList{"Are you shure?"});
    QVERIFY(h.warnings.isEmpty());
    QCOMPARE(app.Exists("textures/Dot_Black2.BMP"), !story);
    QCOMPARE(app.Exists("textures/DOT_WHITE2.bmp"), story);
    QVERIFY(!reset->isEnabled());
    QVERIFY(other->isEnabled());
    QCOMPARE(app.Options().at("StoryReaden"), story ? "False" : "True");
    QCOMPARE(app.Options().size(), 6u);
  }

  void resetOfAMissingFileStillCounts() {
    AppFolder app;
    app.Write("textures/options.bmp", kOptions);
    Harness h(app);
    h.dialog->Command2->click();
    QVERIFY(h.warnings.isEmpty());
    QVERIFY(!h.dialog->Command2->isEnabled());
    QCOMPARE(app.Options().at("StoryReaden"), "False");
  }

  void answerNoLeavesEverythingAlone() {
    AppFolder app;
    app.Write("textures/options.bmp", kOptions);
    app.Write("textures/dot_black2.bmp", "[hs]\r\n");
    app.Write("textures/dot_white2.bmp", "[hs]\r\n");
    Harness h(app);
    h.dialog->Timer1.stop();
    h.answer = QMessageBox::No;
    h.dialog->Command2->click();
    h.dialog->Command3->click();
    QCOMPARE(h.questions.size(), 2);
    QVERIFY(app.Exists("textures/dot_black2.bmp") && app.Exists("textures/dot_white2.bmp"));
    QVERIFY(h.dialog->Command2->isEnabled() && h.dialog->Command3->isEnabled());
    QCOMPARE(app.Read("textures/options.bmp"), kOptions);
    QVERIFY(h.dialog->isVisible());
  }

  void failedResetIsReportedAndCanBeRetried() {
    AppFolder app;
    app.Write("textures/options.bmp", kOptions);
    // A folder in the score file's place cannot be deleted as a file.
    QVERIFY(QDir(app.Path("textures")).mkpath("dot_black2.bmp/inside"));
    Harness h(app);
    h.dialog->Timer1.stop();
    h.dialog->Command2->click();
    QCOMPARE(h.warnings.size(), 1);
    QVERIFY(h.dialog->Command2->isEnabled());
    QCOMPARE(app.Options().at("StoryReaden"), "True");
  }

  void saveWritesTheBoxesAndCloses() {
    AppFolder app;
    app.Write("textures/options.bmp", kOptions);
    Harness h(app);
    // Ticked and saved before the timer could see it.
    h.dialog->Check2->setChecked(true);
    h.dialog->Command1->click();
    QVERIFY(!h.dialog->isVisible());
    QCOMPARE(h.dialog->result(), int(QDialog::Accepted));
    QCOMPARE(app.Options().at("Sound_On"), "True");
    QVERIFY(!h.dialog->Timer1.isActive());
  }

  void saveAndPlayStartsTheGameAndCloses() {
    AppFolder app;
    app.Write("textures/options.bmp", kOptions);
    // A stand-in game that notes the folder it was started in.
    const QString marker = app.Path("started.txt");
    app.Write("Pebblerun", "#!/bin/sh\npwd > \"" + QFile::encodeName(marker) + ".tmp\"\nmv \"" +
                               QFile::encodeName(marker) + ".tmp\" \"" + QFile::encodeName(marker) + "\"\n");
    QFile::setPermissions(app.Path("Pebblerun"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    Harness h(app);
    QCOMPARE(h.dialog->Command1s->text(), "SAVE && PLAY");
    h.dialog->Check1->setChecked(true);
    h.dialog->Command1s->click();

    QVERIFY(h.warnings.isEmpty());
    QVERIFY(!h.dialog->isVisible());
    QCOMPARE(h.dialog->result(), int(QDialog::Accepted));
    // The game must find the options as they were when the button was pressed.
    QCOMPARE(app.Options().at("FULL_SCREEN"), "True");
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(marker), 10000);
    QCOMPARE(QDir(app.Read("started.txt").trimmed()).canonicalPath(), QDir(app.dir.path()).canonicalPath());
  }

  void missingGameIsReportedAndTheDialogStays() {
    AppFolder app;
    app.Write("textures/options.bmp", kOptions);
    Harness h(app);
    h.dialog->Command1s->click();
    QCOMPARE(h.warnings.size(), 1);
    QVERIFY(h.warnings.front().contains(app.Path("Pebblerun")));
    QVERIFY(h.dialog->isVisible());
    QVERIFY(h.dialog->Timer1.isActive());
  }

  void closeBoxKeepsTheLastWrite() {
    AppFolder app;
    app.Write("textures/options.bmp", kOptions);
    Harness h(app);
    h.dialog->Check3->setChecked(false);
    QTRY_COMPARE_WITH_TIMEOUT(app.Options().at("Details_High"), "False", 3000);
    h.dialog->close();
    QVERIFY(!h.dialog->isVisible());
    QVERIFY(!h.dialog->Timer1.isActive());
    QCOMPARE(app.Options().at("Details_High"), "False");
  }

  void programWorksInTheFolderItIsGiven() {
    const QString program = qEnvironmentVariable("PEBBLERUN_APP_DIR") + "/Settings";
    if (!QFile::exists(program)) QSKIP("the Settings program is not built");
    AppFolder app;
    QProcess settings;
    settings.start(program, {"--app-dir", app.dir.path()});
    QVERIFY(settings.waitForStarted());
    QTRY_VERIFY_WITH_TIMEOUT(app.Exists("textures/options.bmp"), 10000);
    settings.kill();
    settings.waitForFinished();

    QProcess missing;
    missing.start(program, {"--app-dir", app.Path("no such folder")});
    QVERIFY(missing.waitForFinished(10000));
    QCOMPARE(missing.exitCode(), 2);
  }
};

QTEST_MAIN(SettingsTest)
#include "settings_test.moc"
