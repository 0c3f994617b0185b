<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_GB" sourcelanguage="de_DE">
<context>
    <name>CoreText</name>
    <message>
        <source>Jan</source>
        <translation>Jan</translation>
    </message>
    <message>
        <source>Feb</source>
        <translation>Feb</translation>
    </message>
    <message>
        <source>Mrz</source>
        <translation>Mar</translation>
    </message>
    <message>
        <source>Apr</source>
        <translation>Apr</translation>
    </message>
    <message>
        <source>Mai</source>
        <translation>May</translation>
    </message>
    <message>
        <source>Jun</source>
        <translation>Jun</translation>
    </message>
    <message>
        <source>Jul</source>
        <translation>Jul</translation>
    </message>
    <message>
        <source>Aug</source>
        <translation>Aug</translation>
    </message>
    <message>
        <source>Sep</source>
        <translation>Sep</translation>
    </message>
    <message>
        <source>Okt</source>
        <translation>Oct</translation>
    </message>
    <message>
        <source>Nov</source>
        <translation>Nov</translation>
    </message>
    <message>
        <source>Dez</source>
        <translation>Dec</translation>
    </message>
    <message>
        <source>Sonne</source>
        <translation>Sun</translation>
    </message>
    <message>
        <source>Merkur</source>
        <translation>Mercury</translation>
    </message>
    <message>
        <source>Venus</source>
        <translation>Venus</translation>
    </message>
    <message>
        <source>Mars</source>
        <translation>Mars</translation>
    </message>
    <message>
        <source>Jupiter</source>
        <translation>Jupiter</translation>
    </message>
    <message>
        <source>Saturn</source>
        <translation>Saturn</translation>
    </message>
    <message>
        <source>Uranus</source>
        <translation>Uranus</translation>
    </message>
    <message>
        <source>Neptun</source>
        <translation>Neptune</translation>
    </message>
    <message>
        <source>Mond</source>
        <translation>Moon</translation>
    </message>
    <message>
        <source>Mond-Knoten</source>
        <translation>Lunar node</translation>
    </message>
    <message>
        <source>Sternzeit 0h</source>
        <translation>Sidereal time 0h</translation>
    </message>
    <message>
        <source>max. Sonnenschein</source>
        <translation>max. sunshine</translation>
    </message>
    <message>
        <source>Dunkelheit</source>
        <translation>Darkness</translation>
    </message>
    <message>
        <source>Ekliptik</source>
        <translation>Ecliptic</translation>
    </message>
    <message>
        <source>Pluto</source>
        <translation>Pluto</translation>
    </message>
    <message>
        <source>Neumond</source>
        <translation>New moon</translation>
    </message>
    <message>
        <source>1. Viertel</source>
        <translation>First quarter</translation>
    </message>
    <message>
        <source>Vollmond</source>
        <translation>Full moon</translation>
    </message>
    <message>
        <source>3. Viertel</source>
        <translation>Last quarter</translation>
    </message>
    <message>
        <source>mögl. Sonnenfinsternis</source>
        <translation>poss. solar eclipse</translation>
    </message>
    <message>
        <source>mögl. Mondfinsternis</source>
        <translation>poss. lunar eclipse</translation>
    </message>
    <message>
        <source>Dämmerung %d</source>
        <translation>Twilight %d</translation>
    </message>
    <message>
        <source>Astronomischer Kalender %d</source>
        <translation>Astronomical calendar %d</translation>
    </message>
    <message>
        <source>X-Achse: </source>
        <translation>X axis: </translation>
    </message>
    <message>
        <source>Y-Achse: </source>
        <translation>Y axis: </translation>
    </message>
    <message>
        <source>Stundenwinkel zur Sonne</source>
        <translation>hour angle to the Sun</translation>
    </message>
    <message>
        <source>Stundenwinkel zur Gegensonne</source>
        <translation>hour angle to the antisun</translation>
    </message>
    <message>
        <source>Uhrzeit in </source>
        <translation>clock time in </translation>
    </message>
    <message>
        <source> mit Sommerzeit</source>
        <translation> with summer time</translation>
    </message>
    <message>
        <source>Rektaszension</source>
        <translation>Right ascension</translation>
    </message>
    <message>
        <source>, Linienbreite nach </source>
        <translation>, line width by </translation>
    </message>
    <message>
        <source>Durchmesser</source>
        <translation>Diameter</translation>
    </message>
    <message>
        <source> und </source>
        <translation> and </translation>
    </message>
    <message>
        <source>Helligkeit</source>
        <translation>Brightness</translation>
    </message>
    <message>
        <source>, Linienbreite codiert mit relativem Durchmesser</source>
        <translation>, line width coded with relative diameter</translation>
    </message>
    <message>
        <source> und relativer Helligkeit</source>
        <translation> and relative brightness</translation>
    </message>
    <message>
        <source>, Linienbreite codiert mit relativer Helligkeit</source>
        <translation>, line width coded with relative brightness</translation>
    </message>
    <message>
        <source>MEZ</source>
        <translation>CET</translation>
    </message>
    <message>
        <source>OEZ</source>
        <translation>EET</translation>
    </message>
    <message>
        <source>Für Ort </source>
        <translation>For location </translation>
    </message>
    <message>
        <source>O</source>
        <translation>E</translation>
    </message>
    <message>
        <source>Dunkelheit ohne Mond</source>
        <translation>Darkness without Moon</translation>
    </message>
    <message>
        <source>Mondlicht</source>
        <translation>Moonlight</translation>
    </message>
    <message>
        <source>Tag</source>
        <translation>Day</translation>
    </message>
    <message>
        <source>bürgerliche Dämmerung</source>
        <translation>civil twilight</translation>
    </message>
    <message>
        <source>nautische Dämmerung</source>
        <translation>nautical twilight</translation>
    </message>
    <message>
        <source>astronomische Dämmerung</source>
        <translation>astronomical twilight</translation>
    </message>
    <message>
        <source>Nacht</source>
        <translation>Night</translation>
    </message>
    <message>
        <source>bürgerl. Dämmerung</source>
        <translation>civil twilight</translation>
    </message>
    <message>
        <source>naut. Dämmerung</source>
        <translation>nautical twilight</translation>
    </message>
    <message>
        <source>astr. Dämmerung</source>
        <translation>astron. twilight</translation>
    </message>
    <message>
        <source>Tag bis Nacht</source>
        <translation>Day to night</translation>
    </message>
    <message>
        <source>↑ Aufgang, ↓ Untergang, gestrichelt: Kulmination</source>
        <translation>↑ rise, ↓ set, dashed: transit</translation>
    </message>
    <message>
        <source> Kulm.</source>
        <translation> trans.</translation>
    </message>
    <message>
        <source>| Aufgang </source>
        <translation>| rise </translation>
    </message>
    <message>
        <source>, Kulmination </source>
        <translation>, transit </translation>
    </message>
    <message>
        <source>| in astronomischer Dunkelheit über dem Horizont: </source>
        <translation>| above the horizon in astronomical darkness: </translation>
    </message>
    <message>
        <source>| in astronomischer Dunkelheit nicht über dem Horizont</source>
        <translation>| not above the horizon in astronomical darkness</translation>
    </message>
    <message>
        <source>, davon ohne Mond </source>
        <translation>, without the Moon </translation>
    </message>
    <message>
        <source>, Untergang </source>
        <translation>, set </translation>
    </message>
    <message>
        <source>, beleuchtet </source>
        <translation>, illuminated </translation>
    </message>
    <message>
        <source>&amp;Normal</source>
        <translation>&amp;Normal</translation>
    </message>
    <message>
        <source>&amp;Sonne</source>
        <translation>&amp;Sun</translation>
    </message>
    <message>
        <source>&amp;Mitternachtslinie</source>
        <translation>&amp;Midnight line</translation>
    </message>
    <message>
        <source>Dämmerung</source>
        <translation>Twilight</translation>
    </message>
    <message>
        <source>, mit Sommerzeit</source>
        <translation>, with summer time</translation>
    </message>
    <message>
        <source>, ohne Sommerzeit</source>
        <translation>, without summer time</translation>
    </message>
    <message>
        <source>Zeitzone </source>
        <translation>Time zone </translation>
    </message>
    <message>
        <source>Dämmerung </source>
        <translation>Twilight </translation>
    </message>
    <message>
        <source>, Breite </source>
        <translation>, latitude </translation>
    </message>
    <message>
        <source>°, Länge </source>
        <translation>°, longitude </translation>
    </message>
    <message>
        <source>Datum</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Sonnenschein</source>
        <translation>Sunshine</translation>
    </message>
    <message>
        <source>Deklination</source>
        <translation>Declination</translation>
    </message>
    <message>
        <source>Mondphasen </source>
        <translation>Moon phases </translation>
    </message>
    <message>
        <source>Sichtbarkeit </source>
        <translation>Visibility </translation>
    </message>
    <message>
        <source>Breite </source>
        <translation>Latitude </translation>
    </message>
    <message>
        <source>Zone </source>
        <translation>Zone </translation>
    </message>
    <message>
        <source>Ortszeit; je Körper Aufgang, Kulmination, Untergang; „—“: an diesem Tag nicht.
