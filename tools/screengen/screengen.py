#!/usr/bin/env python3
"""Builds the page screens (Qt Designer .ui documents, data/program/PSF/page<N>.psf)
from the page descriptions in pages/page<N>.txt.

    screengen.py            write every screen
    screengen.py --check    exit 1 when a committed screen differs from its description
    screengen.py --answers  print the answer index of every field, page by page

Description lines (one element each, '#' starts a comment line):

    page N                     page type; width W optional: "page N 760"
    title TEXT                 the form's title, centred, bold
    cite TEXT                  the citation under the title
    foot TEXT                  the form line at the foot of the page
    caption [judge]            caption block bound to answers 0 to 3
    caption county=I name=I after=I case=I      caption block with other indices
    continued case=I           continuation heading: case number only
    group TITLE ... end        a framed group of the court form
    note TEXT                  fixed wording of the form (wrapped)
    warn TEXT                  fixed warning in capitals (wrapped)
    sub TEXT                   a sub-heading inside a group
    listing first=I slots=N [totals=I,J]   the slots of an account listing page (date, text, amount, actual cost)
    row CELL ; CELL ; ...      one row of cells, sharing the width by their weights

A cell is: MODE INDEX "LABEL" [w=WEIGHT] [kind=text|whole|percent|amount|count] [help="TEXT"]
    MODE typed | ro | ovr       an edit the user types / derived read-only / derived overrideable
         check | ocheck         a mark / a derived overrideable mark
         est                    the estimate box of a mark answer (caption EST while ticked)
         memo LINES             a multi-line answer the user types
         text                   fixed wording in line with the fields (no index)
         gap                    empty space (no index, no label)
"""

import os
import re
import shlex
import subprocess
import sys
from xml.sax.saxutils import escape

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
PAGES = os.path.join(HERE, "pages")
OUT = os.path.join(ROOT, "data", "program", "PSF")

FONT_FAMILY = "Arial"
FONT_PT = 9
PX = FONT_PT * 96 / 72  # em in pixels

MARGIN = 12
GAP = 8  # between cells of a row
LABEL_H = 16
EDIT_H = 24
ROW_GAP = 6
GROUP_TOP = 24
GROUP_PAD = 10
HELP_W = 24

KINDS = {"text": 1, "whole": 2, "percent": 3, "amount": 4, "count": 5}

# Advance widths of Arial (and the metric-compatible Liberation Sans), 1/1000 em.
_W = {" ": 278, "!": 278, '"': 355, "#": 556, "$": 556, "%": 889, "&": 667, "'": 191, "(": 333, ")": 333,
      "*": 389, "+": 584, ",": 278, "-": 333, ".": 278, "/": 278, ":": 278, ";": 278, "<": 584, "=": 584,
      ">": 584, "?": 556, "@": 1015, "[": 278, "\\": 278, "]": 278, "_": 556, "–": 556, "—": 1000, "’": 222,
      "A": 667, "B": 667, "C": 722, "D": 722, "E": 667, "F": 611, "G": 778, "H": 722, "I": 278, "J": 500,
      "K": 667, "L": 556, "M": 833, "N": 722, "O": 778, "P": 667, "Q": 778, "R": 722, "S": 667, "T": 611,
      "U": 722, "V": 667, "W": 944, "X": 667, "Y": 667, "Z": 611, "a": 556, "b": 556, "c": 500, "d": 556,
      "e": 556, "f": 278, "g": 556, "h": 556, "i": 222, "j": 222, "k": 500, "l": 222, "m": 833, "n": 556,
      "o": 556, "p": 556, "q": 556, "r": 333, "s": 500, "t": 278, "u": 556, "v": 500, "w": 722, "x": 500,
      "y": 500, "z": 500, "§": 556}


def text_width(text, pt=FONT_PT, bold=False):
    units = sum(_W.get(ch, 556 if not ch.isdigit() else 556) for ch in text)
    width = units / 1000.0 * pt * 96 / 72
    if bold:
        width *= 1.1
    return int(width * 1.08) + 6  # hinting slack


def wrapped_lines(text, width, pt=FONT_PT, bold=False):
    lines, line = 1, ""
    for word in text.split():
        trial = (line + " " + word).strip()
        if text_width(trial, pt, bold) > width and line:
            lines += 1
            line = word
        else:
            line = trial
    return lines


