#!/usr/bin/env python3
"""Writes the fuzz targets' seeds made from the tree's own resources into
tests/native/seeds/TARGET/, as files named "from-...".

The resource scripts of the library, the examples and the Windows tests are
compiled with windres into .res files; their dialog templates (RT_DIALOG)
and view-definition records (RT_RCDATA), the record texts of resources/views
and examples/views (compiled with vwrec), the texts vwrec dumps of every
record, the error files the Windows tests write and the bitmaps of the tree
become seeds in each target's input format.  Running it again replaces the
"from-" seeds it wrote before and leaves the others (hand-made seeds and
reproducers of findings) alone; a seed whose bytes another seed of the
target already has is not written.

    tools/fuzz-seeds.py [--vwrec build/native/tools/vwrec/vwrec] [--windres x86_64-w64-mingw32-windres]
"""
import argparse
import ast
import hashlib
import re
import shutil
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent
SEEDS = ROOT / "tests/native/seeds"
MAX_SEED = 4096        # the fuzz runs' -max_len
MAX_PER_TARGET = 40
RT_DIALOG, RT_RCDATA = 5, 10
RC_FILES = ["resources/tscore32.rc", "examples/demo.rc", "tests/view/views.rc", "tests/viewproc/viewproc.rc",
            "tests/frame/frame.rc", "tests/message/message.rc", "tests/helio/helio_test.rc",
            "tests/packaging/app/customer.rc"]
# record texts, and the resource script whose dialogs they go with
RECORD_TEXTS = {"resources/views": "tscore32", "examples/views": "demo", "tests/records": None}
BITMAPS = ["resources", "tests/helio", "tests/viewproc"]


# ---- reading .res files ------------------------------------------------------

def res_id(data, off):
    """A type or name of a .res header: (value, offset after it)."""
    if data[off:off + 2] == b"\xff\xff":
        return struct.unpack_from("<H", data, off + 2)[0], off + 4
    end = off
    while data[end:end + 2] != b"\0\0":
        end += 2
    return data[off:end].decode("utf-16-le").upper(), end + 2


def res_entries(data):
    """(type, name, bytes) of every resource of a .res file."""
    pos = 0
    while pos + 8 <= len(data):
        size, header = struct.unpack_from("<II", data, pos)
        rtype, off = res_id(data, pos + 8)
        name, off = res_id(data, off)
        name = str(name)  # an integer name as its digits
        body = data[pos + header:pos + header + size]
        if rtype != 0:
            yield rtype, name, body
        pos = (pos + header + size + 3) & ~3


def dialog_counts(template):
    """(controls, text items) of a standard dialog template."""
    style, _, count = struct.unpack_from("<IIH", template, 0)
    off = 18

    def skip_name(off):
        if template[off:off + 2] == b"\xff\xff":
            return off + 4, None
        end = off
        while template[end:end + 2] != b"\0\0":
            end += 2
        return end + 2, template[off:end].decode("utf-16-le")

    off, _ = skip_name(off)        # menu
    off, _ = skip_name(off)        # class
    off, _ = skip_name(off)        # caption
    if style & 0x40:               # DS_SETFONT
        off, _ = skip_name(off + 2)
    fields = texts = 0
    for _ in range(count):
        off = (off + 3) & ~3
        off += 18
        off, cls = skip_name(off)
        off, _ = skip_name(off)
        off += 2 + struct.unpack_from("<H", template, off)[0]
        if cls is not None and cls.lower() == "text":
            texts += 1
        else:
            fields += 1
    return fields, texts


# ---- writing seeds -------------------------------------------------------------

class Target:
    def __init__(self, name):
        self.dir = SEEDS / name
        self.dir.mkdir(parents=True, exist_ok=True)
        for old in self.dir.glob("from-*"):
            old.unlink()
        self.known = {hashlib.sha1(p.read_bytes()).hexdigest() for p in self.dir.iterdir()}
        self.written = 0

    def add(self, name, data):
        if isinstance(data, str):
            data = data.encode("latin-1")
        digest = hashlib.sha1(data).hexdigest()
        if len(data) > MAX_SEED or digest in self.known or self.written >= MAX_PER_TARGET:
            return
        self.known.add(digest)
        safe = re.sub(r"[^A-Za-z0-9_.-]", "_", name)
        (self.dir / f"from-{safe}").write_bytes(data)
        self.written += 1


def directive_items(text):
    """The keywords of a directive string with their arguments: [("@LIMIT", "5"), ...]."""
    return re.findall(r"(@[A-Za-z0-9_]+)(?:\(([^)]*)\))?", text)


def c_string_literals(source):
    """The values of the C string literals of a source file (one literal at a time)."""
    for m in re.finditer(r'"((?:[^"\\\n]|\\.)*)"', source):
        try:
            yield ast.literal_eval('b"' + m.group(1) + '"').decode("latin-1")
        except (ValueError, SyntaxError):
            continue


