<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
<context>
    <name>Account</name>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <comment>%1 and %n more</comment>
        <translation>
            <numerusform>%1 et %n autre</numerusform>
            <numerusform>%1 et %n autres</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n file that appeared</source>
        <comment>%n files that appeared</comment>
        <translation>
            <numerusform>%n fichier apparu</numerusform>
            <numerusform>%n fichiers apparus</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 that files grew</source>
        <translation>%1 dont des fichiers ont grossi</translation>
    </message>
    <message>
        <source>Not in the count: %1 and %2 after it was taken</source>
        <translation>Hors du décompte : %1 et %2 après le comptage</translation>
    </message>
    <message>
        <source>Not in the count: %1 after it was taken</source>
        <translation>Hors du décompte : %1 après le comptage</translation>
    </message>
    <message>
        <source>4 passes</source>
        <translation>4 passes</translation>
    </message>
    <message>
        <source>11 passes</source>
        <translation>11 passes</translation>
    </message>
    <message>
        <source>1 pass of random bytes</source>
        <translation>1 passe d&apos;octets aléatoires</translation>
    </message>
    <message>
        <source>Is a mount point: nothing in it was touched</source>
        <translation>Est un point de montage : rien n&apos;y a été touché</translation>
    </message>
    <message>
        <source>Left untouched: it could not be removed afterwards (%1)</source>
        <translation>Laissé intact : impossible de le supprimer ensuite (%1)</translation>
    </message>
    <message>
        <source>it or its folder is marked immutable or append-only</source>
        <translation>lui ou son dossier est marqué immuable ou en ajout seul</translation>
    </message>
    <message>
        <source>Could not examine the item (%1)</source>
        <translation>Impossible d&apos;examiner l&apos;élément (%1)</translation>
    </message>
    <message>
        <source>Could not overwrite the file (%1)</source>
        <translation>Impossible d&apos;écraser le fichier (%1)</translation>
    </message>
    <message>
        <source>Could not overwrite the file: the random device %1 could not be opened (%2)</source>
        <translation>Impossible d&apos;écraser le fichier : le générateur aléatoire %1 n&apos;a pas pu être ouvert (%2)</translation>
    </message>
    <message>
        <source>The file kept growing while it was being overwritten</source>
        <translation>Le fichier a continué de grossir pendant qu&apos;il était écrasé</translation>
    </message>
    <message>
        <source>The last pass could not be read back (%1): the file is kept</source>
        <translation>La dernière passe n&apos;a pas pu être relue (%1) : le fichier est conservé</translation>
    </message>
    <message>
        <source>The last pass read back differently from what was written: the file is kept</source>
        <translation>La dernière passe relue diffère de ce qui a été écrit : le fichier est conservé</translation>
    </message>
    <message numerus="yes">
        <source>%n file also has names outside the selection: %1. Those names are removed here, and the contents stay on the disk under the others (hard links)</source>
        <comment>%n files also have names outside the selection: %1. Those names are removed here, and the contents stay on the disk under the others (hard links)</comment>
        <translation>
            <numerusform>%n fichier a aussi des noms hors de la sélection : %1. Ces noms sont supprimés ici, et le contenu reste sur le disque sous les autres (liens physiques)</numerusform>
            <numerusform>%n fichiers ont aussi des noms hors de la sélection : %1. Ces noms sont supprimés ici, et les contenus restent sur le disque sous les autres (liens physiques)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n symbolic link is removed; what it points to is left alone</source>
        <comment>%n symbolic links are removed; what they point to is left alone</comment>
        <translation>
            <numerusform>%n lien symbolique est supprimé ; sa cible reste intacte</numerusform>
            <numerusform>%n liens symboliques sont supprimés ; leurs cibles restent intactes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n special file (device, pipe or socket) is removed; nothing in it is overwritten</source>
        <comment>%n special files (devices, pipes or sockets) are removed; nothing in them is overwritten</comment>
        <translation>
            <numerusform>%n fichier spécial (périphérique, tube ou socket) est supprimé ; rien de son contenu n&apos;est écrasé</numerusform>
            <numerusform>%n fichiers spéciaux (périphériques, tubes ou sockets) sont supprimés ; rien de leur contenu n&apos;est écrasé</numerusform>
        </translation>
    </message>
    <message>
        <source>What: %1</source>
        <translation>Quoi : %1</translation>
    </message>
    <message>
        <source>What: the empty folder %1</source>
        <translation>Quoi : le dossier vide %1</translation>
    </message>
    <message>
        <source>What: the folder %1 with %2</source>
        <translation>Quoi : le dossier %1 avec %2</translation>
    </message>
    <message numerus="yes">
        <source>%n item</source>
        <comment>%n items</comment>
        <translation>
            <numerusform>%n élément</numerusform>
            <numerusform>%n éléments</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 (%n symbolic link)</source>
        <comment>%1 (%n symbolic links)</comment>
        <translation>
            <numerusform>%1 (%n lien symbolique)</numerusform>
            <numerusform>%1 (%n liens symboliques)</numerusform>
        </translation>
    </message>
    <message>
        <source>How much: %1, %2</source>
        <translation>Combien : %1, %2</translation>
    </message>
    <message>
        <source>How: %1, the last one read back</source>
        <translation>Comment : %1, la dernière étant relue</translation>
    </message>
    <message>
        <source>How: %1</source>
        <translation>Comment : %1</translation>
    </message>
    <message>
        <source>Nothing was touched.</source>
        <translation>Rien n&apos;a été touché.</translation>
    </message>
    <message numerus="yes">
        <source>%n file overwritten (%1, %2)</source>
        <comment>%n files overwritten (%1, %2)</comment>
        <translation>
            <numerusform>%n fichier écrasé (%1, %2)</numerusform>
            <numerusform>%n fichiers écrasés (%1, %2)</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n verified</source>
        <comment>%n verified</comment>
        <translation>
            <numerusform>%n vérifié</numerusform>
            <numerusform>%n vérifiés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n name removed, contents still on the disk</source>
        <comment>%n names removed, contents still on the disk</comment>
        <translation>
            <numerusform>%n nom supprimé, contenu encore sur le disque</numerusform>
            <numerusform>%n noms supprimés, contenus encore sur le disque</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n link removed, targets untouched</source>
        <comment>%n links removed, targets untouched</comment>
        <translation>
            <numerusform>%n lien supprimé, cible intacte</numerusform>
            <numerusform>%n liens supprimés, cibles intactes</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n special file removed</source>
        <comment>%n special files removed</comment>
        <translation>
            <numerusform>%n fichier spécial supprimé</numerusform>
            <numerusform>%n fichiers spéciaux supprimés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n item kept</source>
        <comment>%n items kept</comment>
        <translation>
            <numerusform>%n élément conservé</numerusform>
            <numerusform>%n éléments conservés</numerusform>
        </translation>
    </message>
    <message>
        <source>see the storage note</source>
        <translation>voir la note sur le stockage</translation>
    </message>
    <message numerus="yes">
        <source>Overwritten: %n file, %1, %2 each</source>
        <comment>Overwritten: %n files, %1, %2 each</comment>
        <translation>
            <numerusform>Écrasé : %n fichier, %1, %2 par fichier</numerusform>
            <numerusform>Écrasés : %n fichiers, %1, %2 par fichier</numerusform>
        </translation>
    </message>
    <message>
        <source>Verified: %1 of %2 files read back from the device as the last pass wrote them</source>
        <translation>Vérifiés : %1 fichiers sur %2 relus depuis le périphérique tels que la dernière passe les a écrits</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message numerus="yes">
        <source>%1: and %n more</source>
        <comment>%1: and %n more</comment>
        <translation>
            <numerusform>%1 : et %n autre</numerusform>
            <numerusform>%1 : et %n autres</numerusform>
        </translation>
    </message>
    <message>
        <source>Removed after fewer passes than chosen, when the run was stopped</source>
        <translation>Supprimé après moins de passes que choisi, à l&apos;arrêt de l&apos;opération</translation>
    </message>
    <message>
        <source>Removed, but its contents stay on the disk under another name (hard link)</source>
        <translation>Supprimé, mais son contenu reste sur le disque sous un autre nom (lien physique)</translation>
    </message>
    <message>
        <source>Removed; what it points to was not touched (symbolic link)</source>
        <translation>Supprimé ; sa cible n&apos;a pas été touchée (lien symbolique)</translation>
    </message>
    <message>
        <source>Removed; nothing in it was overwritten (device, pipe or socket)</source>
        <translation>Supprimé ; rien de son contenu n&apos;a été écrasé (périphérique, tube ou socket)</translation>
    </message>
    <message>
        <source>Kept: %1: %2</source>
        <translation>Conservé : %1 : %2</translation>
    </message>
    <message>
        <source>%1: names: %2</source>
        <translation>%1 : noms : %2</translation>
    </message>
    <message>
        <source>Names: %1</source>
        <translation>Noms : %1</translation>
    </message>
    <message>
        <source>Names (%1): %2</source>
        <translation>Noms (%1) : %2</translation>
    </message>
