<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en">
<context>
    <name>AnnotationEditor</name>
    <message>
        <source>Microphone</source>
        <translation>Microphone</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Capture a region of the screen.</source>
        <translation>Capture a region of the screen.</translation>
    </message>
    <message>
        <source>Capture the full screen.</source>
        <translation>Capture the full screen.</translation>
    </message>
    <message>
        <source>Open the video recorder.</source>
        <translation>Open the video recorder.</translation>
    </message>
    <message>
        <source>Recognise the text in a region of the screen.</source>
        <translation>Recognise the text in a region of the screen.</translation>
    </message>
    <message>
        <source>Read a QR code from the screen.</source>
        <translation>Read a QR code from the screen.</translation>
    </message>
    <message>
        <source>Measure the screen with the ruler.</source>
        <translation>Measure the screen with the ruler.</translation>
    </message>
    <message>
        <source>Open the given images in the editor, or choose one.</source>
        <translation>Open the given images in the editor, or choose one.</translation>
    </message>
    <message>
        <source>Open the settings.</source>
        <translation>Open the settings.</translation>
    </message>
    <message>
        <source>Quit the running Quorvel.</source>
        <translation>Quit the running Quorvel.</translation>
    </message>
    <message>
        <source>Try &apos;quorvel --help&apos;.</source>
        <translation>Try &apos;quorvel --help&apos;.</translation>
    </message>
    <message>
        <source>Quorvel lives in the tray. Started again with one of the actions below, it asks the running Quorvel to do it, so the actions can be bound to keys in the desktop&apos;s keyboard settings.</source>
        <translation>Quorvel lives in the tray. Started again with one of the actions below, it asks the running Quorvel to do it, so the actions can be bound to keys in the desktop&apos;s keyboard settings.</translation>
    </message>
    <message>
        <source>Images to open in the editor.</source>
        <translation>Images to open in the editor.</translation>
    </message>
    <message>
        <source>[files...]</source>
        <translation>[files...]</translation>
    </message>
    <message>
        <source>Choose one action at a time, not %1.</source>
        <translation>Choose one action at a time, not %1.</translation>
    </message>
    <message>
        <source>%1 takes no files: %2</source>
        <translation>%1 takes no files: %2</translation>
    </message>
    <message>
        <source>No such file: %1</source>
        <translation>No such file: %1</translation>
    </message>
    <message>
        <source>%1 is a folder, not a picture.</source>
        <translation>%1 is a folder, not a picture.</translation>
    </message>
</context>
<context>
    <name>LastFiles</name>
    <message>
        <source>Last your files</source>
        <translation>Your recent files</translation>
    </message>
    <message>
        <source>You are don&apos;t upload any file yet.</source>
        <translation>You have not uploaded any files yet.</translation>
    </message>
    <message>
        <source>Load data failed!
Error: </source>
        <translation>Loading the list failed.
Error: </translation>
    </message>
    <message>
        <source>You are not logined</source>
        <translation>You are not signed in.</translation>
    </message>
    <message>
        <source>To take full advantage of the program, please log in.</source>
        <translation>Sign in to use everything the program offers.</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Copy link</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Remove</translation>
    </message>
    <message>
        <source>Remove file!</source>
        <translation>Remove file</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Are you sure?</translation>
    </message>
</context>
<context>
    <name>LoginForm</name>
    <message>
        <source>Sign In Quorvel</source>
        <translation>Sign in to Quorvel</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Email</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Password</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Sign in</translation>
    </message>
    <message>
        <source>&lt;p style=&quot;margin:0;&quot; align=&quot;center&quot;&gt;or&lt;/p&gt;</source>
        <translation>&lt;p style=&quot;margin:0;&quot; align=&quot;center&quot;&gt;or&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>Quorvel login</source>
        <translation>Quorvel sign-in</translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>Error: </translation>
    </message>
    <message>
        <source>Authentication server did not respond.
Try again late.</source>
        <translation>The sign-in server did not respond.
