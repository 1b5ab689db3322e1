// Printing plain text from a memory block or a file: one job at a time,
// with a progress view whose Cancel button stops it.
#include "print/internal.h"

#include <cstring>

#include "core/printtext.hpp"
#include "core/text.hpp"

namespace ts {
namespace {

enum Result : WORD { kDone = 0, kNoMemory = 1, kNoFile = 2, kReadError = 3, kNoPrinter = 4, kNoProgressView = 5 };

void Report(HWND owner, const char* text) { MessageBoxA(owner, text, nullptr, MB_ICONHAND); }

// Where the text comes from: one block of memory, or a file read in
// blocks of 10000 bytes.
class TextSource {
public:
    virtual ~TextSource() = default;
    // the next block; false at the end
    virtual bool Next(std::string_view& block) = 0;
    virtual bool Failed() const { return false; }
};

class BufferSource : public TextSource {
public:
    explicit BufferSource(std::string_view text) : text_(text) {}
    bool Next(std::string_view& block) override {
        if (done_) return false;
        done_ = true;
        block = text_;
        return true;
    }
private:
    std::string_view text_;
    bool done_ = false;
};

class FileSource : public TextSource {
public:
    static constexpr UINT kBlock = 10000;
    FileSource(HFILE file, char* buffer) : file_(file), buffer_(buffer) {}
    bool Next(std::string_view& block) override {
        if (last_ != kBlock) return false;
        last_ = _lread(file_, buffer_, kBlock);
        if (last_ == static_cast<UINT>(HFILE_ERROR)) {
            failed_ = true;
            return false;
        }
        buffer_[last_] = '\0';
        block = std::string_view(buffer_, last_);
        return true;
    }
    bool Failed() const override { return failed_; }
private:
    HFILE file_;
    char* buffer_;
    UINT last_ = kBlock;
    bool failed_ = false;
};

class PrinterSink : public core::PrintSink {
public:
    PrinterSink(HDC dc, int lineHeight) : dc_(dc), lineHeight_(lineHeight) {}
    void line(std::string_view text, int n) override {
        TabbedTextOutA(dc_, 0, lineHeight_ * n, text.data(), static_cast<int>(text.size()), 1, nullptr, 0);
    }
    // Between two pages the abort procedure has its turn, whether or not
    // the system calls it while pages print (Wine calls it only when the
    // document starts): Cancel then works while the pages go out, and a
    // cancelled job starts no empty page.
    int page_break() override {
        const int ended = EndPage(dc_);
        if (ended <= 0) return ended;
        if (!vwAbortPrintProc(dc_, 0)) {
            pageOpen_ = false;
            return ended;
        }
        return StartPage(dc_);
    }
    bool keep_going() override { return !g_print.abort && IsWindow(g_print.progressWindow); }
    bool page_open() const { return pageOpen_; }
private:
    HDC dc_;
    int lineHeight_;
    bool pageOpen_ = true;
};

// The owner is disabled and the focus remembered while a job runs.
struct OwnerLock {
    HWND owner, focus;
    explicit OwnerLock(HWND o) : owner(o), focus(GetFocus()) {
        if (owner) EnableWindow(owner, FALSE);
    }
    void Release() {
        if (owner) EnableWindow(owner, TRUE);
        if (focus && IsWindow(focus)) SetFocus(focus);
        owner = focus = nullptr;
    }
};

void DestroyProgressView() {
    if (g_print.progressWindow && IsWindow(g_print.progressWindow)) DestroyWindow(g_print.progressWindow);
    g_print.progress = nullptr;
    g_print.progressWindow = nullptr;
}

bool OpenProgressView(HWND owner, DWORD flags) {
    VWVIEW* view = vwOpenView(g_lib.module, nullptr, 0x90C80000, owner, vwPrintDlgProc, 0);
    if (!view) return false;
    g_print.progress = view;
    g_print.progressWindow = view->hWnd;
    vwSetTextField(view, -1, 0, g_print.titleLine, nullptr);
    vwSetTextField(view, -1, 0, "is being sent to the printer.", nullptr);
    vwSetFieldEx(view, 2, "button", "Cancel", WS_CHILD | WS_VISIBLE | BS_DEFPUSHBUTTON, 0, 0, 0, 0, 0, nullptr,
                 nullptr);
    vwSetViewPosition(view, 0, 0, 4 * static_cast<int>(std::strlen(g_print.titleLine)) + 72, 46, VWP_DIALOGUNITS);
    vwSetViewCaption(view, "Printing");
    HWND shown = (flags & VWPF_HIDDEN) ? vwShowViewWindow(view, SW_HIDE) : vwShowView(view);
    return shown != nullptr;
}

// Everything after the source is ready: printer, progress view, the pages.
// `release` gives the source back on every path.
template <typename Release>
WORD RunJob(HWND owner, const char* title, HDC callerDc, DWORD flags, TextSource& source, Release release) {
    const bool ownDc = !(flags & VWPF_OWNDC);
    HDC dc = ownDc ? vwGetPrinterDC() : callerDc;
    if (!dc) {
        release();
        Report(owner, "Unable to access printer.");
        return kNoPrinter;
    }
    auto releaseDc = [&] {
        if (ownDc) DeleteDC(dc);
    };
    const std::string titleLine = core::print_title_line(title ? title : "");
    core::copy_bounded(g_print.titleLine, sizeof g_print.titleLine, titleLine);

    HCURSOR previous = SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)));
    OwnerLock lock(owner);
    if (!OpenProgressView(owner, flags)) {
        DestroyProgressView();
        release();
        releaseDc();
        lock.Release();
        SetCursor(previous);
        Report(owner, "Unable to create print dialog box.");
        return kNoProgressView;
    }
    g_print.abort = false;
    SetAbortProc(dc, vwAbortPrintProc);
    SetCursor(previous);

    DOCINFOA doc{};
    doc.cbSize = sizeof doc;
    doc.lpszDocName = g_print.titleLine;
    if (StartDocA(dc, &doc) <= 0) {
        release();
        releaseDc();
        Report(owner, "Unable to start print job");
        DestroyProgressView();
        lock.Release();
        return kNoPrinter;
    }
    StartPage(dc);
    TEXTMETRICA tm{};
    GetTextMetricsA(dc, &tm);
    const int lineHeight = tm.tmHeight + tm.tmExternalLeading;
    const int perPage = core::lines_per_page(GetDeviceCaps(dc, VERTRES), lineHeight);

    PrinterSink sink(dc, lineHeight);
    core::PrintCursor cursor;
    std::string_view block;
    while (!g_print.abort && cursor.pageStatus >= 0 && source.Next(block))
        core::print_text(block, perPage, cursor, sink);

    if (source.Failed()) {
        EndDoc(dc);
        DestroyProgressView();
        lock.Release();
        release();
        releaseDc();
        return kReadError;
    }
    if (cursor.pageStatus >= 0 && IsWindow(g_print.progressWindow)) {
        if (sink.page_open()) EndPage(dc);
        EndDoc(dc);
    } else {
        EndDoc(dc);
        const std::string_view error = core::print_error_text(cursor.pageStatus);
        if (!error.empty()) Report(owner, std::string(error).c_str());
    }
    DestroyProgressView();
    lock.Release();
    release();
    releaseDc();
    return kDone;
}

} // namespace
} // namespace ts

