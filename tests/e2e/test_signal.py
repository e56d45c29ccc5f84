"""The signal file under the home path."""
import os
import unittest

from harness import LauncherCase, winpath


class SignalFile(LauncherCase):
    def test_written_with_one_blank(self):
        # (name of the case, HOMEPATH given to the launcher)
        cases = [
            ("home path without a drive", lambda: self.inst.home_without_drive()),
            ("home path ending in a backslash", lambda: self.inst.home_without_drive() + "\\"),
            ("home path with a drive", lambda: winpath(self.inst.home)),
        ]
        for name, home in cases:
            with self.subTest(name):
                with open(self.inst.signal_file(), "wb") as f:
                    f.write(b"old content\r\nof another length")
                self.inst.local_runtime()
                self.assertStarted(self.inst.run("korvel.exe", env={"HOMEPATH": home()}))
                with open(self.inst.signal_file(), "rb") as f:
                    self.assertEqual(f.read(), b" ")

    def test_launch_goes_on_without_a_signal_file(self):
        # (name of the case, HOMEPATH or None for unset)
        cases = [
            ("no .korvel folder", lambda: winpath(self.inst.home) + "\\elsewhere"),
            ("HOMEPATH unset", lambda: None),
        ]
        self.inst.local_runtime()
        os.makedirs(os.path.join(self.inst.home, "elsewhere"))
        for name, home in cases:
            with self.subTest(name):
                result = self.inst.run("korvel.exe a", env={"HOMEPATH": home()})
                self.assertStarted(result)
                self.assertEqual(result.record["argv"][-2], "-Dkvl.launcher.args=a")
                self.assertEqual(os.listdir(os.path.join(self.inst.home, "elsewhere")), [])
                self.assertFalse(os.path.exists(self.inst.signal_file()))


if __name__ == "__main__":
    unittest.main()
