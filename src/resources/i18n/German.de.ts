<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>AnnotationEditor</name>
    <message>
        <source>Microphone</source>
        <translation>Mikrofon</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Capture a region of the screen.</source>
        <translation>Einen Bereich des Bildschirms aufnehmen.</translation>
    </message>
    <message>
        <source>Capture the full screen.</source>
        <translation>Den ganzen Bildschirm aufnehmen.</translation>
    </message>
    <message>
        <source>Open the video recorder.</source>
        <translation>Die Videoaufnahme öffnen.</translation>
    </message>
    <message>
        <source>Recognise the text in a region of the screen.</source>
        <translation>Den Text in einem Bereich des Bildschirms erkennen.</translation>
    </message>
    <message>
        <source>Read a QR code from the screen.</source>
        <translation>Einen QR-Code vom Bildschirm lesen.</translation>
    </message>
    <message>
        <source>Measure the screen with the ruler.</source>
        <translation>Den Bildschirm mit dem Lineal vermessen.</translation>
    </message>
    <message>
        <source>Open the given images in the editor, or choose one.</source>
        <translation>Die angegebenen Bilder im Editor öffnen oder eines auswählen.</translation>
    </message>
    <message>
        <source>Open the settings.</source>
        <translation>Die Einstellungen öffnen.</translation>
    </message>
    <message>
        <source>Quit the running Quorvel.</source>
        <translation>Das laufende Quorvel beenden.</translation>
    </message>
    <message>
        <source>Try &apos;quorvel --help&apos;.</source>
        <translation>Siehe &apos;quorvel --help&apos;.</translation>
    </message>
    <message>
        <source>Quorvel lives in the tray. Started again with one of the actions below, it asks the running Quorvel to do it, so the actions can be bound to keys in the desktop&apos;s keyboard settings.</source>
        <translation>Quorvel läuft im Infobereich. Erneut mit einer der folgenden Aktionen gestartet, bittet es das laufende Quorvel, sie auszuführen; so lassen sich die Aktionen in den Tastatureinstellungen der Arbeitsumgebung auf Tasten legen.</translation>
    </message>
    <message>
        <source>Images to open in the editor.</source>
        <translation>Bilder, die im Editor geöffnet werden.</translation>
    </message>
    <message>
        <source>[files...]</source>
        <translation>[Dateien...]</translation>
    </message>
    <message>
        <source>Choose one action at a time, not %1.</source>
        <translation>Bitte nur eine Aktion auf einmal, nicht %1.</translation>
    </message>
    <message>
        <source>%1 takes no files: %2</source>
        <translation>%1 nimmt keine Dateien an: %2</translation>
    </message>
    <message>
        <source>No such file: %1</source>
        <translation>Datei nicht gefunden: %1</translation>
    </message>
    <message>
        <source>%1 is a folder, not a picture.</source>
        <translation>%1 ist ein Ordner, kein Bild.</translation>
    </message>
</context>
<context>
    <name>LastFiles</name>
    <message>
        <source>Last your files</source>
        <translation>Ihre letzten Dateien</translation>
    </message>
    <message>
        <source>You are don&apos;t upload any file yet.</source>
        <translation>Sie haben noch keine Dateien hochgeladen.</translation>
    </message>
    <message>
        <source>Load data failed!
Error: </source>
        <translation>Die Liste konnte nicht geladen werden.
Fehler: </translation>
    </message>
    <message>
        <source>You are not logined</source>
        <translation>Sie sind nicht angemeldet.</translation>
    </message>
    <message>
        <source>To take full advantage of the program, please log in.</source>
        <translation>Melden Sie sich an, um alle Möglichkeiten des Programms zu nutzen.</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Link kopieren</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Entfernen</translation>
    </message>
    <message>
        <source>Remove file!</source>
        <translation>Datei entfernen</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Sind Sie sicher?</translation>
    </message>
