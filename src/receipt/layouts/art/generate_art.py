# Writes the receipt artwork (SVG) into this folder: python3 generate_art.py
import math, os
OUT = os.path.dirname(os.path.abspath(__file__)) + '/'

def f(x): return ('%.2f' % x).rstrip('0').rstrip('.')

def svg(w, h, body, defs=''):
    return ('<?xml version="1.0" encoding="UTF-8"?>\n'
            f'<svg xmlns="http://www.w3.org/2000/svg" xmlns:xlink="http://www.w3.org/1999/xlink" version="1.2" baseProfile="tiny" width="{w}" height="{h}" viewBox="0 0 {w} {h}">\n'
            f'<defs>\n{defs}</defs>\n{body}</svg>\n')

def spiral(cx, cy, r0, r1, a0, turns, steps=40, cw=1):
    pts = []
    for i in range(steps + 1):
        t = i / steps
        a = a0 + cw * t * turns * 2 * math.pi
        r = r0 + (r1 - r0) * t
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts

def polyline(pts):
    return 'M' + ' L'.join(f(x) + ',' + f(y) for x, y in pts)

# ---------- floral corner ----------
def blossom(cx, cy, r, rot, gid):
    p = (f'M0,0 C{f(-r*.62)},{f(-r*.3)} {f(-r*.66)},{f(-r*.98)} {f(-r*.2)},{f(-r*1.02)} '
         f'L0,{f(-r*.86)} L{f(r*.2)},{f(-r*1.02)} C{f(r*.66)},{f(-r*.98)} {f(r*.62)},{f(-r*.3)} 0,0 Z')
    s = f'<g transform="translate({f(cx)},{f(cy)}) rotate({f(rot)})">\n'
    for k in range(5):
        s += f'  <path d="{p}" transform="rotate({k*72})" fill="url(#{gid})" stroke="#a8324e" stroke-width="{f(max(.5, r*.045))}"/>\n'
    for k in range(10):
        a = math.radians(k * 36 + 18)
        L = r * (.42 if k % 2 else .5)
        x, y = L * math.cos(a), L * math.sin(a)
        s += f'  <line x1="0" y1="0" x2="{f(x)}" y2="{f(y)}" stroke="#c77a2a" stroke-width="{f(r*.035)}"/>\n'
        s += f'  <circle cx="{f(x)}" cy="{f(y)}" r="{f(r*.06)}" fill="#e9b530"/>\n'
    s += f'  <circle r="{f(r*.17)}" fill="#f2c94c" stroke="#c07f1c" stroke-width="{f(r*.03)}"/>\n</g>\n'
    return s

def bud(x, y, r, rot):
    return (f'<g transform="translate({f(x)},{f(y)}) rotate({f(rot)})">'
            f'<path d="M0,{f(-r*1.4)} C{f(r)},{f(-r)} {f(r)},{f(r*.6)} 0,{f(r*.7)} C{f(-r)},{f(r*.6)} {f(-r)},{f(-r)} 0,{f(-r*1.4)} Z" fill="url(#budG)" stroke="#a8324e" stroke-width=".6"/>'
            f'<path d="M{f(-r*.8)},{f(r*.3)} C{f(-r*.4)},{f(r*1.3)} {f(r*.4)},{f(r*1.3)} {f(r*.8)},{f(r*.3)} L0,{f(r*.8)} Z" fill="#5f8f45"/></g>\n')

def leaf(x, y, L, rot, gid='leafG', stroke='#3f6b2f'):
    w = L * .36
    return (f'<g transform="translate({f(x)},{f(y)}) rotate({f(rot)})">'
            f'<path d="M0,0 C{f(L*.25)},{f(-w)} {f(L*.7)},{f(-w)} {f(L)},0 C{f(L*.7)},{f(w)} {f(L*.25)},{f(w)} 0,0 Z" fill="url(#{gid})" stroke="{stroke}" stroke-width=".6"/>'
            f'<path d="M0,0 Q{f(L*.5)},{f(-w*.15)} {f(L*.92)},0" fill="none" stroke="{stroke}" stroke-width=".5"/></g>\n')

