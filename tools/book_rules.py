"""What the reader accepts, for the book checker: the size and picture bounds
read from the reader's own engine/platform/BookFileLimits.h, book files read
the guarded way (regular files only, never waiting on a FIFO or a device,
within the bound of their kind), layout JSON read as leniently and as strictly
as the reader reads it, and pictures judged by their header before decoding.
Every function reports a problem as a Refusal with the reason in words."""
import json
import math
import os
import re
import stat

HERE = os.path.dirname(os.path.abspath(__file__))
LIMITS_HEADER = os.path.join(HERE, "..", "engine", "platform", "BookFileLimits.h")


class Refusal(Exception):
    """A book file the reader would refuse; str() is the reason."""


class LimitsMissing(Exception):
    """The reader's limits file cannot be found or read."""


def read_limits(path=LIMITS_HEADER):
    """The "constexpr long long kName = a * b;" values of the limits header."""
    try:
        with open(path, encoding="utf-8") as f:
            text = f.read()
    except OSError as err:
        raise LimitsMissing("%s: %s" % (path, err.strerror or err))
    limits = {}
    for name, expr in re.findall(r"constexpr\s+long\s+long\s+(k\w+)\s*=\s*([0-9LL\s*]+);", text):
        value = 1
        for factor in expr.split("*"):
            value *= int(factor.strip().rstrip("L") or "1")
        limits[name] = value
    needed = ["kMaxLayoutFileBytes", "kMaxPropertyListFileBytes", "kMaxImageFileBytes", "kMaxAudioFileBytes",
              "kMaxImageSide", "kMaxImagePixels", "kMaxPagePixels", "kMaxLayoutNesting",
              "kMaxPropertyListNesting", "kMaxAudioSeconds"]
    absent = [n for n in needed if n not in limits]
    if absent:
        raise LimitsMissing("%s lacks %s" % (path, ", ".join(absent)))
    return limits


LIMITS = None  # filled by load_limits()


def load_limits(path=LIMITS_HEADER):
    global LIMITS
    LIMITS = read_limits(path)
    return LIMITS


KIND_LIMIT = {"layout": "kMaxLayoutFileBytes", "property list": "kMaxPropertyListFileBytes",
              "picture": "kMaxImageFileBytes", "sound": "kMaxAudioFileBytes"}


def file_kind_problem(mode):
    """Why a file of this mode is no book file, or None for a regular file."""
    if stat.S_ISREG(mode):
        return None
    if stat.S_ISDIR(mode):
        return "a directory, not a regular file"
    if stat.S_ISFIFO(mode):
        return "a FIFO, not a regular file"
    if stat.S_ISCHR(mode) or stat.S_ISBLK(mode):
        return "a device, not a regular file"
    if stat.S_ISSOCK(mode):
        return "a socket, not a regular file"
    return "not a regular file"


def exists(path):
    try:
        os.stat(path)
        return True
    except (OSError, ValueError):
        return False


def read_book_file(path, kind):
    """The whole file's bytes, read as the reader reads a book file of the
    kind; Refusal when it is missing, not a regular file or too large."""
    limit = LIMITS[KIND_LIMIT[kind]]
    try:
        st = os.stat(path)
    except (OSError, ValueError) as err:
        raise Refusal("missing (%s)" % (getattr(err, "strerror", None) or err))
    problem = file_kind_problem(st.st_mode)
    if problem:
        raise Refusal(problem)
    try:
        fd = os.open(path, os.O_RDONLY | os.O_NONBLOCK | getattr(os, "O_NOCTTY", 0))
    except OSError as err:
        raise Refusal("cannot be opened (%s)" % err.strerror)
    try:
        st = os.fstat(fd)
        problem = file_kind_problem(st.st_mode)
        if problem:
            raise Refusal(problem)
        if st.st_size > limit:
            raise Refusal("%d bytes, more than the %d a %s may have" % (st.st_size, limit, kind))
        chunks, total = [], 0
        while True:
            chunk = os.read(fd, 1 << 16)
            if not chunk:
                break
            chunks.append(chunk)
            total += len(chunk)
            if total > limit:
                raise Refusal("grew past the %d bytes a %s may have while read" % (limit, kind))
        return b"".join(chunks)
    except OSError as err:
        raise Refusal("read error (%s)" % err.strerror)
    finally:
        os.close(fd)


# --- layouts ------------------------------------------------------------------
# The reader's JSON parser takes comments, trailing commas and anything after
# the first value, and refuses NaN, infinities, numbers that overflow a double
# and nesting deeper than its stack limit.
_TOKEN = re.compile(r'["/\[\]{},]')
_STRING_BODY = re.compile(r'(?:[^"\\]|\\.)*"', re.S)
_SPACE = re.compile(r"\s*")