class Ui:
    """Collects widget elements; names are unique within a page."""

    def __init__(self, page):
        self.page = page
        self.names = set()
        self.counters = {}
        self.fields = []  # (index, mode, label) for --answers

    def name(self, prefix, index=None):
        if index is not None:
            base = "%s%03d" % (prefix, index)
        else:
            n = self.counters.get(prefix, 0) + 1
            self.counters[prefix] = n
            base = "%s%d" % (prefix, n)
        name, k = base, 1
        while name in self.names:
            k += 1
            name = "%s_%d" % (base, k)
        self.names.add(name)
        return name


def prop(name, body, stdset=True):
    extra = "" if stdset else ' stdset="0"'
    return '<property name="%s"%s>%s</property>' % (name, extra, body)


def p_string(s):
    return "<string>%s</string>" % escape(s)


def p_rect(x, y, w, h):
    return "<rect><x>%d</x><y>%d</y><width>%d</width><height>%d</height></rect>" % (x, y, w, h)


def p_bool(b):
    return "<bool>%s</bool>" % ("true" if b else "false")


def p_num(n):
    return "<number>%d</number>" % n


BOLD_STYLES = {"CAPTIONTEXT", "TITLE", "WARNING", "SUBHEADING", "COLUMNHEAD", "FOOTLINE", "FORMGROUP",
               "HELPBUTTON"}


def p_font(pt, bold):
    return prop("font", "<font><family>%s</family><pointsize>%d</pointsize>%s</font>"
                % (FONT_FAMILY, pt, "<bold>true</bold>" if bold else ""))


class W:
    """One widget element of the .ui tree."""

    def font(self):
        st = next((p for p in self.props if 'name="styleName"' in p), "")
        st = re.sub(r".*<string>(.*)</string>.*", r"\1", st)
        return (12 if st == "TITLE" else FONT_PT), st in BOLD_STYLES

    def __init__(self, cls, name, rect, props=(), children=None):
        self.cls, self.name, self.rect = cls, name, rect
        self.props = list(props)
        self.children = children if children is not None else []

    def xml(self, indent):
        pad = " " * indent
        out = ['%s<widget class="%s" name="%s">' % (pad, self.cls, self.name)]
        out.append("%s %s" % (pad, prop("geometry", p_rect(*self.rect))))
        # Each control names its font: a style sheet that styles a control
        # resolves its font against the application's, not the page's.
        if self.cls != "QPlainTextEdit":
            out.append("%s %s" % (pad, p_font(*self.font())))
        for p in self.props:
            out.append("%s %s" % (pad, p))
        for c in self.children:
            out.append(c.xml(indent + 1))
        out.append("%s</widget>" % pad)
        return "\n".join(out)


def style(s):
    return prop("styleName", p_string(s), stdset=False)


def tag(t):
    return prop("tag", p_num(t), stdset=False)


def label(ui, x, y, w, h, text, st=None, align=None, wrap=False, bound=None):
    props = [prop("text", p_string(text))]
    if wrap:
        props.append(prop("wordWrap", p_bool(True)))
    if align:
        props.append(prop("alignment", "<set>%s</set>" % align))
    if st:
        props.append(style(st))
    if bound is not None:
        props.append(tag(bound))
    name = ui.name("lblAnswer", bound) if bound is not None else ui.name("lbl")
    return W("QLabel", name, (x, y, w, h), props)


def edit(ui, x, y, w, index, mode, kind=1, h=EDIT_H):
    props = [tag(kind * 1000 + index)]
    if mode == "ro":
        props += [prop("readOnly", p_bool(True)), prop("focusPolicy", "<enum>Qt::NoFocus</enum>"),
                  style("EDITREADONLY")]
    elif mode == "ovr":
        props += [prop("readOnly", p_bool(True)), style("EDITOVERRIDEABLE")]
    if kind in (2, 3, 4, 5):
        props.append(prop("alignment", "<set>Qt::AlignRight|Qt::AlignVCenter</set>"))
    return W("QLineEdit", ui.name("edt", index), (x, y, w, h), props)


