<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>MainWindow</name>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Titelnr.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Queue</source>
        <translation>Warteschlange</translation>
    </message>
    <message>
        <source>The files to bring into the library, with their status and tags</source>
        <translation>Die Dateien, die in die Mediathek kommen, mit Status und Tags</translation>
    </message>
    <message>
        <source>Drop FLAC files or folders here</source>
        <translation>FLAC-Dateien oder Ordner hierher ziehen</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Bearbeiten</translation>
    </message>
    <message>
        <source>&amp;Queue</source>
        <translation>&amp;Warteschlange</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>Toolbar</source>
        <translation>Werkzeugleiste</translation>
    </message>
    <message>
        <source>&amp;Add Files…</source>
        <translation>Dateien &amp;hinzufügen …</translation>
    </message>
    <message>
        <source>Add FLAC files to the queue</source>
        <translation>FLAC-Dateien zur Warteschlange hinzufügen</translation>
    </message>
    <message>
        <source>Add F&amp;older…</source>
        <translation>&amp;Ordner hinzufügen …</translation>
    </message>
    <message>
        <source>Add every FLAC file in a folder to the queue</source>
        <translation>Alle FLAC-Dateien eines Ordners zur Warteschlange hinzufügen</translation>
    </message>
    <message>
        <source>Open &amp;Library Folder</source>
        <translation>&amp;Mediathek-Ordner öffnen</translation>
    </message>
    <message>
        <source>Show the library&apos;s database and media files in the file manager</source>
        <translation>Datenbank und Mediendateien der Mediathek im Dateimanager zeigen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Beenden</translation>
    </message>
    <message>
        <source>&amp;Start</source>
        <translation>&amp;Starten</translation>
    </message>
    <message>
        <source>Decode the queued files and add them to the library</source>
        <translation>Die Dateien der Warteschlange dekodieren und der Mediathek hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Fetch Metadata…</source>
        <translation>&amp;Metadaten abrufen …</translation>
    </message>
    <message>
        <source>Replace the queue&apos;s tags with the songs of a store album page</source>
        <translation>Die Tags der Warteschlange durch die Titel einer Album-Seite im Store ersetzen</translation>
    </message>
    <message>
        <source>&amp;Undo Fetch Metadata</source>
        <translation>Metadaten-Abruf &amp;rückgängig machen</translation>
    </message>
    <message>
        <source>Give every file back the tags it had before the fetch</source>
        <translation>Jeder Datei die Tags von vor dem Abruf zurückgeben</translation>
    </message>
    <message>
        <source>&amp;About Decant</source>
        <translation>Ü&amp;ber Decant</translation>
    </message>
    <message>
        <source>Decant &amp;Help</source>
        <translation>Decant-&amp;Hilfe</translation>
    </message>
    <message>
        <source>How to bring FLAC files into the library with Decant</source>
        <translation>Wie Decant FLAC-Dateien in die Mediathek bringt</translation>
    </message>
</context>
<context>
    <name>PromptDialog</name>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
</context>
<context>
    <name>decant-cli</name>
    <message>
        <source>no such file or folder: %1</source>
        <translation>Datei oder Ordner nicht gefunden: %1</translation>
    </message>
    <message>
        <source>cannot examine %1: %2</source>
        <translation>%1 kann nicht untersucht werden: %2</translation>
    </message>
    <message>
        <source>the store URL &quot;%1&quot; is refused. %2</source>
        <translation>die Store-Adresse „%1“ wird abgelehnt. %2</translation>
    </message>
    <message>
        <source>%1
Try &apos;%2 --help&apos; for more information.</source>
        <translation>%1
Mehr Informationen mit „%2 --help“.</translation>
    </message>
    <message>
        <source>none of the paths exists.</source>
        <translation>keiner der Pfade existiert.</translation>
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
        <translation>Bringt FLAC-Dateien mit ihren Tags in die Musik-Mediathek von Decant.

Ordner werden in jeder Tiefe nach FLAC-Dateien durchsucht. Die Mediathek ist
der mit --library angegebene Ordner, sonst der in DECANT_LIBRARY genannte,
sonst „Decant Library“ in Ihrem Musikordner.

Strg+C hält an, sobald die laufenden Dateien dekodiert und importiert sind;
ein zweites Strg+C hält auch die Mediathek an, die dabei die gerade
konvertierte Datei verwirft.

