#!/usr/bin/env python3
"""Writes the static control table of the plain window (bench/floors) from
the main window's form description.

    plain_table.py MAIN_DFM OUTPUT_INC

Every windowed control of the description becomes one row (parents before
their children, siblings from the last to the first): its system class
kind, the row of its parent (-1 for the window itself), its bounds as stored
(relative to the parent), its text, items, flags and values. Controls without a window of
their own (labels, images, shapes, bevels, speed buttons) and components
without bounds are left out: the plain window has only windowed controls.
"""
import re
import sys

# Description class -> the plain window's kind (see plain_window.h).
KINDS = {
    "TPanel": "kContainer",
    "TTabSheet": "kPage",
    "TScrollBox": "kContainer",
    "TGroupBox": "kGroupBox",
    "TButton": "kButton",
    "TCheckBox": "kCheckBox",
    "TRadioButton": "kRadioButton",
    "TEdit": "kEdit",
    "TRichEdit": "kMemo",
    "TUpDown": "kUpDown",
    "TComboBox": "kComboBox",
    "TTrackBar": "kTrackBar",
    "TPageControl": "kTabControl",
    "TStatusBar": "kStatusBar",
}
# Pages whose tab the program hides as it starts.
HIDDEN_TABS = {"shtFix"}


class Node:
    def __init__(self, name, cls):
        self.name, self.cls = name, cls
        self.props, self.lists, self.children = {}, {}, []


def parse(lines):
    root, stack, i = None, [], 0
    while i < len(lines):
        line = lines[i].strip()
        i += 1
        m = re.match(r"(?:object|inherited) (\w+): (\w+)$", line)
        if m:
            node = Node(m.group(1), m.group(2))
            if stack:
                stack[-1].children.append(node)
            else:
                root = node
            stack.append(node)
            continue
        if line == "end":
            stack.pop()
            continue
        m = re.match(r"([\w.]+) = (.*)$", line)
        if not m or not stack:
            continue
        key, value = m.group(1), m.group(2)
        if value in ("(", "{", "<"):
            closer = {"(": ")", "{": "}", "<": ">"}[value]
            items, item_props = [], {}
            while i < len(lines):
                item = lines[i].strip()
                i += 1
                done = item.endswith(closer)
                if closer == ")":
                    text = item[:-1] if done else item
                    if text.startswith("'"):
                        items.append(text_of(text))
                elif closer == ">":
                    # A collection: each item's Width and Text, as "width:text".
                    m = re.match(r"(Width|Text) = (.*)$", item)
                    if m:
                        item_props[m.group(1)] = m.group(2)
                    if item.startswith("end"):
                        items.append("%s:%s" % (item_props.get("Width", "0"),
                                                text_of(item_props.get("Text"))))
                        item_props = {}
                if done:
                    break
            stack[-1].lists[key] = items
            continue
        stack[-1].props[key] = value
    return root


def text_of(value):
    if value is None:
        return ""
    parts = re.findall(r"'((?:[^']|'')*)'|#(\d+)", value)
    return "".join(q.replace("''", "'") if q or not n else chr(int(n)) for q, n in parts)


def c_string(text):
    escaped = text.replace("\\", "\\\\").replace('"', '\\"').replace("\n", "\\n")
    return '"' + escaped + '"'


def main():
    with open(sys.argv[1], encoding="latin-1") as f:
        root = parse(f.read().splitlines())
    rows = []

    # A new window goes under its siblings, so the table lists them from the
    # top of the stack down: a later control of the description lies over an
    # earlier one, as in the program.
    def walk(node, parent):
        for child in reversed(node.children):
            kind = KINDS.get(child.cls)
            index = parent
            if kind:
                p = child.props
                flags = []
                if p.get("Visible") == "False":
                    flags.append("kHidden")
                if child.cls == "TTabSheet" and p.get("PageIndex", "0") != "0":
                    flags.append("kHidden")
                if p.get("Checked") == "True":
                    flags.append("kChecked")
                if "fsBold" in p.get("Font.Style", ""):
                    flags.append("kBold")
                if p.get("ReadOnly") == "True":
                    flags.append("kReadOnly")
                if child.name in HIDDEN_TABS:
                    flags.append("kNoTab")
                caption = p.get("Caption", p.get("Text"))
                items = child.lists.get("Items.Strings", child.lists.get("Panels", []))
                value = p.get("ItemIndex", p.get("Position", "0"))
                rows.append(
                    "    {%s, %d, %s, %s, %s, %s, %s, %s, %s, %s, %s, %s},  // %s"
                    % (kind, parent, p.get("Left", "0"), p.get("Top", "0"), p.get("Width", "0"),
                       p.get("Height", "0"), c_string(text_of(caption)),
                       c_string("".join(s + "\n" for s in items)), " | ".join(flags) or "0",
                       value, p.get("Min", "0"), p.get("Max", "0"), child.name))
                index = len(rows) - 1
            walk(child, index)

    walk(root, -1)
    with open(sys.argv[2], "w") as out:
        out.write("// Generated by bench/floors/plain_table.py from the main window's description.\n")
        out.write("\n".join(rows) + "\n")


if __name__ == "__main__":
    main()
