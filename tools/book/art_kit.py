"""Landscape pieces painted with cairo: sky, sun, moon, clouds, hills, trees,
flowers, grass, pond. Characters live in art_characters.py, whole pictures in
art_scenes.py. Coordinates are cairo's: origin top-left, y grows downwards."""
import math
import random

import cairo


def rgb(hex_colour, alpha=1.0):
    h = hex_colour.lstrip("#")
    return (int(h[0:2], 16) / 255.0, int(h[2:4], 16) / 255.0, int(h[4:6], 16) / 255.0, alpha)


def fill(ctx, colour, alpha=1.0, preserve=False):
    ctx.set_source_rgba(*rgb(colour, alpha))
    ctx.fill_preserve() if preserve else ctx.fill()


def stroke(ctx, colour, width, alpha=1.0, preserve=False):
    ctx.set_source_rgba(*rgb(colour, alpha))
    ctx.set_line_width(width)
    ctx.set_line_cap(cairo.LINE_CAP_ROUND)
    ctx.set_line_join(cairo.LINE_JOIN_ROUND)
    ctx.stroke_preserve() if preserve else ctx.stroke()


def ellipse(ctx, cx, cy, rx, ry, angle=0.0):
    ctx.save()
    ctx.translate(cx, cy)
    ctx.rotate(angle)
    ctx.scale(rx, ry)
    ctx.arc(0, 0, 1, 0, 2 * math.pi)
    ctx.restore()


def rounded_rect(ctx, x, y, w, h, r):
    r = min(r, w / 2.0, h / 2.0)
    ctx.new_sub_path()
    ctx.arc(x + w - r, y + r, r, -math.pi / 2, 0)
    ctx.arc(x + w - r, y + h - r, r, 0, math.pi / 2)
    ctx.arc(x + r, y + h - r, r, math.pi / 2, math.pi)
    ctx.arc(x + r, y + r, r, math.pi, 1.5 * math.pi)
    ctx.close_path()


def sky(ctx, w, h, top, bottom):
    g = cairo.LinearGradient(0, 0, 0, h)
    g.add_color_stop_rgba(0, *rgb(top))
    g.add_color_stop_rgba(1, *rgb(bottom))
    ctx.rectangle(0, 0, w, h)
    ctx.set_source(g)
    ctx.fill()


def sun(ctx, cx, cy, r, colour="#ffd23f", face=True):
    ctx.save()
    for k in range(12):
        a = k * math.pi / 6
        ctx.move_to(cx + math.cos(a) * r * 1.25, cy + math.sin(a) * r * 1.25)
        ctx.line_to(cx + math.cos(a) * r * 1.6, cy + math.sin(a) * r * 1.6)
    stroke(ctx, "#ffb627", r * 0.16)
    ellipse(ctx, cx, cy, r, r)
    fill(ctx, colour, preserve=True)
    stroke(ctx, "#ffb627", r * 0.08)
    if face:
        for dx in (-0.35, 0.35):
            ellipse(ctx, cx + dx * r, cy - 0.12 * r, r * 0.08, r * 0.11)
            fill(ctx, "#7a4a12")
        ctx.arc(cx, cy + 0.05 * r, r * 0.42, 0.2 * math.pi, 0.8 * math.pi)
        stroke(ctx, "#7a4a12", r * 0.07)
        for dx in (-0.55, 0.55):
            ellipse(ctx, cx + dx * r, cy + 0.22 * r, r * 0.14, r * 0.09)
            fill(ctx, "#ff8a5b", 0.6)
    ctx.restore()


def moon(ctx, cx, cy, r):
    ellipse(ctx, cx, cy, r * 1.6, r * 1.6)
    fill(ctx, "#fff6c8", 0.12)
    ctx.save()
    ctx.set_fill_rule(cairo.FILL_RULE_EVEN_ODD)
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    ctx.clip()
    ctx.arc(cx, cy, r, 0, 2 * math.pi)
    ctx.new_sub_path()
    ctx.arc(cx + r * 0.45, cy - r * 0.25, r * 0.85, 0, 2 * math.pi)
    fill(ctx, "#fff3b0")
    ctx.restore()


def star(ctx, cx, cy, r, colour="#fff3b0"):
    ctx.move_to(cx, cy - r)
    for k in range(1, 10):
        a = -math.pi / 2 + k * math.pi / 5
        rr = r if k % 2 == 0 else r * 0.45
        ctx.line_to(cx + math.cos(a) * rr, cy + math.sin(a) * rr)
    ctx.close_path()
    fill(ctx, colour)


def cloud(ctx, cx, cy, s, alpha=1.0):
    for dx, dy, r in ((-0.9, 0.15, 0.55), (-0.3, -0.25, 0.75), (0.45, -0.1, 0.65), (1.0, 0.2, 0.45)):
        ellipse(ctx, cx + dx * s, cy + dy * s, r * s, r * s * 0.9)
    ctx.rectangle(cx - 0.9 * s, cy + 0.1 * s, 1.9 * s, 0.5 * s)
    fill(ctx, "#ffffff", alpha)


def hill(ctx, w, base_y, peak_x, peak_y, colour, spread=1.0):
    ctx.move_to(-20, base_y)
    ctx.curve_to(peak_x - 260 * spread, base_y, peak_x - 180 * spread, peak_y, peak_x, peak_y)
    ctx.curve_to(peak_x + 180 * spread, peak_y, peak_x + 260 * spread, base_y, w + 20, base_y)
    ctx.line_to(w + 20, 2000)
    ctx.line_to(-20, 2000)
    ctx.close_path()
    fill(ctx, colour)