Dämmerung: Ende und Beginn der astronomischen Dämmerung (−18°).

</source>
        <translation>Local time; for each body rise, transit, set; “—”: not on that day.
Twilight: end and beginning of astronomical twilight (−18°).

</translation>
    </message>
    <message>
        <source>Dunkel</source>
        <translation>Dark</translation>
    </message>
    <message>
        <source>o. Mond</source>
        <translation>no Moon</translation>
    </message>
    <message>
        <source>Ende</source>
        <translation>End</translation>
    </message>
    <message>
        <source>Beg.</source>
        <translation>Beg.</translation>
    </message>
    <message>
        <source>Auf</source>
        <translation>Rise</translation>
    </message>
    <message>
        <source>Kulm</source>
        <translation>Tran</translation>
    </message>
    <message>
        <source>Unt</source>
        <translation>Set</translation>
    </message>
</context>
<context>
    <name>ExportYearData</name>
    <message>
        <source>Mondphasen und Finsternisse als iCalendar (*.ics)</source>
        <translation>Moon phases and eclipses as iCalendar (*.ics)</translation>
    </message>
    <message>
        <source>Dämmerungstabelle als CSV (*.csv)</source>
        <translation>Twilight table as CSV (*.csv)</translation>
    </message>
    <message>
        <source>Auf- und Untergänge als CSV (*.csv)</source>
        <translation>Rises and sets as CSV (*.csv)</translation>
    </message>
    <message>
        <source>Kalenderdateien fassen nur die Jahre 1 bis 9999.</source>
        <translation>Calendar files hold the years 1 to 9999 only.</translation>
    </message>
    <message>
        <source>Exportieren</source>
        <translation>Export</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht gespeichert werden.</source>
        <translation>The file %1 could not be saved.</translation>
    </message>
    <message>
        <source>Velmarin</source>
        <translation>Velmarin</translation>
    </message>
