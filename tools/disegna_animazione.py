#!/usr/bin/python3
"""Draws the title animation, a little star that sings, and writes resources/starman.gif.

The program cuts the GIF into frames at every 0x00 0x21 0xF9 (the end of a block
followed by a graphic control extension), so the file is written by hand here:
one small fixed palette, every image a full 50 x 88 picture at (0, 0) directly
preceded by its graphic control extension. Afterwards the script reads its own
bytes back and refuses to keep a file where that marker shows up anywhere else
(inside the colour table or the compressed pixels).

    /usr/bin/python3 tools/disegna_animazione.py [--anteprima foglio.png]

Needs python3-pil (Pillow) only to draw and to decode the result for the check.
"""

import math
import pathlib
import struct
import sys

from PIL import Image, ImageDraw

LARGHEZZA, ALTEZZA = 50, 88
MARCATORE = b"\x00\x21\xf9"

# Delays in hundredths of a second: a still start, a quick song, a long held
# note, a quick return to rest.
RITARDI = [100] + [5] * 34 + [200] + [5] * 6

# Sixteen fixed colours; the index is what the drawing uses.
TAVOLOZZA = [
    (255, 255, 255),  # 0 background
    (34, 30, 52),  # 1 ink
    (255, 208, 48),  # 2 star
    (240, 150, 36),  # 3 star shade
    (196, 40, 60),  # 4 mouth
    (255, 150, 160),  # 5 cheeks
    (52, 96, 206),  # 6 blue note
    (150, 70, 190),  # 7 violet note
    (30, 150, 90),  # 8 green note
    (214, 218, 230),  # 9 floor shadow
    (255, 236, 140),  # 10 sparkle
    (236, 96, 110),  # 11 tongue
    (226, 238, 255),  # 12 glow
    (120, 120, 130),  # 13 grey
    (180, 180, 190),  # 14 light grey
    (250, 250, 250),  # 15 near white
]
SFONDO, INCHIOSTRO, STELLA, OMBRA_STELLA, BOCCA, GUANCE = 0, 1, 2, 3, 4, 5
NOTE = (6, 7, 8)
PAVIMENTO, SCINTILLA, LINGUA, ALONE = 9, 10, 11, 12


# --- drawing -----------------------------------------------------------------


def ruota(cx, cy, dx, dy, angolo):
    a = math.radians(angolo)
    return (cx + dx * math.cos(a) - dy * math.sin(a), cy + dx * math.sin(a) + dy * math.cos(a))


def punte_stella(cx, cy, raggio, interno, angolo):
    punti = []
    for i in range(10):
        r = raggio if i % 2 == 0 else interno
        a = math.radians(-90 + 36 * i + angolo)
        punti.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return punti


def nota(d, x, y, colore, doppia=False):
    """An eighth note (or two beamed ones) whose head sits at (x, y)."""
    x, y = round(x), round(y)
    d.ellipse([x, y, x + 4, y + 3], fill=colore)
    d.line([x + 4, y + 1, x + 4, y - 7], fill=colore)
    if doppia:
        d.ellipse([x + 7, y - 1, x + 11, y + 2], fill=colore)
        d.line([x + 11, y, x + 11, y - 8], fill=colore)
        d.rectangle([x + 4, y - 8, x + 11, y - 7], fill=colore)
    else:
        d.line([x + 4, y - 7, x + 7, y - 4], fill=colore)
        d.line([x + 5, y - 7, x + 7, y - 5], fill=colore)


def scintilla(d, x, y, misura):
    x, y = round(x), round(y)
    if misura <= 0:
        return
    d.line([x - misura, y, x + misura, y], fill=SCINTILLA)
    d.line([x, y - misura, x, y + misura], fill=SCINTILLA)
    d.point([x, y], fill=INCHIOSTRO)