</context>
<context>
    <name>Bytes</name>
    <message>
        <source>kB</source>
        <translation>ko</translation>
    </message>
    <message>
        <source>MB</source>
        <translation>Mo</translation>
    </message>
    <message>
        <source>GB</source>
        <translation>Go</translation>
    </message>
    <message>
        <source>TB</source>
        <translation>To</translation>
    </message>
    <message>
        <source>PB</source>
        <translation>Po</translation>
    </message>
    <message>
        <source>EB</source>
        <translation>Eo</translation>
    </message>
    <message numerus="yes">
        <source>%n byte</source>
        <comment>%n bytes</comment>
        <translation>
            <numerusform>%n octet</numerusform>
            <numerusform>%n octets</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 (%2 bytes)</source>
        <translation>%1 (%2 octets)</translation>
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
        <translation>Zone de dépôt</translation>
    </message>
    <message>
        <source>Shredder</source>
        <translation>Broyeur</translation>
    </message>
    <message>
        <source>Drop files or folders here to shred them</source>
        <translation>Déposez ici des fichiers ou des dossiers pour les broyer</translation>
    </message>
    <message>
        <source>Choose Fi&amp;les…</source>
        <translation>Choisir des fic&amp;hiers…</translation>
    </message>
    <message>
        <source>Choose Fol&amp;der…</source>
        <translation>Choisir un &amp;dossier…</translation>
    </message>
    <message>
        <source>Progress</source>
        <translation>Progression</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Arrêter</translation>
    </message>
    <message>
        <source>Stop shredding (Esc)</source>
        <translation>Arrêter le broyage (Échap)</translation>
    </message>
    <message>
        <source>F&amp;older:</source>
        <translation>D&amp;ossier :</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dossier</translation>
    </message>
    <message>
        <source>F&amp;ile:</source>
        <translation>F&amp;ichier :</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>S&amp;tatus:</source>
        <translation>É&amp;tat :</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Selected</source>
        <translation>Sélection</translation>
    </message>
    <message>
        <source>Left to shred</source>
        <translation>Reste à broyer</translation>
    </message>
    <message>
        <source>Ite&amp;ms:</source>
        <translation>Élé&amp;ments :</translation>
    </message>
    <message>
        <source>Selected items</source>
        <translation>Éléments sélectionnés</translation>
    </message>
    <message>
        <source>Items left to shred</source>
        <translation>Éléments restant à broyer</translation>
    </message>
    <message>
        <source>Lin&amp;ks:</source>
        <translation>&amp;Liens :</translation>
    </message>
    <message>
        <source>Selected links</source>
        <translation>Liens sélectionnés</translation>
    </message>
    <message>
        <source>Links left to shred</source>
        <translation>Liens restant à broyer</translation>
    </message>
    <message>
        <source>&amp;Bytes:</source>
        <translation>O&amp;ctets :</translation>
    </message>
    <message>
        <source>Selected bytes</source>
        <translation>Octets sélectionnés</translation>
    </message>
    <message>
        <source>Bytes left to shred</source>
        <translation>Octets restant à broyer</translation>
    </message>
    <message>
        <source>Account of the last run</source>
        <translation>Bilan de la dernière opération</translation>
    </message>
    <message>
        <source>D&amp;etails…</source>
        <translation>Détail&amp;s…</translation>
    </message>
    <message>
        <source>What the last run overwrote, removed and kept, and what overwriting cannot reach</source>
        <translation>Ce que la dernière opération a écrasé, supprimé et conservé, et ce que l&apos;écrasement ne peut atteindre</translation>
    </message>
    <message>
        <source>Save &amp;Report…</source>
        <translation>Enregistrer le &amp;rapport…</translation>
    </message>
    <message>
        <source>A report of the last run to keep, as PDF or JSON</source>
        <translation>Un rapport de la dernière opération à conserver, en PDF ou en JSON</translation>
    </message>
    <message>
        <source>The settings of the next shred: click to change them</source>
        <translation>Les réglages du prochain broyage : cliquez pour les modifier</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Paramètres</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Aide</translation>
    </message>
    <message>
        <source>Shred &amp;File…</source>
        <translation>Broyer un &amp;fichier…</translation>
    </message>
    <message>
        <source>Ctrl+O</source>
        <translation>Ctrl+O</translation>
    </message>
    <message>
        <source>Shred F&amp;older &amp;&amp; Contents…</source>
        <translation>Broyer un &amp;dossier et son contenu…</translation>
    </message>
    <message>
        <source>Ctrl+Shift+O</source>
        <translation>Ctrl+Shift+O</translation>
    </message>
    <message>
        <source>&amp;Wipe Free Space…</source>
        <translation>&amp;Nettoyer l&apos;espace libre…</translation>
    </message>
    <message>
        <source>Fill the free space of a file system with random bytes, then give it back: this reaches what earlier deletes and copy-on-write left behind</source>
        <translation>Remplir d&apos;octets aléatoires l&apos;espace libre d&apos;un système de fichiers, puis le rendre : cela atteint ce que des suppressions antérieures et la copie sur écriture ont laissé</translation>
    </message>
    <message>
        <source>Shred &amp;Trash…</source>
        <translation>Broyer la &amp;corbeille…</translation>
    </message>
    <message>
        <source>Shred every item in your trash folders, and their records</source>
        <translation>Broyer chaque élément de vos dossiers de corbeille, ainsi que leurs enregistrements</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
    <message>
        <source>&amp;Disk Utility…</source>
        <translation>&amp;Utilitaire de disques…</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>Ctrl+Q</source>
        <translation>Ctrl+Q</translation>
    </message>
    <message>
        <source>&amp;1 pass of random bytes</source>
        <translation>&amp;1 passe d&apos;octets aléatoires</translation>
    </message>
    <message>
        <source>&amp;4 passes</source>
        <translation>&amp;4 passes</translation>
    </message>
    <message>
        <source>11 &amp;passes</source>
        <translation>11 &amp;passes</translation>
    </message>
    <message>
        <source>Ask for &amp;confirmation</source>
        <translation>Demander &amp;confirmation</translation>
    </message>
    <message>
        <source>&amp;Log each shred</source>
        <translation>&amp;Journaliser chaque broyage</translation>
    </message>
    <message>
        <source>&amp;Verify the last pass</source>
        <translation>&amp;Vérifier la dernière passe</translation>
    </message>
    <message>
        <source>Save a &amp;report after every run</source>
        <translation>Enregistrer un &amp;rapport après chaque opération</translation>
    </message>
    <message>
        <source>&amp;Operator Name…</source>
        <translation>Nom de l&apos;&amp;opérateur…</translation>
    </message>
    <message>
        <source>The person reports name as having run the shreds</source>
        <translation>La personne que les rapports nomment comme ayant lancé les broyages</translation>
    </message>
    <message>
        <source>ORBA Zurizede &amp;Help</source>
        <translation>&amp;Aide d&apos;ORBA Zurizede</translation>
    </message>
    <message>
        <source>F1</source>
        <translation>F1</translation>
    </message>
    <message>
        <source>Support &amp;E-mail…</source>
        <translation>Assistance par &amp;courriel…</translation>
    </message>
    <message>
        <source>&amp;Web Site…</source>
        <translation>Site &amp;Web…</translation>
    </message>
