#include "backdrop.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <array>
#include <cmath>

namespace settings {
namespace {

qreal Unit(const QWidget& widget) { return widget.fontMetrics().height(); }

// The bottom strip and the side margins, in font lines.
constexpr qreal kGroundLines = 2.6;
constexpr qreal kSideMarginLines = 2.0;

// The game's tile kinds, by colour: normal, mud, gum, ice, glass, stone.
const std::array<QColor, 6> kTileColours = {QColor(0xe0, 0x9a, 0x4a), QColor(0x8a, 0x5a, 0x34),
                                            QColor(0xf0, 0x7f, 0xb6), QColor(0xa8, 0xe4, 0xf4),
                                            QColor(0xd8, 0xf0, 0xf0), QColor(0x8e, 0x93, 0x9a)};

void DrawTile(QPainter& p, const QRectF& r, const QColor& base) {
  const qreal corner = r.width() * 0.18;
  QLinearGradient fill(r.topLeft(), r.bottomRight());
  fill.setColorAt(0, base.lighter(125));
  fill.setColorAt(1, base.darker(130));
  p.setPen(QPen(base.darker(170), r.width() * 0.05));
  p.setBrush(fill);
  p.drawRoundedRect(r, corner, corner);

  // A highlight along the top edge and two pebbles give it the game's
  // stony look.
  const qreal inset = r.width() * 0.16;
  p.setPen(QPen(QColor(255, 255, 255, 120), r.width() * 0.06, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(QPointF(r.left() + inset, r.top() + inset), QPointF(r.right() - inset, r.top() + inset));
  p.setPen(Qt::NoPen);
  p.setBrush(base.darker(145));
  p.drawEllipse(QPointF(r.left() + r.width() * 0.35, r.top() + r.height() * 0.6), r.width() * 0.08,
                r.width() * 0.07);
  p.drawEllipse(QPointF(r.left() + r.width() * 0.68, r.top() + r.height() * 0.7), r.width() * 0.06,
                r.width() * 0.05);
}

void DrawDrills(QPainter& p, const QRectF& area, qreal unit) {
  const qreal width = unit * 0.9;
  const qreal depth = unit * 0.7;
  QLinearGradient steel(0, area.top(), 0, area.top() + depth);
  steel.setColorAt(0, QColor(0xd6, 0xdb, 0xe2));
  steel.setColorAt(1, QColor(0x6b, 0x73, 0x80));
  p.setPen(QPen(QColor(0x4a, 0x50, 0x5a), unit * 0.05));
  p.setBrush(steel);
  for (qreal x = area.left(); x < area.right(); x += width) {
    QPainterPath tooth;
    tooth.moveTo(x, area.top());
    tooth.lineTo(x + width, area.top());
    tooth.lineTo(x + width / 2, area.top() + depth);
    tooth.closeSubpath();
    p.drawPath(tooth);
  }
}

void DrawGround(QPainter& p, const QRectF& area, qreal unit, qreal groundHeight) {
  const qreal tile = unit * 1.6;
  const qreal waterTop = area.bottom() - groundHeight * 0.38;
  const qreal tileTop = waterTop - tile * 0.85;
  int kind = 0;
  for (qreal x = area.left() - tile * 0.3; x < area.right(); x += tile * 1.04) {
    // A gap now and then, as in a field the hero is digging through.
    if (kind % 7 == 4) {
      ++kind;
      continue;
    }
    const qreal lift = (kind % 3 == 1) ? -tile * 0.12 : 0;
    DrawTile(p, QRectF(x, tileTop + lift, tile, tile), kTileColours[kind % kTileColours.size()]);
    ++kind;
  }

  QPainterPath water;
  water.moveTo(area.left(), area.bottom());
  water.lineTo(area.left(), waterTop);
  const qreal wave = unit * 0.9;
  for (qreal x = area.left(); x < area.right() + wave; x += wave)
    water.quadTo(x + wave / 2, waterTop + ((static_cast<int>(x / wave) % 2) ? -1 : 1) * unit * 0.18, x + wave,
                 waterTop);
  water.lineTo(area.right(), area.bottom());
  water.closeSubpath();
  QLinearGradient deep(0, waterTop, 0, area.bottom());
  deep.setColorAt(0, QColor(0x3d, 0x9b, 0xe9, 220));
  deep.setColorAt(1, QColor(0x1a, 0x4f, 0x9c, 240));
  p.setPen(QPen(QColor(255, 255, 255, 150), unit * 0.08));
  p.setBrush(deep);
  p.drawPath(water);
}

void DrawFallingTiles(QPainter& p, const QRectF& area, qreal unit) {
  const qreal tile = unit * 1.2;
  struct Falling {
    bool right;  // by the right edge, else by the left one
    qreal y;     // fraction of the height, so they keep clear of the title
    qreal angle;
    int kind;
  };
  const std::array<Falling, 4> tiles = {
      {{false, 0.36, -14, 0}, {true, 0.44, 11, 3}, {false, 0.66, 8, 2}, {true, 0.74, -9, 5}}};
  // Centred in the side margins (SideMargin), beside the panel, not under it.
  const qreal inset = unit * kSideMarginLines / 2;
  for (const Falling& f : tiles) {
    p.save();
    p.translate(f.right ? area.right() - inset : area.left() + inset, area.top() + area.height() * f.y);
    p.rotate(f.angle);
    DrawTile(p, QRectF(-tile / 2, -tile / 2, tile, tile), kTileColours[f.kind]);
    p.restore();
  }
}

void DrawTobo(QPainter& p, const QPointF& centre, qreal radius) {
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x15, 0x4a, 0x96));
  p.drawEllipse(QPointF(centre.x() - radius * 0.45, centre.y() + radius * 0.92), radius * 0.34,
                radius * 0.18);
  p.drawEllipse(QPointF(centre.x() + radius * 0.45, centre.y() + radius * 0.92), radius * 0.34,
                radius * 0.18);

  QRadialGradient body(centre.x() - radius * 0.35, centre.y() - radius * 0.4, radius * 1.5);
  body.setColorAt(0, QColor(0x8c, 0xcc, 0xff));
  body.setColorAt(0.55, QColor(0x2f, 0x86, 0xe6));
  body.setColorAt(1, QColor(0x17, 0x54, 0xb0));
  p.setPen(QPen(QColor(0x10, 0x3c, 0x7c), radius * 0.06));
  p.setBrush(body);
  p.drawEllipse(centre, radius, radius);

  for (const qreal side : {-1.0, 1.0}) {
    const QPointF eye(centre.x() + side * radius * 0.34, centre.y() - radius * 0.18);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(eye, radius * 0.25, radius * 0.3);
    p.setBrush(QColor(0x1b, 0x1b, 0x2a));
    p.drawEllipse(QPointF(eye.x() + radius * 0.06, eye.y() + radius * 0.06), radius * 0.12, radius * 0.15);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(eye.x() + radius * 0.1, eye.y()), radius * 0.04, radius * 0.04);
  }

