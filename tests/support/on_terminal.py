#!/usr/bin/python3
"""Runs a program with a pseudo-terminal as its standard input, output and error, the way a person runs
it in a terminal window, and copies everything it writes there to our standard output. Exits with the
program's own status. The terminal turns each LF into CR LF on the way out."""

import os
import pty
import sys

pid, terminal = pty.fork()
if pid == 0:
    os.execv(sys.argv[1], sys.argv[1:])

written = bytearray()
while True:
    try:
        data = os.read(terminal, 65536)
    except OSError:  # the program has ended and the terminal is gone
        break
    if not data:
        break
    written += data
_, status = os.waitpid(pid, 0)
sys.stdout.buffer.write(written)
sys.stdout.flush()
sys.exit(os.waitstatus_to_exitcode(status))
