/*
 * tscore32.h - public interface of the tscore32 screen manager.
 *
 * An application describes each screen (a view) as a dialog template plus an
 * RCDATA view-definition record of the same name, and calls vwCreateView to
 * build it.  Link with libtscore32.a and ship tscore32.dll and helio32.dll
 * beside the program.
 *
 * Compiles as C and as C++.  All functions use the standard calling
 * convention (WINAPI) and are exported under their plain names.
 */
#ifndef TSCORE32_H
#define TSCORE32_H

#include <windows.h>

#ifdef __cplusplus
extern "C" {
#endif

#define VWAPI WINAPI

/* Applications import the functions, so that an address taken at run time,
 * such as DefViewProc's in an expression, is the library's own.  Constant
 * data is different: an address in a static initialiser may be filled with
 * the program's import stub (i686 GCC does so), which is not the address the
 * library hands out; compare with GetProcAddress in such cases.  The library
 * defines TSCORE32_BUILD. */
#ifdef TSCORE32_BUILD
#define VWIMPORT
#else
#define VWIMPORT __declspec(dllimport)
#endif

/* ------------------------------------------------------------------------
 * Private window messages
 * ---------------------------------------------------------------------- */
#define VWM_SIZEPARENT      0x0361  /* a toolbar view shrinks its frame's layout rectangle */
#define VWM_EDITORWINDOW    0x0464  /* the editor view answers its edit control's window */
#define VWM_SETFIELDSTRING  0x0522  /* store a field's directive string and apply it (lParam = string) */
#define VWM_SETVIEWSTRING   0x0523  /* apply the view directive string */
#define VWM_APPTOSCR        0x0D00  /* show the bound variable in the field */
#define VWM_SCRTOAPP        0x0D01  /* store the field's contents into the bound variable */
#define VWM_GETFIELDSTRING  0x0D04  /* copy the directive string (wParam = size, lParam = buffer) */
#define VWM_VALIDATE        0x0D05  /* check a field before the focus leaves it */
#define VWM_GETLIMIT        0x0D06  /* ask a field for its input limit */
#define VWM_GETFIELDTYPE    0x0D07  /* ask a field for its data-type code */
#define VWM_CTLCOLOR        0x0D08  /* colour request handled like WM_CTLCOLOR* */
#define VWM_SHOWERROR       0x0D09  /* show a field error described by an error record */
#define VWM_ERRORDONE       0x0D10  /* clear the view's pending-error status */
#define VWM_DRAG1           0x0D12  /* drag-and-drop messages */
#define VWM_DRAG2           0x0D13
#define VWM_DRAG3           0x0D14
#define VWM_FINDBITMAP      0x0D15  /* a background bitmap was not found; the application may rename it */

/* Fixed timer identifiers */
#define VW_TIMER_BALLOON    3444    /* 0x0D74 balloon help */
#define VW_TIMER_ANIMATE    19231   /* 0x4B1F field animation */
#define VW_TIMER_WAIT       19232   /* 0x4B20 wait */

/* ------------------------------------------------------------------------
 * View window extra bytes
 *
 *   i686 (28 bytes)             x86_64 (40 bytes)
 *   12  VWVIEW*  (4)            12  VWVIEW*  (8)
 *   16  view font (4)           20  view font (8)
 *   20  average char width (2)  28  average char width (2)
 *   22  char height (2)         30  char height (2)
 *   24  application ptr (4)     32  application ptr (8)
 * Bytes 0-11 are reserved.  Read the pointer slots with GetWindowLongPtr.
 * ---------------------------------------------------------------------- */
#ifdef _WIN64
#define VWL_VIEW            12
#define VWL_FONT            20
#define VWW_CHARWIDTH       28
#define VWW_CHARHEIGHT      30
#define VWL_THISPTR         32
#define VW_WNDEXTRA         40
#else
#define VWL_VIEW            12
#define VWL_FONT            16
#define VWW_CHARWIDTH       20
#define VWW_CHARHEIGHT      22
#define VWL_THISPTR         24
#define VW_WNDEXTRA         28
#endif

/* Window classes of the library */
#define VW_CLASS_VIEW       "tsView32"
#define VW_CLASS_MODALVIEW  "tsModalView32"

/* ------------------------------------------------------------------------
 * Flag values
 * ---------------------------------------------------------------------- */
/* VWVIEW.flags */
#define VWF_SELCOLORS       0x00000001UL  /* "@SELCOLORS": focused field uses the selection colours */
#define VWF_3D              0x00000002UL  /* "@3D" */
#define VWF_DSLMASK         0x0000007CUL  /* status-line placement flags */
#define VWF_OUT             0x00000080UL  /* "@OUT" */
#define VWF_LIGHT           0x00000100UL  /* "@LIGHT" */
#define VWF_3D2             0x00000200UL  /* "@3D2" */
#define VWF_3D4             0x00000400UL  /* "@3D4" */
#define VWF_3D5             0x00000800UL  /* "@3D5" */
#define VWF_3D3             0x00001000UL  /* "@3D3" */
#define VWF_BITBRUSH        0x00002000UL  /* "@BITBRUSH" */
#define VWF_FILTERMODE      0x00004000UL  /* the application view procedure filters */
#define VWF_CTL3D           0x00008000UL  /* "@CTL3D" */
#define VWF_NOBALLOONS      0x00010000UL  /* balloon help suspended */

/* VWVIEW.kind */
#define VWK_MODAL           1
#define VWK_VIEW            2
#define VWK_MDICHILD        3

/* VWVIEW.showState */
#define VWS_HIDDEN          0
#define VWS_SHOWN           1
#define VWS_ENDMODAL        10

/* VWVIEW.fontState */
#define VWFS_NONE           0
#define VWFS_RAWHEIGHT      1
#define VWFS_POINTS         2

/* VWVIEW.editState */
#define VWE_EDITINGOFF      0x02

/* VWFIELD.flags */
#define VWFF_OWNFONT        0x01  /* hFont was made by the library */
#define VWFF_COLORED        0x02  /* the field has its own colours */
#define VWFF_PROTECTED      0x10  /* the field is protected */

/* VWFIELD.dlgCode additions */
#define VW_DLGC_FIELD       0x8000  /* set on every field the library creates */

/* Font style bits */
#define VWFONT_BOLD         0x1
#define VWFONT_ITALIC       0x2
#define VWFONT_UNDERLINE    0x4
#define VWFONT_STRIKEOUT    0x8

/* vwSetViewPosition modes */
#define VWP_FILLPARENT      0x02
#define VWP_DIALOGUNITS     0x04
#define VWP_ABSOLUTE        0x08
#define VWP_CENTER          0x10
#define VWP_REPAINT         0x20

/* vwSetTSFlags */
#define VWTS_VERSION        0x1

/* Limits */
#define VW_MAXVIEWS         29
#define VW_MAXFIELDS        300
#define VW_MAXTEXTFIELDS    100

/* ------------------------------------------------------------------------
 * Records
 * ---------------------------------------------------------------------- */
typedef LRESULT (CALLBACK *VWSPECIALKEYPROC)(HWND, UINT, WPARAM, LPARAM);

typedef struct tagVWFIELDCOLORS {
    COLORREF textColor;
    COLORREF bkColor;
    COLORREF selTextColor;
    COLORREF selBkColor;
    HBRUSH   hBackBrush;      /* solid brush of bkColor */
    HBRUSH   hSelBackBrush;   /* solid brush of selBkColor */
} VWFIELDCOLORS;

typedef struct tagVWFIELD {
    HWND           hWnd;          /* the control window */
    HFONT          hFont;         /* 0 = the view font applies */
    LONG           id;            /* control identifier (GWL_ID) */
    WORD           dlgCode;       /* WM_GETDLGCODE answer | VW_DLGC_FIELD */
    VWFIELDCOLORS *colors;        /* own colours, NULL = the view's */
    DWORD          flags;         /* VWFF_* */
    HLOCAL         hDirectives;   /* directive string, moveable, length + 2 */
    void          *var;           /* bound application variable */
    ULONG_PTR      sqlPtr;        /* application value */
    char          *name;          /* field name = SQL variable name */
    WNDPROC        fieldProc;     /* application field procedure */
    WNDPROC        defFieldProc;  /* default field procedure of the class */
} VWFIELD;

typedef struct tagVWTEXTFIELD {
    LONG     x;            /* pixels; -1 = centred */
    LONG     y;            /* pixels; -1 = centred */
    COLORREF textColor;
    COLORREF bkColor;
    BYTE     hasColors;
    HFONT    hFont;        /* 0 = the view font */
    BYTE     ownsFont;     /* 1 = made by the view loader */
    LONG     link;         /* control identifier of the labelled field */
    char     mnemonic;     /* character after the first '&', 0 = none */
    BYTE     mnemonicPos;  /* position of that '&' */
    char    *text;         /* text without its first '&' */
    signed char hidden;    /* 1 = not drawn */
} VWTEXTFIELD;

typedef struct tagVWVIEW {
    struct tagVWVIEW *self;
    char      name[28];
    HWND      hWnd;
    HICON     hIcon;
    BYTE      ownsBackBrush;
    BYTE      fontState;          /* VWFS_* */
    BYTE      showState;          /* VWS_* */
    LONG      active;
    DWORD     flags;              /* VWF_* */
    COLORREF  textColor;
    COLORREF  bkColor;
    COLORREF  selTextColor;
    COLORREF  selBkColor;
    HBRUSH    hBackBrush;
    HBRUSH    hSelBrush;
    DWORD     exStyle;
    HFONT     hFont;
    ULONG_PTR longDataHandle;
    ULONG_PTR dataHandle;
    HLOCAL    hViewString;
    ULONG_PTR dsl;                /* status-line object of the companion library */
    HWND      hDSLWindow;
    WORD      errorField;
    signed char errorStatus;      /* -1 = an error is pending */
    BYTE      errorReserved;      /* cleared together with the error */
    HLOCAL    hErrorText;
    HWND      hBalloon;
    char      messageFile[12];
    COLORREF  errorTextColor;
    COLORREF  errorBkColor;
    BYTE      kind;               /* VWK_* */
    LONG      modalResult;
    BYTE      editState;          /* VWE_* */
    DWORD     okButton;
    DWORD     cancelButton;
    LONG      currentField;
    WNDPROC   defViewProc;
    WNDPROC   viewProc;
    VWTEXTFIELD *textFields[VW_MAXTEXTFIELDS + 1];
    WORD      textFieldCount;
    VWFIELD **fields;             /* slots 0..VW_MAXFIELDS, slot 0 empty */
    WORD      fieldCount;
    VWSPECIALKEYPROC specialKey;
    ULONG_PTR sqlViewPtr;
    HGLOBAL   hDropData;
    DWORD     dropKind;
    char      dropName[32];
} VWVIEW;

typedef VWVIEW *HVIEW;

/* The error record of VWM_SHOWERROR (lParam): fifteen 32-bit words on
 * i686; on x86_64 every slot is pointer-sized. */
typedef struct tagVWERRORREC {
    HWND        hField;      /* control window of the field in error */
    LONG_PTR    fieldId;
    LONG_PTR    kind;        /* 0 from the library */
    LONG_PTR    code;        /* kind 4 with code 600 is only acknowledged */
    LPCSTR      directives;  /* "@MBOX", "@BEEP", "@WARN", "@WAVE", "@STAT", "@LOOKUP" */
    LPSTR       text;
    LPCSTR      caption;
    LONG_PTR    x, y, width, height;  /* balloon placement, 0 = from the field */
    COLORREF    textColor;
    COLORREF    bkColor;
    LONG_PTR    reserved[2];
} VWERRORREC;

/* VWM_SHOWERROR result bits */
#define VWSE_HANDLED        0x1
#define VWSE_WARNING        0x2

/* The variable bound to a list box or combo box field, also the lParam of
 * VWM_APPTOSCR and VWM_SCRTOAPP: three 32-bit words on i686, three
 * pointer-sized ones on x86_64. */
typedef struct tagVWLISTDATA {
    LONG_PTR index;   /* selected item; 65535 (list box) or -1 (combo box) = none */
    LPSTR    text;    /* receives the selected item's text; also selects by text */
    LPSTR   *items;   /* items to append, ended by a NULL pointer; NULL = none */
} VWLISTDATA;

/* VWM_GETFIELDTYPE answers of list and combo box fields */
#define VWFT_LISTBOX        19
#define VWFT_COMBOBOX       20

/* ------------------------------------------------------------------------
 * View creation and lifecycle
 * ---------------------------------------------------------------------- */
VWIMPORT HVIEW VWAPI vwCreateView(HINSTANCE hInst, LPCSTR name, HWND hParent, WNDPROC viewProc, LPARAM extra);
VWIMPORT HVIEW VWAPI vwOpenView(HINSTANCE hInst, LPCSTR caption, DWORD style, HWND hParent, WNDPROC viewProc, LPARAM extra);
VWIMPORT HWND  VWAPI vwShowView(HVIEW view);
VWIMPORT HWND  VWAPI vwShowViewWindow(HVIEW view, int showCmd);
VWIMPORT LONG  VWAPI vwShowModalView(HVIEW view);
VWIMPORT void  VWAPI vwEndModalView(HVIEW view, LONG result);
VWIMPORT int   VWAPI vwEditView(HVIEW view);
VWIMPORT void  VWAPI vwFreeView(HVIEW view);
VWIMPORT int   VWAPI WEP(int exitCode);
VWIMPORT BOOL  VWAPI RegistervwWndProc(HINSTANCE hInst);
VWIMPORT void  VWAPI vwInitViewMetrics(void);
VWIMPORT LRESULT CALLBACK vwWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

/* ------------------------------------------------------------------------
 * Toolbars: views attached to an edge of a frame window.  The frame keeps
 * each toolbar's HVIEW in the property "TBLEFT", "TBRIGHT", "TBTOP" or
 * "TBBOTTOM"; positions may be combined.
 * ---------------------------------------------------------------------- */
#define VWTB_LEFT           1
#define VWTB_RIGHT          2
#define VWTB_TOP            4
#define VWTB_BOTTOM         8

/* VWM_SIZEPARENT lParam: a toolbar shrinks rect by its own width or height */
typedef struct tagVWLAYOUT {
    DWORD reserved;
    RECT  rect;
} VWLAYOUT;

/* Attributes */
VWIMPORT HVIEW VWAPI vwGetViewToolBar(HWND frame, int position);
/* Operations */
VWIMPORT HVIEW VWAPI vwSetViewToolBar(HWND frame, LPCSTR templateName, WNDPROC viewProc, int position);
VWIMPORT HVIEW VWAPI vwSetToolBarView(HWND frame, HVIEW view, int position);
VWIMPORT int   VWAPI vwRemoveToolBar(HWND frame, int position);
VWIMPORT int   VWAPI vwSizeToolBars(HWND frame);
VWIMPORT int   VWAPI vwSizeMDIClient(HWND frame, HWND mdiClient, BOOL repaint);

/* ------------------------------------------------------------------------
 * MDI child views.  `block` is an MDICREATESTRUCT, or 1 for none with the
 * view procedure in filter mode, or 0 for none.
 * ---------------------------------------------------------------------- */
VWIMPORT HVIEW   VWAPI vwOpenMDIChildView(HINSTANCE hInst, LPCSTR title, DWORD unused, HWND mdiClient,
                                          WNDPROC viewProc, LPARAM block);
VWIMPORT HVIEW   VWAPI vwCreateMDIChildView(HINSTANCE hInst, LPCSTR name, HWND mdiClient, WNDPROC viewProc,
                                            LPARAM block);
VWIMPORT HWND    VWAPI vwShowMDIChildView(LONG unused);
VWIMPORT LRESULT VWAPI DefFrameViewProc(HWND frame, HWND mdiClient, UINT msg, WPARAM wParam, LPARAM lParam);

/* ------------------------------------------------------------------------
 * View accessors
 * ---------------------------------------------------------------------- */
/* Attributes */
VWIMPORT BOOL      VWAPI vwIsView(HVIEW view);
VWIMPORT HVIEW     VWAPI vwGetView(HWND hWnd);
VWIMPORT HWND      VWAPI vwGetViewWindow(HVIEW view);
VWIMPORT HWND      VWAPI vwGetViewParent(HVIEW view);
VWIMPORT HINSTANCE VWAPI vwGetViewInstance(HVIEW view);
VWIMPORT int       VWAPI vwGetViewXPos(HVIEW view);
VWIMPORT int       VWAPI vwGetViewYPos(HVIEW view);
VWIMPORT int       VWAPI vwGetViewWidth(HVIEW view);
VWIMPORT int       VWAPI vwGetViewHeight(HVIEW view);
VWIMPORT DWORD     VWAPI vwGetViewStyle(HVIEW view);
VWIMPORT DWORD     VWAPI vwGetViewExStyle(HVIEW view);
VWIMPORT HMENU     VWAPI vwGetViewMenu(HVIEW view);
VWIMPORT HICON     VWAPI vwGetViewIcon(HVIEW view);
VWIMPORT WNDPROC   VWAPI vwGetViewProc(HVIEW view);
VWIMPORT int       VWAPI vwGetViewString(HVIEW view, LPSTR buffer, int size);
VWIMPORT int       VWAPI vwGetViewResourceName(HVIEW view, LPSTR buffer);
VWIMPORT void      VWAPI vwGetViewDefColors(HVIEW view, COLORREF *text, COLORREF *back, COLORREF *selText, COLORREF *selBack);
VWIMPORT void      VWAPI vwGetViewErrorColors(HVIEW view, COLORREF *text, COLORREF *back);
VWIMPORT HBRUSH    VWAPI vwGetViewBackBrush(HVIEW view);
VWIMPORT HBRUSH    VWAPI vwGetViewSelBackBrush(HVIEW view);
VWIMPORT ULONG_PTR VWAPI vwGetViewDataHandle(HVIEW view);
VWIMPORT ULONG_PTR VWAPI vwGetViewLongDataHandle(HVIEW view);
VWIMPORT ULONG_PTR VWAPI vwGetSQLViewPtr(HVIEW view);
VWIMPORT LONG_PTR  VWAPI vwGetViewThisPtr(HVIEW view);
VWIMPORT LONG      VWAPI vwIsViewActive(HVIEW view);
VWIMPORT WORD      VWAPI vwGetFieldCount(HVIEW view);
VWIMPORT LONG      VWAPI vwGetCurrField(HVIEW view);
VWIMPORT DWORD     VWAPI vwGetOKButton(HVIEW view);
VWIMPORT WORD      VWAPI vwGetCancelButton(HVIEW view);
VWIMPORT int       VWAPI vwGetViewDropData(HVIEW view, LPSTR buffer, LPSTR nameBuffer, int size);

/* Operations */
VWIMPORT void    VWAPI vwSetViewInstance(HVIEW view, HINSTANCE hInst);
VWIMPORT void    VWAPI vwSetViewXPos(HVIEW view, int x, BOOL redraw);
VWIMPORT void    VWAPI vwSetViewYPos(HVIEW view, int y, BOOL redraw);
VWIMPORT void    VWAPI vwSetViewWidth(HVIEW view, int cx, BOOL redraw);
VWIMPORT void    VWAPI vwSetViewHeight(HVIEW view, int cy, BOOL redraw);
VWIMPORT void    VWAPI vwSetViewStyle(HVIEW view, DWORD style);
VWIMPORT void    VWAPI vwSetViewExStyle(HVIEW view, DWORD exStyle);
VWIMPORT void    VWAPI vwSetViewCaption(HVIEW view, LPCSTR text);
VWIMPORT void    VWAPI vwSetViewMenu(HVIEW view, LPCSTR menuName);
VWIMPORT void    VWAPI vwSetViewIcon(HVIEW view, HICON hIcon);
VWIMPORT WNDPROC VWAPI vwSetViewProc(HVIEW view, WNDPROC proc);
VWIMPORT WNDPROC VWAPI vwSetDefViewProc(HVIEW view, WNDPROC proc);
VWIMPORT WNDPROC VWAPI vwSetViewDefProc(HVIEW view, WNDPROC proc);
VWIMPORT int     VWAPI vwSetViewString(HVIEW view, LPCSTR string);
VWIMPORT void    VWAPI vwSetViewName(HVIEW view, LPCSTR name);
VWIMPORT void    VWAPI vwSetViewDefColors(HVIEW view, COLORREF text, COLORREF back, COLORREF selText, COLORREF selBack);
VWIMPORT COLORREF VWAPI vwSetViewTextColor(HVIEW view, COLORREF color);
VWIMPORT COLORREF VWAPI vwSetViewBkColor(HVIEW view, COLORREF color);
VWIMPORT COLORREF VWAPI vwSetViewSelTextColor(HVIEW view, COLORREF color);
VWIMPORT COLORREF VWAPI vwSetViewSelBkColor(HVIEW view, COLORREF color);
VWIMPORT void    VWAPI vwSetViewBackBrush(HVIEW view, HBRUSH brush);
VWIMPORT void    VWAPI vwSetViewDataHandle(HVIEW view, ULONG_PTR value);
VWIMPORT void    VWAPI vwSetViewLongDataHandle(HVIEW view, ULONG_PTR value);
VWIMPORT void    VWAPI vwSetSQLViewPtr(HVIEW view, ULONG_PTR value);
VWIMPORT void    VWAPI vwSetViewThisPtr(HVIEW view, LONG_PTR value);
VWIMPORT VWSPECIALKEYPROC VWAPI vwSetSpecialKey(HVIEW view, VWSPECIALKEYPROC proc);
VWIMPORT DWORD   VWAPI vwSetOKButton(HVIEW view, DWORD id);
VWIMPORT DWORD   VWAPI vwSetCancelButton(HVIEW view, DWORD id);
VWIMPORT BOOL    VWAPI vwHideView(HVIEW view);
VWIMPORT BOOL    VWAPI vwUnhideView(HVIEW view);
VWIMPORT void    VWAPI vwPaintViewFields(HVIEW view);
VWIMPORT WORD    VWAPI vwGotoFirstField(HVIEW view);

/* ------------------------------------------------------------------------
 * Dialog units, positions and fonts
 * ---------------------------------------------------------------------- */
VWIMPORT void  VWAPI vwDialogToScreen(LONG *rect);
VWIMPORT void  VWAPI vwScreenToDialog(LONG *rect);
VWIMPORT void  VWAPI vwMapDialogToScreen(HWND hWnd, LONG *rect);
VWIMPORT void  VWAPI vwMapScreenToDialog(HWND hWnd, LONG *rect);
VWIMPORT void  VWAPI vwSetTSFlags(DWORD flags, LONG value);
VWIMPORT void  VWAPI vwSetViewPosition(HVIEW view, int x, int y, int cx, int cy, UINT mode);
VWIMPORT int   VWAPI vwSetViewFont(HVIEW view, LPCSTR face, int size, UINT style, BOOL redraw);
VWIMPORT HFONT VWAPI vwCreateFont(LPCSTR face, WORD points, WORD style);
VWIMPORT int   VWAPI vwGetFontFlags(LPCSTR face, BYTE *pitchAndFamily, BYTE *charSet);
VWIMPORT int   CALLBACK EnumFontFamProc(const LOGFONTA *lf, const TEXTMETRICA *tm, DWORD type, LPARAM data);

/* ------------------------------------------------------------------------
 * Fields: creation and lookup
 * ---------------------------------------------------------------------- */
VWIMPORT int     VWAPI vwSetFieldEx(HVIEW view, LONG id, LPCSTR className, LPCSTR text, DWORD style, DWORD exStyle,
                           int x, int y, int cx, int cy, void *var, WNDPROC fieldProc);
VWIMPORT int     VWAPI vwSetField(HVIEW view, LONG id, LPCSTR className, LPCSTR text, DWORD style,
                         int x, int y, int cx, int cy, void *var, WNDPROC fieldProc);
VWIMPORT int     VWAPI vwResetFieldEx(HVIEW view, LONG id, LPCSTR className, LPCSTR text, DWORD style, DWORD exStyle,
                             int x, int y, int cx, int cy, void *var, WNDPROC fieldProc);
VWIMPORT int     VWAPI vwResetField(HVIEW view, LONG id, LPCSTR className, LPCSTR text, DWORD style,
                           int x, int y, int cx, int cy, void *var, WNDPROC fieldProc);
VWIMPORT int     VWAPI vwGetFieldFromID(HVIEW view, LONG id);
VWIMPORT LONG    VWAPI vwGetIDFromField(HVIEW view, int n);
VWIMPORT HWND    VWAPI vwGetFieldNoWindow(HVIEW view, int n);
VWIMPORT HWND    VWAPI vwGetFieldWindow(HVIEW view, LONG id);
VWIMPORT LONG    VWAPI vwGetField(HVIEW view, HWND hWnd);
VWIMPORT int     VWAPI vwGetFieldNo(HVIEW view, const void *var);
VWIMPORT LONG    VWAPI vwGetFieldID(HVIEW view, const void *var);
VWIMPORT int     VWAPI vwSetFieldID(HVIEW view, LONG id, LONG newId);
VWIMPORT int     VWAPI vwReorderFields(HVIEW view, const LONG *order);
VWIMPORT int     VWAPI vwDeleteField(HVIEW view, LONG id);

/* ------------------------------------------------------------------------
 * Field attributes
 * ---------------------------------------------------------------------- */
/* Attributes */
VWIMPORT int      VWAPI vwGetFieldColors(HVIEW view, LONG id, COLORREF *text, COLORREF *back, COLORREF *selText, COLORREF *selBack);
VWIMPORT int      VWAPI vwIsFieldColored(HVIEW view, LONG id);
VWIMPORT COLORREF VWAPI vwGetFieldTextColor(HVIEW view, LONG id);
VWIMPORT COLORREF VWAPI vwGetFieldBkColor(HVIEW view, LONG id);
VWIMPORT COLORREF VWAPI vwGetFieldSelTextColor(HVIEW view, LONG id);
VWIMPORT COLORREF VWAPI vwGetFieldSelBkColor(HVIEW view, LONG id);
VWIMPORT HBRUSH   VWAPI vwGetFieldBackBrush(HVIEW view, LONG id);
VWIMPORT HBRUSH   VWAPI vwGetFieldSelBackBrush(HVIEW view, LONG id);
VWIMPORT int      VWAPI vwGetFieldXPos(HVIEW view, LONG id);
VWIMPORT int      VWAPI vwGetFieldYPos(HVIEW view, LONG id);
VWIMPORT int      VWAPI vwGetFieldWidth(HVIEW view, LONG id);
VWIMPORT int      VWAPI vwGetFieldHeight(HVIEW view, LONG id);
VWIMPORT DWORD    VWAPI vwGetFieldStyle(HVIEW view, LONG id);
VWIMPORT int      VWAPI vwIsFieldProtected(HVIEW view, LONG id);
VWIMPORT LRESULT  VWAPI vwGetFieldModified(HVIEW view, LONG id);
VWIMPORT LRESULT  VWAPI vwGetFieldLimit(HVIEW view, LONG id);
VWIMPORT WNDPROC  VWAPI vwGetFieldProc(HVIEW view, LONG id);
VWIMPORT WNDPROC  VWAPI vwGetDefFieldProc(HVIEW view, LONG id);
VWIMPORT WORD     VWAPI vwGetFieldDlgCode(HVIEW view, LONG id);
VWIMPORT void    *VWAPI vwGetFieldVar(HVIEW view, LONG id);
VWIMPORT ULONG_PTR VWAPI vwGetFieldSQLPtr(HVIEW view, LONG id);
VWIMPORT LPSTR    VWAPI vwGetFieldName(HVIEW view, LONG id);
VWIMPORT LPSTR    VWAPI vwGetSQLVarName(HVIEW view, LONG id);
VWIMPORT int      VWAPI vwGetFieldNameFromID(HVIEW view, LONG id, LPSTR buffer, int size);
VWIMPORT LONG     VWAPI vwGetFieldIDFromName(HVIEW view, LPCSTR name);
VWIMPORT LONG     VWAPI vwGetSQLVarId(HVIEW view, LPCSTR name);
VWIMPORT HWND     VWAPI vwGetSQLVarWnd(HVIEW view, LPCSTR name);
/* size counts bytes of the buffer, the terminator included: at most size - 1
 * characters of the directive string are copied.  Returns their number. */
VWIMPORT int      VWAPI vwGetFieldString(HVIEW view, LONG id, LPSTR buffer, int size);

/* Operations */
VWIMPORT void     VWAPI vwSetFieldColors(HVIEW view, LONG id, COLORREF text, COLORREF back, COLORREF selText, COLORREF selBack);
VWIMPORT void     VWAPI vwResetFieldColors(HVIEW view, LONG id);
VWIMPORT BOOL     VWAPI vwSetFieldXPos(HVIEW view, LONG id, int x, BOOL redraw);
VWIMPORT BOOL     VWAPI vwSetFieldYPos(HVIEW view, LONG id, int y, BOOL redraw);
VWIMPORT BOOL     VWAPI vwSetFieldWidth(HVIEW view, LONG id, int cx, BOOL redraw);
VWIMPORT BOOL     VWAPI vwSetFieldHeight(HVIEW view, LONG id, int cy, BOOL redraw);
VWIMPORT DWORD    VWAPI vwSetFieldStyle(HVIEW view, LONG id, DWORD style, BOOL redraw);
VWIMPORT HFONT    VWAPI vwSetFieldFont(HVIEW view, LONG id, HFONT hFont);
VWIMPORT int      VWAPI vwHideField(HVIEW view, LONG id);
VWIMPORT int      VWAPI vwUnhideField(HVIEW view, LONG id);
VWIMPORT int      VWAPI vwPaintField(HVIEW view, LONG id);
VWIMPORT DWORD    VWAPI vwProtectField(HVIEW view, LONG id);
VWIMPORT DWORD    VWAPI vwUnprotectField(HVIEW view, LONG id);
VWIMPORT LRESULT  VWAPI vwSetFieldModified(HVIEW view, LONG id, BOOL modified);
VWIMPORT LRESULT  VWAPI vwSetFieldLimit(HVIEW view, LONG id, int limit);
VWIMPORT void     VWAPI vwSetFieldProc(HVIEW view, LONG id, WNDPROC proc);
VWIMPORT void     VWAPI vwSetDefFieldProc(HVIEW view, LONG id, WNDPROC proc);
VWIMPORT void     VWAPI vwSetFieldDlgCode(HVIEW view, LONG id, WORD code);
VWIMPORT void     VWAPI vwSetFieldVar(HVIEW view, LONG id, void *var);
VWIMPORT void     VWAPI vwSetFieldSQLPtr(HVIEW view, LONG id, ULONG_PTR value);
VWIMPORT LPSTR    VWAPI vwSetFieldName(HVIEW view, LONG id, LPCSTR name);
VWIMPORT LPSTR    VWAPI vwSetSQLVar(HVIEW view, LONG id, void *var, LPCSTR name);
VWIMPORT int      VWAPI vwSetFieldString(HVIEW view, LONG id, LPCSTR string);

/* ------------------------------------------------------------------------
 * Data exchange
 * ---------------------------------------------------------------------- */
VWIMPORT void  VWAPI vwDoAppToScr(HVIEW view, LONG id);
VWIMPORT void  VWAPI vwDoScrToApp(HVIEW view, LONG id);
VWIMPORT void  VWAPI vwUpdateScreen(HVIEW view);
VWIMPORT void  VWAPI vwUpdateApp(HVIEW view);
VWIMPORT int   VWAPI vwUpdateFromViewData(HVIEW target, HVIEW source, LONG id);
VWIMPORT int   VWAPI vwOverWriteChar(LPSTR string, char c, int pos);
VWIMPORT int   VWAPI vwDeleteChar(LPSTR string, int pos);
VWIMPORT LPSTR VWAPI vwInsertChar(LPSTR string, char c, int pos);

/* ------------------------------------------------------------------------
 * Focus and validation
 * ---------------------------------------------------------------------- */
VWIMPORT int   VWAPI vwEditField(HVIEW view, LONG id);
VWIMPORT WORD  VWAPI vwSetFieldFocus(HVIEW view, LONG id);
VWIMPORT SHORT VWAPI vwSetFocusNextField(HVIEW view);
VWIMPORT SHORT VWAPI vwSetFocusPrevField(HVIEW view);

/* ------------------------------------------------------------------------
 * Animation and waiting: local message loops ended by a view timer
 * ---------------------------------------------------------------------- */
VWIMPORT int   VWAPI vwAnimateField(HVIEW view, LONG id, int x, int y, WORD duration, WORD interval, LONG unused);
VWIMPORT int   VWAPI vwWait(HVIEW view, LONG milliseconds);

/* ------------------------------------------------------------------------
 * Text fields
 * ---------------------------------------------------------------------- */
VWIMPORT int    VWAPI vwSetTextField(HVIEW view, int x, int y, LPCSTR text, HFONT hFont);
VWIMPORT int    VWAPI vwDeleteTextField(HVIEW view, int n);
VWIMPORT WORD   VWAPI vwGetTextFieldCount(HVIEW view);
VWIMPORT LONG_PTR VWAPI vwSetTextFieldText(HVIEW view, int n, LPCSTR text);
/* Copies at most size characters of the stored text and puts the mnemonic's
 * "&" back in front of its character, so the buffer must hold size + 2 bytes:
 * size 5 gives "&Name:" for a label created as "&Name:", "Plain" for
 * "Plain". */
VWIMPORT void   VWAPI vwGetTextFieldText(HVIEW view, int n, LPSTR buffer, int size);
VWIMPORT void   VWAPI vwSetTextFieldColors(HVIEW view, int n, COLORREF text, COLORREF back);
VWIMPORT int    VWAPI vwGetTextFieldColors(HVIEW view, int n, COLORREF *text, COLORREF *back);
VWIMPORT HFONT  VWAPI vwSetTextFieldFont(HVIEW view, int n, HFONT hFont);
VWIMPORT HFONT  VWAPI vwGetTextFieldFont(HVIEW view, int n);
VWIMPORT void   VWAPI vwSetTextFieldLink(HVIEW view, int n, LONG id);
VWIMPORT LONG   VWAPI vwGetTextFieldLink(HVIEW view, int n);
VWIMPORT void   VWAPI vwSetTextFieldXPos(HVIEW view, int n, int x);
VWIMPORT void   VWAPI vwSetTextFieldYPos(HVIEW view, int n, int y);
VWIMPORT int    VWAPI vwGetTextFieldXPos(HVIEW view, int n);
VWIMPORT int    VWAPI vwGetTextFieldYPos(HVIEW view, int n);
VWIMPORT int    VWAPI vwHideTextField(HVIEW view, int n, BOOL redraw);
VWIMPORT int    VWAPI vwUnhideTextField(HVIEW view, int n, BOOL redraw);

/* ------------------------------------------------------------------------
 * View errors
 * ---------------------------------------------------------------------- */
/* vwSetViewStatus codes */
#define VWST_ERROR          1        /* an error is pending */
#define VWST_RESUMEBALLOONS 0x100    /* balloon help on again */
#define VWST_NOBALLOONS     0x10000  /* balloon help suspended */

VWIMPORT void  VWAPI vwSetViewStatus(HVIEW view, LONG id, LONG code);
VWIMPORT void  VWAPI vwResetViewError(HVIEW view);
VWIMPORT void  VWAPI vwSetViewEditingOff(HVIEW view);
VWIMPORT void  VWAPI vwSetViewEditingOn(HVIEW view);
VWIMPORT SHORT VWAPI vwGetViewErrorStatus(HVIEW view);
VWIMPORT void  VWAPI vwSetViewErrorColors(HVIEW view, COLORREF text, COLORREF back);
VWIMPORT int   VWAPI vwSetViewMessageFile(HVIEW view, LPCSTR fileName);

/* An error record whose directives hold "@LOOKUP" has its text replaced in
 * place by the error file's text: its text buffer then holds 256 bytes. */

/* vwSetViewError flags */
#define VWSVE_KEY           0x0040   /* the message is a key of the error message file */
#define VWSVE_MBOX          0x0080   /* show it in a message box */
#define VWSVE_BEEP          0x0100   /* beep */

/* vwMessageLookup flags */
#define VWML_RESOURCE       0x08     /* the key is a string resource ID (or its decimal text) */

VWIMPORT int   VWAPI vwSetViewError(HVIEW view, LONG id, LONG reserved1, LONG reserved2, LPCSTR message, UINT flags);
/* The text lives in one library-wide buffer until the next lookup. */
VWIMPORT LPSTR VWAPI vwMessageLookup(HVIEW view, LPCSTR fileName, LPCSTR key, UINT flags);

/* ------------------------------------------------------------------------
 * Status line
 * ---------------------------------------------------------------------- */
/* vwSetViewDSL placement flags (also kept in VWVIEW.flags) */
#define VWDSL_VIEW          0x04     /* the status control is a control of the view */
#define VWDSL_TOP           0x08     /* ... of the view's top toolbar ("TBTOP") */
#define VWDSL_BOTTOM        0x10     /* ... of the view's bottom toolbar ("TBBOTTOM") */
#define VWDSL_NAMED         0x20     /* the status-line object is not made from resources */
#define VWDSL_RESOURCE      0x40     /* the status-line object is made from resources */

VWIMPORT int   VWAPI vwRemoveViewDSL(HVIEW view);
VWIMPORT int   VWAPI vwSetViewDSL(HVIEW view, LPCSTR name, LONG id, DWORD flags);
VWIMPORT int   VWAPI vwSetViewDSLText(HVIEW view, LPCSTR text);
VWIMPORT void  VWAPI vwSetDSLWindow(HVIEW view, HWND hWnd);
VWIMPORT HWND  VWAPI vwGetDSLWindow(HVIEW view);
VWIMPORT int   VWAPI vwSetStatusLineId(HWND frame, LONG id);
/* Menu help for a frame: call it with the frame's WM_MENUSELECT. */
VWIMPORT void  VWAPI vwProcessDSL(HWND frame, UINT msg, WPARAM wParam, LPARAM lParam);
/* The popup's number in a depth-first count of the menu's popups, or 0. */
VWIMPORT int   VWAPI GetPopupLevel(HMENU menu, HMENU popup, int *counter);

/* ------------------------------------------------------------------------
 * Balloons
 *
 * Window extra bytes of the "tsBalloon" class:
 *   i686 (16 bytes)             x86_64 (24 bytes)
 *   0   font (4)                0   font (8)
 *   4   text colour (4)         8   text colour (4)
 *   8   background colour (4)   12  background colour (4)
 *   12  style (4)               16  style (4)
 * Font 0 = an 8-point "Helv" font made for each paint.  The window text is
 * the balloon text.  Read the font with GetWindowLongPtr.
 * ---------------------------------------------------------------------- */
#define VW_CLASS_BALLOON    "tsBalloon"
#ifdef _WIN64
#define VWBL_FONT           0
#define VWBL_TEXTCOLOR      8
#define VWBL_BKCOLOR        12
#define VWBL_STYLE          16
#define VWB_WNDEXTRA        24
#else
#define VWBL_FONT           0
#define VWBL_TEXTCOLOR      4
#define VWBL_BKCOLOR        8
#define VWBL_STYLE          12
#define VWB_WNDEXTRA        16
#endif

/* vwBalloonMsg styles */
#define VWB_PIXELS          0x001    /* x, y, width, height are pixels (else dialog units) */
#define VWB_SCREEN          0x008    /* x, y are screen coordinates (else offsets from the owner) */
#define VWB_CENTER          0x010    /* centred on the owner */
#define VWB_COLORS          0x040    /* use the given text and background colours */
#define VWB_NOSHADOW        0x080
#define VWB_SQUARE          0x100    /* square corners, 4-pixel margins (else rounded, 5 dialog units) */
#define VWB_SINGLELINE      0x200    /* one line (else word-wrapped) */
#define VWB_CLICKCLOSE      0x400    /* a mouse click closes it */

/* Height 0 fits the balloon to the text; width 0 means 100. */
VWIMPORT HWND  VWAPI vwBalloonMsg(HWND owner, LPCSTR text, int x, int y, int width, int height, HFONT font,
                                  COLORREF textColor, COLORREF bkColor, UINT style);
VWIMPORT LRESULT CALLBACK DefBalloonWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

/* ------------------------------------------------------------------------
 * Browse window: a read-only viewer of a text file in a window of class
 * "ViewBrowse32".  The hook sees the messages first; non-zero consumes.
 * ---------------------------------------------------------------------- */
VWIMPORT HWND VWAPI vwBrowse(HINSTANCE hInst, LPCSTR fileName, LPCSTR errorTitle, LPCSTR caption, LPCSTR face,
                             int points, int x, int y, int cx, int cy, LONG reserved, WNDPROC hook);
VWIMPORT LRESULT CALLBACK DefViewBrowseProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

/* ------------------------------------------------------------------------
 * Printing plain text.  Results: 0 the job ran (printed, cancelled or ended
 * by a reported printing error), 1 memory, 2 file not opened, 3 read error,
 * 4 no printer or the spooler refused, 5 no progress view.
 * ---------------------------------------------------------------------- */
#define VWPF_HIDDEN         0x2      /* keep the progress view hidden */
#define VWPF_OWNDC          0x4      /* print on the caller's device context */

VWIMPORT WORD VWAPI vwPrintBuffer(HWND owner, HGLOBAL text, LPCSTR title);
VWIMPORT WORD VWAPI vwPrintBufferExt(HWND owner, HGLOBAL text, LPCSTR title, HDC printer, DWORD flags);
VWIMPORT WORD VWAPI vwPrintFile(HWND owner, LPCSTR fileName, LPCSTR title);
VWIMPORT WORD VWAPI vwPrintFileExt(HWND owner, LPCSTR fileName, LPCSTR title, HDC printer, DWORD flags);
VWIMPORT HDC  VWAPI vwGetPrinterDC(void);
VWIMPORT LRESULT CALLBACK vwPrintDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT BOOL CALLBACK vwAbortPrintProc(HDC printer, int code);

/* ------------------------------------------------------------------------
 * File open and save dialogs: the chosen path in new moveable global
 * memory that the caller frees, or 0.  The hook sees every message first;
 * a non-zero answer consumes it.
 * ---------------------------------------------------------------------- */
VWIMPORT HGLOBAL VWAPI vwFileOpenDlg(HWND owner, LPCSTR fileSpec, LPCSTR defaultExt, WORD fileTypes, WNDPROC hook);
VWIMPORT HGLOBAL VWAPI vwFileSaveDlg(HWND owner, LPCSTR fileSpec, LPCSTR defaultExt, WORD *fileExists, WNDPROC hook);
VWIMPORT LRESULT CALLBACK vwFileOpenDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK vwFileSaveDlgProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

/* ------------------------------------------------------------------------
 * Text file editor: a window of its own with a menu, find and replace, a
 * line/column status band and a save prompt.  Positions and sizes are
 * dialog units.  The result is that of vwShowModalView (VWEDIT_MODAL, the
 * call returns when the editor closes), of vwShowViewWindow (VWEDIT_HIDDEN)
 * or of vwShowView, as a pointer-sized value; 0 when no editor was made.
 * The editor view passes the EM_* queries on to its edit control and
 * answers VWM_EDITORWINDOW with the edit control's window.  Settings are
 * kept in the profile file "fwcore.ini" (sections "Editor", "Formwright+").
 * ---------------------------------------------------------------------- */
#define VWEDIT_MODAL        0x1
#define VWEDIT_HIDDEN       0x2
#define VWM_EDITORWINDOW    0x0464
VWIMPORT LONG_PTR VWAPI vwEditFile(HWND parent, LPCSTR path, LPCSTR fileSpec, int x, int y, int cx, int cy, WORD flags);
VWIMPORT LRESULT CALLBACK EditFileViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK EditorWndProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

/* ------------------------------------------------------------------------
 * Window procedures
 * ---------------------------------------------------------------------- */
VWIMPORT LRESULT CALLBACK DefViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK DefMDIChildViewProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK vwInterFieldProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK DefEditProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK ComboSubProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK DefButtonProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK DefStaticProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK DefScrollProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK DefListBoxProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK DefComboBoxProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);
VWIMPORT LRESULT CALLBACK DefTSControlProc(HWND hWnd, UINT msg, WPARAM wParam, LPARAM lParam);

#ifdef __cplusplus
}
#endif

#endif /* TSCORE32_H */
