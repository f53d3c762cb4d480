# Builds an HTML Help file (vorlux.chm, vorlux-en.chm) from a help source (read and checked by
# help_source.py) with chmcmd, Free Pascal's CHM compiler. Inside the file:
#   contents.htm, <number>.htm  one page per topic (in the language's code page: Shift-JIS, 1252),
#                               with the topic's title, text and jumps
#   toc.hhc                     the table of contents: the contents page, then the contents topic's
#                               subheadings as books holding the topics it jumps to
#   cshelp.txt                  the pop-up texts, ".topic <number>" then the topic as plain text,
#                               which HH_TP_HELP_WM_HELP shows for the dialogs' help tables
# and the context map, alias IDH_<number> for <number>.htm mapped to the number, which
# HH_HELP_CONTEXT follows. The start page is the contents; the language is the source's (Japanese
# 0x0411, English 0x0409).
# Usage: make_chm.py --language ja|en [--context-ids FILE] SOURCE TARGET (chmcmd and chmls from PATH)
import os
import re
import shutil
import struct
import subprocess
import tempfile

import help_source
from help_source import CONTENTS, SourceError, context_name

PROJECT = "vorlux.hhp"
POPUPS = "cshelp.txt"
TOC = "toc.hhc"


def charset_meta(language):
    return b'<meta http-equiv="Content-Type" content="text/html; charset=%s">' % language.html_charset.encode()


def page_name(key):
    return key + ".htm"


def escape(text):
    # Safe on Shift-JIS bytes: & < > " are below 0x40, never the trail byte of a character (and
    # code page 1252 has no multibyte characters).
    return text.replace(b"&", b"&amp;").replace(b"<", b"&lt;").replace(b">", b"&gt;").replace(b'"', b"&quot;")


def page(topic, titles, language):
    body = []
    for paragraph in topic.paragraphs:
        text = b"".join(b'<a href="%s">%s</a>' % (page_name(target).encode(), escape(titles[target]))
                        if target else escape(text) for text, target in paragraph.runs)
        body.append(b"<h2>%s</h2>" % text if paragraph.heading else b"<p>%s</p>" % text)
    title = escape(topic.title)
    return b"\r\n".join([b"<html>", b"<head>", charset_meta(language), b"<title>%s</title>" % title, b"</head>", b"<body>",
                         b"<h1>%s</h1>" % title] + body + [b"</body>", b"</html>", b""])


def toc_entry(name, local=None):
    params = b'<param name="Name" value="%s">' % escape(name)
    if local:
        params += b'<param name="Local" value="%s">' % local.encode()
    return b'<li><object type="text/sitemap">%s</object>' % params


def toc(topics, titles, language):
    contents = next(t for t in topics if t.key == CONTENTS)
    lines = [b"<html>", b"<head>", charset_meta(language), b"</head>", b"<body>", b"<ul>",
             toc_entry(contents.title, page_name(CONTENTS))]
    book = False
    for paragraph in contents.paragraphs:
        if paragraph.heading:
            lines += [b"</ul>"] * book + [toc_entry(paragraph.runs[0][0]), b"<ul>"]
            book = True
        for _, target in paragraph.runs:
            if target:
                lines.append(toc_entry(titles[target], page_name(target)))
    return b"\r\n".join(lines + [b"</ul>"] * book + [b"</ul>", b"</body>", b"</html>", b""])


def popups(topics, titles):
    entries = []
    for topic in topics:
        if topic.key == CONTENTS:
            continue
        text = [b"".join(titles[target] if target else text for text, target in p.runs) for p in topic.paragraphs]
        entries.append(b"\r\n".join([b".topic " + topic.key.encode(), topic.title, b""] + text + [b""]))
    return b"\r\n".join(entries)


def project(topics, titles, language, compiled):
    numbered = [t for t in topics if t.key != CONTENTS]
    lines = [b"[OPTIONS]", b"Compiled file=" + compiled.encode(), b"Contents file=" + TOC.encode(),
             b"Default topic=" + page_name(CONTENTS).encode(),
             b"Language=0x%x %s" % (language.lcid, language.name.encode()),
             b"Title=" + titles[CONTENTS], b"", b"[FILES]"]
    lines += [page_name(t.key).encode() for t in topics] + [POPUPS.encode(), b"", b"[ALIAS]"]
    lines += [b"%s=%s" % (context_name(t.key).encode(), page_name(t.key).encode()) for t in numbered]
    lines += [b"", b"[MAP]"] + [b"#define %s %s" % (context_name(t.key).encode(), t.key.encode()) for t in numbered]
    return b"\r\n".join(lines + [b""])


