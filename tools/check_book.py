#!/usr/bin/python3
"""Checks a book's resource folder before it ships: every page layout of the
configured ranges is present and is one the reader takes, every word button
has a sentence and a narration file, every narration file belongs to a button,
and every image named by the layouts, their sprite sheets and Images/ loads
within the reader's bounds. Files are read the way the reader reads them
(tools/book_rules.py, with the bounds of engine/platform/BookFileLimits.h), so
the checker refuses exactly what the reader refuses, and never waits on a FIFO
or a device.

    /usr/bin/python3 tools/check_book.py <resource folder>

Prints one line per problem (the file and the reason) and exits 1, or prints
a one-line summary and exits 0; exits 2 on a usage error or when something it
needs is missing. Needs python3 and python3-pil only."""
import hashlib
import os
import re
import sys

try:
    from PIL import Image
except ImportError:
    print("check_book.py needs the Python module PIL (Debian package python3-pil), which is not installed")
    sys.exit(2)

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import book_rules  # noqa: E402
from book_rules import Refusal, walk  # noqa: E402

BOOK_FOLDER = "qovarn_3391_ver10"
MAX_WORDS = 49
# The page shows no sentence of this many bytes or more.
SENTENCE_LIMIT = 1600
# A page range wider than this is not walked page by page: only the layouts
# that exist are checked, and the missing ones are counted.
MAX_LISTED_MISSING = 20
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
NUMBER = re.compile(r"[-+]?(?:\d+\.?\d*|\.\d+)(?:[eE][-+]?\d+)?")


def version_number(text):
    """The reader's version number of a layout: four parts weighted 1000, 100,
    10 and 1, each its leading integer, the sum capped."""
    if not isinstance(text, str) or len(text) <= 6:
        return 0
    parts = (text.split(".") + ["0"] * 4)[:4]
    digits = [int(m.group()[:12]) if (m := re.match(r"-?\d+", p)) else 0 for p in parts]
    return min(digits[0] * 1000 + digits[1] * 100 + digits[2] * 10 + digits[3], 1000000000)


def leading_integer(text):
    """atoi rules, saturated to the int range as the reader does."""
    m = re.match(r"\s*([-+]?)(\d+)", str(text))
    if not m:
        return 0
    value = int(m.group(2)[:12])
    value = -value if m.group(1) == "-" else value
    return max(-2 ** 31, min(2 ** 31 - 1, value))


