"""Two builds of the same sources in two fresh trees give the same bytes."""
import hashlib
import os
import shutil
import subprocess
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", ".."))
PRODUCTS = ["dist/korvel.exe", "dist/x64/korvel.exe"]


def source_files():
    """The project's files as a fresh clone would have them."""
    if os.path.isdir(os.path.join(ROOT, ".git")):
        listed = subprocess.run(["git", "ls-files", "-z", "--cached", "--others", "--exclude-standard"],
                                cwd=ROOT, check=True, capture_output=True).stdout
        return [name for name in listed.decode().split("\0") if name and os.path.isfile(os.path.join(ROOT, name))]
    files = []
    for folder, dirs, names in os.walk(ROOT):
        dirs[:] = [d for d in dirs if os.path.relpath(os.path.join(folder, d), ROOT) not in ("build", "dist")]
        files += [os.path.relpath(os.path.join(folder, n), ROOT) for n in names]
    return files


def fresh_tree(where):
    for name in source_files():
        target = os.path.join(where, name)
        os.makedirs(os.path.dirname(target), exist_ok=True)
        shutil.copy2(os.path.join(ROOT, name), target)
    return where


class ReproducibleBuild(unittest.TestCase):
    def test_two_trees_build_the_same_bytes(self):
        with tempfile.TemporaryDirectory() as tmp:
            # Paths of different lengths, so a path baked into the output would show.
            trees = [fresh_tree(os.path.join(tmp, "a", "korvel")),
                     fresh_tree(os.path.join(tmp, "second-tree", "with", "a", "longer", "path"))]
            digests = []
            for tree in trees:
                subprocess.run(["cmake", "--workflow", "--preset", "build"], cwd=tree, check=True,
                               stdout=subprocess.DEVNULL)
                digest = {}
                for product in PRODUCTS:
                    with open(os.path.join(tree, product), "rb") as f:
                        data = f.read()
                    self.assertNotIn(tree.encode(), data, "the build path is baked into " + product)
                    digest[product] = hashlib.sha256(data).hexdigest()
                digests.append(digest)
            self.assertEqual(digests[0], digests[1])


if __name__ == "__main__":
    unittest.main()