Rückgabewert: 0, wenn jede Datei importiert wurde, 1, wenn eine Datei
fehlschlug oder nicht importiert wurde (oder der Store keine Titel lieferte),
2 bei falschen Argumenten, 130 nach Strg+C (143 nach SIGTERM).</translation>
    </message>
    <message>
        <source>Usage: %1 [options] PATH...</source>
        <translation>Aufruf: %1 [Optionen] PFAD …</translation>
    </message>
    <message>
        <source>Show this help.</source>
        <translation>Diese Hilfe zeigen.</translation>
    </message>
    <message>
        <source>Import into the library in &lt;folder&gt;.</source>
        <translation>In die Mediathek in &lt;folder&gt; importieren.</translation>
    </message>
    <message>
        <source>Tag the files, in order, with the songs of this iTunes Store album (https://music.apple.com/... or https://itunes.apple.com/...). When the store gives no songs, nothing is imported.</source>
        <translation>Die Dateien der Reihe nach mit den Titeln dieses iTunes-Store-Albums taggen (https://music.apple.com/… oder https://itunes.apple.com/…). Liefert der Store keine Titel, wird nichts importiert.</translation>
    </message>
    <message>
        <source>With --store-url: when the store gives no songs, import the files with their own tags instead of importing nothing.</source>
        <translation>Mit --store-url: Liefert der Store keine Titel, die Dateien mit ihren eigenen Tags importieren, statt nichts zu importieren.</translation>
    </message>
    <message>
        <source>FLAC files and folders to import.</source>
        <translation>Zu importierende FLAC-Dateien und Ordner.</translation>
    </message>
    <message>
        <source>No FLAC files or folders given.</source>
        <translation>Keine FLAC-Dateien oder Ordner angegeben.</translation>
    </message>
    <message numerus="yes">
        <source>%n FLAC file(s)</source>
        <translation>
            <numerusform>%n FLAC-Datei</numerusform>
            <numerusform>%n FLAC-Dateien</numerusform>
        </translation>
    </message>
    <message>
        <source>The store gave no songs.</source>
        <translation>Der Store lieferte keine Titel.</translation>
    </message>
    <message>
        <source>detail: %1</source>
        <translation>Einzelheiten: %1</translation>
    </message>
    <message>
        <source>no FLAC file among the paths.</source>
        <translation>keine FLAC-Datei unter den Pfaden.</translation>
    </message>
    <message>
        <source>freed %1 of decoded audio left by an earlier run.</source>
        <translation>%1 dekodiertes Audio eines früheren Laufs freigegeben.</translation>
    </message>
    <message>
        <source>skipped %1: %2</source>
        <translation>%1 übersprungen: %2</translation>
    </message>
    <message>
        <source>Tags from the store applied to %1 of %2 files.</source>
        <translation>Tags aus dem Store auf %1 von %2 Dateien angewandt.</translation>
    </message>
    <message>
        <source>the files keep their own tags (--keep-tags).</source>
        <translation>die Dateien behalten ihre eigenen Tags (--keep-tags).</translation>
    </message>
    <message>
        <source>nothing was imported. To import the files with their own tags instead, add --keep-tags.</source>
        <translation>nichts wurde importiert. Um die Dateien stattdessen mit ihren eigenen Tags zu importieren, --keep-tags angeben.</translation>
    </message>
    <message>
        <source>Importing %1 into %2</source>
        <translation>Importiere %1 nach %2</translation>
    </message>
    <message>
        <source>stopping once the files under way are decoded and imported. Press Ctrl-C again to stop at once.</source>
        <translation>halte an, sobald die laufenden Dateien dekodiert und importiert sind. Erneut Strg+C drücken, um sofort anzuhalten.</translation>
    </message>
    <message>
        <source>stopping now: the library drops the file it is converting. Press Ctrl-C again to quit without waiting for it.</source>
        <translation>halte jetzt an: die Mediathek verwirft die gerade konvertierte Datei. Erneut Strg+C drücken, um zu beenden, ohne darauf zu warten.</translation>
    </message>
    <message>
        <source>
%1 imported, %2 failed, %3 not imported.</source>
        <translation>
%1 importiert, %2 fehlgeschlagen, %3 nicht importiert.</translation>
    </message>
    <message>
        <source>
Not imported:</source>
        <translation>
Nicht importiert:</translation>
    </message>
    <message>
        <source>
Left out of the files:</source>
        <translation>
In den Dateien ausgelassen:</translation>
    </message>
    <message numerus="yes">
        <source>the library did not take %n file(s); the reasons are above.</source>
        <translation>
            <numerusform>die Mediathek hat %n Datei nicht übernommen; die Gründe stehen oben.</numerusform>
            <numerusform>die Mediathek hat %n Dateien nicht übernommen; die Gründe stehen oben.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the library did not take %n file(s): %1</source>
        <translation>
            <numerusform>die Mediathek hat %n Datei nicht übernommen: %1</numerusform>
            <numerusform>die Mediathek hat %n Dateien nicht übernommen: %1</numerusform>
        </translation>
    </message>
    <message>
        <source>, %1 left</source>
        <translation>, noch %1</translation>
    </message>
    <message>
        <source>done</source>
        <translation>fertig</translation>
    </message>
    <message>
        <source>stopping</source>
        <translation>halte an</translation>
    </message>
    <message>
        <source>converting %1 of %2%3</source>
        <translation>konvertiere %1 von %2%3</translation>
    </message>
    <message>
        <source>decoding</source>
        <translation>dekodiere</translation>
    </message>
    <message>
        <source>Decoded %1 of %2</source>
        <translation>%1 von %2 dekodiert</translation>
    </message>
    <message>
        <source>, %1 failed</source>
        <translation>, %1 fehlgeschlagen</translation>
    </message>
    <message>
        <source>Converted</source>
        <translation>Konvertiert</translation>
    </message>
    <message>
        <source>Not converted</source>
        <translation>Nicht konvertiert</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Titelnr.</translation>
    </message>
    <message>
        <source>Title</source>
        <translation>Titel</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Verified</source>
        <translation>Geprüft</translation>
    </message>
    <message numerus="yes">
        <source>%n track(s) of %1</source>
        <translation>
            <numerusform>%n Titel aus %1</numerusform>
            <numerusform>%n Titel aus %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant-library</name>
    <message>
        <source>no command given (%1)</source>
        <translation>kein Befehl angegeben (%1)</translation>
    </message>
    <message>
        <source>unknown command &quot;%1&quot; (%2)</source>
        <translation>unbekannter Befehl „%1“ (%2)</translation>
    </message>
    <message>
        <source>one command at a time, please</source>
        <translation>bitte nur einen Befehl auf einmal</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is not a track ID (see list)</source>
        <translation>„%1“ ist keine Titel-ID (siehe list)</translation>
    </message>
    <message>
        <source>--artist, --album and --search go with the list command</source>
        <translation>--artist, --album und --search gehören zum Befehl list</translation>
    </message>
    <message>
        <source>--repair and --verify go with the check command</source>
        <translation>--repair und --verify gehören zum Befehl check</translation>
    </message>
    <message>
        <source>--encoder, --bitrate and --sound-check go with the settings command</source>
        <translation>--encoder, --bitrate und --sound-check gehören zum Befehl settings</translation>
    </message>
    <message>
        <source>--sound-check takes on or off, not &quot;%1&quot;</source>
        <translation>--sound-check nimmt on oder off, nicht „%1“</translation>
    </message>
    <message>
        <source>unknown encoder &quot;%1&quot; (%2)</source>
        <translation>unbekannter Encoder „%1“ (%2)</translation>
    </message>
    <message>
        <source>the bit rate &quot;%1&quot; is not a whole number of kbit/s</source>
        <translation>die Bitrate „%1“ ist keine ganze Zahl von kbit/s</translation>
    </message>
    <message>
        <source>The library holds no tracks.</source>
        <translation>Die Mediathek enthält keine Titel.</translation>
    </message>
    <message>
        <source>No track matches.</source>
        <translation>Kein Titel passt.</translation>
    </message>
    <message>
        <source>Use the library in &lt;folder&gt;.</source>
        <translation>Die Mediathek in &lt;folder&gt; verwenden.</translation>
    </message>
    <message>
        <source>Import with &lt;name&gt;: %1.</source>
        <translation>Mit &lt;name&gt; importieren: %1.</translation>
    </message>
    <message>
        <source>Import lossy formats at &lt;kbps&gt; kbit/s for stereo; more channels scale with their count (5.1 takes three times as much).</source>
        <translation>Verlustbehaftete Formate mit &lt;kbps&gt; kbit/s für Stereo importieren; mehr Kanäle erhalten entsprechend mehr (5.1 das Dreifache).</translation>
    </message>
    <message>
        <source>Measure each import&apos;s loudness for Sound Check and ReplayGain: on or off.</source>
        <translation>Die Lautheit jedes Imports für Sound Check und ReplayGain messen: on oder off.</translation>
    </message>
    <message>
        <source>With check: mend what is found, saying how.</source>
        <translation>Mit check: das Gefundene beheben und sagen, wie.</translation>
    </message>
    <message>
        <source>With check: decode every file again against what its import proved.</source>
        <translation>Mit check: jede Datei erneut dekodieren und mit dem vergleichen, was ihr Import belegt hat.</translation>
    </message>
    <message>
        <source>With list: only tracks whose artist or album artist holds &lt;text&gt;, in any case.</source>
        <translation>Mit list: nur Titel, deren Interpret oder Album-Interpret &lt;text&gt; enthält, ohne Rücksicht auf Groß- und Kleinschreibung.</translation>
    </message>
    <message>
        <source>With list: only tracks whose album holds &lt;text&gt;, in any case.</source>
        <translation>Mit list: nur Titel, deren Album &lt;text&gt; enthält, ohne Rücksicht auf Groß- und Kleinschreibung.</translation>
    </message>
    <message>
        <source>With list: only tracks whose name, artist or album holds &lt;text&gt;, in any case.</source>
        <translation>Mit list: nur Titel, deren Name, Interpret oder Album &lt;text&gt; enthält, ohne Rücksicht auf Groß- und Kleinschreibung.</translation>
    </message>
    <message>
        <source>Try --help.</source>
        <translation>Mehr mit --help.</translation>
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
        <translation>Zeigt und ändert die Musik-Mediathek von Decant.

Befehle:
  info      Ort der Mediathek, ihre Import-Einstellungen und die Zahl ihrer Titel
  list      eine Tabelle der Titel der Mediathek; --artist, --album und --search
            zeigen nur die passenden
  show ID …
            alle Eigenschaften der Titel mit diesen IDs (siehe list), samt den
            Kennungen, Mitwirkenden und Veröffentlichungsangaben der Tagger
  settings  die Import-Einstellungen; zu ändern mit --encoder, --bitrate und
            --sound-check
  check     eine beschädigte oder verlorene Datenbank, Dateien, die kein Titel
            nennt, Titel ohne ihre Datei, Titel ohne Tags, doppelt importierte
            Titel, Reste abgebrochener Importe; --verify dekodiert jede Datei
            erneut und vergleicht sie mit dem, was ihr Import belegt hat;
            --repair behebt das Gefundene und sagt, was es getan hat: eine
            verlorene Datenbank kommt aus der neuesten Sicherung zurück oder
            wird aus den Tags der Mediendateien neu aufgebaut
  remove ID …
            entfernt die Titel mit diesen IDs (siehe list) und verschiebt ihre
            Dateien in den Papierkorb
  organise  verschiebt jede Datei dorthin, wo ihre Tags es sagen:
            Media/&lt;Album-Interpret oder Interpret&gt;/&lt;Album&gt;/&lt;CD-&gt;NN &lt;Titel&gt;.&lt;Endung&gt;

Die Mediathek ist der in DECANT_LIBRARY genannte Ordner, sonst „Decant Library“
in Ihrem Musikordner.

Rückgabewert: 0 bei Erfolg (check: nichts falsch oder alles behoben), 1, wenn
die Mediathek nicht gelesen oder geändert werden kann (remove: ein Titel oder
eine Datei ließ sich nicht entfernen; organise: eine Datei ließ sich nicht
verschieben), 2 bei falschen Argumenten, 3, wenn check Probleme findet (mit
--repair: Probleme, die es nicht beheben konnte).</translation>
    </message>
    <message>
        <source>info, list, show, settings, check, remove or organise</source>
        <translation>info, list, show, settings, check, remove oder organise</translation>
    </message>
    <message>
        <source>%1 needs the IDs of its tracks (see list)</source>
        <translation>%1 braucht die IDs seiner Titel (siehe list)</translation>
    </message>
    <message>
        <source>info, list, show ID..., settings, check, remove ID... or organise</source>
        <translation>info, list, show ID …, settings, check, remove ID … oder organise</translation>
    </message>
    <message>
        <source>Track %1: an image was skipped: %2.</source>
        <translation>Titel %1: ein Bild wurde übersprungen: %2.</translation>
    </message>
    <message>
        <source>Track %1: %2</source>
        <translation>Titel %1: %2</translation>
    </message>
    <message>
        <source>Encoder:</source>
        <translation>Encoder:</translation>
    </message>
    <message>
        <source>Bit rate:</source>
        <translation>Bitrate:</translation>
    </message>
    <message>
        <source>none (lossless)</source>
        <translation>keine (verlustfrei)</translation>
    </message>
    <message>
        <source>%1 kbit/s</source>
        <translation>%1 kbit/s</translation>
    </message>
    <message>
        <source>Sound Check:</source>
        <translation>Sound Check:</translation>
    </message>
    <message>
        <source>none yet</source>
        <translation>noch keine</translation>
    </message>
    <message>
        <source>%1, the newest %2</source>
        <translation>%1, die neueste ist %2</translation>
    </message>
    <message>
        <source>the last backup failed: %1</source>
        <translation>die letzte Sicherung ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>Location:</source>
        <translation>Ort:</translation>
    </message>
    <message>
        <source>Database:</source>
        <translation>Datenbank:</translation>
    </message>
    <message>
        <source>Media:</source>
        <translation>Medien:</translation>
    </message>
    <message>
        <source>Import:</source>
        <translation>Import:</translation>
    </message>
    <message>
        <source>Tracks:</source>
        <translation>Titel:</translation>
    </message>
    <message>
        <source>Backups:</source>
        <translation>Sicherungen:</translation>
    </message>
    <message>
        <source>%1 (schema version %2)</source>
        <translation>%1 (Schemaversion %2)</translation>
    </message>
    <message>
        <source>%1, Sound Check %2</source>
        <translation>%1, Sound Check %2</translation>
    </message>
    <message>
        <source>cannot store the settings: %1</source>
        <translation>die Einstellungen können nicht gespeichert werden: %1</translation>
    </message>
    <message>
        <source>cannot read the library: %1</source>
        <translation>die Mediathek kann nicht gelesen werden: %1</translation>
    </message>
</context>
<context>
    <name>decant::AboutDialog</name>
    <message>
        <source>Brings your FLAC files into a music library with their tags.</source>
        <translation>Bringt Ihre FLAC-Dateien mit ihren Tags in eine Musik-Mediathek.</translation>
    </message>
    <message>
        <source>Copyright © 2026 the Decant developers. Released under the MIT License.</source>
        <translation>Copyright © 2026 die Entwickler von Decant. Veröffentlicht unter der MIT-Lizenz.</translation>
    </message>
    <message>
        <source>Built with Qt %1.</source>
        <translation>Erstellt mit Qt %1.</translation>
    </message>
    <message>
        <source>The library is in %1</source>
        <translation>Die Mediathek liegt in %1</translation>
    </message>
    <message>
        <source>About Decant</source>
        <translation>Über Decant</translation>
    </message>
</context>
<context>
    <name>decant::AlacDecoder</name>
    <message>
        <source>the ALAC stream&apos;s configuration cannot be read</source>
        <translation>die Konfiguration des ALAC-Datenstroms ist nicht lesbar</translation>
    </message>
    <message>
        <source>the ALAC stream&apos;s configuration is not one this decoder takes</source>
        <translation>diese Konfiguration des ALAC-Datenstroms unterstützt der Decoder nicht</translation>
    </message>
    <message>
        <source>an ALAC packet holds an element that is not audio</source>
        <translation>ein ALAC-Paket enthält ein Element, das kein Audio ist</translation>
    </message>
    <message>
        <source>an ALAC packet holds more channels than its stream</source>
        <translation>ein ALAC-Paket enthält mehr Kanäle als sein Datenstrom</translation>
    </message>
    <message>
        <source>an ALAC packet ends before all of its channels</source>
        <translation>ein ALAC-Paket endet, bevor alle seine Kanäle enthalten sind</translation>
    </message>
    <message>
        <source>an ALAC packet gives an impossible number of samples</source>
        <translation>ein ALAC-Paket gibt eine unmögliche Anzahl von Samples an</translation>
    </message>
    <message>
        <source>an ALAC packet describes a predictor no decoder takes</source>
        <translation>ein ALAC-Paket beschreibt einen Prädiktor, den kein Decoder unterstützt</translation>
    </message>
    <message>
        <source>an ALAC packet leaves no bits to its samples</source>
        <translation>ein ALAC-Paket lässt für seine Samples keine Bits übrig</translation>
    </message>
    <message>
        <source>an ALAC packet ends before its samples do</source>
        <translation>ein ALAC-Paket endet vor seinen Samples</translation>
    </message>
</context>
<context>
    <name>decant::ApplicationMain</name>
    <message>
        <source>Decant cannot tell whether it is already running: %1</source>
        <translation>Decant kann nicht feststellen, ob es bereits läuft: %1</translation>
    </message>
    <message>
        <source>Decant cannot take files from later launches: %1</source>
        <translation>Decant kann keine Dateien späterer Aufrufe annehmen: %1</translation>
    </message>
    <message>
        <source>Decant could not start</source>
        <translation>Decant konnte nicht starten</translation>
    </message>
</context>
<context>
    <name>decant::ArtworkCheck</name>
    <message>
        <source>the image is %1 x %2 pixels, over the pixel limit of %3 x %3</source>
        <translation>das Bild hat %1 × %2 Pixel und überschreitet die Grenze von %3 × %3 Pixeln</translation>
    </message>
    <message>
        <source>FFmpeg lacks its %1 decoder</source>
        <translation>in FFmpeg fehlt der Decoder %1</translation>
    </message>
    <message>
        <source>FFmpeg lacks its image decoder</source>
        <translation>in FFmpeg fehlt der Bild-Decoder</translation>
    </message>
    <message>
        <source>the %1 image does not decode: %2</source>
        <translation>das %1-Bild lässt sich nicht dekodieren: %2</translation>
    </message>
    <message>
        <source>the image is larger than %1 MiB</source>
        <translation>das Bild ist größer als %1 MiB</translation>
    </message>
    <message>
        <source>the image is neither JPEG nor PNG (it begins &quot;%1&quot;)</source>
        <translation>das Bild ist weder JPEG noch PNG (es beginnt mit „%1“)</translation>
    </message>
</context>
<context>
    <name>decant::AudioSource</name>
    <message>
        <source>the file is cut short: its header announces %1 bytes, it holds %2</source>
        <translation>die Datei ist abgeschnitten: ihr Header kündigt %1 Bytes an, sie enthält %2</translation>
    </message>
    <message>
        <source>no audio FFmpeg can decode</source>
        <translation>kein Audio, das FFmpeg dekodieren kann</translation>
    </message>
    <message>
        <source>%1 unnamed channels</source>
        <translation>%1 unbenannte Kanäle</translation>
    </message>
    <message>
        <source>no sample rate or channels</source>
        <translation>keine Abtastrate oder keine Kanäle</translation>
    </message>
</context>
<context>
    <name>decant::CheckCommand</name>
    <message numerus="yes">
        <source>%n problem(s) found; decant-library check --repair mends them.</source>
        <translation>
            <numerusform>%n Problem gefunden; decant-library check --repair behebt es.</numerusform>
            <numerusform>%n Probleme gefunden; decant-library check --repair behebt sie.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>No problems in %n track(s).</source>
        <translation>
            <numerusform>Keine Probleme in %n Titel.</numerusform>
            <numerusform>Keine Probleme in %n Titeln.</numerusform>
        </translation>
    </message>
    <message>
        <source>cannot replace the library&apos;s database: %1</source>
        <translation>die Datenbank der Mediathek kann nicht ersetzt werden: %1</translation>
    </message>
    <message>
        <source>check --repair upgrades it first.</source>
        <translation>check --repair aktualisiert sie zuerst.</translation>
    </message>
    <message numerus="yes">
        <source>No problems in %n track(s); every verified file decodes as it did when it was imported.</source>
        <translation>
            <numerusform>Keine Probleme in %n Titel; jede geprüfte Datei lässt sich wie beim Import dekodieren.</numerusform>
            <numerusform>Keine Probleme in %n Titeln; jede geprüfte Datei lässt sich wie beim Import dekodieren.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n problem(s) mended, %1 left.</source>
        <translation>
            <numerusform>%n Problem behoben, %1 übrig.</numerusform>
            <numerusform>%n Probleme behoben, %1 übrig.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::ConversionError</name>
    <message>
        <source>converted</source>
        <translation>konvertiert</translation>
    </message>
    <message>
        <source>not a local file</source>
        <translation>keine lokale Datei</translation>
    </message>
    <message>
        <source>not a readable file</source>
        <translation>keine lesbare Datei</translation>
    </message>
    <message>
        <source>not a WAV file</source>
        <translation>keine WAV-Datei</translation>
    </message>
    <message>
        <source>audio that cannot be decoded</source>
        <translation>Audio, das sich nicht dekodieren lässt</translation>
    </message>
    <message>
        <source>audio the import format cannot hold</source>
        <translation>Audio, das das Importformat nicht aufnehmen kann</translation>
    </message>
    <message>
        <source>encoding failed</source>
        <translation>Kodieren fehlgeschlagen</translation>
    </message>
    <message>
        <source>the media file could not be written</source>
        <translation>die Mediendatei ließ sich nicht schreiben</translation>
    </message>
    <message>
        <source>the track could not be recorded</source>
        <translation>der Titel ließ sich nicht in der Mediathek erfassen</translation>
    </message>
    <message>
        <source>not converted: the import was stopped</source>
        <translation>nicht konvertiert: der Import wurde angehalten</translation>
    </message>
    <message>
        <source>the encoded file does not match its source</source>
        <translation>die kodierte Datei stimmt nicht mit ihrer Quelle überein</translation>
    </message>
</context>
<context>
    <name>decant::CoverArt</name>
    <message>
        <source>A picture that claims %1 was left out: the file holds only %2.</source>
        <translation>Ein Bild, das %1 beansprucht, wurde ausgelassen: Die Datei enthält nur %2.</translation>
    </message>
    <message>
        <source>A picture was left out: its lengths do not fit its block.</source>
        <translation>Ein Bild wurde ausgelassen: Seine Längenangaben passen nicht zu seinem Block.</translation>
    </message>
</context>
<context>
    <name>decant::CueSheet</name>
    <message>
        <source>The CUE sheet lists no tracks.</source>
        <translation>Das CUE-Sheet führt keine Titel auf.</translation>
    </message>
    <message>
        <source>The CUE sheet lists more than 99 tracks, more than a CD holds.</source>
        <translation>Das CUE-Sheet führt mehr als 99 Titel auf, mehr als eine CD fasst.</translation>
    </message>
    <message>
        <source>The file is not a CUE sheet that can be read: its lines are out of order or incomplete.</source>
        <translation>Die Datei ist kein lesbares CUE-Sheet: Ihre Zeilen sind ungeordnet oder unvollständig.</translation>
    </message>
    <message>
        <source>The CUE sheet cannot be read.</source>
        <translation>Das CUE-Sheet kann nicht gelesen werden.</translation>
    </message>
    <message>
        <source>Track %1 of the CUE sheet has no INDEX 01.</source>
        <translation>Titel %1 des CUE-Sheets hat kein INDEX 01.</translation>
    </message>
    <message>
        <source>The file is not a CUE sheet that can be read: a TRACK line is incomplete or comes before any FILE line.</source>
        <translation>Die Datei ist kein lesbares CUE-Sheet: Eine TRACK-Zeile ist unvollständig oder steht vor jeder FILE-Zeile.</translation>
    </message>
    <message>
        <source>The CUE sheet is larger than 1 MB, too large to be a CUE sheet.</source>
        <translation>Das CUE-Sheet ist größer als 1 MB, zu groß für ein CUE-Sheet.</translation>
    </message>
    <message>
        <source>The file is not a CUE sheet: it holds bytes that are not text.</source>
        <translation>Die Datei ist kein CUE-Sheet: Sie enthält Bytes, die kein Text sind.</translation>
    </message>
    <message>
        <source>The CUE sheet inside the file names several audio files.</source>
        <translation>Das CUE-Sheet in der Datei nennt mehrere Audiodateien.</translation>
    </message>
    <message>
        <source>The CUE sheet&apos;s FILE lines do not name %1.</source>
        <translation>Die FILE-Zeilen des CUE-Sheets nennen %1 nicht.</translation>
    </message>
    <message>
        <source>The INDEX times of the CUE sheet do not increase at track %1.</source>
        <translation>Die INDEX-Zeiten des CUE-Sheets steigen bei Titel %1 nicht an.</translation>
    </message>
    <message>
        <source>The FLAC file does not say how long its audio is, so its CUE sheet cannot be cut.</source>
        <translation>Die FLAC-Datei gibt die Länge ihres Audios nicht an, daher kann ihr CUE-Sheet nicht geteilt werden.</translation>
    </message>
    <message>
        <source>Track %1 of the CUE sheet starts at or past the end of the audio.</source>
        <translation>Titel %1 des CUE-Sheets beginnt am oder nach dem Ende des Audios.</translation>
    </message>
    <message>
        <source>Track %1 of the CUE sheet is too short to hold any audio.</source>
        <translation>Titel %1 des CUE-Sheets ist zu kurz, um Audio zu enthalten.</translation>
    </message>
    <message>
        <source>The CUE sheet was not used: %1</source>
        <translation>Das CUE-Sheet wurde nicht verwendet: %1</translation>
    </message>
</context>
<context>
    <name>decant::DamagedFiles</name>
    <message>
        <source>it now gives MD5 %1</source>
        <translation>jetzt ergibt sie MD5 %1</translation>
    </message>
    <message>
        <source>it no longer decodes: %1</source>
        <translation>sie lässt sich nicht mehr dekodieren: %1</translation>
    </message>
    <message>
        <source>Damaged file: %1 of track %2 &quot;%3&quot; changed since it was verified on %4 (%5); %6.</source>
        <translation>Beschädigte Datei: %1 von Titel %2 „%3“ hat sich seit der Prüfung am %4 (%5) verändert; %6.</translation>
    </message>
    <message>
        <source>its packets&apos; MD5 %1</source>
        <translation>MD5 ihrer Pakete %1</translation>
    </message>
    <message>
        <source>the check was stopped</source>
        <translation>die Prüfung wurde angehalten</translation>
    </message>
</context>
<context>
    <name>decant::DatabaseBackups</name>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>cannot name the backup %1: %2</source>
        <translation>die Sicherung kann nicht %1 genannt werden: %2</translation>
    </message>
</context>
<context>
    <name>decant::DatabaseError</name>
    <message>
        <source>the database is locked by another program (still busy after %1 s)</source>
        <translation>die Datenbank ist von einem anderen Programm gesperrt (nach %1 s noch belegt)</translation>
    </message>
    <message>
        <source>the database cannot be written (%1)</source>
        <translation>die Datenbank kann nicht geschrieben werden (%1)</translation>
    </message>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the database file cannot be opened (%1)</source>
        <translation>die Datenbankdatei kann nicht geöffnet werden (%1)</translation>
    </message>
    <message>
        <source>the database could not be read or written (%1)</source>
        <translation>die Datenbank konnte nicht gelesen oder geschrieben werden (%1)</translation>
    </message>
    <message>
        <source>the library&apos;s database is damaged (%1); decant-library check --repair mends it</source>
        <translation>die Datenbank der Mediathek ist beschädigt (%1); decant-library check --repair repariert sie</translation>
    </message>
    <message>
        <source>cannot open %1: %2</source>
        <translation>%1 kann nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>cannot use %1: %2</source>
        <translation>%1 kann nicht verwendet werden: %2</translation>
    </message>
    <message>
        <source>the database refuses write-ahead logging</source>
        <translation>die Datenbank lässt kein Write-Ahead-Logging zu</translation>
    </message>
    <message>
        <source>no library database at %1</source>
        <translation>keine Mediathek-Datenbank unter %1</translation>
    </message>
    <message>
        <source>every name like %1 is taken</source>
        <translation>alle Namen nach dem Muster %1 sind vergeben</translation>
    </message>
</context>
<context>
    <name>decant::DatabaseRecovery</name>
    <message>
        <source>Passed over the backup %1: %2.</source>
        <translation>Sicherung %1 übergangen: %2.</translation>
    </message>
    <message>
        <source>it is damaged too (%1)</source>
        <translation>sie ist ebenfalls beschädigt (%1)</translation>
    </message>
    <message>
        <source>check --repair restores the newest backup, or rebuilds the database from the media files&apos; own tags.</source>
        <translation>check --repair stellt die neueste Sicherung wieder her oder baut die Datenbank aus den eigenen Tags der Mediendateien neu auf.</translation>
    </message>
    <message>
        <source>Missing database: Library.sqlite is gone, but the media folder holds %1 file(s); %2</source>
        <translation>Fehlende Datenbank: Library.sqlite ist verschwunden, aber der Medienordner enthält %1 Datei(en); %2</translation>
    </message>
    <message>
        <source>Empty database: Library.sqlite has no bytes, but the media folder holds %1 file(s); %2</source>
        <translation>Leere Datenbank: Library.sqlite ist 0 Byte groß, aber der Medienordner enthält %1 Datei(en); %2</translation>
    </message>
    <message>
        <source>Damaged database: SQLite finds Library.sqlite damaged (%1); %2</source>
        <translation>Beschädigte Datenbank: laut SQLite ist Library.sqlite beschädigt (%1); %2</translation>
    </message>
    <message>
        <source>Set the empty database aside as %1.</source>
        <translation>Die leere Datenbank als %1 beiseitegelegt.</translation>
    </message>
    <message>
        <source>Set the damaged database aside as %1.</source>
        <translation>Die beschädigte Datenbank als %1 beiseitegelegt.</translation>
    </message>
    <message>
        <source>Restored the database from the backup %1.</source>
        <translation>Datenbank aus der Sicherung %1 wiederhergestellt.</translation>
    </message>
    <message>
        <source>Found no backup to restore: made a new database, to be filled from the media files&apos; own tags.</source>
        <translation>Keine Sicherung zum Wiederherstellen gefunden: eine neue Datenbank angelegt, die aus den eigenen Tags der Mediendateien gefüllt wird.</translation>
    </message>
    <message>
        <source>cannot set %1 aside: %2</source>
        <translation>%1 kann nicht beiseitegelegt werden: %2</translation>
    </message>
    <message>
        <source>cannot copy %1: %2</source>
        <translation>%1 kann nicht kopiert werden: %2</translation>
    </message>
    <message>
        <source>cannot put %1 in place: %2</source>
        <translation>%1 kann nicht an seinen Platz gebracht werden: %2</translation>
    </message>
</context>
<context>
    <name>decant::DecodeBack</name>
    <message>
        <source>it holds no ALAC audio</source>
        <translation>sie enthält kein ALAC-Audio</translation>
    </message>
    <message>
        <source>the source&apos;s sample format &quot;%1&quot; is unknown</source>
        <translation>das Sample-Format „%1“ der Quelle ist unbekannt</translation>
    </message>
    <message>
        <source>its form changes part-way</source>
        <translation>ihr Format ändert sich mittendrin</translation>
    </message>
    <message>
        <source>it decodes to %1 channels at %2 Hz, not %3 at %4 Hz</source>
        <translation>sie dekodiert zu %1 Kanälen mit %2 Hz statt %3 mit %4 Hz</translation>
    </message>
    <message>
        <source>it decodes to %1 samples a channel, not %2</source>
        <translation>sie dekodiert zu %1 Samples pro Kanal statt %2</translation>
    </message>
    <message>
        <source>its decoded samples have the MD5 %1, the source&apos;s %2</source>
        <translation>ihre dekodierten Samples haben die MD5 %1, die der Quelle %2</translation>
    </message>
    <message>
        <source>it cannot be decoded back: %1</source>
        <translation>sie lässt sich nicht wieder dekodieren: %1</translation>
    </message>
    <message>
        <source>its decoded samples have the XXH3 digest %1, the source&apos;s %2</source>
        <translation>ihre dekodierten Samples haben den XXH3-Hash %1, die der Quelle %2</translation>
    </message>
</context>
<context>
    <name>decant::DecodeBatch</name>
    <message>
        <source>needs %1 of temporary space, %2 free</source>
        <translation>braucht %1 temporären Speicherplatz, %2 frei</translation>
    </message>
    <message>
        <source>needs %1 of temporary space; %2 are free, all kept for other programs</source>
        <translation>braucht %1 temporären Speicherplatz; %2 sind frei, alle für andere Programme freigehalten</translation>
    </message>
    <message>
        <source>needs %1 of temporary space; %2 are free, of which %3 are kept for other programs</source>
        <translation>braucht %1 temporären Speicherplatz; %2 sind frei, davon %3 für andere Programme freigehalten</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
</context>
<context>
    <name>decant::DecodeOutcome</name>
    <message>
        <source>decoded</source>
        <translation>dekodiert</translation>
    </message>
    <message>
        <source>FLAC decoder could not be created</source>
        <translation>der FLAC-Decoder ließ sich nicht anlegen</translation>
    </message>
    <message>
        <source>destination cannot be opened for writing</source>
        <translation>das Ziel lässt sich nicht zum Schreiben öffnen</translation>
    </message>
    <message>
        <source>destination is the source file</source>
        <translation>das Ziel ist die Quelldatei</translation>
    </message>
    <message>
        <source>source cannot be read</source>
        <translation>die Quelle ist nicht lesbar</translation>
    </message>
    <message>
        <source>source is not a regular file</source>
        <translation>die Quelle ist keine reguläre Datei</translation>
    </message>
    <message>
        <source>source is not a FLAC file</source>
        <translation>die Quelle ist keine FLAC-Datei</translation>
    </message>
    <message>
        <source>stream has no STREAMINFO block</source>
        <translation>dem Datenstrom fehlt der STREAMINFO-Block</translation>
    </message>
    <message>
        <source>stream format cannot be written as WAV</source>
        <translation>das Format des Datenstroms lässt sich nicht als WAV schreiben</translation>
    </message>
    <message>
        <source>frame format differs from STREAMINFO</source>
        <translation>das Format eines Frames weicht von STREAMINFO ab</translation>
    </message>
    <message>
        <source>audio too large for a WAV file</source>
        <translation>zu viel Audio für eine WAV-Datei</translation>
    </message>
    <message>
        <source>stream could not be decoded</source>
        <translation>der Datenstrom ließ sich nicht dekodieren</translation>
    </message>
    <message>
        <source>stream ends early</source>
        <translation>der Datenstrom endet zu früh</translation>
    </message>
    <message>
        <source>disk write failed</source>
        <translation>Schreiben auf den Datenträger fehlgeschlagen</translation>
    </message>
    <message>
        <source>no space left for the decoded audio</source>
        <translation>kein Platz mehr für das dekodierte Audio</translation>
    </message>
    <message>
        <source>MD5 signature mismatch</source>
        <translation>MD5-Signatur stimmt nicht überein</translation>
    </message>
    <message>
        <source>destination already exists</source>
        <translation>das Ziel existiert bereits</translation>
    </message>
    <message>
        <source>unknown outcome</source>
        <translation>unbekanntes Ergebnis</translation>
    </message>
    <message>
        <source>stream ends after %1 of %2 samples</source>
        <translation>der Datenstrom endet nach %1 von %2 Samples</translation>
    </message>
    <message>
        <source>the CUE sheet&apos;s tracks do not fit the stream</source>
        <translation>die Titel des CUE-Sheets passen nicht zum Datenstrom</translation>
    </message>
</context>
<context>
    <name>decant::DirectoryWalk</name>
    <message>
        <source>not a regular file</source>
        <translation>keine gewöhnliche Datei</translation>
    </message>
    <message>
        <source>folder cannot be read</source>
        <translation>Ordner nicht lesbar</translation>
    </message>
    <message>
        <source>folder cannot be read to its end</source>
        <translation>Ordner nicht bis zum Ende lesbar</translation>
    </message>
    <message>
        <source>cannot be examined</source>
        <translation>lässt sich nicht untersuchen</translation>
    </message>
    <message>
        <source>link leads nowhere</source>
        <translation>Verknüpfung führt ins Leere</translation>
    </message>
</context>
<context>
    <name>decant::DiskSpace</name>
    <message>
        <source>the library&apos;s disk is full</source>
        <translation>der Datenträger der Mediathek ist voll</translation>
    </message>
    <message>
        <source>the library&apos;s disk is full: %1 free of %2</source>
        <translation>der Datenträger der Mediathek ist voll: %1 von %2 frei</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
</context>
<context>
    <name>decant::EncodingPlan</name>
    <message>
        <source>FFmpeg lacks the %1 encoder or muxer</source>
        <translation>in FFmpeg fehlt der Encoder oder Muxer %1</translation>
    </message>
    <message>
        <source>the file holds no audio</source>
        <translation>die Datei enthält kein Audio</translation>
    </message>
    <message>
        <source>%1-bit floating-point</source>
        <translation>%1-Bit-Gleitkomma</translation>
    </message>
    <message>
        <source>%1-bit integer</source>
        <translation>%1-Bit-Ganzzahl</translation>
    </message>
    <message>
        <source>%1 cannot encode the channel layout %2</source>
        <translation>%1 kann die Kanalbelegung %2 nicht kodieren</translation>
    </message>
    <message>
        <source>%1 cannot keep %2 samples exactly</source>
        <translation>%1 kann Samples im Format %2 nicht exakt erhalten</translation>
    </message>
    <message>
        <source>%1 keeps at most %2 bits a sample; this audio has %3 samples</source>
        <translation>%1 speichert höchstens %2 Bit pro Sample; dieses Audio hat Samples im Format %3</translation>
    </message>
    <message>
        <source>FFmpeg lacks the %1 encoder</source>
        <translation>in FFmpeg fehlt der Encoder %1</translation>
    </message>
    <message>
        <source>%1 keeps at most %2 bits a sample, and this audio&apos;s %3 samples do not fit in %2</source>
        <translation>%1 speichert höchstens %2 Bit pro Sample, und die Samples dieses Audios im Format %3 passen nicht in %2 Bit</translation>
    </message>
</context>
<context>
    <name>decant::FileError</name>
    <message>
        <source>the disk is full</source>
        <translation>der Datenträger ist voll</translation>
    </message>
    <message>
        <source>the file system is mounted read-only</source>
        <translation>das Dateisystem ist schreibgeschützt eingehängt</translation>
    </message>
    <message>
        <source>this user may not write there</source>
        <translation>dieser Benutzer darf dort nicht schreiben</translation>
    </message>
</context>
<context>
    <name>decant::FileImport</name>
    <message>
        <source>cannot flush %1 to disk</source>
        <translation>%1 kann nicht auf den Datenträger geschrieben werden</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>in %1 kann nicht geschrieben werden: %2</translation>
    </message>
</context>
<context>
    <name>decant::FileMoves</name>
    <message>
        <source>Could not read the journal of interrupted imports: %1</source>
        <translation>Das Journal abgebrochener Importe konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Removed track %1: its file %2 never reached the library.</source>
        <translation>Titel %1 entfernt: seine Datei %2 ist nie in der Mediathek angekommen.</translation>
    </message>
    <message>
        <source>Could not remove track %1, whose file %2 never reached the library: %3</source>
        <translation>Titel %1, dessen Datei %2 nie in der Mediathek angekommen ist, konnte nicht entfernt werden: %3</translation>
    </message>
    <message>
        <source>Finished moving the file of track %1 from %2 to %3, which an interrupted move left undone.</source>
        <translation>Die von einem unterbrochenen Verschieben liegen gebliebene Datei von Titel %1 von %2 nach %3 verschoben.</translation>
    </message>
    <message>
        <source>Finished putting %1 in place for track %2, which an interrupted import left undone.</source>
        <translation>Die von einem abgebrochenen Import liegen gebliebene Datei %1 für Titel %2 an ihren Platz gebracht.</translation>
    </message>
    <message>
        <source>Could not finish moving the file of track %1, which keeps %2: %3</source>
        <translation>Das Verschieben der Datei von Titel %1 ließ sich nicht abschließen; der Titel behält %2: %3</translation>
    </message>
    <message>
        <source>Could not finish the interrupted import of track %1: %2</source>
        <translation>Der abgebrochene Import von Titel %1 ließ sich nicht abschließen: %2</translation>
    </message>
    <message>
        <source>Could not record the end of interrupted imports: %1</source>
        <translation>Das Ende abgebrochener Importe konnte nicht festgehalten werden: %1</translation>
    </message>
    <message>
        <source>Could not read the journal of interrupted removals: %1</source>
        <translation>Das Journal abgebrochener Entfernungen konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>Could not finish removing %1: %2</source>
        <translation>Das Entfernen von %1 ließ sich nicht abschließen: %2</translation>
    </message>
    <message>
        <source>Moved %1 to the trash, which the interrupted removal of its track left undone.</source>
        <translation>Das abgebrochene Entfernen eines Titels abgeschlossen: %1 in den Papierkorb verschoben.</translation>
    </message>
    <message>
        <source>cannot move %1 to %2: %3</source>
        <translation>%1 kann nicht nach %2 verschoben werden: %3</translation>
    </message>
    <message>
        <source>cannot move %1 into place: %2</source>
        <translation>%1 kann nicht an seinen Platz gebracht werden: %2</translation>
    </message>
    <message>
        <source>cannot move %1 to the trash: %2</source>
        <translation>%1 kann nicht in den Papierkorb verschoben werden: %2</translation>
    </message>
    <message>
        <source>cannot create a file in %1: %2</source>
        <translation>in %1 kann keine Datei angelegt werden: %2</translation>
    </message>
</context>
<context>
    <name>decant::FilesController</name>
    <message>
        <source>Verified: %1</source>
        <translation>Geprüft: %1</translation>
    </message>
    <message>
        <source>no such file or folder</source>
        <translation>Datei oder Ordner nicht gefunden</translation>
    </message>
    <message>
        <source>cannot be examined (%1)</source>
        <translation>kann nicht untersucht werden (%1)</translation>
    </message>
    <message>
        <source>not named as a FLAC file</source>
        <translation>nicht wie eine FLAC-Datei benannt</translation>
    </message>
    <message>
        <source>not a file on this machine</source>
        <translation>keine Datei auf diesem Rechner</translation>
    </message>
    <message>
        <source>the CUE sheet names no FLAC file in its folder</source>
        <translation>das CUE-Sheet nennt keine FLAC-Datei in seinem Ordner</translation>
    </message>
</context>
<context>
    <name>decant::FolderOpener</name>
    <message>
        <source>Cannot open %1: neither a desktop portal nor xdg-open is available. Install xdg-desktop-portal or xdg-utils.</source>
        <translation>%1 kann nicht geöffnet werden: Weder ein Desktop-Portal noch xdg-open ist vorhanden. Installieren Sie xdg-desktop-portal oder xdg-utils.</translation>
    </message>
    <message>
        <source>Cannot open %1: %2 did not start.</source>
        <translation>%1 kann nicht geöffnet werden: %2 ließ sich nicht starten.</translation>
    </message>
</context>
<context>
    <name>decant::HelpDialog</name>
    <message>
        <source>Decant decodes FLAC files, checks each against the signature stored inside it, and hands them to the music library with their tags.</source>
        <translation>Decant dekodiert FLAC-Dateien, prüft jede anhand der in ihr gespeicherten Signatur und übergibt sie mit ihren Tags an die Musik-Mediathek.</translation>
    </message>
    <message>
        <source>Add files with Add Files… (Ctrl+O) or Add Folder… (Ctrl+Shift+O), or drop them on the table. Start (Ctrl+Return) decodes the queue and adds it to the library.</source>
        <translation>Fügen Sie Dateien mit „Dateien hinzufügen …“ (Strg+O) oder „Ordner hinzufügen …“ (Strg+Umschalt+O) hinzu oder ziehen Sie sie auf die Tabelle. „Starten“ (Strg+Eingabe) dekodiert die Warteschlange und fügt sie der Mediathek hinzu.</translation>
    </message>
    <message>
        <source>Select a file to read in the status bar why it failed. Tab and Shift+Tab move between the toolbar, the table and the status bar.</source>
        <translation>Wählen Sie eine Datei aus, um in der Statusleiste zu lesen, warum sie fehlschlug. Tab und Umschalt+Tab wechseln zwischen Werkzeugleiste, Tabelle und Statusleiste.</translation>
    </message>
    <message>
        <source>Open Library Folder (Ctrl+Shift+L) shows where the library keeps its files. The manual pages decant(1), decant-cli(1) and decant-library(1) say more.</source>
        <translation>„Mediathek-Ordner öffnen“ (Strg+Umschalt+L) zeigt, wo die Mediathek ihre Dateien ablegt. Mehr steht in den Handbuchseiten decant(1), decant-cli(1) und decant-library(1).</translation>
    </message>
    <message>
        <source>Decant Help</source>
        <translation>Decant-Hilfe</translation>
    </message>
    <message>
        <source>Help text</source>
        <translation>Hilfetext</translation>
    </message>
    <message>
        <source>Stop (Ctrl+.) ends a run: the files not yet in the library wait for the next Start. Delete takes the selected files out of the queue, F2 edits a tag before the import, and Ctrl+Z undoes that edit.</source>
        <translation>Anhalten (Strg+.) beendet einen Durchlauf: Die Dateien, die noch nicht in der Mediathek sind, warten auf den nächsten Start. Entf nimmt die gewählten Dateien aus der Warteschlange, F2 ändert ein Tag vor dem Import, und Strg+Z macht diese Änderung rückgängig.</translation>
    </message>
    <message>
        <source>Preferences (Ctrl+,) choose the format the library imports in; the Library window (Ctrl+L) lists its tracks, finds them in the file manager, and checks every file against its proof (Ctrl+Shift+C).</source>
        <translation>In den Einstellungen (Strg+,) wählen Sie das Format, in das die Mediathek importiert; das Fenster Mediathek (Strg+L) listet ihre Titel auf, zeigt sie im Dateimanager und prüft jede Datei gegen ihren Nachweis (Strg+Umschalt+C).</translation>
    </message>
</context>
<context>
    <name>decant::ImportSettings</name>
    <message>
        <source>%1 is lossless and takes no bit rate</source>
        <translation>%1 ist verlustfrei und hat keine Bitrate</translation>
    </message>
    <message>
        <source>mp3 takes one of these bit rates (kbit/s): %1</source>
        <translation>mp3 erlaubt nur diese Bitraten (kbit/s): %1</translation>
    </message>
    <message>
        <source>%1 takes a bit rate from %2 to %3 kbit/s</source>
        <translation>%1 erlaubt Bitraten von %2 bis %3 kbit/s</translation>
    </message>
    <message>
        <source>%1 (lossless)</source>
        <translation>%1 (verlustfrei)</translation>
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
        <translation>Die Titel, deren Tags ein unterbrochenes Speichern ungeschrieben ließ, konnten nicht gefunden werden: %1</translation>
    </message>
    <message>
        <source>Left the half-written files of interrupted imports: %1</source>
        <translation>Die halb geschriebenen Dateien abgebrochener Importe belassen: %1</translation>
    </message>
    <message>
        <source>Removed %1, left half-written by an interrupted import.</source>
        <translation>Die halb geschriebene Datei %1 eines abgebrochenen Imports entfernt.</translation>
    </message>
    <message>
        <source>cannot create %1: %2</source>
        <translation>%1 kann nicht angelegt werden: %2</translation>
    </message>
    <message>
        <source>cannot write in %1: %2</source>
        <translation>in %1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>no library folder given</source>
        <translation>kein Mediathek-Ordner angegeben</translation>
    </message>
    <message>
        <source>no library at %1 (Decant makes it when it first adds tracks)</source>
        <translation>keine Mediathek unter %1 (Decant legt sie an, sobald es zum ersten Mal Titel hinzufügt)</translation>
    </message>
    <message>
        <source>the library&apos;s database %1 is empty, but its media folder holds %2 file(s): decant-library check --repair rebuilds it from them</source>
        <translation>die Datenbank %1 der Mediathek ist leer, aber ihr Medienordner enthält %2 Datei(en): decant-library check --repair baut sie daraus neu auf</translation>
    </message>
    <message>
        <source>the library&apos;s database %1 is missing, but its media folder holds %2 file(s): decant-library check --repair rebuilds it from them</source>
        <translation>die Datenbank %1 der Mediathek fehlt, aber ihr Medienordner enthält %2 Datei(en): decant-library check --repair baut sie daraus neu auf</translation>
    </message>
    <message>
        <source>there is no track %1</source>
        <translation>es gibt keinen Titel %1</translation>
    </message>
    <message>
        <source>the track is gone, but its file %1 could not be removed</source>
        <translation>der Titel ist entfernt, aber seine Datei %1 ließ sich nicht löschen</translation>
    </message>
    <message>
        <source>its file %1 is there after all</source>
        <translation>seine Datei %1 ist doch vorhanden</translation>
    </message>
    <message>
        <source>its file is missing</source>
        <translation>seine Datei fehlt</translation>
    </message>
    <message>
        <source>the library is open for reading only</source>
        <translation>die Mediathek ist nur zum Lesen geöffnet</translation>
    </message>
    <message>
        <source>its tags are written, but its file could not be moved: %1</source>
        <translation>seine Tags sind geschrieben, aber seine Datei ließ sich nicht verschieben: %1</translation>
    </message>
    <message>
        <source>its tags are written, but the library could not record that: %1</source>
        <translation>seine Tags sind geschrieben, aber die Mediathek konnte das nicht festhalten: %1</translation>
    </message>
    <message>
        <source>cannot copy %1: %2</source>
        <translation>%1 kann nicht kopiert werden: %2</translation>
    </message>
    <message>
        <source>cannot write %1: %2</source>
        <translation>%1 kann nicht geschrieben werden: %2</translation>
    </message>
    <message>
        <source>%1 moved while its tags were written; they wait for the next save</source>
        <translation>%1 wurde verschoben, während seine Tags geschrieben wurden; sie warten auf das nächste Speichern</translation>
    </message>
    <message>
        <source>cannot replace %1: %2</source>
        <translation>%1 kann nicht ersetzt werden: %2</translation>
    </message>
    <message>
        <source>its file is still on its way into place</source>
        <translation>seine Datei ist noch auf dem Weg an ihren Platz</translation>
    </message>
    <message>
        <source>the track is no longer in the library</source>
        <translation>der Titel ist nicht mehr in der Mediathek</translation>
    </message>
    <message>
        <source>track %1 is being imported again; try once that is done</source>
        <translation>Titel %1 wird gerade erneut importiert; versuchen Sie es wieder, sobald das abgeschlossen ist</translation>
    </message>
    <message>
        <source>another track holds the same source and audio</source>
        <translation>ein anderer Titel hat dieselbe Quelle und dasselbe Audio</translation>
    </message>
</context>
<context>
    <name>decant::LibraryApplication</name>
    <message>
        <source>the library at %1 could not be opened: %2</source>
        <translation>die Mediathek in %1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>the track is no longer in the library</source>
        <translation>der Titel ist nicht mehr in der Mediathek</translation>
    </message>
</context>
<context>
    <name>decant::LibraryChanges</name>
    <message>
        <source>cannot remove track %1: %2</source>
        <translation>Titel %1 kann nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>Removed track %1 &quot;%2&quot;.</source>
        <translation>Titel %1 „%2“ entfernt.</translation>
    </message>
    <message>
        <source>%1; it stays where it was.</source>
        <translation>%1; die Datei bleibt, wo sie war.</translation>
    </message>
    <message>
        <source>Removed track %1 &quot;%2&quot;; its file %3 is in the trash.</source>
        <translation>Titel %1 „%2“ entfernt; seine Datei %3 liegt im Papierkorb.</translation>
    </message>
    <message>
        <source>cannot organise the library: %1</source>
        <translation>die Mediathek kann nicht geordnet werden: %1</translation>
    </message>
    <message>
        <source>Moved %1 to %2.</source>
        <translation>%1 nach %2 verschoben.</translation>
    </message>
    <message>
        <source>left track %1 at %2: %3</source>
        <translation>Titel %1 bleibt unter %2: %3</translation>
    </message>
    <message>
        <source>Every file is where its tags say.</source>
        <translation>Jede Datei liegt dort, wo ihre Tags es sagen.</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) moved, %1 left.</source>
        <translation>
            <numerusform>%n Datei verschoben, %1 übrig.</numerusform>
            <numerusform>%n Dateien verschoben, %1 übrig.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::LibraryCheck</name>
    <message>
        <source>track %1 &quot;%2&quot;</source>
        <translation>Titel %1 „%2“</translation>
    </message>
    <message>
        <source>Lost file: %1 holds track %2, whose file %3 is missing.</source>
        <translation>Verlorene Datei: %1 enthält Titel %2, dessen Datei %3 fehlt.</translation>
    </message>
    <message>
        <source>Lost track: %1 holds &quot;%2&quot; (source %3), which the database lacks.</source>
        <translation>Verlorener Titel: %1 enthält „%2“ (Quelle %3), der in der Datenbank fehlt.</translation>
    </message>
    <message>
        <source>Orphaned file: no track lists %1, a second copy of track %2.</source>
        <translation>Verwaiste Datei: kein Titel nennt %1, eine zweite Kopie von Titel %2.</translation>
    </message>
    <message>
        <source>Orphaned file: no track lists %1.</source>
        <translation>Verwaiste Datei: kein Titel nennt %1.</translation>
    </message>
    <message>
        <source>Half-written file: %1 was left by an interrupted import.</source>
        <translation>Halb geschriebene Datei: %1 blieb von einem abgebrochenen Import zurück.</translation>
    </message>
    <message>
        <source>Duplicate: %1 holds the same source and audio as track %2.</source>
        <translation>Duplikat: %1 hat dieselbe Quelle und dasselbe Audio wie Titel %2.</translation>
    </message>
    <message>
        <source>Missing file: %1 has no file %2.</source>
        <translation>Fehlende Datei: Für %1 fehlt die Datei %2.</translation>
    </message>
    <message>
        <source>Untagged track: %1 is still named after its source; no tags were ever set on it.</source>
        <translation>Titel ohne Tags: %1 ist noch nach seiner Quelle benannt; es wurden nie Tags für ihn gesetzt.</translation>
    </message>
    <message>
        <source>Tags not written: %1 has tags that %2 lacks.</source>
        <translation>Tags nicht geschrieben: %1 hat Tags, die in %2 fehlen.</translation>
    </message>
    <message>
        <source>Could not remove track %1: %2</source>
        <translation>Titel %1 konnte nicht entfernt werden: %2</translation>
    </message>
    <message>
        <source>Interrupted import: track %1 was still being put in place as %2.</source>
        <translation>Abgebrochener Import: Titel %1 wurde noch als %2 an seinen Platz gebracht.</translation>
    </message>
    <message>
        <source>Backup failed: the last copy of the database could not be made: %1.</source>
        <translation>Sicherung fehlgeschlagen: die letzte Kopie der Datenbank ließ sich nicht anlegen: %1.</translation>
    </message>
    <message>
        <source>Could not recover the track in %1: %2.</source>
        <translation>Der Titel in %1 konnte nicht wiederhergestellt werden: %2.</translation>
    </message>
    <message>
        <source>Gave track %1 back its file %2.</source>
        <translation>Titel %1 hat seine Datei %2 zurückerhalten.</translation>
    </message>
    <message>
        <source>Added track %1 back from %2, whose own tags held it.</source>
        <translation>Titel %1 aus %2 wieder hinzugefügt, deren eigene Tags ihn enthielten.</translation>
    </message>
    <message>
        <source>Could not back the database up: %1.</source>
        <translation>Die Datenbank konnte nicht gesichert werden: %1.</translation>
    </message>
    <message>
        <source>Backed the database up as %1.</source>
        <translation>Datenbank als %1 gesichert.</translation>
    </message>
    <message>
        <source>Left track %1: its file could not be put in place.</source>
        <translation>Titel %1 belassen: seine Datei ließ sich nicht an ihren Platz bringen.</translation>
    </message>
    <message>
        <source>Removed %1, left half-written by an interrupted import.</source>
        <translation>Die halb geschriebene Datei %1 eines abgebrochenen Imports entfernt.</translation>
    </message>
    <message>
        <source>Could not remove %1.</source>
        <translation>%1 konnte nicht entfernt werden.</translation>
    </message>
    <message>
        <source>Left %1 where it is, as the database was just rebuilt: look at it, and run check --repair again to move it to the trash.</source>
        <translation>%1 liegen gelassen, da die Datenbank gerade neu aufgebaut wurde: Sehen Sie sich die Datei an und führen Sie check --repair erneut aus, um sie in den Papierkorb zu verschieben.</translation>
    </message>
    <message>
        <source>Left %1: a track lists it now.</source>
        <translation>%1 belassen: ein Titel nennt die Datei inzwischen.</translation>
    </message>
    <message>
        <source>Moved %1 to the trash: no track lists it.</source>
        <translation>%1 in den Papierkorb verschoben: kein Titel nennt die Datei.</translation>
    </message>
    <message>
        <source>Could not move %1 to the trash: %2.</source>
        <translation>%1 konnte nicht in den Papierkorb verschoben werden: %2.</translation>
    </message>
    <message>
        <source>Removed track %1, whose file %2 is missing; importing its FLAC file again brings it back.</source>
        <translation>Titel %1 entfernt, dessen Datei %2 fehlt; ein erneuter Import seiner FLAC-Datei bringt ihn zurück.</translation>
    </message>
    <message>
        <source>Left track %1 and its file %2, as the database was just rebuilt: run check --repair again to remove them.</source>
        <translation>Titel %1 und seine Datei %2 belassen, da die Datenbank gerade neu aufgebaut wurde: Führen Sie check --repair erneut aus, um beide zu entfernen.</translation>
    </message>
    <message>
        <source>Removed track %1 and its file %2: track %3 holds the same source and audio.</source>
        <translation>Titel %1 und seine Datei %2 entfernt: Titel %3 hat dieselbe Quelle und dasselbe Audio.</translation>
    </message>
    <message>
        <source>Left track %1 untagged: importing its FLAC file again tags it.</source>
        <translation>Titel %1 ohne Tags belassen: ein erneuter Import seiner FLAC-Datei versieht ihn mit Tags.</translation>
    </message>
    <message>
        <source>Could not mark track %1 to be encoded again: %2.</source>
        <translation>Titel %1 konnte nicht zum erneuten Kodieren vorgemerkt werden: %2.</translation>
    </message>
    <message>
        <source>Marked track %1 to be encoded again: importing its FLAC file replaces the damaged %2.</source>
        <translation>Titel %1 zum erneuten Kodieren vorgemerkt: ein erneuter Import seiner FLAC-Datei ersetzt die beschädigte Datei %2.</translation>
    </message>
    <message>
        <source>Left the tags of track %1 to the process writing them now.</source>
        <translation>Die Tags von Titel %1 dem Prozess überlassen, der sie gerade schreibt.</translation>
    </message>
    <message>
        <source>Could not write the tags of track %1 into %2: %3.</source>
        <translation>Die Tags von Titel %1 konnten nicht in %2 geschrieben werden: %3.</translation>
    </message>
    <message>
        <source>Wrote the tags of track %1 into %2.</source>
        <translation>Tags von Titel %1 in %2 geschrieben.</translation>
    </message>
</context>
<context>
    <name>decant::LibraryCheckDialog</name>
    <message>
        <source>Check Library</source>
        <translation>Mediathek prüfen</translation>
    </message>
    <message>
        <source>Check result</source>
        <translation>Ergebnis der Prüfung</translation>
    </message>
    <message>
        <source>Check progress</source>
        <translation>Fortschritt der Prüfung</translation>
    </message>
    <message>
        <source>Findings</source>
        <translation>Befunde</translation>
    </message>
    <message>
        <source>&amp;Repair</source>
        <translation>&amp;Reparieren</translation>
    </message>
    <message>
        <source>Repair the library</source>
        <translation>Die Mediathek reparieren</translation>
    </message>
    <message>
        <source>Decoding every file again to compare it with its proof…</source>
        <translation>Jede Datei wird erneut dekodiert und mit ihrem Nachweis verglichen …</translation>
    </message>
    <message>
        <source>Repairing, then decoding every file again…</source>
        <translation>Repariere, dann wird jede Datei erneut dekodiert …</translation>
    </message>
    <message numerus="yes">
        <source>%n problem(s) found.</source>
        <translation>
            <numerusform>%n Problem gefunden.</numerusform>
            <numerusform>%n Probleme gefunden.</numerusform>
        </translation>
    </message>
    <message>
        <source>The library could not be checked: %1</source>
        <translation>Die Mediathek konnte nicht geprüft werden: %1</translation>
    </message>
</context>
<context>
    <name>decant::LibrarySettings</name>
    <message>
        <source>no such encoder: %1</source>
        <translation>kein solcher Encoder: %1</translation>
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
        <translation>Name</translation>
    </message>
    <message>
        <source>Artist</source>
        <translation>Interpret</translation>
    </message>
    <message>
        <source>Album</source>
        <translation>Album</translation>
    </message>
    <message>
        <source>Track</source>
        <translation>Titelnr.</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>CD</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Art</translation>
    </message>
    <message>
        <source>Gain</source>
        <translation>Pegel</translation>
    </message>
    <message>
        <source>Verified</source>
        <translation>Geprüft</translation>
    </message>
    <message>
        <source>Cover</source>
        <translation>Cover</translation>
    </message>
</context>
<context>
    <name>decant::LibraryWindow</name>
    <message>
        <source>Library</source>
        <translation>Mediathek</translation>
    </message>
    <message>
        <source>Search names, artists and albums</source>
        <translation>Namen, Interpreten und Alben durchsuchen</translation>
    </message>
    <message>
        <source>Search the library</source>
        <translation>Mediathek durchsuchen</translation>
    </message>
    <message>
        <source>Library tracks</source>
        <translation>Titel der Mediathek</translation>
    </message>
    <message>
        <source>&amp;Track</source>
        <translation>&amp;Titel</translation>
    </message>
    <message>
        <source>&amp;Show in File Manager</source>
        <translation>Im Dateimanager &amp;zeigen</translation>
    </message>
    <message>
        <source>Move to &amp;Trash…</source>
        <translation>In den &amp;Papierkorb verschieben …</translation>
    </message>
    <message>
        <source>&amp;Find</source>
        <translation>&amp;Suchen</translation>
    </message>
    <message>
        <source>&amp;Reload</source>
        <translation>&amp;Neu laden</translation>
    </message>
    <message>
        <source>&amp;Close</source>
        <translation>S&amp;chließen</translation>
    </message>
    <message>
        <source>Reading the library…</source>
        <translation>Die Mediathek wird gelesen …</translation>
    </message>
    <message>
        <source>There is no library yet at %1: the first import makes it.</source>
        <translation>Unter %1 gibt es noch keine Mediathek: Der erste Import legt sie an.</translation>
    </message>
    <message>
        <source>The library cannot be read now: %1</source>
        <translation>Die Mediathek kann gerade nicht gelesen werden: %1</translation>
    </message>
    <message numerus="yes">
        <source>%n track(s)</source>
        <translation>
            <numerusform>%n Titel</numerusform>
            <numerusform>%n Titel</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n track(s)</source>
        <translation>
            <numerusform>%1 von %n Titel</numerusform>
            <numerusform>%1 von %n Titeln</numerusform>
        </translation>
    </message>
    <message>
        <source>No application could open %1.</source>
        <translation>Kein Programm konnte %1 öffnen.</translation>
    </message>
    <message>
        <source>Move to Trash</source>
        <translation>In den Papierkorb verschieben</translation>
    </message>
    <message>
        <source>Remove “%1” from the library and move its file to the trash?</source>
        <translation>„%1“ aus der Mediathek entfernen und die Datei in den Papierkorb verschieben?</translation>
    </message>
    <message>
        <source>&amp;Library</source>
        <translation>&amp;Mediathek</translation>
    </message>
    <message>
        <source>&amp;Check Library…</source>
        <translation>Mediathek &amp;prüfen …</translation>
    </message>
</context>
<context>
    <name>decant::MainWindow</name>
    <message>
        <source>Freed %1 of decoded audio left by an earlier run.</source>
        <translation>%1 dekodiertes Audio eines früheren Laufs freigegeben.</translation>
    </message>
    <message>
        <source>Stopping…</source>
        <translation>Wird angehalten …</translation>
    </message>
    <message>
        <source>The tags from before the fetch are back.</source>
        <translation>Die Tags von vor dem Abruf sind wiederhergestellt.</translation>
    </message>
    <message>
        <source>Decant has finished</source>
        <translation>Decant ist fertig</translation>
    </message>
    <message>
        <source>The library does not say where it keeps its files.</source>
        <translation>Die Mediathek gibt nicht an, wo sie ihre Dateien ablegt.</translation>
    </message>
    <message>
        <source>The library&apos;s folder, %1, is made at the first import.</source>
        <translation>Der Ordner der Mediathek, %1, wird beim ersten Import angelegt.</translation>
    </message>
    <message>
        <source>Add Files</source>
        <translation>Dateien hinzufügen</translation>
    </message>
    <message>
        <source>FLAC files (*.flac *.FLAC *.Flac)</source>
        <translation>FLAC-Dateien (*.flac *.FLAC *.Flac)</translation>
    </message>
    <message>
        <source>Add Folder</source>
        <translation>Ordner hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Undo Tag Edit</source>
        <translation>Tag-Änderung &amp;rückgängig machen</translation>
    </message>
    <message>
        <source>The tags from before the edit are back.</source>
        <translation>Die Tags von vor der Änderung sind zurück.</translation>
    </message>
    <message>
        <source>&amp;Preferences…</source>
        <translation>&amp;Einstellungen …</translation>
    </message>
    <message>
        <source>Choose the format the library imports in</source>
        <translation>Das Format wählen, in das die Mediathek importiert</translation>
    </message>
    <message>
        <source>&amp;Window</source>
        <translation>&amp;Fenster</translation>
    </message>
    <message>
        <source>&amp;Library</source>
        <translation>&amp;Mediathek</translation>
    </message>
    <message>
        <source>Show the tracks in the library</source>
        <translation>Die Titel der Mediathek zeigen</translation>
    </message>
</context>
<context>
    <name>decant::MediaRecovery</name>
    <message>
        <source>Could not read %1: %2</source>
        <translation>%1 konnte nicht gelesen werden: %2</translation>
    </message>
    <message>
        <source>Left %1 where it is: it is a second copy of track %2.</source>
        <translation>%1 liegen gelassen: die Datei ist eine zweite Kopie von Titel %2.</translation>
    </message>
    <message>
        <source>Could not recover %1: %2</source>
        <translation>%1 konnte nicht wiederhergestellt werden: %2</translation>
    </message>
    <message numerus="yes">
        <source>Recovered %n track(s) from their files&apos; own tags: %1 added, %2 brought up to date with their files, %3 given back a file that had moved. Track IDs may differ from before.</source>
        <translation>
            <numerusform>%n Titel aus den eigenen Tags seiner Datei wiederhergestellt: %1 hinzugefügt, %2 auf den Stand seiner Datei gebracht, %3 wieder mit einer verschobenen Datei verbunden. Die Titel-IDs können sich geändert haben.</numerusform>
            <numerusform>%n Titel aus den eigenen Tags ihrer Dateien wiederhergestellt: %1 hinzugefügt, %2 auf den Stand ihrer Dateien gebracht, %3 wieder mit einer verschobenen Datei verbunden. Die Titel-IDs können sich geändert haben.</numerusform>
        </translation>
    </message>
    <message>
        <source>Could not set the import settings of the tracks (%1): %2</source>
        <translation>Die Import-Einstellungen der Titel (%1) ließen sich nicht setzen: %2</translation>
    </message>
    <message numerus="yes">
        <source>Set the import settings to those of %n track(s): %1.</source>
        <translation>
            <numerusform>Import-Einstellungen auf die von %n Titel gesetzt: %1.</numerusform>
            <numerusform>Import-Einstellungen auf die von %n Titeln gesetzt: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of them came from files that do not say which FLAC file they were imported from (made by an older version, or put there by hand): importing that FLAC file again adds a second track.</source>
        <translation>
            <numerusform>%n davon stammt aus einer Datei, die nicht angibt, aus welcher FLAC-Datei sie importiert wurde (von einer älteren Version erstellt oder von Hand abgelegt): ein erneuter Import dieser FLAC-Datei fügt einen zweiten Titel hinzu.</numerusform>
            <numerusform>%n davon stammen aus Dateien, die nicht angeben, aus welcher FLAC-Datei sie importiert wurden (von einer älteren Version erstellt oder von Hand abgelegt): ein erneuter Import dieser FLAC-Datei fügt einen zweiten Titel hinzu.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::MetadataFetchCommand</name>
    <message>
        <source>Fetch Metadata From iTunes</source>
        <translation>Metadaten von iTunes abrufen</translation>
    </message>
    <message>
        <source>Enter iTunes Store URL:</source>
        <translation>Adresse im iTunes Store eingeben:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Not a store album address: nothing changed. %1</source>
        <translation>Keine Album-Adresse des Stores: nichts wurde geändert. %1</translation>
    </message>
    <message>
        <source>%1 Nothing changed.</source>
        <translation>%1 Nichts wurde geändert.</translation>
    </message>
    <message>
        <source>The page gave no songs: nothing changed.</source>
        <translation>Die Seite lieferte keine Titel: nichts wurde geändert.</translation>
    </message>
    <message>
        <source>The queue is empty: nothing changed.</source>
        <translation>Die Warteschlange ist leer: nichts wurde geändert.</translation>
    </message>
    <message numerus="yes">
        <source>%n song(s) applied</source>
        <translation>
            <numerusform>%n Titel übernommen</numerusform>
            <numerusform>%n Titel übernommen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n file(s) beyond the album&apos;s end keep their tags</source>
        <translation>
            <numerusform>; %n Datei nach dem Ende des Albums behält ihre Tags</numerusform>
            <numerusform>; %n Dateien nach dem Ende des Albums behalten ihre Tags</numerusform>
        </translation>
    </message>
    <message>
        <source> of the album&apos;s %1</source>
        <translation> von %1 des Albums</translation>
    </message>
    <message>
        <source>Reading the album from the iTunes Store…</source>
        <translation>Lese das Album aus dem iTunes Store …</translation>
    </message>
    <message>
        <source>Fetch cancelled: nothing changed.</source>
        <translation>Abruf abgebrochen: nichts wurde geändert.</translation>
    </message>
</context>
<context>
    <name>decant::PageLoader</name>
    <message>
        <source>The page was read.</source>
        <translation>Die Seite wurde gelesen.</translation>
    </message>
    <message>
        <source>The server did not answer.</source>
        <translation>Der Server hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>The server stopped answering.</source>
        <translation>Der Server hat aufgehört zu antworten.</translation>
    </message>
    <message>
        <source>The server took too long to send the page.</source>
        <translation>Der Server brauchte zu lange, um die Seite zu senden.</translation>
    </message>
    <message>
        <source>The page is too large.</source>
        <translation>Die Seite ist zu groß.</translation>
    </message>
    <message>
        <source>The page arrived damaged (it does not decompress).</source>
        <translation>Die Seite kam beschädigt an (sie lässt sich nicht entpacken).</translation>
    </message>
    <message>
        <source>The read was interrupted.</source>
        <translation>Das Lesen wurde unterbrochen.</translation>
    </message>
    <message>
        <source>The read was cancelled.</source>
        <translation>Das Lesen wurde abgebrochen.</translation>
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
        <translation>Einstellungen</translation>
    </message>
    <message>
        <source>The library cannot be changed now: %1</source>
        <translation>Die Mediathek kann gerade nicht geändert werden: %1</translation>
    </message>
    <message>
        <source>A run is under way: the settings can be changed when it has ended.</source>
        <translation>Ein Durchlauf ist im Gang: Die Einstellungen lassen sich ändern, wenn er beendet ist.</translation>
    </message>
    <message>
        <source>No import has made the library yet: its first import takes these settings.</source>
        <translation>Noch hat kein Import die Mediathek angelegt: Ihr erster Import übernimmt diese Einstellungen.</translation>
    </message>
    <message>
        <source>Library location</source>
        <translation>Ort der Mediathek</translation>
    </message>
    <message>
        <source>Format</source>
        <translation>Format</translation>
    </message>
    <message>
        <source>Bit rate</source>
        <translation>Bitrate</translation>
    </message>
    <message>
        <source>&amp;Sound Check: measure each track&apos;s loudness</source>
        <translation>&amp;Sound Check: die Lautheit jedes Titels messen</translation>
    </message>
    <message>
        <source>Sound Check</source>
        <translation>Sound Check</translation>
    </message>
    <message>
        <source>Library:</source>
        <translation>Mediathek:</translation>
    </message>
    <message>
        <source>&amp;Format:</source>
        <translation>&amp;Format:</translation>
    </message>
    <message>
        <source>&amp;Bit rate:</source>
        <translation>&amp;Bitrate:</translation>
    </message>
    <message>
        <source>Changes apply from the next Start.</source>
        <translation>Änderungen gelten ab dem nächsten Start.</translation>
    </message>
    <message>
        <source>Lossless</source>
        <translation>Verlustfrei</translation>
    </message>
    <message>
        <source>%1 kbit/s</source>
        <translation>%1 kbit/s</translation>
    </message>
    <message>
        <source>The settings could not be saved: %1</source>
        <translation>Die Einstellungen konnten nicht gespeichert werden: %1</translation>
    </message>
</context>
<context>
    <name>decant::QueueCommands</name>
    <message>
        <source>S&amp;top</source>
        <translation>&amp;Anhalten</translation>
    </message>
    <message>
        <source>Stop the run: files not yet in the library wait for the next Start</source>
        <translation>Den Durchlauf anhalten: Dateien, die noch nicht in der Mediathek sind, warten auf den nächsten Start</translation>
    </message>
    <message>
        <source>&amp;Remove</source>
        <translation>&amp;Entfernen</translation>
    </message>
    <message>
        <source>Take the selected files out of the queue; the files stay</source>
        <translation>Die gewählten Dateien aus der Warteschlange nehmen; die Dateien selbst bleiben</translation>
    </message>
    <message>
        <source>&amp;Clear Finished</source>
        <translation>&amp;Fertige entfernen</translation>
    </message>
    <message>
        <source>Take the files already in the library out of the queue</source>
        <translation>Die Dateien, die schon in der Mediathek sind, aus der Warteschlange nehmen</translation>
    </message>
</context>
<context>
    <name>decant::QueueEntry</name>
    <message>
        <source>Waiting</source>
        <translation>Wartet</translation>
    </message>
    <message>
        <source>Decoding</source>
        <translation>Wird dekodiert</translation>
    </message>
    <message>
        <source>Decoded</source>
        <translation>Dekodiert</translation>
    </message>
    <message>
        <source>Failed</source>
        <translation>Fehlgeschlagen</translation>
    </message>
    <message>
        <source>Encoding</source>
        <translation>Wird konvertiert</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
</context>
<context>
    <name>decant::QueueStatusBar</name>
    <message>
        <source>%1 was not added: %2</source>
        <translation>%1 wurde nicht hinzugefügt: %2</translation>
    </message>
    <message numerus="yes">
        <source>%Ln items were not added: %1%2</source>
        <translation>
            <numerusform>%Ln Eintrag wurde nicht hinzugefügt: %1%2</numerusform>
            <numerusform>%Ln Einträge wurden nicht hinzugefügt: %1%2</numerusform>
        </translation>
    </message>
    <message>
        <source> and %1 more</source>
        <translation> und %1 weitere</translation>
    </message>
    <message>
        <source>… and %1 more</source>
        <translation>… und %1 weitere</translation>
    </message>
    <message>
        <source>Notice</source>
        <translation>Hinweis</translation>
    </message>
    <message>
        <source>What just happened, or why the selected file failed</source>
        <translation>Was gerade geschah oder warum die gewählte Datei fehlschlug</translation>
    </message>
    <message>
        <source>Queue summary</source>
        <translation>Übersicht der Warteschlange</translation>
    </message>
    <message>
        <source>How many files are queued, done and failed</source>
        <translation>Wie viele Dateien warten, fertig und fehlgeschlagen sind</translation>
    </message>
    <message>
        <source>select one to see why</source>
        <translation>eine auswählen, um den Grund zu sehen</translation>
    </message>
    <message numerus="yes">
        <source>The library did not take %Ln file(s): %1. Start tries again.</source>
        <translation>
            <numerusform>Die Mediathek hat %Ln Datei nicht übernommen: %1. „Starten“ versucht es erneut.</numerusform>
            <numerusform>Die Mediathek hat %Ln Dateien nicht übernommen: %1. „Starten“ versucht sie erneut.</numerusform>
        </translation>
    </message>
    <message>
        <source>Adding %1 files…</source>
        <translation>%1 Dateien werden hinzugefügt …</translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s)</source>
        <translation>
            <numerusform>%Ln Datei</numerusform>
            <numerusform>%Ln Dateien</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln done</source>
        <translation>
            <numerusform>%Ln fertig</numerusform>
            <numerusform>%Ln fertig</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln failed</source>
        <translation>
            <numerusform>%Ln fehlgeschlagen</numerusform>
            <numerusform>%Ln fehlgeschlagen</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::QueueTableEditing</name>
    <message>
        <source>Album Artist</source>
        <translation>Album-Interpret</translation>
    </message>
    <message>
        <source>Disc</source>
        <translation>CD</translation>
    </message>
    <message>
        <source>Year</source>
        <translation>Jahr</translation>
    </message>
    <message>
        <source>Genre</source>
        <translation>Genre</translation>
    </message>
    <message>
        <source>Composer</source>
        <translation>Komponist</translation>
    </message>
    <message>
        <source>Show %1</source>
        <translation>%1 zeigen</translation>
    </message>
    <message>
        <source>%1 is not a number</source>
        <translation>%1 ist keine Zahl</translation>
    </message>
