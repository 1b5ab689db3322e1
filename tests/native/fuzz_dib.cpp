// DIB layouts of arbitrary bytes, as a packed DIB and as a .bmp file: what
// is accepted lies inside the data, and a repacked file describes itself.
#include <cstdlib>

#include "core/dib.hpp"

using namespace ts::core;

static void check_inside(const std::optional<DibLayout>& l, std::size_t size) {
    if (l && (l->tableEnd() > l->bitsOffset || l->bitsOffset > size || l->bitsSize > size - l->bitsOffset)) std::abort();
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    check_inside(dib_layout({data, size}), size);
    if (auto packed = packed_dib_from_bmp({data, size})) {
        auto l = dib_layout(*packed);
        if (!l || l->packedSize() != packed->size()) std::abort();
        check_inside(l, packed->size());
    }
    return 0;
}
