#!/usr/bin/env python3
"""Writes the help text as the program's users read it: Shift-JIS (cp932), CRLF.

Usage: make_help.py SOURCE.utf8.txt OUTPUT.txt
A character that Shift-JIS cannot hold stops the build instead of turning into "?".
"""
import sys


def main(source, output):
    with open(source, encoding="utf-8") as f:
        text = f.read()
    lines = text.replace("\r\n", "\n").split("\n")
    data = "\r\n".join(lines).encode("cp932")
    with open(output, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    if len(sys.argv) != 3:
        sys.exit("usage: make_help.py SOURCE OUTPUT")
    main(sys.argv[1], sys.argv[2])
