/* A program linked by lld-link against the MSVC import libraries alone, with
 * no C run-time library: it proves that the decorated names MSVC compilers
 * ask for resolve, and that the DLLs load and answer under Wine (exit code
 * 42). */
typedef void *HVIEW;
__declspec(dllimport) int __stdcall vwIsView(HVIEW view);
__declspec(dllimport) HVIEW __stdcall vwCreateView(void *instance, const char *name, void *parent, void *proc, long extra);
__declspec(dllimport) int __stdcall hlGetKeyword(const char *directives, const char *keyword, char *out);
__declspec(dllimport) void __stdcall ExitProcess(unsigned code);

void __cdecl start(void) {
    char out[8];
    if (vwIsView((HVIEW)1)) { /* never: no view exists */
        vwCreateView(0, "none", 0, 0, 0);
        hlGetKeyword("@NUM", "@NUM", out);
    }
    ExitProcess(vwIsView((HVIEW)0) == 0 ? 42 : 1);
}
