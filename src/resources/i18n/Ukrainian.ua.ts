<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk">
<context>
    <name>AnnotationEditor</name>
    <message>
        <source>Microphone</source>
        <translation>Мікрофон</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Capture a region of the screen.</source>
        <translation>Зняти область екрана.</translation>
    </message>
    <message>
        <source>Capture the full screen.</source>
        <translation>Зняти весь екран.</translation>
    </message>
    <message>
        <source>Open the video recorder.</source>
        <translation>Відкрити запис відео.</translation>
    </message>
    <message>
        <source>Recognise the text in a region of the screen.</source>
        <translation>Розпізнати текст в області екрана.</translation>
    </message>
    <message>
        <source>Read a QR code from the screen.</source>
        <translation>Зчитати QR-код з екрана.</translation>
    </message>
    <message>
        <source>Measure the screen with the ruler.</source>
        <translation>Виміряти екран лінійкою.</translation>
    </message>
    <message>
        <source>Open the given images in the editor, or choose one.</source>
        <translation>Відкрити вказані зображення в редакторі або вибрати одне.</translation>
    </message>
    <message>
        <source>Open the settings.</source>
        <translation>Відкрити налаштування.</translation>
    </message>
    <message>
        <source>Quit the running Quorvel.</source>
        <translation>Завершити запущений Quorvel.</translation>
    </message>
    <message>
        <source>Try &apos;quorvel --help&apos;.</source>
        <translation>Довідка: &apos;quorvel --help&apos;.</translation>
    </message>
    <message>
        <source>Quorvel lives in the tray. Started again with one of the actions below, it asks the running Quorvel to do it, so the actions can be bound to keys in the desktop&apos;s keyboard settings.</source>
        <translation>Quorvel працює в системному лотку. Під час повторного запуску з однією з дій нижче він просить уже запущений Quorvel виконати її, тож дії можна призначити на клавіші в налаштуваннях клавіатури робочого столу.</translation>
    </message>
    <message>
        <source>Images to open in the editor.</source>
        <translation>Зображення, які треба відкрити в редакторі.</translation>
    </message>
    <message>
        <source>[files...]</source>
        <translation>[файли...]</translation>
    </message>
    <message>
        <source>Choose one action at a time, not %1.</source>
        <translation>Виберіть одну дію, а не кілька: %1.</translation>
    </message>
    <message>
        <source>%1 takes no files: %2</source>
        <translation>%1 не приймає файли: %2</translation>
    </message>
    <message>
        <source>No such file: %1</source>
        <translation>Файл не знайдено: %1</translation>
    </message>
    <message>
        <source>%1 is a folder, not a picture.</source>
        <translation>%1 — це тека, а не зображення.</translation>
    </message>
</context>
<context>
    <name>LastFiles</name>
    <message>
        <source>Last your files</source>
        <translation>Ваші останні файли</translation>
    </message>
    <message>
        <source>You are don&apos;t upload any file yet.</source>
        <translation>Ви ще не завантажили жодного файлу.</translation>
    </message>
    <message>
        <source>Load data failed!
Error: </source>
        <translation>Не вдалося завантажити список.
Помилка: </translation>
    </message>
    <message>
        <source>You are not logined</source>
        <translation>Ви не ввійшли в систему.</translation>
    </message>
    <message>
        <source>To take full advantage of the program, please log in.</source>
        <translation>Увійдіть, щоб користуватися всіма можливостями програми.</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Копіювати посилання</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Видалити</translation>
    </message>
    <message>
        <source>Remove file!</source>
        <translation>Видалення файлу</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Ви впевнені?</translation>
    </message>
</context>
<context>
    <name>LoginForm</name>
    <message>
        <source>Sign In Quorvel</source>
        <translation>Вхід до Quorvel</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Ел. пошта</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Увійти</translation>
    </message>
    <message>
        <source>&lt;p style=&quot;margin:0;&quot; align=&quot;center&quot;&gt;or&lt;/p&gt;</source>
        <translation>&lt;p style=&quot;margin:0;&quot; align=&quot;center&quot;&gt;або&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Реєстрація</translation>
    </message>
    <message>
        <source>Quorvel login</source>
        <translation>Вхід до Quorvel</translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>Помилка: </translation>
    </message>
    <message>
        <source>Authentication server did not respond.
