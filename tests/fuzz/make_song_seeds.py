#!/usr/bin/env python3
# Writes the seed inputs of the song file fuzz targets (MIDI loader, MIDI title scan, Recomposer
# header and converter, ID3v1 tag) into tests/data/fuzz/<Target>/. Every seed is built here from scratch.
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



def rcp_event(v2, command, p0=0, p1=0, p2=0):
    if v2:
        return bytes([command, p0 & 0xFF, p1 & 0xFF, p2 & 0xFF])
    return bytes([command, p2 & 0xFF]) + struct.pack("<HH", p0, p1)


def rcp_song(v2, tracks, timebase=48, tempo=120, cm6=b"", gsd=b""):
    """A Recomposer song of either layout; tracks are (channel, key, events) tuples."""
    out = bytearray(0x586 if v2 else 0xC98)
    if v2:
        out[0:32] = b"RCM-PC98V2.0(C)COME ON MUSIC\r\n\x00\x00"
        out[0x20:0x60] = b"Seed song".ljust(64, b" ")
        out[0x60:0x60 + 28] = b"Seed memo".ljust(28, b" ")
        out[0x1C0], out[0x1E7], out[0x1C1], out[0x1C2], out[0x1C3] = timebase & 0xFF, timebase >> 8, tempo, 4, 4
        out[0x1C6:0x1D6] = cm6.ljust(16, b" ")
        out[0x1D6:0x1E6] = gsd.ljust(16, b" ")
        out[0x1E6] = len(tracks)
        exclusive = 0x406
    else:
        out[0:32] = b"COME ON MUSIC RECOMPOSER RCP3.0\x00"
        out[0x20:0xA0] = b"Seed song".ljust(128, b" ")
        out[0x208:0x20E] = struct.pack("<HHH", len(tracks), timebase, tempo)
        out[0x20E], out[0x20F] = 3, 4
        out[0x298:0x2A8] = gsd.ljust(16, b" ")
        out[0x2B8:0x2C8] = cm6.ljust(16, b" ")
        exclusive = 0xB18
    for i in range(8):
        out[exclusive + i * 0x30 + 0x18:exclusive + i * 0x30 + 0x30] = b"\x41\x10\x42\x12\x83\x40\x82\x80\x81\x84".ljust(24, b"\xf7")
    for number, (channel, key, events) in enumerate(tracks):
        header_bytes = 0x2C if v2 else 0x2E
        length = header_bytes + len(events)
        out += struct.pack("<H" if v2 else "<I", length) + bytes([number + 1, 0, channel, key, 0, 0])
        out += b"Track".ljust(36, b" ") + events
    return bytes(out)


def rcp_events(v2):
    e = lambda *args: rcp_event(v2, *args)
    size = 4 if v2 else 6
    header_bytes = 0x2C if v2 else 0x2E
    repeat = e(0xFC, 0, header_bytes & 0xFF, header_bytes >> 8) if v2 else e(0xFC, 0, 0x30)
    continuation = e(0xF7, 0, 0x41, 0x10) if v2 else bytes([0xF7, 0x41, 0x10, 0x80, 0x81, 0xF7])
    return (e(60, 12, 24, 100) + e(0xFD) + repeat + e(0xF9, 1) + e(64, 12, 30, 90) + e(0xE7, 6, 80, 12)
            + e(0xF8, 3) + e(0xEC, 0, 5) + e(0xE2, 0, 3, 1) + e(0xEB, 4, 7, 100) + e(0xEE, 0, 0, 64) + e(0x91, 3, 5, 6)
            + e(0x98, 0, 1, 2) + continuation + e(0xDD, 0, 0x40, 0x11) + e(0xDE, 2, 0x15, 2) + e(0xC0, 0, 1, 2)
            + e(0xE6, 0, 18) + e(67, 24, 48, 80) + e(0xF6, 0, ord("h"), ord("i")) + e(0xF5, 0x13) + e(0xFE))


song_v2 = rcp_song(True, [(0, 0, rcp_events(True)), (0x19, 0x74, rcp_events(True)), (0xFF, 0, rcp_event(True, 0xFE))])
song_v3 = rcp_song(False, [(0x10, 0x0C, rcp_events(False)), (9, 0x80, rcp_events(False))], timebase=480, tempo=90)
forever = rcp_song(True, [(0, 0, rcp_event(True, 0xF9, 1) + rcp_event(True, 0xF9, 1) + rcp_event(True, 60, 1, 1, 1)
                              + rcp_event(True, 0xF8, 0) + rcp_event(True, 0xF8, 0))])
control = bytearray(0xA71)
control[0:14] = b"COME ON MUSIC\x00"
control[0x0E:0x1C] = b"GS CONTROL 1.0"
rcp_convert_seeds = {
    "v2": song_v2,
    "v3": song_v3,
    "forever": forever,
    "cut-track": song_v2[:-30],
    "gsd-named": rcp_song(True, [(0, 0, rcp_events(True))], gsd=b"SEED.GSD"),
    "gs-control-file": bytes(control),
}

tag = b"TAG" + b"Seed title".ljust(30, b" ") + b"Seed artist\t".ljust(30, b"\x00") + bytes(65)
seeds = {
    "FuzzSmfLoad": midi_seeds,
    "FuzzSmfSongInfo": midi_seeds,
    "FuzzRcpHeader": {"header": bytes(rcp), "zero-meter": bytes(rcp_zero), "short": bytes(rcp[:517]), "v3": song_v3},
    "FuzzRcpConvert": rcp_convert_seeds,
    "FuzzId3v1": {"tagged": bytes(200) + tag, "tag-only": tag, "untagged": bytes(300)},
}
for target, files in seeds.items():
    folder = os.path.join(ROOT, target)
    os.makedirs(folder, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(folder, name), "wb") as out:
            out.write(data)
