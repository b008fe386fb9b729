<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en_US">
<context>
    <name>decant-cli</name>
    <message numerus="yes">
        <source>%n FLAC file(s)</source>
        <translation>
            <numerusform>%n FLAC file</numerusform>
            <numerusform>%n FLAC files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the library did not take %n file(s); the reasons are above.</source>
        <translation>
            <numerusform>the library did not take %n file; the reasons are above.</numerusform>
            <numerusform>the library did not take %n files; the reasons are above.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>the library did not take %n file(s): %1</source>
        <translation>
            <numerusform>the library did not take %n file: %1</numerusform>
            <numerusform>the library did not take %n files: %1</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n track(s) of %1</source>
        <translation>
            <numerusform>%n track of %1</numerusform>
            <numerusform>%n tracks of %1</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::CheckCommand</name>
    <message numerus="yes">
        <source>%n problem(s) found; decant-library check --repair mends them.</source>
        <translation>
            <numerusform>%n problem found; decant-library check --repair mends it.</numerusform>
            <numerusform>%n problems found; decant-library check --repair mends them.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>No problems in %n track(s).</source>
        <translation>
            <numerusform>No problems in %n track.</numerusform>
            <numerusform>No problems in %n tracks.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>No problems in %n track(s); every verified file decodes as it did when it was imported.</source>
        <translation>
            <numerusform>No problems in %n track; every verified file decodes as it did when it was imported.</numerusform>
            <numerusform>No problems in %n tracks; every verified file decodes as it did when it was imported.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n problem(s) mended, %1 left.</source>
        <translation>
            <numerusform>%n problem mended, %1 left.</numerusform>
            <numerusform>%n problems mended, %1 left.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::LibraryChanges</name>
    <message numerus="yes">
        <source>%n file(s) moved, %1 left.</source>
        <translation>
            <numerusform>%n file moved, %1 left.</numerusform>
            <numerusform>%n files moved, %1 left.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::LibraryCheckDialog</name>
    <message numerus="yes">
        <source>%n problem(s) found.</source>
        <translation>
            <numerusform>%n problem found.</numerusform>
            <numerusform>%n problems found.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::LibraryWindow</name>
    <message numerus="yes">
        <source>%n track(s)</source>
        <translation>
            <numerusform>%n track</numerusform>
            <numerusform>%n tracks</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 of %n track(s)</source>
        <translation>
            <numerusform>%1 of %n track</numerusform>
            <numerusform>%1 of %n tracks</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::MediaRecovery</name>
    <message numerus="yes">
        <source>Recovered %n track(s) from their files&apos; own tags: %1 added, %2 brought up to date with their files, %3 given back a file that had moved. Track IDs may differ from before.</source>
        <translation>
            <numerusform>Recovered %n track from its file&apos;s own tags: %1 added, %2 brought up to date with its file, %3 given back a file that had moved. Track IDs may differ from before.</numerusform>
            <numerusform>Recovered %n tracks from their files&apos; own tags: %1 added, %2 brought up to date with their files, %3 given back a file that had moved. Track IDs may differ from before.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Set the import settings to those of %n track(s): %1.</source>
        <translation>
            <numerusform>Set the import settings to those of %n track: %1.</numerusform>
            <numerusform>Set the import settings to those of %n tracks: %1.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n of them came from files that do not say which FLAC file they were imported from (made by an older version, or put there by hand): importing that FLAC file again adds a second track.</source>
        <translation>
            <numerusform>%n of them came from a file that does not say which FLAC file it was imported from (made by an older version, or put there by hand): importing that FLAC file again adds a second track.</numerusform>
            <numerusform>%n of them came from files that do not say which FLAC file they were imported from (made by an older version, or put there by hand): importing that FLAC file again adds a second track.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::MetadataFetchCommand</name>
    <message numerus="yes">
        <source>%n song(s) applied</source>
        <translation>
            <numerusform>%n song applied</numerusform>
            <numerusform>%n songs applied</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>; %n file(s) beyond the album&apos;s end keep their tags</source>
        <translation>
            <numerusform>; %n file beyond the album&apos;s end keeps its tags</numerusform>
            <numerusform>; %n files beyond the album&apos;s end keep their tags</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::QueueStatusBar</name>
    <message numerus="yes">
        <source>%Ln items were not added: %1%2</source>
        <translation>
            <numerusform>%Ln item was not added: %1%2</numerusform>
            <numerusform>%Ln items were not added: %1%2</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>The library did not take %Ln file(s): %1. Start tries again.</source>
        <translation>
            <numerusform>The library did not take %Ln file: %1. Start tries it again.</numerusform>
            <numerusform>The library did not take %Ln files: %1. Start tries them again.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln file(s)</source>
        <translation>
            <numerusform>%Ln file</numerusform>
            <numerusform>%Ln files</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln done</source>
        <translation>
            <numerusform>%Ln done</numerusform>
            <numerusform>%Ln done</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln failed</source>
        <translation>
            <numerusform>%Ln failed</numerusform>
            <numerusform>%Ln failed</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>decant::RunSummary</name>
    <message numerus="yes">
        <source>%n file(s) imported</source>
        <translation>
            <numerusform>%n file imported</numerusform>
            <numerusform>%n files imported</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n failed</source>
        <translation>
            <numerusform>%n failed</numerusform>
            <numerusform>%n failed</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n not taken by the library</source>
        <translation>
            <numerusform>%n not taken by the library</numerusform>
            <numerusform>%n not taken by the library</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%n stopped</source>
        <translation>
            <numerusform>%n stopped</numerusform>
            <numerusform>%n stopped</numerusform>
        </translation>
    </message>
</context>
</TS>
