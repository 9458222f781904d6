#!/usr/bin/python3
"""Runs the book checker on copies of a book folder: the intact copy must
pass, and each copy broken in one way must fail with a line naming the
damage. Usage: check_book_broken_test.py <checker script> <resource folder>"""
import hashlib
import os
import plistlib
import shutil
import subprocess
import sys
import tempfile

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


def run(checker, folder):
    done = subprocess.run([sys.executable, checker, folder], capture_output=True, text=True)
    return done.returncode, done.stdout


def main(checker, book):
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        intact = os.path.join(tmp, "intact")
        shutil.copytree(book, intact)
        code, out = run(checker, intact)
        if code != 0 or len(out.strip().splitlines()) != 1:
            failures.append("intact copy: exit %d\n%s" % (code, out))
        for damage in (drop_layout, drop_sentence, spoil_narration, spoil_images):
            copy = os.path.join(tmp, damage.__name__)
            shutil.copytree(book, copy)
            expected = damage(copy)
            code, out = run(checker, copy)
            if code == 0:
                failures.append("%s: checker passed a broken book" % damage.__name__)
            for line in expected:
                if line not in out:
                    failures.append("%s: no report containing %r in:\n%s" % (damage.__name__, line, out))
    for f in failures:
        print("FAIL " + f)
    print("%d of 5 checker runs as expected" % (5 - len({f.split(":")[0] for f in failures})))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("usage: check_book_broken_test.py <checker script> <resource folder>")
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