Please try again later.</translation>
    </message>
    <message>
        <source>Invalid auth code! Try again.</source>
        <translation>Invalid sign-in code. Please try again.</translation>
    </message>
    <message>
        <source>To complete the authorization, enter the code from the site %1:</source>
        <translation>To finish signing in, enter the code shown on %1:</translation>
    </message>
</context>
<context>
    <name>NoTrayNotice</name>
    <message>
        <source>Quorvel is running</source>
        <translation>Quorvel is running</translation>
    </message>
    <message>
        <source>This desktop has no system tray, so Quorvel cannot show its icon. It keeps running after you close this window. Bind these commands to keys in your desktop&apos;s keyboard settings to use it:</source>
        <translation>This desktop has no system tray, so Quorvel cannot show its icon. It keeps running after you close this window. Bind these commands to keys in your desktop&apos;s keyboard settings to use it:</translation>
    </message>
    <message>
        <source>&amp;Quit Quorvel</source>
        <translation>&amp;Quit Quorvel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
</context>
<context>
    <name>OcrScanner</name>
    <message>
        <source>OCR Scanner</source>
        <translation>OCR Scanner</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>RESULT</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Scan</translation>
    </message>
    <message>
        <source>Select a region to scan</source>
        <translation>Select a region to scan</translation>
    </message>
    <message>
        <source>Copy result</source>
        <translation>Copy result</translation>
    </message>
    <message>
        <source>Recognized text will appear here</source>
        <translation>Recognized text will appear here</translation>
    </message>
    <message>
        <source>Recognizing...</source>
        <translation>Recognizing...</translation>
    </message>
    <message>
        <source>Quorvel UUID is missing</source>
        <translation>Quorvel UUID is missing</translation>
    </message>
    <message>
        <source>Could not prepare image</source>
        <translation>Could not prepare image</translation>
    </message>
    <message>
        <source>OCR API error%1: %2</source>
        <translation>OCR API error%1: %2</translation>
    </message>
    <message>
        <source>OCR request failed (%1): %2</source>
        <translation>OCR request failed (%1): %2</translation>
    </message>
    <message>
        <source>OCR returned an invalid response</source>
        <translation>OCR returned an invalid response</translation>
    </message>
    <message>
        <source>No text was recognized</source>
        <translation>No text was recognized</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Done</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>Copied to clipboard</translation>
    </message>
</context>
<context>
    <name>QLabel</name>
    <message>
        <source>Just click to capture fullscreen
Or select region.
%1+C - to copy color
%1+L - on/off loupe</source>
        <translation>Just click to capture the full screen
or drag to select a region.
%1+C - copy the colour
%1+L - loupe on/off</translation>
    </message>
