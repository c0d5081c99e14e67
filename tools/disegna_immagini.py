#!/usr/bin/python3
"""Draws every picture of Melodora into resources/img/<name>.png.

    /usr/bin/python3 tools/disegna_immagini.py [output folder]

Flat, rounded shapes in one palette. Each picture is drawn at SOVRA times its stored
size and reduced with a Lanczos filter, so every edge is anti-aliased. The stored PNG is
DENSITA times the size at which the window shows it: Qt scales pictures into their
rectangles, and the extra pixels keep them sharp on screens scaled to 200%.
Backgrounds are transparent.

The volume slider's track and knob are not drawn here: the volume window draws them.
"""

import math
import os
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

LANCZOS = getattr(Image, "Resampling", Image).LANCZOS
BILINEAR = getattr(Image, "Resampling", Image).BILINEAR

SOVRA = 4  # supersampling factor while drawing
DENSITA = 2  # stored pixels per pixel on screen

# The palette.
BLU = (47, 111, 214)
BLU_SCURO = (28, 72, 150)
BLU_CHIARO = (112, 164, 240)
AZZURRO = (214, 230, 252)
VIOLA = (112, 72, 206)
VERDE = (40, 160, 100)
VERDE_CHIARO = (86, 200, 138)
ROSSO = (226, 72, 62)
ROSSO_SCURO = (176, 38, 34)
AMBRA = (242, 160, 36)
ARANCIO = (240, 130, 40)
INCHIOSTRO = (43, 52, 69)
GRIGIO = (120, 132, 152)
GRIGIO_CHIARO = (214, 220, 230)
CARTA = (255, 255, 255)
BORDO_CARTA = (150, 162, 184)
LEGNO = (196, 120, 52)
LEGNO_SCURO = (120, 70, 30)

CARATTERI = {
    "sans-bold": [
        "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
        "/usr/share/fonts/truetype/liberation/LiberationSans-Bold.ttf",
    ],
    "sans-cond-bold": [
        "/usr/share/fonts/truetype/dejavu/DejaVuSansCondensed-Bold.ttf",
        "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf",
    ],
    "serif-bold-italic": [
        "/usr/share/fonts/truetype/dejavu/DejaVuSerif-BoldItalic.ttf",
        "/usr/share/fonts/truetype/liberation/LiberationSerif-BoldItalic.ttf",
    ],
}


def carattere(nome, dimensione):
    for percorso in CARATTERI[nome]:
        if os.path.exists(percorso):
            return ImageFont.truetype(percorso, max(1, int(round(dimensione))))
    sys.exit("manca il carattere %s (pacchetti fonts-dejavu-core o fonts-liberation)" % nome)


class Gradiente:
    """A linear gradient from c1 at point p1 to c2 at point p2 (design units)."""

    def __init__(self, c1, c2, p1, p2):
        self.c1, self.c2, self.p1, self.p2 = c1, c2, p1, p2


def rgba(c):
    return c if len(c) == 4 else (c[0], c[1], c[2], 255)


def mescola(c1, c2, t):
    a, b = rgba(c1), rgba(c2)
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(4))


def schiarisci(c, t):
    return mescola(c, (255, 255, 255), t)[:3]


def scurisci(c, t):
    return mescola(c, (0, 0, 0), t)[:3]


