<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de_DE">
<context>
    <name>Artwork</name>
    <message>
        <source>Add File</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>Repair</source>
        <translation>Reparieren</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Update</source>
        <translation>Update</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
</context>
<context>
    <name>Texts</name>
    <message>
        <source>About %1</source>
        <translation>Über %1</translation>
    </message>
    <message>
        <source>%1 Version %2</source>
        <translation>%1 Version %2</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Help file for %1 not found</source>
        <translation>Hilfedatei für %1 nicht gefunden</translation>
    </message>
    <message>
        <source>Updates of %1 come with the system&apos;s package manager.</source>
        <translation>Aktualisierungen von %1 kommen über die Paketverwaltung des Systems.</translation>
    </message>
    <message>
        <source>The application will be closed if you want to run Live Update of the software. Continue ?</source>
        <translation>Die Anwendung wird geschlossen, wenn Sie das Live Update der Software ausführen. Fortfahren?</translation>
    </message>
    <message>
        <source>Backup Files(*.bkf)</source>
        <translation>Sicherungsdateien(*.bkf)</translation>
    </message>
    <message>
        <source> All Files(*.*)</source>
        <translation> Alle Dateien(*.*)</translation>
    </message>
    <message>
        <source>Select corrupted file to repair...</source>
        <translation>Beschädigte Datei zum Reparieren auswählen...</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Datei</translation>
    </message>
    <message>
        <source>&amp;Add	Ctrl+A</source>
        <translation>&amp;Hinzufügen	Strg+A</translation>
    </message>
    <message>
        <source>Add File to repair</source>
        <translation>Datei zum Reparieren hinzufügen</translation>
    </message>
    <message>
        <source>&amp;Save	Ctrl+S</source>
        <translation>&amp;Speichern	Strg+S</translation>
    </message>
    <message>
        <source>Select location to save repaired file</source>
        <translation>Speicherort für die reparierten Dateien wählen</translation>
    </message>
    <message>
        <source>Quit the application; prompts to save documents</source>
        <translation>Beendet die Anwendung; fragt nach dem Speichern von Dokumenten</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>E&amp;xtras</translation>
    </message>
    <message>
        <source>Se&amp;tting	Ctrl+T</source>
        <translation>&amp;Optionen	Strg+T</translation>
    </message>
    <message>
        <source>Settings for repaired file name</source>
        <translation>Optionen für den Namen reparierter Dateien</translation>
    </message>
    <message>
        <source>Li&amp;ve Update	Ctrl+V</source>
        <translation>&amp;Live Update	Strg+V</translation>
    </message>
    <message>
        <source>Update the software from latest changes from Internet</source>
        <translation>Die Software mit den neuesten Änderungen aus dem Internet aktualisieren</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Hilfe</translation>
    </message>
    <message>
        <source>&amp;Help	F1</source>
        <translation>&amp;Hilfe	F1</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Hilfe</translation>
    </message>
    <message>
        <source>&amp;About Brevant Veltra BKF...</source>
        <translation>Ü&amp;ber Brevant Veltra BKF...</translation>
    </message>
    <message>
        <source>Display program information, version number and copyright</source>
        <translation>Programminformationen, Versionsnummer und Copyright anzeigen</translation>
    </message>
    <message>
        <source>Software H&amp;ome Page...</source>
        <translation>H&amp;omepage der Software...</translation>
    </message>
    <message>
        <source>Go to software home page...</source>
        <translation>Zur Homepage der Software...</translation>
    </message>
    <message>
        <source>CAP</source>
        <translation>UF</translation>
    </message>
    <message>
        <source>NUM1</source>
        <translation>NUM</translation>
    </message>
    <message>
        <source>SCRL</source>
        <translation>RF</translation>
    </message>
    <message>
        <source>Ready</source>
        <translation>Bereit</translation>
    </message>
    <message>
        <source>Do you really want to exit?</source>
        <translation>Möchten Sie das Programm wirklich beenden?</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>: saved as </source>
        <translation>: gespeichert als </translation>
    </message>
    <message>
        <source>The scan: </source>
        <translation>Die Suche: </translation>
    </message>
    <message>
        <source>Details...</source>
        <translation>Details...</translation>
    </message>
    <message>
        <source>Some Error occoured while opening file. Make sure that file is not shared</source>
        <translation>Beim Öffnen der Datei ist ein Fehler aufgetreten. Stellen Sie sicher, dass kein anderes Programm die Datei verwendet</translation>
    </message>
    <message>
        <source>No data found in backup file</source>
        <translation>Keine Daten in der Sicherungsdatei gefunden</translation>
    </message>
    <message>
        <source>Veltra is Searching files.... . You can stop this searching process by pressing Stop button</source>
        <translation>Veltra sucht Dateien... Sie können die Suche mit der Schaltfläche „Stopp“ beenden</translation>
    </message>
    <message>
        <source>Please press Save Files button from toolbar or press Next button to save repaired file(s) </source>
        <translation>Klicken Sie in der Symbolleiste auf „Speichern“ oder auf „Weiter“, um die reparierten Dateien zu speichern </translation>
    </message>
    <message>
        <source>Please stop search process , then save files</source>
        <translation>Bitte beenden Sie zuerst die Suche und speichern Sie dann die Dateien</translation>
    </message>
    <message>
        <source>Please select file(s) to save </source>
        <translation>Bitte wählen Sie die zu speichernden Dateien aus </translation>
    </message>
    <message>
        <source>Please select the Directory to Save the repaired files</source>
        <translation>Bitte wählen Sie den Ordner, in dem die reparierten Dateien gespeichert werden</translation>
    </message>
    <message>
        <source>Brevant Veltra BKF -  Saving files...</source>
        <translation>Brevant Veltra BKF – Dateien werden gespeichert...</translation>
    </message>
    <message>
        <source>Filename</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>Do you want to stop repairing process?</source>
        <translation>Möchten Sie die Reparatur abbrechen?</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>File Name Prefix</source>
        <translation>Präfix des Dateinamens</translation>
    </message>
    <message>
        <source>Please fill prefix</source>
        <translation>Bitte geben Sie ein Präfix ein</translation>
    </message>
    <message>
        <source>Illegal character found in file pre fix </source>
        <translation>Unzulässiges Zeichen im Dateipräfix </translation>
    </message>
    <message>
        <source>Restore file dates</source>
        <translation>Datum der Dateien wiederherstellen</translation>
    </message>
    <message>
        <source>Also look for blocks off the 512-byte grid: finds the files after bytes lost or inserted in the backup</source>
        <translation>Auch Blöcke außerhalb des 512-Byte-Rasters suchen: findet die Dateien hinter verlorenen oder eingefügten Bytes der Sicherung</translation>
    </message>
    <message>
        <source>%1 of %2 saved</source>
        <translation>%1 von %2 gespeichert</translation>
    </message>
    <message>
        <source>%1 of %2 files, %3 saved into %4</source>
        <translation>%1 von %2 Dateien, %3 gespeichert in %4</translation>
    </message>
    <message>
        <source>Save stopped: %1</source>
        <translation>Speichern abgebrochen: %1</translation>
    </message>
    <message>
        <source>%1 could not be saved completely</source>
        <translation>%1 nicht vollständig gespeichert</translation>
    </message>
    <message>
        <source>%1 saved under another name</source>
        <translation>%1 unter einem anderen Namen gespeichert</translation>
    </message>
    <message>
        <source>the scan passed over files that are not in the list</source>
        <translation>die Suche hat Dateien übergangen, die nicht in der Liste stehen</translation>
    </message>
    <message>
        <source>%1 damaged</source>
        <translation>%1 beschädigt</translation>
    </message>
    <message>
        <source>%1 with a lost checksum</source>
        <translation>%1 mit verlorener Prüfsumme</translation>
    </message>
    <message>
        <source>No file could be saved: no output folder could be created in %1 (%2)</source>
        <translation>Keine Datei konnte gespeichert werden: In %1 konnte kein Ausgabeordner angelegt werden (%2)</translation>
    </message>
    <message>
        <source>Open the output folder?</source>
        <translation>Den Ausgabeordner öffnen?</translation>
    </message>
    <message>
        <source>1.	select file for repair from Browse button or from Add File button from toolbar 
