#!/usr/bin/env python3
"""Writes the default skin's pictures into <out>/Image and its sounds into <out>/Sound.

    python3 tools/skin/generate.py [--out DIR]    (default: the repository's skin/)

Standard library only; the output depends on nothing but this folder's code, so running
it again gives the same bytes. Skin.dat is written by hand and is not touched.
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import art  # noqa: E402
import art_options  # noqa: E402
import art_memos  # noqa: E402
import art_buddies  # noqa: E402
import art_chat  # noqa: E402
import emoticons  # noqa: E402
import sounds  # noqa: E402


def outputs():
    images = {}
    images.update(art.everything())
    images.update(emoticons.everything())
    images.update(art_options.everything())
    images.update(art_memos.everything())
    images.update(art_buddies.everything())
    images.update(art_chat.everything())
    return {"Image": images, "Sound": sounds.everything()}


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.normpath(os.path.join(here, "..", "..", "skin")))
    args = parser.parse_args()
    count = 0
    for folder, files in outputs().items():
        path = os.path.join(args.out, folder)
        os.makedirs(path, exist_ok=True)
        for name in sorted(files):
            with open(os.path.join(path, name), "wb") as f:
                f.write(files[name])
            count += 1
    print("%d files written under %s" % (count, args.out))
    return 0


if __name__ == "__main__":
    sys.exit(main())
