#!/usr/bin/env python3
"""Generates the benchmark data from Linux (fast): folder trees and large file pairs."""
import os
import random
import sys


def make_tree(root, tops, subs, files, seed=1):
    """root/top/dNN/sNNN/fNNN.bin: tops * subs folders of `files` files of 1..2048 bytes."""
    rng = random.Random(seed)
    pool = os.urandom(4096)
    for t in range(tops):
        for s in range(subs):
            folder = os.path.join(root, "top", "d%02d" % t, "s%03d" % s)
            os.makedirs(folder, exist_ok=True)
            for f in range(files):
                size = rng.randint(1, 2048)
                start = rng.randint(0, len(pool) - size)
                with open(os.path.join(folder, "f%03d.bin" % f), "wb") as out:
                    out.write(pool[start:start + size])


def make_flat(folder, count, seed=2):
    """folder/fNNNNN.ext: `count` files of 1..2048 bytes with a few ordinary extensions."""
    rng = random.Random(seed)
    pool = os.urandom(4096)
    os.makedirs(folder, exist_ok=True)
    extensions = (".txt", ".bin", ".dat", ".csv")
    for i in range(count):
        size = rng.randint(1, 2048)
        start = rng.randint(0, len(pool) - size)
        name = "f%05d%s" % (i, extensions[i % len(extensions)])
        with open(os.path.join(folder, name), "wb") as out:
            out.write(pool[start:start + size])


def change_tree(root, every):
    """Flips the last byte of every `every`-th file, keeping size and modification time."""
    changed = 0
    index = 0
    for folder, dirs, names in os.walk(root):
        dirs.sort()
        for name in sorted(names):
            index += 1
            if index % every:
                continue
            path = os.path.join(folder, name)
            st = os.stat(path)
            with open(path, "r+b") as f:
                f.seek(-1, os.SEEK_END)
                last = f.read(1)
                f.seek(-1, os.SEEK_END)
                f.write(bytes([last[0] ^ 0xFF]))
            os.utime(path, ns=(st.st_atime_ns, st.st_mtime_ns))
            changed += 1
    print("changed %d files" % changed)


def extra_files(root, every, remove=False):
    """Adds (or removes) a file "<name>.extra" beside every `every`-th file."""
    count = 0
    index = 0
    for folder, dirs, names in os.walk(root):
        dirs.sort()
        for name in sorted(n for n in names if not n.endswith(".extra")):
            index += 1
            if index % every:
                continue
            path = os.path.join(folder, name + ".extra")
            if remove:
                if os.path.exists(path):
                    os.remove(path)
            else:
                with open(path, "wb") as f:
                    f.write(b"extra")
            count += 1
    print("%s %d extra files" % ("removed" if remove else "added", count))


def make_big_file(path, mib):
    """A file of `mib` MiB of random-looking bytes (a repeated random block)."""
    block = os.urandom(1 << 20)
    with open(path, "wb") as out:
        for _ in range(mib):
            out.write(block)


def flip_last_byte(path):
    with open(path, "r+b") as f:
        f.seek(-1, os.SEEK_END)
        last = f.read(1)
        f.seek(-1, os.SEEK_END)
        f.write(bytes([last[0] ^ 0xFF]))


def make_dump_pair(folder, size):
    """folder/src/pair.bin and folder/des/pair.bin: `size` bytes that differ in every byte."""
    data = bytes(i * 7 % 251 for i in range(size))
    for side, content in (("src", data), ("des", bytes(b ^ 0xFF for b in data))):
        os.makedirs(os.path.join(folder, side), exist_ok=True)
        with open(os.path.join(folder, side, "pair.bin"), "wb") as f:
            f.write(content)


def make_text_pair(folder, lines, edits, seed=3):
    """folder/a.txt and folder/b.txt: `lines` lines of source-like text, B with `edits`
    scattered lines replaced, inserted or removed (a third each)."""
    rng = random.Random(seed)
    words = ("int", "return", "if", "else", "for", "while", "count", "value", "buffer",
             "length", "index", "result", "static", "void", "char", "表示", "比較")
    os.makedirs(folder, exist_ok=True)
    places = set(rng.sample(range(lines), edits))
    with open(os.path.join(folder, "a.txt"), "w", encoding="utf-8", newline="\n") as a, \
            open(os.path.join(folder, "b.txt"), "w", encoding="utf-8", newline="\n") as b:
        for i in range(lines):
            line = "    %s %s = %s(%d); // %s\n" % (rng.choice(words), rng.choice(words),
                                                     rng.choice(words), i, rng.choice(words))
            a.write(line)
            if i not in places:
                b.write(line)
            elif i % 3 == 0:
                b.write("    edited(%d);\n" % i)
            elif i % 3 == 1:
                b.write(line + "    inserted(%d);\n" % i)


def make_different_pair(folder, lines, seed=4):
    """folder/a.txt and folder/b.txt: `lines` lines each, no line of one in the other."""
    rng = random.Random(seed)
    os.makedirs(folder, exist_ok=True)
    for side in ("a", "b"):
        with open(os.path.join(folder, side + ".txt"), "w", newline="\n") as out:
            for i in range(lines):
                out.write("%s %d %016x\n" % (side, i, rng.getrandbits(64)))


if __name__ == "__main__":
    command = sys.argv[1]
    if command == "tree":
        make_tree(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), int(sys.argv[5]))
    elif command == "flat":
        make_flat(sys.argv[2], int(sys.argv[3]))
    elif command == "change":
        change_tree(sys.argv[2], int(sys.argv[3]))
    elif command == "extra":
        extra_files(sys.argv[2], int(sys.argv[3]))
    elif command == "noextra":
        extra_files(sys.argv[2], int(sys.argv[3]), True)
    elif command == "big":
        make_big_file(sys.argv[2], int(sys.argv[3]))
    elif command == "flip":
        flip_last_byte(sys.argv[2])
    elif command == "textpair":
        make_text_pair(sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
    elif command == "differentpair":
        make_different_pair(sys.argv[2], int(sys.argv[3]))
    elif command == "dumppair":
        make_dump_pair(sys.argv[2], int(sys.argv[3]))
    else:
        sys.exit("unknown command " + command)
