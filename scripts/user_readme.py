# Writes the users' part of README.md (between the "users" markers) as README.txt for the release:
# UTF-8 with a byte-order mark and CR LF line ends, so Notepad shows the Japanese right; pictures
# are left out and links keep their text.
import re
import sys

START, END = "<!-- users: start -->", "<!-- users: end -->"


def main(source, target):
    with open(source, encoding="utf-8") as f:
        text = f.read()
    if START not in text or END not in text:
        sys.exit("user_readme: %s has no users' part between %s and %s" % (source, START, END))
    part = text.split(START, 1)[1].split(END, 1)[0].strip("\n")
    lines = [line for line in part.split("\n") if not line.startswith("![")]
    part = re.sub(r"\n{3,}", "\n\n", "\n".join(lines))
    part = re.sub(r"\[([^\]]+)\]\([^)]+\)", r"\1", part)
    with open(target, "w", encoding="utf-8-sig", newline="\r\n") as f:
        f.write(part + "\n")


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2])
