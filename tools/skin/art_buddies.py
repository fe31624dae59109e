"""Pictures of the buddy screens: profile, add form, group chooser."""

import glyphs as gl
from art import as_png
from paint import Canvas, round_rect
from palette import ACCENT, ACCENT_SOFT, ALERT, INK, LINE, SURFACE, WHITE, a


def _frame(width, height):
    """An edit box's rounded outline, as on the login form."""
    c = Canvas(width, height)
    c.round_rect(0, 0, width, height, 12, LINE)
    c.round_rect(1.5, 1.5, width - 3, height - 3, 10.5, SURFACE)
    return as_png(c)


def _round_icon(draw):
    """A 44 x 44 touch target: a disc in the accent tint with a glyph on it."""
    c = Canvas(44, 44)
    c.circle(22, 22, 18, ACCENT_SOFT)
    draw(c)
    return as_png(c)


def everything():
    out = {}
    # The add form: the id and message boxes, and the domain box beside its menu button.
    out["edit_frame_360.png"] = _frame(360, 52)

    # The profile's name row: start a chat, write a memo.
    out["profile_chat.png"] = _round_icon(lambda c: gl.bubble(c, 22, 22, 22, ACCENT, filled=True, dots=WHITE))
    out["profile_memo.png"] = _round_icon(lambda c: gl.envelope(c, 22, 22, 22, ACCENT, filled=True, back=WHITE))

    # Whom the group chooser works for.
    c = Canvas(40, 40)
    c.circle(20, 20, 19, ACCENT_SOFT)
    gl.person(c, 20, 21, 26, ACCENT)
    out["buddy_avatar.png"] = as_png(c)

    # Deleting a buddy: a button of the usual shape in the alert colour, darker pressed.
    for down in (False, True):
        c = Canvas(180, 56)
        if not down:
            c.shade(round_rect(2, 4, 176, 48, 12), a(INK, 0.10), 3, offset=(0, 1.5))
        fill = tuple(int(v * 0.82 + 0.5) for v in ALERT) if down else ALERT
        c.round_rect(2, 4, 176, 48, 12, fill)
        out["button_danger_180%s.png" % ("_down" if down else "")] = as_png(c)
    return out