def stella(d, cx, cy, angolo=0.0, raggio=21, bocca=0, occhi="aperti", salto=0):
    """The singer: a five-pointed star with a face, little feet and a shadow."""
    # The shadow shrinks while the star is in the air.
    ombra = 14 - salto
    d.ellipse([cx - ombra, 82, cx + ombra, 86], fill=PAVIMENTO)
    cy -= salto
    punti = punte_stella(cx, cy, raggio, raggio * 0.46, angolo)
    # Feet under the two lower points.
    for i in (4, 6):
        px, py = punti[i]
        d.ellipse([px - 3, py - 1, px + 3, py + 2], fill=INCHIOSTRO)
    d.polygon(punti, fill=STELLA, outline=INCHIOSTRO)
    # A warmer inner star gives the body some roundness.
    d.polygon(punte_stella(cx + 1, cy + 1, raggio * 0.62, raggio * 0.3, angolo), fill=OMBRA_STELLA)
    d.polygon(punte_stella(cx, cy, raggio * 0.55, raggio * 0.3, angolo), fill=STELLA)

    def p(dx, dy):
        return ruota(cx, cy, dx, dy, angolo)

    for lato in (-1, 1):
        gx, gy = p(7 * lato, 2)
        d.ellipse([gx - 2, gy - 1, gx + 2, gy + 1], fill=GUANCE)
        ox, oy = p(4 * lato, -3)
        if occhi == "aperti":
            d.ellipse([ox - 1, oy - 2, ox + 1, oy + 1], fill=INCHIOSTRO)
        elif occhi == "chiusi":
            d.line([ox - 2, oy, ox + 2, oy], fill=INCHIOSTRO)
        else:  # happy: a small arch
            d.line([ox - 2, oy + 1, ox, oy - 1], fill=INCHIOSTRO)
            d.line([ox, oy - 1, ox + 2, oy + 1], fill=INCHIOSTRO)

    bx, by = p(0, 5)
    if bocca == 0:
        d.arc([bx - 3, by - 3, bx + 3, by + 1], 20, 160, fill=INCHIOSTRO)
    else:
        larga = (1.5, 2, 3)[bocca - 1]
        alta = (1.5, 2.5, 3.5)[bocca - 1]
        d.ellipse([bx - larga, by - alta, bx + larga, by + alta], fill=BOCCA, outline=INCHIOSTRO)
        if bocca == 3:
            d.ellipse([bx - 1.5, by + 0.5, bx + 1.5, by + 2.5], fill=LINGUA)


def immagine_vuota():
    im = Image.new("P", (LARGHEZZA, ALTEZZA), SFONDO)
    im.putpalette([c for rgb in TAVOLOZZA for c in rgb])
    return im, ImageDraw.Draw(im)


def disegna_fotogrammi():
    fotogrammi = []

    # Image 1, held one second: at rest, humming, one note in the air.
    im, d = immagine_vuota()
    stella(d, 25, 56)
    nota(d, 36, 16, NOTE[0])
    fotogrammi.append(im)

    # Images 2 to 35: the song. The star sways and hops on the beat, the mouth
    # opens and closes, notes rise from it and drift away.
    bocche = [1, 2, 3, 2, 1, 0, 1, 2]
    for t in range(34):
        im, d = immagine_vuota()
        for k in range(3):
            eta = (t + k * 11) % 33
            lato = 1 if k % 2 == 0 else -1
            x = 25 + lato * (4 + eta * 0.45) + 3 * math.sin(eta / 3.0) - (0 if lato > 0 else 11)
            y = 36 - eta * 1.1
            if y > -4:
                nota(d, x, y, NOTE[k], doppia=(k == 1))
        salto = round(3 * abs(math.sin(math.pi * t / 8)))
        occhi = "chiusi" if t in (9, 10, 25) else "aperti"
        stella(d, 25, 56, angolo=9 * math.sin(2 * math.pi * t / 16), bocca=bocche[t % 8],
               occhi=occhi, salto=salto)
        fotogrammi.append(im)

    # Image 36, held two seconds: the long high note, arms wide, eyes shut with joy.
    im, d = immagine_vuota()
    d.ellipse([5, 28, 45, 78], fill=ALONE)
    stella(d, 25, 56, raggio=23, bocca=3, occhi="felici", salto=4)
    for x, y, m in ((6, 30, 3), (44, 28, 3), (4, 62, 2), (46, 60, 2), (25, 22, 2)):
        scintilla(d, x, y, m)
    nota(d, 4, 14, NOTE[0])
    nota(d, 17, 7, NOTE[1], doppia=True)
    nota(d, 36, 14, NOTE[2])
    fotogrammi.append(im)

    # Images 37 to 42: back to rest; the sparkles fade and the notes fly off.
    for t in range(6):
        im, d = immagine_vuota()
        su = 6 * (t + 1)
        nota(d, 4 - t, 14 - su, NOTE[0])
        nota(d, 17, 7 - su, NOTE[1], doppia=True)
        nota(d, 36 + t, 14 - su, NOTE[2])
        for x, y, m in ((6, 30, 3), (44, 28, 3), (4, 62, 2), (46, 60, 2)):
            scintilla(d, x, y, m - t)
        stella(d, 25, 56, raggio=23 - t // 2, bocca=max(0, 3 - t), occhi="felici" if t < 3 else "aperti",
               salto=max(0, 4 - t))
        if t == 5:
            nota(d, 36, 22, NOTE[0])  # the humming note of the first image comes back
        fotogrammi.append(im)

    assert len(fotogrammi) == len(RITARDI) == 42
    for n in range(1, len(fotogrammi)):
        assert fotogrammi[n - 1].tobytes() != fotogrammi[n].tobytes(), f"images {n} and {n + 1} are the same"
    return fotogrammi


