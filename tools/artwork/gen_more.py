"""Icons, board background and the large pictures."""
import math
import random

m = None  # the gen module, set by run()


def f(v):
    return m.f(v)


# ----------------------------------------------------------------- 16 px icons

RED = ("#ff7a66", "#d2302a")


def icon_defs():
    return (m.rad("cface", [(0, "#c4f59a"), (0.6, "#6cce55"), (1, "#3a9a3a")], cx=0.36, cy=0.32, r=0.75)
            + m.lin("red", [(0, RED[0]), (1, RED[1])])
            + m.lin("page", [(0, "#ffffff"), (1, "#dfe6ee")])
            + m.house_defs("h")
            + m.lin("gold", [(0, "#fff1a0"), (0.5, "#f4c03a"), (1, "#c0800f")], 0, 0, 1, 0)
            + m.lin("fold", [(0, "#ffe08a"), (1, "#e7a832")], 0, 0, 0, 1)
            + m.lin("foldb", [(0, "#e9b548"), (1, "#c98b22")], 0, 0, 0, 1)
            + m.lin("disk", [(0, "#6aa5ea"), (1, "#2a5fb0")])
            + m.lin("wood", [(0, "#c98a52"), (1, "#8a5530")]))


def icon_coin(cx=5.5, cy=10.5, r=5):
    O = m.O
    out = '<circle cx="%s" cy="%s" r="%s" fill="url(#cface)" stroke="%s" stroke-width="1"/>\n' % (
        f(cx), f(cy), f(r - 0.5), O)
    out += m.dollar(cx, cy, r * 0.52, 1.15, "#174f1c")
    return out


def poly(points, fill, sw=1):
    return '<polygon points="%s" fill="%s" stroke="%s" stroke-width="%s" stroke-linejoin="round"/>\n' % (
        m.pts(points), fill, m.O, f(sw))


def arrow_right(x0, x1, y, h=3.4, head=3.2):
    """Horizontal arrow from x0 to x1 (tip) at centre line y."""
    s = h / 2
    return poly([(x0, y - s / 1.8), (x1 - head, y - s / 1.8), (x1 - head, y - s - 0.6), (x1, y),
                 (x1 - head, y + s + 0.6), (x1 - head, y + s / 1.8), (x0, y + s / 1.8)], "url(#red)")


def mirror_x(points, w=16):
    return [(w - x, y) for x, y in points]


def arrow_pts_right(x0, x1, y, h=3.4, head=3.2):
    s = h / 2
    return [(x0, y - s / 1.8), (x1 - head, y - s / 1.8), (x1 - head, y - s - 0.6), (x1, y),
            (x1 - head, y + s + 0.6), (x1 - head, y + s / 1.8), (x0, y + s / 1.8)]


def rot(points, cx, cy, deg):
    a = math.radians(deg)
    c, s = math.cos(a), math.sin(a)
    return [(cx + (x - cx) * c - (y - cy) * s, cy + (x - cx) * s + (y - cy) * c) for x, y in points]


def page(x0, y0, x1, y1, corner=3):
    O = m.O
    out = poly([(x0, y0), (x1 - corner, y0), (x1, y0 + corner), (x1, y1), (x0, y1)], "url(#page)")
    out += poly([(x1 - corner, y0), (x1 - corner, y0 + corner), (x1, y0 + corner)], "#c9d3de", 0.8)
    return out


def small_doc(x0=9.5, y0=0.5, x1=15.5, y1=9.5):
    out = page(x0, y0, x1, y1, 2.2)
    out += '<path d="M%s,%s H%s M%s,%s H%s M%s,%s H%s" stroke="#7a8aa0" stroke-width="0.8"/>\n' % (
        f(x0 + 1.2), f(y0 + 3.6), f(x1 - 1.4), f(x0 + 1.2), f(y0 + 5.4), f(x1 - 1.2), f(x0 + 1.2), f(y0 + 7.2), f(x1 - 1.2))
    return out


