"""Where the launcher settles: its own folder, whatever folder it is started from."""
import os
import subprocess
import unittest

from harness import LauncherCase, params, wine_env, winpath, WINE

DRIVE = "k:"


class Location(LauncherCase):
    def test_launcher_in_the_root_of_a_drive(self):
        # K:\ is the install folder. Started from K:\sub, "K:" alone would mean
        # K:\sub; the launcher must still settle in K:\.
        link = os.path.join(os.environ["WINEPREFIX"], "dosdevices", DRIVE)
        if os.path.lexists(link):
            os.remove(link)
        os.symlink(self.inst.root, link)
        self.addCleanup(os.remove, link)
        self.inst.local_runtime()
        self.inst.file("lib/root.jar")
        self.inst.file("sub/lib/sub.jar")
        os.makedirs(os.path.join(self.inst.root, "home", ".korvel"))

        result = self.inst.run("korvel.exe a", exe="K:\\korvel.exe", cwd="K:\\sub", env={"HOMEPATH": "\\home"})
        self.assertStarted(result, cwd="K:\\")
        self.assertEqual(result.params(), params(r"lib\.;lib\..;lib\root.jar", "", "a"))
        # A home path without a drive lies on the launcher's drive.
        with open(os.path.join(self.inst.root, "home", ".korvel", "signal.kvl"), "rb") as f:
            self.assertEqual(f.read(), b" ")

    def test_module_path_longer_than_max_path(self):
        # The path cut at 260 bytes would name the folder "a", an ancestor with
        # a lib of its own. The launcher must never settle there; it cannot
        # enter its own folder either (too long for the working directory), so
        # it stays where it was started.
        base = self.inst.tmp
        ancestor = os.path.join(base, "a")
        own = os.path.join(ancestor, "l" * 250)
        os.makedirs(os.path.join(own, "lib"))
        os.makedirs(os.path.join(ancestor, "lib"))
        os.makedirs(os.path.join(base, "lib"))
        for folder, jar in ((own, "own.jar"), (ancestor, "ancestor.jar"), (base, "inherited.jar")):
            open(os.path.join(folder, "lib", jar), "wb").close()
        os.replace(self.inst.launcher, os.path.join(own, "korvel.exe"))
        module = winpath(os.path.join(own, "korvel.exe"))
        self.assertGreater(len(module), 260)
        self.assertEqual(module[:260][:module[:260].rindex("\\")], winpath(ancestor))

        path_bin = self.inst.path_runtime()
        env = wine_env()
        env.update(KVL_RECORD_DIR=winpath(self.inst.records_dir), WINEPATH=path_bin)
        env.pop("KORVEL_OPTS", None)
        # Wine's CreateProcess refuses such long paths, so wine starts the
        # launcher itself from a relative Linux path.
        done = subprocess.run([WINE, os.path.relpath(os.path.join(own, "korvel.exe"), base), "x"],
                              cwd=base, env=env, capture_output=True, timeout=120)
        self.assertGreater(done.returncode, 32)
        record = self.inst.wait_records(1)[0]
        self.assertEqual(record["cwd"], winpath(base))
        self.assertEqual(record["argv"][1:3], ["-cp", r"lib\.;lib\..;lib\inherited.jar"])
        self.assertEqual(record["argv"][-2], "-Dkvl.launcher.args=x")


if __name__ == "__main__":
    unittest.main()
