// Every text of the core that a reader sees, once, with its id. The German
// text is the source; its English form comes from the translation file
// res/translations/velmarin_en.ts, as the window's texts do (lupdate reads
// the markers below; the build turns the file into the core's table).
// JSON and CSV keep the German names they always had: they are read by
// programs, not people.
//
// Included with VELMARIN_TEXT(id, text) defined; QT_TRANSLATE_NOOP only
// marks the text for lupdate and is the text itself.

// Month labels of the chart.
VELMARIN_TEXT(MonthJan, QT_TRANSLATE_NOOP("CoreText", "Jan"))
VELMARIN_TEXT(MonthFeb, QT_TRANSLATE_NOOP("CoreText", "Feb"))
VELMARIN_TEXT(MonthMar, QT_TRANSLATE_NOOP("CoreText", "Mrz"))
VELMARIN_TEXT(MonthApr, QT_TRANSLATE_NOOP("CoreText", "Apr"))
VELMARIN_TEXT(MonthMay, QT_TRANSLATE_NOOP("CoreText", "Mai"))
VELMARIN_TEXT(MonthJun, QT_TRANSLATE_NOOP("CoreText", "Jun"))
VELMARIN_TEXT(MonthJul, QT_TRANSLATE_NOOP("CoreText", "Jul"))
VELMARIN_TEXT(MonthAug, QT_TRANSLATE_NOOP("CoreText", "Aug"))
VELMARIN_TEXT(MonthSep, QT_TRANSLATE_NOOP("CoreText", "Sep"))
VELMARIN_TEXT(MonthOct, QT_TRANSLATE_NOOP("CoreText", "Okt"))
VELMARIN_TEXT(MonthNov, QT_TRANSLATE_NOOP("CoreText", "Nov"))
VELMARIN_TEXT(MonthDec, QT_TRANSLATE_NOOP("CoreText", "Dez"))

// Bodies and curves of the catalogue (the chart's legend, readouts, tables).
VELMARIN_TEXT(BodySun, QT_TRANSLATE_NOOP("CoreText", "Sonne"))
VELMARIN_TEXT(BodyMercury, QT_TRANSLATE_NOOP("CoreText", "Merkur"))
VELMARIN_TEXT(BodyVenus, QT_TRANSLATE_NOOP("CoreText", "Venus"))
VELMARIN_TEXT(BodyMars, QT_TRANSLATE_NOOP("CoreText", "Mars"))
VELMARIN_TEXT(BodyJupiter, QT_TRANSLATE_NOOP("CoreText", "Jupiter"))
VELMARIN_TEXT(BodySaturn, QT_TRANSLATE_NOOP("CoreText", "Saturn"))
VELMARIN_TEXT(BodyUranus, QT_TRANSLATE_NOOP("CoreText", "Uranus"))
VELMARIN_TEXT(BodyNeptune, QT_TRANSLATE_NOOP("CoreText", "Neptun"))
VELMARIN_TEXT(BodyMoon, QT_TRANSLATE_NOOP("CoreText", "Mond"))
VELMARIN_TEXT(BodyMoonNode, QT_TRANSLATE_NOOP("CoreText", "Mond-Knoten"))
VELMARIN_TEXT(CurveSiderealTime, QT_TRANSLATE_NOOP("CoreText", "Sternzeit 0h"))
VELMARIN_TEXT(CurveSunshine, QT_TRANSLATE_NOOP("CoreText", "max. Sonnenschein"))
VELMARIN_TEXT(CurveDarkness, QT_TRANSLATE_NOOP("CoreText", "Dunkelheit"))
VELMARIN_TEXT(CurveEcliptic, QT_TRANSLATE_NOOP("CoreText", "Ekliptik"))
VELMARIN_TEXT(BodyPluto, QT_TRANSLATE_NOOP("CoreText", "Pluto"))

// Phase markers.
VELMARIN_TEXT(PhaseNewMoon, QT_TRANSLATE_NOOP("CoreText", "Neumond"))
VELMARIN_TEXT(PhaseFirstQuarter, QT_TRANSLATE_NOOP("CoreText", "1. Viertel"))
VELMARIN_TEXT(PhaseFullMoon, QT_TRANSLATE_NOOP("CoreText", "Vollmond"))
VELMARIN_TEXT(PhaseLastQuarter, QT_TRANSLATE_NOOP("CoreText", "3. Viertel"))
VELMARIN_TEXT(PhaseSolarEclipse, QT_TRANSLATE_NOOP("CoreText", "mögl. Sonnenfinsternis"))
VELMARIN_TEXT(PhaseLunarEclipse, QT_TRANSLATE_NOOP("CoreText", "mögl. Mondfinsternis"))

