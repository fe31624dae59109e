"""The chat screens' pictures: the conversation's frame, the input bar's emoticon button,
the invite button, the sign of new lines and the chat list's title bar."""

import glyphs as gl
from art import as_png
from paint import Canvas
from palette import ACCENT, ACCENT_DARK, ACCENT_SOFT, INK_SOFT, LINE, SURFACE, WHITE

FRAME_W = 464       # the conversation's frame: 8 px pieces around a 448 x 372 field
FRAME_H = 372
EDGE = 8


def frame():
    """Four pieces of one rounded white card with a hairline edge; the sides stretch."""
    out = {}
    card = Canvas(FRAME_W, FRAME_H + 2 * EDGE)
    card.round_rect(0, 0, FRAME_W, FRAME_H + 2 * EDGE, 10, LINE)
    card.round_rect(1, 1, FRAME_W - 2, FRAME_H + 2 * EDGE - 2, 9, SURFACE)

    def crop(x, y, w, h):
        part = Canvas(w, h)
        part.paste(card, -x, -y)
        return as_png(part)

    out["chat_frame_top.png"] = crop(0, 0, FRAME_W, EDGE)
    out["chat_frame_bottom.png"] = crop(0, FRAME_H + EDGE, FRAME_W, EDGE)
    out["chat_frame_left.png"] = crop(0, EDGE, EDGE, FRAME_H)
    out["chat_frame_right.png"] = crop(FRAME_W - EDGE, EDGE, EDGE, FRAME_H)
    return out


def _smiley(c, cx, cy, r, color):
    c.ring(cx, cy, r, 2.2, color)
    for dx in (-0.38, 0.38):
        c.circle(cx + dx * r, cy - 0.25 * r, 0.14 * r, color)
    c.stroke([(cx - 0.5 * r, cy + 0.2 * r), (cx - 0.2 * r, cy + 0.5 * r), (cx + 0.2 * r, cy + 0.5 * r),
              (cx + 0.5 * r, cy + 0.2 * r)], 2.2, color)


def buttons():
    """The emoticon button beside the field and the invite button beside the title."""
    out = {}
    for pressed in (False, True):
        suffix = "_down" if pressed else ""
        c = Canvas(56, 56)
        if pressed:
            c.round_rect(6, 6, 44, 44, 12, ACCENT_SOFT)
        _smiley(c, 28, 28, 13, ACCENT if pressed else INK_SOFT)
        out["chat_emoticon%s.png" % suffix] = as_png(c)

        c = Canvas(48, 44)
        c.round_rect(4, 2, 40, 40, 12, ACCENT_DARK if pressed else ACCENT)
        glyph = Canvas(48, 44)
        gl.person_plus(glyph, 24, 22, 26, WHITE)
        c.paste(glyph)
        out["chat_invite%s.png" % suffix] = as_png(c)
    return out


def new_lines():
    """The sign at the conversation's foot that lines came below: a pill with an arrow
    down, in a touch target a little taller; its text is the skin's label, right of the
    arrow."""
    out = {}
    for pressed in (False, True):
        c = Canvas(150, 44)
        c.round_rect(0, 4, 150, 36, 18, ACCENT_DARK if pressed else ACCENT)
        gl.arrow_down(c, 24, 22, 16, WHITE)
        out["chat_new_lines%s.png" % ("_down" if pressed else "")] = as_png(c)
    return out


def chat_list():
    """The chat list's title bar: a white strip with a hairline under it and its icon."""
    out = {}
    c = Canvas(480, 48, SURFACE)
    c.rect(0, 47, 480, 1, LINE)
    out["chatlist_title_back.png"] = as_png(c)
    c = Canvas(24, 24)
    gl.bubble(c, 12, 12, 22, ACCENT, filled=True, dots=WHITE)
    out["chatlist_title_icon.png"] = as_png(c)
    return out


def everything():
    out = {}
    for part in (frame, buttons, new_lines, chat_list):
        out.update(part())
    return out
