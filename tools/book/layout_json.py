"""Builders for layout-file widget nodes, written the way the layout editor
writes them. One Writer per file: it knows the file's resource-reference
generation ("objects": resource objects with resourceType/path, files of
version 1.2.0.0; "plain": plain names, version 0.2.4.0) and hands out action
tags."""
import json

OBJECTS_VERSION = "1.2.0.0"
PLAIN_VERSION = "0.2.4.0"
FILE, FRAME = 0, 1
TEXT_FONT = "Arial"


class Writer:
    def __init__(self, generation):
        assert generation in ("objects", "plain")
        self.generation = generation
        self._action_tag = 100

    # --- options shared by every class --------------------------------------
    def common(self, name, x, y, w, h, anchor=(0.5, 0.5), touch=False, z=0, tag=0, colour=(255, 255, 255),
               ignore_size=None, opacity=255):
        self._action_tag += 1
        opts = {
            "name": name, "x": x, "y": y, "width": w, "height": h,
            "tag": tag, "actiontag": self._action_tag, "touchAble": touch, "ZOrder": z,
            "visible": True, "scaleX": 1.0, "scaleY": 1.0, "rotation": 0,
            "opacity": opacity, "colorR": colour[0], "colorG": colour[1], "colorB": colour[2],
            "anchorPointX": anchor[0], "anchorPointY": anchor[1], "flipX": False, "flipY": False,
        }
        if ignore_size is not None:
            opts["ignoreSize"] = ignore_size
        return opts

    def _image(self, opts, plain_key, objects_key, kind, path):
        """Puts one image reference into opts in this file's generation."""
        if self.generation == "objects":
            opts[objects_key] = {"resourceType": kind, "path": path}
        else:
            opts[plain_key] = path
            if path and kind == FRAME:
                opts["useMergedTexture"] = True
            opts.setdefault("useMergedTexture", False)

    # --- widget classes -----------------------------------------------------
    def panel(self, name, x, y, w, h, children, colour_type=0, bg=(255, 255, 255), bg_opacity=0,
              image=None, image_kind=FILE, scale9=False, caps=(0, 0, 0, 0), clip=False, z=0):
        opts = self.common(name, x, y, w, h, anchor=(0, 0), z=z, ignore_size=False)
        opts.update({
            "clipAble": clip, "backGroundScale9Enable": scale9, "colorType": colour_type,
            "bgColorR": bg[0], "bgColorG": bg[1], "bgColorB": bg[2], "bgColorOpacity": bg_opacity,
            "bgStartColorR": 255, "bgStartColorG": 255, "bgStartColorB": 255,
            "bgEndColorR": bg[0], "bgEndColorG": bg[1], "bgEndColorB": bg[2],
            "vectorX": 0, "vectorY": -1,
            "capInsetsX": caps[0], "capInsetsY": caps[1], "capInsetsWidth": caps[2], "capInsetsHeight": caps[3],
        })
        self._image(opts, "backGroundImage", "backGroundImageData", image_kind, image or "")
        return {"classname": "Panel", "options": opts, "children": children}

    def image_view(self, name, x, y, path, kind, size=None, caps=None, z=1):
        w, h = size if size else (0, 0)
        opts = self.common(name, x, y, w, h, z=z)
        opts["scale9Enable"] = bool(size)
        self._image(opts, "fileName", "fileNameData", kind, path)
        if size:
            opts.update({"scale9Width": w, "scale9Height": h})
            cx, cy, cw, ch = caps
            opts.update({"capInsetsX": cx, "capInsetsY": cy, "capInsetsWidth": cw, "capInsetsHeight": ch})
        return {"classname": "ImageView", "options": opts, "children": []}

    def label(self, name, x, y, text, size, colour=(62, 39, 35), anchor=(0, 0.5), z=2):
        opts = self.common(name, x, y, 0, 0, anchor=anchor, z=z, colour=colour)
        opts.update({"text": text, "fontName": TEXT_FONT, "fontSize": size, "touchScaleEnable": False})
        return {"classname": "Label", "options": opts, "children": []}

    def button(self, name, x, y, w, h, images, kind, caps, z=5, tag=0, title=None):
        """A nine-slice button: images = (normal, pressed, disabled) names.
        With title = (text, size, (r, g, b)) it is a TextButton."""
        opts = self.common(name, x, y, w, h, touch=True, z=z, tag=tag, ignore_size=False)
        opts["scale9Enable"] = True
        for (plain, objects), path in zip((("normal", "normalData"), ("pressed", "pressedData"),
                                           ("disabled", "disabledData")), images):
            self._image(opts, plain, objects, kind, path)
        opts.update({"capInsetsX": caps[0], "capInsetsY": caps[1], "capInsetsWidth": caps[2],
                     "capInsetsHeight": caps[3], "scale9Width": w, "scale9Height": h})
        classname = "Button"
        if title:
            text, size, colour = title
            classname = "TextButton"
            opts.update({"text": text, "fontName": TEXT_FONT, "fontSize": size,
                         "textColorR": colour[0], "textColorG": colour[1], "textColorB": colour[2]})
        return {"classname": classname, "options": opts, "children": []}

    # --- the file -----------------------------------------------------------
    def document(self, root, textures=()):
        doc = {
            "classname": None,
            "name": None,
            "animation": {"classname": None, "name": "AnimationManager", "actionlist": []},
            "dataScale": 1,
            "designHeight": 960,
            "designWidth": 640,
            "textures": list(textures),
            "version": OBJECTS_VERSION if self.generation == "objects" else PLAIN_VERSION,
            "widgetTree": root,
        }
        return doc


def save(path, doc):
    with open(path, "w", encoding="utf-8") as f:
        json.dump(doc, f, indent=2, ensure_ascii=False)
        f.write("\n")