</context>
<context>
    <name>QrScanner</name>
    <message>
        <source>QR Scanner</source>
        <translation>QR Scanner</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>RESULT</translation>
    </message>
    <message>
        <source>Copy result</source>
        <translation>Copy result</translation>
    </message>
    <message>
        <source>Decoded text will appear here</source>
        <translation>Decoded text will appear here</translation>
    </message>
    <message>
        <source>No QR code was found in this area</source>
        <translation>No QR code was found in this area</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Copied</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>Copied to clipboard</translation>
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
        <translation>Ruler</translation>
    </message>
    <message>
        <source>Click a band to drop a guide; drag bands and guides to move them; right-click a guide to remove it. Esc closes the ruler.</source>
        <translation>Click a band to drop a guide; drag bands and guides to move them; right-click a guide to remove it. Esc closes the ruler.</translation>
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
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Crop (1)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Arrow (2)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Arrow (2)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Line (3)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Line (3)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Square (4)&lt;/p&gt;&lt;p&gt;Hold Ctrl to draw a filled square&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Square (4)&lt;/p&gt;&lt;p&gt;Hold Ctrl to add a numbered badge; double-click a square to fill it&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Text (5)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Text (5)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Blur (6)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Blur (6)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Capture region and add to the bottom of the main picture&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Capture a region and add it below the main picture (7)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Undo (Ctrl+Z)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Undo (Ctrl+Z)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Redo (Ctrl+U)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Redo (Ctrl+U)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Copy to clipboard (Ctrl+C)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Copy to clipboard (Ctrl+C)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Save (Ctrl+S)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Save (Ctrl+S)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Upload (Ctrl+Spase)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Upload (Ctrl+Space)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Отправить</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>Quorvel - Click to capture screen</source>
        <translation>Quorvel - Click to capture the screen</translation>
    </message>
    <message>
        <source>&amp;Capture Region</source>
        <translation>Capture &amp;Region</translation>
    </message>
    <message>
        <source>&amp;Capture Full Screen</source>
        <translation>Capture &amp;Full Screen</translation>
    </message>
    <message>
        <source>&amp;Capture Video</source>
        <translation>Capture &amp;Video</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Tools</translation>
    </message>
    <message>
        <source>&amp;Ruler and measurement</source>
        <translation>&amp;Ruler and measurement</translation>
    </message>
    <message>
        <source>&amp;QR Scanner</source>
        <translation>&amp;QR Scanner</translation>
    </message>
    <message>
        <source>&amp;OCR Scanner</source>
        <translation>&amp;OCR Scanner</translation>
    </message>
    <message>
        <source>&amp;Open editor</source>
        <translation>&amp;Open editor</translation>
    </message>
    <message>
        <source>&amp;Send any file</source>
        <translation>Send &amp;any file</translation>
    </message>
    <message>
        <source>&amp;All my files / My account</source>
        <translation>&amp;My files / My account</translation>
    </message>
    <message>
        <source>&amp;Open image file</source>
        <translation>Open &amp;image file</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Settings</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>&amp;Quit</translation>
    </message>
    <message>
        <source>Ctrl+Space</source>
        <comment>keep as it is: a key sequence, reset with the text</comment>
        <translation>Ctrl+Space</translation>
    </message>
    <message>
        <source>Capture screen first</source>
        <translation>Capture the screen first.</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>%1 Files (*.%2);;All Files (*)</source>
        <translation>%1 Files (*.%2);;All Files (*)</translation>
    </message>
    <message>
        <source>The image could not be saved to %1.
%2</source>
        <translation>The image could not be saved to %1.
