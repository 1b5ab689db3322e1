#include "core/resfile.hpp"

#include <algorithm>

#include "core/text.hpp"

namespace ts::core {
namespace {

// Reads little-endian values at absolute offsets; a read outside the data
// yields 0 and marks the view bad.
class At {
public:
    explicit At(std::span<const std::uint8_t> d) : d_(d) {}
    std::size_t size() const { return d_.size(); }
    bool bad() const { return bad_; }
    std::uint16_t u16(std::size_t off) {
        if (off > d_.size() || d_.size() - off < 2) return fail();
        return static_cast<std::uint16_t>(d_[off] | (d_[off + 1] << 8));
    }
    std::uint32_t u32(std::size_t off) {
        if (off > d_.size() || d_.size() - off < 4) return fail();
        return static_cast<std::uint32_t>(u16(off)) | (static_cast<std::uint32_t>(u16(off + 2)) << 16);
    }
    // `len` bytes at `off`, or an empty span when they are not all there.
    std::span<const std::uint8_t> bytes(std::size_t off, std::size_t len) {
        if (off > d_.size() || d_.size() - off < len) {
            fail();
            return {};
        }
        return d_.subspan(off, len);
    }

private:
    std::uint16_t fail() {
        bad_ = true;
        return 0;
    }
    std::span<const std::uint8_t> d_;
    bool bad_ = false;
};

// A type or name field of a .res header: 0xFFFF and an ordinal, or a
// 0-terminated string of 16-bit characters.  Moves `off` past it.
bool read_res_id(At& at, std::size_t& off, std::size_t end, ResourceId& id) {
    std::uint16_t first = at.u16(off);
    if (at.bad() || off + 2 > end) return false;
    if (first == 0xFFFF) {
        id.ordinal = at.u16(off + 2);
        off += 4;
        return !at.bad() && off <= end;
    }
    id.ordinal = 0;
    id.name.clear();
    while (true) {
        if (off + 2 > end) return false;
        std::uint16_t c = at.u16(off);
        off += 2;
        if (at.bad()) return false;
        if (c == 0) return true;
        id.name.push_back(static_cast<char16_t>(c));
    }
}

void read_res(std::span<const std::uint8_t> file, ResourceFile& out) {
    out.kind = ResourceFile::Kind::Res;
    At at(file);
    std::size_t pos = 0;
    while (pos + 8 <= file.size()) {
        std::uint32_t dataSize = at.u32(pos), headerSize = at.u32(pos + 4);
        if (headerSize < 16 || headerSize > file.size() - pos || dataSize > file.size() - pos - headerSize) {
            out.error = "a resource header runs past the end of the file";
            return;
        }
        std::size_t end = pos + headerSize, off = pos + 8;
        ResourceEntry e;
        if (!read_res_id(at, off, end, e.type) || !read_res_id(at, off, end, e.name)) {
            out.error = "a resource header holds a bad type or name";
            return;
        }
        off = (off + 3) & ~static_cast<std::size_t>(3);
        e.language = off + 8 <= end ? at.u16(off + 6) : 0;  // after DataVersion and MemoryFlags
        e.data = at.bytes(end, dataSize);
        if (!(e.type.ordinal == 0 && e.type.name.empty()))  // the empty entry that opens the file
            out.entries.push_back(std::move(e));
        std::size_t next = end + dataSize;
        pos = (next + 3) & ~static_cast<std::size_t>(3);
    }
}

struct Section {
    std::uint32_t va, vsize, rawSize, rawPtr;
};

class Image {
public:
    Image(std::span<const std::uint8_t> file, ResourceFile& out) : file_(file), at_(file), out_(out) {}

    void read() {
        out_.kind = ResourceFile::Kind::Image;
        std::uint32_t pe = at_.u32(0x3C);
        if (at_.bad() || at_.u32(pe) != 0x00004550) return error("not a PE image: no PE signature");
        std::uint16_t sections = at_.u16(pe + 6), optSize = at_.u16(pe + 20);
        std::size_t opt = pe + 24;
        std::uint16_t magic = at_.u16(opt);
        std::size_t dirs = magic == 0x20B ? opt + 112 : opt + 96;
        std::uint32_t dirCount = at_.u32(dirs - 4);
        if (at_.bad() || (magic != 0x10B && magic != 0x20B)) return error("not a PE image: unknown optional header");
        if (dirCount < 3) return;  // no resource directory
        std::uint32_t resRva = at_.u32(dirs + 2 * 8);
        std::size_t table = opt + optSize;
        // the count is untrusted: reading stops where the file does
        for (std::uint16_t i = 0; i < sections && !at_.bad(); ++i) {
            std::size_t s = table + i * 40u;
            sections_.push_back({at_.u32(s + 12), at_.u32(s + 8), at_.u32(s + 16), at_.u32(s + 20)});
        }
        if (at_.bad()) return error("the section table runs past the end of the file");
        if (resRva == 0) return;
        std::size_t base = 0;
        if (!to_offset(resRva, base)) return error("the resource directory lies outside the file");
        base_ = base;
        walk();
    }

private:
    void error(const char* message) {
        if (out_.error.empty()) out_.error = message;
    }

