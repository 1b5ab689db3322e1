// A view-definition record written as an RCDATA block for a resource script:
// words as numbers, strings in quotes, and any other bytes as words (an odd
// last byte as an escaped one-character string).  Resource compilers write
// RCDATA numbers as 16-bit little-endian words and strings without a
// terminator, so the block compiles to exactly the record's bytes.
#pragma once
#include <string>
#include <string_view>

#include "core/recordmodel.hpp"

namespace ts::core {

std::string format_record_rc(const RecordModel& model, std::string_view name);

} // namespace ts::core
