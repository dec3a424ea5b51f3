<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="de">
<context>
    <name>kelvor::AboutDialog</name>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
    <message>
        <source>Lizenz: GNU General Public License, Version 3 oder später</source>
        <translation>Licence: GNU General Public License, version 3 or later</translation>
    </message>
    <message>
        <source>Entwicklung</source>
        <translation>Entwicklung</translation>
    </message>
    <message>
        <source>Das Kelvor-Projekt</source>
        <translation>Das Kelvor-Projekt</translation>
    </message>
    <message>
        <source>Copy link to Clipboard</source>
        <translation>Copy link to Clipboard</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>kelvor::ChannelRow</name>
    <message>
        <source>nichts</source>
        <translation>nothing</translation>
    </message>
    <message>
        <source>Messgerät</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>Berechnung</source>
        <translation>Calculation</translation>
    </message>
    <message>
        <source>COM%1 (nicht vorhanden)</source>
        <translation>COM%1 (not present)</translation>
    </message>
</context>
<context>
    <name>kelvor::ChannelsDialog</name>
    <message>
        <source>Kanäle</source>
        <translation>Channels</translation>
    </message>
    <message>
        <source>Kanal</source>
        <translation>Channel</translation>
    </message>
    <message>
        <source>Quelle</source>
        <translation>Source</translation>
    </message>
    <message>
        <source>Anschluss</source>
        <translation>Port</translation>
    </message>
    <message>
        <source>Messgerät</source>
        <translation>Meter</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>Baud rate</translation>
    </message>
    <message>
        <source>Berechnung</source>
        <translation>Calculation</translation>
    </message>
    <message>
        <source>Berechnung aus den Kanälen nach ihrer Nummer: W=1*2 Produkt, R=1/2 Quotient, dU=1-2 Differenz, Ah=int(2) Integral über die Zeit in Stunden</source>
        <translation>Calculation from the channels by their number: W=1*2 product, R=1/2 quotient, dU=1-2 difference, Ah=int(2) integral over time in hours</translation>
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
        <source>Kanal %1: %2</source>
        <translation>Channel %1: %2</translation>
    </message>
    <message>
        <source>Kanal %1: Dieses Messgerät speist schon Kanal %2; ein Messgerät speist einen Kanal.</source>
        <translation>Channel %1: this meter feeds channel %2 already; a meter feeds one channel.</translation>
    </message>