</context>
<context>
    <name>LoginForm</name>
    <message>
        <source>Sign In Quorvel</source>
        <translation>Bei Quorvel anmelden</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>E-Mail</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Passwort</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>&lt;p style=&quot;margin:0;&quot; align=&quot;center&quot;&gt;or&lt;/p&gt;</source>
        <translation>&lt;p style=&quot;margin:0;&quot; align=&quot;center&quot;&gt;oder&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Registrieren</translation>
    </message>
    <message>
        <source>Quorvel login</source>
        <translation>Quorvel-Anmeldung</translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>Fehler: </translation>
    </message>
    <message>
        <source>Authentication server did not respond.
Try again late.</source>
        <translation>Der Anmeldeserver hat nicht geantwortet.
Bitte versuchen Sie es später erneut.</translation>
    </message>
    <message>
        <source>Invalid auth code! Try again.</source>
        <translation>Ungültiger Anmeldecode. Bitte versuchen Sie es erneut.</translation>
    </message>
    <message>
        <source>To complete the authorization, enter the code from the site %1:</source>
        <translation>Geben Sie zum Abschluss der Anmeldung den Code von der Website %1 ein:</translation>
    </message>
</context>
<context>
    <name>NoTrayNotice</name>
    <message>
        <source>Quorvel is running</source>
        <translation>Quorvel läuft</translation>
    </message>
    <message>
        <source>This desktop has no system tray, so Quorvel cannot show its icon. It keeps running after you close this window. Bind these commands to keys in your desktop&apos;s keyboard settings to use it:</source>
        <translation>Diese Arbeitsumgebung hat keinen Infobereich, daher kann Quorvel sein Symbol nicht zeigen. Es läuft weiter, wenn Sie dieses Fenster schließen. Legen Sie diese Befehle in den Tastatureinstellungen Ihrer Arbeitsumgebung auf Tasten, um es zu benutzen:</translation>
    </message>
    <message>
        <source>&amp;Quit Quorvel</source>
        <translation>Quorvel &amp;beenden</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
</context>
<context>
    <name>OcrScanner</name>
    <message>
        <source>OCR Scanner</source>
        <translation>OCR-Scanner</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>ERGEBNIS</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scannen</translation>
    </message>
    <message>
        <source>Select a region to scan</source>
        <translation>Einen Bereich zum Scannen auswählen</translation>
    </message>
    <message>
        <source>Copy result</source>
        <translation>Ergebnis kopieren</translation>
    </message>
    <message>
        <source>Recognized text will appear here</source>
        <translation>Der erkannte Text erscheint hier</translation>
    </message>
    <message>
        <source>Recognizing...</source>
        <translation>Texterkennung läuft...</translation>
    </message>
    <message>
        <source>Quorvel UUID is missing</source>
        <translation>Die Quorvel-UUID fehlt</translation>
    </message>
    <message>
        <source>Could not prepare image</source>
        <translation>Das Bild konnte nicht vorbereitet werden</translation>
    </message>
    <message>
        <source>OCR API error%1: %2</source>
        <translation>OCR-API-Fehler%1: %2</translation>
    </message>
    <message>
        <source>OCR request failed (%1): %2</source>
        <translation>OCR-Anfrage fehlgeschlagen (%1): %2</translation>
    </message>
    <message>
        <source>OCR returned an invalid response</source>
        <translation>Der OCR-Dienst hat eine ungültige Antwort geliefert</translation>
    </message>
    <message>
        <source>No text was recognized</source>
        <translation>Es wurde kein Text erkannt</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Fertig</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>In die Zwischenablage kopiert</translation>
    </message>
</context>
<context>
    <name>QLabel</name>
    <message>
        <source>Just click to capture fullscreen
Or select region.
%1+C - to copy color
%1+L - on/off loupe</source>
        <translation>Klicken: ganzer Bildschirm
Ziehen: Bereich auswählen
%1+C - Farbe kopieren
%1+L - Lupe ein/aus</translation>
    </message>
</context>
<context>
    <name>QrScanner</name>
    <message>
        <source>QR Scanner</source>
        <translation>QR-Scanner</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>ERGEBNIS</translation>
    </message>
    <message>
        <source>Copy result</source>
        <translation>Ergebnis kopieren</translation>
    </message>
    <message>
        <source>Decoded text will appear here</source>
        <translation>Der erkannte Text erscheint hier</translation>
    </message>
    <message>
        <source>No QR code was found in this area</source>
        <translation>In diesem Bereich wurde kein QR-Code gefunden</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Kopiert</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>In die Zwischenablage kopiert</translation>
    </message>
