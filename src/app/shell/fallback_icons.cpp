#include "app/shell/fallback_icons.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <algorithm>
#include <cmath>

namespace zeph {
namespace {

// A small palette so that the drawings sit well together.
const QColor kBlue(0x2f, 0x6f, 0xb8);
const QColor kBlueDark(0x1d, 0x4b, 0x85);
const QColor kPaper(0xfb, 0xfb, 0xf8);
const QColor kPaperEdge(0x8a, 0x8f, 0x98);
const QColor kGreen(0x3f, 0x9b, 0x3a);
const QColor kOrange(0xe8, 0x8a, 0x1a);
const QColor kTray(0x6b, 0x76, 0x85);

// Drawings are made on a 32-unit square and scaled.
void Envelope(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kPaperEdge, 1.4));
  QLinearGradient fill(r.topLeft(), r.bottomLeft());
  fill.setColorAt(0, kPaper);
  fill.setColorAt(1, QColor(0xe4, 0xe7, 0xec));
  p.setBrush(fill);
  p.drawRoundedRect(r, 1.5, 1.5);
  QPainterPath flap;
  flap.moveTo(r.left() + 1, r.top() + 1);
  flap.lineTo(r.center().x(), r.top() + r.height() * 0.58);
  flap.lineTo(r.right() - 1, r.top() + 1);
  p.setBrush(Qt::NoBrush);
  p.drawPath(flap);
}

