// Painting: a full repaint of the shown 300-field view, against the same
// repaint of the raw dialog, each shown alone at the same place.
#include <memory>

#include "bench/fixtures.hpp"
#include "bench/rows.hpp"

namespace ts::bench {

Batches prepare_paint300() {
    auto pair = std::make_shared<ShownPair>(300);
    if (!pair->failure().empty()) return Batches::Failed(pair->failure());
    auto arm = [pair](bool lib) {
        return [pair, lib](long reps) {
            pair->front(lib);
            HWND h = lib ? pair->viewWindow() : pair->dialog();
            return timed(reps, [h] {
                RedrawWindow(h, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
            });
        };
    };
    Batches b;
    b.lib = arm(true);
    b.raw = arm(false);
    return b;
}

} // namespace ts::bench