</context>
<context>
    <name>decant::QueueTableModel</name>
    <message>
        <source>%1 · converting</source>
        <translation>%1 · wird umgewandelt</translation>
    </message>
    <message>
        <source>%1 · proved</source>
        <translation>%1 · geprüft</translation>
    </message>
</context>
<context>
    <name>decant::RunProgressWidget</name>
    <message>
        <source>Run progress</source>
        <translation>Fortschritt des Laufs</translation>
    </message>
    <message>
        <source>Decoding and importing the queued files</source>
        <translation>Dekodieren und Importieren der Dateien in der Warteschlange</translation>
    </message>
    <message>
        <source>%1 of %2 files done</source>
        <translation>%1 von %2 Dateien fertig</translation>
    </message>
    <message>
        <source> · %1 left</source>
        <translation> · noch %1</translation>
    </message>
</context>
<context>
    <name>decant::RunSummary</name>
    <message>
        <source>No files to import</source>
        <translation>Keine Dateien zu importieren</translation>
    </message>
    <message numerus="yes">
        <source>%n file(s) imported</source>
        <translation>
            <numerusform>%n Datei importiert</numerusform>
            <numerusform>%n Dateien importiert</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n fehlgeschlagen</numerusform>
            <numerusform>%n fehlgeschlagen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not taken by the library</source>
        <translation>
            <numerusform>%n nicht von der Mediathek übernommen</numerusform>
            <numerusform>%n nicht von der Mediathek übernommen</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n stopped</source>
        <translation>
            <numerusform>%n angehalten</numerusform>
            <numerusform>%n angehalten</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::SingleInstance</name>
    <message>
        <source>Decant is already running but not responding; the files were not added to its queue</source>
        <translation>Decant läuft bereits, antwortet aber nicht; die Dateien wurden nicht in seine Warteschlange aufgenommen</translation>
    </message>