using namespace ts;

WORD VWAPI vwPrintBufferExt(HWND owner, HGLOBAL text, LPCSTR title, HDC printer, DWORD flags) {
    auto* data = static_cast<const char*>(text ? GlobalLock(text) : nullptr);
    if (!data) {
        Report(owner, "Unable to lock global data handle.");
        return kNoMemory;
    }
    // the text ends at its 0, or at the end of the block when it has none
    BufferSource source(std::string_view(data, strnlen(data, GlobalSize(text))));
    return RunJob(owner, title, printer, flags, source, [text] { GlobalUnlock(text); });
}

WORD VWAPI vwPrintBuffer(HWND owner, HGLOBAL text, LPCSTR title) {
    return vwPrintBufferExt(owner, text, title, nullptr, 0);
}

WORD VWAPI vwPrintFileExt(HWND owner, LPCSTR fileName, LPCSTR title, HDC printer, DWORD flags) {
    HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, FileSource::kBlock + 1);
    auto* buffer = static_cast<char*>(mem ? GlobalLock(mem) : nullptr);
    if (!buffer) {
        if (mem) GlobalFree(mem);
        return kNoMemory;
    }
    OFSTRUCT of{};
    HFILE file = fileName ? OpenFile(fileName, &of, OF_READ) : HFILE_ERROR;
    if (file == HFILE_ERROR) {
        GlobalUnlock(mem);
        GlobalFree(mem);
        return kNoFile;
    }
    FileSource source(file, buffer);
    return RunJob(owner, title, printer, flags, source, [file, mem] {
        _lclose(file);
        GlobalUnlock(mem);
        GlobalFree(mem);
    });
}

WORD VWAPI vwPrintFile(HWND owner, LPCSTR fileName, LPCSTR title) {
    return vwPrintFileExt(owner, fileName, title, nullptr, 0);
}
