#!/usr/bin/env python3
"""Writes src/text/pinyin_tables_data.cpp, the readings of the double-byte
characters and the phrase table of the pinyin conversion, from the data of the
npm package "pinyin" (MIT).

The package carries two data sets: the readings of every character (from
pinyin-data, itself from the Unicode Han database, most common reading first)
and a phrase table (from phrase-pinyin-data). Only the generator machine needs
the package; the program never uses it. Usage, from the repository root:

    npm pack pinyin@4.0.0 && tar xzf pinyin-4.0.0.tgz   # unpacks into package/
    tools/generate_pinyin_tables.py --package package [--output PATH]

Characters are decoded and encoded with glibc's GB18030 converter, the one the
program uses for its internal text, as tools/generate_script_tables.py does.

Phrase keys are written in simplified script through the committed
traditional-to-simplified table, since the program simplifies a name before it
looks phrases up. The readings are corrected by tools/pinyin_overrides.tsv, a
short reviewed table (`--overrides` names another file).
"""

import argparse
import json
import os
import re
import subprocess
import sys

HERE = os.path.dirname(__file__)
DEFAULT_OUTPUT = os.path.join(HERE, "..", "src", "text", "pinyin_tables_data.cpp")
DEFAULT_OVERRIDES = os.path.join(HERE, "pinyin_overrides.tsv")
SCRIPT_TABLES = os.path.join(HERE, "..", "src", "text", "script_tables_data.cpp")
DATA_FILE = os.path.join("lib", "cjs", "pinyin.js")

TRAIL_BYTES = list(range(0x40, 0x7F)) + list(range(0x80, 0xFF))
CODES = [bytes([lead, trail]) for lead in range(0x81, 0xFF) for trail in TRAIL_BYTES]

# Tone-marked letters and their plain letter and tone; "v" stands for ü.
MARKED = {}
for plain, marks in [("a", "āáǎà"), ("e", "ēéěè"), ("i", "īíǐì"), ("o", "ōóǒò"),
                     ("u", "ūúǔù"), ("v", "ǖǘǚǜ"), ("n", "\0ńňǹ"), ("m", "\0ḿ\0\0")]:
    for tone, mark in enumerate(marks, 1):
        if mark != "\0":
            MARKED[mark] = (plain, tone)
MARKED["ü"] = ("v", 5)
SYLLABLE = re.compile(r"^[a-z]+$")

# Dictionaries write 一 and 不 with their own tones; the phrase data set
# sometimes writes the tone they change to before another syllable.
OWN_TONE = {("一", "yí"): "yī", ("一", "yì"): "yī", ("不", "bú"): "bù"}


def iconv(data, source, target):
    return subprocess.run(["iconv", "-f", source, "-t", target], input=data,
                          capture_output=True, check=True).stdout


def double_byte_characters():
    """{character: code} for every double-byte code glibc decodes."""
    text = iconv(b"\n".join(CODES) + b"\n", "GB18030", "UTF-8").decode("utf-8")
    chars = text.split("\n")[:-1]
    if len(chars) != len(CODES):
        sys.exit("iconv did not decode every double-byte code")
    return {char: int.from_bytes(code, "big") for code, char in zip(CODES, chars)
            if len(char) == 1}


def read_package(folder):
    """(version, {character: [readings]}, {phrase: [readings]}) of the package."""
    with open(os.path.join(folder, "package.json"), encoding="utf-8") as manifest:
        package = json.load(manifest)
    if package.get("name") != "pinyin" or package.get("license") != "MIT":
        sys.exit(f"{folder} is not the MIT-licensed npm package pinyin")
    with open(os.path.join(folder, DATA_FILE), encoding="utf-8") as data:
        source = data.read()
    characters = {chr(int(code, 16)): readings.split(",") for code, readings in
                  re.findall(r'^dict\[0x([0-9a-f]+)\] = "([^"]*)";', source, re.M)}
    start = source.index("const phrases_dict = {")
    end = source.index("\n};", start)
    phrases = {key: [candidates[0] for candidates in json.loads(readings)]
               for key, readings in re.findall(r'^    "([^"]+)": (\[.*\]),$',
                                               source[start:end], re.M)}
    if len(characters) < 20000 or len(phrases) < 20000:
        sys.exit(f"{DATA_FILE}: the data set's layout has changed")
    return package["version"], characters, phrases


