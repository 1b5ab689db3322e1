// Plain text in lines: the file viewer's chunks, line counts and line texts,
// and printed lines and pages, failure texts and the printer profile value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/browsetext.hpp"
#include "core/printtext.hpp"

using namespace ts::core;
using Lines = std::vector<std::string>;

namespace {

std::string Line(const BrowseText& t, std::uint32_t n, std::size_t max = 1000) {
    BrowseLines lines;
    lines.set_chunks(t.chunks);
    return std::string(lines.text(n, max));
}

// "page:line:text" of each line that shows something (the empty line
// between CR and LF draws nothing).
struct Job : PrintSink {
    void line(std::string_view text, int n) override {
        if (!text.empty()) out.push_back(std::to_string(page) + ":" + std::to_string(n) + ":" + std::string(text));
    }
    int page_break() override { return ++page == 3 ? -2 : 1; }  // the third page fails
    bool keep_going() override { return out.size() < 5; }       // cancelled after five lines
    Lines out;
    int page = 1;
};

Lines print(std::string_view text, int perPage) {
    Job job;
    PrintCursor cursor;
    print_text(text, perPage, cursor, job);
    return job.out;
}

} // namespace

TEST(BrowseText, ChunksLineCountsAndLineEnds) {
    EXPECT_EQ(index_browse_text(std::string(10001, 'a')).chunks.size(), 2u);  // chunks of 10000 bytes
    // Ctrl-Z and a 0 byte end the text: nothing after them is read
    EXPECT_EQ(index_browse_text("one\r\ntwo\r\n\x1Ahidden\r\n").lineCount, 2u);
    BrowseText z = index_browse_text(std::string(15000, 'a') + '\0' + std::string(20000, '\n'));
    EXPECT_EQ(z.chunks.size(), 2u);
    EXPECT_EQ(z.lineCount, 0u);
    BrowseText many = index_browse_text(std::string(70000, '\n'));  // counts beyond 16 bits
    EXPECT_EQ(many.lineCount, 70000u);
    EXPECT_EQ(many.chunks.back().firstLine, 60001u);
    EXPECT_EQ(index_browse_text(std::string(30000, '\r')).lineCount, 0u);  // lone CRs end no line
    // lone line feeds count as lines but draw together up to the next CR
    BrowseText lf = index_browse_text("a\nb\nc\r\nd\ne\n");
    EXPECT_EQ(lf.lineCount, 5u);
    EXPECT_EQ(Line(lf, 0), "a\nb\nc");
    EXPECT_EQ(Line(lf, 1), "d\ne\n");
    EXPECT_EQ(Line(index_browse_text("a\n" + std::string(30000, 'x') + "\r\nEND\r\n"), 2), "END");  // the CR chunks away
    BrowseText one = index_browse_text(std::string(1000000, 'y') + "\r\n");  // a long line is cut where asked
    EXPECT_EQ(Line(one, 0, 300), std::string(300, 'y'));
    EXPECT_EQ(Line(one, 0, 25000), std::string(25000, 'y'));
}

TEST(BrowseText, LinesInAnyOrderAcrossChunkBoundaries) {
    std::string file;
    for (int i = 0; file.size() < 9980; ++i) file += "line " + std::to_string(i) + "\r\n";
    file += std::string(9999 - file.size(), '#') + "\r\n";  // CR last in chunk 0, LF first in chunk 1
    for (int i = 0; file.size() < 25000; ++i) file += "more " + std::to_string(i) + "\r\n";
    BrowseText t = index_browse_text(file);
    ASSERT_EQ(t.chunks.size(), 3u);
    std::string joined, backwards;  // every line read in order and back again, each ended by CRLF
    BrowseLines lines;
    lines.set_chunks(t.chunks);
    for (std::uint32_t n = 0; n < t.lineCount; ++n) joined += std::string(lines.text(n, 100)) + "\r\n";
    for (std::uint32_t n = t.lineCount; n-- > 0;) backwards = std::string(lines.text(n, 100)) + "\r\n" + backwards;
    EXPECT_EQ(joined, file);
    EXPECT_EQ(backwards, file);
    EXPECT_EQ(lines.text(t.lineCount, 100), "");  // after the last line feed
}

TEST(PrintText, LineEndsPagesStopsAndProfileValues) {
    EXPECT_EQ(print("A\r\nB\fC", 60), (Lines{"1:1:A", "1:2:B", "2:1:C"}));
    EXPECT_EQ(print("AB\rCD", 60), (Lines{"1:1:AB", "1:1:CD"}));                         // a lone CR prints over
    EXPECT_EQ(print(std::string_view("x\ny\0z", 5), 60), (Lines{"1:1:x", "1:2:y"}));     // up to a NUL
    EXPECT_EQ(print("1\r\n2\r\n3\r\n4", 3), (Lines{"1:1:1", "1:2:2", "1:3:3", "2:1:4"}));  // a full page breaks
    EXPECT_EQ(print("1\n2\n3\n4\n5\n6", 60).size(), 5u);
    EXPECT_EQ(print("a\fb\fc", 60), (Lines{"1:1:a", "2:1:b"}));
    EXPECT_EQ(print_error_text(-2), "Canceled from Program");
    EXPECT_EQ(print_error_text(-32768), "");  // no 0x4000 bit
    PrinterName p = parse_printer_device("HP LaserJet,  winspool, LPT1:");
    EXPECT_EQ(p.device + "|" + p.driver + "|" + p.port, "HP LaserJet|winspool|LPT1:");
}
