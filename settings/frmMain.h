#pragma once
// The settings dialog: three option boxes that reach the options file within
// half a second, the two high-score resets, and the buttons that close it or
// start the game.

#include <QDialog>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <array>
#include <filesystem>
#include <functional>
#include <string_view>
#include <utility>

class QCheckBox;
class QPushButton;

namespace settings {

class VideoExport;

class frmMain : public QDialog {
  Q_OBJECT

 public:
  // Asks a Yes/No question; the answer is QMessageBox::Yes or another button.
  using AskFn =
      std::function<QMessageBox::StandardButton(QWidget* parent, const QString& title, const QString& text)>;
  // Tells the player about a failure.
  using WarnFn = std::function<void(QWidget* parent, const QString& title, const QString& text)>;
  // Starts a program as a process of its own; false when it could not start.
  using StartFn = std::function<bool(const QString& program, const QStringList& arguments,
                                     const QString& workingDirectory)>;

  explicit frmMain(std::filesystem::path appDir, QWidget* parent = nullptr);

  // Replaceable so that tests can answer and watch without a desktop.
  AskFn Ask;
  WarnFn Warn;
  StartFn StartProgram;

  QCheckBox* Check1 = nullptr;             // "Full screen"
  QCheckBox* Check2 = nullptr;             // "Sounds and Music"
  QCheckBox* Check3 = nullptr;             // "High details"
  QPushButton* Command1 = nullptr;         // "SAVE"
  QPushButton* Command1s = nullptr;        // "SAVE & PLAY"
  QPushButton* Command2 = nullptr;         // "Reset 'STORY' high scores"
  QPushButton* Command3 = nullptr;         // "Reset 'ARCADE' high scores"
  QPushButton* Command4 = nullptr;         // "Save last game as video…" (video_export.h)
  QPushButton* CommandControls = nullptr;  // "Controls..." opens the keys and pad page
  VideoExport* Exporter = nullptr;
  QTimer Timer1;

  const std::filesystem::path& FileINI() const { return FileINI_; }

  void done(int result) override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  // The check boxes in load and write order, each with its options key.
  std::array<std::pair<QCheckBox*, std::string_view>, 3> BoundBoxes() const;
  void BuildLayout();
  void LoadOptions();
  void WriteOptions();
  void Command1_Click();
  void Command1s_Click();
  void Command2_Click();
  void Command3_Click();
  bool ResetHighScores(const std::filesystem::path& file);

  std::filesystem::path AppDir_;
  std::filesystem::path FileINI_;
};

}  // namespace settings
