#!/usr/bin/env python3
"""Builds data/arrlpre2.txt, the prefix table of the logger, and data/ADIFCnt.txt, the country-name to DXCC
entity list of the ADIF export, from AD1C's country file (cty.dat, cty.csv).

    tools/make_prefix_table.py [FOLDER] [-o OUTPUT] [--dxcc-output DXCC_OUTPUT]

FOLDER holds cty.dat and cty.csv (default /usr/share/hamradio-files, Debian package hamradio-files);
cty.csv supplies the DXCC entity numbers. OUTPUT defaults to data/arrlpre2.txt, DXCC_OUTPUT to
data/ADIFCnt.txt beside this script. Both come from the same entities in one run, so the country names of the
two files cannot drift apart.

Each prefix alias of cty.dat becomes one entry, in the logger's write format (quoted texts, bare numbers,
CR LF):

    "prefix","country","continent",longitude(+W),latitude,cqZone,ituZone,dxccEntity

Exact-call aliases (=CALL) are left out: the logger matches prefixes only. The alias overrides (n) CQ zone,
[n] ITU zone, <lat/long> coordinates and {aa} continent are applied; ~n~ (time offset) is ignored. Entries are
sorted by their upper-cased prefix, character by character code, which is the order the logger's search
needs. A prefix listed twice keeps its first occurrence in cty.dat order; the other is reported. A prefix
holding characters other than A-Z, 0-9 and "/" is reported and left out.

Country names are cty.dat's, except where COUNTRY_NAMES gives the shorter name an operator types. Entities on
the DARC WAE list only ("*IT9" Sicily, "*GM/s" Shetland, ...) keep their own name: the file treats them as
separate countries, and cty.csv gives them the number of their parent entity.

ADIFCnt.txt holds one line per cty.dat country, sorted by name ignoring case:

    "country",dxccEntity

with the same names as the prefix table (countries with exact calls only included), so an S/P/C the operator
typed from the table finds its number. WAE-only entities carry their parent's number, as cty.csv has it.

Python 3 standard library only.
"""

import argparse
import csv
import re
import sys
from dataclasses import dataclass, field
from pathlib import Path

CAPACITY = 10000  # entries the logger's table holds

# cty.dat name -> the name the logger shows. Names not listed are used as cty.dat spells them.
COUNTRY_NAMES = {
    "United States of America": "USA",
    "Fed. Rep. of Germany": "Germany",
    "European Russia": "Russia (European)",
    "Asiatic Russia": "Russia (Asiatic)",
    "Asiatic Turkey": "Turkey (Asiatic)",
    "European Turkey": "Turkey (European)",
    "Republic of Korea": "South Korea",
    "DPR of Korea": "North Korea",
    "Dem. Rep. of the Congo": "DR Congo",
    "Republic of the Congo": "Congo",
    "Republic of Kosovo": "Kosovo",
    "Republic of South Sudan": "South Sudan",
    "Kingdom of Eswatini": "Eswatini",
    "Slovak Republic": "Slovakia",
    "The Gambia": "Gambia",
    "Brunei Darussalam": "Brunei",
    "Timor - Leste": "Timor-Leste",
    "Juan de Nova, Europa": "Juan de Nova & Europa",  # no comma: the name also goes into exported files
}

VALID_PREFIX = re.compile(r"[A-Z0-9/]+")
# An alias: optional "=", the call or prefix, then any of (n) [n] <lat/long> {aa} ~n~ in any order.
ALIAS = re.compile(r"(=?)([^()\[\]<>{}~]*)((?:\([^)]*\)|\[[^\]]*\]|<[^>]*>|\{[^}]*\}|~[^~]*~)*)")
OVERRIDE = re.compile(r"\(([^)]*)\)|\[([^\]]*)\]|<([^>]*)>|\{([^}]*)\}|~([^~]*)~")
VERSION = re.compile(r"=VER(\d{8})\b")