</context>
<context>
    <name>Report</name>
    <message>
        <source>4 passes of the bytes 0x55, 0xFF, 0xAA, 0x00, each synced to the disk before the next</source>
        <translation>4 passes des octets 0x55, 0xFF, 0xAA, 0x00, chacune synchronisée sur le disque avant la suivante</translation>
    </message>
    <message>
        <source>11 passes of the bytes 0xAA, 0xFF, 0x44, 0x00, 0xAA, 0x22, 0x55, 0x11, 0xFF, 0x55, 0x00, each synced to the disk before the next</source>
        <translation>11 passes des octets 0xAA, 0xFF, 0x44, 0x00, 0xAA, 0x22, 0x55, 0x11, 0xFF, 0x55, 0x00, chacune synchronisée sur le disque avant la suivante</translation>
    </message>
    <message>
        <source>1 pass of random bytes (a ChaCha20 stream keyed for each file from /dev/urandom), synced to the disk</source>
        <translation>1 passe d&apos;octets aléatoires (un flux ChaCha20 dont la clé est tirée de /dev/urandom pour chaque fichier), synchronisée sur le disque</translation>
    </message>
    <message>
        <source>the last pass of every file was read back from the device: %1 of %2 files read back as written</source>
        <translation>la dernière passe de chaque fichier a été relue depuis le périphérique : %1 fichiers sur %2 relus tels qu&apos;écrits</translation>
    </message>
    <message>
        <source>not asked for: the passes were not read back</source>
        <translation>non demandée : les passes n&apos;ont pas été relues</translation>
    </message>
    <message numerus="yes">
        <source>Left in place when the run was stopped: %1 item and %2 bytes</source>
        <comment>Left in place when the run was stopped: %1 items and %2 bytes</comment>
        <translation>
            <numerusform>Laissé en place à l&apos;arrêt de l&apos;opération : %1 élément et %2 octets</numerusform>
            <numerusform>Laissés en place à l&apos;arrêt de l&apos;opération : %1 éléments et %2 octets</numerusform>
        </translation>
    </message>
    <message>
        <source>shredded</source>
        <translation>broyé</translation>
    </message>
    <message>
        <source>kept</source>
        <translation>conservé</translation>
    </message>
    <message>
        <source>removed</source>
        <translation>supprimé</translation>
    </message>
    <message>
        <source>shred</source>
        <translation>broyage</translation>
    </message>
    <message>
        <source>free-space</source>
        <translation>espace libre</translation>
    </message>
    <message>
        <source>trash</source>
        <translation>corbeille</translation>
    </message>
    <message>
        <source>partly</source>
        <translation>en partie</translation>
    </message>
    <message>
        <source>not</source>
        <translation>non broyé</translation>
    </message>
    <message>
        <source>reaches</source>
        <translation>atteint</translation>
    </message>
    <message>
        <source>may not reach all</source>
        <translation>peut ne pas tout atteindre</translation>
    </message>
    <message>
        <source>cannot reach</source>
        <translation>ne peut pas atteindre</translation>
    </message>
    <message>
        <source>not needed</source>
        <translation>inutile</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>inconnu</translation>
    </message>
    <message>
        <source>items</source>
        <translation>éléments</translation>
    </message>
    <message>
        <source>items removed</source>
        <translation>éléments supprimés</translation>
    </message>
    <message>
        <source>files overwritten</source>
        <translation>fichiers écrasés</translation>
    </message>
    <message>
        <source>bytes overwritten</source>
        <translation>octets écrasés</translation>
    </message>
    <message>
        <source>files verified</source>
        <translation>fichiers vérifiés</translation>
    </message>
    <message>
        <source>symbolic links removed</source>
        <translation>liens symboliques supprimés</translation>
    </message>
    <message>
        <source>special files removed</source>
        <translation>fichiers spéciaux supprimés</translation>
    </message>
    <message>
        <source>names removed while contents stay</source>
        <translation>noms supprimés, contenus restés</translation>
    </message>
    <message>
        <source>items kept</source>
        <translation>éléments conservés</translation>
    </message>
    <message>
        <source>items left in place</source>
        <translation>éléments laissés en place</translation>
    </message>
    <message>
        <source>bytes left in place</source>
        <translation>octets laissés en place</translation>
    </message>
    <message>
        <source>free bytes</source>
        <translation>octets libres</translation>
    </message>
    <message>
        <source>bytes written</source>
        <translation>octets écrits</translation>
    </message>
    <message>
        <source>bytes left unfilled</source>
        <translation>octets non remplis</translation>
    </message>
    <message>
        <source>inodes made anew</source>
        <translation>inodes recréés</translation>
    </message>
    <message>
        <source>ORBA Zurizede: report of a run</source>
        <translation>ORBA Zurizede : rapport d&apos;une opération</translation>
    </message>
    <message>
        <source>This report records what the program did and saw. It does not certify the device: see what overwriting cannot reach below.</source>
        <translation>Ce rapport consigne ce que le programme a fait et constaté. Il ne certifie pas le périphérique : voir plus bas ce que l&apos;écrasement ne peut pas atteindre.</translation>
    </message>
    <message>
        <source>Result</source>
        <translation>Résultat</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Run</source>
        <translation>Opération</translation>
    </message>
    <message>
        <source>%1 of %2</source>
        <translation>%1 de %2</translation>
    </message>
    <message>
        <source>Started</source>
        <translation>Début</translation>
    </message>
    <message>
        <source>Ended</source>
        <translation>Fin</translation>
    </message>
    <message>
        <source>Tool</source>
        <translation>Outil</translation>
    </message>
    <message>
        <source>, commit %1</source>
        <translation>, commit %1</translation>
    </message>
    <message>
        <source>Where</source>
        <translation>Où</translation>
    </message>
    <message>
        <source>%1, user %2 (uid %3)</source>
        <translation>%1, utilisateur %2 (uid %3)</translation>
    </message>
    <message>
        <source>Operator</source>
        <translation>Opérateur</translation>
    </message>
    <message>
        <source>Method</source>
        <translation>Méthode</translation>
    </message>
    <message>
        <source>Verification</source>
        <translation>Vérification</translation>
    </message>
    <message>
        <source>Totals</source>
        <translation>Totaux</translation>
    </message>
    <message>
        <source>The same report as JSON: %1, SHA-256 %2</source>
        <translation>Le même rapport en JSON : %1, SHA-256 %2</translation>
    </message>
    <message>
        <source>Storage</source>
        <translation>Stockage</translation>
    </message>
    <message>
        <source>%1 at %2 on %3</source>
        <translation>%1, monté sur %2, périphérique %3</translation>
    </message>
    <message>
        <source>, UUID %1</source>
        <translation>, UUID %1</translation>
    </message>
    <message>
        <source>, model %1</source>
        <translation>, modèle %1</translation>
    </message>
    <message>
        <source>, serial %1</source>
        <translation>, numéro de série %1</translation>
    </message>
    <message>
        <source>Storage verdict</source>
        <translation>Verdict sur le stockage</translation>
    </message>
    <message>
        <source>Removed names</source>
        <translation>Noms supprimés</translation>
    </message>
    <message>
        <source>Account and warnings</source>
        <translation>Bilan et avertissements</translation>
    </message>
    <message>
        <source>Items</source>
        <translation>Éléments</translation>
    </message>
    <message>
        <source>Path</source>
        <translation>Chemin</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Taille</translation>
    </message>
    <message>
        <source>Passes</source>
        <translation>Passes</translation>
    </message>
    <message>
        <source>Verified</source>
        <translation>Vérifié</translation>
    </message>
    <message>
        <source>Outcome</source>
        <translation>Issue</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>no</source>
        <translation>non</translation>
    </message>
    <message numerus="yes">
        <source>… and %n more items, every one of them listed in the JSON.</source>
        <comment>… and %n more items, every one of them listed in the JSON.</comment>
        <translation>
            <numerusform>… et %n autre élément, listé dans le JSON.</numerusform>
            <numerusform>… et %n autres éléments, tous listés dans le JSON.</numerusform>
        </translation>
    </message>
    <message>
        <source>ORBA Zurizede report</source>
        <translation>Rapport ORBA Zurizede</translation>
    </message>
    <message>
        <source>a report is written as .pdf or .json, not as %1</source>
        <translation>un rapport s&apos;écrit en .pdf ou en .json, pas en %1</translation>
    </message>
    <message>
        <source>%1 is a symbolic link: a report is never written through one</source>
        <translation>%1 est un lien symbolique : un rapport n&apos;est jamais écrit à travers un lien</translation>
    </message>
</context>
<context>
    <name>Run</name>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
