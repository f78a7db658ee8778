// The one way the program asks the user something modally: message boxes,
// open/save file dialogs and the font dialog. The program calls the free
// functions below; they hand the question to the installed DialogSeam, which is
// Qt's own widgets in the program and a scripted answerer in the tests.
#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class QWidget;

namespace kova {

enum class MessageKind { Warning, Error, Information, Confirmation };

enum class MessageButton { Yes = 1, No = 2, Ok = 4, Cancel = 8 };

// A set of MessageButton values or'ed together, shown in the order Yes, No, OK,
// Cancel.
using MessageButtons = int;

constexpr MessageButtons operator|(MessageButton a, MessageButton b) {
  return static_cast<int>(a) | static_cast<int>(b);
}

constexpr MessageButtons operator|(MessageButtons a, MessageButton b) {
  return a | static_cast<int>(b);
}

constexpr bool Contains(MessageButtons set, MessageButton button) {
  return (set & static_cast<int>(button)) != 0;
}

// The German window title of a message box of this kind ("Warnung", ...).
QString MessageCaption(MessageKind kind);

// The German button text ("&Ja", "&Nein", "OK", "Abbrechen").
QString MessageButtonText(MessageButton button);

struct MessageRequest {
  MessageKind kind = MessageKind::Information;
  QString text;
  MessageButtons buttons = static_cast<int>(MessageButton::Ok);
};

struct FileFilter {
  QString description;  // "Bitmap (*.bmp)"
  QString pattern;      // "*.bmp"
};

enum class FileDialogMode { Open, Save };

struct FileDialogRequest {
  FileDialogMode mode = FileDialogMode::Open;
  QString title;
  std::vector<FileFilter> filters;
  int filterIndex = 1;       // 1-based entry of filters selected on opening
  QString defaultExtension;  // without dot; appended by the dialog when empty
  QString fileName;          // proposed name
  QString directory;         // initial folder; empty: the dialog's choice
  bool overwritePrompt = false;  // save only: ask before replacing a file
};

struct FileChoice {
  QString fileName;
  int filterIndex = 1;  // 1-based entry of filters chosen by the user
};

// Asked with the name the user confirmed in a file dialog; false refuses it.
using FileNameCheck = std::function<bool(const QString& fileName)>;

// Answers the questions. Implementations only show and answer; the rules
// shared by all of them (the overwrite question) live in the free functions.
class DialogSeam {
 public:
  virtual ~DialogSeam() = default;
  virtual MessageButton Message(const MessageRequest& request) = 0;
  // Empty when the user cancelled. A name that `mayTake` refuses is not
  // returned: the user stays in the same dialog, with folder, name and filter
  // as they were, and chooses again.
  virtual std::optional<FileChoice> FileDialog(const FileDialogRequest& request,
                                               const FileNameCheck& mayTake) = 0;
  virtual std::optional<QFont> FontDialog(const QFont& initial) = 0;
};

// Makes `seam` answer all further questions until it is uninstalled; returns
// the seam that answered before. The caller keeps ownership. Passing nullptr
// restores Qt's dialogs.
DialogSeam* InstallDialogSeam(DialogSeam* seam);

// The window that owns every dialog and message box, so that they are centred
// over it; a dialog opened from another modal dialog belongs to that one. The
// program sets its main window; nullptr falls back to the active window.
void SetDialogOwner(QWidget* window);

// Shows a message box and returns the button the user chose. Closing the box
// without a button counts as Cancel when offered, else No, else OK.
MessageButton ShowMessage(MessageKind kind, const QString& text, MessageButtons buttons);

void ShowError(const QString& text);        // "Fehler" with OK
void ShowInformation(const QString& text);  // "Informationen" with OK

// Runs a file dialog. For a save dialog with overwritePrompt, choosing an
// existing file asks "Bestätigen" with Yes/No; No returns to the dialog as
// the user left it.
std::optional<FileChoice> AskFileName(const FileDialogRequest& request);

std::optional<QFont> AskFont(const QFont& initial);

}  // namespace kova