</context>
<context>
    <name>kelvor::MainWindow</name>
    <message>
        <source>Diese gespeicherten Kanäle bleiben frei:</source>
        <translation>These stored channels stay unbound:</translation>
    </message>
    <message>
        <source>Aufzeichnung ansehen</source>
        <translation>Review recording</translation>
    </message>
    <message>
        <source>Aufzeichnungen (*.csv *.part)</source>
        <translation>Journals (*.csv *.part)</translation>
    </message>
    <message>
        <source>&amp;Grün</source>
        <translation>&amp;Green</translation>
    </message>
    <message>
        <source>&amp;Rot</source>
        <translation>&amp;Red</translation>
    </message>
    <message>
        <source>&amp;Margenta</source>
        <translation>&amp;Margenta</translation>
    </message>
    <message>
        <source>&amp;Blau</source>
        <translation>&amp;Blue</translation>
    </message>
    <message>
        <source>&amp;Cyan</source>
        <translation>&amp;Cyan</translation>
    </message>
    <message>
        <source>&amp;Gelb</source>
        <translation>&amp;Yellow</translation>
    </message>
    <message>
        <source>&amp;Meßdauer:</source>
        <translation>&amp;Duration:</translation>
    </message>
    <message>
        <source>A&amp;larm wenn:</source>
        <translation>&amp;Alarm if:</translation>
    </message>
    <message>
        <source>&amp;Zeichnen Aktiv</source>
        <translation>&amp;Drawing active</translation>
    </message>
    <message>
        <source>1/s</source>
        <translation>1/sec</translation>
    </message>
    <message>
        <source>1/Spalte</source>
        <translation>1/Column</translation>
    </message>
    <message>
        <source>&amp;Reset</source>
        <translation>&amp;Reset</translation>
    </message>
    <message>
        <source>&amp;Löschen</source>
        <translation>&amp;Erase</translation>
    </message>
    <message>
        <source>Meßbereich</source>
        <translation>Interval</translation>
    </message>
    <message>
        <source>Y-Mi&amp;n:</source>
        <translation>Y-Mi&amp;n:</translation>
    </message>
    <message>
        <source>Y-Ma&amp;x:</source>
        <translation>Y-Ma&amp;x:</translation>
    </message>
    <message>
        <source>&amp;Auto-Skalierung</source>
        <translation>&amp;Auto-Scale</translation>
    </message>
    <message>
        <source>&amp;Farbe</source>
        <translation>&amp;Color</translation>
    </message>
    <message>
        <source>Zeit</source>
        <translation>&amp;Time</translation>
    </message>
    <message>
        <source>Aktuell:</source>
        <translation>Current:</translation>
    </message>
    <message>
        <source>Startzeit:</source>
        <translation>Start:</translation>
    </message>
    <message>
        <source>Laufzeit:</source>
        <translation>Runtime:</translation>
    </message>
    <message>
        <source>Alarm bei:</source>
        <translation>Alarmtime:</translation>
    </message>
    <message>
        <source>&amp;Datei</source>
        <translation>&amp;File</translation>
    </message>
    <message>
        <source>&amp;Laden</source>
        <translation>&amp;Open</translation>
    </message>
    <message>
        <source>&amp;Speichern</source>
        <translation>&amp;Save</translation>
    </message>
    <message>
        <source>&amp;Drucken</source>
        <translation>&amp;Print</translation>
    </message>
    <message>
        <source>Drucker &amp;einrichten</source>
        <translation>Printer &amp;settings</translation>
    </message>
    <message>
        <source>COM-P&amp;ort</source>
        <translation>COM-P&amp;ort</translation>
    </message>
    <message>
        <source>&amp;Aufzeichnungen…</source>
        <translation>&amp;Recordings…</translation>
    </message>
    <message>
        <source>Aufzeichnung an&amp;sehen…</source>
        <translation>Re&amp;view recording…</translation>
    </message>
    <message>
        <source>&amp;Veröffentlichen…</source>
        <translation>P&amp;ublish…</translation>
    </message>
    <message>
        <source>&amp;Beenden</source>
        <translation>&amp;Close</translation>
    </message>
    <message>
        <source>&amp;Bearbeiten</source>
        <translation>&amp;Edit</translation>
    </message>
    <message>
        <source>Grafik kopieren farbig</source>
        <translation>Copy diagram colored</translation>
    </message>
    <message>
        <source>Grafik kopieren s/w</source>
        <translation>Copy diagram s/w</translation>
    </message>
    <message>
        <source>&amp;Hilfe</source>
        <translation>&amp;Help</translation>
    </message>
    <message>
        <source>&amp;Info</source>
        <translation>&amp;Info</translation>
    </message>
    <message>
        <source>&amp;Kanäle…</source>
        <translation>C&amp;hannels…</translation>
    </message>
    <message>
        <source>Aufzeichnung &amp;planen…</source>
        <translation>Schedule &amp;recording…</translation>
    </message>
</context>
<context>
    <name>kelvor::Message</name>
    <message>
        <source>Die Datei %1 konnte nicht gespeichert werden:
%2
Eine vorhandene Datei dieses Namens ist unverändert.</source>
        <translation>The file %1 could not be saved:
%2
An existing file of this name is unchanged.</translation>
    </message>
    <message>
        <source>Die Datei %1 kann nicht geöffnet werden:
%2</source>
        <translation>The file %1 cannot be opened:
%2</translation>
    </message>
    <message>
        <source>Die Datei %1 ist zu groß für eine Messkurve (mehr als %2 MB).
Der Kanal ist unverändert.</source>
        <translation>The file %1 is too large for a trace (more than %2 MB).
The channel is unchanged.</translation>
    </message>
    <message>
        <source>Die Datei %1 wurde nicht geladen.
Zeile %2: %3
Der Kanal ist unverändert.</source>
        <translation>The file %1 was not loaded.
