// The view's dynamic status line.
#include "view/internal.h"

#include "companion/helio.h"

int VWAPI vwRemoveViewDSL(HVIEW view) {
    view->hDSLWindow = nullptr;
    if (!view->dsl) return 0;
    hlDestroyStatusLine(reinterpret_cast<HANDLE>(view->dsl));
    view->dsl = 0;
    return 1;
}
