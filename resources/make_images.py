#!/usr/bin/env python3
"""Draws Zindle's artwork: the base skin's bitmaps and the splash banner in
resources/, and the pictures of the sample skins in skins/.

The generated files are kept in the repository; the build embeds or ships
them as they are. Run this script again after changing a drawing:

    python3 resources/make_images.py

Bitmaps are written in pure Python (24-bit BMP). The splash banner's lettering
needs ImageMagick's `convert` (apt-get install imagemagick) and DejaVu fonts.
"""

import os
import random
import struct
import subprocess
import tempfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
RESOURCES = os.path.join(ROOT, "resources")
SKINS = os.path.join(ROOT, "skins")


def hex_colour(text):
    return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))


def mix(a, b, t):
    """Colour a blended towards b by t (0..1)."""
    return tuple(round(a[i] + (b[i] - a[i]) * t) for i in range(3))


class Canvas:
    """An RGB picture, row 0 at the top. Shapes are tests on points; each
    pixel is sampled samples x samples times, so 1 gives crisp pixel art and
    more gives smooth edges."""

    def __init__(self, width, height, fill=(255, 255, 255)):
        self.width = width
        self.height = height
        self.pixels = [[fill] * width for _ in range(height)]

    def fill(self, colour_at):
        for y in range(self.height):
            for x in range(self.width):
                self.pixels[y][x] = colour_at(x, y)

    def paint(self, inside, colour, samples=1):
        colour_at = colour if callable(colour) else (lambda x, y: colour)
        for y in range(self.height):
            for x in range(self.width):
                hits = 0
                for sy in range(samples):
                    for sx in range(samples):
                        if inside(x + (sx + 0.5) / samples, y + (sy + 0.5) / samples):
                            hits += 1
                if hits:
                    cover = hits / (samples * samples)
                    self.pixels[y][x] = mix(self.pixels[y][x], colour_at(x, y), cover)

    def save_bmp(self, path):
        row_size = (self.width * 3 + 3) // 4 * 4
        data = bytearray()
        for row in reversed(self.pixels):
            line = bytearray()
            for r, g, b in row:
                line += bytes((b, g, r))
            line += bytes(row_size - len(line))
            data += line
        header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
        info = struct.pack("<IiiHHIIiiII", 40, self.width, self.height, 1, 24, 0, len(data), 3780, 3780, 0, 0)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as out:
            out.write(header + info + data)

    def save_ppm(self, path):
        with open(path, "wb") as out:
            out.write(b"P6 %d %d 255\n" % (self.width, self.height))
            for row in self.pixels:
                for pixel in row:
                    out.write(bytes(pixel))


# Shapes: functions of a point that say whether it lies inside.

def rounded_rect(x0, y0, x1, y1, radius):
    def inside(x, y):
        if x < x0 or x > x1 or y < y0 or y > y1:
            return False
        cx = min(max(x, x0 + radius), x1 - radius)
        cy = min(max(y, y0 + radius), y1 - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def segment(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length2 = dx * dx + dy * dy

    def inside(x, y):
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / length2))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def union(*shapes):
    return lambda x, y: any(shape(x, y) for shape in shapes)


def minus(shape, hole):
    return lambda x, y: shape(x, y) and not hole(x, y)


def moved(shape, dx, dy):
    return lambda x, y: shape(x - dx, y - dy)


# Glyphs of the buttons, drawn in a box of the button's size.

def up_triangle(w, h):
    cx, cy = w / 2, h / 2
    return polygon([(cx, cy - 3.5), (cx + 6.5, cy + 3), (cx - 6.5, cy + 3)])


def down_triangle(w, h):
    cx, cy = w / 2, h / 2
    return polygon([(cx - 6.5, cy - 3), (cx + 6.5, cy - 3), (cx, cy + 3.5)])


def run_triangles(w, h):
    cx, cy = w / 2, h / 2
    first = polygon([(cx - 5, cy - 4.5), (cx, cy), (cx - 5, cy + 4.5)])
    second = polygon([(cx, cy - 4.5), (cx + 5, cy), (cx, cy + 4.5)])
    return union(first, second)


def cross(w, h, size=3.5, thickness=2.0):
    cx, cy = w / 2, h / 2
    return union(segment(cx - size, cy - size, cx + size, cy + size, thickness),
                 segment(cx - size, cy + size, cx + size, cy - size, thickness))


def chevrons(w, h):
    """Two open chevrons, a lighter "run" sign for the sample skins."""
    cx, cy = w / 2, h / 2
    return union(segment(cx - 5, cy - 4, cx - 1, cy, 2.0), segment(cx - 1, cy, cx - 5, cy + 4, 2.0),
                 segment(cx + 1, cy - 4, cx + 5, cy, 2.0), segment(cx + 5, cy, cx + 1, cy + 4, 2.0))


def arrow_up(w, h):
    cx, cy = w / 2, h / 2
    return union(segment(cx - 4.5, cy + 2, cx, cy - 2.5, 2.0), segment(cx, cy - 2.5, cx + 4.5, cy + 2, 2.0))


