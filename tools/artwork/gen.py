#!/usr/bin/env python3
"""Writes the game's SVG pictures. Run: python3 gen.py OUTDIR"""
import math
import os
import random
import sys

OUT = sys.argv[1] if len(sys.argv) > 1 else "out"
os.makedirs(OUT, exist_ok=True)

O = "#3a2a22"          # outline colour, warm near-black
FONT = "DejaVu Sans"  # one family: Qt 6.4 reads a list as a single name


def f(v):
    s = ("%.2f" % v).rstrip("0").rstrip(".")
    return "0" if s == "-0" else s


def pts(seq):
    return " ".join("%s,%s" % (f(x), f(y)) for x, y in seq)


def svg(name, w, h, body, defs=""):
    head = ('<?xml version="1.0" encoding="UTF-8"?>\n'
            '<svg xmlns="http://www.w3.org/2000/svg" version="1.1" '
            'width="%d" height="%d" viewBox="0 0 %d %d">\n' % (w, h, w, h))
    d = "<defs>\n%s</defs>\n" % defs if defs else ""
    with open(os.path.join(OUT, name), "w") as fh:
        fh.write(head + d + body + "</svg>\n")


def lin(id_, stops, x1=0, y1=0, x2=1, y2=1, user=False):
    units = ' gradientUnits="userSpaceOnUse"' if user else ""
    s = "".join('<stop offset="%s" stop-color="%s"%s/>' % (
        f(o), c, (' stop-opacity="%s"' % f(a)) if a is not None else "")
        for o, c, a in [(t + (None,))[:3] for t in stops])
    return ('<linearGradient id="%s" x1="%s" y1="%s" x2="%s" y2="%s"%s>%s</linearGradient>\n'
            % (id_, f(x1), f(y1), f(x2), f(y2), units, s))


def rad(id_, stops, cx=0.5, cy=0.5, r=0.5, fx=None, fy=None, user=False):
    units = ' gradientUnits="userSpaceOnUse"' if user else ""
    fxy = ""
    if fx is not None:
        fxy = ' fx="%s" fy="%s"' % (f(fx), f(fy))
    s = "".join('<stop offset="%s" stop-color="%s"%s/>' % (
        f(o), c, (' stop-opacity="%s"' % f(a)) if a is not None else "")
        for o, c, a in [(t + (None,))[:3] for t in stops])
    return ('<radialGradient id="%s" cx="%s" cy="%s" r="%s"%s%s>%s</radialGradient>\n'
            % (id_, f(cx), f(cy), f(r), fxy, units, s))


# ---------------------------------------------------------------- shared parts

def dollar_path(cx, cy, s):
    """A '$' as an open stroke path centred at cx,cy, s = half height of the S."""
    def p(x, y):
        return "%s,%s" % (f(cx + x * s), f(cy + y * s))
    S = ("M%s C%s %s %s C%s %s %s C%s %s %s" % (
        p(0.62, -0.55), p(0.4, -0.92), p(-0.66, -0.9), p(-0.62, -0.38),
        p(-0.58, 0.06), p(0.62, -0.04), p(0.62, 0.4),
        p(0.62, 0.92), p(-0.46, 0.94), p(-0.7, 0.56)))
    bar = "M%s L%s" % (p(0, -1.12), p(0, 1.12))
    return S + " " + bar


def dollar(cx, cy, s, width, colour, outline=None, ow=0):
    out = ""
    d = dollar_path(cx, cy, s)
    if outline:
        out += ('<path d="%s" fill="none" stroke="%s" stroke-width="%s" '
                'stroke-linecap="round" stroke-linejoin="round"/>\n' % (d, outline, f(width + 2 * ow)))
    out += ('<path d="%s" fill="none" stroke="%s" stroke-width="%s" '
            'stroke-linecap="round" stroke-linejoin="round"/>\n' % (d, colour, f(width)))
    return out


def coin_defs(p):
    return (rad(p + "face", [(0, "#b8f08a"), (0.55, "#5cc14a"), (1, "#2f8a34")],
                cx=0.36, cy=0.32, r=0.75, fx=0.3, fy=0.25)
            + lin(p + "rim", [(0, "#2f8a34"), (1, "#1d5e24")]))


