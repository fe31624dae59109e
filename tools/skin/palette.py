"""The skin's colours. Every image takes its colours from here, so the look changes in
one place; Skin.dat repeats the few that the toolkit fills or writes with."""

ACCENT = (46, 125, 246)          # #2E7DF6 bars, selected tabs, primary buttons
ACCENT_DARK = (29, 98, 207)      # #1D62CF pressed primary
ACCENT_SOFT = (232, 240, 254)    # #E8F0FE selection tint
INK = (31, 36, 48)               # #1F2430 main text
INK_SOFT = (107, 114, 128)       # #6B7280 captions, idle icons
LINE = (227, 230, 235)           # #E3E6EB separators, outlines
CANVAS = (244, 246, 249)         # #F4F6F9 page background
SURFACE = (255, 255, 255)        # cards, lists, popups
WHITE = (255, 255, 255)
KEY = (255, 0, 255)              # colour key of the popup frames
EMOTICON_KEY = (0, 0, 0)         # see-through colour of the GIF emoticons
DIM_BEHIND = (126, 127, 128)     # the page as the dimmed screen behind a popup shows it

ONLINE = (34, 197, 94)           # #22C55E
AWAY = (245, 158, 11)            # #F59E0B
BUSY = (239, 68, 68)             # #EF4444
OFFLINE = (156, 163, 175)        # #9CA3AF
ALERT = (239, 68, 68)            # unread badges

FACE = (255, 204, 51)            # emoticon faces
FACE_EDGE = (230, 160, 20)
FACE_INK = (92, 58, 20)
CHEEK = (255, 140, 120)
HEART = (240, 72, 96)


def a(color, alpha):
    """The colour with an alpha of 0..1."""
    return (color[0], color[1], color[2], int(alpha * 255 + 0.5))
