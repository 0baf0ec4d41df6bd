#!/usr/bin/env python3
"""Draws the program's toolbar, state and tree bitmaps and its icon into this folder.

The pictures are simple shapes and letters on a 16-unit grid, scaled to the image size. Toolbar
images stand on the toolbars' transparent colour 0xC0C0C0; the port-state and tree images on
black, the mask colour of the image lists built from them. Run it after changing a picture and
commit the files it writes: the cross build has no host compiler and no image tools.
"""
import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
BACK = (0xC0, 0xC0, 0xC0)
MASK = (0, 0, 0)
WHITE, DARK, GREY = (255, 255, 255), (0x30, 0x30, 0x30), (0x80, 0x80, 0x80)
RED, GREEN, BLUE = (0xD0, 0x20, 0x20), (0x20, 0xA0, 0x30), (0x20, 0x50, 0xC0)
YELLOW, ORANGE, BROWN = (0xF0, 0xD0, 0x40), (0xF0, 0x90, 0x20), (0x90, 0x60, 0x30)

FONT = {  # 3 x 5 letters, rows top to bottom
    '1': ['010', '110', '010', '010', '111'], '2': ['110', '001', '010', '100', '111'],
    '8': ['111', '101', '111', '101', '111'], 'A': ['010', '101', '111', '101', '101'],
    'B': ['110', '101', '110', '101', '110'], 'C': ['011', '100', '100', '100', '011'],
    'D': ['110', '101', '101', '101', '110'], 'E': ['111', '100', '110', '100', '111'],
    'I': ['111', '010', '010', '010', '111'], 'J': ['001', '001', '001', '101', '010'],
    'K': ['101', '101', '110', '101', '101'], 'R': ['110', '101', '110', '101', '101'],
    'S': ['011', '100', '010', '001', '110'], 'T': ['111', '010', '010', '010', '010'],
    'U': ['101', '101', '101', '101', '111'], 'i': ['010', '000', '010', '010', '010'],
    '>': ['100', '010', '001', '010', '100'],
}


class Image:
    def __init__(self, size, back):
        self.size = size
        self.scale = size / 16.0
        self.px = [[back] * size for _ in range(size)]

    def _set(self, x, y, c):
        if 0 <= x < self.size and 0 <= y < self.size:
            self.px[y][x] = c

    def rect(self, x0, y0, x1, y1, c):
        s = self.scale
        for y in range(int(y0 * s), int(y1 * s)):
            for x in range(int(x0 * s), int(x1 * s)):
                self._set(x, y, c)

    def frame(self, x0, y0, x1, y1, c):
        s = self.scale
        w = max(1, int(s))
        X0, Y0, X1, Y1 = int(x0 * s), int(y0 * s), int(x1 * s), int(y1 * s)
        for y in range(Y0, Y1):
            for x in range(X0, X1):
                if x < X0 + w or x >= X1 - w or y < Y0 + w or y >= Y1 - w:
                    self._set(x, y, c)

    def disk(self, cx, cy, r, c, hole=0):
        s = self.scale
        for y in range(self.size):
            for x in range(self.size):
                d = ((x + 0.5) / s - cx) ** 2 + ((y + 0.5) / s - cy) ** 2
                if hole * hole <= d <= r * r:
                    self._set(x, y, c)

    def poly(self, pts, c):
        s = self.scale
        for y in range(self.size):
            for x in range(self.size):
                px, py = (x + 0.5) / s, (y + 0.5) / s
                inside = False
                j = len(pts) - 1
                for i in range(len(pts)):
                    (xi, yi), (xj, yj) = pts[i], pts[j]
                    if (yi > py) != (yj > py) and px < (xj - xi) * (py - yi) / (yj - yi) + xi:
                        inside = not inside
                    j = i
                if inside:
                    self._set(x, y, c)

    def line(self, x0, y0, x1, y1, c, width=1.5):
        s = self.scale
        for y in range(self.size):
            for x in range(self.size):
                px, py = (x + 0.5) / s, (y + 0.5) / s
                dx, dy = x1 - x0, y1 - y0
                t = max(0.0, min(1.0, ((px - x0) * dx + (py - y0) * dy) / float(dx * dx + dy * dy)))
                if (px - x0 - t * dx) ** 2 + (py - y0 - t * dy) ** 2 <= (width / 2.0) ** 2:
                    self._set(x, y, c)

    def text(self, x, y, chars, c, dot=1):
        s = self.scale
        p = max(1, int(round(dot * s)))
        X, Y = int(x * s), int(y * s)
        for ch in chars:
            for row, bits in enumerate(FONT[ch]):
                for col, bit in enumerate(bits):
                    if bit == '1':
                        for yy in range(p):
                            for xx in range(p):
                                self._set(X + col * p + xx, Y + row * p + yy, c)
            X += 4 * p


