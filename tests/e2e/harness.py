"""Runs the x86_64 launcher under wine64 in throw-away install folders.

Each case lays out an install folder (the launcher, lib, optionally jre6),
starts the launcher with an exact raw command line through the spawn helper
and reads what the recording javaw stand-in saw.
"""
import os
import shutil
import subprocess
import tempfile
import time
import unittest

WINE = "/usr/lib/wine/wine64"
DIST = os.environ.get("KVL_DIST", "")
TEST_PROGRAMS = os.environ.get("KVL_TEST_PROGRAMS", "")
LAUNCHER = os.path.join(DIST, "x64", "korvel.exe")
RECORDER = os.path.join(TEST_PROGRAMS, "recorder.exe")
SPAWN = os.path.join(TEST_PROGRAMS, "spawn.exe")

MAIN_CLASS = "com.korvel.client.swing.Launcher"
FIXED = ' -Xms32m -Xmx128m -Dsun.java2d.d3d=false -Dkvl.exe.ver="3" -Dkvl.launcher.args="'
SYSTEM_PATH = r"C:\windows\system32;C:\windows"
RECORD_WAIT_SECONDS = 30


def params(class_path, options, args_value):
    """The parameter string as the client expects it."""
    return '-cp "' + class_path + '" ' + options + FIXED + args_value + '" ' + MAIN_CLASS


def winpath(path):
    """A Linux path as wine's Z: drive shows it."""
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def wine_env():
    env = dict(os.environ)
    env.setdefault("WINEDEBUG", "-all")
    env["WINEDLLOVERRIDES"] = "mscoree,mshtml="
    return env


def wine(args, cwd=None, timeout=120):
    return subprocess.run([WINE] + args, cwd=cwd, env=wine_env(), capture_output=True, timeout=timeout)


def parse_record(data):
    fields = []
    pos = 0
    while pos < len(data):
        nl = data.index(b"\n", pos)
        name = data[pos:nl].decode()
        nl2 = data.index(b"\n", nl + 1)
        size = int(data[nl + 1:nl2])
        value = data[nl2 + 1:nl2 + 1 + size].decode("latin-1")
        fields.append((name, value))
        pos = nl2 + 1 + size + 1
    record = {name: value for name, value in fields if name != "argv"}
    record["argv"] = [value for name, value in fields if name == "argv"]
    return record


class Result:
    def __init__(self, status, stdout, records):
        self.status = status
        self.stdout = stdout
        self.records = records

    @property
    def record(self):
        assert len(self.records) == 1, "expected one start of javaw, saw %d" % len(self.records)
        return self.records[0]

    def params(self):
        """The parameter string javaw received: its command line after the program."""
        cmdline = self.record["cmdline"]
        start = cmdline.index(" -cp ") + 1
        return cmdline[start:]


