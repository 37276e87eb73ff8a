"""Contact sheet of the artwork: windows composed the way the program composes its frame, and
every picture enlarged four times. Reads the written resource files, so palette reduction shows.
Needs ImageMagick (convert, montage) for lettering and layout.
"""

import pathlib
import shutil
import struct
import subprocess

import artwork
from formats import png_bytes
from raster import mix

ROOT = pathlib.Path(__file__).resolve().parent.parent.parent
FONT = "WenQuanYi-Micro-Hei"
ZOOM = 4


def read_bmp(path):
    """RGB rows (top first) of an uncompressed 4, 8 or 24-bit BMP."""
    data = path.read_bytes()
    offset, = struct.unpack_from("<I", data, 10)
    _, width, height, _, bits, _, _, _, _, used, _ = struct.unpack_from("<IiiHHIIiiII", data, 14)
    palette = [tuple(data[54 + 4 * i + k] for k in (2, 1, 0)) for i in range(used or (1 << bits if bits < 24 else 0))]
    stride = (width * bits + 31) // 32 * 4
    rows = []
    for j in range(height):
        line = data[offset + (height - 1 - j) * stride:]
        if bits == 24:
            rows.append([(line[3 * i + 2], line[3 * i + 1], line[3 * i]) for i in range(width)])
        elif bits == 8:
            rows.append([palette[line[i]] for i in range(width)])
        else:
            rows.append([palette[line[i // 2] >> (4 if i % 2 == 0 else 0) & 15] for i in range(width)])
    return rows


class Image:
    def __init__(self, width, height, colour=(0, 0, 0)):
        self.w, self.h = width, height
        self.rows = [[colour] * width for _ in range(height)]

    def blit(self, src, sx, sy, w, h, dx, dy, key=None):
        for j in range(h):
            if not (0 <= dy + j < self.h and 0 <= sy + j < len(src)):
                continue
            for i in range(w):
                if 0 <= dx + i < self.w and 0 <= sx + i < len(src[0]):
                    p = src[sy + j][sx + i]
                    if p != key:
                        self.rows[dy + j][dx + i] = p

    def stretch(self, src, sx, sy, sw, sh, dx, dy, dw, dh):
        for j in range(max(dh, 0)):
            for i in range(max(dw, 0)):
                self.rows[dy + j][dx + i] = src[sy + j * sh // dh][sx + i * sw // dw]

    def fill(self, x0, y0, x1, y1, colour):
        for j in range(max(y0, 0), min(y1, self.h)):
            for i in range(max(x0, 0), min(x1, self.w)):
                self.rows[j][i] = colour

    def zoom(self, k):
        out = Image(self.w * k, self.h * k)
        out.rows = [[p for p in row for _ in range(k)] for row in self.rows for _ in range(k)]
        return out

    def grey(self):
        # The frame's inactive look: truncated 0.3 / 0.59 / 0.11 weights, each product on its own.
        out = Image(self.w, self.h)
        out.rows = [[(int(r * 0.3) + int(g * 0.59) + int(b * 0.11),) * 3 for r, g, b in row] for row in self.rows]
        return out

    def save(self, path):
        path.write_bytes(png_bytes(self.rows))


def compose_frame(pic, width, height):
    """The frame face at a window size: corners copied, edges tiled in 25-pixel steps, middle stretched."""
    pw, ph = len(pic[0]), len(pic)
    hw, hh = (pw + 1) // 2, (ph + 1) // 2
    out = Image(width, height)
    out.stretch(pic, pw // 3, ph // 3, pw // 3, ph // 3, hw, hh, width - pw, height - ph)
    out.blit(pic, 0, 0, hw, hh, 0, 0)
    out.blit(pic, 0, hh, hw, hh, 0, height - hh)
    out.blit(pic, hw, 0, hw, hh, width - hw, 0)
    out.blit(pic, hw, hh, hw, hh, width - hw, height - hh)
    for y in range(hh, height - hh, 25):
        out.blit(pic, 0, hh, hw, 25, 0, y)
        out.blit(pic, hw, hh, hw, 25, width - hw, y)
    for x in range(hw, width - hw, 25):
        out.blit(pic, hw, 0, 25, hh, x, 0)
        out.blit(pic, hw, hh, 25, hh, x, height - hh)
    return out


class Sheet:
    """Collects lettering for ImageMagick while pictures are composed in Python."""

    def __init__(self, folder):
        self.folder = folder
        self.bitmaps = {p.stem: read_bmp(p) for p in sorted((ROOT / "resources/bitmaps").glob("*.bmp"))}

    def text_width(self, text, size, bold=False):
        if not text:
            return 0
        out = subprocess.run(["convert", "-font", FONT, "-pointsize", str(size), *(["-stroke", "white",
                              "-strokewidth", "0.5"] if bold else []), f"label:{text}", "-format", "%w", "info:"],
                             capture_output=True, text=True, check=True)
        return int(out.stdout)

    def window(self, name, width, height, caption, buttons, sizeable=False, grey=False):
        """A composed window; buttons lists the caption-bar glyphs from the right."""
        face = compose_frame(self.bitmaps["bkmessagebox"], width, height)
        draws = []
        tw = self.text_width(caption, 15, bold=True)
        x, y = (width - tw) // 2, 7
        for dx, dy in ((0, -1), (0, 1), (-1, 0), (1, 0)):
            draws.append(("black", 15, x + dx, y + dy, caption, True))
        draws.append(("white", 15, x, y, caption, True))
        left = width - 22
        for g in buttons:
            art = self.bitmaps[g]
            face.blit(art, 0, 0, len(art[0]), len(art), left + (15 - len(art[0])) // 2, 7 + (15 - len(art)) // 2,
                      key=art[-1][0])
            left -= 17
        if sizeable:
            grip = self.bitmaps["dlgdraghnd"]
            face.blit(grip, 0, 0, len(grip[0]), len(grip), width - 20, height - 18, key=grip[-1][0])
        return face, draws

    def push_button(self, img, draws, x, y, w, h, text):
        img.fill(x, y, x + w, y + h, artwork.PROGRAM_GREY)
        img.fill(x, y, x + w, y + 1, (255, 255, 255))
        img.fill(x, y, x + 1, y + h, (255, 255, 255))
        img.fill(x, y + h - 1, x + w, y + h, (112, 112, 112))
        img.fill(x + w - 1, y, x + w, y + h, (112, 112, 112))
        if text:
            tw = self.text_width(text, 12)
            draws.append(("black", 12, x + (w - tw) // 2, y + (h - 14) // 2, text, False))

    def message_dialog(self, icon, text, buttons):
        lw = self.text_width(text, 12)
        width = max(lw + 70 + 20, 225 + self.text_width("提示", 15, bold=True))
        height = 12 + 100
        img, draws = self.window("dialog", width, height, "提示", ["dlgclose"])
        icon_h = height - 70
        art = self.bitmaps[icon]
        img.blit(art, 0, 0, 32, 32, 5 + (70 - 32) // 2, 30 + (icon_h - 32) // 2, key=art[-1][0])
        draws.append(("black", 12, max((width - lw) // 2, 70), (30 + icon_h + 30 - 12) // 2, text, False))
        for i, b in enumerate(buttons):
            self.push_button(img, draws, width - 80 - 65 * i, 30 + icon_h, 60, 24, b)
        return img, draws

    def render(self, img, draws, name):
        path = self.folder / f"{name}.png"
        img.save(path)
        if draws:
            args = ["convert", str(path), "-gravity", "NorthWest", "-font", FONT]
            for colour, size, x, y, text, bold in draws:
                stroke = ["-stroke", colour, "-strokewidth", "0.5"] if bold else ["-stroke", "none"]
                args += ["-fill", colour, *stroke, "-pointsize", str(size), "-annotate", f"+{x}+{y - 2}", text]
            subprocess.run(args + [str(path)], check=True)
        return path


def write(build):
    folder = build / "artwork-preview"
    shutil.rmtree(folder, ignore_errors=True)
    folder.mkdir(parents=True)
    sheet = Sheet(folder)

    main, draws = sheet.window("main", 497, 357, "Vistrel", ["dlgmin"])
    sheet.push_button(main, draws, 406, 318, 77, 32, "")
    ctl = sheet.bitmaps["ctlrun"]
    main.blit(ctl, 0, 0, 32, 32, 406, 318, key=ctl[-1][0])
    draws.append(("black", 12, 406 + 21, 318 + 10, "暂停运行", False))  # after two 6-pixel spaces
    about = sheet.bitmaps["aboutani13"]
    main.blit(about, 0, 0, 88, 65, 380, 60, key=about[-1][0])
    windows = [sheet.render(main, draws, "window-main")]
    grey = main.grey()
    windows.append(sheet.render(grey, draws, "window-inactive"))
    dlg, draws = sheet.message_dialog("zqinfodlgicon3", "确定要退出吗？", ["取消", "确定"])
    windows.append(sheet.render(dlg, draws, "window-confirm"))
    dlg, draws = sheet.message_dialog("zqinfodlgicon1", "无法打开数据文件，程序将退出。", ["确定"])
    windows.append(sheet.render(dlg, draws, "window-error"))
    inp, draws = sheet.window("input", 250, 100, "输入", ["dlgclose"])
    inp.fill(7, 30, 242, 51, (255, 255, 255))
    sheet.push_button(inp, draws, 70, 58, 75, 25, "确定")
    sheet.push_button(inp, draws, 150, 58, 75, 25, "取消")
    windows.append(sheet.render(inp, draws, "window-input"))
    big, draws = sheet.window("sizeable", 420, 230, "任务提醒", ["dlgclose", "dlgmax", "dlgmin"], sizeable=True)
    windows.append(sheet.render(big, draws, "window-sizeable"))

    def enlarged(name):
        rows = sheet.bitmaps[name]
        img = Image(len(rows[0]), len(rows))
        img.rows = [list(r) for r in rows]
        return sheet.render(img.zoom(ZOOM), [], name)

    frame = [enlarged(n) for n in ("bkmessagebox", "dlgclose", "dlgmax", "dlgrestore", "dlgmin", "dlgmax_gray",
                                   "dlgmin_gray", "dlgdraghnd")]
    about = [enlarged(f"aboutani{i}") for i in range(14)]
    small = [enlarged(n) for n in ("zqinfodlgicon1", "zqinfodlgicon2", "zqinfodlgicon3", "zqinfodlgicon4",
                                   "ctlrun", "ctlpause")]
    _, icons = artwork.everything()
    icon_tiles, actual = [], []
    for icon in icons:
        for rgba in icon.images:
            if len(rgba) > 48:
                continue
            for bg_name, bg in (("light", artwork.PROGRAM_GREY), ("dark", (34, 40, 52))):
                img = Image(len(rgba[0]), len(rgba))
                img.rows = [[tuple(int(round(v)) for v in mix(bg, p[:3], p[3] / 255)) for p in row] for row in rgba]
                icon_tiles.append(sheet.render(img.zoom(ZOOM), [], f"{icon.name.lower()}-{len(rgba)}-{bg_name}"))
                if len(rgba) == 16:
                    actual.append(img)
    strip = Image(sum(a.w + 8 for a in actual) + 8, 32, (184, 188, 196))
    for k, img in enumerate(actual):
        strip.blit(img.rows, 0, 0, 16, 16, 8 + k * 24, 8)
    small.append(sheet.render(strip.zoom(2), [], "16px-at-2x"))
    small.append(sheet.render(strip, [], "16px-actual"))

    parts = [_montage(folder, "windows", windows, 3), _montage(folder, "frame", frame, 8),
             _montage(folder, "about", about, 7), _montage(folder, "small", small, 8),
             _montage(folder, "icons", icon_tiles, 8)]
    out = build / "artwork-preview.png"
    subprocess.run(["convert", "-background", BACKDROP, *map(str, parts), "-append", str(out)], check=True)
    return out


BACKDROP = "#b8bcc4"


def _montage(folder, name, tiles, columns):
    out = folder / f"sheet-{name}.png"
    subprocess.run(["montage", "-font", FONT, "-pointsize", "12", "-background", BACKDROP, "-label", "%t",
                    *map(str, tiles), "-tile", f"{columns}x", "-geometry", "+8+8", str(out)], check=True)
    return out
