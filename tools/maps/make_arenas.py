#!/usr/bin/env python3
# Writes the Paddock and Wetlands arenas into the directory named on the
# command line (data/_maps). The files are shipped as written; this is how
# they were made, to remake them after a change of plan.
import random, sys
# Cells within 6 of the mountain margin lie under its slope on screen: the
# arena's outer band is a wood no cow enters, closed by a wall of trees, and
# the play area starts 7 cells in.
def make(W, H):
    g = [['X']*W for _ in range(H)]
    o = [[' ']*W for _ in range(H)]
    a0c, a0r, a1c, a1r = 11, 13, W-11, H-10
    for r in range(a0r, a1r+1):
        for c in range(a0c, a1c+1):
            g[r][c] = '_'
            inset = min(c-a0c, r-a0r, a1c-c, a1r-r)
            if inset < 6:
                o[r][c] = 'T' if (r*3+c) % 4 == 0 else ' '
            elif inset == 6:
                o[r][c] = 'T'
    return g, o, (a0c+7, a0r+7, a1c-7, a1r-7)
def fill(g,o,c0,r0,c1,r1,gr,ob=' '):
    for r in range(r0,r1+1):
        for c in range(c0,c1+1):
            g[r][c]=gr; o[r][c]=ob
def home(g,o,c0,r0,gatecol,gatech,cowch, cowpos):
    for r in range(r0,r0+7):
        for c in range(c0,c0+8):
            g[r][c]='.'
            edge = r in (r0,r0+6) or c in (c0,c0+7)
            o[r][c]='F' if edge else ' '
    for r in range(r0+2,r0+5):
        o[r][gatecol]=gatech
    cc,cr=cowpos
    o[cr][cc]=cowch
def write(path,g,o):
    with open(path,'w') as f:
        for gr,orow in zip(g,o):
            f.write(''.join(a+b for a,b in zip(gr,orow))+'\n')
def count(o,ch): return sum(r.count(ch) for r in o)

# Paddock: small and crowded; a dirt yard, hedges, hay everywhere.
W,H=74,66
g,o,(c0,r0,c1,r1)=make(W,H)
fill(g,o,c0+12,r0+8,c1-12,r1-8,'.')
mid=(r0+r1)//2
home(g,o,c0+1,mid-3,c0+1+7,'/','2',(c0+4,mid))
home(g,o,c1-8,mid-3,c1-8,'\\','1',(c1-4,mid))
for hc in (c0+13, c1-13):
    for r in list(range(r0+2,mid-5))+list(range(mid+6,r1-1)):
        if r%4!=0: o[r][hc]='T'
for (pc,pr) in ((W//2-3,r0+2),(W//2-3,r1-4)):
    for r in range(pr,pr+3):
        for c in range(pc,pc+6): g[r][c]='~'; o[r][c]=' '
for r in range(r0+1,r1):
    for c in range(c0+1,c1):
        if o[r][c]!=' ' or g[r][c] not in '._': continue
        if abs(r-mid)<=4 and (c<=c0+11 or c>=c1-11): continue
        if (r+c)%3==0 and r%2==0: o[r][c]='*'
for (c,r) in ((c0+20,r0+7),(c1-20,r1-7),(c0+7,r1-3),(c1-7,r0+3)):
    o[r][c]='o'
o[r0+4][W//2+4]='!'; o[r1-3][W//2-4]='!'
o[mid][W//2]='+'
write(sys.argv[1]+'/Paddock.map',g,o)
print('Paddock', W, H, 'hay', count(o,'*'))

# Wetlands: wide and wet; grass islands between lakes joined by dirt
# causeways, hay on the islands and in the shallows, a silo in the middle.
W,H=130,118
g,o,(c0,r0,c1,r1)=make(W,H)
fill(g,o,c0,r0,c1,r1,'~')
rng=random.Random(7)
for c in range(c0,c1+1):
    for r in (r0,r1): g[r][c]='_'
for r in range(r0,r1+1):
    for c in (c0,c1): g[r][c]='_'
def island(c,r,w,h):
    for rr in range(r,r+h):
        for cc in range(c,c+w): g[rr][cc]='_'
cols=[c0+4, c0+28, c0+52, c0+76]
rows=[r0+4, r0+32, r0+60]
for i,cc in enumerate(cols):
    for j,rr in enumerate(rows):
        island(cc,rr,16,18)
        if i+1<len(cols):
            for r in range(rr+7,rr+10):
                for c in range(cc+16,cols[i+1]): g[r][c]='.'
        if j+1<len(rows):
            for c in range(cc+6,cc+10):
                for r in range(rr+18,rows[j+1]): g[r][c]='.'
for r in range(r0+1,rows[0]):
    for c in range(cols[0]+6,cols[0]+10): g[r][c]='.'
for r in range(rows[2]+18,r1):
    for c in range(cols[3]+6,cols[3]+10): g[r][c]='.'
home(g,o,cols[0]+2,rows[0]+2,cols[0]+2+7,'\\','1',(cols[0]+5,rows[0]+5))
home(g,o,cols[3]+6,rows[2]+9,cols[3]+6,'/','2',(cols[3]+10,rows[2]+12))
sc,sr=cols[1]+8,rows[1]+8
for r in range(sr-2,sr+3):
    for c in range(sc-2,sc+3): g[r][c]='.'; o[r][c]=' '
o[sr][sc]='I'
def free(c,r):
    return o[r][c]==' ' and all(o[rr][cc] not in 'F\\/12I' for rr in range(r-3,r+4) for cc in range(c-3,c+4))
for j,rr in enumerate(rows):
    for i,cc in enumerate(cols):
        for r in range(rr+1,rr+17,3):
            for c in range(cc+1,cc+15,3):
                if free(c,r) and g[r][c]=='_': o[r][c]='*'
for k in range(30):
    while True:
        c=rng.randint(c0+2,c1-2); r=rng.randint(r0+2,r1-2)
        if g[r][c]=='~' and o[r][c]==' ': o[r][c]='*'; break
for k in range(40):
    while True:
        c=rng.randint(c0+2,c1-2); r=rng.randint(r0+2,r1-2)
        if g[r][c]=='_' and o[r][c]==' ' and free(c,r):
            o[r][c]='T' if k%3 else 'o'; break
o[rows[1]+4][cols[2]+4]='!'; o[rows[1]+12][cols[1]+12]='!'
o[rows[0]+14][cols[2]+8]='+'; o[rows[2]+3][cols[1]+8]='+'
write(sys.argv[1]+'/Wetlands.map',g,o)
print('Wetlands', W, H, 'hay', count(o,'*'))
