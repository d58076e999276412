#!/usr/bin/env python3
"""Draws the program's toolbar strips and icons as small pixel pictures and writes them as BMP
and ICO files beside this script. Run it again after changing a picture; its output is committed."""
import struct, os

HERE = os.path.dirname(os.path.abspath(__file__))
MAGENTA = (255, 0, 255)

def canvas(w, h, fill=MAGENTA):
    return [[fill for _ in range(w)] for _ in range(h)]

def rect(img, x0, y0, x1, y1, c, fill=True):
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            if fill or x in (x0, x1) or y in (y0, y1):
                img[y][x] = c

def line(img, x0, y0, x1, y1, c):
    n = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(n + 1):
        img[round(y0 + (y1 - y0) * i / n)][round(x0 + (x1 - x0) * i / n)] = c

def poly(img, pts, c):
    for (a, b) in zip(pts, pts[1:]):
        line(img, *a, *b, c)

BLACK, WHITE, GREY, DARK = (0, 0, 0), (255, 255, 255), (192, 192, 192), (96, 96, 96)
BLUE, NAVY, GREEN, RED, YELLOW, ORANGE = (0, 90, 200), (0, 0, 128), (0, 150, 60), (200, 30, 30), (250, 210, 40), (240, 140, 0)

def page(img, ox):
    rect(img, ox + 3, 1, ox + 12, 14, WHITE); rect(img, ox + 3, 1, ox + 12, 14, BLACK, False)
    line(img, ox + 9, 1, ox + 12, 4, BLACK)

def new_doc(img, ox): page(img, ox); rect(img, ox + 5, 6, ox + 10, 6, GREY); rect(img, ox + 5, 9, ox + 10, 9, GREY)
def open_doc(img, ox):
    rect(img, ox + 1, 4, ox + 14, 13, YELLOW); rect(img, ox + 1, 4, ox + 14, 13, DARK, False); rect(img, ox + 1, 2, ox + 6, 4, YELLOW); rect(img, ox + 1, 2, ox + 6, 4, DARK, False)
def save_doc(img, ox):
    rect(img, ox + 1, 1, ox + 14, 14, NAVY); rect(img, ox + 4, 2, ox + 11, 6, WHITE); rect(img, ox + 4, 9, ox + 11, 14, GREY)
def cut(img, ox):
    line(img, ox + 4, 1, ox + 9, 10, BLACK); line(img, ox + 11, 1, ox + 6, 10, BLACK)
    rect(img, ox + 3, 10, ox + 6, 13, RED, False); rect(img, ox + 9, 10, ox + 12, 13, RED, False)
def copy(img, ox):
    rect(img, ox + 1, 1, ox + 9, 10, WHITE); rect(img, ox + 1, 1, ox + 9, 10, BLACK, False)
    rect(img, ox + 6, 5, ox + 14, 14, WHITE); rect(img, ox + 6, 5, ox + 14, 14, BLACK, False)
def paste(img, ox):
    rect(img, ox + 2, 2, ox + 12, 14, ORANGE); rect(img, ox + 5, 1, ox + 9, 3, DARK); rect(img, ox + 7, 6, ox + 14, 14, WHITE); rect(img, ox + 7, 6, ox + 14, 14, BLACK, False)
def printer(img, ox):
    rect(img, ox + 4, 1, ox + 11, 6, WHITE); rect(img, ox + 4, 1, ox + 11, 6, BLACK, False)
    rect(img, ox + 1, 6, ox + 14, 12, GREY); rect(img, ox + 1, 6, ox + 14, 12, BLACK, False); rect(img, ox + 4, 11, ox + 11, 14, WHITE); rect(img, ox + 4, 11, ox + 11, 14, BLACK, False)
def about(img, ox):
    rect(img, ox + 2, 2, ox + 13, 13, BLUE); rect(img, ox + 7, 4, ox + 8, 5, WHITE); rect(img, ox + 7, 7, ox + 8, 11, WHITE)
def server(img, ox, remote=False):
    rect(img, ox + 3, 1, ox + 12, 14, GREY); rect(img, ox + 3, 1, ox + 12, 14, BLACK, False)
    rect(img, ox + 5, 3, ox + 10, 4, GREEN if not remote else BLUE); rect(img, ox + 5, 7, ox + 10, 8, DARK)
    if remote: line(img, ox + 12, 12, ox + 15, 15, BLUE); line(img, ox + 0, 15, ox + 3, 12, BLUE)
