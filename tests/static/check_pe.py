#!/usr/bin/python3
# Statically checks a built vorlux.scr: format, size budget, imported DLLs, and the resources.
"""Usage: check_pe.py --arch i386|amd64 --version A.B.C.D [-v] FILE.scr  (exit 0: all passed, 1: not)
pefile (Debian's python3-pefile) reads the headers, imports, string tables, version block and
manifest; only the dialog templates, which are ours, are read here."""
import argparse
import os
import re
import struct
import sys
import xml.etree.ElementTree as ElementTree

import pefile

import rc_source

ROOT = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))

# ---------------------------------------------------------------- expectations
LANG_JA = 0x0411

ARCHES = {"i386": (0x10B, 0x14C), "amd64": (0x20B, 0x8664)}  # -> (optional magic, Machine)
SUBSYSTEM_WINDOWS_GUI = 2
# A saver is downloaded and copied around: without the C++ exception machinery it fits in this.
SIZE_BUDGET = 160 * 1024

# A screen saver must run on a bare Windows install, so only system DLLs may be imported.
ALLOWED_DLLS = {
    "kernel32", "user32", "gdi32", "advapi32", "opengl32", "comctl32", "comdlg32",
    "version", "shell32", "ole32", "oleaut32", "msvcrt", "imm32", "winmm", "ntdll",
}
ALLOWED_DLL_PREFIXES = ("api-ms-win-crt-", "api-ms-win-core-")

RT_ICON, RT_STRING, RT_DIALOG, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 6, 5, 14, 16, 24

# The strings and dialogs are what resources/vorlux.rc declares (rc_source.py reads it); of these
# the string table must hold at least the saver's name in the list (1) and the presets.
REQUIRED_STRINGS = (1, 101, 102, 103, 105, 106, 107, 108, 109, 110)
ICON_GROUPS = {100: (16, 32, 48)}  # RT_GROUP_ICON id -> pixel sizes it must list
VERSION_VALUES = {"ProductName": "Vorlux"}  # and "FileVersion": the --version given
VERSION_NONEMPTY = ("LegalCopyright",)
TEXT_RESOURCES = {("ABOUTTEXT", 112): "utf-16-le"}  # (type name, id) -> encoding
WS_EX_CONTEXTHELP = 0x400
PAGE_STYLE = 0x40000000 | 0x08000000 | 0x00C00000  # WS_CHILD | WS_DISABLED | WS_CAPTION


TOP_LEVEL_DIALOGS = (2003, 2009)  # the configuration dialog and the away chooser; the rest are pages


# ---------------------------------------------------------------- reading
class Resources:
    """The resource tree as {(type, name, lang): entry}; named keys are str, numbered ones int."""

    def __init__(self, pe):
        self.pe = pe
        self.entries = {}
        root = getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
        for rtype in root.entries if root else []:
            for rname in rtype.directory.entries:
                for lang in rname.directory.entries:
                    self.entries[(self.key(rtype), self.key(rname), lang.id)] = (rname, lang)

    @staticmethod
    def key(entry):
        return str(entry.name) if entry.name is not None else entry.id

    def data(self, rtype, name, lang=None):
        """The resource's bytes, or None; lang None means any language."""
        for (t, n, l), (_, entry) in self.entries.items():
            if t == rtype and n == name and (lang is None or l == lang):
                return self.pe.get_data(entry.data.struct.OffsetToData, entry.data.struct.Size)
        return None

    def strings(self, lang):
        """The string table of one language, read from its blocks (pefile merges the languages)."""
        table = {}
        for (t, block, l) in self.entries:
            if t != RT_STRING or l != lang:
                continue
            data, offset = self.data(t, block, l), 0
            for index in range(16):
                length = struct.unpack_from("<H", data, offset)[0]
                if length:
                    table[(block - 1) * 16 + index] = data[offset + 2:offset + 2 + 2 * length].decode("utf-16-le")
                offset += 2 + 2 * length
        return table

    def missing(self, rtype, name):
        """'missing', naming the languages the resource does exist in, if any."""
        langs = sorted(l for (t, n, l) in self.entries if t == rtype and n == name)
        return "missing" + (" (present in language %s)" % ", ".join("0x%04X" % l for l in langs)
                            if langs else "")


def quote(text):
    # Like repr() but leaves backslashes and non-ASCII alone, so registry paths read naturally.
    return '"%s"' % "".join(ch if ch.isprintable() else "\\x%02x" % ord(ch) for ch in text)


def align4(x):
    return (x + 3) & ~3


