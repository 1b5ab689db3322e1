// Builds little-endian byte streams the way the resource compiler lays
// out records and templates.
#pragma once
#include <cstdint>
#include <vector>

template <typename Self>
struct ByteBuilder {
    std::vector<std::uint8_t> b;
    Self& w(std::uint16_t v) {
        b.push_back(static_cast<std::uint8_t>(v));
        b.push_back(static_cast<std::uint8_t>(v >> 8));
        return self();
    }
    Self& d(std::uint32_t v) { return w(static_cast<std::uint16_t>(v)).w(static_cast<std::uint16_t>(v >> 16)); }
    Self& self() { return static_cast<Self&>(*this); }
};