floral_defs = '''<radialGradient id="petalG" cx="0" cy="0" r="1" gradientUnits="objectBoundingBox" fx="0.5" fy="1">
  <stop offset="0" stop-color="#fff4f6"/><stop offset="0.55" stop-color="#f6b3c4"/><stop offset="1" stop-color="#e0607f"/></radialGradient>
<linearGradient id="petalL" x1="0.5" y1="1" x2="0.5" y2="0">
  <stop offset="0" stop-color="#fff6f8"/><stop offset="0.5" stop-color="#f7b7c7"/><stop offset="1" stop-color="#dc5477"/></linearGradient>
<linearGradient id="petalD" x1="0.5" y1="1" x2="0.5" y2="0">
  <stop offset="0" stop-color="#fde7ec"/><stop offset="0.45" stop-color="#ef8fa8"/><stop offset="1" stop-color="#c23b5e"/></linearGradient>
<linearGradient id="budG" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#f9c3d0"/><stop offset="1" stop-color="#d2456a"/></linearGradient>
<linearGradient id="leafG" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#9cc77a"/><stop offset="1" stop-color="#4d7f36"/></linearGradient>
<linearGradient id="leafD" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#7fae5f"/><stop offset="1" stop-color="#355f27"/></linearGradient>
'''

def floral_lower_left():
    s = ''
    # main vine: down the left side, round the corner, along the bottom
    s += '<path d="M22,5 C16,40 15,78 20,104 C26,126 52,129 84,128 C106,127 124,125 140,120" fill="none" stroke="#5b7a34" stroke-width="2.6" stroke-linecap="round"/>\n'
    s += '<path d="M18,62 C28,54 34,46 33,36" fill="none" stroke="#5b7a34" stroke-width="1.4" stroke-linecap="round"/>\n'
    s += '<path d="M98,128 C102,117 111,111 121,112" fill="none" stroke="#5b7a34" stroke-width="1.4" stroke-linecap="round"/>\n'
    s += f'<path d="{polyline(spiral(36, 27, 1, 6, 0, 1.3, 30))}" fill="none" stroke="#6f8f3f" stroke-width=".9"/>\n'
    # (this tendril keeps to y > 101: turned over for the upper-right corner, the receipt's
    # date is printed above it)
    s += f'<path d="{polyline(spiral(127, 108, 1, 6, 3.14, 1.3, 30, -1))}" fill="none" stroke="#6f8f3f" stroke-width=".9"/>\n'
    s += f'<path d="{polyline(spiral(74, 137, 1, 4.5, 1.5, 1.2, 30))}" fill="none" stroke="#6f8f3f" stroke-width=".8"/>\n'
    for (x, y, L, r, g) in [(20, 18, 16, -150, 'leafG'), (19, 30, 15, -40, 'leafD'), (18, 46, 17, -160, 'leafD'),
                            (17, 66, 17, -150, 'leafG'), (52, 129, 17, 25, 'leafG'), (66, 128, 18, -45, 'leafD'),
                            (108, 127, 17, 28, 'leafG'), (126, 124, 15, -55, 'leafD'), (33, 40, 12, -60, 'leafG'),
                            (106, 118, 13, -130, 'leafG')]:
        s += leaf(x, y, L, r, g)
    s += bud(22, 7, 3.6, -8)
    s += bud(139, 119, 3.4, 70)
    s += bud(34, 34, 3.0, 25)
    s += bud(122, 110, 3.0, 70)
    s += blossom(90, 119, 10, 12, 'petalL')
    s += blossom(24, 86, 11, -20, 'petalL')
    s += blossom(57, 114, 13, 30, 'petalD')
    s += blossom(31, 113, 17, 5, 'petalL')
    return s