2.	Press Next button</source>
        <translation>1.	Datei zum Reparieren mit „Durchsuchen“ oder mit „Öffnen“ in der Symbolleiste auswählen 
2.	„Weiter“ drücken</translation>
    </message>
    <message>
        <source>1.	select file for repair from browse Button or from Add File button from toolbar 
2.	Press Next button</source>
        <translation>1.	Datei zum Reparieren mit „Durchsuchen“ oder mit „Öffnen“ in der Symbolleiste auswählen 
2.	„Weiter“ drücken</translation>
    </message>
    <message>
        <source>Repair selected file </source>
        <translation>Ausgewählte Datei reparieren </translation>
    </message>
    <message>
        <source>Settings for repaired file name.</source>
        <translation>Optionen für den Namen reparierter Dateien.</translation>
    </message>
    <message>
        <source>Next</source>
        <translation>Weiter</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Zurück</translation>
    </message>
    <message>
        <source>Stop</source>
        <translation>Stopp</translation>
    </message>
    <message>
        <source>Go to the software Homepage</source>
        <translation>Zur Homepage der Software</translation>
    </message>
    <message>
        <source>&amp;Browse</source>
        <translation>Durch&amp;suchen</translation>
    </message>
    <message>
        <source>Please select file to repair , Using Browse button</source>
        <translation>Bitte wählen Sie die zu reparierende Datei mit „Durchsuchen“ aus</translation>
    </message>
    <message>
        <source>Invalid File Name</source>
        <translation>Ungültiger Dateiname</translation>
    </message>
    <message>
        <source>Save Files</source>
        <translation>Dateien speichern</translation>
    </message>
    <message>
        <source>File Name</source>
        <translation>Dateiname</translation>
    </message>
    <message>
        <source>File Type</source>
        <translation>Dateityp</translation>
    </message>
    <message>
        <source>File Size</source>
        <translation>Dateigröße</translation>
    </message>
    <message>
        <source>Save File</source>
        <translation>Datei speichern</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Ordner</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Name</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Typ</translation>
    </message>
    <message>
        <source>Please stop search process , then select files</source>
        <translation>Bitte beenden Sie zuerst die Suche und wählen Sie dann Dateien aus</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Datei</translation>
    </message>
    <message>
        <source>%1 File</source>
        <translation>%1-Datei</translation>
    </message>
    <message>
        <source>&amp;Details &gt;&gt;</source>
        <translation>&amp;Details &gt;&gt;</translation>
    </message>
    <message>
        <source>&lt;&lt; &amp;Details</source>
        <translation>&lt;&lt; &amp;Details</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Ja</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Nein</translation>
    </message>
    <message>
        <source>Recovery of damaged BKF backups</source>
        <translation>Wiederherstellung aus beschädigten BKF-Sicherungen</translation>
    </message>
    <message>
        <source>Total File Found :</source>
        <translation>Gefundene Dateien insgesamt :</translation>
    </message>
    <message>
        <source>The backup could not be read: %1</source>
        <translation>Die Sicherung konnte nicht gelesen werden: %1</translation>
    </message>
    <message>
        <source>No block was found on the 512-byte grid. A deep scan (the &quot;Deep scan&quot; box) also looks for blocks off the grid.</source>
        <translation>Auf dem 512-Byte-Raster wurde kein Block gefunden. Eine Tiefensuche (das Feld &quot;Tiefensuche&quot;) sucht auch außerhalb des Rasters nach Blöcken.</translation>
    </message>
    <message>
        <source>The scan failed: %1</source>
        <translation>Die Suche ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>The save failed: %1</source>
        <translation>Das Speichern ist fehlgeschlagen: %1</translation>
    </message>
    <message>
        <source>E&amp;xit	Ctrl+Q</source>
        <translation>&amp;Beenden	Strg+Q</translation>
    </message>
    <message>
        <source>Save report...</source>
        <translation>Bericht speichern...</translation>
    </message>
    <message>
        <source>&amp;Deep scan</source>
        <translation>&amp;Tiefensuche</translation>
    </message>
    <message>
        <source>Save &amp;report...</source>
        <translation>Bericht &amp;speichern...</translation>
    </message>
    <message>
        <source>Backup file name</source>
        <translation>Name der Sicherungsdatei</translation>
    </message>
    <message>
        <source>Catalogue from the scan of %1</source>
        <translation>Katalog aus der Suche vom %1</translation>
    </message>
    <message>
        <source>Rescan</source>
        <translation>Neu suchen</translation>
    </message>
    <message>
        <source>%1 saved and %2 already there of %3 files, %4 written into %5</source>
        <translation>%1 gespeichert und %2 schon vorhanden von %3 Dateien, %4 geschrieben in %5</translation>
    </message>
    <message>
        <source>Continue the save into %1 (%2 files already there)?</source>
        <translation>Das Speichern in %1 fortsetzen (%2 Dateien schon vorhanden)?</translation>
    </message>
    <message>
        <source>Tick selected rows</source>
        <translation>Ausgewählte Zeilen anhaken</translation>
    </message>
    <message>
        <source>Untick selected rows</source>
        <translation>Haken der ausgewählten Zeilen entfernen</translation>
    </message>
    <message>
        <source>%1 of %2 files ticked, %3</source>
        <translation>%1 von %2 Dateien angehakt, %3</translation>
    </message>
    <message>
        <source>Files can be dragged out once the search has ended.</source>
        <translation>Dateien lassen sich erst nach dem Ende der Suche herausziehen.</translation>
    </message>
    <message>
        <source>Too much to drag out at once: tick the files and save them with Save.</source>
        <translation>Zu viel, um es auf einmal herauszuziehen: Haken Sie die Dateien an und speichern Sie sie mit Speichern.</translation>
    </message>
    <message>
        <source>Preview</source>
        <translation>Vorschau</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Öffnen</translation>
    </message>
    <message>
        <source>no data</source>
        <translation>keine Daten</translation>
    </message>
    <message>
        <source>cut short</source>
        <translation>abgeschnitten</translation>
    </message>
    <message>
        <source>folder lost</source>
        <translation>Ordner verloren</translation>
    </message>
    <message>
        <source>checksum lost</source>
        <translation>Prüfsumme verloren</translation>
    </message>
    <message>
        <source>damaged</source>
        <translation>beschädigt</translation>
    </message>
    <message>
        <source>unknown</source>
        <translation>unbekannt</translation>
    </message>
    <message>
        <source>%1 (%2 bytes)</source>
        <translation>%1 (%2 Bytes)</translation>
    </message>
    <message>
        <source>none recorded</source>
        <translation>keine aufgezeichnet</translation>
    </message>
    <message>
        <source>made when the file is saved</source>
        <translation>erfolgt beim Speichern der Datei</translation>
    </message>
    <message>
        <source>the data match their checksum</source>
        <translation>die Daten stimmen mit ihrer Prüfsumme überein</translation>
    </message>
    <message>
        <source>the data differ from their checksum</source>
        <translation>die Daten weichen von ihrer Prüfsumme ab</translation>
    </message>
    <message>
        <source>The backup holds only the first %1 bytes of this file; its data end there.</source>
        <translation>Die Sicherung enthält nur die ersten %1 Bytes dieser Datei; dort enden ihre Daten.</translation>
    </message>
    <message>
        <source>%1 bytes could not be read and show as zeros.</source>
        <translation>%1 Bytes waren nicht lesbar und erscheinen als Nullen.</translation>
    </message>
    <message>
        <source>The first %1 bytes are shown.</source>
        <translation>Die ersten %1 Bytes werden gezeigt.</translation>
    </message>
    <message>
        <source>Previewed file</source>
        <translation>Datei in der Vorschau</translation>
    </message>
    <message>
        <source>Preview details</source>
        <translation>Angaben zur Vorschau</translation>
    </message>
    <message>
        <source>Preview note</source>
        <translation>Hinweis zur Vorschau</translation>
    </message>
    <message>
        <source>Preview picture</source>
        <translation>Vorschaubild</translation>
    </message>
    <message>
        <source>File preview</source>
        <translation>Dateivorschau</translation>
    </message>
    <message>
        <source>Close the preview</source>
        <translation>Vorschau schließen</translation>
    </message>
    <message>
        <source>Preview text</source>
        <translation>Vorschautext</translation>
    </message>
    <message>
        <source>Reading…</source>
        <translation>Wird gelesen…</translation>
    </message>
    <message>
        <source>Size: %1</source>
        <translation>Größe: %1</translation>
    </message>
    <message>
        <source>Status: %1</source>
        <translation>Zustand: %1</translation>
    </message>
    <message>
        <source>Modified: %1</source>
        <translation>Geändert: %1</translation>
    </message>
    <message>
        <source>Data check: %1</source>
        <translation>Datenprüfung: %1</translation>
    </message>
    <message>
        <source>The backup could not be opened, or it changed since the scan.</source>
        <translation>Die Sicherung ließ sich nicht öffnen oder hat sich seit der Suche geändert.</translation>
    </message>
    <message>
        <source>%1 × %2 pixels</source>
        <translation>%1 × %2 Pixel</translation>
    </message>
    <message>
        <source>[The data end here: the backup holds no more of this file.]</source>
        <translation>[Hier enden die Daten: Die Sicherung enthält nicht mehr von dieser Datei.]</translation>
    </message>
    <message>
        <source>any size</source>
        <translation>beliebige Größe</translation>
    </message>
    <message>
        <source>Filter: a word or a pattern such as *.doc (Ctrl+F)</source>
        <translation>Filter: ein Wort oder ein Muster wie *.doc (Strg+F)</translation>
    </message>
    <message>
        <source>Filter found files</source>
        <translation>Gefundene Dateien filtern</translation>
    </message>
    <message>
        <source>Clear filter</source>
        <translation>Filter leeren</translation>
    </message>
    <message>
        <source>Only rows that are not ok</source>
        <translation>Nur Zeilen, die nicht in Ordnung sind</translation>
    </message>
    <message>
        <source>Larger than:</source>
        <translation>Größer als:</translation>
    </message>
    <message>
        <source>Larger than</source>
        <translation>Größer als</translation>
    </message>
    <message>
        <source>%1 of %2 shown</source>
        <translation>%1 von %2 angezeigt</translation>
    </message>
    <message>
        <source>Tick shown rows</source>
        <translation>Angezeigte Zeilen anhaken</translation>
    </message>
    <message>
        <source>Untick shown rows</source>
        <translation>Haken der angezeigten Zeilen entfernen</translation>
    </message>
    <message>
        <source>Modified</source>
        <translation>Geändert</translation>
    </message>
    <message>
        <source>Status</source>
        <translation>Status</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 Bytes</translation>
    </message>
    <message>
        <source>saved</source>
        <translation>gespeichert</translation>
    </message>
    <message>
        <source>not saved</source>
        <translation>nicht gespeichert</translation>
    </message>
    <message>
        <source>%1