def small_house(x=7, y=0.3, w=9, h=9.2):
    O = m.O
    out = '<rect x="%s" y="%s" width="%s" height="%s" fill="url(#hwall)" stroke="%s" stroke-width="1"/>\n' % (
        f(x + 1.5), f(y + 4.2), f(w - 3), f(h - 4.4), O)
    out += poly([(x + 0.5, y + 4.8), (x + w / 2, y + 0.3), (x + w - 0.5, y + 4.8)], "url(#hroof)")
    out += '<rect x="%s" y="%s" width="1.6" height="2.6" fill="#8a5530"/>\n' % (f(x + w / 2 - 0.3), f(y + h - 3))
    return out


def icons():
    O = m.O
    defs = icon_defs()
    I = {}
    up_arrow = rot(arrow_pts_right(1, 9, 4.5, 3.6, 3.4), 5, 4.5, -90)
    I[0] = icon_coin() + arrow_right(7.5, 15.5, 4.2)
    I[1] = icon_coin() + poly(mirror_x(arrow_pts_right(7.5, 15.5, 4.2), 7.5 + 15.5), "url(#red)")
    # loan: arrow down onto the coin; pay back: arrow up away from it
    down = [(10.6, 0.5), (13.4, 0.5), (13.4, 4.5), (15.5, 4.5), (12, 8.5), (8.5, 4.5), (10.6, 4.5)]
    I[2] = icon_coin() + poly(down, "url(#red)")
    I[3] = icon_coin() + poly([(x, 9 - y) for x, y in down], "url(#red)")
    I[4] = small_house(6.8, 0.2, 9.2, 9.4) + icon_coin()
    I[5] = small_doc() + icon_coin()
    I[13] = small_doc(10, 4.5, 15.5, 13.5) + icon_coin(4.5, 11.5, 4.5) + poly(
        rot(arrow_pts_right(2, 11, 4, 3.2, 3), 6.5, 4, -12), "url(#red)")
    I[14] = small_house(7, 5, 9, 9.6) + icon_coin(4.5, 11.5, 4.5) + poly(
        rot(arrow_pts_right(2, 11, 4, 3.2, 3), 6.5, 4, -12), "url(#red)")
    # help and information pages
    I[6] = page(2.5, 0.5, 13.5, 15.5) + (
        '<path d="M5.8,5.6 C5.8,2.6 10.6,2.6 10.6,5.4 C10.6,7.4 8.2,7.6 8.2,9.8" fill="none" stroke="#1d5fc0" '
        'stroke-width="1.9" stroke-linecap="round" stroke-linejoin="round"/>\n'
        '<circle cx="8.2" cy="12.6" r="1.2" fill="#1d5fc0"/>\n')
    I[7] = page(2.5, 0.5, 13.5, 15.5) + (
        '<circle cx="8" cy="4.3" r="1.4" fill="#1d5fc0"/>\n'
        '<path d="M6.3,7.2 H8.4 V12.6 M6.3,12.8 H10" fill="none" stroke="#1d5fc0" stroke-width="1.8" '
        'stroke-linecap="round" stroke-linejoin="round"/>\n')
    I[8] = page(2.5, 0.5, 13.5, 15.5)
    # open folder
    I[9] = poly([(0.5, 3.5), (5, 3.5), (6.5, 5), (13.5, 5), (13.5, 14.5), (0.5, 14.5)], "url(#foldb)") + \
        '<path d="M2.5,6.5 H11.5 V9" fill="none" stroke="#ffffff" stroke-width="1"/>\n' + \
        poly([(3, 8), (15.5, 8), (13.5, 14.5), (0.5, 14.5)], "url(#fold)")
    # floppy disk
    I[10] = poly([(1.5, 1.5), (12.5, 1.5), (14.5, 3.5), (14.5, 14.5), (1.5, 14.5)], "url(#disk)") + \
        '<rect x="4.5" y="1.5" width="7" height="4.5" fill="#d6dde6" stroke="%s" stroke-width="1"/>\n' % O + \
        '<rect x="8.6" y="2.4" width="1.8" height="2.8" fill="#42505e"/>\n' + \
        '<rect x="3.5" y="8.5" width="9" height="6" fill="#ffffff" stroke="%s" stroke-width="1"/>\n' % O + \
        '<path d="M5,10.8 H11 M5,12.6 H11" stroke="#d2302a" stroke-width="0.8"/>\n'
    # open door: the light outside shows through the frame
    I[11] = '<rect x="4.5" y="0.5" width="10" height="15" fill="#ffe9a0" stroke="%s" stroke-width="1"/>\n' % O + \
        '<path d="M9,15 L15,15" stroke="#7cc45a" stroke-width="2"/>\n' + \
        '<rect x="4.5" y="0.5" width="10" height="15" fill="none" stroke="%s" stroke-width="1"/>\n' % O + \
        poly([(4.5, 0.5), (10, 2.3), (10, 13.7), (4.5, 15.5)], "url(#wood)") + \
        '<circle cx="8.8" cy="8.4" r="0.9" fill="#ffd54a" stroke="%s" stroke-width="0.5"/>\n' % O + \
        '<path d="M0.8,15.5 H15.2" stroke="%s" stroke-width="1"/>\n' % O
    # trophy
    I[12] = ('<path d="M4,3.5 C0.5,3.5 0.8,8.5 5,8.6 M12,3.5 C15.5,3.5 15.2,8.5 11,8.6" fill="none" stroke="%s" stroke-width="2.4" stroke-linecap="round"/>\n' % O +
             '<path d="M4,3.5 C0.5,3.5 0.8,8.5 5,8.6 M12,3.5 C15.5,3.5 15.2,8.5 11,8.6" fill="none" stroke="#f4c03a" stroke-width="0.9" stroke-linecap="round"/>\n' +
             poly([(3.5, 1.5), (12.5, 1.5), (12, 6), (9, 9.5), (9, 11.5), (7, 11.5), (7, 9.5), (4, 6)], "url(#gold)") +
             '<path d="M5.2,3 L5.6,6" stroke="#ffffff" stroke-width="0.9" stroke-linecap="round" stroke-opacity="0.8"/>\n' +
             '<rect x="4.5" y="11.5" width="7" height="3.5" fill="url(#wood)" stroke="%s" stroke-width="1"/>\n' % O)
    for i in range(15):
        m.svg("icon-%02d.svg" % i, 16, 16, I[i], defs)


