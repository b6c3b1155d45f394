<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>MainWindow</name>
    <message>
        <source>ORBA Zurizede</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drop area</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shredder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Drop files or folders here to shred them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Fi&amp;les…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Choose Fol&amp;der…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Progress</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Stop shredding (Esc)</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;older:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Folder</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F&amp;ile:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>S&amp;tatus:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Status</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Left to shred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ite&amp;ms:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected items</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Items left to shred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Lin&amp;ks:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected links</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Links left to shred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Bytes:</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Selected bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Bytes left to shred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Account of the last run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>D&amp;etails…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>What the last run overwrote, removed and kept, and what overwriting cannot reach</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save &amp;Report…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>A report of the last run to keep, as PDF or JSON</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The settings of the next shred: click to change them</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shred &amp;File…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shred F&amp;older &amp;&amp; Contents…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Shift+O</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Wipe Free Space…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Fill the free space of a file system with random bytes, then give it back: this reaches what earlier deletes and copy-on-write left behind</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shred &amp;Trash…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Shred every item in your trash folders, and their records</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Esc</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Disk Utility…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;1 pass of random bytes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;4 passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>11 &amp;passes</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Ask for &amp;confirmation</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Log each shred</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Verify the last pass</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Save a &amp;report after every run</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Operator Name…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>The person reports name as having run the shreds</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>ORBA Zurizede &amp;Help</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>F1</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>Support &amp;E-mail…</source>
        <translation type="unfinished"></translation>
    </message>
    <message>
        <source>&amp;Web Site…</source>
        <translation type="unfinished"></translation>
    </message>
</context>
<context>
    <name>ZurizedeShell</name>
    <message numerus="yes">
        <source>%n waiting</source>
        <translation type="unfinished">
            <numerusform></numerusform>
            <numerusform></numerusform>
        </translation>
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
        <translation type="unfinished"></translation>
    </message>
</context>
</TS>
