<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
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
            <numerusform>%n Name wurde entfernt, während sein Inhalt über einen anderen Link erreichbar bleibt: %1</numerusform>
            <numerusform>%n Namen wurden entfernt, während ihr Inhalt über andere Links erreichbar bleibt: %1 und weitere</numerusform>
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
        <source>%1 and %2</source>
        <translation>%1 und %2</translation>
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