def help_button(ui, x, y, index, text, page_width, abs_x):
    """A help button with its callout panel inside it; the panel lies outside the
    button's own rectangle, to its left and below, and is hidden until clicked."""
    cw = 340
    lines = wrapped_lines(text, cw - 20)
    ch = lines * 16 + 16
    # keep the panel on the page: its left edge relative to the button
    left = HELP_W - cw
    if abs_x + left < MARGIN:
        left = MARGIN - abs_x
    if abs_x + left + cw > page_width - MARGIN:
        left = page_width - MARGIN - cw - abs_x
    inner = W("QLabel", ui.name("lblCallout", index), (10, 8, cw - 20, ch - 16),
              [prop("text", p_string(text)), prop("wordWrap", p_bool(True)), style("CALLOUTTEXT")])
    panel = W("QFrame", ui.name("pnlCallout", index), (left, HELP_W + 4, cw, ch),
              [prop("visible", p_bool(False)), prop("frameShape", "<enum>QFrame::StyledPanel</enum>"),
               prop("callout", p_bool(True), stdset=False), style("CALLOUT")], [inner])
    return W("QPushButton", ui.name("btnHelp", index), (x, y, HELP_W, HELP_W),
             [prop("text", p_string("?")), prop("toolTip", p_string("What to enter here")),
              prop("focusPolicy", "<enum>Qt::NoFocus</enum>"), style("HELPBUTTON")], [panel])


def parse_cell(text):
    toks = shlex.split(text)
    if not toks:
        raise ValueError("empty cell")
    mode = toks.pop(0)
    cell = {"mode": mode, "w": 1.0, "kind": "text", "help": None, "label": "", "index": None, "lines": 2}
    if mode in ("gap", "text"):
        pass
    elif mode == "memo":
        cell["lines"] = int(toks.pop(0))
        cell["index"] = int(toks.pop(0))
    elif mode in ("typed", "ro", "ovr", "check", "ocheck", "est"):
        cell["index"] = int(toks.pop(0))
    else:
        raise ValueError("unknown cell mode %r" % mode)
    for t in toks:
        if "=" in t and t.split("=", 1)[0] in ("w", "kind", "help"):
            k, v = t.split("=", 1)
            cell[k] = float(v) if k == "w" else v
        else:
            cell["label"] = t
    if cell["kind"] not in KINDS:
        raise ValueError("unknown kind %r" % cell["kind"])
    return cell


