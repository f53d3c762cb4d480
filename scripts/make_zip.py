# Writes a zip of the named files, in the order given, every entry with the time of
# SOURCE_DATE_EPOCH (UTC) and the same permissions, so the same files give the same bytes.
# Usage: make_zip.py ZIP FOLDER NAME...   (each NAME relative to FOLDER, "/" between folders)
import os
import sys
import time
import zipfile


def main(zip_path, folder, names):
    # Zip times start in 1980.
    stamp = time.gmtime(max(int(os.environ["SOURCE_DATE_EPOCH"]), 315532800))[:6]
    with zipfile.ZipFile(zip_path, "w") as archive:
        for name in names:
            entry = zipfile.ZipInfo(name, stamp)
            entry.external_attr = 0o644 << 16
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as f:
                archive.writestr(entry, f.read(), compresslevel=9)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2], sys.argv[3:])
