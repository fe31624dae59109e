"""Every picture of the default skin. Each function returns {file name: bytes}."""

import encoders
import glyphs as gl
from paint import Canvas, round_rect, subtract
from palette import (ACCENT, ACCENT_DARK, ACCENT_SOFT, ALERT, AWAY, BUSY, CANVAS, DIM_BEHIND,
                     INK, INK_SOFT, KEY, LINE, OFFLINE, ONLINE, SURFACE, WHITE, a)

SCREEN_W = 480
BAR_H = 56          # status bar and menu bar
TAB_W, TAB_H = 120, 64
POPUP_W = 420
POPUP_EDGE = 24     # height of the rounded top and bottom popup frames


def as_png(c):
    return encoders.png(c.width, c.height, c.rgba())


def as_bmp(c, back=WHITE):
    return encoders.bmp(c.width, c.height, c.rgb_over(back))


# -- bars --------------------------------------------------------------------------------

def bars():
    out = {}
    c = Canvas(SCREEN_W, BAR_H, ACCENT)
    c.rect(0, BAR_H - 1, SCREEN_W, 1, ACCENT_DARK)
    out["statusbar_back.bmp"] = as_bmp(c)

    c = Canvas(SCREEN_W, BAR_H, SURFACE)
    c.rect(0, 0, SCREEN_W, 1, LINE)
    out["menubar_back.bmp"] = as_bmp(c)

    # Bar buttons: a white glyph; pressed, a darker rounded pad behind it.
    icons = {
        "back": lambda c, col: gl.chevron_left(c, 28, 28, 28, col),
        "close": lambda c, col: gl.cross(c, 28, 28, 26, col),
        "mail": lambda c, col: gl.envelope(c, 28, 28, 28, col),
        "social": lambda c, col: gl.people(c, 28, 28, 28, col),
        "buddy_add": lambda c, col: gl.person_plus(c, 28, 28, 28, col),
        "group_add": lambda c, col: gl.folder_plus(c, 28, 28, 28, col),
    }
    for name, draw in icons.items():
        for pressed in (False, True):
            c = Canvas(BAR_H, BAR_H)
            if pressed:
                c.round_rect(6, 6, 44, 44, 12, ACCENT_DARK)
            glyph = Canvas(BAR_H, BAR_H)
            draw(glyph, WHITE)
            c.paste(glyph)
            out["bar_%s%s.png" % (name, "_down" if pressed else "")] = as_png(c)

    # Menu bar buttons: grey glyph; the keyboard toggle shows a tinted pad when on, and
    # its glyph stands left of the keyboard's mode, which the skin writes ("한", "A").
    for name, draw, cx, size in (("keyboard", gl.keyboard, 24, 24), ("menu", gl.menu_lines, 32, 28)):
        for state in ("", "_on"):
            c = Canvas(64, BAR_H)
            if state:
                c.round_rect(8, 6, 48, 44, 12, ACCENT_SOFT)
            draw(c, cx, 28, size, ACCENT if state else INK_SOFT)
            out["menubar_%s%s.png" % (name, state)] = as_png(c)

    for name, draw in (("chat", lambda c: gl.bubble(c, 20, 21, 26, INK_SOFT)),
                       ("memo", lambda c: gl.envelope(c, 20, 21, 26, INK_SOFT))):
        c = Canvas(40, 40)
        draw(c)
        c.circle(31, 10, 7, WHITE)
        c.circle(31, 10, 5.5, ALERT)
        out["menubar_%s_unread.png" % name] = as_png(c)
    return out


def tabs():
    out = {}
    icons = {
        "buddy": lambda c, col: gl.person(c, 60, 23, 30, col, filled=False, weight=2.0),
        "chat": lambda c, col: gl.bubble(c, 60, 23, 28, col),
        "memo": lambda c, col: gl.envelope(c, 60, 23, 28, col),
        "option": lambda c, col: gl.sliders(c, 60, 23, 28, col, knob_back=SURFACE),
    }
    for name, draw in icons.items():
        for on in (False, True):
            c = Canvas(TAB_W, TAB_H, SURFACE)
            c.rect(0, TAB_H - 1, TAB_W, 1, LINE)
            if on:
                c.round_rect(24, TAB_H - 4, TAB_W - 48, 6, 2, ACCENT)
            draw(c, ACCENT if on else INK_SOFT)
            out["tab_%s%s.png" % (name, "_on" if on else "")] = as_png(c)
    c = Canvas(16, 16)
    c.circle(8, 8, 8, WHITE)
    c.circle(8, 8, 6, ALERT)
    out["notify_dot.png"] = as_png(c)
    return out