Try again late.</source>
        <translation>Сервер авторизації не відповів.
Спробуйте пізніше.</translation>
    </message>
    <message>
        <source>Invalid auth code! Try again.</source>
        <translation>Невірний код авторизації. Спробуйте ще раз.</translation>
    </message>
    <message>
        <source>To complete the authorization, enter the code from the site %1:</source>
        <translation>Щоб завершити вхід, введіть код із сайту %1:</translation>
    </message>
</context>
<context>
    <name>NoTrayNotice</name>
    <message>
        <source>Quorvel is running</source>
        <translation>Quorvel запущено</translation>
    </message>
    <message>
        <source>This desktop has no system tray, so Quorvel cannot show its icon. It keeps running after you close this window. Bind these commands to keys in your desktop&apos;s keyboard settings to use it:</source>
        <translation>На цьому робочому столі немає системного лотка, тому Quorvel не може показати свій значок. Програма працюватиме й після закриття цього вікна. Щоб користуватися нею, призначте ці команди на клавіші в налаштуваннях клавіатури робочого столу:</translation>
    </message>
    <message>
        <source>&amp;Quit Quorvel</source>
        <translation>&amp;Вийти з Quorvel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрити</translation>
    </message>
</context>
<context>
    <name>OcrScanner</name>
    <message>
        <source>OCR Scanner</source>
        <translation>OCR-сканер</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>РЕЗУЛЬТАТ</translation>
    </message>
    <message>
        <source>Scan</source>
        <translation>Сканувати</translation>
    </message>
    <message>
        <source>Select a region to scan</source>
        <translation>Виберіть область для сканування</translation>
    </message>
    <message>
        <source>Copy result</source>
        <translation>Копіювати результат</translation>
    </message>
    <message>
        <source>Recognized text will appear here</source>
        <translation>Тут з’явиться розпізнаний текст</translation>
    </message>
    <message>
        <source>Recognizing...</source>
        <translation>Розпізнавання...</translation>
    </message>
    <message>
        <source>Quorvel UUID is missing</source>
        <translation>Відсутній UUID Quorvel</translation>
    </message>
    <message>
        <source>Could not prepare image</source>
        <translation>Не вдалося підготувати зображення</translation>
    </message>
    <message>
        <source>OCR API error%1: %2</source>
        <translation>Помилка API OCR%1: %2</translation>
    </message>
    <message>
        <source>OCR request failed (%1): %2</source>
        <translation>Помилка запиту OCR (%1): %2</translation>
    </message>
    <message>
        <source>OCR returned an invalid response</source>
        <translation>Сервіс OCR повернув недійсну відповідь</translation>
    </message>
    <message>
        <source>No text was recognized</source>
        <translation>Текст не розпізнано</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>Скопійовано в буфер обміну</translation>
    </message>
</context>
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
    <name>QrScanner</name>
    <message>
        <source>QR Scanner</source>
        <translation>Сканер QR-кодів</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>РЕЗУЛЬТАТ</translation>
    </message>
    <message>
        <source>Copy result</source>
        <translation>Копіювати результат</translation>
    </message>
    <message>
        <source>Decoded text will appear here</source>
        <translation>Тут зʼявиться розпізнаний текст</translation>
    </message>
    <message>
        <source>No QR code was found in this area</source>
        <translation>У цій області QR-код не знайдено</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Скопійовано</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>Скопійовано в буфер обміну</translation>
    </message>
