#!/usr/bin/env python3
"""Draws the program's pictures with ImageMagick's convert into resources/pictures/.

Every picture the windows show is drawn at 1x (96 DPI), 1.5x and 2x (name_150, name_200): the
same drawing with its coordinates, sizes and text scaled, so that lines and text stay sharp.
The results are committed, so a build needs neither Python nor ImageMagick; run this again
after changing a picture:  python3 resources/draw_pictures.py
"""
import os
import re
import struct
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "pictures")

BANNER_DARK = "#123a6b"
BANNER_LIGHT = "#2f74c9"
NAV_TOP = "#f3f7fc"
NAV_BOTTOM = "#dbe6f3"
PANEL_BORDER = "#c3cfdd"
FOOTER = "#123a6b"
WIDTH, HEIGHT = 650, 360
BANNER_HEIGHT = 64
NAV_WIDTH = 208
FOOTER_TOP = 342
# Tops of the four navigation links in the dialog's pixel layout.
NAV_ROWS = [79, 147, 218, 282]


SCALES = ((1, ""), (1.5, "_150"), (2, "_200"))


def convert(*args):
    subprocess.run(["convert", *args], check=True)


def out(name):
    return os.path.join(OUT, name)


def scaled_name(name, suffix):
    stem, extension = os.path.splitext(name)
    return stem + suffix + extension


def scaled(args, s):
    """The same convert arguments drawing s times as large. Every -draw runs under an affine that
    maps pixel centres onto pixel centres (its strokes scale with it); a fill without a stroke
    gets a stroke of its own colour, as ImageMagick's fills reach half a pixel past their edges
    at every size. Canvas sizes, offsets and text sizes are scaled; 1x stays as it is."""
    if s == 1:
        return list(args)
    result = []
    fill, stroked = "black", False
    args = iter(args)
    for arg in args:
        if arg == "-size":
            width, height = next(args).split("x")
            result += [arg, f"{round(int(width) * s)}x{round(int(height) * s)}"]
        elif arg in ("-geometry", "-annotate"):
            offsets = re.fullmatch(r"([+-]\d+)([+-]\d+)", next(args))
            result += [arg, "".join(f"{round(int(v) * s):+d}" for v in offsets.groups())]
        elif arg == "-pointsize":
            result += [arg, f"{float(next(args)) * s:g}"]
        elif arg == "-fill":
            fill = next(args)
            result += [arg, fill]
        elif arg == "-stroke":
            stroke = next(args)
            stroked = stroke != "none"
            result += [arg, stroke]
        elif arg == "-draw":
            shift = 0.5 * s - 0.5
            prefix = f"affine {s:g},0,0,{s:g},{shift:g},{shift:g} "
            if not stroked:
                prefix += f"stroke '{fill}' stroke-width {(s - 1) / s:g} "
            result += [arg, prefix + next(args)]
        else:
            result.append(arg)
    return result


def draw_bmp(name, *args):
    """One BMP at every scale."""
    for s, suffix in SCALES:
        convert(*scaled(args, s), "-type", "TrueColor", "BMP3:" + out(scaled_name(name, suffix)))


def nav_icon_draws():
    """Simple line icons beside the navigation links: scan, sections, restore, settings."""
    x = 38
    scan, sections, restore, advanced = (top + 10 for top in NAV_ROWS)
    return [
        # magnifier
        "-stroke", "#1f5fb4", "-strokewidth", "4", "-fill", "#e6f0fb",
        "-draw", f"circle {x + 11},{scan + 10} {x + 11},{scan + 1}",
        "-strokewidth", "6", "-draw", f"line {x + 18},{scan + 17} {x + 27},{scan + 26}",
        # check list
        "-stroke", "#2e8b3a", "-strokewidth", "2", "-fill", "white",
        "-draw", f"roundrectangle {x},{sections - 2} {x + 26},{sections + 26} 3,3",
        "-strokewidth", "3", "-fill", "none",
        "-draw", f"stroke-linejoin round stroke-linecap round polyline {x + 5},{sections + 6} {x + 8},{sections + 9} {x + 13},{sections + 3}",
        "-draw", f"stroke-linejoin round stroke-linecap round polyline {x + 5},{sections + 17} {x + 8},{sections + 20} {x + 13},{sections + 14}",
        "-strokewidth", "2", "-stroke", "#8aa0b8",
        "-draw", f"line {x + 16},{sections + 6} {x + 22},{sections + 6}",
        "-draw", f"line {x + 16},{sections + 17} {x + 22},{sections + 17}",
        # restore: an open circle with an arrow head
        "-stroke", "#d9822b", "-strokewidth", "4", "-fill", "none",
        "-draw", f"arc {x},{restore - 1} {x + 26},{restore + 25} 200,520",
        "-stroke", "none", "-fill", "#d9822b",
        "-draw", f"polygon {x - 3},{restore + 4} {x + 9},{restore + 4} {x + 2},{restore + 14}",
        # gear: a toothed ring with a hub
        "-stroke", "#55657a", "-strokewidth", "7", "-fill", "none",
        "-draw", f"stroke-dasharray 4 3.2 circle {x + 13},{advanced + 12} {x + 13},{advanced + 2}",
        "-strokewidth", "4", "-draw", f"circle {x + 13},{advanced + 12} {x + 13},{advanced + 5}",
        "-stroke", "none",
    ]


