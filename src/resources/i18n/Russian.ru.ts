<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru">
<context>
    <name>AnnotationEditor</name>
    <message>
        <source>Microphone</source>
        <translation>Микрофон</translation>
    </message>
</context>
<context>
    <name>CommandLine</name>
    <message>
        <source>Capture a region of the screen.</source>
        <translation>Снять область экрана.</translation>
    </message>
    <message>
        <source>Capture the full screen.</source>
        <translation>Снять весь экран.</translation>
    </message>
    <message>
        <source>Open the video recorder.</source>
        <translation>Открыть запись видео.</translation>
    </message>
    <message>
        <source>Recognise the text in a region of the screen.</source>
        <translation>Распознать текст в области экрана.</translation>
    </message>
    <message>
        <source>Read a QR code from the screen.</source>
        <translation>Считать QR-код с экрана.</translation>
    </message>
    <message>
        <source>Measure the screen with the ruler.</source>
        <translation>Измерить экран линейкой.</translation>
    </message>
    <message>
        <source>Open the given images in the editor, or choose one.</source>
        <translation>Открыть указанные изображения в редакторе или выбрать одно.</translation>
    </message>
    <message>
        <source>Open the settings.</source>
        <translation>Открыть настройки.</translation>
    </message>
    <message>
        <source>Quit the running Quorvel.</source>
        <translation>Завершить запущенный Quorvel.</translation>
    </message>
    <message>
        <source>Try &apos;quorvel --help&apos;.</source>
        <translation>Справка: &apos;quorvel --help&apos;.</translation>
    </message>
    <message>
        <source>Quorvel lives in the tray. Started again with one of the actions below, it asks the running Quorvel to do it, so the actions can be bound to keys in the desktop&apos;s keyboard settings.</source>
        <translation>Quorvel работает в системном лотке. При повторном запуске с одним из действий ниже он просит уже запущенный Quorvel выполнить его, поэтому действия можно назначить на клавиши в настройках клавиатуры рабочего стола.</translation>
    </message>
    <message>
        <source>Images to open in the editor.</source>
        <translation>Изображения, которые нужно открыть в редакторе.</translation>
    </message>
    <message>
        <source>[files...]</source>
        <translation>[файлы...]</translation>
    </message>
    <message>
        <source>Choose one action at a time, not %1.</source>
        <translation>Выберите одно действие, а не несколько: %1.</translation>
    </message>
    <message>
        <source>%1 takes no files: %2</source>
        <translation>%1 не принимает файлы: %2</translation>
    </message>
    <message>
        <source>No such file: %1</source>
        <translation>Файл не найден: %1</translation>
    </message>
    <message>
        <source>%1 is a folder, not a picture.</source>
        <translation>%1 — это папка, а не изображение.</translation>
    </message>
</context>
<context>
    <name>LastFiles</name>
    <message>
        <source>Last your files</source>
        <translation>Ваши последние файлы</translation>
    </message>
    <message>
        <source>You are don&apos;t upload any file yet.</source>
        <translation>Вы ещё не загрузили ни одного файла.</translation>
    </message>
    <message>
        <source>Load data failed!
Error: </source>
        <translation>Не удалось загрузить список.
Ошибка: </translation>
    </message>
    <message>
        <source>You are not logined</source>
        <translation>Вы не вошли в систему.</translation>
    </message>
    <message>
        <source>To take full advantage of the program, please log in.</source>
        <translation>Войдите, чтобы пользоваться всеми возможностями программы.</translation>
    </message>
    <message>
        <source>Copy link</source>
        <translation>Копировать ссылку</translation>
    </message>
    <message>
        <source>Remove</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Remove file!</source>
        <translation>Удаление файла</translation>
    </message>
    <message>
        <source>Are you sure?</source>
        <translation>Вы уверены?</translation>
    </message>