def read_simplified_pairs():
    """{traditional code: simplified code} from the committed script tables."""
    with open(SCRIPT_TABLES, encoding="ascii") as tables:
        source = tables.read()
    body = source[source.index("kTraditionalToSimplifiedPairs"):
                  source.index("kTraditionalToSimplifiedPairCount")]
    return {int(a, 16): int(b, 16) for a, b in re.findall(r"\{0x(\w+), 0x(\w+)\}", body)}


def split_reading(reading):
    """(syllable, tone) of a tone-marked reading, or None when it is none."""
    letters, tone = [], 5
    for char in reading:
        plain, mark = MARKED.get(char, (char, 5))
        letters.append(plain)
        if mark != 5:
            tone = mark
    syllable = "".join(letters)
    return (syllable, tone) if SYLLABLE.match(syllable) else None


def read_overrides(path):
    """{key: [readings]} of the reviewed rows: a key of one character sets the
    reading it takes outside any phrase, a longer one adds or replaces a phrase."""
    overrides = {}
    with open(path, encoding="utf-8") as table:
        for number, line in enumerate(table, 1):
            if not line.strip() or line.startswith("#"):
                continue
            fields = line.rstrip("\n").split("\t")
            readings = fields[1].split(" ") if len(fields) >= 3 else []
            if len(readings) != len(fields[0]) or not all(map(split_reading, readings)):
                sys.exit(f"{path}:{number}: expected key, one reading a character, why")
            overrides[fields[0]] = readings
    return overrides


class Tables:
    """Syllables, the reading of each code and the phrases, all as numbers."""

    def __init__(self, codes, simplified):
        self.codes = codes
        self.chars = {code: char for char, code in codes.items()}
        self.simplified = simplified
        self.syllables = {}
        self.readings = {}
        self.phrases = {}

    def reading(self, reading):
        """(syllable, tone) of a reading; its syllable joins the syllable table."""
        syllable, tone = split_reading(reading)
        self.syllables.setdefault(syllable, None)
        return syllable, tone

    def simplified_codes(self, key):
        codes = [self.codes.get(char) for char in key]
        if None in codes:
            return None
        return tuple(self.simplified.get(code, code) for code in codes)


def default_readings(tables, characters, overrides):
    for char, readings in characters.items():
        reading = overrides.get(char, [readings[0]])[0]
        if char in tables.codes and split_reading(reading):
            tables.readings[tables.codes[char]] = tables.reading(reading)
    for key, readings in overrides.items():
        if len(key) == 1 and key not in characters:
            sys.exit(f"override {key}: the data set has no such character")


def reads_like_simplified(tables, characters, codes, readings):
    """Whether every reading of a phrase is one of the data set's readings of
    the simplified character the program reads in its place. A few phrases
    written in traditional script give a character a reading its simplified
    form does not have (特徵 tè zhǐ, where 征 is only zhēng)."""
    return all(reading in characters.get(tables.chars[code], [])
               for code, reading in zip(codes, readings))


def phrase_readings(tables, characters, phrases, overrides):
    """Every phrase of double-byte characters with a reading for each, keyed
    in simplified script; the reviewed rows win."""
    rows = dict(phrases)
    for key, readings in overrides.items():
        if len(key) > 1:
            if phrases.get(key) == readings:
                print(f"note: override {key} matches the data set")
            rows[key] = readings
    for key, readings in rows.items():
        codes = tables.simplified_codes(key)
        if codes is None or len(readings) != len(key) or not all(map(split_reading, readings)):
            continue
        if key not in overrides and codes != tuple(tables.codes[char] for char in key) and \
                not reads_like_simplified(tables, characters, codes, readings):
            continue
        readings = [OWN_TONE.get((char, reading), reading) for char, reading in zip(key, readings)]
        if key in overrides or codes not in tables.phrases:
            tables.phrases[codes] = [tables.reading(reading) for reading in readings]