// Titles and captions of the chart.
VELMARIN_TEXT(TitleTwilight, QT_TRANSLATE_NOOP("CoreText", "Dämmerung %d"))
VELMARIN_TEXT(TitleCalendar, QT_TRANSLATE_NOOP("CoreText", "Astronomischer Kalender %d"))
VELMARIN_TEXT(AxisX, QT_TRANSLATE_NOOP("CoreText", "X-Achse: "))
VELMARIN_TEXT(AxisY, QT_TRANSLATE_NOOP("CoreText", "Y-Achse: "))
VELMARIN_TEXT(AxisHourAngleSun, QT_TRANSLATE_NOOP("CoreText", "Stundenwinkel zur Sonne"))
VELMARIN_TEXT(AxisHourAngleAntisun, QT_TRANSLATE_NOOP("CoreText", "Stundenwinkel zur Gegensonne"))
VELMARIN_TEXT(AxisClockIn, QT_TRANSLATE_NOOP("CoreText", "Uhrzeit in "))
VELMARIN_TEXT(AxisWithSummerTime, QT_TRANSLATE_NOOP("CoreText", " mit Sommerzeit"))
VELMARIN_TEXT(RightAscension, QT_TRANSLATE_NOOP("CoreText", "Rektaszension"))
VELMARIN_TEXT(AxisWidthBy, QT_TRANSLATE_NOOP("CoreText", ", Linienbreite nach "))
VELMARIN_TEXT(Diameter, QT_TRANSLATE_NOOP("CoreText", "Durchmesser"))
VELMARIN_TEXT(AxisAnd, QT_TRANSLATE_NOOP("CoreText", " und "))
VELMARIN_TEXT(Brightness, QT_TRANSLATE_NOOP("CoreText", "Helligkeit"))
VELMARIN_TEXT(AxisCodedDiameter, QT_TRANSLATE_NOOP("CoreText", ", Linienbreite codiert mit relativem Durchmesser"))
VELMARIN_TEXT(AxisAndBrightness, QT_TRANSLATE_NOOP("CoreText", " und relativer Helligkeit"))
VELMARIN_TEXT(AxisCodedBrightness, QT_TRANSLATE_NOOP("CoreText", ", Linienbreite codiert mit relativer Helligkeit"))
VELMARIN_TEXT(ZoneCet, QT_TRANSLATE_NOOP("CoreText", "MEZ"))
VELMARIN_TEXT(ZoneEet, QT_TRANSLATE_NOOP("CoreText", "OEZ"))
VELMARIN_TEXT(PlaceFor, QT_TRANSLATE_NOOP("CoreText", "Für Ort "))
VELMARIN_TEXT(PlaceEast, QT_TRANSLATE_NOOP("CoreText", "O"))

// The twilight chart's overlays and legend.
VELMARIN_TEXT(MoonFreeDarkness, QT_TRANSLATE_NOOP("CoreText", "Dunkelheit ohne Mond"))
VELMARIN_TEXT(Moonlight, QT_TRANSLATE_NOOP("CoreText", "Mondlicht"))
VELMARIN_TEXT(PassLegend, QT_TRANSLATE_NOOP("CoreText", "↑ Aufgang, ↓ Untergang, gestrichelt: Kulmination"))
VELMARIN_TEXT(PassTransitSuffix, QT_TRANSLATE_NOOP("CoreText", " Kulm."))

// The twilight chart's bands: the readout's names, the legend's short ones.
VELMARIN_TEXT(BandDay, QT_TRANSLATE_NOOP("CoreText", "Tag"))
VELMARIN_TEXT(BandCivil, QT_TRANSLATE_NOOP("CoreText", "bürgerliche Dämmerung"))
VELMARIN_TEXT(BandNautical, QT_TRANSLATE_NOOP("CoreText", "nautische Dämmerung"))
VELMARIN_TEXT(BandAstronomical, QT_TRANSLATE_NOOP("CoreText", "astronomische Dämmerung"))
VELMARIN_TEXT(BandNight, QT_TRANSLATE_NOOP("CoreText", "Nacht"))
VELMARIN_TEXT(BandCivilShort, QT_TRANSLATE_NOOP("CoreText", "bürgerl. Dämmerung"))
VELMARIN_TEXT(BandNauticalShort, QT_TRANSLATE_NOOP("CoreText", "naut. Dämmerung"))
VELMARIN_TEXT(BandAstronomicalShort, QT_TRANSLATE_NOOP("CoreText", "astr. Dämmerung"))
VELMARIN_TEXT(BandStrip, QT_TRANSLATE_NOOP("CoreText", "Tag bis Nacht"))