Sales: %2

Support: %3</source>
        <translation>%1

Vertrieb: %2

Support: %3</translation>
    </message>
    <message>
        <source>&amp;Check data</source>
        <translation>&amp;Daten prüfen</translation>
    </message>
    <message>
        <source>Read the found files&apos; data and compare them with their checksums</source>
        <translation>Die Daten der gefundenen Dateien lesen und mit ihren Prüfsummen vergleichen</translation>
    </message>
    <message>
        <source>%1 file verified</source>
        <translation>%1 Datei geprüft</translation>
    </message>
    <message>
        <source>%1 files verified</source>
        <translation>%1 Dateien geprüft</translation>
    </message>
    <message>
        <source>%1 with its checksum missing</source>
        <translation>%1 ohne Prüfsumme</translation>
    </message>
    <message>
        <source>%1 unchecked</source>
        <translation>%1 ungeprüft</translation>
    </message>
    <message>
        <source>data check: %1</source>
        <translation>Datenprüfung: %1</translation>
    </message>
    <message>
        <source>dates: %1 restored, %2 unknown or out of range, %3 refused</source>
        <translation>Datum: %1 wiederhergestellt, %2 unbekannt oder außerhalb des Bereichs, %3 abgelehnt</translation>
    </message>
    <message>
        <source>%1 file block passed over (%2 with a valid checksum)</source>
        <translation>%1 Dateiblock übergangen (%2 mit gültiger Prüfsumme)</translation>
    </message>
    <message>
        <source>%1 file blocks passed over (%2 with a valid checksum)</source>
        <translation>%1 Dateiblöcke übergangen (%2 mit gültiger Prüfsumme)</translation>
    </message>
    <message>
        <source>%1 folder renamed &quot;lost dir&quot;</source>
        <translation>%1 Ordner in „lost dir“ umbenannt</translation>
    </message>
    <message>
        <source>%1 folders renamed &quot;lost dir&quot;</source>
        <translation>%1 Ordner in „lost dir“ umbenannt</translation>
    </message>
    <message>
        <source>%1 file cut short</source>
        <translation>%1 Datei abgeschnitten</translation>
    </message>
    <message>
        <source>%1 files cut short</source>
        <translation>%1 Dateien abgeschnitten</translation>
    </message>
    <message>
        <source>%1 set block lost</source>
        <translation>%1 Satzblock verloren</translation>
    </message>
    <message>
        <source>%1 set blocks lost</source>
        <translation>%1 Satzblöcke verloren</translation>
    </message>
    <message>
        <source>%1 file put into a lost folder</source>
        <translation>%1 Datei in einen verlorenen Ordner gelegt</translation>
    </message>
    <message>
        <source>%1 files put into a lost folder</source>
        <translation>%1 Dateien in einen verlorenen Ordner gelegt</translation>
    </message>
    <message>
        <source>%1 file placed by folder ID</source>
        <translation>%1 Datei nach Ordner-ID eingeordnet</translation>
    </message>
    <message>
        <source>%1 files placed by folder ID</source>
        <translation>%1 Dateien nach Ordner-ID eingeordnet</translation>
    </message>
    <message>
        <source>%1 (%2 %) of the backup hold no file that could be read</source>
        <translation>%1 (%2 %) der Sicherung enthalten keine lesbare Datei</translation>
    </message>
    <message>
        <source>%1 set passed over for a long name</source>
        <translation>%1 Satz wegen eines langen Namens übergangen</translation>
    </message>
    <message>
        <source>%1 sets passed over for a long name</source>
        <translation>%1 Sätze wegen eines langen Namens übergangen</translation>
    </message>
    <message>
        <source>%1 byte unreadable</source>
        <translation>%1 Byte nicht lesbar</translation>
    </message>
    <message>
        <source>%1 bytes unreadable</source>
        <translation>%1 Bytes nicht lesbar</translation>
    </message>
    <message>
        <source>%1 file found but not listed (out of memory)</source>
        <translation>%1 Datei gefunden, aber nicht aufgelistet (Speicher erschöpft)</translation>
    </message>
    <message>
        <source>%1 files found but not listed (out of memory)</source>
        <translation>%1 Dateien gefunden, aber nicht aufgelistet (Speicher erschöpft)</translation>
    </message>
    <message>
        <source>%1 slot abandoned after a failure</source>
        <translation>%1 Abschnitt nach einem Fehler aufgegeben</translation>
    </message>
    <message>
        <source>%1 slots abandoned after a failure</source>
        <translation>%1 Abschnitte nach einem Fehler aufgegeben</translation>
    </message>
    <message>
        <source>no block found on the 512-byte grid; a deep scan looks for blocks off the 512-byte grid</source>
        <translation>kein Block auf dem 512-Byte-Raster gefunden; eine Tiefensuche sucht Blöcke außerhalb des 512-Byte-Rasters</translation>
    </message>
    <message>
        <source>no block found in the last %1 byte; a deep scan looks for blocks off the 512-byte grid</source>
        <translation>kein Block im letzten %1 Byte gefunden; eine Tiefensuche sucht Blöcke außerhalb des 512-Byte-Rasters</translation>
    </message>
    <message>
        <source>no block found in the last %1 bytes; a deep scan looks for blocks off the 512-byte grid</source>
        <translation>kein Block in den letzten %1 Bytes gefunden; eine Tiefensuche sucht Blöcke außerhalb des 512-Byte-Rasters</translation>
    </message>
    <message>
        <source>Brevant Veltra BKF - Checking data...</source>
        <translation>Brevant Veltra BKF – Daten werden geprüft...</translation>
    </message>
    <message>
        <source>%1 of %2 read</source>
        <translation>%1 von %2 gelesen</translation>
    </message>
    <message>
        <source>The backup has no file with data to check</source>
        <translation>Die Sicherung enthält keine Datei mit prüfbaren Daten</translation>
    </message>
    <message>
        <source>Data check stopped: %1</source>
        <translation>Datenprüfung abgebrochen: %1</translation>
    </message>
    <message>
        <source>%1/s, %2 left</source>
        <translation>%1/s, noch %2</translation>
    </message>
    <message>
        <source>not checked</source>
        <translation>nicht geprüft</translation>
    </message>
    <message>
        <source>no checksum</source>
        <translation>keine Prüfsumme</translation>
    </message>
    <message>
        <source>verified</source>
        <translation>geprüft</translation>
    </message>
    <message>
        <source>partly saved</source>
        <translation>teilweise gespeichert</translation>
    </message>
    <message>
        <source>Save report</source>
        <translation>Bericht speichern</translation>
    </message>
    <message>
        <source>Brevant Veltra BKF report</source>
        <translation>Brevant Veltra BKF Bericht</translation>
    </message>
    <message>
        <source>Text files (*.txt);;All files (*)</source>
        <translation>Textdateien (*.txt);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The report could not be saved in %1: %2</source>
        <translation>Der Bericht konnte nicht in %1 gespeichert werden: %2</translation>
    </message>
    <message>
        <source>%1 could not be opened: %2</source>
        <translation>%1 konnte nicht geöffnet werden: %2</translation>
    </message>
    <message>
        <source>xdg-open (from xdg-utils) was not found</source>
        <translation>xdg-open (aus xdg-utils) wurde nicht gefunden</translation>
    </message>
    <message>
        <source>no program on this desktop opens it</source>
        <translation>kein Programm dieser Arbeitsumgebung öffnet es</translation>
    </message>
    <message>
        <source>%1 could not be started</source>
        <translation>%1 konnte nicht gestartet werden</translation>
    </message>
    <message>
        <source>A new scan of this backup clears your ticks and the files&apos; states. Scan it again?</source>
        <translation>Eine neue Suche in dieser Sicherung entfernt Ihre Haken und die Zustände der Dateien. Erneut suchen?</translation>
    </message>
    <message>
        <source>Tick folder</source>
        <translation>Ordner anhaken</translation>
    </message>
    <message>
        <source>Untick folder</source>
        <translation>Haken des Ordners entfernen</translation>
    </message>
    <message>
        <source>Expand all</source>
        <translation>Alle aufklappen</translation>
    </message>
    <message>
        <source>Collapse all</source>
        <translation>Alle zuklappen</translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>Ans&amp;icht</translation>
    </message>
    <message>
        <source>&amp;Sort by</source>
        <translation>&amp;Sortieren nach</translation>
    </message>
    <message>
        <source>Sort the found files or the folder&apos;s contents by a column</source>
        <translation>Die gefundenen Dateien oder den Ordnerinhalt nach einer Spalte sortieren</translation>
    </message>
    <message>
        <source>&amp;Ascending</source>
        <translation>&amp;Aufsteigend</translation>
    </message>
    <message>
        <source>&amp;Descending</source>
        <translation>A&amp;bsteigend</translation>
    </message>
    <message>
        <source>&amp;Unsorted</source>
        <translation>&amp;Unsortiert</translation>
    </message>
    <message>
        <source>%1 file found by the set&apos;s catalogue</source>
        <translation>%1 Datei über den Katalog des Satzes gefunden</translation>
    </message>
    <message>
        <source>%1 files found by the set&apos;s catalogue</source>
        <translation>%1 Dateien über den Katalog des Satzes gefunden</translation>
    </message>
    <message>
        <source>%1 file named in the set&apos;s catalogue was not found</source>
        <translation>%1 im Katalog des Satzes genannte Datei wurde nicht gefunden</translation>
    </message>
    <message>
        <source>%1 files named in the set&apos;s catalogue were not found</source>
        <translation>%1 im Katalog des Satzes genannte Dateien wurden nicht gefunden</translation>
    </message>
    <message>
        <source>%1 folder named by the set&apos;s catalogue</source>
        <translation>%1 Ordner nach dem Katalog des Satzes benannt</translation>
    </message>
    <message>
        <source>%1 folders named by the set&apos;s catalogue</source>
        <translation>%1 Ordner nach dem Katalog des Satzes benannt</translation>
    </message>
    <message>
        <source>from the catalogue</source>
        <translation>aus dem Katalog</translation>
    </message>
    <message>
        <source>not found</source>
        <translation>nicht gefunden</translation>
    </message>
</context>
</TS>