</context>
<context>
    <name>Ruler</name>
    <message>
        <source>%1 px</source>
        <translation>%1 пкс</translation>
    </message>
    <message>
        <source>Ruler</source>
        <translation>Лінійка</translation>
    </message>
    <message>
        <source>Click a band to drop a guide; drag bands and guides to move them; right-click a guide to remove it. Esc closes the ruler.</source>
        <translation>Клацніть по шкалі, щоб поставити напрямну; перетягуйте шкали й напрямні, щоб зсунути їх; правий клац видаляє напрямну. Esc закриває лінійку.</translation>
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
    <message>
        <source>Quorvel is running</source>
        <translation>Quorvel запущено</translation>
    </message>
    <message>
        <source>Click its icon in the tray to capture the screen.</source>
        <translation>Клацніть його значок у системному лотку, щоб зняти екран.</translation>
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
        <translation>Сервіс не відповів вчасно.</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>З&apos;єднання відхилено</translation>
    </message>
    <message>
        <source>The service closed the connection</source>
        <translation>Сервіс закрив з&apos;єднання</translation>
    </message>
    <message>
        <source>The service&apos;s host was not found</source>
        <translation>Сервер сервісу не знайдено</translation>
    </message>
    <message>
        <source>The connection timed out</source>
        <translation>Час очікування з&apos;єднання вичерпано</translation>
    </message>
    <message>
        <source>The secure connection failed</source>
        <translation>Не вдалося встановити захищене з&apos;єднання</translation>
    </message>
    <message>
        <source>The network is not available</source>
        <translation>Мережа недоступна</translation>
    </message>
    <message>
        <source>The proxy failed</source>
        <translation>Помилка проксі-сервера</translation>
    </message>
    <message>
        <source>Network error %1</source>
        <translation>Мережева помилка %1</translation>
    </message>
    <message>
        <source>The service&apos;s reply is too large</source>
        <translation>Відповідь сервісу завелика</translation>
    </message>
    <message>
        <source>The service answered %1 %2</source>
        <translation>Сервіс відповів %1 %2</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Quorvel settings</source>
        <translation>Налаштування Quorvel</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Загальні</translation>
    </message>
    <message>
        <source>External editor</source>
        <translation>Зовнішній редактор</translation>
    </message>
    <message>
        <source>Editor not selected</source>
        <translation>Редактор не вибрано</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Вибрати</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Мова</translation>
    </message>
    <message>
        <source>Show loupe</source>
        <translation>Показувати лупу</translation>
    </message>
    <message>
        <source>Hot Keys</source>
        <translation>Гарячі клавіші</translation>
    </message>
    <message>
        <source>Region</source>
        <translation>Область</translation>
    </message>
    <message>
        <source>Not set</source>
        <translation>Не задано</translation>
    </message>
    <message>
        <source>FullScreen</source>
        <translation>Весь екран</translation>
    </message>
    <message>
        <source>OCR Scanner</source>
        <translation>Розпізнавання тексту</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Обліковий запис</translation>
    </message>
    <message>
        <source>You are not logined</source>
        <translation>Ви не увійшли в обліковий запис</translation>
    </message>
    <message>
        <source>To take full advantage of the program, please log in.</source>
        <translation>Увійдіть, щоб користуватися всіма можливостями програми.</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Увійти</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Реєстрація</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Вийти</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>За замовчуванням</translation>
    </message>
    <message>
        <source>Choose image editor</source>
        <translation>Виберіть графічний редактор</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Завантаження…</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Запускати під час входу</translation>
    </message>
    <message>
        <source>Cannot change the autostart entry %1.</source>
        <translation>Не вдається змінити елемент автозапуску %1.</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>There is no runtime folder to meet other starts of Quorvel in.</source>
        <translation>Немає теки часу виконання, через яку могли б зв&apos;язатися інші запуски Quorvel.</translation>
    </message>
    <message>
        <source>Another start of Quorvel holds %1.</source>
        <translation>Інший запуск Quorvel утримує %1.</translation>
    </message>
    <message>
        <source>%1 is in the way and was not made by Quorvel.</source>
        <translation>%1 заважає і створений не Quorvel.</translation>
    </message>
    <message>
        <source>Cannot listen on %1: %2</source>
        <translation>Не вдається слухати %1: %2</translation>
    </message>
    <message>
        <source>Cannot reach the running Quorvel: %1</source>
        <translation>Не вдається зв&apos;язатися із запущеним Quorvel: %1</translation>
    </message>
    <message>
        <source>Quorvel is running but does not answer.</source>
        <translation>Quorvel запущено, але він не відповідає.</translation>
    </message>
    <message>
        <source>The running Quorvel refused the request.</source>
        <translation>Запущений Quorvel відхилив запит.</translation>
    </message>
    <message>
        <source>Cannot remove the stale socket %1.</source>
        <translation>Не вдається видалити застарілий сокет %1.</translation>
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
    <name>TextOverlay</name>
    <message>
        <source>Decrease text size</source>
        <translation>Зменшити текст</translation>
    </message>
    <message>
        <source>Increase text size</source>
        <translation>Збільшити текст</translation>
    </message>