</context>
<context>
    <name>LoginForm</name>
    <message>
        <source>Sign In Quorvel</source>
        <translation>Вход в Quorvel</translation>
    </message>
    <message>
        <source>Email</source>
        <translation>Эл. почта</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Войти</translation>
    </message>
    <message>
        <source>&lt;p style=&quot;margin:0;&quot; align=&quot;center&quot;&gt;or&lt;/p&gt;</source>
        <translation>&lt;p style=&quot;margin:0;&quot; align=&quot;center&quot;&gt;или&lt;/p&gt;</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Регистрация</translation>
    </message>
    <message>
        <source>Quorvel login</source>
        <translation>Вход в Quorvel</translation>
    </message>
    <message>
        <source>Error: </source>
        <translation>Ошибка: </translation>
    </message>
    <message>
        <source>Authentication server did not respond.
Try again late.</source>
        <translation>Сервер авторизации не ответил.
Попробуйте позже.</translation>
    </message>
    <message>
        <source>Invalid auth code! Try again.</source>
        <translation>Неверный код авторизации. Попробуйте ещё раз.</translation>
    </message>
    <message>
        <source>To complete the authorization, enter the code from the site %1:</source>
        <translation>Чтобы завершить вход, введите код с сайта %1:</translation>
    </message>
</context>
<context>
    <name>NoTrayNotice</name>
    <message>
        <source>Quorvel is running</source>
        <translation>Quorvel запущен</translation>
    </message>
    <message>
        <source>This desktop has no system tray, so Quorvel cannot show its icon. It keeps running after you close this window. Bind these commands to keys in your desktop&apos;s keyboard settings to use it:</source>
        <translation>На этом рабочем столе нет системного лотка, поэтому Quorvel не может показать свой значок. Программа продолжит работать после закрытия этого окна. Чтобы пользоваться ею, назначьте эти команды на клавиши в настройках клавиатуры рабочего стола:</translation>
    </message>
    <message>
        <source>&amp;Quit Quorvel</source>
        <translation>&amp;Выйти из Quorvel</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
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
        <translation>Сканировать</translation>
    </message>
    <message>
        <source>Select a region to scan</source>
        <translation>Выберите область для сканирования</translation>
    </message>
    <message>
        <source>Copy result</source>
        <translation>Копировать результат</translation>
    </message>
    <message>
        <source>Recognized text will appear here</source>
        <translation>Здесь появится распознанный текст</translation>
    </message>
    <message>
        <source>Recognizing...</source>
        <translation>Распознавание...</translation>
    </message>
    <message>
        <source>Quorvel UUID is missing</source>
        <translation>Отсутствует UUID Quorvel</translation>
    </message>
    <message>
        <source>Could not prepare image</source>
        <translation>Не удалось подготовить изображение</translation>
    </message>
    <message>
        <source>OCR API error%1: %2</source>
        <translation>Ошибка API OCR%1: %2</translation>
    </message>
    <message>
        <source>OCR request failed (%1): %2</source>
        <translation>Сбой запроса OCR (%1): %2</translation>
    </message>
    <message>
        <source>OCR returned an invalid response</source>
        <translation>Сервис OCR вернул недопустимый ответ</translation>
    </message>
    <message>
        <source>No text was recognized</source>
        <translation>Текст не распознан</translation>
    </message>
    <message>
        <source>Done</source>
        <translation>Готово</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>Скопировано в буфер обмена</translation>
    </message>
</context>
<context>
    <name>QLabel</name>
    <message>
        <source>Just click to capture fullscreen
Or select region.
%1+C - to copy color
%1+L - on/off loupe</source>
        <translation>Щелчок — весь экран
или выделите область.
%1+C — копировать цвет
%1+L — лупа вкл./выкл.</translation>
    </message>