def parse_dialogex(blob):
    """An extended dialog template -> (style, ex_style, size, caption, font, [(id, style)])."""
    def sz_or_ord(off):
        first = struct.unpack_from("<H", blob, off)[0]
        if first == 0xFFFF:
            return struct.unpack_from("<H", blob, off + 2)[0], off + 4
        end = off
        while struct.unpack_from("<H", blob, end)[0]:
            end += 2
        return blob[off:end].decode("utf-16-le"), end + 2

    version, signature = struct.unpack_from("<HH", blob, 0)
    if (version, signature) != (1, 0xFFFF):
        raise ValueError("not an extended dialog template")
    _, ex_style, style, count, _, _, cx, cy = struct.unpack_from("<IIIHhhhh", blob, 4)
    off = 26
    _, off = sz_or_ord(off)  # menu
    _, off = sz_or_ord(off)  # class
    caption, off = sz_or_ord(off)
    point_size = struct.unpack_from("<H", blob, off)[0]
    face, off = sz_or_ord(off + 6)
    items = []
    for _ in range(count):
        off = align4(off)
        _, _, item_style, _, _, _, _, item_id = struct.unpack_from("<IIIhhhhi", blob, off)
        _, off = sz_or_ord(off + 24)  # class
        _, off = sz_or_ord(off)  # text
        extra = struct.unpack_from("<H", blob, off)[0]
        off += 2 + extra
        items.append((item_id, item_style))
    return style, ex_style, (cx, cy), caption, (point_size, face), items


# ---------------------------------------------------------------- checks
class Checker:
    def __init__(self):
        self.passed = 0
        self.failed = 0

    def check(self, name, ok, expected, actual):
        if ok:
            self.passed += 1
        else:
            self.failed += 1
            print("FAIL %s: expected %s, got %s" % (name, expected, actual))
        return ok


def dll_allowed(dll):
    base = dll.lower()
    if base.endswith(".dll"):
        base = base[:-4]
    return base in ALLOWED_DLLS or base.startswith(ALLOWED_DLL_PREFIXES)


def check_format(c, pe, arch, size):
    magic, machine = ARCHES[arch]
    c.check("optional header magic", pe.OPTIONAL_HEADER.Magic == magic, "0x%X" % magic,
            "0x%X" % pe.OPTIONAL_HEADER.Magic)
    c.check("machine", pe.FILE_HEADER.Machine == machine, "0x%X" % machine, "0x%X" % pe.FILE_HEADER.Machine)
    c.check("subsystem", pe.OPTIONAL_HEADER.Subsystem == SUBSYSTEM_WINDOWS_GUI,
            "%d (Windows GUI)" % SUBSYSTEM_WINDOWS_GUI, pe.OPTIONAL_HEADER.Subsystem)
    c.check("size", size <= SIZE_BUDGET, "at most %d bytes" % SIZE_BUDGET, "%d bytes" % size)


def check_imports(c, pe, verbose):
    for label, attribute in (("imports", "DIRECTORY_ENTRY_IMPORT"), ("delay imports", "DIRECTORY_ENTRY_DELAY_IMPORT")):
        dlls = [entry.dll.decode("ascii", "replace") for entry in getattr(pe, attribute, [])]
        if verbose:
            print("%s: %s" % (label, ", ".join(dlls) or "(none)"))
        bad = [d for d in dlls if not dll_allowed(d)]
        c.check(label, not bad, "only Windows system DLLs", "non-system " + ", ".join(bad))


def check_strings(c, res, source):
    for lang, declared in source.items():
        table = res.strings(lang)
        for sid in REQUIRED_STRINGS:
            c.check("string %d declared (lang 0x%04X)" % (sid, lang), sid in declared["strings"], "in vorlux.rc",
                    "missing")
        for sid, want in declared["strings"].items():
            got = table.get(sid)
            c.check("string %d (lang 0x%04X)" % (sid, lang), got == want, quote(want),
                    "missing" if got is None else quote(got))


def check_icons(c, res):
    for gid, sizes in ICON_GROUPS.items():
        grp = res.data(RT_GROUP_ICON, gid)
        if not c.check("icon group %d" % gid, grp is not None, "present", "missing"):
            continue
        count = struct.unpack_from("<H", grp, 4)[0]
        # GRPICONDIR: 6-byte header, then 14-byte entries; width byte 0 means 256 px.
        entries = [struct.unpack_from("<BBBBHHIH", grp, 6 + 14 * i) for i in range(count)]
        widths = sorted(e[0] or 256 for e in entries)
        c.check("icon group %d sizes" % gid, set(sizes) <= set(widths),
                "includes %s px" % list(sizes), "%s px" % widths)
        absent = [e[7] for e in entries if res.data(RT_ICON, e[7]) is None]
        c.check("icon group %d images" % gid, not absent, "every RT_ICON present",
                "missing RT_ICON ids %s" % absent)


