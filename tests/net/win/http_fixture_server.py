#!/usr/bin/env python3
"""HTTP and HTTPS servers on 127.0.0.1 for the HTTP client tests.

    http_fixture_server.py PORT_FILE [--port80]

Serves plain HTTP on one port and HTTPS (a self-signed certificate made now with
openssl) on another, with --port80 plain HTTP on port 80 too when it can be had; writes
"HTTP_PORT HTTPS_PORT PORT_80_OR_0" to PORT_FILE once all listen, and
ends on GET /__quit or after two minutes without a request, so that a test that dies
never leaves it behind.
"""

import gzip
import http.server
import os
import socket
import ssl
import subprocess
import sys
import tempfile
import threading
import time
import urllib.parse
import zlib

last_request = time.monotonic()
stopping = threading.Event()


def pattern(size):
    return bytes(i % 251 for i in range(size))


class Handler(http.server.BaseHTTPRequestHandler):
    protocol_version = "HTTP/1.1"

    def log_message(self, *args):
        pass

    def reply(self, status, body, headers=()):
        self.send_response(status)
        for name, value in headers:
            self.send_header(name, value)
        self.send_header("Content-Length", str(len(body)))
        self.end_headers()
        if self.command != "HEAD":
            self.wfile.write(body)

    def handle_any(self):
        global last_request
        last_request = time.monotonic()
        url = urllib.parse.urlsplit(self.path)
        query = dict(urllib.parse.parse_qsl(url.query))
        path = url.path
        length = int(self.headers.get("Content-Length") or 0)
        body = self.rfile.read(length) if length else b""

        if path == "/__quit":
            self.reply(200, b"bye")
            stopping.set()
        elif path == "/echo":
            # The request exactly as it arrived: request line, header lines, body.
            block = self.requestline + "\r\n" + "".join(
                "%s: %s\r\n" % (name, value) for name, value in self.headers.items())
            self.reply(200, block.encode("utf-8") + b"\r\n" + body, [("Content-Type", "text/plain")])
        elif path == "/text":
            self.reply(200, query.get("t", "").encode("utf-8"), [("Content-Type", "text/plain; charset=utf-8")])
        elif path == "/bytes":
            self.reply(200, pattern(int(query["size"])))
        elif path == "/chunked":
            data = pattern(int(query["size"]))
            self.send_response(200)
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            for start in range(0, len(data), 7000):
                piece = data[start:start + 7000]
                self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            self.wfile.write(b"0\r\n\r\n")
        elif path == "/close":
            # No length at all: the body ends with the connection.
            self.send_response(200)
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(pattern(int(query["size"])))
            self.close_connection = True
        elif path in ("/gzip", "/deflate"):
            data = ("压缩的内容 " * 200).encode("utf-8")
            accepted = self.headers.get("Accept-Encoding", "")
            encoding = path[1:]
            if encoding in accepted:
                packed = gzip.compress(data) if encoding == "gzip" else zlib.compress(data)
                self.reply(200, packed, [("Content-Encoding", encoding)])
            else:
                self.reply(200, data)
        elif path == "/cookies":
            self.reply(200, b"three", [("Set-Cookie", "a=1; Path=/; HttpOnly"),
                                       ("Set-Cookie", "b=2; Max-Age=60"),
                                       ("Set-Cookie", "Secure")])
        elif path.startswith("/redirect/"):
            left = int(path.rsplit("/", 1)[1])
            if left == 0:
                self.reply(200, b"done", [("Set-Cookie", "final=1")])
            else:
                self.reply(302, b"", [("Location", "/redirect/%d" % (left - 1)),
                                      ("Set-Cookie", "r%d=%d; Path=/" % (left, left))])
        elif path == "/moved":
            self.reply(301, "moved body 已移动".encode("utf-8"), [("Location", "/elsewhere")])
        elif path == "/status":
            self.reply(int(query["code"]), b"status body")
        elif path == "/lie":
            # Announces more than it sends, then hangs up.
            self.send_response(200)
            self.send_header("Content-Length", query["announce"])
            self.send_header("Connection", "close")
            self.end_headers()
            self.wfile.write(pattern(int(query["send"])))
            self.wfile.flush()
            self.close_connection = True
            self.connection.shutdown(socket.SHUT_RDWR)
        elif path == "/hang":
            stopping.wait(int(query.get("seconds", "30")))
        elif path == "/stream":
            # Never ends: chunk after chunk.
            self.send_response(200)
            self.send_header("Transfer-Encoding", "chunked")
            self.end_headers()
            piece = b"x" * 65536
            try:
                while not stopping.is_set():
                    self.wfile.write(b"%x\r\n%s\r\n" % (len(piece), piece))
            except OSError:
                pass
            self.close_connection = True
        elif path == "/trickle-body":
            # Announces a length, then sends a byte per interval.
            self.send_response(200)
            self.send_header("Content-Length", query["announce"])
            self.end_headers()
            self.trickle(pattern(int(query["announce"])), float(query.get("interval", "1")))
        elif path == "/trickle-headers":
            # The status line and header lines, a byte per interval, without end.
            line = b"HTTP/1.1 200 OK\r\n" + b"X-Slow: " + b"s" * 100000
            self.trickle(line, float(query.get("interval", "1")))
        elif path == "/endless-headers":
            # Header lines as fast as they go, never the blank line that ends them.
            self.wfile.write(b"HTTP/1.1 200 OK\r\n")
            self.flood(lambda n: b"X-Line-%d: %s\r\n" % (n, b"v" * 40))
        elif path == "/relative-redirect":
            # Relative, with an absolute URL in its query.
            self.reply(302, b"", [("Location", "/echo?next=http://127.0.0.1/x")])
        elif path == "/big-header":
            self.reply(200, b"ok", [("X-Big", "h" * int(query["size"]))])
        else:
            self.reply(404, b"no such path")

    def trickle(self, data, interval):
        # Stops when the data ends, the client goes, the servers stop, or after a minute.
        self.connection.settimeout(5)
        started = time.monotonic()
        try:
            for i in range(len(data)):
                if stopping.wait(interval) or time.monotonic() - started > 60:
                    break
                self.wfile.write(data[i:i + 1])
                self.wfile.flush()
        except OSError:
            pass
        self.close_connection = True

    def flood(self, piece):
        # A client that stops reading makes a write wait; five seconds of that end it.
        self.connection.settimeout(5)
        started = time.monotonic()
        n = 0
        try:
            while not stopping.is_set() and time.monotonic() - started < 60:
                self.wfile.write(piece(n))
                n += 1
        except OSError:
            pass
        self.close_connection = True

    do_GET = do_POST = do_HEAD = do_PUT = do_DELETE = do_OPTIONS = do_PATCH = do_TRACE = handle_any