# ------------------------------------------------------------ board background

def background():
    W, H = 800, 620
    rnd = random.Random(2007)
    defs = m.lin("asph", [(0, "#74736f"), (1, "#5c5b58")], 0, 0, 0.4, 1)
    b = '<rect x="0" y="0" width="%d" height="%d" fill="url(#asph)"/>\n' % (W, H)
    # wide soft patches: worn and repaired areas
    for colour, op in (("#898783", 0.045), ("#4c4b48", 0.05)):
        g = ""
        for _ in range(9):
            g += '<ellipse cx="%s" cy="%s" rx="%s" ry="%s"/>' % (
                f(rnd.uniform(0, W)), f(rnd.uniform(0, H)), f(rnd.uniform(50, 110)), f(rnd.uniform(30, 70)))
        b += '<g fill="%s" fill-opacity="%s">%s</g>\n' % (colour, f(op), g)
    # gravel specks in a few tones
    tones = [("#a3a19c", 0.55, 340), ("#3e3d3b", 0.5, 340), ("#c4c2bc", 0.35, 120), ("#2c2b2a", 0.35, 120)]
    for colour, op, n in tones:
        g = ""
        for _ in range(n):
            x, y = rnd.uniform(0, W), rnd.uniform(0, H)
            r = rnd.choice((0.6, 0.8, 0.8, 1.0, 1.3, 1.7))
            g += '<circle cx="%s" cy="%s" r="%s"/>' % (f(x), f(y), f(r))
        b += '<g fill="%s" fill-opacity="%s">\n%s\n</g>\n' % (colour, f(op), g)
    m.svg("board-background.svg", W, H, b, defs)


