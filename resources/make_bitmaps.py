#!/usr/bin/env python3
"""Turns the editable pictures in bitmaps/*.txt into 16-colour BMP files and a
resource script naming each bitmap after its file.

Each .txt holds 16 lines of 16 hexadecimal digits, one digit per pixel, top row
first; a digit is an index into the standard 16-colour palette below."""
import pathlib
import struct
import sys

PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
    (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
    (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]


def bmp(rows):
    pixels = b""
    for row in reversed(rows):  # BMP rows go bottom-up
        pixels += bytes.fromhex(row)  # two pixels per byte, 8 bytes per row
    palette = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in PALETTE)
    info = struct.pack("<IiiHHIIiiII", 40, 16, 16, 1, 4, 0, len(pixels), 2835, 2835, 16, 0)
    offset = 14 + len(info) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
    return header + info + palette + pixels


def main(source_dir, out_dir):
    source, out = pathlib.Path(source_dir), pathlib.Path(out_dir)
    out.mkdir(parents=True, exist_ok=True)
    lines = []
    for txt in sorted(source.glob("*.txt")):
        rows = txt.read_text().split()
        if len(rows) != 16 or any(len(r) != 16 for r in rows):
            sys.exit(f"{txt}: needs 16 rows of 16 hexadecimal digits")
        target = out / (txt.stem + ".bmp")
        target.write_bytes(bmp(rows))
        lines.append(f'{txt.stem} BITMAP "{target.name}"')
    (out / "qrvide32.rc").write_text("\n".join(lines) + "\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
