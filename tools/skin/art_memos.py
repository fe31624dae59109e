"""Pictures of the memo screens: the list's title bar, the read page's card and buttons,
and the write page's form. Each function returns {file name: bytes}."""

import glyphs as gl
from art import SCREEN_W, as_png
from paint import Canvas, round_rect
from palette import ACCENT, ACCENT_DARK, ACCENT_SOFT, CANVAS, INK, INK_SOFT, LINE, SURFACE, a

TITLE_H = 60
CARD_X, CARD_W = 16, SCREEN_W - 32   # the card's place across the read page
CARD_EDGE = 28                       # top and bottom pieces: a margin and the rounded end
CARD_R = 14
SIDE_W = 36                          # the pieces left and right of the text, up to where
                                     # the header's labels begin
ACTION_W, ACTION_H = 96, 72
WRITE_H = 528                        # the page between the status bar and the menu bar
MESSAGE = (16, 88, SCREEN_W - 32, 356)


def _pencil(c, cx, cy, size, color, weight=2.0):
    g = gl.Grid(cx, cy, size)
    gl._stroke(c, g, color, weight, (5, 19), (6, 14.5), (16, 4.5), (19.5, 8), (9.5, 18), (5, 19))
    gl._stroke(c, g, color, weight, (13.5, 7), (17, 10.5))
    gl._stroke(c, g, color, weight, (12, 20), (20, 20))


def _reply(c, cx, cy, size, color, weight=2.2, heads=1, mirror=False):
    g = gl.Grid(cx, cy, size)

    def x(v):
        return 24 - v if mirror else v
    gl._stroke(c, g, color, weight, (x(20), 19), (x(20), 15), (x(17), 12), (x(7), 12))
    for i in range(heads):
        d = i * 4.5
        gl._stroke(c, g, color, weight, (x(12 - d), 7), (x(7 - d), 12), (x(12 - d), 17))


def _trash(c, cx, cy, size, color, weight=2.0):
    g = gl.Grid(cx, cy, size)
    gl._stroke(c, g, color, weight, (4, 6.5), (20, 6.5))
    gl._stroke(c, g, color, weight, (9.5, 6.5), (9.5, 4), (14.5, 4), (14.5, 6.5))
    gl._stroke(c, g, color, weight, (6, 6.5), (7, 20), (17, 20), (18, 6.5))
    gl._stroke(c, g, color, weight, (10, 10), (10.4, 16.5))
    gl._stroke(c, g, color, weight, (14, 10), (13.6, 16.5))


def _flag(c, cx, cy, size, color, weight=2.0):
    g = gl.Grid(cx, cy, size)
    gl._stroke(c, g, color, weight, (6, 21), (6, 3.5))
    gl._stroke(c, g, color, weight, (6, 4.5), (18.5, 4.5), (15.5, 9), (18.5, 13.5), (6, 13.5))


def title_bar():
    out = {}
    c = Canvas(SCREEN_W, TITLE_H, SURFACE)
    c.rect(0, TITLE_H - 1, SCREEN_W, 1, LINE)
    out["memo_title_back.png"] = as_png(c)
    # The box button lies over the box's name: see-through but for the arrow, a light
    # tint over the name while pressed.
    for down in (False, True):
        c = Canvas(150, 48)
        if down:
            c.round_rect(0, 0, 150, 48, 12, a(ACCENT, 0.14))
        gl.chevron_down(c, 128, 24, 20, ACCENT if down else INK_SOFT, 2.6)
        out["memo_box_button%s.png" % ("_down" if down else "")] = as_png(c)
    for down in (False, True):
        c = Canvas(56, 56)
        if down:
            c.round_rect(6, 6, 44, 44, 12, ACCENT_SOFT)
        _pencil(c, 28, 28, 28, ACCENT_DARK if down else ACCENT, 2.2)
        out["memo_write%s.png" % ("_down" if down else "")] = as_png(c)
    return out


