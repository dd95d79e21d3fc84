#!/usr/bin/env python3
"""Writes a small camera raw file in the DNG format: an uncompressed 16-bit
Bayer mosaic (red-green / green-blue) in the first image directory of a
little-endian TIFF, with the colour matrix of linear sRGB, so that a raw
decoder gives back the colours the mosaic was sampled from.

    make_dng.py OUTPUT.dng WIDTH HEIGHT [QUADRANTS]

QUADRANTS names the colours of the top-left, top-right, bottom-left and
bottom-right quarters as RRGGBB hex values, comma-separated (default: red,
green, blue, white). WIDTH and HEIGHT are even.
"""
import struct
import sys

WHITE = 65535

# TIFF field types
BYTE, ASCII, SHORT, LONG, RATIONAL, SRATIONAL = 1, 2, 3, 4, 5, 10

# The matrix from CIE XYZ to linear sRGB (D65): a camera whose raw values
# are linear sRGB has this as its colour matrix.
XYZ_TO_SRGB = [3.2406, -1.5372, -0.4986, -0.9689, 1.8758, 0.0415, 0.0557, -0.2040, 1.0570]


def mosaic(width, height, quadrants):
    """The 16-bit samples, row by row: each site keeps the channel its filter passes."""
    cfa = [[0, 1], [1, 2]]  # R G / G B
    data = bytearray()
    for y in range(height):
        for x in range(width):
            q = (2 if y >= height // 2 else 0) + (1 if x >= width // 2 else 0)
            rgb = quadrants[q]
            level = rgb[cfa[y % 2][x % 2]] * WHITE // 255
            data += struct.pack("<H", level)
    return bytes(data)


def rational(value, signed):
    den = 10000
    return (int(round(value * den)), den)


def build(width, height, quadrants):
    pixels = mosaic(width, height, quadrants)
    entries = []  # (tag, type, values)
    text = lambda s: (ASCII, s.encode("ascii") + b"\0")
    entries.append((254, LONG, [0]))                    # NewSubFileType: the main image
    entries.append((256, LONG, [width]))
    entries.append((257, LONG, [height]))
    entries.append((258, SHORT, [16]))                  # BitsPerSample
    entries.append((259, SHORT, [1]))                   # no compression
    entries.append((262, SHORT, [32803]))               # colour filter array
    entries.append((271,) + text("Glyphery"))           # Make
    entries.append((272,) + text("Test mosaic"))        # Model
    entries.append((273, LONG, [0]))                    # StripOffsets, set below
    entries.append((274, SHORT, [1]))                   # Orientation
    entries.append((277, SHORT, [1]))                   # SamplesPerPixel
    entries.append((278, LONG, [height]))               # RowsPerStrip
    entries.append((279, LONG, [len(pixels)]))          # StripByteCounts
    entries.append((284, SHORT, [1]))                   # PlanarConfiguration
    entries.append((33421, SHORT, [2, 2]))              # CFARepeatPatternDim
    entries.append((33422, BYTE, [0, 1, 1, 2]))         # CFAPattern
    entries.append((50706, BYTE, [1, 4, 0, 0]))         # DNGVersion
    entries.append((50707, BYTE, [1, 1, 0, 0]))         # DNGBackwardVersion
    entries.append((50708,) + text("Glyphery Test mosaic"))  # UniqueCameraModel
    entries.append((50710, BYTE, [0, 1, 2]))            # CFAPlaneColor
    entries.append((50711, SHORT, [1]))                 # CFALayout
    entries.append((50714, LONG, [0]))                  # BlackLevel
    entries.append((50717, LONG, [WHITE]))              # WhiteLevel
    entries.append((50721, SRATIONAL, [rational(v, True) for v in XYZ_TO_SRGB]))  # ColorMatrix1
    entries.append((50728, RATIONAL, [(1, 1)] * 3))     # AsShotNeutral
    entries.append((50778, SHORT, [21]))                # CalibrationIlluminant1: D65
    entries.sort(key=lambda e: e[0])

    def encode(kind, values):
        if kind == ASCII:
            return values, len(values)
        if kind == BYTE:
            return bytes(values), len(values)
        if kind == SHORT:
            return b"".join(struct.pack("<H", v) for v in values), len(values)
        if kind == LONG:
            return b"".join(struct.pack("<I", v) for v in values), len(values)
        if kind == RATIONAL:
            return b"".join(struct.pack("<II", n, d) for n, d in values), len(values)
        if kind == SRATIONAL:
            return b"".join(struct.pack("<ii", n, d) for n, d in values), len(values)
        raise ValueError(kind)

    ifd_offset = 8
    ifd_size = 2 + 12 * len(entries) + 4
    extra_offset = ifd_offset + ifd_size
    extra = bytearray()
    fields = []
    for tag, kind, values in entries:
        blob, count = encode(kind, values)
        fields.append([tag, kind, count, blob])
    # Values longer than four bytes go after the directory, then the pixels.
    for f in fields:
        if len(f[3]) > 4:
            if (extra_offset + len(extra)) % 2:
                extra += b"\0"
            f.append(extra_offset + len(extra))
            extra += f[3]
    pixel_offset = extra_offset + len(extra)
    pixel_offset += pixel_offset % 2
    out = bytearray(b"II*\0" + struct.pack("<I", ifd_offset))
    out += struct.pack("<H", len(fields))
    for f in fields:
        tag, kind, count, blob = f[:4]
        if tag == 273:
            blob = struct.pack("<I", pixel_offset)
        out += struct.pack("<HHI", tag, kind, count)
        out += struct.pack("<I", f[4]) if len(f) > 4 else blob.ljust(4, b"\0")
    out += struct.pack("<I", 0)
    out += extra
    out += b"\0" * (pixel_offset - len(out))
    out += pixels
    return bytes(out)


def main():
    if len(sys.argv) < 4:
        sys.exit(__doc__)
    width, height = int(sys.argv[2]), int(sys.argv[3])
    names = (sys.argv[4] if len(sys.argv) > 4 else "ff0000,00ff00,0000ff,ffffff").split(",")
    quadrants = [tuple(int(n[i:i + 2], 16) for i in (0, 2, 4)) for n in names]
    if len(quadrants) != 4 or width % 2 or height % 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "wb") as f:
        f.write(build(width, height, quadrants))


if __name__ == "__main__":
    main()
