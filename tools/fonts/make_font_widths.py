#!/usr/bin/env python3
"""Writes src/pdf/font_widths.cpp: the advance widths of the 14 standard PDF
fonts, 256 per font, indexed by the Windows-1252 byte the writer puts into a
text string.

The widths come from the Adobe core-14 AFM files (Debian ships them in the
package ruby-prawn). Codes are mapped to glyphs through WinAnsiEncoding,
because every text font object the writer produces says
/Encoding/WinAnsiEncoding; Symbol and ZapfDingbats keep their built-in
encodings, so their widths are looked up by the AFM's own codes.

Where a code has no glyph the viewer still has to advance by something, and
the layout must agree with it:
  * codes 0-31 take the width of the space (Symbol: 250, ZapfDingbats: 0);
  * 127 and the five codes Windows-1252 leaves unassigned take the bullet's
    width, 350, as viewers substitute a bullet there;
  * the euro (128) takes the width of a figure: 556 in Helvetica, 500 in Times;
  * Courier is a fixed-pitch family: 600 for every code.

Usage:
  make_font_widths.py [--afm-dir DIR] [--output FILE] [--check TSV]

--check compares the computed tables with a reference TSV (columns font, code,
width; a header line) and exits with status 1 on any difference. Standard
library only.
"""

import argparse
import os
import sys

DEFAULT_AFM_DIR = "/usr/share/ruby-prawn/fonts"
DEFAULT_OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)),
                              "..", "..", "src", "pdf", "font_widths.cpp")

# Lookup key (family + style, upper-cased) and base font name, in the order
# the writer searches them.
FONTS = [
    ("COURIER", "Courier"),
    ("COURIERB", "Courier-Bold"),
    ("COURIERI", "Courier-Oblique"),
    ("COURIERBI", "Courier-BoldOblique"),
    ("HELVETICA", "Helvetica"),
    ("HELVETICAB", "Helvetica-Bold"),
    ("HELVETICAI", "Helvetica-Oblique"),
    ("HELVETICABI", "Helvetica-BoldOblique"),
    ("ZAPFDINGBATS", "ZapfDingbats"),
    ("TIMES", "Times-Roman"),
    ("TIMESI", "Times-Italic"),
    ("TIMESBI", "Times-BoldItalic"),
    ("TIMESB", "Times-Bold"),
    ("SYMBOL", "Symbol"),
]

# WinAnsiEncoding glyph names. 32-126 follow ASCII except that 39 and 96 are
# quotesingle and grave (not the curly quotes of StandardEncoding); 160 is a
# second space and 173 a second hyphen.
ASCII_NAMES = (
    "space exclam quotedbl numbersign dollar percent ampersand quotesingle "
    "parenleft parenright asterisk plus comma hyphen period slash "
    "zero one two three four five six seven eight nine colon semicolon less "
    "equal greater question at A B C D E F G H I J K L M N O P Q R S T U V W X "
    "Y Z bracketleft backslash bracketright asciicircum underscore grave "
    "a b c d e f g h i j k l m n o p q r s t u v w x y z braceleft bar "
    "braceright asciitilde").split()
HIGH_NAMES = (
    # 128-159; "-" marks a code without a glyph
    "Euro - quotesinglbase florin quotedblbase ellipsis dagger daggerdbl "
    "circumflex perthousand Scaron guilsinglleft OE - Zcaron - "
    "- quoteleft quoteright quotedblleft quotedblright bullet endash emdash "
    "tilde trademark scaron guilsinglright oe - zcaron Ydieresis "
    # 160-255
    "space exclamdown cent sterling currency yen brokenbar section dieresis "
    "copyright ordfeminine guillemotleft logicalnot hyphen registered macron "
    "degree plusminus twosuperior threesuperior acute mu paragraph "
    "periodcentered cedilla onesuperior ordmasculine guillemotright onequarter "
    "onehalf threequarters questiondown "
    "Agrave Aacute Acircumflex Atilde Adieresis Aring AE Ccedilla Egrave Eacute "
    "Ecircumflex Edieresis Igrave Iacute Icircumflex Idieresis Eth Ntilde "
    "Ograve Oacute Ocircumflex Otilde Odieresis multiply Oslash Ugrave Uacute "
    "Ucircumflex Udieresis Yacute Thorn germandbls "
    "agrave aacute acircumflex atilde adieresis aring ae ccedilla egrave eacute "
    "ecircumflex edieresis igrave iacute icircumflex idieresis eth ntilde "
    "ograve oacute ocircumflex otilde odieresis divide oslash ugrave uacute "
    "ucircumflex udieresis yacute thorn ydieresis").split()
assert len(ASCII_NAMES) == 95 and len(HIGH_NAMES) == 128

