#pragma once
// What the main window hears from its phone link (WindowPhoneLink), always on the
// user-interface thread: what the link reports (the progress texts of a read included),
// and that a job started or ended.
#include "phone_link.h"

namespace quillet::ui {

class PhoneLinkListener : public PhoneLinkView {
 public:
  // WindowPhoneLink::busy() changed.
  virtual void phoneBusyChanged() = 0;
};

}  // namespace quillet::ui