def coin(p, cx, cy, r, sw, dollar_w=None, inner=True, halo=0):
    """Green dollar coin; p is the gradient id prefix from coin_defs."""
    out = ""
    if halo:
        out += '<circle cx="%s" cy="%s" r="%s" fill="#ffffff" fill-opacity="0.85"/>\n' % (
            f(cx), f(cy), f(r + halo))
    out += ('<circle cx="%s" cy="%s" r="%s" fill="url(#%sface)" stroke="%s" stroke-width="%s"/>\n'
            % (f(cx), f(cy), f(r - sw / 2), p, O, f(sw)))
    if inner:
        out += ('<circle cx="%s" cy="%s" r="%s" fill="none" stroke="#2a7a2e" '
                'stroke-width="%s" stroke-opacity="0.8"/>\n' % (f(cx), f(cy), f(r * 0.74), f(max(sw * 0.6, 0.6))))
        # glint on the upper left, where the light comes from
        a0, a1 = math.radians(200), math.radians(260)
        rr = r * 0.86
        out += ('<path d="M%s,%s A%s,%s 0 0,1 %s,%s" fill="none" stroke="#ffffff" '
                'stroke-opacity="0.7" stroke-width="%s" stroke-linecap="round"/>\n' % (
                    f(cx + rr * math.cos(a0)), f(cy + rr * math.sin(a0)), f(rr), f(rr),
                    f(cx + rr * math.cos(a1)), f(cy + rr * math.sin(a1)), f(max(sw * 0.7, 0.7))))
    dw = dollar_w if dollar_w is not None else r * 0.2
    out += dollar(cx, cy, r * 0.5, dw, "#1b5a20")
    return out


def house(x, y, w, h, sw, p, door=True, window=True, chimney=False):
    """A small house whose bounding box is x,y,w,h. p = gradient prefix from house_defs."""
    roof_h = h * 0.46
    wx0, wx1 = x + w * 0.14, x + w * 0.86
    wy0, wy1 = y + roof_h * 0.92, y + h - sw / 2
    out = ""
    if chimney:
        out += '<rect x="%s" y="%s" width="%s" height="%s" fill="#a0523a" stroke="%s" stroke-width="%s"/>\n' % (
            f(x + w * 0.64), f(y + roof_h * 0.12), f(w * 0.12), f(roof_h * 0.6), O, f(sw))
    out += '<rect x="%s" y="%s" width="%s" height="%s" fill="url(#%swall)" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (
        f(wx0), f(wy0), f(wx1 - wx0), f(wy1 - wy0), p, O, f(sw))
    roof = [(x + sw / 2, y + roof_h), (x + w / 2, y + sw / 2), (x + w - sw / 2, y + roof_h)]
    out += '<polygon points="%s" fill="url(#%sroof)" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (
        pts(roof), p, O, f(sw))
    if door:
        dw = w * 0.2
        dx = x + w * 0.58
        dh = (wy1 - wy0) * 0.62
        out += '<rect x="%s" y="%s" width="%s" height="%s" fill="#8a5530" stroke="%s" stroke-width="%s"/>\n' % (
            f(dx), f(wy1 - dh), f(dw), f(dh), O, f(sw * 0.8))
    if window:
        ws = w * 0.2
        wx = x + w * 0.24
        wy = wy0 + (wy1 - wy0) * 0.24
        out += '<rect x="%s" y="%s" width="%s" height="%s" fill="#8fd0f0" stroke="%s" stroke-width="%s"/>\n' % (
            f(wx), f(wy), f(ws), f(ws), O, f(sw * 0.8))
    return out


def house_defs(p):
    return (lin(p + "wall", [(0, "#fff6dc"), (1, "#e9cf98")])
            + lin(p + "roof", [(0, "#f0775a"), (1, "#b73d2a")], 0, 0, 0.6, 1))


# --------------------------------------------------------------- 49 px squares

SW = 1.5   # outline weight on the 49-pixel pictures


def stone_defs():
    return lin("stone", [(0, "#d3cfc7"), (1, "#aca79e")])


def stone(strength=1.0):
    """Grey flagstones; strength < 1 fades the joints behind a subject."""
    rnd = random.Random(7)
    out = '<rect x="0" y="0" width="49" height="49" fill="url(#stone)"/>\n'
    rows = [(0, 12), (12, 25), (25, 37), (37, 49)]
    for i, (y0, y1) in enumerate(rows):
        xs = [0]
        x = -6 if i % 2 else 0
        while x < 49:
            x += rnd.randint(12, 17)
            if 0 < x < 47:
                xs.append(x)
        xs.append(49)
        for a, b in zip(xs, xs[1:]):
            shade = rnd.choice(["#ffffff", "#8c877e", "#ffffff", "#8c877e", "#b5b0a8"])
            out += '<rect x="%s" y="%s" width="%s" height="%s" fill="%s" fill-opacity="%s"/>\n' % (
                f(a + 0.5), f(y0 + 0.5), f(b - a - 1), f(y1 - y0 - 1), shade, f(0.13 * strength))
    # joints: dark line, with a light line just below/right as the lit edge
    d = ""
    for i, (y0, y1) in enumerate(rows[1:]):
        d += "M0,%s H49 " % f(y0)
    for i, (y0, y1) in enumerate(rows):
        rnd2 = random.Random(100 + i)
        x = -6 if i % 2 else 0
        while x < 49:
            x += rnd2.randint(12, 17)
            if 0 < x < 47:
                d += "M%s,%s V%s " % (f(x), f(y0), f(y1))
    out += '<path d="%s" stroke="#7d786f" stroke-width="1" stroke-opacity="%s" fill="none"/>\n' % (
        d.strip(), f(0.55 * strength))
    # a sprinkle of grit
    g = ""
    for _ in range(26):
        g += '<circle cx="%s" cy="%s" r="%s"/>' % (f(rnd.uniform(1, 48)), f(rnd.uniform(1, 48)),
                                                   f(rnd.uniform(0.35, 0.7)))
    out += '<g fill="#6f6a62" fill-opacity="%s">%s</g>\n' % (f(0.45 * strength), g)
    return out


