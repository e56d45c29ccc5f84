"""The manifest binds the launcher to version 6 of the common controls."""
import os
import unittest

from harness import DIST, TEST_PROGRAMS, wine, winpath

ACTCTX = os.path.join(TEST_PROGRAMS, "actctx.exe")
ERROR_SXS_CANT_GEN_ACTCTX = 14001


class Manifest(unittest.TestCase):
    def activate(self, exe):
        done = wine([ACTCTX, winpath(exe)])
        return done.returncode, done.stdout.decode().strip()

    def test_common_controls_6_from_the_launchers_manifest(self):
        status, out = self.activate(os.path.join(DIST, "x64", "korvel.exe"))
        self.assertEqual(status, 0, out)
        path = out.split("=", 1)[1].lower()
        self.assertIn("\\winsxs\\", path)
        self.assertIn("common-controls_6595b64144ccf1df_6.0", path)

    def test_a_manifest_for_another_architecture_is_refused(self):
        # The 32-bit launcher's manifest says x86; a 64-bit process cannot use
        # it, which shows the check above depends on the manifest's content.
        status, out = self.activate(os.path.join(DIST, "korvel.exe"))
        self.assertEqual((status, out), (1, "error=%d" % ERROR_SXS_CANT_GEN_ACTCTX))


if __name__ == "__main__":
    unittest.main()
