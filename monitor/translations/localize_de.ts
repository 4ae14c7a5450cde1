<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE" sourcelanguage="en_US">
<context>
    <name>StatusDialog</name>
    <message>
        <source>0%</source>
        <translation>0%</translation>
    </message>
    <message>
        <source>50%</source>
        <translation>50%</translation>
    </message>
    <message>
        <source>100%</source>
        <translation>100%</translation>
    </message>
    <message>
        <source>About</source>
        <translation>Über</translation>
    </message>
    <message>
        <source>TQ-51M Information</source>
        <translation>TQ-51M informationen</translation>
    </message>
    <message>
        <source>select_printer</source>
        <translation>Drucker auswählen</translation>
    </message>
    <message>
        <source>app_printer</source>
        <translation>%1 (Druckeranwendung)</translation>
    </message>
    <message>
        <source>updateButton</source>
        <translation>Aktualisieren</translation>
    </message>
    <message>
        <source>mediaGroupTitle</source>
        <translation>Medieninfo</translation>
    </message>
    <message>
        <source>sheets</source>
        <translation>Blätter</translation>
    </message>
    <message>
        <source>statusGroupBox</source>
        <translation>Druckerstatus</translation>
    </message>
    <message>
        <source>tcGroupBox</source>
        <translation>Gesamtzähler</translation>
    </message>
    <message>
        <source>fwGroupBox</source>
        <translation>Firmware-Version</translation>
    </message>
    <message>
        <source>serialNoGroupBox</source>
        <translation>Seriennummer</translation>
    </message>
    <message>
        <source>size_00500</source>
        <translation>8x10in</translation>
    </message>
    <message>
        <source>size_00510</source>
        <translation>8x12in</translation>
    </message>
    <message>
        <source>size_00600</source>
        <translation>A4</translation>
    </message>
    <message>
        <source>class_0001</source>
        <translation>Corvel</translation>
    </message>
    <message>
        <source>class_0002</source>
        <translation>Corvel Plus</translation>
    </message>
    <message>
        <source>class_0003</source>
        <translation>Tarsine</translation>
    </message>
    <message>
        <source>class_1304</source>
        <translation>Lustrane</translation>
    </message>
    <message>
        <source>class_1323</source>
        <translation>Opalith</translation>
    </message>
    <message>
        <source>st_00000</source>
        <translation>Warten</translation>
    </message>
    <message>
        <source>st_00001</source>
        <translation>Drucken</translation>
    </message>
    <message>
        <source>st_00500</source>
        <translation>Druckkopf kühlt ab</translation>
    </message>
    <message>
        <source>st_00900</source>
        <translation>Warten (Energiesparmodus)</translation>
    </message>
    <message>
        <source>st_01000</source>
        <translation>Abdeckung offen</translation>
    </message>
    <message>
        <source>st_01010</source>
        <translation>Kein Abfallbehälter</translation>
    </message>
    <message>
        <source>st_01100</source>
        <translation>Papierende</translation>
    </message>
    <message>
        <source>st_01200</source>
        <translation>Farbbandende</translation>
    </message>
    <message>
        <source>st_01300</source>
        <translation>Papierstau</translation>
    </message>
    <message>
        <source>st_01400</source>
        <translation>Farbbandfehler</translation>
    </message>
    <message>
        <source>st_01500</source>
        <translation>Fehler bei der Papierformateinstellung</translation>
    </message>
    <message>
        <source>st_01600</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_02000</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_02100</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_02200</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_02300</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_02400</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_02500</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_02600</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_02610</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_02700</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_02800</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_03000</source>
        <translation>Systemfehler</translation>
    </message>
    <message>
        <source>st_99999</source>
        <translation>Offline</translation>
    </message>
    <message>
        <source>ms_00001</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00002</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00003</source>
        <translation>Bitte einen Moment warten.
Der Druck wird automatisch fortgesetzt.</translation>
    </message>
    <message>
        <source>ms_00004</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00005</source>
        <translation> </translation>
    </message>
    <message>
        <source>ms_00006</source>
        <translation>Drucker und Computer anschließen und einschalten.</translation>
    </message>
    <message>
        <source>ms_00100</source>
        <translation>Drucker schließen.</translation>
    </message>
    <message>
        <source>ms_00101</source>
        <translation>Abfallbehälter einsetzen.</translation>
    </message>
    <message>
        <source>ms_00102</source>
        <translation>Neue Medien einlegen.
