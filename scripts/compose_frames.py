# Puts the frames the grabber saved from the GL child window onto a black screen at the child
# window's position, as the user sees them on Windows (Wine 8 does not show GL drawn in a child
# window), and makes an animated GIF and one still picture of them.
# Usage: compose_frames.py GRAB_DIR OUT_DIR SCREEN_WIDTH SCREEN_HEIGHT
import glob
import os
import re
import subprocess
import sys

STEP = 10          # pixels per window step
FRAMES_PER_STEP = 72  # the window steps each time the X rotation completes a turn


def step_axis(pos, direction, child, screen):
    # The direction is decided before the step, so the window overshoots by up to one step.
    if pos < 0:
        direction = 1
    elif pos + child > screen:
        direction = -1
    return pos + STEP * direction, direction


def child_position(swap, child_w, child_h, screen_w, screen_h):
    x = y = 0
    dx = dy = 1
    for _ in range(swap // FRAMES_PER_STEP):
        x, dx = step_axis(x, dx, child_w, screen_w)
        y, dy = step_axis(y, dy, child_h, screen_h)
    return x, y


def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    match = re.match(rb"P6\s+(\d+)\s+(\d+)\s+255\s", data)
    width, height = int(match.group(1)), int(match.group(2))
    return width, height, data[match.end():]


def compose(frame_path, screen_w, screen_h):
    swap = int(re.search(r"frame-(\d+)\.ppm$", frame_path).group(1))
    width, height, pixels = read_ppm(frame_path)
    x, y = child_position(swap, width, height, screen_w, screen_h)
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
    lit = sum(1 for i in range(0, len(pixels), 3) if pixels[i] or pixels[i + 1] or pixels[i + 2])
    return swap, canvas, lit


def main(grab_dir, out_dir, screen_w, screen_h):
    frames = sorted(glob.glob(os.path.join(grab_dir, "frame-*.ppm")))
    if not frames:
        sys.exit("compose_frames: no frames in " + grab_dir)
    composed_dir = os.path.join(out_dir, "screen")
    os.makedirs(composed_dir, exist_ok=True)
    best = None
    for path in frames:
        swap, canvas, lit = compose(path, screen_w, screen_h)
        target = os.path.join(composed_dir, "screen-%06d.ppm" % swap)
        with open(target, "wb") as f:
            f.write(b"P6 %d %d 255\n" % (screen_w, screen_h) + bytes(canvas))
        if best is None or lit > best[1]:
            best = (target, lit)
    subprocess.run(["convert", best[0], os.path.join(out_dir, "vorlux.png")], check=True)
    subprocess.run(["convert", "-delay", "6", "-loop", "0"] + sorted(glob.glob(os.path.join(composed_dir, "*.ppm")))
                   + ["-resize", "50%", "-layers", "Optimize", os.path.join(out_dir, "vorlux.gif")], check=True)
    print("%d frames composed" % len(frames))


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], int(sys.argv[3]), int(sys.argv[4]))
