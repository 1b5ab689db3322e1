// Chunks, line counts and line texts of the file viewer.
#include <gtest/gtest.h>

#include <string>

#include "core/browsetext.hpp"

using namespace ts::core;

namespace {

std::string Line(BrowseText& t, std::uint32_t n, std::size_t max = 1000) {
    BrowseLines lines;
    lines.set_chunks(t.chunks);
    return std::string(lines.text(n, max));
}

} // namespace

TEST(BrowseText, ChunksAndLineCounts) {
    EXPECT_EQ(index_browse_text("").lineCount, 0u);
    EXPECT_EQ(index_browse_text("").chunks.size(), 1u);
    EXPECT_EQ(index_browse_text(std::string(10000, 'a')).chunks.size(), 1u);
    EXPECT_EQ(index_browse_text(std::string(10001, 'a')).chunks.size(), 2u);
    EXPECT_EQ(index_browse_text(std::string(20000, 'a')).chunks.size(), 2u);
    // Ctrl-Z and a 0 byte end the text: nothing after them is read
    const char withEof[] = "one\r\ntwo\r\n\x1Ahidden\r\n";
    BrowseText t = index_browse_text(std::string_view(withEof, sizeof withEof - 1));
    EXPECT_EQ(t.lineCount, 2u);
    EXPECT_EQ(Line(t, 1), "two");
    BrowseText z = index_browse_text(std::string(15000, 'a') + '\0' + std::string(20000, '\n'));
    EXPECT_EQ(z.chunks.size(), 2u);
    EXPECT_EQ(z.lineCount, 0u);
    // counts beyond 16 bits
    BrowseText many = index_browse_text(std::string(70000, '\n'));
    EXPECT_EQ(many.lineCount, 70000u);
    EXPECT_EQ(many.chunks.back().firstLine, 60001u);
}

TEST(BrowseText, LinesInAnyOrderAcrossChunkBoundaries) {
    std::string file;
    for (int i = 0; file.size() < 9980; ++i) file += "line " + std::to_string(i) + "\r\n";
    file += std::string(9999 - file.size(), '#') + "\r\n";  // CR last in chunk 0, LF first in chunk 1
    for (int i = 0; file.size() < 25000; ++i) file += "more " + std::to_string(i) + "\r\n";
    BrowseText t = index_browse_text(file);
    ASSERT_EQ(t.chunks.size(), 3u);
    EXPECT_EQ(t.chunks[1].fileOffset, 10000u);

    std::vector<std::string> expected;  // the file split at its CRLFs
    for (std::size_t at = 0, cr; (cr = file.find("\r\n", at)) != std::string::npos; at = cr + 2)
        expected.push_back(file.substr(at, cr - at));
    ASSERT_EQ(expected.size(), t.lineCount);
    BrowseLines lines;
    lines.set_chunks(t.chunks);
    for (std::uint32_t n = 0; n < t.lineCount; ++n) ASSERT_EQ(lines.text(n, 100), expected[n]) << n;
    for (std::uint32_t n = t.lineCount; n-- > 0;) ASSERT_EQ(lines.text(n, 100), expected[n]) << n;
    EXPECT_EQ(lines.text(t.lineCount, 100), "");  // after the last line feed
    EXPECT_EQ(lines.text(70000, 100), "");
}

TEST(BrowseText, LoneLineEndsAndLongLines) {
    // lone line feeds count as lines but draw together up to the next CR
    BrowseText lf = index_browse_text("a\nb\nc\r\nd\ne\n");
    EXPECT_EQ(lf.lineCount, 5u);
    EXPECT_EQ(Line(lf, 0), "a\nb\nc");
    EXPECT_EQ(Line(lf, 1), "d\ne\n");
    EXPECT_EQ(Line(lf, 2), "");
    // the next CR may lie chunks away
    BrowseText far = index_browse_text("a\n" + std::string(30000, 'x') + "\r\nEND\r\n");
    EXPECT_EQ(Line(far, 1), "END");
    EXPECT_EQ(Line(far, 2), "END");
    // lone carriage returns end no line
    EXPECT_EQ(index_browse_text(std::string(30000, '\r')).lineCount, 0u);
    // a long line is cut where asked, also across chunks
    BrowseText one = index_browse_text(std::string(1000000, 'y') + "\r\n");
    EXPECT_EQ(Line(one, 0, 300), std::string(300, 'y'));
    EXPECT_EQ(Line(one, 0, 25000), std::string(25000, 'y'));
}
