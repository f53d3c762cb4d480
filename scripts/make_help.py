# Builds vorlux.hlp from its topics (help/vorlux.txt, UTF-8; the format is described at its top).
# Refuses, naming the source line, text that code page 932 cannot hold, a context number given
# twice, a jump to a missing topic, two context names of one hash, and, with --context-ids, any
# context number of the dialogs' help tables that has no topic.
# Usage: make_help.py [--context-ids FILE] SOURCE TARGET
import argparse
import re
import sys
from dataclasses import dataclass, field

import winhelp

CONTENTS = "contents"
JUMP = re.compile(r"\[\[(\d+)\]\]")


class SourceError(Exception):
    def __init__(self, message, line=None):
        super().__init__(message)
        self.line = line

    def where(self, source):
        return f"{source}:{self.line}" if self.line else source


@dataclass
class SourceTopic:
    key: str   # "contents" or the context number in decimal
    title: str
    line: int
    paragraphs: list = field(default_factory=list)  # (font, text, line)


def context_name(key):
    return "IDH_" + key.upper()


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
            topics.append(SourceTopic(key, parts[1], number))
        elif not topics:
            raise SourceError("text before the first topic", number)
        elif line.startswith("## "):
            topics[-1].paragraphs.append((winhelp.SUBHEADING, line[3:], number))
        else:
            topics[-1].paragraphs.append((winhelp.BODY, line, number))
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
    hashes = {}
    for topic in topics:
        name = context_name(topic.key)
        value = winhelp.context_hash(name)
        if value == 0:
            raise SourceError(f"context name {name} has the hash 0, which readers take for the contents", topic.line)
        if value in hashes:
            raise SourceError(f"context names {name} and {hashes[value]} have the same hash {value}", topic.line)
        hashes[value] = name


def encode(text, line):
    try:
        return text.encode("cp932")
    except UnicodeEncodeError as error:
        raise SourceError(f"{text[error.start]!r} (U+{ord(text[error.start]):04X}) is not in code page 932",
                          line) from None


def runs_of(text, line, hashes):
    runs, at = [], 0
    for jump in JUMP.finditer(text):
        if text[at:jump.start()]:
            runs.append(winhelp.Run(encode(text[at:jump.start()], line)))
        target = jump.group(1)
        if target not in hashes:
            raise SourceError(f"jump to {target}, which has no topic", line)
        runs.append(winhelp.Run(hashes[target][1], hashes[target][0]))
        at = jump.end()
    if text[at:]:
        runs.append(winhelp.Run(encode(text[at:], line)))
    return runs


def build(topics):
    titles = {t.key: (winhelp.context_hash(context_name(t.key)), encode(t.title, t.line)) for t in topics}
    help_topics = []
    for topic in topics:
        paragraphs = [(font, runs_of(text, line, titles)) for font, text, line in topic.paragraphs]
        help_topics.append(winhelp.Topic(titles[topic.key][1], paragraphs))
    index = {t.key: i for i, t in enumerate(topics)}
    return winhelp.build_file(
        title=titles[CONTENTS][1], topics=help_topics, contents=index[CONTENTS],
        names={context_name(key): i for key, i in index.items()},
        numbers={int(key): i for key, i in index.items() if key != CONTENTS})


def main():
    parser = argparse.ArgumentParser(description="Builds vorlux.hlp from its topics.")
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
        data = build(topics)
    except SourceError as error:
        sys.exit(f"{error.where(args.source)}: {error}")
    except winhelp.HelpFormatError as error:
        sys.exit(f"{args.source}: {error}")
    with open(args.target, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
