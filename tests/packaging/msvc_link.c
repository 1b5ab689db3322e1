/* Linked by lld-link against the MSVC import libraries alone, without a C
 * run-time library: the names MSVC compilers ask for resolve, and the DLLs
 * load and answer under Wine (exit code 42). */
typedef void *HVIEW;
__declspec(dllimport) int __stdcall vwIsView(HVIEW view);
__declspec(dllimport) int __stdcall hlGetKeyword(const char *directives, const char *keyword, char *out);
__declspec(dllimport) void __stdcall ExitProcess(unsigned code);

void __cdecl start(void) {
    char out[8];
    if (vwIsView((HVIEW)1)) hlGetKeyword("@NUM", "@NUM", out); /* never: no view exists */
    ExitProcess(vwIsView((HVIEW)0) == 0 ? 42 : 1);
}