# -- status icons ------------------------------------------------------------------------

STATUS_ORDER = ("Online", "Away", "Busy", "Offline", "BlockedOnline", "BlockedOffline")
BIG, SMALL = 40, 20


def _status_big(c, x, kind):
    color = {"Online": ONLINE, "Away": AWAY, "Busy": BUSY, "Offline": OFFLINE,
             "BlockedOnline": ONLINE, "BlockedOffline": OFFLINE}[kind]
    cx, cy = x + BIG / 2.0, BIG / 2.0
    c.circle(cx, cy, BIG / 2.0 - 1, color)
    from paint import circle
    # The figure is cut by the disc so that its shoulders end at the rim.
    tmp = Canvas(BIG, BIG)
    gl.person(tmp, BIG / 2.0, BIG / 2.0 + 3, BIG * 0.78, WHITE)
    rim = circle(BIG / 2.0, BIG / 2.0, BIG / 2.0 - 1)
    for yy in range(BIG):
        for xx in range(BIG):
            p = tmp.px[yy * BIG + xx]
            if p[3] > 0 and rim(xx + 0.5, yy + 0.5) < 0.5:
                c.blend(x + xx, yy, (255, 255, 255, int(p[3] * 255 + 0.5)), 1.0)
    if kind.startswith("Blocked"):
        gl.forbid(c, x + BIG - 9, BIG - 9, 7.5, WHITE, BUSY)


def _status_small(c, x, kind):
    cx, cy, r = x + SMALL / 2.0, SMALL / 2.0, SMALL / 2.0 - 2
    # A white rim keeps the dot readable on the accent status bar as on white rows.
    c.circle(cx, cy, r + 1.6, WHITE)
    if kind == "Online":
        c.circle(cx, cy, r, ONLINE)
        gl.check_mark(c, cx, cy, 13, WHITE, 3.2)
    elif kind == "Away":
        c.circle(cx, cy, r, AWAY)
        gl.clock_hands(c, cx, cy, 15, WHITE, 2.6)
    elif kind == "Busy":
        c.circle(cx, cy, r, BUSY)
        gl.minus(c, cx, cy, 16, WHITE, 3.4)
    elif kind == "Offline":
        c.ring(cx, cy, r - 1.2, 2.4, OFFLINE)
    else:
        c.circle(cx, cy, r, ONLINE if kind == "BlockedOnline" else OFFLINE)
        c.stroke([(cx - r * 0.6, cy + r * 0.6), (cx + r * 0.6, cy - r * 0.6)], 2.6, WHITE)


def status_sheets():
    big = Canvas(BIG * len(STATUS_ORDER), BIG)
    small = Canvas(SMALL * len(STATUS_ORDER), SMALL)
    for i, kind in enumerate(STATUS_ORDER):
        _status_big(big, i * BIG, kind)
        _status_small(small, i * SMALL, kind)
    return {"status_big.png": as_png(big), "status_small.png": as_png(small)}


def status_rects():
    """The rectangles Skin.dat gives each status in the two sheets."""
    return {kind: ((i * BIG, 0, BIG, BIG), (i * SMALL, 0, SMALL, SMALL)) for i, kind in enumerate(STATUS_ORDER)}


# -- popups ------------------------------------------------------------------------------

def popups():
    """Frames of every popup, keyed on magenta around the rounded corners. The corner
    pixels are blended towards the dimmed screen so that the keyed edge looks smooth."""
    out = {}
    radius = 16
    full_h = POPUP_EDGE * 2 + 8
    c = Canvas(POPUP_W, full_h)
    c.fill(round_rect(0, 0, POPUP_W, full_h, radius), SURFACE)
    rgb = bytearray(c.rgb_over(DIM_BEHIND))
    for i, p in enumerate(c.px):
        if p[3] < 0.35:
            rgb[i * 3:i * 3 + 3] = bytes(KEY)
    rgb = bytes(rgb)
    row = POPUP_W * 3
    out["popup_top.bmp"] = encoders.bmp(POPUP_W, POPUP_EDGE, rgb[:row * POPUP_EDGE])
    out["popup_mid.bmp"] = encoders.bmp(POPUP_W, 8, rgb[row * POPUP_EDGE:row * (POPUP_EDGE + 8)])
    out["popup_bottom.bmp"] = encoders.bmp(POPUP_W, POPUP_EDGE, rgb[row * (POPUP_EDGE + 8):])

    for name, glyph in (("info", gl.info), ("notice", gl.bang), ("update", gl.arrow_down)):
        c = Canvas(48, 48)
        c.circle(24, 24, 23, ACCENT_SOFT)
        c.circle(24, 24, 17, ACCENT)
        glyph(c, 24, 24, 24, WHITE)
        out["box_%s.png" % name] = as_png(c)

    c = Canvas(SCREEN_W, 1, LINE)
    out["line.bmp"] = as_bmp(c)
    return out