</context>
<context>
    <name>QrScanner</name>
    <message>
        <source>QR Scanner</source>
        <translation>Сканер QR-кодов</translation>
    </message>
    <message>
        <source>RESULT</source>
        <translation>РЕЗУЛЬТАТ</translation>
    </message>
    <message>
        <source>Copy result</source>
        <translation>Копировать результат</translation>
    </message>
    <message>
        <source>Decoded text will appear here</source>
        <translation>Здесь появится распознанный текст</translation>
    </message>
    <message>
        <source>No QR code was found in this area</source>
        <translation>В этой области QR-код не найден</translation>
    </message>
    <message>
        <source>Copied</source>
        <translation>Скопировано</translation>
    </message>
    <message>
        <source>Copied to clipboard</source>
        <translation>Скопировано в буфер обмена</translation>
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
        <translation>Линейка</translation>
    </message>
    <message>
        <source>Click a band to drop a guide; drag bands and guides to move them; right-click a guide to remove it. Esc closes the ruler.</source>
        <translation>Щёлкните по шкале, чтобы поставить направляющую; перетаскивайте шкалы и направляющие, чтобы сдвинуть их; правый щелчок удаляет направляющую. Esc закрывает линейку.</translation>
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
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Обрезка (1)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Arrow (2)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Стрелка (2)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Line (3)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Линия (3)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Square (4)&lt;/p&gt;&lt;p&gt;Hold Ctrl to draw a filled square&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Прямоугольник (4)&lt;/p&gt;&lt;p&gt;Удерживайте Ctrl, чтобы добавить номер; двойной щелчок заливает прямоугольник&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Text (5)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Текст (5)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Blur (6)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Размытие (6)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Capture region and add to the bottom of the main picture&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Снять область и добавить под основным изображением (7)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Undo (Ctrl+Z)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Отменить (Ctrl+Z)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Redo (Ctrl+U)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Повторить (Ctrl+U)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Толщина&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Copy to clipboard (Ctrl+C)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Копировать в буфер обмена (Ctrl+C)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Save (Ctrl+S)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Сохранить (Ctrl+S)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Upload (Ctrl+Spase)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Отправить (Ctrl+Пробел)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Отправить</source>
        <translation>Отправить</translation>
    </message>
    <message>
        <source>Quorvel - Click to capture screen</source>
        <translation>Quorvel — щёлкните, чтобы снять экран</translation>
    </message>
    <message>
        <source>&amp;Capture Region</source>
        <translation>Снять &amp;область</translation>
    </message>
    <message>
        <source>&amp;Capture Full Screen</source>
        <translation>Снять весь &amp;экран</translation>
    </message>
    <message>
        <source>&amp;Capture Video</source>
        <translation>Записать &amp;видео</translation>
    </message>
    <message>
        <source>&amp;Tools</source>
        <translation>&amp;Инструменты</translation>
    </message>
    <message>
        <source>&amp;Ruler and measurement</source>
        <translation>&amp;Линейка и измерения</translation>
    </message>
    <message>
        <source>&amp;QR Scanner</source>
        <translation>&amp;QR-сканер</translation>
    </message>
    <message>
        <source>&amp;OCR Scanner</source>
        <translation>&amp;Распознавание текста</translation>
    </message>
    <message>
        <source>&amp;Open editor</source>
        <translation>Открыть &amp;редактор</translation>
    </message>
    <message>
        <source>&amp;Send any file</source>
        <translation>Отправить &amp;файл</translation>
    </message>
    <message>
        <source>&amp;All my files / My account</source>
        <translation>&amp;Мои файлы / Мой аккаунт</translation>
    </message>
    <message>
        <source>&amp;Open image file</source>
        <translation>Открыть &amp;изображение</translation>
    </message>
    <message>
        <source>&amp;Settings</source>
        <translation>&amp;Настройки</translation>
    </message>
    <message>
        <source>&amp;Quit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Ctrl+Space</source>
        <comment>keep as it is: a key sequence, reset with the text</comment>
        <translation>Ctrl+Space</translation>
    </message>
    <message>
        <source>Capture screen first</source>
        <translation>Сначала сделайте снимок экрана.</translation>
    </message>
    <message>
        <source>Save As</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <source>%1 Files (*.%2);;All Files (*)</source>
        <translation>Файлы %1 (*.%2);;Все файлы (*)</translation>
    </message>
    <message>
        <source>The image could not be saved to %1.
%2</source>
        <translation>Не удалось сохранить изображение в %1.
