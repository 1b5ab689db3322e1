// Lines and pages of printed text, the title line, the printer profile value.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/printtext.hpp"

using namespace ts::core;

namespace {

// Records "page:line:text" for each line that shows something (the empty
// line between CR and LF draws nothing) and how pages break.
struct Recorder : PrintSink {
    void line(std::string_view text, int n) override {
        ++lines;
        if (!text.empty())
            out.push_back(std::to_string(page) + ":" + std::to_string(n) + ":" + std::string(text));
    }
    int page_break() override {
        ++page;
        return failAt == page ? -2 : 1;
    }
    bool keep_going() override { return stopAfter < 0 || lines < stopAfter; }
    std::vector<std::string> out;
    int lines = 0;
    int page = 1, failAt = 0, stopAfter = -1;
};

std::vector<std::string> Print(std::string_view text, int perPage, Recorder& r) {
    PrintCursor c;
    print_text(text, perPage, c, r);
    return r.out;
}

} // namespace

TEST(PrintText, LineEndsAndPageBreaks) {
    Recorder a;
    EXPECT_EQ(Print("A\r\nB\fC", 60, a), (std::vector<std::string>{"1:1:A", "1:2:B", "2:1:C"}));
    Recorder b;  // a lone CR prints over the same line
    EXPECT_EQ(Print("AB\rCD", 60, b), (std::vector<std::string>{"1:1:AB", "1:1:CD"}));
    Recorder c;  // a full page breaks after its last line, leaving an empty page
    EXPECT_EQ(Print("1\r\n2\r\n3\r\n", 3, c), (std::vector<std::string>{"1:1:1", "1:2:2", "1:3:3"}));
    EXPECT_EQ(c.page, 2);
    Recorder d;  // the text ends at its first NUL; a lone LF advances
    EXPECT_EQ(Print(std::string_view("x\ny\0z", 5), 60, d), (std::vector<std::string>{"1:1:x", "1:2:y"}));
}

TEST(PrintText, StopsOnCancelAndOnPrintingErrors) {
    Recorder cancel;
    cancel.stopAfter = 2;
    EXPECT_EQ(Print("a\nb\nc\nd", 60, cancel).size(), 2u);
    Recorder failing;
    failing.failAt = 2;
    PrintCursor cur;
    print_text("a\fb\fc", 60, cur, failing);
    EXPECT_EQ(failing.out, (std::vector<std::string>{"1:1:a"}));
    EXPECT_LT(cur.pageStatus, 0);
    EXPECT_EQ(print_error_text(cur.pageStatus), "Canceled from Program");
    EXPECT_EQ(print_error_text(-1), "General Error");
    EXPECT_EQ(print_error_text(-5), "Out of memory space");
    EXPECT_EQ(print_error_text(-6), "");
    EXPECT_EQ(print_error_text(-32768), "");  // no 0x4000 bit
}

TEST(PrintText, TitlesPagesAndPrinterNames) {
    EXPECT_EQ(print_title_line("Report"), "Report ");
    EXPECT_EQ(print_title_line(std::string(40, 't')), std::string(31, 't') + " ");
    EXPECT_EQ(lines_per_page(3300, 50), 61);
    EXPECT_EQ(lines_per_page(100, 0), 0);
    PrinterName p = parse_printer_device("HP LaserJet,  winspool, LPT1:");
    EXPECT_EQ(p.device, "HP LaserJet");
    EXPECT_EQ(p.driver, "winspool");
    EXPECT_EQ(p.port, "LPT1:");
    EXPECT_EQ(parse_printer_device("").device, "");
}
