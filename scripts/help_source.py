# The help files' one source (help/vorlux.txt, UTF-8; the format is described at its top), read and
# checked once for both writers, vorlux.hlp (make_help.py) and vorlux.chm (make_chm.py). Refuses,
# naming the source line, text that code page 932 cannot hold, a context number given twice, a
# jump to a missing topic, and, with --context-ids, any context number of the dialogs' help tables
# that has no topic. A writer gets the topics with every text already in code page 932.
import argparse
import re
import sys
from dataclasses import dataclass, field

CONTENTS = "contents"
JUMP = re.compile(r"\[\[(\d+)\]\]")


class SourceError(Exception):
    def __init__(self, message, line=None):
        super().__init__(message)
        self.line = line


@dataclass
class Paragraph:
    heading: bool  # a subheading ("## ")
    runs: list     # (text in code page 932, the key of the topic a jump leads to, or None)
    line: int


@dataclass
class Topic:
    key: str      # "contents" or the context number in decimal
    title: bytes  # code page 932
    line: int
    paragraphs: list = field(default_factory=list)


def context_name(key):
    return "IDH_" + key.upper()


def encode(text, line):
    try:
        return text.encode("cp932")
    except UnicodeEncodeError as error:
        raise SourceError(f"{text[error.start]!r} (U+{ord(text[error.start]):04X}) is not in code page 932",
                          line) from None


def runs_of(text, line):
    runs, at = [], 0
    for jump in JUMP.finditer(text):
        if text[at:jump.start()]:
            runs.append((encode(text[at:jump.start()], line), None))
        runs.append((b"", jump.group(1)))
        at = jump.end()
    if text[at:]:
        runs.append((encode(text[at:], line), None))
    return runs


def parse_topics(lines):
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
            topics.append(Topic(key, encode(parts[1], number), number))
        elif not topics:
            raise SourceError("text before the first topic", number)
        elif line.startswith("## "):
            topics[-1].paragraphs.append(Paragraph(True, [(encode(line[3:], number), None)], number))
        else:
            topics[-1].paragraphs.append(Paragraph(False, runs_of(line, number), number))
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
    """The generators' command line: [--context-ids FILE] SOURCE TARGET. write(topics, target) makes
    the file; a SourceError it raises is reported like the source's own."""
    parser = argparse.ArgumentParser(description=description)
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
            topics = parse_topics(f.read().split("\n"))
        check_topics(topics, required)
        write(topics, args.target)
    except SourceError as error:
        sys.exit(f"{args.source}:{error.line}: {error}" if error.line else f"{args.source}: {error}")
