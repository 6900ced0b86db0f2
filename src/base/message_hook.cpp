#include "base/message_hook.h"

#include <cstdio>
#include <utility>

namespace ql {
namespace {

MsgAnswer FirstButton(const MsgRequest& request) {
  return request.buttons == MsgButtons::Ok || request.buttons == MsgButtons::OkCancel ? MsgAnswer::Ok
                                                                                       : MsgAnswer::Yes;
}

MsgAnswer PrintToStderr(const MsgRequest& request) {
  if (request.text.empty()) {
    std::fprintf(stderr, "%s\n", request.title.c_str());
  } else {
    std::fprintf(stderr, "%s: %s\n", request.title.c_str(), request.text.c_str());
  }
  return FirstButton(request);
}

MsgHandler& Handler() {
  static MsgHandler handler = PrintToStderr;
  return handler;
}

}  // namespace

MsgHandler SetMessageHandler(MsgHandler handler) {
  if (!handler) handler = PrintToStderr;
  return std::exchange(Handler(), std::move(handler));
}

MsgAnswer ShowMessage(const MsgRequest& request) { return Handler()(request); }

void ShowWarning(const std::string& title, const std::string& text) {
  ShowMessage({MsgIcon::Warning, MsgButtons::Ok, title, text});
}

void ShowError(const std::string& title, const std::string& text) {
  ShowMessage({MsgIcon::Error, MsgButtons::Ok, title, text});
}

bool AskOkCancel(const std::string& title, const std::string& text) {
  return ShowMessage({MsgIcon::Question, MsgButtons::OkCancel, title, text}) == MsgAnswer::Ok;
}

MessageRecorder::MessageRecorder() {
  previous_ = SetMessageHandler([this](const MsgRequest& request) {
    requests_.push_back(request);
    if (answers_.empty()) return FirstButton(request);
    const MsgAnswer answer = answers_.front();
    answers_.erase(answers_.begin());
    return answer;
  });
}

MessageRecorder::~MessageRecorder() { SetMessageHandler(std::move(previous_)); }

}  // namespace ql