</context>
<context>
    <name>RunNotes</name>
    <message>
        <source>these files</source>
        <translation>ces fichiers</translation>
    </message>
    <message>
        <source>Swap on %1 is not encrypted, nor is the hibernation image on %2: what programs held in memory, the contents of %3 among them, may have been written there.</source>
        <translation>L&apos;espace d&apos;échange sur %1 n&apos;est pas chiffré, pas plus que l&apos;image d&apos;hibernation sur %2 : ce que les programmes gardaient en mémoire, dont le contenu de %3, a pu y être écrit.</translation>
    </message>
    <message>
        <source>Swap on %1 is not encrypted: what programs held in memory, the contents of %2 among them, may have been written there.</source>
        <translation>L&apos;espace d&apos;échange sur %1 n&apos;est pas chiffré : ce que les programmes gardaient en mémoire, dont le contenu de %2, a pu y être écrit.</translation>
    </message>
    <message>
        <source>The hibernation image on %1 is not encrypted: what programs held in memory, the contents of %2 among them, may have been written there.</source>
        <translation>L&apos;image d&apos;hibernation sur %1 n&apos;est pas chiffrée : ce que les programmes gardaient en mémoire, dont le contenu de %2, a pu y être écrit.</translation>
    </message>
    <message>
        <source>files deleted earlier</source>
        <translation>fichiers supprimés auparavant</translation>
    </message>
</context>
<context>
    <name>ShredRun</name>
    <message>
        <source>%1. Due to this error, shredding will be stopped.</source>
        <translation>%1. En raison de cette erreur, le broyage va s&apos;arrêter.</translation>
    </message>
    <message>
        <source>empty: nothing to overwrite</source>
        <translation>vide : rien à écraser</translation>
    </message>
    <message numerus="yes">
        <source>stopped after %n pass(es)</source>
        <comment>stopped after %n pass(es)</comment>
        <translation>
            <numerusform>arrêté après %n passe</numerusform>
            <numerusform>arrêté après %n passes</numerusform>
        </translation>
    </message>
    <message>
        <source>a special file: nothing to overwrite</source>
        <translation>un fichier spécial : rien à écraser</translation>
    </message>
    <message>
        <source>what it points to was not touched</source>
        <translation>sa cible n&apos;a pas été touchée</translation>
    </message>
    <message>
        <source>Pass %1 of %2 · %3 of %4</source>
        <translation>Passe %1 sur %2 · %3 sur %4</translation>
    </message>
    <message>
        <source>Pass %1 of %2 · %3 of %4 · about %5 left</source>
        <translation>Passe %1 sur %2 · %3 sur %4 · encore environ %5</translation>
    </message>
    <message>
        <source>File System Alert</source>
        <translation>Alerte du système de fichiers</translation>
    </message>
    <message>
        <source>Stop Shredding</source>
        <translation>Arrêter le broyage</translation>
    </message>
    <message>
        <source>You do not have permission to delete the file %1.</source>
        <translation>Vous n&apos;avez pas l&apos;autorisation de supprimer le fichier %1.</translation>
    </message>
    <message>
        <source>The folder %1 contains files you do not have permission to delete.</source>
        <translation>Le dossier %1 contient des fichiers que vous n&apos;avez pas l&apos;autorisation de supprimer.</translation>
    </message>
    <message>
        <source>%1 is a device: erase whole devices with the disk utility</source>
        <translation>%1 est un périphérique : effacez les périphériques entiers avec l&apos;utilitaire de disques</translation>
    </message>
    <message>
        <source>/ is the root of the file system: it is never shredded.</source>
        <translation>/ est la racine du système de fichiers : elle n&apos;est jamais broyée.</translation>
    </message>
    <message>
        <source>%1 ends in &quot;.&quot; or &quot;..&quot;, which is ambiguous: name the folder itself.</source>
        <translation>%1 se termine par « . » ou « .. », ce qui est ambigu : indiquez le dossier lui-même.</translation>
    </message>
    <message>
        <source>%1 is your home folder, the root of the file system or a folder directly under it. If you proceed, everything in it will be shredded. Please confirm that you mean this folder.</source>
        <translation>%1 est votre dossier personnel, la racine du système de fichiers ou un dossier situé juste en dessous. Si vous continuez, tout ce qu&apos;il contient sera broyé. Veuillez confirmer qu&apos;il s&apos;agit bien de ce dossier.</translation>
    </message>
    <message>
        <source>%1 is on a read-only file system: nothing on it can be removed, so nothing is overwritten.</source>
        <translation>%1 se trouve sur un système de fichiers en lecture seule : rien ne peut y être supprimé, donc rien n&apos;est écrasé.</translation>
    </message>
    <message>
        <source>%1 or its folder is marked immutable or append-only: it cannot be removed, so nothing is overwritten.</source>
        <translation>%1 ou son dossier est marqué immuable ou en ajout seul : il ne peut pas être supprimé, donc rien n&apos;est écrasé.</translation>
    </message>
    <message>
        <source>Shred Alert</source>
        <translation>Alerte de broyage</translation>
    </message>
    <message>
        <source>Cancel Shredding</source>
        <translation>Annuler le broyage</translation>
    </message>
    <message>
        <source>If you proceed, you will be UNABLE to recover the shredded files. Please confirm that you wish to proceed.</source>
        <translation>Si vous continuez, vous ne pourrez PLUS récupérer les fichiers broyés. Veuillez confirmer que vous souhaitez continuer.</translation>
    </message>
    <message>
        <source>Shredding was interrupted</source>
        <translation>Le broyage a été interrompu</translation>
    </message>
    <message>
        <source>Files have been shredded.</source>
        <translation>Les fichiers ont été broyés.</translation>
    </message>
    <message>
        <source>something in it stayed</source>
        <translation>une partie de son contenu est restée</translation>
    </message>
    <message>
        <source>its contents stay reachable through another name</source>
        <translation>son contenu reste accessible sous un autre nom</translation>
    </message>
    <message>
        <source>its contents were overwritten under another name</source>
        <translation>son contenu a été écrasé sous un autre nom</translation>
    </message>
    <message>
        <source>(all files in package or folder)</source>
        <translation>(tous les fichiers du paquet ou du dossier)</translation>
    </message>
    <message numerus="yes">
        <source>Not counted: %n folder(s) could not be read, the first %1 (%2)</source>
        <comment>Not counted: %n folder(s) could not be read, the first %1 (%2)</comment>
        <translation>
            <numerusform>Non compté : %n dossier n&apos;a pas pu être lu : %1 (%2)</numerusform>
            <numerusform>Non comptés : %n dossiers n&apos;ont pas pu être lus, le premier %1 (%2)</numerusform>
        </translation>
    </message>
    <message>
        <source>No files were touched - shredding cancelled.</source>
        <translation>Aucun fichier n&apos;a été touché – broyage annulé.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Proceed</source>
        <translation>Continuer</translation>
    </message>
    <message>
        <source>Shredding was interrupted in the first pass: this file is left partly overwritten</source>
        <translation>Le broyage a été interrompu pendant la première passe : ce fichier reste partiellement écrasé</translation>
    </message>
    <message>
        <source>Apple Format Utility</source>
        <translation>Utilitaire de formatage Apple</translation>
    </message>
    <message>
        <source>Launch Disk Utility</source>
        <translation>Lancer l&apos;Utilitaire de disque</translation>
    </message>
    <message>
        <source>its contents have another name</source>
        <translation>son contenu a un autre nom</translation>
    </message>
</context>
<context>
    <name>Shredder</name>
    <message>
        <source>This function will launch the Apple &quot;Disk Utility&quot; for you. The Apple &quot;Disk Utility&quot; can be used to (re)format an entire disk volumes. 

Please refer to Apple documentation for details on required settings for erasing or formatting a disk volume. 

After launching the Apple &quot;Disk Utility&quot;, this application will quit.</source>
        <translation>Cette fonction va lancer pour vous l&apos;« Utilitaire de disque » d&apos;Apple. L&apos;« Utilitaire de disque » d&apos;Apple permet de (re)formater des volumes de disque entiers. 

Veuillez consulter la documentation d&apos;Apple pour les réglages nécessaires à l&apos;effacement ou au formatage d&apos;un volume de disque. 

Après le lancement de l&apos;« Utilitaire de disque » d&apos;Apple, cette application se fermera.</translation>
    </message>
    <message>
        <source>Shred Folder &amp; Contents</source>
        <translation>Broyer un dossier et son contenu</translation>
    </message>
    <message>
        <source>Shred File</source>
        <translation>Broyer un fichier</translation>
    </message>
    <message>
        <source>Select a folder to shred.</source>
        <translation>Sélectionnez un dossier à broyer.</translation>
    </message>
    <message>
        <source>Select a file to shred.</source>
        <translation>Sélectionnez un fichier à broyer.</translation>
    </message>
    <message>
        <source>Shred</source>
        <translation>Broyer</translation>
    </message>
    <message>
        <source>No such file or folder: nothing was touched.</source>
        <translation>Fichier ou dossier introuvable : rien n&apos;a été touché.</translation>
    </message>
    <message>
        <source>Apple Format Utility</source>
        <translation>Utilitaire de formatage Apple</translation>
    </message>
    <message>
        <source>Launch Disk Utility</source>
        <translation>Lancer l&apos;Utilitaire de disque</translation>
    </message>
