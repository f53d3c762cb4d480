# The help files' sources (help/vorlux.txt in Japanese, help/vorlux_en.txt in English, UTF-8; the
# format is described at the top of the first), read and checked once for both writers, the .hlp
# (make_help.py) and the .chm (make_chm.py). Refuses, naming the source line, text that the
# language's code page cannot hold, a context number given twice, a jump to a missing topic, and,
# with --context-ids, any context number of the dialogs' help tables that has no topic. A writer
# gets the topics with every text already in that code page, and the language they are in.
import argparse
import re
import sys
from dataclasses import dataclass, field

CONTENTS = "contents"
JUMP = re.compile(r"\[\[(\d+)\]\]")


@dataclass(frozen=True)
class Language:
    code_page: str     # Python's name of the ANSI code page the files are written in
    lcid: int          # the language id the files declare
    charset: int       # the GDI character set of WinHelp's fonts
    html_charset: str  # the pages' charset
    name: str          # the language's name in the HTML Help project
    font: str          # WinHelp's font face


# An English WinHelp file is an ANSI file of code page 1252; a Japanese one of code page 932.
LANGUAGES = {
    "ja": Language("cp932", 0x0411, 128, "shift_jis", "Japanese", "ＭＳ Ｐゴシック"),  # SHIFTJIS_CHARSET
    "en": Language("cp1252", 0x0409, 0, "windows-1252", "English (United States)", "Arial"),  # ANSI_CHARSET
}


class SourceError(Exception):
    def __init__(self, message, line=None):
        super().__init__(message)
        self.line = line


@dataclass
class Paragraph:
    heading: bool  # a subheading ("## ")
    runs: list     # (text in the language's code page, the key of the topic a jump leads to, or None)
    line: int


@dataclass
class Topic:
    key: str      # "contents" or the context number in decimal
    title: bytes  # the language's code page
    line: int
    paragraphs: list = field(default_factory=list)


def context_name(key):
    return "IDH_" + key.upper()


def encode(text, line, code_page):
    try:
        return text.encode(code_page)
    except UnicodeEncodeError as error:
        raise SourceError(f"{text[error.start]!r} (U+{ord(text[error.start]):04X}) is not in code page "
                          f"{code_page[2:]}", line) from None


def runs_of(text, line, code_page):
    runs, at = [], 0
    for jump in JUMP.finditer(text):
        if text[at:jump.start()]:
            runs.append((encode(text[at:jump.start()], line, code_page), None))
        runs.append((b"", jump.group(1)))
        at = jump.end()
    if text[at:]:
        runs.append((encode(text[at:], line, code_page), None))
    return runs


def parse_topics(lines, code_page):
    topics = []
    for number, line in enumerate(lines, 1):
        line = line.rstrip()
        if not line or line.startswith("#") and not line.startswith("##"):
            continue
        if line.startswith("== "):
            parts = line[3:].split(None, 1)
            if len(parts) != 2 or not (parts[0] == CONTENTS or parts[0].isdigit()):
                raise SourceError("expected '== contents <title>' or '== <number> <title>'", number)
            key = parts[0] if parts[0] == CONTENTS else str(int(parts[0]))
            topics.append(Topic(key, encode(parts[1], number, code_page), number))
        elif not topics:
            raise SourceError("text before the first topic", number)
        elif line.startswith("## "):
            topics[-1].paragraphs.append(Paragraph(True, [(encode(line[3:], number, code_page), None)], number))
        else:
            topics[-1].paragraphs.append(Paragraph(False, runs_of(line, number, code_page), number))
    return topics


def check_topics(topics, required_ids):
    seen = {}
    for topic in topics:
        if topic.key in seen:
            raise SourceError(f"topic {topic.key} already given at line {seen[topic.key]}", topic.line)
        seen[topic.key] = topic.line
    if CONTENTS not in seen:
        raise SourceError("no contents topic ('== contents <title>')")
    missing = sorted(set(str(n) for n in required_ids) - set(seen), key=int)
    if missing:
        raise SourceError(f"no topic for the help context numbers {', '.join(missing)} of the dialogs' help tables")
    for topic in topics:
        for paragraph in topic.paragraphs:
            for _, target in paragraph.runs:
                if target and target not in seen:
                    raise SourceError(f"jump to {target}, which has no topic", paragraph.line)


def main(description, write):
    """The generators' command line: --language ja|en [--context-ids FILE] SOURCE TARGET.
    write(topics, target, language) makes the file; a SourceError it raises is reported like the
    source's own."""
    parser = argparse.ArgumentParser(description=description)
    parser.add_argument("--language", required=True, choices=sorted(LANGUAGES), help="the language of the source")
    parser.add_argument("--context-ids", help="file of the context numbers that must have a topic, one a line")
    parser.add_argument("source")
    parser.add_argument("target")
    args = parser.parse_args()
    required = []
    if args.context_ids:
        with open(args.context_ids, encoding="ascii") as f:
            required = [int(line) for line in f if line.strip()]
    try:
        with open(args.source, encoding="utf-8") as f:
            topics = parse_topics(f.read().split("\n"), LANGUAGES[args.language].code_page)
        check_topics(topics, required)
        write(topics, args.target, LANGUAGES[args.language])
    except SourceError as error:
        sys.exit(f"{args.source}:{error.line}: {error}" if error.line else f"{args.source}: {error}")
