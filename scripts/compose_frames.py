# Puts the frames the grabber saved from the GL child window onto a black screen at the child
# window's position, as the user sees them on Windows (Wine 8 does not show GL drawn in a child
# window), and makes an animated GIF and one still picture of them: the frame in which the text
# comes nearest to facing the viewer upright.
# Usage: compose_frames.py GRAB_DIR OUT_DIR SCREEN_WIDTH SCREEN_HEIGHT STEPS_PER_SECOND MOTION
# The last two are the stored "StepsPerSecond" and "Motion", taken as the saver takes them. The
# saver takes its animation steps at that rate (0: one a frame), so a frame's steps are told by its
# time since the first frame (the grabber's "frames" index), not by its number.
import glob
import math
import os
import re
import subprocess
import sys

STEP = 10             # pixels per window step
STEPS_PER_MOVE = 72   # the window steps each time the X rotation completes a turn
SWINGS = ((15.0, 300), (25.0, 420), (8.0, 540))  # the readable motion: degrees and steps, X, Y, Z


def step_rate(stored):
    """Steps a second as the saver takes a stored rate: 0 stays, the rest come into 10 to 240."""
    return stored if stored == 0 else min(max(stored, 10), 240)


def angles_at(steps, motion):
    """The X, Y and Z turns of the frame drawn after `steps` steps, in degrees."""
    if motion == 1:
        return tuple(amplitude * math.sin(2 * math.pi * (steps % period) / period) for amplitude, period in SWINGS)
    return 1 + 5 * steps, 5 + 5 * steps, 3 + 2 * steps


def step_axis(pos, direction, child, screen):
    # The direction is decided before the step, so the window overshoots by up to one step.
    if pos < 0:
        direction = 1
    elif pos + child > screen:
        direction = -1
    return pos + STEP * direction, direction


def child_position(steps, child_w, child_h, screen_w, screen_h):
    x = y = 0
    dx = dy = 1
    for _ in range(steps // STEPS_PER_MOVE):
        x, dx = step_axis(x, dx, child_w, screen_w)
        y, dy = step_axis(y, dy, child_h, screen_h)
    return x, y


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    width, height = int(match.group(1)), int(match.group(2))
    return width, height, data[match.end():]


def steps_of_frames(grab_dir, rate):
    """Swap number -> the animation steps taken when it was drawn, for every saved frame."""
    times = {}
    with open(os.path.join(grab_dir, "frames")) as f:
        for line in f:
            swap, ns = line.split()
            times[int(swap)] = int(ns)
    with open(os.path.join(grab_dir, "swaps")) as f:
        first_ns = int(f.read().split()[1])
    if rate == 0:
        return {swap: swap for swap in times}
    # The first frame holds the first step; each frame holds at least one.
    return {swap: max(swap, 1 + int((ns - first_ns) * rate / 1e9)) for swap, ns in times.items()}


def facing_upright(steps, motion):
    """How nearly the text faces the viewer upright after `steps` steps (at most 2)."""
    ax, ay, az = (math.radians(a) for a in angles_at(steps, motion))
    # The X, Y, Z turns of the frame loop: the face's normal and the up direction as drawn.
    facing = math.cos(ax) * math.cos(ay)
    up = -math.sin(ax) * math.sin(ay) * math.sin(az) + math.cos(ax) * math.cos(az)
    return facing + up


def compose(frame_path, steps, screen_w, screen_h):
    swap = int(re.search(r"frame-(\d+)\.ppm$", frame_path).group(1))
    width, height, pixels = read_ppm(frame_path)
    x, y = child_position(steps[swap], width, height, screen_w, screen_h)
    canvas = bytearray(screen_w * screen_h * 3)
    for row in range(height):
        sy = y + row
        if not 0 <= sy < screen_h:
            continue
        left, right = max(x, 0), min(x + width, screen_w)
        if left >= right:
            continue
        src = (row * width + (left - x)) * 3
        dst = (sy * screen_w + left) * 3
        canvas[dst:dst + (right - left) * 3] = pixels[src:src + (right - left) * 3]
    return swap, canvas


def main(grab_dir, out_dir, screen_w, screen_h, rate, motion):
    frames = sorted(glob.glob(os.path.join(grab_dir, "frame-*.ppm")))
    if not frames:
        sys.exit("compose_frames: no frames in " + grab_dir)
    steps = steps_of_frames(grab_dir, rate)
    composed_dir = os.path.join(out_dir, "screen")
    os.makedirs(composed_dir, exist_ok=True)
    best = None
    for path in frames:
        swap, canvas = compose(path, steps, screen_w, screen_h)
        target = os.path.join(composed_dir, "screen-%06d.ppm" % swap)
        with open(target, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (screen_w, screen_h) + bytes(canvas))
        score = facing_upright(steps[swap], motion)
        if best is None or score > best[1]:
            best = (target, score)
    subprocess.run(["convert", best[0], os.path.join(out_dir, "vorlux.png")], check=True)
    # The animation at the speed the frames were drawn: the mean time between saved frames.
    swaps = sorted(steps)
    per_frame = (steps[swaps[-1]] - steps[swaps[0]]) / max(len(swaps) - 1, 1) / rate if rate else 0.06
    delay = str(max(2, round(100 * per_frame)))  # hundredths of a second
    subprocess.run(["convert", "-delay", delay, "-loop", "0"] + sorted(glob.glob(os.path.join(composed_dir, "*.ppm")))
                   + ["-resize", "50%", "-layers", "Optimize", os.path.join(out_dir, "vorlux.gif")], check=True)
    print("%d frames composed" % len(frames))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]), step_rate(int(sys.argv[5])),
         1 if int(sys.argv[6]) == 1 else 0)