Line %2: %3
The channel is unchanged.</translation>
    </message>
    <message>
        <source>Die Datei ist leer.</source>
        <translation>The file is empty.</translation>
    </message>
    <message>
        <source>Das Trennzeichen &quot;%1&quot; fehlt.</source>
        <translation>The separator &quot;%1&quot; is missing.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; ist keine Zahl.</source>
        <translation>&quot;%1&quot; is not a number.</translation>
    </message>
    <message>
        <source>&quot;%1&quot; liegt außerhalb des Zahlenbereichs.</source>
        <translation>&quot;%1&quot; is out of range.</translation>
    </message>
    <message>
        <source>Die Datei %1 enthält mehr Messwerte, als ein Kanal fasst.
Geladen wurden die ersten %2, die übrigen %3 wurden ausgelassen.</source>
        <translation>The file %1 holds more samples than a channel can take.
The first %2 were loaded, the remaining %3 were left out.</translation>
    </message>
    <message>
        <source>Es ist kein Drucker installiert.</source>
        <translation>No printer is installed.</translation>
    </message>
    <message>
        <source>Der Drucker ist nicht verfügbar.</source>
        <translation>The printer is not available.</translation>
    </message>
    <message>
        <source>Der Druckauftrag konnte nicht begonnen werden.</source>
        <translation>The print job could not be started.</translation>
    </message>
    <message>
        <source>Der Druckauftrag konnte nicht abgeschlossen werden.</source>
        <translation>The print job could not be completed.</translation>
    </message>
    <message>
        <source>PDF-Datei</source>
        <translation>PDF file</translation>
    </message>
    <message>
        <source>PDF-Dateien (*.pdf)</source>
        <translation>PDF files (*.pdf)</translation>
    </message>
    <message>
        <source>Kelvor-Dateien(*.kvr)|*.kvr|Alle Dateien(*.*)|*.*</source>
        <translation>Kelvor-Files(*.kvr)|*.kvr|All Files(*.*)|*.*</translation>
    </message>
    <message>
        <source>Kelvor – %1</source>
        <translation>Kelvor – %1</translation>
    </message>
    <message>
        <source>Kelvor – %1: keine Antwort</source>
        <translation>Kelvor – %1: no answer</translation>
    </message>
    <message>
        <source>Kelvor – %1: getrennt, neuer Versuch</source>
        <translation>Kelvor – %1: disconnected, retrying</translation>
    </message>
    <message>
        <source>Kelvor – %1: nicht geöffnet</source>
        <translation>Kelvor – %1: not open</translation>
    </message>
    <message>
        <source>Kelvor – %1: Alarm</source>
        <translation>Kelvor – %1: Alarm</translation>
    </message>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>keine Antwort</source>
        <translation>no answer</translation>
    </message>
    <message>
        <source>getrennt</source>
        <translation>disconnected</translation>
    </message>
    <message>
        <source>nicht geöffnet</source>
        <translation>not open</translation>
    </message>
    <message>
        <source>Gerät: %1
Baudrate: %2
Messgerät: %4
Letzte Antwort: %3</source>
        <translation>Device: %1
Baud rate: %2
Meter: %4
Last answer: %3</translation>
    </message>
    <message>
        <source>eine Anzeige</source>
        <translation>one display</translation>
    </message>
    <message>
        <source>vier Anzeigen</source>
        <translation>four displays</translation>
    </message>
    <message>
        <source>Den Port unter Datei → COM-Port wählen.</source>
        <translation>Choose the port under File → COM port.</translation>
    </message>
    <message>
        <source>Die Schnittstelle lehnt die Einstellung %1 ab: %2</source>
        <translation>The port refuses the setting %1: %2</translation>
    </message>
    <message>
        <source>Die Baudrate %1 lässt sich nicht einstellen.</source>
        <translation>The baud rate %1 cannot be set.</translation>
    </message>
    <message>
        <source>Es wurde keine serielle Schnittstelle gefunden.
Ein USB-Adapter muss angesteckt werden.</source>
        <translation>No serial port was found.
A USB adapter needs to be plugged in.</translation>
    </message>
    <message>
        <source>%1</source>
        <translation>%1</translation>
    </message>
    <message>
        <source>Messwerte: %1 (Lücken: %2)
