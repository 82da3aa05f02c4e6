#!/usr/bin/python3
"""A real SMTP server for the mail tests, on 127.0.0.1 and ports the system picks.

Listeners: "plain" (no login), "auth" (login required, no TLS), and with --cert/--key also "starttls"
(STARTTLS required, login possible after it) and "tls" (TLS from the first byte, login possible). With
--drop-data-after N also "drop", which cuts every connection after N bytes of message data, before the
final "." can arrive, and notes each cut in --out as <n>.dropped. With --stall also "stall", which takes
the whole message and then never answers again, not even QUIT.
Prints one JSON line with the port of every listener, then serves until standard input closes or
SIGTERM arrives.

Every accepted message is stored in --out as <n>.json: the envelope, the raw bytes as received and the
message as Python's own e-mail parser decodes it, so the tests compare the program's output with an
independent decoder.
"""

import argparse
import asyncio
import base64
import email
import email.policy
import json
import os
import signal
import ssl
import sys
import warnings

from aiosmtpd.smtp import SMTP, AuthResult, LoginPassword


def b64(data):
    return base64.b64encode(data).decode("ascii")


class Handler:
    def __init__(self, name, args, counter):
        self.name = name
        self.args = args
        self.counter = counter

    async def handle_RCPT(self, server, session, envelope, address, rcpt_options):
        if address in self.args.refuse:
            return f"550 5.1.1 <{address}>: Recipient address rejected: User unknown"
        envelope.rcpt_tos.append(address)
        return "250 OK"

    async def handle_DATA(self, server, session, envelope):
        raw = envelope.original_content
        message = email.message_from_bytes(raw, policy=email.policy.default)
        subject = str(message.get("Subject", ""))
        for text in self.args.reject_subject:
            if text in subject:
                return "554 5.7.1 Meldingen ble avvist av mottakerens filter"
        self.counter[0] += 1
        record = {
            "listener": self.name,
            "mail_from": envelope.mail_from,
            "rcpt_tos": envelope.rcpt_tos,
            "login": session.auth_data.login.decode() if isinstance(session.auth_data, LoginPassword) else None,
            "tls": self.name == "tls" or session.ssl is not None,
            "raw": b64(raw),
            "subject": subject,
            "date": str(message.get("Date", "")),
            "message_id": str(message.get("Message-ID", "")),
            "content_type": message.get_content_type(),
            "defects": [repr(d) for d in message.defects],
            "parts": [],
        }
        to = message.get("To")
        if to is not None and len(to.addresses) == 1:
            record["to_display_name"] = to.addresses[0].display_name
            record["to_addr_spec"] = to.addresses[0].addr_spec
        sender = message.get("From")
        record["from_addr_spec"] = sender.addresses[0].addr_spec if sender is not None else None
        for part in message.walk():
            if part.is_multipart():
                continue
            record["defects"] += [repr(d) for d in part.defects]
            record["parts"].append({
                "content_type": part.get_content_type(),
                "charset": part.get_content_charset(),
                "transfer_encoding": str(part.get("Content-Transfer-Encoding", "")),
                "disposition": part.get_content_disposition(),
                "filename": part.get_filename(),
                "payload": b64(part.get_payload(decode=True)),
            })
        path = os.path.join(self.args.out, "%04d.json" % self.counter[0])
        with open(path + ".tmp", "w", encoding="utf-8") as f:
            json.dump(record, f)
        os.replace(path + ".tmp", path)
        return "250 2.0.0 Ok: queued"