</context>
<context>
    <name>velmarin::CAboutDlg</name>
    <message>
        <source>Info über Velmarin</source>
        <translation>About Velmarin</translation>
    </message>
</context>
<context>
    <name>velmarin::CDialogStr</name>
    <message>
        <source>Eingabe</source>
        <translation>Input</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Static</source>
        <translation>Static</translation>
    </message>
</context>
<context>
    <name>velmarin::CMainFrame</name>
    <message>
        <source>„%1“ ist kein bekannter Ort.</source>
        <translation>“%1” is not a known place.</translation>
    </message>
    <message>
        <source>„%1“ ist keine Ortsangabe.</source>
        <translation>“%1” is not a place.</translation>
    </message>
    <message>
        <source>Einzugeben sind Breite und Länge in Grad, durch ein Leerzeichen getrennt (Süd und West negativ, z. B. „52.37 9.73“), oder eine Stadt der Zeitzonen-Datenbank (z. B. „Berlin“, „Sydney“, „New York“).</source>
        <translation>Enter latitude and longitude in degrees, separated by a blank (south and west negative, e.g. “52.37 9.73”), or a city of the time zone database (e.g. “Berlin”, “Sydney”, “New York”).</translation>
    </message>
    <message>
        <source>Velmarin</source>
        <translation>Velmarin</translation>
    </message>
    <message>
        <source>Ort ändern</source>
        <translation>Change location</translation>
    </message>
    <message>
        <source>+ 5° Breite	N</source>
        <translation>+ 5° latitude	N</translation>
    </message>
    <message>
        <source>- 5° Breite	S</source>
        <translation>- 5° latitude	S</translation>
    </message>
    <message>
        <source>+ 5° Länge	O</source>
        <translation>+ 5° longitude	O</translation>
    </message>
    <message>
        <source>- 5° Länge	W</source>
        <translation>- 5° longitude	W</translation>
    </message>
    <message>
        <source>&amp;Drucken...	Strg+P</source>
        <translation>&amp;Print...	Ctrl+P</translation>
    </message>
    <message>
        <source>Sei&amp;tenansicht</source>
        <translation>Print pre&amp;view</translation>
    </message>
    <message>
        <source>Drucker&amp;einrichtung...</source>
        <translation>Print &amp;setup...</translation>
    </message>
    <message>
        <source>&amp;Beenden	Alt+X</source>
        <translation>E&amp;xit	Alt+X</translation>
    </message>
    <message>
        <source>Diagramm speichern…	Strg+S</source>
        <translation>Save chart…	Ctrl+S</translation>
    </message>
    <message>
        <source>Exportieren…</source>
        <translation>Export…</translation>
    </message>
    <message>
        <source>Jahr +1	+</source>
        <translation>Year +1	+</translation>
    </message>
    <message>
        <source>Jahr -1	-</source>
        <translation>Year -1	-</translation>
    </message>
    <message>
        <source>&amp;Eingabe</source>
        <translation>&amp;Input</translation>
    </message>
    <message>
        <source>Jetzt	J</source>
        <translation>Now	J</translation>
    </message>
    <message>
        <source>mit Mond</source>
        <translation>with Moon</translation>
    </message>
    <message>
        <source>Codiert mit &amp;Durchmesser</source>
        <translation>Coded with &amp;diameter</translation>
    </message>
    <message>
        <source>Codiert mit &amp;Helligkeit</source>
        <translation>Coded with &amp;brightness</translation>
    </message>
    <message>
        <source>keine Codierung</source>
        <translation>no coding</translation>
    </message>
    <message>
        <source>GMT	(UT)</source>
        <translation>GMT	(UT)</translation>
    </message>
    <message>
        <source>MEZ	(UT+1)</source>
        <translation>CET	(UT+1)</translation>
    </message>
    <message>
        <source>OEZ	(UT+2)</source>
        <translation>EET	(UT+2)</translation>
    </message>
    <message>
        <source>Andere Zeitzone…</source>
        <translation>Other time zone…</translation>
    </message>
    <message>
        <source>mit Sommerzeit</source>
        <translation>with summer time</translation>
    </message>
    <message>
        <source>mit Planeten</source>
        <translation>with planets</translation>
    </message>
    <message>
        <source>mit Zielen</source>
        <translation>with targets</translation>
    </message>
    <message>
        <source>mit Mondlicht</source>
        <translation>with moonlight</translation>
    </message>
    <message>
        <source>mit Raster</source>
        <translation>with grid</translation>
    </message>
    <message>
        <source>mit Tageslinie</source>
        <translation>with day line</translation>
    </message>
    <message>
        <source>&amp;Symbolleiste</source>
        <translation>&amp;Toolbar</translation>
    </message>
    <message>
        <source>&amp;?</source>
        <translation>&amp;?</translation>
    </message>
    <message>
        <source>Info</source>
        <translation>About</translation>
    </message>
    <message>
        <source>Zeigt Programm-Informationen, Versionsnummer und Copyright an.</source>
        <translation>Shows program information, version number and copyright.</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>Jahr</source>
        <translation>&amp;Year</translation>
    </message>
    <message>
        <source>&amp;Anzeigen</source>
        <translation>&amp;Display</translation>
    </message>
    <message>
        <source>&amp;Ansicht</source>
        <translation>&amp;View</translation>
    </message>
    <message>
        <source>Symbolleiste</source>
        <translation>Toolbar</translation>
    </message>
    <message>
        <source>Eingabe des Ortes?