# ---------- leaf-scroll corner ----------
leaf_defs = '''<linearGradient id="acG" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#8dbf8a"/><stop offset="1" stop-color="#2f6b52"/></linearGradient>
<linearGradient id="acD" x1="0" y1="1" x2="1" y2="0">
  <stop offset="0" stop-color="#6fa57a"/><stop offset="1" stop-color="#1f4f3f"/></linearGradient>
<radialGradient id="berry" cx="0.35" cy="0.35" r="0.7">
  <stop offset="0" stop-color="#fbe7a1"/><stop offset="0.6" stop-color="#d9a536"/><stop offset="1" stop-color="#9a6c17"/></radialGradient>
'''

def scroll_leaf(x, y, L, rot, g):
    # a curled leaf with a lobed edge
    w = L * .42
    d = (f'M0,0 C{f(L*.2)},{f(-w*1.1)} {f(L*.55)},{f(-w*1.2)} {f(L*.62)},{f(-w*.55)} '
         f'C{f(L*.72)},{f(-w*.95)} {f(L*.95)},{f(-w*.7)} {f(L)},{f(-w*.15)} '
         f'C{f(L*.9)},{f(w*.2)} {f(L*.8)},{f(w*.35)} {f(L*.66)},{f(w*.3)} '
         f'C{f(L*.5)},{f(w*.6)} {f(L*.2)},{f(w*.55)} 0,0 Z')
    return (f'<g transform="translate({f(x)},{f(y)}) rotate({f(rot)})"><path d="{d}" fill="url(#{g})" stroke="#1d4a3a" stroke-width=".7"/>'
            f'<path d="M0,0 C{f(L*.3)},{f(-w*.2)} {f(L*.6)},{f(-w*.2)} {f(L*.9)},{f(-w*.15)}" fill="none" stroke="#e8d79a" stroke-width=".6"/></g>\n')

def leaf_lower_left():
    s = ''
    stem = 'M12,4 C6,50 4,96 18,116 C30,134 70,134 138,128'
    # curls that grow out of the stem and wind inwards; like the leaves, they keep to the
    # stem's side and the bottom band, so that the inner corner (x > 38, y 70..97) stays clear:
    # the receipt's date is printed there on the upper-right copy
    curls = [((8, 40), (22, 47), 1, 1.45), ((12, 100), (24, 98), 1, 1.5), ((50, 130), (57, 116), -1, 1.5),
             ((104, 130), (108, 116), -1, 1.4)]
    paths = []
    for (px, py), (cx, cy), cw, turns in curls:
        r0 = math.hypot(px - cx, py - cy)
        a0 = math.atan2(py - cy, px - cx)
        paths.append(polyline(spiral(cx, cy, r0, 1.6, a0, turns, 70, cw)))
    for w, c in [(3.4, '#234f40'), (.9, '#c9a03c')]:
        s += f'<path d="{stem}" fill="none" stroke="{c}" stroke-width="{w}" stroke-linecap="round"/>\n'
        for d in paths:
            s += f'<path d="{d}" fill="none" stroke="{c}" stroke-width="{w * .7:.2f}" stroke-linecap="round"/>\n'
    for (x, y, L, r, g) in [(8, 24, 20, -80, 'acG'), (7, 64, 20, -35, 'acD'), (9, 80, 18, 40, 'acG'),
                            (28, 126, 20, -25, 'acD'), (70, 131, 22, -60, 'acG'), (84, 130, 18, -20, 'acD'),
                            (124, 129, 16, -40, 'acG'), (36, 58, 14, -20, 'acD'), (42, 113, 14, -40, 'acG'),
                            (72, 115, 13, -80, 'acD'), (120, 111, 13, -40, 'acG')]:
        s += scroll_leaf(x, y, L, r, g)
    # berries in threes on short stalks
    for (x, y, a), (sx, sy) in zip([(24, 20, -30), (92, 120, -70), (132, 118, -40)], [(10, 30), (96, 129), (130, 128)]):
        s += f'<path d="M{sx},{sy} Q{f((sx + x) / 2 + 3)},{f((sy + y) / 2 + 2)} {x},{y}" fill="none" stroke="#234f40" stroke-width="1"/>\n'
        for k, (dx, dy) in enumerate([(0, 0), (4.5, 2), (1.5, 5)]):
            ang = math.radians(a)
            rx = x + dx * math.cos(ang) - dy * math.sin(ang)
            ry = y + dx * math.sin(ang) + dy * math.cos(ang)
            s += f'<circle cx="{f(rx)}" cy="{f(ry)}" r="2.4" fill="url(#berry)" stroke="#7a5512" stroke-width=".4"/>\n'
    s += '<circle cx="12" cy="4" r="2.6" fill="url(#berry)" stroke="#7a5512" stroke-width=".4"/>\n'
    s += '<circle cx="138" cy="128" r="2.6" fill="url(#berry)" stroke="#7a5512" stroke-width=".4"/>\n'
    return s

