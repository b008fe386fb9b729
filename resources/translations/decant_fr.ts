<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>MainWindow</name>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Piste</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Artiste</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>File d’attente</translation>
    </message>
    <message>
        <source>The files to bring into the library, with their status and tags</source>
        <translation>Les fichiers à ajouter à la bibliothèque, avec leur état et leurs tags</translation>
    </message>
    <message>
        <source>Drop FLAC files or folders here</source>
        <translation>Déposez ici des fichiers FLAC ou des dossiers</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Fichier</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>É&amp;dition</translation>
    </message>
    <message>
        <source>&amp;Queue</source>
        <translation>File d’&amp;attente</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>Ai&amp;de</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Barre d’outils</translation>
    </message>
    <message>
        <source>&amp;Add Files…</source>
        <translation>&amp;Ajouter des fichiers…</translation>
    </message>
    <message>
        <source>Add FLAC files to the queue</source>
        <translation>Ajouter des fichiers FLAC à la file d’attente</translation>
    </message>
    <message>
        <source>Add F&amp;older…</source>
        <translation>Ajouter un &amp;dossier…</translation>
    </message>
    <message>
        <source>Add every FLAC file in a folder to the queue</source>
        <translation>Ajouter à la file d’attente tous les fichiers FLAC d’un dossier</translation>
    </message>
    <message>
        <source>Open &amp;Library Folder</source>
        <translation>Ouvrir le dossier de la &amp;bibliothèque</translation>
    </message>
    <message>
        <source>Show the library&apos;s database and media files in the file manager</source>
        <translation>Afficher la base de données et les fichiers de la bibliothèque dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quitter</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Démarrer</translation>
    </message>
    <message>
        <source>Decode the queued files and add them to the library</source>
        <translation>Décoder les fichiers de la file d’attente et les ajouter à la bibliothèque</translation>
    </message>
    <message>
        <source>&amp;Fetch Metadata…</source>
        <translation>&amp;Récupérer les métadonnées…</translation>
    </message>
    <message>
        <source>Replace the queue&apos;s tags with the songs of a store album page</source>
        <translation>Remplacer les tags de la file d’attente par les morceaux d’une page d’album du Store</translation>
    </message>
    <message>
        <source>&amp;Undo Fetch Metadata</source>
        <translation>A&amp;nnuler la récupération des métadonnées</translation>
    </message>
    <message>
        <source>Give every file back the tags it had before the fetch</source>
        <translation>Rendre à chaque fichier les tags qu’il avait avant la récupération</translation>
    </message>
    <message>
        <source>&amp;About Decant</source>
        <translation>À &amp;propos de Decant</translation>
    </message>
    <message>
        <source>Decant &amp;Help</source>
        <translation>&amp;Aide de Decant</translation>
    </message>
    <message>
        <source>How to bring FLAC files into the library with Decant</source>
        <translation>Comment ajouter des fichiers FLAC à la bibliothèque avec Decant</translation>
    </message>
</context>
<context>
    <name>PromptDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>decant-cli</name>
    <message>
        <source>no such file or folder: %1</source>
        <translation>fichier ou dossier introuvable : %1</translation>
    </message>
    <message>
        <source>cannot examine %1: %2</source>
        <translation>impossible d’examiner %1 : %2</translation>
    </message>
    <message>
        <source>the store URL &quot;%1&quot; is refused. %2</source>
        <translation>l’adresse du Store « %1 » est refusée. %2</translation>
    </message>
    <message>
        <source>%1
Try &apos;%2 --help&apos; for more information.</source>
        <translation>%1
Essayez « %2 --help » pour plus d’informations.</translation>
    </message>
    <message>
        <source>none of the paths exists.</source>
        <translation>aucun des chemins n’existe.</translation>
    </message>
    <message>
        <source>Brings FLAC files into Decant&apos;s music library with their tags.

Folders are searched for FLAC files at every depth. The library is the
folder given with --library, else the one named by DECANT_LIBRARY, else
&quot;Decant Library&quot; in your music folder.

Ctrl-C stops once the files under way are decoded and imported; a
second Ctrl-C stops the library too, which drops the file it is
converting.

Exit status: 0 when every file was imported, 1 when a file failed or was
not imported (or the store gave no songs), 2 for bad arguments, 130 when
stopped with Ctrl-C (143 with SIGTERM).</source>
        <translation>Ajoute des fichiers FLAC à la bibliothèque musicale de Decant avec leurs tags.

Les dossiers sont parcourus à toute profondeur à la recherche de fichiers FLAC.
La bibliothèque est le dossier donné par --library, sinon celui que nomme
DECANT_LIBRARY, sinon « Decant Library » dans votre dossier Musique.

Ctrl-C arrête une fois les fichiers en cours décodés et importés ; un second
Ctrl-C arrête aussi la bibliothèque, qui abandonne le fichier en cours de
conversion.

