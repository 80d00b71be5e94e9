#pragma once
// The dialog's picture, drawn rather than stored so that it stays sharp at any
// display scale: a sky over a row of the game's tiles with water below, the
// drills along the top, and Tobo beside the title. Every size follows the
// height of a line of the dialog's font.

#include <QWidget>

class QPainter;

namespace settings {

// Height of the tile-and-water strip along the bottom of the dialog, and the
// width of the margins left and right, where tiles tumble down.
int GroundHeight(const QWidget& widget);
int SideMargin(const QWidget& widget);

// Sky, drills, tiles and water over the whole of area.
void PaintBackdrop(QPainter& painter, const QRectF& area, qreal unit);

// The title line: the game's name with Tobo beside it.
class TitleBanner : public QWidget {
 public:
  explicit TitleBanner(const QString& title, QWidget* parent = nullptr);
  QSize sizeHint() const override;
  QSize minimumSizeHint() const override { return sizeHint(); }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QFont TitleFont() const;
  QString Title_;
};

// A rounded panel in the desktop theme's own window colour, so the controls on
// it read as well as in any other dialog whatever the picture behind.
class Card : public QWidget {
 public:
  explicit Card(QWidget* parent = nullptr);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace settings
