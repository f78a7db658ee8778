#include <QCoreApplication>
#include <QClipboard>
#include <QGuiApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QStringList>
#include <QVBoxLayout>
#include <Qsci/qsciscintilla.h>

#include <algorithm>
#include <memory>

#include "app/window/diagram_image.h"
#include "app/platform/dialog_seam.h"
#include "app/platform/freed_memory.h"
#include "app/editor/editor_bytes.h"
#include "app/window/main_form.h"
#include "app/storage/image_file.h"
#include "app/storage/script_file.h"
#include "app/window/tab_set.h"
#include "render/bitmap_limits.h"
#include "render/diagram_painter.h"
#include "render/image_files.h"
#include "translate/keys.h"
#include "translate/memory_budget.h"
#include "translate/memory_room.h"
#include "translate/translator.h"
#include "translate/tree.h"

namespace {

// Hands a document back to its factory when the run is done with it, also
// when drawing fails on the way.
class DocumentRelease {
 public:
  explicit DocumentRelease(kova::TDomImplementation& factory) : fFactory(&factory) {}
  void operator()(kova::TDomDocument* document) const { fFactory->FreeDocument(document); }

 private:
  kova::TDomImplementation* fFactory;
};

using DocumentHandle = std::unique_ptr<kova::TDomDocument, DocumentRelease>;

const QString kMainProgramTab = QStringLiteral("Hauptprogramm");

// The caption of a function diagram's header: the first element of its root.
std::string FunctionHeaderCaption(const kova::TDomDocument& document) {
  return kova::GetCaption(document.DocumentElement().firstChildElement());
}

// Qt compares each event posted to an object that already waits for one with
// every event waiting in the thread, and every new widget waits for one; so
// the events of thousands of new scroll boxes are delivered every so many
// functions instead of all after the run.
constexpr std::size_t kFunctionsBetweenEvents = 256;

// What showing one function's diagram costs besides its picture: its scroll
// box, image, canvas with its text pictures, and tab (measured for a short
// function: about 13 KB after one run, 23 KB after a second, which keeps
// pictures of the texts drawn again).
constexpr long long kBytesPerFunctionView = 24 << 10;

// A function's picture is larger than the smallest: two rows at least, its
// header and its body, under a header in bold. Measured with the window's
// font and the default metrics for 10,000, 50,000 and 100,000 functions
// "function fN {", "echo N", "}" in a shown window: each took 54.6, 56.5 and
// 56.8 KB of resident memory after one run and 62.6, 64.9 and 65.3 KB after
// a second, its picture (136 x 80 pixels) 43,520 bytes of it, the smallest
// picture 14,000. Counted here: 67.7 KB.
constexpr long long kBytesPerFunctionPictureBeyondTheSmallest = 30 << 10;

// What each function's diagram costs the run at the least.
long long FunctionDiagramBytes() {
  return kBytesPerFunctionView + kBytesPerFunctionPictureBeyondTheSmallest +
         kova::SmallestPictureBytes(kova::ProcessDiagramMetrics());
}

// What the last run's diagrams hold: pictures and, for the functions',
// everything else that shows them.
long long EarlierDiagramBytes(const std::vector<kova::DiagramImage*>& images) {
  long long bytes = 0;
  for (std::size_t i = 0; i < images.size(); ++i) {
    if (images[i] == nullptr) continue;
    const kova::Canvas& canvas = images[i]->BitmapCanvas();
    bytes += kova::PictureBytes(canvas.Width(), canvas.Height()) + (i > 0 ? kBytesPerFunctionView : 0);
  }
  return bytes;
}

// Half of what a run can have: the memory the system has free and what the
// last run's diagrams hold, which the run draws over or frees; so running a
// script again may take as much as its first run. Its trees are made while
// those diagrams are still held, so never more than is free.
long long RunBudgetBytes(long long room, long long held) { return std::min(room, (room + held) / 2); }

}  // namespace

