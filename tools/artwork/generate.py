#!/usr/bin/env python3
"""Draws the program's bitmaps and icons and writes them under resources/.

    python3 tools/artwork/generate.py            write resources/bitmaps/*.bmp and resources/icons/*.ico
    python3 tools/artwork/generate.py --check    fail if the committed files differ from a fresh drawing
    python3 tools/artwork/generate.py --preview  also write build/artwork-preview.png (needs ImageMagick)

Only the Python standard library is needed (ImageMagick for the preview sheet alone).
"""

import argparse
import pathlib
import sys

HERE = pathlib.Path(__file__).resolve().parent
sys.path.insert(0, str(HERE))

import artwork  # noqa: E402
from formats import bmp_bytes, ico_bytes, quantise  # noqa: E402

ROOT = HERE.parent.parent


def bitmap_file(bm):
    # A transparent picture must not reach its bottom-left pixel, which names the transparent colour.
    if bm.key is not None and bm.rows[-1][0] != bm.key:
        raise ValueError(f"{bm.name}: bottom-left pixel {bm.rows[-1][0]} is not the background {bm.key}")
    if bm.bits == 24:
        return bmp_bytes(bm.rows, 24)
    palette, index = quantise(bm.rows, 1 << bm.bits, keep=bm.keep)
    return bmp_bytes(index, bm.bits, palette)


def files():
    """Relative path -> bytes of every generated resource file."""
    bitmaps, icons = artwork.everything()
    out = {f"resources/bitmaps/{bm.name.lower()}.bmp": bitmap_file(bm) for bm in bitmaps}
    out.update({f"resources/icons/{ic.name.lower()}.ico": ico_bytes(ic.images) for ic in icons})
    return out


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--check", action="store_true", help="compare with the committed files, write nothing")
    ap.add_argument("--preview", action="store_true", help="also write build/artwork-preview.png")
    args = ap.parse_args()

    generated = files()
    if args.check:
        stale = [p for p, data in generated.items() if not (ROOT / p).is_file() or (ROOT / p).read_bytes() != data]
        for p in stale:
            print(f"out of date: {p}", file=sys.stderr)
        if stale:
            print("run tools/artwork/generate.py and commit the result", file=sys.stderr)
        return 1 if stale else 0

    for p, data in generated.items():
        (ROOT / p).parent.mkdir(parents=True, exist_ok=True)
        (ROOT / p).write_bytes(data)
    print(f"wrote {len(generated)} files")
    if args.preview:
        import preview
        print(f"wrote {preview.write(ROOT / 'build')}")
    return 0


if __name__ == "__main__":
    sys.exit(main())
