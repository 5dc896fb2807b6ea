// Classification of the message being handled by origin.
#include "message_origin.h"

namespace standin {

Origin MessageOrigin::classify() const {
  if (depth_ > 0) return Origin::Internal;
  if (postedDispatch_) return Origin::Posted;
  DWORD flags = InSendMessageEx(nullptr);
  if ((flags & (ISMEX_SEND | ISMEX_NOTIFY | ISMEX_CALLBACK)) != 0) return Origin::Sent;
  return Origin::Internal;
}

MessageOrigin::Scope::Scope(MessageOrigin& tracker, Origin origin)
    : tracker_(tracker), counted_(origin != Origin::Internal) {
  if (counted_) ++tracker_.depth_;
}

MessageOrigin::Scope::~Scope() {
  if (counted_) --tracker_.depth_;
}

}  // namespace standin
