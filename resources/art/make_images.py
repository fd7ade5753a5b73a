#!/usr/bin/env python3
"""Build Bootwise's icon and bitmaps from the text pixel art beside this script.

Run from the repository root:

    python3 resources/art/make_images.py

Each .txt file holds a legend (one "c = RRGGBB name" line per character used) and then
one line of characters per pixel row; "#" starts a comment line.  Output is 4-bit
(16-colour), which every Windows version and Wine draw the same way.  Nothing in the
output depends on time or machine, so rerunning the script never shows up as a change.
"""

import re
import struct
import sys
from pathlib import Path

ART_DIR = Path(__file__).resolve().parent
IMAGE_DIR = ART_DIR.parent / "images"

# The standard Windows 16-colour (VGA) palette, in its usual index order.
# Index 0 must stay black: transparent icon pixels use it under the AND mask.
PALETTE = [
    ("000000", "black"),
    ("800000", "dark red"),
    ("008000", "dark green"),
    ("808000", "olive"),
    ("000080", "navy"),
    ("800080", "purple"),
    ("008080", "teal"),
    ("C0C0C0", "silver"),
    ("808080", "grey"),
    ("FF0000", "red"),
    ("00FF00", "lime"),
    ("FFFF00", "yellow"),
    ("0000FF", "blue"),
    ("FF00FF", "magenta"),
    ("00FFFF", "cyan"),
    ("FFFFFF", "white"),
]
INDEX_OF_HEX = {hex_rgb: i for i, (hex_rgb, _) in enumerate(PALETTE)}

TRANSPARENT = -1

# (art file, output file, width, height, kind)
IMAGES = [
    ("question.txt", "bootwise.ico", 32, 32, "ico"),
    ("registry.txt", "registry.bmp", 16, 16, "bmp"),
    ("shortcuts.txt", "shortcuts.bmp", 16, 16, "bmp"),
    ("inifiles.txt", "inifiles.bmp", 16, 16, "bmp"),
]

LEGEND_LINE = re.compile(r"^(\S) = (\S+)(?:\s+(.*\S))?\s*$")


class ArtError(Exception):
    pass


def load_art(path, width, height, allow_transparent):
    """Return the image as rows of palette indices (TRANSPARENT for see-through pixels)."""
    try:
        lines = path.read_text(encoding="ascii").splitlines()
    except FileNotFoundError:
        raise ArtError(f"{path.name}: file not found in {path.parent}")
    except UnicodeDecodeError:
        raise ArtError(f"{path.name}: only plain ASCII is allowed")

    legend = {}
    rows = []
    for number, raw in enumerate(lines, start=1):
        line = raw.rstrip()
        where = f"{path.name}:{number}"
        if not line or line.startswith("#"):
            continue
        match = LEGEND_LINE.match(line)
        if match:
            if rows:
                raise ArtError(f"{where}: legend line after the pixel rows started")
            char, value, name = match.groups()
            if char in legend:
                raise ArtError(f"{where}: character {char!r} is in the legend twice")
            if value.lower() == "transparent":
                if not allow_transparent:
                    raise ArtError(f"{where}: this image cannot be transparent")
                legend[char] = TRANSPARENT
                continue
            hex_rgb = value.upper()
            if hex_rgb not in INDEX_OF_HEX:
                allowed = ", ".join(h for h, _ in PALETTE)
                raise ArtError(f"{where}: colour {value} is not in the 16-colour palette ({allowed})")
            index = INDEX_OF_HEX[hex_rgb]
            if name is not None and name.lower() != PALETTE[index][1]:
                raise ArtError(f"{where}: {hex_rgb} is {PALETTE[index][1]!r}, not {name!r}")
            legend[char] = index
            continue
        if any(c.isspace() for c in line):
            raise ArtError(f"{where}: neither a legend line (\"c = RRGGBB name\") nor a pixel row")
        if len(line) != width:
            raise ArtError(f"{where}: row is {len(line)} pixels wide, expected {width}")
        unknown = sorted(set(line) - set(legend))
        if unknown:
            raise ArtError(f"{where}: character(s) {''.join(unknown)!r} not in the legend")
        rows.append([legend[c] for c in line])

    if len(rows) != height:
        raise ArtError(f"{path.name}: {len(rows)} pixel rows, expected {height}")
    return rows


def palette_bytes():
    # RGBQUAD order is blue, green, red, reserved.
    out = bytearray()
    for hex_rgb, _ in PALETTE:
        r, g, b = bytes.fromhex(hex_rgb)
        out += bytes((b, g, r, 0))
    return bytes(out)


def padded(row_bytes):
    return row_bytes + b"\0" * (-len(row_bytes) % 4)


def pack_4bit(rows):
    """Bottom-up 4-bit rows, left pixel in the high nibble, each row padded to 4 bytes."""
    out = bytearray()
    for row in reversed(rows):
        indices = [0 if i == TRANSPARENT else i for i in row]
        if len(indices) % 2:
            indices.append(0)
        out += padded(bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2)))
    return bytes(out)


def pack_and_mask(rows):
    """Bottom-up 1-bit rows: 1 lets the screen show through."""
    out = bytearray()
    for row in reversed(rows):
        bits = bytearray((len(row) + 7) // 8)
        for x, index in enumerate(row):
            if index == TRANSPARENT:
                bits[x // 8] |= 0x80 >> (x % 8)
        out += padded(bytes(bits))
    return bytes(out)


def info_header(width, height, image_size):
    return struct.pack(
        "<IiiHHIIiiII",
        40,          # biSize
        width,
        height,
        1,           # biPlanes
        4,           # biBitCount
        0,           # biCompression = BI_RGB
        image_size,
        0, 0,        # no preferred resolution
        16,          # biClrUsed
        0,           # biClrImportant: all
    )


def make_bmp(rows):
    height, width = len(rows), len(rows[0])
    pixels = pack_4bit(rows)
    offset = 14 + 40 + 16 * 4
    file_header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return file_header + info_header(width, height, len(pixels)) + palette_bytes() + pixels


def make_ico(rows):
    height, width = len(rows), len(rows[0])
    xor = pack_4bit(rows)
    mask = pack_and_mask(rows)
    # An icon's header counts the colour image and the mask, hence the doubled height.
    image = info_header(width, height * 2, len(xor) + len(mask)) + palette_bytes() + xor + mask
    icon_dir = struct.pack("<HHH", 0, 1, 1)
    entry = struct.pack("<BBBBHHII", width % 256, height % 256, 16, 0, 1, 4, len(image), 6 + 16)
    return icon_dir + entry + image


def main():
    outputs = []
    errors = []
    for art_name, out_name, width, height, kind in IMAGES:
        try:
            rows = load_art(ART_DIR / art_name, width, height, allow_transparent=(kind == "ico"))
            data = make_ico(rows) if kind == "ico" else make_bmp(rows)
            outputs.append((IMAGE_DIR / out_name, data))
        except ArtError as error:
            errors.append(str(error))
    if errors:
        for message in errors:
            print(f"make_images: {message}", file=sys.stderr)
        print("make_images: nothing written", file=sys.stderr)
        return 1
    # Write only once every image is good, so a typo never leaves a half-updated set.
    IMAGE_DIR.mkdir(parents=True, exist_ok=True)
    for path, data in outputs:
        path.write_bytes(data)
        print(f"wrote {path.relative_to(ART_DIR.parent.parent)} ({len(data)} bytes)")
    return 0


if __name__ == "__main__":
    sys.exit(main())
