"""A small HTTP/1.0 server on asyncio streams: one request per connection, bounded sizes."""

import asyncio
import json
import urllib.parse

MAX_HEAD = 16 * 1024
MAX_BODY = 1024 * 1024
TIMEOUT = 10
# The longest a reply waits to be released (see handler).
HOLD_LIMIT = 60

REASONS = {200: "OK", 302: "Found", 400: "Bad Request", 404: "Not Found", 405: "Method Not Allowed",
           409: "Conflict", 413: "Payload Too Large", 500: "Internal Server Error"}


class Request:
    def __init__(self, method, path, query, headers, body):
        self.method = method
        self.path = path
        self.query = query
        self.headers = headers
        self.body = body

    def json(self):
        """The body as a JSON object; ValueError when it is not one."""
        data = json.loads(self.body.decode("utf-8")) if self.body.strip() else {}
        if not isinstance(data, dict):
            raise ValueError("the body must be a JSON object")
        return data


def json_response(status, data):
    return status, "application/json", json.dumps(data, ensure_ascii=False).encode("utf-8")


async def read_request(reader):
    head = await reader.readuntil(b"\r\n\r\n")
    lines = head.decode("latin-1").split("\r\n")
    parts = lines[0].split(" ")
    if len(parts) != 3:
        raise ValueError("bad request line")
    headers = {}
    for line in lines[1:]:
        if ":" in line:
            key, value = line.split(":", 1)
            headers[key.strip().lower()] = value.strip()
    length = int(headers.get("content-length", "0") or "0")
    if length < 0 or length > MAX_BODY:
        raise OverflowError("body too large")
    body = await reader.readexactly(length) if length else b""
    url = urllib.parse.urlsplit(parts[1])
    query = dict(urllib.parse.parse_qsl(url.query))
    return Request(parts[0], urllib.parse.unquote(url.path), query, headers, body)


def chunked(body, size=4096):
    """The body as chunks of at most size bytes, then the last chunk."""
    pieces = [b"%x\r\n%s\r\n" % (len(body[i:i + size]), body[i:i + size])
              for i in range(0, len(body), size)]
    return b"".join(pieces) + b"0\r\n\r\n"


def handler(route, log=None):
    """A connection handler for asyncio.start_server that answers through route(request),
    which returns (status, content type, body bytes) and may add a dict of: "headers"
    (more head lines), "framing" ("length", the default: a Content-Length; "close": no
    length, the close ends the body; "chunked": the body in chunks and a last one),
    "limit" (send only that many bytes of the framed body, then close) and "hold" (an
    asyncio.Event: after the limit, wait for it, at most HOLD_LIMIT seconds, and then send
    the rest)."""
    async def serve(reader, writer):
        try:
            extra = {}
            try:
                request = await asyncio.wait_for(read_request(reader), TIMEOUT)
            except OverflowError:
                status, ctype, body = json_response(413, {"error": "body too large"})
            except (ValueError, asyncio.LimitOverrunError, asyncio.IncompleteReadError):
                status, ctype, body = json_response(400, {"error": "bad request"})
            else:
                try:
                    status, ctype, body, *more = route(request)
                    extra = more[0] if more else {}
                except ValueError as e:
                    status, ctype, body = json_response(400, {"error": str(e)})
                except Exception as e:
                    status, ctype, body = json_response(500, {"error": repr(e)})
                if log:
                    log("%s %s -> %d" % (request.method, request.path, status))
            lines = "".join("%s: %s\r\n" % item for item in extra.get("headers", {}).items())
            framing = extra.get("framing", "length")
            if framing == "length":
                lines = "Content-Length: %d\r\n" % len(body) + lines
            elif framing == "chunked":
                lines = "Transfer-Encoding: chunked\r\n" + lines
                body = chunked(body)
            head = "HTTP/1.0 %d %s\r\nContent-Type: %s\r\n%sConnection: close\r\n\r\n" \
                   % (status, REASONS.get(status, "Error"), ctype, lines)
            limit = extra.get("limit")
            writer.write(head.encode("latin-1") + (body if limit is None else body[:limit]))
            await asyncio.wait_for(writer.drain(), TIMEOUT)
            hold = extra.get("hold")
            if hold is not None and limit is not None:
                try:
                    await asyncio.wait_for(hold.wait(), HOLD_LIMIT)
                except asyncio.TimeoutError:
                    pass
                writer.write(body[limit:])
                await asyncio.wait_for(writer.drain(), TIMEOUT)
        except (ConnectionError, OSError, asyncio.TimeoutError):
            pass
        finally:
            writer.close()
    return serve
