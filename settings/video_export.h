#pragma once
// "Save last game as video…": the replay of the last game ("replay.ini" in
// the game's folder) made into an MP4 or WebM file by the game itself
// (Pebblerun --export-video), run as a background process while a progress
// dialog shows how far it has come. Cancel ends the game's process and
// leaves no file; at the end the player is told where the video went.
//
// The game reports its progress as "progress FRAME TOTAL" lines on its
// standard output (its --progress-lines option).

#include <QObject>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <memory>

class QAbstractButton;
class QProgressDialog;
class QTimer;
class QWidget;

namespace settings {

class VideoExport : public QObject {
  Q_OBJECT

 public:
  // The file the video goes to, "" when the player cancels the question.
  using AskFileFn = std::function<QString(QWidget* parent, const QString& title, const QString& suggested)>;
  // Tells the player something (where the video went, what went wrong).
  using TellFn = std::function<void(QWidget* parent, const QString& title, const QString& text)>;

  VideoExport(std::filesystem::path appDir, QWidget* owner);
  ~VideoExport() override;

  // Replaceable so that tests can answer without a desktop.
  AskFileFn AskFile;
  TellFn Inform;
  TellFn Warn;

  // Whether there is a last game to save.
  bool ReplayExists() const;

  // Keeps button enabled exactly while there is a last game to save: now,
  // and every second after, since the game may be played (or its last game
  // removed) while this dialog stays open.
  void KeepEnabled(QAbstractButton* button);
  static constexpr int kRefreshMs = 1000;

  // Asks for the file and starts the export; false when nothing was started.
  bool Start();
  bool Running() const;
  // Ends a running export: the game's process is asked to stop (and killed
  // when it does not within a few seconds); no file is left.
  void Cancel();

  QProgressDialog* Progress() const { return progress_.get(); }

 signals:
  // exitCode 0 when the video was written to file.
  void Finished(int exitCode, const QString& file);

 private:
  void ReadProgress();
  void Done(int exitCode, QProcess::ExitStatus status);
  QString SuggestedFile() const;
  void RefreshButton();

  std::filesystem::path appDir_;
  QWidget* owner_;
  QAbstractButton* button_ = nullptr;
  QTimer* refresh_ = nullptr;  // a child of this object
  std::unique_ptr<QProcess> process_;
  std::unique_ptr<QProgressDialog> progress_;
  QString file_;
  QByteArray pendingOutput_;
  QByteArray errors_;
  qint64 pid_ = 0;  // of the game's process, for the file it leaves when killed
  bool cancelled_ = false;
};

}  // namespace settings
