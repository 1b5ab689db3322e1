#include "core/browsetext.hpp"

namespace ts::core {

BrowseText index_browse_text(std::string_view file) {
    BrowseText t;
    std::size_t end = 0;
    while (end < file.size() && file[end] != '\0' && file[end] != 26) ++end;
    for (std::size_t start = 0; start == 0 || start < end; start += kBrowseChunk) {
        BrowseChunk c;
        c.fileOffset = static_cast<std::uint32_t>(start);
        c.firstLine = t.lineCount;
        const std::size_t n = std::min(kBrowseChunk, end - start);
        c.text.assign(file.substr(start, n));
        bool sawFeed = false;
        for (std::size_t i = 0; i < n; ++i) {
            if (c.text[i] != '\n') continue;
            if (!sawFeed && start > 0) {
                c.firstLineOffset = static_cast<std::uint16_t>(i + 1);
                c.firstLine = static_cast<std::uint16_t>(t.lineCount + 1);
            }
            sawFeed = true;
            ++t.lineCount;
        }
        c.lineCount = static_cast<std::uint16_t>(t.lineCount - c.firstLine);
        t.chunks.push_back(std::move(c));
        if (n < kBrowseChunk) break;
    }
    return t;
}

int browse_chunk_of_line(const BrowseText& t, int line) {
    for (std::size_t i = 0; i < t.chunks.size(); ++i)
        if (t.chunks[i].firstLine + t.chunks[i].lineCount >= line) return static_cast<int>(i);
    return -1;
}

std::string browse_line(const BrowseText& t, int line) {
    int ci = browse_chunk_of_line(t, line);
    if (ci < 0) return {};
    const BrowseChunk* c = &t.chunks[static_cast<std::size_t>(ci)];
    std::size_t pos = c->firstLineOffset;
    // earlier lines of the chunk end at a carriage return and one more byte
    for (int skip = line - c->firstLine; skip > 0; --skip) {
        while (pos < c->text.size() && c->text[pos] != '\r') ++pos;
        pos += 2;
        while (pos >= c->text.size()) {  // the line starts in a later chunk
            if (static_cast<std::size_t>(++ci) >= t.chunks.size()) return {};
            pos -= c->text.size();
            c = &t.chunks[static_cast<std::size_t>(ci)];
        }
    }
    std::string out;
    for (;;) {
        while (pos < c->text.size() && c->text[pos] != '\r') out.push_back(c->text[pos++]);
        if (pos < c->text.size() || static_cast<std::size_t>(++ci) >= t.chunks.size()) break;
        c = &t.chunks[static_cast<std::size_t>(ci)];
        pos = 0;
    }
    return out;
}

} // namespace ts::core
