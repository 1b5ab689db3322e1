// vwrec: view-definition records as text.
//
//   vwrec compile VIEW.txt -o VIEW.bin       the record's bytes
//   vwrec compile VIEW.txt --rc NAME [-o F]  an RCDATA block for a resource script
//   vwrec dump FILE [NAME] [-o F]            a record as text; FILE is a record
//                                            (.bin), a .res, or a program or DLL;
//                                            without NAME a .res/.exe/.dll lists
//                                            its records
//   vwrec extract FILE NAME -o VIEW.bin      a record's bytes from a .res/.exe/.dll
//
// Exit status: 0 done (warnings go to standard error), 1 an error in the
// input, 2 a wrong command line or a file that cannot be read or written.
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/dlgtemplate.hpp"
#include "core/recordcheck.hpp"
#include "core/recorddecode.hpp"
#include "core/recordrc.hpp"
#include "core/recordtext.hpp"
#include "core/resfile.hpp"

using namespace ts::core;

namespace {

constexpr const char* kUsage =
    "usage: vwrec compile VIEW.txt -o VIEW.bin\n"
    "       vwrec compile VIEW.txt --rc NAME [-o FILE.rc]\n"
    "       vwrec dump FILE [NAME] [-o VIEW.txt]\n"
    "       vwrec extract FILE NAME -o VIEW.bin\n"
    "FILE is a record (.bin), a compiled resource file (.res) or a Windows program or DLL.\n";

int usage(const char* problem) {
    if (problem) std::fprintf(stderr, "vwrec: %s\n", problem);
    std::fputs(kUsage, stderr);
    return 2;
}

std::optional<std::vector<std::uint8_t>> read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    std::vector<std::uint8_t> data((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) return std::nullopt;
    return data;
}

bool write_file(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    out.close();
    return static_cast<bool>(out);
}

// Writes to the -o file, or to standard output without one.
int emit(const std::optional<std::string>& output, std::string_view bytes) {
    if (!output) {
        std::fwrite(bytes.data(), 1, bytes.size(), stdout);
        return std::fflush(stdout) == 0 ? 0 : 2;
    }
    if (write_file(*output, bytes)) return 0;
    std::fprintf(stderr, "vwrec: cannot write %s\n", output->c_str());
    return 2;
}

struct Args {
    std::vector<std::string> positional;
    std::optional<std::string> output; // -o
    std::optional<std::string> rcName; // --rc
    std::string error;
};

Args parse_args(int argc, char** argv) {
    Args a;
    for (int i = 2; i < argc; ++i) {
        std::string_view s = argv[i];
        if (s == "-o" || s == "--rc") {
            if (i + 1 >= argc) {
                a.error = std::string(s) + " needs a value";
                return a;
            }
            (s == "-o" ? a.output : a.rcName) = argv[++i];
        } else if (s.size() > 1 && s[0] == '-') {
            a.error = "unknown option " + std::string(s);
            return a;
        } else {
            a.positional.emplace_back(s);
        }
    }
    return a;
}

int compile(const Args& a) {
    if (a.positional.size() != 1) return usage("compile takes one text file");
    if (!a.output && !a.rcName) return usage("compile needs -o FILE or --rc NAME");
    const std::string& path = a.positional[0];
    auto text = read_file(path);
    if (!text) {
        std::fprintf(stderr, "vwrec: cannot read %s\n", path.c_str());
        return 2;
    }
    ParsedRecordText parsed =
        parse_record_text(std::string_view(reinterpret_cast<const char*>(text->data()), text->size()));
    for (const RecordTextError& e : parsed.errors)
        std::fprintf(stderr, "%s:%u: error: %s\n", path.c_str(), e.line, e.message.c_str());
    if (!parsed.errors.empty()) return 1;
    if (a.rcName) return emit(a.output, format_record_rc(parsed.model, *a.rcName));
    std::vector<std::uint8_t> bytes = record_bytes(parsed.model);
    return emit(a.output, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

std::string file_name_of(const std::string& path) {
    std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string count_of(std::size_t n, const char* thing) { return std::to_string(n) + " " + thing + (n == 1 ? "" : "s"); }

// The record's text, with the problems of the dialog it goes with when
// there is one.  Warnings are also reported on standard error.
std::string record_text(const std::string& path, std::span<const std::uint8_t> bytes, const std::string& title,
                        const ResourceEntry* dialog) {
    DecodedRecord d = decode_record(bytes);
    std::string head = title + ", " + std::to_string(bytes.size()) + " bytes";
    if (dialog) {
        DialogFields f = dialog_fields(read_dialog_template(dialog->data));
        head += "; dialog " + dialog->name.text() + ": " + count_of(f.ids.size(), "field") + ", " +
                count_of(f.textFields, "text field");
        for (std::string& m : check_record(d.model, f))
            d.warnings.push_back({0, "dialog " + dialog->name.text() + ": " + m});
    }
    for (const RecordWarning& w : d.warnings)
        std::fprintf(stderr, "%s: warning: %s\n", path.c_str(), w.message.c_str());
    return format_record_text(d.model, d.warnings, head);
}

// One line per record of a resource file or image, with its dialog.
int list(const std::string& path, const ResourceFile& res) {
    std::string out;
    unsigned records = 0;
    for (const ResourceEntry& e : res.entries) {
        if (!e.type.is_ordinal() || e.type.ordinal != kResourceRcdata) continue;
        ++records;
        const ResourceEntry* dialog = find_resource(res, kResourceDialog, e.name);
        RecordHead head = read_record_head(e.data);
        char line[160];
        std::snprintf(line, sizeof line, "%-16s version %-3u %5zu bytes   ", e.name.text().c_str(),
                      static_cast<unsigned>(head.version), e.data.size());
        out += line;
        out += dialog ? "dialog " + dialog->name.text() : std::string("(no dialog template)");
        out += "\n";
        if (!dialog)
            std::fprintf(stderr, "%s: warning: record %s has no dialog template\n", path.c_str(),
                         e.name.text().c_str());
    }
    for (const ResourceEntry& e : res.entries) {
        if (e.type.is_ordinal() && e.type.ordinal == kResourceDialog && !find_resource(res, kResourceRcdata, e.name))
            std::fprintf(stderr, "%s: warning: dialog %s has no view-definition record\n", path.c_str(),
                         e.name.text().c_str());
    }
    if (records == 0) std::fprintf(stderr, "%s: no view-definition records\n", path.c_str());
    std::fputs(out.c_str(), stdout);
    return 0;
}

// Reads FILE; for a .res or image also its resources.
struct Input {
    std::vector<std::uint8_t> bytes;
    ResourceFile res;
};

std::optional<Input> load(const std::string& path) {
    auto bytes = read_file(path);
    if (!bytes) {
        std::fprintf(stderr, "vwrec: cannot read %s\n", path.c_str());
        return std::nullopt;
    }
    Input in{std::move(*bytes), {}};
    in.res = read_resources(in.bytes);
    if (!in.res.error.empty()) std::fprintf(stderr, "%s: warning: %s\n", path.c_str(), in.res.error.c_str());
    return in;
}

const ResourceEntry* find_record(const std::string& path, const ResourceFile& res, const std::string& name) {
    const ResourceEntry* e = find_resource(res, kResourceRcdata, ResourceId::parse(name));
    if (!e) std::fprintf(stderr, "%s: no view-definition record named %s\n", path.c_str(), name.c_str());
    return e;
}

int dump(const Args& a) {
    if (a.positional.empty() || a.positional.size() > 2) return usage("dump takes a file and an optional record name");
    const std::string& path = a.positional[0];
    auto in = load(path);
    if (!in) return 2;
    if (in->res.kind == ResourceFile::Kind::Unknown) {
        if (a.positional.size() == 2) return usage("a record file holds one record: give no name");
        return emit(a.output, record_text(path, in->bytes, file_name_of(path), nullptr));
    }
    if (a.positional.size() == 1) return list(path, in->res);
    const ResourceEntry* e = find_record(path, in->res, a.positional[1]);
    if (!e) return 1;
    const ResourceEntry* dialog = find_resource(in->res, kResourceDialog, e->name);
    if (!dialog)
        std::fprintf(stderr, "%s: warning: record %s has no dialog template\n", path.c_str(), e->name.text().c_str());
    return emit(a.output, record_text(path, e->data, e->name.text() + " in " + file_name_of(path), dialog));
}

int extract(const Args& a) {
    if (a.positional.size() != 2 || !a.output) return usage("extract takes a file, a record name and -o FILE");
    const std::string& path = a.positional[0];
    auto in = load(path);
    if (!in) return 2;
    if (in->res.kind == ResourceFile::Kind::Unknown) {
        std::fprintf(stderr, "%s: neither a .res file nor a program or DLL\n", path.c_str());
        return 1;
    }
    const ResourceEntry* e = find_record(path, in->res, a.positional[1]);
    if (!e) return 1;
    return emit(a.output, std::string_view(reinterpret_cast<const char*>(e->data.data()), e->data.size()));
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage(nullptr);
    std::string_view command = argv[1];
    if (command == "-h" || command == "--help" || command == "help") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    Args a = parse_args(argc, argv);
    if (!a.error.empty()) return usage(a.error.c_str());
    if (command == "compile") return compile(a);
    if (command == "dump") return dump(a);
    if (command == "extract") return extract(a);
    return usage(("unknown command " + std::string(command)).c_str());
}
