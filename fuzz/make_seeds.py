#!/usr/bin/env python3
"""Writes a small seed corpus for each fuzz target: make_seeds.py OUT_DIR."""
import os
import struct
import sys

GBK = {
    "zhang": "张三".encode("gbk"),
    "li": "李四".encode("gbk"),
    "wang": "王五".encode("gbk"),
    "sep": "，".encode("gbk"),
    "tier1": "[特等奖]".encode("gbk"),
    "tier2": "[一等奖]".encode("gbk"),
}


def bmp(width, height, bits, pixels, palette=(), compression=0, masks=(), info=40, colours=None):
    extra = b"".join(struct.pack("<I", m) for m in masks) if info == 40 else b""
    header_masks = b"".join(struct.pack("<I", m) for m in masks) if info > 40 else b""
    pal = b"".join(struct.pack("<BBBx", b, g, r) for (r, g, b) in palette)
    if info == 12:
        pal = b"".join(struct.pack("<BBB", b, g, r) for (r, g, b) in palette)
        dib = struct.pack("<IHHHH", 12, width, height, 1, bits)
    else:
        dib = struct.pack("<IiiHHIIiiII", info, width, height, 1, bits, compression, len(pixels),
                          2834, 2834, len(palette) if colours is None else colours, 0)
        dib += header_masks
        dib += b"\0" * (info - len(dib))
    at = 14 + len(dib) + len(extra) + len(pal)
    return b"BM" + struct.pack("<IHHI", at + len(pixels), 0, 0, at) + dib + extra + pal + pixels


def seeds():
    z, l, w, s = GBK["zhang"], GBK["li"], GBK["wang"], GBK["sep"]
    pal4 = [(255, 255, 255), (255, 0, 0), (0, 255, 0), (0, 0, 255)]
    yield "bitmap", "24bit", bmp(3, 2, 24, b"\xff\xff\xff\0\0\0\x80\x80\x80\0\0\0\0\xff\0\xff\0\0\0\0\xff\0\0\0")
    yield "bitmap", "24bit_topdown", bmp(1, -2, 24, b"\0\0\xff\0\0\xff\0\0")
    yield "bitmap", "1bit", bmp(8, 2, 1, b"\x0f\0\0\0\xf0\0\0\0", [(0, 0, 0), (255, 255, 255)])
    yield "bitmap", "4bit", bmp(3, 1, 4, b"\x12\x30\0\0", pal4)
    yield "bitmap", "8bit", bmp(2, 1, 8, b"\x01\x03\0\0", pal4)
    yield "bitmap", "8bit_core", bmp(2, 1, 8, b"\x02\x01\0\0", pal4, info=12)
    yield "bitmap", "rle8", bmp(3, 2, 8, bytes([2, 1, 0, 0, 0, 3, 1, 2, 3, 0, 0, 2, 1, 0, 0, 1]), pal4, 1)
    yield "bitmap", "rle8_delta", bmp(3, 2, 8, bytes([1, 3, 0, 2, 1, 1, 1, 2, 0, 1]), pal4, 1)
    yield "bitmap", "rle4", bmp(4, 2, 4, bytes([3, 0x12, 0, 0, 0, 4, 0x12, 0x30, 0, 1]), pal4, 2)
    yield "bitmap", "16bit_555", bmp(3, 1, 16, b"\x00\x7c\xe0\x03\x1f\x00\0\0")
    yield "bitmap", "16bit_565", bmp(3, 1, 16, b"\x00\xf8\xe0\x07\x1f\x00\0\0", compression=3,
                                     masks=(0xF800, 0x07E0, 0x001F))
    yield "bitmap", "32bit_masks", bmp(1, 1, 32, b"\0\x11\x22\x33", compression=3,
                                       masks=(0xFF00, 0xFF0000, 0xFF000000))
    yield "bitmap", "32bit_v5", bmp(2, 1, 32, b"\x33\x22\x11\0\0\0\xff\0", compression=3,
                                    masks=(0xFF0000, 0xFF00, 0xFF, 0xFF000000), info=124)

    yield "text_list", "crlf", z + b"\r\n" + l + b"\r\n" + w + b"\r\n"
    yield "text_list", "mixed", z + b"\n\n" + l + b"\r" + w + b"\r\n\r\nlast"
    yield "text_list", "nul", z + b"\r\n" + l + b"\0" + w
    yield "text_list", "config", b"x\r\nbg.bmp\r\n\r\n" + "澄岚幸运星".encode("gbk") + b"\r\n\r\n3\r\n"

    roster = b"\r\n".join([z, l, w, b"", z, b"abc"]) + b"\r\n"
    record = b"\r\n".join([GBK["tier1"], z, GBK["tier2"], l + s + w, b"[x]", b""]) + b"\r\n"
    yield "resume", "two_tiers", bytes([3, 0]) + roster + b"\0" + record
    yield "resume", "marked", bytes([6, 0x05]) + roster + b"\0" + record
    yield "resume", "blank_pieces", bytes([2, 0]) + roster + b"\0" + GBK["tier1"] + b"\r\n\r\n"
    yield "resume", "short_record", bytes([1, 0]) + roster + b"\0" + GBK["tier1"] + b"\r\n"

    yield "split_string", "names", bytes([2]) + s + z + s + l + s + s + w
    yield "split_string", "overlap", bytes([2]) + b"aaaaa"
    yield "split_string", "empty_separator", bytes([0]) + z
    yield "split_string", "half_separator", bytes([1]) + b"\xa3" + z + b"\xa3\xa3\xac"
    mark, zero = b"\xef\xbb\xbf", b"0" * 64
    yield "log_check", "two_lines", mark + b"t\tA\t" + zero + b"\r\nt\tB\t" + zero + b"\r\n"
    yield "log_check", "no_hash", b"t\tA\n\n" + "张三".encode()


def main():
    out = sys.argv[1]
    for target, name, data in seeds():
        folder = os.path.join(out, target)
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, name), "wb") as f:
            f.write(data)


if __name__ == "__main__":
    main()