</context>
<context>
    <name>Ruler</name>
    <message>
        <source>%1 px</source>
        <translation>%1 px</translation>
    </message>
    <message>
        <source>Ruler</source>
        <translation>Lineal</translation>
    </message>
    <message>
        <source>Click a band to drop a guide; drag bands and guides to move them; right-click a guide to remove it. Esc closes the ruler.</source>
        <translation>Klicken Sie auf eine Leiste, um eine Hilfslinie zu setzen; ziehen Sie Leisten und Hilfslinien, um sie zu verschieben; ein Rechtsklick entfernt eine Hilfslinie. Esc schließt das Lineal.</translation>
    </message>
</context>
<context>
    <name>Screenshot</name>
    <message>
        <source>Quorvel</source>
        <translation>Quorvel</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Crop (1)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Zuschneiden (1)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Arrow (2)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Pfeil (2)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Line (3)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Linie (3)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Square (4)&lt;/p&gt;&lt;p&gt;Hold Ctrl to draw a filled square&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Rechteck (4)&lt;/p&gt;&lt;p&gt;Strg gedrückt halten: nummerierte Markierung; Doppelklick füllt das Rechteck&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Text (5)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Text (5)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Blur (6)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Weichzeichnen (6)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Capture region and add to the bottom of the main picture&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Bereich aufnehmen und unter dem Hauptbild anfügen (7)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Undo (Ctrl+Z)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Rückgängig (Strg+Z)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Redo (Ctrl+U)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Wiederholen (Strg+U)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Größe&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Copy to clipboard (Ctrl+C)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;In die Zwischenablage kopieren (Strg+C)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Save (Ctrl+S)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Speichern (Strg+S)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Upload (Ctrl+Spase)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Hochladen (Strg+Leertaste)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Отправить</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Quorvel - Click to capture screen</source>
        <translation>Quorvel - Klicken, um den Bildschirm aufzunehmen</translation>
    </message>
    <message>
        <source>&amp;Capture Region</source>
        <translation>&amp;Bereich aufnehmen</translation>
    </message>
    <message>
        <source>&amp;Capture Full Screen</source>
        <translation>&amp;Ganzen Bildschirm aufnehmen</translation>
    </message>
    <message>
        <source>&amp;Capture Video</source>
        <translation>&amp;Video aufnehmen</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Werkzeuge</translation>
    </message>
    <message>
        <source>&amp;Ruler and measurement</source>
        <translation>&amp;Lineal und Messen</translation>
    </message>
    <message>
        <source>&amp;QR Scanner</source>
        <translation>&amp;QR-Scanner</translation>
    </message>
    <message>
        <source>&amp;OCR Scanner</source>
        <translation>&amp;Texterkennung (OCR)</translation>
    </message>
    <message>
        <source>&amp;Open editor</source>
        <translation>&amp;Editor öffnen</translation>
    </message>
    <message>
        <source>&amp;Send any file</source>
        <translation>Beliebige &amp;Datei senden</translation>
    </message>
    <message>
        <source>&amp;All my files / My account</source>
        <translation>&amp;Meine Dateien / Mein Konto</translation>
    </message>
    <message>
        <source>&amp;Open image file</source>
        <translation>Bild&amp;datei öffnen</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Einstellungen</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>Be&amp;enden</translation>
    </message>
    <message>
        <source>Ctrl+Space</source>
        <comment>keep as it is: a key sequence, reset with the text</comment>
        <translation>Ctrl+Space</translation>
    </message>
    <message>
        <source>Capture screen first</source>
        <translation>Bitte zuerst den Bildschirm aufnehmen.</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>%1 Files (*.%2);;All Files (*)</source>
        <translation>%1-Dateien (*.%2);;Alle Dateien (*)</translation>
    </message>
    <message>
        <source>The image could not be saved to %1.
