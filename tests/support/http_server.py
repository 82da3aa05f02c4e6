#!/usr/bin/python3
"""A small web server for the internet test, on 127.0.0.1 and a port the system picks.

Pages: /side (a page with content), /tom (200 with an empty body), /mangler (404 with a body),
/videre/N (N redirects before /side), /treg (answers after three seconds). Every request's path and
its Accept and User-Agent headers are appended to --log as one JSON line. Prints the port, then serves
until standard input closes or SIGTERM arrives.
"""

import argparse
import json
import os
import signal
import sys
import threading
import time
from http.server import BaseHTTPRequestHandler, ThreadingHTTPServer


def make_handler(log_path, lock):
    class Handler(BaseHTTPRequestHandler):
        def log_message(self, format, *args):
            pass

        def send(self, status, body, headers=()):
            self.send_response(status)
            for name, value in headers:
                self.send_header(name, value)
            self.send_header("Content-Length", str(len(body)))
            self.end_headers()
            self.wfile.write(body)

        def do_GET(self):
            with lock, open(log_path, "a", encoding="utf-8") as log:
                log.write(json.dumps({"path": self.path, "accept": self.headers.get("Accept"),
                                      "user_agent": self.headers.get("User-Agent")}) + "\n")
            if self.path == "/side":
                self.send(200, b"<html><body>TELVA</body></html>", [("Content-Type", "text/html")])
            elif self.path == "/tom":
                self.send(200, b"", [("Content-Type", "text/html")])
            elif self.path == "/mangler":
                self.send(404, b"<html><body>Finnes ikke</body></html>", [("Content-Type", "text/html")])
            elif self.path.startswith("/videre/"):
                left = int(self.path[len("/videre/"):])
                target = "/side" if left <= 1 else "/videre/%d" % (left - 1)
                self.send(302, b"", [("Location", target)])
            elif self.path == "/treg":
                time.sleep(3)
                self.send(200, b"for sent", [("Content-Type", "text/html")])
            else:
                self.send(404, b"ukjent", [("Content-Type", "text/plain")])

    return Handler


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--log", required=True)
    args = parser.parse_args()
    server = ThreadingHTTPServer(("127.0.0.1", 0), make_handler(args.log, threading.Lock()))
    server.daemon_threads = True
    print(server.server_address[1], flush=True)

    def stop(*_):
        threading.Thread(target=server.shutdown).start()

    signal.signal(signal.SIGTERM, stop)

    def watch_stdin():
        while os.read(sys.stdin.fileno(), 4096):
            pass
        stop()

    threading.Thread(target=watch_stdin, daemon=True).start()
    server.serve_forever()


if __name__ == "__main__":
    main()
