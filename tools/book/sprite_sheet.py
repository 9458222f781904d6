"""Packs named cairo surfaces into one texture and writes the property-list
sprite sheet beside it (frames dictionary, format 2, no rotation, metadata
naming the texture), the form the reader's sprite frame cache loads."""
import plistlib

import cairo

PAD = 2


def pack(frames, width):
    """frames: list of (name, surface). Shelf packing, tallest first.
    Returns (texture surface, {name: (x, y, w, h)})."""
    order = sorted(frames, key=lambda f: (-f[1].get_height(), f[0]))
    places = {}
    x = y = shelf = 0
    for name, surf in order:
        w, h = surf.get_width(), surf.get_height()
        if x + w + PAD > width:
            x, y, shelf = 0, y + shelf + PAD, 0
        places[name] = (x, y, w, h)
        x += w + PAD
        shelf = max(shelf, h)
    height = 1
    while height < y + shelf:
        height *= 2
    texture = cairo.ImageSurface(cairo.FORMAT_ARGB32, width, height)
    ctx = cairo.Context(texture)
    for name, surf in frames:
        fx, fy, _, _ = places[name]
        ctx.set_source_surface(surf, fx, fy)
        ctx.paint()
    return texture, places


def write(plist_path, texture_name, texture, places):
    frames = {}
    for name in sorted(places):
        x, y, w, h = places[name]
        frames[name] = {
            "frame": "{{%d,%d},{%d,%d}}" % (x, y, w, h),
            "offset": "{0,0}",
            "rotated": False,
            "sourceColorRect": "{{0,0},{%d,%d}}" % (w, h),
            "sourceSize": "{%d,%d}" % (w, h),
        }
    sheet = {
        "frames": frames,
        "metadata": {
            "format": 2,
            "realTextureFileName": texture_name,
            "size": "{%d,%d}" % (texture.get_width(), texture.get_height()),
            "textureFileName": texture_name,
        },
    }
    with open(plist_path, "wb") as f:
        plistlib.dump(sheet, f, sort_keys=False)
