"""The committed icon file is exactly what the generator makes from the artwork."""
import os
import subprocess
import tempfile
import unittest

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..")


class IconGenerator(unittest.TestCase):
    def test_regenerates_the_committed_files(self):
        with tempfile.TemporaryDirectory() as out:
            subprocess.run(["/usr/bin/python3", os.path.join(ROOT, "tools", "make_icon.py"), out], check=True)
            for name in ("korvel.ico", "korvel.png"):
                with self.subTest(name):
                    with open(os.path.join(out, name), "rb") as made, \
                            open(os.path.join(ROOT, "resources", name), "rb") as committed:
                        self.assertEqual(made.read(), committed.read(),
                                         "run tools/make_icon.py and commit its output")


if __name__ == "__main__":
    unittest.main()
