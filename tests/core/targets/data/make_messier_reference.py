#!/usr/bin/python3
"""Independent Messier reference for tests/core/targets/messier_list_test.cpp.

Writes messier_openngc.txt beside this script from OpenNGC as Debian's
kstars-data ships it (an SQLite file, default
/usr/share/kstars/OpenNGC.kscat):

    /usr/bin/python3 make_messier_reference.py [OpenNGC.kscat]

Lines: NUMBER RA_HOURS DEC_DEGREES MAGNITUDE TYPE, J2000, with the
catalogue's own object type (3 open cluster, 4 globular cluster, 5 nebula,
6 planetary nebula, 7 supernova remnant, 8 galaxy, 13 asterism or star
cloud, 17 multiple star, 255 other). OpenNGC leaves M102 unnamed (its
identity is disputed), so it has 109 lines.
"""
import os
import sqlite3
import sys

DEFAULT = "/usr/share/kstars/OpenNGC.kscat"


def main():
    path = sys.argv[1] if len(sys.argv) > 1 else DEFAULT
    db = sqlite3.connect("file:%s?mode=ro" % path, uri=True)
    rows = {}
    for kind, ra, dec, mag, name in db.execute(
            "select type, ra, dec, magnitude, name from cat where name like 'M %'"):
        rows[int(name[2:])] = (ra / 15.0, dec, mag, kind)
    out = os.path.join(os.path.dirname(os.path.abspath(__file__)), "messier_openngc.txt")
    with open(out, "w") as f:
        f.write("# OpenNGC (kstars-data) Messier objects; made by make_messier_reference.py\n")
        for m in sorted(rows):
            ra, dec, mag, kind = rows[m]
            f.write("%d %.6f %.5f %.2f %d\n" % (m, ra, dec, mag, kind))


if __name__ == "__main__":
    main()