</context>
<context>
    <name>Storage</name>
    <message>
        <source>overwriting reaches the old data</source>
        <translation>l&apos;écrasement atteint les anciennes données</translation>
    </message>
    <message>
        <source>overwriting may not reach all old copies</source>
        <translation>l&apos;écrasement peut ne pas atteindre toutes les anciennes copies</translation>
    </message>
    <message>
        <source>overwriting cannot reach the old copies</source>
        <translation>l&apos;écrasement ne peut pas atteindre les anciennes copies</translation>
    </message>
    <message>
        <source>overwriting is not needed: nothing is kept on a disk</source>
        <translation>l&apos;écrasement n&apos;est pas nécessaire : rien n&apos;est conservé sur un disque</translation>
    </message>
    <message>
        <source>whether overwriting reaches the old data is unknown</source>
        <translation>on ne sait pas si l&apos;écrasement atteint les anciennes données</translation>
    </message>
    <message>
        <source>Storage: %1</source>
        <translation>Stockage : %1</translation>
    </message>
    <message>
        <source>Storage (%1): %2</source>
        <translation>Stockage (%1) : %2</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>%1; it is encrypted, so old copies cannot be read without its key</source>
        <translation>%1 ; il est chiffré, les anciennes copies ne peuvent donc pas être lues sans sa clé</translation>
    </message>
    <message>
        <source>the file system wipes removed names</source>
        <translation>le système de fichiers efface les noms supprimés</translation>
    </message>
    <message>
        <source>renamed before removal</source>
        <translation>renommés avant suppression</translation>
    </message>
    <message>
        <source>writes in place on a spinning disk</source>
        <translation>écrit sur place sur un disque rotatif</translation>
    </message>
    <message>
        <source>solid-state or flash: the device may keep old copies in blocks it has remapped</source>
        <translation>SSD ou flash : le périphérique peut garder d&apos;anciennes copies dans des blocs qu&apos;il a réaffectés</translation>
    </message>
    <message>
        <source>a spinning disk that accepts discard: thin-provisioned or flash, it may keep old copies elsewhere</source>
        <translation>un disque rotatif qui accepte le discard : à allocation dynamique ou flash, il peut garder d&apos;anciennes copies ailleurs</translation>
    </message>
    <message>
        <source>flash memory card</source>
        <translation>carte mémoire flash</translation>
    </message>
    <message>
        <source>attached over %1; a flash drive writes elsewhere than it is told</source>
        <translation>connecté en %1 ; un support flash écrit ailleurs que là où on le lui demande</translation>
    </message>
    <message>
        <source>a removable medium; a flash card writes elsewhere than it is told</source>
        <translation>un support amovible ; une carte flash écrit ailleurs que là où on le lui demande</translation>
    </message>
    <message>
        <source>a virtual disk (%1), what lies beneath is not known</source>
        <translation>un disque virtuel (%1), ce qui se trouve en dessous est inconnu</translation>
    </message>
    <message>
        <source>a network disk (%1): the server decides where the passes go</source>
        <translation>un disque réseau (%1) : le serveur décide où vont les passes</translation>
    </message>
    <message>
        <source>held in memory: nothing of it reaches a disk</source>
        <translation>conservé en mémoire : rien n&apos;en atteint un disque</translation>
    </message>
    <message>
        <source>held in memory, but pages it wrote back to a disk stay there when overwritten</source>
        <translation>conservé en mémoire, mais les pages réécrites sur un disque y restent quand on les écrase</translation>
    </message>
    <message>
        <source>a spinning disk attached through a controller not known to write in place</source>
        <translation>un disque rotatif connecté par un contrôleur dont on ne sait pas s&apos;il écrit sur place</translation>
    </message>
    <message>
        <source>whether the disk spins could not be read</source>
        <translation>impossible de lire si le disque est rotatif</translation>
    </message>
    <message>
        <source>whether the disk accepts discard could not be read</source>
        <translation>impossible de lire si le disque accepte le discard</translation>
    </message>
    <message>
        <source>the device under it could not be found</source>
        <translation>le périphérique en dessous est introuvable</translation>
    </message>
    <message>
        <source>the devices beneath it go deeper than can be followed</source>
        <translation>les périphériques en dessous sont trop imbriqués pour être suivis</translation>
    </message>
    <message>
        <source>a mapped device with nothing beneath it to follow</source>
        <translation>un périphérique mappé sans rien en dessous à suivre</translation>
    </message>
    <message>
        <source>a loop device without a backing file</source>
        <translation>un périphérique loop sans fichier sous-jacent</translation>
    </message>
    <message>
        <source>its backing file is gone</source>
        <translation>son fichier sous-jacent a disparu</translation>
    </message>
    <message>
        <source>its backing file could not be examined</source>
        <translation>son fichier sous-jacent n&apos;a pas pu être examiné</translation>
    </message>
    <message>
        <source>%1 over %2</source>
        <translation>%1 via %2</translation>
    </message>
    <message>
        <source>%1, driver %2</source>
        <translation>%1, pilote %2</translation>
    </message>
    <message>
        <source>%1 writing back to %2</source>
        <translation>%1 réécrivant sur %2</translation>
    </message>
    <message>
        <source>%1 backed by %2</source>
        <translation>%1 adossé à %2</translation>
    </message>
    <message>
        <source>%1 backed by the device %2</source>
        <translation>%1 adossé au périphérique %2</translation>
    </message>
    <message>
        <source>%1, a file on %2</source>
        <translation>%1, un fichier sur %2</translation>
    </message>
    <message>
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 sur %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>could not be examined (%1)</source>
        <translation>n&apos;a pas pu être examiné (%1)</translation>
    </message>
    <message>
        <source>copy-on-write: every pass goes to new blocks, and snapshots keep the old ones</source>
        <translation>copie sur écriture : chaque passe va dans de nouveaux blocs, et les instantanés gardent les anciens</translation>
    </message>
    <message>
        <source>log-structured: every pass goes to new blocks, and the old ones stay until cleaned</source>
        <translation>structuré en journal : chaque passe va dans de nouveaux blocs, et les anciens restent jusqu&apos;au nettoyage</translation>
    </message>
    <message>
        <source>held in memory: nothing reaches a disk, though swap may hold some of its pages</source>
        <translation>conservé en mémoire : rien n&apos;atteint un disque, mais l&apos;espace d&apos;échange peut contenir certaines de ses pages</translation>
    </message>
    <message>
        <source>held in memory: nothing reaches a disk</source>
        <translation>conservé en mémoire : rien n&apos;atteint un disque</translation>
    </message>
    <message>
        <source>network file system: the server decides where the passes go</source>
        <translation>système de fichiers réseau : le serveur décide où vont les passes</translation>
    </message>
    <message>
        <source>FUSE: the program behind it decides where the passes go</source>
        <translation>FUSE : le programme qui est derrière décide où vont les passes</translation>
    </message>
    <message>
        <source>overlay: a file from the lower layer is copied up when changed, and the lower layer keeps the original</source>
        <translation>overlay : un fichier de la couche inférieure est copié vers le haut quand il change, et la couche inférieure garde l&apos;original</translation>
    </message>
    <message>
        <source>stacked on another file system, which decides where the passes go</source>
        <translation>empilé sur un autre système de fichiers, qui décide où vont les passes</translation>
    </message>
    <message>
        <source>read-only image: nothing in it can be overwritten</source>
        <translation>image en lecture seule : rien ne peut y être écrasé</translation>
    </message>
    <message>
        <source>unrecognised file system</source>
        <translation>système de fichiers non reconnu</translation>
    </message>
    <message>
        <source>the device under it could not be identified</source>
        <translation>le périphérique en dessous n&apos;a pas pu être identifié</translation>
    </message>
    <message>
        <source>journaled data: the journal keeps copies of what was written</source>
        <translation>données journalisées : le journal garde des copies de ce qui a été écrit</translation>
    </message>
    <message>
        <source>could not be examined</source>
        <translation>n&apos;a pas pu être examiné</translation>
    </message>