  p.setPen(QPen(QColor(0x10, 0x3c, 0x7c), radius * 0.08, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  const QRectF smile(centre.x() - radius * 0.3, centre.y() + radius * 0.05, radius * 0.6, radius * 0.45);
  p.drawArc(smile, 200 * 16, 140 * 16);
}

}  // namespace

int SideMargin(const QWidget& widget) { return static_cast<int>(std::ceil(Unit(widget) * kSideMarginLines)); }

int GroundHeight(const QWidget& widget) { return static_cast<int>(std::ceil(Unit(widget) * kGroundLines)); }

void PaintBackdrop(QPainter& painter, const QRectF& area, qreal unit) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(area.topLeft(), area.bottomLeft());
  sky.setColorAt(0, QColor(0x7f, 0xc8, 0xf8));
  sky.setColorAt(0.6, QColor(0xc9, 0xec, 0xff));
  sky.setColorAt(1, QColor(0xf4, 0xfb, 0xff));
  painter.fillRect(area, sky);

  DrawFallingTiles(painter, area, unit);
  DrawGround(painter, area, unit, unit * kGroundLines);
  DrawDrills(painter, area, unit);
  painter.restore();
}

TitleBanner::TitleBanner(const QString& title, QWidget* parent) : QWidget(parent), Title_(title) {
  setAttribute(Qt::WA_TranslucentBackground);
}

QFont TitleBanner::TitleFont() const {
  QFont f = font();
  f.setPointSizeF(f.pointSizeF() * 2.2);
  f.setBold(true);
  return f;
}

QSize TitleBanner::sizeHint() const {
  const QFontMetrics title(TitleFont());
  const int unit = static_cast<int>(Unit(*this));
  return QSize(title.horizontalAdvance(Title_) + unit * 5, title.height() + unit * 2);
}

void TitleBanner::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  const qreal unit = Unit(*this);
  const QRectF area = rect();

  const qreal radius = std::min(area.height() * 0.36, unit * 1.5);
  DrawTobo(p, QPointF(area.right() - radius * 1.6, area.center().y() - radius * 0.05), radius);

  // White letters with a dark edge read on any part of the sky.
  const QFont font = TitleFont();
  QPainterPath text;
  const QFontMetricsF metrics(font);
  const qreal baseline = area.center().y() + (metrics.ascent() - metrics.descent()) / 2;
  text.addText(QPointF(area.left() + unit * 0.5, baseline), font, Title_);
  p.setPen(QPen(QColor(0x12, 0x3f, 0x7a), unit * 0.22, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
  p.drawPath(text);
  p.setPen(Qt::NoPen);
  p.setBrush(Qt::white);
  p.drawPath(text);
}

Card::Card(QWidget* parent) : QWidget(parent) { setAttribute(Qt::WA_TranslucentBackground); }

void Card::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setRenderHint(QPainter::Antialiasing);
  QColor fill = palette().color(QPalette::Window);
  fill.setAlpha(238);
  const qreal corner = Unit(*this) * 0.6;
  p.setPen(QPen(palette().color(QPalette::Mid), 1));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), corner, corner);
}

}  // namespace settings