# ---------------------------------------------------------------- large pictures

def big_house(x, y, w, h, sw, p):
    return m.house(x, y, w, h, sw, p, chimney=True)


def splash():
    O = m.O
    W, H = 268, 260
    defs = (m.lin("sky", [(0, "#5fa2ec"), (1, "#1e4f9e")], 0, 0, 0, 1)
            + m.rad("glow", [(0, "#ffffff", 0.45), (1, "#ffffff", 0)], cx=134, cy=96, r=110, user=True)
            + m.lin("hill", [(0, "#86c24e"), (1, "#4f8f32")], 0, 0, 0, 1)
            + m.lin("band", [(0, "#eaf2fc"), (1, "#cfdff3")], 0, 0, 0, 1)
            + m.coin_defs("c") + m.house_defs("h"))
    b = '<rect x="0" y="0" width="%d" height="%d" fill="url(#sky)"/>\n' % (W, H)
    b += '<rect x="0" y="0" width="%d" height="%d" fill="url(#glow)"/>\n' % (W, H)
    # stars
    rnd = random.Random(5)
    for x, y, s in ((26, 26, 4), (236, 34, 5), (216, 12, 3), (40, 70, 3), (244, 92, 3), (16, 118, 2.5)):
        b += '<path d="M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z" fill="#fff6c8"/>\n' % (
            f(x), f(y - 2 * s), f(x), f(y), f(x + 2 * s), f(y), f(x), f(y), f(x), f(y + 2 * s),
            f(x), f(y), f(x - 2 * s), f(y), f(x), f(y), f(x), f(y - 2 * s))
    # hill the houses stand on
    b += '<path d="M-4,236 L-4,188 C50,168 90,176 134,182 C180,176 222,166 272,186 L272,236 Z" fill="url(#hill)" stroke="%s" stroke-width="3"/>\n' % O
    # the coin, with its edge showing below right
    b += '<circle cx="138" cy="100" r="72" fill="#1d5e24" stroke="%s" stroke-width="3"/>\n' % O
    b += m.coin("c", 134, 95, 73.5, 3, dollar_w=13)
    b += big_house(14, 120, 70, 74, 3, "h")
    b += big_house(188, 124, 66, 70, 3, "h")
    # the name
    t = ('<text x="134" y="229" font-family="%s" font-size="44" font-weight="bold" text-anchor="middle" ' % m.FONT)
    b += t + 'fill="none" stroke="%s" stroke-width="7" stroke-linejoin="round">Quillbury</text>\n' % O
    b += t + 'fill="#ffffff">Quillbury</text>\n'
    # light footer that carries the dark "Loading..." text
    b += '<rect x="-2" y="238" width="272" height="24" fill="url(#band)" stroke="%s" stroke-width="2"/>\n' % O
    m.svg("splash.svg", W, H, b, defs)


def app_icon():
    O = m.O
    defs = m.coin_defs("c") + m.house_defs("h")
    b = '<circle cx="122" cy="124" r="112" fill="#1d5e24" stroke="%s" stroke-width="6"/>\n' % O
    b += m.coin("c", 116, 116, 114, 6, dollar_w=20)
    b += m.house(136, 128, 116, 122, 6, "h", chimney=True)
    m.svg("app-icon.svg", 256, 256, b, defs)


