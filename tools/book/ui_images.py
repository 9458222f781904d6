"""Small images of the reader's controls, drawn by code: the page buttons of
Images/, the word highlight, the learning cards, the menu and settings
buttons. Each painter returns a cairo surface; the generator saves or packs
them."""
import math

import cairo

import art_kit as k


def _surface(w, h):
    s = cairo.ImageSurface(cairo.FORMAT_ARGB32, w, h)
    return s, cairo.Context(s)


def round_button(kind, pressed=False, side=72):
    """Previous, next, play and pause: a round button with a white sign."""
    s, ctx = _surface(side, side)
    c = side / 2.0
    base = {"up": "#ff9800", "next": "#ff9800", "play": "#43a047", "pause": "#e53935"}[kind]
    dark = {"up": "#e65100", "next": "#e65100", "play": "#1b5e20", "pause": "#b71c1c"}[kind]
    k.ellipse(ctx, c, c + 2, c - 3, c - 3)
    k.fill(ctx, "#000000", 0.18)
    k.ellipse(ctx, c, c, c - 4, c - 4)
    k.fill(ctx, dark if pressed else base, preserve=True)
    k.stroke(ctx, "#ffffff", 4)
    k.ellipse(ctx, c, c - side * 0.16, c * 0.62, c * 0.34)
    k.fill(ctx, "#ffffff", 0.18)
    r = side * 0.2
    if kind in ("up", "next"):
        d = -1 if kind == "up" else 1
        ctx.move_to(c - d * r * 0.7, c - r)
        ctx.line_to(c + d * r * 0.9, c)
        ctx.line_to(c - d * r * 0.7, c + r)
        k.stroke(ctx, "#ffffff", side * 0.11)
    elif kind == "play":
        ctx.move_to(c - r * 0.6, c - r)
        ctx.line_to(c + r * 1.0, c)
        ctx.line_to(c - r * 0.6, c + r)
        ctx.close_path()
        k.fill(ctx, "#ffffff")
    else:
        for dx in (-r * 0.45, r * 0.45):
            k.rounded_rect(ctx, c + dx - r * 0.22, c - r, r * 0.44, 2 * r, 3)
            k.fill(ctx, "#ffffff")
    return s


def rounded_box(w, h, radius, fill_colour, fill_alpha, edge_colour, edge_alpha, edge=3.0):
    s, ctx = _surface(w, h)
    k.rounded_rect(ctx, edge / 2 + 1, edge / 2 + 1, w - edge - 2, h - edge - 2, radius)
    k.fill(ctx, fill_colour, fill_alpha, preserve=True)
    k.stroke(ctx, edge_colour, edge, edge_alpha)
    return s


def bubble():
    """Sentence bubble, stretched in thirds by the reader: keep it small."""
    return rounded_box(48, 48, 14, "#ffffff", 0.95, "#4fc3f7", 1.0, 3)


# The highlight lies over the page text (the word buttons sit above the text
# lines so that the sentence bubble is drawn above them too), so it must not
# tint the letters: a strong rounded frame with only a faint wash inside
# keeps dark text dark. Pressed (the look a highlighted word shows while it
# keeps the focus) is a shade stronger.
HIGHLIGHT = {False: ("#fff176", 0.12, "#fb8c00", 3), True: ("#ffd54f", 0.14, "#e65100", 3.5)}


def highlight(w, h, radius, pressed=False, edge_scale=1.0):
    fill_colour, fill_alpha, edge_colour, edge = HIGHLIGHT[pressed]
    return rounded_box(w, h, radius, fill_colour, fill_alpha, edge_colour, 1.0, edge * edge_scale)


def word_glow(pressed=False):
    """The highlight drawn over a word of a story page."""
    return highlight(220, 56, 16, pressed)


def card_glow(w, h, pressed=False):
    """The highlight of a word-learning card: a frame around the whole card,
    as large as the card, since the card's word button covers all of it. No
    wash inside: the picture keeps its own colours."""
    _, _, edge_colour, edge = HIGHLIGHT[pressed]
    return rounded_box(w, h, 22, "#ffffff", 0.0, edge_colour, 1.0, edge * 2)


def word_glow_small(pressed=False):
    """The program's own word images (used when a book asks for them)."""
    return highlight(48, 48, 14, pressed)


