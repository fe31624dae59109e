"""The option screens' pictures: the strip that titles the option list and its icon."""

import glyphs as gl
from art import SCREEN_W, as_png
from paint import Canvas
from palette import ACCENT, CANVAS, LINE, WHITE

TITLE_H = 48


def everything():
    out = {}
    c = Canvas(SCREEN_W, TITLE_H, CANVAS)
    c.rect(0, TITLE_H - 1, SCREEN_W, 1, LINE)
    out["option_title_back.png"] = as_png(c)

    # The settings mark of the tab, white on an accent tile.
    c = Canvas(32, 32)
    c.round_rect(0, 0, 32, 32, 9, ACCENT)
    gl.sliders(c, 16, 16, 22, WHITE, 1.8, knob_back=ACCENT)
    out["option_title_icon.png"] = as_png(c)
    return out
