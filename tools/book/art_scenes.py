"""Whole pictures of the book: one painter per story scene (640 x 960, the
top quarter kept calm for the text box, the bottom strip plain grass for the
page controls) and the small pictures of the word cards."""
import math

import cairo

import art_characters as ch
import art_kit as k

W, H = 640, 960


def _day(ctx, seed, hill_colour="#aed581", sky_bottom="#e1f5fe"):
    k.sky(ctx, W, H, "#81d4fa", sky_bottom)
    k.hill(ctx, W, 700, 470, 560, hill_colour, 1.2)
    k.hill(ctx, W, 720, 120, 600, "#9ccc65", 1.0)
    k.ground(ctx, W, H, 720)
    k.grass_tufts(ctx, W, 740, 940, 40, seed)


def home(ctx):
    _day(ctx, 1)
    k.sun(ctx, 540, 330, 46)
    k.cloud(ctx, 140, 320, 48)
    k.oak_tree(ctx, 240, 760, 150)
    # Momo's round door in the roots
    k.ellipse(ctx, 240, 752, 34, 26)
    k.fill(ctx, "#4e342e")
    for x, y in ((470, 800), (560, 830), (90, 840)):
        k.flower(ctx, x, y, 14, "#f48fb1", "#ffd23f")
    ch.hedgehog(ctx, 420, 790, 190)


def found_kite(ctx):
    _day(ctx, 2)
    k.cloud(ctx, 500, 330, 55)
    k.cloud(ctx, 150, 390, 36, 0.9)
    # wind lines
    for y in (440, 480, 520):
        ctx.move_to(60, y)
        ctx.curve_to(160, y - 25, 230, y + 25, 330, y)
        k.stroke(ctx, "#ffffff", 4, 0.8)
    ch.kite(ctx, 410, 760, 150, 0.5)
    ch.hedgehog(ctx, 210, 820, 180)
    k.grass_tufts(ctx, W, 800, 900, 30, 22, "#558b2f")


def kite_up(ctx):
    _day(ctx, 3)
    k.cloud(ctx, 130, 330, 40)
    k.cloud(ctx, 520, 560, 46, 0.9)
    for y in (380, 420):
        ctx.move_to(40, y + 120)
        ctx.curve_to(140, y + 95, 200, y + 145, 300, y + 120)
        k.stroke(ctx, "#ffffff", 4, 0.8)
    ch.kite(ctx, 430, 370, 130, -0.35, string_to=(260, 760))
    ch.hedgehog(ctx, 190, 820, 150)


def chase(ctx):
    k.sky(ctx, W, H, "#81d4fa", "#e1f5fe")
    k.hill(ctx, W, 740, 420, 560, "#9ccc65", 1.4)
    k.ground(ctx, W, H, 770)
    k.grass_tufts(ctx, W, 790, 930, 40, 4)
    ch.kite(ctx, 520, 360, 100, 0.3)
    k.cloud(ctx, 180, 350, 42)
    for i, x in enumerate(range(40, 640, 70)):
        k.flower(ctx, x, 830 + (i % 2) * 30, 16)
    ch.hedgehog(ctx, 320, 690, 150, running=True)
    # dust puffs behind the running hedgehog
    for dx, r in ((-120, 14), (-150, 10), (-172, 7)):
        k.ellipse(ctx, 320 + dx, 676, r, r)
        k.fill(ctx, "#ffffff", 0.8)


def pond(ctx):
    _day(ctx, 5)
    k.cloud(ctx, 480, 330, 46)
    k.pond(ctx, 330, 800, 260, 95)
    k.lily_pad(ctx, 220, 800, 70)
    k.lily_pad(ctx, 450, 840, 40)
    k.flower(ctx, 470, 830, 10, "#f8bbd0", "#fff176", stem=False)
    ch.kite(ctx, 430, 770, 110, 1.2, tail=False)
    ch.frog(ctx, 220, 790, 100, facing=1)
    for x in (40, 600):
        for dx in (-8, 0, 8):
            ctx.move_to(x + dx, 760)
            ctx.line_to(x + dx * 1.6, 650)
            k.stroke(ctx, "#558b2f", 4)
        k.ellipse(ctx, x, 660, 7, 20)
        k.fill(ctx, "#795548")


def frog_helps(ctx):
    _day(ctx, 6)
    k.sun(ctx, 560, 330, 36)
    k.pond(ctx, 470, 810, 190, 80)
    ch.frog(ctx, 410, 800, 110, facing=-1)
    ch.kite(ctx, 300, 730, 130, -0.9)
    ch.hedgehog(ctx, 150, 840, 150)
    k.flower(ctx, 70, 880, 12, "#ce93d8")


def together(ctx):
    k.sky(ctx, W, H, "#4fc3f7", "#e1f5fe")
    k.cloud(ctx, 140, 340, 50)
    k.cloud(ctx, 520, 470, 60)
    k.cloud(ctx, 330, 560, 34, 0.9)
    k.hill(ctx, W, 740, 320, 640, "#9ccc65", 1.6)
    k.ground(ctx, W, H, 770)
    k.grass_tufts(ctx, W, 780, 930, 30, 7)
    ch.kite(ctx, 430, 390, 120, 0.25, string_to=(300, 760))
    ch.hedgehog(ctx, 230, 800, 140)
    ch.frog(ctx, 400, 800, 90, facing=-1)
    for x, y in ((80, 870), (560, 880)):
        k.flower(ctx, x, y, 13)


