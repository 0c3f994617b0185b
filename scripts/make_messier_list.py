#!/usr/bin/python3
"""Writes src/core/targets/messier_list.cpp: M1-M110 from Stellarium's deep-sky
catalogue as Debian's stellarium-data ships it.

    /usr/bin/python3 scripts/make_messier_list.py [catalog.dat]

The catalogue (default /usr/share/stellarium/nebulae/default/catalog.dat,
version 3.16 of its format) is a gzipped Qt data stream, big-endian: two
strings (format version, edition), then one record per object. Right
ascension and declination are J2000, radians; the magnitude is V (B where V
is missing). The test holds the result against a second, independent
listing (OpenNGC, as Debian's kstars-data ships it).
"""
import gzip
import math
import os
import struct
import sys

DEFAULT = "/usr/share/stellarium/nebulae/default/catalog.dat"
# The catalogue's object types and the kinds the list names.
KINDS = {
    0: "galaxy", 1: "galaxy", 2: "galaxy", 3: "galaxy",
    5: "star cluster", 6: "open cluster", 7: "globular cluster", 9: "star cloud",
    10: "nebula", 11: "planetary nebula", 13: "nebula", 15: "nebula", 16: "open cluster", 17: "nebula",
    18: "supernova remnant", 28: "double star", 35: "asterism",
}


class Stream:
    def __init__(self, data):
        self.data, self.at = data, 0

    def take(self, fmt):
        value = struct.unpack_from(fmt, self.data, self.at)[0]
        self.at += struct.calcsize(fmt)
        return value

    def u32(self):
        return self.take(">I")

    def f64(self):
        return self.take(">d")

    def text(self):
        n = self.u32()
        if n == 0xFFFFFFFF:
            return ""
        s = self.data[self.at:self.at + n].decode("utf-16-be")
        self.at += n
        return s


def read_messier(path):
    s = Stream(gzip.open(path).read())
    version = s.text()
    s.text()
    if version != "3.16":
        sys.exit("catalogue format %s, this script reads 3.16" % version)
    found = {}
    while s.at < len(s.data):
        s.u32()
        ra, dec, bmag, vmag = s.f64(), s.f64(), s.f64(), s.f64()
        kind = s.u32()
        s.text()
        s.f64(), s.f64(), s.take(">i")
        for _ in range(6):
            s.f64()
        ngc, ic, messier = s.u32(), s.u32(), s.u32()
        for _ in range(11):
            s.u32()
        s.text(), s.u32(), s.u32()
        for _ in range(7):
            s.text()
        for _ in range(5):
            s.u32()
        if messier:
            magnitude = vmag if vmag < 90 else bmag
            found[messier] = (ra, dec, magnitude, KINDS.get(kind, "object"), ngc, ic)
    return found


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else DEFAULT
    found = read_messier(path)
    missing = sorted(set(range(1, 111)) - set(found))
    if missing:
        sys.exit("missing: %s" % missing)
    rows = []
    for m in range(1, 111):
        ra, dec, magnitude, kind, ngc, ic = found[m]
        rows.append('    {"M%d", %.6f, %.5f, %.2f, "%s"},' % (
            m, math.degrees(ra) / 15.0, math.degrees(dec), magnitude, kind))
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "src", "core", "targets",
                       "messier_list.cpp")
    with open(out, "w") as f:
        f.write('// Made by scripts/make_messier_list.py from Stellarium\'s deep-sky catalogue\n'
                '// (Debian stellarium-data); do not edit by hand.\n'
                '#include "core/targets/messier_list.h"\n\n'
                'namespace velmarin {\n\n'
                'namespace {\n\n'
                '// name, right ascension (h, J2000), declination (deg, J2000), V magnitude, kind\n'
                'constexpr MessierEntry kMessier[] = {\n')
        f.write("\n".join(rows) + "\n")
        f.write('};\n\n}  // namespace\n\n'
                'std::span<const MessierEntry> MessierEntries() { return kMessier; }\n\n'
                '}  // namespace velmarin\n')


if __name__ == "__main__":
    main()