%2</translation>
    </message>
    <message>
        <source>The external editor %1 could not be started.</source>
        <translation>Не удалось запустить внешний редактор %1.</translation>
    </message>
    <message>
        <source>Open File</source>
        <translation>Открыть файл</translation>
    </message>
    <message>
        <source>Any Files (*.*)</source>
        <translation>Все файлы (*.*)</translation>
    </message>
    <message>
        <source>You can&apos;t send file more then 100Mb. Sorry!</source>
        <translation>Извините, нельзя отправить файл больше 100 МБ.</translation>
    </message>
    <message>
        <source>Open Image</source>
        <translation>Открыть изображение</translation>
    </message>
    <message>
        <source>Image Files (*.png *.jpg *.bmp *.gif)</source>
        <translation>Изображения (*.png *.jpg *.bmp *.gif)</translation>
    </message>
    <message>
        <source>Image very small or is broken!</source>
        <translation>Изображение слишком маленькое или повреждено!</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Выберите цвет</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Open image file and add to the bottom of the main picture (8)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Открыть файл изображения и добавить под основным изображением (8)&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Choose color&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Выбрать цвет&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Decrease size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Уменьшить размер&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Increase size&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</source>
        <translation>&lt;html&gt;&lt;head/&gt;&lt;body&gt;&lt;p&gt;Увеличить размер&lt;/p&gt;&lt;/body&gt;&lt;/html&gt;</translation>
    </message>
    <message>
        <source>Image is too large to open (%1 × %2 pixels)!</source>
        <translation>Изображение слишком большое, чтобы его открыть (%1 × %2 пикселей)!</translation>
    </message>
    <message>
        <source>Hot keys unavailable</source>
        <translation>Горячие клавиши недоступны</translation>
    </message>
    <message>
        <source>Could not register: %1. Another program may be using these keys, or the stored key is not valid. You can choose other keys in the settings.</source>
        <translation>Не удалось зарегистрировать: %1. Возможно, эти клавиши заняты другой программой или сохранённая клавиша недопустима. Другие клавиши можно выбрать в настройках.</translation>
    </message>
    <message>
        <source>Quorvel is running</source>
        <translation>Quorvel запущен</translation>
    </message>
    <message>
        <source>Click its icon in the tray to capture the screen.</source>
        <translation>Щёлкните его значок в системном лотке, чтобы снять экран.</translation>
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
        <translation>Сервис не ответил вовремя.</translation>
    </message>
    <message>
        <source>Connection refused</source>
        <translation>Соединение отклонено</translation>
    </message>
    <message>
        <source>The service closed the connection</source>
        <translation>Сервис закрыл соединение</translation>
    </message>
    <message>
        <source>The service&apos;s host was not found</source>
        <translation>Сервер сервиса не найден</translation>
    </message>
    <message>
        <source>The connection timed out</source>
        <translation>Время ожидания соединения истекло</translation>
    </message>
    <message>
        <source>The secure connection failed</source>
        <translation>Не удалось установить защищённое соединение</translation>
    </message>
    <message>
        <source>The network is not available</source>
        <translation>Сеть недоступна</translation>
    </message>
    <message>
        <source>The proxy failed</source>
        <translation>Ошибка прокси-сервера</translation>
    </message>
    <message>
        <source>Network error %1</source>
        <translation>Сетевая ошибка %1</translation>
    </message>
    <message>
        <source>The service&apos;s reply is too large</source>
        <translation>Ответ сервиса слишком большой</translation>
    </message>
    <message>
        <source>The service answered %1 %2</source>
        <translation>Сервис ответил %1 %2</translation>
    </message>
