<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>Account</name>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <comment>%1 and %n more</comment>
        <translation>
            <numerusform>%1 und %n weiteres</numerusform>
            <numerusform>%1 und %n weitere</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file that appeared</source>
        <comment>%n files that appeared</comment>
        <translation>
            <numerusform>%n Datei, die hinzukam</numerusform>
            <numerusform>%n Dateien, die hinzukamen</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 that files grew</source>
        <translation>%1, um die Dateien wuchsen</translation>
    </message>
    <message>
        <source>Not in the count: %1 and %2 after it was taken</source>
        <translation>Nicht mitgezählt: %1 und %2 nach der Zählung</translation>
    </message>
    <message>
        <source>Not in the count: %1 after it was taken</source>
        <translation>Nicht mitgezählt: %1 nach der Zählung</translation>
    </message>
    <message>
        <source>4 passes</source>
        <translation>4 Durchgänge</translation>
    </message>
    <message>
        <source>11 passes</source>
        <translation>11 Durchgänge</translation>
    </message>
    <message>
        <source>1 pass of random bytes</source>
        <translation>1 Durchgang mit Zufallsbytes</translation>
    </message>
    <message>
        <source>Is a mount point: nothing in it was touched</source>
        <translation>Ist ein Einhängepunkt: Nichts darin wurde angetastet</translation>
    </message>
    <message>
        <source>Left untouched: it could not be removed afterwards (%1)</source>
        <translation>Unangetastet gelassen: Es ließ sich danach nicht entfernen (%1)</translation>
    </message>
    <message>
        <source>it or its folder is marked immutable or append-only</source>
        <translation>es oder sein Ordner ist als unveränderlich oder nur erweiterbar markiert</translation>
    </message>
    <message>
        <source>Could not examine the item (%1)</source>
        <translation>Das Objekt konnte nicht untersucht werden (%1)</translation>
    </message>
    <message>
        <source>Could not overwrite the file (%1)</source>
        <translation>Die Datei konnte nicht überschrieben werden (%1)</translation>
    </message>
    <message>
        <source>Could not overwrite the file: the random device %1 could not be opened (%2)</source>
        <translation>Die Datei konnte nicht überschrieben werden: Das Zufallsgerät %1 ließ sich nicht öffnen (%2)</translation>
    </message>
    <message>
        <source>The file kept growing while it was being overwritten</source>
        <translation>Die Datei wuchs weiter, während sie überschrieben wurde</translation>
    </message>
    <message>
        <source>The last pass could not be read back (%1): the file is kept</source>
        <translation>Der letzte Durchgang konnte nicht zurückgelesen werden (%1): Die Datei bleibt erhalten</translation>
    </message>
    <message>
        <source>The last pass read back differently from what was written: the file is kept</source>
        <translation>Der letzte Durchgang las sich anders zurück, als er geschrieben wurde: Die Datei bleibt erhalten</translation>
    </message>
    <message numerus="yes">
        <source>%n file also has names outside the selection: %1. Those names are removed here, and the contents stay on the disk under the others (hard links)</source>
        <comment>%n files also have names outside the selection: %1. Those names are removed here, and the contents stay on the disk under the others (hard links)</comment>
        <translation>
            <numerusform>%n Datei hat auch Namen außerhalb der Auswahl: %1. Diese Namen werden hier entfernt, und der Inhalt bleibt unter den anderen Namen auf dem Datenträger (harte Verknüpfungen)</numerusform>
            <numerusform>%n Dateien haben auch Namen außerhalb der Auswahl: %1. Diese Namen werden hier entfernt, und die Inhalte bleiben unter den anderen Namen auf dem Datenträger (harte Verknüpfungen)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n symbolic link is removed; what it points to is left alone</source>
        <comment>%n symbolic links are removed; what they point to is left alone</comment>
        <translation>
            <numerusform>%n symbolische Verknüpfung wird entfernt; ihr Ziel bleibt unangetastet</numerusform>
            <numerusform>%n symbolische Verknüpfungen werden entfernt; ihre Ziele bleiben unangetastet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n special file (device, pipe or socket) is removed; nothing in it is overwritten</source>
        <comment>%n special files (devices, pipes or sockets) are removed; nothing in them is overwritten</comment>
        <translation>
            <numerusform>%n Spezialdatei (Gerät, Pipe oder Socket) wird entfernt; nichts darin wird überschrieben</numerusform>
            <numerusform>%n Spezialdateien (Geräte, Pipes oder Sockets) werden entfernt; nichts darin wird überschrieben</numerusform>
        </translation>
    </message>
    <message>
        <source>What: %1</source>
        <translation>Was: %1</translation>
    </message>
    <message>
        <source>What: the empty folder %1</source>
        <translation>Was: der leere Ordner %1</translation>
    </message>
    <message>
        <source>What: the folder %1 with %2</source>
        <translation>Was: der Ordner %1 mit %2</translation>
    </message>
    <message numerus="yes">
        <source>%n item</source>
        <comment>%n items</comment>
        <translation>
            <numerusform>%n Objekt</numerusform>
            <numerusform>%n Objekte</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n symbolic link)</source>
        <comment>%1 (%n symbolic links)</comment>
        <translation>
            <numerusform>%1 (%n symbolische Verknüpfung)</numerusform>
            <numerusform>%1 (%n symbolische Verknüpfungen)</numerusform>
        </translation>
    </message>
    <message>
        <source>How much: %1, %2</source>
        <translation>Wie viel: %1, %2</translation>
    </message>
    <message>
        <source>How: %1, the last one read back</source>
        <translation>Wie: %1, der letzte wird zurückgelesen</translation>
    </message>
    <message>
        <source>How: %1</source>
        <translation>Wie: %1</translation>
    </message>
    <message>
        <source>Nothing was touched.</source>
        <translation>Nichts wurde angetastet.</translation>
    </message>
    <message numerus="yes">
        <source>%n file overwritten (%1, %2)</source>
        <comment>%n files overwritten (%1, %2)</comment>
        <translation>
            <numerusform>%n Datei überschrieben (%1, %2)</numerusform>
            <numerusform>%n Dateien überschrieben (%1, %2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n verified</source>
        <comment>%n verified</comment>
        <translation>
            <numerusform>%n geprüft</numerusform>
            <numerusform>%n geprüft</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n name removed, contents still on the disk</source>
        <comment>%n names removed, contents still on the disk</comment>
        <translation>
            <numerusform>%n Name entfernt, Inhalt noch auf dem Datenträger</numerusform>
            <numerusform>%n Namen entfernt, Inhalte noch auf dem Datenträger</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link removed, targets untouched</source>
        <comment>%n links removed, targets untouched</comment>
        <translation>
            <numerusform>%n Verknüpfung entfernt, Ziel unangetastet</numerusform>
            <numerusform>%n Verknüpfungen entfernt, Ziele unangetastet</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n special file removed</source>
        <comment>%n special files removed</comment>
        <translation>
            <numerusform>%n Spezialdatei entfernt</numerusform>
            <numerusform>%n Spezialdateien entfernt</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item kept</source>
        <comment>%n items kept</comment>
        <translation>
            <numerusform>%n Objekt behalten</numerusform>
            <numerusform>%n Objekte behalten</numerusform>
        </translation>
    </message>
    <message>
        <source>see the storage note</source>
        <translation>siehe den Hinweis zum Speicher</translation>
    </message>
    <message numerus="yes">
        <source>Overwritten: %n file, %1, %2 each</source>
        <comment>Overwritten: %n files, %1, %2 each</comment>
        <translation>
            <numerusform>Überschrieben: %n Datei, %1, je Datei %2</numerusform>
            <numerusform>Überschrieben: %n Dateien, %1, je Datei %2</numerusform>
        </translation>
    </message>
    <message>
        <source>Verified: %1 of %2 files read back from the device as the last pass wrote them</source>
        <translation>Geprüft: %1 von %2 Dateien vom Gerät so zurückgelesen, wie der letzte Durchgang sie schrieb</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message numerus="yes">
        <source>%1: and %n more</source>
        <comment>%1: and %n more</comment>
        <translation>
            <numerusform>%1: und %n weiteres</numerusform>
            <numerusform>%1: und %n weitere</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed after fewer passes than chosen, when the run was stopped</source>
        <translation>Nach weniger Durchgängen als gewählt entfernt, als der Durchlauf angehalten wurde</translation>
    </message>
    <message>
        <source>Removed, but its contents stay on the disk under another name (hard link)</source>
        <translation>Entfernt, doch der Inhalt bleibt unter einem anderen Namen auf dem Datenträger (harte Verknüpfung)</translation>
    </message>
    <message>
        <source>Removed; what it points to was not touched (symbolic link)</source>
        <translation>Entfernt; das Ziel wurde nicht angetastet (symbolische Verknüpfung)</translation>
    </message>
    <message>
        <source>Removed; nothing in it was overwritten (device, pipe or socket)</source>
        <translation>Entfernt; nichts darin wurde überschrieben (Gerät, Pipe oder Socket)</translation>
    </message>
    <message>
        <source>Kept: %1: %2</source>
        <translation>Behalten: %1: %2</translation>
    </message>
    <message>
        <source>%1: names: %2</source>
        <translation>%1: Namen: %2</translation>
    </message>
    <message>
        <source>Names: %1</source>
        <translation>Namen: %1</translation>
    </message>
    <message>
        <source>Names (%1): %2</source>
        <translation>Namen (%1): %2</translation>
    </message>
</context>
<context>
    <name>Bytes</name>
    <message>
        <source>kB</source>
        <translation>kB</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>MB</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>GB</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>TB</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>PB</translation>
    </message>
    <message>
        <source>EB</source>
        <translation>EB</translation>
    </message>
    <message numerus="yes">
        <source>%n byte</source>
        <comment>%n bytes</comment>
        <translation>
            <numerusform>%n Byte</numerusform>
            <numerusform>%n Bytes</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (%2 bytes)</source>
        <translation>%1 (%2 Bytes)</translation>
    </message>
</context>
<context>
    <name>MainWindow</name>
    <message>
        <source>ORBA Zurizede</source>
        <translation>ORBA Zurizede</translation>
    </message>
    <message>
        <source>Drop area</source>
        <translation>Ablagebereich</translation>
    </message>
    <message>
        <source>Shredder</source>
        <translation>Schredder</translation>
    </message>
    <message>
        <source>Drop files or folders here to shred them</source>
        <translation>Dateien oder Ordner hier ablegen, um sie zu schreddern</translation>
    </message>
    <message>
        <source>Choose Fi&amp;les…</source>
        <translation>Dateien &amp;auswählen…</translation>
    </message>
    <message>
        <source>Choose Fol&amp;der…</source>
        <translation>Ordner a&amp;uswählen…</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Fortschritt</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Anhalten</translation>
    </message>
    <message>
        <source>Stop shredding (Esc)</source>
        <translation>Schreddern anhalten (Esc)</translation>
    </message>
    <message>
        <source>F&amp;older:</source>
        <translation>&amp;Ordner:</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>F&amp;ile:</source>
        <translation>Da&amp;tei:</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>S&amp;tatus:</source>
        <translation>&amp;Status:</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Selected</source>
        <translation>Ausgewählt</translation>
    </message>
    <message>
        <source>Left to shred</source>
        <translation>Noch zu schreddern</translation>
    </message>
    <message>
        <source>Ite&amp;ms:</source>
        <translation>Ob&amp;jekte:</translation>
    </message>
    <message>
        <source>Selected items</source>
        <translation>Ausgewählte Objekte</translation>
    </message>
    <message>
        <source>Items left to shred</source>
        <translation>Noch zu schreddernde Objekte</translation>
    </message>
    <message>
        <source>Lin&amp;ks:</source>
        <translation>&amp;Links:</translation>
    </message>
    <message>
        <source>Selected links</source>
        <translation>Ausgewählte Links</translation>
    </message>
    <message>
        <source>Links left to shred</source>
        <translation>Noch zu schreddernde Links</translation>
    </message>
    <message>
        <source>&amp;Bytes:</source>
        <translation>B&amp;ytes:</translation>
    </message>
    <message>
        <source>Selected bytes</source>
        <translation>Ausgewählte Bytes</translation>
    </message>
    <message>
        <source>Bytes left to shred</source>
        <translation>Noch zu schreddernde Bytes</translation>
    </message>
    <message>
        <source>Account of the last run</source>
        <translation>Bilanz des letzten Durchlaufs</translation>
    </message>
    <message>
        <source>D&amp;etails…</source>
        <translation>Deta&amp;ils…</translation>
    </message>
    <message>
        <source>What the last run overwrote, removed and kept, and what overwriting cannot reach</source>
        <translation>Was der letzte Durchlauf überschrieben, entfernt und behalten hat und was Überschreiben nicht erreicht</translation>
    </message>
    <message>
        <source>Save &amp;Report…</source>
        <translation>&amp;Bericht speichern…</translation>
    </message>
    <message>
        <source>A report of the last run to keep, as PDF or JSON</source>
        <translation>Ein Bericht über den letzten Durchlauf zum Aufbewahren, als PDF oder JSON</translation>
    </message>
    <message>
        <source>The settings of the next shred: click to change them</source>
        <translation>Die Einstellungen für das nächste Schreddern: zum Ändern klicken</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Shred &amp;File…</source>
        <translation>&amp;Datei schreddern…</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Shred F&amp;older &amp;&amp; Contents…</source>
        <translation>&amp;Ordner &amp;&amp; Inhalt schreddern…</translation>
    </message>
    <message>
        <source>Ctrl+Shift+O</source>
        <translation>Ctrl+Shift+O</translation>
    </message>
    <message>
        <source>&amp;Wipe Free Space…</source>
        <translation>&amp;Freien Speicherplatz bereinigen…</translation>
    </message>
    <message>
        <source>Fill the free space of a file system with random bytes, then give it back: this reaches what earlier deletes and copy-on-write left behind</source>
        <translation>Den freien Speicherplatz eines Dateisystems mit Zufallsbytes füllen und wieder freigeben: das erreicht, was frühere Löschvorgänge und Copy-on-Write hinterlassen haben</translation>
    </message>
    <message>
        <source>Shred &amp;Trash…</source>
        <translation>&amp;Papierkorb schreddern…</translation>
    </message>
    <message>
        <source>Shred every item in your trash folders, and their records</source>
        <translation>Jedes Objekt in Ihren Papierkorb-Ordnern schreddern, samt den zugehörigen Einträgen</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>&amp;Disk Utility…</source>
        <translation>&amp;Laufwerksverwaltung…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>&amp;1 pass of random bytes</source>
        <translation>&amp;1 Durchgang mit Zufallsbytes</translation>
    </message>
    <message>
        <source>&amp;4 passes</source>
        <translation>&amp;4 Durchgänge</translation>
    </message>
    <message>
        <source>11 &amp;passes</source>
        <translation>11 &amp;Durchgänge</translation>
    </message>
    <message>
        <source>Ask for &amp;confirmation</source>
        <translation>Um &amp;Bestätigung bitten</translation>
    </message>
    <message>
        <source>&amp;Log each shred</source>
        <translation>Jedes Schreddern &amp;protokollieren</translation>
    </message>
    <message>
        <source>&amp;Verify the last pass</source>
        <translation>&amp;Letzten Durchgang prüfen</translation>
    </message>
    <message>
        <source>Save a &amp;report after every run</source>
        <translation>Nach jedem Durchlauf einen Bericht &amp;speichern</translation>
    </message>
    <message>
        <source>&amp;Operator Name…</source>
        <translation>&amp;Name des Bedieners…</translation>
    </message>
    <message>
        <source>The person reports name as having run the shreds</source>
        <translation>Die Person, die Berichte als Ausführende der Schreddervorgänge nennen</translation>
    </message>
    <message>
        <source>ORBA Zurizede &amp;Help</source>
        <translation>ORBA Zurizede-&amp;Hilfe</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Support &amp;E-mail…</source>
        <translation>Support per &amp;E-Mail…</translation>
    </message>
    <message>
        <source>&amp;Web Site…</source>
        <translation>&amp;Website…</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>4 passes of the bytes 0x55, 0xFF, 0xAA, 0x00, each synced to the disk before the next</source>
        <translation>4 Durchgänge mit den Bytes 0x55, 0xFF, 0xAA, 0x00, jeder vor dem nächsten auf den Datenträger synchronisiert</translation>
    </message>
    <message>
        <source>11 passes of the bytes 0xAA, 0xFF, 0x44, 0x00, 0xAA, 0x22, 0x55, 0x11, 0xFF, 0x55, 0x00, each synced to the disk before the next</source>
        <translation>11 Durchgänge mit den Bytes 0xAA, 0xFF, 0x44, 0x00, 0xAA, 0x22, 0x55, 0x11, 0xFF, 0x55, 0x00, jeder vor dem nächsten auf den Datenträger synchronisiert</translation>
    </message>
    <message>
        <source>1 pass of random bytes (a ChaCha20 stream keyed for each file from /dev/urandom), synced to the disk</source>
        <translation>1 Durchgang mit Zufallsbytes (ein ChaCha20-Strom, für jede Datei mit einem Schlüssel aus /dev/urandom), auf den Datenträger synchronisiert</translation>
    </message>
    <message>
        <source>the last pass of every file was read back from the device: %1 of %2 files read back as written</source>
        <translation>der letzte Durchgang jeder Datei wurde vom Gerät zurückgelesen: %1 von %2 Dateien wie geschrieben zurückgelesen</translation>
    </message>
    <message>
        <source>not asked for: the passes were not read back</source>
        <translation>nicht verlangt: Die Durchgänge wurden nicht zurückgelesen</translation>
    </message>
    <message numerus="yes">
        <source>Left in place when the run was stopped: %1 item and %2 bytes</source>
        <comment>Left in place when the run was stopped: %1 items and %2 bytes</comment>
        <translation>
            <numerusform>Beim Anhalten des Durchlaufs an Ort und Stelle geblieben: %1 Objekt und %2 Bytes</numerusform>
            <numerusform>Beim Anhalten des Durchlaufs an Ort und Stelle geblieben: %1 Objekte und %2 Bytes</numerusform>
        </translation>
    </message>
    <message>
        <source>shredded</source>
        <translation>geschreddert</translation>
    </message>
    <message>
        <source>kept</source>
        <translation>behalten</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>entfernt</translation>
    </message>
    <message>
        <source>shred</source>
        <translation>Schreddern</translation>
    </message>
    <message>
        <source>free-space</source>
        <translation>freier Speicherplatz</translation>
    </message>
    <message>
        <source>trash</source>
        <translation>Papierkorb</translation>
    </message>
    <message>
        <source>partly</source>
        <translation>teilweise</translation>
    </message>
    <message>
        <source>not</source>
        <translation>nicht geschreddert</translation>
    </message>
    <message>
        <source>reaches</source>
        <translation>erreicht</translation>
    </message>
    <message>
        <source>may not reach all</source>
        <translation>erreicht womöglich nicht alle</translation>
    </message>
    <message>
        <source>cannot reach</source>
        <translation>kann nicht erreichen</translation>
    </message>
    <message>
        <source>not needed</source>
        <translation>nicht nötig</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>items</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <source>items removed</source>
        <translation>Objekte entfernt</translation>
    </message>
    <message>
        <source>files overwritten</source>
        <translation>Dateien überschrieben</translation>
    </message>
    <message>
        <source>bytes overwritten</source>
        <translation>Bytes überschrieben</translation>
    </message>
    <message>
        <source>files verified</source>
        <translation>Dateien geprüft</translation>
    </message>
    <message>
        <source>symbolic links removed</source>
        <translation>symbolische Verknüpfungen entfernt</translation>
    </message>
    <message>
        <source>special files removed</source>
        <translation>Spezialdateien entfernt</translation>
    </message>
    <message>
        <source>names removed while contents stay</source>
        <translation>Namen entfernt, Inhalte geblieben</translation>
    </message>
    <message>
        <source>items kept</source>
        <translation>Objekte behalten</translation>
    </message>
    <message>
        <source>items left in place</source>
        <translation>Objekte an Ort und Stelle belassen</translation>
    </message>
    <message>
        <source>bytes left in place</source>
        <translation>Bytes an Ort und Stelle belassen</translation>
    </message>
    <message>
        <source>free bytes</source>
        <translation>freie Bytes</translation>
    </message>
    <message>
        <source>bytes written</source>
        <translation>Bytes geschrieben</translation>
    </message>
    <message>
        <source>bytes left unfilled</source>
        <translation>Bytes nicht gefüllt</translation>
    </message>
    <message>
        <source>inodes made anew</source>
        <translation>Inodes neu angelegt</translation>
    </message>
    <message>
        <source>ORBA Zurizede: report of a run</source>
        <translation>ORBA Zurizede: Bericht über einen Durchlauf</translation>
    </message>
    <message>
        <source>This report records what the program did and saw. It does not certify the device: see what overwriting cannot reach below.</source>
        <translation>Dieser Bericht hält fest, was das Programm getan und vorgefunden hat. Er bescheinigt nichts über das Gerät: Was das Überschreiben nicht erreichen kann, steht weiter unten.</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Ergebnis</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Durchlauf</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Begonnen</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Beendet</translation>
    </message>
    <message>
        <source>Tool</source>
        <translation>Werkzeug</translation>
    </message>
    <message>
        <source>, commit %1</source>
        <translation>, Commit %1</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Wo</translation>
    </message>
    <message>
        <source>%1, user %2 (uid %3)</source>
        <translation>%1, Benutzer %2 (UID %3)</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Bediener</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Verfahren</translation>
    </message>
    <message>
        <source>Verification</source>
        <translation>Prüfung</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Summen</translation>
    </message>
    <message>
        <source>The same report as JSON: %1, SHA-256 %2</source>
        <translation>Derselbe Bericht als JSON: %1, SHA-256 %2</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Speicher</translation>
    </message>
    <message>
        <source>%1 at %2 on %3</source>
        <translation>%1, eingehängt unter %2, Gerät %3</translation>
    </message>
    <message>
        <source>, UUID %1</source>
        <translation>, UUID %1</translation>
    </message>
    <message>
        <source>, model %1</source>
        <translation>, Modell %1</translation>
    </message>
    <message>
        <source>, serial %1</source>
        <translation>, Seriennummer %1</translation>
    </message>
    <message>
        <source>Storage verdict</source>
        <translation>Urteil zum Speicher</translation>
    </message>
    <message>
        <source>Removed names</source>
        <translation>Entfernte Namen</translation>
    </message>
    <message>
        <source>Account and warnings</source>
        <translation>Bilanz und Warnungen</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Objekte</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Pfad</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Größe</translation>
    </message>
    <message>
        <source>Passes</source>
        <translation>Durchgänge</translation>
    </message>
    <message>
        <source>Verified</source>
        <translation>Geprüft</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Ausgang</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more items, every one of them listed in the JSON.</source>
        <comment>… and %n more items, every one of them listed in the JSON.</comment>
        <translation>
            <numerusform>… und %n weiteres Objekt, im JSON aufgeführt.</numerusform>
            <numerusform>… und %n weitere Objekte, alle im JSON aufgeführt.</numerusform>
        </translation>
    </message>
    <message>
        <source>ORBA Zurizede report</source>
        <translation>ORBA-Zurizede-Bericht</translation>
    </message>
    <message>
        <source>a report is written as .pdf or .json, not as %1</source>
        <translation>ein Bericht wird als .pdf oder .json geschrieben, nicht als %1</translation>
    </message>
    <message>
        <source>%1 is a symbolic link: a report is never written through one</source>
        <translation>%1 ist eine symbolische Verknüpfung: Ein Bericht wird nie über eine solche geschrieben</translation>
    </message>
</context>
<context>
    <name>Run</name>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>RunNotes</name>
    <message>
        <source>these files</source>
        <translation>diesen Dateien</translation>
    </message>
    <message>
        <source>Swap on %1 is not encrypted, nor is the hibernation image on %2: what programs held in memory, the contents of %3 among them, may have been written there.</source>
        <translation>Der Auslagerungsspeicher auf %1 ist nicht verschlüsselt, ebenso wenig das Ruhezustandsabbild auf %2: Was Programme im Arbeitsspeicher hielten, darunter der Inhalt von %3, kann dorthin geschrieben worden sein.</translation>
    </message>
    <message>
        <source>Swap on %1 is not encrypted: what programs held in memory, the contents of %2 among them, may have been written there.</source>
        <translation>Der Auslagerungsspeicher auf %1 ist nicht verschlüsselt: Was Programme im Arbeitsspeicher hielten, darunter der Inhalt von %2, kann dorthin geschrieben worden sein.</translation>
    </message>
    <message>
        <source>The hibernation image on %1 is not encrypted: what programs held in memory, the contents of %2 among them, may have been written there.</source>
        <translation>Das Ruhezustandsabbild auf %1 ist nicht verschlüsselt: Was Programme im Arbeitsspeicher hielten, darunter der Inhalt von %2, kann dorthin geschrieben worden sein.</translation>
    </message>
    <message>
        <source>files deleted earlier</source>
        <translation>früher gelöschten Dateien</translation>
    </message>
</context>
<context>
    <name>ShredRun</name>
    <message>
        <source>%1. Due to this error, shredding will be stopped.</source>
        <translation>%1. Wegen dieses Fehlers wird das Schreddern beendet.</translation>
    </message>
    <message>
        <source>empty: nothing to overwrite</source>
        <translation>leer: nichts zu überschreiben</translation>
    </message>
    <message numerus="yes">
        <source>stopped after %n pass(es)</source>
        <comment>stopped after %n pass(es)</comment>
        <translation>
            <numerusform>nach %n Durchgang angehalten</numerusform>
            <numerusform>nach %n Durchgängen angehalten</numerusform>
        </translation>
    </message>
    <message>
        <source>a special file: nothing to overwrite</source>
        <translation>eine Spezialdatei: nichts zu überschreiben</translation>
    </message>
    <message>
        <source>what it points to was not touched</source>
        <translation>ihr Ziel wurde nicht angetastet</translation>
    </message>
    <message>
        <source>Pass %1 of %2 · %3 of %4</source>
        <translation>Durchgang %1 von %2 · %3 von %4</translation>
    </message>
    <message>
        <source>Pass %1 of %2 · %3 of %4 · about %5 left</source>
        <translation>Durchgang %1 von %2 · %3 von %4 · noch etwa %5</translation>
    </message>
    <message>
        <source>File System Alert</source>
        <translation>Dateisystem-Warnung</translation>
    </message>
    <message>
        <source>Stop Shredding</source>
        <translation>Schreddern anhalten</translation>
    </message>
    <message>
        <source>You do not have permission to delete the file %1.</source>
        <translation>Sie haben keine Berechtigung, die Datei %1 zu löschen.</translation>
    </message>
    <message>
        <source>The folder %1 contains files you do not have permission to delete.</source>
        <translation>Der Ordner %1 enthält Dateien, die Sie nicht löschen dürfen.</translation>
    </message>
    <message>
        <source>%1 is a device: erase whole devices with the disk utility</source>
        <translation>%1 ist ein Gerät: Löschen Sie ganze Geräte mit der Laufwerksverwaltung</translation>
    </message>
    <message>
        <source>/ is the root of the file system: it is never shredded.</source>
        <translation>/ ist die Wurzel des Dateisystems: Sie wird nie geschreddert.</translation>
    </message>
    <message>
        <source>%1 ends in &quot;.&quot; or &quot;..&quot;, which is ambiguous: name the folder itself.</source>
        <translation>%1 endet auf ».« oder »..« und ist damit mehrdeutig: Geben Sie den Ordner selbst an.</translation>
    </message>
    <message>
        <source>%1 is your home folder, the root of the file system or a folder directly under it. If you proceed, everything in it will be shredded. Please confirm that you mean this folder.</source>
        <translation>%1 ist Ihr persönlicher Ordner, die Wurzel des Dateisystems oder ein Ordner direkt darunter. Wenn Sie fortfahren, wird alles darin geschreddert. Bitte bestätigen Sie, dass Sie diesen Ordner meinen.</translation>
    </message>
    <message>
        <source>%1 is on a read-only file system: nothing on it can be removed, so nothing is overwritten.</source>
        <translation>%1 liegt auf einem schreibgeschützten Dateisystem: Darauf kann nichts entfernt werden, daher wird nichts überschrieben.</translation>
    </message>
    <message>
        <source>%1 or its folder is marked immutable or append-only: it cannot be removed, so nothing is overwritten.</source>
        <translation>%1 oder sein Ordner ist als unveränderlich oder nur erweiterbar markiert: Es kann nicht entfernt werden, daher wird nichts überschrieben.</translation>
    </message>
    <message>
        <source>Shred Alert</source>
        <translation>Schredder-Warnung</translation>
    </message>
    <message>
        <source>Cancel Shredding</source>
        <translation>Schreddern abbrechen</translation>
    </message>
    <message>
        <source>If you proceed, you will be UNABLE to recover the shredded files. Please confirm that you wish to proceed.</source>
        <translation>Wenn Sie fortfahren, können Sie die geschredderten Dateien NICHT wiederherstellen. Bitte bestätigen Sie, dass Sie fortfahren möchten.</translation>
    </message>
    <message>
        <source>Shredding was interrupted</source>
        <translation>Das Schreddern wurde unterbrochen</translation>
    </message>
    <message>
        <source>Files have been shredded.</source>
        <translation>Die Dateien wurden geschreddert.</translation>
    </message>
    <message>
        <source>something in it stayed</source>
        <translation>etwas darin ist geblieben</translation>
    </message>
    <message>
        <source>its contents stay reachable through another name</source>
        <translation>sein Inhalt bleibt über einen anderen Namen erreichbar</translation>
    </message>
    <message>
        <source>its contents were overwritten under another name</source>
        <translation>sein Inhalt wurde unter einem anderen Namen überschrieben</translation>
    </message>
    <message>
        <source>(all files in package or folder)</source>
        <translation>(alle Dateien im Paket oder Ordner)</translation>
    </message>
    <message numerus="yes">
        <source>Not counted: %n folder(s) could not be read, the first %1 (%2)</source>
        <comment>Not counted: %n folder(s) could not be read, the first %1 (%2)</comment>
        <translation>
            <numerusform>Nicht gezählt: %n Ordner konnte nicht gelesen werden: %1 (%2)</numerusform>
            <numerusform>Nicht gezählt: %n Ordner konnten nicht gelesen werden, der erste %1 (%2)</numerusform>
        </translation>
    </message>
    <message>
        <source>No files were touched - shredding cancelled.</source>
        <translation>Keine Dateien wurden angetastet – Schreddern abgebrochen.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Proceed</source>
        <translation>Fortfahren</translation>
    </message>
    <message>
        <source>Shredding was interrupted in the first pass: this file is left partly overwritten</source>
        <translation>Das Schreddern wurde im ersten Durchgang unterbrochen: Diese Datei bleibt teilweise überschrieben zurück</translation>
    </message>
    <message>
        <source>Apple Format Utility</source>
        <translation>Apple-Formatierungsprogramm</translation>
    </message>
    <message>
        <source>Launch Disk Utility</source>
        <translation>Festplattendienstprogramm starten</translation>
    </message>
    <message>
        <source>its contents have another name</source>
        <translation>sein Inhalt hat einen anderen Namen</translation>
    </message>
</context>
<context>
    <name>Shredder</name>
    <message>
        <source>This function will launch the Apple &quot;Disk Utility&quot; for you. The Apple &quot;Disk Utility&quot; can be used to (re)format an entire disk volumes. 

Please refer to Apple documentation for details on required settings for erasing or formatting a disk volume. 

After launching the Apple &quot;Disk Utility&quot;, this application will quit.</source>
        <translation>Diese Funktion startet für Sie das »Festplattendienstprogramm« von Apple. Mit dem »Festplattendienstprogramm« von Apple lassen sich ganze Datenträger (neu) formatieren. 

Die nötigen Einstellungen zum Löschen oder Formatieren eines Datenträgers entnehmen Sie bitte der Dokumentation von Apple. 

Nach dem Start des »Festplattendienstprogramms« von Apple wird dieses Programm beendet.</translation>
    </message>
    <message>
        <source>Shred Folder &amp; Contents</source>
        <translation>Ordner &amp; Inhalt schreddern</translation>
    </message>
    <message>
        <source>Shred File</source>
        <translation>Datei schreddern</translation>
    </message>
    <message>
        <source>Select a folder to shred.</source>
        <translation>Wählen Sie einen Ordner zum Schreddern.</translation>
    </message>
    <message>
        <source>Select a file to shred.</source>
        <translation>Wählen Sie eine Datei zum Schreddern.</translation>
    </message>
    <message>
        <source>Shred</source>
        <translation>Schreddern</translation>
    </message>
    <message>
        <source>No such file or folder: nothing was touched.</source>
        <translation>Datei oder Ordner nicht gefunden: Nichts wurde angetastet.</translation>
    </message>
    <message>
        <source>Apple Format Utility</source>
        <translation>Apple-Formatierungsprogramm</translation>
    </message>
    <message>
        <source>Launch Disk Utility</source>
        <translation>Festplattendienstprogramm starten</translation>
    </message>
</context>
<context>
    <name>Storage</name>
    <message>
        <source>overwriting reaches the old data</source>
        <translation>das Überschreiben erreicht die alten Daten</translation>
    </message>
    <message>
        <source>overwriting may not reach all old copies</source>
        <translation>das Überschreiben erreicht womöglich nicht alle alten Kopien</translation>
    </message>
    <message>
        <source>overwriting cannot reach the old copies</source>
        <translation>das Überschreiben kann die alten Kopien nicht erreichen</translation>
    </message>
    <message>
        <source>overwriting is not needed: nothing is kept on a disk</source>
        <translation>Überschreiben ist nicht nötig: Nichts wird auf einem Datenträger gehalten</translation>
    </message>
    <message>
        <source>whether overwriting reaches the old data is unknown</source>
        <translation>ob das Überschreiben die alten Daten erreicht, ist unbekannt</translation>
    </message>
    <message>
        <source>Storage: %1</source>
        <translation>Speicher: %1</translation>
    </message>
    <message>
        <source>Storage (%1): %2</source>
        <translation>Speicher (%1): %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1; it is encrypted, so old copies cannot be read without its key</source>
        <translation>%1; er ist verschlüsselt, alte Kopien sind also ohne seinen Schlüssel nicht lesbar</translation>
    </message>
    <message>
        <source>the file system wipes removed names</source>
        <translation>das Dateisystem löscht entfernte Namen</translation>
    </message>
    <message>
        <source>renamed before removal</source>
        <translation>vor dem Entfernen umbenannt</translation>
    </message>
    <message>
        <source>writes in place on a spinning disk</source>
        <translation>schreibt an Ort und Stelle auf eine rotierende Festplatte</translation>
    </message>
    <message>
        <source>solid-state or flash: the device may keep old copies in blocks it has remapped</source>
        <translation>SSD oder Flash: Das Gerät kann alte Kopien in Blöcken behalten, die es umgelagert hat</translation>
    </message>
    <message>
        <source>a spinning disk that accepts discard: thin-provisioned or flash, it may keep old copies elsewhere</source>
        <translation>eine rotierende Festplatte, die Discard annimmt: Ob Thin Provisioning oder Flash, sie kann alte Kopien anderswo behalten</translation>
    </message>
    <message>
        <source>flash memory card</source>
        <translation>Flash-Speicherkarte</translation>
    </message>
    <message>
        <source>attached over %1; a flash drive writes elsewhere than it is told</source>
        <translation>angeschlossen über %1; ein Flash-Laufwerk schreibt woandershin als angewiesen</translation>
    </message>
    <message>
        <source>a removable medium; a flash card writes elsewhere than it is told</source>
        <translation>ein Wechselmedium; eine Flash-Karte schreibt woandershin als angewiesen</translation>
    </message>
    <message>
        <source>a virtual disk (%1), what lies beneath is not known</source>
        <translation>eine virtuelle Festplatte (%1), was darunter liegt, ist unbekannt</translation>
    </message>
    <message>
        <source>a network disk (%1): the server decides where the passes go</source>
        <translation>eine Netzwerkfestplatte (%1): Der Server entscheidet, wohin die Durchgänge gehen</translation>
    </message>
    <message>
        <source>held in memory: nothing of it reaches a disk</source>
        <translation>im Arbeitsspeicher gehalten: Nichts davon erreicht einen Datenträger</translation>
    </message>
    <message>
        <source>held in memory, but pages it wrote back to a disk stay there when overwritten</source>
        <translation>im Arbeitsspeicher gehalten, doch Seiten, die es auf einen Datenträger zurückgeschrieben hat, bleiben dort beim Überschreiben erhalten</translation>
    </message>
    <message>
        <source>a spinning disk attached through a controller not known to write in place</source>
        <translation>eine rotierende Festplatte an einem Controller, von dem nicht bekannt ist, dass er an Ort und Stelle schreibt</translation>
    </message>
    <message>
        <source>whether the disk spins could not be read</source>
        <translation>ob die Festplatte rotiert, ließ sich nicht lesen</translation>
    </message>
    <message>
        <source>whether the disk accepts discard could not be read</source>
        <translation>ob die Festplatte Discard annimmt, ließ sich nicht lesen</translation>
    </message>
    <message>
        <source>the device under it could not be found</source>
        <translation>das Gerät darunter wurde nicht gefunden</translation>
    </message>
    <message>
        <source>the devices beneath it go deeper than can be followed</source>
        <translation>die Geräte darunter reichen tiefer, als sich verfolgen lässt</translation>
    </message>
    <message>
        <source>a mapped device with nothing beneath it to follow</source>
        <translation>ein abgebildetes Gerät, unter dem nichts zu verfolgen ist</translation>
    </message>
    <message>
        <source>a loop device without a backing file</source>
        <translation>ein Loop-Gerät ohne zugrunde liegende Datei</translation>
    </message>
    <message>
        <source>its backing file is gone</source>
        <translation>seine zugrunde liegende Datei ist verschwunden</translation>
    </message>
    <message>
        <source>its backing file could not be examined</source>
        <translation>seine zugrunde liegende Datei ließ sich nicht untersuchen</translation>
    </message>
    <message>
        <source>%1 over %2</source>
        <translation>%1 über %2</translation>
    </message>
    <message>
        <source>%1, driver %2</source>
        <translation>%1, Treiber %2</translation>
    </message>
    <message>
        <source>%1 writing back to %2</source>
        <translation>%1, zurückschreibend auf %2</translation>
    </message>
    <message>
        <source>%1 backed by %2</source>
        <translation>%1, gestützt auf %2</translation>
    </message>
    <message>
        <source>%1 backed by the device %2</source>
        <translation>%1, gestützt auf das Gerät %2</translation>
    </message>
    <message>
        <source>%1, a file on %2</source>
        <translation>%1, eine Datei auf %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 auf %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>could not be examined (%1)</source>
        <translation>konnte nicht untersucht werden (%1)</translation>
    </message>
    <message>
        <source>copy-on-write: every pass goes to new blocks, and snapshots keep the old ones</source>
        <translation>Copy-on-Write: Jeder Durchgang geht in neue Blöcke, und Schnappschüsse behalten die alten</translation>
    </message>
    <message>
        <source>log-structured: every pass goes to new blocks, and the old ones stay until cleaned</source>
        <translation>log-strukturiert: Jeder Durchgang geht in neue Blöcke, und die alten bleiben bis zur Bereinigung</translation>
    </message>
    <message>
        <source>held in memory: nothing reaches a disk, though swap may hold some of its pages</source>
        <translation>im Arbeitsspeicher gehalten: Nichts erreicht einen Datenträger, doch der Auslagerungsspeicher kann einige seiner Seiten enthalten</translation>
    </message>
    <message>
        <source>held in memory: nothing reaches a disk</source>
        <translation>im Arbeitsspeicher gehalten: Nichts erreicht einen Datenträger</translation>
    </message>
    <message>
        <source>network file system: the server decides where the passes go</source>
        <translation>Netzwerkdateisystem: Der Server entscheidet, wohin die Durchgänge gehen</translation>
    </message>
    <message>
        <source>FUSE: the program behind it decides where the passes go</source>
        <translation>FUSE: Das Programm dahinter entscheidet, wohin die Durchgänge gehen</translation>
    </message>
    <message>
        <source>overlay: a file from the lower layer is copied up when changed, and the lower layer keeps the original</source>
        <translation>Overlay: Eine Datei der unteren Schicht wird bei einer Änderung nach oben kopiert, und die untere Schicht behält das Original</translation>
    </message>
    <message>
        <source>stacked on another file system, which decides where the passes go</source>
        <translation>auf ein anderes Dateisystem gestapelt, das entscheidet, wohin die Durchgänge gehen</translation>
    </message>
    <message>
        <source>read-only image: nothing in it can be overwritten</source>
        <translation>schreibgeschütztes Abbild: Nichts darin lässt sich überschreiben</translation>
    </message>
    <message>
        <source>unrecognised file system</source>
        <translation>unbekanntes Dateisystem</translation>
    </message>
    <message>
        <source>the device under it could not be identified</source>
        <translation>das Gerät darunter ließ sich nicht bestimmen</translation>
    </message>
    <message>
        <source>journaled data: the journal keeps copies of what was written</source>
        <translation>Daten im Journal: Das Journal behält Kopien des Geschriebenen</translation>
    </message>
    <message>
        <source>could not be examined</source>
        <translation>konnte nicht untersucht werden</translation>
    </message>
</context>
<context>
    <name>Terminal</name>
    <message>
        <source>--free-space needs a FOLDER</source>
        <translation>--free-space: ORDNER fehlt</translation>
    </message>
    <message>
        <source>--report needs a FILE</source>
        <translation>--report: DATEI fehlt</translation>
    </message>
    <message>
        <source>--operator needs a NAME</source>
        <translation>--operator: NAME fehlt</translation>
    </message>
    <message>
        <source>--mode needs a number</source>
        <translation>--mode: Zahl fehlt</translation>
    </message>
    <message>
        <source>-m needs a number</source>
        <translation>-m: Zahl fehlt</translation>
    </message>
    <message>
        <source>the option &apos;--%1&apos; takes no value</source>
        <translation>die Option »--%1« nimmt keinen Wert an</translation>
    </message>
    <message>
        <source>unknown option &apos;-%1&apos;</source>
        <translation>unbekannte Option »-%1«</translation>
    </message>
    <message>
        <source>the option &apos;%1&apos; is ambiguous</source>
        <translation>die Option »%1« ist mehrdeutig</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>unbekannte Option »%1«</translation>
    </message>
    <message>
        <source>the mode &apos;%1&apos; is not a number</source>
        <translation>der Modus »%1« ist keine Zahl</translation>
    </message>
    <message>
        <source>the mode must be 0, 1 or 2, not %1</source>
        <translation>der Modus muss 0, 1 oder 2 sein, nicht %1</translation>
    </message>
    <message>
        <source>the report &apos;%1&apos; must end in .pdf or .json</source>
        <translation>der Bericht »%1« muss auf .pdf oder .json enden</translation>
    </message>
    <message>
        <source>--free-space and --trash each go alone, without a PATH</source>
        <translation>--free-space und --trash stehen jeweils allein, ohne PFAD</translation>
    </message>
    <message>
        <source>no PATH to shred</source>
        <translation>kein PFAD zum Schreddern</translation>
    </message>
    <message>
        <source>not shredded, interrupted before its turn</source>
        <translation>nicht geschreddert, unterbrochen, bevor es an der Reihe war</translation>
    </message>
    <message>
        <source>No such file or folder</source>
        <translation>Datei oder Ordner nicht gefunden</translation>
    </message>
    <message>
        <source>interrupted; %1 items and %2 bytes were left in place</source>
        <translation>unterbrochen; %1 Objekte und %2 Bytes blieben unverändert an ihrem Platz</translation>
    </message>
    <message>
        <source>Trash</source>
        <translation>Papierkorb</translation>
    </message>
    <message numerus="yes">
        <source>%n name was removed while its contents stay reachable through another link: %1</source>
        <comment>%n names were removed while their contents stay reachable through another link: %1 and more</comment>
        <extracomment>%1 is the first of the names: the singular names it alone, the plural says there are more.</extracomment>
        <translation>
            <numerusform>%n Name wurde entfernt, während sein Inhalt über eine andere Verknüpfung erreichbar bleibt: %1</numerusform>
            <numerusform>%n Namen wurden entfernt, während ihr Inhalt über andere Verknüpfungen erreichbar bleibt: %1 und weitere</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the contents of %n name removed above were overwritten later, under another name given as a PATH</source>
        <comment>the contents of %n names removed above were overwritten later, under another name given as a PATH</comment>
        <translation>
            <numerusform>der Inhalt von %n oben entferntem Namen wurde später unter einem anderen als PFAD angegebenen Namen überschrieben</numerusform>
            <numerusform>der Inhalt von %n oben entfernten Namen wurde später unter einem anderen als PFAD angegebenen Namen überschrieben</numerusform>
        </translation>
    </message>
    <message>
        <source>Not shredded: %1 was not reached.</source>
        <translation>Nicht geschreddert: %1 wurde nicht erreicht.</translation>
    </message>
    <message>
        <source>the report was not written: %1</source>
        <translation>der Bericht wurde nicht geschrieben: %1</translation>
    </message>
    <message>
        <source>report written to %1</source>
        <translation>Bericht geschrieben nach %1</translation>
    </message>
    <message>
        <source>%1: %2 (try &apos;%1 --help&apos;)</source>
        <translation>%1: %2 (siehe »%1 --help«)</translation>
    </message>
    <message>
        <source>y</source>
        <extracomment>The answers to &quot;Proceed or Cancel? [y/N]&quot; that proceed; the English ones are taken too.</extracomment>
        <translation>j</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>proceed</source>
        <translation>fortfahren</translation>
    </message>
    <message numerus="yes">
        <source>%1 item</source>
        <comment>%1 items</comment>
        <extracomment>%1 is the count as the window shows it, with its group separators.</extracomment>
        <translation>
            <numerusform>%1 Objekt</numerusform>
            <numerusform>%1 Objekte</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>%1 übrig</translation>
    </message>
    <message>
        <source>No terminal to ask for confirmation (use --yes): Cancel</source>
        <translation>Kein Terminal, um nach Bestätigung zu fragen (--yes verwenden): Abbrechen</translation>
    </message>
    <message>
        <source>Proceed or Cancel? [y/N] </source>
        <extracomment>The confirmation&apos;s two buttons, and the answers it takes.</extracomment>
        <translation>Fortfahren oder Abbrechen? [j/N] </translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>Warnung: %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>An alert&apos;s title, then its message.</extracomment>
        <translation>%1: %2</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>%1, %2</source>
        <translation>%1, %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
    </message>
</context>
<context>
    <name>TrashRun</name>
    <message>
        <source>Shred Trash</source>
        <translation>Papierkorb schreddern</translation>
    </message>
    <message>
        <source>Shred everything in the trash? If you proceed, you will be UNABLE to recover the shredded files. Please confirm that you wish to proceed.</source>
        <translation>Alles im Papierkorb schreddern? Wenn Sie fortfahren, können Sie die geschredderten Dateien NICHT wiederherstellen. Bitte bestätigen Sie, dass Sie fortfahren möchten.</translation>
    </message>
    <message>
        <source>The trash is empty: nothing was shredded.</source>
        <translation>Der Papierkorb ist leer: Nichts wurde geschreddert.</translation>
    </message>
    <message>
        <source>The trash has been shredded.</source>
        <translation>Der Papierkorb wurde geschreddert.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: it could not be held open for the run.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: Der Ordner konnte für den Durchlauf nicht offen gehalten werden.</translation>
    </message>
    <message>
        <source>%1 was moved or replaced while the trash was shredded: the rest of the trash was left alone.</source>
        <translation>%1 wurde verschoben oder ersetzt, während der Papierkorb geschreddert wurde: Der Rest des Papierkorbs blieb unangetastet.</translation>
    </message>
    <message>
        <source>Not all of the trash was shredded: what stays, and why, is listed below.</source>
        <translation>Nicht der ganze Papierkorb wurde geschreddert: Was bleibt und warum, steht unten.</translation>
    </message>
    <message>
        <source>%1 was trashed from another file system (%2): moving it to the trash copied it, and the original&apos;s blocks lie in the free space there. Wipe Free Space on %3 reaches them.</source>
        <translation>%1 kam aus einem anderen Dateisystem in den Papierkorb (%2): Beim Verschieben wurde es kopiert, und die Blöcke des Originals liegen dort im freien Speicherplatz. »Freien Speicherplatz bereinigen« auf %3 erreicht sie.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: it is a link.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: Es ist eine symbolische Verknüpfung.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: %2 is a link.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: %2 ist eine symbolische Verknüpfung.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: it is not a folder.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: Es ist kein Ordner.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: %2 is not a folder.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: %2 ist kein Ordner.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: it is not owned by you.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: Es gehört nicht Ihnen.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: %2 is not owned by you.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: %2 gehört nicht Ihnen.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: others may write in it.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: Andere dürfen darin schreiben.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: others may write in %2.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: Andere dürfen in %2 schreiben.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: there is no sticky bit on it, so others may rename what is in it.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: Es hat kein Sticky-Bit, daher dürfen andere umbenennen, was darin liegt.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: there is no sticky bit on %2, so others may rename what is in it.</source>
        <translation>%1 wurde übergangen und nichts darin angetastet: %2 hat kein Sticky-Bit, daher dürfen andere umbenennen, was darin liegt.</translation>
    </message>
    <message numerus="yes">
        <source>The trash you may trust is empty, but %n trash folder was passed over: nothing was shredded.</source>
        <comment>The trash you may trust is empty, but %n trash folders were passed over: nothing was shredded.</comment>
        <translation>
            <numerusform>Der Papierkorb, dem Sie vertrauen können, ist leer, aber %n Papierkorb-Ordner wurde übergangen: Nichts wurde geschreddert.</numerusform>
            <numerusform>Der Papierkorb, dem Sie vertrauen können, ist leer, aber %n Papierkorb-Ordner wurden übergangen: Nichts wurde geschreddert.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The trash has been shredded, but %n trash folder was passed over.</source>
        <comment>The trash has been shredded, but %n trash folders were passed over.</comment>
        <translation>
            <numerusform>Der Papierkorb wurde geschreddert, aber %n Papierkorb-Ordner wurde übergangen.</numerusform>
            <numerusform>Der Papierkorb wurde geschreddert, aber %n Papierkorb-Ordner wurden übergangen.</numerusform>
        </translation>
    </message>
    <message>
        <source>the trash</source>
        <translation>der Papierkorb</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n item, %2</source>
        <comment>%1: %n items, %2</comment>
        <translation>
            <numerusform>%1: %n Objekt, %2</numerusform>
            <numerusform>%1: %n Objekte, %2</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>Mode: %1</source>
        <translation>Modus: %1</translation>
    </message>
    <message>
        <source>it was moved or replaced while the trash was shredded: nothing more of it was touched</source>
        <translation>wurde während des Schredderns des Papierkorbs verschoben oder ersetzt: Nichts weiter davon wurde angetastet</translation>
    </message>
    <message>
        <source>it may not be removed: nothing of it was touched</source>
        <translation>darf nicht entfernt werden: Nichts davon wurde angetastet</translation>
    </message>
    <message>
        <source>it has another name, or is no regular file</source>
        <translation>hat einen weiteren Namen oder ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>its lines for the items shredded stay (%1)</source>
        <translation>seine Zeilen zu den geschredderten Objekten bleiben (%1)</translation>
    </message>
    <message>
        <source>its old copy, with the lines of the items shredded, was not overwritten (%1)</source>
        <translation>seine alte Kopie mit den Zeilen der geschredderten Objekte wurde nicht überschrieben (%1)</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>Overwriting will not reach everything: see the details</source>
        <translation>Überschreiben erreicht nicht alles: siehe Details</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Shred</source>
        <translation>Schreddern</translation>
    </message>
    <message>
        <source>Wipe Free Space</source>
        <translation>Freien Speicherplatz bereinigen</translation>
    </message>
    <message>
        <source>Shred Trash</source>
        <translation>Papierkorb schreddern</translation>
    </message>
    <message numerus="yes">
        <source>%n waiting</source>
        <translation>
            <numerusform>%n wartend</numerusform>
            <numerusform>%n wartend</numerusform>
        </translation>
    </message>
    <message>
        <source>A shred is running. Stop it and quit?</source>
        <translation>Ein Schreddervorgang läuft. Anhalten und beenden?</translation>
    </message>
    <message>
        <source>Stop and Quit</source>
        <translation>Anhalten und beenden</translation>
    </message>
    <message>
        <source>Keep Shredding</source>
        <translation>Weiter schreddern</translation>
    </message>
    <message>
        <source>asks before shredding</source>
        <translation>fragt vor dem Schreddern</translation>
    </message>
    <message>
        <source>shreds without asking</source>
        <translation>schreddert ohne Rückfrage</translation>
    </message>
    <message>
        <source>logged</source>
        <translation>protokolliert</translation>
    </message>
    <message>
        <source>not logged</source>
        <translation>nicht protokolliert</translation>
    </message>
    <message>
        <source>verifies the last pass</source>
        <translation>prüft den letzten Durchgang</translation>
    </message>
    <message>
        <source>Save Report</source>
        <translation>Bericht speichern</translation>
    </message>
    <message>
        <source>The report was not written: %1</source>
        <translation>Der Bericht wurde nicht geschrieben: %1</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>PDF, with its JSON beside it (*.pdf)</source>
        <translation>PDF, mit dem JSON daneben (*.pdf)</translation>
    </message>
    <message>
        <source>Folder for Reports</source>
        <translation>Ordner für Berichte</translation>
    </message>
    <message>
        <source>Operator Name</source>
        <translation>Name des Bedieners</translation>
    </message>
    <message>
        <source>The name reports give as the person who ran them (leave it empty for none):</source>
        <translation>Der Name, den Berichte als die Person nennen, die sie ausgeführt hat (leer lassen für keinen):</translation>
    </message>
</context>
<context>
    <name>WipeRun</name>
    <message>
        <source>Wipe Free Space</source>
        <translation>Freien Speicherplatz bereinigen</translation>
    </message>
    <message>
        <source>Wipe the free space of the file system mounted at %1? Its free space is filled with random bytes and then given back at once. Programs that write to this file system may fail until the wipe ends.</source>
        <translation>Den freien Speicherplatz des unter %1 eingehängten Dateisystems bereinigen? Sein freier Speicherplatz wird mit Zufallsbytes gefüllt und dann sofort wieder freigegeben. Programme, die auf dieses Dateisystem schreiben, können bis zum Ende der Bereinigung fehlschlagen.</translation>
    </message>
    <message>
        <source>Wipe cancelled: nothing was filled (the short write that measured the disk was given back at once).</source>
        <translation>Bereinigung abgebrochen: Nichts wurde gefüllt (der kurze Schreibtest, der den Datenträger gemessen hat, wurde sofort wieder freigegeben).</translation>
    </message>
    <message>
        <source>Free space has been wiped.</source>
        <translation>Der freie Speicherplatz wurde bereinigt.</translation>
    </message>
    <message>
        <source>The wipe was stopped: the space it filled is free again.</source>
        <translation>Die Bereinigung wurde angehalten: Der gefüllte Platz ist wieder frei.</translation>
    </message>
    <message>
        <source>%1 could not be examined: %2.</source>
        <translation>%1 konnte nicht untersucht werden: %2.</translation>
    </message>
    <message>
        <source>%1 is on a memory file system (%2): nothing of it reaches a disk, so there is no free space to wipe.</source>
        <translation>%1 liegt auf einem Dateisystem im Arbeitsspeicher (%2): Nichts davon erreicht einen Datenträger, daher gibt es keinen freien Speicherplatz zu bereinigen.</translation>
    </message>
    <message>
        <source>%1 is on a network file system (%2): its free space lies on another machine, which decides what a write reaches. It is not wiped.</source>
        <translation>%1 liegt auf einem Netzwerkdateisystem (%2): Sein freier Speicherplatz liegt auf einem anderen Rechner, der entscheidet, was ein Schreibvorgang erreicht. Er wird nicht bereinigt.</translation>
    </message>
    <message>
        <source>%1 is on a read-only file system: its free space cannot be written.</source>
        <translation>%1 liegt auf einem schreibgeschützten Dateisystem: Sein freier Speicherplatz kann nicht beschrieben werden.</translation>
    </message>
    <message>
        <source>You may not write in %1: choose a folder of your own on that file system.</source>
        <translation>Sie dürfen in %1 nicht schreiben: Wählen Sie einen eigenen Ordner auf diesem Dateisystem.</translation>
    </message>
    <message>
        <source>Not reached: %1 reserved for root (run as root to wipe it too)</source>
        <translation>Nicht erreicht: %1, für root reserviert (als root ausführen, um auch diesen Platz zu bereinigen)</translation>
    </message>
    <message>
        <source>Not reached: %1 that %2 keeps for itself, where no file may go; on an unmounted or read-only ext4 file system, zerofree reaches it</source>
        <translation>Nicht erreicht: %1, die %2 für sich selbst behält und wo keine Datei hin darf; auf einem nicht eingehängten oder schreibgeschützten ext4-Dateisystem erreicht zerofree sie</translation>
    </message>
    <message>
        <source>Not reached: %1 that %2 keeps for itself, where no file may go</source>
        <translation>Nicht erreicht: %1, die %2 für sich selbst behält und wo keine Datei hin darf</translation>
    </message>
    <message>
        <source>Not reached: blocks that %1 keeps back for itself (its reserve pool and a few in each allocation group), which only root can count</source>
        <translation>Nicht erreicht: Blöcke, die %1 für sich selbst zurückhält (seine Reserve und einige in jeder Zuweisungsgruppe) und die nur root zählen kann</translation>
    </message>
    <message>
        <source>Reached by filling again: what %1 keeps for itself now lies on %2 the fill had written; it let go of them and filled again</source>
        <translation>Durch erneutes Füllen erreicht: Was %1 für sich selbst behält, liegt nun auf %2, die das Füllen geschrieben hatte; es gab sie frei und füllte erneut</translation>
    </message>
    <message>
        <source>Not reached: blocks that snapshots of this file system still hold</source>
        <translation>Nicht erreicht: Blöcke, die Schnappschüsse dieses Dateisystems noch belegen</translation>
    </message>
    <message>
        <source>Not reached: on flash or virtual disks, blocks the device keeps elsewhere (%1)</source>
        <translation>Nicht erreicht: auf Flash- oder virtuellen Datenträgern die Blöcke, die das Gerät anderswo aufbewahrt (%1)</translation>
    </message>
    <message>
        <source>Free space has been wiped except what %1 keeps for itself, which only root can count.</source>
        <translation>Der freie Speicherplatz wurde bereinigt, außer dem, was %1 für sich selbst behält und nur root zählen kann.</translation>
    </message>
    <message>
        <source>Free space has been wiped except %1: %2 that %3 keeps for itself and %4 reserved for root.</source>
        <translation>Der freie Speicherplatz wurde bereinigt, außer %1: %2, die %3 für sich selbst behält, und %4, für root reserviert.</translation>
    </message>
    <message>
        <source>Free space has been wiped except %1 that %2 keeps for itself.</source>
        <translation>Der freie Speicherplatz wurde bereinigt, außer %1, die %2 für sich selbst behält.</translation>
    </message>
    <message>
        <source>Free space has been wiped except %1 reserved for root.</source>
        <translation>Der freie Speicherplatz wurde bereinigt, außer %1, für root reserviert.</translation>
    </message>
    <message>
        <source>File system: %1 mounted at %2 from %3</source>
        <translation>Dateisystem: %1, eingehängt unter %2, von %3</translation>
    </message>
    <message>
        <source>The device was asked to discard the free blocks (FITRIM): a request to the device, not a proof that it did</source>
        <translation>Das Gerät wurde gebeten, die freien Blöcke zu verwerfen (FITRIM): eine Bitte an das Gerät, kein Beweis, dass es das getan hat</translation>
    </message>
    <message>
        <source>The device was not asked to discard the free blocks: only root may ask</source>
        <translation>Das Gerät wurde nicht gebeten, die freien Blöcke zu verwerfen: Nur root darf darum bitten</translation>
    </message>
    <message>
        <source>The device was not asked to discard the free blocks: it does not accept discard</source>
        <translation>Das Gerät wurde nicht gebeten, die freien Blöcke zu verwerfen: Es nimmt kein Discard an</translation>
    </message>
    <message>
        <source>The device could not be asked to discard the free blocks (%1)</source>
        <translation>Das Gerät konnte nicht gebeten werden, die freien Blöcke zu verwerfen (%1)</translation>
    </message>
    <message>
        <source>Free space of %1 (%2)</source>
        <translation>Freier Speicherplatz von %1 (%2)</translation>
    </message>
    <message>
        <source>Measuring how fast the disk takes writes...</source>
        <translation>Es wird gemessen, wie schnell der Datenträger Schreibvorgänge annimmt …</translation>
    </message>
    <message>
        <source>Nothing was written: %1</source>
        <translation>Nichts wurde geschrieben: %1</translation>
    </message>
    <message>
        <source>Free space: %1</source>
        <translation>Freier Speicherplatz: %1</translation>
    </message>
    <message>
        <source>Estimated time: about %1 (a short write ran at %2)</source>
        <translation>Geschätzte Dauer: etwa %1 (ein kurzer Schreibtest lief mit %2)</translation>
    </message>
    <message>
        <source>The wipe failed (%1): the space it filled is free again.</source>
        <translation>Die Bereinigung ist fehlgeschlagen (%1): Der gefüllte Platz ist wieder frei.</translation>
    </message>
    <message>
        <source>%1 %2 written.</source>
        <translation>%1 %2 geschrieben.</translation>
    </message>
    <message>
        <source>Written: %1 of random bytes in %2 (%3)</source>
        <translation>Geschrieben: %1 Zufallsbytes in %2 (%3)</translation>
    </message>
    <message>
        <source>Written: %1 of random bytes in %2</source>
        <translation>Geschrieben: %1 Zufallsbytes in %2</translation>
    </message>
    <message>
        <source>Given back: the fill&apos;s files had names in a private folder, all removed, and were let go %1 after the last write</source>
        <translation>Freigegeben: Die Fülldateien hatten Namen in einem privaten Ordner, die alle entfernt wurden, und wurden %1 nach dem letzten Schreibvorgang losgelassen</translation>
    </message>
    <message>
        <source>Given back: the fill&apos;s files never had names, and were let go %1 after the last write</source>
        <translation>Freigegeben: Die Fülldateien hatten nie Namen und wurden %1 nach dem letzten Schreibvorgang losgelassen</translation>
    </message>
    <message>
        <source>Inodes made anew: %1 (this file system keeps small files&apos; data in inodes)</source>
        <translation>Neu angelegte Inodes: %1 (dieses Dateisystem speichert die Daten kleiner Dateien in Inodes)</translation>
    </message>
    <message>
        <source>1 pass of random bytes (a ChaCha20 stream keyed from /dev/urandom) into files without names that fill the free space, synced to the disk, then let go</source>
        <translation>1 Durchgang mit Zufallsbytes (ein ChaCha20-Strom mit Schlüssel aus /dev/urandom) in namenlose Dateien, die den freien Speicherplatz füllen, auf den Datenträger synchronisiert und dann losgelassen</translation>
    </message>
    <message>
        <source>not read back: the space is given back as soon as it is written</source>
        <translation>nicht zurückgelesen: Der Platz wird freigegeben, sobald er geschrieben ist</translation>
    </message>
    <message>
        <source>Writing %1 at %2, about %3 left</source>
        <translation>Schreibe %1 mit %2, noch etwa %3</translation>
    </message>
    <message>
        <source>Select a folder on the file system whose free space is to be wiped.</source>
        <translation>Wählen Sie einen Ordner auf dem Dateisystem, dessen freier Speicherplatz bereinigt werden soll.</translation>
    </message>
    <message>
        <source>Wipe</source>
        <translation>Bereinigen</translation>
    </message>
</context>
<context>
    <name>zurizede-cli</name>
    <message>
        <source>Usage: zurizede-cli [OPTION]... PATH...
  or:  zurizede-cli [OPTION]... --free-space FOLDER
  or:  zurizede-cli [OPTION]... --trash
Overwrite each file, and every file inside each folder, in place, then remove it.

      --free-space FOLDER  fill the free space of the file system holding FOLDER
                 with random bytes, then give it back at once: this reaches what
                 earlier deletes and copy-on-write left in free blocks
      --trash    shred every item in your trash folders, and their records
      --report FILE  write a report of the run to FILE: PDF for .pdf (with its
                 JSON beside it), JSON for .json; may be given more than once
      --operator NAME  the person named in the report as having run it
  -m, --mode N   shred mode of this run: 0 one pass of random bytes, 1 four
                 pattern passes, 2 eleven pattern passes (default: the shredMode
                 setting)
  -y, --yes      answer &quot;Proceed&quot; to the confirmation
      --confirm  ask for confirmation even if the shredWarning setting is off
      --log      log each shred even if the shredLogging setting is off
      --verify   read the last pass of every file back from the device and keep
                 any file that does not read back as written
  -q, --quiet    no status line, no warnings, and no success messages or account
                 unless a run fell short
  -h, --help     show this help and exit
      --version  show the version and exit

Options may also follow the paths. After --, every argument is a PATH; a lone -
is the file named -.
Without a terminal and without --yes, a confirmation is answered &quot;Cancel&quot;.
Exit status: 0 when every PATH was shredded, with the contents of every regular file
overwritten; 1 when any was not; 2 for bad usage.
</source>
        <translation>Aufruf: zurizede-cli [OPTION]... PFAD...
  oder: zurizede-cli [OPTION]... --free-space ORDNER
  oder: zurizede-cli [OPTION]... --trash
Jede Datei und jede Datei in jedem Ordner an Ort und Stelle überschreiben, dann
entfernen.

      --free-space ORDNER  den freien Speicherplatz des Dateisystems, auf dem
                 ORDNER liegt, mit Zufallsbytes füllen und gleich wieder
                 freigeben: das erreicht, was frühere Löschvorgänge und
                 Copy-on-Write in freien Blöcken hinterlassen haben
      --trash    jedes Objekt in Ihren Papierkorb-Ordnern schreddern, samt den
                 zugehörigen Einträgen
      --report DATEI  einen Bericht über den Durchlauf in DATEI schreiben: PDF
                 für .pdf (mit dem JSON daneben), JSON für .json; darf mehrmals
                 angegeben werden
      --operator NAME  die Person, die der Bericht als Ausführende nennt
  -m, --mode N   Schreddermodus dieses Durchlaufs: 0 ein Durchgang mit
                 Zufallsbytes, 1 vier Durchgänge mit Mustern, 2 elf Durchgänge
                 mit Mustern (Vorgabe: die Einstellung shredMode)
  -y, --yes      die Bestätigung mit »Fortfahren« beantworten
      --confirm  um Bestätigung bitten, auch wenn die Einstellung shredWarning
                 aus ist
      --log      jedes Schreddern protokollieren, auch wenn die Einstellung
                 shredLogging aus ist
      --verify   den letzten Durchgang jeder Datei vom Gerät zurücklesen und
                 jede Datei behalten, die sich nicht wie geschrieben zurücklesen
                 lässt
  -q, --quiet    keine Statuszeile, keine Warnungen und weder Erfolgsmeldungen
                 noch Bilanz, außer wenn ein Durchlauf unvollständig blieb
  -h, --help     diese Hilfe anzeigen und beenden
      --version  die Version anzeigen und beenden

Optionen dürfen auch nach den Pfaden stehen. Nach -- ist jedes Argument ein
PFAD; ein einzelnes - ist die Datei namens -.
Ohne Terminal und ohne --yes wird eine Bestätigung mit »Abbrechen« beantwortet.
Exit-Status: 0, wenn jeder PFAD geschreddert und dabei der Inhalt jeder
regulären Datei überschrieben wurde; 1, wenn nicht; 2 bei falschem Aufruf.
</translation>
    </message>
</context>
</TS>
