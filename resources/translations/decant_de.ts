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
    <name>decant::ApplicationMain</name>
    <message>
        <source>Decant cannot tell whether it is already running: %1</source>
        <translation>Decant kann nicht feststellen, ob es bereits läuft: %1</translation>
    </message>
    <message>
        <source>Decant cannot take files from later launches: %1</source>
        <translation>Decant kann keine Dateien späterer Aufrufe annehmen: %1</translation>
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
        <source>Preferences (Ctrl+,) choose the format the library imports in; the Library window (Ctrl+L) lists its tracks and finds them in the file manager.</source>
        <translation>In den Einstellungen (Strg+,) wählen Sie das Format, in das die Mediathek importiert; das Fenster Mediathek (Strg+L) listet ihre Titel auf und zeigt sie im Dateimanager.</translation>
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
    <name>decant::TrackNumberText</name>
    <message>
        <source>%1 of %2</source>
        <translation>%1 von %2</translation>
    </message>
</context>
</TS>