Minimum: %3
Maximum: %4
Mittelwert: %5
Zeit: %6 s bis %7 s</source>
        <translation>Samples: %1 (gaps: %2)
Minimum: %3
Maximum: %4
Mean: %5
Time: %6 s to %7 s</translation>
    </message>
    <message>
        <source>Keine Messwerte</source>
        <translation>No samples</translation>
    </message>
    <message>
        <source>grün</source>
        <translation>green</translation>
    </message>
    <message>
        <source>rot</source>
        <translation>red</translation>
    </message>
    <message>
        <source>magenta</source>
        <translation>magenta</translation>
    </message>
    <message>
        <source>blau</source>
        <translation>blue</translation>
    </message>
    <message>
        <source>cyan</source>
        <translation>cyan</translation>
    </message>
    <message>
        <source>gelb</source>
        <translation>yellow</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 kann nicht geschrieben werden:
%2
Die Messung läuft im Speicher weiter.</source>
        <translation>The recording %1 cannot be written:
%2
The measurement goes on in memory.</translation>
    </message>
    <message>
        <source>Die Aufzeichnung %1 ist noch offen: ihr Datenträger antwortet seit %2 Sekunden nicht.
Die Messwerte bis hierher stehen in dieser Datei, soweit der Datenträger sie angenommen hat.</source>
        <translation>The recording %1 is still open: its disk has not answered for %2 seconds.
The readings so far are in that file, as far as the disk took them.</translation>
    </message>
    <message>
        <source>Live</source>
        <translation>Live</translation>
    </message>
    <message>
        <source>Angehalten</source>
        <translation>Paused</translation>
    </message>
    <message>
        <source>Angehalten: %1</source>
        <translation>Paused: %1</translation>
    </message>
    <message>
        <source>Die Aufzeichnung vom %1 endete unerwartet; sie enthält %2 Messwerte.
In Kanal %3 (%5) laden?
(%4)</source>
        <translation>The recording of %1 ended unexpectedly; it holds %2 readings.
Load it into channel %3 (%5)?
(%4)</translation>
    </message>
    <message>
        <source>Die Zeile ist keine Zeile einer Aufzeichnung.</source>
        <translation>The line is not a row of a recording.</translation>
    </message>
    <message>
        <source>%1: %2 Zeile(n) ausgelassen, die nicht sind, wie Kelvor sie schreibt: %3</source>
        <translation>%1: %2 line(s) left out that are not as Kelvor writes them: %3</translation>
    </message>
    <message>
        <source>Aus</source>
        <translation>Off</translation>
    </message>
    <message>
        <source>Verbinde mit %1 …</source>
        <translation>Connecting to %1 …</translation>
    </message>
    <message>
        <source>Verbunden mit %1</source>
        <translation>Connected to %1</translation>
    </message>
    <message>
        <source>%2 Neuer Versuch in %1 s.</source>
        <translation>%2 Retrying in %1 s.</translation>
    </message>
    <message>
        <source>Der Broker %1 ist nicht erreichbar (%2).</source>
        <translation>The broker %1 cannot be reached (%2).</translation>
    </message>
    <message>
        <source>Der Rechner %1 ist unbekannt.</source>
        <translation>The host %1 is unknown.</translation>
    </message>
    <message>
        <source>Der Broker %1 hat die Anmeldung abgelehnt (%2). Benutzername und Passwort prüfen.</source>
        <translation>The broker %1 refused the login (%2). Check the user name and password.</translation>
    </message>
    <message>
        <source>Das Zertifikat des Brokers %1 wurde nicht anerkannt (%2). CA-Datei prüfen.</source>
        <translation>The certificate of the broker %1 was not accepted (%2). Check the CA file.</translation>
    </message>
    <message>
        <source>Der Broker %1 hat die Verbindung abgewiesen (%2). Rechner und Port prüfen.</source>
        <translation>The broker %1 refused the connection (%2). Check the host and port.</translation>
    </message>
    <message>
        <source>Die CA-Datei %1 kann nicht gelesen werden (%2).</source>
        <translation>The CA file %1 cannot be read (%2).</translation>
    </message>
    <message>
        <source>Das Thema %1 darf weder # noch + enthalten.</source>
        <translation>The topic %1 must contain neither # nor +.</translation>
    </message>
    <message>
        <source>Veröffentlichen: %1
