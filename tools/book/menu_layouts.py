"""The two fixed screens: the main menu (cover picture, title banner and the
four buttons bngoon, bnwordlean, bnselect, bnreturn) and the settings panel
(three reading modes, OK, Cancel and back to the menu)."""
from layout_json import FILE, Writer

MENU_IMAGES = ("menu_button.png", "menu_button_down.png", "menu_button_off.png")
MENU_CAPS = (26, 20, 44, 24)
SET_IMAGES = ("set_button.png", "set_button_down.png", "set_button_marked.png")
SET_CAPS = (24, 20, 48, 24)
WHITE = (255, 255, 255)
DARK = (25, 24, 25)


GO_IMAGES = ("go_button.png", "go_button_down.png", "go_button_off.png")
MENU_X = 320
# The three buttons every visit shows share one panel; "Continue reading",
# shown only once a page was chosen, stands on its own above it, so the menu
# looks whole with it and without it.
PANEL_BUTTONS = [("bnwordlean", "Learn words"), ("bnselect", "Choose a page"), ("bnreturn", "Quit")]
PANEL_X, PANEL_Y, PANEL_W = 140, 290, 360
BUTTON_W, BUTTON_H, BUTTON_PITCH, PANEL_PAD = 320, 76, 92, 16
CONTINUE_Y, CONTINUE_W, CONTINUE_H = 668, 340, 84


def main_menu(title):
    wr = Writer("objects")
    children = [
        wr.image_view("banner", MENU_X, 830, "title_banner.png", FILE, z=1),
        wr.label("title", MENU_X, 830, title, 38, (183, 28, 28), anchor=(0.5, 0.5), z=2),
        wr.button("bngoon", MENU_X, CONTINUE_Y, CONTINUE_W, CONTINUE_H, GO_IMAGES, FILE, MENU_CAPS, z=4, tag=1,
                  title=("Continue reading", 34, WHITE)),
    ]
    column = []
    height = 2 * PANEL_PAD + BUTTON_H + BUTTON_PITCH * (len(PANEL_BUTTONS) - 1)
    for n, (name, caption) in enumerate(PANEL_BUTTONS):
        y = height - PANEL_PAD - BUTTON_H / 2 - n * BUTTON_PITCH
        column.append(wr.button(name, PANEL_W / 2, y, BUTTON_W, BUTTON_H, MENU_IMAGES, FILE, MENU_CAPS, z=1,
                                tag=n + 2, title=(caption, 32, WHITE)))
    children.append(wr.panel("buttons", PANEL_X, PANEL_Y, PANEL_W, height, column, colour_type=1,
                             bg=(255, 255, 255), bg_opacity=150, z=3))
    root = wr.panel("mainpage", 0, 0, 640, 960, children, image="cover.png")
    return wr.document(root)


def settings_panel():
    wr = Writer("objects")
    rows = [("bnpres", "I read by myself"), ("bnaotopage", "Read this page again"), ("bnaoto", "Read to me")]
    inner = [wr.label("title", 240, 560, "How shall we read?", 36, (2, 119, 189), anchor=(0.5, 0.5), z=2)]
    for n, (name, caption) in enumerate(rows):
        inner.append(wr.button(name, 240, 460 - n * 100, 400, 80, SET_IMAGES, FILE, SET_CAPS, z=3, tag=n + 2,
                               title=(caption, 30, DARK)))
    for name, caption, x in (("bnok", "OK", 130), ("bncancel", "Cancel", 350)):
        inner.append(wr.button(name, x, 90, 180, 76, SET_IMAGES, FILE, SET_CAPS, z=3, title=(caption, 30, DARK)))
    card = wr.panel("card", 80, 250, 480, 620, inner, image="panel_bg.png", scale9=True, caps=(36, 36, 48, 48), z=1)
    back = wr.button("bnmain", 320, 160, 300, 72, MENU_IMAGES, FILE, MENU_CAPS, z=2, title=("Main menu", 30, WHITE))
    root = wr.panel("pageset", 0, 0, 640, 960, [card, back], colour_type=2, bg=(129, 212, 250), bg_opacity=255)
    root["options"].update({"bgStartColorR": 225, "bgStartColorG": 245, "bgStartColorB": 254})
    return wr.document(root)
