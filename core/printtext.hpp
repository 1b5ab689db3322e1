// Plain-text printing without the printer: how a text splits into lines
// and pages, the job's title line, and the printer named by the profile.
#pragma once
#include <cstdint>
#include <string>
#include <string_view>

namespace ts::core {

// Where the lines of a job go.  `page_break` ends the page and starts the
// next; it answers the page status (negative: a printing error).
class PrintSink {
public:
    virtual ~PrintSink() = default;
    virtual void line(std::string_view text, int lineNumber) = 0;
    virtual int page_break() = 0;
    // false stops the job before the next line (cancelled, window gone)
    virtual bool keep_going() = 0;
};

// The position of a job between blocks of text.
struct PrintCursor {
    int line = 1;        // 1-based line of the page
    int pageStatus = 0;  // negative after a printing error
};

// Prints `text` up to its end or its first NUL.  A line ends at CR, LF or
// FF; CR returns to the start of the same line, LF and FF advance, FF and
// a full page break the page.
void print_text(std::string_view text, int linesPerPage, PrintCursor& cursor, PrintSink& sink);

// Lines on a page: page height over line height, less five, in the 16-bit
// arithmetic of the original job layout.
int lines_per_page(int pageHeight, int lineHeight);

// The title as shown and spooled: at most 31 characters, then one blank.
std::string print_title_line(std::string_view title);

// The default printer from the profile value "device,driver,port"; each
// comma ends a part and blanks after it are skipped.
struct PrinterName {
    std::string device, driver, port;
};
PrinterName parse_printer_device(std::string_view value);

// The message of a failing page status, or empty for a status that has none.
std::string_view print_error_text(int pageStatus);

} // namespace ts::core