Die Messung läuft weiter; Kelvor versucht es in wachsenden Abständen erneut.</source>
        <translation>Publishing: %1
The measurement goes on; Kelvor tries again at growing intervals.</translation>
    </message>
    <message>
        <source>„%1“ ist keine Rechnung. Möglich sind Produkt, Quotient und Differenz zweier Kanäle und das Integral eines Kanals über die Zeit, zum Beispiel W=1*2, R=1/2, dU=1-2, Ah=int(2).</source>
        <translation>“%1” is not a calculation. Possible are the product, quotient and difference of two channels and the integral of one channel over time, for example W=1*2, R=1/2, dV=1-2, Ah=int(2).</translation>
    </message>
    <message>
        <source>%1: Kanal %2 gibt es nicht oder er hat keine Quelle.</source>
        <translation>%1: channel %2 does not exist or has no source.</translation>
    </message>
    <message>
        <source>%1: Die Rechnung hängt von sich selbst ab.</source>
        <translation>%1: the calculation depends on itself.</translation>
    </message>
    <message>
        <source>Alarm: %1 um %2</source>
        <translation>Alarm: %1 at %2</translation>
    </message>
    <message>
        <source>Erster Alarm nach %1 der Aufzeichnung</source>
        <translation>First alarm after %1 of the recording</translation>
    </message>
    <message>
        <source>%1: keine Antwort</source>
        <translation>%1: no answer</translation>
    </message>
    <message>
        <source>%1: antwortet wieder</source>
        <translation>%1: answering again</translation>
    </message>
    <message>
        <source>%1: getrennt, neuer Versuch</source>
        <translation>%1: disconnected, retrying</translation>
    </message>
    <message>
        <source>%1 gibt es schon; die Aufzeichnung steht in %2</source>
        <translation>%1 exists; the journal is %2</translation>
    </message>
    <message>
        <source>%1 | %2 Messwerte | %3 vergangen | %4</source>
        <translation>%1 | %2 readings | %3 elapsed | %4</translation>
    </message>
    <message>
        <source>%1 | %2 Messwerte | %3 vergangen | %4 verbleibend | %5</source>
        <translation>%1 | %2 readings | %3 elapsed | %4 left | %5</translation>
    </message>
    <message>
        <source>wartet auf %1</source>
        <translation>waiting for %1</translation>
    </message>
    <message>
        <source>die Startbedingung ist erfüllt: Aufzeichnung läuft</source>
        <translation>the start rule holds: recording</translation>
    </message>
    <message>
        <source>die Stoppbedingung ist erfüllt: Aufzeichnung endet</source>
        <translation>the stop rule holds: the recording ends</translation>
    </message>
    <message>
        <source>der Server hat die Leitungseinstellungen nicht bestätigt</source>
        <translation>the server did not confirm the line settings</translation>
    </message>
    <message>
        <source>der Server stellt keine seriellen Leitungen ein (kein COM-PORT-OPTION)</source>
        <translation>the server does not set serial lines (no COM-PORT-OPTION)</translation>
    </message>
    <message>
        <source>der Server hat DTR und RTS nicht bestätigt</source>
        <translation>the server did not confirm DTR and RTS</translation>
    </message>
    <message>
        <source>der Server hat %1 %2 abgelehnt (Server: %3)</source>
        <translation>the server refused %1 %2 (server: %3)</translation>
    </message>
    <message>
        <source>Baudrate</source>
        <translation>baud rate</translation>
    </message>
    <message>
        <source>Datenbits</source>
        <translation>data bits</translation>
    </message>
    <message>
        <source>Parität</source>
        <translation>parity</translation>
    </message>
    <message>
        <source>Stoppbits</source>
        <translation>stop bits</translation>
    </message>
    <message>
        <source>DTR</source>
        <translation>DTR</translation>
    </message>
    <message>
        <source>RTS</source>
        <translation>RTS</translation>
    </message>
    <message>
        <source>keine</source>
        <translation>none</translation>
    </message>
    <message>
        <source>ungerade</source>
        <translation>odd</translation>
    </message>
    <message>
        <source>gerade</source>
        <translation>even</translation>
    </message>
    <message>
        <source>Mark</source>
        <translation>mark</translation>
    </message>
    <message>
        <source>Space</source>
        <translation>space</translation>
    </message>
    <message>
        <source>ein</source>
        <translation>on</translation>
    </message>
    <message>
        <source>aus</source>
        <translation>off</translation>
    </message>
    <message>
        <source>kein gültiger %1-Rahmen</source>
        <translation>no valid %1 frame</translation>
    </message>
    <message>
        <source>Kelvor – %1: Daten kommen, aber kein gültiger %2-Rahmen: anderes Messgerät oder andere Baudrate?</source>
        <translation>Kelvor – %1: data arrives, but no valid %2 frame: another meter or rate?</translation>
    </message>
    <message>
        <source>%1: Daten kommen, aber kein gültiger %2-Rahmen: anderes Messgerät oder andere Baudrate?</source>
        <translation>%1: data arrives, but no valid %2 frame: another meter or rate?</translation>
    </message>
    <message>
        <source>Nichts aufgezeichnet: kein Messgerät hat einen Messwert geliefert</source>
        <translation>Nothing recorded: no meter gave a reading</translation>
    </message>
    <message>
        <source>„%1“ ist keine Uhrzeit: erwartet wird HH:MM oder HH:MM:SS, etwa 22:00.</source>
        <translation>“%1” is not a time of day: expected HH:MM or HH:MM:SS, such as 22:00.</translation>
    </message>
    <message>
        <source>„%1“ ist keine Bedingung: erwartet wird etwa &lt; 0,8 oder &gt; 1,5.</source>
        <translation>“%1” is not a condition: expected something like &lt; 0.8 or &gt; 1.5.</translation>
    </message>
    <message>
        <source>„%1“ ist keine Dauer: erwartet wird etwa 90, 10s, 5m oder 8h.</source>
        <translation>“%1” is not a duration: expected something like 90, 10s, 5m or 8h.</translation>
    </message>
