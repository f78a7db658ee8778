// "KOVA.ini": every setting is read into the object that uses it at the end
// of the window's creation and written back from it first thing on
// destruction. Reading clicks the same items the user clicks.
#include <QAction>
#include <QScreen>
#include <QStringList>
#include <Qsci/qscilexerbash.h>

#include <algorithm>
#include <cstdint>

#include "app/editor/editor_bytes.h"
#include "app/platform/window_coordinate.h"
#include "app/window/diagram_image.h"
#include "app/storage/font_settings.h"
#include "app/window/main_form.h"
#include "app/storage/profile_file.h"
#include "app/editor/search_state.h"
#include "app/dialogs/settings_form.h"
#include "app/window/tool_bar.h"
#include "render/diagram_metrics.h"

namespace {

constexpr std::string_view kBounds = "Bounds";
constexpr std::string_view kSettings = "Settings";
constexpr std::string_view kSearch = "Search";

// Replaces every occurrence, left to right, without overlap.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to) {
  std::string result;
  for (size_t found; (found = text.find(from)) != std::string_view::npos;) {
    result.append(text.substr(0, found)).append(to);
    text.remove_prefix(found + from.size());
  }
  return result.append(text);
}

// A history's entries are joined by CR LF; the file holds one line per value.
constexpr std::string_view kEntryBreak = "\r\n";
constexpr std::string_view kStoredEntryBreak = "#13#10";

struct SearchFlag {
  const char* key;
  bool* value;
  bool fallback;
};

const SearchFlag kSearchFlags[] = {
    {"gbSearchTextAtCaret", &gbSearchTextAtCaret, true},
    {"gbSearchBackwards", &gbSearchBackwards, false},
    {"gbSearchCaseSensitive", &gbSearchCaseSensitive, false},
    {"gbSearchFromCaret", &gbSearchFromCaret, false},
    {"gbSearchSelectionOnly", &gbSearchSelectionOnly, false},
    {"gbSearchWholeWords", &gbSearchWholeWords, false},
    {"gbSearchRegex", &gbSearchRegex, false},
};

struct SearchText {
  const char* key;
  QString* value;
  bool isHistory;
};

const SearchText kSearchTexts[] = {
    {"gsSearchText", &gsSearchText, false},
    {"gsSearchTextHistory", &gsSearchTextHistory, true},
    {"gsReplaceText", &gsReplaceText, false},
    {"gsReplaceTextHistory", &gsReplaceTextHistory, true},
};

// The editor positions in the order they are compared and examined, with the
// word that stands for each in the file.
struct EditorPosition {
  const char* word;
  QAction* TMainForm::*menuItem;
  void (TMainForm::*click)();
};

const EditorPosition kEditorPositions[] = {
    {"oben", &TMainForm::EditObenMenu, &TMainForm::EditObenMenuClick},
    {"rechts", &TMainForm::EditRechtsMenu, &TMainForm::EditRechtsMenuClick},
    {"unten", &TMainForm::EditUntenMenu, &TMainForm::EditUntenMenuClick},
    {"links", &TMainForm::EditLinksMenu, &TMainForm::EditLinksMenuClick},
};

// The six numeric metrics in the order they are read and written; the
// alignment, a byte, follows them.
struct MetricKey {
  const char* key;
  int kova::DiagramMetrics::*value;
};

const MetricKey kMetricKeys[] = {
    {"AnweisungsHoehe", &kova::DiagramMetrics::AnweisungsHoehe},
    {"SchleifenBreite", &kova::DiagramMetrics::SchleifenBreite},
    {"AufrufBreite", &kova::DiagramMetrics::AufrufBreite},
    {"LeerAbstand", &kova::DiagramMetrics::LeerAbstand},
    {"NullBreite", &kova::DiagramMetrics::NullBreite},
    {"Abstand", &kova::DiagramMetrics::Abstand},
};
constexpr const char* kAlignmentKey = "Ausrichtung";

// The file holds 8-bit text. A character it cannot hold is not written as
// "?", which would find every "?" after the next start: a history leaves out
// the entries that hold one, a search or replace text is written empty.
std::string StoredSearchText(const QString& text, bool isHistory) {
  QStringList kept;
  for (const QString& entry : isHistory ? text.split(QStringLiteral("\r\n")) : QStringList{text})
    if (kova::IsLatin1Text(entry)) kept << entry;
  const std::string bytes = kept.join(QStringLiteral("\r\n")).toLatin1().toStdString();
  return isHistory ? ReplaceAll(bytes, kEntryBreak, kStoredEntryBreak) : bytes;
}

}  // namespace