void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  p.setPen(QPen(colour, 3.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.drawLine(from, to);
  const QPointF d = to - from;
  const double len = std::max(1.0, std::hypot(d.x(), d.y()));
  const QPointF u(d.x() / len, d.y() / len);
  const QPointF n(-u.y(), u.x());
  QPolygonF head;
  head << to + u * 2.5 << to - u * 4.5 + n * 5.0 << to - u * 4.5 - n * 5.0;
  p.setPen(QPen(colour, 1.0, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(colour);
  p.drawPolygon(head);
}

void Tray(QPainter& p) {
  QPainterPath tray;
  tray.moveTo(3, 18);
  tray.lineTo(10, 18);
  tray.lineTo(12, 22);
  tray.lineTo(20, 22);
  tray.lineTo(22, 18);
  tray.lineTo(29, 18);
  tray.lineTo(29, 28);
  tray.lineTo(3, 28);
  tray.closeSubpath();
  QLinearGradient fill(0, 18, 0, 28);
  fill.setColorAt(0, QColor(0x9a, 0xa4, 0xb2));
  fill.setColorAt(1, kTray);
  p.setPen(QPen(kTray.darker(130), 1.2));
  p.setBrush(fill);
  p.drawPath(tray);
}

void Person(QPainter& p, QPointF centre, double scale, const QColor& colour) {
  p.setPen(QPen(colour.darker(140), 1.2));
  QLinearGradient fill(centre.x(), centre.y() - 10 * scale, centre.x(), centre.y() + 12 * scale);
  fill.setColorAt(0, colour.lighter(130));
  fill.setColorAt(1, colour);
  p.setBrush(fill);
  p.drawEllipse(centre + QPointF(0, -6 * scale), 5.5 * scale, 5.5 * scale);
  QPainterPath body;
  body.moveTo(centre + QPointF(-10 * scale, 12 * scale));
  body.cubicTo(centre + QPointF(-10 * scale, 2 * scale), centre + QPointF(10 * scale, 2 * scale),
               centre + QPointF(10 * scale, 12 * scale));
  body.closeSubpath();
  p.drawPath(body);
}

void Bubble(QPainter& p, const QRectF& r, const QColor& colour, bool tailLeft) {
  QPainterPath path;
  path.addRoundedRect(r, 4, 4);
  QPainterPath tail;
  const double x = tailLeft ? r.left() + 5 : r.right() - 5;
  tail.moveTo(x - 3, r.bottom() - 1);
  tail.lineTo(tailLeft ? x - 4 : x + 4, r.bottom() + 5);
  tail.lineTo(x + 3, r.bottom() - 1);
  path = path.united(tail);
  p.setPen(QPen(colour.darker(140), 1.2));
  p.setBrush(colour);
  p.drawPath(path);
}

void Card(QPainter& p) {
  // The wireless card: a rounded blue card with its antenna waves.
  QLinearGradient fill(0, 4, 0, 28);
  fill.setColorAt(0, kBlue.lighter(125));
  fill.setColorAt(1, kBlueDark);
  p.setPen(QPen(kBlueDark.darker(130), 1.2));
  p.setBrush(fill);
  p.drawRoundedRect(QRectF(2, 9, 28, 20), 3, 3);
  p.setBrush(QColor(0xd9, 0xb3, 0x4a));
  p.setPen(Qt::NoPen);
  p.drawRoundedRect(QRectF(5, 19, 7, 6), 1, 1);
  p.setPen(QPen(kPaper, 1.6, Qt::SolidLine, Qt::RoundCap));
  p.setBrush(Qt::NoBrush);
  for (int i = 0; i < 3; ++i) {
    const double r = 3.0 + 3.0 * i;
    p.drawArc(QRectF(22 - r, 15 - r, 2 * r, 2 * r), 30 * 16, 120 * 16);
  }
  p.setPen(QPen(kPaper, 1.2));
  p.drawLine(QPointF(15, 21), QPointF(26, 21));
  p.drawLine(QPointF(15, 24.5), QPointF(23, 24.5));
}

void Draw(QPainter& p, IconShape shape) {
  switch (shape) {
    case IconShape::kApplication:
      Card(p);
      break;
    case IconShape::kNewMessage:
      Envelope(p, QRectF(2, 9, 24, 17));
      p.setPen(QPen(kOrange.darker(120), 1));
      p.setBrush(kOrange);
      p.drawEllipse(QPointF(25, 8), 5.5, 5.5);
      p.setPen(QPen(Qt::white, 2.0, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(25, 5), QPointF(25, 11));
      p.drawLine(QPointF(22, 8), QPointF(28, 8));
      break;
    case IconShape::kReply:
      Envelope(p, QRectF(8, 11, 22, 16));
      Arrow(p, QPointF(17, 8), QPointF(5, 8), kBlue);
      break;
    case IconShape::kForward:
      Envelope(p, QRectF(2, 11, 22, 16));
      Arrow(p, QPointF(15, 8), QPointF(27, 8), kGreen);
      break;
    case IconShape::kDelete: {
      p.setPen(QPen(kTray.darker(120), 1.2));
      QLinearGradient fill(8, 0, 24, 0);
      fill.setColorAt(0, QColor(0xb8, 0xc0, 0xcb));
      fill.setColorAt(1, QColor(0x8a, 0x94, 0xa3));
      p.setBrush(fill);
      QPainterPath can;
      can.moveTo(8, 10);
      can.lineTo(24, 10);
      can.lineTo(22.5, 29);
      can.lineTo(9.5, 29);
      can.closeSubpath();
      p.drawPath(can);
      p.drawRoundedRect(QRectF(6, 6.5, 20, 3.5), 1, 1);
      p.drawRect(QRectF(13, 4, 6, 2.5));
      p.setPen(QPen(QColor(0x5d, 0x66, 0x73), 1.2));
      for (double x : {12.5, 16.0, 19.5}) p.drawLine(QPointF(x, 13), QPointF(x, 26));
      break;
    }
    case IconShape::kChat:
      Bubble(p, QRectF(2, 4, 19, 13), kBlue.lighter(150), true);
      Bubble(p, QRectF(11, 13, 19, 12), QColor(0xa6, 0xd8, 0x8f), false);
      break;
    case IconShape::kInbox:
      Tray(p);
      Arrow(p, QPointF(16, 3), QPointF(16, 15), kBlue);
      break;
    case IconShape::kOutbox:
      Tray(p);
      Arrow(p, QPointF(16, 16), QPointF(16, 4), kOrange);
      break;
    case IconShape::kSent: {
      QPolygonF plane;
      plane << QPointF(3, 15) << QPointF(29, 4) << QPointF(22, 27) << QPointF(15, 19);
      p.setPen(QPen(kBlueDark, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      QLinearGradient fill(3, 4, 29, 27);
      fill.setColorAt(0, kPaper);
      fill.setColorAt(1, QColor(0xc9, 0xd8, 0xec));
      p.setBrush(fill);
      p.drawPolygon(plane);
      p.drawLine(QPointF(29, 4), QPointF(15, 19));
      p.drawLine(QPointF(15, 19), QPointF(14, 27));
      p.drawLine(QPointF(14, 27), QPointF(18.5, 22.5));
      break;
    }
    case IconShape::kReports: {
      p.setPen(QPen(kPaperEdge, 1.2));
      p.setBrush(kPaper);
      p.drawRoundedRect(QRectF(6, 3, 19, 26), 1.5, 1.5);
      p.setPen(QPen(kPaperEdge, 1.2));
      for (double y : {9.0, 13.0, 17.0}) p.drawLine(QPointF(10, y), QPointF(21, y));
      p.setPen(QPen(kGreen.darker(120), 1));
      p.setBrush(kGreen);
      p.drawEllipse(QPointF(23, 23), 6.5, 6.5);
      p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(Qt::NoBrush);
      QPolygonF tick;
      tick << QPointF(19.8, 23.2) << QPointF(22.2, 25.6) << QPointF(26.3, 20.6);
      p.drawPolyline(tick);
      break;
    }
    case IconShape::kContacts:
      p.setPen(QPen(QColor(0x8a, 0x6a, 0x3c), 1.2));
      p.setBrush(QColor(0xc9, 0x9a, 0x5b));
      p.drawRoundedRect(QRectF(4, 3, 24, 27), 2, 2);
      p.setBrush(kPaper);
      p.setPen(Qt::NoPen);
      p.drawRoundedRect(QRectF(8, 6, 18, 21), 1.5, 1.5);
      Person(p, QPointF(17, 16), 0.75, kBlue);
      break;
    case IconShape::kMessageItem:
      Envelope(p, QRectF(3, 7, 26, 19));
      break;
    case IconShape::kContactItem:
      Person(p, QPointF(16, 15), 1.15, kBlue);
      break;
  }
}

}  // namespace

QIcon DrawFallbackIcon(IconShape shape) {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64}) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(size / 32.0, size / 32.0);
    Draw(painter, shape);
    painter.end();
    icon.addPixmap(pixmap);
  }
  return icon;
}

}  // namespace zeph