</context>
<context>
    <name>decant::SourceClaims</name>
    <message>
        <source>another Decant is importing this file</source>
        <translation>ein anderes Decant importiert diese Datei</translation>
    </message>
</context>
<context>
    <name>decant::StoreAlbumReader</name>
    <message>
        <source>The page&apos;s server data does not parse as JSON.</source>
        <translation>Die Serverdaten der Seite sind kein lesbares JSON.</translation>
    </message>
    <message>
        <source>The page carries no album data.</source>
        <translation>Die Seite enthält keine Albumdaten.</translation>
    </message>
    <message>
        <source>The lookup&apos;s answer does not parse as JSON.</source>
        <translation>Die Antwort der Suche ist kein lesbares JSON.</translation>
    </message>
    <message>
        <source>The page carries no album data, and the lookup found no songs for album %1 in the &quot;%2&quot; store.</source>
        <translation>Die Seite enthält keine Albumdaten, und die Suche fand keine Titel für das Album %1 im Store „%2“.</translation>
    </message>
</context>
<context>
    <name>decant::StoreAlbumURL</name>
    <message>
        <source>The address is an iTunes Store page.</source>
        <translation>Die Adresse ist eine Seite des iTunes Store.</translation>
    </message>
    <message>
        <source>The text is not a valid web address.</source>
        <translation>Der Text ist keine gültige Webadresse.</translation>
    </message>
    <message>
        <source>The address must begin with https://.</source>
        <translation>Die Adresse muss mit https:// beginnen.</translation>
    </message>
    <message>
        <source>The address must be on %1 or %2.</source>
        <translation>Die Adresse muss auf %1 oder %2 liegen.</translation>
    </message>
    <message>
        <source>The address must not carry a user name or password.</source>
        <translation>Die Adresse darf keinen Benutzernamen und kein Passwort enthalten.</translation>
    </message>
