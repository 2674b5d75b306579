#!/usr/bin/env python3
"""Writes src/platform/CodePageTables.inc: the single-byte code page tables.

Run it by hand after changing the mapping rules:

    python3 tools/gen_codepage_tables.py

The output is committed, so building never needs Python. It depends only on
Python's own codecs and Unicode database, whose versions go into the header of
the generated file, so a diff after an upgrade is easy to explain.

Per page it writes
  * byte -> UTF-16 unit (all these pages live in the BMP; U+FFFD = undefined),
  * lower-case and upper-case byte tables,
  * a sorted {code point, bytes} array for every non-ASCII character the page
    can write: exactly, or by the best-fit rules below. Anything not listed
    becomes "?".

Best fit, in order:
  1. the page's own byte; or a canonically equivalent sequence of its bytes,
     which matters for 1258 and 1255 because they carry combining marks
     (Vietnamese U+1EAD becomes a-circumflex + combining dot below);
  2. typographic quotes, dashes, ellipsis, bullets and special spaces to the
     page's own form where it has one, else to their ASCII form;
  3. a letter with diacritics to its base letter, following one-step
     canonical decompositions (and letters named "LATIN ... LETTER X WITH ..."
     that have none, such as l with stroke) until the page has the letter.
"""

import codecs
import os
import re
import sys
import unicodedata

PAGES = [874, 1250, 1251, 1252, 1253, 1254, 1255, 1256, 1257, 1258]

# Longest byte sequence a single character may turn into; CodePage.cpp keeps
# the same bound in its FromUnicode entry.
MAX_FIT_BYTES = 3

# Typographic punctuation: preferred targets in order (the first one the page
# has wins), then the ASCII fallback.
PUNCTUATION = {
    0x2018: ("\u2018", "'"),            # left single quote
    0x2019: ("\u2019", "'"),            # right single quote
    0x201A: ("\u201A", "'"),            # single low-9 quote
    0x201B: ("\u2018", "'"),            # single high-reversed-9 quote
    0x2032: ("'",),                     # prime
    0x02BC: ("\u2019", "'"),            # modifier letter apostrophe
    0x201C: ("\u201C", '"'),            # left double quote
    0x201D: ("\u201D", '"'),            # right double quote
    0x201E: ("\u201E", '"'),            # double low-9 quote
    0x201F: ("\u201C", '"'),            # double high-reversed-9 quote
    0x2033: ('"',),                     # double prime
    0x00AB: ("\u00AB", "<<"),
    0x00BB: ("\u00BB", ">>"),
    0x2039: ("\u2039", "<"),
    0x203A: ("\u203A", ">"),
    0x00AD: ("-",),                     # soft hyphen (pages without it)
    0x2010: ("-",),                     # hyphen
    0x2011: ("-",),                     # non-breaking hyphen
    0x2012: ("\u2013", "-"),            # figure dash
    0x2013: ("\u2013", "-"),            # en dash
    0x2014: ("\u2014", "-"),            # em dash
    0x2015: ("\u2014", "-"),            # horizontal bar
    0x2212: ("-",),                     # minus sign
    0x2026: ("\u2026", "..."),
    0x2022: ("\u2022", "*"),
    0x2023: ("\u2022", "*"),            # triangular bullet
    0x2043: ("\u2022", "*"),            # hyphen bullet
    0x2219: ("\u2022", "*"),            # bullet operator
    0x25E6: ("\u2022", "*"),            # white bullet
    0x00A0: ("\u00A0", " "),            # no-break space
    0x2007: ("\u00A0", " "),            # figure space (no-break)
    0x202F: ("\u00A0", " "),            # narrow no-break space
}
# The other typographic spaces break like an ordinary space.
for _cp in range(0x2000, 0x200B):
    PUNCTUATION.setdefault(_cp, (" ",))

STROKE_NAME = re.compile(r"^LATIN (CAPITAL|SMALL) LETTER ([A-Z]) WITH ")


def page_chars(page):
    """Byte -> character for every byte the page defines (None if undefined)."""
    table = []
    for b in range(256):
        try:
            ch = codecs.decode(bytes([b]), "cp%d" % page, "strict")
        except UnicodeDecodeError:
            ch = None
        if ch is not None:
            if len(ch) != 1 or ord(ch) > 0xFFFF:
                sys.exit("cp%d byte %02X: not a single BMP character" % (page, b))
        table.append(ch)
    for b in range(128):
        if table[b] != chr(b):
            sys.exit("cp%d byte %02X is not ASCII" % (page, b))
    return table


def canonical_step(ch):
    """The next, plainer letter for `ch`, or None.

    A singleton canonical decomposition is the same character under another
    code point, so it is always followed; otherwise only letters shed their
    marks (a symbol such as U+2260 must not turn into its base "=").
    """
    decomposition = unicodedata.decomposition(ch)
    if decomposition and not decomposition.startswith("<"):
        parts = decomposition.split()
        if len(parts) == 1 or unicodedata.category(ch).startswith("L"):
            return chr(int(parts[0], 16))
        return None
    if not decomposition:
        match = STROKE_NAME.match(unicodedata.name(ch, ""))
        if match:
            letter = match.group(2)
            return letter if match.group(1) == "CAPITAL" else letter.lower()
    return None