</context>
<context>
    <name>Terminal</name>
    <message>
        <source>--free-space needs a FOLDER</source>
        <translation>--free-space : DOSSIER manquant</translation>
    </message>
    <message>
        <source>--report needs a FILE</source>
        <translation>--report : FICHIER manquant</translation>
    </message>
    <message>
        <source>--operator needs a NAME</source>
        <translation>--operator : NOM manquant</translation>
    </message>
    <message>
        <source>--mode needs a number</source>
        <translation>--mode : nombre manquant</translation>
    </message>
    <message>
        <source>-m needs a number</source>
        <translation>-m : nombre manquant</translation>
    </message>
    <message>
        <source>the option &apos;--%1&apos; takes no value</source>
        <translation>l&apos;option « --%1 » ne prend pas de valeur</translation>
    </message>
    <message>
        <source>unknown option &apos;-%1&apos;</source>
        <translation>option inconnue « -%1 »</translation>
    </message>
    <message>
        <source>the option &apos;%1&apos; is ambiguous</source>
        <translation>l&apos;option « %1 » est ambiguë</translation>
    </message>
    <message>
        <source>unknown option &apos;%1&apos;</source>
        <translation>option inconnue « %1 »</translation>
    </message>
    <message>
        <source>the mode &apos;%1&apos; is not a number</source>
        <translation>le mode « %1 » n&apos;est pas un nombre</translation>
    </message>
    <message>
        <source>the mode must be 0, 1 or 2, not %1</source>
        <translation>le mode doit être 0, 1 ou 2, et non %1</translation>
    </message>
    <message>
        <source>the report &apos;%1&apos; must end in .pdf or .json</source>
        <translation>le rapport « %1 » doit se terminer par .pdf ou .json</translation>
    </message>
    <message>
        <source>--free-space and --trash each go alone, without a PATH</source>
        <translation>--free-space et --trash s&apos;emploient chacune seule, sans CHEMIN</translation>
    </message>
    <message>
        <source>no PATH to shred</source>
        <translation>aucun CHEMIN à broyer</translation>
    </message>
    <message>
        <source>not shredded, interrupted before its turn</source>
        <translation>non broyé, interrompu avant son tour</translation>
    </message>
    <message>
        <source>No such file or folder</source>
        <translation>Aucun fichier ou dossier de ce nom</translation>
    </message>
    <message>
        <source>interrupted; %1 items and %2 bytes were left in place</source>
        <translation>interrompu ; %1 éléments et %2 octets sont restés en place</translation>
    </message>
    <message>
        <source>Trash</source>
        <translation>Corbeille</translation>
    </message>
    <message numerus="yes">
        <source>%n name was removed while its contents stay reachable through another link: %1</source>
        <comment>%n names were removed while their contents stay reachable through another link: %1 and more</comment>
        <extracomment>%1 is the first of the names: the singular names it alone, the plural says there are more.</extracomment>
        <translation>
            <numerusform>%n nom a été supprimé alors que son contenu reste accessible par un autre lien : %1</numerusform>
            <numerusform>%n noms ont été supprimés alors que leur contenu reste accessible par d&apos;autres liens : %1 et d&apos;autres</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the contents of %n name removed above were overwritten later, under another name given as a PATH</source>
        <comment>the contents of %n names removed above were overwritten later, under another name given as a PATH</comment>
        <translation>
            <numerusform>le contenu de %n nom supprimé ci-dessus a été écrasé plus tard, sous un autre nom donné comme CHEMIN</numerusform>
            <numerusform>le contenu de %n noms supprimés ci-dessus a été écrasé plus tard, sous un autre nom donné comme CHEMIN</numerusform>
        </translation>
    </message>
    <message>
        <source>Not shredded: %1 was not reached.</source>
        <translation>Non broyé : %1 n&apos;a pas été atteint.</translation>
    </message>
    <message>
        <source>the report was not written: %1</source>
        <translation>le rapport n&apos;a pas été écrit : %1</translation>
    </message>
    <message>
        <source>report written to %1</source>
        <translation>rapport écrit dans %1</translation>
    </message>
    <message>
        <source>%1: %2 (try &apos;%1 --help&apos;)</source>
        <translation>%1: %2 (essayez « %1 --help »)</translation>
    </message>
    <message>
        <source>y</source>
        <extracomment>The answers to &quot;Proceed or Cancel? [y/N]&quot; that proceed; the English ones are taken too.</extracomment>
        <translation>o</translation>
    </message>
    <message>
        <source>yes</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>proceed</source>
        <translation>continuer</translation>
    </message>
    <message numerus="yes">
        <source>%1 item</source>
        <comment>%1 items</comment>
        <extracomment>%1 is the count as the window shows it, with its group separators.</extracomment>
        <translation>
            <numerusform>%1 élément</numerusform>
            <numerusform>%1 éléments</numerusform>
        </translation>
    </message>
    <message>
        <source>%1 left</source>
        <translation>reste %1</translation>
    </message>
    <message>
        <source>No terminal to ask for confirmation (use --yes): Cancel</source>
        <translation>Aucun terminal pour demander confirmation (utilisez --yes) : Annuler</translation>
    </message>
    <message>
        <source>Proceed or Cancel? [y/N] </source>
        <extracomment>The confirmation&apos;s two buttons, and the answers it takes.</extracomment>
        <translation>Continuer ou Annuler ? [o/N] </translation>
    </message>
    <message>
        <source>warning: %1</source>
        <translation>avertissement : %1</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <extracomment>An alert&apos;s title, then its message.</extracomment>
        <translation>%1 : %2</translation>
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
        <translation>%1 et %2</translation>
    </message>
</context>
<context>
    <name>TrashRun</name>
    <message>
        <source>Shred Trash</source>
        <translation>Broyer la corbeille</translation>
    </message>
    <message>
        <source>Shred everything in the trash? If you proceed, you will be UNABLE to recover the shredded files. Please confirm that you wish to proceed.</source>
        <translation>Broyer tout le contenu de la corbeille ? Si vous continuez, vous ne pourrez PLUS récupérer les fichiers broyés. Veuillez confirmer que vous souhaitez continuer.</translation>
    </message>
    <message>
        <source>The trash is empty: nothing was shredded.</source>
        <translation>La corbeille est vide : rien n&apos;a été broyé.</translation>
    </message>
    <message>
        <source>The trash has been shredded.</source>
        <translation>La corbeille a été broyée.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: it could not be held open for the run.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : il n&apos;a pas pu être maintenu ouvert pendant l&apos;opération.</translation>
    </message>
    <message>
        <source>%1 was moved or replaced while the trash was shredded: the rest of the trash was left alone.</source>
        <translation>%1 a été déplacé ou remplacé pendant le broyage de la corbeille : le reste de la corbeille n&apos;a pas été touché.</translation>
    </message>
    <message>
        <source>Not all of the trash was shredded: what stays, and why, is listed below.</source>
        <translation>La corbeille n&apos;a pas été entièrement broyée : ce qui reste, et pourquoi, est indiqué ci-dessous.</translation>
    </message>
    <message>
        <source>%1 was trashed from another file system (%2): moving it to the trash copied it, and the original&apos;s blocks lie in the free space there. Wipe Free Space on %3 reaches them.</source>
        <translation>%1 a été mis à la corbeille depuis un autre système de fichiers (%2) : ce déplacement l&apos;a copié, et les blocs de l&apos;original se trouvent dans l&apos;espace libre de ce dernier. « Nettoyer l&apos;espace libre » sur %3 les atteint.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: it is a link.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : c&apos;est un lien symbolique.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: %2 is a link.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : %2 est un lien symbolique.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: it is not a folder.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : ce n&apos;est pas un dossier.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: %2 is not a folder.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : %2 n&apos;est pas un dossier.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: it is not owned by you.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : il ne vous appartient pas.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: %2 is not owned by you.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : %2 ne vous appartient pas.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: others may write in it.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : d&apos;autres utilisateurs peuvent y écrire.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: others may write in %2.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : d&apos;autres utilisateurs peuvent écrire dans %2.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: there is no sticky bit on it, so others may rename what is in it.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : il n&apos;a pas de sticky bit, donc d&apos;autres utilisateurs peuvent renommer ce qu&apos;il contient.</translation>
    </message>
    <message>
        <source>%1 was passed over, and nothing in it touched: there is no sticky bit on %2, so others may rename what is in it.</source>
        <translation>%1 a été ignoré, et rien de son contenu n&apos;a été touché : %2 n&apos;a pas de sticky bit, donc d&apos;autres utilisateurs peuvent renommer ce qu&apos;il contient.</translation>
    </message>
    <message numerus="yes">
        <source>The trash you may trust is empty, but %n trash folder was passed over: nothing was shredded.</source>
        <comment>The trash you may trust is empty, but %n trash folders were passed over: nothing was shredded.</comment>
        <translation>
            <numerusform>La corbeille digne de confiance est vide, mais %n dossier de corbeille a été ignoré : rien n&apos;a été broyé.</numerusform>
            <numerusform>La corbeille digne de confiance est vide, mais %n dossiers de corbeille ont été ignorés : rien n&apos;a été broyé.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The trash has been shredded, but %n trash folder was passed over.</source>
        <comment>The trash has been shredded, but %n trash folders were passed over.</comment>
        <translation>
            <numerusform>La corbeille a été broyée, mais %n dossier de corbeille a été ignoré.</numerusform>
            <numerusform>La corbeille a été broyée, mais %n dossiers de corbeille ont été ignorés.</numerusform>
        </translation>
    </message>
    <message>
        <source>the trash</source>
        <translation>la corbeille</translation>
    </message>
    <message numerus="yes">
        <source>%1: %n item, %2</source>
        <comment>%1: %n items, %2</comment>
        <translation>
            <numerusform>%1 : %n élément, %2</numerusform>
            <numerusform>%1 : %n éléments, %2</numerusform>
        </translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1 : %2</translation>
    </message>
    <message>
        <source>Mode: %1</source>
        <translation>Mode : %1</translation>
    </message>
    <message>
        <source>it was moved or replaced while the trash was shredded: nothing more of it was touched</source>
        <translation>il a été déplacé ou remplacé pendant le broyage de la corbeille : rien de plus n&apos;y a été touché</translation>
    </message>
    <message>
        <source>it may not be removed: nothing of it was touched</source>
        <translation>il ne peut pas être supprimé : rien n&apos;en a été touché</translation>
    </message>
    <message>
        <source>it has another name, or is no regular file</source>
        <translation>il a un autre nom, ou n&apos;est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>its lines for the items shredded stay (%1)</source>
        <translation>ses lignes concernant les éléments broyés restent (%1)</translation>
    </message>
    <message>
        <source>its old copy, with the lines of the items shredded, was not overwritten (%1)</source>
        <translation>son ancienne copie, avec les lignes des éléments broyés, n&apos;a pas été écrasée (%1)</translation>
    </message>
