// Chunks, line counts and line texts of the file viewer.
#include <gtest/gtest.h>

#include <string>

#include "core/browsetext.hpp"

using namespace ts::core;

TEST(BrowseText, ChunksAndLineCounts) {
    EXPECT_EQ(index_browse_text("").lineCount, 0);
    EXPECT_EQ(index_browse_text("").chunks.size(), 1u);
    EXPECT_EQ(index_browse_text(std::string(10000, 'a')).chunks.size(), 1u);
    EXPECT_EQ(index_browse_text(std::string(10001, 'a')).chunks.size(), 2u);
    const char withEof[] = "one\r\ntwo\r\n\x1Ahidden\r\n";
    BrowseText t = index_browse_text(std::string_view(withEof, sizeof withEof - 1));
    EXPECT_EQ(t.lineCount, 2);  // Ctrl-Z ends the text
    EXPECT_EQ(browse_line(t, 0), "one");
    EXPECT_EQ(browse_line(t, 1), "two");
    // lone line feeds count as lines but draw together up to the next CR
    BrowseText lf = index_browse_text("a\nb\nc\r\nd");
    EXPECT_EQ(lf.lineCount, 3);
    EXPECT_EQ(browse_line(lf, 0), "a\nb\nc");
}

TEST(BrowseText, LinesAcrossChunkBoundaries) {
    std::string file;
    for (int i = 0; file.size() < 25000; ++i) file += "line " + std::to_string(i) + "\r\n";
    BrowseText t = index_browse_text(file);
    ASSERT_EQ(t.chunks.size(), 3u);
    EXPECT_EQ(t.chunks[1].fileOffset, 10000u);
    for (int line : {0, 1, 500, 1000, 1001, 1002, 1500, 2000, 2100, t.lineCount - 1})
        EXPECT_EQ(browse_line(t, line), "line " + std::to_string(line)) << line;
    EXPECT_EQ(browse_line(t, t.lineCount), "");  // after the last line feed
    EXPECT_EQ(browse_line(t, 60000), "");
}
