#include "controls_page.h"

#include <quillon/numbers.h>

#include <QApplication>
#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>
#include <utility>

#include "key_codes.h"

namespace settings {

namespace keys = quillon::keys;

namespace {

std::size_t Index(Action action) { return static_cast<std::size_t>(action); }

QString KeyText(int code) {
  return code == 0 ? QStringLiteral("-") : QString::fromStdString(keys::NameOfCode(code));
}

QString Label(Action action) { return QString::fromUtf8(ControlActions()[Index(action)].Label); }

std::array<keys::Binding, kActions> FileLines() {
  std::array<keys::Binding, kActions> lines{};
  for (std::size_t a = 0; a < lines.size(); ++a) lines[a] = ControlActions()[a].Line;
  return lines;
}

// Why a combination cannot be bound.
QString CombinationRefusal(const QString& combination) {
  if (combination == QLatin1String("Alt+Enter"))
    return QStringLiteral("Alt+Enter switches between full screen and a window; it cannot be bound.");
  static const QStringList kLocked = {QStringLiteral("Ctrl+Escape"), QStringLiteral("Alt+Tab"),
                                      QStringLiteral("Alt+Escape"), QStringLiteral("Ctrl+Pause")};
  if (kLocked.contains(combination))
    return QStringLiteral("%1 is kept by the game's keyboard lock; it cannot be bound.").arg(combination);
  return QStringLiteral("%1 is a combination; an action takes single keys. Press one key.").arg(combination);
}

}  // namespace

ControlsPage::ControlsPage(std::filesystem::path optionsFile, QWidget* parent)
    : QDialog(parent), file_(std::move(optionsFile)) {
  setWindowTitle(QStringLiteral("Controls"));
  BuildLayout();
  std::vector<std::string> problems;
  const auto read = keys::ReadBindings(file_, ControlsSection, FileLines(), problems);
  std::copy(read.begin(), read.end(), keys_.begin());
  if (!problems.empty()) {
    Status->setText(
        QStringLiteral("Some lines of the controls in the options file could not be used; those actions show "
                       "the game's own keys."));
  }
  Rumble->setChecked(quillon::vb::ParseBool(ReadIni(file_, OptionsSection, KeyRumble)).value_or(true));
  connect(Rumble, &QCheckBox::toggled, this, [this](bool on) {
    WriteIni(file_, OptionsSection, KeyRumble, on ? "True" : "False");
    FlushIni();
  });
  ShowKeys();
}

ControlsPage::~ControlsPage() { qApp->removeEventFilter(this); }

void ControlsPage::BuildLayout() {
  auto* outer = new QVBoxLayout(this);
  auto* grid = new QGridLayout;
  outer->addLayout(grid);
  const QStringList heads = {QStringLiteral("Action"), QStringLiteral("Key"), QStringLiteral("Second key"),
                             QString(), QStringLiteral("Pad")};
  for (int column = 0; column < heads.size(); ++column) {
    auto* head = new QLabel(heads[column], this);
    QFont bold = head->font();
    bold.setBold(true);
    head->setFont(bold);
    grid->addWidget(head, 0, column);
  }
  int row = 1;
  for (const ActionRow& info : ControlActions()) {
    const std::size_t a = Index(info.Id);
    grid->addWidget(new QLabel(Label(info.Id), this), row, 0);
    for (int slot = 0; slot < 2; ++slot) {
      auto* button = new QPushButton(this);
      button->setAutoDefault(false);
      button->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("Press a key...")) + 16);
      connect(button, &QPushButton::clicked, this, [this, id = info.Id, slot] { Wait({id, slot}); });
      keyButtons_[a][static_cast<std::size_t>(slot)] = button;
      grid->addWidget(button, row, 1 + slot);
    }
    auto* clear = new QToolButton(this);
    clear->setText(QStringLiteral("x"));
    clear->setToolTip(QStringLiteral("No second key"));
    connect(clear, &QToolButton::clicked, this, [this, id = info.Id] { Clear(id); });
    clearButtons_[a] = clear;
    grid->addWidget(clear, row, 3);
    grid->addWidget(new QLabel(QString::fromUtf8(info.PadButtons), this), row, 4);
    ++row;
  }
  Rumble = new QCheckBox(QStringLiteral("Rumble"), this);
  outer->addWidget(Rumble);
  Status = new QLabel(this);
  Status->setWordWrap(true);
  outer->addWidget(Status);
  RestoreDefaults = new QPushButton(QStringLiteral("Restore defaults"), this);
  RestoreDefaults->setAutoDefault(false);
  CloseButton = new QPushButton(QStringLiteral("Close"), this);
  auto* buttons = new QHBoxLayout;
  buttons->addWidget(RestoreDefaults);
  buttons->addStretch(1);
  buttons->addWidget(CloseButton);
  outer->addLayout(buttons);
  connect(RestoreDefaults, &QPushButton::clicked, this, &ControlsPage::Restore);
  connect(CloseButton, &QPushButton::clicked, this, &QDialog::accept);
  connect(this, &QDialog::finished, this, [this] { StopWaiting(); });
}

QPushButton* ControlsPage::KeyButton(Action action, int slot) const {
  return keyButtons_[Index(action)][static_cast<std::size_t>(slot)];
}