class Server(http.server.ThreadingHTTPServer):
    daemon_threads = True
    allow_reuse_address = True


def main():
    port_file = sys.argv[1]
    plain = Server(("127.0.0.1", 0), Handler)
    secure = Server(("127.0.0.1", 0), Handler)
    with tempfile.TemporaryDirectory() as folder:
        key = os.path.join(folder, "key.pem")
        cert = os.path.join(folder, "cert.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", key, "-out", cert,
                        "-days", "1", "-subj", "/CN=localhost"], check=True, capture_output=True)
        context = ssl.SSLContext(ssl.PROTOCOL_TLS_SERVER)
        context.load_cert_chain(cert, key)
        secure.socket = context.wrap_socket(secure.socket, server_side=True)
    servers = [plain, secure]
    if "--port80" in sys.argv[2:]:
        try:
            servers.append(Server(("127.0.0.1", 80), Handler))
        except OSError:
            pass
    for server in servers:
        threading.Thread(target=server.serve_forever, daemon=True).start()
    with open(port_file + ".tmp", "w") as out:
        out.write("%d %d %d\n" % (plain.server_address[1], secure.server_address[1], 80 if len(servers) > 2 else 0))
    os.replace(port_file + ".tmp", port_file)
    while not stopping.wait(1):
        if time.monotonic() - last_request > 120:
            break
    stopping.set()
    for server in servers:
        server.shutdown()


if __name__ == "__main__":
    main()