</context>
<context>
    <name>Window</name>
    <message>
        <source>Overwriting will not reach everything: see the details</source>
        <translation>L&apos;écrasement n&apos;atteindra pas tout : voir les détails</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Shred</source>
        <translation>Broyer</translation>
    </message>
    <message>
        <source>Wipe Free Space</source>
        <translation>Nettoyer l&apos;espace libre</translation>
    </message>
    <message>
        <source>Shred Trash</source>
        <translation>Broyer la corbeille</translation>
    </message>
    <message numerus="yes">
        <source>%n waiting</source>
        <translation>
            <numerusform>%n en attente</numerusform>
            <numerusform>%n en attente</numerusform>
        </translation>
    </message>
    <message>
        <source>A shred is running. Stop it and quit?</source>
        <translation>Un broyage est en cours. L&apos;arrêter et quitter ?</translation>
    </message>
    <message>
        <source>Stop and Quit</source>
        <translation>Arrêter et quitter</translation>
    </message>
    <message>
        <source>Keep Shredding</source>
        <translation>Continuer le broyage</translation>
    </message>
    <message>
        <source>asks before shredding</source>
        <translation>demande avant de broyer</translation>
    </message>
    <message>
        <source>shreds without asking</source>
        <translation>broie sans demander</translation>
    </message>
    <message>
        <source>logged</source>
        <translation>journalisé</translation>
    </message>
    <message>
        <source>not logged</source>
        <translation>non journalisé</translation>
    </message>
    <message>
        <source>verifies the last pass</source>
        <translation>vérifie la dernière passe</translation>
    </message>
    <message>
        <source>Save Report</source>
        <translation>Enregistrer le rapport</translation>
    </message>
    <message>
        <source>The report was not written: %1</source>
        <translation>Le rapport n&apos;a pas été écrit : %1</translation>
    </message>
    <message>
        <source>JSON (*.json)</source>
        <translation>JSON (*.json)</translation>
    </message>
    <message>
        <source>PDF, with its JSON beside it (*.pdf)</source>
        <translation>PDF, avec son JSON à côté (*.pdf)</translation>
    </message>
    <message>
        <source>Folder for Reports</source>
        <translation>Dossier des rapports</translation>
    </message>
    <message>
        <source>Operator Name</source>
        <translation>Nom de l&apos;opérateur</translation>
    </message>
    <message>
        <source>The name reports give as the person who ran them (leave it empty for none):</source>
        <translation>Le nom que les rapports donnent pour la personne qui a lancé les opérations (laisser vide pour aucun) :</translation>
    </message>
