#pragma once
// Every failure the user must see goes through one hook: the code that detects a failure asks
// for a message box, and whoever runs the core decides how to show it (a QMessageBox in QL,
// stderr in qltool, a recorder in tests). Title and text are UTF-8 system text.
#include <functional>
#include <string>
#include <vector>

namespace ql {

enum class MsgIcon { None, Information, Warning, Question, Error };
enum class MsgButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MsgAnswer { Ok, Cancel, Yes, No };

struct MsgRequest {
  MsgIcon icon = MsgIcon::Warning;
  MsgButtons buttons = MsgButtons::Ok;
  std::string title;  // the message itself
  std::string text;   // the detail, usually a path
};

using MsgHandler = std::function<MsgAnswer(const MsgRequest&)>;

// Installs a handler and returns the previous one. An empty handler restores the default, which
// prints "title: text" to stderr and answers with the first button (Ok or Yes).
MsgHandler SetMessageHandler(MsgHandler handler);
MsgAnswer ShowMessage(const MsgRequest& request);

// Shorthands for the kinds the program uses.
void ShowWarning(const std::string& title, const std::string& text);
void ShowError(const std::string& title, const std::string& text);
// OK/Cancel question; true when answered OK.
bool AskOkCancel(const std::string& title, const std::string& text);

// Records every request while it lives and answers from a queue (then with the first button).
class MessageRecorder {
 public:
  MessageRecorder();
  ~MessageRecorder();
  MessageRecorder(const MessageRecorder&) = delete;
  MessageRecorder& operator=(const MessageRecorder&) = delete;

  void QueueAnswer(MsgAnswer answer) { answers_.push_back(answer); }
  const std::vector<MsgRequest>& Requests() const { return requests_; }
  void Clear() { requests_.clear(); }

 private:
  std::vector<MsgRequest> requests_;
  std::vector<MsgAnswer> answers_;
  MsgHandler previous_;
};

}  // namespace ql