def translations_of(res):
    """The (language, code page) pairs of VarFileInfo's Translation, read from the bytes: pefile
    reports only one of several."""
    raw = res.data(RT_VERSION, 1) or b""
    key = "Translation\0".encode("utf-16-le")
    at = raw.find(key)
    if at < 6:
        return []
    length = struct.unpack_from("<H", raw, at - 4)[0]
    value = align4(at + len(key))
    return [struct.unpack_from("<HH", raw, value + 4 * i) for i in range(length // 4)]


def check_version(c, pe, res, version, languages):
    fixed = getattr(pe, "VS_FIXEDFILEINFO", None)
    signature = fixed[0].Signature if fixed else None
    c.check("VS_FIXEDFILEINFO", signature == 0xFEEF04BD, "signature 0xFEEF04BD", signature)
    blocks = {}
    file_info = getattr(pe, "FileInfo", None)
    for info in file_info[0] if file_info else []:
        if info.Key == b"StringFileInfo":
            for table in info.StringTable:
                blocks[table.LangID.decode().lower()] = {k.decode(): v.decode("utf-8") for k, v in table.entries.items()}
    for lang in languages:
        block = "%04x04b0" % lang
        strings = blocks.get(block)
        if not c.check("version block %s" % block, strings is not None, "present",
                       "missing (found %s)" % (", ".join(blocks) or "none")):
            continue
        for name, want in dict(VERSION_VALUES, FileVersion=version).items():
            got = strings.get(name)
            c.check("version %s %s" % (block, name), got == want, quote(want), "missing" if got is None else quote(got))
        for name in VERSION_NONEMPTY:
            got = strings.get(name)
            c.check("version %s %s" % (block, name), bool(got), "non-empty", "missing" if got is None else quote(got))
    want = sorted((lang, 0x04B0) for lang in languages)
    got = sorted(translations_of(res))
    c.check("version Translation", got == want, want, got)


def check_text_resources(c, res, languages):
    for ((rtype, rid), encoding), lang in [(item, lang) for item in TEXT_RESOURCES.items() for lang in languages]:
        label = "%s %d (lang 0x%04X)" % (rtype, rid, lang)
        blob = res.data(rtype, rid, lang)
        if not c.check(label, bool(blob), "non-empty data", "missing" if blob is None else "empty"):
            continue
        try:
            text, bad_at = blob.decode(encoding), None
        except UnicodeDecodeError as e:
            text, bad_at = None, e.start
        if not c.check(label + " encoding", text is not None, "valid " + encoding,
                       "undecodable byte at offset %s" % bad_at):
            continue
        # The text is shown as-is, so a trailing NUL from the resource compiler would show up.
        c.check(label + " end", not text.endswith("\0"), "no trailing NUL", "ends with NUL")
        lines = text.rstrip("\r\n").split("\r\n")
        c.check(label + " lines", len(lines) >= 2, "at least two CRLF-separated lines", "%d line(s)" % len(lines))
        bare = len(re.findall(r"(?<!\r)\n", text))
        c.check(label + " line ends", bare == 0, "CRLF only", "%d bare LF" % bare)


def check_dialogs(c, res, source):
    for lang, declared in source.items():
        fonts = {font for _, _, font, _ in declared["dialogs"].values()}
        c.check("dialog font (lang 0x%04X)" % lang, len(fonts) == 1, "one font for every dialog", sorted(fonts))
        for did, (caption, size, font, ids) in declared["dialogs"].items():
            label = "dialog %d (lang 0x%04X)" % (did, lang)
            blob = res.data(RT_DIALOG, did, lang)
            if not c.check(label, blob is not None, "present", res.missing(RT_DIALOG, did)):
                continue
            style, ex_style, got_size, got_caption, got_font, items = parse_dialogex(blob)
            c.check(label + " caption", got_caption == caption, quote(caption), quote(got_caption))
            c.check(label + " size", got_size == size, size, got_size)
            c.check(label + " font", got_font == font, font, got_font)
            got_ids = [i for i, _ in items]
            c.check(label + " controls", got_ids == ids, ids, got_ids)
            named = [i for i in got_ids if i != -1]
            c.check(label + " ids unique", len(named) == len(set(named)), "no id twice",
                    sorted({i for i in named if named.count(i) > 1}))
            if did in TOP_LEVEL_DIALOGS:
                c.check(label + " caption help", ex_style & WS_EX_CONTEXTHELP, "WS_EX_CONTEXTHELP", "0x%X" % ex_style)
            else:
                c.check(label + " page style", style & PAGE_STYLE == PAGE_STYLE,
                        "WS_CHILD | WS_DISABLED | WS_CAPTION", "0x%X" % style)
            if did == 2003:
                combo = dict(items).get(1000, 0)
                # CBS_DROPDOWN (2), CBS_SORT (0x100), no CBS_AUTOHSCROLL (0x40).
                c.check(label + " combo box style", combo & 0x343 == 0x102,
                        "CBS_DROPDOWN | CBS_SORT, no CBS_AUTOHSCROLL", "0x%X" % combo)


MANIFEST_NS = {
    "asm1": "urn:schemas-microsoft-com:asm.v1",
    "asm3": "urn:schemas-microsoft-com:asm.v3",
    "compat": "urn:schemas-microsoft-com:compatibility.v1",
    "ws2005": "http://schemas.microsoft.com/SMI/2005/WindowsSettings",
    "ws2016": "http://schemas.microsoft.com/SMI/2016/WindowsSettings",
}
WINDOWS_10_ID = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"


def check_manifest(c, res, version):
    blob = res.data(RT_MANIFEST, 1)
    if not c.check("manifest 1", blob is not None, "present", res.missing(RT_MANIFEST, 1)):
        return
    try:
        root = ElementTree.fromstring(blob)
    except ElementTree.ParseError as e:
        c.check("manifest XML", False, "well-formed", str(e))
        return

    def text(path):
        node = root.find(path, MANIFEST_NS)
        return None if node is None else (node.text or "").strip()

    identity = root.find("asm1:assemblyIdentity", MANIFEST_NS)
    got = None if identity is None else identity.get("version")
    c.check("manifest version", got == version, version, got)
    settings = "asm3:application/asm3:windowsSettings/"
    c.check("manifest dpiAware", text(settings + "ws2005:dpiAware") == "true", "true", text(settings + "ws2005:dpiAware"))
    awareness = text(settings + "ws2016:dpiAwareness") or ""
    c.check("manifest dpiAwareness", awareness.startswith("PerMonitorV2"), "PerMonitorV2 first", quote(awareness))
    systems = [n.get("Id") for n in root.findall("compat:compatibility/compat:application/compat:supportedOS",
                                                  MANIFEST_NS)]
    c.check("manifest supportedOS", WINDOWS_10_ID in systems, "Windows 10 among them", systems)
    controls = [n.get("version") for n in root.iter("{%s}assemblyIdentity" % MANIFEST_NS["asm1"])
                if n.get("name") == "Microsoft.Windows.Common-Controls"]
    c.check("manifest common controls", controls == ["6.0.0.0"], ["6.0.0.0"], controls)


def main(argv=None):
    ap = argparse.ArgumentParser(description="Statically check a built Vorlux PE file.")
    ap.add_argument("--arch", required=True, choices=sorted(ARCHES))
    ap.add_argument("--version", required=True, help="the product version, e.g. 1.0.0.1")
    ap.add_argument("-v", "--verbose", action="store_true", help="list imported DLLs and resources")
    ap.add_argument("file")
    args = ap.parse_args(argv)
    name = os.path.basename(args.file)
    # Failure lines may carry Japanese text; never let a non-UTF-8 console turn that into a crash.
    sys.stdout.reconfigure(errors="backslashreplace")
    c = Checker()
    try:
        pe = pefile.PE(args.file)
        check_format(c, pe, args.arch, os.path.getsize(args.file))
        check_imports(c, pe, args.verbose)
        res = Resources(pe)
        if args.verbose:
            for (rtype, rname, lang) in res.entries:
                print("resource: type %s, name %s, language 0x%04X" % (rtype, rname, lang))
        ids = rc_source.read_ids(os.path.join(ROOT, "resources", "resource.h"))
        source = rc_source.read_rc(os.path.join(ROOT, "resources", "vorlux.rc"), ids)
        check_strings(c, res, source)
        check_icons(c, res)
        check_version(c, pe, res, args.version, sorted(source))
        check_manifest(c, res, args.version)
        check_text_resources(c, res, sorted(source))
        check_dialogs(c, res, source)
    except (OSError, pefile.PEFormatError, ValueError, KeyError, struct.error) as e:
        # A malformed file stops the run; count it as a failure rather than a traceback.
        c.check("PE parse", False, "a readable PE file", "%s: %s" % (type(e).__name__, e))
    if c.failed:
        print("check_pe: %s: %d of %d checks failed" % (name, c.failed, c.failed + c.passed))
        return 1
    print("check_pe: %s: %d checks passed" % (name, c.passed))
    return 0


if __name__ == "__main__":
    sys.exit(main())
