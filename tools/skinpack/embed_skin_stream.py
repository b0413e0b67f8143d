#!/usr/bin/env python3
"""Writes a packed skin into a form description as its SkinStream block.

  embed_skin_stream.py SKINSTREAM
      prints "SkinStream = {" ... "}" for SKINSTREAM (the .skinstream file the
      build packs: a 32-bit byte count, then the skin file).
  embed_skin_stream.py SKINSTREAM --into FORM.dfm [--object SkinData1]
                       [--property SkinStream]
      replaces (or adds) the SkinStream block (or the one named, such as
      SkinStream2x for the pictures at twice the size) of that object in place.
"""

import argparse
import os
import struct
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), ".."))
from embed_picture import property_text, replace_in_form  # noqa: E402


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("stream")
    parser.add_argument("--into")
    parser.add_argument("--object", default="SkinData1")
    parser.add_argument("--property", default="SkinStream")
    parser.add_argument("--indent", type=int, default=4)
    args = parser.parse_args()
    with open(args.stream, "rb") as f:
        payload = f.read()
    # The block is stored verbatim; make sure it is a count and that many bytes.
    if len(payload) < 4 or struct.unpack("<i", payload[:4])[0] != len(payload) - 4:
        sys.exit(f"{args.stream}: not a SkinStream payload")
    if not args.into:
        sys.stdout.write(property_text(args.property, payload, args.indent))
        return
    with open(args.into, encoding="latin-1", newline="") as f:
        text = f.read()
    try:
        text = replace_in_form(text, args.object, args.property, payload)
    except ValueError as e:
        sys.exit(f"{args.into}: {e}")
    with open(args.into, "w", encoding="latin-1", newline="") as f:
        f.write(text)


if __name__ == "__main__":
    main()
