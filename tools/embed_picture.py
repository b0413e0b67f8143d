#!/usr/bin/env python3
"""Turns a picture file into the binary block a form description stores.

  embed_picture.py PICTURE [--indent N]
      prints "Picture.Data = {" ... "}" for PICTURE.
  embed_picture.py PICTURE --into FORM.dfm --object NAME [--property P]
      replaces (or adds) property P (default Picture.Data) of object NAME in
      FORM.dfm with PICTURE, in place.

Stored forms: a .jpg/.jpeg becomes a TJPEGImage and a .bmp a TBitmap, each
as one length byte and the class name, a 4-byte little-endian length and the
file's bytes. An .ico is stored as the bare ICO file (the form's Icon.Data).
"""

import argparse
import re
import struct
import sys

BYTES_PER_LINE = 32


def stored_bytes(path, data):
    lower = path.lower()
    if lower.endswith(".ico"):
        return data
    if lower.endswith((".jpg", ".jpeg")):
        if not data.startswith(b"\xff\xd8"):
            raise ValueError(f"{path}: not a JPEG file")
        cls = b"TJPEGImage"
    elif lower.endswith(".bmp"):
        if not data.startswith(b"BM"):
            raise ValueError(f"{path}: not a BMP file")
        cls = b"TBitmap"
    else:
        raise ValueError(f"{path}: unknown picture type (use .jpg, .bmp or .ico)")
    return bytes([len(cls)]) + cls + struct.pack("<I", len(data)) + data


def property_text(prop, payload, indent):
    """The property as it appears in a description, indent = its own column."""
    pad = " " * (indent + 2)
    hexed = payload.hex().upper()
    step = BYTES_PER_LINE * 2
    lines = [pad + hexed[i:i + step] for i in range(0, len(hexed), step)]
    return " " * indent + prop + " = {\n" + "\n".join(lines) + "}\n"


def replace_in_form(form_text, obj, prop, payload):
    lines = form_text.splitlines(keepends=True)
    header = re.compile(r"^(\s*)object\s+" + re.escape(obj) + r"\s*:")
    start = next((i for i, line in enumerate(lines) if header.match(line)), None)
    if start is None:
        raise ValueError(f"object '{obj}' not found")
    own = len(header.match(lines[start]).group(1))
    indent = own + 2
    # The object's own properties run until its first child or its "end".
    end = start + 1
    while end < len(lines):
        line = lines[end]
        depth = len(line) - len(line.lstrip())
        word = line.strip()
        if (depth == indent and word.startswith("object ")) or (depth == own and word == "end"):
            break
        end += 1
    new_text = property_text(prop, payload, indent)
    prop_re = re.compile(r"^\s*" + re.escape(prop) + r"\s*=\s*\{")
    for i in range(start + 1, end):
        if prop_re.match(lines[i]):
            j = i
            while "}" not in lines[j]:
                j += 1
            return "".join(lines[:i]) + new_text + "".join(lines[j + 1:])
    return "".join(lines[:end]) + new_text + "".join(lines[end:])


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("picture")
    parser.add_argument("--indent", type=int, default=4)
    parser.add_argument("--into")
    parser.add_argument("--object")
    parser.add_argument("--property", default=None)
    args = parser.parse_args()

    with open(args.picture, "rb") as f:
        data = f.read()
    try:
        payload = stored_bytes(args.picture, data)
    except ValueError as e:
        sys.exit(str(e))
    prop = args.property or ("Icon.Data" if args.picture.lower().endswith(".ico")
                             else "Picture.Data")
    if not args.into:
        sys.stdout.write(property_text(prop, payload, args.indent))
        return
    if not args.object:
        sys.exit("--into needs --object")
    with open(args.into, encoding="latin-1", newline="") as f:
        text = f.read()
    try:
        text = replace_in_form(text, args.object, prop, payload)
    except ValueError as e:
        sys.exit(f"{args.into}: {e}")
    with open(args.into, "w", encoding="latin-1", newline="") as f:
        f.write(text)


if __name__ == "__main__":
    main()