def trophy():
    O = m.O
    W, H = 187, 240
    defs = (m.lin("gold", [(0, "#fff3b0"), (0.28, "#f7cf4a"), (0.7, "#e0a020"), (1, "#a8680c")], 0, 0, 1, 0)
            + m.lin("goldv", [(0, "#fff1a0"), (1, "#c98a16")], 0, 0, 0, 1)
            + m.lin("wood", [(0, "#a9683c"), (1, "#5e3519")], 0, 0, 0, 1)
            + m.rad("glow", [(0, "#fff8d8", 0.9), (1, "#fff8d8", 0)], cx=93, cy=90, r=95, user=True))
    b = '<circle cx="93" cy="90" r="92" fill="url(#glow)"/>\n'
    # handles behind the cup
    hd = "M40,38 C6,36 6,96 58,104 M147,38 C181,36 181,96 129,104"
    b += '<path d="%s" fill="none" stroke="%s" stroke-width="15" stroke-linecap="round"/>\n' % (hd, O)
    b += '<path d="%s" fill="none" stroke="url(#goldv)" stroke-width="9" stroke-linecap="round"/>\n' % hd
    # bowl
    bowl = "M32,26 H155 C155,88 134,122 104,130 V146 H83 V130 C53,122 32,88 32,26 Z"
    b += '<path d="%s" fill="url(#gold)" stroke="%s" stroke-width="3" stroke-linejoin="round"/>\n' % (bowl, O)
    b += '<ellipse cx="93.5" cy="26" rx="61.5" ry="9" fill="#c98a16" stroke="%s" stroke-width="3"/>\n' % O
    b += '<ellipse cx="93.5" cy="27.5" rx="53" ry="5.5" fill="#8a5a0c"/>\n'
    b += '<path d="M46,40 C47,70 56,94 72,110" fill="none" stroke="#ffffff" stroke-opacity="0.7" stroke-width="6" stroke-linecap="round"/>\n'
    # star on the bowl
    star = []
    for i in range(10):
        r = 20 if i % 2 == 0 else 8.5
        a = math.radians(-90 + i * 36)
        star.append((96 + r * math.cos(a), 70 + r * math.sin(a)))
    b += '<polygon points="%s" fill="#fff6c4" stroke="#b0700c" stroke-width="2.5" stroke-linejoin="round"/>\n' % m.pts(star)
    # knot and foot
    b += '<rect x="74" y="142" width="39" height="10" rx="5" fill="url(#gold)" stroke="%s" stroke-width="3"/>\n' % O
    b += '<path d="M80,152 H107 L122,178 H65 Z" fill="url(#gold)" stroke="%s" stroke-width="3" stroke-linejoin="round"/>\n' % O
    # plinth with a plate
    b += '<rect x="44" y="178" width="99" height="50" rx="4" fill="url(#wood)" stroke="%s" stroke-width="3"/>\n' % O
    b += '<path d="M48,183 H139" stroke="#ffffff" stroke-opacity="0.3" stroke-width="3" stroke-linecap="round"/>\n'
    b += '<rect x="62" y="193" width="63" height="21" rx="3" fill="url(#gold)" stroke="%s" stroke-width="2.5"/>\n' % O
    b += '<path d="M70,201 H117 M76,207 H111" stroke="#8a5a0c" stroke-width="2" stroke-linecap="round"/>\n'
    # sparkles
    for x, y, s in ((24, 14, 6), (166, 8, 5), (170, 150, 4), (16, 140, 3.5)):
        b += '<path d="M%s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Q%s,%s %s,%s Z" fill="#ffe066" stroke="#b0700c" stroke-width="1.2"/>\n' % (
            f(x), f(y - 2 * s), f(x), f(y), f(x + 2 * s), f(y), f(x), f(y), f(x), f(y + 2 * s),
            f(x), f(y), f(x - 2 * s), f(y), f(x), f(y), f(x), f(y - 2 * s))
    m.svg("trophy.svg", W, H, b, defs)


