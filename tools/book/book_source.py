"""Reads story.txt: the book's title and sub name, and per page its scene,
file generation, skipped word indexes, and either its text (story pages) or
its word cards (learning pages)."""
import re


class Page:
    def __init__(self, number):
        self.number = number
        self.scene = ""
        self.format = "objects"
        self.skip = set()
        self.text = ""
        self.words = []   # (word, picture, example sentence)


def read(path):
    book = {}
    pages = []
    section = None
    with open(path, encoding="utf-8") as f:
        for raw in f:
            line = raw.strip()
            if not line or line.startswith("#"):
                continue
            head = re.fullmatch(r"\[(book|page (\d+))\]", line)
            if head:
                section = Page(int(head.group(2))) if head.group(2) else None
                if section:
                    pages.append(section)
                continue
            key, _, value = (s.strip() for s in line.partition("="))
            if section is None:
                book[key] = value
            elif key == "word":
                word, picture, sentence = (s.strip() for s in value.split("|"))
                section.words.append((word, picture, sentence))
            elif key == "skip":
                section.skip = {int(v) for v in value.split(",")}
            else:
                setattr(section, key, value)
    return book, pages


def tokens(text):
    """The buttons of a story text: (shown text, spoken text, sentence).
    Words joined with "_" stay one button; quotes and punctuation are shown
    but neither spoken nor covered by the button. A sentence ends at . ! ?
    unless a quote closes on it and the next word goes on in lower case
    ("Is this yours?" asked the frog.)."""
    words = text.split()
    sentences, current = [], []
    for n, word in enumerate(words):
        current.append(word)
        ends = re.search(r'[.!?]"?$', word)
        next_lower = n + 1 < len(words) and words[n + 1][0].islower()
        if ends and not next_lower:
            sentences.append(current)
            current = []
    if current:
        sentences.append(current)
    out = []
    for sentence in sentences:
        shown_sentence = " ".join(sentence).replace("_", " ")
        for word in sentence:
            shown = word.replace("_", " ")
            out.append((shown, core(shown), shown_sentence))
    return out


def core(shown):
    """The part of a word that its button covers and its narration speaks."""
    return shown.strip('"').rstrip(',.!?"')
