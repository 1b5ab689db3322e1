// Dialog-unit arithmetic.  Horizontal values scale by X / 4 and vertical
// values by Y / 8, with X and Y the average character width and height of a
// font (or the system dialog base units).
#pragma once
#include <cstdint>

namespace ts::core {

// value x unit / divisor in 32-bit signed arithmetic: the product wraps as a
// 32-bit multiply would, and the quotient truncates toward zero.
constexpr std::int32_t scale32(std::int32_t value, std::int32_t unit, std::int32_t divisor) {
    std::uint32_t product = static_cast<std::uint32_t>(value) * static_cast<std::uint32_t>(unit);
    return static_cast<std::int32_t>(product) / divisor;
}

// value x k / u, formed as (value mod u) x k / u + (value div u) x k so that
// large values do not overflow; truncates toward zero.
constexpr std::int32_t ratio_no_overflow(std::int32_t value, std::int32_t k, std::int32_t u) {
    return (value % u) * k / u + (value / u) * k;
}

constexpr std::int32_t dialog_to_pixels_x(std::int32_t v, std::int32_t unitX) { return scale32(v, unitX, 4); }
constexpr std::int32_t dialog_to_pixels_y(std::int32_t v, std::int32_t unitY) { return scale32(v, unitY, 8); }
constexpr std::int32_t pixels_to_dialog_x(std::int32_t v, std::int32_t unitX) { return ratio_no_overflow(v, 4, unitX); }
constexpr std::int32_t pixels_to_dialog_y(std::int32_t v, std::int32_t unitY) { return ratio_no_overflow(v, 8, unitY); }

// A rectangle of four values: horizontal, vertical, horizontal, vertical, so
// an (x, y, cx, cy) quadruple converts the same way.
struct UnitBasis {
    std::int32_t x, y;
};

inline void rect_dialog_to_pixels(std::int32_t* r, UnitBasis u) {
    r[0] = dialog_to_pixels_x(r[0], u.x);
    r[1] = dialog_to_pixels_y(r[1], u.y);
    r[2] = dialog_to_pixels_x(r[2], u.x);
    r[3] = dialog_to_pixels_y(r[3], u.y);
}

inline void rect_pixels_to_dialog(std::int32_t* r, UnitBasis u) {
    r[0] = pixels_to_dialog_x(r[0], u.x);
    r[1] = pixels_to_dialog_y(r[1], u.y);
    r[2] = pixels_to_dialog_x(r[2], u.x);
    r[3] = pixels_to_dialog_y(r[3], u.y);
}

// Whether dialog-to-pixel mapping uses the system dialog base units instead
// of the window's font units, given the record version being read.
constexpr bool version_uses_base_units(std::uint16_t version) { return version != 0 && version < 42; }

} // namespace ts::core