def corner_file(name, w, h, defs, body, transform):
    with open(OUT + name, 'w') as fo:
        fo.write(svg(w, h, f'<g transform="{transform}">\n{body}</g>\n' if transform else body, defs))

fl = floral_lower_left()
corner_file('floral_lower_left.svg', 144, 145, floral_defs, fl, '')
corner_file('floral_upper_right.svg', 144, 145, floral_defs, fl, 'rotate(180 72 72.5)')
corner_file('floral_lower_right.svg', 144, 145, floral_defs, fl, 'translate(144,0) scale(-1,1)')
ll = leaf_lower_left()
corner_file('leaf_lower_left.svg', 142, 140, leaf_defs, ll, '')
corner_file('leaf_upper_right.svg', 142, 140, leaf_defs, ll, 'rotate(180 71 70)')

# ---------- crown frame 680 x 495 ----------
def rose(cx, cy, r, c1='#d8456b', c2='#f7b6c6'):
    s = f'<g transform="translate({f(cx)},{f(cy)})">\n'
    s += f'<circle r="{f(r)}" fill="{c1}" stroke="#8e2340" stroke-width=".6"/>\n'
    for k in range(5):
        a = k * 72
        s += f'<ellipse cx="0" cy="{f(-r*.55)}" rx="{f(r*.5)}" ry="{f(r*.45)}" transform="rotate({a})" fill="{c2}" stroke="#b33a5c" stroke-width=".5"/>\n'
    s += f'<circle r="{f(r*.42)}" fill="{c1}" stroke="#8e2340" stroke-width=".5"/>\n'
    s += f'<path d="M{f(-r*.2)},{f(-r*.05)} A{f(r*.22)},{f(r*.22)} 0 1,1 {f(r*.12)},{f(r*.18)}" fill="none" stroke="#fbd3de" stroke-width="{f(r*.09)}"/>\n'
    return s + '</g>\n'

