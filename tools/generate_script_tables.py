#!/usr/bin/env python3
"""Writes src/text/script_tables_data.cpp, the traditional/simplified tables
over the double-byte code space (lead 0x81-0xFE, trail 0x40-0x7E and
0x80-0xFE), from OpenCC's character dictionaries.

Needs only the generator machine to have OpenCC (`opencc_dict`) and glibc's
`iconv`; the program itself never uses OpenCC. Usage, from the repository root:

    tools/generate_script_tables.py [--opencc-dir /usr/share/opencc] [--output PATH]

Characters are decoded and encoded with glibc's GB18030 converter, the same one
the program uses for its internal text, so every byte pair of the tables means
in the program what it meant here.

The first candidates are then corrected by tools/script_table_overrides.tsv, a
short reviewed table of the rows later OpenCC data changed (the distribution's
OpenCC lags behind); `--overrides` names another file.
"""

import argparse
import os
import subprocess
import sys
import tempfile

TRAIL_BYTES = list(range(0x40, 0x7F)) + list(range(0x80, 0xFF))
CODES = [bytes([lead, trail]) for lead in range(0x81, 0xFF) for trail in TRAIL_BYTES]
assert len(CODES) == 23940

DEFAULT_OUTPUT = os.path.join(os.path.dirname(__file__), "..", "src", "text",
                              "script_tables_data.cpp")
DEFAULT_OVERRIDES = os.path.join(os.path.dirname(__file__), "script_table_overrides.tsv")
DICTIONARY_OF_DIRECTION = {"t2s": "TSCharacters", "s2t": "STCharacters"}


def iconv(data, source, target):
    result = subprocess.run(["iconv", "-f", source, "-t", target], input=data,
                            capture_output=True, check=True)
    return result.stdout


def decode_codes():
    """The character of every double-byte code, in table order."""
    text = iconv(b"\n".join(CODES) + b"\n", "GB18030", "UTF-8").decode("utf-8")
    chars = text.split("\n")[:-1]
    if len(chars) != len(CODES):
        sys.exit("iconv did not decode every double-byte code")
    return chars


def encode_chars(chars):
    """The GB18030 bytes of every character (one per line, so the order holds)."""
    data = iconv("\n".join(chars).encode("utf-8") + b"\n", "UTF-8", "GB18030")
    encoded = data.split(b"\n")[:-1]
    if len(encoded) != len(chars):
        sys.exit("iconv did not encode every character")
    return encoded


def read_dictionary(opencc_dir, name):
    """The first candidate of every single-character key of an OpenCC dictionary."""
    with tempfile.TemporaryDirectory() as work:
        text_path = os.path.join(work, name + ".txt")
        subprocess.run(["opencc_dict", "-i", os.path.join(opencc_dir, name + ".ocd2"),
                        "-o", text_path, "-f", "ocd2", "-t", "text"], check=True,
                       stdout=subprocess.DEVNULL)
        mapping = {}
        with open(text_path, encoding="utf-8") as dictionary:
            for line in dictionary:
                key, _, values = line.rstrip("\n").partition("\t")
                candidates = values.split(" ")
                if len(key) == 1 and candidates and len(candidates[0]) == 1:
                    mapping[key] = candidates[0]
        return mapping


def read_overrides(path):
    """{direction: {character: first candidate}} from the override table; a
    candidate of "same" keeps the character as it is."""
    overrides = {direction: {} for direction in DICTIONARY_OF_DIRECTION}
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            if len(fields) < 3 or fields[0] not in overrides or len(fields[1]) != 1:
                sys.exit(f"{path}:{number}: expected direction, character, candidate, why")
            direction, char, candidate = fields[:3]
            candidate = char if candidate == "same" else candidate
            if len(candidate) != 1:
                sys.exit(f"{path}:{number}: the candidate must be one character or 'same'")
            overrides[direction][char] = candidate
    return overrides


def apply_overrides(mapping, overrides, chars, direction):
    """The dictionary's mapping with the reviewed rows in place; every row must
    name a double-byte character, and a row the dictionary already agrees with
    is reported so the table can shrink once the distribution catches up."""
    in_table = set(chars)
    corrected = dict(mapping)
    for char, candidate in overrides.items():
        if char not in in_table or (candidate != char and candidate not in in_table):
            sys.exit(f"override {direction} {char} -> {candidate}: not a double-byte character")
        if mapping.get(char, char) == candidate:
            print(f"note: override {direction} {char} -> {candidate} matches the dictionary")
        corrected[char] = candidate
    return corrected


def is_double_byte_code(encoded):
    return len(encoded) == 2 and 0x81 <= encoded[0] <= 0xFE and encoded[1] in TRAIL_BYTES


def build_pairs(chars, mapping):
    """(code, converted code) for every code whose character has a counterpart
    that is itself a double-byte code; every other entry holds its own code."""
    targets = [(code, mapping[char]) for code, char in zip(CODES, chars)
               if char in mapping and mapping[char] != char]
    encoded = encode_chars([target for _, target in targets])
    pairs = []
    for (code, _), target in zip(targets, encoded):
        if is_double_byte_code(target) and target != code:
            pairs.append((int.from_bytes(code, "big"), int.from_bytes(target, "big")))
    return pairs


def format_table(name, pairs):
    lines = [f"const ScriptPair {name}[] = {{"]
    for start in range(0, len(pairs), 5):
        row = ", ".join(f"{{0x{a:04X}, 0x{b:04X}}}" for a, b in pairs[start:start + 5])
        lines.append(f"    {row},")
    lines.append("};")
    return "\n".join(lines)


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--opencc-dir", default="/usr/share/opencc")
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    parser.add_argument("--overrides", default=DEFAULT_OVERRIDES)
    args = parser.parse_args()

    chars = decode_codes()
    overrides = read_overrides(args.overrides)
    mappings = {
        direction: apply_overrides(read_dictionary(args.opencc_dir, dictionary),
                                   overrides[direction], chars, direction)
        for direction, dictionary in DICTIONARY_OF_DIRECTION.items()
    }
    to_simplified = build_pairs(chars, mappings["t2s"])
    to_traditional = build_pairs(chars, mappings["s2t"])

    source = "\n".join([
        "// Generated by tools/generate_script_tables.py from OpenCC's TSCharacters and",
        "// STCharacters dictionaries, corrected by tools/script_table_overrides.tsv.",
        "// Do not edit; regenerate (see tools/README.md).",
        "// clang-format off",
        '#include "text/script_tables_data.h"',
        "",
        "namespace qm {",
        "",
        format_table("kTraditionalToSimplifiedPairs", to_simplified),
        f"const int kTraditionalToSimplifiedPairCount = {len(to_simplified)};",
        "",
        format_table("kSimplifiedToTraditionalPairs", to_traditional),
        f"const int kSimplifiedToTraditionalPairCount = {len(to_traditional)};",
        "",
        "}  // namespace qm",
        "",
    ])
    with open(args.output, "w", encoding="ascii") as output:
        output.write(source)
    print(f"{args.output}: {len(to_simplified)} traditional-to-simplified and "
          f"{len(to_traditional)} simplified-to-traditional pairs")


if __name__ == "__main__":
    main()