def equivalent_sequence(ch, encode):
    """`ch` as a canonically equivalent sequence of page characters, or None.

    Prefers the precomposed page character that absorbs the most marks, so
    U+1EAD in 1258 is a-circumflex + dot below rather than a + two marks (and
    the page has no combining circumflex anyway).
    """
    nfd = unicodedata.normalize("NFD", ch)
    if len(nfd) < 2:
        return None
    base, marks = nfd[0], list(nfd[1:])
    best = None
    for candidate in encode:
        cand_nfd = unicodedata.normalize("NFD", candidate)
        if cand_nfd[0] != base:
            continue
        remaining = list(marks)
        try:
            for mark in cand_nfd[1:]:
                remaining.remove(mark)
        except ValueError:
            continue
        if any(mark not in encode for mark in remaining):
            continue
        text = candidate + "".join(remaining)
        if unicodedata.normalize("NFD", text) != nfd:
            continue
        absorbed = len(cand_nfd) - 1
        key = (absorbed, -encode[candidate][0])
        if best is None or key > best[0]:
            best = (key, text)
    if best is None:
        return None
    return b"".join(encode[c] for c in best[1])


def best_fit(ch, encode):
    """Bytes for a character the page does not have itself, or None for "?"."""
    sequence = equivalent_sequence(ch, encode)
    if sequence is not None:
        return sequence
    targets = PUNCTUATION.get(ord(ch))
    if targets is not None:
        for target in targets[:-1]:
            if target in encode:
                return encode[target]
        return targets[-1].encode("ascii")
    step = canonical_step(ch)
    while step is not None:
        if step in encode:
            return encode[step]
        step = canonical_step(step)
    return None


def candidate_code_points():
    """Every code point any best-fit rule could apply to."""
    points = set(PUNCTUATION)
    for cp in range(0x80, 0x110000):
        if 0xD800 <= cp <= 0xDFFF:
            continue
        ch = chr(cp)
        if unicodedata.decomposition(ch) or STROKE_NAME.match(unicodedata.name(ch, "")):
            points.add(cp)
    return sorted(points)


def fold_table(chars, encode, fold):
    result = []
    for b, ch in enumerate(chars):
        if ch is None:
            result.append(b)
            continue
        folded = fold(ch)
        result.append(encode[folded][0] if len(folded) == 1 and folded in encode else b)
    return result


def c_bytes(data):
    return '"' + "".join("\\x%02X" % b for b in data) + '"'


def rows(values, per_line, fmt):
    lines = []
    for i in range(0, len(values), per_line):
        lines.append("    " + ", ".join(fmt % v for v in values[i:i + per_line]) + ",")
    return "\n".join(lines)


def page_source(page, candidates):
    chars = page_chars(page)
    encode = {ch: bytes([b]) for b, ch in enumerate(chars) if ch is not None}

    from_unicode = {}
    for b in range(0x80, 256):
        if chars[b] is not None:
            from_unicode[ord(chars[b])] = bytes([b])
    for cp in candidates:
        ch = chr(cp)
        if ch in encode:
            continue
        fit = best_fit(ch, encode)
        if fit is not None:
            if len(fit) > MAX_FIT_BYTES:
                sys.exit("cp%d U+%04X: %d bytes" % (page, cp, len(fit)))
            from_unicode[cp] = fit

    to_unicode = [0xFFFD if ch is None else ord(ch) for ch in chars]
    lower = fold_table(chars, encode, str.lower)
    upper = fold_table(chars, encode, str.upper)
    entries = sorted(from_unicode.items())

    out = []
    out.append("// cp%d" % page)
    out.append("constexpr char16_t kToUnicode%d[256] = {" % page)
    out.append(rows(to_unicode, 8, "0x%04X"))
    out.append("};")
    out.append("constexpr unsigned char kLower%d[256] = {" % page)
    out.append(rows(lower, 12, "0x%02X"))
    out.append("};")
    out.append("constexpr unsigned char kUpper%d[256] = {" % page)
    out.append(rows(upper, 12, "0x%02X"))
    out.append("};")
    out.append("constexpr FromUnicode kFromUnicode%d[] = {" % page)
    out.append(rows([(cp, c_bytes(data)) for cp, data in entries], 4, "{0x%04X, %s}"))
    out.append("};")
    out.append("")
    return "\n".join(out), len(entries)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = os.path.join(root, "src", "platform", "CodePageTables.inc")
    candidates = candidate_code_points()

    parts = [
        "// Generated by tools/gen_codepage_tables.py -- do not edit by hand.",
        "// Source: Python %d.%d.%d codecs, Unicode %s."
        % (sys.version_info[0], sys.version_info[1], sys.version_info[2],
           unicodedata.unidata_version),
        "// Included by CodePage.cpp inside its anonymous namespace.",
        "",
        "static_assert(kMaxFitBytes == %d, \"regenerate the tables\");" % MAX_FIT_BYTES,
        "",
    ]
    sizes = []
    for page in PAGES:
        source, count = page_source(page, candidates)
        parts.append(source)
        sizes.append(count)

    parts.append("constexpr PageTables kPages[] = {")
    for page in PAGES:
        parts.append("    {%d, kToUnicode%d, kLower%d, kUpper%d, kFromUnicode%d,"
                     " std::size(kFromUnicode%d)}," % ((page,) * 6))
    parts.append("};")
    parts.append("")

    with open(target, "w", encoding="ascii", newline="\n") as f:
        f.write("\n".join(parts))
    print("wrote %s (%s entries)" % (
        os.path.relpath(target, root),
        ", ".join("cp%d: %d" % (p, n) for p, n in zip(PAGES, sizes))))


if __name__ == "__main__":
    main()