void TMainForm::readSettings() {
  const kova::ProfileFile ini(fIniPath);
  readBoundsSettings(ini);
  readEditorSettings(ini);
  readToolBarSettings(ini);
  readSearchSettings(ini);
  readFontSettings(ini);
  readMetricSettings(ini);
  // A file that could not be read leaves every default in place; the user
  // learns why and that the file is kept.
  fIniRefused = ini.Refused();
  ini.CheckLoaded();
}

void TMainForm::writeSettings() {
  if (fIniRefused) throw kova::RefusedAtStartError(fIniPath);
  // Read again, so that what others wrote to it meanwhile stays. Where that
  // fails now, the session's settings cannot be saved, and the user learns why.
  kova::ProfileFile ini(fIniPath);
  ini.CheckWritable();
  writeBoundsSettings(ini);
  writeEditorSettings(ini);
  writeToolBarSettings(ini);
  writeSearchSettings(ini);
  writeFontSettings(ini);
  writeMetricSettings(ini);
  ini.UpdateFile();
}

void TMainForm::readBoundsSettings(const kova::ProfileFile& ini) {
  const int width = ini.ReadInteger(kBounds, "Width", 600);
  const int height = ini.ReadInteger(kBounds, "Height", 400);
  const int top = ini.ReadInteger(kBounds, "Top", 10);
  const int left = ini.ReadInteger(kBounds, "Left", 10);
  // The position is applied as stored, off the screen or not, as far as the
  // window system reaches; a size beyond the desktop would ask for a window
  // buffer larger than memory allows.
  move(kova::WindowCoordinate(left), kova::WindowCoordinate(top));
  const QSize desktop = screen()->virtualSize().expandedTo(QSize(1, 1));
  resize(std::clamp(width, 1, desktop.width()), std::clamp(height, 1, desktop.height()));
  // The window is not shown yet: it opens maximized and keeps these bounds
  // as the ones it returns to.
  if (ini.ReadBool(kBounds, "Maximized", false)) setWindowState(windowState() | Qt::WindowMaximized);
}

void TMainForm::writeBoundsSettings(kova::ProfileFile& ini) const {
  if (isMaximized()) {
    ini.WriteBool(kBounds, "Maximized", true);
    return;
  }
  ini.WriteBool(kBounds, "Maximized", false);
  ini.WriteInteger(kBounds, "Top", y());
  ini.WriteInteger(kBounds, "Left", x());
  ini.WriteInteger(kBounds, "Width", width());
  ini.WriteInteger(kBounds, "Height", height());
}

void TMainForm::readSearchSettings(const kova::ProfileFile& ini) {
  for (const SearchFlag& flag : kSearchFlags) *flag.value = ini.ReadBool(kSearch, flag.key, flag.fallback);
  for (const SearchText& text : kSearchTexts) {
    const std::string stored = ini.ReadString(kSearch, text.key, "");
    const std::string value = text.isHistory ? ReplaceAll(stored, kStoredEntryBreak, kEntryBreak) : stored;
    *text.value = QString::fromLatin1(value.data(), static_cast<qsizetype>(value.size()));
  }
}

void TMainForm::writeSearchSettings(kova::ProfileFile& ini) const {
  for (const SearchFlag& flag : kSearchFlags) ini.WriteBool(kSearch, flag.key, *flag.value);
  for (const SearchText& text : kSearchTexts)
    ini.WriteString(kSearch, text.key, StoredSearchText(*text.value, text.isHistory));
}

void TMainForm::readEditorSettings(const kova::ProfileFile& ini) {
  SetWordWrap(ini.ReadBool(kSettings, "Zeilenumbruch", false));
  // The editor keeps a tab width within 1 to 256.
  fEditor->setTabWidth(std::clamp(ini.ReadInteger(kSettings, "TabWidth", fEditor->tabWidth()), 1, 256));
  CommentsAction->setChecked(ini.ReadBool(kSettings, "Kommentare", CommentsAction->isChecked()));
  EditUntenMenuClick();
  const std::string position = ini.ReadString(kSettings, "Edit", "unten");
  for (const EditorPosition& item : kEditorPositions) {
    if (position == item.word) {
      (this->*item.click)();
      break;
    }
  }
  // Carried out as the user would: the action starts unchecked.
  if (ini.ReadBool(kSettings, "BashSyntax", true)) BashSyntaxAction->trigger();
}

