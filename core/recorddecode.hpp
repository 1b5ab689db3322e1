// Reads a record's bytes back into values, the way a writer laid them out:
// every count is taken as the number of entries that follow.
//
// Whatever a writer would not have produced (a filler byte or skipped word
// that is not 0, a view-string flag other than 0 or 1, a record cut short
// inside a part, bytes after the last section) stops the reading at the
// start of that part.  The part and everything after it are kept as
// trailing bytes, so that writing the values back gives the same bytes, and
// a warning names the offset of the first byte that was not as expected.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "core/recordmodel.hpp"

namespace ts::core {

struct RecordWarning {
    std::size_t offset;
    std::string message;
};

struct DecodedRecord {
    RecordModel model;
    std::vector<RecordWarning> warnings;
};

DecodedRecord decode_record(std::span<const std::uint8_t> data);

// The English name of a part, as the text form writes it ("field fonts").
const char* record_part_name(RecordPart part);

} // namespace ts::core
