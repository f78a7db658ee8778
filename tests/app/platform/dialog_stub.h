// Answers the program's dialogs in tests: records every question and gives
// the queued answers in order. Without a queued answer a message box is
// closed (Cancel, else No, else OK) and a file or font dialog is cancelled.
// A file name the dialog refuses is followed by the next queued answer within
// the same dialog.
// Installs itself for its lifetime.
#pragma once

#include <deque>
#include <optional>
#include <vector>

#include "app/platform/dialog_seam.h"

namespace kova {

class DialogStub final : public DialogSeam {
 public:
  DialogStub();
  ~DialogStub() override;
  DialogStub(const DialogStub&) = delete;
  DialogStub& operator=(const DialogStub&) = delete;

  MessageButton Message(const MessageRequest& request) override;
  std::optional<FileChoice> FileDialog(const FileDialogRequest& request, const FileNameCheck& mayTake) override;
  std::optional<QFont> FontDialog(const QFont& initial) override;

  std::vector<MessageRequest> messages;
  std::vector<FileDialogRequest> fileRequests;
  std::vector<QFont> fontRequests;

  std::deque<MessageButton> messageAnswers;
  std::deque<std::optional<FileChoice>> fileAnswers;
  std::deque<std::optional<QFont>> fontAnswers;

 private:
  DialogSeam* fPrevious;
};

}  // namespace kova
