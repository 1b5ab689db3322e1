// The text of a read-only file viewer: the file in chunks of 10000 bytes,
// which lines start in which chunk, and the text of one line.
//
// Lines are counted by line feeds but drawn up to a carriage return, and a
// line is passed over by going past its carriage return and one more byte.
// So a file whose lines end in a lone LF shows them run together until the
// next CR, and the lines counted after that show nothing.  A 0 byte or
// Ctrl-Z ends the text.
//
// Line numbers are 32-bit: a file may hold far more lines than a 16-bit
// count reaches.  Finding a line costs the bytes of its own chunk at most,
// and chunks without a carriage return are jumped over, so lone-LF files,
// lone-CR files and single long lines are as quick as CRLF files.
#pragma once
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ts::core {

constexpr std::uint32_t kBrowseChunk = 10000;
constexpr std::uint32_t kNoChunk = 0xFFFFFFFFu;

// One chunk as the viewer keeps it.  The bytes belong to the caller and
// stay put while the chunk is in use.
struct BrowseChunk {
    const char* text = nullptr;
    std::uint32_t length = 0;      // bytes before the end of the file's text
    std::uint32_t fileOffset = 0;  // where the chunk starts in the file
    std::uint32_t firstLine = 0;   // first line that starts in the chunk
    // first chunk from this one on that holds a carriage return (kNoChunk:
    // none); set by link_browse_chunks once every chunk is read
    std::uint32_t nextReturn = kNoChunk;
    std::uint16_t lineCount = 0;        // lines after firstLine starting here
    std::uint16_t firstLineOffset = 0;  // where firstLine starts
    bool hasReturn = false;
};

// Indexes the blocks of a file as they are read, in order.
class BrowseIndexer {
public:
    // Fills `chunk` for the next block read from the file (`chunk.text`
    // becomes block.data()).  Answers whether the text goes on past the
    // block: false once a 0 byte or Ctrl-Z ended it.
    bool add(BrowseChunk& chunk, std::string_view block);
    std::uint32_t lineCount() const { return lines_; }

private:
    std::uint32_t lines_ = 0;
    std::uint32_t offset_ = 0;
    bool first_ = true;
};

// Links every chunk to the next one holding a carriage return.
void link_browse_chunks(std::span<BrowseChunk> chunks);

// The index of the chunk that holds `line`, or chunks.size().
std::size_t browse_chunk_of_line(std::span<const BrowseChunk> chunks, std::uint32_t line);

// Reads lines out of the chunks.  A line asked for after an earlier one of
// the same chunk is found from that one, so painting lines in order walks
// each chunk once.
class BrowseLines {
public:
    // The chunks may be handed again (for example after relocking them)
    // without losing the place, as long as they are the same chunks.
    void set_chunks(std::span<const BrowseChunk> chunks);

    // The characters of `line` up to its carriage return, at most `maxChars`
    // of them.  The view lasts until the next call.
    std::string_view text(std::uint32_t line, std::size_t maxChars);

private:
    struct Pos {
        std::uint32_t chunk = kNoChunk;  // kNoChunk: the line starts nowhere
        std::uint32_t offset = 0;
    };
    bool skip_line(Pos& p) const;
    std::string_view collect(Pos p, std::size_t maxChars);

    std::span<const BrowseChunk> chunks_;
    std::size_t home_ = kNoChunk;  // the chunk the last line was found from
    std::uint32_t line_ = 0;       // the last line found and where it starts
    Pos start_;
    std::vector<char> joined_;  // a line that runs across chunks
};

// A whole file indexed at once (tests, tools): the same reading as the
// viewer's, with the blocks kept here.  Blocks smaller than the viewer's
// put many chunk boundaries into a small text.
struct BrowseText {
    BrowseText() = default;
    BrowseText(BrowseText&&) = default;  // the chunks keep pointing into `bytes`
    BrowseText(const BrowseText&) = delete;
    std::vector<char> bytes;  // the blocks, one after the other
    std::vector<BrowseChunk> chunks;
    std::uint32_t lineCount = 0;
};
BrowseText index_browse_text(std::string_view file, std::size_t blockSize = kBrowseChunk);

} // namespace ts::core
