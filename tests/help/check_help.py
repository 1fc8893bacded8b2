#!/usr/bin/env python3
"""Checks the help page against the built program.

  check_help.py EXE HTML PACKAGE_TOOL

- The text of every menu item (menus of EXE) and every caption, button and label of its
  dialog templates, read from EXE's resources, appears in the visible text of HTML.
- Every anchor HTML links to exists in it, and every file it links exists beside it.
- The zip that PACKAGE_TOOL makes from HTML's folder holds every file HTML links.
Prints one line per finding and "N passed, M failed".
"""
import html.parser
import os
import re
import struct
import subprocess
import sys
import tempfile
import zipfile

RT_MENU, RT_DIALOG = 4, 5
CONTEXT_MENU = 130  # its one popup's title is never shown
BUTTON, STATIC = 0x80, 0x82


def resources(exe):
    """{type: {id: bytes}} of the PE file's resource section."""
    data = open(exe, "rb").read()
    pe = struct.unpack_from("<I", data, 0x3C)[0]
    sections, optional_size = struct.unpack_from("<H12xH", data, pe + 6)
    optional = pe + 24
    rva_resources = struct.unpack_from("<I", data, optional + (112 if struct.unpack_from("<H", data, optional)[0] == 0x20B else 96) + 16)[0]
    for i in range(sections):
        at = optional + optional_size + 40 * i
        vsize, va, rsize, raw = struct.unpack_from("<IIII", data, at + 8)
        if va <= rva_resources < va + max(vsize, rsize):
            base = raw + rva_resources - va
            break
    else:
        raise SystemExit(f"{exe}: no resource section")

    def entries(offset):
        named, numbered = struct.unpack_from("<HH", data, base + offset + 12)
        for k in range(named + numbered):
            name, target = struct.unpack_from("<II", data, base + offset + 16 + 8 * k)
            yield name, target

    found = {}
    for type_id, type_dir in entries(0):
        for res_id, res_dir in entries(type_dir & 0x7FFFFFFF):
            for _lang, leaf in entries(res_dir & 0x7FFFFFFF):
                rva, size = struct.unpack_from("<II", data, base + leaf)
                found.setdefault(type_id, {})[res_id] = data[rva - va + raw:rva - va + raw + size]
    return found


def wstring(blob, at):
    end = at
    while blob[end:end + 2] != b"\0\0":
        end += 2
    return blob[at:end].decode("utf-16le"), end + 2


def menu_texts(blob, shown_top=True):
    """Texts of a MENU or MENUEX template, without mnemonics and accelerator hints."""
    texts = []
    version, header = struct.unpack_from("<HH", blob, 0)
    at = 4 + (header if version == 1 else 0)

    def items(at, depth):
        while True:
            if version == 1:
                at = (at + 3) & ~3
                _type, _state, _id, flags = struct.unpack_from("<IIIH", blob, at)
                text, at = wstring(blob, at + 14)
                popup, last = flags & 0x01, flags & 0x80
                if popup:
                    at = ((at + 3) & ~3) + 4
            else:
                flags = struct.unpack_from("<H", blob, at)[0]
                popup, last = flags & 0x10, flags & 0x80
                text, at = wstring(blob, at + (2 if popup else 4))
            if text and (depth > 0 or shown_top):
                texts.append(text.split("\t")[0].replace("&", ""))
            if popup:
                at = items(at, depth + 1)
            if last:
                return at

    items(at, 0)
    return texts


def dialog_texts(blob):
    """Caption, and the texts of the buttons and labels, of a DIALOGEX template."""
    if struct.unpack_from("<HH", blob, 0) != (1, 0xFFFF):
        raise SystemExit("not a DIALOGEX template")
    style, count = struct.unpack_from("<I", blob, 12)[0], struct.unpack_from("<H", blob, 16)[0]

    def sz_or_ord(at):
        if struct.unpack_from("<H", blob, at)[0] == 0xFFFF:
            return struct.unpack_from("<H", blob, at + 2)[0], at + 4
        return wstring(blob, at)

    _menu, at = sz_or_ord(26)
    _class, at = sz_or_ord(at)
    caption, at = wstring(blob, at)
    if style & 0x40:  # DS_SETFONT
        _font, at = wstring(blob, at + 6)
    texts = [caption] if caption else []
    for _ in range(count):
        at = (at + 3) & ~3
        cls, at = sz_or_ord(at + 24)
        text, at = sz_or_ord(at)
        extra = struct.unpack_from("<H", blob, at)[0]
        at += 2 + extra
        if isinstance(text, str) and text and (cls in (BUTTON, STATIC) or str(cls).lower() in ("button", "static")):
            texts.append(text)
    return texts


class Page(html.parser.HTMLParser):
    def __init__(self):
        super().__init__(convert_charrefs=True)
        self.text, self.ids, self.links, self.hidden = [], set(), [], 0

    def handle_starttag(self, tag, attrs):
        attrs = dict(attrs)
        if tag in ("style", "script", "head"):
            self.hidden += 1
        for key in ("id", "name") if tag == "a" else ("id",):
            if attrs.get(key):
                self.ids.add(attrs[key])
        for key in ("href", "src"):
            if attrs.get(key):
                self.links.append(attrs[key])
        if tag == "img" and attrs.get("alt"):
            self.text.append(" ")

    def handle_endtag(self, tag):
        if tag in ("style", "script", "head"):
            self.hidden -= 1
        self.text.append(" ")

    def handle_data(self, data):
        if not self.hidden:
            self.text.append(data)


def main(exe, page_path, package_tool):
    page = Page()
    page.feed(open(page_path, encoding="utf-8").read())
    visible = re.sub(r"[ \t\r\n]+", " ", "".join(page.text))
    failures, checks = [], 0

    def check(ok, what):
        nonlocal checks
        checks += 1
        if not ok:
            failures.append(what)

    res = resources(exe)
    for menu_id, blob in sorted(res.get(RT_MENU, {}).items()):
        for text in menu_texts(blob, shown_top=menu_id != CONTEXT_MENU):
            check(text in visible, f"menu {menu_id}: \"{text}\" is not in the help")
    for dialog_id, blob in sorted(res.get(RT_DIALOG, {}).items()):
        for text in dialog_texts(blob):
            check(text in visible, f"dialog {dialog_id}: \"{text}\" is not in the help")
    check(RT_MENU in res and RT_DIALOG in res, f"{exe} has no menus or no dialogs")

    folder = os.path.dirname(os.path.abspath(page_path))
    files = []
    for link in page.links:
        if link.startswith("#"):
            check(link[1:] in page.ids, f"link {link}: no such anchor")
        elif not re.match(r"^[a-z]+:", link):
            path = link.split("#")[0]
            files.append(path)
            check(os.path.isfile(os.path.join(folder, path)), f"link {link}: no file {path} beside the help")

    with tempfile.TemporaryDirectory() as temp:
        zip_path = os.path.join(temp, "package.zip")
        made = subprocess.run([package_tool, "--bin", folder, "--out", zip_path], capture_output=True, text=True)
        check(made.returncode == 0, f"the package tool failed: {made.stderr.strip()}")
        names = set(zipfile.ZipFile(zip_path).namelist()) if made.returncode == 0 else set()
        help_name = os.path.basename(page_path)
        check(help_name in names, f"the zip lacks {help_name}")
        for path in files:
            check(path in names, f"the zip lacks {path}, which the help links")

    for failure in failures:
        print("FAIL:", failure)
    print(f"{checks - len(failures)} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        raise SystemExit(__doc__)
    sys.exit(main(*sys.argv[1:]))
