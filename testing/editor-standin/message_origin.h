// Tells messages from another process or thread apart from those the
// stand-in's own windows exchange. A message sent from outside is seen with
// InSendMessageEx; a posted one is flagged by the message loop. Everything
// that happens while such a message is handled (an edit's own notifications,
// a window's destruction) counts as internal, even where InSendMessageEx
// still reports the outer sent message.
#pragma once

#include <windows.h>

namespace standin {

enum class Origin { Internal, Sent, Posted };

class MessageOrigin {
 public:
  // Origin of the message the calling window procedure is handling.
  Origin classify() const;

  // Marks the span of handling an outside message.
  class Scope {
   public:
    Scope(MessageOrigin& tracker, Origin origin);
    ~Scope();
    Scope(const Scope&) = delete;
    Scope& operator=(const Scope&) = delete;

   private:
    MessageOrigin& tracker_;
    bool counted_;
  };

  // The message loop dispatches a posted message from outside.
  void setPostedDispatch(bool on) { postedDispatch_ = on; }

 private:
  int depth_ = 0;
  bool postedDispatch_ = false;
};

}  // namespace standin
