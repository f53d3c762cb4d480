# Converts the about text from its UTF-8 source to the resource form: UTF-16 (little-endian, as
# the Unicode calls take it, so it reads right on every code page), lines separated by CR LF, no
# terminating NUL and no trailing line break.
import sys

def main(source, target):
    with open(source, encoding="utf-8") as f:
        lines = f.read().rstrip("\n").split("\n")
    data = "\r\n".join(line.rstrip() for line in lines).encode("utf-16-le")
    with open(target, "wb") as f:
        f.write(data)

if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