def needed_phrases(tables):
    """The phrases that change a reading; the rest read like their characters.
    Dropping the rest leaves about a sixth of the phrases. It can move where a
    later phrase starts (the longest match of a dropped phrase no longer hides
    one that begins inside it): on 1,499 pairs of neighbouring words of the
    accuracy fixture it changed 5 results. Keeping every phrase that could do
    so would keep nearly all of them."""
    return sorted(codes for codes, readings in tables.phrases.items()
                  if any(tables.readings.get(code) != reading
                         for code, reading in zip(codes, readings)))


def format_rows(declaration, items, per_line):
    lines = [declaration + " = {"]
    for start in range(0, len(items), per_line):
        lines.append("    " + ", ".join(items[start:start + per_line]) + ",")
    lines.append("};")
    return "\n".join(lines)


def write_source(path, version, tables, phrases):
    syllables = sorted(tables.syllables)
    number = {syllable: index for index, syllable in enumerate(syllables)}

    def packed(reading):
        return number[reading[0]] << 3 | reading[1]

    characters = sorted(tables.readings.items())
    if len(phrases) >= 1 << 16:
        sys.exit("the program indexes phrases with 16 bits")
    phrase_codes, phrase_readings, phrase_rows = [], [], []
    for codes in phrases:
        phrase_rows.append(f"{{{len(phrase_codes)}, {len(codes)}}}")
        phrase_codes += [f"0x{code:04X}" for code in codes]
        phrase_readings += [str(packed(reading)) for reading in tables.phrases[codes]]
    source = "\n".join([
        "// Generated by tools/generate_pinyin_tables.py from the data of the npm package",
        f"// pinyin {version} (MIT; character readings from pinyin-data, after the Unicode",
        "// Han database; phrases from phrase-pinyin-data), corrected by",
        "// tools/pinyin_overrides.tsv. Do not edit; regenerate (see tools/README.md).",
        "// clang-format off",
        '#include "text/pinyin_tables_data.h"',
        "",
        "namespace qm {",
        "",
        format_rows("const char* const kPinyinSyllables[]",
                    [f'"{syllable}"' for syllable in syllables], 12),
        f"const int kPinyinSyllableCount = {len(syllables)};",
        "",
        format_rows("const PinyinCharacter kPinyinCharacters[]",
                    [f"{{0x{code:04X}, {packed(reading)}}}" for code, reading in characters], 6),
        f"const int kPinyinCharacterCount = {len(characters)};",
        "",
        format_rows("const PinyinPhrase kPinyinPhrases[]", phrase_rows, 8),
        f"const int kPinyinPhraseCount = {len(phrases)};",
        "",
        format_rows("const uint16_t kPinyinPhraseCodes[]", phrase_codes, 10),
        "",
        format_rows("const uint16_t kPinyinPhraseReadings[]", phrase_readings, 12),
        "",
        "}  // namespace qm",
        "",
    ])
    with open(path, "w", encoding="ascii") as output:
        output.write(source)
    print(f"{path}: {len(syllables)} syllables, {len(characters)} characters, "
          f"{len(phrases)} of {len(tables.phrases)} phrases")


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--package", required=True, help="the unpacked npm package pinyin")
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    parser.add_argument("--overrides", default=DEFAULT_OVERRIDES)
    args = parser.parse_args()

    version, characters, phrases = read_package(args.package)
    overrides = read_overrides(args.overrides)
    tables = Tables(double_byte_characters(), read_simplified_pairs())
    default_readings(tables, characters, overrides)
    phrase_readings(tables, characters, phrases, overrides)
    write_source(args.output, version, tables, needed_phrases(tables))


if __name__ == "__main__":
    main()
