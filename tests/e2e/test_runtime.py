"""Which runtime program is asked for, and the exit status."""
import os
import unittest

from harness import LauncherCase, SYSTEM_PATH, winpath


class RuntimeChoice(LauncherCase):
    def test_local_runtime_is_preferred_over_path(self):
        local = self.inst.local_runtime()
        path_bin = self.inst.path_runtime()
        result = self.inst.run("korvel.exe", env={"PATH": SYSTEM_PATH + ";" + path_bin})
        record = self.assertStarted(result)
        self.assertEqual(record["module"], winpath(local))
        self.assertTrue(record["cmdline"].startswith('"jre6\\bin\\javaw" -cp '), record["cmdline"])

    def test_javaw_from_path_without_local_runtime(self):
        path_bin = self.inst.path_runtime()
        result = self.inst.run("korvel.exe", env={"PATH": SYSTEM_PATH + ";" + path_bin})
        record = self.assertStarted(result)
        self.assertEqual(record["module"], path_bin + r"\javaw.exe")

    def test_nothing_started_gives_the_shells_error(self):
        # (name of the case, how to lay out the install): with javaw.exe a
        # directory the local runtime still counts as present, so the javaw
        # on PATH must not be started instead.
        cases = [
            ("no runtime anywhere", lambda: None),
            ("javaw.exe is a directory", lambda: os.makedirs(os.path.join(self.inst.root, "jre6", "bin", "javaw.exe"))),
        ]
        path_bin = self.inst.path_runtime()
        for name, lay_out in cases:
            with self.subTest(name):
                lay_out()
                env = {} if name == "no runtime anywhere" else {"PATH": SYSTEM_PATH + ";" + path_bin}
                result = self.inst.run("korvel.exe", env=env)
                self.assertGreater(result.status, 0)
                self.assertLessEqual(result.status, 32)
                self.assertEqual(result.records, [])
                self.assertEqual(result.stdout, "Empty!!")


if __name__ == "__main__":
    unittest.main()
