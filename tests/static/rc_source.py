"""The program's resources as its sources declare them: the ids of resources/resource.h and, from
resources/vorlux.rc, the string table and the dialog templates of each language. The PE check
compares the built file with these, so no id or text is written twice."""
import re

LANGUAGES = {("LANG_JAPANESE", "SUBLANG_DEFAULT"): 0x0411, ("LANG_ENGLISH", "SUBLANG_ENGLISH_US"): 0x0409}
# The ids the rc takes from windows.h.
WINDOWS_IDS = {"IDOK": 1, "IDCANCEL": 2}
# A control statement's keyword -> where its id stands among the comma-separated fields (the
# text-bearing ones have their text first).
CONTROL_ID_FIELD = {
    "LTEXT": 1, "CTEXT": 1, "RTEXT": 1, "PUSHBUTTON": 1, "DEFPUSHBUTTON": 1, "GROUPBOX": 1,
    "AUTORADIOBUTTON": 1, "AUTOCHECKBOX": 1, "RADIOBUTTON": 1, "CHECKBOX": 1, "CONTROL": 1, "ICON": 1,
    "EDITTEXT": 0, "LISTBOX": 0, "COMBOBOX": 0,
}


def read_ids(header_path):
    ids = dict(WINDOWS_IDS)
    with open(header_path, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"\s*#define\s+(\w+)\s+(\S+)", line)
            if m:
                ids[m.group(1)] = evaluate(m.group(2), ids)
    return ids


def evaluate(expression, ids):
    """A number, a known id, or a sum of them ("IDC_LIGHT_AMBIENT + 1", "-1")."""
    total = 0
    for sign, term in re.findall(r"([+-]?)\s*(\w+)", expression):
        value = int(term, 0) if term[0].isdigit() else ids[term]
        total += -value if sign == "-" else value
    return total


def fields(text):
    """Comma-separated fields, a quoted string being one field whatever it holds."""
    out, current, quoted, i = [], "", False, 0
    while i < len(text):
        ch = text[i]
        if ch == '"':
            if quoted and text[i + 1:i + 2] == '"':
                current += '"'
                i += 2
                continue
            quoted = not quoted
        elif ch == "," and not quoted:
            out.append(current.strip())
            current = ""
            i += 1
            continue
        current += ch
        i += 1
    out.append(current.strip())
    return out


def unquote(field):
    field = field.strip()
    assert field.startswith('"') and field.endswith('"'), field
    body = field[1:-1].replace('""', '"')
    return re.sub(r"\\(.)", lambda m: {"n": "\n", "r": "\r", "t": "\t"}.get(m.group(1), m.group(1)), body)


def read_rc(rc_path, ids):
    """{language: {"strings": {id: text}, "dialogs": {id: (caption, (w, h), font, [control ids])}}}"""
    with open(rc_path, encoding="utf-8") as f:
        lines = [re.sub(r"^\s*//.*", "", line.rstrip("\n")) for line in f]
    languages, language = {}, None
    i = 0
    while i < len(lines):
        line = lines[i].strip()
        m = re.match(r"LANGUAGE\s+(\w+)\s*,\s*(\w+)", line)
        if m:
            language = LANGUAGES[(m.group(1), m.group(2))]
            languages.setdefault(language, {"strings": {}, "dialogs": {}})
        elif line == "STRINGTABLE":
            i += 2  # BEGIN
            while lines[i].strip() != "END":
                m = re.match(r"\s*(\w+)\s+(\".*\")\s*$", lines[i])
                if m:
                    languages[language]["strings"][evaluate(m.group(1), ids)] = unquote(m.group(2))
                i += 1
        else:
            m = re.match(r"(\w+)\s+DIALOGEX\s+(.*)", line)
            if m:
                did = evaluate(m.group(1), ids)
                size = tuple(int(v) for v in fields(m.group(2))[2:4])
                caption, font, controls = None, None, []
                i += 1
                while lines[i].strip() != "BEGIN":
                    head = lines[i].strip()
                    if head.startswith("CAPTION"):
                        caption = unquote(head[len("CAPTION"):])
                    elif head.startswith("FONT"):
                        point, face = fields(head[len("FONT"):])[:2]
                        font = (int(point), unquote(face))
                    i += 1
                i += 1
                while lines[i].strip() != "END":
                    statement = lines[i].strip()
                    # A statement goes on in the next line while the line ends with a comma.
                    while statement.endswith(","):
                        i += 1
                        statement += " " + lines[i].strip()
                    if statement:
                        keyword, rest = statement.split(None, 1)
                        controls.append(evaluate(fields(rest)[CONTROL_ID_FIELD[keyword]], ids))
                    i += 1
                languages[language]["dialogs"][did] = (caption, size, font, controls)
        i += 1
    return languages