%2</source>
        <translation>Das Bild konnte nicht unter %1 gespeichert werden.
%2</translation>
    </message>
    <message>
        <source>The external editor %1 could not be started.</source>
        <translation>Der externe Editor %1 konnte nicht gestartet werden.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Datei öffnen</translation>
    </message>
    <message>
        <source>Any Files (*.*)</source>
        <translation>Alle Dateien (*.*)</translation>
    </message>
    <message>
        <source>You can&apos;t send file more then 100Mb. Sorry!</source>
        <translation>Dateien über 100 MB können leider nicht gesendet werden.</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>Bild öffnen</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.bmp *.gif)</source>
        <translation>Bilddateien (*.png *.jpg *.bmp *.gif)</translation>
    </message>
    <message>
        <source>Image very small or is broken!</source>
        <translation>Das Bild ist zu klein oder beschädigt!</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Farbe wählen</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Open image file and add to the bottom of the main picture (8)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Bilddatei öffnen und unter dem Hauptbild anfügen (8)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Choose color&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Farbe wählen&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Decrease size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Größe verringern&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Increase size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Größe erhöhen&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Image is too large to open (%1 × %2 pixels)!</source>
        <translation>Das Bild ist zu groß zum Öffnen (%1 × %2 Pixel)!</translation>
    </message>
    <message>
        <source>Hot keys unavailable</source>
        <translation>Tastenkürzel nicht verfügbar</translation>
    </message>
    <message>
        <source>Could not register: %1. Another program may be using these keys, or the stored key is not valid. You can choose other keys in the settings.</source>
        <translation>Nicht registriert: %1. Vielleicht verwendet ein anderes Programm diese Tasten, oder die gespeicherte Taste ist ungültig. In den Einstellungen können Sie andere Tasten wählen.</translation>
    </message>
    <message>
        <source>Quorvel is running</source>
        <translation>Quorvel läuft</translation>
    </message>
    <message>
        <source>Click its icon in the tray to capture the screen.</source>
        <translation>Klicken Sie auf sein Symbol im Infobereich, um den Bildschirm aufzunehmen.</translation>
    </message>
</context>
<context>
    <name>SelectRegion</name>
    <message>
        <source>SelectRegion</source>
        <translation>SelectRegion</translation>
    </message>
