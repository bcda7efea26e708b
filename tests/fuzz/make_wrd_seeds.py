#!/usr/bin/env python3
"""Writes the seed inputs of FuzzMagDecoder and FuzzTextEscapes (run from the repository root)."""
import os
import struct


def mag(width, height, x=0, y=0, nibble_of=lambda u, y: 0, mode=0):
    """A MAG file of width x height pixels; nibble_of picks each unit's flag (0 = new pixels)."""
    units = width // 4
    flag_a, flag_b, pixels = bytearray(), bytearray(), bytearray()
    previous = [0] * (units // 2)
    bit = 0
    for row in range(height):
        line = [0] * (units // 2)
        for u in range(units):
            n = nibble_of(u, row)
            line[u // 2] |= n if u & 1 else n << 4
            if n == 0:
                pixels += bytes([(u * 17 + row) & 0xFF, (u + row * 3) & 0xFF])
        for i in range(units // 2):
            if bit % 8 == 0:
                flag_a.append(0)
            change = line[i] ^ previous[i]
            if change:
                flag_a[-1] |= 0x80 >> (bit % 8)
                flag_b.append(change)
            bit += 1
        previous = line
    flag_b_offset = 80 + len(flag_a)
    pixel_offset = flag_b_offset + len(flag_b)
    header = struct.pack('<BBBBHHHHIIIII', 0, 0, 0, mode, x, y, x + width - 1, y + height - 1, 80, flag_b_offset,
                         len(flag_b), pixel_offset, len(pixels))
    palette = bytes((i * 16 + c * 5) & 0xFF for i in range(16) for c in range(3))
    return b'MAKI02  seed' + header + palette + bytes(flag_a) + bytes(flag_b) + bytes(pixels)


def write(target, name, data):
    folder = os.path.join('tests', 'data', 'fuzz', target)
    os.makedirs(folder, exist_ok=True)
    with open(os.path.join(folder, name), 'wb') as out:
        out.write(data)


write('FuzzMagDecoder', 'plain-16x4', b'\xff\xff\x00' + mag(16, 4))
write('FuzzMagDecoder', 'copies-32x20', b'\xff\xff\x00' + mag(32, 20, nibble_of=lambda u, y: (u + y) % 16))
write('FuzzMagDecoder', 'odd-start', b'\x21\x10\x01' + mag(24, 6, x=5, y=3, nibble_of=lambda u, y: (u * 7) % 16))
write('FuzzMagDecoder', 'wrap-palette-only', b'\xd0\xc7\x82' + mag(64, 16, nibble_of=lambda u, y: y % 3))
write('FuzzMagDecoder', 'too-many-colours', b'\xff\xff\x00' + mag(8, 1, mode=0x80))

write('FuzzTextEscapes', 'plain', b'Hello\tworld\r\nsecond line\x08\x08!\n')
write('FuzzTextEscapes', 'double-byte', b'\x82\xa0\x82\xa2' + b' ' * 75 + b'\x82\xa4x\x1b[1;2Hy\x85\x40\x85\xa0')
write('FuzzTextEscapes', 'cursor', b'\x1b[5H\x1b[30;100H\x1b=!)\x1b[3A\x1b[2B\x1b[4C\x1b[9D\x1b[s\x1b[u\x1bD\x1bE\x1bM')
write('FuzzTextEscapes', 'erase', b'abc\x1b[K\x1b[1K\x1b[2K\x1b[J\x1b[1J\x1b[2J\x1b*\x1b[3L\x1b[2M\x1a\x1e')
write('FuzzTextEscapes', 'colours', b'\x1b[31m\x1b[44m\x1b[m\x1b[5;17m\x1b)X\x1b[>12\x1b[5n\x1b[9Z\x1b')
write('FuzzTextEscapes', 'fill', b'text\xff\x01\x01\x28\x0c\x1c#more\x00\xff\xfb\xfb\x7f\x7f\x07\x2a')