GRASS = {
    "light": dict(top="#8fc453", bottom="#70a83c", dark="#53892b", lite="#b6de7e"),
    "dark": dict(top="#5f9a3c", bottom="#4a8130", dark="#34631f", lite="#7fb85a"),
}


def grass(kind):
    c = GRASS[kind]
    defs = lin("g", [(0, c["top"]), (1, c["bottom"])])
    out = '<rect x="0" y="0" width="49" height="49" fill="url(#g)"/>\n'
    rnd = random.Random(11 if kind == "light" else 23)
    dark, lite = "", ""
    # tufts on a jittered grid so they spread evenly
    for gy in range(5):
        for gx in range(5):
            x = 3 + gx * 9.6 + rnd.uniform(-2.5, 2.5)
            y = 8 + gy * 9.6 + rnd.uniform(-2.5, 2.5)
            h = rnd.uniform(3, 4.5)
            t = "M%s,%s l-1.6,-%s M%s,%s l0.2,-%s M%s,%s l1.7,-%s " % (
                f(x), f(y), f(h * 0.8), f(x), f(y), f(h), f(x), f(y), f(h * 0.75))
            if (gx + gy) % 3 == 0:
                lite += t
            else:
                dark += t
    out += '<path d="%s" stroke="%s" stroke-width="1" stroke-linecap="round" fill="none"/>\n' % (dark.strip(), c["dark"])
    out += '<path d="%s" stroke="%s" stroke-width="1" stroke-linecap="round" fill="none" stroke-opacity="0.9"/>\n' % (
        lite.strip(), c["lite"])
    return out, defs


def sq_start():
    defs = stone_defs() + house_defs("h") + lin("sky", [(0, "#bfe6ff"), (1, "#7cc4ee")]) \
        + lin("skin", [(0, "#ffd9b8"), (1, "#eeb28a")])
    b = stone(0.6)
    # chimney, walls, roof
    b += '<rect x="33" y="6" width="5.5" height="10" fill="#a0523a" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    b += '<rect x="7.5" y="21" width="34" height="25.5" fill="url(#hwall)" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (O, SW)
    b += '<polygon points="2.5,23.5 24.5,3.5 46.5,23.5" fill="url(#hroof)" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (O, SW)
    # window with a person looking out
    b += '<rect x="11" y="26" width="17" height="15" fill="url(#sky)" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    b += '<path d="M13.5,41 C13.5,36 24.5,36 24.5,41 Z" fill="#3f7fd0" stroke="%s" stroke-width="1"/>\n' % O
    b += '<circle cx="19" cy="32.3" r="3.6" fill="url(#skin)" stroke="%s" stroke-width="1"/>\n' % O
    b += '<path d="M15.4,31.8 C15.2,27.6 22.8,27.6 22.6,31.8 C21.4,30 17.2,29.6 15.4,31.8 Z" fill="#6b3e1f" stroke="%s" stroke-width="0.8" stroke-linejoin="round"/>\n' % O
    b += '<circle cx="17.7" cy="32.6" r="0.55" fill="%s"/><circle cx="20.3" cy="32.6" r="0.55" fill="%s"/>\n' % (O, O)
    b += '<path d="M17.9,34.2 Q19,35.1 20.1,34.2" fill="none" stroke="%s" stroke-width="0.6" stroke-linecap="round"/>\n' % O
    b += '<rect x="11" y="26" width="17" height="15" fill="none" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    b += '<rect x="9.5" y="40.5" width="20" height="2.5" fill="#ffffff" stroke="%s" stroke-width="1"/>\n' % O
    # door
    b += '<rect x="31" y="30" width="8" height="16.5" fill="#8a5530" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    b += '<circle cx="37" cy="38.5" r="0.9" fill="#ffd54a"/>\n'
    return b, defs


