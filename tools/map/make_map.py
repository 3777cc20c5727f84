#!/usr/bin/env python3
"""Writes data/_maps/Map02.map, the farm both cows play on.

Everything inside the arena is placed through put(), which writes a cell and
its image under a half turn about the arena's centre, so the two halves are
the same farm seen from each yard. Only the two cow characters are placed
by hand: each home square (the 4x4 cells around the home cell's corner) must
be the exact image of the other, which puts the '2' one cell off the image of
the '1'.

Run from anywhere: python3 tools/map/make_map.py [output path]
"""
import math
import os
import sys

W, H = 94, 93
# The title screen shows rows 13..H-10 and columns 11..W-11; the arena is
# exactly that rectangle and the rest is mountain.
C0, C1 = 11, W - 11
R0, R1 = 13, H - 10
# The mountain's slope runs six cells out over the arena (a skirt spreads as
# far as its tile is high), burying whatever stands there. Those six cells
# all round are a wood nobody can enter; the farm, its tree lines and post
# lines included, starts inside it.
WOOD = 6
F0, F1 = C0 + WOOD, C1 - WOOD      # the farm's columns
G0, G1 = R0 + WOOD, R1 - WOOD      # and rows
SC, SR = C0 + C1, R0 + R1          # a cell (c, r) turns onto (SC-c, SR-r)
CX, CY = SC // 2, SR // 2          # the centre cell, its own image

ground = [['X'] * H for _ in range(W)]
obj = [[' '] * H for _ in range(W)]
SWAP = {'\\': '/', '/': '\\'}


def image(c, r):
    return SC - c, SR - r


def put(c, r, g=None, o=None):
    """Sets a cell and its image; a gate turns into the rival's gate."""
    cells = ((c, r, o), (*image(c, r), SWAP.get(o, o) if o else o))
    for cc, rr, oo in cells:
        assert C0 <= cc <= C1 and R0 <= rr <= R1, (cc, rr)
        if g is not None:
            ground[cc][rr] = g
        if o is not None:
            obj[cc][rr] = oo


def rect(c0, c1, r0, r1, g=None, o=None):
    for c in range(c0, c1 + 1):
        for r in range(r0, r1 + 1):
            put(c, r, g, o)


def outline(c0, c1, r0, r1, o, g=None):
    for c in range(c0, c1 + 1):
        put(c, r0, g, o)
        put(c, r1, g, o)
    for r in range(r0, r1 + 1):
        put(c0, r, g, o)
        put(c1, r, g, o)


def hay(*cells):
    for c, r in cells:
        put(c, r, o='*')


# --- ground, the wood and the farm's edge -----------------------------------
rect(C0, C1, R0, R1, g='_')
# North and south: a line of invisible posts three cells apart at the wood's
# edge, the blockers between them written out so the line is closed whatever
# the posts add. Each post also puts a blocker two cells in front of it and
# two behind: those in front stand in a tree line, so no invisible wall
# stands in the open field, and those behind on a clearing in the wood.
for r in range(G0 + 1, G1):
    put(F0, r, o='T')                   # west and east: tree lines
for c in range(F0, F1 + 1):
    put(c, G0, o='x' if (c - F0) % 3 == 0 else 's')
    put(c, G0 + 2, o='s' if (c - F0) % 3 == 0 else 'T')
# The wood itself: staggered trees on the grass, their trunks half under the
# slope (the pattern is its own image). The cells two behind each post, and
# two beside the posts at the ends of a line, are left for its blockers.
post_blockers = set()
for c in range(F0, F1 + 1, 3):
    for r in (G0, G1):
        post_blockers |= {(c, r - 2), (c, r + 2), (c - 2, r), (c + 2, r)}
for c in range(C0, C1 + 1):
    for r in range(R0, R1 + 1):
        if F0 <= c <= F1 and G0 <= r <= G1:
            continue
        if (c + 2 * r) % 4 == 1 and (c, r) not in post_blockers:
            put(c, r, o='T')

# --- the yards --------------------------------------------------------------
# Cow 2's yard on the west, cow 1's (its image) on the east, gates facing
# the field along the middle row.
YC0, YC1, YR0, YR1 = F0, F0 + 7, CY - 4, CY + 4
rect(YC0, YC1, YR0, YR1, g='.')
outline(YC0, YC1, YR0, YR1, 'F')
for r in (CY - 1, CY, CY + 1):
    put(YC1, r, o='/')
put(YC0 + 1, YR1 - 1, o='w')            # a well in the yard's corner

# A dirt track from each gate to the barn door.
rect(YC1 + 1, CX - 5, CY - 1, CY + 1, g='.')

# --- the barn in the middle --------------------------------------------------
rect(CX - 4, CX + 4, CY - 3, CY + 3, g='.')
put(CX, CY, o='B')
hay((CX - 2, CY - 1), (CX - 2, CY + 1), (CX - 1, CY))
put(CX, CY - 2, o='+')                  # growth pills inside, north and south
put(CX + 7, CY - 5, o='@')              # dud pills at two of the barn's corners
put(CX, CY - 6, o='!')                  # a syringe on each side of the barn