// Readouts.
VELMARIN_TEXT(ReadoutRise, QT_TRANSLATE_NOOP("CoreText", "| Aufgang "))
VELMARIN_TEXT(ReadoutTransit, QT_TRANSLATE_NOOP("CoreText", ", Kulmination "))
VELMARIN_TEXT(ReadoutSet, QT_TRANSLATE_NOOP("CoreText", ", Untergang "))
VELMARIN_TEXT(ReadoutLit, QT_TRANSLATE_NOOP("CoreText", ", beleuchtet "))
VELMARIN_TEXT(ReadoutUpInDarkness, QT_TRANSLATE_NOOP("CoreText", "| in astronomischer Dunkelheit über dem Horizont: "))
VELMARIN_TEXT(ReadoutNotUpInDarkness, QT_TRANSLATE_NOOP("CoreText", "| in astronomischer Dunkelheit nicht über dem Horizont"))
VELMARIN_TEXT(ReadoutMoonDown, QT_TRANSLATE_NOOP("CoreText", ", davon ohne Mond "))

// Display modes, as the menu "&Anzeigen" names them.
VELMARIN_TEXT(ModeNormal, QT_TRANSLATE_NOOP("CoreText", "&Normal"))
VELMARIN_TEXT(ModeSun, QT_TRANSLATE_NOOP("CoreText", "&Sonne"))
VELMARIN_TEXT(ModeMidnight, QT_TRANSLATE_NOOP("CoreText", "&Mitternachtslinie"))
VELMARIN_TEXT(Twilight, QT_TRANSLATE_NOOP("CoreText", "Dämmerung"))

// The almanac's text tables.
VELMARIN_TEXT(TableWithSummerTime, QT_TRANSLATE_NOOP("CoreText", ", mit Sommerzeit"))
VELMARIN_TEXT(TableWithoutSummerTime, QT_TRANSLATE_NOOP("CoreText", ", ohne Sommerzeit"))
VELMARIN_TEXT(TableZone, QT_TRANSLATE_NOOP("CoreText", "Zeitzone "))
VELMARIN_TEXT(TableTwilight, QT_TRANSLATE_NOOP("CoreText", "Dämmerung "))
VELMARIN_TEXT(TableLatitude, QT_TRANSLATE_NOOP("CoreText", ", Breite "))
VELMARIN_TEXT(TableLongitude, QT_TRANSLATE_NOOP("CoreText", "°, Länge "))
VELMARIN_TEXT(TableDate, QT_TRANSLATE_NOOP("CoreText", "Datum"))
VELMARIN_TEXT(TableSunshine, QT_TRANSLATE_NOOP("CoreText", "Sonnenschein"))
VELMARIN_TEXT(TableDeclination, QT_TRANSLATE_NOOP("CoreText", "Deklination"))
VELMARIN_TEXT(TablePhases, QT_TRANSLATE_NOOP("CoreText", "Mondphasen "))
VELMARIN_TEXT(TableVisibility, QT_TRANSLATE_NOOP("CoreText", "Sichtbarkeit "))
VELMARIN_TEXT(TablePlace, QT_TRANSLATE_NOOP("CoreText", "Breite "))
VELMARIN_TEXT(TableNamedZone, QT_TRANSLATE_NOOP("CoreText", "Zone "))
VELMARIN_TEXT(TableVisibilityNote, QT_TRANSLATE_NOOP("CoreText", "Ortszeit; je Körper Aufgang, Kulmination, Untergang; „—“: an diesem Tag nicht.\n"
                                                                  "Dämmerung: Ende und Beginn der astronomischen Dämmerung (−18°).\n\n"))
VELMARIN_TEXT(TableDark, QT_TRANSLATE_NOOP("CoreText", "Dunkel"))
VELMARIN_TEXT(TableMoonless, QT_TRANSLATE_NOOP("CoreText", "o. Mond"))
VELMARIN_TEXT(TableEnd, QT_TRANSLATE_NOOP("CoreText", "Ende"))
VELMARIN_TEXT(TableBegin, QT_TRANSLATE_NOOP("CoreText", "Beg."))
VELMARIN_TEXT(TableRise, QT_TRANSLATE_NOOP("CoreText", "Auf"))
VELMARIN_TEXT(TableTransit, QT_TRANSLATE_NOOP("CoreText", "Kulm"))
VELMARIN_TEXT(TableSet, QT_TRANSLATE_NOOP("CoreText", "Unt"))