</context>
<context>
    <name>ServiceApi</name>
    <message>
        <source>The service did not answer in time.</source>
        <translation>Der Dienst hat nicht rechtzeitig geantwortet.</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Verbindung abgelehnt</translation>
    </message>
    <message>
        <source>The service closed the connection</source>
        <translation>Der Dienst hat die Verbindung geschlossen</translation>
    </message>
    <message>
        <source>The service&apos;s host was not found</source>
        <translation>Der Server des Dienstes wurde nicht gefunden</translation>
    </message>
    <message>
        <source>The connection timed out</source>
        <translation>Zeitüberschreitung der Verbindung</translation>
    </message>
    <message>
        <source>The secure connection failed</source>
        <translation>Die sichere Verbindung ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>The network is not available</source>
        <translation>Das Netzwerk ist nicht verfügbar</translation>
    </message>
    <message>
        <source>The proxy failed</source>
        <translation>Der Proxy ist fehlgeschlagen</translation>
    </message>
    <message>
        <source>Network error %1</source>
        <translation>Netzwerkfehler %1</translation>
    </message>
    <message>
        <source>The service&apos;s reply is too large</source>
        <translation>Die Antwort des Dienstes ist zu groß</translation>
    </message>
    <message>
        <source>The service answered %1 %2</source>
        <translation>Der Dienst antwortete %1 %2</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Quorvel settings</source>
        <translation>Quorvel-Einstellungen</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Allgemein</translation>
    </message>
    <message>
        <source>External editor</source>
        <translation>Externer Editor</translation>
    </message>
    <message>
        <source>Editor not selected</source>
        <translation>Kein Editor gewählt</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Auswählen</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Sprache</translation>
    </message>
    <message>
        <source>Show loupe</source>
        <translation>Lupe anzeigen</translation>
    </message>
    <message>
        <source>Hot Keys</source>
        <translation>Tastenkürzel</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Bereich</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>Nicht festgelegt</translation>
    </message>
    <message>
        <source>FullScreen</source>
        <translation>Ganzer Bildschirm</translation>
    </message>
    <message>
        <source>OCR Scanner</source>
        <translation>Texterkennung (OCR)</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Konto</translation>
    </message>
    <message>
        <source>You are not logined</source>
        <translation>Sie sind nicht angemeldet</translation>
    </message>
    <message>
        <source>To take full advantage of the program, please log in.</source>
        <translation>Melden Sie sich an, um alle Funktionen des Programms zu nutzen.</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Anmelden</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Registrieren</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Abmelden</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Standard</translation>
    </message>
    <message>
        <source>Choose image editor</source>
        <translation>Bildeditor auswählen</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Wird geladen …</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Bei Anmeldung starten</translation>
    </message>
    <message>
        <source>Cannot change the autostart entry %1.</source>
        <translation>Der Autostart-Eintrag %1 lässt sich nicht ändern.</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>There is no runtime folder to meet other starts of Quorvel in.</source>
        <translation>Es gibt keinen Laufzeitordner, in dem sich weitere Starts von Quorvel finden könnten.</translation>
    </message>
    <message>
        <source>Another start of Quorvel holds %1.</source>
        <translation>Ein anderer Start von Quorvel hält %1.</translation>
    </message>
    <message>
        <source>%1 is in the way and was not made by Quorvel.</source>
        <translation>%1 ist im Weg und stammt nicht von Quorvel.</translation>
    </message>
    <message>
        <source>Cannot listen on %1: %2</source>
        <translation>Auf %1 kann nicht gelauscht werden: %2</translation>
    </message>
    <message>
        <source>Cannot reach the running Quorvel: %1</source>
        <translation>Das laufende Quorvel ist nicht erreichbar: %1</translation>
    </message>
    <message>
        <source>Quorvel is running but does not answer.</source>
        <translation>Quorvel läuft, antwortet aber nicht.</translation>
    </message>
    <message>
        <source>The running Quorvel refused the request.</source>
        <translation>Das laufende Quorvel hat die Anfrage abgelehnt.</translation>
    </message>
    <message>
        <source>Cannot remove the stale socket %1.</source>
        <translation>Der verwaiste Socket %1 lässt sich nicht entfernen.</translation>
    </message>
</context>
<context>
    <name>StoryboardTimeline</name>
    <message>
        <source>Audio</source>
        <translation>Audio</translation>
    </message>
</context>
<context>
    <name>TextOverlay</name>
    <message>
        <source>Decrease text size</source>
        <translation>Text verkleinern</translation>
    </message>
    <message>
        <source>Increase text size</source>
        <translation>Text vergrößern</translation>
    </message>
</context>
<context>
    <name>UploadProgress</name>
    <message>
        <source>Uploading file...</source>
        <translation>Datei wird hochgeladen...</translation>
    </message>
    <message>
        <source>Done! Link copied to clipboard!</source>
        <translation>Fertig! Der Link ist in der Zwischenablage.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>Could not open file: </source>
        <translation>Die Datei konnte nicht geöffnet werden: </translation>
    </message>
    <message>
        <source>Uploading file</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Getting link...</source>
        <translation>Link wird abgerufen...</translation>
    </message>
    <message>
        <source>Uploading error!
Response: </source>
        <translation>Hochladen fehlgeschlagen.
Antwort: </translation>
    </message>
    <message>
        <source>Quorvel Cloud</source>
        <translation>Quorvel Cloud</translation>
    </message>
    <message>
        <source>Your file</source>
        <translation>Ihre Datei</translation>
    </message>
    <message>
        <source>has been uploaded!</source>
        <translation>wurde hochgeladen.</translation>
    </message>
    <message>
        <source>Uploading error!</source>
        <translation>Hochladen fehlgeschlagen.</translation>
    </message>
    <message>
        <source>The file is kept at %1</source>
        <translation>Die Datei liegt unter %1</translation>
    </message>
    <message>
        <source>Uploading error!
%1

