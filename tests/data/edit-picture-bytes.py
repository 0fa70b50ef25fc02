#!/usr/bin/env python3
"""Byte-level steps of make-test-pictures.sh that ImageMagick does not offer: EXIF
orientation tags, and BMP and PNG files laid out the way other programs write them.
Standard library only."""
import struct
import sys
import zlib

# Quadrant colours of the test pattern: top-left, top-right, bottom-left, bottom-right.
QUADRANTS = [(255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 255)]


def quadrant(x, y, width, height):
    return (1 if x >= width // 2 else 0) + (2 if y >= height // 2 else 0)


def tiff_with_orientation(orientation, big_endian):
    """A TIFF structure holding only IFD0 with the Orientation tag (0x0112, SHORT)."""
    e = ">" if big_endian else "<"
    header = (b"MM" if big_endian else b"II") + struct.pack(e + "HI", 42, 8)
    entry = struct.pack(e + "HHIH", 0x0112, 3, 1, orientation) + b"\0\0"
    return header + struct.pack(e + "H", 1) + entry + struct.pack(e + "I", 0)


def jpeg_with_exif(data, orientation, big_endian):
    """Inserts an APP1 Exif segment right after SOI, as cameras and phones write it."""
    assert data[:2] == b"\xff\xd8"
    payload = b"Exif\0\0" + tiff_with_orientation(orientation, big_endian)
    return data[:2] + b"\xff\xe1" + struct.pack(">H", len(payload) + 2) + payload + data[2:]


def bmp(width, height, bits, pixel_bytes):
    """A BITMAPINFOHEADER BMP with BI_RGB rows, bottom-up; pixel_bytes(x, y) from the top."""
    stride = (width * bits // 8 + 3) & ~3
    rows = b""
    for y in reversed(range(height)):
        row = b"".join(pixel_bytes(x, y) for x in range(width))
        rows += row + b"\0" * (stride - len(row))
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, len(rows), 2835, 2835, 0, 0)
    return b"BM" + struct.pack("<IHHI", 14 + 40 + len(rows), 0, 0, 54) + info + rows


def bmp32_zero_alpha(width, height):
    def pixel(x, y):
        r, g, b = QUADRANTS[quadrant(x, y, width, height)]
        return bytes((b, g, r, 0))
    return bmp(width, height, 32, pixel)


def bmp16(width, height):
    """5 bits per channel; the bottom-right quadrant holds 5-bit 16 in every channel."""
    fives = [(31, 0, 0), (0, 31, 0), (0, 0, 31), (16, 16, 16)]

    def pixel(x, y):
        r, g, b = fives[quadrant(x, y, width, height)]
        return struct.pack("<H", r << 10 | g << 5 | b)
    return bmp(width, height, 16, pixel)


def png_chunk(kind, body):
    return struct.pack(">I", len(body)) + kind + body + struct.pack(">I", zlib.crc32(kind + body))


def png_several_transparent(width, height):
    """Palette PNG whose red and green entries are both fully transparent."""
    rows = b"".join(b"\0" + bytes(quadrant(x, y, width, height) for x in range(width))
                    for y in range(height))
    return (b"\x89PNG\r\n\x1a\n" +
            png_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 3, 0, 0, 0)) +
            png_chunk(b"PLTE", b"".join(bytes(c) for c in QUADRANTS)) +
            png_chunk(b"tRNS", bytes((0, 0, 255, 255))) +
            png_chunk(b"IDAT", zlib.compress(rows)) + png_chunk(b"IEND", b""))


def png_grey16(samples):
    """One-row 16-bit grey PNG of the given samples."""
    row = b"\0" + b"".join(struct.pack(">H", v) for v in samples)
    return (b"\x89PNG\r\n\x1a\n" +
            png_chunk(b"IHDR", struct.pack(">IIBBBBB", len(samples), 1, 16, 0, 0, 0, 0)) +
            png_chunk(b"IDAT", zlib.compress(row)) + png_chunk(b"IEND", b""))


def png_with_exif(data, orientation):
    """Inserts an eXIf chunk right after IHDR."""
    ihdr_end = 8 + 8 + 13 + 4
    return data[:ihdr_end] + png_chunk(b"eXIf", tiff_with_orientation(orientation, True)) + \
        data[ihdr_end:]


def main():
    command, out = sys.argv[1], sys.argv[-1]
    if command == "jpeg-exif":
        with open(sys.argv[2], "rb") as f:
            data = jpeg_with_exif(f.read(), int(sys.argv[3]), sys.argv[4] == "MM")
    elif command == "png-exif":
        with open(sys.argv[2], "rb") as f:
            data = png_with_exif(f.read(), int(sys.argv[3]))
    elif command == "bmp32-zero-alpha":
        data = bmp32_zero_alpha(16, 12)
    elif command == "bmp16":
        data = bmp16(16, 12)
    elif command == "png-grey16":
        data = png_grey16([0x00C0, 0x01FF, 0x80FF, 0xFFFF])
    elif command == "png-several-transparent":
        data = png_several_transparent(16, 12)
    else:
        sys.exit("unknown command " + command)
    with open(out, "wb") as f:
        f.write(data)


if __name__ == "__main__":
    main()