# --- writing -----------------------------------------------------------------


def lzw(pixel, minimo):
    """GIF's variable-length LZW, least significant bit first."""
    clear, fine = 1 << minimo, (1 << minimo) + 1
    uscita = bytearray()
    accumulo = bits = 0

    def emetti(codice, ampiezza):
        nonlocal accumulo, bits
        accumulo |= codice << bits
        bits += ampiezza
        while bits >= 8:
            uscita.append(accumulo & 0xFF)
            accumulo >>= 8
            bits -= 8

    def nuova_tabella():
        return {bytes([i]): i for i in range(clear)}, fine + 1, minimo + 1

    tabella, prossimo, ampiezza = nuova_tabella()
    emetti(clear, ampiezza)
    w = b""
    for k in pixel:
        wk = w + bytes([k])
        if wk in tabella:
            w = wk
            continue
        emetti(tabella[w], ampiezza)
        if prossimo == 4096:
            emetti(clear, ampiezza)
            tabella, prossimo, ampiezza = nuova_tabella()
        else:
            tabella[wk] = prossimo
            prossimo += 1
            # The decoder adds its entries one code later: widen after the code
            # that fills the current width.
            if prossimo > (1 << ampiezza) and ampiezza < 12:
                ampiezza += 1
        w = bytes([k])
    if w:
        emetti(tabella[w], ampiezza)
    emetti(fine, ampiezza)
    if bits:
        uscita.append(accumulo & 0xFF)
    return bytes(uscita)


def sottoblocchi(dati):
    out = bytearray()
    for i in range(0, len(dati), 255):
        pezzo = dati[i : i + 255]
        out.append(len(pezzo))
        out += pezzo
    out.append(0)
    return bytes(out)


def scrivi_gif(fotogrammi):
    bit = 4  # 16 colours
    out = bytearray(b"GIF89a")
    out += struct.pack("<HHBBB", LARGHEZZA, ALTEZZA, 0x80 | ((bit - 1) << 4) | (bit - 1), 0, 0)
    out += bytes(c for rgb in TAVOLOZZA for c in rgb)
    # Loop forever (NETSCAPE2.0), then a comment: both end with a zero byte, so the
    # first graphic control extension is a marker too.
    out += b"\x21\xff\x0bNETSCAPE2.0\x03\x01\x00\x00\x00"
    out += b"\x21\xfe" + sottoblocchi(b"Melodora 1.0 - la stella che canta")
    for im, ritardo in zip(fotogrammi, RITARDI):
        # Disposal 1 (leave in place), no transparency.
        out += b"\x21\xf9\x04" + struct.pack("<BHB", 0x04, ritardo, 0) + b"\x00"
        out += b"\x2c" + struct.pack("<HHHHB", 0, 0, LARGHEZZA, ALTEZZA, 0)
        out.append(bit)
        out += sottoblocchi(lzw(im.tobytes(), bit))
    out.append(0x3B)
    return bytes(out)


