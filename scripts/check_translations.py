#!/usr/bin/env python3
"""Checks that every string of the editor's sources has a finished translation in each
catalogue.

    check_translations.py LUPDATE CATALOGUE... -- SOURCE...

Each catalogue is copied and refreshed from the sources with lupdate, as
`cmake --build build --target update_translations` would refresh it, so a string added to
the sources since the catalogue was last refreshed counts as untranslated, and a string
that left the sources counts as stale. The check fails, listing each string, on one that
is untranslated or unfinished, stale (vanished or obsolete), or whose translation drops a
placeholder (%1, %n) or the keyboard accelerator (&) of its source.
"""
import re
import shutil
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET
from pathlib import Path

PLACEHOLDER = re.compile(r"%(?:\d+|n)")


def accelerators(text):
    """The number of accelerator marks: '&' not doubled ('&&' is a literal ampersand)."""
    return len(re.findall(r"&[^&\s]", text.replace("&&", "")))


def text_of(element):
    """An element's text with lupdate's <byte value="xd"/> marks read back as characters."""
    if element is None:
        return ""
    parts = [element.text or ""]
    for child in element:
        if child.tag == "byte":
            parts.append(chr(int(child.get("value", "0").lstrip("x") or "0", 16)))
        elif child.tag != "numerusform":
            parts.append(text_of(child))
        parts.append(child.tail or "")
    return "".join(parts)


def problems(catalogue):
    root = ET.parse(catalogue).getroot()
    found, done = [], 0
    total = 0
    for context in root.iter("context"):
        name = context.findtext("name")
        for message in context.iter("message"):
            source = text_of(message.find("source"))
            translation = message.find("translation")
            kind = translation.get("type", "") if translation is not None else "unfinished"
            where = f'{name}: "{source}"'
            if kind in ("vanished", "obsolete"):
                found.append(f"stale, no longer in the sources: {where}")
                continue
            total += 1
            forms = [text_of(f) for f in translation.iter("numerusform")] if translation is not None else []
            texts = forms if message.get("numerus") == "yes" else [text_of(translation)]
            if kind == "unfinished" or any(not t.strip() for t in texts):
                found.append(f"untranslated: {where}")
                continue
            for text in texts:
                if sorted(set(PLACEHOLDER.findall(text))) != sorted(set(PLACEHOLDER.findall(source))):
                    found.append(f'placeholders differ: {where} -> "{text}"')
                if accelerators(source) != accelerators(text):
                    found.append(f'accelerator (&) differs: {where} -> "{text}"')
            done += 1
    return found, done, total


def main(argv):
    if "--" not in argv or len(argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    split = argv.index("--")
    lupdate, catalogues, sources = argv[1], argv[2:split], argv[split + 1:]
    failed = False
    with tempfile.TemporaryDirectory() as scratch:
        for catalogue in map(Path, catalogues):
            fresh = Path(scratch) / catalogue.name
            shutil.copyfile(catalogue, fresh)
            subprocess.run([lupdate, "-silent", "-locations", "none", *sources, "-ts", str(fresh)],
                           check=True, stdout=subprocess.DEVNULL)
            found, done, total = problems(fresh)
            print(f"{catalogue.name}: {done} of {total} strings translated")
            for problem in found:
                print(f"{catalogue.name}: {problem}")
            failed = failed or bool(found)
    if failed:
        print("Refresh the catalogues with `cmake --build build --target update_translations`, "
              "translate the strings listed above in translations/*.ts (remove type=\"unfinished\"), "
              "and run this check again.")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
