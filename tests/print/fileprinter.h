// A real printer for print tests: Wine's PostScript driver with its built-in
// PPD, installed in the test's prefix as the default printer with its port
// on a file in the current folder, and what it printed read back as text
// with Ghostscript (txtwrite, one text per page).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

namespace tstest {

class FilePrinter {
public:
    // Prints into "printed.ps" in `folder` (made when missing) below the
    // current folder, or in the current folder itself.  Replaces a printer
    // of the same name left over.
    explicit FilePrinter(const std::string& folder = "");
    ~FilePrinter();  // removes the printer and the default printer entry
    FilePrinter(const FilePrinter&) = delete;
    FilePrinter& operator=(const FilePrinter&) = delete;

    // Empty when the printer is ready, else what went wrong.
    const std::string& problem() const { return problem_; }

    // The pages of the last job as Ghostscript reads them, each a list of
    // its lines that hold text, with the blanks of the page's left margin
    // removed.  Empty (and problem() set) when they cannot be read.
    std::vector<std::vector<std::string>> Pages();

    // Lines on a page as the printer's default font and page height give
    // them, less the five lines the library keeps free.
    int LinesPerPage() const;

private:
    std::string folder_;  // Windows path of the output folder
    std::string output_;  // the port: a file in that folder
    std::string problem_;
};

} // namespace tstest
