// The text of a read-only file viewer: the file in chunks of 10000 bytes,
// which lines start in which chunk, and the text of one line.
//
// Lines are counted by line feeds but drawn up to a carriage return, so a
// file whose lines end in a lone LF shows them run together until the
// next CR.  A 0 byte or Ctrl-Z ends the text.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ts::core {

constexpr std::size_t kBrowseChunk = 10000;

struct BrowseChunk {
    std::uint32_t fileOffset = 0;
    std::uint16_t firstLine = 0;        // first line that starts in the chunk
    std::uint16_t lineCount = 0;        // lines from firstLine on
    std::uint16_t firstLineOffset = 0;  // where firstLine starts in the chunk
    std::string text;                   // at most kBrowseChunk bytes
};

struct BrowseText {
    std::vector<BrowseChunk> chunks;
    std::uint16_t lineCount = 0;  // line feeds before the end of the text
};

BrowseText index_browse_text(std::string_view file);

// The index of the chunk that holds `line`, or -1.
int browse_chunk_of_line(const BrowseText& t, int line);

// The characters of `line` up to its carriage return.
std::string browse_line(const BrowseText& t, int line);

} // namespace ts::core