# --- checking ----------------------------------------------------------------


def leggi_sottoblocchi(b, i):
    while b[i]:
        i += 1 + b[i]
    return i + 1


def verifica(b, fotogrammi):
    assert b[:6] == b"GIF89a"
    larghezza, altezza, flag = struct.unpack_from("<HHB", b, 6)
    assert (larghezza, altezza) == (LARGHEZZA, ALTEZZA)
    i = 13 + (3 << ((flag & 7) + 1) if flag & 0x80 else 0)
    marcatori_attesi = []
    ritardi = []
    ultimo_blocco = None
    while b[i] != 0x3B:
        if b[i] == 0x21:
            etichetta = b[i + 1]
            if etichetta == 0xF9:
                assert b[i - 1] == 0, "a graphic control extension not after a zero byte"
                marcatori_attesi.append(i - 1)
                ritardi.append(struct.unpack_from("<H", b, i + 4)[0])
            ultimo_blocco = etichetta
            i = leggi_sottoblocchi(b, i + 2)
        elif b[i] == 0x2C:
            assert ultimo_blocco == 0xF9, "an image without its graphic control extension"
            x, y, w, h, f = struct.unpack_from("<HHHHB", b, i + 1)
            assert (x, y, w, h) == (0, 0, LARGHEZZA, ALTEZZA) and not f & 0x80
            ultimo_blocco = 0x2C
            i = leggi_sottoblocchi(b, i + 11)
        else:
            raise AssertionError(f"unexpected byte {b[i]:#x} at {i}")
    assert i == len(b) - 1, "bytes after the trailer"
    assert ritardi == RITARDI, ritardi

    trovati = []
    k = b.find(MARCATORE)
    while k >= 0:
        trovati.append(k)
        k = b.find(MARCATORE, k + 1)
    assert trovati == marcatori_attesi, f"stray markers at {sorted(set(trovati) - set(marcatori_attesi))}"

    # The program's split: a frame between every two markers, so 41 of them.
    cornici = [b[trovati[n] + 2 : trovati[n + 1] + 2] for n in range(len(trovati) - 1)]
    assert len(cornici) == 41
    for n, f in enumerate(cornici):
        assert f[0] == 0xF9 and f[-1] == 0x21
        assert (f[4] * 256 + f[3]) == RITARDI[n]
        assert (f[9] * 256 + f[8], f[11] * 256 + f[10]) == (0, 0)

    # Decoded back, every image is exactly the drawing.
    import io

    letto = Image.open(io.BytesIO(b))
    assert letto.n_frames == len(fotogrammi)
    for n, originale in enumerate(fotogrammi):
        letto.seek(n)
        assert letto.convert("RGB").tobytes() == originale.convert("RGB").tobytes(), f"image {n + 1}"


def foglio(fotogrammi, percorso):
    scala, colonne = 3, 14
    righe = (len(fotogrammi) + colonne - 1) // colonne
    out = Image.new("RGB", (colonne * (LARGHEZZA * scala + 4), righe * (ALTEZZA * scala + 4)), (90, 90, 90))
    for n, im in enumerate(fotogrammi):
        grande = im.convert("RGB").resize((LARGHEZZA * scala, ALTEZZA * scala), Image.NEAREST)
        out.paste(grande, ((n % colonne) * (LARGHEZZA * scala + 4), (n // colonne) * (ALTEZZA * scala + 4)))
    out.save(percorso)


def main():
    radice = pathlib.Path(__file__).resolve().parent.parent
    fotogrammi = disegna_fotogrammi()
    dati = scrivi_gif(fotogrammi)
    verifica(dati, fotogrammi)
    destinazione = radice / "resources" / "starman.gif"
    destinazione.write_bytes(dati)
    print(f"{destinazione}: {len(dati)} bytes, {len(fotogrammi)} images, 41 frames")
    if len(sys.argv) == 3 and sys.argv[1] == "--anteprima":
        foglio(fotogrammi, sys.argv[2])


if __name__ == "__main__":
    main()
