#include "app/base/fallback_icons.h"

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
const QColor kRed(0xcc, 0x33, 0x33);
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

// A picture message's picture: a white card with a black hill and sun, as
// the pictures are black and white.
void PictureCard(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kPaperEdge, 1.2));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(0x20, 0x20, 0x20));
  QPainterPath hill;
  hill.moveTo(r.left() + 1, r.bottom() - 1);
  hill.lineTo(r.left() + r.width() * 0.38, r.top() + r.height() * 0.35);
  hill.lineTo(r.left() + r.width() * 0.62, r.top() + r.height() * 0.7);
  hill.lineTo(r.left() + r.width() * 0.75, r.top() + r.height() * 0.55);
  hill.lineTo(r.right() - 1, r.bottom() - 1);
  hill.closeSubpath();
  p.drawPath(hill);
  p.drawEllipse(QPointF(r.right() - r.width() * 0.22, r.top() + r.height() * 0.28),
                r.height() * 0.13, r.height() * 0.13);
}

void Pencil(QPainter& p, QPointF tip, QPointF end) {
  p.setPen(QPen(kOrange.darker(130), 5.0, Qt::SolidLine, Qt::FlatCap));
  p.drawLine(tip + (end - tip) * 0.25, end);
  p.setPen(QPen(QColor(0x40, 0x40, 0x40), 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(tip, tip + (end - tip) * 0.25);
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

void Sheet(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kPaperEdge, 1.2));
  p.setBrush(kPaper);
  p.drawRoundedRect(r, 1.2, 1.2);
  p.setPen(QPen(kPaperEdge.lighter(115), 1.0));
  for (double y = r.top() + 5; y < r.bottom() - 3; y += 4) {
    p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
  }
}

// A small framed landscape: the picture of a picture message.
void Landscape(QPainter& p, const QRectF& r) {
  p.setPen(QPen(kBlueDark, 1.2));
  p.setBrush(kPaper);
  p.drawRect(r);
  p.setPen(Qt::NoPen);
  p.setBrush(kOrange);
  p.drawEllipse(QPointF(r.left() + r.width() * 0.28, r.top() + r.height() * 0.32),
                r.height() * 0.14, r.height() * 0.14);
  QPolygonF hills;
  hills << QPointF(r.left() + 1, r.bottom() - 1)
        << QPointF(r.left() + r.width() * 0.4, r.center().y())
        << QPointF(r.left() + r.width() * 0.6, r.bottom() - r.height() * 0.3)
        << QPointF(r.left() + r.width() * 0.78, r.top() + r.height() * 0.38)
        << QPointF(r.right() - 1, r.bottom() - 1);
  p.setBrush(kGreen);
  p.drawPolygon(hills);
}

void Badge(QPainter& p, QPointF centre, const QColor& colour, bool plus) {
  p.setPen(QPen(colour.darker(125), 1));
  p.setBrush(colour);
  p.drawEllipse(centre, 6, 6);
  p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
  p.drawLine(centre + QPointF(-3.2, 0), centre + QPointF(3.2, 0));
  if (plus) p.drawLine(centre + QPointF(0, -3.2), centre + QPointF(0, 3.2));
}

void Draw(QPainter& p, IconShape shape) {
  switch (shape) {
    case IconShape::kApplication:
      Card(p);
      break;
    case IconShape::kNewMessage:
      Envelope(p, QRectF(2, 9, 24, 17));
      Badge(p, QPointF(25, 8), kOrange, true);
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
    case IconShape::kUnreadItem:
      // The read envelope with a blue dot: not looked at yet.
      Envelope(p, QRectF(3, 9, 24, 18));
      p.setPen(QPen(kBlueDark, 1));
      p.setBrush(kBlue);
      p.drawEllipse(QPointF(25, 8), 5, 5);
      break;
    case IconShape::kRepliedItem:
      Envelope(p, QRectF(6, 12, 24, 17));
      Arrow(p, QPointF(16, 7), QPointF(5, 7), kBlue);
      break;
    case IconShape::kForwardedItem:
      Envelope(p, QRectF(2, 12, 24, 17));
      Arrow(p, QPointF(16, 7), QPointF(27, 7), kGreen);
      break;
    case IconShape::kRepliedForwardedItem:
      Envelope(p, QRectF(4, 12, 24, 17));
      Arrow(p, QPointF(13, 5), QPointF(4, 5), kBlue);
      Arrow(p, QPointF(19, 9), QPointF(28, 9), kGreen);
      break;
    case IconShape::kPictureItem:
      PictureCard(p, QRectF(3, 7, 26, 19));
      break;
    case IconShape::kContactItem:
      Person(p, QPointF(16, 15), 1.15, kBlue);
      break;
    case IconShape::kNewPicture:
      PictureCard(p, QRectF(2, 9, 23, 17));
      Badge(p, QPointF(25, 8), kOrange, true);
      break;
    case IconShape::kEditPicture:
      PictureCard(p, QRectF(2, 7, 23, 17));
      Pencil(p, QPointF(14, 26), QPointF(29, 9));
      break;
    case IconShape::kImportPicture:
      PictureCard(p, QRectF(6, 13, 23, 16));
      Arrow(p, QPointF(9, 2), QPointF(9, 14), kBlue);
      break;
    case IconShape::kExportPicture:
      PictureCard(p, QRectF(2, 13, 23, 16));
      Arrow(p, QPointF(19, 12), QPointF(27, 3), kGreen);
      break;
    case IconShape::kSave: {
      p.setPen(QPen(kBlueDark, 1.2));
      p.setBrush(kBlue);
      p.drawRoundedRect(QRectF(4, 4, 24, 24), 2, 2);
      p.setBrush(kPaper);
      p.drawRect(QRectF(8, 4, 16, 9));
      p.setBrush(QColor(0xc9, 0xd8, 0xec));
      p.drawRect(QRectF(9, 18, 14, 10));
      p.setPen(Qt::NoPen);
      p.setBrush(kBlueDark);
      p.drawRect(QRectF(18, 5.5, 3.5, 6));
      break;
    }
    case IconShape::kClearAll: {
      PictureCard(p, QRectF(2, 4, 22, 15));
      QPolygonF eraser;
      eraser << QPointF(12, 24) << QPointF(22, 14) << QPointF(30, 21) << QPointF(23, 28)
             << QPointF(16, 28);
      p.setPen(QPen(kRed.darker(140), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      p.setBrush(QColor(0xf2, 0x9b, 0xa8));
      p.drawPolygon(eraser);
      p.setBrush(kPaper);
      QPolygonF sleeve;
      sleeve << QPointF(16, 20) << QPointF(22, 14) << QPointF(27, 18.5) << QPointF(21, 24.5);
      p.drawPolygon(sleeve);
      break;
    }
    case IconShape::kSend: {
      QPolygonF plane;
      plane << QPointF(4, 16) << QPointF(29, 5) << QPointF(20, 28) << QPointF(15, 19);
      p.setPen(QPen(kOrange.darker(135), 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
      QLinearGradient fill(4, 5, 29, 28);
      fill.setColorAt(0, QColor(0xff, 0xd6, 0x8a));
      fill.setColorAt(1, kOrange);
      p.setBrush(fill);
      p.drawPolygon(plane);
      p.drawLine(QPointF(29, 5), QPointF(15, 19));
      p.setPen(QPen(kBlue, 1.6, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(2, 24), QPointF(9, 21));
      p.drawLine(QPointF(5, 29), QPointF(11, 26));
      break;
    }
    case IconShape::kCut:
      p.setPen(QPen(QColor(0x5d, 0x66, 0x73), 2.2, Qt::SolidLine, Qt::RoundCap));
      p.drawLine(QPointF(9, 3), QPointF(20, 20));
      p.drawLine(QPointF(23, 3), QPointF(12, 20));
      p.setPen(QPen(kRed.darker(115), 2.0));
      p.setBrush(Qt::NoBrush);
      p.drawEllipse(QPointF(9.5, 24.5), 4.5, 4.5);
      p.drawEllipse(QPointF(22.5, 24.5), 4.5, 4.5);
      break;
    case IconShape::kCopy:
      Sheet(p, QRectF(4, 3, 16, 20));
      Sheet(p, QRectF(12, 9, 16, 20));
      break;
    case IconShape::kPaste:
      p.setPen(QPen(QColor(0x8a, 0x6a, 0x3c), 1.2));
      p.setBrush(QColor(0xc9, 0x9a, 0x5b));
      p.drawRoundedRect(QRectF(4, 5, 20, 25), 2, 2);
      p.setBrush(QColor(0x9a, 0xa4, 0xb2));
      p.drawRoundedRect(QRectF(9, 2.5, 10, 5), 1.5, 1.5);
      Sheet(p, QRectF(13, 11, 16, 19));
      break;
    case IconShape::kAttachPicture:
      Landscape(p, QRectF(2, 7, 24, 18));
      Badge(p, QPointF(24.5, 24.5), kGreen, true);
      break;
    case IconShape::kRemovePicture:
      Landscape(p, QRectF(2, 7, 24, 18));
      Badge(p, QPointF(24.5, 24.5), kRed, false);
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
