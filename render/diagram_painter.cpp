#include "render/diagram_painter.h"

#include <QString>
#include <algorithm>
#include <vector>

#include "render/bitmap_limits.h"
#include "render/geometry.h"
#include "translate/exception.h"
#include "translate/tree.h"

namespace kova {
namespace {

constexpr long long kMargin = 10;

const QString kBreite = QString::fromLatin1(kBreiteAttribute);
const QString kHoehe = QString::fromLatin1(kHoeheAttribute);

[[noreturn]] void AssertionFailed(int line) {
  throw Exception(
      QStringLiteral("Assertion fehlges (frmMain, Zeile %1)").arg(line).toLatin1().toStdString());
}

// Switches the canvas's font to bold for its lifetime, keeping every other style.
class BoldFont {
 public:
  explicit BoldFont(Canvas& canvas) : canvas_(canvas), previous_(canvas.Font()) {
    DiagramFont bold = previous_;
    bold.bold = true;
    canvas_.SetFont(bold);
  }
  ~BoldFont() { canvas_.SetFont(previous_); }
  BoldFont(const BoldFont&) = delete;
  BoldFont& operator=(const BoldFont&) = delete;

 private:
  Canvas& canvas_;
  const DiagramFont previous_;
};

// Children that draw nothing leave a sequence as empty as having none:
// layout gave it one row, so it shows the empty-block symbol there.
bool DrawsAnyRow(const TDomNode& sequence) {
  for (const TDomNode& child : Children(sequence)) {
    const uint8_t kind = NodeKind(child);
    if (kind != kNoKind && kind != kFall) return true;
  }
  return false;
}

}  // namespace

long long SmallestPictureBytes(const DiagramMetrics& metrics) {
  // A side beyond the largest bitmap is refused anyway; capping it keeps the
  // product within range for metrics as large as a settings file may hold.
  const auto side = [](long long extent) {
    return std::clamp(extent + 2 * kMargin, 1LL, kMaxBitmapSide + 1);
  };
  return PictureBytes(side(metrics.NullBreite), side(metrics.AnweisungsHoehe));
}

void CheckDiagramDepth(const TDomNode& root) {
  int depth = 0;
  TDomNode node = root;
  while (!node.isNull()) {
    if (depth > kMaxDiagramDepth) {
      throw Exception(QStringLiteral("Das Diagramm ist zu tief verschachtelt: mehr als %1 Ebenen "
                                     "können nicht gezeichnet werden.")
                          .arg(kMaxDiagramDepth)
                          .toLatin1()
                          .toStdString());
    }
    if (!node.firstChild().isNull()) {
      node = node.firstChild();
      ++depth;
      continue;
    }
    while (!node.isNull() && node != root && node.nextSibling().isNull()) {
      node = node.parentNode();
      --depth;
    }
    node = node.isNull() || node == root ? TDomNode() : node.nextSibling();
  }
}

DiagramPainter::DiagramPainter(const DiagramMetrics& metrics) : metrics_(metrics) {}

void DiagramPainter::SetTarget(TDomDocument& document, Canvas& canvas) {
  document_ = &document;
  canvas_ = &canvas;
}

void DiagramPainter::WriteSize(const TDomNode& node, const QString& name, long long value) {
  TDomElement element = node.toElement();
  if (element.isNull()) return;
  // A redraw mostly finds the sizes already there; writing one costs a new
  // attribute node.
  const QString text = QString::number(value);
  if (element.attribute(name) != text) document_->SetAttribute(element, name, text);
}

void DiagramPainter::DrawDiagram(TDomDocument& document, Canvas& canvas) {
  SetTarget(document, canvas);
  const TDomElement root = document.DocumentElement();
  CheckDiagramDepth(root);
  const long long width = ComputeWidth(root) + 2 * kMargin;
  const long long height = ComputeHeight(root) + 2 * kMargin;
  // Only negative metrics make a side shorter than one pixel; the size they
  // give would tell the user nothing.
  if (width < 1 || height < 1) {
    throw Exception(QStringLiteral("Für das Diagramm kann keine Grafik angelegt werden: die Maße aus "
                                   "den Einstellungen ergeben keine gültige Größe.")
                        .toLatin1()
                        .toStdString());
  }
  canvas.SetSize(width, height);
  canvas.FillRect(0, 0, canvas.Width() + 1, canvas.Height() + 1);
  const long long drawn = DrawSequence(kMargin, kMargin, canvas.Width() - 2 * kMargin, root);
  canvas.MoveTo(kMargin, drawn + kMargin);
  canvas.LineTo(canvas.Width() - kMargin, drawn + kMargin);
  canvas.LineTo(canvas.Width() - kMargin, kMargin);
}

long long DiagramPainter::ComputeWidth(const TDomNode& sequence) {
  const long long margins = 2LL * metrics_.Abstand;
  long long width = metrics_.NullBreite;
  for (const TDomNode& child : Children(sequence)) {
    const uint8_t kind = NodeKind(child);
    if (kind == kNoKind) continue;
    long long text = canvas_->TextWidth(GetCaption(child)) + margins;
    if (kind == kAufruf) text += 2LL * metrics_.AufrufBreite;
    if (kind == kAussprung) text += metrics_.AufrufBreite;
    width = std::max(width, text);
    long long structure = 0;
    if (kind == kAuswahl) {
      for (const TDomNode& branch : Children(child)) {
        long long branchWidth = ComputeWidth(branch);
        const long long label = canvas_->TextWidth(GetCaption(branch)) + margins;
        if (label > branchWidth) {
          branchWidth = label;
          WriteSize(branch, kBreite, branchWidth);
        }
        structure += branchWidth;
      }
      WriteSize(child, kBreite, structure);
    } else if (kind == kWhile || kind == kUntil) {
      structure = ComputeWidth(child) + metrics_.SchleifenBreite;
    }
    width = std::max(width, structure);
  }
  WriteSize(sequence, kBreite, width);
  return width;
}

long long DiagramPainter::ComputeHeight(const TDomNode& sequence) {
  const long long row = metrics_.AnweisungsHoehe;
  long long height = 0;
  for (const TDomNode& child : Children(sequence)) {
    switch (NodeKind(child)) {
      case kAnweisung:
      case kAufruf:
      case kAussprung:
      case kEnde:
        height += row;
        break;
      case kWhile:
      case kUntil:
        height += row + ComputeHeight(child);
        break;
      case kAuswahl: {
        long long tallest = 0;
        for (const TDomNode& branch : Children(child)) {
          tallest = std::max(tallest, ComputeHeight(branch));
        }
        WriteSize(child, kHoehe, tallest);
        height += 2 * row + tallest;
        break;
      }
      default:
        break;
    }
  }
  if (height == 0) height = row;
  WriteSize(sequence, kHoehe, height);
  return height;
}

long long DiagramPainter::RowTextX(RowKind kind, long long x, long long width,
                                   long long textWidth) const {
  const long long margin = metrics_.Abstand;
  const long long inset = metrics_.AufrufBreite;
  const auto centred = [](long long room) { return Nearest(static_cast<double>(room) / 2); };
  if (kind == RowKind::End) return x + centred(width - textWidth);
  switch (metrics_.Ausrichtung) {
    case 0:
      return x + margin + (kind == RowKind::Statement ? 0 : inset);
    case 1:
      return x + width - textWidth - margin - (kind == RowKind::Call ? inset : 0);
    case 2:
      if (kind == RowKind::Call) return x + inset + centred(width - textWidth - 2 * inset);
      if (kind == RowKind::Break) return x + inset + centred(width - textWidth - inset);
      return x + centred(width - textWidth);
    default:
      return 0;
  }
}

long long DiagramPainter::RowTextTop(long long y, const std::string& text) const {
  const long long room = static_cast<long long>(metrics_.AnweisungsHoehe) - canvas_->TextHeight(text);
  return y + Nearest(static_cast<double>(room) / 2);
}

void DiagramPainter::DrawRowText(RowKind kind, long long x, long long y, long long width,
                                 const std::string& text) {
  canvas_->TextOut(RowTextX(kind, x, width, canvas_->TextWidth(text)), RowTextTop(y, text), text);
}

void DiagramPainter::DrawCallText(long long x, long long y, long long width,
                                  const std::string& text) {
  if (text.empty() || text.front() != FunctionHeaderMarker) {
    DrawRowText(RowKind::Call, x, y, width, text);
    return;
  }
  // A function's header is placed by its whole text, marker included, as
  // layout measured it, and shown bold without the marker.
  const long long top = RowTextTop(y, text);
  const long long left = RowTextX(RowKind::Call, x, width, canvas_->TextWidth(text));
  BoldFont bold(*canvas_);
  canvas_->TextOut(left, top, text.substr(1));
}

void DiagramPainter::DrawEmptyBlock(long long x, long long y, long long width,
                                    const TDomNode& sequence) {
  const long long inset = metrics_.LeerAbstand;
  DrawTopLeft(*canvas_, x, y, x + width + 1, y + metrics_.AnweisungsHoehe + 1);
  // An empty branch spans the height of the tallest branch beside it.
  const TDomNode parent = sequence.parentNode();
  const long long height = NodeKind(parent) == kAuswahl ? GetHoehe(parent) : GetHoehe(sequence);
  canvas_->MoveTo(x + inset, y + height - inset);
  canvas_->LineTo(x + width - inset, y + inset);
  canvas_->SetBrushStyle(BrushStyle::bsClear);
  canvas_->Ellipse(x + inset, y + inset, x + width - inset, y + height - inset);
  canvas_->SetBrushStyle(BrushStyle::bsSolid);
}

long long DiagramPainter::DrawSequence(long long x, long long y, long long width,
                                       const TDomNode& sequence) {
  const long long row = metrics_.AnweisungsHoehe;
  const long long bar = metrics_.SchleifenBreite;
  const long long inset = metrics_.AufrufBreite;
  if (!DrawsAnyRow(sequence)) {
    DrawEmptyBlock(x, y, width, sequence);
    return row;
  }
  const long long top = y;
  for (const TDomNode& child : Children(sequence)) {
    const uint8_t kind = NodeKind(child);
    if (kind == kAnweisung || kind == kAufruf || kind == kAussprung || kind == kEnde ||
        kind == kWhile) {
      DrawTopLeft(*canvas_, x, y, x + width + 1, y + row + 1);
    }
    switch (kind) {
      case kAnweisung:
        DrawRowText(RowKind::Statement, x, y, width, GetCaption(child));
        y += row;
        break;
      case kAufruf:
        DrawCallText(x, y, width, GetCaption(child));
        canvas_->MoveTo(x + inset, y);
        canvas_->LineTo(x + inset, y + row);
        canvas_->MoveTo(x + width - inset, y);
        canvas_->LineTo(x + width - inset, y + row);
        y += row;
        break;
      case kAussprung:
        DrawRowText(RowKind::Break, x, y, width, GetCaption(child));
        canvas_->MoveTo(x + inset, y);
        canvas_->LineTo(x, y + row / 2);
        canvas_->LineTo(x + inset, y + row);
        y += row;
        break;
      case kEnde: {
        DrawRowText(RowKind::End, x, y, width, GetCaption(child));
        const long long middle = x + width / 2;
        canvas_->MoveTo(middle, y);
        canvas_->LineTo(x + width, y + row / 2);
        canvas_->LineTo(middle, y + row);
        canvas_->LineTo(x, y + row / 2);
        canvas_->LineTo(middle, y);
        y += row;
        break;
      }
      case kWhile: {
        DrawRowText(RowKind::Statement, x, y, width, GetCaption(child));
        const long long body = DrawSequence(x + bar, y + row, width - bar, child);
        canvas_->MoveTo(x, y);
        canvas_->LineTo(x, y + row + body);
        y += row + body;
        break;
      }
      case kUntil:
        y += DrawUntil(x, y, width, child);
        break;
      case kAuswahl:
        y += DrawSelection(x, y, width, child);
        break;
      default:
        break;
    }
  }
  return y - top;
}

long long DiagramPainter::DrawUntil(long long x, long long y, long long width,
                                    const TDomNode& loop) {
  const long long row = metrics_.AnweisungsHoehe;
  const long long bar = metrics_.SchleifenBreite;
  // The bar draws its own piece of the top edge; the body's first row the rest.
  canvas_->MoveTo(x, y);
  canvas_->LineTo(x + bar, y);
  const long long body = DrawSequence(x + bar, y, width - bar, loop);
  canvas_->MoveTo(x, y);
  canvas_->LineTo(x, y + row + body);
  const long long foot = y + body;
  canvas_->MoveTo(x + bar, foot);
  canvas_->LineTo(x + width, foot);
  DrawRowText(RowKind::Statement, x, foot, width, GetCaption(loop));
  return body + row;
}

long long DiagramPainter::DrawSelection(long long x, long long y, long long width,
                                        const TDomNode& selection) {
  const long long head = 2LL * metrics_.AnweisungsHoehe;
  DrawTopLeft(*canvas_, x, y, x + width + 1, y + head + 1);
  std::vector<TDomNode> branches;
  std::vector<long long> columns;
  for (const TDomNode& branch : Children(selection)) {
    branches.push_back(branch);
    columns.push_back(GetBreite(branch));
  }
  const long long count = static_cast<long long>(columns.size());
  // A selection without branches has no columns to share its width among; it
  // shows its head with one diagonal and nothing below.
  if (count > 0) {
    long long sum = SumFirst(columns, count - 1);
    if (sum > width) AssertionFailed(750);
    if (sum < width) {
      const long long share = (width - sum) / count;
      for (long long& column : columns) column += share;
      sum += share * count;
      columns.back() += width - sum;
      sum = width;
    }
    if (sum != width) AssertionFailed(761);
  }
  // The head's line: a V with its vertex at the left edge of a default last
  // column, else one diagonal. A default branch standing alone puts the
  // vertex on the left edge, where the V's slope is not defined; its
  // separator starts at the top like the first column's always does.
  canvas_->MoveTo(x, y);
  double slope = 0;
  if (count > 0 && IsDefaultBranch(branches.back())) {
    const long long vertex = SumFirst(columns, count - 2);
    canvas_->LineTo(x + vertex, y + head);
    canvas_->LineTo(x + width, y);
    if (vertex > 0) slope = static_cast<double>(head) / static_cast<double>(vertex);
  } else {
    canvas_->LineTo(x + width, y + head);
    if (width > 0) slope = static_cast<double>(head) / static_cast<double>(width);
  }
  const std::string condition = GetCaption(selection);
  canvas_->TextOut(x + Nearest(static_cast<double>(width - canvas_->TextWidth(condition)) / 2),
                   y + 2, condition);
  const long long labelTop = y + head - canvas_->TextHeight("ja") - 1;
  long long tallest = 0;
  long long left = x;
  for (size_t j = 0; j < branches.size(); ++j) {
    const std::string label = GetCaption(branches[j]);
    canvas_->TextOut(Nearest(static_cast<double>(left) +
                             static_cast<double>(columns[j] - canvas_->TextWidth(label)) / 2),
                     labelTop, label);
    tallest = std::max(tallest, DrawSequence(left, y + head, columns[j], branches[j]));
    left += columns[j];
  }
  left = 0;
  for (size_t j = 0; j < branches.size(); ++j) {
    canvas_->MoveTo(x + left, y + Nearest(static_cast<double>(left) * slope));
    canvas_->LineTo(x + left, y + head + tallest);
    left += columns[j];
  }
  return head + tallest;
}

}  // namespace kova