</context>
<context>
    <name>WipeRun</name>
    <message>
        <source>Wipe Free Space</source>
        <translation>Nettoyer l&apos;espace libre</translation>
    </message>
    <message>
        <source>Wipe the free space of the file system mounted at %1? Its free space is filled with random bytes and then given back at once. Programs that write to this file system may fail until the wipe ends.</source>
        <translation>Nettoyer l&apos;espace libre du système de fichiers monté sur %1 ? Son espace libre est rempli d&apos;octets aléatoires puis aussitôt libéré. Les programmes qui écrivent sur ce système de fichiers peuvent échouer jusqu&apos;à la fin du nettoyage.</translation>
    </message>
    <message>
        <source>Wipe cancelled: nothing was filled (the short write that measured the disk was given back at once).</source>
        <translation>Nettoyage annulé : rien n&apos;a été rempli (la courte écriture qui a mesuré le disque a été aussitôt libérée).</translation>
    </message>
    <message>
        <source>Free space has been wiped.</source>
        <translation>L&apos;espace libre a été nettoyé.</translation>
    </message>
    <message>
        <source>The wipe was stopped: the space it filled is free again.</source>
        <translation>Le nettoyage a été arrêté : l&apos;espace qu&apos;il avait rempli est de nouveau libre.</translation>
    </message>
    <message>
        <source>%1 could not be examined: %2.</source>
        <translation>%1 n&apos;a pas pu être examiné : %2.</translation>
    </message>
    <message>
        <source>%1 is on a memory file system (%2): nothing of it reaches a disk, so there is no free space to wipe.</source>
        <translation>%1 se trouve sur un système de fichiers en mémoire (%2) : rien n&apos;en atteint un disque, il n&apos;y a donc pas d&apos;espace libre à nettoyer.</translation>
    </message>
    <message>
        <source>%1 is on a network file system (%2): its free space lies on another machine, which decides what a write reaches. It is not wiped.</source>
        <translation>%1 se trouve sur un système de fichiers réseau (%2) : son espace libre se trouve sur une autre machine, qui décide de ce qu&apos;une écriture atteint. Il n&apos;est pas nettoyé.</translation>
    </message>
    <message>
        <source>%1 is on a read-only file system: its free space cannot be written.</source>
        <translation>%1 se trouve sur un système de fichiers en lecture seule : son espace libre ne peut pas être écrit.</translation>
    </message>
    <message>
        <source>You may not write in %1: choose a folder of your own on that file system.</source>
        <translation>Vous ne pouvez pas écrire dans %1 : choisissez l&apos;un de vos propres dossiers sur ce système de fichiers.</translation>
    </message>
    <message>
        <source>Not reached: %1 reserved for root (run as root to wipe it too)</source>
        <translation>Non atteint : %1 réservés à root (lancez en tant que root pour les nettoyer aussi)</translation>
    </message>
    <message>
        <source>Not reached: %1 that %2 keeps for itself, where no file may go; on an unmounted or read-only ext4 file system, zerofree reaches it</source>
        <translation>Non atteint : %1 que le système de fichiers %2 garde pour lui-même, où aucun fichier ne peut aller ; sur un système de fichiers ext4 démonté ou en lecture seule, zerofree les atteint</translation>
    </message>
    <message>
        <source>Not reached: %1 that %2 keeps for itself, where no file may go</source>
        <translation>Non atteint : %1 que le système de fichiers %2 garde pour lui-même, où aucun fichier ne peut aller</translation>
    </message>
    <message>
        <source>Not reached: blocks that %1 keeps back for itself (its reserve pool and a few in each allocation group), which only root can count</source>
        <translation>Non atteint : les blocs que le système de fichiers %1 garde en réserve pour lui-même (sa réserve et quelques-uns dans chaque groupe d&apos;allocation), que seul root peut compter</translation>
    </message>
    <message>
        <source>Reached by filling again: what %1 keeps for itself now lies on %2 the fill had written; it let go of them and filled again</source>
        <translation>Atteint en remplissant de nouveau : ce que le système de fichiers %1 garde pour lui-même se trouve maintenant sur %2 que le remplissage avait écrits ; il les a libérés puis a rempli de nouveau</translation>
    </message>
    <message>
        <source>Not reached: blocks that snapshots of this file system still hold</source>
        <translation>Non atteint : les blocs que les instantanés de ce système de fichiers conservent encore</translation>
    </message>
    <message>
        <source>Not reached: on flash or virtual disks, blocks the device keeps elsewhere (%1)</source>
        <translation>Non atteint : sur les disques flash ou virtuels, les blocs que le périphérique conserve ailleurs (%1)</translation>
    </message>
    <message>
        <source>Free space has been wiped except what %1 keeps for itself, which only root can count.</source>
        <translation>L&apos;espace libre a été nettoyé, sauf ce que le système de fichiers %1 garde pour lui-même, que seul root peut compter.</translation>
    </message>
    <message>
        <source>Free space has been wiped except %1: %2 that %3 keeps for itself and %4 reserved for root.</source>
        <translation>L&apos;espace libre a été nettoyé, sauf %1 : %2 que le système de fichiers %3 garde pour lui-même et %4 réservés à root.</translation>
    </message>
    <message>
        <source>Free space has been wiped except %1 that %2 keeps for itself.</source>
        <translation>L&apos;espace libre a été nettoyé, sauf %1 que le système de fichiers %2 garde pour lui-même.</translation>
    </message>
    <message>
        <source>Free space has been wiped except %1 reserved for root.</source>
        <translation>L&apos;espace libre a été nettoyé, sauf %1 réservés à root.</translation>
    </message>
    <message>
        <source>File system: %1 mounted at %2 from %3</source>
        <translation>Système de fichiers : %1 monté sur %2 depuis %3</translation>
    </message>
    <message>
        <source>The device was asked to discard the free blocks (FITRIM): a request to the device, not a proof that it did</source>
        <translation>Le périphérique a été invité à abandonner les blocs libres (FITRIM) : une demande au périphérique, pas la preuve qu&apos;il l&apos;a fait</translation>
    </message>
    <message>
        <source>The device was not asked to discard the free blocks: only root may ask</source>
        <translation>Le périphérique n&apos;a pas été invité à abandonner les blocs libres : seul root peut le demander</translation>
    </message>
    <message>
        <source>The device was not asked to discard the free blocks: it does not accept discard</source>
        <translation>Le périphérique n&apos;a pas été invité à abandonner les blocs libres : il n&apos;accepte pas le discard</translation>
    </message>
    <message>
        <source>The device could not be asked to discard the free blocks (%1)</source>
        <translation>Le périphérique n&apos;a pas pu être invité à abandonner les blocs libres (%1)</translation>
    </message>
    <message>
        <source>Free space of %1 (%2)</source>
        <translation>Espace libre de %1 (%2)</translation>
    </message>
    <message>
        <source>Measuring how fast the disk takes writes...</source>
        <translation>Mesure de la vitesse d&apos;écriture du disque…</translation>
    </message>
    <message>
        <source>Nothing was written: %1</source>
        <translation>Rien n&apos;a été écrit : %1</translation>
    </message>
    <message>
        <source>Free space: %1</source>
        <translation>Espace libre : %1</translation>
    </message>
    <message>
        <source>Estimated time: about %1 (a short write ran at %2)</source>
        <translation>Durée estimée : environ %1 (une courte écriture a atteint %2)</translation>
    </message>
    <message>
        <source>The wipe failed (%1): the space it filled is free again.</source>
        <translation>Le nettoyage a échoué (%1) : l&apos;espace qu&apos;il avait rempli est de nouveau libre.</translation>
    </message>
    <message>
        <source>%1 %2 written.</source>
        <translation>%1 %2 écrits.</translation>
    </message>
    <message>
        <source>Written: %1 of random bytes in %2 (%3)</source>
        <translation>Écrit : %1 d&apos;octets aléatoires en %2 (%3)</translation>
    </message>
    <message>
        <source>Written: %1 of random bytes in %2</source>
        <translation>Écrit : %1 d&apos;octets aléatoires en %2</translation>
    </message>
    <message>
        <source>Given back: the fill&apos;s files had names in a private folder, all removed, and were let go %1 after the last write</source>
        <translation>Libéré : les fichiers de remplissage avaient des noms dans un dossier privé, tous supprimés, et ont été lâchés %1 après la dernière écriture</translation>
    </message>
    <message>
        <source>Given back: the fill&apos;s files never had names, and were let go %1 after the last write</source>
        <translation>Libéré : les fichiers de remplissage n&apos;ont jamais eu de nom, et ont été lâchés %1 après la dernière écriture</translation>
    </message>
    <message>
        <source>Inodes made anew: %1 (this file system keeps small files&apos; data in inodes)</source>
        <translation>Inodes recréés : %1 (ce système de fichiers garde les données des petits fichiers dans les inodes)</translation>
    </message>
    <message>
        <source>1 pass of random bytes (a ChaCha20 stream keyed from /dev/urandom) into files without names that fill the free space, synced to the disk, then let go</source>
        <translation>1 passe d&apos;octets aléatoires (un flux ChaCha20 dont la clé provient de /dev/urandom) dans des fichiers sans nom qui remplissent l&apos;espace libre, synchronisés sur le disque, puis lâchés</translation>
    </message>
    <message>
        <source>not read back: the space is given back as soon as it is written</source>
        <translation>non relu : l&apos;espace est libéré dès qu&apos;il est écrit</translation>
    </message>
    <message>
        <source>Writing %1 at %2, about %3 left</source>
        <translation>Écriture de %1 à %2, encore environ %3</translation>
    </message>
    <message>
        <source>Select a folder on the file system whose free space is to be wiped.</source>
        <translation>Sélectionnez un dossier sur le système de fichiers dont l&apos;espace libre doit être nettoyé.</translation>
    </message>
    <message>
        <source>Wipe</source>
        <translation>Nettoyer</translation>
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
        <translation>Utilisation : zurizede-cli [OPTION]... CHEMIN...
         ou : zurizede-cli [OPTION]... --free-space DOSSIER
         ou : zurizede-cli [OPTION]... --trash
Écraser sur place chaque fichier, et chaque fichier contenu dans chaque dossier,
puis le supprimer.

      --free-space DOSSIER  remplir d&apos;octets aléatoires l&apos;espace libre du
                 système de fichiers qui contient DOSSIER, puis le rendre
                 aussitôt : cela atteint ce que des suppressions antérieures et
                 la copie sur écriture ont laissé dans les blocs libres
      --trash    broyer chaque élément de vos dossiers de corbeille, ainsi que
                 leurs enregistrements
      --report FICHIER  écrire un rapport de l&apos;opération dans FICHIER : PDF pour
                 .pdf (avec son JSON à côté), JSON pour .json ; peut être
                 indiquée plusieurs fois
      --operator NOM  la personne nommée dans le rapport comme ayant lancé
                 l&apos;opération
  -m, --mode N   mode de broyage de cette opération : 0 une passe d&apos;octets
                 aléatoires, 1 quatre passes de motifs, 2 onze passes de motifs
                 (par défaut : le réglage shredMode)
  -y, --yes      répondre « Continuer » à la confirmation
      --confirm  demander confirmation même si le réglage shredWarning est
                 désactivé
      --log      journaliser chaque broyage même si le réglage shredLogging est
                 désactivé
      --verify   relire depuis le périphérique la dernière passe de chaque
                 fichier et conserver tout fichier qui ne se relit pas tel qu&apos;il
                 a été écrit
  -q, --quiet    ni ligne d&apos;état, ni avertissements, ni messages de réussite ou
                 bilan, sauf si une opération est restée incomplète
  -h, --help     afficher cette aide et quitter
      --version  afficher la version et quitter

Les options peuvent aussi suivre les chemins. Après --, chaque argument est un
CHEMIN ; un - seul désigne le fichier nommé -.
Sans terminal et sans --yes, une confirmation reçoit la réponse « Annuler ».
Code de sortie : 0 si chaque CHEMIN a été broyé, avec le contenu de chaque
fichier ordinaire écrasé ; 1 sinon ; 2 en cas de mauvaise utilisation.
</translation>
    </message>
</context>
</TS>
