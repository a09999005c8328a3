#!/usr/bin/env python3
"""Builds the form templates (RTF/PAGE<N>.RTF) and page data files (DAT/PAGE<N>.DAT)
from the page descriptions in pages/page<N>.txt.

    rtfgen.py                 write every page into data/program
    rtfgen.py --out DIR       write into DIR/RTF and DIR/DAT instead
    rtfgen.py --check         fail when a shipped file differs from what the pages give
    rtfgen.py --map           list, per page type, every answer a template prints
    rtfgen.py --sample FILE   also write DIR/SAMPLE/PAGE<N>.RTF with every variable
                              replaced by its text from FILE (lines "page.index text")

A description is one directive a line:

    page N                    page type
    foot TEXT                 the foot line naming the form
    caption K=V ...           caption block; keys county, name, after, case, judge
    heading K=V               continuation heading: case=N
    title TEXT / cite TEXT    centred bold title / centred citation
    size HALFPOINTS           body size from here on
    rowh TWIPS                least height of the rows that follow (negative: exact)
    p / pi / pc / pr TEXT     paragraph: plain, indented, centred, right-aligned
    pb TEXT                   paragraph kept with the next (headings)
    box TEXT                  paragraph opening with a check box: "box {&4} text"
    row CELL | CELL ...       one table row; CELL is "WIDTH[flags] content"
    sig CELL | CELL ...       signature row: a rule above each cell with content
    slots N BASE STEP CELLS   N rows; "{M+k}" in them is answer BASE + STEP * row + k
    gap POINTS                empty space
    rule                      a thin full-width rule

Cell flags after the width: ">" right, "^" centred, "_" rule below, "-" no rule,
"b" bold, "s" small. A cell holding one field and nothing else gets a rule below.

In text, {M N} is a variable with marker M and answer index N; "{*N:W}" gives a fitted
field its width in inches (in a cell it defaults to the cell's inner width).
<b>..</b> bold, <i>..</i> italic, <u>..</u> underlined, "~" a non-breaking space.
"""

import argparse
import os
import re
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))

FIELDS_PER_PAGE = {12: 200, 14: 200, 24: 300}
MARKERS = "*<#+$@%^&"
FITTED = "*<"

TWIPS = 1440
PAGE_W, PAGE_H = 12240, 15840
MARG_L = MARG_R = 1080
MARG_T, MARG_B = 1008, 720
TEXT_W = PAGE_W - MARG_L - MARG_R  # 7.0 inches
CELL_PAD = 58  # twips each side of a cell's text

# One header for every template: later pages are read under the first page's.
# f0 is the body face, f4 the face the merge restores after a check box on two
# of the forms; both are Arial. The hidden "\'b7" closes the header.
HEADER = (
    "{\\rtf1\\ansi\\ansicpg1252\\deff0\\deflang1033"
    "{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}{\\f1\\froman\\fcharset0 Times New Roman;}"
    "{\\f2\\fmodern\\fcharset0 Courier New;}{\\f3\\fnil\\fcharset2 Wingdings;}"
    "{\\f4\\fswiss\\fcharset0 Arial;}}\r\n"
    "{\\colortbl;\\red255\\green0\\blue0;\\red0\\green0\\blue0;}\r\n"
    "\\paperw%d\\paperh%d\\margl%d\\margr%d\\margt%d\\margb%d\\widowctrl\\viewkind1\r\n"
    "\\sectd\\pgwsxn%d\\pghsxn%d\\marglsxn%d\\margrsxn%d\\margtsxn%d\\margbsxn%d\r\n"
    "\\pard\\plain\\f0\\fs20\\v\\'b7\\v0\r\n"
) % (PAGE_W, PAGE_H, MARG_L, MARG_R, MARG_T, MARG_B,
     PAGE_W, PAGE_H, MARG_L, MARG_R, MARG_T, MARG_B)

FIELD_RE = re.compile(r"\{([*<#+$@%^&])(\d{1,3})(?::([0-9.]+))?\}")


class PageError(Exception):
    pass


def esc(text):
    """Plain text of a description as RTF: escapes, Windows-1252 above 127."""
    out = []
    for ch in text:
        if ch in "\\{}":
            out.append("\\" + ch)
        elif ch == "~":
            out.append("\\~")
        elif ord(ch) < 128:
            out.append(ch)
        else:
            out.append("\\'%02x" % ch.encode("cp1252")[0])
    return "".join(out)