def crown(cx, top):
    # a gold crown standing on the top border: band, five points with pearls, jewels
    b = top + 40   # bottom of the band
    s = f'<g transform="translate({cx},0)">\n'
    s += f'<path d="M-44,{b} L-48,{top+14} L-28,{top+28} L-15,{top+6} L0,{top+24} L15,{top+6} L28,{top+28} L48,{top+14} L44,{b} Z" fill="url(#goldV)" stroke="#7a5410" stroke-width="1.1" stroke-linejoin="round"/>\n'
    s += f'<path d="M-44,{b-10} L44,{b-10} L44,{b} L-44,{b} Z" fill="url(#goldB)" stroke="#7a5410" stroke-width="1"/>\n'
    for x, c in [(-30, '#1f5fae'), (-15, '#c0233a'), (0, '#1f8a5a'), (15, '#c0233a'), (30, '#1f5fae')]:
        s += f'<ellipse cx="{x}" cy="{b-5}" rx="3.6" ry="3" fill="{c}" stroke="#f5e6b0" stroke-width=".6"/>\n'
    for x, y in [(-48, top+14), (-15, top+6), (15, top+6), (48, top+14)]:
        s += f'<circle cx="{x}" cy="{y-2}" r="3.4" fill="url(#pearl)" stroke="#8d7a5a" stroke-width=".4"/>\n'
    s += f'<path d="M0,{top+24} L0,{top-2}" stroke="#7a5410" stroke-width="1"/>\n'
    s += f'<circle cx="0" cy="{top+2}" r="5" fill="url(#goldV)" stroke="#7a5410" stroke-width="1"/>\n'
    s += f'<path d="M-4.5,{top-6} L4.5,{top-6} M0,{top-11} L0,{top-1}" stroke="#7a5410" stroke-width="2.6" stroke-linecap="round"/>\n'
    s += f'<path d="M-4.5,{top-6} L4.5,{top-6} M0,{top-11} L0,{top-1}" stroke="#f3d36a" stroke-width="1.2" stroke-linecap="round"/>\n'
    s += f'<ellipse cx="0" cy="{top+30}" rx="4.4" ry="5.4" fill="#c0233a" stroke="#f5e6b0" stroke-width=".7"/>\n'
    s += f'<ellipse cx="-26" cy="{top+33}" rx="3" ry="3.6" fill="#1f5fae" stroke="#f5e6b0" stroke-width=".6"/>\n'
    s += f'<ellipse cx="26" cy="{top+33}" rx="3" ry="3.6" fill="#1f5fae" stroke="#f5e6b0" stroke-width=".6"/>\n'
    return s + '</g>\n'

def laurel(x0, y0, dirx, n=5):
    s = ''
    pts = [(x0 + dirx * i * 11, y0 - math.sin(i / n * 1.2) * 6) for i in range(n + 1)]
    s += f'<path d="{polyline(pts)}" fill="none" stroke="#3f6b2f" stroke-width="1.1"/>\n'
    for i, (x, y) in enumerate(pts[1:]):
        s += leaf(x, y, 10, (-150 if dirx > 0 else -30) , 'leafG')
        s += leaf(x, y, 10, (150 if dirx > 0 else 30), 'leafD')
    return s

def side_vine(x, flip):
    # flowers climbing one side of the frame, inside the band
    s = ''
    sx = -1 if flip else 1
    pts = []
    for i in range(61):
        y = 120 + i * 4.4
        pts.append((x + sx * (5 * math.sin(i / 5.0)), y))
    s += f'<path d="{polyline(pts)}" fill="none" stroke="#4d7a36" stroke-width="1.4"/>\n'
    for i, y in enumerate(range(132, 380, 22)):
        side = 1 if i % 2 else -1
        s += leaf(x + sx * 3, y, 12, (-60 if side > 0 else -120) if not flip else (-120 if side > 0 else -60), 'leafG' if i % 2 else 'leafD')
    for y, r in [(160, 8), (250, 10), (340, 8)]:
        s += rose(x + sx * 4, y, r)
    for y in (205, 295):
        s += f'<circle cx="{f(x + sx*6)}" cy="{y}" r="3" fill="#f7b6c6" stroke="#b33a5c" stroke-width=".5"/>\n'
    return s

crown_defs = floral_defs + '''<linearGradient id="goldV" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#fff1b0"/><stop offset="0.45" stop-color="#e2b23c"/><stop offset="1" stop-color="#9c6e16"/></linearGradient>
<linearGradient id="goldB" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#f7dc7a"/><stop offset="1" stop-color="#b3831f"/></linearGradient>
<radialGradient id="pearl" cx="0.35" cy="0.35" r="0.7">
  <stop offset="0" stop-color="#ffffff"/><stop offset="1" stop-color="#cfc3a8"/></radialGradient>
<linearGradient id="bandV" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#1d6b6b"/><stop offset="0.5" stop-color="#2f8a84"/><stop offset="1" stop-color="#1d6b6b"/></linearGradient>
<linearGradient id="bandH" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#1d6b6b"/><stop offset="0.5" stop-color="#2f8a84"/><stop offset="1" stop-color="#1d6b6b"/></linearGradient>
'''

