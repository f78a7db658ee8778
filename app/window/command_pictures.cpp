#include "app/window/command_pictures.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <numbers>

namespace kova {

namespace {

const QColor kOutline(48, 48, 48);
const QColor kPaper(255, 255, 255);
const QColor kBlue(42, 110, 187);
const QColor kLightBlue(170, 205, 240);
const QColor kYellow(240, 190, 60);
const QColor kDarkYellow(200, 150, 40);
const QColor kGreen(46, 158, 62);
const QColor kRed(200, 50, 50);
const QColor kBrown(150, 100, 50);
const QColor kGrey(140, 140, 140);

void Outlined(QPainter& p, const QBrush& fill, qreal width = 1.2) {
  p.setPen(QPen(kOutline, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(fill);
}

void Stroke(QPainter& p, const QColor& colour, qreal width) {
  p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  p.setBrush(Qt::NoBrush);
}

void Page(QPainter& p, const QRectF& r) {
  const qreal fold = r.width() / 3;
  Outlined(p, kPaper);
  p.drawPolygon(QPolygonF({r.topLeft(), QPointF(r.right() - fold, r.top()),
                           QPointF(r.right(), r.top() + fold), r.bottomRight(),
                           r.bottomLeft()}));
  p.drawPolyline(QPolygonF({QPointF(r.right() - fold, r.top()),
                            QPointF(r.right() - fold, r.top() + fold),
                            QPointF(r.right(), r.top() + fold)}));
}

void TextLines(QPainter& p, qreal left, qreal right, qreal top, int count,
               const QColor& colour) {
  Stroke(p, colour, 1.4);
  for (int i = 0; i < count; ++i) {
    p.drawLine(QPointF(left, top + 3 * i), QPointF(right, top + 3 * i));
  }
}

void Floppy(QPainter& p, const QRectF& r) {
  Outlined(p, kBlue);
  p.drawRoundedRect(r, 1.5, 1.5);
  p.setBrush(kPaper);
  p.drawRect(QRectF(r.left() + r.width() * 0.25, r.top(), r.width() * 0.5,
                    r.height() * 0.3));
  p.drawRect(QRectF(r.left() + r.width() * 0.18, r.top() + r.height() * 0.55,
                    r.width() * 0.64, r.height() * 0.45));
}

// A tiny structogram: a selection head over two branches.
void Structogram(QPainter& p, const QRectF& r) {
  const qreal head = r.top() + r.height() / 3;
  const qreal middle = r.center().x();
  p.setPen(Qt::NoPen);
  p.setBrush(QColor(200, 235, 200));
  p.drawRect(QRectF(r.left(), head, middle - r.left(), r.bottom() - head));
  p.setBrush(kLightBlue);
  p.drawRect(QRectF(middle, head, r.right() - middle, r.bottom() - head));
  Outlined(p, Qt::NoBrush);
  p.drawRect(r);
  p.drawLine(QPointF(r.left(), head), QPointF(r.right(), head));
  p.drawPolyline(QPolygonF({r.topLeft(), QPointF(middle, head), r.topRight()}));
  p.drawLine(QPointF(middle, head), QPointF(middle, r.bottom()));
}

void Clipboard(QPainter& p) {
  Outlined(p, kBrown);
  p.drawRoundedRect(QRectF(4, 3.5, 16, 19), 1.5, 1.5);
  Outlined(p, kGrey);
  p.drawRoundedRect(QRectF(8.5, 2, 7, 4), 1, 1);
}

void Magnifier(QPainter& p, QPointF centre, qreal radius) {
  const qreal reach = radius * 0.72;
  Stroke(p, kBrown, radius * 0.55);
  p.drawLine(centre + QPointF(reach, reach), centre + QPointF(radius * 1.9, radius * 1.9));
  Outlined(p, kLightBlue, 1.6);
  p.drawEllipse(centre, radius, radius);
}

// An arrow from `from` to `to` with its head at `to`.
void Arrow(QPainter& p, QPointF from, QPointF to, const QColor& colour) {
  Stroke(p, colour, 2.2);
  p.drawLine(from, to);
  const QPointF d = to - from;
  const qreal length = std::hypot(d.x(), d.y());
  const QPointF u = d / length;
  const QPointF n(-u.y(), u.x());
  p.setPen(Qt::NoPen);
  p.setBrush(colour);
  p.drawPolygon(QPolygonF({to + u * 2.0, to - u * 3.5 + n * 3.5, to - u * 3.5 - n * 3.5}));
}

void CurvedArrowLeft(QPainter& p) {
  QPainterPath path(QPointF(19, 19));
  path.cubicTo(QPointF(22, 12), QPointF(17, 7.5), QPointF(9, 8.5));
  Stroke(p, kBlue, 2.6);
  p.drawPath(path);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF({QPointF(2.5, 8.5), QPointF(10, 3), QPointF(10, 14)}));
}

void NewPicture(QPainter& p) { Page(p, QRectF(5, 2, 14, 20)); }

void OpenPicture(QPainter& p) {
  Outlined(p, kDarkYellow);
  p.drawPolygon(QPolygonF({QPointF(2, 5), QPointF(9, 5), QPointF(11, 7.5),
                           QPointF(19, 7.5), QPointF(19, 20), QPointF(2, 20)}));
  Outlined(p, kYellow);
  p.drawPolygon(QPolygonF({QPointF(2, 20), QPointF(6, 11), QPointF(23, 11),
                           QPointF(19, 20)}));
}

void SavePicture(QPainter& p) { Floppy(p, QRectF(3, 3, 18, 18)); }

void RunPicture(QPainter& p) {
  Structogram(p, QRectF(2.5, 3.5, 19, 17));
}

void CopyImagePicture(QPainter& p) {
  Clipboard(p);
  Structogram(p, QRectF(7, 8, 10, 11));
}

void SaveAsPicture(QPainter& p) {
  Floppy(p, QRectF(2, 2, 15, 15));
  // A pencil: writing under a new name.
  p.save();
  p.translate(17, 17);
  p.rotate(45);
  Outlined(p, kYellow, 1.0);
  p.drawRect(QRectF(-2, -9, 4, 11));
  p.setBrush(kPaper);
  p.drawPolygon(QPolygonF({QPointF(-2, 2), QPointF(2, 2), QPointF(0, 6)}));
  p.restore();
}

void SettingsPicture(QPainter& p) {
  QPolygonF gear;
  constexpr int kTeeth = 8;
  for (int i = 0; i < kTeeth * 4; ++i) {
    const qreal angle = i * std::numbers::pi / (kTeeth * 2);
    const qreal radius = (i % 4 < 2) ? 10.0 : 7.5;
    gear << QPointF(12 + radius * std::cos(angle), 12 + radius * std::sin(angle));
  }
  Outlined(p, kGrey);
  p.drawPolygon(gear);
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(12, 12), 3, 3);
}

void BashSyntaxPicture(QPainter& p) {
  Page(p, QRectF(3, 2, 18, 20));
  Stroke(p, kBlue, 2.2);
  p.drawLine(QPointF(6, 8), QPointF(11, 8));
  TextLines(p, 13, 16, 8, 1, kOutline);
  TextLines(p, 8, 17, 12, 1, kRed);
  Stroke(p, kBlue, 2.2);
  p.drawLine(QPointF(6, 16), QPointF(10, 16));
  TextLines(p, 12, 17, 16, 1, kGreen);
}

void CommentsPicture(QPainter& p) {
  Stroke(p, kGreen, 2.4);
  p.drawLine(QPointF(9, 3), QPointF(7, 21));
  p.drawLine(QPointF(17, 3), QPointF(15, 21));
  p.drawLine(QPointF(3, 9), QPointF(21, 9));
  p.drawLine(QPointF(3, 15), QPointF(21, 15));
}

void UndoPicture(QPainter& p) { CurvedArrowLeft(p); }

void RedoPicture(QPainter& p) {
  p.save();
  p.translate(24, 0);
  p.scale(-1, 1);
  CurvedArrowLeft(p);
  p.restore();
}

void CutPicture(QPainter& p) {
  Stroke(p, kGrey, 2.0);
  p.drawLine(QPointF(9, 15), QPointF(16, 2));
  p.drawLine(QPointF(15, 15), QPointF(8, 2));
  Outlined(p, kRed, 1.8);
  p.setBrush(Qt::NoBrush);
  p.setPen(QPen(kRed, 2.0));
  p.drawEllipse(QPointF(7, 18), 3.2, 3.2);
  p.drawEllipse(QPointF(17, 18), 3.2, 3.2);
}

void CopyPicture(QPainter& p) {
  Page(p, QRectF(3, 2, 12, 15));
  Page(p, QRectF(9, 7, 12, 15));
  TextLines(p, 11.5, 17, 14, 3, kGrey);
}

void PastePicture(QPainter& p) {
  Clipboard(p);
  Page(p, QRectF(9, 9, 12, 14));
  TextLines(p, 11, 17, 15, 2, kGrey);
}

void SearchPicture(QPainter& p) { Magnifier(p, QPointF(10, 10), 6.5); }

void ReplacePicture(QPainter& p) {
  Magnifier(p, QPointF(8, 8), 5);
  Arrow(p, QPointF(10, 21), QPointF(20, 13), kRed);
}

void NextSearchPicture(QPainter& p) {
  Magnifier(p, QPointF(8, 8), 5);
  Arrow(p, QPointF(18.5, 9), QPointF(18.5, 19), kGreen);
}

void PrevSearchPicture(QPainter& p) {
  Magnifier(p, QPointF(8, 8), 5);
  Arrow(p, QPointF(18.5, 21), QPointF(18.5, 11), kGreen);
}

void WordWrapPicture(QPainter& p) {
  TextLines(p, 3, 21, 4, 1, kOutline);
  TextLines(p, 3, 9, 20, 1, kOutline);
  QPainterPath wrap(QPointF(3, 10));
  wrap.lineTo(17, 10);
  wrap.cubicTo(QPointF(22, 10), QPointF(22, 16), QPointF(17, 16));
  wrap.lineTo(13, 16);
  Stroke(p, kBlue, 1.8);
  p.drawPath(wrap);
  p.setPen(Qt::NoPen);
  p.setBrush(kBlue);
  p.drawPolygon(QPolygonF({QPointF(10, 16), QPointF(14, 12.5), QPointF(14, 19.5)}));
}

void KeysPicture(QPainter& p) {
  Stroke(p, kDarkYellow, 2.4);
  p.drawLine(QPointF(11, 12), QPointF(21.5, 12));
  p.drawLine(QPointF(17, 12), QPointF(17, 16));
  p.drawLine(QPointF(20.5, 12), QPointF(20.5, 15));
  Outlined(p, kYellow, 1.4);
  p.drawEllipse(QPointF(7, 12), 4.5, 4.5);
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(6, 12), 1.5, 1.5);
}

void InfoPicture(QPainter& p) {
  Outlined(p, kBlue);
  p.drawEllipse(QPointF(12, 12), 10, 10);
  p.setPen(Qt::NoPen);
  p.setBrush(kPaper);
  p.drawEllipse(QPointF(12, 7), 1.8, 1.8);
  p.drawRect(QRectF(10.4, 10, 3.2, 9));
}

using Drawing = void (*)(QPainter&);

// In picture index order; the action table refers to these indices.
constexpr std::array<Drawing, 21> kDrawings = {
    NewPicture,       OpenPicture,       SavePicture,     RunPicture,
    CopyImagePicture, SaveAsPicture,     SettingsPicture, BashSyntaxPicture,
    CommentsPicture,  UndoPicture,       RedoPicture,     CutPicture,
    CopyPicture,      PastePicture,      SearchPicture,   ReplacePicture,
    NextSearchPicture, PrevSearchPicture, WordWrapPicture, KeysPicture,
    InfoPicture};

}  // namespace

void DrawCommandPicture(QPainter& painter, int index) {
  painter.save();
  painter.setRenderHint(QPainter::Antialiasing);
  kDrawings.at(static_cast<std::size_t>(index))(painter);
  painter.restore();
}

}  // namespace kova