</context>
<context>
    <name>decant::StoreFailure</name>
    <message>
        <source>The store gave the album.</source>
        <translation>Der Store lieferte das Album.</translation>
    </message>
    <message>
        <source>Could not reach the store: the name %1 could not be looked up.</source>
        <translation>Der Store war nicht erreichbar: Der Name %1 konnte nicht aufgelöst werden.</translation>
    </message>
    <message>
        <source>Could not reach the store: %1 did not answer.</source>
        <translation>Der Store war nicht erreichbar: %1 hat nicht geantwortet.</translation>
    </message>
    <message>
        <source>Could not reach the store: the secure connection to %1 failed.</source>
        <translation>Der Store war nicht erreichbar: Die sichere Verbindung zu %1 ist fehlgeschlagen.</translation>
    </message>
    <message>
        <source>Could not reach the store: %1 did not answer in time.</source>
        <translation>Der Store war nicht erreichbar: %1 hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>The store did not give the album: %1 answered with HTTP status %2.</source>
        <translation>Der Store lieferte das Album nicht: %1 antwortete mit HTTP-Status %2.</translation>
    </message>
    <message>
        <source>The store&apos;s answer from %1 could not be used.</source>
        <translation>Die Antwort des Stores von %1 war nicht verwendbar.</translation>
    </message>
    <message>
        <source>The store&apos;s answer from %1 is not valid JSON.</source>
        <translation>Die Antwort des Stores von %1 ist kein gültiges JSON.</translation>
    </message>
    <message>
        <source>The store has no songs for this album.</source>
        <translation>Der Store hat keine Titel für dieses Album.</translation>
    </message>
    <message>
        <source>The store&apos;s page has no songs, and its address names no album to look up.</source>
        <translation>Die Seite des Stores enthält keine Titel, und ihre Adresse nennt kein Album zum Nachschlagen.</translation>
    </message>
    <message>
        <source>The read from the store was stopped.</source>
        <translation>Das Lesen aus dem Store wurde abgebrochen.</translation>
    </message>