def crown_frame():
    W, H = 680, 495
    s = f'<rect x="0" y="0" width="{W}" height="{H}" fill="#ffffff"/>\n'
    s += f'<rect x="5" y="5" width="{W-10}" height="{H-10}" fill="#fbf8ee"/>\n'
    # coloured band: top/bottom and left/right pieces so that each gradient runs across the band
    s += f'<rect x="5" y="5" width="{W-10}" height="11" fill="url(#bandV)"/>\n'
    s += f'<rect x="5" y="{H-16}" width="{W-10}" height="11" fill="url(#bandV)"/>\n'
    s += f'<rect x="5" y="5" width="11" height="{H-10}" fill="url(#bandH)"/>\n'
    s += f'<rect x="{W-16}" y="5" width="11" height="{H-10}" fill="url(#bandH)"/>\n'
    s += f'<rect x="5" y="5" width="{W-10}" height="{H-10}" fill="none" stroke="#0f4545" stroke-width="1.4"/>\n'
    s += f'<rect x="16" y="16" width="{W-32}" height="{H-32}" fill="#fffdf7" stroke="#0f4545" stroke-width="1"/>\n'
    s += f'<rect x="20" y="20" width="{W-40}" height="{H-40}" fill="none" stroke="#c9a227" stroke-width="1.6"/>\n'
    s += f'<rect x="23.5" y="23.5" width="{W-47}" height="{H-47}" fill="none" stroke="#c9a227" stroke-width=".6"/>\n'
    # a gold thread along the top and bottom bands (it stretches without changing),
    # gold dots down the sides
    for y in (10.5, H - 10.5):
        s += f'<line x1="22" y1="{y}" x2="{W-22}" y2="{y}" stroke="#f3d36a" stroke-width="1.1"/>\n'
    for y in range(40, H - 30, 12):
        for x in (10.5, W - 10.5):
            s += f'<circle cx="{x}" cy="{y}" r="1.6" fill="#f3d36a"/>\n'
    # a spray of roses in each inner corner
    spray = ('<path d="M27,68 C27,44 44,27 68,27" fill="none" stroke="#b8892b" stroke-width="2.2"/>\n'
             '<path d="M27,68 C27,44 44,27 68,27" fill="none" stroke="#f3d36a" stroke-width=".9"/>\n')
    spray += leaf(38, 38, 17, 20, 'leafG') + leaf(38, 38, 17, 70, 'leafD') + leaf(38, 38, 13, 45, 'leafG')
    spray += leaf(58, 29, 11, 10, 'leafD') + leaf(29, 58, 11, 80, 'leafD')
    spray += rose(38, 38, 9.5) + rose(57, 29, 5.5) + rose(29, 57, 5.5)
    for transform in ['', f'translate({W},0) scale(-1,1)', f'translate(0,{H}) scale(1,-1)', f'translate({W},{H}) scale(-1,-1)']:
        s += f'<g transform="{transform}">\n{spray}</g>\n'
    # corner rosettes
    for cx, cy in [(10.5, 10.5), (W - 10.5, 10.5), (10.5, H - 10.5), (W - 10.5, H - 10.5)]:
        s += f'<circle cx="{cx}" cy="{cy}" r="9" fill="url(#goldV)" stroke="#7a5410" stroke-width=".8"/>\n'
        s += rose(cx, cy, 5.5)
    # flowers climbing the sides
    s += side_vine(26, False)
    s += side_vine(W - 26, True)
    # crown over the top border, laurel at its sides, a small garland at the bottom
    s += f'<ellipse cx="340" cy="11" rx="62" ry="13" fill="#fbf8ee"/>\n'
    s += laurel(294, 34, -1, 4)
    s += laurel(386, 34, 1, 4)
    s += crown(340, 8)
    s += f'<ellipse cx="340" cy="{H-11}" rx="40" ry="9" fill="#fbf8ee"/>\n'
    s += laurel(326, H - 12, -1, 4)
    s += laurel(354, H - 12, 1, 4)
    s += rose(340, H - 12, 8)
    return svg(W, H, s, crown_defs)

