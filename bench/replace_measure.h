// Replace All in the library's editor against one WM_SETTEXT of the final
// text into the same edit control.  The two timing functions are separate
// so that a harness can run them on an editor of its own.
#pragma once
#include <windows.h>

#include <cstddef>
#include <string>

namespace replacebench {

// A text of about `bytes` bytes in CRLF lines of varying length holding
// exactly `matches` occurrences of `find` (compared without regard to case)
// and nothing else that matches it.
std::string MakeText(std::size_t bytes, std::size_t matches, const std::string& find);

// What Replace All should leave: every occurrence of `find` from the start,
// compared without regard to case, replaced by `replacement`.
std::string Expected(const std::string& text, const std::string& find, const std::string& replacement);

// Runs the editor's Replace (its dialog filled in, Replace All pressed,
// match case off) from the start of the text; seconds from pressing Replace
// All to the "Replace All completed" box.  A negative value when the box
// never came or said something else.
double TimeEditorReplaceAll(HWND editorView, const std::string& find, const std::string& replacement);

// Seconds one WM_SETTEXT of `text` takes in the edit control.
double TimeSetText(HWND edit, const std::string& text);

} // namespace replacebench
