#!/usr/bin/python3
"""Writes a Windows icon file holding the given PNG images, each as it is (Windows reads PNG
images in icons since Vista; the 256-pixel one must be PNG).

Usage: make_icon.py OUT.ico IMAGE.png...
"""
import struct
import sys
from pathlib import Path


def png_size(data):
    if data[:8] != b'\x89PNG\r\n\x1a\n' or data[12:16] != b'IHDR':
        sys.exit('not a PNG image')
    return struct.unpack('>II', data[16:24])


def main():
    out, images = Path(sys.argv[1]), [Path(p).read_bytes() for p in sys.argv[2:]]
    header = struct.pack('<HHH', 0, 1, len(images))
    entries, offset = b'', 6 + 16 * len(images)
    for data in images:
        width, height = png_size(data)
        # 256 is written as 0 in the one-byte fields.
        entries += struct.pack('<BBBBHHII', width % 256, height % 256, 0, 0, 1, 32, len(data),
                               offset)
        offset += len(data)
    out.write_bytes(header + entries + b''.join(images))


if __name__ == '__main__':
    main()