@dataclass
class Alias:
    text: str  # as written in cty.dat
    call: str  # prefix or call without "=" and overrides
    exact: bool
    cq: int
    itu: int
    continent: str
    latitude: str
    longitude: str  # degrees, + = west, as cty.dat writes it


@dataclass
class Entity:
    primary: str  # field 8 of the header, "*" kept ("*IT9")
    cty_name: str
    name: str  # the name the logger shows
    dxcc: int  # from cty.csv; WAE-only entities carry their parent's number
    continent: str
    cq: int
    itu: int
    latitude: str
    longitude: str
    wae_only: bool
    aliases: list = field(default_factory=list)


def read_text(path):
    """A country file as text: UTF-8 when it is valid UTF-8, otherwise Windows-1252."""
    data = path.read_bytes()
    try:
        return data.decode("utf-8")
    except UnicodeDecodeError:
        return data.decode("cp1252")


def parse_alias(text, entity, problems):
    match = ALIAS.fullmatch(text)
    if not match:
        problems.append(f"{entity.cty_name}: alias {text!r} not understood, left out")
        return None
    exact, call, overrides = match.groups()
    alias = Alias(text, call, exact == "=", entity.cq, entity.itu, entity.continent, entity.latitude,
                  entity.longitude)
    for cq, itu, coords, continent, _offset in OVERRIDE.findall(overrides):
        try:
            if cq:
                alias.cq = int(cq)
            elif itu:
                alias.itu = int(itu)
            elif coords:
                latitude, longitude = coords.split("/")
                float(latitude), float(longitude)
                alias.latitude, alias.longitude = latitude.strip(), longitude.strip()
            elif continent:
                alias.continent = continent.strip()
        except ValueError:
            problems.append(f"{entity.cty_name}: override in {text!r} not understood, ignored")
    return alias


def build_entities(folder, problems):
    """Every entity of cty.dat in file order, with its aliases, its logger name and its DXCC number.

    Also the source for a country-name -> DXCC-number list (ADIFCnt.txt)."""
    dxcc_numbers = {}
    with open(folder / "cty.csv", newline="", encoding="latin-1") as csv_file:
        for row in csv.reader(csv_file):
            if len(row) >= 3 and row[2].strip().isdigit():
                dxcc_numbers[row[0].strip()] = int(row[2])

    entities = []
    text = read_text(folder / "cty.dat")
    # A record: a header line of eight ":"-ended fields, then indented alias lines up to the ";".
    for header, body in re.findall(r"^(\S[^\r\n]*)\r?\n((?:[ \t][^\r\n]*(?:\r?\n|$))*)", text, re.M):
        fields = [part.strip() for part in header.split(":")]
        if len(fields) < 8:
            problems.append(f"header {header!r} has fewer than eight fields, record left out")
            continue
        cty_name, cq, itu, continent, latitude, longitude, _offset, primary = fields[:8]
        entity = Entity(primary, cty_name, COUNTRY_NAMES.get(cty_name, cty_name),
                        dxcc_numbers.get(primary, 0), continent, int(cq), int(itu), latitude, longitude,
                        primary.startswith("*"))
        if primary not in dxcc_numbers:
            problems.append(f"{cty_name}: no DXCC number in cty.csv for {primary}, 0 written")
        aliases = "".join(body.split()).rstrip(";")
        for text_alias in filter(None, aliases.split(",")):
            alias = parse_alias(text_alias, entity, problems)
            if alias:
                entity.aliases.append(alias)
        entities.append(entity)

    seen = {}
    for entity in entities:
        if entity.name in seen:
            raise SystemExit(f"country name {entity.name!r} used for both {seen[entity.name]!r} and "
                             f"{entity.cty_name!r}; fix COUNTRY_NAMES")
        seen[entity.name] = entity.cty_name
    for cty_name in sorted(COUNTRY_NAMES.keys() - {entity.cty_name for entity in entities}):
        problems.append(f"COUNTRY_NAMES: {cty_name!r} is not in this cty.dat (renamed upstream?)")
    return entities


