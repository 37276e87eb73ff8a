"""Byte writers for BMP (24, 8 and 4 bits per pixel), ICO and PNG, and a palette quantiser."""

import struct
import zlib


def _bmp_info(width, height, bits, colours, image_size):
    # BITMAPINFOHEADER: positive height means bottom-up rows; 2835 pixels per metre is 72 dpi.
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size, 2835, 2835, colours, colours)


def _pack_rows(rows, bits):
    """Pixel rows (top first) packed bottom-up, each padded to four bytes."""
    out = bytearray()
    for row in reversed(rows):
        if bits == 24:
            line = b"".join(bytes((b, g, r)) for r, g, b in row)
        elif bits == 8:
            line = bytes(row)
        elif bits == 4:
            padded = list(row) + [0] * (len(row) % 2)
            line = bytes(padded[i] << 4 | padded[i + 1] for i in range(0, len(padded), 2))
        else:
            raise ValueError(f"unsupported depth {bits}")
        out += line + b"\0" * (-len(line) % 4)
    return bytes(out)


def bmp_bytes(rows, bits=24, palette=()):
    """A complete .bmp file. rows hold RGB tuples for 24 bits, palette indices otherwise.

    Palettes are padded to their full 16 or 256 entries, which every reader understands.
    """
    height, width = len(rows), len(rows[0])
    pixels = _pack_rows(rows, bits)
    if bits <= 8:
        palette = list(palette) + [(0, 0, 0)] * ((1 << bits) - len(palette))
    pal = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    info = _bmp_info(width, height, bits, len(palette), len(pixels))
    offset = 14 + len(info) + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + pal + pixels


def quantise(rows, count, keep=()):
    """Maps RGB rows onto a palette of at most count colours by median cut.

    Colours in keep get exact palette entries of their own (index order as given), so a
    background or transparent colour survives unchanged. Returns (palette, index rows).
    """
    keep = list(dict.fromkeys(keep))
    histogram = {}
    for row in rows:
        for c in row:
            histogram[c] = histogram.get(c, 0) + 1
    rest = [c for c in histogram if c not in keep]
    palette = keep + _median_cut(rest, histogram, count - len(keep))
    index = {c: i for i, c in enumerate(palette)}
    nearest = {}
    for c in histogram:
        if c not in index:
            nearest[c] = min(range(len(palette)), key=lambda i: _distance(c, palette[i]))
    lookup = {**nearest, **index}
    return palette, [[lookup[c] for c in row] for row in rows]


def _distance(a, b):
    # Weighted so that green, to which the eye is most sensitive, counts most.
    return 3 * (a[0] - b[0]) ** 2 + 4 * (a[1] - b[1]) ** 2 + 2 * (a[2] - b[2]) ** 2


def _median_cut(colours, weight, count):
    if count <= 0 or not colours:
        return []
    if len(colours) <= count:
        return sorted(colours)
    boxes = [colours]
    while len(boxes) < count:
        # Split the box with the widest channel spread, weighted by how many pixels it holds.
        def score(box):
            spread = max(max(c[k] for c in box) - min(c[k] for c in box) for k in range(3))
            return spread * sum(weight[c] for c in box) ** 0.5 if len(box) > 1 else -1

        box = max(boxes, key=score)
        if score(box) <= 0:
            break
        k = max(range(3), key=lambda ch: max(c[ch] for c in box) - min(c[ch] for c in box))
        box.sort(key=lambda c: c[k])
        total, acc, cut = sum(weight[c] for c in box), 0, 1
        for i, c in enumerate(box[:-1]):
            acc += weight[c]
            if acc * 2 >= total:
                cut = i + 1
                break
        boxes.remove(box)
        boxes += [box[:cut], box[cut:]]
    palette = []
    for box in boxes:
        w = sum(weight[c] for c in box)
        palette.append(tuple(int(round(sum(c[k] * weight[c] for c in box) / w)) for k in range(3)))
    return sorted(set(palette))


def png_bytes(rows, alpha=False):
    """A PNG of RGB or RGBA rows (8 bits per channel, no filtering)."""
    height, width = len(rows), len(rows[0])
    channels = 4 if alpha else 3
    raw = b"".join(b"\0" + bytes(v for p in row for v in p[:channels]) for row in rows)

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))

    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6 if alpha else 2, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


def _icon_image(rows):
    """One 32-bit icon image: BITMAPINFOHEADER (double height), BGRA rows, then the AND mask."""
    height, width = len(rows), len(rows[0])
    colour = b"".join(b"".join(bytes((b, g, r, a)) for r, g, b, a in row) for row in reversed(rows))
    mask = bytearray()
    for row in reversed(rows):
        bits = [1 if p[3] == 0 else 0 for p in row] + [0] * (-width % 32)
        mask += bytes(sum(bits[i + k] << (7 - k) for k in range(8)) for i in range(0, len(bits), 8))
    return _bmp_info(width, height * 2, 32, 0, len(colour) + len(mask)) + colour + bytes(mask)


def ico_bytes(images):
    """An .ico of RGBA row images; 256-pixel images are stored as PNG, the rest as 32-bit DIBs."""
    blobs = [png_bytes(rows, alpha=True) if len(rows) >= 256 else _icon_image(rows) for rows in images]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for rows, blob in zip(images, blobs):
        width, height = len(rows[0]) % 256, len(rows) % 256  # 256 is written as 0
        out += struct.pack("<BBBBHHII", width, height, 0, 0, 1, 32, len(blob), offset)
        offset += len(blob)
    return out + b"".join(blobs)