    bool to_offset(std::uint32_t rva, std::size_t& off) const {
        for (const Section& s : sections_) {
            std::uint32_t span = s.vsize > s.rawSize ? s.vsize : s.rawSize;
            if (rva >= s.va && rva - s.va < span) {
                if (rva - s.va >= s.rawSize) return false;
                off = static_cast<std::size_t>(s.rawPtr) + (rva - s.va);
                return off < file_.size();
            }
        }
        return false;
    }

    // An entry's name: an ordinal, or a counted string in the resource directory.
    ResourceId entry_id(std::uint32_t field) {
        ResourceId id;
        if (!(field & 0x80000000u)) {
            id.ordinal = static_cast<std::uint16_t>(field);
            return id;
        }
        std::size_t off = base_ + (field & 0x7FFFFFFFu);
        std::uint16_t len = at_.u16(off);
        for (std::uint16_t i = 0; i < len && !at_.bad(); ++i)
            id.name.push_back(static_cast<char16_t>(at_.u16(off + 2 + 2u * i)));
        return id;
    }

    // Calls `visit(id, offset, isDirectory)` for each entry of the directory at `dir`.
    template <typename Visit>
    void entries(std::uint32_t dir, Visit visit) {
        std::size_t off = base_ + dir;
        std::uint32_t n = static_cast<std::uint32_t>(at_.u16(off + 12)) + at_.u16(off + 14);
        for (std::uint32_t i = 0; i < n && !at_.bad() && out_.error.empty(); ++i) {
            if (++visited_ > kMaxEntries) return error("the resource directory has too many entries");
            std::size_t e = off + 16 + 8u * i;
            std::uint32_t name = at_.u32(e), target = at_.u32(e + 4);
            if (at_.bad()) break;
            visit(entry_id(name), target & 0x7FFFFFFFu, (target & 0x80000000u) != 0);
        }
        if (at_.bad()) error("the resource directory runs past the end of the file");
    }

    void walk() {
        entries(0, [&](const ResourceId& type, std::uint32_t typeDir, bool isDir) {
            if (!isDir) return;
            entries(typeDir, [&](const ResourceId& name, std::uint32_t nameDir, bool isDir2) {
                if (!isDir2) return;
                entries(nameDir, [&](const ResourceId& lang, std::uint32_t dataEntry, bool isDir3) {
                    if (isDir3) return;
                    std::uint32_t rva = at_.u32(base_ + dataEntry), size = at_.u32(base_ + dataEntry + 4);
                    std::size_t off = 0;
                    if (at_.bad() || !to_offset(rva, off)) return error("a resource's data lies outside the file");
                    auto data = at_.bytes(off, size);
                    if (at_.bad()) return error("a resource's data runs past the end of the file");
                    out_.entries.push_back({type, name, lang.ordinal, data});
                });
            });
        });
    }

    static constexpr std::size_t kMaxEntries = 100000;
    std::span<const std::uint8_t> file_;
    At at_;
    ResourceFile& out_;
    std::vector<Section> sections_;
    std::size_t base_ = 0;
    std::size_t visited_ = 0;
};

} // namespace

bool ResourceId::matches(const ResourceId& other) const {
    if (is_ordinal() || other.is_ordinal()) return is_ordinal() == other.is_ordinal() && ordinal == other.ordinal;
    if (name.size() != other.name.size()) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        char16_t a = name[i], b = other.name[i];
        if (a < 0x80 && b < 0x80) {
            if (ascii_lower(static_cast<char>(a)) != ascii_lower(static_cast<char>(b))) return false;
        } else if (a != b) {
            return false;
        }
    }
    return true;
}

std::string ResourceId::text() const {
    if (is_ordinal()) return std::to_string(ordinal);
    std::string s;
    for (char16_t c : name) s.push_back(c >= 0x20 && c < 0x7F ? static_cast<char>(c) : '?');
    return s;
}

ResourceId ResourceId::parse(std::string_view s) {
    ResourceId id;
    bool digits = !s.empty() && s.size() <= 5;
    unsigned long v = 0;
    for (char c : s) {
        if (c < '0' || c > '9')
            digits = false;
        else
            v = v * 10 + static_cast<unsigned>(c - '0');
    }
    if (digits && v >= 1 && v <= 0xFFFF) {
        id.ordinal = static_cast<std::uint16_t>(v);
        return id;
    }
    for (unsigned char c : s) id.name.push_back(static_cast<char16_t>(c));
    return id;
}

ResourceFile read_resources(std::span<const std::uint8_t> file) {
    ResourceFile out;
    static constexpr std::uint8_t kResStart[] = {0, 0, 0, 0, 0x20, 0, 0, 0, 0xFF, 0xFF, 0, 0, 0xFF, 0xFF, 0, 0};
    if (file.size() >= sizeof kResStart && std::equal(std::begin(kResStart), std::end(kResStart), file.begin())) {
        read_res(file, out);
    } else if (file.size() >= 2 && file[0] == 'M' && file[1] == 'Z') {
        Image(file, out).read();
    }
    return out;
}

const ResourceEntry* find_resource(const ResourceFile& file, std::uint16_t type, const ResourceId& name) {
    for (const ResourceEntry& e : file.entries)
        if (e.type.is_ordinal() && e.type.ordinal == type && e.name.matches(name)) return &e;
    return nullptr;
}

} // namespace ts::core
