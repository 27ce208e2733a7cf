#pragma once
// Why a file is no usable Java application, as the reader's parts say it: a reason that
// ReadMidletSuite puts after "Cannot read <file> as a Java application: ".
#include <string>
#include <utility>

#include "result.h"

namespace quillet::midlet {

inline Error Refusal(std::string reason) {
  return Error{ErrorCode::InvalidValue, std::move(reason), {}, {}, {}};
}

}  // namespace quillet::midlet
