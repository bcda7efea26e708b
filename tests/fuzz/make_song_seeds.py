#!/usr/bin/env python3
# Writes the seed inputs of the song file fuzz targets (MIDI loader, MIDI title scan, Recomposer
# header, ID3v1 tag) into tests/data/fuzz/<Target>/. Every seed is built here from scratch.
import os
import struct

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "data", "fuzz")


def varlen(value):
    out = [value & 0x7F]
    value >>= 7
    while value:
        out.insert(0, 0x80 | (value & 0x7F))
        value >>= 7
    return bytes(out)


def meta(delta, kind, data):
    return varlen(delta) + bytes([0xFF, kind]) + varlen(len(data)) + data


def smf(fmt, division, tracks, count=None):
    out = b"MThd" + struct.pack(">IHHH", 6, fmt, len(tracks) if count is None else count, division)
    for track in tracks:
        out += b"MTrk" + struct.pack(">I", len(track)) + track
    return out


END = meta(0, 0x2F, b"")
conductor = (meta(0, 0x03, b"Seed song") + meta(0, 0x02, b"(C) Melodrix") + meta(0, 0x51, b"\x07\xa1\x20")
             + meta(0, 0x58, b"\x03\x02\x18\x08") + meta(1152, 0x58, b"\x06\x03\x18\x08")
             + meta(100, 0x51, b"\x0f\x42\x40") + END)
notes = (varlen(0) + b"\xc0\x05" + varlen(10) + b"\x06" + varlen(0) + b"\x90\x3c\x64" + varlen(96) + b"\x3c\x00"
         + varlen(5) + b"\xf0\x03\x7e\x01\xf7" + varlen(200) + b"\x80\x3c\x00" + END + b"\x00\x00")
midi_seeds = {
    "format1": smf(1, 480, [conductor, notes]),
    "format0": smf(0, 96, [meta(0, 0x03, b"Zero") + notes]),
    "meters": smf(0, 24, [b"".join(meta(7 * i, 0x58, bytes([1 + i % 7, i % 5, 24, 8])) for i in range(40)) + END]),
    "long-gaps": smf(0, 30000, [varlen(0x0FFFFFF) + b"\x90\x3c\x64" + varlen(0x0FFFFFFF) + b"\x3c\x00" + END]),
    "zero-meter": smf(0, 96, [meta(0, 0x58, b"\x00\x02\x18\x08") + meta(5, 0x58, b"\x04\xff\x18\x08") + END]),
    "empty-track": smf(1, 96, [b"", notes]),
}

rcp = bytearray(600)
rcp[0:32] = b"RCM-PC98V2.0(C)COME ON MUSIC\r\n\x00\x00"
rcp[32:96] = b"Seed title".ljust(64, b" ")
rcp[96:432] = b"Seed memo\t".ljust(336, b" ")
rcp[448], rcp[487], rcp[450], rcp[451] = 0x30, 0x00, 3, 4
rcp_zero = bytearray(rcp[:518])
rcp_zero[448] = rcp_zero[450] = rcp_zero[451] = 0

tag = b"TAG" + b"Seed title".ljust(30, b" ") + b"Seed artist\t".ljust(30, b"\x00") + bytes(65)
seeds = {
    "FuzzSmfLoad": midi_seeds,
    "FuzzSmfSongInfo": midi_seeds,
    "FuzzRcpHeader": {"header": bytes(rcp), "zero-meter": bytes(rcp_zero), "short": bytes(rcp[:517])},
    "FuzzId3v1": {"tagged": bytes(200) + tag, "tag-only": tag, "untagged": bytes(300)},
}
for target, files in seeds.items():
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