Code de sortie : 0 si chaque fichier a été importé, 1 si un fichier a échoué
ou n’a pas été importé (ou si le Store n’a donné aucun morceau), 2 pour des
arguments incorrects, 130 après Ctrl-C (143 après SIGTERM).</translation>
    </message>
    <message>
        <source>Usage: %1 [options] PATH...</source>
        <translation>Usage : %1 [options] CHEMIN…</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Afficher cette aide.</translation>
    </message>
    <message>
        <source>Import into the library in &lt;folder&gt;.</source>
        <translation>Importer dans la bibliothèque située dans &lt;folder&gt;.</translation>
    </message>
    <message>
        <source>Tag the files, in order, with the songs of this iTunes Store album (https://music.apple.com/... or https://itunes.apple.com/...). When the store gives no songs, nothing is imported.</source>
        <translation>Donner aux fichiers, dans l’ordre, les tags des morceaux de cet album de l’iTunes Store (https://music.apple.com/… ou https://itunes.apple.com/…). Si le Store ne donne aucun morceau, rien n’est importé.</translation>
    </message>
    <message>
        <source>With --store-url: when the store gives no songs, import the files with their own tags instead of importing nothing.</source>
        <translation>Avec --store-url : si le Store ne donne aucun morceau, importer les fichiers avec leurs propres tags au lieu de ne rien importer.</translation>
    </message>
    <message>
        <source>FLAC files and folders to import.</source>
        <translation>Fichiers FLAC et dossiers à importer.</translation>
    </message>
    <message>
        <source>No FLAC files or folders given.</source>
        <translation>Aucun fichier FLAC ni dossier indiqué.</translation>
    </message>
    <message numerus="yes">
        <source>%n FLAC file(s)</source>
        <translation>
            <numerusform>%n fichier FLAC</numerusform>
            <numerusform>%n fichiers FLAC</numerusform>
        </translation>
    </message>
    <message>
        <source>The store gave no songs.</source>
        <translation>Le Store n’a donné aucun morceau.</translation>
    </message>
    <message>
        <source>detail: %1</source>
        <translation>détail : %1</translation>
    </message>
    <message>
        <source>no FLAC file among the paths.</source>
        <translation>aucun fichier FLAC parmi les chemins.</translation>
    </message>
    <message>
        <source>freed %1 of decoded audio left by an earlier run.</source>
        <translation>%1 d’audio décodé laissé par une exécution précédente libéré.</translation>
    </message>
    <message>
        <source>skipped %1: %2</source>
        <translation>%1 ignoré : %2</translation>
    </message>
    <message>
        <source>Tags from the store applied to %1 of %2 files.</source>
        <translation>Tags du Store appliqués à %1 fichiers sur %2.</translation>
    </message>
    <message>
        <source>the files keep their own tags (--keep-tags).</source>
        <translation>les fichiers gardent leurs propres tags (--keep-tags).</translation>
    </message>
    <message>
        <source>nothing was imported. To import the files with their own tags instead, add --keep-tags.</source>
        <translation>rien n’a été importé. Pour importer plutôt les fichiers avec leurs propres tags, ajoutez --keep-tags.</translation>
    </message>
    <message>
        <source>Importing %1 into %2</source>
        <translation>Importation de %1 dans %2</translation>
    </message>
    <message>
        <source>stopping once the files under way are decoded and imported. Press Ctrl-C again to stop at once.</source>
        <translation>arrêt une fois les fichiers en cours décodés et importés. Appuyez de nouveau sur Ctrl-C pour arrêter immédiatement.</translation>
    </message>
    <message>
        <source>stopping now: the library drops the file it is converting. Press Ctrl-C again to quit without waiting for it.</source>
        <translation>arrêt immédiat : la bibliothèque abandonne le fichier en cours de conversion. Appuyez de nouveau sur Ctrl-C pour quitter sans l’attendre.</translation>
    </message>
    <message>
        <source>
%1 imported, %2 failed, %3 not imported.</source>
        <translation>
Importés : %1, en échec : %2, non importés : %3.</translation>
    </message>
    <message>
        <source>
Not imported:</source>
        <translation>
Non importés :</translation>
    </message>
    <message>
        <source>
Left out of the files:</source>
        <translation>
Laissé de côté dans les fichiers :</translation>
    </message>
    <message numerus="yes">
        <source>the library did not take %n file(s); the reasons are above.</source>
        <translation>
            <numerusform>la bibliothèque n’a pas accepté %n fichier ; les raisons figurent plus haut.</numerusform>
            <numerusform>la bibliothèque n’a pas accepté %n fichiers ; les raisons figurent plus haut.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the library did not take %n file(s): %1</source>
        <translation>
            <numerusform>la bibliothèque n’a pas accepté %n fichier : %1</numerusform>
            <numerusform>la bibliothèque n’a pas accepté %n fichiers : %1</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 left</source>
        <translation>, %1 restantes</translation>
    </message>
    <message>
        <source>done</source>
        <translation>terminé</translation>
    </message>
    <message>
        <source>stopping</source>
        <translation>arrêt en cours</translation>
    </message>
    <message>
        <source>converting %1 of %2%3</source>
        <translation>conversion %1 sur %2%3</translation>
    </message>
    <message>
        <source>decoding</source>
        <translation>décodage</translation>
    </message>
    <message>
        <source>Decoded %1 of %2</source>
        <translation>Décodés : %1 sur %2</translation>
    </message>
    <message>
        <source>, %1 failed</source>
        <translation>, %1 en échec</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Converti</translation>
    </message>
    <message>
        <source>Not converted</source>
        <translation>Non converti</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Fichier</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>État</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Piste</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titre</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Artiste</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Verified</source>
        <translation>Vérifié</translation>
    </message>
    <message numerus="yes">
        <source>%n track(s) of %1</source>
        <translation>
            <numerusform>%n piste de %1</numerusform>
            <numerusform>%n pistes de %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant-library</name>
    <message>
        <source>no command given (%1)</source>
        <translation>aucune commande indiquée (%1)</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot; (%2)</source>
        <translation>commande inconnue « %1 » (%2)</translation>
    </message>
    <message>
        <source>one command at a time, please</source>
        <translation>une seule commande à la fois, s’il vous plaît</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a track ID (see list)</source>
        <translation>« %1 » n’est pas un ID de morceau (voir list)</translation>
    </message>
    <message>
        <source>--artist, --album and --search go with the list command</source>
        <translation>--artist, --album et --search vont avec la commande list</translation>
    </message>
    <message>
        <source>--repair and --verify go with the check command</source>
        <translation>--repair et --verify vont avec la commande check</translation>
    </message>
    <message>
        <source>--encoder, --bitrate and --sound-check go with the settings command</source>
        <translation>--encoder, --bitrate et --sound-check vont avec la commande settings</translation>
    </message>
    <message>
        <source>--sound-check takes on or off, not &quot;%1&quot;</source>
        <translation>--sound-check prend on ou off, pas « %1 »</translation>
    </message>
    <message>
        <source>unknown encoder &quot;%1&quot; (%2)</source>
        <translation>encodeur inconnu « %1 » (%2)</translation>
    </message>
    <message>
        <source>the bit rate &quot;%1&quot; is not a whole number of kbit/s</source>
        <translation>le débit « %1 » n’est pas un nombre entier de kbit/s</translation>
    </message>
    <message>
        <source>The library holds no tracks.</source>
        <translation>La bibliothèque ne contient aucun morceau.</translation>
    </message>
    <message>
        <source>No track matches.</source>
        <translation>Aucun morceau ne correspond.</translation>
    </message>
    <message>
        <source>Use the library in &lt;folder&gt;.</source>
        <translation>Utiliser la bibliothèque située dans &lt;folder&gt;.</translation>
    </message>
    <message>
        <source>Import with &lt;name&gt;: %1.</source>
        <translation>Importer avec &lt;name&gt; : %1.</translation>
    </message>
    <message>
        <source>Import lossy formats at &lt;kbps&gt; kbit/s for stereo; more channels scale with their count (5.1 takes three times as much).</source>
        <translation>Importer les formats avec perte à &lt;kbps&gt; kbit/s en stéréo ; davantage de canaux reçoivent davantage (le 5.1 le triple).</translation>
    </message>
    <message>
        <source>Measure each import&apos;s loudness for Sound Check and ReplayGain: on or off.</source>
        <translation>Mesurer l’intensité sonore de chaque importation pour Sound Check et ReplayGain : on ou off.</translation>
    </message>
    <message>
        <source>With check: mend what is found, saying how.</source>
        <translation>Avec check : corriger ce qui est trouvé, en disant comment.</translation>
    </message>
    <message>
        <source>With check: decode every file again against what its import proved.</source>
        <translation>Avec check : décoder de nouveau chaque fichier et le comparer à ce que son importation a prouvé.</translation>
    </message>
    <message>
        <source>With list: only tracks whose artist or album artist holds &lt;text&gt;, in any case.</source>
        <translation>Avec list : seulement les morceaux dont l’artiste ou l’artiste de l’album contient &lt;text&gt;, sans tenir compte de la casse.</translation>
    </message>
    <message>
        <source>With list: only tracks whose album holds &lt;text&gt;, in any case.</source>
        <translation>Avec list : seulement les morceaux dont l’album contient &lt;text&gt;, sans tenir compte de la casse.</translation>
    </message>
    <message>
        <source>With list: only tracks whose name, artist or album holds &lt;text&gt;, in any case.</source>
        <translation>Avec list : seulement les morceaux dont le nom, l’artiste ou l’album contient &lt;text&gt;, sans tenir compte de la casse.</translation>
    </message>
    <message>
        <source>Try --help.</source>
        <translation>Essayez --help.</translation>
    </message>
    <message>
        <source>Shows and changes Decant&apos;s music library.

Commands:
  info      where the library is, its import settings and how many tracks it holds
  list      a table of the library&apos;s tracks; --artist, --album and --search show
            only those that match
  show ID...
            every property of the tracks with these IDs (see list), with the
            identifiers, credits and release details taggers wrote
  settings  the import settings; change them with --encoder, --bitrate and
            --sound-check
  check     a damaged or lost database, files no track lists, tracks without
            their file, untagged tracks, tracks imported twice, leftovers of
            interrupted imports; --verify decodes every file again against what
            its import proved; --repair mends what is found and says what it
            did, restoring a lost database from its newest backup or
            rebuilding it from the media files&apos; own tags
  remove ID...
            removes the tracks with these IDs (see list), moving their files to
            the trash
  organise  moves every file to where its tags say:
            Media/&lt;album artist or artist&gt;/&lt;album&gt;/&lt;disc-&gt;NN &lt;title&gt;.&lt;extension&gt;

The library is the folder named by DECANT_LIBRARY, else &quot;Decant Library&quot; in
your music folder.

Exit status: 0 on success (check: nothing wrong, or all of it mended), 1 when
the library cannot be read or changed (remove: a track or file that could not
be removed; organise: a file that could not be moved), 2 for bad arguments, 3
when check finds problems (with --repair: problems it could not mend).</source>
        <translation>Affiche et modifie la bibliothèque musicale de Decant.

Commandes :
  info      l’emplacement de la bibliothèque, ses réglages d’importation et
            son nombre de morceaux
  list      un tableau des morceaux de la bibliothèque ; --artist, --album et
            --search n’affichent que ceux qui correspondent
  show ID…
            toutes les propriétés des morceaux de ces ID (voir list), avec les
            identifiants, crédits et détails de parution écrits par les taggers
  settings  les réglages d’importation ; à modifier avec --encoder, --bitrate et
            --sound-check
  check     une base de données endommagée ou perdue, des fichiers qu’aucun
            morceau ne cite, des morceaux sans leur fichier, des morceaux sans
            tags, des morceaux importés deux fois, des restes d’importations
            interrompues ; --verify décode de nouveau chaque fichier et le
            compare à ce que son importation a prouvé ; --repair corrige ce qui
            est trouvé et dit ce qu’il a fait : une base perdue revient de la
            sauvegarde la plus récente ou est reconstruite à partir des tags
            des fichiers
  remove ID…
            supprime les morceaux de ces ID (voir list) et met leurs fichiers
            à la corbeille
  organise  range chaque fichier là où ses tags l’indiquent :
            Media/&lt;artiste de l’album ou artiste&gt;/&lt;album&gt;/&lt;disque-&gt;NN &lt;titre&gt;.&lt;extension&gt;

La bibliothèque est le dossier que nomme DECANT_LIBRARY, sinon « Decant Library »
dans votre dossier Musique.

Code de sortie : 0 en cas de succès (check : rien d’anormal, ou tout corrigé),
1 si la bibliothèque ne peut être lue ou modifiée (remove : un morceau ou un
fichier n’a pu être supprimé ; organise : un fichier n’a pu être déplacé),
2 pour des arguments incorrects, 3 si check trouve des problèmes (avec
--repair : des problèmes qu’il n’a pu corriger).</translation>
    </message>
    <message>
        <source>info, list, show, settings, check, remove or organise</source>
        <translation>info, list, show, settings, check, remove ou organise</translation>
    </message>
    <message>
        <source>%1 needs the IDs of its tracks (see list)</source>
        <translation>%1 a besoin des ID de ses morceaux (voir list)</translation>
    </message>
    <message>
        <source>info, list, show ID..., settings, check, remove ID... or organise</source>
        <translation>info, list, show ID…, settings, check, remove ID… ou organise</translation>
    </message>
    <message>
        <source>Track %1: an image was skipped: %2.</source>
        <translation>Morceau %1 : une image a été ignorée : %2.</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Morceau %1 : %2</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <translation>Encodeur :</translation>
    </message>
    <message>
        <source>Bit rate:</source>
        <translation>Débit :</translation>
    </message>
    <message>
        <source>none (lossless)</source>
        <translation>aucun (sans perte)</translation>
    </message>
    <message>
        <source>%1 kbit/s</source>
        <translation>%1 kbit/s</translation>
    </message>
    <message>
        <source>Sound Check:</source>
        <translation>Sound Check :</translation>
    </message>
    <message>
        <source>none yet</source>
        <translation>aucune pour l’instant</translation>
    </message>
    <message>
        <source>%1, the newest %2</source>
        <translation>%1, la plus récente est %2</translation>
    </message>
    <message>
        <source>the last backup failed: %1</source>
        <translation>la dernière sauvegarde a échoué : %1</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Emplacement :</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>Base :</translation>
    </message>
    <message>
        <source>Media:</source>
        <translation>Médias :</translation>
    </message>
    <message>
        <source>Import:</source>
        <translation>Importation :</translation>
    </message>
    <message>
        <source>Tracks:</source>
        <translation>Morceaux :</translation>
    </message>
    <message>
        <source>Backups:</source>
        <translation>Sauvegardes :</translation>
    </message>
    <message>
        <source>%1 (schema version %2)</source>
        <translation>%1 (version du schéma %2)</translation>
    </message>
    <message>
        <source>%1, Sound Check %2</source>
        <translation>%1, Sound Check %2</translation>
    </message>
    <message>
        <source>cannot store the settings: %1</source>
        <translation>impossible d’enregistrer les réglages : %1</translation>
    </message>
    <message>
        <source>cannot read the library: %1</source>
        <translation>impossible de lire la bibliothèque : %1</translation>
    </message>
</context>
<context>
    <name>decant::AboutDialog</name>
    <message>
        <source>Brings your FLAC files into a music library with their tags.</source>
        <translation>Ajoute vos fichiers FLAC à une bibliothèque musicale avec leurs tags.</translation>
    </message>
    <message>
        <source>Copyright © 2026 the Decant developers. Released under the MIT License.</source>
        <translation>Copyright © 2026 les développeurs de Decant. Publié sous licence MIT.</translation>
    </message>
    <message>
        <source>Built with Qt %1.</source>
        <translation>Compilé avec Qt %1.</translation>
    </message>
    <message>
        <source>The library is in %1</source>
        <translation>La bibliothèque se trouve dans %1</translation>
    </message>
    <message>
        <source>About Decant</source>
        <translation>À propos de Decant</translation>
    </message>
</context>
<context>
    <name>decant::AlacDecoder</name>
    <message>
        <source>the ALAC stream&apos;s configuration cannot be read</source>
        <translation>la configuration du flux ALAC est illisible</translation>
    </message>
    <message>
        <source>the ALAC stream&apos;s configuration is not one this decoder takes</source>
        <translation>ce décodeur ne prend pas en charge la configuration du flux ALAC</translation>
    </message>
    <message>
        <source>an ALAC packet holds an element that is not audio</source>
        <translation>un paquet ALAC contient un élément qui n’est pas de l’audio</translation>
    </message>
    <message>
        <source>an ALAC packet holds more channels than its stream</source>
        <translation>un paquet ALAC contient plus de canaux que son flux</translation>
    </message>
    <message>
        <source>an ALAC packet ends before all of its channels</source>
        <translation>un paquet ALAC se termine avant d’avoir livré tous ses canaux</translation>
    </message>
    <message>
        <source>an ALAC packet gives an impossible number of samples</source>
        <translation>un paquet ALAC indique un nombre d’échantillons impossible</translation>
    </message>
    <message>
        <source>an ALAC packet describes a predictor no decoder takes</source>
        <translation>un paquet ALAC décrit un prédicteur qu’aucun décodeur ne prend en charge</translation>
    </message>
    <message>
        <source>an ALAC packet leaves no bits to its samples</source>
        <translation>un paquet ALAC ne laisse aucun bit à ses échantillons</translation>
    </message>
    <message>
        <source>an ALAC packet ends before its samples do</source>
        <translation>un paquet ALAC se termine avant ses échantillons</translation>
    </message>
</context>
<context>
    <name>decant::ApplicationMain</name>
    <message>
        <source>Decant cannot tell whether it is already running: %1</source>
        <translation>Decant ne peut pas savoir s’il est déjà lancé : %1</translation>
    </message>
    <message>
        <source>Decant cannot take files from later launches: %1</source>
        <translation>Decant ne peut pas recevoir les fichiers des lancements suivants : %1</translation>
    </message>
    <message>
        <source>Decant could not start</source>
        <translation>Decant n’a pas pu démarrer</translation>
    </message>
</context>
<context>
    <name>decant::ArtworkCheck</name>
    <message>
        <source>the image is %1 x %2 pixels, over the pixel limit of %3 x %3</source>
        <translation>l’image fait %1 × %2 pixels, au-delà de la limite de %3 × %3 pixels</translation>
    </message>
    <message>
        <source>FFmpeg lacks its %1 decoder</source>
        <translation>FFmpeg n’a pas de décodeur %1</translation>
    </message>
    <message>
        <source>FFmpeg lacks its image decoder</source>
        <translation>FFmpeg n’a pas de décodeur d’images</translation>
    </message>
    <message>
        <source>the %1 image does not decode: %2</source>
        <translation>l’image %1 ne se décode pas : %2</translation>
    </message>
    <message>
        <source>the image is larger than %1 MiB</source>
        <translation>l’image dépasse %1 Mio</translation>
    </message>
    <message>
        <source>the image is neither JPEG nor PNG (it begins &quot;%1&quot;)</source>
        <translation>l’image n’est ni en JPEG ni en PNG (elle commence par « %1 »)</translation>
    </message>
</context>
<context>
    <name>decant::AudioSource</name>
    <message>
        <source>the file is cut short: its header announces %1 bytes, it holds %2</source>
        <translation>le fichier est tronqué : son en-tête annonce %1 octets, il en contient %2</translation>
    </message>
    <message>
        <source>no audio FFmpeg can decode</source>
        <translation>aucun audio que FFmpeg sache décoder</translation>
    </message>
    <message>
        <source>%1 unnamed channels</source>
        <translation>%1 canaux sans nom</translation>
    </message>
    <message>
        <source>no sample rate or channels</source>
        <translation>pas de fréquence d’échantillonnage ou pas de canaux</translation>
    </message>
</context>
<context>
    <name>decant::CheckCommand</name>
    <message numerus="yes">
        <source>%n problem(s) found; decant-library check --repair mends them.</source>
        <translation>
            <numerusform>%n problème trouvé ; decant-library check --repair le corrige.</numerusform>
            <numerusform>%n problèmes trouvés ; decant-library check --repair les corrige.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>No problems in %n track(s).</source>
        <translation>
            <numerusform>Aucun problème dans %n morceau.</numerusform>
            <numerusform>Aucun problème dans %n morceaux.</numerusform>
        </translation>
    </message>
    <message>
        <source>cannot replace the library&apos;s database: %1</source>
        <translation>impossible de remplacer la base de données de la bibliothèque : %1</translation>
    </message>
    <message>
        <source>check --repair upgrades it first.</source>
        <translation>check --repair la met d’abord à niveau.</translation>
    </message>
    <message numerus="yes">
        <source>No problems in %n track(s); every verified file decodes as it did when it was imported.</source>
        <translation>
            <numerusform>Aucun problème dans %n morceau ; chaque fichier vérifié se décode comme lors de son importation.</numerusform>
            <numerusform>Aucun problème dans %n morceaux ; chaque fichier vérifié se décode comme lors de son importation.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n problem(s) mended, %1 left.</source>
        <translation>
            <numerusform>%n problème corrigé, %1 en suspens.</numerusform>
            <numerusform>%n problèmes corrigés, %1 en suspens.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::ConversionError</name>
    <message>
        <source>converted</source>
        <translation>converti</translation>
    </message>
    <message>
        <source>not a local file</source>
        <translation>pas un fichier local</translation>
    </message>
    <message>
        <source>not a readable file</source>
        <translation>pas un fichier lisible</translation>
    </message>
    <message>
        <source>not a WAV file</source>
        <translation>pas un fichier WAV</translation>
    </message>
    <message>
        <source>audio that cannot be decoded</source>
        <translation>audio impossible à décoder</translation>
    </message>
    <message>
        <source>audio the import format cannot hold</source>
        <translation>audio que le format d’importation ne peut pas contenir</translation>
    </message>
    <message>
        <source>encoding failed</source>
        <translation>l’encodage a échoué</translation>
    </message>
    <message>
        <source>the media file could not be written</source>
        <translation>le fichier média n’a pas pu être écrit</translation>
    </message>
    <message>
        <source>the track could not be recorded</source>
        <translation>le morceau n’a pas pu être inscrit dans la bibliothèque</translation>
    </message>
    <message>
        <source>not converted: the import was stopped</source>
        <translation>non converti : l’importation a été arrêtée</translation>
    </message>
    <message>
        <source>the encoded file does not match its source</source>
        <translation>le fichier encodé ne correspond pas à sa source</translation>
    </message>
</context>
<context>
    <name>decant::CoverArt</name>
    <message>
        <source>A picture that claims %1 was left out: the file holds only %2.</source>
        <translation>Une image annonçant %1 a été écartée : le fichier ne contient que %2.</translation>
    </message>
    <message>
        <source>A picture was left out: its lengths do not fit its block.</source>
        <translation>Une image a été écartée : ses longueurs ne correspondent pas à son bloc.</translation>
    </message>
</context>
<context>
    <name>decant::CueSheet</name>
    <message>
        <source>The CUE sheet lists no tracks.</source>
        <translation>La feuille CUE ne liste aucune piste.</translation>
    </message>
    <message>
        <source>The CUE sheet lists more than 99 tracks, more than a CD holds.</source>
        <translation>La feuille CUE liste plus de 99 pistes, plus qu’un CD n’en contient.</translation>
    </message>
    <message>
        <source>The file is not a CUE sheet that can be read: its lines are out of order or incomplete.</source>
        <translation>Le fichier n’est pas une feuille CUE lisible : ses lignes sont dans le désordre ou incomplètes.</translation>
    </message>
    <message>
        <source>The CUE sheet cannot be read.</source>
        <translation>La feuille CUE ne peut pas être lue.</translation>
    </message>
    <message>
        <source>Track %1 of the CUE sheet has no INDEX 01.</source>
        <translation>La piste %1 de la feuille CUE n’a pas d’INDEX 01.</translation>
    </message>
    <message>
        <source>The file is not a CUE sheet that can be read: a TRACK line is incomplete or comes before any FILE line.</source>
        <translation>Le fichier n’est pas une feuille CUE lisible : une ligne TRACK est incomplète ou précède toute ligne FILE.</translation>
    </message>
    <message>
        <source>The CUE sheet is larger than 1 MB, too large to be a CUE sheet.</source>
        <translation>La feuille CUE dépasse 1 Mo, trop pour une feuille CUE.</translation>
    </message>
    <message>
        <source>The file is not a CUE sheet: it holds bytes that are not text.</source>
        <translation>Le fichier n’est pas une feuille CUE : il contient des octets qui ne sont pas du texte.</translation>
    </message>
    <message>
        <source>The CUE sheet inside the file names several audio files.</source>
        <translation>La feuille CUE du fichier nomme plusieurs fichiers audio.</translation>
    </message>
    <message>
        <source>The CUE sheet&apos;s FILE lines do not name %1.</source>
        <translation>Les lignes FILE de la feuille CUE ne nomment pas %1.</translation>
    </message>
    <message>
        <source>The INDEX times of the CUE sheet do not increase at track %1.</source>
        <translation>Les temps INDEX de la feuille CUE ne croissent pas à la piste %1.</translation>
    </message>
    <message>
        <source>The FLAC file does not say how long its audio is, so its CUE sheet cannot be cut.</source>
        <translation>Le fichier FLAC n’indique pas la durée de son audio : sa feuille CUE ne peut pas être découpée.</translation>
    </message>
    <message>
        <source>Track %1 of the CUE sheet starts at or past the end of the audio.</source>
        <translation>La piste %1 de la feuille CUE commence à la fin de l’audio ou au-delà.</translation>
    </message>
    <message>
        <source>Track %1 of the CUE sheet is too short to hold any audio.</source>
        <translation>La piste %1 de la feuille CUE est trop courte pour contenir de l’audio.</translation>
    </message>
    <message>
        <source>The CUE sheet was not used: %1</source>
        <translation>La feuille CUE n’a pas été utilisée : %1</translation>
    </message>
</context>
<context>
    <name>decant::DamagedFiles</name>
    <message>
        <source>it now gives MD5 %1</source>
        <translation>il donne maintenant le MD5 %1</translation>
    </message>
    <message>
        <source>it no longer decodes: %1</source>
        <translation>il ne se décode plus : %1</translation>
    </message>
    <message>
        <source>Damaged file: %1 of track %2 &quot;%3&quot; changed since it was verified on %4 (%5); %6.</source>
        <translation>Fichier endommagé : %1 du morceau %2 « %3 » a changé depuis sa vérification le %4 (%5) ; %6.</translation>
    </message>
    <message>
        <source>its packets&apos; MD5 %1</source>
        <translation>MD5 de ses paquets %1</translation>
    </message>
    <message>
        <source>the check was stopped</source>
        <translation>la vérification a été arrêtée</translation>
    </message>
</context>
<context>
    <name>decant::DatabaseBackups</name>
    <message>
        <source>cannot create %1: %2</source>
        <translation>impossible de créer %1 : %2</translation>
    </message>
    <message>
        <source>cannot name the backup %1: %2</source>
        <translation>impossible de nommer la sauvegarde %1 : %2</translation>
    </message>
</context>
<context>
    <name>decant::DatabaseError</name>
    <message>
        <source>the database is locked by another program (still busy after %1 s)</source>
        <translation>la base de données est verrouillée par un autre programme (toujours occupée après %1 s)</translation>
    </message>
    <message>
        <source>the database cannot be written (%1)</source>
        <translation>la base de données ne peut pas être écrite (%1)</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>the database file cannot be opened (%1)</source>
        <translation>le fichier de la base de données ne peut pas être ouvert (%1)</translation>
    </message>
    <message>
        <source>the database could not be read or written (%1)</source>
        <translation>la base de données n’a pas pu être lue ou écrite (%1)</translation>
    </message>
    <message>
        <source>the library&apos;s database is damaged (%1); decant-library check --repair mends it</source>
        <translation>la base de données de la bibliothèque est endommagée (%1) ; decant-library check --repair la répare</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>impossible d’ouvrir %1 : %2</translation>
    </message>
    <message>
        <source>cannot use %1: %2</source>
        <translation>impossible d’utiliser %1 : %2</translation>
    </message>
    <message>
        <source>the database refuses write-ahead logging</source>
        <translation>la base de données refuse la journalisation anticipée (WAL)</translation>
    </message>
    <message>
        <source>no library database at %1</source>
        <translation>aucune base de données de bibliothèque à l’emplacement %1</translation>
    </message>
    <message>
        <source>every name like %1 is taken</source>
        <translation>tous les noms du type %1 sont déjà pris</translation>
    </message>
</context>
<context>
    <name>decant::DatabaseRecovery</name>
    <message>
        <source>Passed over the backup %1: %2.</source>
        <translation>Sauvegarde %1 écartée : %2.</translation>
    </message>
    <message>
        <source>it is damaged too (%1)</source>
        <translation>elle est endommagée elle aussi (%1)</translation>
    </message>
    <message>
        <source>check --repair restores the newest backup, or rebuilds the database from the media files&apos; own tags.</source>
        <translation>check --repair restaure la sauvegarde la plus récente, ou reconstruit la base de données à partir des tags des fichiers eux-mêmes.</translation>
    </message>
    <message>
        <source>Missing database: Library.sqlite is gone, but the media folder holds %1 file(s); %2</source>
        <translation>Base de données manquante : Library.sqlite a disparu, mais le dossier Media contient %1 fichier(s) ; %2</translation>
    </message>
    <message>
        <source>Empty database: Library.sqlite has no bytes, but the media folder holds %1 file(s); %2</source>
        <translation>Base de données vide : Library.sqlite ne contient aucun octet, mais le dossier Media contient %1 fichier(s) ; %2</translation>
    </message>
    <message>
        <source>Damaged database: SQLite finds Library.sqlite damaged (%1); %2</source>
        <translation>Base de données endommagée : selon SQLite, Library.sqlite est endommagée (%1) ; %2</translation>
    </message>
    <message>
        <source>Set the empty database aside as %1.</source>
        <translation>Base de données vide mise de côté sous le nom %1.</translation>
    </message>
    <message>
        <source>Set the damaged database aside as %1.</source>
        <translation>Base de données endommagée mise de côté sous le nom %1.</translation>
    </message>
    <message>
        <source>Restored the database from the backup %1.</source>
        <translation>Base de données restaurée à partir de la sauvegarde %1.</translation>
    </message>
    <message>
        <source>Found no backup to restore: made a new database, to be filled from the media files&apos; own tags.</source>
        <translation>Aucune sauvegarde à restaurer : une nouvelle base de données a été créée, à remplir à partir des tags des fichiers eux-mêmes.</translation>
    </message>
    <message>
        <source>cannot set %1 aside: %2</source>
        <translation>impossible de mettre %1 de côté : %2</translation>
    </message>
    <message>
        <source>cannot copy %1: %2</source>
        <translation>impossible de copier %1 : %2</translation>
    </message>
    <message>
        <source>cannot put %1 in place: %2</source>
        <translation>impossible de mettre %1 en place : %2</translation>
    </message>
</context>
<context>
    <name>decant::DecodeBack</name>
    <message>
        <source>it holds no ALAC audio</source>
        <translation>il ne contient pas d’audio ALAC</translation>
    </message>
    <message>
        <source>the source&apos;s sample format &quot;%1&quot; is unknown</source>
        <translation>le format d’échantillon « %1 » de la source est inconnu</translation>
    </message>
    <message>
        <source>its form changes part-way</source>
        <translation>son format change en cours de route</translation>
    </message>
    <message>
        <source>it decodes to %1 channels at %2 Hz, not %3 at %4 Hz</source>
        <translation>il se décode en %1 canaux à %2 Hz, et non %3 à %4 Hz</translation>
    </message>
    <message>
        <source>it decodes to %1 samples a channel, not %2</source>
        <translation>il se décode en %1 échantillons par canal, et non %2</translation>
    </message>
    <message>
        <source>its decoded samples have the MD5 %1, the source&apos;s %2</source>
        <translation>ses échantillons décodés ont le MD5 %1, ceux de la source %2</translation>
    </message>
    <message>
        <source>it cannot be decoded back: %1</source>
        <translation>il ne peut pas être redécodé : %1</translation>
    </message>
    <message>
        <source>its decoded samples have the XXH3 digest %1, the source&apos;s %2</source>
        <translation>ses échantillons décodés ont l’empreinte XXH3 %1, ceux de la source %2</translation>
    </message>
</context>
<context>
    <name>decant::DecodeBatch</name>
    <message>
        <source>needs %1 of temporary space, %2 free</source>
        <translation>nécessite %1 d’espace temporaire, %2 libres</translation>
    </message>
    <message>
        <source>needs %1 of temporary space; %2 are free, all kept for other programs</source>
        <translation>nécessite %1 d’espace temporaire ; %2 sont libres, tous réservés aux autres programmes</translation>
    </message>
    <message>
        <source>needs %1 of temporary space; %2 are free, of which %3 are kept for other programs</source>
        <translation>nécessite %1 d’espace temporaire ; %2 sont libres, dont %3 réservés aux autres programmes</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
</context>
<context>
    <name>decant::DecodeOutcome</name>
    <message>
        <source>decoded</source>
        <translation>décodé</translation>
    </message>
    <message>
        <source>FLAC decoder could not be created</source>
        <translation>le décodeur FLAC n’a pas pu être créé</translation>
    </message>
    <message>
        <source>destination cannot be opened for writing</source>
        <translation>la destination ne peut être ouverte en écriture</translation>
    </message>
    <message>
        <source>destination is the source file</source>
        <translation>la destination est le fichier source</translation>
    </message>
    <message>
        <source>source cannot be read</source>
        <translation>la source est illisible</translation>
    </message>
    <message>
        <source>source is not a regular file</source>
        <translation>la source n’est pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>source is not a FLAC file</source>
        <translation>la source n’est pas un fichier FLAC</translation>
    </message>
    <message>
        <source>stream has no STREAMINFO block</source>
        <translation>le flux n’a pas de bloc STREAMINFO</translation>
    </message>
    <message>
        <source>stream format cannot be written as WAV</source>
        <translation>le format du flux ne peut être écrit en WAV</translation>
    </message>
    <message>
        <source>frame format differs from STREAMINFO</source>
        <translation>le format d’une trame diffère de STREAMINFO</translation>
    </message>
    <message>
        <source>audio too large for a WAV file</source>
        <translation>audio trop volumineux pour un fichier WAV</translation>
    </message>
    <message>
        <source>stream could not be decoded</source>
        <translation>le flux n’a pas pu être décodé</translation>
    </message>
    <message>
        <source>stream ends early</source>
        <translation>le flux se termine trop tôt</translation>
    </message>
    <message>
        <source>disk write failed</source>
        <translation>l’écriture sur le disque a échoué</translation>
    </message>
    <message>
        <source>no space left for the decoded audio</source>
        <translation>plus de place pour l’audio décodé</translation>
    </message>
    <message>
        <source>MD5 signature mismatch</source>
        <translation>signature MD5 non concordante</translation>
    </message>
    <message>
        <source>destination already exists</source>
        <translation>la destination existe déjà</translation>
    </message>
    <message>
        <source>unknown outcome</source>
        <translation>résultat inconnu</translation>
    </message>
    <message>
        <source>stream ends after %1 of %2 samples</source>
        <translation>le flux se termine après %1 échantillons sur %2</translation>
    </message>
    <message>
        <source>the CUE sheet&apos;s tracks do not fit the stream</source>
        <translation>les pistes de la feuille CUE ne correspondent pas au flux</translation>
    </message>
</context>
<context>
    <name>decant::DirectoryWalk</name>
    <message>
        <source>not a regular file</source>
        <translation>pas un fichier ordinaire</translation>
    </message>
    <message>
        <source>folder cannot be read</source>
        <translation>dossier illisible</translation>
    </message>
    <message>
        <source>folder cannot be read to its end</source>
        <translation>dossier illisible jusqu’au bout</translation>
    </message>
    <message>
        <source>cannot be examined</source>
        <translation>impossible à examiner</translation>
    </message>
    <message>
        <source>link leads nowhere</source>
        <translation>lien qui ne mène nulle part</translation>
    </message>
</context>
<context>
    <name>decant::DiskSpace</name>
    <message>
        <source>the library&apos;s disk is full</source>
        <translation>le disque de la bibliothèque est plein</translation>
    </message>
    <message>
        <source>the library&apos;s disk is full: %1 free of %2</source>
        <translation>le disque de la bibliothèque est plein : %1 libres sur %2</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 octets</translation>
    </message>
</context>
<context>
    <name>decant::EncodingPlan</name>
    <message>
        <source>FFmpeg lacks the %1 encoder or muxer</source>
        <translation>FFmpeg n’a pas d’encodeur ou de multiplexeur %1</translation>
    </message>
    <message>
        <source>the file holds no audio</source>
        <translation>le fichier ne contient pas d’audio</translation>
    </message>
    <message>
        <source>%1-bit floating-point</source>
        <translation>virgule flottante sur %1 bits</translation>
    </message>
    <message>
        <source>%1-bit integer</source>
        <translation>entier sur %1 bits</translation>
    </message>
    <message>
        <source>%1 cannot encode the channel layout %2</source>
        <translation>%1 ne sait pas encoder la disposition de canaux %2</translation>
    </message>
    <message>
        <source>%1 cannot keep %2 samples exactly</source>
        <translation>%1 ne peut pas conserver exactement des échantillons au format %2</translation>
    </message>
    <message>
        <source>%1 keeps at most %2 bits a sample; this audio has %3 samples</source>
        <translation>%1 conserve au plus %2 bits par échantillon ; cet audio a des échantillons au format %3</translation>
    </message>
    <message>
        <source>FFmpeg lacks the %1 encoder</source>
        <translation>FFmpeg n’a pas d’encodeur %1</translation>
    </message>
    <message>
        <source>%1 keeps at most %2 bits a sample, and this audio&apos;s %3 samples do not fit in %2</source>
        <translation>%1 conserve au plus %2 bits par échantillon, et les échantillons de cet audio, au format %3, ne tiennent pas sur %2 bits</translation>
    </message>
</context>
<context>
    <name>decant::FileError</name>
    <message>
        <source>the disk is full</source>
        <translation>le disque est plein</translation>
    </message>
    <message>
        <source>the file system is mounted read-only</source>
        <translation>le système de fichiers est monté en lecture seule</translation>
    </message>
    <message>
        <source>this user may not write there</source>
        <translation>cet utilisateur n’a pas le droit d’y écrire</translation>
    </message>
</context>
<context>
    <name>decant::FileImport</name>
    <message>
        <source>cannot flush %1 to disk</source>
        <translation>impossible d’écrire %1 sur le disque</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>impossible d’écrire dans %1 : %2</translation>
    </message>
</context>
<context>
    <name>decant::FileMoves</name>
    <message>
        <source>Could not read the journal of interrupted imports: %1</source>
        <translation>Impossible de lire le journal des importations interrompues : %1</translation>
    </message>
    <message>
        <source>Removed track %1: its file %2 never reached the library.</source>
        <translation>Morceau %1 supprimé : son fichier %2 n’est jamais arrivé dans la bibliothèque.</translation>
    </message>
    <message>
        <source>Could not remove track %1, whose file %2 never reached the library: %3</source>
        <translation>Impossible de supprimer le morceau %1, dont le fichier %2 n’est jamais arrivé dans la bibliothèque : %3</translation>
    </message>
    <message>
        <source>Finished moving the file of track %1 from %2 to %3, which an interrupted move left undone.</source>
        <translation>Déplacement du fichier du morceau %1 de %2 vers %3 achevé : un déplacement interrompu l’avait laissé en suspens.</translation>
    </message>
    <message>
        <source>Finished putting %1 in place for track %2, which an interrupted import left undone.</source>
        <translation>Mise en place de %1 pour le morceau %2 achevée : une importation interrompue l’avait laissée en suspens.</translation>
    </message>
    <message>
        <source>Could not finish moving the file of track %1, which keeps %2: %3</source>
        <translation>Impossible d’achever le déplacement du fichier du morceau %1, qui garde %2 : %3</translation>
    </message>
    <message>
        <source>Could not finish the interrupted import of track %1: %2</source>
        <translation>Impossible d’achever l’importation interrompue du morceau %1 : %2</translation>
    </message>
    <message>
        <source>Could not record the end of interrupted imports: %1</source>
        <translation>Impossible d’enregistrer la fin des importations interrompues : %1</translation>
    </message>
    <message>
        <source>Could not read the journal of interrupted removals: %1</source>
        <translation>Impossible de lire le journal des suppressions interrompues : %1</translation>
    </message>
    <message>
        <source>Could not finish removing %1: %2</source>
        <translation>Impossible d’achever la suppression de %1 : %2</translation>
    </message>
    <message>
        <source>Moved %1 to the trash, which the interrupted removal of its track left undone.</source>
        <translation>%1 mis à la corbeille : la suppression interrompue de son morceau l’avait laissé en suspens.</translation>
    </message>
    <message>
        <source>cannot move %1 to %2: %3</source>
        <translation>impossible de déplacer %1 vers %2 : %3</translation>
    </message>
    <message>
        <source>cannot move %1 into place: %2</source>
        <translation>impossible de mettre %1 en place : %2</translation>
    </message>
    <message>
        <source>cannot move %1 to the trash: %2</source>
        <translation>impossible de mettre %1 à la corbeille : %2</translation>
    </message>
    <message>
        <source>cannot create a file in %1: %2</source>
        <translation>impossible de créer un fichier dans %1 : %2</translation>
    </message>
</context>
<context>
    <name>decant::FilesController</name>
    <message>
        <source>Verified: %1</source>
        <translation>Vérifié : %1</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>fichier ou dossier introuvable</translation>
    </message>
    <message>
        <source>cannot be examined (%1)</source>
        <translation>ne peut être examiné (%1)</translation>
    </message>
    <message>
        <source>not named as a FLAC file</source>
        <translation>pas nommé comme un fichier FLAC</translation>
    </message>
    <message>
        <source>not a file on this machine</source>
        <translation>pas un fichier de cette machine</translation>
    </message>
    <message>
        <source>the CUE sheet names no FLAC file in its folder</source>
        <translation>la feuille CUE ne nomme aucun fichier FLAC de son dossier</translation>
    </message>
</context>
<context>
    <name>decant::FolderOpener</name>
    <message>
        <source>Cannot open %1: neither a desktop portal nor xdg-open is available. Install xdg-desktop-portal or xdg-utils.</source>
        <translation>Impossible d’ouvrir %1 : ni portail de bureau ni xdg-open n’est disponible. Installez xdg-desktop-portal ou xdg-utils.</translation>
    </message>
    <message>
        <source>Cannot open %1: %2 did not start.</source>
        <translation>Impossible d’ouvrir %1 : %2 n’a pas pu démarrer.</translation>
    </message>
</context>
<context>
    <name>decant::HelpDialog</name>
    <message>
        <source>Decant decodes FLAC files, checks each against the signature stored inside it, and hands them to the music library with their tags.</source>
        <translation>Decant décode les fichiers FLAC, vérifie chacun d’après la signature qu’il contient et les confie à la bibliothèque musicale avec leurs tags.</translation>
    </message>
    <message>
        <source>Add files with Add Files… (Ctrl+O) or Add Folder… (Ctrl+Shift+O), or drop them on the table. Start (Ctrl+Return) decodes the queue and adds it to the library.</source>
        <translation>Ajoutez des fichiers avec « Ajouter des fichiers… » (Ctrl+O) ou « Ajouter un dossier… » (Ctrl+Maj+O), ou déposez-les sur le tableau. « Démarrer » (Ctrl+Entrée) décode la file d’attente et l’ajoute à la bibliothèque.</translation>
    </message>
    <message>
        <source>Select a file to read in the status bar why it failed. Tab and Shift+Tab move between the toolbar, the table and the status bar.</source>
        <translation>Sélectionnez un fichier pour lire dans la barre d’état pourquoi il a échoué. Tab et Maj+Tab passent de la barre d’outils au tableau et à la barre d’état.</translation>
    </message>
    <message>
        <source>Open Library Folder (Ctrl+Shift+L) shows where the library keeps its files. The manual pages decant(1), decant-cli(1) and decant-library(1) say more.</source>
        <translation>« Ouvrir le dossier de la bibliothèque » (Ctrl+Maj+L) montre où la bibliothèque range ses fichiers. Les pages de manuel decant(1), decant-cli(1) et decant-library(1) en disent plus.</translation>
    </message>
    <message>
        <source>Decant Help</source>
        <translation>Aide de Decant</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Texte d’aide</translation>
    </message>
    <message>
        <source>Stop (Ctrl+.) ends a run: the files not yet in the library wait for the next Start. Delete takes the selected files out of the queue, F2 edits a tag before the import, and Ctrl+Z undoes that edit.</source>
        <translation>Arrêter (Ctrl+.) met fin à une importation : les fichiers pas encore dans la bibliothèque attendent le prochain démarrage. Suppr retire de la file d’attente les fichiers choisis, F2 modifie un tag avant l’importation, et Ctrl+Z annule cette modification.</translation>
    </message>
    <message>
        <source>Preferences (Ctrl+,) choose the format the library imports in; the Library window (Ctrl+L) lists its tracks, finds them in the file manager, and checks every file against its proof (Ctrl+Shift+C).</source>
        <translation>Les préférences (Ctrl+,) choisissent le format d’importation de la bibliothèque ; la fenêtre Bibliothèque (Ctrl+L) liste ses morceaux, les montre dans le gestionnaire de fichiers et vérifie chaque fichier d’après sa preuve (Ctrl+Maj+C).</translation>
    </message>
</context>
<context>
    <name>decant::ImportSettings</name>
    <message>
        <source>%1 is lossless and takes no bit rate</source>
        <translation>%1 est sans perte et ne prend pas de débit</translation>
    </message>
    <message>
        <source>mp3 takes one of these bit rates (kbit/s): %1</source>
        <translation>mp3 accepte l’un de ces débits (kbit/s) : %1</translation>
    </message>
    <message>
        <source>%1 takes a bit rate from %2 to %3 kbit/s</source>
        <translation>%1 accepte un débit de %2 à %3 kbit/s</translation>
    </message>
    <message>
        <source>%1 (lossless)</source>
        <translation>%1 (sans perte)</translation>
    </message>
    <message>
        <source>%1, %2 kbit/s</source>
        <translation>%1, %2 kbit/s</translation>
    </message>
</context>
<context>
    <name>decant::Library</name>
    <message>
        <source>Could not find the tracks whose tags an interrupted save left unwritten: %1</source>
        <translation>Impossible de trouver les morceaux dont un enregistrement interrompu a laissé les tags non écrits : %1</translation>
    </message>
    <message>
        <source>Left the half-written files of interrupted imports: %1</source>
        <translation>Fichiers à moitié écrits des importations interrompues laissés en place : %1</translation>
    </message>
    <message>
        <source>Removed %1, left half-written by an interrupted import.</source>
        <translation>%1 supprimé, laissé à moitié écrit par une importation interrompue.</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>impossible de créer %1 : %2</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>impossible d’écrire dans %1 : %2</translation>
    </message>
    <message>
        <source>no library folder given</source>
        <translation>aucun dossier de bibliothèque indiqué</translation>
    </message>
    <message>
        <source>no library at %1 (Decant makes it when it first adds tracks)</source>
        <translation>aucune bibliothèque dans %1 (Decant la crée la première fois qu’il ajoute des morceaux)</translation>
    </message>
    <message>
        <source>the library&apos;s database %1 is empty, but its media folder holds %2 file(s): decant-library check --repair rebuilds it from them</source>
        <translation>la base de données %1 de la bibliothèque est vide, mais son dossier Media contient %2 fichier(s) : decant-library check --repair la reconstruit à partir de ceux-ci</translation>
    </message>
    <message>
        <source>the library&apos;s database %1 is missing, but its media folder holds %2 file(s): decant-library check --repair rebuilds it from them</source>
        <translation>la base de données %1 de la bibliothèque est absente, mais son dossier Media contient %2 fichier(s) : decant-library check --repair la reconstruit à partir de ceux-ci</translation>
    </message>
    <message>
        <source>there is no track %1</source>
        <translation>il n’y a pas de morceau %1</translation>
    </message>
    <message>
        <source>the track is gone, but its file %1 could not be removed</source>
        <translation>le morceau a été supprimé, mais pas son fichier %1</translation>
    </message>
    <message>
        <source>its file %1 is there after all</source>
        <translation>son fichier %1 est finalement bien là</translation>
    </message>
    <message>
        <source>its file is missing</source>
        <translation>son fichier manque</translation>
    </message>
    <message>
        <source>the library is open for reading only</source>
        <translation>la bibliothèque est ouverte en lecture seule</translation>
    </message>
    <message>
        <source>its tags are written, but its file could not be moved: %1</source>
        <translation>ses tags sont écrits, mais son fichier n’a pas pu être déplacé : %1</translation>
    </message>
    <message>
        <source>its tags are written, but the library could not record that: %1</source>
        <translation>ses tags sont écrits, mais la bibliothèque n’a pas pu le noter : %1</translation>
    </message>
    <message>
        <source>cannot copy %1: %2</source>
        <translation>impossible de copier %1 : %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>impossible d’écrire %1 : %2</translation>
    </message>
    <message>
        <source>%1 moved while its tags were written; they wait for the next save</source>
        <translation>%1 a été déplacé pendant l’écriture de ses tags ; ils attendent le prochain enregistrement</translation>
    </message>
    <message>
        <source>cannot replace %1: %2</source>
        <translation>impossible de remplacer %1 : %2</translation>
    </message>
    <message>
        <source>its file is still on its way into place</source>
        <translation>son fichier est encore en cours de mise en place</translation>
    </message>
    <message>
        <source>the track is no longer in the library</source>
        <translation>le morceau n’est plus dans la bibliothèque</translation>
    </message>
    <message>
        <source>track %1 is being imported again; try once that is done</source>
        <translation>le morceau %1 est en cours de réimportation ; réessayez une fois celle-ci terminée</translation>
    </message>
    <message>
        <source>another track holds the same source and audio</source>
        <translation>un autre morceau a la même source et le même audio</translation>
    </message>
</context>
<context>
    <name>decant::LibraryApplication</name>
    <message>
        <source>the library at %1 could not be opened: %2</source>
        <translation>la bibliothèque dans %1 n’a pas pu être ouverte : %2</translation>
    </message>
    <message>
        <source>the track is no longer in the library</source>
        <translation>le morceau n’est plus dans la bibliothèque</translation>
    </message>
</context>
<context>
    <name>decant::LibraryChanges</name>
    <message>
        <source>cannot remove track %1: %2</source>
        <translation>impossible de supprimer le morceau %1 : %2</translation>
    </message>
    <message>
        <source>Removed track %1 &quot;%2&quot;.</source>
        <translation>Morceau %1 « %2 » supprimé.</translation>
    </message>
    <message>
        <source>%1; it stays where it was.</source>
        <translation>%1 ; le fichier reste où il était.</translation>
    </message>
    <message>
        <source>Removed track %1 &quot;%2&quot;; its file %3 is in the trash.</source>
        <translation>Morceau %1 « %2 » supprimé ; son fichier %3 est dans la corbeille.</translation>
    </message>
    <message>
        <source>cannot organise the library: %1</source>
        <translation>impossible de ranger la bibliothèque : %1</translation>
    </message>
    <message>
        <source>Moved %1 to %2.</source>
        <translation>%1 déplacé vers %2.</translation>
    </message>
    <message>
        <source>left track %1 at %2: %3</source>
        <translation>morceau %1 laissé à %2 : %3</translation>
    </message>
    <message>
        <source>Every file is where its tags say.</source>
        <translation>Chaque fichier est là où ses tags l’indiquent.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) moved, %1 left.</source>
        <translation>
            <numerusform>%n fichier déplacé, %1 en suspens.</numerusform>
            <numerusform>%n fichiers déplacés, %1 en suspens.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::LibraryCheck</name>
    <message>
        <source>track %1 &quot;%2&quot;</source>
        <translation>le morceau %1 « %2 »</translation>
    </message>
    <message>
        <source>Lost file: %1 holds track %2, whose file %3 is missing.</source>
        <translation>Fichier perdu : %1 contient le morceau %2, dont le fichier %3 manque.</translation>
    </message>
    <message>
        <source>Lost track: %1 holds &quot;%2&quot; (source %3), which the database lacks.</source>
        <translation>Morceau perdu : %1 contient « %2 » (source %3), absent de la base de données.</translation>
    </message>
    <message>
        <source>Orphaned file: no track lists %1, a second copy of track %2.</source>
        <translation>Fichier orphelin : aucun morceau ne cite %1, seconde copie du morceau %2.</translation>
    </message>
    <message>
        <source>Orphaned file: no track lists %1.</source>
        <translation>Fichier orphelin : aucun morceau ne cite %1.</translation>
    </message>
    <message>
        <source>Half-written file: %1 was left by an interrupted import.</source>
        <translation>Fichier à moitié écrit : %1 a été laissé par une importation interrompue.</translation>
    </message>
    <message>
        <source>Duplicate: %1 holds the same source and audio as track %2.</source>
        <translation>Doublon : %1 a la même source et le même audio que le morceau %2.</translation>
    </message>
    <message>
        <source>Missing file: %1 has no file %2.</source>
        <translation>Fichier manquant : %1 n’a plus son fichier %2.</translation>
    </message>
    <message>
        <source>Untagged track: %1 is still named after its source; no tags were ever set on it.</source>
        <translation>Morceau sans tags : %1 porte encore le nom de sa source ; il n’a jamais reçu de tags.</translation>
    </message>
    <message>
        <source>Tags not written: %1 has tags that %2 lacks.</source>
        <translation>Tags non écrits : %1 a des tags qui manquent dans %2.</translation>
    </message>
    <message>
        <source>Could not remove track %1: %2</source>
        <translation>Impossible de supprimer le morceau %1 : %2</translation>
    </message>
    <message>
        <source>Interrupted import: track %1 was still being put in place as %2.</source>
        <translation>Importation interrompue : le morceau %1 était encore en cours de mise en place sous %2.</translation>
    </message>
    <message>
        <source>Backup failed: the last copy of the database could not be made: %1.</source>
        <translation>Échec de la sauvegarde : la dernière copie de la base de données n’a pas pu être faite : %1.</translation>
    </message>
    <message>
        <source>Could not recover the track in %1: %2.</source>
        <translation>Impossible de récupérer le morceau contenu dans %1 : %2.</translation>
    </message>
    <message>
        <source>Gave track %1 back its file %2.</source>
        <translation>Le morceau %1 a retrouvé son fichier %2.</translation>
    </message>
    <message>
        <source>Added track %1 back from %2, whose own tags held it.</source>
        <translation>Morceau %1 rajouté à partir de %2, dont les propres tags le contenaient.</translation>
    </message>
    <message>
        <source>Could not back the database up: %1.</source>
        <translation>Impossible de sauvegarder la base de données : %1.</translation>
    </message>
    <message>
        <source>Backed the database up as %1.</source>
        <translation>Base de données sauvegardée sous %1.</translation>
    </message>
    <message>
        <source>Left track %1: its file could not be put in place.</source>
        <translation>Morceau %1 laissé tel quel : son fichier n’a pas pu être mis en place.</translation>
    </message>
    <message>
        <source>Removed %1, left half-written by an interrupted import.</source>
        <translation>%1 supprimé, laissé à moitié écrit par une importation interrompue.</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>Impossible de supprimer %1.</translation>
    </message>
    <message>
        <source>Left %1 where it is, as the database was just rebuilt: look at it, and run check --repair again to move it to the trash.</source>
        <translation>%1 laissé en place, car la base de données vient d’être reconstruite : examinez-le, puis relancez check --repair pour le mettre à la corbeille.</translation>
    </message>
    <message>
        <source>Left %1: a track lists it now.</source>
        <translation>%1 laissé en place : un morceau le cite désormais.</translation>
    </message>
    <message>
        <source>Moved %1 to the trash: no track lists it.</source>
        <translation>%1 mis à la corbeille : aucun morceau ne le cite.</translation>
    </message>
    <message>
        <source>Could not move %1 to the trash: %2.</source>
        <translation>Impossible de mettre %1 à la corbeille : %2.</translation>
    </message>
    <message>
        <source>Removed track %1, whose file %2 is missing; importing its FLAC file again brings it back.</source>
        <translation>Morceau %1 supprimé, car son fichier %2 manque ; réimporter son fichier FLAC le fait revenir.</translation>
    </message>
    <message>
        <source>Left track %1 and its file %2, as the database was just rebuilt: run check --repair again to remove them.</source>
        <translation>Morceau %1 et son fichier %2 laissés en place, car la base de données vient d’être reconstruite : relancez check --repair pour les supprimer.</translation>
    </message>
    <message>
        <source>Removed track %1 and its file %2: track %3 holds the same source and audio.</source>
        <translation>Morceau %1 et son fichier %2 supprimés : le morceau %3 a la même source et le même audio.</translation>
    </message>
    <message>
        <source>Left track %1 untagged: importing its FLAC file again tags it.</source>
        <translation>Morceau %1 laissé sans tags : réimporter son fichier FLAC lui en donne.</translation>
    </message>
    <message>
        <source>Could not mark track %1 to be encoded again: %2.</source>
        <translation>Impossible de marquer le morceau %1 pour un nouvel encodage : %2.</translation>
    </message>
    <message>
        <source>Marked track %1 to be encoded again: importing its FLAC file replaces the damaged %2.</source>
        <translation>Morceau %1 marqué pour un nouvel encodage : réimporter son fichier FLAC remplace le fichier endommagé %2.</translation>
    </message>
    <message>
        <source>Left the tags of track %1 to the process writing them now.</source>
        <translation>Tags du morceau %1 laissés au processus qui les écrit en ce moment.</translation>
    </message>
    <message>
        <source>Could not write the tags of track %1 into %2: %3.</source>
        <translation>Impossible d’écrire les tags du morceau %1 dans %2 : %3.</translation>
    </message>
    <message>
        <source>Wrote the tags of track %1 into %2.</source>
        <translation>Tags du morceau %1 écrits dans %2.</translation>
    </message>
</context>
<context>
    <name>decant::LibraryCheckDialog</name>
    <message>
        <source>Check Library</source>
        <translation>Vérifier la bibliothèque</translation>
    </message>
    <message>
        <source>Check result</source>
        <translation>Résultat de la vérification</translation>
    </message>
    <message>
        <source>Check progress</source>
        <translation>Avancement de la vérification</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Constats</translation>
    </message>
    <message>
        <source>&amp;Repair</source>
        <translation>&amp;Réparer</translation>
    </message>
    <message>
        <source>Repair the library</source>
        <translation>Réparer la bibliothèque</translation>
    </message>
    <message>
        <source>Decoding every file again to compare it with its proof…</source>
        <translation>Chaque fichier est décodé de nouveau et comparé à sa preuve…</translation>
    </message>
    <message>
        <source>Repairing, then decoding every file again…</source>
        <translation>Réparation, puis nouveau décodage de chaque fichier…</translation>
    </message>
    <message numerus="yes">
        <source>%n problem(s) found.</source>
        <translation>
            <numerusform>%n problème trouvé.</numerusform>
            <numerusform>%n problèmes trouvés.</numerusform>
        </translation>
    </message>
    <message>
        <source>The library could not be checked: %1</source>
        <translation>La bibliothèque n’a pas pu être vérifiée : %1</translation>
    </message>
</context>
<context>
    <name>decant::LibrarySettings</name>
    <message>
        <source>no such encoder: %1</source>
        <translation>encodeur inconnu : %1</translation>
    </message>
</context>
<context>
    <name>decant::LibraryTableModel</name>
    <message>
        <source>%1 dB</source>
        <translation>%1 dB</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Nom</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Artiste</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Piste</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Disque</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Type</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Gain</translation>
    </message>
    <message>
        <source>Verified</source>
        <translation>Vérifié</translation>
    </message>
    <message>
        <source>Cover</source>
        <translation>Pochette</translation>
    </message>
</context>
<context>
    <name>decant::LibraryWindow</name>
    <message>
        <source>Library</source>
        <translation>Bibliothèque</translation>
    </message>
    <message>
        <source>Search names, artists and albums</source>
        <translation>Chercher dans les noms, artistes et albums</translation>
    </message>
    <message>
        <source>Search the library</source>
        <translation>Chercher dans la bibliothèque</translation>
    </message>
    <message>
        <source>Library tracks</source>
        <translation>Morceaux de la bibliothèque</translation>
    </message>
    <message>
        <source>&amp;Track</source>
        <translation>&amp;Morceau</translation>
    </message>
    <message>
        <source>&amp;Show in File Manager</source>
        <translation>&amp;Afficher dans le gestionnaire de fichiers</translation>
    </message>
    <message>
        <source>Move to &amp;Trash…</source>
        <translation>Mettre à la &amp;corbeille…</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Rechercher</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Recharger</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>&amp;Fermer</translation>
    </message>
    <message>
        <source>Reading the library…</source>
        <translation>Lecture de la bibliothèque…</translation>
    </message>
    <message>
        <source>There is no library yet at %1: the first import makes it.</source>
        <translation>Il n’y a pas encore de bibliothèque dans %1 : la première importation la crée.</translation>
    </message>
    <message>
        <source>The library cannot be read now: %1</source>
        <translation>La bibliothèque ne peut pas être lue pour l’instant : %1</translation>
    </message>
    <message numerus="yes">
        <source>%n track(s)</source>
        <translation>
            <numerusform>%n morceau</numerusform>
            <numerusform>%n morceaux</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n track(s)</source>
        <translation>
            <numerusform>%1 sur %n morceau</numerusform>
            <numerusform>%1 sur %n morceaux</numerusform>
        </translation>
    </message>
    <message>
        <source>No application could open %1.</source>
        <translation>Aucune application n’a pu ouvrir %1.</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>Mettre à la corbeille</translation>
    </message>
    <message>
        <source>Remove “%1” from the library and move its file to the trash?</source>
        <translation>Retirer « %1 » de la bibliothèque et mettre son fichier à la corbeille ?</translation>
    </message>
    <message>
        <source>&amp;Library</source>
        <translation>&amp;Bibliothèque</translation>
    </message>
    <message>
        <source>&amp;Check Library…</source>
        <translation>&amp;Vérifier la bibliothèque…</translation>
    </message>
</context>
<context>
    <name>decant::MainWindow</name>
    <message>
        <source>Freed %1 of decoded audio left by an earlier run.</source>
        <translation>%1 d’audio décodé laissé par une exécution précédente libéré.</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Arrêt en cours…</translation>
    </message>
    <message>
        <source>The tags from before the fetch are back.</source>
        <translation>Les tags d’avant la récupération sont rétablis.</translation>
    </message>
    <message>
        <source>Decant has finished</source>
        <translation>Decant a terminé</translation>
    </message>
    <message>
        <source>The library does not say where it keeps its files.</source>
        <translation>La bibliothèque n’indique pas où elle range ses fichiers.</translation>
    </message>
    <message>
        <source>The library&apos;s folder, %1, is made at the first import.</source>
        <translation>Le dossier de la bibliothèque, %1, est créé lors de la première importation.</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Ajouter des fichiers</translation>
    </message>
    <message>
        <source>FLAC files (*.flac *.FLAC *.Flac)</source>
        <translation>Fichiers FLAC (*.flac *.FLAC *.Flac)</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ajouter un dossier</translation>
    </message>
    <message>
        <source>&amp;Undo Tag Edit</source>
        <translation>&amp;Annuler la modification des tags</translation>
    </message>
    <message>
        <source>The tags from before the edit are back.</source>
        <translation>Les tags d’avant la modification sont rétablis.</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Préférences…</translation>
    </message>
    <message>
        <source>Choose the format the library imports in</source>
        <translation>Choisir le format dans lequel la bibliothèque importe</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>Fe&amp;nêtre</translation>
    </message>
    <message>
        <source>&amp;Library</source>
        <translation>&amp;Bibliothèque</translation>
    </message>
    <message>
        <source>Show the tracks in the library</source>
        <translation>Afficher les morceaux de la bibliothèque</translation>
    </message>
</context>
<context>
    <name>decant::MediaRecovery</name>
    <message>
        <source>Could not read %1: %2</source>
        <translation>Impossible de lire %1 : %2</translation>
    </message>
    <message>
        <source>Left %1 where it is: it is a second copy of track %2.</source>
        <translation>%1 laissé en place : c’est une seconde copie du morceau %2.</translation>
    </message>
    <message>
        <source>Could not recover %1: %2</source>
        <translation>Impossible de récupérer %1 : %2</translation>
    </message>
    <message numerus="yes">
        <source>Recovered %n track(s) from their files&apos; own tags: %1 added, %2 brought up to date with their files, %3 given back a file that had moved. Track IDs may differ from before.</source>
        <translation>
            <numerusform>%n morceau récupéré à partir des tags de son propre fichier (ajouts : %1, mises à jour d’après le fichier : %2, fichiers déplacés retrouvés : %3). Les ID des morceaux peuvent avoir changé.</numerusform>
            <numerusform>%n morceaux récupérés à partir des tags de leurs propres fichiers (ajouts : %1, mises à jour d’après le fichier : %2, fichiers déplacés retrouvés : %3). Les ID des morceaux peuvent avoir changé.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not set the import settings of the tracks (%1): %2</source>
        <translation>Impossible d’appliquer les réglages d’importation des morceaux (%1) : %2</translation>
    </message>
    <message numerus="yes">
        <source>Set the import settings to those of %n track(s): %1.</source>
        <translation>
            <numerusform>Réglages d’importation alignés sur ceux de %n morceau : %1.</numerusform>
            <numerusform>Réglages d’importation alignés sur ceux de %n morceaux : %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of them came from files that do not say which FLAC file they were imported from (made by an older version, or put there by hand): importing that FLAC file again adds a second track.</source>
        <translation>
            <numerusform>%n d’entre eux provient d’un fichier qui n’indique pas de quel fichier FLAC il a été importé (créé par une ancienne version, ou déposé à la main) : réimporter ce fichier FLAC ajoute un second morceau.</numerusform>
            <numerusform>%n d’entre eux proviennent de fichiers qui n’indiquent pas de quel fichier FLAC ils ont été importés (créés par une ancienne version, ou déposés à la main) : réimporter ce fichier FLAC ajoute un second morceau.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::MetadataFetchCommand</name>
    <message>
        <source>Fetch Metadata From iTunes</source>
        <translation>Récupérer les métadonnées depuis iTunes</translation>
    </message>
    <message>
        <source>Enter iTunes Store URL:</source>
        <translation>Adresse de l’iTunes Store :</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
    <message>
        <source>Not a store album address: nothing changed. %1</source>
        <translation>Ce n’est pas l’adresse d’un album du Store : rien n’a changé. %1</translation>
    </message>
    <message>
        <source>%1 Nothing changed.</source>
        <translation>%1 Rien n’a changé.</translation>
    </message>
    <message>
        <source>The page gave no songs: nothing changed.</source>
        <translation>La page n’a fourni aucun morceau : rien n’a changé.</translation>
    </message>
    <message>
        <source>The queue is empty: nothing changed.</source>
        <translation>La file d’attente est vide : rien n’a changé.</translation>
    </message>
    <message numerus="yes">
        <source>%n song(s) applied</source>
        <translation>
            <numerusform>%n morceau appliqué</numerusform>
            <numerusform>%n morceaux appliqués</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n file(s) beyond the album&apos;s end keep their tags</source>
        <translation>
            <numerusform>; %n fichier au-delà de la fin de l’album garde ses tags</numerusform>
            <numerusform>; %n fichiers au-delà de la fin de l’album gardent leurs tags</numerusform>
        </translation>
    </message>
    <message>
        <source> of the album&apos;s %1</source>
        <translation> sur les %1 de l’album</translation>
    </message>
    <message>
        <source>Reading the album from the iTunes Store…</source>
        <translation>Lecture de l’album depuis l’iTunes Store…</translation>
    </message>
    <message>
        <source>Fetch cancelled: nothing changed.</source>
        <translation>Récupération annulée : rien n’a changé.</translation>
    </message>
</context>
<context>
    <name>decant::PageLoader</name>
    <message>
        <source>The page was read.</source>
        <translation>La page a été lue.</translation>
    </message>
    <message>
        <source>The server did not answer.</source>
        <translation>Le serveur n’a pas répondu.</translation>
    </message>
    <message>
        <source>The server stopped answering.</source>
        <translation>Le serveur a cessé de répondre.</translation>
    </message>
    <message>
        <source>The server took too long to send the page.</source>
        <translation>Le serveur a mis trop de temps à envoyer la page.</translation>
    </message>
    <message>
        <source>The page is too large.</source>
        <translation>La page est trop volumineuse.</translation>
    </message>
    <message>
        <source>The page arrived damaged (it does not decompress).</source>
        <translation>La page est arrivée endommagée (elle ne se décompresse pas).</translation>
    </message>
    <message>
        <source>The read was interrupted.</source>
        <translation>La lecture a été interrompue.</translation>
    </message>
    <message>
        <source>The read was cancelled.</source>
        <translation>La lecture a été annulée.</translation>
    </message>
</context>
<context>
    <name>decant::PreferencesDialog</name>
    <message>
        <source>AAC</source>
        <translation>AAC</translation>
    </message>
    <message>
        <source>Apple Lossless</source>
        <translation>Apple Lossless</translation>
    </message>
    <message>
        <source>MP3</source>
        <translation>MP3</translation>
    </message>
    <message>
        <source>Opus</source>
        <translation>Opus</translation>
    </message>
    <message>
        <source>FLAC</source>
        <translation>FLAC</translation>
    </message>
    <message>
        <source>WAV</source>
        <translation>WAV</translation>
    </message>
    <message>
        <source>%1 (.%2)</source>
        <translation>%1 (.%2)</translation>
    </message>
    <message>
        <source>Preferences</source>
        <translation>Préférences</translation>
    </message>
    <message>
        <source>The library cannot be changed now: %1</source>
        <translation>La bibliothèque ne peut pas être modifiée pour l’instant : %1</translation>
    </message>
    <message>
        <source>A run is under way: the settings can be changed when it has ended.</source>
        <translation>Une importation est en cours : les réglages pourront être modifiés quand elle sera terminée.</translation>
    </message>
    <message>
        <source>No import has made the library yet: its first import takes these settings.</source>
        <translation>Aucune importation n’a encore créé la bibliothèque : sa première importation prendra ces réglages.</translation>
    </message>
    <message>
        <source>Library location</source>
        <translation>Emplacement de la bibliothèque</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Bit rate</source>
        <translation>Débit</translation>
    </message>
    <message>
        <source>&amp;Sound Check: measure each track&apos;s loudness</source>
        <translation>&amp;Sound Check : mesurer l’intensité sonore de chaque morceau</translation>
    </message>
    <message>
        <source>Sound Check</source>
        <translation>Sound Check</translation>
    </message>
    <message>
        <source>Library:</source>
        <translation>Bibliothèque :</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Format :</translation>
    </message>
    <message>
        <source>&amp;Bit rate:</source>
        <translation>&amp;Débit :</translation>
    </message>
    <message>
        <source>Changes apply from the next Start.</source>
        <translation>Les changements s’appliquent dès le prochain démarrage.</translation>
    </message>
    <message>
        <source>Lossless</source>
        <translation>Sans perte</translation>
    </message>
    <message>
        <source>%1 kbit/s</source>
        <translation>%1 kbit/s</translation>
    </message>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>Les réglages n’ont pas pu être enregistrés : %1</translation>
    </message>
</context>
<context>
    <name>decant::QueueCommands</name>
    <message>
        <source>S&amp;top</source>
        <translation>Arrê&amp;ter</translation>
    </message>
    <message>
        <source>Stop the run: files not yet in the library wait for the next Start</source>
        <translation>Arrêter l’importation : les fichiers pas encore dans la bibliothèque attendent le prochain démarrage</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>Ret&amp;irer</translation>
    </message>
    <message>
        <source>Take the selected files out of the queue; the files stay</source>
        <translation>Retirer les fichiers choisis de la file d’attente ; les fichiers eux-mêmes restent</translation>
    </message>
    <message>
        <source>&amp;Clear Finished</source>
        <translation>Retirer les termi&amp;nés</translation>
    </message>
    <message>
        <source>Take the files already in the library out of the queue</source>
        <translation>Retirer de la file d’attente les fichiers déjà dans la bibliothèque</translation>
    </message>
</context>
<context>
    <name>decant::QueueEntry</name>
    <message>
        <source>Waiting</source>
        <translation>En attente</translation>
    </message>
    <message>
        <source>Decoding</source>
        <translation>Décodage</translation>
    </message>
    <message>
        <source>Decoded</source>
        <translation>Décodé</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Échec</translation>
    </message>
    <message>
        <source>Encoding</source>
        <translation>Conversion</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Terminé</translation>
    </message>
</context>
<context>
    <name>decant::QueueStatusBar</name>
    <message>
        <source>%1 was not added: %2</source>
        <translation>%1 n’a pas été ajouté : %2</translation>
    </message>
    <message numerus="yes">
        <source>%Ln items were not added: %1%2</source>
        <translation>
            <numerusform>%Ln élément n’a pas été ajouté : %1%2</numerusform>
            <numerusform>%Ln éléments n’ont pas été ajoutés : %1%2</numerusform>
        </translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation> et %1 autres</translation>
    </message>
    <message>
        <source>… and %1 more</source>
        <translation>… et %1 autres</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Avis</translation>
    </message>
    <message>
        <source>What just happened, or why the selected file failed</source>
        <translation>Ce qui vient de se passer, ou pourquoi le fichier sélectionné a échoué</translation>
    </message>
    <message>
        <source>Queue summary</source>
        <translation>Résumé de la file d’attente</translation>
    </message>
    <message>
        <source>How many files are queued, done and failed</source>
        <translation>Combien de fichiers sont en attente, terminés et en échec</translation>
    </message>
    <message>
        <source>select one to see why</source>
        <translation>sélectionnez-en un pour voir pourquoi</translation>
    </message>
    <message numerus="yes">
        <source>The library did not take %Ln file(s): %1. Start tries again.</source>
        <translation>
            <numerusform>La bibliothèque n’a pas accepté %Ln fichier : %1. « Démarrer » réessaie.</numerusform>
            <numerusform>La bibliothèque n’a pas accepté %Ln fichiers : %1. « Démarrer » réessaie.</numerusform>
        </translation>
    </message>
    <message>
        <source>Adding %1 files…</source>
        <translation>Ajout de %1 fichiers…</translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s)</source>
        <translation>
            <numerusform>%Ln fichier</numerusform>
            <numerusform>%Ln fichiers</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln done</source>
        <translation>
            <numerusform>%Ln terminé</numerusform>
            <numerusform>%Ln terminés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln failed</source>
        <translation>
            <numerusform>%Ln en échec</numerusform>
            <numerusform>%Ln en échec</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::QueueTableEditing</name>
    <message>
        <source>Album Artist</source>
        <translation>Artiste de l’album</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>Disque</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Année</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Composer</source>
        <translation>Compositeur</translation>
    </message>
    <message>
        <source>Show %1</source>
        <translation>Afficher %1</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 n’est pas un nombre</translation>
    </message>