def write_sources(folder, topics, language, compiled):
    titles = {t.key: t.title for t in topics}
    files = {page_name(t.key): page(t, titles, language) for t in topics}
    files.update({TOC: toc(topics, titles, language), POPUPS: popups(topics, titles),
                  PROJECT: project(topics, titles, language, compiled)})
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


def compile_in_own_root(folder, compiled):
    """chmcmd 3.2.2 files each context number under the absolute path of its page on the build
    machine (/home/.../1000.htm), not under the page's place in the file (/1000.htm), so HTML Help
    would find no page. Run with the project's folder as its root directory, the two are the same.
    The compiler and the libraries it loads are copied in; chroot needs root, or else a user
    namespace of one's own (unshare -r)."""
    chmcmd = shutil.which("chmcmd")
    if not chmcmd:
        raise SourceError("chmcmd (Debian package fp-utils) is not on PATH")
    chmcmd = os.path.realpath(chmcmd)
    ldd = subprocess.run(["ldd", chmcmd], capture_output=True, text=True, check=True).stdout
    libraries = re.findall(r"(/\S+) \(0x", ldd)
    # Free Pascal's thread support opens libpthread by name, where ldd does not see it.
    libraries += [os.path.join(os.path.dirname(lib), "libpthread.so.0") for lib in libraries
                  if os.path.basename(lib) == "libc.so.6"]
    for lib in libraries:
        if os.path.exists(lib):
            os.makedirs(folder + os.path.dirname(lib), exist_ok=True)
            shutil.copy(lib, folder + lib)
    shutil.copy(chmcmd, os.path.join(folder, "chmcmd"))
    command = ["chroot", folder, "/chmcmd", "--no-html-scan", PROJECT]
    if os.geteuid() != 0:
        command = ["unshare", "--user", "--map-root-user"] + command
    result = subprocess.run(command, capture_output=True, text=True, errors="replace")
    output = result.stdout + result.stderr
    if result.returncode != 0 or re.search(r"(?im)^\s*(error|warning)", output) \
            or not os.path.exists(os.path.join(folder, compiled)):
        raise SourceError(f"chmcmd failed ({result.returncode}): {output.strip()}")


def fix_time_stamps(path):
    """chmcmd writes the time of day of the build, in milliseconds, into the ITSF header and the
    #SYSTEM file. They are set from SOURCE_DATE_EPOCH (0 when it is unset or empty), so that the
    same sources give the same bytes."""
    stamp = int(os.environ.get("SOURCE_DATE_EPOCH") or "0") % 86400 * 1000
    listing = subprocess.run(["chmls", "list", path], capture_output=True, text=True, check=True).stdout
    system = re.search(r"^\s*0\s+(\d+)\s+\d+\s+/#SYSTEM$", listing, re.M)
    with open(path, "r+b") as f:
        data = bytearray(f.read())
        at = struct.unpack_from("<Q", data, 0x58)[0] + int(system.group(1)) if system else 0
        # #SYSTEM: version 3, then record 10 (four bytes): the time stamp.
        if data[:4] != b"ITSF" or not system or data[at:at + 8] != b"\x03\0\0\0\x0a\0\x04\0":
            raise SourceError(f"{path}: no ITSF header or #SYSTEM time stamp where chmcmd 3.2.2 puts them")
        struct.pack_into(">I", data, 0x10, stamp)
        struct.pack_into("<I", data, at + 8, stamp)
        f.seek(0)
        f.write(data)


def write(topics, target, language):
    # The project names its file as the target is named (chmcmd writes it under that name).
    compiled = os.path.basename(target)
    with tempfile.TemporaryDirectory(prefix=".chm-", dir=os.path.dirname(os.path.abspath(target))) as folder:
        write_sources(folder, topics, language, compiled)
        compile_in_own_root(folder, compiled)
        fix_time_stamps(os.path.join(folder, compiled))
        shutil.move(os.path.join(folder, compiled), target)


if __name__ == "__main__":
    help_source.main("Builds an HTML Help file from the help topics with chmcmd.", write)