def browse(img, ox):
    rect(img, ox + 1, 1, ox + 10, 10, WHITE); rect(img, ox + 1, 1, ox + 10, 10, BLACK, False)
    for y in (3, 5, 7): line(img, ox + 3, y, ox + 8, y, BLUE)
    line(img, ox + 9, 9, ox + 14, 14, BLACK); line(img, ox + 10, 9, ox + 14, 13, BLACK)
def remove(img, ox):
    line(img, ox + 3, 3, ox + 12, 12, RED); line(img, ox + 4, 3, ox + 12, 11, RED); line(img, ox + 12, 3, ox + 3, 12, RED); line(img, ox + 11, 3, ox + 3, 11, RED)
def padlock(img, ox, locked):
    rect(img, ox + 3, 7, ox + 12, 14, YELLOW); rect(img, ox + 3, 7, ox + 12, 14, DARK, False)
    if locked: poly(img, [(ox + 5, 7), (ox + 5, 3), (ox + 7, 1), (ox + 8, 1), (ox + 10, 3), (ox + 10, 7)], DARK)
    else: poly(img, [(ox + 5, 7), (ox + 5, 3), (ox + 7, 1), (ox + 8, 1), (ox + 10, 3), (ox + 10, 4)], DARK)
def arrow(img, ox, left):
    if left:
        for i in range(6): line(img, ox + 3 + i, 7 - i, ox + 3 + i, 8 + i, NAVY)
        rect(img, ox + 9, 5, ox + 13, 10, NAVY)
    else:
        for i in range(6): line(img, ox + 12 - i, 7 - i, ox + 12 - i, 8 + i, NAVY)
        rect(img, ox + 2, 5, ox + 6, 10, NAVY)
def refresh(img, ox):
    poly(img, [(ox + 12, 4), (ox + 10, 2), (ox + 6, 2), (ox + 3, 5), (ox + 3, 10), (ox + 6, 13), (ox + 10, 13), (ox + 12, 11)], GREEN)
    rect(img, ox + 11, 1, ox + 13, 5, GREEN)
def current(img, ox):
    arrow(img, ox - 2, False); rect(img, ox + 12, 2, ox + 13, 13, NAVY)
def trace(img, ox):
    poly(img, [(ox + 1, 11), (ox + 4, 7), (ox + 7, 9), (ox + 10, 4), (ox + 14, 6)], BLUE)
    line(img, ox + 8, 1, ox + 8, 14, RED); rect(img, ox + 7, 7, ox + 9, 9, RED)

def strip(funcs):
    img = canvas(16 * len(funcs), 16)
    for i, f in enumerate(funcs): f(img, 16 * i)
    return img

