# Generates the Vorlux program icon (an extruded, lit 3D letter "V") as a multi-size Windows .ico file.
"""Usage: python3 scripts/make_icon.py OUTPUT.ico

Standard library only. The letter is built from polygons in a unit square and
scan-converted with supersampling, so the output is byte-identical every run.
"""
import math
import struct
import sys
import zlib

# Per-size tuning: (arm width, extrusion dx, extrusion dy, outline px, margin px, supersampling).
# Small sizes get fatter arms, a whole-pixel outline and no margin so the letter
# fills the cell and its top/bottom edges land on pixel boundaries; the large
# size gets a slimmer, deeper solid with some breathing room.
SIZES = {
    16: (0.27, 0.09, 0.09, 1.0, 0, 16),
    24: (0.26, 0.09, 0.09, 1.0, 0, 12),
    32: (0.25, 0.09, 0.09, 1.0, 0, 8),
    48: (0.24, 0.09, 0.09, 1.5, 0.5, 8),
    256: (0.22, 0.10, 0.08, 5.0, 8, 4),
}

OUTLINE = (0.24, 0.07, 0.11)
FRONT_HI = (1.00, 0.97, 0.95)    # bright highlight where the key light hits, top-left
FRONT_LO = (0.96, 0.70, 0.73)    # the saver's default rose material (1.0,0.8,0.8), shaded
SIDE_BASE = (0.68, 0.34, 0.40)   # extruded depth faces, out of the key light


def letter_v(arm):
    """Front face of a bold V: constant-width arms meeting in a flat foot."""
    top, bot, xl, foot = 0.0, 1.0, 0.0, 0.13
    # The inner edges run parallel to the outer ones, so the notch sits where the
    # offset edge meets the centre line.
    slope = (0.5 - foot - xl) / (bot - top)
    notch_y = top + (0.5 - xl - arm) / slope
    return [(xl, top), (xl + arm, top), (0.5, notch_y), (1 - xl - arm, top),
            (1 - xl, top), (0.5 + foot, bot), (0.5 - foot, bot)]


def extrude(front, dx, dy):
    """Visible side quads (with a shade each) and the back cap of the solid."""
    back = [(x + dx, y + dy) for x, y in front]
    sides = []
    n = len(front)
    for i in range(n):
        (x0, y0), (x1, y1) = front[i], front[(i + 1) % n]
        # Vertices are clockwise on screen (y down), so (-ey, ex) points outwards.
        ex, ey = x1 - x0, y1 - y0
        ln = math.hypot(ex, ey)
        nx, ny = ey / ln, -ex / ln
        if nx * dx + ny * dy <= 0:
            continue  # faces away from the viewer: hidden behind the front face
        # Light comes from the upper left: right-facing walls catch some of it,
        # downward-facing ones (the foot) sit in deeper shadow.
        k = 0.80 + 0.30 * nx - 0.20 * max(ny, 0.0)
        shade = tuple(min(1.0, c * k) for c in SIDE_BASE)
        sides.append(([front[i], front[(i + 1) % n], back[(i + 1) % n], back[i]], shade))
    return back, sides


def fill(buf, w, h, poly, value):
    """Even-odd scanline fill of one polygon (pixel-centre sampling) into buf."""
    ys = [p[1] for p in poly]
    r0, r1 = max(0, int(math.floor(min(ys) - 0.5))), min(h - 1, int(math.ceil(max(ys) + 0.5)))
    n = len(poly)
    for row in range(r0, r1 + 1):
        yc = row + 0.5
        xs = []
        for i in range(n):
            (x0, y0), (x1, y1) = poly[i], poly[(i + 1) % n]
            if (y0 <= yc) != (y1 <= yc):
                xs.append(x0 + (yc - y0) * (x1 - x0) / (y1 - y0))
        xs.sort()
        for a, b in zip(xs[0::2], xs[1::2]):
            c0, c1 = max(0, int(math.ceil(a - 0.5))), min(w, int(math.ceil(b - 0.5)))
            if c1 > c0:
                buf[row * w + c0:row * w + c1] = bytes([value]) * (c1 - c0)


