#!/usr/bin/env python3
"""Tells which About-page picture a screen crop shows: frame_index.py BITMAP_DIR CROP.png...

Prints, for each crop, the index of the picture aboutaniN.bmp whose opaque pixels it shows (several indices joined
by "/" when pictures are alike, "-" when none matches). The transparent colour of a picture is its bottom-left pixel,
as the program draws it."""
import subprocess
import sys


def pixels(path):
    """Width, height and the RGB triples of an image, read through ImageMagick as a binary PPM."""
    data = subprocess.run(["convert", path, "-depth", "8", "ppm:-"], check=True, capture_output=True).stdout
    fields, pos = [], 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    width, height = int(fields[1]), int(fields[2])
    body = data[pos + 1:]
    return width, height, [tuple(body[i:i + 3]) for i in range(0, width * height * 3, 3)]


def mismatches(picture, crop):
    width, height, image = picture
    transparent = image[(height - 1) * width]
    return sum(1 for p, c in zip(image, crop[2]) if p != transparent and p != c)


def main():
    folder, crops = sys.argv[1], sys.argv[2:]
    pictures = [pixels(f"{folder}/aboutani{i}.bmp") for i in range(14)]
    for path in crops:
        crop = pixels(path)
        counts = [mismatches(picture, crop) for picture in pictures]
        best = min(counts)
        print("/".join(str(i) for i, n in enumerate(counts) if n == best) if best <= 20 else "-")


main()
