// The settings dialog's Controls page against a real options file: a key
// taken by pressing it, a key another action has or the keyboard lock keeps
// refused with the reason, the defaults restored, the rumble box, and the
// file as the game then reads it.

#include "controls_page.h"
#include "frmMain.h"

#include <quillon/profile.h>

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <filesystem>
#include <memory>

#include "sim/controls.h"
#include "sim/scan_codes.h"

using pebblerun::GameAction;
using settings::Action;
using settings::ControlsPage;

namespace {

struct Options {
  QTemporaryDir dir;
  Options(const QByteArray& text = "[main]\r\nSound_On=True\r\n") {
    QDir(dir.path()).mkdir("textures");
    QFile f(dir.filePath("textures/options.bmp"));
    if (f.open(QIODevice::WriteOnly)) f.write(text);
    quillon::profile::ClearCache();
  }
  std::filesystem::path File() const {
    return QFile::encodeName(dir.filePath("textures/options.bmp")).toStdString();
  }
  std::filesystem::path Root() const { return QFile::encodeName(dir.path()).toStdString(); }
  QByteArray Text() const {
    QFile f(dir.filePath("textures/options.bmp"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
  }
  // The bindings as the game reads them from disk.
  pebblerun::ControlBindings Game() const {
    quillon::profile::ClearCache();
    std::vector<std::string> problems;
    return pebblerun::ReadBindings(File(), problems);
  }
};

}  // namespace

class ControlsPageTest : public QObject {
  Q_OBJECT

 private slots:
  void takesAPressedKeyAndWritesIt() {
    Options options;
    ControlsPage page(options.File());
    page.show();
    QCOMPARE(page.KeyButton(Action::Jump, 0)->text(), QString("Up"));
    QCOMPARE(page.KeyButton(Action::Bomb, 1)->text(), QString("Down"));
    QTest::mouseClick(page.KeyButton(Action::Jump, 0), Qt::LeftButton);
    QVERIFY(page.Waiting());
    QTest::keyClick(page.KeyButton(Action::Jump, 0), Qt::Key_W);
    QVERIFY(!page.Waiting());
    QCOMPARE(page.KeyButton(Action::Jump, 0)->text(), QString("W"));
    // A second key, taken even when it is Tab or Escape (which the dialog would otherwise use).
    QTest::mouseClick(page.KeyButton(Action::Jump, 1), Qt::LeftButton);
    QTest::keyClick(&page, Qt::Key_Tab);
    QTest::mouseClick(page.KeyButton(Action::Back, 1), Qt::LeftButton);
    QTest::keyClick(&page, Qt::Key_Backspace);
    QVERIFY(page.isVisible());
    const auto game = options.Game();
    QCOMPARE(game[GameAction::Jump], (pebblerun::ActionKeys{pebblerun::scan::W, pebblerun::scan::Tab}));
    QCOMPARE(game[GameAction::Back],
             (pebblerun::ActionKeys{pebblerun::scan::Escape, pebblerun::scan::Backspace}));
    QVERIFY(options.Text().contains("Sound_On=True"));
    // The second key can go again.
    QVERIFY(page.ClearButton(Action::Jump)->isEnabled());
    QTest::mouseClick(page.ClearButton(Action::Jump), Qt::LeftButton);
    QCOMPARE(options.Game()[GameAction::Jump], (pebblerun::ActionKeys{pebblerun::scan::W, 0}));
    QVERIFY(!page.ClearButton(Action::Jump)->isEnabled());
  }

