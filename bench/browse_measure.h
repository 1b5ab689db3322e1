// Measures of the file viewer (vwBrowse) at real sizes, each against plain
// Win32 work on the same file in the same run.  Input files are generated
// when the measures run.
#pragma once
#include <windows.h>

#include <cstddef>

namespace tsbench {

enum class LineEnd { CrLf, Lf, Cr, None };

// Writes about `bytes` bytes of text lines of some 60 characters, each
// ended as `end` (None: one line without an end).
bool WriteTextFile(const char* path, std::size_t bytes, LineEnd end);

// Seconds to read the whole file with one ReadFile into fresh memory and
// count its line feeds: what opening a file cannot do with less.
double TimeRawRead(const char* path);

// Seconds for vwBrowse to open the file (the window created, shown and
// painted).  The window is handed back through `window`.
double TimeBrowseOpen(const char* path, HWND* window);

// Seconds for `rounds` full repaints of a window.
double TimeRepaint(HWND window, int rounds);

// Scrolls a browse window to the middle of its file by its scroll bar.
void ScrollToMiddle(HWND window);

// The memory that opening the file with vwBrowse takes at its peak, in
// bytes, measured in a fresh process (this program run again with
// PeakChildArgument and the path): the peak working set after the open less
// the working set before it.  -1 when the measure fails.
long long PeakBrowseMemory(const char* path);
constexpr char PeakChildArgument[] = "--browse-peak";
// The child's side; its exit code is the figure in KiB.
int PeakBrowseMemoryChild(const char* path);

} // namespace tsbench