def main():
    ap = argparse.ArgumentParser(description=__doc__.split("\n\n")[0])
    ap.add_argument("--vwrec", default=str(ROOT / "build/native/tools/vwrec/vwrec"))
    ap.add_argument("--windres", default="x86_64-w64-mingw32-windres")
    args = ap.parse_args()
    if not Path(args.vwrec).exists() or not shutil.which(args.windres):
        sys.exit(f"fuzz-seeds: needs {args.vwrec} (make native) and {args.windres}")

    work = Path(tempfile.mkdtemp(prefix="fuzz-seeds."))
    dialogs, records, res_files = {}, {}, []
    for rc in RC_FILES:
        src = ROOT / rc
        out = work / (src.stem + ".res")
        subprocess.run([args.windres, "-I", str(src.parent), "-J", "rc", "-O", "res", str(src), str(out)],
                       check=True, cwd=src.parent)
        data = out.read_bytes()
        res_files.append((src.stem, data))
        entries = list(res_entries(data))
        for rtype, name, body in entries:
            if rtype == RT_DIALOG:
                dialogs[src.stem, name] = body
        # a record is the RCDATA of a dialog's name (other RCDATA is other data)
        for rtype, name, body in entries:
            if rtype == RT_RCDATA and (src.stem, name) in dialogs:
                records[src.stem, name] = body

    texts = []  # (origin, name, text) of every record text
    for folder, script in RECORD_TEXTS.items():
        for txt in sorted((ROOT / folder).glob("*.txt")):
            texts.append((folder.split("/")[0], txt.stem, txt.read_text("latin-1")))
            binary = work / (txt.stem + ".bin")
            if subprocess.run([args.vwrec, "compile", str(txt), "-o", str(binary)],
                              capture_output=True).returncode == 0:
                records[script or folder.split("/")[-1], txt.stem.upper()] = binary.read_bytes()
    for (origin, name), body in sorted(records.items()):
        binary = work / "record.bin"
        binary.write_bytes(body)
        dump = subprocess.run([args.vwrec, "dump", str(binary)], capture_output=True, text=True, encoding="latin-1")
        if dump.returncode == 0:
            texts.append(("dump", name, dump.stdout))

    t = Target("dlgtemplate")
    for (origin, name), body in sorted(dialogs.items()):
        t.add(f"{origin}-{name}", body)

    t, v = Target("recordbytes"), Target("viewrecord")
    for (origin, name), body in sorted(records.items()):
        t.add(f"{origin}-{name}", body)
        # the first two bytes of a viewrecord seed are the table sizes the
        # record is read against: those of its dialog, or the largest ones
        fields, texts_ = dialog_counts(dialogs[origin, name]) if (origin, name) in dialogs else (255, 100)
        v.add(f"{origin}-{name}", bytes([min(fields, 255), texts_]) + body)

    t = Target("recordtext")
    for origin, name, text in texts:
        t.add(f"{origin}-{name}.txt", text)

    t = Target("resfile")
    for stem, data in res_files:
        t.add(f"{stem}.res", data)

    # directive strings: "KEYWORD\0DIRECTIVES\0FIELD TEXT"
    strings = []
    for origin, name, text in texts:
        strings += [s.encode("latin-1").decode("unicode_escape") for s in re.findall(r'"((?:[^"\\]|\\.)*@(?:[^"\\]|\\.)*)"', text)]
    strings = list(dict.fromkeys(strings))
    t, k = Target("directives"), Target("keyfilter")
    for i, s in enumerate(strings):
        for keyword, argument in directive_items(s)[:3]:
            t.add(f"{i}-{keyword[1:]}", f"{keyword}\0{s}\0{argument or '12ab'}")
        # keystroke filters: rules byte (1 @NUM, 2 @ALPHA, 4 @UP, 8 an include
        # list), the excluded list, the included list, then typed characters
        items = {kw.upper(): arg for kw, arg in directive_items(s)}
        if items.keys() & {"@NUM", "@ALPHA", "@UP", "@EXCLUDE", "@INCLUDE"}:
            rules = (("@NUM" in items) | ("@ALPHA" in items) << 1 | ("@UP" in items) << 2 |
                     ("@INCLUDE" in items) << 3)
            k.add(f"{i}", bytes([rules]) + f"{items.get('@EXCLUDE', '')}\0{items.get('@INCLUDE', '')}\0"
                  "aZ09 -.\x08\x83\x41".encode("latin-1"))

    # error files the Windows tests write: "KEY\0FILE" for each of their keys
    t = Target("errorfile")
    for source in sorted((ROOT / "tests").glob("*/*_test.cpp")):
        for literal in c_string_literals(source.read_text("latin-1")):
            if re.match(r"^\w+,.*\n", literal):
                for key in dict.fromkeys(re.findall(r"^(\w+),", literal, re.M)):
                    t.add(f"{source.stem}-{key}", f"{key}\0{literal}")

    # searches in record texts: flags byte (bit 0 match case, the rest the
    # start and the replacement's length), needle, text
    t, b = Target("textsearch"), Target("browsetext")
    for i, (origin, name, text) in enumerate(texts[:12]):
        for flags, needle in ((0, "field"), (1, "@3D"), (0x40, "bold")):
            t.add(f"{origin}-{name}-{needle}", bytes([flags]) + needle.encode() + b"\0" + text.encode("latin-1"))
        # a viewed file: block size byte, then the text with CR LF line ends
        b.add(f"{origin}-{name}", bytes([i * 5]) + text.replace("\n", "\r\n").encode("latin-1"))

    t = Target("dib")
    for folder in BITMAPS:
        for bmp in sorted((ROOT / folder).glob("*.bmp")):
            data = bmp.read_bytes()
            t.add(f"{bmp.stem}.bmp", data)
            t.add(f"{bmp.stem}.dib", data[14:])  # the packed DIB a resource holds

    shutil.rmtree(work)
    for d in sorted(SEEDS.iterdir()):
        print(f"{d.name:12} {sum(1 for _ in d.glob('from-*')):3} from the tree, {sum(1 for _ in d.iterdir()):3} seeds")


if __name__ == "__main__":
    main()
