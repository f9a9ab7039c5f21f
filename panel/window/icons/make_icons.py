#!/usr/bin/env python3
"""Draws the panel library's icons and writes them as Windows icon files (32 x 32 and 16 x 16,
32 bits per pixel with alpha). Run from this folder; siccorae.rc embeds the results:
  130/131 panel.ico        the panel window's class icon: a front panel with its LCD
  132 serial_open.ico      serial link open    (green plug)
  133 serial_closed.ico    serial link closed  (grey plug)
  134 udp_closed.ico       UDP link closed     (grey network)
  135 udp_open.ico         UDP link open       (green network)
"""
import struct


def rounded(x, y, x0, y0, x1, y1, r):
    if x < x0 or x >= x1 or y < y0 or y >= y1:
        return False
    cx = min(max(x, x0 + r), x1 - 1 - r)
    cy = min(max(y, y0 + r), y1 - 1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def panel(x, y):
    if rounded(x, y, 1, 4, 31, 28, 3):
        if rounded(x, y, 5, 8, 27, 17, 1):
            return (128, 255, 0)          # LCD, backlight colour
        if 19 <= y < 24 and x in range(6, 27) and (x - 6) % 5 < 3:
            return (40, 60, 160)          # buttons
        return (200, 205, 210)            # front plate
    return None


def plug(colour):
    def draw(x, y):
        if 13 <= x < 19 and 20 <= y < 30:
            return (90, 90, 90)           # cable
        if rounded(x, y, 7, 8, 25, 22, 3):
            return colour                 # plug body
        if (9 <= x < 12 or 20 <= x < 23) and 2 <= y < 8:
            return (170, 170, 170)        # pins
        return None
    return draw


def network(colour):
    def draw(x, y):
        for cx, cy in ((16, 6), (6, 25), (26, 25)):
            if (x - cx) ** 2 + (y - cy) ** 2 <= 16:
                return colour             # nodes
        if 15 <= x < 17 and 6 <= y < 17 or 6 <= x < 27 and 16 <= y < 18 or \
                (6 <= x < 8 or 25 <= x < 27) and 16 <= y < 25:
            return (90, 90, 90)           # links
        return None
    return draw


def image(draw, size):
    """BGRA rows bottom-up plus the AND mask, as an icon directory entry wants them."""
    scale = 32 / size
    rows = []
    mask_rows = []
    for y in reversed(range(size)):
        row = b""
        bits = 0
        mask = b""
        for x in range(size):
            colour = draw(int(x * scale), int(y * scale))
            if colour is None:
                row += bytes((0, 0, 0, 0))
                bits = (bits << 1) | 1
            else:
                r, g, b = colour
                row += bytes((b, g, r, 255))
                bits <<= 1
            if x % 8 == 7:
                mask += bytes((bits,))
                bits = 0
        mask += b"\0" * ((4 - len(mask) % 4) % 4)
        rows.append(row)
        mask_rows.append(mask)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    return header + b"".join(rows) + b"".join(mask_rows)


def write_icon(path, draw):
    images = [image(draw, 32), image(draw, 16)]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for data, size in zip(images, (32, 16)):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    with open(path, "wb") as f:
        f.write(out + b"".join(images))


write_icon("panel.ico", panel)
write_icon("serial_open.ico", plug((40, 180, 60)))
write_icon("serial_closed.ico", plug((150, 150, 150)))
write_icon("udp_closed.ico", network((150, 150, 150)))
write_icon("udp_open.ico", network((40, 180, 60)))
