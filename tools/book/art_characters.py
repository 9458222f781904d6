"""The book's characters painted with cairo: Momo the hedgehog, the frog and
the red kite. Each painter draws around a given point at a given size and
leaves the cairo state as it found it."""
import math

from art_kit import ellipse, fill, stroke


def hedgehog(ctx, x, y, s, facing=1, running=False, sleepy=False):
    """Momo standing on the ground at (x, y): s is her body width."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(facing * s / 200.0, s / 200.0)
    # feet
    offs = ((-45, 6), (35, -4)) if running else ((-40, 0), (30, 0))
    for fx, lift in offs:
        ellipse(ctx, fx, -6 + lift, 22, 11)
        fill(ctx, "#5d3a22")
    # spiky back: a scalloped half-ring of spikes
    ctx.move_to(-105, -40)
    n = 11
    for k in range(n + 1):
        a = math.pi + k * math.pi / n
        tip = 112 if k % 2 == 0 else 118
        ax = math.cos(a - math.pi / (2 * n))
        ay = math.sin(a - math.pi / (2 * n))
        ctx.line_to(-5 + ax * tip, -60 + ay * tip * 0.9)
        ctx.line_to(-5 + math.cos(a) * 88, -60 + math.sin(a) * 80)
    ctx.line_to(95, -40)
    ctx.close_path()
    fill(ctx, "#6d4c41", preserve=True)
    stroke(ctx, "#4e342e", 4)
    # body
    ellipse(ctx, -5, -55, 100, 62)
    fill(ctx, "#8d6e63")
    for k in range(7):
        a = math.pi * (1.1 + k * 0.12)
        ctx.move_to(-5 + math.cos(a) * 55, -60 + math.sin(a) * 40)
        ctx.line_to(-5 + math.cos(a) * 82, -60 + math.sin(a) * 60)
    stroke(ctx, "#5d4037", 4)
    # face and snout
    ctx.move_to(40, -95)
    ctx.curve_to(95, -100, 130, -70, 138, -52)
    ctx.curve_to(130, -35, 90, -18, 45, -22)
    ctx.curve_to(30, -40, 30, -80, 40, -95)
    fill(ctx, "#f3d9b1", preserve=True)
    stroke(ctx, "#c9a27a", 3)
    ellipse(ctx, 140, -52, 11, 10)
    fill(ctx, "#3e2723")
    # eye
    if sleepy:
        ctx.arc(82, -68, 9, 0.1 * math.pi, 0.9 * math.pi)
        stroke(ctx, "#3e2723", 4)
    else:
        ellipse(ctx, 84, -70, 9, 11)
        fill(ctx, "#2b1b14")
        ellipse(ctx, 87, -74, 3.5, 3.5)
        fill(ctx, "#ffffff")
    ellipse(ctx, 80, -44, 12, 7)
    fill(ctx, "#ff8a80", 0.7)
    # smile
    ctx.arc(108, -48, 14, 0.25 * math.pi, 0.75 * math.pi)
    stroke(ctx, "#5d4037", 3)
    # ear
    ellipse(ctx, 48, -100, 13, 11)
    fill(ctx, "#d7a98b", preserve=True)
    stroke(ctx, "#a1887f", 2.5)
    # arm
    ctx.move_to(30, -40)
    ctx.curve_to(45, -25 if not running else -45, 58, -25, 66, -30 if not running else -55)
    stroke(ctx, "#f3d9b1", 13)
    ctx.restore()


def frog(ctx, x, y, s, facing=-1):
    """The frog sitting at (x, y): s is its body width."""
    ctx.save()
    ctx.translate(x, y)
    ctx.scale(facing * s / 160.0, s / 160.0)
    for dx in (-62, 62):
        ellipse(ctx, dx, -14, 40, 18)
        fill(ctx, "#43a047", preserve=True)
        stroke(ctx, "#2e7d32", 3)
        for t in (-1, 0, 1):
            ellipse(ctx, dx + (25 if dx > 0 else -25) + t * 9, 0, 8, 5)
            fill(ctx, "#388e3c")
    ellipse(ctx, 0, -48, 72, 50)
    fill(ctx, "#66bb6a", preserve=True)
    stroke(ctx, "#2e7d32", 3)
    ellipse(ctx, 0, -34, 46, 28)
    fill(ctx, "#c5e1a5")
    for dx in (-34, 34):
        ellipse(ctx, dx, -98, 24, 24)
        fill(ctx, "#66bb6a", preserve=True)
        stroke(ctx, "#2e7d32", 3)
        ellipse(ctx, dx, -98, 15, 15)
        fill(ctx, "#ffffff")
        ellipse(ctx, dx + 3, -97, 8, 9)
        fill(ctx, "#1b1b1b")
        ellipse(ctx, dx + 5, -101, 2.5, 2.5)
        fill(ctx, "#ffffff")
    ctx.arc(0, -72, 30, 0.15 * math.pi, 0.85 * math.pi)
    stroke(ctx, "#1b5e20", 4)
    for dx in (-44, 44):
        ellipse(ctx, dx, -60, 9, 5)
        fill(ctx, "#ff8a80", 0.6)
    ctx.restore()


def kite(ctx, x, y, s, angle=0.0, tail=True, string_to=None):
    """The red kite with its centre at (x, y); s is its height. When
    string_to is a point, a string runs from the kite's foot to it."""
    foot = (x - math.sin(angle) * s * 0.62, y + math.cos(angle) * s * 0.62)
    if string_to:
        ctx.move_to(*foot)
        mx = (foot[0] + string_to[0]) / 2 + 40
        my = (foot[1] + string_to[1]) / 2
        ctx.curve_to(mx, my - 30, mx - 20, my + 30, string_to[0], string_to[1])
        stroke(ctx, "#5d4037", 2)
    ctx.save()
    ctx.translate(x, y)
    ctx.rotate(angle)
    if tail:
        ctx.move_to(0, s * 0.62)
        ctx.curve_to(s * 0.3, s * 0.9, -s * 0.3, s * 1.1, s * 0.1, s * 1.45)
        stroke(ctx, "#5d4037", 2.5)
        for t, (bx, by) in enumerate(((s * 0.08, s * 0.86), (-s * 0.05, s * 1.08), (s * 0.06, s * 1.32))):
            colour = ("#ffd23f", "#42a5f5", "#ffd23f")[t]
            ctx.move_to(bx, by)
            ctx.line_to(bx - s * 0.11, by - s * 0.06)
            ctx.line_to(bx - s * 0.11, by + s * 0.06)
            ctx.close_path()
            ctx.move_to(bx, by)
            ctx.line_to(bx + s * 0.11, by - s * 0.06)
            ctx.line_to(bx + s * 0.11, by + s * 0.06)
            ctx.close_path()
            fill(ctx, colour)
    top, right, bottom, left = (0, -s * 0.5), (s * 0.36, -s * 0.12), (0, s * 0.62), (-s * 0.36, -s * 0.12)
    ctx.move_to(*top)
    ctx.line_to(*right)
    ctx.line_to(*bottom)
    ctx.line_to(*left)
    ctx.close_path()
    fill(ctx, "#e53935", preserve=True)
    stroke(ctx, "#b71c1c", 4)
    ctx.move_to(*top)
    ctx.line_to(*right)
    ctx.line_to(0, -s * 0.12)
    ctx.close_path()
    fill(ctx, "#ff7043")
    ctx.move_to(*left)
    ctx.line_to(*bottom)
    ctx.line_to(0, -s * 0.12)
    ctx.close_path()
    fill(ctx, "#c62828")
    ctx.move_to(*top)
    ctx.line_to(*bottom)
    ctx.move_to(*left)
    ctx.line_to(*right)
    stroke(ctx, "#6d4c41", 3)
    ctx.restore()