def sq_question():
    defs = stone_defs()
    b = stone(0.6)
    d = "M16,17.5 C15.5,7 34,6.5 33.5,16.5 C33.2,23 25,22.5 25,30"
    b += '<path d="%s" fill="none" stroke="%s" stroke-width="10.5" stroke-linecap="round" stroke-linejoin="round"/>\n' % (d, O)
    b += '<path d="%s" fill="none" stroke="#2f9e3a" stroke-width="7" stroke-linecap="round" stroke-linejoin="round"/>\n' % d
    b += '<path d="M17.5,14.5 C19,9.5 27,8.6 30,11.5" fill="none" stroke="#a6ec8a" stroke-width="2" stroke-linecap="round"/>\n'
    b += '<circle cx="25" cy="39.5" r="5" fill="#2f9e3a" stroke="%s" stroke-width="%s"/>\n' % (O, SW + 0.2)
    b += '<circle cx="23.6" cy="38" r="1.5" fill="#a6ec8a"/>\n'
    return b, defs


def sq_plain():
    return stone(1.0), stone_defs()


def sq_jail():
    defs = stone_defs() + lin("bar", [(0, "#f2f2f2"), (0.45, "#a9adb3"), (1, "#5f646b")], 0, 0, 1, 0) \
        + lin("plank", [(0, "#f2c879"), (1, "#c98d3c")], 0, 0, 0, 1)
    b = stone(0.7)
    # dark cell behind the bars
    b += '<rect x="6.5" y="15.5" width="36" height="30" rx="2" fill="#2f2c36" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    b += '<rect x="8" y="17" width="33" height="11" fill="#4a4656"/>\n'
    for x in (10.5, 17.5, 24.5, 31.5, 38.5):
        b += '<rect x="%s" y="15.5" width="3.6" height="30" fill="url(#bar)" stroke="%s" stroke-width="1"/>\n' % (f(x - 1.8), O)
    b += '<rect x="6.5" y="28" width="36" height="3.4" fill="url(#bar)" stroke="%s" stroke-width="1"/>\n' % O
    # sign
    b += '<rect x="7" y="2.5" width="35" height="13" rx="2" fill="url(#plank)" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    b += ('<text x="24.5" y="13" font-family="%s" font-size="11" font-weight="bold" '
          'text-anchor="middle" fill="%s">Jail</text>\n' % (FONT, O))
    return b, defs


def person(cx, suit, suit2, tie, hair, face_dir):
    """Half figure: head centre x cx. face_dir +1 looks right, -1 left."""
    out = ""
    # body (suit) from shoulders down past the bottom edge
    out += '<path d="M%s,50 L%s,27 C%s,21.5 %s,21.5 %s,27 L%s,50 Z" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (
        f(cx - 10), f(cx - 9), f(cx - 8), f(cx + 8), f(cx + 9), f(cx + 10), suit, O, SW)
    # shirt and tie
    out += '<polygon points="%s" fill="#ffffff" stroke="%s" stroke-width="0.8" stroke-linejoin="round"/>\n' % (
        pts([(cx - 3.2, 22.6), (cx + 3.2, 22.6), (cx, 31)]), O)
    out += '<polygon points="%s" fill="%s" stroke="%s" stroke-width="0.7" stroke-linejoin="round"/>\n' % (
        pts([(cx - 1.1, 23.4), (cx + 1.1, 23.4), (cx + 1.3, 29), (cx, 31), (cx - 1.3, 29)]), tie, O)
    # head
    out += '<circle cx="%s" cy="14.5" r="6.5" fill="url(#skin)" stroke="%s" stroke-width="%s"/>\n' % (f(cx), O, SW)
    out += '<path d="M%s,13.5 C%s,5.5 %s,5.5 %s,13.5 C%s,10 %s,9.5 %s,13.5 Z" fill="%s" stroke="%s" stroke-width="1" stroke-linejoin="round"/>\n' % (
        f(cx - 6.6), f(cx - 6), f(cx + 6), f(cx + 6.6), f(cx + 3), f(cx - 3), f(cx - 6.6), hair, O)
    ex = cx + 2.2 * face_dir
    out += '<circle cx="%s" cy="14.8" r="0.8" fill="%s"/>\n' % (f(ex), O)
    out += '<path d="M%s,17.6 Q%s,18.8 %s,17.6" fill="none" stroke="%s" stroke-width="0.8" stroke-linecap="round"/>\n' % (
        f(cx + 0.6 * face_dir - 1.3), f(cx + 0.6 * face_dir), f(cx + 0.6 * face_dir + 1.3), O)
    return out