def _normalise(text, nesting):
    """Text without comments and trailing commas, and its deepest nesting;
    the scan stops as soon as it passes nesting."""
    out, depth, deepest, at, pending_comma = [], 0, 0, 0, None
    pos = 0
    while True:
        m = _TOKEN.search(text, pos)
        if not m:
            break
        c, i = m.group(), m.start()
        if c == '"':
            end = _STRING_BODY.match(text, i + 1)
            if not end:
                raise Refusal("not valid JSON (a string is not closed)")
            pending_comma = None
            pos = end.end()
            continue
        if c == "/":
            if text.startswith("//", i):
                nl = text.find("\n", i)
                stop = len(text) if nl < 0 else nl
            elif text.startswith("/*", i):
                close = text.find("*/", i + 2)
                if close < 0:
                    raise Refusal("not valid JSON (a comment is not closed)")
                stop = close + 2
            else:
                raise Refusal("not valid JSON (a stray '/')")
            out.append(text[at:i])
            out.append(" ")
            at = pos = stop
            continue
        if c == ",":
            pending_comma = i
            pos = i + 1
            continue
        if c in "[{":
            depth += 1
            deepest = max(deepest, depth)
            if deepest > nesting:
                return text, deepest
        else:
            depth -= 1
            if pending_comma is not None and not text[pending_comma + 1:i].strip():
                out.append(text[at:pending_comma])
                out.append(" ")
                at = pending_comma + 1
        pending_comma = None
        pos = i + 1
    out.append(text[at:])
    return "".join(out), deepest


def _finite_float(s):
    value = float(s)
    if not math.isfinite(value):
        raise Refusal("not valid JSON (the number %s... is out of range)" % s[:20])
    return value


def _finite_int(s):
    if not math.isfinite(float(s)):
        raise Refusal("not valid JSON (the number %s... is out of range)" % s[:20])
    return int(s) if len(s) < 400 else float(s)


def _no_constant(name):
    raise Refusal("not valid JSON (%s is not a number the reader takes)" % name)


CONTAINERS = {"Panel", "ScrollView", "PageView", "DragPanel"}
WIDGETS = CONTAINERS | {"Button", "CheckBox", "Label", "LabelAtlas", "LoadingBar", "TextArea", "TextButton",
                        "TextField", "ImageView", "Slider", "LabelBMFont"}


def parse_layout(data):
    """The layout document as the reader reads it; Refusal otherwise."""
    if not data:
        raise Refusal("empty")
    text = data.decode("utf-8", errors="replace")
    if text.startswith("\ufeff"):
        text = text[1:]
    nesting = LIMITS["kMaxLayoutNesting"]
    text, deepest = _normalise(text, nesting)
    if deepest > nesting:
        raise Refusal("not valid JSON (nested %d levels deep, more than the reader's %d)" % (deepest, nesting))
    decoder = json.JSONDecoder(parse_float=_finite_float, parse_int=_finite_int, parse_constant=_no_constant,
                               strict=False)
    try:
        doc, _ = decoder.raw_decode(text, _SPACE.match(text).end())
    except Refusal:
        raise
    except (ValueError, RecursionError) as err:
        raise Refusal("not valid JSON (%s)" % str(err).split(":")[0])
    if not isinstance(doc, dict):
        raise Refusal("does not hold a JSON object")
    tree = doc.get("widgetTree")
    if not isinstance(tree, dict) or tree.get("classname") not in WIDGETS:
        raise Refusal("has no widget tree")
    if tree.get("classname") not in CONTAINERS:
        raise Refusal("the root widget is a %s, not a container" % tree.get("classname"))
    return doc


def walk(tree):
    """Every widget node of a tree, parents first, without recursion."""
    stack = [tree]
    while stack:
        node = stack.pop()
        if not isinstance(node, dict):
            continue
        yield node
        children = node.get("children")
        if isinstance(children, list):
            stack.extend(reversed(children))


# --- property lists -------------------------------------------------------------
def nesting_of(value):
    """Deepest nesting of dictionaries and arrays, without recursion."""
    deepest, stack = 0, [(value, 1)]
    while stack:
        v, d = stack.pop()
        if isinstance(v, dict):
            deepest = max(deepest, d)
            stack.extend((x, d + 1) for x in v.values())
        elif isinstance(v, list):
            deepest = max(deepest, d)
            stack.extend((x, d + 1) for x in v)
    return deepest


def parse_plist(data):
    import plistlib
    try:
        value = plistlib.loads(data)
    except Exception as err:  # plistlib raises many kinds for broken files
        raise Refusal("not a valid property list (%s)" % (str(err).splitlines()[0][:80] if str(err) else
                                                            type(err).__name__))
    if not isinstance(value, dict):
        raise Refusal("root is not a dictionary")
    # The root dictionary itself is not counted.
    if nesting_of(value) - 1 > LIMITS["kMaxPropertyListNesting"]:
        raise Refusal("nested deeper than %d levels" % LIMITS["kMaxPropertyListNesting"])
    # The reader refuses a binary list with such a key (its parser would abort).
    if data[:6] == b"bplist" and _has_nul_key(value):
        raise Refusal("a dictionary key holds a NUL character")
    return value