open(OUT + 'crown_frame.svg', 'w').write(crown_frame())

# ---------- golden scroll frame 680 x 514 ----------
def fan(px, py, radius, inner, a0, a1, n=9):
    # a folding fan: alternating vermilion and gold leaves between ribs, pivot at (px, py)
    s = ''
    for i in range(n):
        t0 = math.radians(a0 + (a1 - a0) * i / n)
        t1 = math.radians(a0 + (a1 - a0) * (i + 1) / n)
        def pt(r, t): return (px + r * math.cos(t), py + r * math.sin(t))
        o0, o1, i0, i1 = pt(radius, t0), pt(radius, t1), pt(inner, t0), pt(inner, t1)
        fill = 'url(#fanRed)' if i % 2 == 0 else 'url(#fanGold)'
        s += (f'<path d="M{f(i0[0])},{f(i0[1])} L{f(o0[0])},{f(o0[1])} A{f(radius)},{f(radius)} 0 0,1 {f(o1[0])},{f(o1[1])} '
              f'L{f(i1[0])},{f(i1[1])} A{f(inner)},{f(inner)} 0 0,0 {f(i0[0])},{f(i0[1])} Z" fill="{fill}" stroke="#7a5410" stroke-width=".6"/>\n')
    # a band of gold near the rim and a thin wave inside
    def arc(r, w, colour):
        t0, t1 = math.radians(a0), math.radians(a1)
        x0, y0 = px + r * math.cos(t0), py + r * math.sin(t0)
        x1, y1 = px + r * math.cos(t1), py + r * math.sin(t1)
        large = 1 if abs(a1 - a0) > 180 else 0
        return f'<path d="M{f(x0)},{f(y0)} A{f(r)},{f(r)} 0 {large},1 {f(x1)},{f(y1)}" fill="none" stroke="{colour}" stroke-width="{w}"/>\n'
    s += arc(radius * .82, 1.6, '#fff3c4')
    s += arc(radius * .82, .5, '#7a5410')
    s += arc(radius - .4, .9, '#7a5410')
    # sticks below the leaves, then the rivet
    for i in range(n + 1):
        t = math.radians(a0 + (a1 - a0) * i / n)
        s += f'<line x1="{f(px)}" y1="{f(py)}" x2="{f(px + inner * math.cos(t))}" y2="{f(py + inner * math.sin(t))}" stroke="#5a3b0a" stroke-width=".9"/>\n'
    s += f'<circle cx="{f(px)}" cy="{f(py)}" r="2.6" fill="url(#goldV)" stroke="#5a3b0a" stroke-width=".6"/>\n'
    return s

def cscroll(cx, cy, size, rot):
    # a pair of gold volutes joined by a stem
    a = spiral(-size, 0, size * .55, .8, 0, 1.25, 40, -1)
    b = spiral(size, 0, size * .55, .8, math.pi, 1.25, 40, -1)
    stem = f'M{f(-size)},{f(-size*.55)} C{f(-size*.3)},{f(-size*1.1)} {f(size*.3)},{f(size*1.1)} {f(size)},{f(size*.55)}'
    s = f'<g transform="translate({f(cx)},{f(cy)}) rotate({rot})">\n'
    for w, c in [(2.4, '#7a5410'), (1.1, '#f3d36a')]:
        s += f'<path d="{polyline(a)}" fill="none" stroke="{c}" stroke-width="{w}" stroke-linecap="round"/>\n'
        s += f'<path d="{polyline(b)}" fill="none" stroke="{c}" stroke-width="{w}" stroke-linecap="round"/>\n'
        s += f'<path d="{stem}" fill="none" stroke="{c}" stroke-width="{w}" stroke-linecap="round"/>\n'
    return s + '</g>\n'