class Install:
    """A throw-away folder holding an install of the launcher and its surroundings."""

    def __init__(self, root=None):
        self.tmp = tempfile.mkdtemp(prefix="kvl-", dir=os.environ.get("KVL_TMP"))
        self.root = root or os.path.join(self.tmp, "inst")
        os.makedirs(self.root, exist_ok=True)
        self.records_dir = self.mkdir(os.path.join(self.tmp, "rec"))
        self.home = os.path.join(self.tmp, "home")
        self.mkdir(os.path.join(self.home, ".korvel"))
        self.jobs = 0
        self.launcher = os.path.join(self.root, "korvel.exe")
        shutil.copy(LAUNCHER, self.launcher)

    @staticmethod
    def mkdir(path):
        os.makedirs(path, exist_ok=True)
        return path

    def file(self, rel, content=b""):
        path = os.path.join(self.root, rel)
        os.makedirs(os.path.dirname(path), exist_ok=True)
        with open(path, "wb") as f:
            f.write(content)
        return path

    def local_runtime(self, where=None):
        """Puts the recording stand-in where the launcher looks for jre6\\bin\\javaw.exe."""
        path = os.path.join(where or self.root, "jre6", "bin", "javaw.exe")
        os.makedirs(os.path.dirname(path), exist_ok=True)
        shutil.copy(RECORDER, path)
        return path

    def path_runtime(self):
        """Puts the recording stand-in in a folder of its own, to be put on PATH."""
        folder = self.mkdir(os.path.join(self.tmp, "pathbin"))
        shutil.copy(RECORDER, os.path.join(folder, "javaw.exe"))
        return winpath(folder)

    def signal_file(self):
        return os.path.join(self.home, ".korvel", "signal.kvl")

    def home_without_drive(self):
        return winpath(self.home)[2:]

    def job(self, cmdline, cwd=None, show=None, env=None, exe=None):
        """Writes a job for the spawn helper. env maps names to values; None removes a name."""
        settings = {
            "KVL_RECORD_DIR": winpath(self.records_dir),
            "PATH": SYSTEM_PATH,
            "HOMEPATH": self.home_without_drive(),
            "KORVEL_OPTS": None,
        }
        settings.update(env or {})
        self.jobs += 1
        fields = [exe or winpath(self.launcher), cmdline, cwd or "", "" if show is None else str(show),
                  winpath(os.path.join(self.tmp, "stdout-%d.txt" % self.jobs))]
        fields += [name if value is None else name + "=" + value for name, value in settings.items()]
        job_path = os.path.join(self.tmp, "job-%d" % self.jobs)
        with open(job_path, "wb") as f:
            f.write(b"".join(field.encode("latin-1") + b"\0" for field in fields))
        return job_path, fields[4]

    def start(self, cmdline, **kw):
        """Starts the launcher through the spawn helper without waiting for it."""
        job_path, stdout_win = self.job(cmdline, **kw)
        proc = subprocess.Popen([WINE, SPAWN, winpath(job_path)], env=wine_env(),
                                stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        return proc, stdout_win

    def finish(self, started, expect_records):
        proc, stdout_win = started
        out, err = proc.communicate(timeout=120)
        text = out.decode()
        if "exit=" not in text:
            raise AssertionError("spawn failed: %s %s" % (text, err.decode(errors="replace")))
        status = int(text.split("exit=")[1].split()[0])
        with open("/" + stdout_win[3:].replace("\\", "/"), "rb") as f:
            stdout = f.read().decode("latin-1")
        return Result(status, stdout, self.wait_records(expect_records if status > 32 else 0))

    def run(self, cmdline="korvel.exe", **kw):
        """Starts the launcher, waits for it and for the javaw it started."""
        self.wipe_records()
        return self.finish(self.start(cmdline, **kw), 1)

    def wait_records(self, count):
        # The launcher does not wait for javaw, so its record comes later.
        deadline = time.time() + RECORD_WAIT_SECONDS
        while True:
            names = sorted(n for n in os.listdir(self.records_dir) if n.endswith(".txt"))
            if len(names) >= count or time.time() > deadline:
                break
            time.sleep(0.05)
        records = []
        for name in names:
            with open(os.path.join(self.records_dir, name), "rb") as f:
                records.append(parse_record(f.read()))
        return records

    def wipe_records(self):
        for name in os.listdir(self.records_dir):
            os.remove(os.path.join(self.records_dir, name))

    def cleanup(self):
        shutil.rmtree(self.tmp, ignore_errors=True)


class LauncherCase(unittest.TestCase):
    """A test case with a fresh install folder for every test."""

    def setUp(self):
        self.inst = Install()
        self.addCleanup(self.inst.cleanup)

    def assertStarted(self, result, cwd=None):
        self.assertGreater(result.status, 32, "the shell refused the start")
        record = result.record
        self.assertEqual(record["show"], "1", "javaw must be shown normally")
        self.assertEqual(record["cwd"], cwd or winpath(self.inst.root))
        self.assertEqual(record["argv"][-1], MAIN_CLASS)
        return record
