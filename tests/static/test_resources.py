"""Reads the resources of the built executables with an independent PE parser
and checks the icon group, its twelve images and the manifest from the bytes."""
import io
import os
import struct
import unittest
import xml.etree.ElementTree as ET
import zlib

import pefile
from PIL import Image

DIST = os.environ["KVL_DIST"]
RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24
LANGUAGE = 1033
PNG_SIGNATURE = b"\x89PNG\r\n\x1a\n"

# (executable under dist/, architecture its manifest declares)
BUILDS = [("korvel.exe", "x86"), ("x64/korvel.exe", "amd64")]

# The group's entries in stored order: (image id, pixels, bits per pixel, stored as PNG).
ENTRIES = [(i + 1, size, bpp, size == 256)
           for i, (bpp, size) in enumerate((bpp, size) for bpp in (8, 32) for size in (256, 128, 48, 32, 24, 16))]

ASM = "{urn:schemas-microsoft-com:asm.v1}"


def resources(pe):
    """{type: {name or id: [(language, code page, bytes)]}}."""
    tree = {}
    for kind in pe.DIRECTORY_ENTRY_RESOURCE.entries:
        names = tree.setdefault(kind.id if kind.name is None else str(kind.name), {})
        for entry in kind.directory.entries:
            key = entry.id if entry.name is None else str(entry.name)
            for lang in entry.directory.entries:
                data = lang.data.struct
                names.setdefault(key, []).append(
                    (lang.id, data.CodePage, pe.get_data(data.OffsetToData, data.Size)))
    return tree


def png_chunks(data):
    chunks, pos = [], len(PNG_SIGNATURE)
    while pos < len(data):
        (length,) = struct.unpack(">I", data[pos:pos + 4])
        kind, body = data[pos + 4:pos + 8], data[pos + 8:pos + 8 + length]
        (crc,) = struct.unpack(">I", data[pos + 8 + length:pos + 12 + length])
        assert crc == zlib.crc32(kind + body), "bad CRC in %r" % kind
        chunks.append((kind, body))
        pos += 12 + length
    return chunks


def as_ico(image_bytes, side, bpp):
    """A one-image icon file around a resource image, for Pillow to decode."""
    entry = struct.pack("<BBBBHHII", side % 256, side % 256, 0, 0, 1, bpp, len(image_bytes), 22)
    return struct.pack("<HHH", 0, 1, 1) + entry + image_bytes


