// The rows of the benchmark, one preparing function each (see main.cpp for
// the table that names them and sets their goals).
#pragma once
#include "bench/harness.hpp"

namespace ts::bench {

Batches prepare_build10();
Batches prepare_build100();
Batches prepare_build300();
Batches prepare_type_accepted();
Batches prepare_type_rejected();
Batches prepare_lookup_repeated();
Batches prepare_lookup_alternating();
Batches prepare_paint300();
Batches prepare_replace();
Batches prepare_browse();
Batches prepare_browse_memory();
Batches prepare_browse_lf();
Batches prepare_browse_cr();
Batches prepare_browse_noend();
Batches prepare_browse_line();

} // namespace ts::bench