</context>
<context>
    <name>decant::QueueTableModel</name>
    <message>
        <source>%1 · converting</source>
        <translation>%1 · conversion</translation>
    </message>
    <message>
        <source>%1 · proved</source>
        <translation>%1 · vérifié</translation>
    </message>
</context>
<context>
    <name>decant::RunProgressWidget</name>
    <message>
        <source>Run progress</source>
        <translation>Progression de l’exécution</translation>
    </message>
    <message>
        <source>Decoding and importing the queued files</source>
        <translation>Décodage et importation des fichiers de la file d’attente</translation>
    </message>
    <message>
        <source>%1 of %2 files done</source>
        <translation>%1 fichiers terminés sur %2</translation>
    </message>
    <message>
        <source> · %1 left</source>
        <translation> · %1 restantes</translation>
    </message>
</context>
<context>
    <name>decant::RunSummary</name>
    <message>
        <source>No files to import</source>
        <translation>Aucun fichier à importer</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) imported</source>
        <translation>
            <numerusform>%n fichier importé</numerusform>
            <numerusform>%n fichiers importés</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n en échec</numerusform>
            <numerusform>%n en échec</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not taken by the library</source>
        <translation>
            <numerusform>%n non accepté par la bibliothèque</numerusform>
            <numerusform>%n non acceptés par la bibliothèque</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n stopped</source>
        <translation>
            <numerusform>%n arrêté</numerusform>
            <numerusform>%n arrêtés</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::SingleInstance</name>
    <message>
        <source>Decant is already running but not responding; the files were not added to its queue</source>
        <translation>Decant est déjà lancé mais ne répond pas ; les fichiers n’ont pas été ajoutés à sa file d’attente</translation>
    </message>
