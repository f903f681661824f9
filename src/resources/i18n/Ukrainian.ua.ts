<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk">
<context>
    <name>QLabel</name>
    <message>
        <source>Just click to capture fullscreen
Or select region.
%1+C - to copy color
%1+L - on/off loupe</source>
        <translation>Клацніть — увесь екран
або виділіть область.
%1+C — копіювати колір
%1+L — лупа увімк./вимк.</translation>
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
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Обрізання (1)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Arrow (2)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Стрілка (2)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Line (3)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Лінія (3)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Square (4)&lt;/p&gt;&lt;p&gt;Hold Ctrl to draw a filled square&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Прямокутник (4)&lt;/p&gt;&lt;p&gt;Утримуйте Ctrl, щоб додати номер; подвійне клацання заливає прямокутник&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Text (5)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Текст (5)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Blur (6)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Розмиття (6)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Capture region and add to the bottom of the main picture&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Зняти область і додати під основним зображенням (7)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Undo (Ctrl+Z)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Скасувати (Ctrl+Z)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Redo (Ctrl+U)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Повторити (Ctrl+U)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Товщина&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Copy to clipboard (Ctrl+C)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Копіювати в буфер обміну (Ctrl+C)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Save (Ctrl+S)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Зберегти (Ctrl+S)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Upload (Ctrl+Spase)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Надіслати (Ctrl+Пробіл)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Отправить</source>
        <translation>Надіслати</translation>
    </message>
    <message>
        <source>Quorvel - Click to capture screen</source>
        <translation>Quorvel — клацніть, щоб зняти екран</translation>
    </message>
    <message>
        <source>&amp;Capture Region</source>
        <translation>Зняти &amp;область</translation>
    </message>
    <message>
        <source>&amp;Capture Full Screen</source>
        <translation>Зняти весь &amp;екран</translation>
    </message>
    <message>
        <source>&amp;Capture Video</source>
        <translation>Записати &amp;відео</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Інструменти</translation>
    </message>
    <message>
        <source>&amp;Ruler and measurement</source>
        <translation>&amp;Лінійка та вимірювання</translation>
    </message>
    <message>
        <source>&amp;QR Scanner</source>
        <translation>&amp;QR-сканер</translation>
    </message>
    <message>
        <source>&amp;OCR Scanner</source>
        <translation>&amp;Розпізнавання тексту</translation>
    </message>
    <message>
        <source>&amp;Open editor</source>
        <translation>Відкрити &amp;редактор</translation>
    </message>
    <message>
        <source>&amp;Send any file</source>
        <translation>Надіслати &amp;файл</translation>
    </message>
    <message>
        <source>&amp;All my files / My account</source>
        <translation>&amp;Мої файли / Мій обліковий запис</translation>
    </message>
    <message>
        <source>&amp;Open image file</source>
        <translation>Відкрити &amp;зображення</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Налаштування</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>Ви&amp;йти</translation>
    </message>
    <message>
        <source>Ctrl+Space</source>
        <comment>keep as it is: a key sequence, reset with the text</comment>
        <translation>Ctrl+Space</translation>
    </message>
    <message>
        <source>Capture screen first</source>
        <translation>Спочатку зробіть знімок екрана.</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Зберегти як</translation>
    </message>
    <message>
        <source>%1 Files (*.%2);;All Files (*)</source>
        <translation>Файли %1 (*.%2);;Усі файли (*)</translation>
    </message>
    <message>
        <source>The image could not be saved to %1.
%2</source>
        <translation>Не вдалося зберегти зображення в %1.
%2</translation>
    </message>
    <message>
        <source>The external editor %1 could not be started.</source>
        <translation>Не вдалося запустити зовнішній редактор %1.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Відкрити файл</translation>
    </message>
    <message>
        <source>Any Files (*.*)</source>
        <translation>Усі файли (*.*)</translation>
    </message>
    <message>
        <source>You can&apos;t send file more then 100Mb. Sorry!</source>
        <translation>Вибачте, не можна надіслати файл більший за 100 МБ.</translation>
    </message>
    <message>
        <source>Uploading is not available yet.</source>
        <translation>Надсилання поки що недоступне.</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>Відкрити зображення</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.bmp *.gif)</source>
        <translation>Зображення (*.png *.jpg *.bmp *.gif)</translation>
    </message>
    <message>
        <source>Image very small or is broken!</source>
        <translation>Зображення замале або пошкоджене!</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Виберіть колір</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Open image file and add to the bottom of the main picture (8)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Відкрити файл зображення і додати під основним зображенням (8)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Choose color&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Вибрати колір&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Decrease size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Зменшити розмір&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Increase size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Збільшити розмір&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Image is too large to open (%1 × %2 pixels)!</source>
        <translation>Зображення завелике, щоб його відкрити (%1 × %2 пікселів)!</translation>
    </message>
    <message>
        <source>Hot keys unavailable</source>
        <translation>Гарячі клавіші недоступні</translation>
    </message>
    <message>
        <source>Could not register: %1. Another program may be using these keys, or the stored key is not valid. You can choose other keys in the settings.</source>
        <translation>Не вдалося зареєструвати: %1. Можливо, ці клавіші зайняті іншою програмою або збережена клавіша недійсна. Інші клавіші можна вибрати в налаштуваннях.</translation>
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
    <name>StoryboardTimeline</name>
    <message>
        <source>Audio</source>
        <translation>Аудіо</translation>
    </message>
</context>
<context>
    <name>VideoRecord</name>
    <message>
        <source>Video Recorder</source>
        <translation>Відеорекордер</translation>
    </message>
    <message>
        <source>• Record</source>
        <translation>• Запис</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Відтворити</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Зберегти</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Завантажити</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>Format and frame rate</source>
        <translation>Формат і частота кадрів</translation>
    </message>
    <message>
        <source>Record microphone</source>
        <translation>Записувати мікрофон</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Формат:</translation>
    </message>
    <message>
        <source>Framerate:</source>
        <translation>Частота кадрів:</translation>
    </message>
    <message>
        <source>Highlight clicks</source>
        <translation>Підсвічувати клацання</translation>
    </message>
    <message>
        <source>Maximum recording time: %1</source>
        <translation>Максимальний час запису: %1</translation>
    </message>
    <message>
        <source>%1 FPS
%2</source>
        <translation>%1 к/с
%2</translation>
    </message>
    <message>
        <source>%1 FPS, maximum recording time: %2</source>
        <translation>%1 к/с, максимальний час запису: %2</translation>
    </message>
    <message>
        <source>Microphone on</source>
        <translation>Мікрофон увімкнено</translation>
    </message>
    <message>
        <source>Microphone off</source>
        <translation>Мікрофон вимкнено</translation>
    </message>
    <message>
        <source>Pause</source>
        <translation>Пауза</translation>
    </message>
    <message>
        <source>◼ Stop</source>
        <translation>◼ Стоп</translation>
    </message>
    <message>
        <source>Saving...</source>
        <translation>Збереження...</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Зберегти як</translation>
    </message>
    <message>
        <source>MP4 Files (*.mp4)</source>
        <translation>Файли MP4 (*.mp4)</translation>
    </message>
    <message>
        <source>GIF Files (*.gif)</source>
        <translation>Файли GIF (*.gif)</translation>
    </message>
    <message>
        <source>File saved successfully</source>
        <translation>Файл успішно збережено</translation>
    </message>
    <message>
        <source>Could not save file</source>
        <translation>Не вдалося зберегти файл</translation>
    </message>
    <message>
        <source>Uploading is not available yet.</source>
        <translation>Надсилання поки що недоступне.</translation>
    </message>
</context>
</TS>