scroll_defs = crown_defs + '''<linearGradient id="gbandV" x1="0" y1="0" x2="0" y2="1">
  <stop offset="0" stop-color="#9c6e16"/><stop offset="0.3" stop-color="#f6dc7c"/><stop offset="0.6" stop-color="#d9a536"/><stop offset="1" stop-color="#8a5f12"/></linearGradient>
<linearGradient id="gbandH" x1="0" y1="0" x2="1" y2="0">
  <stop offset="0" stop-color="#9c6e16"/><stop offset="0.3" stop-color="#f6dc7c"/><stop offset="0.6" stop-color="#d9a536"/><stop offset="1" stop-color="#8a5f12"/></linearGradient>
<linearGradient id="fanRed" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#e4613f"/><stop offset="1" stop-color="#a52a1c"/></linearGradient>
<linearGradient id="fanGold" x1="0" y1="0" x2="1" y2="1">
  <stop offset="0" stop-color="#fbe9a6"/><stop offset="1" stop-color="#d6a234"/></linearGradient>
'''

def scroll_frame():
    W, H = 680, 514
    s = f'<rect x="0" y="0" width="{W}" height="{H}" fill="#ffffff"/>\n'
    s += f'<rect x="6" y="6" width="{W-12}" height="{H-12}" fill="#fffaf0"/>\n'
    s += f'<rect x="6" y="6" width="{W-12}" height="10" fill="url(#gbandV)"/>\n'
    s += f'<rect x="6" y="{H-16}" width="{W-12}" height="10" fill="url(#gbandV)"/>\n'
    s += f'<rect x="6" y="6" width="10" height="{H-12}" fill="url(#gbandH)"/>\n'
    s += f'<rect x="{W-16}" y="6" width="10" height="{H-12}" fill="url(#gbandH)"/>\n'
    s += f'<rect x="6" y="6" width="{W-12}" height="{H-12}" fill="none" stroke="#6b4a0c" stroke-width="1"/>\n'
    s += f'<rect x="16" y="16" width="{W-32}" height="{H-32}" fill="none" stroke="#6b4a0c" stroke-width=".8"/>\n'
    s += f'<rect x="21" y="21" width="{W-42}" height="{H-42}" fill="none" stroke="#b8892b" stroke-width=".8"/>\n'
    s += f'<rect x="24" y="24" width="{W-48}" height="{H-48}" fill="none" stroke="#b5472d" stroke-width=".6"/>\n'
    # scrolls along the sides and beside the top and bottom fans
    for y in (150, 257, 364):
        s += cscroll(28, y, 12, 90)
        s += cscroll(W - 28, y, 12, -90)
    for y in (203, 310):
        for x in (27, W - 27):
            s += f'<circle cx="{x}" cy="{y}" r="3" fill="url(#goldV)" stroke="#6b4a0c" stroke-width=".5"/>\n'
    for x in (104, 576):
        s += cscroll(x, 28, 12, 0)
        s += cscroll(x, H - 28, 12, 180)
    # corner fans open towards their corners
    s += fan(50, 50, 45, 13, 180, 270)
    s += fan(W - 50, 50, 45, 13, 270, 360)
    s += fan(50, H - 50, 45, 13, 90, 180)
    s += fan(W - 50, H - 50, 45, 13, 0, 90)
    # top fan opens upwards over the border, bottom fan downwards
    s += f'<rect x="282" y="4" width="116" height="20" fill="#fffaf0"/>\n'
    for x, y in [(282, 11), (398, 11), (292, H - 11), (388, H - 11)]:
        s += f'<circle cx="{x}" cy="{y}" r="4.2" fill="url(#goldV)" stroke="#6b4a0c" stroke-width=".7"/>\n'
    s += fan(340, 56, 52, 15, 200, 340, 11)
    s += f'<rect x="292" y="{H-22}" width="96" height="18" fill="#fffaf0"/>\n'
    s += fan(340, H - 48, 44, 13, 25, 155, 9)
    return svg(W, H, s, scroll_defs)

open(OUT + 'scroll_frame.svg', 'w').write(scroll_frame())
