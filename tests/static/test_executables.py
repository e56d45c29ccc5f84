"""Reads the built executables' PE headers: architecture, subsystem, imports,
hardening and size."""
import os
import unittest

import pefile

DIST = os.environ.get("KVL_DIST", os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "dist"))

# DLLs that every Windows installation carries in its system folder.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "shell32.dll", "advapi32.dll", "msvcrt.dll", "ntdll.dll"}

IMAGE_SUBSYSTEM_WINDOWS_GUI = 2
DYNAMIC_BASE = pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_DYNAMIC_BASE"]
NX_COMPAT = pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_NX_COMPAT"]
HIGH_ENTROPY_VA = pefile.DLL_CHARACTERISTICS["IMAGE_DLLCHARACTERISTICS_HIGH_ENTROPY_VA"]
RELOCS_STRIPPED = pefile.IMAGE_CHARACTERISTICS["IMAGE_FILE_RELOCS_STRIPPED"]

# The launcher's own code and data (the file without its resources) is about
# 20 KB. The budget is 64 KiB; the ceiling sits lower, so that pulling in
# MinGW's own printf family (+28 KB) or the C++ library's string support
# (+150 KB) fails here.
CODE_AND_DATA_CEILING = 32 * 1024

# (file under dist/, machine, optional header magic, hardening flags)
BUILDS = [
    ("korvel.exe", pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"], pefile.OPTIONAL_HEADER_MAGIC_PE,
     DYNAMIC_BASE | NX_COMPAT),
    ("x64/korvel.exe", pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"], pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS,
     DYNAMIC_BASE | NX_COMPAT | HIGH_ENTROPY_VA),
]


def code_and_data_size(path):
    """The executable's size less its resource section."""
    pe = pefile.PE(path)
    resources = sum(s.SizeOfRawData for s in pe.sections if s.Name.rstrip(b"\0") == b".rsrc")
    return os.path.getsize(path) - resources


class Executables(unittest.TestCase):
    def test_headers_and_imports(self):
        for name, machine, magic, _ in BUILDS:
            with self.subTest(name):
                pe = pefile.PE(os.path.join(DIST, name))
                self.assertEqual(pe.FILE_HEADER.Machine, machine)
                self.assertEqual(pe.OPTIONAL_HEADER.Magic, magic)
                self.assertEqual(pe.OPTIONAL_HEADER.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI)
                imported = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
                self.assertIn("shell32.dll", imported)
                self.assertLessEqual(imported, SYSTEM_DLLS)

    def test_hardening(self):
        # ASLR needs the relocations kept as well as the flag set.
        for name, _, _, flags in BUILDS:
            with self.subTest(name):
                pe = pefile.PE(os.path.join(DIST, name))
                self.assertEqual(pe.OPTIONAL_HEADER.DllCharacteristics & flags, flags)
                self.assertFalse(pe.FILE_HEADER.Characteristics & RELOCS_STRIPPED)
                self.assertTrue(pe.OPTIONAL_HEADER.DATA_DIRECTORY[5].Size, "relocation table")

    def test_no_time_stamp(self):
        for name, _, _, _ in BUILDS:
            with self.subTest(name):
                self.assertEqual(pefile.PE(os.path.join(DIST, name)).FILE_HEADER.TimeDateStamp, 0)

    def test_size_ceiling(self):
        size = code_and_data_size(os.path.join(DIST, "korvel.exe"))
        self.assertLessEqual(size, CODE_AND_DATA_CEILING, "%d bytes of code and data" % size)


if __name__ == "__main__":
    unittest.main()
