#!/usr/bin/python3
"""Renders resources/korvel.svg into the launcher's icon file.

usage: make_icon.py [OUTDIR]     (default: resources/)

Writes OUTDIR/korvel.ico with twelve images, 8-bit then 32-bit, each at 256,
128, 48, 32, 24 and 16 pixels, every size rendered from the vector source,
and OUTDIR/korvel.png, the 256-pixel image the README shows.

- The 256-pixel images are PNG streams of exactly IHDR, one IDAT and IEND.
- The others are DIBs: a 40-byte header whose height counts the colour
  bitmap and the mask, a 256-entry palette for 8-bit images, the colour rows
  and a 1-bit mask, all bottom row first and padded to 4 bytes.
- Transparent pixels are all zero and have their mask bit set; in the 8-bit
  images they, and only they, use palette entry 0, which is black.

The output depends only on the source and the tools (rsvg-convert, Pillow,
zlib), so running it again gives the same bytes.
"""
import io
import os
import struct
import subprocess
import sys
import tempfile
import zlib

from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE = os.path.join(HERE, "..", "resources", "korvel.svg")
SIZES = [256, 128, 48, 32, 24, 16]
DEPTHS = [8, 32]
PNG_SIZE = 256
# An 8-bit pixel is opaque from this alpha on, transparent below it.
OPAQUE_FROM = 128


def render(size):
    """The artwork at one size, as RGBA, with transparent pixels all zero."""
    with tempfile.TemporaryDirectory() as tmp:
        out = os.path.join(tmp, "r.png")
        subprocess.run(["rsvg-convert", "-w", str(size), "-h", str(size), "-o", out, SOURCE], check=True)
        image = Image.open(out).convert("RGBA")
        image.load()
    return clear_transparent(image)


def clear_transparent(image):
    pixels = [p if p[3] else (0, 0, 0, 0) for p in image.getdata()]
    image.putdata(pixels)
    return image


def reduce_colours(image):
    """8-bit version of an RGBA image: (RGBA image, palette indices, palette).

    Opaque pixels share 255 palette entries chosen for this image, with error
    diffusion so that gradients do not band; transparent ones take entry 0.
    """
    opaque = [p[3] >= OPAQUE_FROM for p in image.getdata()]
    rgb = Image.new("RGB", image.size)
    # Transparent pixels take the mean opaque colour so they steer no palette entry.
    shown = [p[:3] for p, o in zip(image.getdata(), opaque) if o]
    mean = tuple(sum(c[i] for c in shown) // len(shown) for i in range(3))
    rgb.putdata([p[:3] if o else mean for p, o in zip(image.getdata(), opaque)])
    palette_image = rgb.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    indexed = rgb.quantize(palette=palette_image, dither=Image.Dither.FLOYDSTEINBERG)
    flat = palette_image.getpalette()[:255 * 3]
    flat += [0] * (255 * 3 - len(flat))
    palette = [(0, 0, 0)] + [tuple(flat[i:i + 3]) for i in range(0, 255 * 3, 3)]
    indices = [i + 1 if o else 0 for i, o in zip(indexed.getdata(), opaque)]
    rgba = Image.new("RGBA", image.size)
    rgba.putdata([palette[i] + (255,) if i else (0, 0, 0, 0) for i in indices])
    return rgba, indices, palette


def chunk(kind, data):
    return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))


def png_stream(image):
    """PNG of an RGBA image with only IHDR, a single IDAT and IEND.

    Pillow compresses the pixels; its stream is re-chunked because it may
    split the data over several IDAT chunks and add chunks of its own.
    """
    buf = io.BytesIO()
    image.save(buf, "PNG", optimize=False, compress_level=9)
    data = buf.getvalue()
    pos, ihdr, idat = 8, None, b""
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind = data[pos + 4:pos + 8]
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            ihdr = body
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    return data[:8] + chunk(b"IHDR", ihdr) + chunk(b"IDAT", idat) + chunk(b"IEND", b"")


def mask_rows(transparent, size):
    """The 1-bit mask, bottom row first, each row padded to 4 bytes."""
    stride = (size + 31) // 32 * 4
    rows = []
    for y in reversed(range(size)):
        row = bytearray(stride)
        for x in range(size):
            if transparent[y * size + x]:
                row[x // 8] |= 0x80 >> (x % 8)
        rows.append(bytes(row))
    return b"".join(rows)


def dib(size, depth, colours, indices=None, palette=None):
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, depth, 0, 0, 0, 0, 0, 0)
    pixels = list(colours.getdata())
    if depth == 8:
        table = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
        bitmap = b"".join(bytes(indices[y * size:(y + 1) * size]) for y in reversed(range(size)))
        transparent = [i == 0 for i in indices]
    else:
        table = b""
        bitmap = b"".join(struct.pack("BBBB", b, g, r, a) for y in reversed(range(size))
                          for r, g, b, a in pixels[y * size:(y + 1) * size])
        transparent = [p[3] == 0 for p in pixels]
    return header + table + bitmap + mask_rows(transparent, size)


def icon_images():
    """(size, depth, bytes) for the twelve images, in the icon file's order."""
    renders = {size: render(size) for size in SIZES}
    images = []
    for depth in DEPTHS:
        for size in SIZES:
            if depth == 8:
                colours, indices, palette = reduce_colours(renders[size])
            else:
                colours, indices, palette = renders[size], None, None
            data = png_stream(colours) if size == PNG_SIZE else dib(size, depth, colours, indices, palette)
            images.append((size, depth, data))
    return images


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, depth, data in images:
        side = size % 256  # 256 is written as 0
        out += struct.pack("<BBBBHHII", side, side, 0, 0, 1, depth, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def main():
    outdir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(HERE, "..", "resources")
    images = icon_images()
    with open(os.path.join(outdir, "korvel.ico"), "wb") as f:
        f.write(ico(images))
    preview = next(data for size, depth, data in images if size == PNG_SIZE and depth == 32)
    with open(os.path.join(outdir, "korvel.png"), "wb") as f:
        f.write(preview)


if __name__ == "__main__":
    main()