def sq_handshake():
    defs = stone_defs() + lin("skin", [(0, "#ffd9b8"), (1, "#e8a981")])
    b = stone(0.6)
    b += person(12, "#34506e", None, "#d8402f", "#5a3a20", 1)
    b += person(37, "#7a4d33", None, "#2f8f4a", "#2b2b2b", -1)
    # arms reaching to the middle
    b += '<path d="M9,31 C11,38 16,39 21,37.5" fill="none" stroke="%s" stroke-width="7" stroke-linecap="round"/>\n' % O
    b += '<path d="M9,31 C11,38 16,39 21,37.5" fill="none" stroke="#34506e" stroke-width="4.2" stroke-linecap="round"/>\n'
    b += '<path d="M40,31 C38,38 33,39 28,37.5" fill="none" stroke="%s" stroke-width="7" stroke-linecap="round"/>\n' % O
    b += '<path d="M40,31 C38,38 33,39 28,37.5" fill="none" stroke="#7a4d33" stroke-width="4.2" stroke-linecap="round"/>\n'
    # clasped hands
    b += '<ellipse cx="24.5" cy="37" rx="5.6" ry="3.8" fill="url(#skin)" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    b += '<path d="M22.5,35 Q24.5,37.2 26.5,39" fill="none" stroke="%s" stroke-width="0.8" stroke-linecap="round"/>\n' % O
    return b, defs


def sq_pot():
    defs = stone_defs() + rad("pot", [(0, "#6d6a78"), (1, "#1f1d26")], cx=0.35, cy=0.3, r=0.8) \
        + rad("gold", [(0, "#fff4b0"), (0.5, "#f5c242"), (1, "#c8871a")], cx=0.35, cy=0.3, r=0.8)
    b = stone(0.6)
    # legs
    b += '<path d="M14,43 L12,47.5 M35,43 L37,47.5" stroke="%s" stroke-width="3.5" stroke-linecap="round"/>\n' % O
    # heap of gold above the rim
    b += '<path d="M9,25 C10,15 17,11 24.5,10.5 C32,11 39,15 40,25 Z" fill="url(#gold)" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (O, SW)
    for cx, cy in ((16, 20), (24.5, 15.5), (32.5, 20), (20.5, 23.5), (28.5, 23.5)):
        b += '<ellipse cx="%s" cy="%s" rx="4" ry="2" fill="#ffe27a" stroke="#b07612" stroke-width="0.9"/>\n' % (f(cx), f(cy))
    # pot body and rim
    b += '<path d="M8,26 C4,34 8,45 24.5,45.5 C41,45 45,34 41,26 Z" fill="url(#pot)" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (O, SW)
    b += '<rect x="6" y="23.5" width="37" height="5" rx="2.5" fill="#4a4756" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    b += '<path d="M10.5,32 C10,37 13,41 17,42.5" fill="none" stroke="#ffffff" stroke-opacity="0.35" stroke-width="1.6" stroke-linecap="round"/>\n'
    # sparkles
    for x, y, s in ((8, 9, 2.6), (41, 7, 2.2), (44, 16, 1.6)):
        b += '<path d="M%s,%s L%s,%s L%s,%s L%s,%s Z" fill="#fff7c2" stroke="#c8871a" stroke-width="0.6" stroke-linejoin="round"/>\n' % (
            f(x), f(y - s * 1.6), f(x + s * 0.45), f(y), f(x), f(y + s * 1.6), f(x - s * 0.45), f(y))
        b += '<path d="M%s,%s L%s,%s L%s,%s L%s,%s Z" fill="#fff7c2" stroke="#c8871a" stroke-width="0.6" stroke-linejoin="round"/>\n' % (
            f(x - s * 1.6), f(y), f(x), f(y - s * 0.45), f(x + s * 1.6), f(y), f(x), f(y + s * 0.45))
    return b, defs


def sq_bulb():
    defs = stone_defs() + rad("glass", [(0, "#fffde6"), (0.55, "#ffe45c"), (1, "#f2a91f")], cx=0.38, cy=0.35, r=0.7) \
        + lin("metal", [(0, "#e9ecef"), (1, "#8b9096")], 0, 0, 1, 0)
    b = stone(0.6)
    # rays
    d = ""
    for a in (-150, -120, -90, -60, -30, 0, 180):
        r0, r1 = 15, 20.5
        ca, sa = math.cos(math.radians(a)), math.sin(math.radians(a))
        d += "M%s,%s L%s,%s " % (f(24.5 + r0 * ca), f(19 + r0 * sa), f(24.5 + r1 * ca), f(19 + r1 * sa))
    b += '<path d="%s" stroke="%s" stroke-width="3.6" stroke-linecap="round"/>\n' % (d.strip(), O)
    b += '<path d="%s" stroke="#ffcf3a" stroke-width="1.8" stroke-linecap="round"/>\n' % d.strip()
    # glass
    b += '<path d="M19.5,33 C19.5,28 13,25.5 13,18.5 C13,11.5 18.5,7 24.5,7 C30.5,7 36,11.5 36,18.5 C36,25.5 29.5,28 29.5,33 Z" fill="url(#glass)" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (O, SW)
    b += '<path d="M21.5,31.5 L21.5,25 L23.5,21 L25.5,25 L27.5,21 L27.5,31.5" fill="none" stroke="#c8741a" stroke-width="0.9" stroke-linejoin="round"/>\n'
    b += '<path d="M16.5,17 C16.5,13.5 19,11 22,10.3" fill="none" stroke="#ffffff" stroke-width="2" stroke-linecap="round"/>\n'
    # screw base
    b += '<rect x="19" y="32.5" width="11" height="9" rx="1.5" fill="url(#metal)" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    b += '<path d="M19.5,35.5 H29.5 M19.5,38.5 H29.5" stroke="%s" stroke-width="0.9"/>\n' % O
    b += '<path d="M21.5,41.5 L22.5,45 H26.5 L27.5,41.5 Z" fill="#4a4756" stroke="%s" stroke-width="1.2" stroke-linejoin="round"/>\n' % O
    return b, defs


