#!/usr/bin/env python3
"""Writes the bundled toolbar and application icons (PNG) from the pixel maps below.
The toolbar buttons are 16 x 15; run this after changing a map."""
import struct
import zlib

PALETTE = {
    '.': (0, 0, 0, 0), 'k': (0, 0, 0, 255), 'w': (255, 255, 255, 255), 'g': (128, 128, 128, 255),
    'y': (255, 200, 0, 255), 'b': (0, 0, 200, 255), 'r': (220, 0, 0, 255), 'n': (0, 0, 128, 255),
    'c': (0, 160, 200, 255), 'l': (200, 200, 200, 255),
}

ICONS = {
    'load': [  # a document with three traces
        "................", "..kkkkkkkkk.....", "..kwwwwwwwkk....", "..kwrrwwwwkwk...",
        "..kwwwrrwwkkkk..", "..kwwwwwwwwwwk..", "..kwbbwwwwbbwk..", "..kwwwbbbbwwwk..",
        "..kwwwwwwwwwwk..", "..kwnnwwwnnnwk..", "..kwwwnnnwwwwk..", "..kwwwwwwwwwwk..",
        "..kkkkkkkkkkkk..", "................", "................"],
    'open': [
        "................", ".........kkk....", "........k...k.k.", ".............kk.",
        ".kkk........kkk.", "kyyykkkkkkk.....", "kywywywywyk.....", "kyw.........k...",
        "kwy.kkkkkkkkkk..", "kyw.kyyyyyyyyk..", "kwykyyyyyyyyk...", "kyykyyyyyyyk....",
        "kkkkkkkkkkkk....", "................", "................"],
    'save': [
        "................", ".kkkkkkkkkkkkkk.", ".kbkwwwwwwwwkbk.", ".kbkwwwwwwwwkbk.",
        ".kbkwwwwwwwwkbk.", ".kbkwwwwwwwwkbk.", ".kbbkkkkkkkkbbk.", ".kbbbbbbbbbbbbk.",
        ".kbbkkkkkkkkbbk.", ".kbbkllllkwkbbk.", ".kbbkllllkwkbbk.", ".kbbkllllkwkbbk.",
        "..kkkkkkkkkkkkk.", "................", "................"],
    'cut': [
        "................", "....k.....k.....", "....k.....k.....", "....k.....k.....",
        "....kk...kk.....", ".....k...k......", ".....kk.kk......", "......kkk.......",
        ".......k........", "......b.b.......", "....bbb.bbb.....", "...b..b.b..b....",
        "...b..b.b..b....", "....bb...bb.....", "................"],
    'copy': [
        "................", "kkkkkk..........", "kwwwwkk.........", "kwkkwkwk........",
        "kwwwwkkkkkkk....", "kwkkkkwwwwwkk...", "kwwwwkwkkkwkwk..", "kwkkkkwwwwwkkkk.",
        "kwwwwkwkkkkkwwk.", "kkkkkkwwwwwwwwk.", "......wkkkkkkwk.", "......kwwwwwwwk.",
        "......kkkkkkkkk.", "................", "................"],
    'paste': [
        "................", "....kkkk........", ".kkkkyykkkk.....", "kgggkkkkgggk....",
        "kgkkkkkkkkgk....", "kgk.......gk....", "kgk..kkkkkkkkk..", "kgk..kwwwwwwwkk.",
        "kgk..kwkkkkwwkwk", "kgk..kwwwwwwwkkk", "kgk..kwkkkkkkwwk", "kggggkwwwwwwwwwk",
        ".kkkkkkkkkkkkkkk", "................", "................"],
    'print': [
        "................", "....kkkkkkkk....", "...kwwwwwwwk....", "...kwkkkkwk.....",
        "..kwwwwwwwk.....", "..kkkkkkkkkkkk..", ".kllllllllllkk..", "kkkkkkkkkkkkklk.",
        "kllllllllllklkk.", "klllllllyyylkkk.", "kkkkkkkkkkkkklk.", "kllllllllllklk..",
        "kkkkkkkkkkkkkk..", "................", "................"],
    'about': [
        "................", ".....kkkkkk.....", "...kkbbbbbbkk...", "..kbbbbwwbbbbk..",
        "..kbbbbwwbbbbk..", ".kbbbbbbbbbbbbk.", ".kbbbbwwwbbbbbk.", ".kbbbbbwwbbbbbk.",
        ".kbbbbbwwbbbbbk.", "..kbbbbwwbbbbk..", "..kbbbwwwwbbbk..", "...kkbbbbbbkk...",
        ".....kkkkkk.....", "................", "................"],
}

APP = [  # 16 x 16, scaled up: a graduated disc with an error curve
    "................", ".....kkkkkk.....", "...kkwkwwkwkk...", "..kwwwwwwwwwwk..",
    ".kkwwwwwwwwwwkk.", ".kwwwrrwwwwwwwk.", "kwwwrwwrwwwwwwwk", "kkwrwwwwrwwwwwkk",
    "kwwwwwwwwrwwwrwk", "kwwwwwwwwwrwrwwk", ".kwwwwwwwwwrwwk.", ".kkwwwwwwwwwwkk.",
    "..kwwwwwwwwwwk..", "...kkwkwwkwkk...", ".....kkkkkk.....", "................"]


def png(path, rows, scale=1):
    h, w = len(rows) * scale, len(rows[0]) * scale
    raw = b''
    for row in rows:
        line = b'\x00' + b''.join(bytes(PALETTE[ch]) * scale for ch in row)
        raw += line * scale
    def chunk(kind, data):
        return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data) & 0xffffffff)
    data = b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', w, h, 8, 6, 0, 0, 0))
    data += chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b'')
    with open(path, 'wb') as f:
        f.write(data)


for name, rows in ICONS.items():
    assert len(rows) == 15 and all(len(r) == 16 for r in rows), name
    png(f'{name}.png', rows)
png('quorvelw.png', APP, scale=4)
