#pragma once
// The payload of the private node clipboard format: u32 n (the bytes that follow), i32 version 4,
// then a document body written with base 0. Pure functions; the clipboard itself belongs to the
// windows.
#include <string>
#include <string_view>

#include "storage/byte_io.h"

namespace ql {

// The payload for a body (the bytes WriteBody produced).
std::string EncodeNodePayload(std::string_view body);

enum class TPayloadCheck { Ok, Damaged, Newer };

// Checks a payload as untrusted data: its length field must match the bytes exactly, its version
// must not be above 4, and its body must be intact. With Ok, `reader` is a cursor over the body
// (a view into `payload`) with the payload's version. Newer is refused silently by the caller.
TPayloadCheck DecodeNodePayload(std::string_view payload, TRe& reader);

}  // namespace ql