def write_bmp(path, img):
    h, w = len(img), len(img[0])
    row = (w * 3 + 3) & ~3
    data = b''.join(bytes(sum(([b, g, r] for (r, g, b) in img[y]), [])) + b'\0' * (row - w * 3) for y in range(h - 1, -1, -1))
    header = struct.pack('<2sIHHI', b'BM', 54 + len(data), 0, 0, 54)
    info = struct.pack('<IiiHHIIiiII', 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    open(path, 'wb').write(header + info + data)

def write_ico(path, img):
    # One 32-bit image with alpha; magenta is transparent, in the alpha and in the AND mask (image
    # lists without alpha, such as those of property sheet tabs, go by the mask).
    h, w = len(img), len(img[0])
    pixels = b''.join(bytes([b, g, r, 0 if (r, g, b) == MAGENTA else 255]) for y in range(h - 1, -1, -1) for (r, g, b) in img[y])
    stride = ((w + 31) // 32) * 4
    mask = bytearray(stride * h)
    for row, y in enumerate(range(h - 1, -1, -1)):
        for x in range(w):
            if img[y][x] == MAGENTA: mask[row * stride + x // 8] |= 0x80 >> (x % 8)
    mask = bytes(mask)
    dib = struct.pack('<IiiHHIIiiII', 40, w, h * 2, 1, 32, 0, len(pixels) + len(mask), 0, 0, 0, 0) + pixels + mask
    head = struct.pack('<HHH', 0, 1, 1) + struct.pack('<BBBBHHII', w % 256, h % 256, 0, 0, 1, 32, len(dib), 22)
    open(path, 'wb').write(head + dib)

def scaled(img, k):
    return [[img[y // k][x // k] for x in range(len(img[0]) * k)] for y in range(len(img) * k)]

def app_icon():
    img = canvas(16, 16)
    rect(img, 0, 1, 15, 14, WHITE); rect(img, 0, 1, 15, 14, NAVY, False); rect(img, 1, 2, 14, 3, NAVY)
    poly(img, [(2, 12), (5, 8), (8, 10), (11, 5), (13, 7)], RED); poly(img, [(2, 9), (6, 11), (9, 6), (13, 11)], GREEN)
    return img

def doc_icon():
    img = canvas(16, 16); page(img, 0); poly(img, [(4, 11), (6, 8), (8, 10), (11, 5)], RED); return img

write_bmp(os.path.join(HERE, 'file_toolbar.bmp'), strip([new_doc, open_doc, save_doc, cut, copy, paste, printer, about]))
write_bmp(os.path.join(HERE, 'period_toolbar.bmp'), strip([
    server, lambda i, o: server(i, o, True), browse, remove, lambda i, o: padlock(i, o, False),
    lambda i, o: padlock(i, o, True), lambda i, o: arrow(i, o, True), refresh, lambda i, o: arrow(i, o, False), current,
    trace]))
write_ico(os.path.join(HERE, 'varnel.ico'), scaled(app_icon(), 2))
write_ico(os.path.join(HERE, 'document.ico'), scaled(doc_icon(), 2))
yes = canvas(16, 16); poly(yes, [(2, 8), (6, 12), (13, 3)], GREEN); poly(yes, [(2, 9), (6, 13), (13, 4)], GREEN)
no = canvas(16, 16); remove(no, 0)
defaults = canvas(16, 16); refresh(defaults, 0)
write_ico(os.path.join(HERE, '..', '..', 'dialogs', 'answer_yes.ico'), yes)
write_ico(os.path.join(HERE, '..', '..', 'dialogs', 'answer_no.ico'), no)
write_ico(os.path.join(HERE, 'defaults.ico'), defaults)
# The tabs of the graph settings sheet: the graph's colours, its waves and an axis. Each fills its
# whole square: the tabs' image list of some systems ignores the transparent pixels.
tab_general = canvas(16, 16, BLACK); rect(tab_general, 0, 0, 15, 15, GREY, False)
rect(tab_general, 2, 3, 5, 6, RED); rect(tab_general, 7, 3, 9, 6, GREEN); rect(tab_general, 11, 3, 13, 6, YELLOW); rect(tab_general, 2, 9, 13, 12, BLUE)
tab_waves = canvas(16, 16, WHITE); rect(tab_waves, 0, 0, 15, 15, DARK, False)
poly(tab_waves, [(1, 12), (4, 5), (7, 10), (10, 3), (14, 8)], RED); poly(tab_waves, [(1, 8), (5, 12), (9, 7), (14, 13)], BLUE)
tab_axis = canvas(16, 16, WHITE); rect(tab_axis, 0, 0, 15, 15, DARK, False)
line(tab_axis, 4, 2, 4, 11, BLACK); line(tab_axis, 4, 11, 13, 11, BLACK)
for y in (4, 7): line(tab_axis, 2, y, 4, y, BLACK)
for x in (7, 10): line(tab_axis, x, 11, x, 13, BLACK)
write_ico(os.path.join(HERE, '..', '..', 'views', 'graph_general_tab.ico'), tab_general)
write_ico(os.path.join(HERE, '..', '..', 'views', 'graph_waves_tab.ico'), tab_waves)
write_ico(os.path.join(HERE, '..', '..', 'views', 'graph_axis_tab.ico'), tab_axis)
add = canvas(16, 16); rect(add, 6, 2, 9, 13, GREEN); rect(add, 2, 6, 13, 9, GREEN)
delete = canvas(16, 16); rect(delete, 2, 6, 13, 9, RED)
write_ico(os.path.join(HERE, '..', '..', 'dialogs', 'add.ico'), add)
write_ico(os.path.join(HERE, '..', '..', 'dialogs', 'delete.ico'), delete)