def night(ctx):
    k.sky(ctx, W, H, "#1a237e", "#f48fb1")
    k.moon(ctx, 520, 330, 40)
    for x, y, r in ((90, 300, 9), (200, 380, 6), (330, 320, 8), (420, 420, 5), (600, 440, 6), (140, 470, 5)):
        k.star(ctx, x, y, r)
    k.ellipse(ctx, 320, 690, 70, 70)
    k.fill(ctx, "#ff8a65", 0.9)
    k.hill(ctx, W, 700, 470, 600, "#558b2f", 1.2)
    k.hill(ctx, W, 730, 120, 630, "#689f38", 1.0)
    k.ground(ctx, W, H, 740, "#7cb342", "#689f38")
    k.oak_tree(ctx, 470, 780, 110)
    k.ellipse(ctx, 470, 774, 26, 20)
    k.fill(ctx, "#ffcc80")
    ch.hedgehog(ctx, 230, 840, 150, sleepy=True)
    ch.kite(ctx, 130, 800, 70, -0.3, tail=False)


def words(ctx):
    """Background of the word-learning pages: soft paper with dots."""
    g = cairo.LinearGradient(0, 0, 0, H)
    g.add_color_stop_rgba(0, *k.rgb("#fff8e1"))
    g.add_color_stop_rgba(1, *k.rgb("#ffe0b2"))
    ctx.rectangle(0, 0, W, H)
    ctx.set_source(g)
    ctx.fill()
    for i in range(0, W, 64):
        for j in range(0, H, 64):
            k.ellipse(ctx, i + 32 + (j // 64 % 2) * 32, j + 32, 4, 4)
            k.fill(ctx, "#ffcc80", 0.6)
    k.ground(ctx, W, H, 880, "#aed581", "#9ccc65")


def cover(ctx):
    _day(ctx, 9)
    k.sun(ctx, 95, 330, 40)
    k.cloud(ctx, 560, 280, 40)
    ch.kite(ctx, 565, 420, 105, 0.2, string_to=(300, 770))
    ch.hedgehog(ctx, 220, 820, 170)
    ch.frog(ctx, 430, 820, 90, facing=-1)


SCENES = {f.__name__: f for f in (home, found_kite, kite_up, chase, pond, frog_helps, together, night, words, cover)}


# --- word card pictures, drawn into a square of side s -----------------------

def pic_sun(ctx, s):
    k.sun(ctx, s / 2, s / 2, s * 0.26)


def pic_tree(ctx, s):
    k.oak_tree(ctx, s / 2, s * 0.97, s * 0.27)


def pic_flower(ctx, s):
    k.flower(ctx, s / 2, s * 0.32, s * 0.18)


def pic_cloud(ctx, s):
    k.ellipse(ctx, s / 2, s / 2, s * 0.46, s * 0.4)
    k.fill(ctx, "#81d4fa")
    k.cloud(ctx, s / 2, s * 0.52, s * 0.22)


def pic_hedgehog(ctx, s):
    ch.hedgehog(ctx, s * 0.47, s * 0.8, s * 0.6)


def pic_frog(ctx, s):
    ch.frog(ctx, s / 2, s * 0.85, s * 0.6)


def pic_kite(ctx, s):
    ch.kite(ctx, s / 2, s * 0.36, s * 0.5, 0.2)


def pic_pond(ctx, s):
    k.pond(ctx, s / 2, s / 2, s * 0.42, s * 0.25)
    k.lily_pad(ctx, s * 0.4, s * 0.52, s * 0.12)


def pic_moon(ctx, s):
    k.ellipse(ctx, s / 2, s / 2, s * 0.46, s * 0.46)
    k.fill(ctx, "#283593")
    k.moon(ctx, s / 2, s / 2, s * 0.24)
    k.star(ctx, s * 0.25, s * 0.3, s * 0.04)


def pic_star(ctx, s):
    k.star(ctx, s / 2, s / 2, s * 0.4, "#ffd23f")


def pic_hill(ctx, s):
    ctx.save()
    k.ellipse(ctx, s / 2, s / 2, s * 0.46, s * 0.46)
    ctx.clip()
    k.sky(ctx, s, s, "#81d4fa", "#e1f5fe")
    k.hill(ctx, s, s * 0.8, s / 2, s * 0.35, "#8bc34a", s / 400.0)
    ctx.restore()


PICTURES = {f.__name__[4:]: f for f in (pic_sun, pic_tree, pic_flower, pic_cloud, pic_hedgehog, pic_frog,
                                         pic_kite, pic_pond, pic_moon, pic_star, pic_hill)}


def paint_scene(name, width=W, height=H):
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    ctx = cairo.Context(surface)
    ctx.scale(width / float(W), height / float(H))
    SCENES[name](ctx)
    return surface


def paint_picture(name, side):
    surface = cairo.ImageSurface(cairo.FORMAT_ARGB32, side, side)
    ctx = cairo.Context(surface)
    PICTURES[name](ctx, side)
    return surface
