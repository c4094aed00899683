#!/usr/bin/env python3
"""Builds data/textos.sys, the program's text table, from the UTF-8 sources in data/textos-src/.

Each source holds one language: lines "NNN<TAB>text" for NNN = 1..300 (its block) and on to
at most 600 (its extension), in order, lines starting with "#" and empty lines ignored. The text is everything after the first TAB, blanks
included (several texts get a number appended and end in a blank on purpose).

The output is Windows-1252 with CR LF, the five blocks in the order the program reads them
(Castellano, English, Francais, Deutsch, Norsk), then the five extension blocks (items
301..600 of each language, in the same order, padded with empty items), every item quoted on
its own line. Readers of the five blocks never reach the extension. The program's
item reader ends a quoted item at the next double quote, so a text may hold commas but never a
double quote; such a text, a character Windows-1252 cannot encode, a missing or surplus item and
an item out of order all stop the build with a message naming file and line.

Usage: make_textos.py [--src DIR] [--out FILE]
"""

import argparse
import os
import sys
import tempfile

ITEMS_PER_BLOCK = 300
ITEMS_PER_LANGUAGE = 600
# Items left free for later texts; every other item up to a source's last one has a text.
RESERVED_ITEMS = range(296, 301)
LANGUAGE_FILES = ["es.txt", "en.txt", "fr.txt", "de.txt", "no.txt"]  # bases 0, 300, ... 1200

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


class SourceError(Exception):
    pass


def parse_line(path, line_no, line):
    number_text, tab, text = line.partition("\t")
    if not tab or not number_text.isdigit():
        raise SourceError(f'{path}:{line_no}: expected "NNN<TAB>text", got {line!r}')
    return int(number_text), text


def check_text(path, line_no, number, text):
    if '"' in text:
        raise SourceError(f"{path}:{line_no}: item {number} contains a double quote, which would "
                          "end the item early when the program reads it; use « », ' or words")
    for ch in text:
        if ch in "\r\n\t" or ord(ch) < 32:
            raise SourceError(f"{path}:{line_no}: item {number} contains control character "
                              f"U+{ord(ch):04X}")
        try:
            ch.encode("cp1252")
        except UnicodeEncodeError:
            raise SourceError(f"{path}:{line_no}: item {number} contains {ch!r} (U+{ord(ch):04X}), "
                              "which Windows-1252 cannot encode") from None


def read_block(path):
    """Returns the 300 texts of one language source, item 1 first."""
    try:
        with open(path, encoding="utf-8", newline="") as f:
            lines = f.read().split("\n")
    except (OSError, UnicodeDecodeError) as e:
        raise SourceError(f"{path}: cannot be read as UTF-8 text: {e}") from None
    texts = []
    for line_no, raw in enumerate(lines, start=1):
        line = raw[:-1] if raw.endswith("\r") else raw
        if not line or line.startswith("#"):
            continue
        number, text = parse_line(path, line_no, line)
        expected = len(texts) + 1
        if number != expected:
            raise SourceError(f"{path}:{line_no}: item {number} where item {expected} was expected "
                              "(items must run from 1 in order, each once)")
        if number > ITEMS_PER_LANGUAGE:
            raise SourceError(f"{path}:{line_no}: item {number} is beyond the "
                              f"{ITEMS_PER_LANGUAGE} items of a language")
        check_text(path, line_no, number, text)
        texts.append(text)
    if len(texts) < ITEMS_PER_BLOCK:
        raise SourceError(f"{path}: holds items 1..{len(texts)}; a block needs all "
                          f"{ITEMS_PER_BLOCK}")
    empty = [n for n in range(1, len(texts) + 1)
             if not texts[n - 1].strip() and n not in RESERVED_ITEMS]
    if empty:
        raise SourceError(f"{path}: empty item(s) {', '.join(map(str, empty))}; only items "
                          f"{RESERVED_ITEMS.start}..{RESERVED_ITEMS.stop - 1} may be empty")
    return texts + [""] * (ITEMS_PER_LANGUAGE - len(texts))


def render(languages):
    lines = []
    for part in (slice(0, ITEMS_PER_BLOCK), slice(ITEMS_PER_BLOCK, ITEMS_PER_LANGUAGE)):
        for texts in languages:
            lines.extend(f'"{text}"' for text in texts[part])
    return ("\r\n".join(lines) + "\r\n").encode("cp1252")


def write_atomic(path, data):
    folder = os.path.dirname(os.path.abspath(path))
    fd, tmp = tempfile.mkstemp(prefix=".textos-", dir=folder)
    try:
        with os.fdopen(fd, "wb") as f:
            f.write(data)
            f.flush()
            os.fsync(f.fileno())
        os.chmod(tmp, 0o644)
        os.replace(tmp, path)
    except BaseException:
        if os.path.exists(tmp):
            os.unlink(tmp)
        raise


def main(argv):
    parser = argparse.ArgumentParser(description="Build textos.sys from its five sources.")
    parser.add_argument("--src", default=os.path.join(ROOT, "data", "textos-src"))
    parser.add_argument("--out", default=os.path.join(ROOT, "data", "textos.sys"))
    args = parser.parse_args(argv)
    try:
        blocks = [read_block(os.path.join(args.src, name)) for name in LANGUAGE_FILES]
        write_atomic(args.out, render(blocks))
    except SourceError as e:
        print(f"make_textos: {e}", file=sys.stderr)
        print(f"make_textos: {args.out} left unchanged", file=sys.stderr)
        return 1
    except OSError as e:
        print(f"make_textos: cannot write {args.out}: {e}", file=sys.stderr)
        return 1
    print(f"make_textos: wrote {args.out} ({len(blocks) * ITEMS_PER_LANGUAGE} items)")
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