</context>
<context>
    <name>decant::SourceClaims</name>
    <message>
        <source>another Decant is importing this file</source>
        <translation>un autre Decant importe ce fichier</translation>
    </message>
</context>
<context>
    <name>decant::StoreAlbumReader</name>
    <message>
        <source>The page&apos;s server data does not parse as JSON.</source>
        <translation>Les données serveur de la page ne sont pas du JSON lisible.</translation>
    </message>
    <message>
        <source>The page carries no album data.</source>
        <translation>La page ne contient aucune donnée d’album.</translation>
    </message>
    <message>
        <source>The lookup&apos;s answer does not parse as JSON.</source>
        <translation>La réponse de la recherche n’est pas du JSON lisible.</translation>
    </message>
    <message>
        <source>The page carries no album data, and the lookup found no songs for album %1 in the &quot;%2&quot; store.</source>
        <translation>La page ne contient aucune donnée d’album, et la recherche n’a trouvé aucun morceau pour l’album %1 dans le Store « %2 ».</translation>
    </message>
</context>
<context>
    <name>decant::StoreAlbumURL</name>
    <message>
        <source>The address is an iTunes Store page.</source>
        <translation>L’adresse est une page de l’iTunes Store.</translation>
    </message>
    <message>
        <source>The text is not a valid web address.</source>
        <translation>Le texte n’est pas une adresse web valide.</translation>
    </message>
    <message>
        <source>The address must begin with https://.</source>
        <translation>L’adresse doit commencer par https://.</translation>
    </message>
    <message>
        <source>The address must be on %1 or %2.</source>
        <translation>L’adresse doit se trouver sur %1 ou %2.</translation>
    </message>
    <message>
        <source>The address must not carry a user name or password.</source>
        <translation>L’adresse ne doit contenir ni nom d’utilisateur ni mot de passe.</translation>
    </message>
