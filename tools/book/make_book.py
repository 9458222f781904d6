#!/usr/bin/python3
"""Makes the bundled book from story.txt: page pictures, sprite sheet, page
layouts, main menu and settings layouts, the string tables, the control
images of Images/ and the narration MP3s (stored under MD5 names).

    /usr/bin/python3 tools/book/make_book.py [resource folder]

The folder defaults to resources/ of this tree. Needs python3-pil,
python3-cairo, espeak-ng, lame and fonts-liberation2 (Debian packages); the
reader needs none of them."""
import os
import plistlib
import shutil
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.dont_write_bytecode = True  # keep the source folder free of caches
sys.path.insert(0, HERE)

import art_scenes  # noqa: E402
import book_source  # noqa: E402
import layout_json  # noqa: E402
import menu_layouts  # noqa: E402
import narration  # noqa: E402
import page_layouts  # noqa: E402
import sprite_sheet  # noqa: E402
import ui_images as ui  # noqa: E402

BOOK_FOLDER = "qovarn_3391_ver10"
PICTURE_SIDE = 180
STRINGS = [("main_page", "Menu"), ("up_page", "Previous"), ("after_page", "Next"), ("setmenu_set", "Settings"),
           ("bntext", "Tap a word to hear it"), ("nopresenglish", "Tap a word once to hear it read aloud")]
TEXT_SIZE_OF_SENTENCES = "25"


def write_plist(path, pairs):
    with open(path, "wb") as f:
        plistlib.dump(dict(pairs), f, sort_keys=False)


def key_part(page, index):
    return ("0" if page < 10 else "") + "%d%d" % (page, index)


def make_images(res):
    d = os.path.join(res, "Images")
    os.makedirs(d, exist_ok=True)
    for name, surface in (("up1", ui.round_button("up")), ("up2", ui.round_button("up", True)),
                          ("next1", ui.round_button("next")), ("next2", ui.round_button("next", True)),
                          ("play_btn", ui.round_button("play")), ("pause_btn", ui.round_button("pause")),
                          ("bnchback1", ui.bubble()),
                          ("bnren1", ui.word_glow_small()), ("bnren2", ui.word_glow_small(True))):
        surface.write_to_png(os.path.join(d, name + ".png"))


def make_sheet(folder, pictures):
    card_w, card_h = page_layouts.CARD_SIZE
    frames = [("word_glow.png", ui.word_glow()), ("word_glow_down.png", ui.word_glow(True)),
              ("card_glow.png", ui.card_glow(card_w, card_h)),
              ("card_glow_down.png", ui.card_glow(card_w, card_h, True)),
              ("card.png", ui.card()), ("butterfly.png", ui.butterfly()), ("ladybug.png", ui.ladybug())]
    frames += [("pic_%s.png" % p, art_scenes.paint_picture(p, PICTURE_SIDE)) for p in sorted(pictures)]
    texture, places = sprite_sheet.pack(frames, 1024)
    texture.write_to_png(os.path.join(folder, "tale_sheet.png"))
    sprite_sheet.write(os.path.join(folder, page_layouts.SHEET), "tale_sheet.png", texture, places)


def make_menus(res, title):
    main = os.path.join(res, "mainpage")
    os.makedirs(main, exist_ok=True)
    art_scenes.paint_scene("cover").write_to_png(os.path.join(main, "cover.png"))
    ui.banner().write_to_png(os.path.join(main, "title_banner.png"))
    settings = os.path.join(res, "3age")
    os.makedirs(settings, exist_ok=True)
    for state, name in (("normal", ""), ("pressed", "_down"), ("disabled", "_off")):
        ui.menu_button(state).write_to_png(os.path.join(main, "menu_button%s.png" % name))
        ui.menu_button(state).write_to_png(os.path.join(settings, "menu_button%s.png" % name))
        ui.menu_button(state, ui.GO_COLOURS).write_to_png(os.path.join(main, "go_button%s.png" % name))
    for state, name in (("normal", ""), ("pressed", "_down"), ("disabled", "_marked")):
        ui.setting_button(state).write_to_png(os.path.join(settings, "set_button%s.png" % name))
    ui.panel_background().write_to_png(os.path.join(settings, "panel_bg.png"))
    layout_json.save(os.path.join(main, "mainpage_1.json"), menu_layouts.main_menu(title))
    layout_json.save(os.path.join(settings, "pageset.json"), menu_layouts.settings_panel())


def main():
    res = os.path.abspath(sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "..", "resources"))
    book, pages = book_source.read(os.path.join(HERE, "story.txt"))
    sub = book["subname"]
    story = [p for p in pages if p.text]
    learning = [p for p in pages if p.words]
    folder = os.path.join(res, BOOK_FOLDER)
    pages_dir = os.path.join(folder, sub)
    epc = os.path.join(folder, "epc")
    shutil.rmtree(pages_dir, ignore_errors=True)
    shutil.rmtree(epc, ignore_errors=True)
    os.makedirs(pages_dir)
    os.makedirs(epc)

    write_plist(os.path.join(res, "String.xml"), STRINGS)
    write_plist(os.path.join(folder, "StringConfig.xml"), [
        ("quiboSubName", sub), ("pageMin", str(story[0].number)), ("pageMax", str(story[-1].number)),
        ("wordMin", str(learning[0].number)), ("wordMax", str(learning[-1].number)),
        ("ispep", "false"), ("textsize", TEXT_SIZE_OF_SENTENCES)])
    make_images(res)
    make_sheet(pages_dir, {w[1] for p in learning for w in p.words})
    make_menus(res, book["title"])

    sentences = []
    for page in pages:
        art_scenes.paint_scene(page.scene).write_to_png(os.path.join(pages_dir, "page_%d.png" % page.number))
        doc, words = (page_layouts.story_page if page.text else page_layouts.word_page)(page)
        layout_json.save(os.path.join(pages_dir, "%s_%d.json" % (sub, page.number)), doc)
        for index, spoken, sentence in words:
            part = key_part(page.number, index)
            sentences.append(("str" + part, sentence))
            narration.speak_to_mp3(spoken, os.path.join(epc, narration.stored_name("mc%s.mp3" % part)))
        print("page %d: %d word buttons" % (page.number, len(words)))
    write_plist(os.path.join(folder, "Stringstr.xml"), sentences)


if __name__ == "__main__":
    main()