class Page:
    def __init__(self, path):
        self.path = path
        self.lines = []
        with open(path, encoding="utf-8") as f:
            for n, raw in enumerate(f, 1):
                s = raw.strip()
                if s and not s.startswith("#"):
                    self.lines.append((n, s))
        first = self.lines[0][1].split()
        if first[0] != "page":
            raise ValueError("%s: first line must be 'page N'" % path)
        self.number = int(first[1])
        self.width = int(first[2]) if len(first) > 2 else 760
        self.ui = Ui(self.number)

    # -- layout of one container's contents: returns (widgets, height)
    def layout(self, items, x0, width, abs_x):
        ui = self.ui
        out = []
        y = 0
        for kind, arg, n in items:
            if kind == "row":
                ws, h = self.row(arg, x0, y, width, abs_x, n)
                out += ws
                y += h + ROW_GAP
            elif kind in ("note", "warn"):
                bold = kind == "warn"
                lines = wrapped_lines(arg, width - 4, bold=bold)
                h = lines * 16 + 4
                out.append(label(ui, x0, y, width, h, arg, st="WARNING" if bold else "NOTE", wrap=True,
                                   align="Qt::AlignLeft|Qt::AlignTop"))
                y += h + ROW_GAP
            elif kind == "sub":
                out.append(label(ui, x0, y, width, 18, arg, st="SUBHEADING"))
                y += 18 + 2
            elif kind == "listing":
                ws, h = self.listing(arg, x0, y, width)
                out += ws
                y += h + ROW_GAP
            else:
                raise ValueError("line %d: %s not allowed here" % (n, kind))
        return out, max(0, y - ROW_GAP)

    def row(self, text, x0, y, width, abs_x, n):
        ui = self.ui
        try:
            cells = [parse_cell(c) for c in split_cells(text)]
        except ValueError as e:
            raise ValueError("%s:%d: %s" % (self.path, n, e))
        total_w = sum(c["w"] for c in cells)
        avail = width - GAP * (len(cells) - 1)
        has_labels = any(c["mode"] in ("typed", "ro", "ovr", "memo", "est") and c["label"] for c in cells)
        top = LABEL_H + 1 if has_labels else 0
        out = []
        x = x0
        height = top + EDIT_H
        for i, c in enumerate(cells):
            cw = int(avail * c["w"] / total_w) if i < len(cells) - 1 else x0 + width - x
            idx, mode = c["index"], c["mode"]
            field_w = cw - (HELP_W + 4 if c["help"] else 0)
            if mode in ("typed", "ro", "ovr"):
                if c["label"]:
                    out.append(label(ui, x, y, field_w, LABEL_H, c["label"], st="FIELDLABEL"))
                out.append(edit(ui, x, y + top, field_w, idx, mode, KINDS[c["kind"]]))
                ui.fields.append((idx, mode + ("/" + c["kind"] if c["kind"] != "text" else ""), c["label"]))
            elif mode in ("check", "ocheck"):
                props = [prop("text", p_string(c["label"])), tag(idx)]
                if mode == "ocheck":
                    props.append(style("CHECKBOXOVERRIDEABLE"))
                out.append(W("QCheckBox", ui.name("cbx", idx), (x, y + top, field_w, EDIT_H), props))
                ui.fields.append((idx, mode, c["label"]))
            elif mode == "est":
                if c["label"]:
                    out.append(label(ui, x, y, field_w, LABEL_H, c["label"], st="FIELDLABEL"))
                out.append(W("QCheckBox", ui.name("cbxEst", idx), (x, y + top, field_w, EDIT_H),
                             [prop("text", p_string("")), tag(1000 + idx),
                              prop("toolTip", p_string("Tick when the amount is an estimate"))]))
                ui.fields.append((idx, "estimate", c["label"]))
            elif mode == "text":
                out.append(label(ui, x, y + top + 4, field_w, LABEL_H, c["label"], st="FIELDLABEL"))
            elif mode == "memo":
                mh = c["lines"] * 34 + 10  # memos show in an 18-point font
                if c["label"]:
                    out.append(label(ui, x, y, field_w, LABEL_H, c["label"], st="FIELDLABEL"))
                out.append(W("QPlainTextEdit", ui.name("mem", idx), (x, y + top, field_w, mh), [tag(idx)]))
                height = max(height, top + mh)
                ui.fields.append((idx, "memo", c["label"]))
            if c["help"]:
                out.append(help_button(ui, x + cw - HELP_W, y + top, idx, c["help"], self.width,
                                       abs_x + x + cw - HELP_W))
            x += cw + GAP
        return out, height

    def listing(self, arg, x0, y, width):
        ui = self.ui
        opts = dict(kv.split("=") for kv in arg.split())
        first, slots = int(opts["first"]), int(opts["slots"])
        date_w, amt_w = 86, 104
        text_w = width - date_w - 2 * amt_w - 3 * 4
        cols = [(x0, date_w, "Date"), (x0 + date_w + 4, text_w, "Payee, and description of the service"),
                (x0 + date_w + text_w + 8, amt_w, "Amount charged"),
                (x0 + date_w + text_w + amt_w + 12, amt_w, "Actual cost")]
        out = [label(ui, cx, y, cw, LABEL_H, t, st="COLUMNHEAD") for cx, cw, t in cols]
        y0 = y + LABEL_H + 2
        pitch = 24
        for s in range(slots):
            base = first + 4 * s
            yy = y0 + s * pitch
            out.append(edit(ui, cols[0][0], yy, date_w, base, "ro", 1, 22))
            out.append(edit(ui, cols[1][0], yy, text_w, base + 1, "ro", 1, 22))
            out.append(edit(ui, cols[2][0], yy, amt_w, base + 2, "ro", 4, 22))
            out.append(edit(ui, cols[3][0], yy, amt_w, base + 3, "ro", 4, 22))
            ui.fields.append((base, "ro", "slot %d date" % (s + 1)))
            ui.fields.append((base + 1, "ro", "slot %d text" % (s + 1)))
            ui.fields.append((base + 2, "ro/amount", "slot %d amount charged" % (s + 1)))
            ui.fields.append((base + 3, "ro/amount", "slot %d actual cost" % (s + 1)))
        height = LABEL_H + 2 + slots * pitch
        if "totals" in opts:
            charged, actual = (int(v) for v in opts["totals"].split(","))
            yy = y0 + slots * pitch + 6
            tw = text_width("Totals", bold=True)
            out.append(label(ui, cols[2][0] - tw - 8, yy + 3, tw, LABEL_H, "Totals", st="COLUMNHEAD"))
            out.append(edit(ui, cols[2][0], yy, amt_w, charged, "ro", 4))
            out.append(edit(ui, cols[3][0], yy, amt_w, actual, "ro", 4))
            ui.fields.append((charged, "ro/amount", "total amount charged"))
            ui.fields.append((actual, "ro/amount", "total actual cost"))
            height += 6 + EDIT_H
        return out, height

    def caption(self, args, y):
        ui = self.ui
        opts = {"county": 0, "name": 1, "after": 2, "case": 3}
        for a in args:
            k, v = a.split("=")
            opts[k] = None if v == "none" else int(v)
        inner = self.width - 2 * MARGIN - 2 * GROUP_PAD
        kids = []
        yy = 10
        # PROBATE COURT OF [county] COUNTY, OHIO, centred
        t1, t2 = "PROBATE COURT OF", "COUNTY, OHIO"
        w1, w2, we = text_width(t1, bold=True), text_width(t2, bold=True), 200
        x = GROUP_PAD + (inner - (w1 + w2 + we + 16)) // 2
        kids.append(label(ui, x, yy + 4, w1, LABEL_H, t1, st="CAPTIONTEXT"))
        kids.append(edit(ui, x + w1 + 8, yy, we, opts["county"], "ro"))
        kids.append(label(ui, x + w1 + we + 16, yy + 4, w2, LABEL_H, t2, st="CAPTIONTEXT"))
        ui.fields.append((opts["county"], "ro", "caption: county"))
        yy += EDIT_H + 10
        kids.append(label(ui, GROUP_PAD, yy, inner, LABEL_H, "IN THE MATTER OF THE ADOPTION OF", st="CAPTIONTEXT"))
        yy += LABEL_H + 4
        case_w = 170
        name_w = inner - case_w - 70
        kids.append(edit(ui, GROUP_PAD, yy, name_w, opts["name"], "ro"))
        ui.fields.append((opts["name"], "ro", "caption: person to be adopted"))
        if opts["case"] is not None:
            cx = GROUP_PAD + inner - case_w
            kids.append(label(ui, cx - 62, yy + 4, 58, LABEL_H, "Case No.", st="CAPTIONTEXT",
                              align="Qt::AlignRight|Qt::AlignVCenter"))
            kids.append(edit(ui, cx, yy, case_w, opts["case"], "ro"))
            ui.fields.append((opts["case"], "ro", "caption: case number"))
        yy += EDIT_H + 6
        if opts["after"] is not None:
            lw = text_width("Name after adoption:")
            kids.append(label(ui, GROUP_PAD, yy + 4, lw, LABEL_H, "Name after adoption:", st="CAPTIONTEXT"))
            kids.append(edit(ui, GROUP_PAD + lw + 6, yy, name_w - lw - 6, opts["after"], "ro"))
            ui.fields.append((opts["after"], "ro", "caption: name after adoption"))
            yy += EDIT_H + 6
        h = yy + 4
        frame = W("QFrame", ui.name("frmCaption"), (MARGIN, y, self.width - 2 * MARGIN, h),
                  [prop("frameShape", "<enum>QFrame::StyledPanel</enum>"), style("CAPTIONBLOCK")], kids)
        return [frame], h

    def continued(self, args, y):
        ui = self.ui
        opts = dict(a.split("=") for a in args)
        idx = int(opts["case"])
        case_w = 170
        x = self.width - MARGIN - case_w
        out = [label(ui, x - 66, y + 4, 60, LABEL_H, "Case No.", st="CAPTIONTEXT",
                     align="Qt::AlignRight|Qt::AlignVCenter"),
               edit(ui, x, y, case_w, idx, "ro")]
        ui.fields.append((idx, "ro", "case number"))
        return out, EDIT_H

    def build(self):
        ui = self.ui
        top = []  # widgets directly under the root
        y = MARGIN
        i = 1
        lines = self.lines
        cw = self.width - 2 * MARGIN
        pending = []  # body items outside any group

        def flush():
            nonlocal y, pending
            if pending:
                ws, h = self.layout(pending, MARGIN, cw, 0)
                for w in ws:
                    x_, y_, w_, h_ = w.rect
                    w.rect = (x_, y_ + y, w_, h_)
                top.extend(ws)
                y += h + 10
                pending = []

        while i < len(lines):
            n, s = lines[i]
            word, _, rest = s.partition(" ")
            rest = rest.strip()
            if word == "title":
                flush()
                top.append(label(ui, MARGIN, y, cw, 22, rest, st="TITLE", align="Qt::AlignCenter"))
                y += 24
            elif word == "cite":
                top.append(label(ui, MARGIN, y, cw, LABEL_H, rest, st="CITATION", align="Qt::AlignCenter"))
                y += LABEL_H + 8
            elif word == "caption":
                flush()
                ws, h = self.caption(rest.split(), y)
                top += ws
                y += h + 10
            elif word == "continued":
                flush()
                ws, h = self.continued(rest.split(), y)
                top += ws
                y += h + 8
            elif word == "group":
                flush()
                j = i + 1
                items = []
                while lines[j][1] != "end":
                    nn, ss = lines[j]
                    w2, _, r2 = ss.partition(" ")
                    items.append((w2, r2.strip(), nn))
                    j += 1
                gx = MARGIN
                gw = cw
                ws, h = self.layout(items, GROUP_PAD, gw - 2 * GROUP_PAD, gx)
                for w in ws:
                    x_, y_, w_, h_ = w.rect
                    w.rect = (x_, y_ + GROUP_TOP, w_, h_)
                gh = GROUP_TOP + h + GROUP_PAD + 2
                top.append(W("QGroupBox", ui.name("grp"), (gx, y, gw, gh),
                             [prop("title", p_string(rest)), style("FORMGROUP")], ws))
                y += gh + 10
                i = j
            elif word == "foot":
                flush()
                top.append(label(ui, MARGIN, y + 4, cw, LABEL_H + 2, rest, st="FOOTLINE",
                                 align="Qt::AlignLeft|Qt::AlignVCenter"))
                y += LABEL_H + 2 + 4
            elif word in ("row", "note", "warn", "sub", "listing"):
                pending.append((word, rest, n))
            else:
                raise ValueError("%s:%d: unknown element %r" % (self.path, n, word))
            i += 1
        flush()
        height = y + MARGIN
        return top, height

    def xml(self):
        top, height = self.build()
        name = "page%d" % self.number
        body = "\n".join(w.xml(2) for w in top)
        return ("""<?xml version="1.0" encoding="UTF-8"?>
<ui version="4.0">
 <class>%s</class>
 <widget class="QWidget" name="%s">
  %s
  %s
  %s
%s
 </widget>
 <resources/>
 <connections/>
</ui>
""" % (name, name, prop("geometry", p_rect(0, 0, self.width, height)),
       prop("font", "<font><family>%s</family><pointsize>%d</pointsize></font>" % (FONT_FAMILY, FONT_PT)),
       prop("windowTitle", p_string(self.title())), body))

    def title(self):
        for _, s in self.lines:
            if s.startswith("title "):
                return s[6:].strip()
        return "Page %d" % self.number