# Pictures, each drawing on one image.
def page(im, c=WHITE):
    im.rect(3, 1, 13, 15, c)
    im.frame(3, 1, 13, 15, DARK)

def page_lines(im):
    page(im)
    for y in (4, 7, 10):
        im.rect(5, y, 11, y + 1, BLUE)

def cross(im, c=RED):
    im.line(4, 4, 12, 12, c, 2.2)
    im.line(12, 4, 4, 12, c, 2.2)

def gear(im, c):
    for k in range(8):
        a = k * math.pi / 4
        im.disk(8 + 5.5 * math.cos(a), 8 + 5.5 * math.sin(a), 1.6, c)
    im.disk(8, 8, 5, c, 2)

def floppy(im):
    im.rect(2, 2, 14, 14, BLUE)
    im.rect(5, 2, 11, 6, WHITE)
    im.rect(4, 9, 12, 14, (0xE0, 0xE0, 0xE0))

def folder(im):
    im.rect(1, 4, 7, 6, ORANGE)
    im.rect(1, 5, 15, 14, YELLOW)
    im.frame(1, 5, 15, 14, BROWN)

def arrow_right(im, c, y=8):
    im.rect(2, y - 1.5, 9, y + 1.5, c)
    im.poly([(9, y - 5), (15, y), (9, y + 5)], c)

def arrow_left(im, c, y=8):
    im.rect(7, y - 1.5, 14, y + 1.5, c)
    im.poly([(7, y - 5), (1, y), (7, y + 5)], c)

