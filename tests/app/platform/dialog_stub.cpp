#include "app/platform/dialog_stub.h"

#include <utility>

namespace kova {
namespace {

// Moves the first queued answer out into `answer`; false when none is queued.
template <typename Answer>
bool TakeFirst(std::deque<Answer>& queue, Answer& answer) {
  if (queue.empty()) return false;
  answer = std::move(queue.front());
  queue.pop_front();
  return true;
}

}  // namespace

DialogStub::DialogStub() : fPrevious(InstallDialogSeam(this)) {}

DialogStub::~DialogStub() { InstallDialogSeam(fPrevious); }

MessageButton DialogStub::Message(const MessageRequest& request) {
  messages.push_back(request);
  const MessageButton closed = Contains(request.buttons, MessageButton::Cancel) ? MessageButton::Cancel
                               : Contains(request.buttons, MessageButton::No)   ? MessageButton::No
                                                                                : MessageButton::Ok;
  MessageButton answer = closed;
  TakeFirst(messageAnswers, answer);
  return answer;
}

std::optional<FileChoice> DialogStub::FileDialog(const FileDialogRequest& request,
                                                 const FileNameCheck& mayTake) {
  fileRequests.push_back(request);
  // A refused name keeps the user in the same dialog: the next queued answer
  // is the user's next choice there.
  std::optional<FileChoice> answer;
  while (TakeFirst(fileAnswers, answer)) {
    if (!answer || !mayTake || mayTake(answer->fileName)) return answer;
  }
  return std::nullopt;
}

std::optional<QFont> DialogStub::FontDialog(const QFont& initial) {
  fontRequests.push_back(initial);
  std::optional<QFont> answer;
  TakeFirst(fontAnswers, answer);
  return answer;
}

}  // namespace kova
