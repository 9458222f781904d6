#!/usr/bin/python3
"""The checker refuses exactly the layouts the reader refuses: each layout
below, broken in one way or odd but readable, goes through the real reader
(the quibo-layout tool) and through the checker's rules, and both must give
the same verdict. The bounds both use come from one file, BookFileLimits.h.
Usage: test_check_book_agrees.py <quibo-layout binary> <tools folder>"""
import os
import subprocess
import sys
import tempfile

PANEL = '{"classname": "Panel", "options": {"width": 10, "height": 10}}'


def cases(limits):
    nesting = limits["kMaxLayoutNesting"]
    size = limits["kMaxLayoutFileBytes"]
    deep = lambda d: '{"widgetTree": %s, "x": %s%s}' % (PANEL, "[" * (d - 1), "]" * (d - 1))
    padded = lambda n: '{"widgetTree": %s, "pad": "%s"}' % (PANEL, "x" * (n - len('{"widgetTree": %s, "pad": ""}' % PANEL)))
    return {
        "plain": '{"widgetTree": %s}' % PANEL,
        "byte order mark": "\ufeff" + '{"widgetTree": %s}' % PANEL,
        "comments": '// a note\n{"widgetTree": /* here */ %s}' % PANEL,
        "trailing commas": '{"widgetTree": {"classname": "Panel", "children": [%s,],},}' % PANEL,
        "text after the value": '{"widgetTree": %s} and then some' % PANEL,
        "nesting at the bound": deep(nesting),
        "nesting past the bound": deep(nesting + 1),
        "very deep nesting": deep(100000),
        "size at the bound": padded(size),
        "size past the bound": padded(size + 1),
        "infinite number": '{"widgetTree": {"classname": "Panel", "options": {"width": 1e999}}}',
        "NaN": '{"widgetTree": {"classname": "Panel", "options": {"width": NaN}}}',
        "huge integer": '{"widgetTree": {"classname": "Panel", "options": {"tag": %s}}}' % ("9" * 400),
        "large but finite integer": '{"widgetTree": {"classname": "Panel", "options": {"tag": %s}}}' % ("9" * 30),
        "root is a button": '{"widgetTree": {"classname": "Button", "options": {}}}',
        "root of unknown class": '{"widgetTree": {"classname": "Sprocket"}}',
        "scroll view root": '{"widgetTree": {"classname": "ScrollView", "options": {"width": 10, "height": 10}}}',
        "no widget tree": '{"version": "1.2.0.0"}',
        "not an object": '[1, 2, 3]',
        "empty": "",
        "broken": '{"widgetTree": ',
    }


def main(quibo_layout, tools):
    sys.path.insert(0, tools)
    import book_rules
    limits = book_rules.load_limits()
    failures = []
    with tempfile.TemporaryDirectory() as tmp:
        for name, text in cases(limits).items():
            path = os.path.join(tmp, "layout.json")
            with open(path, "w", encoding="utf-8") as f:
                f.write(text)
            reader = subprocess.run([quibo_layout, path, "--resources", tmp], capture_output=True,
                                    timeout=120).returncode == 0
            try:
                book_rules.parse_layout(book_rules.read_book_file(path, "layout"))
                checker, why = True, ""
            except book_rules.Refusal as refusal:
                checker, why = False, str(refusal)
            if reader != checker:
                failures.append("%s: the reader %s it, the checker %s it %s" %
                                (name, "takes" if reader else "refuses", "takes" if checker else "refuses", why))
    for f in failures:
        print("FAIL " + f)
    total = len(cases(limits))
    print("%d passed, %d failed" % (total - len(failures), len(failures)))
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 3:
        print("usage: test_check_book_agrees.py <quibo-layout binary> <tools folder>")
        sys.exit(2)
    sys.exit(main(sys.argv[1], sys.argv[2]))