def background(name, with_info_panel):
    draws = [
        "-size", f"{WIDTH}x{HEIGHT}", "xc:#eef2f7",
        # navigation column
        "(", "-size", f"{NAV_WIDTH}x{FOOTER_TOP - BANNER_HEIGHT}", f"gradient:{NAV_TOP}-{NAV_BOTTOM}", ")",
        "-geometry", f"+0+{BANNER_HEIGHT}", "-composite",
        # banner
        "(", "-size", f"{BANNER_HEIGHT}x{WIDTH}", f"gradient:{BANNER_LIGHT}-{BANNER_DARK}", "-rotate", "90", ")",
        "-geometry", "+0+0", "-composite",
        "-fill", "#ffffff22", "-stroke", "none",
        "-draw", f"circle {WIDTH - 70},-40 {WIDTH - 70},60",
        "-draw", f"circle {WIDTH - 10},20 {WIDTH - 10},70",
        # product mark: a shield with a check
        "-fill", "white", "-draw", "polygon 22,14 44,8 66,14 64,34 44,52 24,34",
        "-fill", BANNER_LIGHT, "-draw", "polygon 27,17 44,12 61,17 59,33 44,47 29,33",
        "-stroke", "white", "-strokewidth", "4", "-fill", "none",
        "-draw", "stroke-linejoin round stroke-linecap round polyline 35,29 42,36 54,22", "-stroke", "none",
        "-font", "Helvetica-Bold", "-pointsize", "24", "-fill", "white",
        "-annotate", "+80+33", "Tidrex Velora",
        "-font", "Helvetica", "-pointsize", "12", "-fill", "#d6e6fa",
        "-annotate", "+82+51", "Registry and shortcut cleaner",
        # separator between navigation and content
        "-fill", "#c8d4e3", "-draw", f"rectangle {NAV_WIDTH},{BANNER_HEIGHT} {NAV_WIDTH},{FOOTER_TOP - 1}",
        # content panel
        "-fill", "white", "-stroke", PANEL_BORDER, "-strokewidth", "1",
        "-draw", f"roundrectangle 213,68 644,338 6,6", "-stroke", "none",
        # footer
        "-fill", FOOTER, "-draw", f"rectangle 0,{FOOTER_TOP} {WIDTH - 1},{HEIGHT - 1}",
        "-fill", BANNER_LIGHT, "-draw", f"rectangle 0,{FOOTER_TOP} {WIDTH - 1},{FOOTER_TOP + 1}",
    ] + nav_icon_draws()
    if with_info_panel:
        draws += [
            "-fill", "#f1f6fd", "-stroke", "#a9bdd6", "-strokewidth", "1",
            "-draw", "roundrectangle 232,221 494,309 5,5", "-stroke", "none",
            "-fill", BANNER_LIGHT, "-draw", "rectangle 233,226 235,304",
        ]
    draw_bmp(name, *draws)


def status_images():
    # White is the transparent colour of the image list.
    draw_bmp("status_ready.bmp", "-size", "20x24", "xc:white",
             "-fill", "#fbfbfb", "-stroke", "#7d8a99", "-strokewidth", "1",
             "-draw", "polygon 2,2 11,2 15,6 15,21 2,21",
             "-fill", "#dfe5ec", "-draw", "polygon 11,2 11,6 15,6",
             "-stroke", "#c2c9d2", "-draw", "line 4,9 12,9", "-draw", "line 4,12 10,12",
             "-stroke", "white", "-fill", "#d9262b", "-draw", "circle 13,17 13,11",
             "-stroke", "none", "-fill", "white", "-draw", "rectangle 9,16 17,18")
    draw_bmp("status_scanning.bmp", "-size", "20x24", "xc:white",
             "-fill", "#2f9e44", "-stroke", "#1f7a33", "-strokewidth", "1",
             "-draw", "polygon 2,9 10,9 10,4 18,12 10,20 10,15 2,15")
    draw_bmp("status_finished.bmp", "-size", "20x24", "xc:white",
             "-stroke", "#2f9e44", "-strokewidth", "3.5", "-fill", "none",
             "-draw", "stroke-linejoin round stroke-linecap round polyline 3,12 8,17 17,6")


def check_boxes():
    box = ["-size", "16x16", "xc:white", "-fill", "white", "-stroke", "#8c97a5", "-strokewidth", "1",
           "-draw", "rectangle 1,1 14,14", "-stroke", "#e3e8ee", "-draw", "rectangle 2,2 13,13"]
    draw_bmp("check_unchecked.bmp", *box)
    draw_bmp("check_checked.bmp", *box, "-stroke", "black", "-strokewidth", "2", "-fill", "none",
             "-draw", "stroke-linejoin round stroke-linecap round polyline 4,8 7,11 12,4")


