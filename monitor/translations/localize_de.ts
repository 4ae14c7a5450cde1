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
</TS>
