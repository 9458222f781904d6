#!/usr/bin/python3
"""Runs the book checker on copies of a book folder: the intact copy must
pass, and each copy broken in one way must fail with a line naming the
damage, exit 1, print no traceback and never block (a FIFO in place of a
file). Usage: test_check_book_broken.py <checker script> <resource folder>"""
import hashlib
import json
import os
import plistlib
import shutil
import struct
import subprocess
import sys
import tempfile
import zlib

BOOK = "qovarn_3391_ver10"


def md5_name(logical):
    return hashlib.md5(logical.encode()).hexdigest() + ".mp3"


def drop_layout(root):
    os.remove(os.path.join(root, BOOK, "tale", "tale_3.json"))
    with open(os.path.join(root, BOOK, "tale", "tale_4.json"), "r+") as f:
        text = f.read()
        f.seek(0)
        f.truncate()
        f.write(text[: len(text) // 2])
    return ["layout %s is missing" % os.path.join(BOOK, "tale", "tale_3.json"),
            "layout %s is unreadable" % os.path.join(BOOK, "tale", "tale_4.json")]


def drop_sentence(root):
    path = os.path.join(root, BOOK, "Stringstr.xml")
    with open(path, "rb") as f:
        table = plistlib.load(f)
    del table["str052"]
    with open(path, "wb") as f:
        plistlib.dump(table, f)
    return ["word button bn052 has no sentence str052"]


def spoil_narration(root):
    epc = os.path.join(root, BOOK, "epc")
    os.remove(os.path.join(epc, md5_name("mc011.mp3")))
    stray = md5_name("mc0149.mp3")
    shutil.copy(os.path.join(epc, md5_name("mc012.mp3")), os.path.join(epc, stray))
    return ["word button bn011 has no narration epc/%s" % md5_name("mc011.mp3"),
            "narration epc/%s belongs to no word button" % stray]


def spoil_images(root):
    with open(os.path.join(root, "Images", "up1.png"), "r+b") as f:
        f.truncate(40)
    with open(os.path.join(root, BOOK, "tale", "page_2.png"), "wb") as f:
        f.write(b"not a picture")
    return ["image Images/up1.png", "image %s" % os.path.join(BOOK, "tale", "page_2.png")]


def fifo_files(root):
    """FIFOs in place of a picture, a narration, the page strings and a layout."""
    paths = [os.path.join(root, "Images", "next1.png"), os.path.join(root, BOOK, "epc", md5_name("mc012.mp3")),
             os.path.join(root, BOOK, "Stringstr.xml"), os.path.join(root, BOOK, "tale", "tale_2.json")]
    for path in paths:
        os.remove(path)
        os.mkfifo(path)
    return ["image Images/next1.png (used by the page controls): a FIFO",
            "narration epc/%s (mc012.mp3): a FIFO" % md5_name("mc012.mp3"),
            "page strings %s: a FIFO" % os.path.join(BOOK, "Stringstr.xml"),
            "layout %s is unreadable: a FIFO" % os.path.join(BOOK, "tale", "tale_2.json")]


def endless_narration(root):
    """A narration of about eleven minutes: a word's frames over and over,
    well under the size bound, over the bound on playing time."""
    epc = os.path.join(root, BOOK, "epc")
    with open(os.path.join(epc, md5_name("mc012.mp3")), "rb") as f:
        word = f.read()
    if word[:3] == b"ID3":
        word = word[10 + sum((b & 0x7F) << (7 * (3 - i)) for i, b in enumerate(word[6:10])):]
    copies = 1
    while copies * len(word) < 3 * 1024 * 1024:
        copies *= 2
    with open(os.path.join(epc, md5_name("mc013.mp3")), "wb") as f:
        f.write(word * copies)
    return ["narration epc/%s (mc013.mp3) is " % md5_name("mc013.mp3"), "s a sound may last"]


def png(width, height, rows=b""):
    """A PNG with the given header size; rows is its compressed data."""
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    ihdr = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", ihdr) + chunk(b"IDAT", rows) + chunk(b"IEND", b"")


def bomb_images(root):
    """A PNG claiming 100000 x 100000 and a real 4097 x 1 picture."""
    with open(os.path.join(root, "Images", "up2.png"), "wb") as f:
        f.write(png(100000, 100000, zlib.compress(b"\0" * 1000)))
    with open(os.path.join(root, "Images", "play_btn.png"), "wb") as f:
        f.write(png(4097, 1, zlib.compress(b"\0" + b"\0" * 4097 * 4)))
    return ["image Images/up2.png (used by the page controls): PNG of 100000 x 100000 pixels",
            "image Images/play_btn.png (used by the page controls): PNG of 4097 x 1 pixels"]


def broken_property_lists(root):
    """Garbage for the string table, a configuration nested 200 deep, and
    page numbers far past the int range."""
    with open(os.path.join(root, "String.xml"), "wb") as f:
        f.write(b"<?xml version='1.0'?><plist><dict><key>a</key><integer>12</int></dict>" + bytes(range(256)))
    path = os.path.join(root, BOOK, "StringConfig.xml")
    with open(path, "rb") as f:
        config = plistlib.load(f)
    config["pageMax"] = "9" * 5000
    config["deep"] = ["x"]
    for _ in range(200):
        config["deep"] = [config["deep"]]
    with open(path, "wb") as f:
        plistlib.dump(config, f)
    return ["string table String.xml: not a valid property list",
            "configuration %s: nested deeper than" % os.path.join(BOOK, "StringConfig.xml")]


def hostile_layouts(root):
    """Layouts the reader refuses: deep JSON, a number past a double, a root
    that is no container, one over the size bound; and a page range of
    two billion pages."""
    tale = os.path.join(root, BOOK, "tale")
    with open(os.path.join(tale, "tale_5.json"), "w") as f:
        f.write("{\"widgetTree\": {\"classname\": \"Panel\"}, \"x\": " + "[" * 100000 + "]" * 100000 + "}")
    with open(os.path.join(tale, "tale_6.json"), "w") as f:
        f.write('{"widgetTree": {"classname": "Panel", "options": {"width": 1e999, "tag": %s}}}' % ("9" * 5000))
    with open(os.path.join(tale, "tale_7.json"), "w") as f:
        json.dump({"widgetTree": {"classname": "Button", "options": {}}}, f)
    with open(os.path.join(tale, "tale_8.json"), "w") as f:
        f.write('{"widgetTree": {"classname": "Panel"}, "pad": "' + "x" * (4 * 1024 * 1024) + '"}')
    return ["tale_5.json is unreadable: not valid JSON (nested",
            "tale_6.json is unreadable: not valid JSON (the number",
            "tale_7.json is unreadable: the root widget is a Button, not a container",
            "tale_8.json is unreadable: %d bytes, more than the 4194304 a layout may have" %
            (len('{"widgetTree": {"classname": "Panel"}, "pad": ""}') + 4 * 1024 * 1024)]


def broken_frames(root):
    """Frames of the page sprite sheet with unparsable and absurd rectangles."""
    tale = os.path.join(root, BOOK, "tale")
    sheets = sorted(n for n in os.listdir(tale) if n.endswith(".plist"))
    path = os.path.join(tale, sheets[0])
    with open(path, "rb") as f:
        sheet = plistlib.load(f)
    names = sorted(sheet["frames"])
    key = "frame" if "frame" in sheet["frames"][names[0]] else "textureRect"
    sheet["frames"][names[0]][key] = "{{a,b},{c,d}}"
    sheet["frames"][names[1]][key] = "{{1e999,0},{10,10}}"
    sheet["frames"][names[2]][key] = "{{100000000,0},{10,10}}"
    with open(path, "wb") as f:
        plistlib.dump(sheet, f)
    return ["frame %s has no readable rectangle" % names[0], "frame %s has no readable rectangle" % names[1],
            "frame %s lies outside its" % names[2]]


def long_sentence_and_twin_buttons(root):
    """A sentence too long to show, and two word buttons with one name."""
    path = os.path.join(root, BOOK, "Stringstr.xml")
    with open(path, "rb") as f:
        table = plistlib.load(f)
    table["str012"] = "word " * 400
    with open(path, "wb") as f:
        plistlib.dump(table, f)
    layout = os.path.join(root, BOOK, "tale", "tale_1.json")
    with open(layout) as f:
        doc = json.load(f)
    stack, buttons = [doc["widgetTree"]], []
    while stack:
        node = stack.pop()
        if str(node.get("options", {}).get("name", "")).startswith("bn01"):
            buttons.append(node)
        stack.extend(node.get("children") or [])
    buttons.sort(key=lambda n: n["options"]["name"])
    buttons[1]["options"]["name"] = buttons[0]["options"]["name"]
    with open(layout, "w") as f:
        json.dump(doc, f)
    return ["sentence str012 is 2000 bytes", "word button name %s is used twice" % buttons[0]["options"]["name"]]


def run(checker, folder):
    try:
        done = subprocess.run([sys.executable, checker, folder], capture_output=True, text=True, timeout=120)
    except subprocess.TimeoutExpired:
        return -1, "the checker did not end within 120 s"
    return done.returncode, done.stdout + done.stderr


def main(checker, book):
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        intact = os.path.join(tmp, "intact")
        shutil.copytree(book, intact)
        code, out = run(checker, intact)
        if code != 0 or len(out.strip().splitlines()) != 1:
            failures.append("intact copy: exit %d\n%s" % (code, out))
        damages = (drop_layout, drop_sentence, spoil_narration, endless_narration, spoil_images, fifo_files,
                   bomb_images, broken_property_lists, hostile_layouts, broken_frames,
                   long_sentence_and_twin_buttons)
        for damage in damages:
            copy = os.path.join(tmp, damage.__name__)
            shutil.copytree(book, copy)
            expected = damage(copy)
            code, out = run(checker, copy)
            if code != 1:
                failures.append("%s: exit %d instead of 1 for a broken book" % (damage.__name__, code))
            if "Traceback" in out:
                failures.append("%s: the checker crashed:\n%s" % (damage.__name__, out))
            for line in expected:
                if line not in out:
                    failures.append("%s: no report containing %r in:\n%s" % (damage.__name__, line, out))
    # Without site packages PIL is missing: one clear line, exit 2.
    done = subprocess.run([sys.executable, "-S", checker, book], capture_output=True, text=True, timeout=120)
    if done.returncode != 2 or "python3-pil" not in done.stdout or "Traceback" in done.stdout + done.stderr:
        failures.append("missing module: exit %d\n%s%s" % (done.returncode, done.stdout, done.stderr))
    for f in failures:
        print("FAIL " + f)
    runs = len(damages) + 2
    print("%d of %d checker runs as expected" % (runs - len({f.split(":")[0] for f in failures}), runs))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("usage: test_check_book_broken.py <checker script> <resource folder>")
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