def sq_goto():
    defs = stone_defs() + lin("arrow", [(0, "#ff7a66"), (1, "#c9281c")], 0, 0, 0, 1)
    b = stone(0.6)
    b += ('<text x="24.5" y="11.5" font-family="%s" font-size="10" font-weight="bold" '
          'text-anchor="middle" fill="#b3261b">Go to</text>\n' % FONT)
    arrow = [(2.5, 30.5), (19, 15), (19, 22.5), (46.5, 22.5), (46.5, 38.5), (19, 38.5), (19, 46)]
    b += '<polygon points="%s" fill="url(#arrow)" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (
        pts(arrow), O, SW)
    b += '<path d="M5.5,30.2 L18,18.5" stroke="#ffffff" stroke-opacity="0.5" stroke-width="1.2" stroke-linecap="round"/>\n'
    b += ('<text x="32" y="35.6" font-family="%s" font-size="13" font-weight="bold" '
          'text-anchor="middle" fill="#ffffff">27</text>\n' % FONT)
    return b, defs


def sq_thief():
    defs = stone_defs() + lin("skin", [(0, "#ffd9b8"), (1, "#e8a981")]) \
        + rad("sack", [(0, "#f3dfb0"), (1, "#b98e4e")], cx=0.35, cy=0.3, r=0.8)
    b = stone(0.6)
    # striped shirt
    b += '<path d="M4,50 L5,33 C6,27 26,27 27,33 L28,50 Z" fill="#ffffff" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (O, SW)
    b += '<path d="M5,35.5 H27.2 M4.6,40.5 H27.6 M4.3,45.5 H27.9" stroke="#2b2b33" stroke-width="2.6"/>\n'
    # head
    b += '<circle cx="16" cy="18.5" r="8" fill="url(#skin)" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    # cap
    b += '<path d="M7.8,17 C7.5,8 24.5,8 24.2,17 Z" fill="#2b2b33" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (O, SW)
    b += '<rect x="7" y="15" width="18" height="3" rx="1.2" fill="#3d3d48" stroke="%s" stroke-width="1"/>\n' % O
    # mask with eye holes
    b += '<path d="M7.6,19.5 C9,18.5 23,18.5 24.4,19.5 L24,23.5 C20,22.5 12,22.5 8,23.5 Z" fill="#1b1b22" stroke="%s" stroke-width="1"/>\n' % O
    b += '<ellipse cx="12.6" cy="21" rx="1.6" ry="1.1" fill="#ffffff"/><ellipse cx="19.4" cy="21" rx="1.6" ry="1.1" fill="#ffffff"/>\n'
    b += '<circle cx="13.1" cy="21.1" r="0.6" fill="%s"/><circle cx="19.9" cy="21.1" r="0.6" fill="%s"/>\n' % (O, O)
    b += '<path d="M13.5,25.3 Q16,24.3 18.5,25.3" fill="none" stroke="%s" stroke-width="0.8" stroke-linecap="round"/>\n' % O
    # loot sack over the shoulder
    b += '<path d="M23,31 L30,21" stroke="%s" stroke-width="4" stroke-linecap="round"/>\n' % O
    b += '<path d="M23,31 L30,21" stroke="url(#skin)" stroke-width="2" stroke-linecap="round"/>\n'
    b += '<path d="M34,14 C27,17 24,27 27,34 C30,41 42,42 45,35 C48,27 43,17 37,14 Z" fill="url(#sack)" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (O, SW)
    b += '<path d="M32,10 L35.5,14 L39,10 Z" fill="url(#sack)" stroke="%s" stroke-width="1.2" stroke-linejoin="round"/>\n' % O
    b += '<path d="M33,14.2 H38.5" stroke="#8a5530" stroke-width="2" stroke-linecap="round"/>\n'
    b += dollar(36, 28, 6, 2.4, "#2f7a32")
    return b, defs