def buttons():
    out = {}
    for width in (180, 372):
        for name, fill, pressed, edge in (("primary", ACCENT, ACCENT_DARK, None),
                                          ("secondary", SURFACE, CANVAS, LINE)):
            for down in (False, True):
                c = Canvas(width, 56)
                if not down:
                    # A soft shadow under the resting button.
                    c.shade(round_rect(2, 4, width - 4, 48, 12), a(INK, 0.10), 3,
                            offset=(0, 1.5))
                col = pressed if down else fill
                if edge:
                    c.round_rect(2, 4, width - 4, 48, 12, edge)
                    c.round_rect(3.5, 5.5, width - 7, 45, 10.5, col)
                else:
                    c.round_rect(2, 4, width - 4, 48, 12, col)
                out["button_%s_%d%s.png" % (name, width, "_down" if down else "")] = as_png(c)

    # Check box, radio button: 44 x 44 targets around a 24-pixel mark.
    for on in (False, True):
        c = Canvas(44, 44)
        if on:
            c.round_rect(10, 10, 24, 24, 6, ACCENT)
            gl.check_mark(c, 22, 22, 20, WHITE, 2.8)
        else:
            outer = round_rect(10, 10, 24, 24, 6)
            inner = round_rect(12, 12, 20, 20, 4.5)
            c.round_rect(10, 10, 24, 24, 6, SURFACE)
            c.fill(subtract(outer, inner), OFFLINE, (9, 9, 35, 35))
        out["check%s.png" % ("_on" if on else "")] = as_png(c)

        c = Canvas(44, 44)
        c.circle(22, 22, 12, SURFACE)
        if on:
            c.ring(22, 22, 11, 2.2, ACCENT)
            c.circle(22, 22, 6, ACCENT)
        else:
            c.ring(22, 22, 11, 2.0, OFFLINE)
        out["radio%s.png" % ("_on" if on else "")] = as_png(c)

        c = Canvas(20, 20)
        if on:
            c.circle(10, 10, 9.5, a(ACCENT, 0.25))
            c.circle(10, 10, 6.5, ACCENT)
        else:
            c.circle(10, 10, 6.5, LINE)
        out["led%s.png" % ("_on" if on else "")] = as_png(c)

        c = Canvas(12, 12)
        c.circle(6, 6, 5, WHITE if on else a(WHITE, 0.45))
        out["dot%s.png" % ("_on" if on else "")] = as_png(c)

    for name, draw in (("prev", gl.chevron_left), ("next", gl.chevron_right)):
        c = Canvas(12, 12)
        draw(c, 6, 6, 14, a(WHITE, 0.8), 3.0)
        out["page_%s.png" % name] = as_png(c)
    return out


def lists():
    out = {}
    c = Canvas(SCREEN_W, 64, ACCENT_SOFT)
    out["selection_bar.png"] = as_png(c)

    for name, draw in (("group_open", gl.chevron_down), ("group_closed", gl.chevron_right)):
        c = Canvas(24, 24)
        draw(c, 12, 12, 20, INK_SOFT, 2.4)
        out["%s.png" % name] = as_png(c)
    c = Canvas(24, 24)
    gl.chevron_right(c, 12, 12, 18, OFFLINE, 2.4)
    out["disclosure.png"] = as_png(c)

    c = Canvas(12, 12)
    c.circle(6, 6, 5, ACCENT)
    out["unread_dot.png"] = as_png(c)
    for name, filled in (("memo_unread", True), ("memo_read", False)):
        c = Canvas(32, 32)
        gl.envelope(c, 16, 16, 28, ACCENT if filled else OFFLINE, 2.0, filled=filled, back=WHITE)
        out["%s.png" % name] = as_png(c)

    # The update box's bar: a grey track and the accent fill cut to the progress.
    c = Canvas(372, 16)
    c.round_rect(0, 2, 372, 12, 6, LINE)
    out["progress_back.png"] = as_png(c)
    c = Canvas(372, 16)
    c.round_rect(0, 2, 372, 12, 6, ACCENT)
    out["progress_bar.png"] = as_png(c)
    return out


