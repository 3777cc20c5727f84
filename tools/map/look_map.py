#!/usr/bin/env python3
"""Draws a map file as two PNG pictures for the map's author, and prints what
the setup pass will add and which cells each cow can reach.

  python3 tools/map/look_map.py data/_maps/Map02.map out_dir

out_dir/map_plain.png  one square per cell in the colours of its kind, with
                       the blockers the buildings and posts add, hills and
                       the plateau shaded, the home squares outlined;
out_dir/map_title.png  the cells the title screen shows, coloured by the
                       title screen's own rule (unlisted kinds repeat the
                       colour of the cell drawn before).
"""
import collections
import struct
import sys
import zlib

BLOCK = set('T#Fosx')
TALL = set('TFsx')


def read(path):
    rows = open(path, newline='').read().split('\n')[:-1]
    w = len(rows[0]) // 2
    g = [[rows[r][2 * c] for r in range(len(rows))] for c in range(w)]
    o = [[rows[r][2 * c + 1] for r in range(len(rows))] for c in range(w)]
    return w, len(rows), g, o


def setup(w, h, o):
    """What the setup behaviours add, in the reader's column-major order."""
    o = [col[:] for col in o]
    added = set()

    def place(c, r):
        if 0 <= c < w and 0 <= r < h:
            o[c][r] = 's'
            added.add((c, r))
    for c in range(w):
        for r in range(h):
            k = o[c][r]
            if k == 'I':
                for dc, dr in ((2, -1), (2, 0), (2, 1), (-2, -1), (-2, 0), (-2, 1), (-1, 2), (0, 2), (1, 2),
                               (-1, -2), (0, -2), (1, -2), (1, 1), (-1, 1), (-1, -1), (1, -1)):
                    place(c + dc, r + dr)
            elif k == 'B':
                for dc in range(4, -5, -1):
                    place(c + dc, r - 3)
                for dc, dr in ((4, -2), (-4, -2), (4, 2), (-4, 2)):
                    place(c + dc, r + dr)
                for dc in range(4, -5, -1):
                    place(c + dc, r + 3)
            elif k == 'x':
                for dc, dr in ((0, 2), (0, -2), (2, 0), (-2, 0)):
                    cc, rr = c + dc, r + dr
                    if 0 <= cc < w and 0 <= rr < h and o[cc][rr] != 'x':
                        place(cc, rr)
    return o, added


def reach(w, h, o, start, owner, diagonal=False, blocking=BLOCK, gates_for_all=False):
    own, rival = ('\\', '/') if owner == '1' else ('/', '\\')
    seen = {start}
    todo = collections.deque([start])
    steps = [(1, 0), (-1, 0), (0, 1), (0, -1)]
    if diagonal:
        steps += [(1, 1), (1, -1), (-1, 1), (-1, -1)]
    while todo:
        c, r = todo.popleft()
        for dc, dr in steps:
            n = (c + dc, r + dr)
            if not (0 <= n[0] < w and 0 <= n[1] < h) or n in seen:
                continue
            k = o[n[0]][n[1]]
            if k in blocking or (k == rival and not gates_for_all):
                continue
            seen.add(n)
            todo.append(n)
    return seen


def png(path, pixels, pw, ph):
    raw = b''.join(b'\0' + bytes(pixels[y * pw * 3:(y + 1) * pw * 3]) for y in range(ph))

    def chunk(t, d):
        return struct.pack('>I', len(d)) + t + d + struct.pack('>I', zlib.crc32(t + d) & 0xffffffff)
    with open(path, 'wb') as f:
        f.write(b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', pw, ph, 8, 2, 0, 0, 0)) +
                chunk(b'IDAT', zlib.compress(raw, 9)) + chunk(b'IEND', b''))


GROUND = {'.': (150, 100, 60), '_': (90, 160, 90), 'e': (120, 190, 100), 'E': (170, 220, 140),
          '~': (60, 90, 200)}
OBJECT = {'T': (20, 90, 20), '#': (140, 90, 40), 'F': (90, 30, 30), '\\': (255, 120, 255), '/': (120, 255, 255),
          'o': (160, 160, 160), '*': (255, 220, 30), 'I': (230, 230, 230), 'B': (200, 40, 40),
          '+': (200, 200, 255), 'Y': (255, 140, 0), '@': (255, 80, 80), '!': (255, 0, 200),
          's': (0, 0, 0), 'x': (60, 0, 60)}