def split_cells(text):
    """Splits a row at ';' outside quotes."""
    cells, cur, q = [], "", None
    for ch in text:
        if q:
            cur += ch
            if ch == q:
                q = None
        elif ch in "\"'":
            q = ch
            cur += ch
        elif ch == ";":
            cells.append(cur.strip())
            cur = ""
        else:
            cur += ch
    if cur.strip():
        cells.append(cur.strip())
    return cells


def descriptions():
    files = [f for f in os.listdir(PAGES) if re.fullmatch(r"page\d+\.txt", f)]
    return sorted(files, key=lambda f: int(re.findall(r"\d+", f)[0]))


def main(argv):
    check = "--check" in argv
    answers = "--answers" in argv
    stale = []
    for f in descriptions():
        page = Page(os.path.join(PAGES, f))
        text = page.xml()
        target = os.path.join(OUT, "page%d.psf" % page.number)
        if answers:
            print("## page type %d - %s" % (page.number, page.title()))
            for idx, mode, lab in sorted(page.ui.fields, key=lambda t: t[0]):
                print("%4d  %-14s %s" % (idx, mode, lab))
            print()
            continue
        if check:
            try:
                with open(target, encoding="utf-8", newline="") as fh:
                    if fh.read() != text:
                        stale.append(target)
            except FileNotFoundError:
                stale.append(target)
        else:
            os.makedirs(OUT, exist_ok=True)
            with open(target, "w", encoding="utf-8", newline="\n") as fh:
                fh.write(text)
    if stale:
        print("screens out of date with their descriptions (run tools/screengen/screengen.py):")
        for s in stale:
            print("  " + s)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
