# Builds a WinHelp file (vorlux.hlp, vorlux-en.hlp) from a help source (read and checked by
# help_source.py), in the code page, language and character set of the source's language.
# Refuses, besides the source's own faults, two context names of one hash, which WinHelp's
# |CONTEXT could not tell apart.
# Usage: make_help.py --language ja|en [--context-ids FILE] SOURCE TARGET
import help_source
import winhelp
from help_source import CONTENTS, SourceError, context_name


def check_hashes(topics):
    hashes = {}
    for topic in topics:
        name = context_name(topic.key)
        value = winhelp.context_hash(name)
        if value == 0:
            raise SourceError(f"context name {name} has the hash 0, which readers take for the contents", topic.line)
        if value in hashes:
            raise SourceError(f"context names {name} and {hashes[value]} have the same hash {value}", topic.line)
        hashes[value] = name


def build(topics, language):
    check_hashes(topics)
    titles = {t.key: t.title for t in topics}
    fonts = {True: winhelp.SUBHEADING, False: winhelp.BODY}
    help_topics = []
    for topic in topics:
        paragraphs = [(fonts[p.heading], [winhelp.Run(titles[target], winhelp.context_hash(context_name(target)))
                                          if target else winhelp.Run(text) for text, target in p.runs])
                      for p in topic.paragraphs]
        help_topics.append(winhelp.Topic(topic.title, paragraphs))
    index = {t.key: i for i, t in enumerate(topics)}
    try:
        return winhelp.build_file(
            title=titles[CONTENTS], topics=help_topics, contents=index[CONTENTS],
            names={context_name(key): i for key, i in index.items()},
            numbers={int(key): i for key, i in index.items() if key != CONTENTS},
            language=language.lcid, charset=language.charset, font_face=language.font.encode(language.code_page))
    except winhelp.HelpFormatError as error:
        raise SourceError(str(error)) from None


def write(topics, target, language):
    data = build(topics, language)
    with open(target, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    help_source.main("Builds a WinHelp file from its topics.", write)
