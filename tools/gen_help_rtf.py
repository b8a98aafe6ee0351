#!/usr/bin/env python3
"""Writes resources/poruka.wri, the user's guide that the 使い方 menu opens.

The guide is RTF. Its text comes from resources/help/poruka_help.txt, written in
a small markup that the comment at the top of that file explains. Every
non-ASCII character is written as \\uN followed by its Shift_JIS bytes, so that
readers which know \\u and readers which only know code page 932 both show it.

Usage: gen_help_rtf.py [--check]
  without options: (re)write resources/poruka.wri
  --check:         exit 1 when resources/poruka.wri is not what the source gives
The output depends on nothing but the source text, so it is the same every run.
"""

import itertools
import os
import re
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
SOURCE = os.path.join(ROOT, "resources", "help", "poruka_help.txt")
OUTPUT = os.path.join(ROOT, "resources", "poruka.wri")

TEXT_WIDTH = 11906 - 2 * 1418  # A4 less the margins, in twips
BODY = r"\loch\f0\hich\f0\dbch\f0\fs21\lang1041\langfe1041"  # after \plain
HEADER = [
    r"{\rtf1\ansi\ansicpg932\deff0\deflang1041\deflangfe1041\uc1",
    r"{\fonttbl{\f0\fswiss\fcharset128 Noto Sans CJK JP{\*\falt IPAGothic};}}",
    r"{\colortbl;\red0\green0\blue0;\red31\green73\blue125;\red228\green234\blue242;}",
    r"{\stylesheet{\s0\snext0 Normal;}{\s1\outlinelevel0\snext0 heading 1;}"
    r"{\s2\outlinelevel1\snext0 heading 2;}}",
    r"\paperw11906\paperh16838\margl1418\margr1418\margt1418\margb1418\deftab420",
]


class SourceError(Exception):
    pass


def rtf_text(text, where):
    """Text as RTF: ASCII as it is, other characters as \\uN with Shift_JIS fallback."""
    out = []
    for run in re.findall(r"[\x00-\x7f]+|[^\x00-\x7f]+", text):
        if run.isascii():
            out.append(re.sub(r"([\\{}])", r"\\\1", run))
            continue
        coded = []
        for ch in run:
            try:
                coded.append((ord(ch), ch.encode("cp932")))
            except UnicodeEncodeError:
                raise SourceError(f"{where}: {ch!r} has no Shift_JIS code")
        # One group per stretch of characters with the same byte count, because
        # \ucN (bytes a reader skips after \uN) must match; half-width kana have one.
        for size, group in itertools.groupby(coded, key=lambda c: len(c[1])):
            escapes = "".join(f"\\u{code - 65536 if code > 32767 else code}" + "".join(f"\\'{b:02x}" for b in raw)
                              for code, raw in group)
            out.append(f"{{\\uc{size}{escapes}}}")
    return "".join(out)


def inline(text, where):
    """Text with **bold** stretches in RTF."""
    pieces = text.split("**")
    if len(pieces) % 2 == 0:
        raise SourceError(f"{where}: unmatched **")
    return "".join(("{\\b %s}" if i % 2 else "%s") % rtf_text(p, where) for i, p in enumerate(pieces) if p)


def display_width(text):
    return sum(1 if ch.isascii() or "\uff61" <= ch <= "\uff9f" else 2 for ch in text)


def join_lines(a, b):
    """Japanese lines join without a space; two ASCII words keep one between them."""
    if a and b and a[-1].isascii() and a[-1].isalnum() and b[0].isascii() and b[0].isalnum():
        return a + " " + b
    return a + b


def parse(lines):
    """The source as a list of blocks (kind, payload, line number)."""
    blocks = []
    open_kind = None  # block that following lines may continue
    for number, raw in enumerate(lines, 1):
        line = raw.rstrip()
        if line.startswith("%%"):
            continue
        if not line:
            open_kind = None
            continue
        numbered = re.match(r"(\d+)\. (.*)", line)
        if line.startswith("  ") and open_kind in ("bullet", "numbered"):
            kind, payload, at = blocks[-1]
            blocks[-1] = (kind, (payload[0], join_lines(payload[1], line.strip())), at)
        elif line.startswith("="):
            level = len(line) - len(line.lstrip("="))
            if level > 3:
                raise SourceError(f"line {number}: headings have one to three '='")
            blocks.append((("title", "chapter", "section")[level - 1], line[level:].strip(), number))
            open_kind = None
        elif line == "[もくじ]":
            blocks.append(("toc", None, number))
            open_kind = None
        elif line.startswith("- "):
            blocks.append(("bullet", ("・", line[2:].strip()), number))
            open_kind = "bullet"
        elif numbered:
            blocks.append(("numbered", (numbered.group(1) + ".", numbered.group(2).strip()), number))
            open_kind = "numbered"
        elif line.startswith("|"):
            cells = [c.strip() for c in line.strip("|").split("|")]
            if open_kind == "table":
                if len(cells) != len(blocks[-1][1][0]):
                    raise SourceError(f"line {number}: table row with another number of cells")
                blocks[-1][1].append(cells)
            else:
                blocks.append(("table", [cells], number))
            open_kind = "table"
        elif line.startswith(">"):
            text = line[1:].strip()
            if open_kind == "note":
                blocks[-1] = ("note", join_lines(blocks[-1][1], text), blocks[-1][2])
            else:
                blocks.append(("note", text, number))
            open_kind = "note"
        elif open_kind == "paragraph":
            blocks[-1] = ("paragraph", join_lines(blocks[-1][1], line.strip()), blocks[-1][2])
        else:
            blocks.append(("paragraph", line.strip(), number))
            open_kind = "paragraph"
    return blocks