def draw(name, im):
    if name == 'comm-settings': gear(im, BLUE)
    elif name == 'other-settings': gear(im, GREEN)
    elif name == 'topmost':
        im.rect(1, 5, 10, 14, WHITE); im.frame(1, 5, 10, 14, DARK)
        im.rect(5, 1, 15, 10, (0xB0, 0xD0, 0xF0)); im.frame(5, 1, 15, 10, BLUE)
        im.rect(5, 1, 15, 3, BLUE)
    elif name == 'auto-scroll':
        page_lines(im); im.poly([(9, 9), (15, 9), (12, 15)], GREEN)
    elif name == 'clear-log' or name == 'data-clear':
        page_lines(im); cross(im)
    elif name in ('start1', 'start2'):
        im.poly([(1, 2), (10, 8), (1, 14)], GREEN); im.text(11, 10, name[-1], DARK)
    elif name in ('send1', 'send2'):
        arrow_right(im, BLUE, 6); im.text(11, 10, name[-1], DARK)
    elif name in ('stop1', 'stop2'):
        im.rect(1, 3, 10, 12, RED); im.text(11, 10, name[-1], DARK)
    elif name == 'command-tool':
        im.rect(1, 2, 15, 14, DARK); im.text(3, 5, '>', WHITE); im.rect(8, 10, 12, 11, WHITE)
    elif name == 'com-tool':
        im.rect(2, 4, 14, 12, GREY); im.frame(2, 4, 14, 12, DARK)
        for x in (4, 7, 10): im.disk(x + 0.8, 7, 0.9, WHITE)
        for x in (5.5, 8.5): im.disk(x + 0.8, 10, 0.9, WHITE)
    elif name == 'about':
        im.disk(8, 8, 7, BLUE); im.text(6.5, 5, 'i', WHITE)
    elif name == 'read-file': folder(im)
    elif name == 'save': floppy(im)
    elif name == 'save-as': floppy(im); im.line(9, 14, 15, 8, RED, 2)
    elif name == 'text-input': page(im); im.text(6, 5, 'A', BLUE)
    elif name == 'analysis':
        im.disk(6.5, 6.5, 5, BLUE, 3.2); im.line(10, 10, 15, 15, BROWN, 2.5)
    elif name == 'marker':
        page_lines(im); im.rect(4, 6, 12, 9, YELLOW)
    elif name == 'marker-info':
        im.rect(1, 3, 10, 13, YELLOW); im.frame(1, 3, 10, 13, BROWN)
        im.disk(11.5, 11.5, 4.2, BLUE); im.text(10, 9, 'i', WHITE, 0.8)
    elif name == 'undo': arrow_left(im, BLUE)
    elif name == 'redo': arrow_right(im, BLUE)
    elif name == 'select-all':
        for x in range(2, 14, 2):
            im.rect(x, 2, x + 1, 3, DARK); im.rect(x, 13, x + 1, 14, DARK)
        for y in range(2, 14, 2):
            im.rect(2, y, 3, y + 1, DARK); im.rect(13, y, 14, y + 1, DARK)
        im.rect(5, 5, 11, 11, BLUE)
    elif name == 'copy':
        im.rect(1, 1, 10, 11, WHITE); im.frame(1, 1, 10, 11, DARK)
        im.rect(6, 5, 15, 15, WHITE); im.frame(6, 5, 15, 15, DARK)
    elif name == 'cut':
        im.line(5, 1, 10, 10, GREY, 1.5); im.line(11, 1, 6, 10, GREY, 1.5)
        im.disk(5, 12, 2.5, RED, 1.2); im.disk(11, 12, 2.5, RED, 1.2)
    elif name == 'paste':
        im.rect(2, 2, 12, 15, BROWN); im.rect(5, 1, 9, 3, GREY)
        im.rect(7, 6, 15, 15, WHITE); im.frame(7, 6, 15, 15, DARK)
    elif name == 'properties':
        page_lines(im); im.disk(11.5, 11.5, 3.5, GREEN, 1.3)
    elif name == 'send-to-editor':
        page(im); arrow_right(im, GREEN, 10)
    elif name == 'refresh':
        im.disk(8, 8, 6, GREEN, 3.8); im.rect(8, 1, 15, 8, BACK)
        im.poly([(8, 0.5), (13, 3.5), (8, 6.5)], GREEN)
    elif name in ('RTS', 'DTR', 'BRK'):
        im.rect(0, 4, 16, 12, WHITE); im.frame(0, 4, 16, 12, DARK); im.text(2, 5.5, name, BLUE, 0.8)
    elif name == 'flush':
        page_lines(im); im.poly([(8, 9), (15, 9), (11.5, 15)], ORANGE)
    elif name == 'apply':
        im.line(2, 8, 6, 13, GREEN, 2.5); im.line(6, 13, 14, 3, GREEN, 2.5)
    elif name == 'close': cross(im)
    elif name in ('SJ', 'EU', 'JI', 'U8'):
        page(im, (0xF8, 0xF8, 0xE0)); im.text(4, 5.5, name, BLUE, 0.9)
    # Port states and settings tree, on black.
    elif name == 'state-none': im.disk(8, 8, 5.5, GREY); im.disk(8, 8, 6, DARK, 5.5)
    elif name == 'state-waiting': im.disk(8, 8, 5.5, YELLOW); im.disk(8, 8, 6, BROWN, 5.5)
    elif name == 'state-unused': pass
    elif name == 'state-connected': im.disk(8, 8, 5.5, (0x40, 0xE0, 0x50)); im.disk(8, 8, 6, GREEN, 5.5)
    elif name == 'tree-group': folder(im)
    elif name == 'tree-page': page_lines(im)
    elif name == 'tree-locked':
        page(im, (0xD0, 0xD0, 0xD0)); im.disk(8, 7, 3, GREY, 1.8); im.rect(4, 8, 12, 14, ORANGE)
    else:
        raise KeyError(name)


def strip(names, size, back):
    images = []
    for n in names:
        im = Image(size, back)
        draw(n, im)
        images.append(im)
    return images