def card():
    s, ctx = _surface(96, 96)
    k.rounded_rect(ctx, 4, 6, 88, 88, 22)
    k.fill(ctx, "#000000", 0.12)
    k.rounded_rect(ctx, 3, 3, 88, 88, 22)
    k.fill(ctx, "#ffffff", 1.0, preserve=True)
    k.stroke(ctx, "#ffb74d", 4)
    return s


MENU_COLOURS = {"normal": ("#66bb6a", "#2e7d32"), "pressed": ("#388e3c", "#1b5e20"), "disabled": ("#bdbdbd", "#757575")}
# The main menu's continue button stands on its own above the other three.
GO_COLOURS = {"normal": ("#ffa726", "#e65100"), "pressed": ("#fb8c00", "#bf360c"), "disabled": ("#bdbdbd", "#757575")}


def menu_button(state, colours=None):
    fill_colour, edge = (colours or MENU_COLOURS)[state]
    s, ctx = _surface(96, 64)
    k.rounded_rect(ctx, 3, 6, 90, 56, 24)
    k.fill(ctx, "#000000", 0.2)
    k.rounded_rect(ctx, 3, 3, 90, 54, 24)
    k.fill(ctx, fill_colour, preserve=True)
    k.stroke(ctx, edge, 3)
    k.rounded_rect(ctx, 12, 8, 72, 18, 9)
    k.fill(ctx, "#ffffff", 0.2)
    return s


def setting_button(state):
    colours = {"normal": ("#fffde7", "#90a4ae"), "pressed": ("#fff59d", "#f9a825"), "disabled": ("#ffe082", "#ff6f00")}
    fill_colour, edge = colours[state]
    s, ctx = _surface(96, 64)
    k.rounded_rect(ctx, 3, 3, 90, 56, 20)
    k.fill(ctx, fill_colour, preserve=True)
    k.stroke(ctx, edge, 4 if state == "disabled" else 3)
    if state == "disabled":
        # a tick at the left marks the chosen way of reading
        ctx.move_to(16, 32)
        ctx.line_to(24, 42)
        ctx.line_to(38, 20)
        k.stroke(ctx, "#ff6f00", 5)
    return s


def panel_background():
    s, ctx = _surface(120, 120)
    k.rounded_rect(ctx, 4, 4, 112, 112, 30)
    k.fill(ctx, "#ffffff", 0.96, preserve=True)
    k.stroke(ctx, "#4fc3f7", 6)
    return s


def banner():
    s, ctx = _surface(560, 120)
    ctx.move_to(10, 30)
    ctx.line_to(550, 30)
    ctx.line_to(530, 65)
    ctx.line_to(550, 100)
    ctx.line_to(10, 100)
    ctx.line_to(30, 65)
    ctx.close_path()
    k.fill(ctx, "#c62828")
    k.rounded_rect(ctx, 50, 10, 460, 100, 26)
    k.fill(ctx, "#fff8e1", preserve=True)
    k.stroke(ctx, "#e53935", 5)
    return s


def butterfly():
    s, ctx = _surface(80, 64)
    for dx in (-1, 1):
        k.ellipse(ctx, 40 + dx * 18, 22, 18, 16, dx * 0.4)
        k.fill(ctx, "#ba68c8")
        k.ellipse(ctx, 40 + dx * 14, 44, 12, 11, -dx * 0.3)
        k.fill(ctx, "#f06292")
        k.ellipse(ctx, 40 + dx * 18, 22, 6, 6)
        k.fill(ctx, "#ffffff", 0.8)
    k.ellipse(ctx, 40, 34, 4, 18)
    k.fill(ctx, "#4a148c")
    for dx in (-1, 1):
        ctx.move_to(40, 18)
        ctx.curve_to(40 + dx * 4, 8, 40 + dx * 10, 6, 40 + dx * 12, 4)
        k.stroke(ctx, "#4a148c", 2)
    return s


def ladybug():
    s, ctx = _surface(56, 48)
    k.ellipse(ctx, 28, 12, 11, 9)
    k.fill(ctx, "#212121")
    k.ellipse(ctx, 28, 28, 20, 17)
    k.fill(ctx, "#e53935", preserve=True)
    k.stroke(ctx, "#212121", 2)
    ctx.move_to(28, 12)
    ctx.line_to(28, 45)
    k.stroke(ctx, "#212121", 2)
    for x, y in ((19, 24), (37, 24), (21, 36), (35, 36)):
        k.ellipse(ctx, x, y, 3.5, 3.5)
        k.fill(ctx, "#212121")
    return s
