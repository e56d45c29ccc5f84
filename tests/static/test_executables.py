"""Reads the built executables' PE headers: architecture, subsystem and imports."""
import os
import unittest

import pefile

DIST = os.environ["KVL_DIST"]

# DLLs that every Windows installation carries in its system folder.
SYSTEM_DLLS = {"kernel32.dll", "user32.dll", "shell32.dll", "advapi32.dll", "msvcrt.dll", "ntdll.dll"}

IMAGE_SUBSYSTEM_WINDOWS_GUI = 2

# (file under dist/, machine, optional header magic)
BUILDS = [
    ("korvel.exe", pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_I386"], pefile.OPTIONAL_HEADER_MAGIC_PE),
    ("x64/korvel.exe", pefile.MACHINE_TYPE["IMAGE_FILE_MACHINE_AMD64"], pefile.OPTIONAL_HEADER_MAGIC_PE_PLUS),
]


class Executables(unittest.TestCase):
    def test_headers_and_imports(self):
        for name, machine, magic in BUILDS:
            with self.subTest(name):
                pe = pefile.PE(os.path.join(DIST, name))
                self.assertEqual(pe.FILE_HEADER.Machine, machine)
                self.assertEqual(pe.OPTIONAL_HEADER.Magic, magic)
                self.assertEqual(pe.OPTIONAL_HEADER.Subsystem, IMAGE_SUBSYSTEM_WINDOWS_GUI)
                imported = {entry.dll.decode().lower() for entry in pe.DIRECTORY_ENTRY_IMPORT}
                self.assertIn("shell32.dll", imported)
                self.assertLessEqual(imported, SYSTEM_DLLS)


if __name__ == "__main__":
    unittest.main()
