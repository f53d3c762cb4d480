# Writes a WinHelp 3.1 file (magic 0x00035F3F) from topics already in its ANSI code page: uncompressed
# 4 KiB topic blocks, no phrase table, and the internal files |SYSTEM, |FONT, |TOPIC, |CONTEXT and
# |CTXOMAP, each B+ tree in a single leaf page. Layout decisions are small functions; build_file
# puts them together. Raises HelpFormatError for what a reader could not take.
import struct
from dataclasses import dataclass, field

FILE_MAGIC = 0x00035F3F
BTREE_MAGIC = 0x293B
SYSTEM_MAGIC = 0x036C
FORMAT_MINOR = 21  # the Windows 3.1 help compiler's files; flags 0: uncompressed 4 KiB blocks
TOPIC_BLOCK = 4096
BLOCK_HEADER = 12
BLOCK_DATA = TOPIC_BLOCK - BLOCK_HEADER
# A TOPICPOS addresses 16 KiB per block and a TOPICOFFSET 32 Ki characters per block, whatever
# the block size: readers take these steps for every 3.1 file.
POS_BLOCK_STEP = 0x4000
OFFSET_BLOCK_STEP = 0x8000
LINK_HEADER = 21
NONE = -1

FONT_FACE_SIZE = 20
FAMILY_SWISS = 3
# Font numbers of the |FONT descriptors below: body text, bold heading, bold subheading.
BODY, HEADING, SUBHEADING = 0, 1, 2
FONTS = [(0, 20), (1, 28), (1, 22)]  # (attributes: 1 = bold, size in half points)
SPACE_BELOW_HALF_POINTS = {BODY: 8, HEADING: 12, SUBHEADING: 4}


class HelpFormatError(Exception):
    pass


@dataclass
class Run:
    text: bytes            # the file's code page
    jump_hash: int = None  # a topic jump to the context name of this hash


@dataclass
class Topic:
    title: bytes
    paragraphs: list = field(default_factory=list)  # (font, [Run, ...])


def context_hash(name):
    """The hash under which |CONTEXT files a context name (letters, digits, '_' and '.')."""
    value = 0
    for ch in name:
        if "A" <= ch.upper() <= "Z":
            code = ord(ch.upper()) - ord("A") + 17
        elif "1" <= ch <= "9":
            code = ord(ch) - ord("0")
        elif ch in "0._":
            code = {"0": 10, ".": 12, "_": 13}[ch]
        else:
            raise HelpFormatError(f"context name {name!r}: {ch!r} is not a letter, digit, '_' or '.'")
        value = (value * 43 + code) & 0xFFFFFFFF
    return value - (1 << 32) if value & 0x80000000 else value


# Compressed numbers of the topic records: the low bit of the first byte says which width follows.
def compressed_ushort(value):
    if not 0 <= value < 0x8000:
        raise HelpFormatError(f"{value} does not fit a compressed unsigned short")
    return bytes([value * 2]) if value < 0x80 else struct.pack("<H", value * 2 + 1)


def compressed_short(value):
    # Only values from 0: a reader halves the biased word, which rounds negative ones wrongly.
    if not 0 <= value < 0x4000:
        raise HelpFormatError(f"{value} does not fit a compressed short")
    return bytes([value * 2 + 0x80]) if value < 0x40 else struct.pack("<H", value * 2 + 0x8001)


def compressed_long(value):
    if not 0 <= value < 0x40000000:
        raise HelpFormatError(f"{value} does not fit a compressed long")
    return struct.pack("<H", value * 2 + 0x8000) if value < 0x4000 else struct.pack("<I", value * 2 + 0x80000001)


def paragraph_data(font, runs):
    """LinkData1 and LinkData2 of a displayable text record (type 0x20): one paragraph.

    The text is a list of NUL-terminated strings and each string is followed by one formatting
    command: the font, jumps around linked runs, the end of the paragraph, the end of the list."""
    strings, commands, pending = [], [], b""

    def command(code):
        nonlocal pending
        strings.append(pending + b"\0")
        commands.append(code)
        pending = b""

    command(b"\x80" + struct.pack("<H", font))
    for run in runs:
        if run.jump_hash is None:
            pending += run.text
        else:
            command(b"\xE3" + struct.pack("<i", run.jump_hash))
            pending = run.text
            command(b"\x89")
    command(b"\x82")
    command(b"\xFF")
    text = b"".join(strings)
    space_below_follows = 0x0004
    info = (compressed_long(len(text)) + compressed_ushort(len(text)) + bytes([0, 0x80]) +
            struct.pack("<HH", 0, space_below_follows) + compressed_short(SPACE_BELOW_HALF_POINTS[font]))
    return info + b"".join(commands), text


@dataclass
class Record:
    kind: int         # 2: topic header, 0x20: text
    data1: bytes      # LinkData1 without the TOPICLINK header (a topic header's is filled in later)
    data2: bytes
    topic: int
    block: int = 0
    pos: int = 0
    characters: int = 0  # what this record adds to the TOPICOFFSET count of its block

    def size(self):
        return LINK_HEADER + len(self.data1) + len(self.data2)


def topic_records(topics):
    records = []
    for index, topic in enumerate(topics):
        records.append(Record(2, bytes(28), topic.title + b"\0", index))
        for font, runs in [(HEADING, [Run(topic.title)])] + topic.paragraphs:
            data1, data2 = paragraph_data(font, runs)
            records.append(Record(0x20, data1, data2, index, characters=len(data2)))
    return records