def logo():
    O = m.O
    W, H = 400, 128
    defs = (m.lin("bg", [(0, "#fffaf0"), (1, "#f6ead2")], 0, 0, 0, 1)
            + m.lin("badge", [(0, "#ffb35c"), (1, "#e0652a")])
            + m.lin("leaf", [(0, "#8fd46a"), (1, "#3f9a3a")]))
    b = '<rect x="0" y="0" width="%d" height="%d" fill="url(#bg)"/>\n' % (W, H)
    b += '<path d="M0,112 C120,100 280,124 400,108 V128 H0 Z" fill="#f0dcb4"/>\n'
    # the mark: a rounded badge with a P and a sprouting leaf
    b += '<rect x="30" y="22" width="80" height="80" rx="22" fill="url(#badge)" stroke="%s" stroke-width="3"/>\n' % O
    b += '<path d="M38,44 C40,32 48,28 58,28" fill="none" stroke="#ffffff" stroke-opacity="0.6" stroke-width="4" stroke-linecap="round"/>\n'
    p = "M56,88 V40 H72 C92,40 92,68 72,68 H56"
    b += '<path d="%s" fill="none" stroke="%s" stroke-width="15" stroke-linecap="round" stroke-linejoin="round"/>\n' % (p, O)
    b += '<path d="%s" fill="none" stroke="#ffffff" stroke-width="9" stroke-linecap="round" stroke-linejoin="round"/>\n' % p
    b += '<path d="M92,30 C98,14 114,12 120,14 C118,24 108,34 92,30 Z" fill="url(#leaf)" stroke="%s" stroke-width="3" stroke-linejoin="round"/>\n' % O
    b += '<path d="M94,28 C100,24 106,20 112,18" fill="none" stroke="%s" stroke-width="1.5" stroke-linecap="round"/>\n' % O
    # the word
    t = '<text x="130" y="78" font-family="%s" font-size="48" font-weight="bold" ' % m.FONT
    b += t + 'fill="#2f3e55">Pell<tspan fill="#e0652a">mark</tspan></text>\n'
    b += ('<text x="135" y="101" font-family="%s" font-size="13" fill="#6b5a48" '
          'letter-spacing="2">GAMES FOR THE WHOLE FAMILY</text>\n' % m.FONT)
    m.svg("logo.svg", W, H, b, defs)