class Resources(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.trees = {name: resources(pefile.PE(os.path.join(DIST, name))) for name, _ in BUILDS}

    def single(self, entries):
        self.assertEqual(len(entries), 1, "one language per resource")
        language, code_page, data = entries[0]
        self.assertEqual((language, code_page), (LANGUAGE, 0))
        return data

    def test_resource_tree(self):
        for name, _ in BUILDS:
            tree = self.trees[name]
            with self.subTest(name):
                self.assertEqual(sorted(tree), [RT_ICON, RT_GROUP_ICON, RT_MANIFEST])
                self.assertEqual(sorted(tree[RT_ICON]), list(range(1, 13)))
                self.assertEqual(list(tree[RT_GROUP_ICON]), ["A"])
                self.assertEqual(list(tree[RT_MANIFEST]), [1])
                for kind in tree.values():
                    for entries in kind.values():
                        self.single(entries)

    def test_group_record(self):
        for name, _ in BUILDS:
            tree = self.trees[name]
            with self.subTest(name):
                group = self.single(tree[RT_GROUP_ICON]["A"])
                self.assertEqual(len(group), 174)
                self.assertEqual(struct.unpack("<HHH", group[:6]), (0, 1, 12))
                for position, (image_id, size, bpp, _) in enumerate(ENTRIES):
                    fields = struct.unpack("<BBBBHHIH", group[6 + 14 * position:20 + 14 * position])
                    image = self.single(tree[RT_ICON][image_id])
                    self.assertEqual(fields, (size % 256, size % 256, 0, 0, 1, bpp, len(image), image_id),
                                     "group entry %d" % (position + 1))

    def test_png_images(self):
        for name, _ in BUILDS:
            tree = self.trees[name]
            with self.subTest(name):
                for image_id, size, bpp, is_png in ENTRIES:
                    if not is_png:
                        continue
                    data = self.single(tree[RT_ICON][image_id])
                    self.assertEqual(data[:8], PNG_SIGNATURE)
                    chunks = png_chunks(data)
                    self.assertEqual([kind for kind, _ in chunks], [b"IHDR", b"IDAT", b"IEND"])
                    self.assertEqual(struct.unpack(">IIBBBBB", chunks[0][1]), (256, 256, 8, 6, 0, 0, 0))
                    pixels = list(Image.open(io.BytesIO(data)).getdata())
                    alphas = {p[3] for p in pixels}
                    self.assertTrue(all(p == (0, 0, 0, 0) for p in pixels if p[3] == 0))
                    if bpp == 8:
                        self.assertEqual(alphas, {0, 255})
                        self.assertLessEqual(len(set(pixels)), 256)
                    else:
                        self.assertIn(0, alphas)
                        self.assertIn(255, alphas)
                        self.assertGreater(len(alphas), 100, "the 32-bit image has a graded alpha channel")

    def test_dib_images(self):
        for name, _ in BUILDS:
            tree = self.trees[name]
            with self.subTest(name):
                for image_id, size, bpp, is_png in ENTRIES:
                    if is_png:
                        continue
                    data = self.single(tree[RT_ICON][image_id])
                    header = struct.unpack("<IiiHHIIiiII", data[:40])
                    self.assertEqual(header, (40, size, 2 * size, 1, bpp, 0, 0, 0, 0, 0, 0), "image %d" % image_id)
                    palette_size = 1024 if bpp == 8 else 0
                    colour_stride = (size * bpp // 8 + 3) // 4 * 4
                    mask_stride = (size + 31) // 32 * 4
                    self.assertEqual(len(data), 40 + palette_size + size * (colour_stride + mask_stride))

                    bitmap = data[40 + palette_size:40 + palette_size + size * colour_stride]
                    mask = data[40 + palette_size + size * colour_stride:]
                    if bpp == 8:
                        palette = data[40:40 + 1024]
                        self.assertEqual(palette[:4], b"\0\0\0\0", "palette entry 0 is black")
                        self.assertTrue(all(palette[i + 3] == 0 for i in range(0, 1024, 4)))
                        transparent = [bitmap[row * colour_stride + x] == 0 for row in range(size) for x in range(size)]
                    else:
                        pixels = [bitmap[row * colour_stride + 4 * x:row * colour_stride + 4 * x + 4]
                                  for row in range(size) for x in range(size)]
                        transparent = [p[3] == 0 for p in pixels]
                        self.assertTrue(all(p == b"\0\0\0\0" for p in pixels if p[3] == 0))
                    masked = [bool(mask[row * mask_stride + x // 8] & (0x80 >> (x % 8)))
                              for row in range(size) for x in range(size)]
                    self.assertEqual(masked, transparent, "mask of image %d" % image_id)
                    self.assertTrue(any(transparent) and not all(transparent))

                    # Pillow decodes the image the way the shell would draw it.
                    decoded = Image.open(io.BytesIO(as_ico(data, size, bpp))).convert("RGBA")
                    self.assertEqual(decoded.size, (size, size))
                    shown_transparent = [p[3] == 0 for p in decoded.getdata()]
                    bottom_up = [shown_transparent[(size - 1 - row) * size + x] for row in range(size) for x in range(size)]
                    self.assertEqual(bottom_up, transparent)

    def test_manifest(self):
        for name, arch in BUILDS:
            tree = self.trees[name]
            with self.subTest(name):
                text = self.single(tree[RT_MANIFEST][1])
                self.assertFalse(text.startswith(b"\xef\xbb\xbf"))
                text.decode("ascii")
                self.assertTrue(text.endswith(b"</assembly>\r\n"))
                self.assertNotIn(b"\n", text.replace(b"\r\n", b""), "every line ends in CR LF")
                self.assertTrue(text.startswith(b'<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n'))

                root = ET.fromstring(text)
                elements = [(element.tag, list(element.attrib.items()), (element.text or "").strip())
                            for element in root.iter()]
                self.assertEqual(elements, [
                    (ASM + "assembly", [("manifestVersion", "1.0")], ""),
                    (ASM + "assemblyIdentity", [("name", "Korvel.Apps.korvel"), ("processorArchitecture", arch),
                                                ("version", "1.0.0.0"), ("type", "win32")], ""),
                    (ASM + "description", [], "korvel"),
                    (ASM + "dependency", [], ""),
                    (ASM + "dependentAssembly", [], ""),
                    (ASM + "assemblyIdentity", [("type", "win32"), ("name", "Microsoft.Windows.Common-Controls"),
                                                ("version", "6.0.0.0"), ("processorArchitecture", arch),
                                                ("publicKeyToken", "6595b64144ccf1df"), ("language", "*")], ""),
                ])
                # The parser folds xmlns into the tag; check its place in the source too.
                self.assertIn(b'<assembly xmlns="urn:schemas-microsoft-com:asm.v1" manifestVersion="1.0">', text)


if __name__ == "__main__":
    unittest.main()
