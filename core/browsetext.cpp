#include "core/browsetext.hpp"

#include <algorithm>
#include <cstring>

namespace ts::core {
namespace {

const char* find_byte(const char* p, std::size_t n, char c) {
    return n ? static_cast<const char*>(std::memchr(p, c, n)) : nullptr;
}

} // namespace

bool BrowseIndexer::add(BrowseChunk& c, std::string_view block) {
    const char* p = block.data();
    // one pass that the compiler vectorises: line feeds, carriage returns,
    // and whether the text ends inside the block
    // (byte-wide flags: bool ones keep it from vectorising)
    std::uint32_t feeds = 0;
    unsigned char returns = 0, ends = 0;
    for (const char ch : block) {
        feeds += ch == '\n';
        returns |= ch == '\r';
        ends |= (ch == '\0') | (ch == 26);
    }
    std::size_t end = block.size();
    if (ends) {
        end = 0;
        while (block[end] != '\0' && block[end] != 26) ++end;
        feeds = static_cast<std::uint32_t>(std::count(p, p + end, '\n'));
        returns = find_byte(p, end, '\r') != nullptr;
    }

    c = BrowseChunk{};
    c.text = p;
    c.length = static_cast<std::uint32_t>(end);
    c.fileOffset = offset_;
    c.firstLine = lines_;
    // after the first chunk, the first line starting here follows its first LF
    if (feeds && !first_) {
        std::size_t lf = 0;
        while (p[lf] != '\n') ++lf;
        c.firstLineOffset = static_cast<std::uint16_t>(lf + 1);
        c.firstLine = lines_ + 1;
    }
    lines_ += feeds;
    c.lineCount = static_cast<std::uint16_t>(lines_ - c.firstLine);
    c.hasReturn = returns != 0;

    offset_ += static_cast<std::uint32_t>(block.size());
    first_ = false;
    return !ends;
}

void link_browse_chunks(std::span<BrowseChunk> chunks) {
    std::uint32_t next = kNoChunk;
    for (std::size_t i = chunks.size(); i-- > 0;) {
        if (chunks[i].hasReturn) next = static_cast<std::uint32_t>(i);
        chunks[i].nextReturn = next;
    }
}

std::size_t browse_chunk_of_line(std::span<const BrowseChunk> chunks, std::uint32_t line) {
    // the chunks' last lines never decrease: the first chunk whose last line
    // is not below `line`
    std::size_t lo = 0, hi = chunks.size();
    while (lo < hi) {
        const std::size_t mid = lo + (hi - lo) / 2;
        if (static_cast<std::uint64_t>(chunks[mid].firstLine) + chunks[mid].lineCount < line) lo = mid + 1;
        else hi = mid;
    }
    return lo;
}

void BrowseLines::set_chunks(std::span<const BrowseChunk> chunks) {
    if (chunks.size() != chunks_.size()) home_ = kNoChunk;
    chunks_ = chunks;
}

// Past the next carriage return and one more byte, searching on into the
// chunks after this one.  False when no line starts there.
bool BrowseLines::skip_line(Pos& p) const {
    if (p.chunk == kNoChunk) return false;
    const BrowseChunk* c = &chunks_[p.chunk];
    const char* cr = find_byte(c->text + p.offset, c->length - p.offset, '\r');
    if (!cr) {
        const std::uint32_t later = p.chunk + 1 < chunks_.size() ? chunks_[p.chunk + 1].nextReturn : kNoChunk;
        if (later == kNoChunk) {
            p.chunk = kNoChunk;
            return false;
        }
        p.chunk = later;
        c = &chunks_[later];
        cr = find_byte(c->text, c->length, '\r');
    }
    std::uint64_t offset = static_cast<std::uint64_t>(cr - c->text) + 2;
    while (offset >= c->length) {
        if (p.chunk + 1 >= chunks_.size()) {
            p.chunk = kNoChunk;
            return false;
        }
        offset -= c->length;
        c = &chunks_[++p.chunk];
    }
    p.offset = static_cast<std::uint32_t>(offset);
    return true;
}

std::string_view BrowseLines::collect(Pos p, std::size_t maxChars) {
    if (p.chunk == kNoChunk || maxChars == 0) return {};
    std::size_t joined = 0;
    for (std::uint32_t ci = p.chunk, offset = p.offset; ci < chunks_.size(); ++ci, offset = 0) {
        const BrowseChunk& c = chunks_[ci];
        const std::size_t room = maxChars - joined;
        const std::size_t n = std::min<std::size_t>(c.length - offset, room);
        const char* from = c.text + offset;
        const char* cr = find_byte(from, n, '\r');
        const std::size_t take = cr ? static_cast<std::size_t>(cr - from) : n;
        const bool ends = cr || n == room;
        if (ends && joined == 0) return std::string_view(from, take);  // within one chunk
        if (joined_.size() < joined + take) joined_.resize(std::max(joined + take, 2 * joined_.size()));
        if (take) std::memcpy(joined_.data() + joined, from, take);
        joined += take;
        if (ends) break;
    }
    return std::string_view(joined_.data(), joined);
}

std::string_view BrowseLines::text(std::uint32_t line, std::size_t maxChars) {
    const std::size_t home = browse_chunk_of_line(chunks_, line);
    if (home >= chunks_.size()) return {};
    const BrowseChunk& c = chunks_[home];
    Pos p;
    std::uint32_t skips = 0;
    if (home == home_ && line >= line_) {
        p = start_;
        skips = line - line_;
    } else {
        p = {static_cast<std::uint32_t>(home), c.firstLineOffset};
        skips = line > c.firstLine ? line - c.firstLine : 0;
    }
    while (skips > 0 && skip_line(p)) --skips;
    if (skips > 0) p.chunk = kNoChunk;
    home_ = home;
    line_ = line;
    start_ = p;
    return collect(p, maxChars);
}

BrowseText index_browse_text(std::string_view file, std::size_t blockSize) {
    BrowseText t;
    t.bytes.assign(file.begin(), file.end());
    t.chunks.reserve(file.size() / blockSize + 1);
    BrowseIndexer indexer;
    for (std::size_t offset = 0;; offset += blockSize) {
        const std::string_view block = std::string_view(t.bytes.data(), t.bytes.size()).substr(offset, blockSize);
        const bool more = indexer.add(t.chunks.emplace_back(), block);
        if (!more || offset + blockSize >= file.size()) break;
    }
    link_browse_chunks(t.chunks);
    t.lineCount = indexer.lineCount();
    return t;
}

} // namespace ts::core