class Page:
    def __init__(self, path):
        self.path = path
        self.type = None
        self.foot = ""
        self.size = 20
        self.rowh = 280
        self.rowtext = None
        self.body = []
        self.widths = {}  # fitted field -> width in inches
        self.fields = {}  # index -> (marker, words beside it)

    def fail(self, lineno, msg):
        raise PageError("%s:%d: %s" % (self.path, lineno, msg))

    # --- inline text -------------------------------------------------------

    def inline(self, text, lineno, cell_width=None, underline=False):
        out = []
        pos = 0
        for m in FIELD_RE.finditer(text):
            out.append(self.markup(text[pos:m.start()]))
            out.append(self.field(m, lineno, cell_width, underline, text))
            pos = m.end()
        out.append(self.markup(text[pos:]))
        return "".join(out)

    def markup(self, text):
        if "{" in text or "}" in text:
            raise PageError("%s: stray brace in %r" % (self.path, text))
        s = esc(text)
        for tag, on, off in (("b", "\\b ", "\\b0 "), ("i", "\\i ", "\\i0 "),
                             ("u", "\\ul ", "\\ulnone ")):
            s = s.replace("<%s>" % tag, on).replace("</%s>" % tag, off)
        return s

    def field(self, m, lineno, cell_width, underline, context):
        marker, index = m.group(1), int(m.group(2))
        limit = FIELDS_PER_PAGE.get(self.type, 100)
        if index > limit:
            self.fail(lineno, "answer %d beyond %d" % (index, limit))
        words = FIELD_RE.sub("_", self.rowtext or context).replace("<b>", "").replace("</b>", "")
        old = self.fields.get(index)
        if old and (old[0] == "&") != (marker == "&"):
            self.fail(lineno, "answer %d printed as a mark and as text" % index)
        if not old:
            self.fields[index] = (marker, words.strip())
        var = "/%s%d/" % (marker, index)
        if marker == "&":
            return "\\cf2\\fs10 %s\\cf0\\fs%d " % (var, self.size)
        if marker in FITTED:
            width = float(m.group(3)) if m.group(3) else cell_width
            if not width:
                self.fail(lineno, "fitted answer %d needs a width" % index)
            self.widths[index] = min(width, self.widths.get(index, width))
        text = "\\cf2 %s\\cf0 " % var
        if underline:
            text = "\\ul %s\\ulnone " % text
        return text

    # --- blocks ------------------------------------------------------------

    def para(self, text, lineno, align="\\ql", indent=0, keep=False, space_after=80):
        fmt = "\\pard\\plain\\f0\\fs%d%s\\sa%d" % (self.size, align, space_after)
        if indent:
            fmt += "\\li%d" % indent
        if keep:
            fmt += "\\keepn"
        return "%s %s\\par\r\n" % (fmt, self.inline(text, lineno, underline=True))

    def row(self, spec, lineno, signature=False):
        self.rowtext = re.sub(r"(^|\|)\s*[0-9.]+[>^_\-bs]*", " ", spec)
        cells = [c.strip() for c in spec.split("|")]
        parsed = []
        for c in cells:
            m = re.match(r"^([0-9.]+)([>^_\-bs]*)\s?(.*)$", c)
            if not m:
                self.fail(lineno, "cell %r has no width" % c)
            parsed.append((float(m.group(1)), m.group(2), m.group(3)))
        total = sum(w for w, _, _ in parsed)
        if total > TEXT_W / TWIPS + 1e-6:
            self.fail(lineno, "row %.2f in wider than the text" % total)
        defs, contents = [], []
        x = 0
        for width, flags, content in parsed:
            x += int(round(width * TWIPS))
            only_field = FIELD_RE.fullmatch(content) is not None and content[1] != "&"
            border = ""
            if signature and content:
                border = "\\clbrdrt\\brdrs\\brdrw10"
            elif "_" in flags or (only_field and "-" not in flags):
                border = "\\clbrdrb\\brdrs\\brdrw10"
            defs.append("\\clvertalb%s\\cellx%d" % (border, x))
            align = "\\qr" if ">" in flags else "\\qc" if "^" in flags else "\\ql"
            size = self.size - 4 if ("s" in flags or signature) else self.size
            saved, self.size = self.size, size
            inner = (width * TWIPS - 2 * CELL_PAD) / TWIPS
            body = self.inline(content, lineno, cell_width=round(inner, 2))
            self.size = saved
            if "b" in flags:
                body = "\\b %s\\b0 " % body
            contents.append("\\pard\\plain\\intbl\\f0\\fs%d%s %s\\cell" % (size, align, body))
        self.rowtext = None
        head = "\\trowd\\trgaph%d\\trleft0\\trrh%d\\trkeep " % (CELL_PAD, self.rowh)
        return "%s%s\r\n%s\r\n\\row\r\n" % (head, "".join(defs), "\r\n".join(contents))

    def gap(self, points):
        return "\\pard\\plain\\f0\\fs4\\sl-%d\\slmult0\\sa0 \\par\r\n" % int(points * 20)

    def rule(self):
        return "\\pard\\plain\\f0\\fs4\\brdrb\\brdrs\\brdrw10\\brsp20\\sa60 \\par\r\n"

    def caption(self, args, lineno):
        county, name = args.get("county"), args.get("name")
        after, case, judge = args.get("after"), args.get("case"), args.get("judge")
        out = []
        saved = self.size
        self.size = 22
        out.append(self.para("<b>PROBATE COURT OF {#%s} COUNTY, OHIO</b>" % county, lineno,
                             align="\\qc", space_after=0))
        if judge is not None:
            out.append(self.para("{#%s}, PROBATE JUDGE" % judge, lineno, align="\\qc",
                                 space_after=0))
        self.size = 20
        out.append(self.gap(8))
        out.append(self.row("4.3b IN THE MATTER OF THE ADOPTION OF | 0.3 | 2.4", lineno))
        out.append(self.row("4.3b {*%s} | 0.3 | 0.8b Case No. | 1.6b {*%s}" % (name, case),
                            lineno))
        if after is not None:
            out.append(self.row("1.6 Name after adoption: | 2.7b {*%s}" % after, lineno))
        self.size = saved
        out.append(self.gap(10))
        return "".join(out)

    def heading(self, args, lineno):
        saved, self.size = self.size, 20
        text = self.row("4.6 | 0.8b Case No. | 1.6b {*%s}" % args["case"], lineno)
        self.size = saved
        return text + self.gap(8)

    def opening(self):
        """A later page's break lands in the body's first paragraph; a break
        inside a table cell would be lost, so the body opens with a paragraph."""
        return "\\pard\\plain\\f0\\fs20\\sl-20\\slmult0\\sa0 \\par\r\n"

    def footline(self):
        return ("\\pard\\plain\\f0\\fs16\\qc\\sb0\\sa0\\pvpg\\phmrg\\posx0\\posy%d\\absw%d "
                "%s\\par\r\n") % (PAGE_H - MARG_B - 300, TEXT_W, esc(self.foot))

    # --- reading -----------------------------------------------------------

    def read(self):
        with open(self.path, encoding="utf-8") as f:
            lines = f.read().split("\n")
        for lineno, raw in enumerate(lines, 1):
            line = raw.rstrip()
            if not line or line.lstrip().startswith("#"):
                continue
            word, _, rest = line.partition(" ")
            rest = rest.strip()
            if word == "page":
                self.type = int(rest)
            elif word == "foot":
                self.foot = rest
            elif word == "size":
                self.size = int(rest)
            elif word == "rowh":
                self.rowh = int(rest)
            elif word in ("caption", "heading"):
                args = dict(kv.split("=") for kv in rest.split())
                self.body.append(getattr(self, word)(args, lineno))
            elif word == "title":
                saved, self.size = self.size, 24
                self.body.append(self.para("<b>%s</b>" % rest, lineno, align="\\qc",
                                           keep=True, space_after=0))
                self.size = saved
            elif word == "cite":
                self.body.append(self.para(rest, lineno, align="\\qc", keep=True))
            elif word == "p":
                self.body.append(self.para(rest, lineno, align="\\qj"))
            elif word == "pl":
                self.body.append(self.para(rest, lineno))
            elif word == "pi":
                self.body.append(self.para(rest, lineno, align="\\qj", indent=360))
            elif word == "pc":
                self.body.append(self.para(rest, lineno, align="\\qc"))
            elif word == "pr":
                self.body.append(self.para(rest, lineno, align="\\qr"))
            elif word == "pb":
                self.body.append(self.para("<b>%s</b>" % rest, lineno, keep=True,
                                           space_after=40))
            elif word == "box":
                fmt = "\\pard\\plain\\f0\\fs%d\\qj\\sa60\\li720\\fi-360\\tx720" % self.size
                body = self.inline(rest, lineno, underline=True).replace("\\cf0\\fs%d " % self.size,
                                                                          "\\cf0\\fs%d\\tab " % self.size, 1)
                self.body.append("%s %s\\par\r\n" % (fmt, body))
            elif word == "row":
                self.body.append(self.row(rest, lineno))
            elif word == "sig":
                self.body.append(self.row(rest, lineno, signature=True))
            elif word == "slots":
                count, base, stride, spec = rest.split(None, 3)
                for slot in range(int(count)):
                    first = int(base) + int(stride) * slot
                    text = re.sub(r"\{([*<#+$@%^&])\+(\d+)",
                                  lambda m: "{%s%d" % (m.group(1), first + int(m.group(2))), spec)
                    self.body.append(self.row(text, lineno))
            elif word == "gap":
                self.body.append(self.gap(float(rest)))
            elif word == "rule":
                self.body.append(self.rule())
            else:
                self.fail(lineno, "unknown directive %r" % word)
        if self.type is None:
            raise PageError("%s: no page line" % self.path)
        if not self.foot:
            raise PageError("%s: no foot line" % self.path)

    def rtf(self):
        # The page break of a later page lands where this body ends: outside the
        # foot line's frame, or the break would go into the frame.
        return HEADER + self.opening() + "".join(self.body) + self.footline() + "\\pard\\plain\\f0\\fs20\r\n}\r\n"

    def dat(self):
        """One line per field up to the highest fitted one; only widths matter."""
        if not self.widths:
            return "0 0 0 0.00 1.00 0.00 0\r\n"
        lines = []
        for k in range(max(self.widths) + 1):
            w = self.widths.get(k, 0.0)
            lines.append("%d %d 0 0.00 1.00 %.2f 0" % (k, 1 if w else 0, w))
        return "\r\n".join(lines) + "\r\n"