class Checker:
    def __init__(self, root):
        self.root = root
        self.problems = []
        self.images = {}  # path -> pixels, or None when refused
        self.counts = {"layouts": 0, "buttons": 0, "images": 0, "narrations": 0}

    def problem(self, text):
        self.problems.append(text)

    def rel(self, path):
        return os.path.relpath(path, self.root)

    # --- files ---------------------------------------------------------------
    def plist(self, rel, what="property list"):
        """The dictionary of a property list, or None after a finding."""
        path = os.path.join(self.root, rel)
        try:
            return book_rules.parse_plist(book_rules.read_book_file(path, "property list"))
        except Refusal as why:
            self.problem("%s %s: %s" % (what, self.rel(path), why))
            return None

    def image(self, path, used_by):
        """The picture's pixel count, or None after a finding (once per file)."""
        if path not in self.images:
            try:
                data = book_rules.read_book_file(path, "picture")
                w, h = book_rules.judge_picture(data)
                import io
                with Image.open(io.BytesIO(data)) as im:
                    im.load()
                self.images[path] = w * h
                self.counts["images"] += 1
            except Refusal as why:
                self.images[path] = None
                self.problem("image %s (used by %s): %s" % (self.rel(path), used_by, why))
            except Exception as err:  # PIL raises many kinds for broken pictures
                self.images[path] = None
                self.problem("image %s (used by %s) does not load: %s" % (self.rel(path), used_by,
                                                                         str(err)[:120] or type(err).__name__))
        return self.images[path]

    def sheet(self, path, used_by, pixels):
        """Loads one sprite sheet; returns its usable frame names."""
        what = "sprite sheet %s (used by %s)" % (self.rel(path), used_by)
        try:
            data = book_rules.parse_plist(book_rules.read_book_file(path, "property list"))
        except Refusal as why:
            self.problem("%s: %s" % (what, why))
            return set()
        frames, meta = data.get("frames"), data.get("metadata")
        meta = meta if isinstance(meta, dict) else {}
        if not isinstance(frames, dict):
            self.problem("%s has no frames dictionary" % what)
            return set()
        texture = meta.get("textureFileName") or meta.get("realTextureFileName")
        if not isinstance(texture, str) or not texture:
            texture = os.path.splitext(os.path.basename(path))[0] + ".png"
        texture_path = texture if texture.startswith("/") else os.path.join(os.path.dirname(path), texture)
        if self.image(texture_path, self.rel(path)) is None:
            return set()
        pixels[texture_path] = self.images[texture_path]
        with Image.open(texture_path) as im:
            tw, th = im.size
        fmt = leading_integer(meta.get("format", 0))
        if not 0 <= fmt <= 3:
            self.problem("%s: unsupported sheet format %s" % (what, meta.get("format")))
            return set()
        usable = set()
        for name, frame in frames.items():
            reason = frame_problem(frame, fmt, tw, th)
            if reason:
                self.problem("sprite sheet %s: frame %s %s" % (self.rel(path), name, reason))
            else:
                usable.add(name)
        return usable

    def layout(self, rel):
        """The layout document, or None after a finding."""
        path = os.path.join(self.root, rel)
        if not book_rules.exists(path):
            self.problem("layout %s is missing" % rel)
            return None
        try:
            doc = book_rules.parse_layout(book_rules.read_book_file(path, "layout"))
        except Refusal as why:
            self.problem("layout %s is unreadable: %s" % (rel, why))
            return None
        self.counts["layouts"] += 1
        self.layout_images(rel, doc)
        return doc

    def layout_images(self, rel, doc):
        directory = os.path.dirname(os.path.join(self.root, rel))
        objects = version_number(doc.get("version")) > 249
        frames, pixels = set(), {}
        textures = doc.get("textures")
        for sheet in textures if isinstance(textures, list) else []:
            if isinstance(sheet, str):
                frames |= self.sheet(os.path.join(directory, sheet), rel, pixels)
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
                    path = os.path.join(directory, name)
                    if self.image(path, where) is not None:
                        pixels[path] = self.images[path]
        budget = book_rules.LIMITS["kMaxPagePixels"]
        if sum(pixels.values()) > budget:
            self.problem("layout %s: its pictures hold %d pixels, more than the %d a page may decode" %
                         (rel, sum(pixels.values()), budget))

    # --- the book --------------------------------------------------------------
    def run(self):
        config = self.plist(os.path.join(BOOK_FOLDER, "StringConfig.xml"), "configuration")
        self.plist("String.xml", "string table")
        sentences = self.plist(os.path.join(BOOK_FOLDER, "Stringstr.xml"), "page strings") or {}
        for rel, names in FIXED_LAYOUTS.items():
            doc = self.layout(rel)
            if doc:
                found = {n.get("options", {}).get("name") for n in walk(doc["widgetTree"])
                         if isinstance(n.get("options"), dict)}
                for name in names:
                    if name not in found:
                        self.problem("layout %s has no button %s" % (rel, name))
        for name in CONTROL_IMAGES:
            self.image(os.path.join(self.root, "Images", name + ".png"), "the page controls")
        referenced = set()
        if config:
            sub = str(config.get("quiboSubName", ""))
            for low, high in (("pageMin", "pageMax"), ("wordMin", "wordMax")):
                for p in self.pages(config, sub, low, high):
                    rel = os.path.join(BOOK_FOLDER, sub, "%s_%d.json" % (sub, p))
                    doc = self.layout(rel)
                    if doc:
                        referenced |= self.word_buttons(rel, doc, p, sentences)
        self.unreferenced_narration(referenced)
        return self.problems

    def pages(self, config, sub, low_key, high_key):
        """The page numbers of a configured range to check: every page of a
        short range; of a long one, those whose layout exists (the missing
        ones are counted in one finding)."""
        low, high = leading_integer(config.get(low_key, "")), leading_integer(config.get(high_key, ""))
        if low < 1 or high < low:
            return []
        if high - low < 10000:
            return range(low, high + 1)
        folder = os.path.join(self.root, BOOK_FOLDER, sub)
        pattern = re.compile(re.escape(sub) + r"_(\d{1,10})\.json$")
        present = []
        for name in os.listdir(folder) if os.path.isdir(folder) else []:
            m = pattern.match(name)
            if m and low <= int(m.group(1)) <= high:
                present.append(int(m.group(1)))
        self.problem("configuration: pages %d to %d (%s to %s) name %d layouts, of which %d exist" %
                     (low, high, low_key, high_key, high - low + 1, len(present)))
        return sorted(present)

    def word_buttons(self, rel, doc, p, sentences):
        names, twice = {}, set()
        for node in walk(doc["widgetTree"]):
            opts = node.get("options")
            name = opts.get("name") if isinstance(opts, dict) else None
            if isinstance(name, str):
                if name in names:
                    twice.add(name)
                names.setdefault(name, node)
        z = "0" if p < 10 else ""
        stored = set()
        for i in range(1, MAX_WORDS + 1):
            if "bn%s%d%d" % (z, p, i) not in names:
                continue
            self.counts["buttons"] += 1
            key = "str%s%d%d" % (z, p, i)
            entry = sentences.get(key)
            if "bn%s%d%d" % (z, p, i) in twice:
                self.problem("%s: word button name bn%s%d%d is used twice; only the first is bound" % (rel, z, p, i))
            if not isinstance(entry, str) or not entry:
                self.problem("%s: word button bn%s%d%d has no sentence %s" % (rel, z, p, i, key))
            elif len(entry.encode("utf-8")) >= SENTENCE_LIMIT:
                self.problem("%s: sentence %s is %d bytes; the page shows none of %d bytes or more" %
                             (rel, key, len(entry.encode("utf-8")), SENTENCE_LIMIT))
            logical = "mc%s%d%d.mp3" % (z, p, i)
            hashed = hashlib.md5(logical.encode()).hexdigest() + ".mp3"
            stored.add(hashed)
            path = os.path.join(self.root, BOOK_FOLDER, "epc", hashed)
            if not book_rules.exists(path):
                self.problem("%s: word button bn%s%d%d has no narration epc/%s (%s)" % (rel, z, p, i, hashed, logical))
                continue
            try:
                sound = book_rules.read_book_file(path, "sound")
            except Refusal as why:
                self.problem("narration epc/%s (%s): %s" % (hashed, logical, why))
                continue
            head = sound[:3]
            if not (head == b"ID3" or (len(head) >= 2 and head[0] == 0xFF and (head[1] & 0xE0) == 0xE0)):
                self.problem("narration epc/%s (%s) is not an MP3 file" % (hashed, logical))
                continue
            seconds = book_rules.mp3_seconds(sound)
            longest = book_rules.LIMITS["kMaxAudioSeconds"]
            if seconds > longest:
                self.problem("narration epc/%s (%s) is %.0f s long, more than the %d s a sound may last" %
                             (hashed, logical, seconds, longest))
        return stored

    def unreferenced_narration(self, referenced):
        epc = os.path.join(self.root, BOOK_FOLDER, "epc")
        for name in sorted(os.listdir(epc)) if os.path.isdir(epc) else []:
            if name in referenced:
                self.counts["narrations"] += 1
            else:
                self.problem("narration epc/%s belongs to no word button" % name)


