// The other direction of FieldText.h: a value's text into its record bytes.
#pragma once

#include "platform/paradox/Format.h"

#include <string_view>

namespace paradox {

// Encodes `text` (in the forms FieldText.h lists) into `slot`, which has
// field.width bytes and is all zero on entry; empty text leaves it null.
// Not for memo, blob, graphic and OLE fields. Throws std::invalid_argument
// naming the field when the text is no value of the field's type or does not fit.
void EncodeFieldValue(const FieldDescriptor& field, std::string_view text, unsigned char* slot);

}  // namespace paradox
