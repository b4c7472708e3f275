#!/usr/bin/env python3
"""Writes the seed corpus of the frame fuzzer: the wire examples, one file each."""
import os, sys

def frame(text, stx=True, etx=0x03, bcc=1):
    out = bytearray([0x02]) if stx else bytearray()
    x = 0
    for b in text + bytes([etx]):
        x ^= b
    out += text + bytes([etx])
    if bcc == 1:
        out.append(x)
    elif bcc == 2:
        out += b"%02X\r" % x
    return bytes(out)

def seed(cfg, *chunks, xerv1=False):
    out = bytearray(cfg) + bytes([1 if xerv1 else 0])
    for c in chunks:
        while len(c) > 127:  # a chunk holds at most 127 bytes; the frame goes on in the next
            out.append(127)
            out += c[:127]
            c = c[127:]
        out.append(0x80 | len(c))
        out += c
    return bytes(out)

# cfg: [start | end<<2 | bcc<<5, separator | request-index<<2 | size-index<<5, model-index | flags]
# and a fourth byte choosing the library (0 XERV3, 1 XERV1).
default = 0x01 | (4 << 2) | (1 << 5)
seeds = {
    "ack": seed([default, 0, 0], b"\x06"),
    "nak": seed([default, 14 << 2, 0], b"\x15"),
    "vr": seed([default, (14 << 2) | (4 << 5), 0], frame(b"VR1.23    20261210")),
    "ng012": seed([default, 13 << 2, 0], frame(b"NG012")),
    "ae_idle": seed([default, 0, 0], frame(b"AE12")),
    "card101": seed([default, 1 << 2, 15], frame(b"CR00ABC\x1f0123\x1f0XYZ")),
    "write101": seed([default, 2 << 2, 15], frame(b"CW0" + b"0\x1f1\x1f0")),
    "er_all": seed([default, 0, 0], frame(b"ER**" + b"0A" * 128)),
    "ic": seed([default, 5 << 2, 0], frame(b"ID\x00\x03\x00\x03\x02")),
    "bcc2": seed([0x01 | (3 << 2) | (2 << 5), 0, 0], frame(b"A", etx=0x0D, bcc=2)),
    "split": seed([default, 14 << 2, 0], frame(b"VR1.23")[:3], frame(b"VR1.23")[3:]),
    "x1_card": seed([default, 1 << 2, 16], frame(b"A0ABC\x1f0123\x1f0XYZ"), xerv1=True),
    "x1_write": seed([default, 2 << 2, 16], frame(b"C0\x1f1\x1f0"), xerv1=True),
    "x1_return": seed([default, 3 << 2, 0], frame(b"J0123456789"), xerv1=True),
    "x1_eeprom": seed([default, 0, 0], frame(b"s**" + b"0A" * 128), xerv1=True),
    "x1_reset": seed([default, 4 << 2, 0], b"\x06\x55", xerv1=True),
    "x1_dle": seed([default, 7 << 2, 0], b"\x10", xerv1=True),
}
os.makedirs(sys.argv[1], exist_ok=True)
for name, data in seeds.items():
    with open(os.path.join(sys.argv[1], name), "wb") as f:
        f.write(data)
