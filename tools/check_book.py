#!/usr/bin/python3
"""Checks a book's resource folder before it ships: every page layout of the
configured ranges is present and parses, every word button has a sentence and
a narration file, every narration file belongs to a button, and every image
named by the layouts, their sprite sheets and Images/ loads.

    /usr/bin/python3 tools/check_book.py <resource folder>

Prints one line per problem and exits 1, or prints a one-line summary and
exits 0. Needs python3 and python3-pil only."""
import hashlib
import json
import os
import plistlib
import re
import sys

from PIL import Image

BOOK_FOLDER = "qovarn_3391_ver10"
MAX_WORDS = 49
FIXED_LAYOUTS = {
    "mainpage/mainpage_1.json": ["bngoon", "bnwordlean", "bnselect", "bnreturn"],
    "3age/pageset.json": ["bnmain", "bnpres", "bnaotopage", "bnaoto", "bnok", "bncancel"],
}
CONTROL_IMAGES = ["up1", "up2", "next1", "next2", "play_btn", "pause_btn", "bnchback1", "bnren1", "bnren2"]
# image options per class: (plain-name key, resource-object key)
IMAGE_KEYS = {
    "Button": [("normal", "normalData"), ("pressed", "pressedData"), ("disabled", "disabledData")],
    "TextButton": [("normal", "normalData"), ("pressed", "pressedData"), ("disabled", "disabledData")],
    "CheckBox": [("backGroundBox", "backGroundBoxData"), ("backGroundBoxSelected", "backGroundBoxSelectedData"),
                 ("frontCross", "frontCrossData"), ("backGroundBoxDisabled", "backGroundBoxDisabledData"),
                 ("frontCrossDisabled", "frontCrossDisabledData")],
    "ImageView": [("fileName", "fileNameData")],
    "LoadingBar": [("texture", "textureData")],
    "Slider": [("barFileName", "barFileNameData"), ("ballNormal", "ballNormalData"),
               ("ballPressed", "ballPressedData"), ("ballDisabled", "ballDisabledData"),
               ("progressBarFileName", "progressBarData")],
    "Panel": [("backGroundImage", "backGroundImageData")],
    "ScrollView": [("backGroundImage", "backGroundImageData")],
    "DragPanel": [("backGroundImage", "backGroundImageData")],
    "PageView": [("backGroundImage", "backGroundImageData")],
}


def version_number(text):
    if not isinstance(text, str) or len(text) <= 6:
        return 0
    parts = (text.split(".") + ["0"] * 4)[:4]
    digits = [int(m.group()) if (m := re.match(r"-?\d+", p)) else 0 for p in parts]
    return digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3]