QToolButton* ControlsPage::ClearButton(Action action) const { return clearButtons_[Index(action)]; }

void ControlsPage::Wait(Slot slot) {
  const bool same = waiting_ && waiting_->Of == slot.Of && waiting_->Index == slot.Index;
  StopWaiting();
  if (same) return;  // a second click gives up
  waiting_ = slot;
  pendingModifier_ = 0;
  KeyButton(slot.Of, slot.Index)->setText(QStringLiteral("Press a key..."));
  Status->setText(QStringLiteral("Press the key for %1 (click the button again to keep the old one).")
                      .arg(Label(slot.Of)));
  // Every key goes to the page while it waits, Tab, Escape and Enter included.
  qApp->installEventFilter(this);
}

void ControlsPage::StopWaiting() {
  waiting_.reset();
  pendingModifier_ = 0;
  qApp->removeEventFilter(this);
  ShowKeys();
}

bool ControlsPage::eventFilter(QObject* watched, QEvent* event) {
  if (!waiting_) return QDialog::eventFilter(watched, event);
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      event->accept();  // no shortcut of the dialog fires either
      return true;
    case QEvent::KeyPress: {
      const auto& key = static_cast<const QKeyEvent&>(*event);
      if (!key.isAutoRepeat()) OnKeyPress(key);
      return true;
    }
    case QEvent::KeyRelease: {
      const auto& key = static_cast<const QKeyEvent&>(*event);
      if (!key.isAutoRepeat()) OnKeyRelease(key);
      return true;
    }
    default: return QDialog::eventFilter(watched, event);
  }
}

void ControlsPage::OnKeyPress(const QKeyEvent& event) {
  if (IsModifierKey(event)) {
    pendingModifier_ = ScanCodeOfKeyEvent(event);
    return;
  }
  pendingModifier_ = 0;
  const QString combination = CombinationName(event);
  if (!combination.isEmpty()) {
    Status->setText(CombinationRefusal(combination));
    return;
  }
  Take(ScanCodeOfKeyEvent(event));
}

void ControlsPage::OnKeyRelease(const QKeyEvent& event) {
  if (!IsModifierKey(event) || pendingModifier_ == 0) return;
  const int code = std::exchange(pendingModifier_, 0);
  if (ScanCodeOfKeyEvent(event) == code) Take(code);
}

void ControlsPage::Take(int code) {
  if (!waiting_) return;
  const Slot slot = *waiting_;
  const QString name = KeyText(code);
  if (code == 0 || keys::NameOfCode(code).empty()) {
    Status->setText(QStringLiteral("The game does not know this key. Press another one."));
    return;
  }
  if (!keys::CanBeBound(code)) {
    Status->setText(QStringLiteral("%1 is kept by the game's keyboard lock; it cannot be bound.").arg(name));
    return;
  }
  if (const auto holder = keys::HolderOf(keys_, code, Index(slot.Of))) {
    Status->setText(QStringLiteral("%1 is already the key of %2. Press another one.")
                        .arg(name, Label(ControlActions()[*holder].Id)));
    return;
  }
  auto& pair = keys_[Index(slot.Of)];
  const auto other = static_cast<std::size_t>(1 - slot.Index);
  if (pair[other] == code) {
    Status->setText(QStringLiteral("%1 is already a key of %2.").arg(name, Label(slot.Of)));
  } else {
    pair[static_cast<std::size_t>(slot.Index)] = code;
    // The first key is never empty while there is a second.
    if (pair[0] == 0) std::swap(pair[0], pair[1]);
    Save();
    Status->setText(QStringLiteral("%1: %2").arg(Label(slot.Of), QString::fromStdString(keys::Format(pair))));
  }
  StopWaiting();
}

void ControlsPage::Clear(Action action) {
  StopWaiting();
  keys_[Index(action)][1] = 0;
  Save();
  ShowKeys();
}

void ControlsPage::Restore() {
  StopWaiting();
  for (const ActionRow& row : ControlActions()) keys_[Index(row.Id)] = row.Line.Defaults;
  Save();
  ShowKeys();
  Status->setText(QStringLiteral("The game's own keys are back."));
}

void ControlsPage::Save() {
  keys::WriteBindings(file_, ControlsSection, FileLines(), keys_);
  // The game must find the keys even if the dialog is killed now.
  FlushIni();
}

void ControlsPage::ShowKeys() {
  for (const ActionRow& row : ControlActions()) {
    const auto& pair = keys_[Index(row.Id)];
    for (int slot = 0; slot < 2; ++slot) {
      if (waiting_ && waiting_->Of == row.Id && waiting_->Index == slot) continue;
      KeyButton(row.Id, slot)->setText(KeyText(pair[static_cast<std::size_t>(slot)]));
    }
    ClearButton(row.Id)->setEnabled(pair[1] != 0);
  }
}

ControlsPage* OpenControlsPage(QWidget* parent, const std::filesystem::path& optionsFile) {
  auto* page = new ControlsPage(optionsFile, parent);
  page->setAttribute(Qt::WA_DeleteOnClose);
  page->open();
  return page;
}

}  // namespace settings