TITLE_GROUND = {'_': (0.3, 0.6, 0.5), '.': (0.6, 0.3, 0.3), '~': (0.3, 0.3, 0.8)}
TITLE_OBJECT = [('#F', (0.4, 0.1, 0.1)), ('T', (0.1, 0.9, 0.1)), ('*', (1.0, 0.8, 0.1)), ('o', (0.7, 0.7, 0.7)),
                ('s', (0, 0, 0)), ('+', (0.8, 0.8, 1.0)), ('!', (1.0, 0.8, 1.0)), ('\\/', (1.0, 0.8, 1.0))]


def main():
    path, out = sys.argv[1], sys.argv[2]
    w, h, g, o0 = read(path)
    homes = {}
    for c in range(w):
        for r in range(h):
            if o0[c][r] in '12':
                homes[o0[c][r]] = (c, r)
    o, added = setup(w, h, o0)
    for k in '12':
        o[homes[k][0]][homes[k][1]] = ' '
    s = 8
    pix = bytearray(w * s * h * s * 3)

    def fill(c, r, col, inset=0):
        for y in range(r * s + inset, (r + 1) * s - inset):
            for x in range(c * s + inset, (c + 1) * s - inset):
                i = (y * w * s + x) * 3
                pix[i:i + 3] = bytes(col)
    for c in range(w):
        for r in range(h):
            fill(c, r, GROUND.get(g[c][r], (110, 100, 100)))
            k = o[c][r]
            if k != ' ':
                fill(c, r, OBJECT.get(k, (0, 200, 200)), 1 if (c, r) not in added else 2)
    for k, (hc, hr) in homes.items():
        col = (255, 255, 255) if k == '1' else (0, 0, 0)
        for c in range(hc - 2, hc + 2):
            for r in range(hr - 2, hr + 2):
                fill(c, r, col, 3)
    png(out + '/map_plain.png', pix, w * s, h * s)

    tw, th = w - 21, h - 22
    tp = bytearray(tw * s * th * s * 3)
    last = (1.0, 1.0, 1.0)
    for r in range(13, h - 9):
        for c in range(11, w - 10):
            col = None
            if g[c][r] in TITLE_GROUND:
                col = TITLE_GROUND[g[c][r]]
            for kinds, kc in TITLE_OBJECT:
                if o[c][r] in kinds:
                    col = kc
            last = col or last
            for y in range((r - 13) * s, (r - 12) * s):
                for x in range((c - 11) * s, (c - 10) * s):
                    i = (y * tw * s + x) * 3
                    tp[i:i + 3] = bytes(int(v * 255) for v in last)
    png(out + '/map_title.png', tp, tw * s, th * s)

    hay = {(c, r) for c in range(w) for r in range(h) if o[c][r] == '*'}
    for k in '12':
        seen = reach(w, h, o, homes[k], k)
        print('cow', k, 'reaches', len(seen), 'cells; hay out of reach:', sorted(hay - seen))
        loose = reach(w, h, o, homes[k], k, diagonal=True, blocking=TALL, gates_for_all=True)
        print('cow', k, 'escapes to', sorted(p for p in loose if not (11 <= p[0] <= w - 11 and 13 <= p[1] <= h - 10))[:5])
    seen = reach(w, h, o, homes['1'], '1') | reach(w, h, o, homes['2'], '2')

    def run(c, r, dc, dr):
        n = 0
        while (c, r) in seen and o[c][r] not in BLOCK:
            n += 1
            c += dc
            r += dr
        return n
    narrow = sorted((c, r) for c, r in seen
                    if min(run(c, r, 1, 0) + run(c, r, -1, 0), run(c, r, 0, 1) + run(c, r, 0, -1)) - 1 < 3)
    print('cells in a passage narrower than 3:', narrow)
    print('hay', len(hay), 'lost to setup:', sorted(p for p in added if o0[p[0]][p[1]] not in ' s'))
    counts = collections.Counter(o0[c][r] for c in range(w) for r in range(h))
    print(sorted(counts.items()))


main()
