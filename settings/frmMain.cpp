#include "frmMain.h"

#include "backdrop.h"
#include "controls_page.h"
#include "game_launch.h"
#include "modMain.h"
#include "video_export.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QFrame>
#include <QHBoxLayout>
#include <QPainter>
#include <QProcess>
#include <QPushButton>
#include <QVBoxLayout>

#include <utility>

namespace settings {
namespace {

const QString kCaption = QStringLiteral("Pebblerun");

QString ToQString(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

QFrame* SeparatorLine(QWidget* parent) {
  auto* line = new QFrame(parent);
  line->setFrameShape(QFrame::HLine);
  line->setFrameShadow(QFrame::Sunken);
  return line;
}

}  // namespace

frmMain::frmMain(std::filesystem::path appDir, QWidget* parent)
    : QDialog(parent), AppDir_(std::move(appDir)) {
  Ask = [](QWidget* owner, const QString& title, const QString& text) {
    // No is the default so that a stray Enter never throws scores away.
    return QMessageBox::question(owner, title, text, QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
  };
  Warn = [](QWidget* owner, const QString& title, const QString& text) {
    QMessageBox::warning(owner, title, text);
  };
  StartProgram = [](const QString& program, const QStringList& arguments, const QString& workingDirectory) {
    return QProcess::startDetached(program, arguments, workingDirectory);
  };

  setWindowTitle(kCaption);
  BuildLayout();

  FileINI_ = OptionsFilePath(AppDir_);
  LoadOptions();

  Exporter = new VideoExport(AppDir_, this);
  Exporter->KeepEnabled(Command4);
  connect(Command4, &QPushButton::clicked, Exporter, &VideoExport::Start);

  // Every change reaches the options file within half a second, so the game
  // sees it even when the dialog is left open or killed.
  Timer1.setInterval(500);
  connect(&Timer1, &QTimer::timeout, this, &frmMain::WriteOptions);
  Timer1.start();
}

void frmMain::BuildLayout() {
  const int unit = fontMetrics().height();

  auto* outer = new QVBoxLayout(this);
  outer->setSizeConstraint(QLayout::SetFixedSize);
  outer->setContentsMargins(SideMargin(*this), unit, SideMargin(*this), GroundHeight(*this));
  outer->setSpacing(unit / 2);
  outer->addWidget(new TitleBanner(kCaption, this));

  auto* card = new Card(this);
  outer->addWidget(card);
  auto* column = new QVBoxLayout(card);
  column->setContentsMargins(unit, unit * 3 / 4, unit, unit * 3 / 4);

  Check1 = new QCheckBox(QStringLiteral("Full screen"), card);
  Check2 = new QCheckBox(QStringLiteral("Sounds and Music"), card);
  Check3 = new QCheckBox(QStringLiteral("High details"), card);
  column->addWidget(Check1);
  column->addWidget(Check2);
  column->addWidget(Check3);
  CommandControls = new QPushButton(QStringLiteral("Controls\u2026"), card);
  column->addWidget(CommandControls, 0, Qt::AlignLeft);
  column->addWidget(SeparatorLine(card));

  Command2 = new QPushButton(QStringLiteral("Reset 'STORY' high scores"), card);
  Command3 = new QPushButton(QStringLiteral("Reset 'ARCADE' high scores"), card);
  auto* resets = new QHBoxLayout;
  resets->addWidget(Command2);
  resets->addWidget(Command3);
  column->addLayout(resets);
  Command4 = new QPushButton(QStringLiteral("Save last game as video…"), card);
  column->addWidget(Command4);
  column->addWidget(SeparatorLine(card));

  Command1 = new QPushButton(QStringLiteral("SAVE"), card);
  // "&&" is a plain "&" on the button; a single one would mark a shortcut.
  Command1s = new QPushButton(QStringLiteral("SAVE && PLAY"), card);
  Command1s->setDefault(true);
  auto* closing = new QHBoxLayout;
  closing->addStretch(1);
  closing->addWidget(Command1);
  closing->addWidget(Command1s);
  column->addLayout(closing);

  connect(Command1, &QPushButton::clicked, this, &frmMain::Command1_Click);
  connect(Command1s, &QPushButton::clicked, this, &frmMain::Command1s_Click);
  connect(Command2, &QPushButton::clicked, this, &frmMain::Command2_Click);
  connect(Command3, &QPushButton::clicked, this, &frmMain::Command3_Click);
  connect(CommandControls, &QPushButton::clicked, this, [this] { OpenControlsPage(this, FileINI_); });
}

std::array<std::pair<QCheckBox*, std::string_view>, 3> frmMain::BoundBoxes() const {
  return {{{Check1, KeyFullScreen}, {Check2, KeySoundOn}, {Check3, KeyDetailsHigh}}};
}

void frmMain::LoadOptions() {
  for (const auto& [box, key] : BoundBoxes())
    box->setChecked(CheckedFromText(ReadIni(FileINI_, OptionsSection, key)));
}

void frmMain::WriteOptions() {
  for (const auto& [box, key] : BoundBoxes())
    WriteIni(FileINI_, OptionsSection, key, box->isChecked() ? "True" : "False");
  // The INI layer holds writes that follow each other closely; the game must
  // see this one now.
  FlushIni();
}

void frmMain::Command1_Click() {
  WriteOptions();
  accept();
}

void frmMain::Command1s_Click() {
  // A box ticked just before the click must not miss the game's start.
  WriteOptions();
  const GameLaunch game =
      GameToStart(AppDir_, QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
  const QString program = ToQString(game.Program);
  QStringList arguments;
  for (const std::string& argument : game.Arguments) arguments << QFile::decodeName(argument.c_str());
  if (!StartProgram(program, arguments, ToQString(AppDir_))) {
    Warn(this, kCaption, QStringLiteral("The game could not be started:\n%1").arg(program));
    return;
  }
  accept();
}

bool frmMain::ResetHighScores(const std::filesystem::path& file) {
  if (Ask(this, kCaption, QStringLiteral("Are you shure?")) != QMessageBox::Yes) return false;
  if (const auto error = DeleteHighScoreFile(file)) {
    Warn(this, kCaption,
         QStringLiteral("The high scores could not be reset:\n%1\n%2")
             .arg(ToQString(file), QString::fromStdString(*error)));
    return false;
  }
  return true;
}

void frmMain::Command2_Click() {
  if (!ResetHighScores(StoryHighScorePath(AppDir_))) return;
  Command2->setEnabled(false);
  // The story starts over, so the game shows its introduction again.
  WriteIni(FileINI_, OptionsSection, KeyStoryRead, "False");
  FlushIni();
}

void frmMain::Command3_Click() {
  if (!ResetHighScores(ArcadeHighScorePath(AppDir_))) return;
  Command3->setEnabled(false);
}

void frmMain::done(int result) {
  Timer1.stop();
  FlushIni();
  QDialog::done(result);
}

void frmMain::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  PaintBackdrop(painter, rect(), fontMetrics().height());
}

}  // namespace settings
