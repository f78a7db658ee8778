#include "app/platform/dialog_seam.h"

#include <QApplication>
#include <QFileInfo>
#include <QFontDialog>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

#include <array>
#include <utility>

#include "app/platform/file_name_dialog.h"

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

QPointer<QWidget>& Owner() {
  static QPointer<QWidget> owner;
  return owner;
}

// A dialog opened while another modal dialog runs (the overwrite question over
// the file dialog, the font dialog over the settings) belongs to that one.
QWidget* DialogParent() {
  if (QWidget* modal = QApplication::activeModalWidget()) return modal;
  if (QWidget* owner = Owner()) return owner;
  return QApplication::activeWindow();
}

class QtDialogs final : public DialogSeam {
 public:
  MessageButton Message(const MessageRequest& request) override {
    // The program's texts break lines with CR LF; the label wants LF alone.
    QString shownText = request.text;
    shownText.replace("\r\n", "\n");
    QMessageBox box(IconOf(request.kind), MessageCaption(request.kind), shownText,
                    QMessageBox::NoButton, DialogParent());
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

  std::optional<FileChoice> FileDialog(const FileDialogRequest& request,
                                       const FileNameCheck& mayTake) override {
    FileNameDialog dialog(DialogParent(), request, mayTake);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return dialog.Choice();
  }

  std::optional<QFont> FontDialog(const QFont& initial) override {
    bool accepted = false;
    const QFont font = QFontDialog::getFont(&accepted, initial, DialogParent(), QString(),
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

void SetDialogOwner(QWidget* window) { Owner() = window; }

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
  const bool asks = request.mode == FileDialogMode::Save && request.overwritePrompt;
  const FileNameCheck mayTake = [asks](const QString& fileName) {
    const QFileInfo file(fileName);
    if (!asks || !file.exists() || file.isDir()) return true;
    const QString question = fileName + " ist bereits vorhanden.\r\nMöchten Sie sie ersetzen?";
    return ShowMessage(MessageKind::Confirmation, question, MessageButton::Yes | MessageButton::No) ==
           MessageButton::Yes;
  };
  return Current().FileDialog(request, mayTake);
}

std::optional<QFont> AskFont(const QFont& initial) { return Current().FontDialog(initial); }

}  // namespace kova