%2</translation>
    </message>
    <message>
        <source>The external editor %1 could not be started.</source>
        <translation>The external editor %1 could not be started.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Open File</translation>
    </message>
    <message>
        <source>Any Files (*.*)</source>
        <translation>Any Files (*.*)</translation>
    </message>
    <message>
        <source>You can&apos;t send file more then 100Mb. Sorry!</source>
        <translation>You can&apos;t send a file larger than 100 MB. Sorry!</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>Open Image</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.bmp *.gif)</source>
        <translation>Image Files (*.png *.jpg *.bmp *.gif)</translation>
    </message>
    <message>
        <source>Image very small or is broken!</source>
        <translation>The image is too small or broken!</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Select Colour</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Open image file and add to the bottom of the main picture (8)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Open an image file and add it below the main picture (8)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Choose color&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Choose colour&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Decrease size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Decrease size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Increase size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Increase size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Image is too large to open (%1 × %2 pixels)!</source>
        <translation>The image is too large to open (%1 × %2 pixels)!</translation>
    </message>
    <message>
        <source>Hot keys unavailable</source>
        <translation>Hot keys unavailable</translation>
    </message>
    <message>
        <source>Could not register: %1. Another program may be using these keys, or the stored key is not valid. You can choose other keys in the settings.</source>
        <translation>Could not register: %1. Another program may be using these keys, or the stored key is not valid. You can choose other keys in the settings.</translation>
    </message>
    <message>
        <source>Quorvel is running</source>
        <translation>Quorvel is running</translation>
    </message>
    <message>
        <source>Click its icon in the tray to capture the screen.</source>
        <translation>Click its icon in the tray to capture the screen.</translation>
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
        <translation>The service did not answer in time.</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Connection refused</translation>
    </message>
    <message>
        <source>The service closed the connection</source>
        <translation>The service closed the connection</translation>
    </message>
    <message>
        <source>The service&apos;s host was not found</source>
        <translation>The service&apos;s host was not found</translation>
    </message>
    <message>
        <source>The connection timed out</source>
        <translation>The connection timed out</translation>
    </message>
    <message>
        <source>The secure connection failed</source>
        <translation>The secure connection failed</translation>
    </message>
    <message>
        <source>The network is not available</source>
        <translation>The network is not available</translation>
    </message>
    <message>
        <source>The proxy failed</source>
        <translation>The proxy failed</translation>
    </message>
    <message>
        <source>Network error %1</source>
        <translation>Network error %1</translation>
    </message>
    <message>
        <source>The service&apos;s reply is too large</source>
        <translation>The service&apos;s reply is too large</translation>
    </message>
    <message>
        <source>The service answered %1 %2</source>
        <translation>The service answered %1 %2</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Quorvel settings</source>
        <translation>Quorvel settings</translation>
    </message>
    <message>
        <source>General</source>
        <translation>General</translation>
    </message>
    <message>
        <source>External editor</source>
        <translation>External editor</translation>
    </message>
    <message>
        <source>Editor not selected</source>
        <translation>Editor not selected</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Choose</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Language</translation>
    </message>
    <message>
        <source>Show loupe</source>
        <translation>Show loupe</translation>
    </message>
    <message>
        <source>Hot Keys</source>
        <translation>Hot Keys</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Region</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>Not set</translation>
    </message>
    <message>
        <source>FullScreen</source>
        <translation>Full screen</translation>
    </message>
    <message>
        <source>OCR Scanner</source>
        <translation>OCR Scanner</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Account</translation>
    </message>
    <message>
        <source>You are not logined</source>
        <translation>You are not logged in</translation>
    </message>
    <message>
        <source>To take full advantage of the program, please log in.</source>
        <translation>To take full advantage of the program, please log in.</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Login</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Register</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Logout</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>Default</translation>
    </message>
    <message>
        <source>Choose image editor</source>
        <translation>Choose image editor</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Loading...</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Start at login</translation>
    </message>
    <message>
        <source>Cannot change the autostart entry %1.</source>
        <translation>Cannot change the autostart entry %1.</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>There is no runtime folder to meet other starts of Quorvel in.</source>
        <translation>There is no runtime folder to meet other starts of Quorvel in.</translation>
    </message>
    <message>
        <source>Another start of Quorvel holds %1.</source>
        <translation>Another start of Quorvel holds %1.</translation>
    </message>
    <message>
        <source>%1 is in the way and was not made by Quorvel.</source>
        <translation>%1 is in the way and was not made by Quorvel.</translation>
    </message>
    <message>
        <source>Cannot listen on %1: %2</source>
        <translation>Cannot listen on %1: %2</translation>
    </message>
    <message>
        <source>Cannot reach the running Quorvel: %1</source>
        <translation>Cannot reach the running Quorvel: %1</translation>
    </message>
    <message>
        <source>Quorvel is running but does not answer.</source>
        <translation>Quorvel is running but does not answer.</translation>
    </message>
    <message>
        <source>The running Quorvel refused the request.</source>
        <translation>The running Quorvel refused the request.</translation>
    </message>
    <message>
        <source>Cannot remove the stale socket %1.</source>
        <translation>Cannot remove the stale socket %1.</translation>
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
        <translation>Decrease text size</translation>
    </message>
    <message>
        <source>Increase text size</source>
        <translation>Increase text size</translation>
    </message>
</context>
<context>
    <name>UploadProgress</name>
    <message>
        <source>Uploading file...</source>
        <translation>Uploading file...</translation>
    </message>
    <message>
        <source>Done! Link copied to clipboard!</source>
        <translation>Done! The link is on the clipboard.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Cancel</translation>
    </message>
    <message>
        <source>Could not open file: </source>
        <translation>Could not open the file: </translation>
    </message>
    <message>
        <source>Uploading file</source>
        <translation>Uploading</translation>
    </message>
    <message>
        <source>Getting link...</source>
        <translation>Getting the link...</translation>
    </message>
    <message>
        <source>Uploading error!
Response: </source>
        <translation>Upload failed.