</context>
<context>
    <name>Settings</name>
    <message>
        <source>Quorvel settings</source>
        <translation>Настройки Quorvel</translation>
    </message>
    <message>
        <source>General</source>
        <translation>Общие</translation>
    </message>
    <message>
        <source>External editor</source>
        <translation>Внешний редактор</translation>
    </message>
    <message>
        <source>Editor not selected</source>
        <translation>Редактор не выбран</translation>
    </message>
    <message>
        <source>Choose</source>
        <translation>Выбрать</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>Show loupe</source>
        <translation>Показывать лупу</translation>
    </message>
    <message>
        <source>Hot Keys</source>
        <translation>Горячие клавиши</translation>
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
        <translation>Весь экран</translation>
    </message>
    <message>
        <source>OCR Scanner</source>
        <translation>Распознавание текста</translation>
    </message>
    <message>
        <source>Account</source>
        <translation>Аккаунт</translation>
    </message>
    <message>
        <source>You are not logined</source>
        <translation>Вы не вошли в аккаунт</translation>
    </message>
    <message>
        <source>To take full advantage of the program, please log in.</source>
        <translation>Войдите, чтобы пользоваться всеми возможностями программы.</translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Войти</translation>
    </message>
    <message>
        <source>Register</source>
        <translation>Регистрация</translation>
    </message>
    <message>
        <source>Logout</source>
        <translation>Выйти</translation>
    </message>
    <message>
        <source>Default</source>
        <translation>По умолчанию</translation>
    </message>
    <message>
        <source>Choose image editor</source>
        <translation>Выберите графический редактор</translation>
    </message>
    <message>
        <source>Loading...</source>
        <translation>Загрузка…</translation>
    </message>
    <message>
        <source>Start at login</source>
        <translation>Запускать при входе</translation>
    </message>
    <message>
        <source>Cannot change the autostart entry %1.</source>
        <translation>Не удаётся изменить элемент автозапуска %1.</translation>
    </message>
</context>
<context>
    <name>SingleInstance</name>
    <message>
        <source>There is no runtime folder to meet other starts of Quorvel in.</source>
        <translation>Нет папки времени выполнения, через которую могли бы связаться другие запуски Quorvel.</translation>
    </message>
    <message>
        <source>Another start of Quorvel holds %1.</source>
        <translation>Другой запуск Quorvel удерживает %1.</translation>
    </message>
    <message>
        <source>%1 is in the way and was not made by Quorvel.</source>
        <translation>%1 мешает и создан не Quorvel.</translation>
    </message>
    <message>
        <source>Cannot listen on %1: %2</source>
        <translation>Не удаётся слушать %1: %2</translation>
    </message>
    <message>
        <source>Cannot reach the running Quorvel: %1</source>
        <translation>Не удаётся связаться с запущенным Quorvel: %1</translation>
    </message>
    <message>
        <source>Quorvel is running but does not answer.</source>
        <translation>Quorvel запущен, но не отвечает.</translation>
    </message>
    <message>
        <source>The running Quorvel refused the request.</source>
        <translation>Запущенный Quorvel отклонил запрос.</translation>
    </message>
    <message>
        <source>Cannot remove the stale socket %1.</source>
        <translation>Не удаётся удалить устаревший сокет %1.</translation>
    </message>
</context>
<context>
    <name>StoryboardTimeline</name>
    <message>
        <source>Audio</source>
        <translation>Аудио</translation>
    </message>
</context>
<context>
    <name>TextOverlay</name>
    <message>
        <source>Decrease text size</source>
        <translation>Уменьшить текст</translation>
    </message>
    <message>
        <source>Increase text size</source>
        <translation>Увеличить текст</translation>
    </message>
</context>
<context>
    <name>UploadProgress</name>
    <message>
        <source>Uploading file...</source>
        <translation>Загрузка файла...</translation>
    </message>
    <message>
        <source>Done! Link copied to clipboard!</source>
        <translation>Готово! Ссылка скопирована в буфер обмена.</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Could not open file: </source>
        <translation>Не удалось открыть файл: </translation>
    </message>
    <message>
        <source>Uploading file</source>
        <translation>Загрузка</translation>
    </message>
    <message>
        <source>Getting link...</source>
        <translation>Получение ссылки...</translation>
    </message>
    <message>
        <source>Uploading error!
Response: </source>
        <translation>Ошибка загрузки.
Ответ: </translation>
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
        <translation>загружен.</translation>
    </message>
    <message>
        <source>Uploading error!</source>
        <translation>Ошибка загрузки.</translation>
    </message>
    <message>
        <source>The file is kept at %1</source>
        <translation>Файл сохранён: %1</translation>
    </message>
    <message>
        <source>Uploading error!
%1

Response: %2</source>
        <translation>Ошибка загрузки.
%1