Response: %2</source>
        <translation>Hochladen fehlgeschlagen.
%1

Antwort: %2</translation>
    </message>
    <message>
        <source>Upload cancelled.</source>
        <translation>Hochladen abgebrochen.</translation>
    </message>
</context>
<context>
    <name>VideoEditor</name>
    <message>
        <source>Video editor</source>
        <translation>Videoeditor</translation>
    </message>
    <message>
        <source>Draw arrow</source>
        <translation>Pfeil zeichnen</translation>
    </message>
    <message>
        <source>Draw rectangle</source>
        <translation>Rechteck zeichnen</translation>
    </message>
    <message>
        <source>Blur area</source>
        <translation>Bereich weichzeichnen</translation>
    </message>
    <message>
        <source>Add text</source>
        <translation>Text hinzufügen</translation>
    </message>
    <message>
        <source>Choose color</source>
        <translation>Farbe wählen</translation>
    </message>
</context>
<context>
    <name>VideoHandOff</name>
    <message>
        <source>Save As</source>
        <translation>Speichern unter</translation>
    </message>
    <message>
        <source>MP4 Files (*.mp4)</source>
        <translation>MP4-Dateien (*.mp4)</translation>
    </message>
    <message>
        <source>GIF Files (*.gif)</source>
        <translation>GIF-Dateien (*.gif)</translation>
    </message>
</context>
<context>
    <name>VideoRecord</name>
    <message>
        <source>Video Recorder</source>
        <translation>Videorekorder</translation>
    </message>
    <message>
        <source>• Record</source>
        <translation>• Aufnahme</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Abspielen</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Hochladen</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>Format and frame rate</source>
        <translation>Format und Bildrate</translation>
    </message>
    <message>
        <source>Record microphone</source>
        <translation>Mikrofon aufnehmen</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Framerate:</source>
        <translation>Bildrate:</translation>
    </message>
    <message>
        <source>Highlight clicks</source>
        <translation>Klicks hervorheben</translation>
    </message>
    <message>
        <source>Maximum recording time: %1</source>
        <translation>Maximale Aufnahmedauer: %1</translation>
    </message>
    <message>
        <source>%1 FPS
%2</source>
        <translation>%1 FPS
%2</translation>
    </message>
    <message>
        <source>%1 FPS, maximum recording time: %2</source>
        <translation>%1 FPS, maximale Aufnahmedauer: %2</translation>
    </message>
    <message>
        <source>Microphone on</source>
        <translation>Mikrofon an</translation>
    </message>
    <message>
        <source>Microphone off</source>
        <translation>Mikrofon aus</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>◼ Stop</source>
        <translation>◼ Stopp</translation>
    </message>
    <message>
        <source>Saving...</source>
        <translation>Speichern...</translation>
    </message>
    <message>
        <source>File saved successfully</source>
        <translation>Datei erfolgreich gespeichert</translation>
    </message>
    <message>
        <source>Could not save file</source>
        <translation>Datei konnte nicht gespeichert werden</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Farbe auswählen</translation>
    </message>
    <message>
        <source>The MP4 recording cannot start: %1</source>
        <translation>Die MP4-Aufnahme kann nicht starten: %1</translation>
    </message>
    <message>
        <source>The MP4 encoder failed during the recording: %1
Every recorded frame is kept: the video is written from them when you save or upload it.</source>
        <translation>Der MP4-Encoder ist während der Aufnahme ausgefallen: %1
Alle aufgenommenen Bilder bleiben erhalten: Das Video wird beim Speichern oder Hochladen daraus erstellt.</translation>
    </message>
    <message>
        <source>The sound could not be kept.</source>
        <translation>Der Ton konnte nicht erhalten werden.</translation>
    </message>
    <message>
        <source>The sound could not be put into the edited video, so it has none. The recording keeps its sound: saving or uploading again tries once more.</source>
        <translation>Der Ton konnte nicht in das bearbeitete Video übernommen werden, es ist daher stumm. Die Aufnahme behält ihren Ton: Erneutes Speichern oder Hochladen versucht es noch einmal.</translation>
    </message>
</context>
</TS>