</context>
<context>
    <name>decant::StoreFailure</name>
    <message>
        <source>The store gave the album.</source>
        <translation>Le Store a fourni l’album.</translation>
    </message>
    <message>
        <source>Could not reach the store: the name %1 could not be looked up.</source>
        <translation>Impossible de joindre le Store : le nom %1 n’a pas pu être résolu.</translation>
    </message>
    <message>
        <source>Could not reach the store: %1 did not answer.</source>
        <translation>Impossible de joindre le Store : %1 n’a pas répondu.</translation>
    </message>
    <message>
        <source>Could not reach the store: the secure connection to %1 failed.</source>
        <translation>Impossible de joindre le Store : la connexion sécurisée à %1 a échoué.</translation>
    </message>
    <message>
        <source>Could not reach the store: %1 did not answer in time.</source>
        <translation>Impossible de joindre le Store : %1 n’a pas répondu à temps.</translation>
    </message>
    <message>
        <source>The store did not give the album: %1 answered with HTTP status %2.</source>
        <translation>Le Store n’a pas fourni l’album : %1 a répondu avec le statut HTTP %2.</translation>
    </message>
    <message>
        <source>The store&apos;s answer from %1 could not be used.</source>
        <translation>La réponse du Store venant de %1 n’était pas utilisable.</translation>
    </message>
    <message>
        <source>The store&apos;s answer from %1 is not valid JSON.</source>
        <translation>La réponse du Store venant de %1 n’est pas du JSON valide.</translation>
    </message>
    <message>
        <source>The store has no songs for this album.</source>
        <translation>Le Store n’a aucun morceau pour cet album.</translation>
    </message>
    <message>
        <source>The store&apos;s page has no songs, and its address names no album to look up.</source>
        <translation>La page du Store n’a aucun morceau, et son adresse ne nomme aucun album à rechercher.</translation>
    </message>
    <message>
        <source>The read from the store was stopped.</source>
        <translation>La lecture depuis le Store a été interrompue.</translation>
    </message>