void TMainForm::RunActionExecute() {
  const int rememberedTab = TabSet->TabIndex();
  // The budget is taken from the memory the system has free, after what
  // earlier runs freed went back where it counts. What this run frees goes
  // back when it ends, also when it is refused or cut short, where it needs
  // far less than earlier runs took.
  const long long heldBefore = EarlierDiagramBytes(fImages);
  long long room = kova::MemoryRoom();
  if (fFreedMemory.GiveBackBeforeRun(heldBefore, room)) room = kova::MemoryRoom();
  struct GiveBackAtTheEnd {
    TMainForm& form;
    long long heldBefore;
    long long trees = 0;
    ~GiveBackAtTheEnd() {
      form.fFreedMemory.GiveBackAfterRun(heldBefore, trees, EarlierDiagramBytes(form.fImages));
    }
  } giveBackAtTheEnd{*this, heldBefore};
  try {
    const kova::MemoryBudget budget(RunBudgetBytes(room, heldBefore));
    const long long budgetBytes = kova::MemoryBudget::Left();

    kova::TFunktionen translated;
    const kova::Translator translator(
        *fDomImpl, CommentsAction != nullptr && CommentsAction->isChecked(),
        [this](int line, const std::string& lineText, const std::string& errorText) {
          Fehler(line, lineText, errorText);
        },
        FunctionDiagramBytes());
    DocumentHandle mainDocument(translator.BuildDiagramTree(EditorLines(), translated),
                                DocumentRelease(*fDomImpl));
    giveBackAtTheEnd.trees = budgetBytes - kova::MemoryBudget::Left();
    std::vector<DocumentHandle> functions;
    functions.reserve(translated.size());
    for (kova::TDomDocument* document : translated) functions.emplace_back(document, DocumentRelease(*fDomImpl));

    // The function images of the last run are drawn again where there are as
    // many functions; only the surplus goes.
    freeDiagramImages(functions.size() + 1);
    fImages.resize(functions.size() + 1, nullptr);
    fScrollBoxes.resize(functions.size() + 1, nullptr);

    drawDiagram(*mainDocument, *fImages[0]);
    mainDocument.reset();

    if (functions.empty()) {
      TabSet->hide();
      TabSet->SetTabIndex(0);
      return;
    }

    // The bar takes its tabs while hidden and shows once it holds them all.
    TabSet->hide();
    QStringList captions{kMainProgramTab};
    captions.reserve(static_cast<qsizetype>(functions.size()) + 1);
    for (std::size_t i = 1; i <= functions.size(); ++i) {
      if (i % kFunctionsBetweenEvents == 0) QCoreApplication::sendPostedEvents();
      // Pictures larger than the least, and the main diagram's, take from
      // the room that translating left for the functions: the run stops
      // for them before it stops for some picture of theirs.
      kova::CheckFunctionDiagrams(static_cast<int64_t>(functions.size()),
                                  static_cast<int64_t>(functions.size() - i + 1), FunctionDiagramBytes());
      prepareFunctionImage(i);
      drawDiagram(*functions[i - 1], *fImages[i]);
      captions.push_back(QString::fromLatin1(StripFunctionCaption(FunctionHeaderCaption(*functions[i - 1]))));
      functions[i - 1].reset();
    }
    TabSet->ReplaceTabs(std::move(captions));

    TabSet->show();
    // A remembered index of -1 can only come from a tab bar without
    // selection; the main program stands in for it.
    TabSet->SetTabIndex(TabSet->TabCount() <= rememberedTab || rememberedTab < 0 ? 0 : rememberedTab);
  } catch (...) {
    showMainDiagramOnly();
    throw;
  }
}

void TMainForm::prepareFunctionImage(std::size_t index) {
  if (fImages[index] == nullptr) {
    kova::MemoryBudget::Spend(kBytesPerFunctionView);
    // The image waits without a parent, and without a scroll box, until its
    // tab is chosen: most tabs of a long script never are.
    fImages[index] = new kova::DiagramImage();
  }
  if (QScrollArea* scrollBox = fScrollBoxes[index]) {
    scrollBox->hide();
    // A scroll box kept from the last run starts at the top left as a new one.
    scrollBox->horizontalScrollBar()->setValue(0);
    scrollBox->verticalScrollBar()->setValue(0);
  }
  // Layout measures with the canvas font, so the diagram font comes first.
  kova::Canvas& canvas = fImages[index]->BitmapCanvas();
  const kova::DiagramFont& diagramFont = fImages[0]->BitmapCanvas().Font();
  if (!(canvas.Font() == diagramFont)) canvas.SetFont(diagramFont);
}

void TMainForm::showMainDiagramOnly() {
  // A run cut short (a diagram too large for a bitmap) must not leave tabs
  // without diagrams behind: the window goes back to the main diagram alone.
  freeDiagramImages(1);
  fImages.resize(1);
  fScrollBoxes.resize(1);
  fImages[0]->BitmapChanged();
  TabSet->ClearTabs();
  TabSet->AddTab(kMainProgramTab);
  TabSet->hide();
  TabSet->SetTabIndex(0);
}

void TMainForm::drawDiagram(kova::TDomDocument& document, kova::DiagramImage& image) {
  fCanvas = &image.BitmapCanvas();
  // The widget follows the bitmap whether or not drawing got through.
  struct ShowBitmap {
    kova::DiagramImage& image;
    ~ShowBitmap() { image.BitmapChanged(); }
  } showBitmap{image};
  kova::DiagramPainter().DrawDiagram(document, *fCanvas);
}