def render(size):
    """Return a list of size*size straight-alpha RGBA tuples (0-255), top row first."""
    arm, dx, dy, line_px, margin_px, ss = SIZES[size]
    front = letter_v(arm)
    back, sides = extrude(front, dx, dy)
    # Fit the whole solid plus its outline into the square, centred.
    pad = (line_px + margin_px) / size
    xs = [p[0] for p in front + back]
    ys = [p[1] for p in front + back]
    scale = (1 - 2 * pad) / max(max(xs) - min(xs), max(ys) - min(ys))
    ox = 0.5 - scale * (min(xs) + max(xs)) / 2
    oy = 0.5 - scale * (min(ys) + max(ys)) / 2
    big = size * ss

    def place(poly):
        return [((ox + scale * x) * big, (oy + scale * y) * big) for x, y in poly]

    solids = [place(back)] + [place(q) for q, _ in sides] + [place(front)]
    # Layer ids: 0 transparent, 1 outline, 2 back cap, 3.. side quads, last front.
    ids = bytearray(big * big)
    # Outline = silhouette dilated by a disk, approximated by sweeping it round a circle.
    r = line_px * ss
    for k in range(16):
        a = 2 * math.pi * k / 16
        ddx, ddy = r * math.cos(a), r * math.sin(a)
        for poly in solids:
            fill(ids, big, big, [(x + ddx, y + ddy) for x, y in poly], 1)
    # Painter's order: back cap, then the visible walls, then the front face on top.
    for i, poly in enumerate(solids):
        fill(ids, big, big, poly, 2 + i)
    front_id = 2 + len(solids) - 1
    colours = {1: OUTLINE, 2: SIDE_BASE}
    colours.update((3 + i, shade) for i, (_, shade) in enumerate(sides))

    # Front-face gradient runs from the top-left highlight towards the foot, in the
    # letter's own coordinates so every size gets the same lighting.
    span = scale * 1.35
    out = []
    n = ss * ss
    for py in range(size):
        for px in range(size):
            counts = {}
            base = py * ss * big + px * ss
            for sy in range(ss):
                row = ids[base + sy * big:base + sy * big + ss]
                for v in row:
                    counts[v] = counts.get(v, 0) + 1
            covered = n - counts.get(0, 0)
            if not covered:
                out.append((0, 0, 0, 0))
                continue
            t = (((px + 0.5) / size - ox) * 0.45 + ((py + 0.5) / size - oy)) / span
            t = min(1.0, max(0.0, t)) ** 1.3
            colours[front_id] = tuple(h + (l - h) * t for h, l in zip(FRONT_HI, FRONT_LO))
            acc = [0.0, 0.0, 0.0]
            for v, c in counts.items():
                if v:
                    for j in range(3):
                        acc[j] += colours[v][j] * c
            out.append(tuple(int(round(255 * a / covered)) for a in acc)
                       + (int(round(255 * covered / n)),))
    return out


def bmp_entry(size, px):
    """Classic icon image: BITMAPINFOHEADER (double height), bottom-up BGRA, AND mask."""
    mask_stride = ((size + 31) // 32) * 4
    xor, mask = bytearray(), bytearray()
    for y in range(size - 1, -1, -1):
        bits = bytearray(mask_stride)
        for x in range(size):
            r, g, b, a = px[y * size + x]
            xor += bytes((b, g, r, a))
            if a == 0:
                bits[x >> 3] |= 0x80 >> (x & 7)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def png_entry(size, px):
    """PNG image for the 256 px slot (accepted by Windows Vista and later)."""
    def chunk(tag, data):
        return struct.pack(">I", len(data)) + tag + data + struct.pack(">I", zlib.crc32(tag + data))
    raw = bytearray()
    for y in range(size):
        raw.append(0)  # filter type: none
        for r, g, b, a in px[y * size:(y + 1) * size]:
            raw += bytes((r, g, b, a))
    return (b"\x89PNG\r\n\x1a\n"
            + chunk(b"IHDR", struct.pack(">IIBBBBB", size, size, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(bytes(raw), 9))
            + chunk(b"IEND", b""))


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    images = []
    for size in sorted(SIZES):
        px = render(size)
        images.append((size, png_entry(size, px) if size >= 256 else bmp_entry(size, px)))
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, blob in images:
        dim = size if size < 256 else 0  # 0 in the directory means 256
        data += struct.pack("<BBBBHHII", dim, dim, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    data += b"".join(blob for _, blob in images)
    with open(sys.argv[1], "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