def _has_nul_key(value):
    stack = [value]
    while stack:
        v = stack.pop()
        if isinstance(v, dict):
            if any("\0" in k for k in v if isinstance(k, str)):
                return True
            stack.extend(v.values())
        elif isinstance(v, list):
            stack.extend(v)
    return False


# --- pictures --------------------------------------------------------------------
def picture_size(data):
    """(format, width, height) from a PNG, JPEG or BMP header, as the reader
    reads it before decoding; Refusal for anything else."""
    if data[:8] == b"\x89PNG\r\n\x1a\n" and len(data) >= 24 and data[12:16] == b"IHDR":
        return "PNG", int.from_bytes(data[16:20], "big"), int.from_bytes(data[20:24], "big")
    if data[:2] == b"\xff\xd8":
        at = 2
        while at + 4 <= len(data):
            if data[at] != 0xFF:
                break
            marker = data[at + 1]
            if marker == 0xFF:
                at += 1
                continue
            if marker == 0x01 or 0xD0 <= marker <= 0xD8:
                at += 2
                continue
            if marker in (0xD9, 0xDA):
                break
            length = int.from_bytes(data[at + 2:at + 4], "big")
            if length < 2:
                break
            if 0xC0 <= marker <= 0xCF and marker not in (0xC4, 0xC8, 0xCC):
                if at + 9 > len(data):
                    break
                return ("JPEG", int.from_bytes(data[at + 7:at + 9], "big"),
                        int.from_bytes(data[at + 5:at + 7], "big"))
            at += 2 + length
    if data[:2] == b"BM" and len(data) >= 26:
        if int.from_bytes(data[14:18], "little", signed=True) == 12:
            return "BMP", int.from_bytes(data[18:20], "little"), int.from_bytes(data[20:22], "little")
        return ("BMP", abs(int.from_bytes(data[18:22], "little", signed=True)),
                abs(int.from_bytes(data[22:26], "little", signed=True)))
    raise Refusal("not a PNG, JPEG or BMP picture with a readable size")


def judge_picture(data):
    """(width, height) of a picture the reader would decode; Refusal otherwise."""
    fmt, w, h = picture_size(data)
    side, most = LIMITS["kMaxImageSide"], LIMITS["kMaxImagePixels"]
    if w > side or h > side or w * h > most:
        raise Refusal("%s of %d x %d pixels, more than %d on a side or %d in all" % (fmt, w, h, side, most))
    return w, h


# MPEG audio frame tables: bitrates in kbit/s by [version is 1][layer index],
# sample rates by version, samples per frame by [version is 1][layer index].
_BITRATES = {
    True: {1: [0, 32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448],
           2: [0, 32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384],
           3: [0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320]},
    False: {1: [0, 32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256],
            2: [0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160],
            3: [0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160]},
}
_SAMPLE_RATES = {3: [44100, 48000, 32000], 2: [22050, 24000, 16000], 0: [11025, 12000, 8000]}


def _skip_id3(data):
    """Where the audio starts: after an ID3v2 tag (and its footer) if there is one."""
    if len(data) >= 10 and data[:3] == b"ID3":
        size = 0
        for b in data[6:10]:
            size = (size << 7) | (b & 0x7F)
        return 10 + size + (10 if data[5] & 0x10 else 0)
    return 0


def mp3_seconds(data):
    """The playing time of MPEG audio in seconds, from its frame headers: the
    samples of every frame found, over the sample rate. Bytes between frames
    (tags, junk) are skipped; a file with no frame gives 0."""
    pos = _skip_id3(data)
    samples_by_rate = {}
    n = len(data)
    while pos + 4 <= n:
        b1, b2, b3 = data[pos + 1], data[pos + 2], data[pos + 3]
        if data[pos] != 0xFF or (b1 & 0xE0) != 0xE0:
            pos += 1
            continue
        version = (b1 >> 3) & 3          # 3: MPEG 1, 2: MPEG 2, 0: MPEG 2.5
        layer = 4 - ((b1 >> 1) & 3)      # 1, 2 or 3; 4 is reserved
        bitrate_index = (b2 >> 4) & 15
        rate_index = (b2 >> 2) & 3
        if version == 1 or layer == 4 or bitrate_index in (0, 15) or rate_index == 3:
            pos += 1
            continue
        v1 = version == 3
        bitrate = _BITRATES[v1][layer][bitrate_index] * 1000
        rate = _SAMPLE_RATES[version][rate_index]
        padding = (b2 >> 1) & 1
        if layer == 1:
            samples = 384
            length = (12 * bitrate // rate + padding) * 4
        else:
            samples = 1152 if (layer == 2 or v1) else 576
            length = samples // 8 * bitrate // rate + padding
        if length < 4:
            pos += 1
            continue
        samples_by_rate[rate] = samples_by_rate.get(rate, 0) + samples
        pos += length
    return sum(count / rate for rate, count in samples_by_rate.items())