class DroppingSMTP(SMTP):
    """A server that fails in the middle of a transfer: once the message data has reached a number of
    bytes, the connection is reset and the rest is never read, so no message can be accepted."""

    def __init__(self, handler, drop_after, on_drop, **kwargs):
        super().__init__(handler, **kwargs)
        self.drop_after = drop_after
        self.on_drop = on_drop
        self.data_bytes = None  # counted from the moment the data is invited
        self.dropped = False

    async def push(self, status):
        # Set before the reply goes out: the client may answer with data at once.
        if (status if isinstance(status, str) else status.decode("ascii", "replace")).startswith("354"):
            self.data_bytes = 0
        await super().push(status)

    def data_received(self, data):
        if self.dropped:
            return
        if self.data_bytes is None:
            super().data_received(data)
            return
        room = self.drop_after - self.data_bytes
        if len(data) < room:
            self.data_bytes += len(data)
            super().data_received(data)
            return
        super().data_received(data[:room])
        self.dropped = True
        self.on_drop()
        self.transport.abort()


class StallingHandler:
    """Takes the message, notes that it has it as <n>.stalled in --out, and then hangs: the reply to the
    final "." never comes."""

    def __init__(self, out):
        self.out = out
        self.count = 0

    async def handle_DATA(self, server, session, envelope):
        self.count += 1
        open(os.path.join(self.out, "%04d.stalled" % self.count), "w").close()
        await asyncio.Event().wait()


def authenticator(args):
    def check(server, session, envelope, mechanism, auth_data):
        ok = (isinstance(auth_data, LoginPassword) and auth_data.login.decode() == args.user
              and auth_data.password.decode() == args.password)
        return AuthResult(success=ok, handled=False, auth_data=auth_data if ok else None)
    return check


async def main(args):
    loop = asyncio.get_running_loop()
    counter = [0]
    drops = [0]
    servers = {}

    def note_drop():
        drops[0] += 1
        open(os.path.join(args.out, "%04d.dropped" % drops[0]), "w").close()

    async def listen(name, ssl_context=None, factory=SMTP, **smtp_options):
        handler = Handler(name, args, counter)
        server = await loop.create_server(
            lambda: factory(handler, hostname="mail.test", loop=loop, **smtp_options),
            host="127.0.0.1", port=0, ssl=ssl_context)
        servers[name] = server

    await listen("plain")
    await listen("auth", auth_required=True, auth_require_tls=False, authenticator=authenticator(args))
    if args.cert:
        context = ssl.create_default_context(ssl.Purpose.CLIENT_AUTH)
        context.load_cert_chain(args.cert, args.key)
        await listen("starttls", tls_context=context, require_starttls=True, authenticator=authenticator(args))
        await listen("tls", ssl_context=context, auth_require_tls=False, authenticator=authenticator(args))
    if args.stall:
        stalling = StallingHandler(args.out)
        server = await loop.create_server(lambda: SMTP(stalling, hostname="mail.test", loop=loop),
                                          host="127.0.0.1", port=0)
        servers["stall"] = server
    if args.drop_data_after is not None:
        await listen("drop", factory=lambda handler, **options: DroppingSMTP(
            handler, args.drop_data_after, note_drop, **options))

    ports = {name: server.sockets[0].getsockname()[1] for name, server in servers.items()}
    print(json.dumps(ports), flush=True)

    stop = asyncio.Event()
    loop.add_signal_handler(signal.SIGTERM, stop.set)
    # Standard input closes when the test ends or dies, so the server never outlives it.
    loop.add_reader(sys.stdin.fileno(), lambda: None if os.read(sys.stdin.fileno(), 4096) else stop.set())
    await stop.wait()
    for server in servers.values():
        server.close()


if __name__ == "__main__":
    warnings.simplefilter("ignore")
    parser = argparse.ArgumentParser()
    parser.add_argument("--out", required=True)
    parser.add_argument("--cert")
    parser.add_argument("--key")
    parser.add_argument("--user", default="ola")
    parser.add_argument("--password", default="hemmelig")
    parser.add_argument("--refuse", action="append", default=[])
    parser.add_argument("--reject-subject", action="append", default=[])
    parser.add_argument("--drop-data-after", type=int)
    parser.add_argument("--stall", action="store_true")
    asyncio.run(main(parser.parse_args()))
