<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr">
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
        <source>%1 and %2</source>
        <translation>%1 et %2</translation>
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
