#pragma once
// The "Controls" page of the settings dialog: each of the game's actions with
// its two keys and its pad buttons. A key button waits for the next key
// pressed and takes it, unless another action has it (the page says which)
// or the key cannot reach the game (the Windows keys, combinations such as
// Alt+Enter); "Restore defaults" puts the game's own keys back. Every change
// is written to section "controls" of the options file at once, and the
// "Rumble" box to "main".

#include <QDialog>

#include <array>
#include <filesystem>
#include <optional>

#include <quillon/key_bindings.h>

#include "modMain.h"

class QCheckBox;
class QKeyEvent;
class QLabel;
class QPushButton;
class QToolButton;

namespace settings {

class ControlsPage : public QDialog {
  Q_OBJECT

 public:
  explicit ControlsPage(std::filesystem::path optionsFile, QWidget* parent = nullptr);
  ~ControlsPage() override;

  // The key buttons of an action (slot 0 and 1), and the one that clears the second key.
  QPushButton* KeyButton(Action action, int slot) const;
  QToolButton* ClearButton(Action action) const;
  QCheckBox* Rumble = nullptr;
  QPushButton* RestoreDefaults = nullptr;
  QPushButton* CloseButton = nullptr;
  QLabel* Status = nullptr;  // what became of the last key pressed

  using Keys = std::array<quillon::keys::KeyPair, kActions>;
  const Keys& Bindings() const { return keys_; }
  // Whether a key button waits for a key.
  bool Waiting() const { return waiting_.has_value(); }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Slot {
    Action Of;
    int Index;
  };
  void BuildLayout();
  void Wait(Slot slot);
  void StopWaiting();
  void OnKeyPress(const QKeyEvent& event);
  void OnKeyRelease(const QKeyEvent& event);
  void Take(int code);
  void Clear(Action action);
  void Restore();
  void Save();
  void ShowKeys();

  std::filesystem::path file_;
  Keys keys_{};
  std::array<std::array<QPushButton*, 2>, kActions> keyButtons_{};
  std::array<QToolButton*, kActions> clearButtons_{};
  std::optional<Slot> waiting_;
  int pendingModifier_ = 0;  // a Shift, Ctrl or Alt pressed alone, taken when let go
};

// Opens the page over the dialog parent for the options file (window-modal;
// it deletes itself when closed).
ControlsPage* OpenControlsPage(QWidget* parent, const std::filesystem::path& optionsFile);

}  // namespace settings