# --- paddock of low fence north of the barn ---------------------------------
# Gaps in its north and south sides; the low fence can also be jumped.
PC0, PC1, PR0, PR1 = CX - 4, CX + 4, CY - 11, CY - 7
outline(PC0, PC1, PR0, PR1, '#')
for c in (CX - 1, CX, CX + 1):
    put(c, PR0, o=' ')
    put(c, PR1, o=' ')
hay((CX - 2, PR0 + 1), (CX + 2, PR0 + 1), (CX - 2, PR1 - 1), (CX + 2, PR1 - 1), (CX - 3, CY - 9))
put(CX, CY - 9, o='!')

# --- plateau north of the paddock --------------------------------------------
# Nothing on its top but a dud pill: the climb is a gamble. The hay lies
# round its foot, the row behind it hidden from the camera, which looks north.
rect(CX - 7, CX + 7, G0 + 6, G0 + 13, g='e')
rect(CX - 5, CX + 5, G0 + 8, G0 + 11, g='E')
put(CX, G0 + 9, o='Y')
hay((CX - 6, G0 + 4), (CX - 3, G0 + 4), (CX, G0 + 4), (CX + 3, G0 + 4), (CX + 6, G0 + 4))
hay((CX - 5, G0 + 15), (CX - 1, G0 + 15), (CX + 3, G0 + 15))

# --- pond in the north-west ---------------------------------------------------
PX, PY, RX, RY = 28, 29, 6.5, 4.5
ring = []
for c in range(F0 + 1, CX):
    for r in range(G0 + 3, CY - 6):
        v = ((c - PX) / RX) ** 2 + ((r - PY) / RY) ** 2
        if v <= 1.0:
            put(c, r, g='~')
        elif v <= 1.55:
            ring.append((math.atan2(r - PY, c - PX), c, r))
ring.sort()
for i, (_, c, r) in enumerate(ring):
    if i % 3 == 0:
        put(c, r, o='*')
    elif i % 7 == 1 and abs(r - PY) <= 2:
        put(c, r, o='o')                # rocks on the east and west shores
put(PX, PY, g='.', o='*')               # an islet with a bale, and two bales
hay((PX - 3, PY), (PX + 3, PY))         # in the water, for the brave
put(PX + 7, PY - 5, o='w')

# --- silo in the north-east ----------------------------------------------------
SX, SY = 65, 29
rect(SX - 2, SX + 2, SY - 2, SY + 2, g='.')
put(SX, SY, o='I')
hay((SX - 2, SY - 3), (SX, SY - 3), (SX + 2, SY - 3), (SX - 2, SY + 3), (SX, SY + 3), (SX + 2, SY + 3),
    (SX - 3, SY), (SX + 3, SY))
for c, r in ((SX + 5, SY - 3), (SX + 6, SY + 1), (SX + 8, SY - 1), (SX + 8, SY + 3)):
    put(c, r, o='T')

# --- orchard between the pond and cow 2's yard -------------------------------
for c in (21, 25, 29, 33):
    for r in (36, 40):
        put(c, r, o='T')
hay((23, 36), (27, 36), (31, 36), (23, 40), (27, 40), (31, 40), (21, 38), (25, 38), (29, 38), (33, 38))

# --- rocks between the orchard and the paddock --------------------------------
for c, r in ((35, 35), (38, 36), (36, 39), (39, 41), (34, 42)):
    put(c, r, o='o')
hay((37, 37), (38, 39), (36, 41))

# --- hill north-east of the paddock, hay behind it ----------------------------
rect(56, 61, 36, 40, g='e')
hay((57, 34), (59, 34), (61, 34))
put(59, 38, o='@')

# --- grove north of cow 1's yard ----------------------------------------------
for c, r in ((65, 36), (69, 36), (73, 36), (67, 40), (71, 40)):
    put(c, r, o='T')
hay((67, 36), (71, 36), (75, 37), (65, 40), (69, 40), (73, 40), (63, 38), (67, 38), (71, 38))

# --- along the tracks, and the lanes either side of the plateau ---------------
for c in (27, 30, 33, 36, 39):
    hay((c, CY - 3), (c, CY + 3))
hay((37, 25), (37, 28), (37, 31), (57, 25), (59, 28), (57, 31))

# --- the cows -----------------------------------------------------------------
HOME2 = (YC0 + 4, CY)                   # cow 2's home cell
HOME1 = (SC + 1 - HOME2[0], SR + 1 - HOME2[1])
lines = []
for r in range(H):
    row = []
    for c in range(W):
        o = obj[c][r]
        if (c, r) == HOME1:
            assert o == ' '
            o = '1'
        elif (c, r) == HOME2:
            assert o == ' '
            o = '2'
        row.append(ground[c][r] + o)
    lines.append(''.join(row) + '\n')

out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
    os.path.dirname(os.path.abspath(__file__)), '..', '..', 'data', '_maps', 'Map02.map')
with open(out, 'w', newline='\n') as f:
    f.writelines(lines)