def block_texts(kind, payload):
    if kind == "table":
        return [cell for row in payload for cell in row]
    if kind in ("bullet", "numbered"):
        return [payload[1]]
    return [payload or ""]


def check_references(blocks):
    """Every 「N　…」 reference names a heading that exists."""
    headings = [b[1] for b in blocks if b[0] in ("chapter", "section")]
    for kind, payload, number in blocks:
        for text in block_texts(kind, payload):
            for ref in re.findall(r"「([０-９][０-９.]*　[^」]+)」", text):
                if not any(h.startswith(ref) for h in headings):
                    raise SourceError(f"line {number}: 「{ref}」 names no heading")


def paragraph(props, body, chars=""):
    """One paragraph: paragraph properties, then the character ones, then the text."""
    return r"\pard\plain%s%s%s %s\par" % (props, BODY, chars, body)


def table(rows, where):
    widths = [min(max(display_width(r[c]) for r in rows), 40) + 2 for c in range(len(rows[0]))]
    edges, x = [], 0
    for w in widths:
        x += TEXT_WIDTH * w // sum(widths)
        edges.append(x)
    edges[-1] = TEXT_WIDTH
    box = "".join(r"\clbrdr%s\brdrs\brdrw10" % side for side in "tlbr")
    out = []
    for i, row in enumerate(rows):
        head = i == 0
        cells = "".join(box + (r"\clcbpat3" if head else "") + r"\cellx%d" % e for e in edges)
        text = "".join(r"\pard\plain\intbl\s0\sa40%s%s %s\cell"
                       % (BODY, r"\b" if head else "", inline(c, where)) for c in row)
        out.append(r"\trowd\trgaph80\trleft0\trkeep%s%s %s\row" % (r"\trhdr" if head else "", cells, text))
    out.append(paragraph(r"\s0\sa0", "", r"\fs10"))
    return out


def render(blocks):
    out = list(HEADER)
    title = next((b[1] for b in blocks if b[0] == "title"), "")
    out.append(r"{\info{\title %s}}" % rtf_text(title, "title"))
    out.append("{\\footer%s}" % paragraph(r"\qc", inline(title + "　－　", "footer")
                                             + r"{\field{\*\fldinst PAGE}{\fldrslt 1}}", r"\fs18"))
    page_break = ""
    for i, (kind, payload, number) in enumerate(blocks):
        where = f"line {number}"
        if kind == "title":
            out.append(paragraph(r"\s0\qc\sb1200\sa480", rtf_text(payload, where), r"\fs44\b\cf2"))
        elif kind == "toc":
            out.append(paragraph(r"\s0\sb240\sa120", rtf_text("もくじ", where), r"\fs26\b\cf2"))
            for chapter in (b[1] for b in blocks if b[0] == "chapter"):
                out.append(paragraph(r"\s0\li480\sa40", inline(chapter, where)))
            page_break = r"\pagebb"
        elif kind == "chapter":
            out.append(paragraph(r"\s1\outlinelevel0\keepn%s\sb360\sa160\brdrb\brdrs\brdrw15\brsp40" % page_break,
                                 rtf_text(payload, where), r"\fs30\b\cf2"))
            page_break = ""
        elif kind == "section":
            out.append(paragraph(r"\s2\outlinelevel1\keepn\sb240\sa100", rtf_text(payload, where), r"\fs24\b\cf2"))
        elif kind == "paragraph":
            out.append(paragraph(r"\s0\sa120", inline(payload, where)))
        elif kind in ("bullet", "numbered"):
            mark, text = payload
            last = i + 1 == len(blocks) or blocks[i + 1][0] not in ("bullet", "numbered")
            out.append(paragraph(r"\s0\fi-360\li600\tx600\sa%d" % (120 if last else 60),
                                 inline(mark, where) + r"\tab " + inline(text, where)))
        elif kind == "note":
            out.append(paragraph(r"\s0\li240\ri240\sb120\sa200\box\brdrs\brdrw10\brsp100", inline(payload, where)))
        elif kind == "table":
            out.extend(table(payload, where))
    out.append("}")
    return "\r\n".join(wrap(line) for line in out) + "\r\n"


# Places where a line break changes nothing: after a group, or after a character's
# Shift_JIS bytes where the next character begins. Readers ignore bare line breaks.
BREAKS = re.compile(r"\}|\\'[0-9a-f]{2}(?=\\u)")


def wrap(line, width=120):
    """Breaks a long RTF line into lines of about `width` characters."""
    pieces, start, last = [], 0, 0
    for m in BREAKS.finditer(line):
        if m.end() - start > width and last > start:
            pieces.append(line[start:last])
            start = last
        last = m.end()
    pieces.append(line[start:])
    return "\r\n".join(p for p in pieces if p)


def build():
    with open(SOURCE, encoding="utf-8") as f:
        blocks = parse(f.read().splitlines())
    check_references(blocks)
    return render(blocks).encode("ascii")


def main(argv):
    if argv not in ([], ["--check"]):
        sys.exit(__doc__)
    try:
        data = build()
    except SourceError as e:
        sys.exit(f"{os.path.relpath(SOURCE, ROOT)}: {e}")
    if argv == ["--check"]:
        with open(OUTPUT, "rb") as f:
            if f.read() != data:
                sys.exit(f"{os.path.relpath(OUTPUT, ROOT)} is out of date: run tools/gen_help_rtf.py")
        return
    with open(OUTPUT, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main(sys.argv[1:])