</context>
<context>
    <name>kelvor::MeterStateDisplay</name>
    <message>
        <source>Berechnung: %1</source>
        <translation>Calculation: %1</translation>
    </message>
</context>
<context>
    <name>kelvor::PortDialog</name>
    <message>
        <source>COM-Port</source>
        <translation>COM-Port</translation>
    </message>
    <message>
        <source>&amp;Port</source>
        <translation>&amp;Port</translation>
    </message>
    <message>
        <source>&amp;600 bps</source>
        <translation>&amp;600 bps</translation>
    </message>
    <message>
        <source>120&amp;0 bps</source>
        <translation>120&amp;0 bps</translation>
    </message>
    <message>
        <source>2400 &amp;bps</source>
        <translation>2400 &amp;bps</translation>
    </message>
    <message>
        <source>4&amp;800 bps</source>
        <translation>4&amp;800 bps</translation>
    </message>
    <message>
        <source>&amp;9600 bps</source>
        <translation>&amp;9600 bps</translation>
    </message>
    <message>
        <source>&amp;Default DMM (one frame)</source>
        <translation>&amp;Default DMM (one frame)</translation>
    </message>
    <message>
        <source>M3&amp;8xx (4 frames)</source>
        <translation>M3&amp;8xx (4 frames)</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>&amp;Netzwerk:</source>
        <translation>&amp;Netzwerk:</translation>
    </message>
    <message>
        <source>Keine Netzwerkadresse: rfc2217://HOST:PORT oder tcp://HOST:PORT</source>
        <translation>Keine Netzwerkadresse: rfc2217://HOST:PORT oder tcp://HOST:PORT</translation>
    </message>
    <message>
        <source>&amp;Messgerät</source>
        <translation>&amp;Messgerät</translation>
    </message>
