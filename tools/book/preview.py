#!/usr/bin/python3
"""Draws a layout file roughly as the reader shows it, to look at a page
while making it: panel backgrounds, image views, labels in the reader's font,
and (with --words) every button drawn, word buttons included, so that their
boxes can be checked against the words.

    /usr/bin/python3 tools/book/preview.py layout.json out.png [--words]"""
import json
import os
import plistlib
import re
import sys

from PIL import Image, ImageDraw, ImageFont

FONT = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"


def nine_slice(img, w, h, caps):
    w, h = max(1, int(round(w))), max(1, int(round(h)))
    iw, ih = img.size
    l, t, cw, ch = caps if caps and caps[2] > 0 else (iw / 3, ih / 3, iw / 3, ih / 3)
    l, t = int(l), int(t)
    r, b = int(iw - l - cw), int(ih - t - ch)
    out = Image.new("RGBA", (w, h))
    xs = [(0, l, 0, l), (l, iw - r, l, w - r), (iw - r, iw, w - r, w)]
    ys = [(0, t, 0, t), (t, ih - b, t, h - b), (ih - b, ih, h - b, h)]
    for sx0, sx1, dx0, dx1 in xs:
        for sy0, sy1, dy0, dy1 in ys:
            if sx1 > sx0 and sy1 > sy0 and dx1 > dx0 and dy1 > dy0:
                out.paste(img.crop((sx0, sy0, sx1, sy1)).resize((dx1 - dx0, dy1 - dy0)), (dx0, dy0))
    return out


class Preview:
    def __init__(self, path, show_words):
        self.dir = os.path.dirname(os.path.abspath(path))
        self.doc = json.load(open(path, encoding="utf-8"))
        v = self.doc.get("version", "")
        parts = [int(p) if p.isdigit() else 0 for p in v.split(".")] if len(v) > 6 else [0, 0, 0, 0]
        self.objects = len(parts) == 4 and parts[0] * 1000 + parts[1] * 100 + parts[2] * 10 + parts[3] > 249
        self.frames = {}
        for sheet in self.doc.get("textures", []):
            p = os.path.join(self.dir, sheet)
            data = plistlib.load(open(p, "rb"))
            tex = Image.open(os.path.join(os.path.dirname(p), data["metadata"]["textureFileName"])).convert("RGBA")
            for name, f in data["frames"].items():
                x, y, w, h = map(int, re.findall(r"-?\d+", f["frame"]))
                self.frames[name] = tex.crop((x, y, x + w, y + h))
        self.show_words = show_words
        self.canvas = Image.new("RGBA", (640, 960), (0, 0, 0, 255))

    def image(self, opts, plain, objects):
        if self.objects:
            ref = opts.get(objects) or {}
            kind, name = ref.get("resourceType", 0), ref.get("path", "")
        else:
            name, kind = opts.get(plain, ""), 1 if opts.get("useMergedTexture") else 0
        if not name:
            return None
        return self.frames[name] if kind == 1 else Image.open(os.path.join(self.dir, name)).convert("RGBA")

    def put(self, img, ox, oy, opts, w, h):
        ax, ay = opts.get("anchorPointX", 0.5), opts.get("anchorPointY", 0.5)
        left, top = ox + opts.get("x", 0) - ax * w, 960 - (oy + opts.get("y", 0) - ay * h) - h
        self.canvas.alpha_composite(img, (int(round(left)), int(round(top))))

    def node(self, node, ox, oy):
        cls, o = node["classname"], node["options"]
        if o.get("visible") is False:
            return
        if cls == "Panel":
            w, h = o["width"], o["height"]
            x0, y0 = ox + o["x"] - o.get("anchorPointX", 0.5) * w, oy + o["y"] - o.get("anchorPointY", 0.5) * h
            if o.get("colorType") == 1:
                layer = Image.new("RGBA", (int(w), int(h)), (o["bgColorR"], o["bgColorG"], o["bgColorB"],
                                                             o.get("bgColorOpacity", 0)))
                self.canvas.alpha_composite(layer, (int(x0), int(960 - y0 - h)))
            elif o.get("colorType") == 2:
                layer = Image.new("RGBA", (int(w), int(h)), (o["bgEndColorR"], o["bgEndColorG"], o["bgEndColorB"], 255))
                self.canvas.alpha_composite(layer, (int(x0), int(960 - y0 - h)))
            img = self.image(o, "backGroundImage", "backGroundImageData")
            if img:
                if o.get("backGroundScale9Enable"):
                    img = nine_slice(img, w, h, (o["capInsetsX"], o["capInsetsY"], o["capInsetsWidth"],
                                                 o["capInsetsHeight"]))
                self.canvas.alpha_composite(img, (int(x0 + (w - img.width) / 2), int(960 - y0 - h + (h - img.height) / 2)))
            for child in sorted(node["children"], key=lambda c: c["options"].get("ZOrder", 0)):
                self.node(child, x0, y0)
        elif cls == "ImageView":
            img = self.image(o, "fileName", "fileNameData")
            if o.get("scale9Enable"):
                img = nine_slice(img, o["scale9Width"], o["scale9Height"],
                                 (o["capInsetsX"], o["capInsetsY"], o["capInsetsWidth"], o["capInsetsHeight"]))
            self.put(img, ox, oy, o, img.width, img.height)
        elif cls == "Label":
            font = ImageFont.truetype(FONT, o["fontSize"])
            asc, desc = font.getmetrics()
            w, h = int(font.getlength(o["text"])) + 1, asc + desc
            img = Image.new("RGBA", (w, h))
            ImageDraw.Draw(img).text((0, 0), o["text"], font=font, fill=(o["colorR"], o["colorG"], o["colorB"], 255))
            self.put(img, ox, oy, o, w, h)
        elif cls in ("Button", "TextButton"):
            word = re.fullmatch(r"bn\d+", o["name"]) is not None
            if word and not self.show_words:
                return
            img = self.image(o, "normal", "normalData")
            w, h = o["scale9Width"], o["scale9Height"]
            img = nine_slice(img, w, h, (o["capInsetsX"], o["capInsetsY"], o["capInsetsWidth"], o["capInsetsHeight"]))
            if cls == "TextButton":
                font = ImageFont.truetype(FONT, o["fontSize"])
                d = ImageDraw.Draw(img)
                d.text((w / 2, h / 2), o["text"], font=font, anchor="mm",
                       fill=(o["textColorR"], o["textColorG"], o["textColorB"], 255))
            self.put(img, ox, oy, o, w, h)

    def render(self, out):
        self.node(self.doc["widgetTree"], 0, 0)
        self.canvas.convert("RGB").save(out)


if __name__ == "__main__":
    Preview(sys.argv[1], "--words" in sys.argv).render(sys.argv[2])