  void refusesKeysItCannotTakeAndSaysWhy() {
    Options options;
    ControlsPage page(options.File());
    page.show();
    QTest::mouseClick(page.KeyButton(Action::Jump, 0), Qt::LeftButton);
    QTest::keyClick(&page, Qt::Key_Space);
    QVERIFY(page.Waiting());
    QVERIFY2(page.Status->text().contains("Space is already the key of Bomb"),
             qPrintable(page.Status->text()));
    QTest::keyClick(&page, Qt::Key_Return, Qt::AltModifier);
    QVERIFY2(page.Status->text().contains("Alt+Enter"), qPrintable(page.Status->text()));
    QTest::keyClick(&page, Qt::Key_Escape, Qt::ControlModifier);
    QVERIFY2(page.Status->text().contains("Ctrl+Escape is kept by the game's keyboard lock"),
             qPrintable(page.Status->text()));
    QTest::keyClick(&page, Qt::Key_Meta);
    QVERIFY2(page.Status->text().contains("LWin"), qPrintable(page.Status->text()));
    QVERIFY(page.Waiting());
    // Nothing reached the file; a click on the button gives up.
    QTest::mouseClick(page.KeyButton(Action::Jump, 0), Qt::LeftButton);
    QVERIFY(!page.Waiting());
    QCOMPARE(page.KeyButton(Action::Jump, 0)->text(), QString("Up"));
    QVERIFY(!options.Text().contains("[controls]"));
  }

  void aModifierAloneIsTakenWhenLetGo() {
    Options options;
    ControlsPage page(options.File());
    page.show();
    QTest::mouseClick(page.KeyButton(Action::Bomb, 0), Qt::LeftButton);
    QTest::keyPress(&page, Qt::Key_Control);
    QVERIFY(page.Waiting());
    QTest::keyRelease(&page, Qt::Key_Control);
    QVERIFY(!page.Waiting());
    QCOMPARE(options.Game()[GameAction::Bomb], (pebblerun::ActionKeys{0x1D, pebblerun::scan::Down}));
  }

  void restoresTheDefaults() {
    Options options("[main]\r\nRumble=False\r\n[controls]\r\nWalkLeft=A\r\nWalkRight=D\r\nJump=Bogus\r\n");
    ControlsPage page(options.File());
    page.show();
    QCOMPARE(page.KeyButton(Action::WalkLeft, 0)->text(), QString("A"));
    QCOMPARE(page.KeyButton(Action::Jump, 0)->text(), QString("Up"));  // the damaged line's default
    QVERIFY(page.Status->text().contains("could not be used"));
    QVERIFY(!page.Rumble->isChecked());
    QTest::mouseClick(page.RestoreDefaults, Qt::LeftButton);
    QCOMPARE(page.KeyButton(Action::WalkLeft, 0)->text(), QString("Left"));
    QCOMPARE(options.Game(), pebblerun::DefaultBindings());
    QVERIFY(options.Text().contains("Jump=Up"));
    page.Rumble->click();
    QVERIFY(options.Text().contains("Rumble=True"));
  }

  void rumbleIsOnWithoutAKey() {
    Options options;
    ControlsPage page(options.File());
    QVERIFY(page.Rumble->isChecked());
    page.Rumble->click();
    QVERIFY(options.Text().contains("Rumble=False"));
  }

  // The dialog keeps its own copy of the game's actions: the same keys in the
  // file, the same defaults, in the same order.
  void listsTheGamesActions() {
    const auto& game = pebblerun::GameActions();
    const auto& dialog = settings::ControlActions();
    QCOMPARE(dialog.size(), game.size());
    for (std::size_t a = 0; a < game.size(); ++a) {
      QCOMPARE(std::string(dialog[a].Line.Key), std::string(game[a].Key));
      QVERIFY(dialog[a].Line.Defaults == game[a].Defaults);
      QCOMPARE(static_cast<int>(dialog[a].Id), static_cast<int>(game[a].Action));
    }
  }

  void theMainDialogOpensThePage() {
    Options options;
    settings::frmMain dialog(options.Root());
    dialog.show();
    QVERIFY(dialog.CommandControls);
    QTest::mouseClick(dialog.CommandControls, Qt::LeftButton);
    auto* page = dialog.findChild<ControlsPage*>();
    QVERIFY(page);
    QVERIFY(page->isVisible());
    QTest::mouseClick(page->CloseButton, Qt::LeftButton);
    QTRY_VERIFY(!dialog.findChild<ControlsPage*>());
    QVERIFY(dialog.isVisible());
  }
};

QTEST_MAIN(ControlsPageTest)
#include "controls_page_test.moc"
