"""The parameter string, the launcher arguments and the start request."""
import unittest

from harness import LauncherCase, MAIN_CLASS, params, winpath

WORKED_CLASS_PATH = r"lib\.;lib\..;lib\client.jar"


class ParameterString(LauncherCase):
    def setUp(self):
        super().setUp()
        self.inst.file(r"lib/client.jar")
        self.inst.local_runtime()

    def test_worked_example(self):
        result = self.inst.run("korvel.exe a b")
        record = self.assertStarted(result)
        self.assertEqual(result.params(), params(WORKED_CLASS_PATH, "", "a b"))
        self.assertEqual(len(result.params()), 151)
        self.assertEqual(result.stdout, "Empty!!")
        self.assertEqual(record["module"], winpath(self.inst.root) + r"\jre6\bin\javaw.exe")
        self.assertEqual(record["argv"][1:], ["-cp", WORKED_CLASS_PATH, "-Xms32m", "-Xmx128m",
                                              "-Dsun.java2d.d3d=false", "-Dkvl.exe.ver=3",
                                              "-Dkvl.launcher.args=a b", MAIN_CLASS])

    def test_options(self):
        # (KORVEL_OPTS or None for unset, standard output, extra argv javaw sees)
        cases = [
            (None, "Empty!!", []),
            ("", "", []),
            ("-Dtrace=1", "", ["-Dtrace=1"]),
            ('-Da="x y" -Db=2', "", ["-Da=x y", "-Db=2"]),
        ]
        for options, stdout, extra in cases:
            with self.subTest(options=options):
                result = self.inst.run("korvel.exe a b", env={"KORVEL_OPTS": options})
                record = self.assertStarted(result)
                self.assertEqual(result.params(), params(WORKED_CLASS_PATH, options or "", "a b"))
                self.assertEqual(result.stdout, stdout)
                self.assertEqual(record["argv"][3:3 + len(extra) + 1], extra + ["-Xms32m"])
        self.assertEqual(len(params(WORKED_CLASS_PATH, "-Dtrace=1", "a b")), 160)

    def test_launcher_arguments(self):
        # (raw command line, text inserted into the property, the property's value for javaw)
        cases = [
            ("korvel.exe a b", "a b", "a b"),
            ("korvel.exe", "", ""),
            ('"C:\\Program Files\\korvel\\korvel.exe" a b', "a b", "a b"),
            ("  \t korvel.exe \t a b", "a b", "a b"),
            ("korvel.exe  a   b  ", "a   b  ", "a   b  "),
            ('"C:\\never closed a b', "", ""),
            ("korvel.exe *.kvl ?x [ab]", "*.kvl ?x [ab]", "*.kvl ?x [ab]"),
            # Quotes are dropped so the property stays one argument.
            ('korvel.exe "C:\\My Files\\save.kvl"', "C:\\My Files\\save.kvl", "C:\\My Files\\save.kvl"),
            ('korvel.exe x" -Devil=1 "y', "x -Devil=1 y", "x -Devil=1 y"),
            # A trailing backslash is doubled so it cannot escape the closing quote.
            ("korvel.exe C:\\saves\\", "C:\\saves\\\\", "C:\\saves\\"),
            ('korvel.exe "C:\\saves\\\\"', "C:\\saves\\\\\\\\", "C:\\saves\\\\"),
        ]
        for cmdline, inserted, value in cases:
            with self.subTest(cmdline=cmdline):
                result = self.inst.run(cmdline)
                record = self.assertStarted(result)
                self.assertEqual(result.params(), params(WORKED_CLASS_PATH, "", inserted))
                self.assertEqual(record["argv"][-2:], ["-Dkvl.launcher.args=" + value, MAIN_CLASS])
                self.assertEqual(len(record["argv"]), 9)

    def test_minimized_start_still_shows_javaw_normally(self):
        for show in (2, 7, 0):  # SW_SHOWMINIMIZED, SW_SHOWMINNOACTIVE, SW_HIDE
            with self.subTest(show=show):
                self.assertStarted(self.inst.run("korvel.exe", show=show))

    def test_two_launchers_at_once(self):
        first = self.inst.start("korvel.exe one")
        second = self.inst.start("korvel.exe two")
        self.assertGreater(self.inst.finish(first, 1).status, 32)
        result = self.inst.finish(second, 2)
        self.assertGreater(result.status, 32)
        values = sorted(r["argv"][-2] for r in result.records)
        self.assertEqual(values, ["-Dkvl.launcher.args=one", "-Dkvl.launcher.args=two"])
        for record in result.records:
            self.assertEqual(record["cwd"], winpath(self.inst.root))
        with open(self.inst.signal_file(), "rb") as f:
            self.assertEqual(f.read(), b" ")


if __name__ == "__main__":
    unittest.main()