def sq_tap():
    defs = stone_defs() + lin("chrome", [(0, "#ffffff"), (0.4, "#c9ced4"), (1, "#6c727a")], 0, 0, 0, 1) \
        + lin("chromev", [(0, "#ffffff"), (0.4, "#c9ced4"), (1, "#6c727a")], 0, 0, 1, 0) \
        + rad("drop", [(0, "#c8f0ff"), (1, "#2f8fe0")], cx=0.35, cy=0.4, r=0.7)
    b = stone(0.6)
    # wall plate
    b += '<rect x="1.5" y="14" width="7" height="16" rx="1.5" fill="url(#chromev)" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    # pipe and spout, one outline
    d = "M8.5,18 H30 C36,18 39,21 39,27 V31 H32 V27.5 C32,25.5 31,25 29.5,25 H8.5 Z"
    b += '<path d="%s" fill="url(#chrome)" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (d, O, SW)
    b += '<rect x="31" y="30.5" width="9" height="3" rx="1" fill="#9aa0a8" stroke="%s" stroke-width="1.2"/>\n' % O
    # handle
    b += '<rect x="17.5" y="11" width="4" height="7.5" fill="url(#chromev)" stroke="%s" stroke-width="1.2"/>\n' % O
    b += '<rect x="11" y="6.5" width="17" height="5" rx="2.5" fill="#e0483a" stroke="%s" stroke-width="%s"/>\n' % (O, SW)
    b += '<circle cx="19.5" cy="9" r="1.4" fill="#ffffff"/>\n'
    b += '<path d="M11,20 H28" stroke="#ffffff" stroke-width="1.2" stroke-linecap="round" stroke-opacity="0.8"/>\n'
    # drops
    for cx, cy, s in ((35.5, 38.5, 1.0), (35.5, 45.5, 0.8)):
        b += '<path d="M%s,%s C%s,%s %s,%s %s,%s C%s,%s %s,%s %s,%s Z" fill="url(#drop)" stroke="#1f5f9a" stroke-width="1.1"/>\n' % (
            f(cx), f(cy - 4 * s), f(cx + 3.5 * s), f(cy), f(cx + 3 * s), f(cy + 3 * s), f(cx), f(cy + 3 * s),
            f(cx - 3 * s), f(cy + 3 * s), f(cx - 3.5 * s), f(cy), f(cx), f(cy - 4 * s))
    return b, defs


LIGHT = {2, 3, 5, 12, 13, 15, 22, 23, 25, 33, 34, 36}
DARK = {7, 8, 9, 10, 17, 18, 19, 20, 27, 28, 30, 31, 38, 39, 41, 42}
SUBJECT = {1: sq_start, 4: sq_question, 16: sq_question, 35: sq_question,
           6: sq_plain, 24: sq_plain, 40: sq_plain, 11: sq_jail, 14: sq_handshake,
           21: sq_pot, 26: sq_bulb, 29: sq_goto, 32: sq_thief, 37: sq_tap}


def squares():
    for n in range(1, 43):
        if n in LIGHT:
            body, defs = grass("light")
        elif n in DARK:
            body, defs = grass("dark")
        else:
            body, defs = SUBJECT[n]()
        svg("square-%02d.svg" % n, 49, 49, body, defs)


# ----------------------------------------------------------------- tokens etc

