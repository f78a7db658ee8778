#include "app/platform/dialog_seam.h"

#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPushButton>

#include <array>
#include <utility>

namespace kova {
namespace {

constexpr std::array<MessageButton, 4> kButtonOrder = {
    MessageButton::Yes, MessageButton::No, MessageButton::Ok, MessageButton::Cancel};

MessageButton EscapeAnswer(MessageButtons buttons) {
  if (Contains(buttons, MessageButton::Cancel)) return MessageButton::Cancel;
  if (Contains(buttons, MessageButton::No)) return MessageButton::No;
  return MessageButton::Ok;
}

QMessageBox::Icon IconOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return QMessageBox::Warning;
    case MessageKind::Error: return QMessageBox::Critical;
    case MessageKind::Information: return QMessageBox::Information;
    case MessageKind::Confirmation: return QMessageBox::Question;
  }
  return QMessageBox::NoIcon;
}

QMessageBox::ButtonRole RoleOf(MessageButton button) {
  switch (button) {
    case MessageButton::Yes: return QMessageBox::YesRole;
    case MessageButton::No: return QMessageBox::NoRole;
    case MessageButton::Ok: return QMessageBox::AcceptRole;
    case MessageButton::Cancel: return QMessageBox::RejectRole;
  }
  return QMessageBox::AcceptRole;
}

// The name filter Qt expects: the description, with the pattern in
// parentheses unless the description already shows it that way.
QString QtNameFilter(const FileFilter& filter) {
  if (filter.description.endsWith("(" + filter.pattern + ")")) return filter.description;
  return filter.description + " (" + filter.pattern + ")";
}

class QtDialogs final : public DialogSeam {
 public:
  MessageButton Message(const MessageRequest& request) override {
    // The program's texts break lines with CR LF; the label wants LF alone.
    QString shownText = request.text;
    shownText.replace("\r\n", "\n");
    QMessageBox box(IconOf(request.kind), MessageCaption(request.kind), shownText,
                    QMessageBox::NoButton, QApplication::activeWindow());
    box.setTextFormat(Qt::PlainText);
    std::vector<std::pair<QAbstractButton*, MessageButton>> shown;
    for (MessageButton button : kButtonOrder) {
      if (!Contains(request.buttons, button)) continue;
      shown.emplace_back(box.addButton(MessageButtonText(button), RoleOf(button)), button);
    }
    box.exec();
    for (const auto& [widget, button] : shown) {
      if (box.clickedButton() == widget) return button;
    }
    return EscapeAnswer(request.buttons);
  }

  std::optional<FileChoice> FileDialog(const FileDialogRequest& request) override {
    QFileDialog dialog(QApplication::activeWindow(), request.title, request.directory);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    // The overwrite question is asked by AskFileName, in German.
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    const bool saving = request.mode == FileDialogMode::Save;
    dialog.setAcceptMode(saving ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(saving ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList nameFilters;
    for (const FileFilter& filter : request.filters) nameFilters << QtNameFilter(filter);
    dialog.setNameFilters(nameFilters);
    const auto selected = static_cast<qsizetype>(request.filterIndex) - 1;
    if (selected >= 0 && selected < nameFilters.size()) dialog.selectNameFilter(nameFilters[selected]);
    dialog.setDefaultSuffix(request.defaultExtension);
    if (!request.fileName.isEmpty()) dialog.selectFile(request.fileName);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    FileChoice choice;
    choice.fileName = dialog.selectedFiles().first();
    choice.filterIndex = static_cast<int>(nameFilters.indexOf(dialog.selectedNameFilter())) + 1;
    if (choice.filterIndex < 1) choice.filterIndex = 1;
    return choice;
  }

  std::optional<QFont> FontDialog(const QFont& initial) override {
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, initial, QApplication::activeWindow(), QString(),
                                            QFontDialog::DontUseNativeDialog);
    if (!accepted) return std::nullopt;
    return font;
  }
};

QtDialogs& QtSeam() {
  static QtDialogs seam;
  return seam;
}

DialogSeam* gInstalled = nullptr;

DialogSeam& Current() { return gInstalled != nullptr ? *gInstalled : QtSeam(); }

}  // namespace

QString MessageCaption(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning: return QStringLiteral("Warnung");
    case MessageKind::Error: return QStringLiteral("Fehler");
    case MessageKind::Information: return QStringLiteral("Informationen");
    case MessageKind::Confirmation: return QStringLiteral("Bestätigen");
  }
  return QString();
}

QString MessageButtonText(MessageButton button) {
  switch (button) {
    case MessageButton::Yes: return QStringLiteral("&Ja");
    case MessageButton::No: return QStringLiteral("&Nein");
    case MessageButton::Ok: return QStringLiteral("OK");
    case MessageButton::Cancel: return QStringLiteral("Abbrechen");
  }
  return QString();
}

DialogSeam* InstallDialogSeam(DialogSeam* seam) { return std::exchange(gInstalled, seam); }

MessageButton ShowMessage(MessageKind kind, const QString& text, MessageButtons buttons) {
  if (buttons == 0) buttons = static_cast<int>(MessageButton::Ok);
  const MessageButton answer = Current().Message({kind, text, buttons});
  return Contains(buttons, answer) ? answer : EscapeAnswer(buttons);
}

void ShowError(const QString& text) {
  ShowMessage(MessageKind::Error, text, static_cast<int>(MessageButton::Ok));
}

void ShowInformation(const QString& text) {
  ShowMessage(MessageKind::Information, text, static_cast<int>(MessageButton::Ok));
}

std::optional<FileChoice> AskFileName(const FileDialogRequest& request) {
  for (;;) {
    std::optional<FileChoice> choice = Current().FileDialog(request);
    if (!choice || request.mode != FileDialogMode::Save || !request.overwritePrompt ||
        !QFileInfo::exists(choice->fileName)) {
      return choice;
    }
    const QString question = choice->fileName + " ist bereits vorhanden.\r\nMöchten Sie sie ersetzen?";
    if (ShowMessage(MessageKind::Confirmation, question, MessageButton::Yes | MessageButton::No) ==
        MessageButton::Yes) {
      return choice;
    }
  }
}

std::optional<QFont> AskFont(const QFont& initial) { return Current().FontDialog(initial); }

}  // namespace kova