def load_pages():
    folder = os.path.join(HERE, "pages")
    pages = []
    for name in sorted(os.listdir(folder)):
        if name.endswith(".txt"):
            p = Page(os.path.join(folder, name))
            p.read()
            pages.append(p)
    return pages


def sample_merge(rtf, ptype, samples):
    def sub(m):
        marker, index = m.group(1), int(m.group(2))
        text = samples.get((ptype, index), "")
        if marker == "&":
            return "\\f3\\fs24 %s\\fs10\\f0 " % ("x" if text == "X" else "o")
        return esc(text)
    return re.sub(r"/([*<#+$@%^&])(\d{1,3})/", sub, rtf)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--out", default=os.path.join(ROOT, "data", "program"))
    ap.add_argument("--map", action="store_true")
    ap.add_argument("--sample")
    ap.add_argument("--check", action="store_true")
    args = ap.parse_args()
    try:
        pages = load_pages()
    except PageError as e:
        sys.exit(str(e))
    if args.map:
        for p in sorted(pages, key=lambda p: p.type):
            print("page %d (%s)" % (p.type, p.foot))
            for k in sorted(p.fields):
                print("  %3d %s  %s" % (k, p.fields[k][0], p.fields[k][1][:90]))
        return
    if args.check:
        stale = []
        for p in pages:
            for sub, name, text in (("RTF", "PAGE%d.RTF", p.rtf()), ("DAT", "PAGE%d.DAT", p.dat())):
                path = os.path.join(args.out, sub, name % p.type)
                try:
                    with open(path, encoding="ascii", newline="") as f:
                        same = f.read() == text
                except OSError:
                    same = False
                if not same:
                    stale.append(path)
        if stale:
            sys.exit("not generated from tools/rtfgen/pages (run tools/rtfgen/rtfgen.py):\n  "
                     + "\n  ".join(stale))
        return
    samples = {}
    if args.sample:
        with open(args.sample, encoding="utf-8") as f:
            for line in f:
                key, _, text = line.rstrip("\n").partition(" ")
                if key:
                    t, i = key.split(".")
                    samples[(int(t), int(i))] = text
    for sub in ("RTF", "DAT"):
        os.makedirs(os.path.join(args.out, sub), exist_ok=True)
    for p in pages:
        rtf = p.rtf()
        with open(os.path.join(args.out, "RTF", "PAGE%d.RTF" % p.type), "w",
                  encoding="ascii", newline="") as f:
            f.write(rtf)
        with open(os.path.join(args.out, "DAT", "PAGE%d.DAT" % p.type), "w",
                  encoding="ascii", newline="") as f:
            f.write(p.dat())
        if args.sample:
            os.makedirs(os.path.join(args.out, "SAMPLE"), exist_ok=True)
            with open(os.path.join(args.out, "SAMPLE", "PAGE%d.RTF" % p.type), "w",
                      encoding="ascii", newline="") as f:
                f.write(sample_merge(rtf, p.type, samples))


if __name__ == "__main__":
    main()
