#!/usr/bin/env python3
"""Finds the program's pictures on screen grabs, for controls that have no window of their own.

  pictures.py find IMAGE... --among PICTURE...
      "LEFT TOP WIDTH HEIGHT" of the first place (row by row) where one of the pictures shows, in the first image
      that shows one; exit 1 when none does
  pictures.py which CROP... --among PICTURE...
      for each crop, the number (from 0, in the order given) of the picture it shows at its top-left corner; several
      joined by "/" when pictures are alike, "-" when none

A picture shows where its opaque pixels are on the screen, up to a few that differ; its transparent colour is its
bottom-left pixel, as the program draws it. Images are read through ImageMagick, so any format it reads will do."""
import argparse
import subprocess
import sys

# Pixels of a picture that may differ from the screen where it shows.
TOLERANCE = 20


class Image:
    def __init__(self, path):
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
        self.width, self.height = int(fields[1]), int(fields[2])
        body = data[pos + 1:]
        self.pixels = [body[i:i + 3] for i in range(0, self.width * self.height * 3, 3)]


class Picture(Image):
    def __init__(self, path):
        super().__init__(path)
        transparent = self.pixels[(self.height - 1) * self.width]
        self.opaque = [(y, x, self.pixels[y * self.width + x]) for y in range(self.height) for x in range(self.width)
                       if self.pixels[y * self.width + x] != transparent]

    def misses_at(self, image, left, top, enough):
        """How many opaque pixels differ from the image with the picture's corner at (left, top); counting stops
        at `enough`."""
        misses = 0
        for y, x, pixel in self.opaque:
            if image.pixels[(top + y) * image.width + left + x] != pixel:
                misses += 1
                if misses >= enough:
                    break
        return misses


def find(image, pictures):
    """The first place row by row where one of the pictures shows, and that picture; None when none does."""
    for top in range(image.height):
        for left in range(image.width):
            for picture in pictures:
                fits = left + picture.width <= image.width and top + picture.height <= image.height
                if fits and picture.misses_at(image, left, top, TOLERANCE + 1) <= TOLERANCE:
                    return left, top, picture
    return None


def which(crop, pictures):
    """The numbers of the pictures the crop shows best, joined by "/"; "-" when none shows."""
    counts = [picture.misses_at(crop, 0, 0, TOLERANCE + 1)
              if picture.width <= crop.width and picture.height <= crop.height else TOLERANCE + 1
              for picture in pictures]
    best = min(counts)
    return "/".join(str(i) for i, n in enumerate(counts) if n == best) if best <= TOLERANCE else "-"


def main():
    parser = argparse.ArgumentParser(description="Finds the program's pictures on screen grabs.")
    parser.add_argument("command", choices=["find", "which"])
    parser.add_argument("images", nargs="+")
    parser.add_argument("--among", nargs="+", required=True, metavar="PICTURE")
    args = parser.parse_args()
    pictures = [Picture(path) for path in args.among]
    if args.command == "which":
        for path in args.images:
            print(which(Image(path), pictures))
        return 0
    for path in args.images:
        found = find(Image(path), pictures)
        if found is not None:
            left, top, picture = found
            print(left, top, picture.width, picture.height)
            return 0
    return 1


sys.exit(main())
