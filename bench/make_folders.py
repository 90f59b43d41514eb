#!/usr/bin/env python3
"""Makes the benchmark's folders once, under the folder given: empty, launch (20 entries)
and n1000, n10000, n100000. A tenth of the entries are folders, a fifth have Japanese
names, every name is 17 to 46 characters long and unique by its number. Made from Linux
because creating files one by one through Wine slows down with the folder's size."""
import os
import random
import string
import sys

# All double-byte in code page 932; 表, ソ, 十 and 能 end in the byte 0x5C.
KANA = ("あいうえおかきくけこさしすせそたちつてとなにぬねのはひふへほまみむめもやゆよ"
        "らりるれろわをんアイウエオカキクケコサシスセソ表示能力十日本語資料報告書写真設定")
assert all(len(c.encode("cp932")) == 2 for c in KANA)


def make(path, count):
    marker = path + ".complete"
    if os.path.exists(marker):
        return
    print(f"making {path} ({count} entries)...", file=sys.stderr, flush=True)
    os.makedirs(path, exist_ok=True)
    rnd = random.Random(count)
    for i in range(count):
        folder = i % 10 == 0
        japanese = i % 5 == 1
        length = rnd.randint(17, 46)
        stem = ("資料" if japanese else "file") + "%06d" % i
        extension = "" if folder else (".txt" if i % 3 else ".dat")
        pool = KANA if japanese else string.ascii_lowercase
        stem += "".join(rnd.choice(pool) for _ in range(length - len(stem) - len(extension)))
        entry = os.path.join(path, stem + extension)
        if folder:
            os.makedirs(entry, exist_ok=True)
        else:
            open(entry, "w").close()
    open(marker, "w").close()


def main():
    data = sys.argv[1]
    make(os.path.join(data, "empty"), 0)
    make(os.path.join(data, "launch"), 20)
    for n in (1000, 10000, 100000):
        make(os.path.join(data, f"n{n}"), n)


if __name__ == "__main__":
    main()