</context>
<context>
    <name>decant::TagRewrite</name>
    <message>
        <source>TagLib cannot open %1</source>
        <translation>TagLib ne peut pas ouvrir %1</translation>
    </message>
    <message>
        <source>TagLib cannot save %1</source>
        <translation>TagLib ne peut pas enregistrer %1</translation>
    </message>
    <message>
        <source>%1 has no place for artwork</source>
        <translation>%1 n’a pas de place pour une pochette</translation>
    </message>
</context>
<context>
    <name>decant::TrackDetails</name>
    <message>
        <source>yes</source>
        <translation>oui</translation>
    </message>
    <message>
        <source>no</source>
        <translation>non</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>Morceau %1</translation>
    </message>
    <message>
        <source>no track has the ID %1 (see list)</source>
        <translation>aucun morceau n’a l’ID %1 (voir list)</translation>
    </message>
</context>
<context>
    <name>decant::TrackNumberText</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 sur %2</translation>
    </message>
</context>
<context>
    <name>decant::TrackProperty</name>
    <message>
        <source>track number</source>
        <translation>numéro de piste</translation>
    </message>
    <message>
        <source>track count</source>
        <translation>nombre de pistes</translation>
    </message>
    <message>
        <source>disc number</source>
        <translation>numéro de disque</translation>
    </message>
    <message>
        <source>disc count</source>
        <translation>nombre de disques</translation>
    </message>
    <message>
        <source>The %1 %2 was dropped: it is out of range (0 to %3).</source>
        <translation>Le %1 %2 a été ignoré : il sort de la plage autorisée (0 à %3).</translation>
    </message>
</context>
<context>
    <name>decant::VorbisComments</name>
    <message>
        <source>The comment %1, of %2, was left out: comments over %3 are not read.</source>
        <translation>Le commentaire %1, de %2, a été écarté : les commentaires de plus de %3 ne sont pas lus.</translation>
    </message>
    <message>
        <source>A comment of %1 was left out: comments over %2 are not read.</source>
        <translation>Un commentaire de %1 a été écarté : les commentaires de plus de %2 ne sont pas lus.</translation>
    </message>
</context>
<context>
    <name>decant::iTunesHandOff</name>
    <message>
        <source>the library did not take the file</source>
        <translation>la bibliothèque n’a pas pris le fichier</translation>
    </message>
</context>
</TS>
