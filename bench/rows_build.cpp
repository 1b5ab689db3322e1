// Building: a view of N fields made from its resources and destroyed,
// against CreateDialogIndirectParam and DestroyWindow of the same template.
#include "bench/fixtures.hpp"
#include "bench/rows.hpp"

namespace ts::bench {
namespace {

Batches PrepareBuild(unsigned fields) {
    std::string error;
    const FormsModule* m = FormsModule::get(&error);
    if (!m) return Batches::Failed(error);
    const Form& f = m->form(fields);
    {
        const ViewWindow view(*m, f);
        const RawDialog raw(*m, f);
        std::string different = compare_controls(view.view(), raw.hwnd(), f);
        if (!different.empty()) return Batches::Failed(different);
    }
    Batches b;
    b.lib = [m, &f](long reps) {
        return timed(reps, [&] {
            HVIEW v = create_view(*m, f);
            if (!v) report_problem("vwCreateView failed");
            else DestroyWindow(v->hWnd);
        });
    };
    b.raw = [m, &f](long reps) {
        return timed(reps, [&] {
            HWND d = create_raw_dialog(*m, f);
            if (!d) report_problem("CreateDialogIndirectParam failed");
            else DestroyWindow(d);
        });
    };
    return b;
}

} // namespace

Batches prepare_build10() { return PrepareBuild(10); }
Batches prepare_build100() { return PrepareBuild(100); }
Batches prepare_build300() { return PrepareBuild(300); }

} // namespace ts::bench