def arrow_down(w, h):
    cx, cy = w / 2, h / 2
    return union(segment(cx - 4.5, cy - 2, cx, cy + 2.5, 2.0), segment(cx, cy + 2.5, cx + 4.5, cy - 2, 2.0))


# The base skin: white rounded boxes with a dark frame and black glyphs.

BASE_FRAME = (64, 64, 64)
WHITE = (255, 255, 255)
BLACK = (0, 0, 0)


def base_button(w, h, glyph, glyph_colour, radius=3.0):
    canvas = Canvas(w, h, WHITE)
    outer = rounded_rect(0, 0, w, h, radius)
    inner = rounded_rect(1, 1, w - 1, h - 1, radius - 1)
    canvas.paint(minus(outer, inner), BASE_FRAME)
    canvas.paint(glyph(w, h), glyph_colour)
    return canvas


def make_base():
    base_button(22, 20, up_triangle, BLACK).save_bmp(os.path.join(RESOURCES, "up-normal.bmp"))
    base_button(22, 20, down_triangle, BLACK).save_bmp(os.path.join(RESOURCES, "down-normal.bmp"))
    base_button(31, 20, run_triangles, BLACK).save_bmp(os.path.join(RESOURCES, "run-normal.bmp"))
    base_button(31, 20, run_triangles, (208, 0, 0)).save_bmp(os.path.join(RESOURCES, "run-click.bmp"))
    base_button(23, 20, cross, BLACK, radius=1.5).save_bmp(os.path.join(RESOURCES, "exit-normal.bmp"))


# The splash banner: 362 x 84, the name large, the lower middle left calm
# for the version label that the splash window lays over it.

def make_splash():
    width, height = 362, 84
    top, bottom = hex_colour("#FFFFFF"), hex_colour("#DCE7F5")
    canvas = Canvas(width, height)
    canvas.fill(lambda x, y: mix(top, bottom, y / (height - 1)))
    navy = hex_colour("#1F3B66")
    accent = hex_colour("#2F7FD8")
    # The emblem: a rounded badge with the Run button's sign.
    canvas.paint(rounded_rect(20, 18, 68, 66, 10), lambda x, y: mix(accent, navy, (y - 18) / 48), samples=4)
    canvas.paint(union(polygon([(31, 31), (44, 42), (31, 53)]), polygon([(44, 31), (57, 42), (44, 53)])),
                 hex_colour("#FFFFFF"), samples=4)
    # A thin rule under the lettering; the version label goes below it.
    canvas.paint(lambda x, y: 84 <= x <= 342 and 62 <= y < 63.5, accent, samples=2)
    with tempfile.TemporaryDirectory() as scratch:
        base = os.path.join(scratch, "splash.ppm")
        canvas.save_ppm(base)
        subprocess.run(["convert", base,
                        "-font", "DejaVu-Sans-Bold", "-pointsize", "44", "-fill", "#1F3B66",
                        "-annotate", "+82+55", "Zindle",
                        "-font", "DejaVu-Sans", "-pointsize", "10", "-kerning", "1.5", "-fill", "#4A6488",
                        "-annotate", "+258+55", "COMMAND BAR",
                        "-strip", "-quality", "92", "-sampling-factor", "1x1",
                        os.path.join(RESOURCES, "splash.jpg")], check=True)


# Sample skins.

def skin_button(w, h, backdrop, glyph, style, pressed=False):
    """A rounded button over the bar's backdrop (a colour per row), with a
    vertical gradient face, a frame and a glyph, drawn smooth."""
    canvas = Canvas(w, h)
    canvas.fill(lambda x, y: backdrop(y))
    radius = style["radius"]
    face_top, face_bottom = style["face"]
    canvas.paint(rounded_rect(0, 0, w, h, radius), style["frame"], samples=4)
    canvas.paint(rounded_rect(1, 1, w - 1, h - 1, radius - 1),
                 lambda x, y: mix(face_top, face_bottom, y / (h - 1)), samples=4)
    if "shine" in style:
        canvas.paint(lambda x, y: 2 <= x <= w - 2 and 1 <= y < 2, style["shine"], samples=2)
    shape = glyph(w, h)
    if pressed:
        shape = moved(shape, 0, 1)
    canvas.paint(shape, style["glyph"], samples=4)
    return canvas


SKIN_KEYS = {
    "updown": [("up-normal", "up", "normal"), ("up-over", "up", "over"), ("up-click", "up", "click"),
               ("down-normal", "down", "normal"), ("down-over", "down", "over"),
               ("down-click", "down", "click")],
    "run": [("normal", "run", "normal"), ("over", "run", "over"), ("click", "run", "click")],
    "exit": [("normal", "exit", "normal"), ("over", "exit", "over"), ("click", "exit", "click")],
}


def make_skin_buttons(directory, backdrop_for, sizes, glyphs, styles):
    for section, keys in SKIN_KEYS.items():
        for _key, face, state in keys:
            w, h, top = sizes[face]
            button = skin_button(w, h, lambda y: backdrop_for(y + top), glyphs[face], styles[state],
                                 pressed=state == "click")
            button.save_bmp(os.path.join(directory, "%s-%s.bmp" % (face, state)))


