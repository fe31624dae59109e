"""Line format of the messenger protocol: escaping, frame cutting and frame building."""

import re

# Commands whose frames from a client carry a payload counted by the line's last word.
# LOPT is sent with a payload too, although the client never receives one.
CLIENT_PAYLOAD_COMMANDS = frozenset(
    ["CMSG", "CRP2", "CSES", "CTOC", "LIN2", "LOPT", "LSTA", "MVBG", "WGET"])

# A frame's line holds at most what the client takes in one line: 64 KiB, enough for a
# chat line of 64 KiB less its head.
MAX_LINE = 64 * 1024
MAX_PAYLOAD = 256 * 1024

_ESCAPES = {"%": "%25", " ": "%20", "\t": "%09", "\r": "%0d", "\n": "%0a"}
_ESCAPE_RE = re.compile("[% \t\r\n]")
_PERCENT_RE = re.compile("%([0-9A-Fa-f]{1,2})")
_COMMAND_RE = re.compile(r"^[A-Z0-9]{4}$")


def escape(text):
    """One argument as a wire word: the five separator characters escaped, never empty."""
    text = str(text)
    if not text:
        return "%00"
    return _ESCAPE_RE.sub(lambda m: _ESCAPES[m.group(0)], text)


def unescape(text):
    """Percent escapes decoded after UTF-8 decoding, each as one character; %00 drops out."""
    def one(m):
        value = int(m.group(1), 16)
        return chr(value) if value else ""
    return _PERCENT_RE.sub(one, text)


def decode_word(raw):
    return unescape(raw.decode("utf-8", errors="replace"))


def split_words(line):
    """A line's bytes split the way the client reads words: each space or TAB ends one."""
    line = line.replace(b"\r", b"")
    return re.split(rb"[ \t]", line) if line else []


def is_number(text):
    """ASCII digits only: str.isdigit and int() also take other scripts' digits ("²", "٣")."""
    return bool(re.fullmatch(r"[0-9]+", text))


def is_int32(word):
    if not re.fullmatch(r"-?[0-9]+", word):
        return False
    return -2**31 <= int(word) < 2**31


class Frame:
    """One received frame: command word, transaction id (None when missing or not a number),
    decoded arguments (for payload commands without the count word) and payload bytes."""

    def __init__(self, line, payload=b""):
        self.line = line
        self.payload = payload
        words = split_words(line)
        self.command = words[0].decode("ascii", errors="replace") if words else ""
        raw_id = words[1].decode("ascii", errors="replace") if len(words) > 1 else ""
        self.txid = int(raw_id) if is_int32(raw_id) else None
        args = words[2:]
        if self.command in CLIENT_PAYLOAD_COMMANDS and args:
            args = args[:-1]
        self.args = [decode_word(w) for w in args]

    def well_formed(self):
        return bool(_COMMAND_RE.match(self.command)) and self.txid is not None

    def arg(self, index, default=""):
        return self.args[index] if index < len(self.args) else default

    def text(self):
        """The frame as printable text for the log."""
        out = self.line.decode("utf-8", errors="replace")
        if self.payload:
            out += " | " + self.payload.decode("utf-8", errors="replace").replace(
                "\r", "\\r").replace("\n", "\\n")
        return out


class FrameError(Exception):
    """A frame that cannot be taken: `fatal` means the stream cannot be resynchronised."""

    def __init__(self, message, txid=None, fatal=False):
        super().__init__(message)
        self.txid = txid
        self.fatal = fatal


class FrameCutter:
    """Cuts a byte stream from a client into frames, with bounded line and payload sizes."""

    def __init__(self, max_line=MAX_LINE, max_payload=MAX_PAYLOAD):
        self.buffer = bytearray()
        self.max_line = max_line
        self.max_payload = max_payload

    def feed(self, data):
        self.buffer += data

    def next(self):
        """The next complete frame, None when more bytes are needed; FrameError on bad input.
        A non-fatal error has consumed the bad line."""
        end = self.buffer.find(b"\n")
        if end < 0:
            if len(self.buffer) > self.max_line:
                raise FrameError("line too long", fatal=True)
            return None
        if end > self.max_line:
            raise FrameError("line too long", fatal=True)
        line = bytes(self.buffer[:end]).rstrip(b"\r")
        words = split_words(line)
        command = words[0] if words else b""
        count = 0
        if command.decode("ascii", errors="replace") in CLIENT_PAYLOAD_COMMANDS:
            last = words[-1].decode("ascii", errors="replace") if len(words) > 2 else ""
            txid = Frame(line).txid
            if not is_number(last):
                del self.buffer[:end + 1]
                raise FrameError("payload count missing or not a number", txid)
            count = int(last)
            if count > self.max_payload:
                raise FrameError("payload count too large", txid, fatal=True)
        if len(self.buffer) < end + 1 + count:
            return None
        payload = bytes(self.buffer[end + 1:end + 1 + count])
        del self.buffer[:end + 1 + count]
        return Frame(line, payload)


def parse_frame(data):
    """A complete frame held in a byte string (an envelope's payload); FrameError when the
    bytes are not exactly one frame."""
    cutter = FrameCutter()
    cutter.feed(data)
    frame = cutter.next()
    if frame is None or cutter.buffer:
        raise FrameError("envelope payload is not one frame", fatal=False)
    return frame


def build(command, txid, args=(), payload=None):
    """A frame as bytes; `txid` None leaves the id out; a payload adds its count word."""
    words = [command]
    if txid is not None:
        words.append(str(txid))
    words += [escape(a) for a in args]
    if payload is not None:
        words.append(str(len(payload)))
    return (" ".join(words) + "\r\n").encode("utf-8") + (payload or b"")


def failure(code, txid):
    return ("%d %d\r\n" % (code, txid if txid is not None else 0)).encode("ascii")


def envelope(kind, key, txid, inner):
    return build("CRP2", txid, [kind, key], inner)


def words_line(words):
    """Escaped words joined by spaces and ended by CR LF, as payload text."""
    return (" ".join(escape(w) for w in words) + "\r\n").encode("utf-8")


def read_words(data):
    """Payload bytes read as decoded words (space, TAB and line ends separate; CR dropped).
    Unlike the line reader, runs of separators give no empty words."""
    text = data.replace(b"\r", b"")
    return [decode_word(w) for w in re.split(rb"[ \t\n]+", text) if w]


def form_escape(text):
    """A memo-box pair escaped the way requests are: only the five separators."""
    return _ESCAPE_RE.sub(lambda m: _ESCAPES[m.group(0)], text)


def parse_form(data):
    """"k=v&k=v" request body into a dict (the first occurrence of a key wins)."""
    result = {}
    text = data.decode("utf-8", errors="replace")
    for pair in text.split("&") if text else []:
        key, _, value = unescape(pair).partition("=")
        result.setdefault(key, value)
    return result