def write_bmp(path, images, size):
    width = size * len(images)
    stride = (width * 3 + 3) & ~3
    rows = []
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for im in images:
            for (r, g, b) in im.px[y]:
                row += bytes((b, g, r))
        row += b'\0' * (stride - len(row))
        rows.append(bytes(row))
    data = b''.join(rows)
    header = struct.pack('<IiiHHIIiiII', 40, width, size, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, 'wb') as f:
        f.write(b'BM' + struct.pack('<IHHI', 14 + 40 + len(data), 0, 0, 54) + header + data)


def program_icon(im):
    im.rect(0, 0, 16, 16, BLUE)
    im.frame(0, 0, 16, 16, (0x10, 0x28, 0x70))
    im.text(4.5, 2.5, 'K', WHITE, 1.2)
    im.rect(2, 11, 14, 13, YELLOW)


def colour_dialog_icon(im):
    # Four swatches in a frame: the framework's colour dialog.
    im.rect(0, 0, 16, 16, WHITE)
    im.rect(2, 2, 8, 8, RED)
    im.rect(8, 2, 14, 8, GREEN)
    im.rect(2, 8, 8, 14, BLUE)
    im.rect(8, 8, 14, 14, YELLOW)
    im.frame(0, 0, 16, 16, DARK)


def icon_image(size, paint):
    im = Image(size, (0, 0, 0))
    paint(im)
    xor = bytearray()
    stride = (size * 3 + 3) & ~3
    for y in range(size - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in im.px[y]:
            row += bytes((b, g, r))
        xor += row + b'\0' * (stride - len(row))
    mask = b'\0' * (((size + 31) // 32) * 4 * size)
    header = struct.pack('<IiiHHIIiiII', 40, size, size * 2, 1, 24, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + mask


def write_icon(path, sizes, paint):
    images = [icon_image(s, paint) for s in sizes]
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for s, data in zip(sizes, images):
        out += struct.pack('<BBBBHHII', s, s, 0, 0, 1, 24, len(data), offset)
        offset += len(data)
    with open(path, 'wb') as f:
        f.write(out + b''.join(images))


FRAME = ['comm-settings', 'other-settings', 'topmost', 'auto-scroll', 'clear-log', 'start1',
         'send1', 'stop1', 'start2', 'send2', 'stop2', 'command-tool', 'about']
PANES = ['data-clear', 'read-file', 'save', 'save-as', 'text-input', 'analysis', 'marker',
         'marker-info', 'undo', 'redo', 'select-all', 'copy', 'cut', 'paste', 'properties',
         'send-to-editor', 'refresh']
COM = ['RTS', 'DTR', 'BRK', 'data-clear', 'flush', 'save-as', 'analysis', 'select-all', 'copy',
       'properties']
TEXT_INPUT = ['apply', 'close', 'SJ', 'EU', 'JI', 'U8']

if __name__ == '__main__':
    write_bmp(os.path.join(HERE, 'mainframe.bmp'), strip(FRAME, 24, BACK), 24)
    write_bmp(os.path.join(HERE, 'mainframe-small.bmp'), strip(FRAME, 16, BACK), 16)
    write_bmp(os.path.join(HERE, 'panecommands.bmp'), strip(PANES, 16, BACK), 16)
    write_bmp(os.path.join(HERE, 'comcommands.bmp'), strip(COM, 16, BACK), 16)
    write_bmp(os.path.join(HERE, 'textinput.bmp'), strip(TEXT_INPUT, 16, BACK), 16)
    write_bmp(os.path.join(HERE, 'portstates.bmp'),
              strip(['state-none', 'state-waiting', 'state-unused', 'state-connected'], 16, MASK), 16)
    write_bmp(os.path.join(HERE, 'settingstree.bmp'),
              strip(['tree-group', 'tree-page', 'tree-locked'], 16, MASK), 16)
    write_icon(os.path.join(HERE, 'korvane.ico'), [32, 16], program_icon)
    write_icon(os.path.join(HERE, 'colordlg.ico'), [32, 16], colour_dialog_icon)