def card():
    """The read page's card in six pieces: the top end, the header with the sender and
    the receivers, the line under it, the two sides of the text and the bottom end."""
    out = {}
    height = CARD_EDGE * 2 + 40
    whole = Canvas(SCREEN_W, height, CANVAS)
    shape = round_rect(CARD_X, CARD_EDGE - 16, CARD_W, height - 2 * (CARD_EDGE - 16), CARD_R)
    whole.shade(shape, a(INK, 0.10), 4, offset=(0, 1.5))
    whole.fill(shape, SURFACE)
    edge = Canvas(SCREEN_W, height, CANVAS)
    edge.paste(whole)

    def piece(y, h, x=0, w=SCREEN_W):
        c = Canvas(w, h)
        c.paste(edge, -x, -y)
        return c

    middle = height // 2
    out["memo_card_top.png"] = as_png(piece(0, CARD_EDGE))
    out["memo_card_bottom.png"] = as_png(piece(height - CARD_EDGE, CARD_EDGE))
    # Header and line: the card's middle rows stretched down.
    row = piece(middle, 1)
    header = Canvas(SCREEN_W, 112)
    for y in range(112):
        header.paste(row, 0, y)
    out["memo_card_head.png"] = as_png(header)
    sep = Canvas(SCREEN_W, 17)
    for y in range(17):
        sep.paste(row, 0, y)
    sep.rect(CARD_X + 16, 8, CARD_W - 32, 1, LINE)
    out["memo_card_line.png"] = as_png(sep)
    out["memo_card_left.png"] = as_png(piece(middle, 8, 0, SIDE_W))
    out["memo_card_right.png"] = as_png(piece(middle, 8, SCREEN_W - SIDE_W, SIDE_W))
    return out


def actions():
    """The read page's five buttons: an icon above the word the skin writes."""
    out = {}
    icons = {
        "reply": lambda c, col: _reply(c, 48, 26, 28, col),
        "reply_all": lambda c, col: _reply(c, 50, 26, 28, col, heads=2),
        "forward": lambda c, col: _reply(c, 48, 26, 28, col, mirror=True),
        "delete": lambda c, col: _trash(c, 48, 26, 28, col),
        "spam": lambda c, col: _flag(c, 48, 26, 28, col),
    }
    for name, draw in icons.items():
        for down in (False, True):
            c = Canvas(ACTION_W, ACTION_H, SURFACE)
            c.rect(0, 0, ACTION_W, 1, LINE)
            if down:
                c.round_rect(6, 5, ACTION_W - 12, ACTION_H - 10, 12, ACCENT_SOFT)
            draw(c, ACCENT if down else INK_SOFT)
            out["memo_action_%s%s.png" % (name, "_down" if down else "")] = as_png(c)
    return out


def write_form():
    """The write page: the page with the message's frame, the receivers' box and the
    button that picks them."""
    out = {}
    c = Canvas(SCREEN_W, WRITE_H, CANVAS)
    x, y, w, h = MESSAGE
    c.round_rect(x, y, w, h, 12, LINE)
    c.round_rect(x + 1.5, y + 1.5, w - 3, h - 3, 10.5, SURFACE)
    out["memo_write_back.png"] = as_png(c)

    c = Canvas(384, 56)
    c.round_rect(0, 0, 384, 56, 12, LINE)
    c.round_rect(1.5, 1.5, 381, 53, 10.5, SURFACE)
    out["memo_receiver_frame.png"] = as_png(c)
    for down in (False, True):
        c = Canvas(56, 56)
        c.round_rect(0, 0, 56, 56, 12, ACCENT_DARK if down else ACCENT)
        gl.person_plus(c, 28, 28, 30, SURFACE, 2.2)
        out["memo_receiver_add%s.png" % ("_down" if down else "")] = as_png(c)
    return out


def everything():
    out = {}
    for part in (title_bar, card, actions, write_form):
        out.update(part())
    return out
