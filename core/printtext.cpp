#include "core/printtext.hpp"

namespace ts::core {

void print_text(std::string_view text, int linesPerPage, PrintCursor& cursor, PrintSink& sink) {
    std::size_t pos = 0;
    while (sink.keep_going()) {
        if (pos >= text.size() || text[pos] == '\0') return;
        std::size_t end = pos;
        while (end < text.size() && text[end] != '\r' && text[end] != '\n' && text[end] != '\f' && text[end] != '\0')
            ++end;
        sink.line(text.substr(pos, end - pos), cursor.line);
        const char stop = end < text.size() ? text[end] : '\0';
        if (stop != '\r') ++cursor.line;
        if (cursor.line > linesPerPage || stop == '\f') {
            cursor.pageStatus = sink.page_break();
            cursor.line = 1;
        }
        pos = (stop == '\r' || stop == '\n' || stop == '\f') ? end + 1 : end;
        if (cursor.pageStatus < 0) return;
    }
}

int lines_per_page(int pageHeight, int lineHeight) {
    if (lineHeight == 0) return 0;
    return static_cast<std::int16_t>(static_cast<std::int16_t>(pageHeight / lineHeight) - 5);
}

std::string print_title_line(std::string_view title) {
    std::string s(title.substr(0, 31));
    s += ' ';
    return s;
}

PrinterName parse_printer_device(std::string_view value) {
    PrinterName p;
    std::string* parts[] = {&p.device, &p.driver, &p.port};
    std::size_t part = 0, i = 0;
    while (i < value.size() && part < 3) {
        if (value[i] == ',') {
            ++part;
            ++i;
            while (i < value.size() && value[i] == ' ') ++i;
            continue;
        }
        parts[part]->push_back(value[i++]);
    }
    return p;
}

std::string_view print_error_text(int pageStatus) {
    static constexpr std::string_view kTexts[] = {"General Error", "Canceled from Program", "Canceled from SPOOLER",
                                                  "Out of disk space", "Out of memory space"};
    if (pageStatus >= 0 || !(pageStatus & 0x4000)) return {};
    const int index = static_cast<std::uint16_t>(~static_cast<std::uint16_t>(pageStatus));
    return index < 5 ? kTexts[index] : std::string_view{};
}

} // namespace ts::core