class Checker:
    def __init__(self, root):
        self.root = root
        self.problems = []
        self.images_ok = {}
        self.counts = {"layouts": 0, "buttons": 0, "images": 0, "narrations": 0}

    def problem(self, text):
        self.problems.append(text)

    def rel(self, path):
        return os.path.relpath(path, self.root)

    # --- files ---------------------------------------------------------------
    def plist(self, rel):
        path = os.path.join(self.root, rel)
        try:
            with open(path, "rb") as f:
                data = plistlib.load(f)
        except (OSError, plistlib.InvalidFileException, ValueError) as err:
            self.problem("%s: unreadable property list (%s)" % (rel, err))
            return None
        if not isinstance(data, dict):
            self.problem("%s: root is not a dictionary" % rel)
            return None
        return data

    def image(self, path, used_by):
        if path not in self.images_ok:
            try:
                with Image.open(path) as im:
                    im.load()
                self.images_ok[path] = True
                self.counts["images"] += 1
            except (OSError, ValueError, SyntaxError) as err:
                self.images_ok[path] = False
                self.problem("image %s (used by %s) does not load: %s" % (self.rel(path), used_by, err))
        return self.images_ok[path]

    def sheet(self, path, used_by):
        """Loads one sprite sheet; returns its frame names (empty on failure)."""
        try:
            with open(path, "rb") as f:
                data = plistlib.load(f)
            frames = data["frames"]
            meta = data.get("metadata", {})
        except (OSError, plistlib.InvalidFileException, ValueError, KeyError, TypeError) as err:
            self.problem("sprite sheet %s (used by %s) is unreadable: %s" % (self.rel(path), used_by, err))
            return set()
        texture = meta.get("textureFileName") or meta.get("realTextureFileName") or \
            os.path.splitext(os.path.basename(path))[0] + ".png"
        texture_path = os.path.join(os.path.dirname(path), texture)
        if not self.image(texture_path, self.rel(path)):
            return set()
        with Image.open(texture_path) as im:
            tw, th = im.size
        for name, frame in frames.items():
            rect = frame.get("frame") or frame.get("textureRect") if isinstance(frame, dict) else None
            nums = [int(float(n)) for n in re.findall(r"-?\d+(?:\.\d+)?", rect or "")]
            if len(nums) != 4 or nums[0] < 0 or nums[1] < 0 or nums[0] + nums[2] > tw or nums[1] + nums[3] > th:
                self.problem("sprite sheet %s: frame %s lies outside its texture" % (self.rel(path), name))
        return set(frames)

    def layout(self, rel):
        path = os.path.join(self.root, rel)
        if not os.path.isfile(path):
            self.problem("layout %s is missing" % rel)
            return None
        try:
            with open(path, encoding="utf-8") as f:
                doc = json.load(f)
        except (OSError, ValueError) as err:
            self.problem("layout %s is unreadable: %s" % (rel, err))
            return None
        if not isinstance(doc, dict) or not isinstance(doc.get("widgetTree"), dict):
            self.problem("layout %s has no widget tree" % rel)
            return None
        self.counts["layouts"] += 1
        self.layout_images(rel, doc)
        return doc

    def layout_images(self, rel, doc):
        directory = os.path.dirname(os.path.join(self.root, rel))
        objects = version_number(doc.get("version")) > 249
        frames = set()
        for sheet in doc.get("textures", []) or []:
            frames |= self.sheet(os.path.join(directory, str(sheet)), rel)
        for node in walk(doc["widgetTree"]):
            opts = node.get("options") if isinstance(node.get("options"), dict) else {}
            merged = opts.get("useMergedTexture") is True
            for plain, obj in IMAGE_KEYS.get(node.get("classname"), []):
                if objects:
                    ref = opts.get(obj)
                    if not isinstance(ref, dict):
                        continue
                    kind, name = ref.get("resourceType", 0), ref.get("path")
                else:
                    kind, name = (1 if merged else 0), opts.get(plain)
                if not isinstance(name, str) or not name:
                    continue
                where = "%s, widget %s" % (rel, opts.get("name", "default"))
                if kind == 1 and name not in frames:
                    self.problem("sprite frame %s (%s) is in none of the file's sprite sheets" % (name, where))
                elif kind == 0:
                    self.image(os.path.join(directory, name), where)

    # --- the book --------------------------------------------------------------
    def run(self):
        config = self.plist(os.path.join(BOOK_FOLDER, "StringConfig.xml"))
        self.plist("String.xml")
        sentences = self.plist(os.path.join(BOOK_FOLDER, "Stringstr.xml")) or {}
        for rel, names in FIXED_LAYOUTS.items():
            doc = self.layout(rel)
            if doc:
                found = {n.get("options", {}).get("name") for n in walk(doc["widgetTree"])}
                for name in names:
                    if name not in found:
                        self.problem("layout %s has no button %s" % (rel, name))
        for name in CONTROL_IMAGES:
            self.image(os.path.join(self.root, "Images", name + ".png"), "the page controls")
        referenced = set()
        if config:
            sub = str(config.get("quiboSubName", ""))
            pages = list(page_range(config, "pageMin", "pageMax")) + list(page_range(config, "wordMin", "wordMax"))
            for p in pages:
                rel = os.path.join(BOOK_FOLDER, sub, "%s_%d.json" % (sub, p))
                doc = self.layout(rel)
                if doc:
                    referenced |= self.word_buttons(rel, doc, p, sentences)
        self.unreferenced_narration(referenced)
        return self.problems

    def word_buttons(self, rel, doc, p, sentences):
        names = {}
        for node in walk(doc["widgetTree"]):
            name = (node.get("options") or {}).get("name")
            if isinstance(name, str):
                names.setdefault(name, node)
        z = "0" if p < 10 else ""
        stored = set()
        for i in range(1, MAX_WORDS + 1):
            if "bn%s%d%d" % (z, p, i) not in names:
                continue
            self.counts["buttons"] += 1
            key = "str%s%d%d" % (z, p, i)
            entry = sentences.get(key)
            if not isinstance(entry, str) or not entry:
                self.problem("%s: word button bn%s%d%d has no sentence %s" % (rel, z, p, i, key))
            logical = "mc%s%d%d.mp3" % (z, p, i)
            hashed = hashlib.md5(logical.encode()).hexdigest() + ".mp3"
            stored.add(hashed)
            path = os.path.join(self.root, BOOK_FOLDER, "epc", hashed)
            if not os.path.isfile(path):
                self.problem("%s: word button bn%s%d%d has no narration epc/%s (%s)" % (rel, z, p, i, hashed, logical))
            elif not looks_like_mp3(path):
                self.problem("narration epc/%s (%s) is not an MP3 file" % (hashed, logical))
        return stored

    def unreferenced_narration(self, referenced):
        epc = os.path.join(self.root, BOOK_FOLDER, "epc")
        for name in sorted(os.listdir(epc)) if os.path.isdir(epc) else []:
            if name in referenced:
                self.counts["narrations"] += 1
            else:
                self.problem("narration epc/%s belongs to no word button" % name)


def walk(node):
    if not isinstance(node, dict):
        return
    yield node
    for child in node.get("children") or []:
        yield from walk(child)


def page_range(config, low_key, high_key):
    def number(key):
        m = re.match(r"\s*[-+]?\d+", str(config.get(key, "")))
        return int(m.group()) if m else 0
    low, high = number(low_key), number(high_key)
    return range(low, high + 1) if low >= 1 else range(0)


def looks_like_mp3(path):
    with open(path, "rb") as f:
        head = f.read(3)
    return head == b"ID3" or (len(head) >= 2 and head[0] == 0xFF and (head[1] & 0xE0) == 0xE0)


def main(argv):
    if len(argv) != 2 or not os.path.isdir(argv[1]):
        print("usage: check_book.py <resource folder>")
        return 2
    checker = Checker(os.path.abspath(argv[1]))
    problems = checker.run()
    for line in problems:
        print(line)
    if problems:
        print("%d problem(s) found" % len(problems))
        return 1
    c = checker.counts
    print("book ok: %d layouts, %d word buttons, %d narration files, %d images" %
          (c["layouts"], c["buttons"], c["narrations"], c["images"]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