def meters():
    # Five cells of 13 pixels with 1-pixel gaps: 5 x 13 + 4 = 69 wide.
    shades = ["#ffe433", "#ffc21a", "#ff9a12", "#f2640f", "#d9261c"]
    for name, filled in (("meter_moderate.bmp", 1), ("meter_severe.bmp", 3), ("meter_critical.bmp", 5)):
        draws = ["-size", "69x8", "xc:white", "-strokewidth", "1"]
        for cell in range(5):
            left = cell * 14
            fill = shades[cell] if cell < filled else "#f0f0f0"
            draws += ["-fill", fill, "-stroke", "rgb(134,134,134)",
                      "-draw", f"rectangle {left},0 {left + 12},7"]
        draw_bmp(name, *draws)


def hand_cursor():
    """A pointing hand, 32 x 32, hot spot at the finger tip, written as a .cur file."""
    size = 32
    with tempfile.TemporaryDirectory() as work:
        raw = os.path.join(work, "hand.rgba")
        outline = "polygon 9,1 12,1 13,3 13,10 15,9 17,10 18,11 20,10 22,11 23,12 25,12 27,14 " \
                  "27,21 25,26 24,29 12,29 11,26 5,19 4,16 5,14 7,14 9,16 9,3"
        convert("-size", f"{size}x{size}", "xc:none",
                "-fill", "white", "-stroke", "black", "-strokewidth", "1.2", "-draw", outline,
                "-stroke", "black", "-strokewidth", "1",
                "-draw", "line 13,10 13,17", "-draw", "line 18,11 18,17", "-draw", "line 23,12 23,17",
                "-depth", "8", "RGBA:" + raw)
        pixels = open(raw, "rb").read()
    rows_bgra = []
    mask_rows = []
    for y in range(size - 1, -1, -1):  # bottom-up
        row = b""
        bits = 0
        mask = bytearray(4)
        for x in range(size):
            r, g, b, a = pixels[(y * size + x) * 4:(y * size + x) * 4 + 4]
            opaque = a >= 128
            row += bytes((b, g, r, 255 if opaque else 0)) if opaque else b"\0\0\0\0"
            if not opaque:
                mask[x // 8] |= 0x80 >> (x % 8)
        rows_bgra.append(row)
        mask_rows.append(bytes(mask))
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    image = header + b"".join(rows_bgra) + b"".join(mask_rows)
    hot_x, hot_y = 10, 1
    directory = struct.pack("<HHH", 0, 2, 1) + struct.pack("<BBBBHHII", size, size, 0, 0, hot_x, hot_y,
                                                        len(image), 6 + 16)
    with open(out("hand.cur"), "wb") as cursor:
        cursor.write(directory + image)


def icon():
    with tempfile.TemporaryDirectory() as work:
        sizes = []
        for size in (16, 32, 48):
            path = os.path.join(work, f"icon{size}.png")
            s = size / 48.0
            def p(x, y):
                return f"{x * s:.1f},{y * s:.1f}"
            convert("-size", f"{size}x{size}", "xc:none",
                    "-fill", BANNER_DARK, "-draw", f"polygon {p(24, 1)} {p(45, 8)} {p(43, 28)} {p(24, 47)} {p(5, 28)} {p(3, 8)}",
                    "-fill", BANNER_LIGHT, "-draw", f"polygon {p(24, 5)} {p(41, 11)} {p(39, 27)} {p(24, 42)} {p(9, 27)} {p(7, 11)}",
                    "-stroke", "white", "-strokewidth", f"{max(1.5, 5 * s):.1f}", "-fill", "none",
                    "-draw", f"stroke-linejoin round stroke-linecap round polyline {p(14, 23)} {p(21, 30)} {p(34, 15)}", path)
            sizes.append(path)
        convert(*sizes, out("TidrexVelora.ico"))


def busy_animation(s, suffix):
    """140 x 13 at 1x: three blue blocks running through a light track, looping."""
    with tempfile.TemporaryDirectory() as work:
        frames = []
        steps = 14
        for step in range(steps):
            path = os.path.join(work, f"frame{step:02d}.gif")
            draws = ["-size", "140x13", "xc:#e9eef5", "-fill", "#e9eef5", "-stroke", "#b7c4d4",
                     "-draw", "rectangle 0,0 139,12", "-stroke", "none"]
            for block in range(3):
                left = (step * 10 + block * 12 - 30) % 170 - 15
                shade = ["#7fb0ec", "#4b8fe0", "#1f63c2"][block]
                draws += ["-fill", shade, "-draw", f"rectangle {max(left, 2)},3 {min(left + 9, 137)},9"]
            convert(*scaled(draws, s), path)
            frames.append(path)
        convert("-delay", "8", "-loop", "0", *frames, "GIF:" + out(f"busy{suffix}.gif"))


def main():
    os.makedirs(OUT, exist_ok=True)
    background("background_home.bmp", True)
    background("background_pages.bmp", False)
    status_images()
    check_boxes()
    meters()
    hand_cursor()
    icon()
    for s, suffix in SCALES:
        busy_animation(s, suffix)


if __name__ == "__main__":
    main()