void TMainForm::writeEditorSettings(kova::ProfileFile& ini) const {
  ini.WriteBool(kSettings, "Zeilenumbruch", fEditor->wrapMode() != QsciScintilla::WrapNone);
  for (const EditorPosition& item : kEditorPositions) {
    if ((this->*item.menuItem)->isChecked()) {
      ini.WriteString(kSettings, "Edit", item.word);
      break;
    }
  }
  ini.WriteBool(kSettings, "BashSyntax", BashSyntaxAction->isChecked());
  ini.WriteInteger(kSettings, "TabWidth", fEditor->tabWidth());
  ini.WriteBool(kSettings, "Kommentare", CommentsAction->isChecked());
}

void TMainForm::readToolBarSettings(const kova::ProfileFile& ini) {
  for (kova::ToolBar* band : ToolBars()) {
    const std::string name = band->objectName().toStdString();
    const QPoint place = ToolBarPlace(band);
    band->setVisible(ini.ReadBool(kSettings, name + ".Visible", !band->isHidden()));
    const int left = ini.ReadInteger(kSettings, name + ".Left", place.x());
    const int top = ini.ReadInteger(kSettings, name + ".Top", place.y());
    SetToolBarPlace(band, QPoint(left, top));
  }
  SetHintState(ini.ReadBool(kSettings, "ShowHints", false));
  if (ini.ReadBool(kSettings, "BigIcons", BigIconsMenu->isChecked())) BigIconsMenu->trigger();
  const std::array<kova::ToolBar*, 5> bands = ToolBars();
  if (std::all_of(bands.begin(), bands.end(), [](kova::ToolBar* band) { return band->isHidden(); })) {
    MenuToolBar->show();
  }
}

void TMainForm::writeToolBarSettings(kova::ProfileFile& ini) const {
  for (const kova::ToolBar* band : ToolBars()) {
    const std::string name = band->objectName().toStdString();
    const QPoint place = ToolBarPlace(band);
    ini.WriteBool(kSettings, name + ".Visible", band->Shown());
    ini.WriteInteger(kSettings, name + ".Left", place.x());
    ini.WriteInteger(kSettings, name + ".Top", place.y());
  }
  ini.WriteBool(kSettings, "ShowHints", HintState());
  ini.WriteBool(kSettings, "BigIcons", BigIconsMenu->isChecked());
}

void TMainForm::SetEditorFont(const kova::DiagramFont& font) {
  fEditFont = font;
  // The editor's styles take their sizes in points only.
  fEditor->SetEditorFont(kova::PointSizedQFont(font));
  // Plain text shows in the font's colour, with and without highlighting.
  const QColor color = font.color.Shown();
  fEditor->SetTextColor(color);
  fShellHighlighter->setColor(color, QsciLexerBash::Default);
  fShellHighlighter->setColor(color, QsciLexerBash::Identifier);
}

void TMainForm::readFontSettings(const kova::ProfileFile& ini) {
  // Until the file is read the editor font is what the editor started with.
  kova::DiagramFont editFont = kova::WithQFont(kova::DiagramFont{}, fEditor->EditorFont());
  kova::LoadFontSettings(ini, kSettings, "EditFont", editFont);
  SetEditorFont(editFont);
  kova::Canvas& canvas = fImages[0]->BitmapCanvas();
  kova::DiagramFont diagramFont = canvas.Font();
  kova::LoadFontSettings(ini, kSettings, "NSDFont", diagramFont);
  canvas.SetFont(diagramFont);
}

void TMainForm::writeFontSettings(kova::ProfileFile& ini) const {
  kova::SaveFontSettings(ini, kSettings, "EditFont", fEditFont);
  kova::SaveFontSettings(ini, kSettings, "NSDFont", fImages[0]->BitmapCanvas().Font());
}

void TMainForm::readMetricSettings(const kova::ProfileFile& ini) {
  kova::DiagramMetrics& metrics = kova::ProcessDiagramMetrics();
  for (const MetricKey& metric : kMetricKeys) {
    metrics.*metric.value = ini.ReadInteger(kSettings, metric.key, metrics.*metric.value);
  }
  // A byte: only the low eight bits of the stored number count.
  metrics.Ausrichtung =
      static_cast<unsigned char>(ini.ReadInteger(kSettings, kAlignmentKey, metrics.Ausrichtung) & 0xFF);
}

void TMainForm::writeMetricSettings(kova::ProfileFile& ini) const {
  const kova::DiagramMetrics& metrics = kova::ProcessDiagramMetrics();
  for (const MetricKey& metric : kMetricKeys) ini.WriteInteger(kSettings, metric.key, metrics.*metric.value);
  ini.WriteInteger(kSettings, kAlignmentKey, metrics.Ausrichtung);
}
