// Looking up a field: vwGetFieldFromID on the 300-field view, against
// indexing a plain array that maps the same identifiers to field numbers.
// Repeated lookups of one identifier, and lookups that go through every
// identifier of the view in turn, so that no two in a row are the same.
#include <memory>
#include <vector>

#include "bench/fixtures.hpp"
#include "bench/rows.hpp"

namespace ts::bench {
namespace {

// The raw lookup, kept out of line and opaque to the optimiser like the
// library's function behind its import.
__attribute__((noipa)) int RawFieldFromID(const int* numbers, LONG id) { return numbers[id]; }

struct LookupState {
    std::unique_ptr<ViewWindow> view;
    std::vector<LONG> ids;          // the identifiers in field order
    std::vector<int> numbers;       // identifier -> field number
};

Batches PrepareLookup(bool alternating) {
    std::string error;
    const FormsModule* m = FormsModule::get(&error);
    if (!m) return Batches::Failed(error);
    auto s = std::make_shared<LookupState>();
    const Form& f = m->form(300);
    s->view = std::make_unique<ViewWindow>(*m, f);
    if (!s->view->view()) return Batches::Failed("vwCreateView failed");
    for (const FormField& field : f.fields) {
        s->ids.push_back(field.id);
        if (s->numbers.size() <= field.id) s->numbers.resize(field.id + 1u);
        s->numbers[field.id] = static_cast<int>(s->ids.size());
    }
    for (LONG id : s->ids)
        if (vwGetFieldFromID(s->view->view(), id) != s->numbers[id])
            return Batches::Failed("the view numbers its fields otherwise");

    const std::size_t count = s->ids.size();
    const std::size_t step = alternating ? 1 : 0;
    const LONG repeated = f.typingId;
    auto run = [s, count, step, repeated](auto lookup) {
        return [s, count, step, repeated, lookup](long reps) {
            const LONG* ids = s->ids.data();
            std::size_t k = 0;
            long sum = 0;
            const double seconds = timed(reps, [&] {
                sum += lookup(step ? ids[k] : repeated);
                k += step;
                if (k == count) k = 0;
            });
            if (sum == 0) report_problem("no field was found");
            return seconds;
        };
    };
    HVIEW view = s->view->view();
    const int* numbers = s->numbers.data();
    Batches b;
    b.lib = run([view](LONG id) { return vwGetFieldFromID(view, id); });
    b.raw = run([numbers](LONG id) { return RawFieldFromID(numbers, id); });
    return b;
}

} // namespace

Batches prepare_lookup_repeated() { return PrepareLookup(false); }
Batches prepare_lookup_alternating() { return PrepareLookup(true); }

} // namespace ts::bench
