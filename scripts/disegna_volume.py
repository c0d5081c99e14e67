#!/usr/bin/python3
"""Draws the two pictures of the volume window: the slider's track (36 x 87 pixels)
and its knob (21 x 11 pixels), in the grey 3D look of the window they sit in."""
import os
import sys

from PIL import Image, ImageDraw

GRIGIO = (0xC0, 0xC0, 0xC0)
SCURO = (0x80, 0x80, 0x80)
BIANCO = (0xFF, 0xFF, 0xFF)
NERO = (0x00, 0x00, 0x00)

LARGHEZZA_TRACCIA, ALTEZZA_TRACCIA = 36, 87
LARGHEZZA_CURSORE, ALTEZZA_CURSORE = 21, 11


def traccia():
    img = Image.new("RGB", (LARGHEZZA_TRACCIA, ALTEZZA_TRACCIA), GRIGIO)
    d = ImageDraw.Draw(img)
    # The knob's middle travels from 5 to 81: the groove spans that run.
    alto, basso = ALTEZZA_CURSORE // 2 - 1, ALTEZZA_TRACCIA - ALTEZZA_CURSORE // 2
    sx, dx = 16, 19
    d.rectangle([sx, alto, dx, basso], fill=NERO)
    d.line([sx - 1, alto - 1, dx + 1, alto - 1], fill=SCURO)
    d.line([sx - 1, alto - 1, sx - 1, basso + 1], fill=SCURO)
    d.line([dx + 1, alto, dx + 1, basso + 1], fill=BIANCO)
    d.line([sx - 1, basso + 1, dx + 1, basso + 1], fill=BIANCO)
    # Eleven ticks on each side, longer at the ends and in the middle.
    corsa = ALTEZZA_TRACCIA - ALTEZZA_CURSORE
    for k in range(11):
        y = ALTEZZA_CURSORE // 2 + round(k * corsa / 10)
        lunga = k in (0, 5, 10)
        d.line([3 if lunga else 6, y, 9, y], fill=NERO)
        d.line([26, y, 32 if lunga else 29, y], fill=NERO)
    return img


def cursore():
    img = Image.new("RGB", (LARGHEZZA_CURSORE, ALTEZZA_CURSORE), GRIGIO)
    d = ImageDraw.Draw(img)
    u, v = LARGHEZZA_CURSORE - 1, ALTEZZA_CURSORE - 1
    # Raised button: light top and left, shadow and black edge bottom and right.
    d.line([0, 0, u - 1, 0], fill=BIANCO)
    d.line([0, 0, 0, v - 1], fill=BIANCO)
    d.line([0, v, u, v], fill=NERO)
    d.line([u, 0, u, v], fill=NERO)
    d.line([1, v - 1, u - 1, v - 1], fill=SCURO)
    d.line([u - 1, 1, u - 1, v - 1], fill=SCURO)
    # The grip: a sunken line across the middle.
    m = ALTEZZA_CURSORE // 2
    d.line([3, m - 1, u - 3, m - 1], fill=SCURO)
    d.line([3, m, u - 3, m], fill=BIANCO)
    return img


def main():
    cartella = sys.argv[1] if len(sys.argv) > 1 else os.path.join(
        os.path.dirname(os.path.abspath(__file__)), "..", "resources", "img")
    os.makedirs(cartella, exist_ok=True)
    traccia().save(os.path.join(cartella, "volume_traccia.png"), optimize=True)
    cursore().save(os.path.join(cartella, "volume_cursore.png"), optimize=True)


if __name__ == "__main__":
    main()