</context>
<context>
    <name>UploadProgress</name>
    <message>
        <source>Uploading file...</source>
        <translation>Завантаження файлу...</translation>
    </message>
    <message>
        <source>Done! Link copied to clipboard!</source>
        <translation>Готово! Посилання скопійовано до буфера обміну.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>Could not open file: </source>
        <translation>Не вдалося відкрити файл: </translation>
    </message>
    <message>
        <source>Uploading file</source>
        <translation>Завантаження</translation>
    </message>
    <message>
        <source>Getting link...</source>
        <translation>Отримання посилання...</translation>
    </message>
    <message>
        <source>Uploading error!
Response: </source>
        <translation>Помилка завантаження.
Відповідь: </translation>
    </message>
    <message>
        <source>Quorvel Cloud</source>
        <translation>Quorvel Cloud</translation>
    </message>
    <message>
        <source>Your file</source>
        <translation>Ваш файл</translation>
    </message>
    <message>
        <source>has been uploaded!</source>
        <translation>завантажено.</translation>
    </message>
    <message>
        <source>Uploading error!</source>
        <translation>Помилка завантаження.</translation>
    </message>
    <message>
        <source>The file is kept at %1</source>
        <translation>Файл збережено: %1</translation>
    </message>
    <message>
        <source>Uploading error!
%1

Response: %2</source>
        <translation>Помилка завантаження.
%1

Відповідь: %2</translation>
    </message>
    <message>
        <source>Upload cancelled.</source>
        <translation>Завантаження скасовано.</translation>
    </message>
</context>
<context>
    <name>VideoEditor</name>
    <message>
        <source>Video editor</source>
        <translation>Відеоредактор</translation>
    </message>
    <message>
        <source>Draw arrow</source>
        <translation>Намалювати стрілку</translation>
    </message>
    <message>
        <source>Draw rectangle</source>
        <translation>Намалювати прямокутник</translation>
    </message>
    <message>
        <source>Blur area</source>
        <translation>Розмити область</translation>
    </message>
    <message>
        <source>Add text</source>
        <translation>Додати текст</translation>
    </message>
    <message>
        <source>Choose color</source>
        <translation>Вибрати колір</translation>
    </message>
</context>
<context>
    <name>VideoHandOff</name>
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
        <source>File saved successfully</source>
        <translation>Файл успішно збережено</translation>
    </message>
    <message>
        <source>Could not save file</source>
        <translation>Не вдалося зберегти файл</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Вибір кольору</translation>
    </message>
    <message>
        <source>The MP4 recording cannot start: %1</source>
        <translation>Не вдається почати запис MP4: %1</translation>
    </message>
    <message>
        <source>The MP4 encoder failed during the recording: %1
Every recorded frame is kept: the video is written from them when you save or upload it.</source>
        <translation>Кодувальник MP4 відмовив під час запису: %1
Усі записані кадри збережено: відео буде створено з них під час збереження або завантаження.</translation>
    </message>
    <message>
        <source>The sound could not be kept.</source>
        <translation>Звук зберегти не вдалося.</translation>
    </message>
    <message>
        <source>The sound could not be put into the edited video, so it has none. The recording keeps its sound: saving or uploading again tries once more.</source>
        <translation>Не вдалося додати звук до відредагованого відео, тому воно без звуку. Звук запису збережено: під час повторного збереження або завантаження буде зроблено ще одну спробу.</translation>
    </message>
</context>
</TS>
