#!/usr/bin/env python3
"""Writes the PiPL property list of a ".8bf" filter plug-in as the bytes its
resource holds: a 16-bit reserved word (1), version 0, the property count,
then each property (vendor '8BIM', key, id 0, length, data padded to four
bytes). Four-character codes are stored as little-endian 32-bit values.

  make_pipl.py OUT --category C --name N --entry E [--kind 8BFM] [--modes rgb|gray|none]
"""
import argparse
import struct


def code(text):
    return struct.pack("<I", int.from_bytes(text.encode("ascii"), "big"))


def prop(key, data):
    pad = (4 - len(data) % 4) % 4
    return code("8BIM") + code(key) + struct.pack("<iI", 0, len(data)) + data + b"\0" * pad


def pascal(text):
    raw = text.encode("latin-1")
    return bytes([len(raw)]) + raw


def main():
    a = argparse.ArgumentParser()
    a.add_argument("out")
    a.add_argument("--category", default="")
    a.add_argument("--name", required=True)
    a.add_argument("--entry", required=True)
    a.add_argument("--kind", default="8BFM")
    a.add_argument("--modes", default="rgb", choices=["rgb", "gray", "none"])
    args = a.parse_args()
    props = [prop("kind", code(args.kind)), prop("wx86", args.entry.encode() + b"\0"),
             prop("8664", args.entry.encode() + b"\0")]
    if args.category:
        props.append(prop("catg", pascal(args.category)))
    props.append(prop("name", pascal(args.name)))
    if args.modes != "none":
        # First byte: bitmap 0x80, grayscale 0x40, indexed 0x20, RGB 0x10, ...
        props.append(prop("mode", bytes([0x10 if args.modes == "rgb" else 0x40, 0])))
    with open(args.out, "wb") as f:
        f.write(struct.pack("<hiI", 1, 0, len(props)) + b"".join(props))


if __name__ == "__main__":
    main()
