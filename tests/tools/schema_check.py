#!/usr/bin/env python3
"""The JSON Schema of the menu form against what mmatool writes and the documented example.

usage: schema_check.py MMATOOL SCHEMA SAMPLES_DIR FORM_DOC
Every sample's `dump --json` must validate, and the item of every sample's first extracted
fragment must validate as an item; so must the example in the form's document, which
`build` must also accept; a form with a wrong format number must not validate.
"""
import json
import pathlib
import subprocess
import sys

import jsonschema

mmatool, schema_path, samples, doc = sys.argv[1:5]
schema = json.loads(pathlib.Path(schema_path).read_text())
jsonschema.Draft202012Validator.check_schema(schema)
validator = jsonschema.Draft202012Validator(schema)

for sample in sorted(pathlib.Path(samples).iterdir()):
    dump = subprocess.run([mmatool, "dump", "--json", str(sample)], check=True, capture_output=True)
    validator.validate(json.loads(dump.stdout))

item_validator = jsonschema.Draft202012Validator({"$defs": schema["$defs"], "$ref": "#/$defs/item"})
for sample in sorted(pathlib.Path(samples).iterdir()):
    extract = subprocess.run([mmatool, "extract", str(sample), "0"], check=True, capture_output=True)
    fragment = json.loads(extract.stdout)
    if sorted(fragment) != ["format", "item"] or fragment["format"] != 1:
        sys.exit(f"{sample.name}: a fragment holds exactly format 1 and item")
    item_validator.validate(fragment["item"])

text = pathlib.Path(doc).read_text()
start = text.index("```json\n") + len("```json\n")
example = text[start:text.index("```", start)]
validator.validate(json.loads(example))
subprocess.run([mmatool, "build", "-", "-"], input=example.encode(), check=True, capture_output=True)

wrong = json.loads(example)
wrong["format"] = 2
if validator.is_valid(wrong):
    sys.exit("the schema accepts format 2")
print("schema ok")