WIN_ANSI = {}
for offset, name in enumerate(ASCII_NAMES):
    WIN_ANSI[32 + offset] = name
for offset, name in enumerate(HIGH_NAMES):
    if name != "-":
        WIN_ANSI[128 + offset] = name

BULLET_WIDTH = 350
UNASSIGNED = (127, 129, 141, 143, 144, 157)
EURO_WIDTH = {"Helvetica": 556, "Times": 500}


def read_afm(path):
    """Returns ({name: width}, {code: width}) from the CharMetrics section."""
    by_name, by_code = {}, {}
    in_metrics = False
    with open(path, encoding="latin-1") as afm:
        for line in afm:
            if line.startswith("StartCharMetrics"):
                in_metrics = True
                continue
            if line.startswith("EndCharMetrics"):
                break
            if not in_metrics:
                continue
            fields = {}
            for part in line.split(";"):
                words = part.split()
                if len(words) >= 2:
                    fields[words[0]] = words[1]
            code, width, name = int(fields["C"]), int(fields["WX"]), fields["N"]
            by_name[name] = width
            if code >= 0:
                by_code[code] = width
    return by_name, by_code


def text_font_widths(base_font, by_name):
    family = "Helvetica" if base_font.startswith("Helvetica") else "Times"
    space = by_name["space"]
    widths = []
    for code in range(256):
        if code < 32:
            widths.append(space)
        elif code in UNASSIGNED:
            widths.append(BULLET_WIDTH)
        elif code == 128:
            widths.append(EURO_WIDTH[family])
        else:
            widths.append(by_name[WIN_ANSI[code]])
    return widths


def compute_tables(afm_dir):
    tables = {}
    for _, base_font in FONTS:
        by_name, by_code = read_afm(os.path.join(afm_dir, base_font + ".afm"))
        if base_font.startswith("Courier"):
            if set(by_name.values()) != {600}:
                sys.exit(base_font + ": expected every glyph to be 600 units wide")
            widths = [600] * 256
        elif base_font in ("Symbol", "ZapfDingbats"):
            widths = [by_code.get(code, 0) for code in range(256)]
            if base_font == "Symbol":
                widths[:32] = [250] * 32
        else:
            widths = text_font_widths(base_font, by_name)
        tables[base_font] = widths
    return tables


def render_cpp(tables, afm_dir):
    out = []
    out.append("// Generated by tools/fonts/make_font_widths.py from the Adobe core-14 AFM files")
    out.append("// (" + afm_dir + ", Debian package ruby-prawn). Do not edit; run the script.")
    out.append("// Text fonts: widths of the glyphs WinAnsiEncoding assigns to each code;")
    out.append("// Symbol and ZapfDingbats: widths by their built-in encodings.")
    out.append('#include "pdf/font_widths.h"')
    out.append("")
    out.append("namespace velkart::pdf {")
    out.append("")
    out.append("const std::array<StandardFont, %d> standard_fonts{{" % len(FONTS))
    for lookup_name, base_font in FONTS:
        widths = tables[base_font]
        out.append('    {"%s", "%s", {{' % (lookup_name, base_font))
        for row in range(0, 256, 16):
            numbers = "".join("%4d," % w for w in widths[row:row + 16])
            out.append("       %s  // %d-%d" % (numbers, row, row + 15))
        out.append("    }}},")
    out.append("}};")
    out.append("")
    out.append("}  // namespace velkart::pdf")
    return "\n".join(out) + "\n"


def check_against(tables, tsv_path):
    expected = {}
    with open(tsv_path, encoding="ascii") as tsv:
        next(tsv)
        for line in tsv:
            font, code, width = line.rstrip("\n").split("\t")
            expected[(font, int(code))] = int(width)
    differences = 0
    for (font, code), width in sorted(expected.items()):
        actual = tables[font][code]
        if actual != width:
            print("%s code %d: computed %d, reference %d" % (font, code, actual, width))
            differences += 1
    fonts = sorted({font for font, _ in expected})
    print("checked %d fonts x 256 codes against %s: %d differences"
          % (len(fonts), tsv_path, differences))
    return differences == 0


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--afm-dir", default=DEFAULT_AFM_DIR)
    parser.add_argument("--output", default=DEFAULT_OUTPUT)
    parser.add_argument("--check", metavar="TSV")
    args = parser.parse_args()

    tables = compute_tables(args.afm_dir)
    if args.check and not check_against(tables, args.check):
        return 1
    with open(args.output, "w", encoding="ascii", newline="\n") as cpp:
        cpp.write(render_cpp(tables, args.afm_dir))
    return 0


if __name__ == "__main__":
    sys.exit(main())
