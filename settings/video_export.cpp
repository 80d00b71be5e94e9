#include "video_export.h"

#include "game_launch.h"
#include "modMain.h"

#include <quillon/video_recorder.h>

#include <algorithm>

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QProgressDialog>
#include <QStandardPaths>
#include <QTimer>

namespace settings {
namespace {

const QString kTitle = QStringLiteral("Save last game as video");
// How long the game may take to stop cleanly after Cancel before it is killed.
constexpr int kStopGraceMs = 5000;

QString ToQString(const std::filesystem::path& path) {
  return QFile::decodeName(QByteArray::fromStdString(path.string()));
}

std::filesystem::path ToPath(const QString& text) { return QFile::encodeName(text).toStdString(); }

bool HasVideoSuffix(const QString& file) {
  for (const char* suffix : {".mp4", ".webm", ".mkv"})
    if (file.endsWith(QLatin1String(suffix), Qt::CaseInsensitive)) return true;
  return false;
}

QString AskWithFileDialog(QWidget* parent, const QString& title, const QString& suggested) {
  const QString mp4 = QStringLiteral("MP4 video (*.mp4)");
  const QString webm = QStringLiteral("WebM video (*.webm)");
  QString chosenFilter = mp4;
  QString file = QFileDialog::getSaveFileName(parent, title, suggested, mp4 + ";;" + webm, &chosenFilter);
  // A name typed without its ending gets the one of the chosen kind.
  if (!file.isEmpty() && !HasVideoSuffix(file))
    file += chosenFilter == webm ? QStringLiteral(".webm") : QStringLiteral(".mp4");
  return file;
}

}  // namespace

VideoExport::VideoExport(std::filesystem::path appDir, QWidget* owner)
    : QObject(owner), appDir_(std::move(appDir)), owner_(owner) {
  AskFile = AskWithFileDialog;
  Inform = [](QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::information(parent, title, text);
  };
  Warn = [](QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::warning(parent, title, text);
  };
}

VideoExport::~VideoExport() {
  // A dialog closed in the middle of an export takes the export with it.
  if (Running()) {
    disconnect(process_.get(), nullptr, this, nullptr);
    cancelled_ = true;
    process_->terminate();
    if (!process_->waitForFinished(kStopGraceMs)) process_->kill();
    process_->waitForFinished(kStopGraceMs);
  }
}

bool VideoExport::ReplayExists() const {
  std::error_code error;
  return std::filesystem::is_regular_file(LastReplayPath(appDir_), error);
}

void VideoExport::KeepEnabled(QAbstractButton* button) {
  button_ = button;
  if (!refresh_) {
    refresh_ = new QTimer(this);
    refresh_->setInterval(kRefreshMs);
    connect(refresh_, &QTimer::timeout, this, &VideoExport::RefreshButton);
    refresh_->start();
  }
  RefreshButton();
}

void VideoExport::RefreshButton() {
  if (button_) button_->setEnabled(ReplayExists());
}

bool VideoExport::Running() const { return process_ && process_->state() != QProcess::NotRunning; }

QString VideoExport::SuggestedFile() const {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::MoviesLocation);
  if (folder.isEmpty() || !QDir(folder).exists()) folder = QDir::homePath();
  const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmm"));
  return QDir(folder).filePath(QStringLiteral("pebblerun-%1.mp4").arg(stamp));
}

bool VideoExport::Start() {
  if (Running()) return false;
  if (!ReplayExists()) {
    Warn(owner_, kTitle, QStringLiteral("There is no last game to save yet: play a game first."));
    return false;
  }
  const QString file = AskFile(owner_, kTitle, SuggestedFile());
  if (file.isEmpty()) return false;
  file_ = QFileInfo(file).absoluteFilePath();
  pendingOutput_.clear();
  errors_.clear();
  cancelled_ = false;

  process_ = std::make_unique<QProcess>();
  // The same game "SAVE & PLAY" starts: an installed dialog's is beside it.
  const GameLaunch game =
      GameToStart(appDir_, QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString());
  process_->setProgram(ToQString(game.Program));
  process_->setArguments({QStringLiteral("--app-dir"), ToQString(appDir_), QStringLiteral("--export-video"),
                          ToQString(LastReplayPath(appDir_)), file_, QStringLiteral("--progress-lines")});
  process_->setWorkingDirectory(ToQString(appDir_));
  connect(process_.get(), &QProcess::readyReadStandardOutput, this, &VideoExport::ReadProgress);
  connect(process_.get(), &QProcess::readyReadStandardError, this,
          [this] { errors_ += process_->readAllStandardError(); });
  connect(process_.get(), &QProcess::finished, this, &VideoExport::Done);

  progress_ = std::make_unique<QProgressDialog>(QStringLiteral("Saving the last game as a video…"),
                                                QStringLiteral("Cancel"), 0, 0, owner_);
  progress_->setWindowTitle(kTitle);
  progress_->setWindowModality(Qt::WindowModal);
  progress_->setMinimumDuration(0);
  progress_->setAutoClose(false);
  progress_->setAutoReset(false);
  connect(progress_.get(), &QProgressDialog::canceled, this, &VideoExport::Cancel);

  process_->start();
  if (!process_->waitForStarted()) {
    progress_->hide();
    Warn(owner_, kTitle, QStringLiteral("The game could not be started:\n%1").arg(process_->program()));
    process_.reset();
    return false;
  }
  pid_ = process_->processId();
  progress_->show();
  return true;
}

void VideoExport::ReadProgress() {
  pendingOutput_ += process_->readAllStandardOutput();
  int end;
  while ((end = pendingOutput_.indexOf('\n')) >= 0) {
    const QList<QByteArray> words = pendingOutput_.left(end).trimmed().split(' ');
    pendingOutput_.remove(0, end + 1);
    bool doneOk = false, totalOk = false;
    if (words.size() != 3 || words[0] != "progress") continue;
    const int done = words[1].toInt(&doneOk), total = words[2].toInt(&totalOk);
    if (!doneOk || !totalOk || total <= 0 || !progress_) continue;
    progress_->setMaximum(total);
    progress_->setValue(std::min(done, total));
  }
}

void VideoExport::Cancel() {
  if (!Running()) return;
  cancelled_ = true;
  // The game stops at its next frame and removes what it had written; a game
  // that does not stop is killed, and its unfinished file removed here.
  process_->terminate();
  QTimer::singleShot(kStopGraceMs, this, [this, pid = pid_] {
    if (Running() && pid_ == pid) process_->kill();
  });
}

void VideoExport::Done(int exitCode, QProcess::ExitStatus status) {
  if (progress_) progress_->hide();
  // A Cancel that came too late: the video is whole and has its name.
  const bool ok = status == QProcess::NormalExit && exitCode == 0;
  const int code = status == QProcess::NormalExit ? exitCode : -1;
  if (status != QProcess::NormalExit) {
    // Killed before it could clean up after itself.
    std::error_code error;
    std::filesystem::remove(quillon::VideoRecorder::TemporaryFile(ToPath(file_), static_cast<long>(pid_)),
                            error);
  }
  if (ok) {
    Inform(owner_, kTitle, QStringLiteral("The video of the last game is saved as\n%1").arg(file_));
  } else if (!cancelled_) {
    const QString reason = QString::fromLocal8Bit(errors_).trimmed();
    Warn(owner_, kTitle,
         QStringLiteral("The video could not be made.%1").arg(reason.isEmpty() ? QString() : "\n" + reason));
  }
  emit Finished(ok ? 0 : (code == 0 ? 1 : code), file_);
}

}  // namespace settings