</context>
<context>
    <name>decant::TagRewrite</name>
    <message>
        <source>TagLib cannot open %1</source>
        <translation>TagLib kann %1 nicht öffnen</translation>
    </message>
    <message>
        <source>TagLib cannot save %1</source>
        <translation>TagLib kann %1 nicht speichern</translation>
    </message>
    <message>
        <source>%1 has no place for artwork</source>
        <translation>%1 bietet keinen Platz für ein Cover</translation>
    </message>
</context>
<context>
    <name>decant::TrackDetails</name>
    <message>
        <source>yes</source>
        <translation>ja</translation>
    </message>
    <message>
        <source>no</source>
        <translation>nein</translation>
    </message>
    <message>
        <source>Track %1</source>
        <translation>Titel %1</translation>
    </message>
    <message>
        <source>no track has the ID %1 (see list)</source>
        <translation>kein Titel hat die ID %1 (siehe list)</translation>
    </message>
</context>
<context>
    <name>decant::TrackNumberText</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
<context>
    <name>decant::TrackProperty</name>
    <message>
        <source>track number</source>
        <translation>Titelnummer</translation>
    </message>
    <message>
        <source>track count</source>
        <translation>Titelanzahl</translation>
    </message>
    <message>
        <source>disc number</source>
        <translation>CD-Nummer</translation>
    </message>
    <message>
        <source>disc count</source>
        <translation>CD-Anzahl</translation>
    </message>
    <message>
        <source>The %1 %2 was dropped: it is out of range (0 to %3).</source>
        <translation>Die %1 %2 wurde verworfen: sie liegt außerhalb des zulässigen Bereichs (0 bis %3).</translation>
    </message>
</context>
<context>
    <name>decant::VorbisComments</name>
    <message>
        <source>The comment %1, of %2, was left out: comments over %3 are not read.</source>
        <translation>Der Kommentar %1 mit %2 wurde ausgelassen: Kommentare über %3 werden nicht gelesen.</translation>
    </message>
    <message>
        <source>A comment of %1 was left out: comments over %2 are not read.</source>
        <translation>Ein Kommentar mit %1 wurde ausgelassen: Kommentare über %2 werden nicht gelesen.</translation>
    </message>
</context>
<context>
    <name>decant::iTunesHandOff</name>
    <message>
        <source>the library did not take the file</source>
        <translation>die Mediathek hat die Datei nicht übernommen</translation>
    </message>
</context>
</TS>