def numbers_in(value):
    """The numbers of a "{{x,y},{w,h}}" string, as the reader reads them."""
    if isinstance(value, bool):
        return [1.0 if value else 0.0]
    if isinstance(value, (int, float)):
        return [float(value)]
    if not isinstance(value, str):
        return []
    return [float(n) for n in NUMBER.findall(value)]


def frame_problem(frame, fmt, tw, th):
    """Why the reader refuses or clips a sprite frame, or None."""
    if not isinstance(frame, dict):
        return "is not a dictionary"
    rotated = False
    if fmt == 0:
        nums = [(numbers_in(frame.get(k)) or [0.0])[0] for k in ("x", "y", "width", "height")]
    elif fmt in (1, 2):
        nums = numbers_in(frame.get("frame"))
        rotated = fmt == 2 and frame.get("rotated") in (True, "true", 1)
    else:
        rect, size = numbers_in(frame.get("textureRect")), numbers_in(frame.get("spriteSize"))
        nums = rect[:2] + size[:2] if len(rect) >= 4 and len(size) >= 2 else []
        rotated = frame.get("textureRotated") in (True, "true", 1)
    if len(nums) < 4 or not all(abs(n) < float("inf") for n in nums[:4]) or nums[2] <= 0 or nums[3] <= 0:
        return "has no readable rectangle (%r)" % (frame.get("frame") or frame.get("textureRect"),)
    x, y, w, h = nums[:4]
    if rotated:
        w, h = h, w
    if x >= tw or y >= th or x + w <= 0 or y + h <= 0:
        return "lies outside its %d x %d texture" % (tw, th)
    if x < 0 or y < 0 or x + w > tw or y + h > th:
        return "reaches outside its %d x %d texture (the reader clips it)" % (tw, th)
    return None


def main(argv):
    if len(argv) != 2 or not os.path.isdir(argv[1]):
        print("usage: check_book.py <resource folder>")
        return 2
    try:
        book_rules.load_limits()
    except book_rules.LimitsMissing as err:
        print("check_book.py needs the reader's limits file: %s" % err)
        return 2
    checker = Checker(os.path.abspath(argv[1]))
    try:
        problems = checker.run()
    except Exception as err:  # a fault of the checker itself, still reported as one line
        problems = checker.problems + ["the checker stopped on an unexpected %s: %s" % (type(err).__name__, err)]
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