Response: </translation>
    </message>
    <message>
        <source>Quorvel Cloud</source>
        <translation>Quorvel Cloud</translation>
    </message>
    <message>
        <source>Your file</source>
        <translation>Your file</translation>
    </message>
    <message>
        <source>has been uploaded!</source>
        <translation>has been uploaded.</translation>
    </message>
    <message>
        <source>Uploading error!</source>
        <translation>Upload failed.</translation>
    </message>
    <message>
        <source>The file is kept at %1</source>
        <translation>The file is kept at %1</translation>
    </message>
    <message>
        <source>Uploading error!
%1

Response: %2</source>
        <translation>Upload failed.
%1

Response: %2</translation>
    </message>
    <message>
        <source>Upload cancelled.</source>
        <translation>Upload cancelled.</translation>
    </message>
</context>
<context>
    <name>VideoEditor</name>
    <message>
        <source>Video editor</source>
        <translation>Video editor</translation>
    </message>
    <message>
        <source>Draw arrow</source>
        <translation>Draw arrow</translation>
    </message>
    <message>
        <source>Draw rectangle</source>
        <translation>Draw rectangle</translation>
    </message>
    <message>
        <source>Blur area</source>
        <translation>Blur area</translation>
    </message>
    <message>
        <source>Add text</source>
        <translation>Add text</translation>
    </message>
    <message>
        <source>Choose color</source>
        <translation>Choose color</translation>
    </message>
</context>
<context>
    <name>VideoHandOff</name>
    <message>
        <source>Save As</source>
        <translation>Save As</translation>
    </message>
    <message>
        <source>MP4 Files (*.mp4)</source>
        <translation>MP4 Files (*.mp4)</translation>
    </message>
    <message>
        <source>GIF Files (*.gif)</source>
        <translation>GIF Files (*.gif)</translation>
    </message>
</context>
<context>
    <name>VideoRecord</name>
    <message>
        <source>Video Recorder</source>
        <translation>Video Recorder</translation>
    </message>
    <message>
        <source>• Record</source>
        <translation>• Record</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Play</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Save</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Upload</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Close</translation>
    </message>
    <message>
        <source>Format and frame rate</source>
        <translation>Format and frame rate</translation>
    </message>
    <message>
        <source>Record microphone</source>
        <translation>Record microphone</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Format:</translation>
    </message>
    <message>
        <source>Framerate:</source>
        <translation>Framerate:</translation>
    </message>
    <message>
        <source>Highlight clicks</source>
        <translation>Highlight clicks</translation>
    </message>
    <message>
        <source>Maximum recording time: %1</source>
        <translation>Maximum recording time: %1</translation>
    </message>
    <message>
        <source>%1 FPS
%2</source>
        <translation>%1 FPS
%2</translation>
    </message>
    <message>
        <source>%1 FPS, maximum recording time: %2</source>
        <translation>%1 FPS, maximum recording time: %2</translation>
    </message>
    <message>
        <source>Microphone on</source>
        <translation>Microphone on</translation>
    </message>
    <message>
        <source>Microphone off</source>
        <translation>Microphone off</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>◼ Stop</source>
        <translation>◼ Stop</translation>
    </message>
    <message>
        <source>Saving...</source>
        <translation>Saving...</translation>
    </message>
    <message>
        <source>File saved successfully</source>
        <translation>File saved successfully</translation>
    </message>
    <message>
        <source>Could not save file</source>
        <translation>Could not save file</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Select color</translation>
    </message>
    <message>
        <source>The MP4 recording cannot start: %1</source>
        <translation>The MP4 recording cannot start: %1</translation>
    </message>
    <message>
        <source>The MP4 encoder failed during the recording: %1
Every recorded frame is kept: the video is written from them when you save or upload it.</source>
        <translation>The MP4 encoder failed during the recording: %1
Every recorded frame is kept: the video is written from them when you save or upload it.</translation>
    </message>
    <message>
        <source>The sound could not be kept.</source>
        <translation>The sound could not be kept.</translation>
    </message>
    <message>
        <source>The sound could not be put into the edited video, so it has none. The recording keeps its sound: saving or uploading again tries once more.</source>
        <translation>The sound could not be put into the edited video, so it has none. The recording keeps its sound: saving or uploading again tries once more.</translation>
    </message>
</context>
</TS>