</context>
<context>
    <name>kelvor::PrinterDialog</name>
    <message>
        <source>Drucker</source>
        <translation>Printer</translation>
    </message>
    <message>
        <source>Name:</source>
        <translation>Name:</translation>
    </message>
    <message>
        <source>Treiber:</source>
        <translation>Driver:</translation>
    </message>
    <message>
        <source>Anschluß:</source>
        <translation>Port:</translation>
    </message>
    <message>
        <source>&amp;Einstellungen</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Farbe / Graustufen</source>
        <translation>&amp;Colored / Grayscaled</translation>
    </message>
    <message>
        <source>&amp;Schwarz/weiß</source>
        <translation>&amp;Mono</translation>
    </message>
    <message>
        <source>&amp;Hochformat</source>
        <translation>&amp;Hochformat</translation>
    </message>
    <message>
        <source>&amp;Querformat</source>
        <translation>&amp;Querformat</translation>
    </message>
    <message>
        <source>Abbrechen</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>kelvor::PublishDialog</name>
    <message>
        <source>Veröffentlichen</source>
        <translation>Publish</translation>
    </message>
    <message>
        <source>Messwerte &amp;veröffentlichen (MQTT)</source>
        <translation>&amp;Publish readings (MQTT)</translation>
    </message>
    <message>
        <source>&amp;Sichere Verbindung (TLS)</source>
        <translation>&amp;Secure connection (TLS)</translation>
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
        <source>&amp;Broker:</source>
        <translation>&amp;Broker:</translation>
    </message>
    <message>
        <source>P&amp;ort:</source>
        <translation>P&amp;ort:</translation>
    </message>
    <message>
        <source>Ben&amp;utzer:</source>
        <translation>&amp;User:</translation>
    </message>
    <message>
        <source>Pass&amp;wort:</source>
        <translation>Pass&amp;word:</translation>
    </message>
    <message>
        <source>&amp;CA-Datei:</source>
        <translation>&amp;CA file:</translation>
    </message>
    <message>
        <source>T&amp;hema:</source>
        <translation>&amp;Topic:</translation>
    </message>
    <message>
        <source>Zustand:</source>
        <translation>State:</translation>
    </message>
</context>
<context>
    <name>kelvor::ReviewWindow</name>
    <message>
        <source>Tageszeit</source>
        <translation>Time of day</translation>
    </message>
    <message>
        <source>Aufzeichnung ansehen</source>
        <translation>Review recording</translation>
    </message>
    <message>
        <source>Bild speichern…</source>
        <translation>Save picture…</translation>
    </message>
    <message>
        <source>CSV speichern…</source>
        <translation>Save CSV…</translation>
    </message>
    <message>
        <source>Aufzeichnung (*.csv)</source>
        <translation>Journal (*.csv)</translation>
    </message>
    <message>
        <source>: Zeile %1 ist nicht, wie Kelvor sie schreibt</source>
        <translation>: line %1 is not as Kelvor writes it</translation>
    </message>
</context>
<context>
    <name>kelvor::ScheduleDialog</name>
    <message>
        <source>Aufzeichnung planen</source>
        <translation>Schedule recording</translation>
    </message>
    <message>
        <source>sofort</source>
        <translation>at once</translation>
    </message>
    <message>
        <source>um (HH:MM)</source>
        <translation>at (HH:MM)</translation>
    </message>
    <message>
        <source>wenn (&lt; 0,8)</source>
        <translation>when (&lt; 0.8)</translation>
    </message>
    <message>
        <source>nie</source>
        <translation>never</translation>
    </message>
    <message>
        <source>nach (10s, 5m, 8h)</source>
        <translation>after (10s, 5m, 8h)</translation>
    </message>
    <message>
        <source>wenn (&gt; 1,5)</source>
        <translation>when (&gt; 1.5)</translation>
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
        <source>&amp;Start:</source>
        <translation>&amp;Start:</translation>
    </message>
    <message>
        <source>S&amp;topp:</source>
        <translation>S&amp;top:</translation>
    </message>
    <message>
        <source>&amp;Vorlauf (s):</source>
        <translation>&amp;Pre-trigger (s):</translation>
    </message>
</context>
<context>
    <name>kelvor::TraceFileCommands</name>
    <message>
        <source>Datei speichern</source>
        <translation>Datei speichern</translation>
    </message>
</context>
</TS>