def file_version(folder):
    match = VERSION.search(read_text(folder / "cty.dat"))
    return match.group(1) if match else "unknown"


def number(text):
    """A degree value in its shortest form: "-10.00" -> "-10", "43.730" -> "43.73"."""
    value = repr(float(text))
    if value.endswith(".0"):
        value = value[:-2]
    return "0" if value == "-0" else value


def quoted(text):
    if '"' in text or "\r" in text or "\n" in text:
        raise SystemExit(f"text {text!r} cannot be written in the write format")
    return f'"{text}"'


def prefix_entries(entities, problems):
    """The table's entries as (prefix, line) in search order."""
    entries = {}
    for entity in entities:
        for alias in entity.aliases:
            if alias.exact:
                continue
            if not VALID_PREFIX.fullmatch(alias.call):
                problems.append(f"{entity.cty_name}: prefix {alias.text!r} has characters other than "
                                f"A-Z, 0-9 and '/', left out")
                continue
            key = alias.call.upper()
            if key in entries:
                problems.append(f"prefix {alias.call} of {entity.cty_name} already listed for "
                                f"{entries[key][1]}, second one left out")
                continue
            line = ",".join([quoted(alias.call), quoted(entity.name), quoted(alias.continent),
                             number(alias.longitude), number(alias.latitude), str(alias.cq), str(alias.itu),
                             str(entity.dxcc)])
            entries[key] = (line, entity.cty_name)
    # Upper-cased prefixes compared by character code ("/" < digits < letters), as the search expects.
    return [(key, entries[key][0]) for key in sorted(entries)]


DXCC_CAPACITY = 1000  # pairs the logger's ADIF export reads


def dxcc_lines(entities):
    """The lines of ADIFCnt.txt: every entity's logger name and DXCC number, sorted by name ignoring case."""
    return [f"{quoted(entity.name)},{entity.dxcc}"
            for entity in sorted(entities, key=lambda entity: (entity.name.casefold(), entity.name))]


def main():
    here = Path(__file__).resolve().parent
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("folder", nargs="?", default="/usr/share/hamradio-files", type=Path,
                        help="folder holding cty.dat and cty.csv")
    parser.add_argument("-o", "--output", type=Path, default=here.parent / "data" / "arrlpre2.txt")
    parser.add_argument("--dxcc-output", type=Path, default=here.parent / "data" / "ADIFCnt.txt",
                        help="the country-name to DXCC-number list written beside the table")
    parser.add_argument("--list-names", action="store_true",
                        help="also print the country names written, one a line (for data/README.md)")
    args = parser.parse_args()

    problems = []
    entities = build_entities(args.folder, problems)
    entries = prefix_entries(entities, problems)
    for problem in problems:
        print(f"warning: {problem}", file=sys.stderr)
    if len(entries) > CAPACITY:
        raise SystemExit(f"{len(entries)} entries, the logger holds at most {CAPACITY}; nothing written")
    countries = dxcc_lines(entities)
    if len(countries) > DXCC_CAPACITY:
        raise SystemExit(f"{len(countries)} countries, the ADIF export reads at most {DXCC_CAPACITY}; "
                         f"nothing written")

    args.output.write_bytes("".join(line + "\r\n" for _, line in entries).encode("utf-8"))
    args.dxcc_output.write_bytes("".join(line + "\r\n" for line in countries).encode("utf-8"))
    with_prefixes = [entity for entity in entities if any(not a.exact for a in entity.aliases)]
    print(f"{args.output}: {len(entries)} entries, {len(with_prefixes)} of {len(entities)} countries "
          f"(cty.dat version {file_version(args.folder)})")
    print(f"{args.dxcc_output}: {len(countries)} countries with their DXCC entity numbers")
    without = [entity.name for entity in entities if entity not in with_prefixes]
    if without:
        print("countries with exact calls only, not in the table: " + "; ".join(without))
    if args.list_names:
        print("\n".join(sorted((entity.name for entity in with_prefixes), key=str.casefold)))


if __name__ == "__main__":
    main()