std::string StripFunctionCaption(const std::string& caption) {
  const auto isBlankOrControl = [](char c) { return static_cast<unsigned char>(c) <= 32; };
  std::size_t first = 0;
  std::size_t last = caption.size();
  while (first < last && isBlankOrControl(caption[first])) ++first;
  while (last > first && isBlankOrControl(caption[last - 1])) --last;
  std::string rest = caption.substr(first, last - first);
  // Exact case here, although the translator takes the keyword in any case.
  for (std::string_view keyword : kova::KeyTable.FunctionKeys) {
    if (rest.starts_with(keyword)) {
      rest.erase(0, keyword.size());
      break;
    }
  }
  if (!rest.empty() && rest.back() == '{') rest.pop_back();
  return rest;
}

QScrollArea* TMainForm::newScrollBox() {
  auto* scrollBox = new QScrollArea(ImagePanel);
  QPalette white = scrollBox->palette();
  white.setColor(QPalette::Window, Qt::white);
  scrollBox->setPalette(white);
  scrollBox->viewport()->setPalette(white);
  scrollBox->viewport()->setAutoFillBackground(true);
  scrollBox->setWidgetResizable(false);
  scrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  scrollBox->hide();
  return scrollBox;
}

void TMainForm::fillImagePane(QScrollArea* scrollBox) {
  // Only the shown scroll box is in the panel's layout, filling the space
  // the tab bar leaves: a layout of thousands of boxes would be arranged
  // anew, all of them, every time one is added or shown.
  auto* layout = static_cast<QVBoxLayout*>(ImagePanel->layout());
  if (layout->indexOf(scrollBox) >= 0) return;
  while (layout->count() > 1) delete layout->takeAt(0);
  layout->insertWidget(0, scrollBox, 1);
}

void TMainForm::TabSetChange(int newTab, bool& /*allowChange*/) {
  for (QScrollArea* scrollBox : fScrollBoxes) {
    if (scrollBox != nullptr) scrollBox->hide();
  }
  if (newTab < 0 || static_cast<std::size_t>(newTab) >= fScrollBoxes.size() || fImages[newTab] == nullptr) return;
  if (fScrollBoxes[newTab] == nullptr) {
    fScrollBoxes[newTab] = newScrollBox();
    fScrollBoxes[newTab]->setWidget(fImages[newTab]);
  }
  fillImagePane(fScrollBoxes[newTab]);
  fScrollBoxes[newTab]->show();
}

void TMainForm::Fehler(int line, const std::string& lineText, const std::string& errorText) {
  const QString message = QStringLiteral("Verarbeitungsfehler in Zeile ") + QString::number(line + 1) +
                          QStringLiteral(":\r\n") + QString::fromLatin1(lineText) +
                          QStringLiteral("\r\n\r\nFehler:\r\n") + QString::fromLatin1(errorText) +
                          QStringLiteral("\r\n\r\nMit großer Wahrscheinlichkeit ist der Fehler weiter oben zu suchen...");
  kova::ShowInformation(message);
  // Rows and columns count from 0 here; the editor clamps the row itself.
  const int row = std::clamp(line, 0, std::max(0, fEditor->lines() - 1));
  fEditor->setCursorPosition(row, 0);
}

std::vector<std::string> TMainForm::EditorLines() const {
  // The editor ends a line at CR LF, LF or CR alike.
  const std::string text = kova::ReplaceLineBreaks(kova::EditorBytes(*fEditor), "\n");
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t end = text.find('\n'); end != std::string::npos; end = text.find('\n', start)) {
    lines.emplace_back(text, start, end - start);
    start = end + 1;
  }
  lines.emplace_back(text, start);
  return lines;
}

kova::DiagramImage& TMainForm::SelectedImage() {
  const int tab = TabSet->TabIndex();
  if (tab > 0 && static_cast<std::size_t>(tab) < fImages.size() && fImages[tab] != nullptr) return *fImages[tab];
  return *fImages[0];
}

void TMainForm::CopyImageActionExecute() {
  const QImage& picture = SelectedImage().Bitmap();
  // Before the first run there is nothing to hand on: the clipboard keeps
  // what it holds and the user is told why.
  kova::CheckPictureDrawn(picture, kova::PictureUse::Copy);
  QGuiApplication::clipboard()->setImage(picture);
}

void TMainForm::SaveImageActionExecute() {
  kova::FileDialogRequest request;
  request.mode = kova::FileDialogMode::Save;
  request.title = QStringLiteral("als Grafik speichern...");
  request.filters = {{QStringLiteral("Bitmap (*.bmp)"), QStringLiteral("*.bmp")},
                     {QStringLiteral("GIF (*.gif)"), QStringLiteral("*.gif")},
                     {QStringLiteral("PNG (*.png)"), QStringLiteral("*.png")}};
  request.filterIndex = 1;
  request.overwritePrompt = true;
  const std::optional<kova::FileChoice> choice = kova::AskFileName(request);
  if (!choice) return;
  // The chosen filter alone decides the format, whatever the name says.
  const kova::ImageFormat format = kova::FormatOfFilterIndex(choice->filterIndex);
  kova::WriteImageFile(SelectedImage().Bitmap(), kova::ImageFileName(choice->fileName, format), format);
}