Ответ: %2</translation>
    </message>
    <message>
        <source>Upload cancelled.</source>
        <translation>Загрузка отменена.</translation>
    </message>
</context>
<context>
    <name>VideoEditor</name>
    <message>
        <source>Video editor</source>
        <translation>Видеоредактор</translation>
    </message>
    <message>
        <source>Draw arrow</source>
        <translation>Нарисовать стрелку</translation>
    </message>
    <message>
        <source>Draw rectangle</source>
        <translation>Нарисовать прямоугольник</translation>
    </message>
    <message>
        <source>Blur area</source>
        <translation>Размыть область</translation>
    </message>
    <message>
        <source>Add text</source>
        <translation>Добавить текст</translation>
    </message>
    <message>
        <source>Choose color</source>
        <translation>Выбрать цвет</translation>
    </message>
</context>
<context>
    <name>VideoHandOff</name>
    <message>
        <source>Save As</source>
        <translation>Сохранить как</translation>
    </message>
    <message>
        <source>MP4 Files (*.mp4)</source>
        <translation>Файлы MP4 (*.mp4)</translation>
    </message>
    <message>
        <source>GIF Files (*.gif)</source>
        <translation>Файлы GIF (*.gif)</translation>
    </message>
</context>
<context>
    <name>VideoRecord</name>
    <message>
        <source>Video Recorder</source>
        <translation>Видеорекордер</translation>
    </message>
    <message>
        <source>• Record</source>
        <translation>• Запись</translation>
    </message>
    <message>
        <source>Play</source>
        <translation>Воспроизвести</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Сохранить</translation>
    </message>
    <message>
        <source>Upload</source>
        <translation>Загрузить</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрыть</translation>
    </message>
    <message>
        <source>Format and frame rate</source>
        <translation>Формат и частота кадров</translation>
    </message>
    <message>
        <source>Record microphone</source>
        <translation>Записывать микрофон</translation>
    </message>
    <message>
        <source>Format:</source>
        <translation>Формат:</translation>
    </message>
    <message>
        <source>Framerate:</source>
        <translation>Частота кадров:</translation>
    </message>
    <message>
        <source>Highlight clicks</source>
        <translation>Подсвечивать щелчки</translation>
    </message>
    <message>
        <source>Maximum recording time: %1</source>
        <translation>Максимальное время записи: %1</translation>
    </message>
    <message>
        <source>%1 FPS
%2</source>
        <translation>%1 к/с
%2</translation>
    </message>
    <message>
        <source>%1 FPS, maximum recording time: %2</source>
        <translation>%1 к/с, максимальное время записи: %2</translation>
    </message>
    <message>
        <source>Microphone on</source>
        <translation>Микрофон включён</translation>
    </message>
    <message>
        <source>Microphone off</source>
        <translation>Микрофон выключен</translation>
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
        <translation>Сохранение...</translation>
    </message>
    <message>
        <source>File saved successfully</source>
        <translation>Файл успешно сохранён</translation>
    </message>
    <message>
        <source>Could not save file</source>
        <translation>Не удалось сохранить файл</translation>
    </message>
    <message>
        <source>Select color</source>
        <translation>Выбор цвета</translation>
    </message>
    <message>
        <source>The MP4 recording cannot start: %1</source>
        <translation>Не удаётся начать запись MP4: %1</translation>
    </message>
    <message>
        <source>The MP4 encoder failed during the recording: %1
Every recorded frame is kept: the video is written from them when you save or upload it.</source>
        <translation>Кодировщик MP4 отказал во время записи: %1
Все записанные кадры сохранены: видео будет создано из них при сохранении или загрузке.</translation>
    </message>
    <message>
        <source>The sound could not be kept.</source>
        <translation>Звук сохранить не удалось.</translation>
    </message>
    <message>
        <source>The sound could not be put into the edited video, so it has none. The recording keeps its sound: saving or uploading again tries once more.</source>
        <translation>Не удалось добавить звук в отредактированное видео, поэтому оно без звука. Звук записи сохранён: при повторном сохранении или загрузке будет сделана ещё одна попытка.</translation>
    </message>
</context>
</TS>
