"""The class path built from lib, as javaw receives it."""
import os
import unittest

from harness import LauncherCase, params


class ClassPath(LauncherCase):
    def setUp(self):
        super().setUp()
        self.inst.local_runtime()

    def class_path(self):
        result = self.inst.run("korvel.exe")
        record = self.assertStarted(result)
        self.assertEqual(record["argv"][1], "-cp")
        class_path = record["argv"][2]
        self.assertEqual(result.params(), params(class_path, "", ""))
        return class_path

    def test_lib_that_cannot_be_listed(self):
        cases = [
            ("missing", lambda: None),
            ("a file", lambda: self.inst.file("lib", b"not a folder")),
        ]
        for name, lay_out in cases:
            with self.subTest(name):
                lay_out()
                self.assertEqual(self.class_path(), "")

    def test_every_entry_in_listing_order(self):
        # (what lib holds, the elements after lib\. and lib\..)
        cases = [
            ("empty", [], []),
            ("archives and more",
             ["client.jar", "Mixed.JAR", "classes/", ".hidden", "README", "my lib.jar", "notes.txt"],
             ["lib\\client.jar", "lib\\Mixed.JAR", "lib\\classes", "lib\\.hidden", "lib\\README",
              "lib\\my lib.jar", "lib\\notes.txt"]),
        ]
        for name, entries, elements in cases:
            with self.subTest(name):
                lib = os.path.join(self.inst.root, "lib")
                os.makedirs(lib)
                for entry in entries:
                    if entry.endswith("/"):
                        os.makedirs(os.path.join(lib, entry))
                    else:
                        self.inst.file("lib/" + entry)
                listed = self.class_path().split(";")
                self.assertEqual(listed[:2], ["lib\\.", "lib\\.."])
                # The file system decides the order; the launcher keeps it.
                self.assertEqual(sorted(listed[2:]), sorted(elements))
                for entry in os.listdir(lib):
                    path = os.path.join(lib, entry)
                    os.rmdir(path) if os.path.isdir(path) else os.remove(path)
                os.rmdir(lib)


if __name__ == "__main__":
    unittest.main()