def place_records(records):
    """Gives each record its block and TOPICPOS; a record never crosses into the next block."""
    block, used = 0, 0
    for record in records:
        if record.size() > BLOCK_DATA:
            raise HelpFormatError(f"a paragraph of {record.size()} bytes does not fit a topic block "
                                  f"({BLOCK_DATA} bytes): split it")
        if used + record.size() > BLOCK_DATA:
            block, used = block + 1, 0
        record.block, record.pos = block, BLOCK_HEADER + block * POS_BLOCK_STEP + used
        used += record.size()


def topic_offsets(records):
    """The TOPICOFFSET of each topic: its block and the characters of that block's records before it."""
    offsets, block, count = {}, NONE, 0
    for record in records:
        if record.block != block:
            block, count = record.block, 0
        if record.kind == 2:
            offsets[record.topic] = block * OFFSET_BLOCK_STEP + count
        count += record.characters
    return offsets


def fill_topic_headers(records):
    headers = [r for r in records if r.kind == 2]
    for number, header in enumerate(headers):
        own = [r for r in records if r.topic == header.topic]
        following = headers[number + 1].pos if number + 1 < len(headers) else NONE
        scroll = own[1].pos if len(own) > 1 else header.pos
        header.data1 = struct.pack("<IiiIiii", sum(r.size() for r in own), NONE, NONE, number,
                                   NONE, scroll, following)


def topic_file(records):
    blocks = {}
    for index, record in enumerate(records):
        previous = records[index - 1].pos if index else NONE
        following = records[index + 1].pos if index + 1 < len(records) else NONE
        link = struct.pack("<IIiiIB", record.size(), len(record.data2), previous, following,
                           LINK_HEADER + len(record.data1), record.kind)
        blocks.setdefault(record.block, []).append((record, link + record.data1 + record.data2))
    out = b""
    last_header = NONE
    for block in range(len(blocks)):
        first = blocks[block][0][0]
        last_of_previous = blocks[block - 1][-1][0].pos if block else NONE
        data = b"".join(link for _, link in blocks[block])
        out += struct.pack("<iii", last_of_previous, first.pos, last_header) + data.ljust(BLOCK_DATA, b"\0")
        headers = [r.pos for r, _ in blocks[block] if r.kind == 2]
        last_header = headers[-1] if headers else last_header
    return out


def system_file(title, contents_offset, language, charset):
    def record(kind, data):
        return struct.pack("<HH", kind, len(data)) + data
    header = struct.pack("<HHHIH", SYSTEM_MAGIC, FORMAT_MINOR, 1, 0, 0)
    return (header + record(1, title + b"\0") + record(3, struct.pack("<I", contents_offset)) +
            record(9, struct.pack("<5H", 0, 0, 0, 0, language)) +
            record(11, bytes([charset, 0])))


def font_file(face):
    if len(face) >= FONT_FACE_SIZE:
        raise HelpFormatError(f"the font face {face!r} does not fit {FONT_FACE_SIZE - 1} bytes")
    faces = face.ljust(FONT_FACE_SIZE, b"\0")
    descriptors = b"".join(struct.pack("<BBBH3s3s", attributes, half_points, FAMILY_SWISS, 0, bytes(3), bytes(3))
                           for attributes, half_points in FONTS)
    header_size = 8
    return struct.pack("<HHHH", 1, len(FONTS), header_size, header_size + len(faces)) + faces + descriptors


def btree(entries, page_size, structure, flags):
    """A B+ tree of one leaf page holding the entries, already in the order a reader searches."""
    body = b"".join(entries)
    if 8 + len(body) > page_size:
        raise HelpFormatError(f"{len(entries)} entries do not fit one B+ tree page of {page_size} bytes")
    page = struct.pack("<Hhhh", page_size - 8 - len(body), len(entries), NONE, NONE) + body
    header = struct.pack("<HHH16shhhhhhi", BTREE_MAGIC, flags, page_size, structure.encode(), 0, 0, 0,
                         NONE, 1, 1, len(entries))
    return header + page.ljust(page_size, b"\0")


def context_file(names_to_offsets):
    entries = sorted((context_hash(name), offset) for name, offset in names_to_offsets.items())
    return btree([struct.pack("<iI", h, offset) for h, offset in entries], 2048, "L4", 0x0002)


def map_file(numbers_to_offsets):
    entries = sorted(numbers_to_offsets.items())
    return struct.pack("<H", len(entries)) + b"".join(struct.pack("<II", n, o) for n, o in entries)


def internal_file(content):
    return struct.pack("<IIB", len(content) + 9, len(content), 4) + content


def assemble(files):
    """The whole file: its header, the internal files, then the directory that names them."""
    out, offsets = bytearray(16), {}
    for name in sorted(files, key=lambda n: n.encode()):
        offsets[name] = len(out)
        out += internal_file(files[name])
    entries = [name.encode() + b"\0" + struct.pack("<I", offsets[name]) for name in sorted(offsets, key=str.encode)]
    directory_start = len(out)
    out += internal_file(btree(entries, 1024, "z4", 0x0402))
    out[0:16] = struct.pack("<IiiI", FILE_MAGIC, directory_start, NONE, len(out))
    return bytes(out)


def build_file(title, topics, contents, names, numbers, language, charset, font_face):
    """topics: [Topic]; contents: index of the contents topic; names: {context name: topic index};
    numbers: {context number: topic index}; language: its id (0x0411); charset: the fonts' GDI
    character set (128, SHIFTJIS_CHARSET); font_face: in the file's code page."""
    records = topic_records(topics)
    place_records(records)
    offsets = topic_offsets(records)
    fill_topic_headers(records)
    return assemble({
        "|SYSTEM": system_file(title, offsets[contents], language, charset),
        "|FONT": font_file(font_face),
        "|TOPIC": topic_file(records),
        "|CONTEXT": context_file({name: offsets[t] for name, t in names.items()}),
        "|CTXOMAP": map_file({number: offsets[t] for number, t in numbers.items()}),
    })
