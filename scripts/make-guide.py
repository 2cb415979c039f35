#!/usr/bin/env python3
"""Makes the guide that ships beside the programs from docs/guide.html: the version put in
for @DRALMOFT_VERSION@ and every picture of docs/ inlined, so that guide.html is one file
that opens wherever it is copied.

usage: make-guide.py SOURCE VERSION OUTPUT
"""
import base64
import pathlib
import re
import sys


def main() -> int:
    source, version, output = pathlib.Path(sys.argv[1]), sys.argv[2], pathlib.Path(sys.argv[3])
    text = source.read_text(encoding="utf-8").replace("@DRALMOFT_VERSION@", version)

    def inline(match: re.Match) -> str:
        picture = source.parent / match.group(2)
        if not picture.is_file():
            raise SystemExit(f"{source}: the picture {match.group(2)} is not in {source.parent}")
        data = base64.b64encode(picture.read_bytes()).decode("ascii")
        return f'{match.group(1)}"data:image/png;base64,{data}"'

    text = re.sub(r'(<img\s[^>]*?src=)"([^":/]+\.png)"', inline, text)
    output.write_text(text, encoding="utf-8", newline="\r\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