def casino():
    O = m.O
    W, H = 198, 204
    defs = (m.lin("wall", [(0, "#f3d9b0"), (1, "#fbeed6")], 0, 0, 0, 1)
            + m.lin("calm", [(0, "#fff8ea"), (1, "#fdf2dc")], 0, 0, 0, 1)
            + m.lin("cab", [(0, "#ff6f5a"), (1, "#b8261c")])
            + m.lin("trim", [(0, "#fff1a0"), (0.5, "#f4c03a"), (1, "#c0800f")], 0, 0, 1, 0)
            + m.lin("screen", [(0, "#ffffff"), (1, "#dfe8f2")], 0, 0, 0, 1)
            + m.lin("skin", [(0, "#ffd9b8"), (1, "#eeb08a")])
            + m.lin("dress", [(0, "#6fb3e8"), (1, "#2f6fb8")])
            + m.lin("hair", [(0, "#8a4a22"), (1, "#5a2c12")])
            + m.lin("steel", [(0, "#ffffff"), (1, "#8b9096")])
            + m.rad("coin", [(0, "#fff4b0"), (0.6, "#f5c242"), (1, "#c8871a")], cx=0.35, cy=0.3, r=0.8))
    b = '<rect x="0" y="0" width="%d" height="%d" fill="url(#wall)"/>\n' % (W, 118)
    # a few soft wall lights
    for x in (18, 96, 176):
        b += '<circle cx="%d" cy="10" r="16" fill="#fff6dc" fill-opacity="0.6"/>\n' % x
    # carpet strip the scene stands on, then the calm lower area for the text and button
    b += '<rect x="0" y="104" width="%d" height="12" fill="#b23a48"/>\n' % W
    b += '<path d="M0,104 H%d" stroke="%s" stroke-width="2"/>\n' % (W, O)
    b += '<rect x="0" y="116" width="%d" height="%d" fill="url(#calm)"/>\n' % (W, H - 116)
    b += '<path d="M0,116 H%d" stroke="#d9a441" stroke-width="2"/>\n' % W

    # slot machine
    b += '<path d="M112,108 V30 C112,12 186,12 186,30 V108 Z" fill="url(#cab)" stroke="%s" stroke-width="2.5" stroke-linejoin="round"/>\n' % O
    b += '<path d="M118,30 C118,20 126,17 140,17" fill="none" stroke="#ffffff" stroke-opacity="0.5" stroke-width="3" stroke-linecap="round"/>\n'
    b += '<rect x="120" y="30" width="58" height="34" rx="4" fill="url(#trim)" stroke="%s" stroke-width="2"/>\n' % O
    b += '<rect x="125" y="35" width="48" height="24" rx="2" fill="url(#screen)" stroke="%s" stroke-width="1.5"/>\n' % O
    b += '<path d="M141,35 V59 M157,35 V59" stroke="#b8c4d2" stroke-width="1.5"/>\n'
    for x in (133, 149, 165):
        b += m.dollar(x, 47, 7, 2.6, "#2f8a34")
    # light on top
    b += '<path d="M140,14 C140,4 158,4 158,14 Z" fill="#ffd54a" stroke="%s" stroke-width="2" stroke-linejoin="round"/>\n' % O
    # payout tray and coin slot
    b += '<rect x="126" y="70" width="18" height="4" rx="2" fill="#3a2a22"/>\n'
    b += '<rect x="150" y="68" width="24" height="8" rx="2" fill="url(#trim)" stroke="%s" stroke-width="1.5"/>\n' % O
    b += '<rect x="119" y="84" width="60" height="14" rx="3" fill="#5a1410" stroke="%s" stroke-width="2"/>\n' % O
    # lever
    b += '<path d="M186,66 H192 V36" fill="none" stroke="%s" stroke-width="6" stroke-linecap="round" stroke-linejoin="round"/>\n' % O
    b += '<path d="M186,66 H192 V36" fill="none" stroke="url(#steel)" stroke-width="3" stroke-linecap="round" stroke-linejoin="round"/>\n'
    b += '<circle cx="192" cy="32" r="5" fill="#e0483a" stroke="%s" stroke-width="2"/>\n' % O
    # coins spilling from the tray down to the floor
    coins = [(132, 92), (141, 94), (150, 91), (160, 93), (168, 91), (138, 100), (150, 101),
             (163, 102), (122, 104), (176, 103), (112, 108), (185, 108), (131, 110), (146, 110), (162, 111),
             (100, 110), (121, 113), (172, 113)]
    for x, y in coins:
        b += '<ellipse cx="%s" cy="%s" rx="5" ry="2.6" fill="url(#coin)" stroke="%s" stroke-width="1.2"/>\n' % (f(x), f(y), O)
    for x, y in ((106, 96), (186, 94)):
        b += '<circle cx="%s" cy="%s" r="3.6" fill="url(#coin)" stroke="%s" stroke-width="1.2"/>\n' % (f(x), f(y), O)

    # the woman, facing right, listening
    # legs and shoes
    b += '<path d="M48,88 L46,106 M62,88 L64,106" stroke="%s" stroke-width="6.5" stroke-linecap="round"/>\n' % O
    b += '<path d="M48,88 L46,106 M62,88 L64,106" stroke="url(#skin)" stroke-width="3.5" stroke-linecap="round"/>\n'
    b += '<path d="M40,108 C40,104 48,104 49,108 Z M61,108 C61,104 70,104 70,108 Z" fill="#c2334a" stroke="%s" stroke-width="2" stroke-linejoin="round"/>\n' % O
    # dress
    b += '<path d="M44,48 C48,44 62,44 66,48 L76,92 C64,96 46,96 34,92 Z" fill="url(#dress)" stroke="%s" stroke-width="2.5" stroke-linejoin="round"/>\n' % O
    b += '<path d="M40,90 C50,92 62,92 72,89" fill="none" stroke="#ffffff" stroke-opacity="0.5" stroke-width="2"/>\n'
    # back arm
    b += '<path d="M47,52 C40,64 42,74 48,78" fill="none" stroke="%s" stroke-width="7" stroke-linecap="round"/>\n' % O
    b += '<path d="M47,52 C40,64 42,74 48,78" fill="none" stroke="url(#skin)" stroke-width="4" stroke-linecap="round"/>\n'
    # neck and head
    b += '<rect x="51" y="38" width="8" height="10" fill="url(#skin)" stroke="%s" stroke-width="2"/>\n' % O
    b += '<path d="M40,24 C40,10 70,8 72,24 C74,30 74,34 70,38 C66,44 50,46 44,40 C40,36 40,30 40,24 Z" fill="url(#skin)" stroke="%s" stroke-width="2.5" stroke-linejoin="round"/>\n' % O
    # hair: a bob with a fringe, open at the face side
    b += '<path d="M38,34 C32,18 42,4 58,6 C70,7 76,14 74,24 C68,18 62,17 58,20 C56,24 54,28 52,32 C49,38 44,40 38,34 Z" fill="url(#hair)" stroke="%s" stroke-width="2.5" stroke-linejoin="round"/>\n' % O
    b += '<path d="M46,12 C52,8 60,8 66,11" fill="none" stroke="#c07a46" stroke-width="2" stroke-linecap="round"/>\n'
    b += '<path d="M71.5,27 C74.5,29 75,31 72,32" fill="url(#skin)" stroke="%s" stroke-width="2" stroke-linecap="round" stroke-linejoin="round"/>\n' % O
    # face: closed eye (listening), smile, cheek
    b += '<path d="M62,25 Q65,27.5 68,25" fill="none" stroke="%s" stroke-width="2" stroke-linecap="round"/>\n' % O
    b += '<path d="M63,34 Q67,37 70,33" fill="none" stroke="%s" stroke-width="1.8" stroke-linecap="round"/>\n' % O
    b += '<circle cx="63" cy="30.5" r="3" fill="#ff8a8a" fill-opacity="0.5"/>\n'
    # ear with the stethoscope ear piece
    b += '<ellipse cx="54" cy="28" rx="3.5" ry="4.5" fill="url(#skin)" stroke="%s" stroke-width="2"/>\n' % O
    # stethoscope tube: from the ear, round the neck, out to the hand on the machine
    tube = "M55,28 C52,40 50,50 58,56 C66,62 86,60 100,58 L108,57"
    b += '<path d="%s" fill="none" stroke="%s" stroke-width="5" stroke-linecap="round" stroke-linejoin="round"/>\n' % (tube, O)
    b += '<path d="%s" fill="none" stroke="#4a4756" stroke-width="2.5" stroke-linecap="round" stroke-linejoin="round"/>\n' % tube
    b += '<circle cx="55" cy="28" r="2.4" fill="#c9ced4" stroke="%s" stroke-width="1.5"/>\n' % O
    # front arm reaching to the machine, holding the chest piece on it
    b += '<path d="M62,52 C74,60 90,56 104,54" fill="none" stroke="%s" stroke-width="8" stroke-linecap="round"/>\n' % O
    b += '<path d="M62,52 C74,60 90,56 104,54" fill="none" stroke="url(#skin)" stroke-width="5" stroke-linecap="round"/>\n'
    b += '<path d="M62,51 C66,54 68,56 70,57" fill="none" stroke="url(#dress)" stroke-width="5" stroke-linecap="round"/>\n'
    b += '<circle cx="110" cy="56" r="6" fill="url(#steel)" stroke="%s" stroke-width="2"/>\n' % O
    b += '<circle cx="110" cy="56" r="2.6" fill="#8b9096"/>\n'
    b += '<ellipse cx="104" cy="54.5" rx="4" ry="3.4" fill="url(#skin)" stroke="%s" stroke-width="1.8"/>\n' % O
    # music-like sound marks from the machine to her ear
    b += '<path d="M103,44 C99,40 99,34 103,30 M97,48 C91,42 91,32 97,26" fill="none" stroke="#d2302a" stroke-width="2.2" stroke-linecap="round"/>\n'
    m.svg("casino.svg", W, H, b, defs)


def run(mod):
    global m
    m = mod
    icons()
    background()
    splash()
    app_icon()
    trophy()
    logo()
    casino()
