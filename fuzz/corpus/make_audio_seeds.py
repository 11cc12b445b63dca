#!/usr/bin/env python3
"""Remakes the seeds of wav_reader and ogg_reader: small valid WAV files of every format
read and a few damaged ones; short Ogg Vorbis files (made with SoX, Debian's sox) whole,
cut and damaged, and the unit tests' three-channel one."""
import math
import os
import struct
import subprocess

here = os.path.dirname(os.path.abspath(__file__))
fixtures = os.path.join(here, "..", "..", "tests", "unit", "audio")


def chunk(cid, body, declared=None):
    size = len(body) if declared is None else declared
    return cid + struct.pack("<I", size) + body + (b"\0" if len(body) % 2 else b"")


def fmt(tag, channels, rate, bits, align=None):
    align = channels * bits // 8 if align is None else align
    return chunk(b"fmt ", struct.pack("<HHIIHH", tag, channels, rate, rate * align, align, bits))


def extensible(sub_tag, channels, rate, bits, valid):
    align = channels * bits // 8
    guid = struct.pack("<H", sub_tag) + b"\x00\x00\x00\x00\x10\x00\x80\x00\x00\xaa\x00\x38\x9b\x71"
    return chunk(b"fmt ", struct.pack("<HHIIHHHHI", 0xFFFE, channels, rate, rate * align, align,
                                      bits, 22, valid, 3 if channels == 2 else 4) + guid)


def riff(chunks):
    return b"RIFF" + struct.pack("<I", 4 + len(chunks)) + b"WAVE" + chunks


def sine(n, scale, offset=0):
    return [int(offset + scale * math.sin(2 * math.pi * 440 * i / 8000)) for i in range(n)]


pcm8 = bytes(sine(64, 100, 128))
pcm16 = struct.pack("<64h", *sine(64, 12000))
flt = struct.pack("<32f", *[math.sin(i / 3.0) * 1.2 for i in range(32)])
wavs = {
    "pcm8_mono.wav": riff(fmt(1, 1, 8000, 8) + chunk(b"data", pcm8)),
    "pcm16_stereo.wav": riff(fmt(1, 2, 44100, 16) + chunk(b"data", pcm16)),
    "float_mono.wav": riff(fmt(3, 1, 48000, 32) + chunk(b"data", flt)),
    "extensible_pcm16.wav": riff(extensible(1, 2, 22050, 16, 12) + chunk(b"data", pcm16)),
    "extensible_float.wav": riff(extensible(3, 1, 96000, 32, 32) + chunk(b"data", flt)),
    "chunks_in_any_order.wav": riff(chunk(b"LIST", b"INFOabc") + chunk(b"data", pcm8[:33])
                                    + chunk(b"junk", b"x" * 5) + fmt(1, 1, 11025, 8)),
    "data_too_long.wav": riff(fmt(1, 1, 8000, 16) + chunk(b"data", pcm16[:10], 0xFFFFFFF0)),
    "five_channels.wav": riff(fmt(1, 5, 8000, 16) + chunk(b"data", pcm16[:20])),
}
for name, data in wavs.items():
    with open(os.path.join(here, "wav_reader", name), "wb") as f:
        f.write(data)

ogg = os.path.join(here, "ogg_reader")
# 0.05 s: the decoder's work on each input stays small, so the fuzzer tries many.
subprocess.run(["sox", "-n", "-r", "8000", "-c", "1", os.path.join(ogg, "short_mono_8000.ogg"),
                "synth", "0.05", "sine", "440", "vol", "0.5"], check=True)
subprocess.run(["sox", "-n", "-r", "11025", "-c", "2", os.path.join(ogg, "short_stereo_11025.ogg"),
                "synth", "0.05", "sine", "300", "sine", "900", "vol", "0.5"], check=True)
with open(os.path.join(fixtures, "three_channels_8000.ogg"), "rb") as f:
    three = f.read()
with open(os.path.join(ogg, "three_channels_8000.ogg"), "wb") as f:
    f.write(three)


def crc_table():
    table = []
    for i in range(256):
        r = i << 24
        for _ in range(8):
            r = ((r << 1) ^ 0x04C11DB7) & 0xFFFFFFFF if r & 0x80000000 else (r << 1) & 0xFFFFFFFF
        table.append(r)
    return table


TABLE = crc_table()


def fix_checksums(data):
    at = 0
    while at + 27 <= len(data):
        segments = data[at + 26]
        size = 27 + segments + sum(data[at + 27:at + 27 + segments])
        if at + size > len(data):
            break
        data[at + 22:at + 26] = b"\0\0\0\0"
        crc = 0
        for byte in data[at:at + size]:
            crc = ((crc << 8) & 0xFFFFFFFF) ^ TABLE[((crc >> 24) ^ byte) & 0xFF]
        data[at + 22:at + 26] = struct.pack("<I", crc)
        at += size


mono = open(os.path.join(ogg, "short_mono_8000.ogg"), "rb").read()
with open(os.path.join(ogg, "cut.ogg"), "wb") as f:
    f.write(mono[: len(mono) * 3 // 4])
flipped = bytearray(mono)
flipped[len(mono) - 100] ^= 0x08
with open(os.path.join(ogg, "flipped.ogg"), "wb") as f:
    f.write(flipped)
# The first comment says it is 2 GB long: stb_vorbis 1.22 would write past its memory.
lies = bytearray(mono)
comments = lies.index(b"\x03vorbis")
count = comments + 11 + struct.unpack("<I", lies[comments + 7:comments + 11])[0]
lies[count + 4:count + 8] = struct.pack("<I", 0x7FFFFFF0)
fix_checksums(lies)
with open(os.path.join(ogg, "comment_length_lies.ogg"), "wb") as f:
    f.write(lies)