def make_midnight():
    directory = os.path.join(SKINS, "midnight")
    height = 24
    top, bottom = hex_colour("#1C2638"), hex_colour("#0C111A")

    def backdrop(y):
        if y == 0:
            return hex_colour("#34476A")
        if y == height - 1:
            return hex_colour("#05070B")
        return mix(top, bottom, y / (height - 1))

    tile = Canvas(16, height)
    tile.fill(lambda x, y: backdrop(y))
    tile.save_bmp(os.path.join(directory, "tile.bmp"))

    # A glowing cyan edge at both ends of the bar.
    glow = hex_colour("#5EC8FF")
    for name, flip in (("left.bmp", False), ("right.bmp", True)):
        edge = Canvas(3, height)
        edge.fill(lambda x, y: mix(backdrop(y), glow, [0.9, 0.45, 0.15][2 - x if flip else x]))
        edge.save_bmp(os.path.join(directory, name))

    styles = {
        "normal": {"radius": 4.0, "frame": hex_colour("#3A4D70"),
                   "face": (hex_colour("#2A3A56"), hex_colour("#18223A")),
                   "shine": hex_colour("#41557C"), "glyph": hex_colour("#8FD3FF")},
        "over": {"radius": 4.0, "frame": hex_colour("#5EC8FF"),
                 "face": (hex_colour("#34496E"), hex_colour("#1F2C48")),
                 "shine": hex_colour("#5A74A4"), "glyph": hex_colour("#FFFFFF")},
        "click": {"radius": 4.0, "frame": hex_colour("#5EC8FF"),
                  "face": (hex_colour("#0C1220"), hex_colour("#172238")),
                  "glyph": hex_colour("#5EC8FF")},
    }
    sizes = {"up": (22, 20, 2), "down": (22, 20, 2), "run": (31, 20, 2), "exit": (24, 20, 2)}
    glyphs = {"up": arrow_up, "down": arrow_down, "run": chevrons,
              "exit": lambda w, h: cross(w, h, 3.5, 2.0)}
    make_skin_buttons(directory, backdrop, sizes, glyphs, styles)


def make_paper():
    directory = os.path.join(SKINS, "paper")
    height = 26
    paper = hex_colour("#F5F0E4")
    rule = hex_colour("#C8D6EA")
    random.seed(7)
    grain = [[random.uniform(-1, 1) for _ in range(32)] for _ in range(height)]

    def backdrop(y):
        if y == 0:
            return hex_colour("#FFFDF7")
        if y == height - 1:
            return hex_colour("#BDB39C")
        if y == height - 3:
            return mix(paper, rule, 0.8)
        return paper

    def tile_colour(x, y):
        base = backdrop(y)
        shade = grain[y][x] * 3 if 0 < y < height - 3 else 0
        return tuple(max(0, min(255, round(c + shade))) for c in base)

    tile = Canvas(32, height)
    tile.fill(tile_colour)
    tile.save_bmp(os.path.join(directory, "tile.bmp"))

    # The left image is a notebook's red margin; the right one a turned-down
    # page corner.
    margin = Canvas(6, height)
    margin.fill(lambda x, y: tile_colour(x, y))
    margin.paint(lambda x, y: 2 <= x < 3 or 4 <= x < 5, hex_colour("#D98B84"))
    margin.save_bmp(os.path.join(directory, "left.bmp"))

    corner = Canvas(16, height)
    corner.fill(lambda x, y: tile_colour(x + 16, y))
    fold = 11
    corner.paint(polygon([(16 - fold, 0), (16, fold), (16, 0)]), hex_colour("#CFC5AE"), samples=4)
    corner.paint(polygon([(16 - fold, 0), (16 - fold, fold), (16, fold)]), hex_colour("#E6DDC6"), samples=4)
    corner.paint(segment(16 - fold, 0, 16, fold, 1.0), hex_colour("#9A8E74"), samples=4)
    corner.save_bmp(os.path.join(directory, "right.bmp"))

    ink = hex_colour("#2B3A55")
    styles = {
        "normal": {"radius": 5.0, "frame": hex_colour("#9C917A"),
                   "face": (hex_colour("#FFFEFA"), hex_colour("#F1EBDC")), "glyph": ink},
        "over": {"radius": 5.0, "frame": ink,
                 "face": (hex_colour("#FFF8D6"), hex_colour("#FBE9A6")), "glyph": ink},
        "click": {"radius": 5.0, "frame": ink,
                  "face": (hex_colour("#E8DFC8"), hex_colour("#F3EDDF")), "glyph": hex_colour("#B0322A")},
    }
    sizes = {"up": (22, 20, 3), "down": (22, 20, 3), "run": (31, 20, 3), "exit": (24, 20, 3)}
    glyphs = {"up": up_triangle, "down": down_triangle, "run": run_triangles,
              "exit": lambda w, h: cross(w, h, 3.5, 1.8)}
    make_skin_buttons(directory, backdrop, sizes, glyphs, styles)


if __name__ == "__main__":
    make_base()
    make_splash()
    make_midnight()
    make_paper()