def ground(ctx, w, h, y, colour="#8bc34a", edge="#7cb342"):
    ctx.move_to(0, y)
    for k in range(0, w + 40, 40):
        ctx.curve_to(k + 10, y - 8, k + 30, y - 8, k + 40, y)
    ctx.line_to(w, h)
    ctx.line_to(0, h)
    ctx.close_path()
    fill(ctx, colour, preserve=True)
    stroke(ctx, edge, 3)


def grass_tufts(ctx, w, y0, y1, count, seed, colour="#689f38"):
    rnd = random.Random(seed)
    for _ in range(count):
        x = rnd.uniform(0, w)
        y = rnd.uniform(y0, y1)
        s = rnd.uniform(8, 16)
        for a in (-0.5, 0.0, 0.5):
            ctx.move_to(x, y)
            ctx.line_to(x + math.sin(a) * s, y - math.cos(a) * s * 1.3)
        stroke(ctx, colour, 2.5)


def flower(ctx, x, y, s, petal="#ffd23f", centre="#f57c00", stem=True):
    if stem:
        ctx.move_to(x, y)
        ctx.curve_to(x - s * 0.3, y + s * 1.2, x + s * 0.3, y + s * 1.8, x, y + s * 2.6)
        stroke(ctx, "#558b2f", s * 0.22)
        ellipse(ctx, x + s * 0.45, y + s * 1.7, s * 0.45, s * 0.2, -0.5)
        fill(ctx, "#7cb342")
    for k in range(6):
        a = k * math.pi / 3
        ellipse(ctx, x + math.cos(a) * s * 0.62, y + math.sin(a) * s * 0.62, s * 0.5, s * 0.34, a)
        fill(ctx, petal)
    ellipse(ctx, x, y, s * 0.38, s * 0.38)
    fill(ctx, centre)


def oak_tree(ctx, x, base_y, s):
    ctx.move_to(x - 0.28 * s, base_y)
    ctx.curve_to(x - 0.2 * s, base_y - 0.6 * s, x - 0.16 * s, base_y - 1.1 * s, x - 0.14 * s, base_y - 1.6 * s)
    ctx.line_to(x + 0.14 * s, base_y - 1.6 * s)
    ctx.curve_to(x + 0.16 * s, base_y - 1.1 * s, x + 0.2 * s, base_y - 0.6 * s, x + 0.28 * s, base_y)
    ctx.close_path()
    fill(ctx, "#8d5a3b", preserve=True)
    stroke(ctx, "#6d4029", 3)
    ctx.move_to(x, base_y - 1.2 * s)
    ctx.line_to(x + 0.45 * s, base_y - 1.7 * s)
    ctx.move_to(x, base_y - 1.0 * s)
    ctx.line_to(x - 0.4 * s, base_y - 1.5 * s)
    stroke(ctx, "#8d5a3b", 0.09 * s)
    blobs = ((0, -2.2, 0.85), (-0.7, -1.85, 0.6), (0.7, -1.85, 0.62), (-0.4, -2.6, 0.55), (0.45, -2.55, 0.6),
             (-0.9, -2.3, 0.45), (0.95, -2.3, 0.45))
    for dx, dy, r in blobs:
        ellipse(ctx, x + dx * s, base_y + dy * s, r * s, r * s * 0.9)
        fill(ctx, "#43a047")
    for dx, dy, r in ((-0.3, -2.45, 0.28), (0.35, -2.1, 0.25), (-0.6, -1.95, 0.2), (0.2, -2.7, 0.2)):
        ellipse(ctx, x + dx * s, base_y + dy * s, r * s, r * s * 0.8)
        fill(ctx, "#66bb6a")
    for dx, dy in ((-0.5, -2.0), (0.55, -1.9), (0.1, -2.45), (-0.2, -1.75), (0.75, -2.35)):
        ellipse(ctx, x + dx * s, base_y + dy * s, 0.06 * s, 0.075 * s)
        fill(ctx, "#a1662f")


def round_tree(ctx, x, base_y, s, leaf="#2e7d32"):
    ctx.rectangle(x - 0.08 * s, base_y - 0.8 * s, 0.16 * s, 0.8 * s)
    fill(ctx, "#795548")
    ellipse(ctx, x, base_y - 1.1 * s, 0.5 * s, 0.55 * s)
    fill(ctx, leaf)


def pond(ctx, cx, cy, rx, ry):
    ellipse(ctx, cx, cy, rx + 10, ry + 8)
    fill(ctx, "#6d9e3a")
    g = cairo.LinearGradient(0, cy - ry, 0, cy + ry)
    g.add_color_stop_rgba(0, *rgb("#4fc3f7"))
    g.add_color_stop_rgba(1, *rgb("#0288d1"))
    ellipse(ctx, cx, cy, rx, ry)
    ctx.set_source(g)
    ctx.fill()
    for dx, dy, l in ((-0.5, -0.3, 0.2), (0.2, 0.1, 0.25), (-0.1, 0.45, 0.18)):
        ctx.move_to(cx + (dx - l) * rx, cy + dy * ry)
        ctx.line_to(cx + (dx + l) * rx, cy + dy * ry)
        stroke(ctx, "#b3e5fc", 3, 0.8)


def lily_pad(ctx, cx, cy, r):
    ctx.save()
    ctx.translate(cx, cy)
    ctx.scale(1.0, 0.45)
    ctx.move_to(0, 0)
    ctx.arc(0, 0, r, 0.12 * math.pi, 1.92 * math.pi)
    ctx.close_path()
    ctx.restore()
    fill(ctx, "#66bb6a", preserve=True)
    stroke(ctx, "#388e3c", 2.5)
