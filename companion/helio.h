/*
 * helio.h - the operations tscore32 imports from the companion library
 * helio32.dll.  Every operation is imported by ordinal (the import library is
 * made from helio/helio32.exports, whose ordinals are fixed).
 */
#ifndef TSCORE32_COMPANION_HELIO_H
#define TSCORE32_COMPANION_HELIO_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Size that every caller's keyword output buffer has at least. */
#define HL_KEYWORD_BUFFER 128

/* 128: non-zero when the keyword occurs in the directive string; the text in
 * the parentheses that follow it goes to out (empty without parentheses). */
int WINAPI hlGetKeyword(LPCSTR directives, LPCSTR keyword, LPSTR out);
/* 155: edits the directive string (a 256-byte buffer) in place: appends the
 * keyword (with a leading '@' when it has none) when it is absent, leaves the
 * string unchanged when it is present or when adding it would make the string
 * longer than 255 characters; non-zero when the string then has the keyword. */
int WINAPI hlEditKeyword(LPSTR directives, LPCSTR keyword);
/* 140: non-zero when the text satisfies the directives (type code 4 = text). */
int WINAPI hlValidate(HWND field, int typeCode, LPCSTR text, LPCSTR directives, LPSTR output);
/* 142: sets up the links "@CLIENT"/"@SERVER" name; marks the window with
 * "CLIENT" or "SERVER" ("SERVER1" on a combo box). */
int WINAPI hlDdeConnect(HWND field, LPCSTR directives);
/* 143: handles WM_DDE_* (0x03E0-0x03E6); the result is the message result. */
LRESULT WINAPI hlDdeMessage(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam, LPCSTR directives);
/* 126: a "SERVER" field's text changed. */
int WINAPI hlDdeAdvise(HWND field, LPCSTR text);
/* 141: a "CLIENT" field asks its server for fresh data. */
int WINAPI hlDdeRequest(HWND field);
/* 139: ends the window's links. */
int WINAPI hlDdeTerminate(HWND field);
/* 161: mouse and private drag messages; non-zero = consumed. */
LRESULT WINAPI hlDragDrop(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
/* 151: shows the help the directives name. */
int WINAPI hlShowHelp(HWND field, LPCSTR directives);
/* 157: starts the program "@PROG" names. */
int WINAPI hlRunProgram(HWND hWnd, LPCSTR directives);
/* 160: moves the focus on from a full "@AUTOTAB" field. */
int WINAPI hlAutoTab(HWND field);
/* 144: a DIB read from a .bmp file as global memory, 0 on failure; the
 * caller frees it with GlobalFree. */
HGLOBAL WINAPI hlLoadDibFile(LPCSTR fileName);
/* 145: a bitmap made from a DIB; its palette (or 0) goes to *palette. */
HBITMAP WINAPI hlDibToBitmap(HGLOBAL dib, HPALETTE *palette);
/* 162: a bitmap resource of the module, or 0; palette as for 145. */
HBITMAP WINAPI hlLoadBitmapResource(HINSTANCE hInst, LPCSTR name, HPALETTE *palette);
/* 131: a status-line object, 0 on failure. */
HANDLE WINAPI hlCreateStatusLine(LPCSTR name, int size, HINSTANCE hInst, int a, int b, int c, int d, int flags);
/* 153: releases a status-line object. */
int WINAPI hlDestroyStatusLine(HANDLE statusLine);

#ifdef __cplusplus
}
#endif

#endif