Breite Länge</source>
        <translation>Enter the location?
Latitude Longitude</translation>
    </message>
    <message>
        <source>S&amp;prache</source>
        <translation>&amp;Language</translation>
    </message>
    <message>
        <source>&amp;Ziele…</source>
        <translation>&amp;Targets…</translation>
    </message>
    <message>
        <source>Diese Ziele konnten nicht gelesen werden:</source>
        <translation>These targets could not be read:</translation>
    </message>
</context>
<context>
    <name>velmarin::CTargetsDlg</name>
    <message>
        <source>Ziele</source>
        <translation>Targets</translation>
    </message>
    <message>
        <source>Messier-Katalog (M1–M110)</source>
        <translation>Messier catalogue (M1–M110)</translation>
    </message>
    <message>
        <source>Datei öffnen…</source>
        <translation>Open file…</translation>
    </message>
    <message>
        <source>Entfernen</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Neues Ziel (J2000):</source>
        <translation>New target (J2000):</translation>
    </message>
    <message>
        <source>Stunden, z. B. 0:42:44.3 oder 0.7123</source>
        <translation>hours, e.g. 0:42:44.3 or 0.7123</translation>
    </message>
    <message>
        <source>Grad, z. B. +41:16:09 oder 41.269</source>
        <translation>degrees, e.g. +41:16:09 or 41.269</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Rektaszension:</source>
        <translation>Right ascension:</translation>
    </message>
    <message>
        <source>Deklination:</source>
        <translation>Declination:</translation>
    </message>
    <message>
        <source>Hinzufügen</source>
        <translation>Add</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Liste: %1</source>
        <translation>List: %1</translation>
    </message>
    <message>
        <source>Bahnelemente: %1</source>
        <translation>Orbital elements: %1</translation>
    </message>
    <message>
        <source>Ziele öffnen</source>
        <translation>Open targets</translation>
    </message>
    <message>
        <source>Ziellisten (*.csv);;Bahnelemente des MPC (*.txt *.dat);;Alle Dateien (*)</source>
        <translation>Target lists (*.csv);;MPC orbital elements (*.txt *.dat);;All files (*)</translation>
    </message>
    <message>
        <source>Das Ziel braucht einen Namen.</source>
        <translation>The target needs a name.</translation>
    </message>
    <message>
        <source>Die Rektaszension ist in Stunden von 0 bis unter 24 anzugeben.</source>
        <translation>Give the right ascension in hours, from 0 to below 24.</translation>
    </message>
    <message>
        <source>Die Deklination ist in Grad von −90 bis +90 anzugeben.</source>
        <translation>Give the declination in degrees, from −90 to +90.</translation>
    </message>
    <message>
        <source>Auf der Karte:</source>
        <translation>On the chart:</translation>
    </message>
    <message>
        <source>Alle</source>
        <translation>All</translation>
    </message>
    <message>
        <source>Keine</source>
        <translation>None</translation>
    </message>
