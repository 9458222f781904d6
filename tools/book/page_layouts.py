"""Lays out one page of the book: the page text in a text box at the top,
wrapped and measured with the reader's label font, one invisible word button
over each word, decorations from the sprite sheet; or, for word-learning
pages, one card per word. Returns the layout document and the page's words
as (index, spoken text, sentence)."""
from PIL import ImageFont

import book_source
from layout_json import FILE, FRAME, Writer

# The reader draws "Arial" labels with this face; word boxes are measured
# with it at the label's size so that the buttons sit on the words.
FONT_FILE = "/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf"
TEXT_SIZE = 34
LINE_PITCH = 50
BOX_PAD = 24
BOX_X, BOX_W, BOX_TOP = 24, 592, 936
WRAP = BOX_W - 2 * 30
WORD_H = 46
WORD_MIN_W = 36
GLOW = ("word_glow.png", "word_glow_down.png", "")
GLOW_CAPS = (16, 16, 188, 24)
SHEET = "tale_sheet.plist"
TEXT_COLOUR = (62, 39, 35)

DECORATIONS = {
    "home": [("butterfly.png", 560, 470)],
    "chase": [("butterfly.png", 110, 500), ("ladybug.png", 590, 120)],
    "pond": [("ladybug.png", 90, 130)],
    "together": [("butterfly.png", 560, 620)],
}

_font = ImageFont.truetype(FONT_FILE, TEXT_SIZE)


def width_of(text, font=None):
    return (font or _font).getlength(text)


def wrap(words):
    lines, current = [], []
    for w in words:
        trial = " ".join(current + [w])
        if current and width_of(trial) > WRAP:
            lines.append(current)
            current = [w]
        else:
            current.append(w)
    if current:
        lines.append(current)
    return lines


def indexes(count, skip):
    out, i = [], 0
    while len(out) < count:
        i += 1
        if i not in skip:
            out.append(i)
    return out


# The panel of word buttons lies above the text lines (2) of a story page
# and above the cards (1), pictures (2) and names (3) of a word page.
WORDS_Z = 10


def button_name(page, index):
    return ("bn0" if page < 10 else "bn") + "%d%d" % (page, index)


def story_page(page):
    wr = Writer(page.format)
    toks = book_source.tokens(page.text)
    numbers = indexes(len(toks), page.skip)
    lines = wrap([t[0] for t in toks])
    height = 2 * BOX_PAD + LINE_PITCH * len(lines)
    children, buttons, words, n = [], [], [], 0
    for k, line in enumerate(lines):
        text = " ".join(line)
        left = (BOX_W - width_of(text)) / 2.0
        y = height - BOX_PAD - LINE_PITCH / 2.0 - k * LINE_PITCH
        children.append(wr.label("line%d" % (k + 1), round(left, 1), round(y, 1), text, TEXT_SIZE, TEXT_COLOUR))
        start = 0
        for shown in line:
            shown_core = book_source.core(shown)
            at = start + shown.index(shown_core)
            x0, x1 = width_of(text[:at]), width_of(text[:at + len(shown_core)])
            start += len(shown) + 1
            _, spoken, sentence = toks[n]
            index = numbers[n]
            n += 1
            w = max(WORD_MIN_W, round(x1 - x0 + 12))
            buttons.append(wr.button(button_name(page.number, index), round(left + (x0 + x1) / 2.0, 1),
                                     round(y, 1), w, WORD_H, GLOW, FRAME, GLOW_CAPS, z=5, tag=index))
            words.append((index, spoken, sentence))
    # A tapped word's bubble and sentence hang on the word button's parent;
    # in a clear panel above the text lines they are not drawn under them.
    children.append(wr.panel("words", 0, 0, BOX_W, height, buttons, z=WORDS_Z))
    box = wr.panel("textbox", BOX_X, BOX_TOP - height, BOX_W, height, children, colour_type=1,
                   bg=(255, 255, 255), bg_opacity=205, z=2)
    decor = [wr.image_view("decor%d" % (d + 1), x, y, name, FRAME, z=1)
             for d, (name, x, y) in enumerate(DECORATIONS.get(page.scene, []))]
    root = wr.panel("page%d" % page.number, 0, 0, 640, 960, decor + [box],
                    image="page_%d.png" % page.number, image_kind=FILE)
    return wr.document(root, [SHEET]), words


# Two rows of cards. Under every card stays room for the sentence bubble of
# its word: the reader hangs the bubble below the word button, which covers
# the whole card, and sizes the sentence by the button's image, which is as
# large as the card. The lower row's bubbles stay above the page controls.
CARD_SIZE = (270, 270)
CARD_SLOTS = {4: [(170, 695), (470, 695), (170, 320), (470, 320)], 3: [(170, 695), (470, 695), (320, 320)]}
CARD_GLOW = ("card_glow.png", "card_glow_down.png", "")
CARD_GLOW_CAPS = (30, 30, CARD_SIZE[0] - 60, CARD_SIZE[1] - 60)
PICTURE_RAISE = 30
WORD_DROP = 95
WORD_SIZE = 38


def word_page(page):
    wr = Writer(page.format)
    numbers = indexes(len(page.words), page.skip)
    children = [wr.label("title", 320, 880, "Let's learn words!", 40, (191, 54, 12), anchor=(0.5, 0.5))]
    words, buttons = [], []
    for (word, picture, sentence), index, (cx, cy) in zip(page.words, numbers, CARD_SLOTS[len(page.words)]):
        children.append(wr.image_view("card%d" % index, cx, cy, "card.png", FRAME, CARD_SIZE, (24, 24, 48, 48), z=1))
        children.append(wr.image_view("picture%d" % index, cx, cy + PICTURE_RAISE, "pic_%s.png" % picture, FRAME,
                                      z=2))
        children.append(wr.label("word%d" % index, cx, cy - WORD_DROP, word, WORD_SIZE, TEXT_COLOUR,
                                 anchor=(0.5, 0.5), z=3))
        # A child taps the picture as often as the word: the (invisible)
        # button answers anywhere on the card.
        buttons.append(wr.button(button_name(page.number, index), cx, cy, CARD_SIZE[0], CARD_SIZE[1], CARD_GLOW,
                                 FRAME, CARD_GLOW_CAPS, z=5, tag=index))
        words.append((index, word, sentence))
    # As on story pages: one clear panel above every card holds the buttons,
    # so a sentence is not drawn under the next card.
    children.append(wr.panel("words", 0, 0, 640, 960, buttons, z=WORDS_Z))
    root = wr.panel("page%d" % page.number, 0, 0, 640, 960, children, image="page_%d.png" % page.number)
    return wr.document(root, [SHEET]), words
