// Reading the resources of a compiled resource file (.res) or of a Windows
// program or DLL (the resource directory of a PE image), without Windows.
#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ts::core {

inline constexpr std::uint16_t kResourceDialog = 5;   // RT_DIALOG
inline constexpr std::uint16_t kResourceRcdata = 10;  // RT_RCDATA

// A resource type or name: an integer identifier, or a string.
struct ResourceId {
    std::uint16_t ordinal = 0;  // non-zero for an integer identifier
    std::u16string name;
    bool is_ordinal() const { return ordinal != 0 || name.empty(); }
    // Names compare without regard to ASCII case, as resource lookup does.
    bool matches(const ResourceId& other) const;
    // The decimal text of an ordinal, or the name (other than ASCII as '?').
    std::string text() const;
    // "101" names the integer identifier 101, anything else a string.
    static ResourceId parse(std::string_view s);
};

struct ResourceEntry {
    ResourceId type;
    ResourceId name;
    std::uint16_t language = 0;
    std::span<const std::uint8_t> data;  // within the file's bytes
};

struct ResourceFile {
    enum class Kind { Unknown, Res, Image } kind = Kind::Unknown;
    std::vector<ResourceEntry> entries;  // in file order (by type, then name, for images)
    std::string error;                   // why reading stopped early, or empty
};

// Tells a .res file from a PE image by their first bytes; anything else is
// Unknown with no entries.
ResourceFile read_resources(std::span<const std::uint8_t> file);

// The first entry of that type and name (any language), or nullptr.
const ResourceEntry* find_resource(const ResourceFile& file, std::uint16_t type, const ResourceId& name);

} // namespace ts::core