(Papier und Farbband immer als Satz austauschen.)</translation>
    </message>
    <message>
        <source>ms_00103</source>
        <translation>Neue Medien einlegen.
(Papier und Farbband immer als Satz austauschen.)</translation>
    </message>
    <message>
        <source>ms_00104</source>
        <translation>Papier entnehmen und richtig neu einlegen.</translation>
    </message>
    <message>
        <source>ms_00105</source>
        <translation>Farbband richtig neu einlegen.</translation>
    </message>
    <message>
        <source>ms_00106</source>
        <translation>Papierformateinstellung und Farbbandgröße prüfen.</translation>
    </message>
    <message>
        <source>ms_00107</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00108</source>
        <translation>
&lt;&lt; Falscher Medientyp eingelegt. &gt;&gt;</translation>
    </message>
    <message>
        <source>ms_00200</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00201</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00202</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00203</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00204</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00205</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00206</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00207</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00208</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00209</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
    <message>
        <source>ms_00210</source>
        <translation>Drucker und Computer neu starten.
Funktioniert der Drucker nach dem Neustart nicht wieder, den Kundendienst kontaktieren.</translation>
    </message>
</context>
<context>
    <name>VersionDialog</name>
    <message>
        <source>TQ-51M Information</source>
        <translation>TQ-51M informationen</translation>
    </message>
    <message>
        <source>Version</source>
        <translation>Version</translation>
    </message>
