#!/usr/bin/env python3
"""Writes hand.cur, the pointing-hand cursor that web-link buttons show, from the picture below.

'#' is black, 'o' white and a blank is see-through. The hot spot is the tip of the finger.
Run it from anywhere; it writes hand.cur beside itself.
"""
import os
import struct

PICTURE = """
     ##
    #oo#
    #oo#
    #oo#
    #oo#
    #oo###
    #oo#oo###
    #oo#oo#oo##
    #oo#oo#oo#o#
 ## #oo#oo#oo#o#
#oo##oooooooooo#
#ooo#ooooooooooo#
 #ooooooooooooooo#
  #oooooooooooooo#
  #ooooooooooooooo#
   #oooooooooooooo#
   #ooooooooooooo#
    #oooooooooooo#
    #ooooooooooo#
     #oooooooooo#
     #oooooooooo#
     ############
"""
HOT_SPOT = (5, 0)
SIZE = 32


def rows():
    lines = PICTURE.strip("\n").split("\n")
    return [line.ljust(SIZE)[:SIZE] for line in lines] + [" " * SIZE] * (SIZE - len(lines))


def mask(picture, bit):
    """One 1-bpp plane, bottom row first, each row 4 bytes."""
    data = b""
    for line in reversed(picture):
        value = 0
        for x, pixel in enumerate(line):
            if bit(pixel):
                value |= 1 << (SIZE - 1 - x)
        data += struct.pack(">I", value)
    return data


def main():
    picture = rows()
    xor = mask(picture, lambda p: p == "o")   # white where the hand is white
    and_ = mask(picture, lambda p: p == " ")  # see-through around the hand
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, 2 * SIZE, 1, 1, 0, len(xor) + len(and_), 0, 0, 2, 0)
    palette = struct.pack("<II", 0x000000, 0xFFFFFF)
    image = header + palette + xor + and_
    directory = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", SIZE, SIZE, 2, 0, HOT_SPOT[0], HOT_SPOT[1], len(image), 6 + 16)
    path = os.path.join(os.path.dirname(os.path.abspath(__file__)), "hand.cur")
    with open(path, "wb") as out:
        out.write(directory + entry + image)


if __name__ == "__main__":
    main()
