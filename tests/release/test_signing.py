"""tools/sign.sh signs a copy of the launcher that verifies and keeps its resources."""
import os
import shutil
import subprocess
import sys
import tempfile
import unittest

import pefile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.abspath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, os.path.join(HERE, "..", "static"))
from test_resources import resources  # noqa: E402

DIST = os.environ.get("KVL_DIST", os.path.join(ROOT, "dist"))
SIGN = os.path.join(ROOT, "tools", "sign.sh")


class Signing(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp()
        self.addCleanup(shutil.rmtree, self.tmp)
        self.cert = os.path.join(self.tmp, "cert.pem")
        self.key = os.path.join(self.tmp, "key.pem")
        subprocess.run(["openssl", "req", "-x509", "-newkey", "rsa:2048", "-nodes", "-keyout", self.key,
                        "-out", self.cert, "-subj", "/CN=korvel test signer", "-days", "2"],
                       check=True, capture_output=True)
        self.exe = os.path.join(self.tmp, "korvel.exe")
        shutil.copy(os.path.join(DIST, "korvel.exe"), self.exe)

    def sign(self, **env):
        return subprocess.run(["sh", SIGN, self.exe], env=dict(os.environ, **env), capture_output=True, text=True)

    def verify(self):
        return subprocess.run(["osslsigncode", "verify", "-in", self.exe, "-CAfile", self.cert],
                              capture_output=True, text=True)

    def test_signed_copy_verifies_and_keeps_its_resources(self):
        done = self.sign(KVL_SIGN_CERT=self.cert, KVL_SIGN_KEY=self.key)
        self.assertEqual(done.returncode, 0, done.stderr)
        verified = self.verify()
        self.assertEqual(verified.returncode, 0, verified.stdout + verified.stderr)
        self.assertIn("Signature verification: ok", verified.stdout)

        signed = pefile.PE(self.exe)
        self.assertTrue(signed.OPTIONAL_HEADER.DATA_DIRECTORY[4].Size, "a certificate table")
        self.assertEqual(resources(signed), resources(pefile.PE(os.path.join(DIST, "korvel.exe"))))

        # A signature that any change leaves standing would prove nothing.
        with open(self.exe, "r+b") as f:
            f.seek(signed.sections[0].PointerToRawData + 16)
            byte = f.read(1)
            f.seek(-1, 1)
            f.write(bytes([byte[0] ^ 0xFF]))
        self.assertNotEqual(self.verify().returncode, 0)

    def test_no_certificate_no_signing(self):
        with open(self.exe, "rb") as f:
            before = f.read()
        done = self.sign(KVL_SIGN_CERT="", KVL_SIGN_KEY="")
        self.assertNotEqual(done.returncode, 0)
        self.assertIn("KVL_SIGN_CERT", done.stderr)
        with open(self.exe, "rb") as f:
            self.assertEqual(f.read(), before)


if __name__ == "__main__":
    unittest.main()