def tokens():
    # top hat 22x20
    defs = lin("hat", [(0, "#5a5a66"), (0.5, "#24242c"), (1, "#0e0e12")], 0, 0, 1, 0) \
        + lin("brim", [(0, "#4a4a55"), (1, "#101014")], 0, 0, 0, 1)
    crown = "M5.5,15 L6,3.5 C6,1.8 16,1.8 16,3.5 L16.5,15 Z"
    brim = "M1.8,15.2 C1.8,12.6 20.2,12.6 20.2,15.2 C20.2,18.6 1.8,18.6 1.8,15.2 Z"
    b = ""
    for d in (crown, brim):
        b += '<path d="%s" fill="#ffffff" stroke="#ffffff" stroke-width="3.2" stroke-linejoin="round" stroke-opacity="0.85"/>\n' % d
    b += '<path d="%s" fill="url(#brim)" stroke="%s" stroke-width="1.2" stroke-linejoin="round"/>\n' % (brim, O)
    b += '<path d="%s" fill="url(#hat)" stroke="%s" stroke-width="1.2" stroke-linejoin="round"/>\n' % (crown, O)
    b += '<path d="M5.8,10.5 L16.2,10.5 L16.4,13.5 L5.6,13.5 Z" fill="#d8402f" stroke="%s" stroke-width="0.8"/>\n' % O
    b += '<path d="M7.8,4 L7.6,9.5" stroke="#9a9aa8" stroke-width="1.2" stroke-linecap="round"/>\n'
    svg("token-1.svg", 22, 20, b, defs)

    # gold ring 20x18
    defs = rad("ring", [(0, "#fff3a8"), (0.5, "#f4bf36"), (1, "#b9780f")], cx=0.35, cy=0.3, r=0.8) \
        + lin("gem", [(0, "#e8fbff"), (1, "#4fb6e8")])
    ring = "M10,5 C15,5 18.2,7.8 18.2,11 C18.2,14.4 14.6,16.8 10,16.8 C5.4,16.8 1.8,14.4 1.8,11 C1.8,7.8 5,5 10,5 Z " \
           "M10,8.3 C6.9,8.3 5,9.5 5,11.1 C5,12.7 7,13.8 10,13.8 C13,13.8 15,12.7 15,11.1 C15,9.5 13.1,8.3 10,8.3 Z"
    gem = "M6.8,4 L8.4,1.6 H11.6 L13.2,4 L10,7.4 Z"
    b = '<path d="%s" fill="none" stroke="#ffffff" stroke-width="3" stroke-opacity="0.85" stroke-linejoin="round"/>\n' % ring.split(" M")[0]
    b += '<path d="%s" fill="#ffffff" stroke="#ffffff" stroke-width="3" stroke-opacity="0.85" stroke-linejoin="round"/>\n' % gem
    b += '<path d="M%s" fill="none" stroke="#ffffff" stroke-width="1.6" stroke-opacity="0.6"/>\n' % ring.split(" M")[1]
    b += '<path d="%s" fill="url(#ring)" fill-rule="evenodd" stroke="%s" stroke-width="1.1" stroke-linejoin="round"/>\n' % (ring, O)
    b += '<path d="M3.6,10 C4.2,8 6.5,6.6 9,6.4" fill="none" stroke="#fffbe0" stroke-width="1" stroke-linecap="round"/>\n'
    b += '<path d="%s" fill="url(#gem)" stroke="%s" stroke-width="0.9" stroke-linejoin="round"/>\n' % (gem, O)
    b += '<path d="M6.8,4 H13.2" stroke="%s" stroke-width="0.5"/>\n' % O
    svg("token-2.svg", 20, 18, b, defs)

    # green dollar coin 20x20
    defs = coin_defs("c")
    b = coin("c", 10, 10, 8.4, 1.2, dollar_w=1.9, halo=1.4)
    svg("token-3.svg", 20, 20, b, defs)


PIPS = {1: [(0, 0)], 2: [(-1, -1), (1, 1)], 3: [(-1, -1), (0, 0), (1, 1)],
        4: [(-1, -1), (1, -1), (-1, 1), (1, 1)], 5: [(-1, -1), (1, -1), (0, 0), (-1, 1), (1, 1)],
        6: [(-1, -1), (1, -1), (-1, 0), (1, 0), (-1, 1), (1, 1)]}


def dice():
    defs = lin("face", [(0, "#ff7b67"), (1, "#d8322a")]) + lin("side", [(0, "#b3241c"), (1, "#7c1410")])
    for n in range(1, 7):
        b = '<rect x="3.6" y="4.6" width="26.6" height="27.6" rx="5" fill="url(#side)" stroke="%s" stroke-width="1.2"/>\n' % O
        b += '<rect x="0.8" y="0.8" width="26.6" height="27.6" rx="5" fill="url(#face)" stroke="%s" stroke-width="1.2"/>\n' % O
        b += '<path d="M3.5,20 V6.5 C3.5,4.5 4.5,3.5 6.5,3.5 H20" fill="none" stroke="#ffffff" stroke-opacity="0.45" stroke-width="1.2" stroke-linecap="round"/>\n'
        for dx, dy in PIPS[n]:
            x, y = 14.1 + dx * 7.2, 14.6 + dy * 7.6
            b += '<circle cx="%s" cy="%s" r="2.7" fill="#8f1a14"/>\n' % (f(x + 0.5), f(y + 0.6))
            b += '<circle cx="%s" cy="%s" r="2.6" fill="#ffffff"/>\n' % (f(x), f(y))
        svg("die-%d.svg" % n, 31, 33, b, defs)


def buildings():
    slots = [(3.5, 3), (25.5, 3), (3.5, 24.5), (25.5, 24.5)]
    defs = house_defs("b")
    for n in range(1, 5):
        b = ""
        for x, y in slots[:n]:
            b += '<ellipse cx="%s" cy="%s" rx="9" ry="2" fill="#1a2a10" fill-opacity="0.35"/>\n' % (f(x + 10), f(y + 20.2))
            b += house(x, y, 20, 20.5, 1.3, "b", chimney=True)
        svg("building-%d.svg" % n, 49, 49, b, defs)


if __name__ == "__main__":
    squares()
    tokens()
    dice()
    buildings()
    import gen_more
    gen_more.run(sys.modules[__name__])