class Tela:
    """A transparent canvas of w x h screen pixels; shapes are given in design units
    (by default one unit is one screen pixel; `spazio` sets the design width)."""

    def __init__(self, w, h, spazio=None):
        self.w, self.h = w, h
        self.k = SOVRA * DENSITA * (w / spazio if spazio else 1.0)
        self.dim = (int(round(w * DENSITA * SOVRA)), int(round(h * DENSITA * SOVRA)))
        self.img = Image.new("RGBA", self.dim, (0, 0, 0, 0))

    # Units.
    def s(self, v):
        return v * self.k

    def p(self, punti):
        return [(x * self.k, y * self.k) for x, y in punti]

    # Masks: an "L" picture of the canvas's size with one shape in it.
    def vuota(self):
        return Image.new("L", self.dim, 0)

    def m_rett(self, x0, y0, x1, y1, r=0.0):
        m = self.vuota()
        ImageDraw.Draw(m).rounded_rectangle(
            [self.s(x0), self.s(y0), self.s(x1), self.s(y1)], radius=self.s(r), fill=255
        )
        return m

    def m_ellisse(self, cx, cy, rx, ry=None, angolo=0.0):
        ry = rx if ry is None else ry
        m = self.vuota()
        if angolo == 0.0:
            ImageDraw.Draw(m).ellipse(
                [self.s(cx - rx), self.s(cy - ry), self.s(cx + rx), self.s(cy + ry)], fill=255
            )
            return m
        a = math.radians(angolo)
        punti = []
        for i in range(96):
            t = 2 * math.pi * i / 96
            x, y = rx * math.cos(t), ry * math.sin(t)
            punti.append((cx + x * math.cos(a) - y * math.sin(a), cy + x * math.sin(a) + y * math.cos(a)))
        ImageDraw.Draw(m).polygon(self.p(punti), fill=255)
        return m

    def m_poligono(self, punti, r=0.0):
        """A polygon; with r > 0 its corners are rounded (the outline grows by r)."""
        m = self.vuota()
        d = ImageDraw.Draw(m)
        pp = self.p(punti)
        d.polygon(pp, fill=255)
        if r > 0:
            d.line(pp + [pp[0]], fill=255, width=int(round(self.s(2 * r))), joint="curve")
            for x, y in pp:
                d.ellipse([x - self.s(r), y - self.s(r), x + self.s(r), y + self.s(r)], fill=255)
        return m

    def m_tratto(self, punti, larghezza, tondo=True):
        m = self.vuota()
        d = ImageDraw.Draw(m)
        pp = self.p(punti)
        w = self.s(larghezza)
        d.line(pp, fill=255, width=int(round(w)), joint="curve")
        if tondo:
            for x, y in (pp[0], pp[-1]):
                d.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=255)
        return m

    def m_arco(self, cx, cy, r, inizio, fine, larghezza, tondo=True):
        """An arc of a circle; angles in degrees, 0 at three o'clock, clockwise."""
        m = self.vuota()
        d = ImageDraw.Draw(m)
        w = self.s(larghezza)
        rr = self.s(r) + w / 2
        c = (self.s(cx), self.s(cy))
        d.arc([c[0] - rr, c[1] - rr, c[0] + rr, c[1] + rr], inizio, fine, fill=255, width=int(round(w)))
        if tondo:
            for a in (inizio, fine):
                x = c[0] + self.s(r) * math.cos(math.radians(a))
                y = c[1] + self.s(r) * math.sin(math.radians(a))
                d.ellipse([x - w / 2, y - w / 2, x + w / 2, y + w / 2], fill=255)
        return m

    def m_testo(self, x, y, testo, nome, dimensione, ancora="ls"):
        m = self.vuota()
        ImageDraw.Draw(m).text(
            (self.s(x), self.s(y)), testo, font=carattere(nome, self.s(dimensione)), fill=255, anchor=ancora
        )
        return m

    def m_testo_centrato(self, cx, cy, testo, nome, dimensione):
        """Text whose inked box is centred on (cx, cy)."""
        f = carattere(nome, self.s(dimensione))
        x0, y0, x1, y1 = ImageDraw.Draw(self.vuota()).textbbox((0, 0), testo, font=f, anchor="ls")
        m = self.vuota()
        ImageDraw.Draw(m).text(
            (self.s(cx) - (x0 + x1) / 2, self.s(cy) - (y0 + y1) / 2), testo, font=f, fill=255, anchor="ls"
        )
        return m

    def misura_testo(self, testo, nome, dimensione):
        """The inked box of a text drawn at the origin's baseline, in design units."""
        f = carattere(nome, self.s(dimensione))
        box = ImageDraw.Draw(self.vuota()).textbbox((0, 0), testo, font=f, anchor="ls")
        return tuple(v / self.k for v in box)

    # Mask algebra.
    @staticmethod
    def unione(*maschere):
        m = maschere[0]
        for altra in maschere[1:]:
            m = ImageChops.lighter(m, altra)
        return m

    @staticmethod
    def meno(m, altra):
        return ImageChops.subtract(m, altra)

    @staticmethod
    def dentro(m, altra):
        return ImageChops.multiply(m, altra)

    # Painting.
    def riempimento(self, colore):
        if isinstance(colore, Gradiente):
            return self.gradiente(colore)
        return Image.new("RGBA", self.dim, rgba(colore))

    def gradiente(self, g):
        w, h = self.dim
        (x1, y1), (x2, y2) = self.p([g.p1, g.p2])
        dx, dy = x2 - x1, y2 - y1
        n2 = dx * dx + dy * dy or 1.0
        # t is linear in x and y: build it from two small ramps and resize.
        passi = 256
        c1, c2 = rgba(g.c1), rgba(g.c2)
        tavola = [mescola(c1, c2, i / (passi - 1)) for i in range(passi)]
        piccola = Image.new("L", (64, 64))
        piccola.putdata(
            [
                int(max(0.0, min(1.0, (((i % 64) + 0.5) * w / 64 - x1) * dx / n2 + (((i // 64) + 0.5) * h / 64 - y1) * dy / n2)) * 255)
                for i in range(64 * 64)
            ]
        )
        t = piccola.resize(self.dim, BILINEAR)
        canali = [t.point([tavola[v][c] for v in range(256)]) for c in range(4)]
        return Image.merge("RGBA", canali)

    def dipingi(self, m, colore, opacita=1.0):
        strato = self.riempimento(colore)
        a = ImageChops.multiply(strato.getchannel("A"), m)
        if opacita < 1.0:
            a = a.point(lambda v: int(v * opacita))
        strato.putalpha(a)
        self.img.alpha_composite(strato)

    def buca(self, m):
        """Makes the shape transparent."""
        self.img.putalpha(ImageChops.subtract(self.img.getchannel("A"), m))

    def contorno(self, m, larghezza, colore):
        """Paints a band of the given width just inside the shape's edge."""
        interno = m.filter(ImageFilter.MinFilter(self._dispari(self.s(larghezza) * 2)))
        self.dipingi(self.meno(m, interno), colore)

    @staticmethod
    def _dispari(v):
        n = max(3, int(round(v)))
        return n if n % 2 else n + 1

    def ombra(self, dx=0.0, dy=0.8, sfocatura=0.8, alfa=0.35, colore=(16, 28, 52)):
        """Puts a soft shadow of everything drawn so far beneath it."""
        a = self.img.getchannel("A").point(lambda v: int(v * alfa))
        sotto = Image.new("RGBA", self.dim, colore + (0,))
        sotto.putalpha(a)
        sotto = sotto.filter(ImageFilter.GaussianBlur(self.s(sfocatura)))
        spostata = Image.new("RGBA", self.dim, (0, 0, 0, 0))
        spostata.paste(sotto, (int(round(self.s(dx))), int(round(self.s(dy)))))
        spostata.alpha_composite(self.img)
        self.img = spostata

    def salva(self, cartella, nome):
        finale = (int(round(self.w * DENSITA)), int(round(self.h * DENSITA)))
        # Reduce with premultiplied alpha so that transparent pixels do not darken edges.
        ridotta = self.img.convert("RGBa").resize(finale, LANCZOS).convert("RGBA")
        ridotta.save(os.path.join(cartella, nome + ".png"), optimize=True)


# ---------------------------------------------------------------- shared motifs


def foglio(t, x0, y0, x1, y1, piega=0.0, r=1.2, bordo=1.0):
    """A white sheet with a thin grey-blue edge, optionally with a folded corner."""
    if piega:
        m = t.m_poligono(
            [(x0 + r, y0 + r), (x1 - piega, y0 + r), (x1 - r, y0 + piega), (x1 - r, y1 - r), (x0 + r, y1 - r)], r
        )
    else:
        m = t.m_rett(x0, y0, x1, y1, r)
    t.dipingi(m, CARTA)
    t.contorno(m, bordo, BORDO_CARTA)
    if piega:
        orecchio = t.m_poligono([(x1 - piega, y0 + 0.3), (x1 - piega, y0 + piega), (x1 - 0.3, y0 + piega)], r * 0.5)
        t.dipingi(orecchio, GRIGIO_CHIARO)
        t.contorno(orecchio, bordo * 0.8, BORDO_CARTA)
    return m


def nota_doppia(t, x, y, u, colore):
    """Two beamed eighth notes; (x, y) top-left of a box of 16 x 16 units times u."""
    def P(a, b):
        return (x + a * u, y + b * u)

    teste = t.unione(
        t.m_ellisse(*P(4.6, 12.6), 2.7 * u, 2.0 * u, angolo=-22),
        t.m_ellisse(*P(12.0, 11.0), 2.7 * u, 2.0 * u, angolo=-22),
    )
    aste = t.unione(
        t.m_tratto([P(7.0, 12.2), P(7.0, 3.2)], 1.35 * u, tondo=False),
        t.m_tratto([P(14.4, 10.6), P(14.4, 1.6)], 1.35 * u, tondo=False),
    )
    trave = t.m_poligono([P(6.4, 2.8), P(15.05, 1.0), P(15.05, 4.2), P(6.4, 6.0)], 0.2 * u)
    m = t.unione(teste, aste, trave)
    t.dipingi(m, colore)
    return m


def nota_singola(t, x, y, u, colore):
    """An eighth note; (x, y) top-left of a box of 10 x 14 units times u."""
    def P(a, b):
        return (x + a * u, y + b * u)

    testa = t.m_ellisse(*P(3.4, 11.2), 2.9 * u, 2.15 * u, angolo=-22)
    asta = t.m_tratto([P(5.95, 10.8), P(5.95, 1.0)], 1.3 * u, tondo=False)
    bandiera = t.m_poligono(
        [P(5.6, 0.6), P(6.6, 0.6), P(8.6, 3.0), P(9.4, 5.6), P(8.6, 8.0), P(8.4, 5.8), P(6.6, 4.4), P(5.6, 4.4)], 0.15 * u
    )
    m = t.unione(testa, asta, bandiera)
    t.dipingi(m, colore)
    return m


def lente(t, cx, cy, r, spessore, manico, larghezza_manico, con_piu=False):
    """A magnifying glass: ring, glass with a highlight, handle towards the lower right."""
    d = (r + spessore * 0.3) / math.sqrt(2)
    t.dipingi(
        t.m_tratto([(cx + d, cy + d), (cx + d + manico, cy + d + manico)], larghezza_manico),
        Gradiente(schiarisci(INCHIOSTRO, 0.15), INCHIOSTRO, (cx, cy), (cx + r + manico, cy + r + manico)),
    )
    vetro = t.m_ellisse(cx, cy, r)
    t.dipingi(vetro, AZZURRO + (235,))
    t.dipingi(t.m_arco(cx, cy, r * 0.62, 195, 255, spessore * 0.45), CARTA, 0.9)
    anello = t.meno(t.m_ellisse(cx, cy, r + spessore / 2), t.m_ellisse(cx, cy, r - spessore / 2))
    t.dipingi(anello, Gradiente(BLU_CHIARO, BLU_SCURO, (cx - r, cy - r), (cx + r, cy + r)))
    if con_piu:
        b = r * 0.55
        w = spessore * 0.8
        t.dipingi(t.unione(t.m_tratto([(cx - b, cy), (cx + b, cy)], w), t.m_tratto([(cx, cy - b), (cx, cy + b)], w)), BLU_SCURO)


def distintivo(t, cx, cy, r, colore, simbolo=None, dimensione=None, nome="sans-bold"):
    """A round badge with a soft gradient and an optional white symbol."""
    m = t.m_ellisse(cx, cy, r)
    t.dipingi(m, Gradiente(schiarisci(colore, 0.25), scurisci(colore, 0.18), (cx, cy - r), (cx, cy + r)))
    t.contorno(m, max(0.5, r * 0.06), scurisci(colore, 0.3) + (150,))
    lucido = t.dentro(t.m_ellisse(cx, cy - r * 0.55, r * 0.78, r * 0.45), m)
    t.dipingi(lucido, CARTA, 0.16)
    if simbolo:
        t.dipingi(t.m_testo_centrato(cx, cy + r * 0.02, simbolo, nome, dimensione or r * 1.45), CARTA)
    return m


def triangolo(t, punti, r, colore):
    m = t.m_poligono(punti, r)
    ys = [y for _, y in punti]
    t.dipingi(m, Gradiente(schiarisci(colore, 0.2), scurisci(colore, 0.12), (0, min(ys)), (0, max(ys))))
    return m


def chitarra(t, u, ox=0.0, oy=0.0):
    """A guitar tilted 45 degrees in a box of 16 x 16 units times u."""
    def P(a, b):
        return (ox + a * u, oy + b * u)

    manico = t.m_tratto([P(7.6, 8.4), P(13.2, 2.8)], 1.7 * u, tondo=False)
    t.dipingi(manico, LEGNO_SCURO)
    paletta = t.m_poligono([P(12.4, 2.6), P(14.2, 0.8), P(15.4, 2.0), P(13.6, 3.8)], 0.3 * u)
    t.dipingi(paletta, INCHIOSTRO)
    corpo = t.unione(t.m_ellisse(*P(5.2, 10.8), 4.2 * u), t.m_ellisse(*P(8.2, 7.8), 3.0 * u))
    t.dipingi(corpo, Gradiente(schiarisci(LEGNO, 0.25), LEGNO, P(3, 7), P(9, 14)))
    t.contorno(corpo, 0.55 * u, LEGNO_SCURO)
    t.dipingi(t.m_ellisse(*P(6.9, 9.1), 1.35 * u), INCHIOSTRO)
    t.dipingi(t.m_tratto([P(3.1, 11.3), P(4.7, 12.9)], 0.9 * u), INCHIOSTRO)
    t.dipingi(t.m_tratto([P(4.2, 11.8), P(13.4, 2.6)], 0.28 * u, tondo=False), GRIGIO_CHIARO, 0.85)


def microfono(t, u, ox=0.0, oy=0.0):
    """A stage microphone in a box of 16 x 16 units times u."""
    def P(a, b):
        return (ox + a * u, oy + b * u)

    t.dipingi(t.m_arco(*P(8, 6.6), 4.3 * u, 0, 180, 1.2 * u), INCHIOSTRO)
    t.dipingi(t.m_tratto([P(8, 11.2), P(8, 14.0)], 1.3 * u, tondo=False), INCHIOSTRO)
    t.dipingi(t.m_tratto([P(5.0, 14.6), P(11.0, 14.6)], 1.4 * u), INCHIOSTRO)
    capsula = t.m_rett(*P(5.3, 0.9), *P(10.7, 10.0), 2.7 * u)
    t.dipingi(capsula, Gradiente(BLU_CHIARO, BLU_SCURO, P(5, 0), P(11, 10)))
    for yy in (3.4, 5.4):
        t.dipingi(t.dentro(t.m_tratto([P(5.0, yy), P(11.0, yy)], 0.6 * u, tondo=False), capsula), CARTA, 0.55)


def persona(t, cx, cima, scala, colore):
    """A head and shoulders, `cima` the top of the head; scala is the head's radius."""
    testa = t.m_ellisse(cx, cima + scala, scala)
    spalle = t.m_ellisse(cx, cima + scala * 4.3, scala * 1.85, scala * 1.75)
    taglio = t.m_rett(cx - scala * 3, cima + scala * 2.35, cx + scala * 3, cima + scala * 4.4)
    m = t.unione(testa, t.dentro(spalle, taglio))
    t.dipingi(m, colore)
    return m


# ---------------------------------------------------------------- the pictures


def disegna_trova(cartella):
    t = Tela(32, 32)
    lente(t, 13.0, 13.0, 8.4, 3.0, 8.2, 4.6)
    t.ombra()
    t.salva(cartella, "trova")


def disegna_listamp3(cartella):
    t = Tela(32, 32)
    foglio(t, 4.5, 2.5, 24.5, 29.5, r=1.8, bordo=1.1)
    for i, y in enumerate((8.5, 13.5, 18.5)):
        t.dipingi(t.m_ellisse(9.0, y, 1.3), BLU)
        t.dipingi(t.m_tratto([(12.0, y), (20.5 if i < 2 else 15.5, y)], 1.7), GRIGIO)
    distintivo(t, 23.5, 23.0, 7.3, BLU)
    nota_singola(t, 20.0, 16.9, 0.88, CARTA)
    t.ombra()
    t.salva(cartella, "listamp3")


def disegna_nuovo(cartella):
    t = Tela(32, 32)
    foglio(t, 4.5, 2.5, 24.5, 29.5, piega=6.5, r=1.3, bordo=1.1)
    distintivo(t, 23.5, 23.0, 7.3, VERDE)
    t.dipingi(t.unione(t.m_tratto([(19.6, 23.0), (27.4, 23.0)], 2.3), t.m_tratto([(23.5, 19.1), (23.5, 26.9)], 2.3)), CARTA)
    t.ombra()
    t.salva(cartella, "nuovo")


def disegna_salva(cartella):
    t = Tela(32, 32)
    # The cut corner at the top right.
    corpo = t.meno(t.m_rett(3.5, 3.5, 28.5, 28.5, 3.0), t.m_poligono([(22.8, 2.0), (30.0, 2.0), (30.0, 9.2)]))
    t.dipingi(corpo, Gradiente(BLU_CHIARO, BLU_SCURO, (3, 3), (29, 29)))
    t.contorno(corpo, 0.8, scurisci(BLU_SCURO, 0.2) + (160,))
    otturatore = t.m_rett(9.0, 3.5, 21.5, 12.0, 1.0)
    t.dipingi(otturatore, Gradiente((236, 240, 246), (188, 198, 214), (0, 3.5), (0, 12)))
    t.dipingi(t.m_rett(16.5, 5.2, 19.5, 10.3, 0.6), BLU_SCURO)
    etichetta = t.m_rett(7.5, 16.0, 24.5, 28.5, 1.6)
    t.dipingi(etichetta, CARTA)
    for y in (19.8, 23.4):
        t.dipingi(t.m_tratto([(10.5, y), (21.5, y)], 1.2), GRIGIO_CHIARO)
    t.ombra()
    t.salva(cartella, "salva")


def disegna_elimina(cartella):
    t = Tela(32, 32)
    rosso = Gradiente(schiarisci(ROSSO, 0.15), ROSSO_SCURO, (0, 10), (0, 30))
    t.dipingi(t.meno(t.m_rett(12.0, 3.0, 20.0, 8.0, 1.6), t.m_rett(14.0, 5.0, 18.0, 8.0, 0.5)), ROSSO_SCURO)
    t.dipingi(t.m_rett(5.0, 6.8, 27.0, 10.6, 1.6), Gradiente(schiarisci(ROSSO, 0.2), ROSSO, (0, 6.8), (0, 10.6)))
    corpo = t.m_poligono([(7.8, 12.0), (24.2, 12.0), (22.6, 28.0), (9.4, 28.0)], 1.0)
    t.dipingi(corpo, rosso)
    for x0, x1 in ((12.2, 12.6), (16.0, 16.0), (19.8, 19.4)):
        t.dipingi(t.m_tratto([(x0, 15.0), (x1, 25.2)], 1.5), CARTA, 0.75)
    t.ombra()
    t.salva(cartella, "elimina")


def disegna_stampa(cartella):
    t = Tela(32, 32)
    foglio(t, 8.5, 2.5, 23.5, 13.0, r=0.8, bordo=1.0)
    corpo = t.m_rett(3.0, 10.5, 29.0, 23.5, 3.0)
    t.dipingi(corpo, Gradiente((104, 116, 138), (58, 66, 84), (0, 10.5), (0, 23.5)))
    t.dipingi(t.m_rett(7.0, 18.0, 25.0, 20.0, 1.0), INCHIOSTRO)
    t.dipingi(t.m_ellisse(25.0, 14.0, 1.3), VERDE_CHIARO)
    foglio(t, 8.5, 18.8, 23.5, 29.5, r=0.8, bordo=1.0)
    for y in (22.6, 25.6):
        t.dipingi(t.m_tratto([(11.0, y), (21.0 if y < 25 else 17.5, y)], 1.2), BLU_CHIARO)
    t.ombra()
    t.salva(cartella, "stampa")


def disegna_navigazione(cartella):
    for nome, barra, punti in (
        ("primo", (4.6, 6.2, 7.8, 19.8), [(20.5, 7.0), (20.5, 19.0), (10.6, 13.0)]),
        ("indietro", None, [(17.8, 7.0), (17.8, 19.0), (7.9, 13.0)]),
        ("avanti", None, [(8.2, 7.0), (8.2, 19.0), (18.1, 13.0)]),
        ("ultimo", (18.2, 6.2, 21.4, 19.8), [(5.5, 7.0), (5.5, 19.0), (15.4, 13.0)]),
    ):
        t = Tela(26, 26)
        triangolo(t, punti, 1.3, BLU)
        if barra:
            t.dipingi(t.m_rett(*barra, 1.2), Gradiente(schiarisci(BLU, 0.2), scurisci(BLU, 0.12), (0, 6), (0, 20)))
        t.ombra(dy=0.6, sfocatura=0.6, alfa=0.3)
        t.salva(cartella, nome)


def disegna_riproduzione(cartella):
    t = Tela(20, 20)
    triangolo(t, [(6.6, 4.8), (6.6, 15.2), (15.4, 10.0)], 1.1, VERDE)
    t.ombra(dy=0.5, sfocatura=0.5, alfa=0.3)
    t.salva(cartella, "play")

    t = Tela(20, 20)
    for x in (4.8, 11.4):
        t.dipingi(t.m_rett(x, 4.2, x + 3.8, 15.8, 1.1), Gradiente(schiarisci(AMBRA, 0.2), scurisci(AMBRA, 0.1), (0, 4), (0, 16)))
    t.ombra(dy=0.5, sfocatura=0.5, alfa=0.3)
    t.salva(cartella, "pause")

    t = Tela(20, 20)
    t.dipingi(t.m_rett(4.6, 4.6, 15.4, 15.4, 1.8), Gradiente(schiarisci(ROSSO, 0.2), ROSSO_SCURO, (0, 4.6), (0, 15.4)))
    t.ombra(dy=0.5, sfocatura=0.5, alfa=0.3)
    t.salva(cartella, "stop")

    t = Tela(20, 20)
    cassa = t.m_poligono([(2.8, 7.6), (6.2, 7.6), (10.6, 3.8), (10.6, 16.2), (6.2, 12.4), (2.8, 12.4)], 0.7)
    t.dipingi(cassa, Gradiente(BLU_CHIARO, BLU_SCURO, (2, 4), (11, 16)))
    t.dipingi(t.m_arco(11.0, 10.0, 3.3, -42, 42, 1.5), BLU)
    t.dipingi(t.m_arco(11.0, 10.0, 6.2, -45, 45, 1.5), BLU)
    t.ombra(dy=0.5, sfocatura=0.5, alfa=0.3)
    t.salva(cartella, "volume")


def disegna_gomma(cartella):
    t = Tela(20, 20)
    a = math.radians(-40)
    ca, sa = math.cos(a), math.sin(a)

    def R(x, y):  # rotate around the eraser's centre
        return (10.0 + x * ca - y * sa, 9.6 + x * sa + y * ca)

    t.dipingi(t.m_tratto([(3.0, 17.6), (17.0, 17.6)], 1.0), GRIGIO, 0.7)
    punta = t.m_poligono([R(-7.8, -3.4), R(-2.6, -3.4), R(-2.6, 3.4), R(-7.8, 3.4)], 0.6)
    t.dipingi(punta, Gradiente((250, 160, 178), (222, 94, 120), R(0, -4), R(0, 4)))
    manica = t.m_poligono([R(-2.6, -3.4), R(7.8, -3.4), R(7.8, 3.4), R(-2.6, 3.4)], 0.6)
    t.dipingi(manica, Gradiente(BLU_CHIARO, BLU_SCURO, R(0, -4), R(0, 4)))
    t.dipingi(t.m_tratto([R(-2.6, -3.6), R(-2.6, 3.6)], 0.6, tondo=False), CARTA, 0.9)
    t.ombra(dy=0.4, sfocatura=0.5, alfa=0.25)
    t.salva(cartella, "gomma")


def disegna_decorazioni(cartella):
    t = Tela(16, 16)
    nota_doppia(t, 0.0, 0.4, 0.97, Gradiente(BLU_CHIARO, BLU_SCURO, (0, 0), (16, 16)))
    t.salva(cartella, "brano")

    t = Tela(16, 16)
    microfono(t, 1.0)
    t.salva(cartella, "artista")

    t = Tela(16, 16)
    chitarra(t, 1.0)
    t.salva(cartella, "genere")

    t = Tela(16, 16)
    foglio(t, 2.0, 0.5, 14.0, 15.5, piega=4.0, r=0.7, bordo=0.8)
    nota_singola(t, 4.8, 4.6, 0.74, BLU)
    t.salva(cartella, "mp3")


def disegna_guida(cartella):
    t = Tela(29, 28)
    distintivo(t, 14.5, 13.6, 12.2, BLU, "?", 16.0)
    t.ombra(dy=0.7, sfocatura=0.7)
    t.salva(cartella, "guida")

    t = Tela(32, 32)
    distintivo(t, 16.0, 15.6, 13.2, BLU, "?", 17.5)
    t.ombra(dy=0.7, sfocatura=0.7)
    t.salva(cartella, "imp")


def disegna_rights(cartella):
    t = Tela(23, 22)
    distintivo(t, 11.5, 10.7, 9.8, (32, 150, 160), "i", 13.0, nome="sans-bold")
    t.ombra(dy=0.6, sfocatura=0.6)
    t.salva(cartella, "rights")


def disegna_esci(cartella):
    t = Tela(17, 18)
    distintivo(t, 8.5, 8.7, 7.7, ROSSO)
    t.dipingi(t.m_arco(8.5, 9.2, 3.7, -55, 235, 1.5), CARTA)
    t.dipingi(t.m_tratto([(8.5, 4.1), (8.5, 8.6)], 1.5), CARTA)
    t.ombra(dy=0.5, sfocatura=0.5)
    t.salva(cartella, "esci")


def titolo(cartella, nome, w, h, testo, icona, dimensione_massima):
    """A window title: a picture at the left, then the words in the brand's gradient."""
    t = Tela(w, h)
    lato = h - 6.0
    icona(t, 3.0, 3.0, lato)
    x = 3.0 + lato + 6.0
    carattere_titolo = "sans-bold"
    dim = dimensione_massima
    while True:
        x0, y0, x1, y1 = t.misura_testo(testo, carattere_titolo, dim)
        if x1 - x0 <= w - x - 4 and y1 - y0 <= h - 10:
            break
        dim -= 0.5
    altezza = y1 - y0
    base = (h + altezza) / 2 - (y1 if y1 > 0 else 0) - 1.0
    scritta = t.m_testo(x - x0, base, testo, carattere_titolo, dim)
    t.dipingi(scritta, Gradiente(VIOLA, BLU, (x, 0), (x + x1 - x0, 0)))
    # A thin line under the words, like a staff line, that ends in a dot.
    fine = x + (x1 - x0)
    riga = base + 3.6
    t.dipingi(t.m_tratto([(x + 1.0, riga), (fine - 4.0, riga)], 1.4), Gradiente(ARANCIO + (40,), ARANCIO, (x, 0), (fine, 0)))
    t.dipingi(t.m_ellisse(fine - 1.6, riga, 1.6), ARANCIO)
    t.ombra(dy=0.8, sfocatura=0.9, alfa=0.28)
    t.salva(cartella, nome)


def icona_nota(t, x, y, lato):
    m = t.m_rett(x, y, x + lato, y + lato, lato * 0.24)
    t.dipingi(m, Gradiente(VIOLA, BLU, (x, y), (x + lato, y + lato)))
    t.dipingi(t.dentro(t.m_ellisse(x + lato * 0.5, y, lato * 0.75, lato * 0.5), m), CARTA, 0.12)
    u = lato * 0.72 / 16
    nota_doppia(t, x + lato * 0.13, y + lato * 0.16, u, CARTA)


def icona_ricerca(t, x, y, lato):
    m = t.m_rett(x, y, x + lato, y + lato, lato * 0.24)
    t.dipingi(m, Gradiente(VIOLA, BLU, (x, y), (x + lato, y + lato)))
    t.dipingi(t.dentro(t.m_ellisse(x + lato * 0.5, y, lato * 0.75, lato * 0.5), m), CARTA, 0.12)
    c = (x + lato * 0.43, y + lato * 0.43)
    r = lato * 0.22
    d = r / math.sqrt(2) + lato * 0.04
    t.dipingi(t.m_tratto([(c[0] + d, c[1] + d), (x + lato * 0.77, y + lato * 0.77)], lato * 0.11), CARTA)
    t.dipingi(t.meno(t.m_ellisse(*c, r + lato * 0.05), t.m_ellisse(*c, r - lato * 0.05)), CARTA)


def disegna_titoli(cartella):
    titolo(cartella, "titolo", 260, 46, "Melodora", icona_nota, 40)
    titolo(cartella, "titolo_lista", 260, 40, "Lista MP3", icona_nota, 34)
    titolo(cartella, "titolo_ricerca", 260, 40, "Trova scheda", icona_ricerca, 34)


def disegna_cd(cartella):
    t = Tela(46, 46)
    c, r = 23.0, 21.2
    disco = t.m_ellisse(c, c, r)
    t.dipingi(disco, Gradiente((240, 243, 248), (176, 186, 202), (4, 4), (42, 42)))
    # Rainbow sheen: colours that turn with the angle, faint.
    w, h = t.dim
    n = 96
    piccola = Image.new("RGBA", (n, n))
    dati = []
    for j in range(n):
        for i in range(n):
            a = math.atan2(j + 0.5 - n / 2, i + 0.5 - n / 2)
            tinta = [0.5 + 0.5 * math.cos(2 * a + fase) for fase in (0.0, 2.1, 4.2)]
            luce = max(0.0, math.cos(2 * (a - 0.6))) ** 3
            alfa = 0.22 + 0.45 * luce
            colore = [int(255 * (0.55 * v + 0.45 * luce + 0.2)) for v in tinta]
            dati.append(tuple(min(255, v) for v in colore) + (int(255 * alfa),))
    piccola.putdata(dati)
    riflesso = piccola.resize(t.dim, BILINEAR)
    riflesso.putalpha(ImageChops.multiply(riflesso.getchannel("A"), disco))
    t.img.alpha_composite(riflesso)
    t.contorno(disco, 0.7, (128, 138, 156))
    mozzo = t.m_ellisse(c, c, 7.6)
    t.dipingi(mozzo, (226, 232, 240, 235))
    t.contorno(mozzo, 0.6, (150, 160, 178))
    t.contorno(t.m_ellisse(c, c, 5.0), 0.5, (170, 178, 194))
    t.buca(t.m_ellisse(c, c, 3.4))
    t.contorno(t.meno(t.m_ellisse(c, c, 3.9), t.m_ellisse(c, c, 3.4)), 0.5, (150, 160, 178))
    t.ombra(dy=0.9, sfocatura=1.0, alfa=0.3)
    t.salva(cartella, "cd")


def disegna_melodora(cartella):
    t = Tela(64, 64)
    fondo = t.m_rett(2.0, 2.0, 62.0, 62.0, 14.0)
    t.dipingi(fondo, Gradiente(VIOLA, BLU, (2, 2), (62, 62)))
    t.dipingi(t.dentro(t.m_ellisse(32, 2, 46, 28), fondo), CARTA, 0.12)
    onda = t.m_arco(32.0, 70.0, 40.0, 235, 305, 2.4)
    t.dipingi(t.dentro(onda, fondo), ARANCIO, 0.9)
    nota_doppia(t, 13.0, 12.0, 2.35, CARTA)
    t.salva(cartella, "melodora")


def disegna_chiudi(cartella):
    t = Tela(32, 32)
    telaio = t.m_rett(4.5, 3.0, 19.5, 29.0, 1.6)
    t.dipingi(telaio, (60, 70, 90))
    t.dipingi(t.m_rett(6.2, 4.7, 17.8, 29.0, 0.8), (30, 38, 52))
    anta = t.m_poligono([(6.6, 5.0), (14.6, 7.8), (14.6, 30.4), (6.6, 28.6)], 0.5)
    t.dipingi(anta, Gradiente(schiarisci(LEGNO, 0.15), LEGNO_SCURO, (6, 5), (15, 30)))
    t.dipingi(t.m_ellisse(12.6, 18.4, 1.0), (250, 214, 120))
    freccia = t.unione(
        t.m_tratto([(17.5, 16.5), (26.0, 16.5)], 3.0),
        t.m_poligono([(23.2, 11.6), (29.4, 16.5), (23.2, 21.4)], 0.9),
    )
    t.dipingi(freccia, Gradiente(schiarisci(ROSSO, 0.15), ROSSO_SCURO, (0, 11), (0, 22)))
    t.ombra()
    t.salva(cartella, "chiudi")


def disegna_indietro_lista(cartella):
    t = Tela(32, 32)
    freccia = t.m_poligono([(4.6, 16.0), (14.0, 6.6), (14.0, 11.8), (26.8, 11.8), (26.8, 20.2), (14.0, 20.2), (14.0, 25.4)], 1.4)
    t.dipingi(freccia, Gradiente(BLU_CHIARO, BLU_SCURO, (0, 5), (0, 27)))
    t.ombra()
    t.salva(cartella, "indietro_lista")


def disegna_ricerche(cartella):
    t = Tela(24, 24)
    lente(t, 10.0, 10.0, 6.6, 2.4, 6.0, 3.6, con_piu=True)
    t.ombra(dy=0.6, sfocatura=0.6)
    t.salva(cartella, "zoom")

    t = Tela(24, 24)
    persona(t, 15.6, 2.6, 3.0, schiarisci(BLU, 0.45))
    persona(t, 9.4, 4.4, 3.6, Gradiente(BLU_CHIARO, BLU_SCURO, (4, 4), (16, 22)))
    t.ombra(dy=0.6, sfocatura=0.6)
    t.salva(cartella, "cerca_artista")

    t = Tela(24, 24)
    vinile = t.m_ellisse(15.0, 12.0, 8.0)
    t.dipingi(vinile, (34, 38, 48))
    for r in (6.2, 4.6):
        t.contorno(t.m_ellisse(15.0, 12.0, r), 0.3, (90, 98, 114))
    t.dipingi(t.m_ellisse(15.0, 12.0, 2.6), ARANCIO)
    copertina = t.m_rett(1.5, 3.5, 16.0, 20.5, 1.4)
    t.dipingi(copertina, Gradiente(BLU_CHIARO, BLU_SCURO, (1, 3), (16, 21)))
    t.dipingi(t.dentro(t.m_ellisse(8.7, 12.0, 4.8), copertina), CARTA, 0.9)
    t.dipingi(t.m_ellisse(8.7, 12.0, 1.6), BLU)
    t.ombra(dy=0.6, sfocatura=0.6)
    t.salva(cartella, "cerca_album")

    t = Tela(24, 24, spazio=16)
    chitarra(t, 1.0)
    t.ombra(dy=0.4, sfocatura=0.4)
    t.salva(cartella, "cerca_genere")


def disegna_email(cartella):
    t = Tela(40, 40)
    busta = t.m_rett(3.5, 9.0, 36.5, 32.0, 2.6)
    t.dipingi(busta, Gradiente(CARTA, (232, 238, 248), (0, 9), (0, 32)))
    t.contorno(busta, 1.0, BORDO_CARTA)
    lembo = t.dentro(t.m_poligono([(3.5, 9.0), (36.5, 9.0), (20.0, 22.0)], 0.8), busta)
    t.dipingi(lembo, Gradiente(BLU_CHIARO, BLU, (0, 9), (0, 22)))
    t.dipingi(t.dentro(t.m_tratto([(4.5, 31.0), (16.0, 20.0)], 1.1), busta), BORDO_CARTA)
    t.dipingi(t.dentro(t.m_tratto([(35.5, 31.0), (24.0, 20.0)], 1.1), busta), BORDO_CARTA)
    t.ombra()
    t.salva(cartella, "email")


def disegna_web(cartella):
    t = Tela(40, 40)
    c, r = 20.0, 16.0
    globo = t.m_ellisse(c, c, r)
    t.dipingi(globo, Gradiente(BLU_CHIARO, BLU_SCURO, (8, 6), (32, 36)))
    griglia = t.unione(
        t.meno(t.m_ellisse(c, c, 7.2, r), t.m_ellisse(c, c, 5.8, r - 1.4)),
        t.m_tratto([(c, c - r), (c, c + r)], 1.4, tondo=False),
        t.m_tratto([(c - r, c), (c + r, c)], 1.4, tondo=False),
        t.m_tratto([(c - r, c - 7.5), (c + r, c - 7.5)], 1.2, tondo=False),
        t.m_tratto([(c - r, c + 7.5), (c + r, c + 7.5)], 1.2, tondo=False),
    )
    t.dipingi(t.dentro(griglia, globo), CARTA, 0.75)
    t.dipingi(t.dentro(t.m_ellisse(c - 4, c - 8, 10, 6), globo), CARTA, 0.15)
    t.contorno(globo, 0.8, scurisci(BLU_SCURO, 0.2) + (170,))
    t.ombra()
    t.salva(cartella, "web")


def disegna_autore(cartella):
    t = Tela(64, 64)
    cerchio = t.m_ellisse(32.0, 32.0, 30.0)
    t.dipingi(cerchio, Gradiente((226, 236, 252), (160, 192, 242), (0, 2), (0, 62)))
    busto = t.dentro(t.m_ellisse(32.0, 64.0, 21.0, 18.5), cerchio)
    t.dipingi(busto, Gradiente(VIOLA, BLU, (12, 46), (52, 64)))
    t.dipingi(t.m_rett(28.0, 37.0, 36.0, 47.0, 3.0), (226, 178, 146))
    t.dipingi(t.m_ellisse(32.0, 28.0, 10.5, 11.5), (242, 200, 166))
    capelli = t.meno(t.m_ellisse(32.0, 25.5, 11.6, 11.2), t.m_ellisse(32.0, 31.8, 11.2, 10.5))
    t.dipingi(capelli, (72, 52, 40))
    # Headphones.
    t.dipingi(t.m_arco(32.0, 28.5, 13.4, 190, 350, 2.6), INCHIOSTRO)
    for x in (18.0, 46.0):
        t.dipingi(t.m_rett(x - 3.0, 25.0, x + 3.0, 35.0, 2.6), Gradiente(ARANCIO, scurisci(ARANCIO, 0.2), (0, 25), (0, 35)))
    t.contorno(cerchio, 1.0, (120, 150, 210))
    t.salva(cartella, "autore")


def disegna_annulla(cartella):
    t = Tela(32, 32)
    distintivo(t, 16.0, 15.6, 13.2, ROSSO)
    croce = t.unione(t.m_tratto([(11.2, 10.8), (20.8, 20.4)], 3.2), t.m_tratto([(20.8, 10.8), (11.2, 20.4)], 3.2))
    t.dipingi(croce, CARTA)
    t.ombra(dy=0.7, sfocatura=0.7)
    t.salva(cartella, "annulla")


def main():
    radice = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    cartella = sys.argv[1] if len(sys.argv) > 1 else os.path.join(radice, "resources", "img")
    os.makedirs(cartella, exist_ok=True)
    for disegna in (
        disegna_trova,
        disegna_listamp3,
        disegna_nuovo,
        disegna_salva,
        disegna_elimina,
        disegna_stampa,
        disegna_navigazione,
        disegna_riproduzione,
        disegna_gomma,
        disegna_decorazioni,
        disegna_guida,
        disegna_rights,
        disegna_esci,
        disegna_titoli,
        disegna_cd,
        disegna_melodora,
        disegna_chiudi,
        disegna_indietro_lista,
        disegna_ricerche,
        disegna_email,
        disegna_web,
        disegna_autore,
        disegna_annulla,
    ):
        disegna(cartella)
    print("immagini scritte in", cartella)


if __name__ == "__main__":
    main()
