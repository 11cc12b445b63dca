#!/usr/bin/python3
"""Writes a random game as a controller record, for comparing the physics of platforms.

  make_random_record.py SEED UPDATES > record.rec

The pad rests through the splash, cross starts a game, then the stick wanders around an aim
up and to the right while cross is held for a random while now and then (a throw) and
triangle is pressed rarely (a recall). data/random_game.rec is `make_random_record.py 6 3000`:
by its end all five frags are thrown, the crates are knocked out of place and the bad guy on
the shelf is dead (score 1020).
Python's seeded Random gives the same numbers on every version since 3.2.
"""
import math
import random
import sys

CROSS, TRIANGLE = 0x4000, 0x1000
HEADER = ("# controller 0, one update a line: status buttons_down buttons_pressed "
          "buttons_released left_x left_y right_x right_y")


def line(down, before, x, y):
    return f"0 {down:#x} {down & ~before:#x} {before & ~down:#x} {x:.9g} {y:.9g} 0 0"


def main():
    rng = random.Random(int(sys.argv[1]))
    updates = int(sys.argv[2])
    lines = [line(0, 0, 0, 0)] * 100 + [line(CROSS, 0, 0, 0), line(0, CROSS, 0, 0)]
    angle, down, hold, before = 0.3, 0, 0, 0
    while len(lines) < updates:
        angle += rng.uniform(-0.15, 0.15) + 0.02 * (0.6 - angle)
        angle = max(-1.2, min(1.5, angle))
        magnitude = 1.0 if rng.random() < 0.9 else rng.uniform(0.3, 1.0)
        # The pad's y is down.
        x, y = magnitude * math.cos(angle), -magnitude * math.sin(angle)
        if hold > 0:
            hold -= 1
            if hold == 0:
                down &= ~CROSS
        elif rng.random() < 0.03:
            down |= CROSS
            hold = rng.randint(20, 100)
        now = down | (TRIANGLE if rng.random() < 0.004 else 0)
        lines.append(line(now, before, x, y))
        before = now
    print("\n".join([HEADER] + lines))


if __name__ == "__main__":
    main()
