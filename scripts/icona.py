#!/usr/bin/python3
"""Draws the program's icon (a record and a note) as resources/icone/melodora-SIZE.png.

Drawn at 1024 px and scaled down, so the edges are smooth at every size.
Run again only to change the picture: the PNG files are committed. Debian's python3-pil,
hence /usr/bin/python3.
"""
from pathlib import Path

from PIL import Image, ImageDraw

GRANDE = 1024
CARTELLA = Path(__file__).resolve().parent.parent / "resources" / "icone"


def disegna() -> Image.Image:
    img = Image.new("RGBA", (GRANDE, GRANDE), (0, 0, 0, 0))
    d = ImageDraw.Draw(img)
    # Rounded tile, deep blue fading to violet.
    maschera = Image.new("L", (GRANDE, GRANDE), 0)
    ImageDraw.Draw(maschera).rounded_rectangle((40, 40, 984, 984), radius=200, fill=255)
    sfondo = Image.new("RGBA", (GRANDE, GRANDE))
    ds = ImageDraw.Draw(sfondo)
    for y in range(GRANDE):
        t = y / GRANDE
        ds.line([(0, y), (GRANDE, y)], fill=(int(30 + 60 * t), int(40 + 10 * t), int(120 + 40 * t), 255))
    img.paste(sfondo, (0, 0), maschera)
    # The record, with its grooves and a yellow label.
    cx, cy, r = 440, 560, 340
    d.ellipse((cx - r, cy - r, cx + r, cy + r), fill=(20, 20, 24, 255))
    for solco in range(r - 30, 130, -36):
        d.ellipse((cx - solco, cy - solco, cx + solco, cy + solco), outline=(60, 60, 70, 255), width=6)
    d.ellipse((cx - 110, cy - 110, cx + 110, cy + 110), fill=(255, 204, 51, 255))
    d.ellipse((cx - 18, cy - 18, cx + 18, cy + 18), fill=(20, 20, 24, 255))
    # An eighth note over the record's right side.
    bianco = (255, 255, 255, 255)
    d.ellipse((600, 640, 800, 800), fill=bianco)
    d.rectangle((752, 220, 800, 720), fill=bianco)
    d.polygon([(800, 220), (930, 330), (930, 420), (800, 320)], fill=bianco)
    return img


def main() -> None:
    CARTELLA.mkdir(parents=True, exist_ok=True)
    grande = disegna()
    for lato in (64, 256):
        grande.resize((lato, lato), Image.LANCZOS).save(CARTELLA / f"melodora-{lato}.png", optimize=True)


if __name__ == "__main__":
    main()