</context>
<context>
    <name>velmarin::CVelmarinView</name>
    <message>
        <source>„%1“ ist keine Jahreszahl.
Bitte ein Jahr von %2 bis %3 eingeben.</source>
        <translation>“%1” is not a year.
Please enter a year from %2 to %3.</translation>
    </message>
    <message>
        <source>Velmarin</source>
        <translation>Velmarin</translation>
    </message>
    <message>
        <source>Eingabe des Jahres?</source>
        <translation>Enter the year?</translation>
    </message>
    <message>
        <source>Nur PNG, SVG und PDF können gespeichert werden.</source>
        <translation>Only PNG, SVG and PDF can be saved.</translation>
    </message>
    <message>
        <source>Die Grafik konnte nicht erzeugt werden.</source>
        <translation>The picture could not be made.</translation>
    </message>
    <message>
        <source>Unter diesem Namen steht ein Ordner.</source>
        <translation>A folder has this name.</translation>
    </message>
    <message>
        <source>Unter diesem Namen steht keine gewöhnliche Datei (ein Gerät, eine FIFO oder ein Socket).</source>
        <translation>This name is not a regular file (a device, a FIFO or a socket).</translation>
    </message>
    <message>
        <source>Der Name ist ein symbolischer Verweis auf eine fehlende Datei.</source>
        <translation>The name is a symbolic link to a missing file.</translation>
    </message>
    <message>
        <source>Im Ordner kann keine temporäre Datei angelegt werden: %1</source>
        <translation>No temporary file can be made in the folder: %1</translation>
    </message>
    <message>
        <source>Schreiben fehlgeschlagen: %1</source>
        <translation>Writing failed: %1</translation>
    </message>
    <message>
        <source>Die alte Datei kann nicht ersetzt werden: %1</source>
        <translation>The old file cannot be replaced: %1</translation>
    </message>
    <message>
        <source>PNG-Bild (*.png)</source>
        <translation>PNG image (*.png)</translation>
    </message>
    <message>
        <source>SVG-Grafik (*.svg)</source>
        <translation>SVG graphic (*.svg)</translation>
    </message>
    <message>
        <source>PDF-Dokument (*.pdf)</source>
        <translation>PDF document (*.pdf)</translation>
    </message>
    <message>
        <source>Speichern unter</source>
        <translation>Save as</translation>
    </message>
    <message>
        <source>Die Datei %1 konnte nicht gespeichert werden.
%2</source>
        <translation>The file %1 could not be saved.
%2</translation>
    </message>
</context>
<context>
    <name>velmarin::CZoneDialog</name>
    <message>
        <source>Andere Zeitzone</source>
        <translation>Other time zone</translation>
    </message>
    <message>
        <source>Zeitzone suchen:</source>
        <translation>Search time zone:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
</context>
</TS>
