// "@DSL(name,id,source,place)" in the view string makes the view's status
// line, once: source "RES" makes the status-line object from resources,
// place "BOT" or "TOP" puts the control in that toolbar of the view.
#include "viewproc/handlers.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include "companion/helio.h"
#include "core/text.hpp"

namespace ts {
namespace {

// The comma-separated parts of an argument, empty parts skipped.
struct Parts {
    std::string_view part[4];
    int count = 0;
};

Parts SplitSkippingEmpty(std::string_view arg) {
    Parts p;
    while (!arg.empty() && p.count < 4) {
        const std::size_t comma = arg.find(',');
        std::string_view piece = arg.substr(0, comma);
        if (!piece.empty()) p.part[p.count++] = piece;
        arg.remove_prefix(comma == std::string_view::npos ? arg.size() : comma + 1);
    }
    return p;
}

} // namespace

void ApplyDSLDirective(VWVIEW* view, const char* viewString) {
    if (view->dsl || !core::contains_nocase(viewString, "@DSL")) return;
    char arg[HL_KEYWORD_BUFFER + 1024] = {};
    hlGetKeyword(viewString, "@DSL", arg);
    const Parts p = SplitSkippingEmpty(arg);
    DWORD flags = core::contains_nocase(p.part[2], "RES") ? VWDSL_RESOURCE : VWDSL_NAMED;
    if (core::contains_nocase(p.part[3], "BOT")) flags |= VWDSL_BOTTOM;
    else if (core::contains_nocase(p.part[3], "TOP")) flags |= VWDSL_TOP;
    flags |= VWDSL_VIEW;
    const std::string name(p.part[0]), id(p.part[1]);
    vwSetViewDSL(view, name.c_str(), std::atoi(id.c_str()), flags);
}

} // namespace ts
