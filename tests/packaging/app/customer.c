/* Builds the Customer view and prints what the record put into it. */
#include <stdio.h>
#include <string.h>
#include <windows.h>
#include <tscore32.h>

int main(void) {
    HVIEW view = vwCreateView(GetModuleHandleA(NULL), "Customer", NULL, NULL, 0);
    char viewString[64] = "", fieldString[64] = "";
    LOGFONTA font;
    HWND name;
    if (!view) return printf("no view\n"), 1;
    vwGetViewString(view, viewString, sizeof viewString);
    name = GetDlgItem(vwGetViewWindow(view), 101);
    SendMessageA(name, VWM_GETFIELDSTRING, sizeof fieldString, (LPARAM)fieldString);
    memset(&font, 0, sizeof font);
    GetObjectA((HFONT)SendMessageA(name, WM_GETFONT, 0, 0), sizeof font, &font);
    printf("view string: %s\nfield 101: %s\nfield 101 font: %s\n", viewString, fieldString, font.lfFaceName);
    DestroyWindow(vwGetViewWindow(view));
    return 0;
}
