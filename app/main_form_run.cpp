#include <QApplication>
#include <QScrollArea>
#include <QVBoxLayout>
#include <Qsci/qsciscintilla.h>

#include "app/diagram_image.h"
#include "app/dialog_seam.h"
#include "app/main_form.h"
#include "app/tab_set.h"

void TMainForm::RunActionExecute() {}

QScrollArea* TMainForm::newScrollBox() {
  auto* scrollBox = new QScrollArea(ImagePanel);
  QPalette white = scrollBox->palette();
  white.setColor(QPalette::Window, Qt::white);
  scrollBox->setPalette(white);
  scrollBox->viewport()->setPalette(white);
  scrollBox->viewport()->setAutoFillBackground(true);
  scrollBox->setWidgetResizable(false);
  scrollBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  // Every scroll box fills the space the tab bar leaves; only one is shown.
  static_cast<QVBoxLayout*>(ImagePanel->layout())->insertWidget(0, scrollBox, 1);
  return scrollBox;
}

kova::DiagramImage* TMainForm::newDiagramImage(QScrollArea* scrollBox) {
  auto* image = new kova::DiagramImage();
  scrollBox->setWidget(image);
  return image;
}

void TMainForm::TabSetChange(int newTab, bool& /*allowChange*/) {
  for (QScrollArea* scrollBox : fScrollBoxes) {
    if (scrollBox != nullptr) scrollBox->hide();
  }
  if (newTab >= 0 && static_cast<std::size_t>(newTab) < fScrollBoxes.size() && fScrollBoxes[newTab] != nullptr) {
    fScrollBoxes[newTab]->show();
  }
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
  std::vector<std::string> lines;
  const int count = fEditor->lines();
  lines.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) {
    QByteArray bytes = fEditor->text(i).toLatin1();
    while (!bytes.isEmpty() && (bytes.back() == '\n' || bytes.back() == '\r')) bytes.chop(1);
    lines.emplace_back(bytes.constData(), static_cast<std::size_t>(bytes.size()));
  }
  return lines;
}

void TMainForm::CopyImageActionExecute() {}

void TMainForm::SaveImageActionExecute() {}