</context>
<context>
    <name>PrinterApplication</name>
    <message>
        <source>Prints since the last reset</source>
        <translation>Drucke seit dem letzten Zurücksetzen</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Zurücksetzen</translation>
    </message>
    <message>
        <source>Jobs</source>
        <translation>Aufträge</translation>
    </message>
    <message>
        <source>Photo settings</source>
        <translation>Fotoeinstellungen</translation>
    </message>
    <message>
        <source>Finish</source>
        <translation>Oberfläche</translation>
    </message>
    <message>
        <source>Glossy</source>
        <translation>Glänzend</translation>
    </message>
    <message>
        <source>Luster</source>
        <translation>Seidenglanz</translation>
    </message>
    <message>
        <source>Matte</source>
        <translation>Matt</translation>
    </message>
    <message>
        <source>Fine matte</source>
        <translation>Feinmatt</translation>
    </message>
    <message>
        <source>Border</source>
        <translation>Rand</translation>
    </message>
    <message>
        <source>2-inch cut</source>
        <translation>2-Zoll-Schnitt</translation>
    </message>
    <message>
        <source>High-speed printing (300 x 600 dpi)</source>
        <translation>Schnelldruck (300 x 600 dpi)</translation>
    </message>
    <message>
        <source>Retry after an error</source>
        <translation>Nach einem Fehler erneut versuchen</translation>
    </message>
    <message>
        <source>Sharpness</source>
        <translation>Schärfe</translation>
    </message>
    <message>
        <source>Color adjustment</source>
        <translation>Farbanpassung</translation>
    </message>
    <message>
        <source>Gamma</source>
        <translation>Gamma</translation>
    </message>
    <message>
        <source>Brightness</source>
        <translation>Helligkeit</translation>
    </message>
    <message>
        <source>Contrast</source>
        <translation>Kontrast</translation>
    </message>
    <message>
        <source>Saturation</source>
        <translation>Sättigung</translation>
    </message>
    <message>
        <source>Save photo settings</source>
        <translation>Fotoeinstellungen speichern</translation>
    </message>
    <message>
        <source>Invalid form data.</source>
        <translation>Ungültige Formulardaten.</translation>
    </message>
    <message>
        <source>Print counter reset.</source>
        <translation>Druckzähler zurückgesetzt.</translation>
    </message>
    <message>
        <source>Photo settings saved.</source>
        <translation>Fotoeinstellungen gespeichert.</translation>
    </message>
    <message>
        <source>The defaults could not be saved.</source>
        <translation>Die Standardwerte konnten nicht gespeichert werden.</translation>
    </message>
    <message>
        <source>Bad value for %1.</source>
        <translation>Ungültiger Wert für %1.</translation>
    </message>
    <message>
        <source>Job</source>
        <translation>Auftrag</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>User</source>
        <translation>Benutzer</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Reason</source>
        <translation>Grund</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Zeit</translation>
    </message>
    <message>
        <source>Media</source>
        <translation>Medium</translation>
    </message>
    <message>
        <source>Sheets sent</source>
        <translation>Gesendete Blätter</translation>
    </message>
    <message>
        <source>Sheet %1</source>
        <translation>Blatt %1</translation>
    </message>
    <message>
        <source>Pending</source>
        <translation>Wartend</translation>
    </message>
    <message>
        <source>Held</source>
        <translation>Angehalten</translation>
    </message>
    <message>
        <source>Printing</source>
        <translation>Wird gedruckt</translation>
    </message>
    <message>
        <source>Stopped</source>
        <translation>Gestoppt</translation>
    </message>
    <message>
        <source>Canceled</source>
        <translation>Abgebrochen</translation>
    </message>
    <message>
        <source>Aborted</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Completed</source>
        <translation>Abgeschlossen</translation>
    </message>
    <message>
        <source>%1 page(s) sent to the printer.</source>
        <translation>%1 Seite(n) an den Drucker gesendet.</translation>
    </message>
    <message>
        <source>Stopped after %1 page(s).</source>
        <translation>Nach %1 Seite(n) gestoppt.</translation>
    </message>
    <message>
        <source>Sending the job to the printer again.</source>
        <translation>Der Auftrag wird erneut an den Drucker gesendet.</translation>
    </message>
    <message>
        <source>The document has no pages.</source>
        <translation>Das Dokument hat keine Seiten.</translation>
    </message>
    <message>
        <source>Stopped: the printer application was shut down.</source>
        <translation>Gestoppt: Die Druckeranwendung wurde beendet.</translation>
    </message>
    <message>
        <source>The loaded media changed while the job waited; send the job again.</source>
        <translation>Das eingelegte Medium hat sich geändert, während der Auftrag wartete; den Auftrag erneut senden.</translation>
    </message>
    <message>
        <source>Out of memory for the print job.</source>
        <translation>Nicht genügend Speicher für den Druckauftrag.</translation>
    </message>
    <message>
        <source>The JPEG image cannot be opened.</source>
        <translation>Das JPEG-Bild kann nicht geöffnet werden.</translation>
    </message>
    <message>
        <source>The PDF document has no pages.</source>
        <translation>Das PDF-Dokument hat keine Seiten.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document has no size.</source>
        <translation>Seite %1 des PDF-Dokuments hat keine Größe.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document cannot be rendered.</source>
        <translation>Seite %1 des PDF-Dokuments kann nicht gerendert werden.</translation>
    </message>
    <message>
        <source>Page %1 of the PDF document is too large to print.</source>
        <translation>Seite %1 des PDF-Dokuments ist zu groß zum Drucken.</translation>
    </message>
    <message>
        <source>The PDF document takes too long to render.</source>
        <translation>Das Rendern des PDF-Dokuments dauert zu lange.</translation>
    </message>
    <message>
        <source>8 x 4 in</source>
        <translation>8 x 4 Zoll</translation>
    </message>
    <message>
        <source>8 x 5 in</source>
        <translation>8 x 5 Zoll</translation>
    </message>
    <message>
        <source>8 x 6 in</source>
        <translation>8 x 6 Zoll</translation>
    </message>
    <message>
        <source>8 x 8 in</source>
        <translation>8 x 8 Zoll</translation>
    </message>
    <message>
        <source>8 x 10 in</source>
        <translation>8 x 10 Zoll</translation>
    </message>
    <message>
        <source>8 x 12 in</source>
        <translation>8 x 12 Zoll</translation>
    </message>
    <message>
        <source>Job %1 stopped: %2</source>
        <translation>Auftrag %1 gestoppt: %2</translation>
    </message>
    <message>
        <source>Waiting for the printer (%1)</source>
        <translation>Warten auf den Drucker (%1)</translation>
    </message>
    <message>
        <source>Waiting for the printer: %1 (%2)</source>
        <translation>Warten auf den Drucker: %1 (%2)</translation>
    </message>
    <message>
        <source>The backend failed to print the job.</source>
        <translation>Das Backend konnte den Auftrag nicht drucken.</translation>
    </message>
    <message>
        <source>The printer asks for authentication.</source>
        <translation>Der Drucker verlangt eine Anmeldung.</translation>
    </message>
    <message>
        <source>The backend put the job on hold.</source>
        <translation>Das Backend hat den Auftrag angehalten.</translation>
    </message>
    <message>
        <source>The printer stopped: it needs attention.</source>
        <translation>Der Drucker hat angehalten: Er muss überprüft werden.</translation>
    </message>
    <message>
        <source>The backend cancelled the job.</source>
        <translation>Das Backend hat den Auftrag abgebrochen.</translation>
    </message>
    <message>
        <source>The printer could not be reached; try again later.</source>
        <translation>Der Drucker ist nicht erreichbar; später erneut versuchen.</translation>
    </message>
    <message>
        <source>The backend ended abnormally.</source>
        <translation>Das Backend wurde unerwartet beendet.</translation>
    </message>
    <message>
        <source>The backend failed with status %1.</source>
        <translation>Das Backend ist mit Status %1 fehlgeschlagen.</translation>
    </message>
    <message>
        <source>%1 The job could not be kept for printing again: the spool folder has no room for it.</source>
        <translation>%1 Der Auftrag konnte nicht für einen erneuten Druck aufbewahrt werden: Im Spool-Ordner ist kein Platz dafür.</translation>
    </message>
    <message>
        <source>Out of memory for page %1.</source>
        <translation>Nicht genügend Speicher für Seite %1.</translation>
    </message>
    <message>
        <source>The printer's device is not a velmora-zelbackend device.</source>
        <translation>Das Gerät des Druckers ist kein velmora-zelbackend-Gerät.</translation>
    </message>
    <message>
        <source>Unsupported raster page: %1 bits per pixel.</source>
        <translation>Nicht unterstützte Rasterseite: %1 Bit pro Pixel.</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is larger than any sheet of the printer.</source>
        <translation>Seite %1 mit %2 x %3 Pixeln ist größer als jedes Blatt des Druckers.</translation>
    </message>
    <message>
        <source>Page %1 of %2 x %3 pixels is too large to fit onto a sheet.</source>
        <translation>Seite %1 mit %2 x %3 Pixeln ist zu groß, um auf ein Blatt eingepasst zu werden.</translation>
    </message>
    <message>
        <source>The document ends inside page %1 (%2 of %3 rows): it was not printed. Send it again.</source>
        <translation>Das Dokument endet innerhalb von Seite %1 (%2 von %3 Zeilen): Es wurde nicht gedruckt. Senden Sie es erneut.</translation>
    </message>
    <message>
        <source>Out of memory while fitting the page onto the sheet.</source>
        <translation>Nicht genügend Speicher, um die Seite auf das Blatt einzupassen.</translation>
    </message>
    <message>
        <source>The PDF renderer cannot be started.</source>
        <translation>Der PDF-Renderer kann nicht gestartet werden.</translation>
    </message>
    <message>
        <source>The PDF document is encrypted: it cannot be printed without its password.</source>
        <translation>Das PDF-Dokument ist verschlüsselt: Ohne sein Passwort kann es nicht gedruckt werden.</translation>
    </message>
    <message>
        <source>The PDF document cannot be read: its description is too long.</source>
        <translation>Das PDF-Dokument kann nicht gelesen werden: Seine Beschreibung ist zu lang.</translation>
    </message>
    <message>
        <source>The JPEG image of %1 x %2 pixels is too large to print.</source>
        <translation>Das JPEG-Bild mit %1 x %2 Pixeln ist zu groß zum Drucken.</translation>
    </message>
    <message>
        <source>Out of memory for the JPEG image.</source>
        <translation>Nicht genügend Speicher für das JPEG-Bild.</translation>
    </message>
    <message>
        <source>The PNG image of %1 x %2 pixels is too large to print.</source>
        <translation>Das PNG-Bild mit %1 x %2 Pixeln ist zu groß zum Drucken.</translation>
    </message>
    <message>
        <source>Out of memory for the PNG image.</source>
        <translation>Nicht genügend Speicher für das PNG-Bild.</translation>
    </message>
    <message>
        <source>Stopped.</source>
        <translation>Gestoppt.</translation>
    </message>
    <message>
        <source>Sending sheets %1 to %2 to the printer again.</source>
        <translation>Blätter %1 bis %2 werden erneut an den Drucker gesendet.</translation>
    </message>
</context>
</TS>
