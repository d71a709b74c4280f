#!/usr/bin/env python3
"""Writes demo/recsms.sms, a small Inbox store for trying zeph-store.

The bytes are laid out here by hand, apart from the program's own writer,
so the demo file also checks that the two agree.
"""
import struct
import sys


def record(time, flags, reference, numbers, centre, text, picture=None):
    out = struct.pack('<H8HIBB', 0x3C, *time, flags, reference, len(numbers))
    out += centre.encode('cp1252').ljust(23, b'\0')
    for number in numbers:
        out += number.encode('cp1252').ljust(24, b'\0')
    body = text.encode('cp1252') + b'\0'
    out += struct.pack('<H', len(body)) + body
    if flags & 0x1:
        out += picture
    return out


def smiley():
    rows = [0] * 28
    for y in range(6, 22):
        for x in range(26, 46):
            dx, dy = x - 36, y - 14
            if 60 <= dx * dx + 4 * dy * dy <= 100:
                rows[y] |= 1 << (71 - x)
    for x, y in ((32, 11), (40, 11)):
        rows[y] |= 1 << (71 - x)
    return b''.join(r.to_bytes(9, 'big') for r in rows)


records = [
    record((2026, 12, 6, 5, 9, 5, 0, 0), 0x8, 12, ['+447700900123'], '+447700900000',
           'Hello from the demo inbox. Caf\u00e9 at 10?'),
    record((2026, 12, 6, 5, 9, 41, 12, 0), 0x0, 13, ['+447700900456'], '+447700900000',
           'The euro sign \u20ac costs two units.'),
    record((2026, 12, 6, 5, 10, 2, 30, 0), 0x1, 14, ['+447700900123'], '+447700900000',
           'Look!', smiley()),
]
data = struct.pack('<H', len(records)) + bytes(20) + b''.join(records)
path = sys.argv[1] if len(sys.argv) > 1 else 'demo/recsms.sms'
with open(path, 'wb') as f:
    f.write(data)