def buddy_list():
    """The buddy list's search bar and its group fold icon."""
    out = {}
    c = Canvas(SCREEN_W, 60, SURFACE)
    c.rect(0, 59, SCREEN_W, 1, LINE)
    c.round_rect(12, 10, SCREEN_W - 24, 40, 20, CANVAS)
    out["search_back.png"] = as_png(c)
    c = Canvas(24, 24)
    gl.magnifier(c, 12, 12, 22, INK_SOFT)
    out["search_icon.png"] = as_png(c)
    c = Canvas(36, 36)
    c.circle(18, 18, 11, OFFLINE)
    gl.cross(c, 18, 18, 14, WHITE, 2.6)
    out["search_clear.png"] = as_png(c)
    # Open on the left, folded on the right: the list picks the half.
    c = Canvas(48, 24)
    gl.chevron_down(c, 12, 12, 20, ACCENT, 2.4)
    gl.chevron_right(c, 36, 12, 20, INK_SOFT, 2.4)
    out["group_icon.png"] = as_png(c)
    return out


def _logo(c, x, y):
    """The app's mark on its white card, drawn into a 160 x 160 place at (x, y)."""
    c.shade(round_rect(x + 16, y + 16, 128, 128, 34), a(INK, 0.25), 10, (x, y, x + 160, y + 160), offset=(0, 4))
    c.round_rect(x + 16, y + 16, 128, 128, 34, WHITE)
    gl.bubble(c, x + 97, y + 95, 64, ACCENT_DARK, filled=True)
    gl.bubble(c, x + 71, y + 70, 84, ACCENT, filled=True, dots=WHITE)


def frames():
    """Backgrounds and frames the screens lay out: page, login, edit boxes, chat and memo."""
    out = {}
    out["page_back.bmp"] = as_bmp(Canvas(8, 8, CANVAS))

    c = Canvas(160, 160)
    _logo(c, 0, 0)
    out["logo.png"] = as_png(c)

    for name, width, height in (("edit_frame", 400, 52), ("edit_frame_wide", 432, 52)):
        c = Canvas(width, height)
        c.round_rect(0, 0, width, height, 12, LINE)
        c.round_rect(1.5, 1.5, width - 3, height - 3, 10.5, SURFACE)
        out["%s.png" % name] = as_png(c)

    c = Canvas(SCREEN_W, 64, SURFACE)
    c.rect(0, 0, SCREEN_W, 1, LINE)
    c.round_rect(12, 10, 388, 44, 22, CANVAS)
    out["chat_input_back.png"] = as_png(c)

    for name, fill in (("chat_bubble_me", ACCENT), ("chat_bubble_other", SURFACE)):
        c = Canvas(320, 64)
        c.shade(round_rect(2, 2, 316, 58, 18), a(INK, 0.08), 2.5, offset=(0, 1))
        c.round_rect(2, 2, 316, 58, 18, fill)
        out["%s.png" % name] = as_png(c)

    c = Canvas(440, 400)
    c.shade(round_rect(4, 4, 432, 388, 14), a(INK, 0.12), 4, offset=(0, 2))
    c.round_rect(4, 4, 432, 388, 14, SURFACE)
    for y in range(64, 380, 36):
        c.rect(24, y, 392, 1, LINE)
    out["memo_paper.png"] = as_png(c)
    return out


# -- login -------------------------------------------------------------------------------

LOGIN_W, LOGIN_H = 480, 584   # the login screens end at the menu bar


def login():
    """The login screens' background (the accent fading into the page under the mark)
    and the domain box's menu button."""
    out = {}
    c = Canvas(LOGIN_W, LOGIN_H, CANVAS)
    fade = 210.0
    for y in range(int(fade)):
        t = y / fade
        t = t * t * (3 - 2 * t)
        col = tuple(int(ACCENT[i] + (CANVAS[i] - ACCENT[i]) * t + 0.5) for i in range(3))
        c.rect(0, y, LOGIN_W, 1, col)
    # Two faint rings behind the mark give the top some depth.
    c.circle(64, 28, 120, a(WHITE, 0.07))
    c.circle(430, 150, 90, a(WHITE, 0.06))
    _logo(c, (LOGIN_W - 160) // 2, 8)
    out["login_back.png"] = as_png(c)

    for pressed in (False, True):
        c = Canvas(56, 52)
        if pressed:
            c.round_rect(6, 6, 44, 40, 10, ACCENT_SOFT)
        gl.chevron_down(c, 28, 27, 20, ACCENT if pressed else INK_SOFT, 2.6)
        out["login_domain%s.png" % ("_down" if pressed else "")] = as_png(c)
    return out


def everything():
    out = {}
    for part in (bars, tabs, status_sheets, popups, buttons, lists, buddy_list, frames, login):
        out.update(part())
    return out
