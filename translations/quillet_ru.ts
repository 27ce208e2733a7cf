<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>CoreWords</name>
    <message>
        <source>The file could not be read.</source>
        <translation>Не удалось прочитать файл.</translation>
    </message>
    <message>
        <source>The file could not be written.</source>
        <translation>Не удалось записать файл.</translation>
    </message>
    <message>
        <source>The file is too short to be a menu file.</source>
        <translation>Файл слишком короткий для файла меню.</translation>
    </message>
    <message>
        <source>The file&apos;s record table cannot be read.</source>
        <translation>Не удаётся прочитать таблицу записей файла.</translation>
    </message>
    <message>
        <source>An item&apos;s data lies outside the file&apos;s data area.</source>
        <translation>Данные пункта лежат за пределами области данных файла.</translation>
    </message>
    <message>
        <source>The menu has more items than a menu file can hold.</source>
        <translation>В меню больше пунктов, чем вмещает файл меню.</translation>
    </message>
    <message>
        <source>The item data are longer than a menu file can address.</source>
        <translation>Данные пунктов длиннее, чем позволяет адресация файла меню.</translation>
    </message>
    <message>
        <source>A value is larger than an item can hold.</source>
        <translation>Значение больше, чем вмещает пункт.</translation>
    </message>
    <message>
        <source>A value cannot be used here.</source>
        <translation>Это значение здесь недопустимо.</translation>
    </message>
    <message>
        <source>There is no menu to work on.</source>
        <translation>Нет открытого меню.</translation>
    </message>
    <message>
        <source>The phone could not do what was asked.</source>
        <translation>Телефон не выполнил запрошенное действие.</translation>
    </message>
    <message>
        <source>Format: %1-byte   Main menu entries: %2</source>
        <translation>Формат: %1-байтный   Пунктов меню: %2</translation>
    </message>
    <message>
        <source>Getting file count</source>
        <translation>Получение числа файлов</translation>
    </message>
    <message>
        <source>Getting file list</source>
        <translation>Получение списка файлов</translation>
    </message>
    <message>
        <source>Files found: %1</source>
        <translation>Найдено файлов: %1</translation>
    </message>
    <message>
        <source>A list of the menu runs into a record already read and ends there.</source>
        <translation>Список меню заходит в уже прочитанную запись и обрывается на ней.</translation>
    </message>
    <message>
        <source>A submenu link leads to a record that cannot be used and is not followed.</source>
        <translation>Ссылка на подменю указывает на непригодную запись и не учитывается.</translation>
    </message>
    <message>
        <source>Records of the file belong to no menu list and are not loaded.</source>
        <translation>Часть записей файла не относится ни к одному списку меню и не загружена.</translation>
    </message>
    <message>
        <source>Items announce item data, but the file has none; they are loaded without data.</source>
        <translation>Пункты объявляют данные, но в файле их нет; пункты загружены без данных.</translation>
    </message>
    <message>
        <source>The file cannot be saved as it is: remove items or item data first.</source>
        <translation>Файл нельзя сохранить в таком виде: сначала удалите пункты или их данные.</translation>
    </message>
    <message>
        <source>An item&apos;s data end inside a data block; the rest is not kept.</source>
        <translation>Данные пункта обрываются внутри блока данных; остаток отброшен.</translation>
    </message>
    <message>
        <source>A data block cannot be read; it is kept as unsupported data, saved only with &quot;Save all data&quot;.</source>
        <translation>Блок данных не удаётся прочитать; он сохранён как неподдерживаемые данные, которые записываются только с «Сохранять все данные».</translation>
    </message>
    <message>
        <source>A data block does not fit into its item and is not kept.</source>
        <translation>Блок данных не помещается в пункт и отброшен.</translation>
    </message>
    <message>
        <source>
File: %1</source>
        <translation>
Файл: %1</translation>
    </message>
    <message>
        <source>The file cannot be used as a Java application.</source>
        <translation>Этот файл нельзя использовать как Java-приложение.</translation>
    </message>
</context>
<context>
    <name>FileChooser</name>
    <message>
        <source>All Files (*)</source>
        <translation>Все файлы (*)</translation>
    </message>
    <message>
        <source>Java applications (*.jad *.jar)</source>
        <translation>Приложения Java (*.jad *.jar)</translation>
    </message>
    <message>
        <source>Choose Java application</source>
        <translation>Выбор приложения Java</translation>
    </message>
    <message>
        <source>Phone files folder</source>
        <translation>Папка файлов телефона</translation>
    </message>
    <message>
        <source>Pictures (*.gif *.png *.jpg *.jpeg *.bmp *.wbmp)</source>
        <translation>Изображения (*.gif *.png *.jpg *.jpeg *.bmp *.wbmp)</translation>
    </message>
    <message>
        <source>Put a picture on the phone</source>
        <translation>Записать изображение в телефон</translation>
    </message>
</context>
<context>
    <name>LanguageNames</name>
    <message>
        <source>English US</source>
        <translation>английский (США)</translation>
    </message>
    <message>
        <source>Arabic</source>
        <translation>арабский</translation>
    </message>
    <message>
        <source>English UK</source>
        <translation>английский (Великобритания)</translation>
    </message>
    <message>
        <source>Chinese Complex</source>
        <translation>китайский (традиционный)</translation>
    </message>
    <message>
        <source>Chinese Simple</source>
        <translation>китайский (упрощённый)</translation>
    </message>
    <message>
        <source>French</source>
        <translation>французский</translation>
    </message>
    <message>
        <source>German</source>
        <translation>немецкий</translation>
    </message>
    <message>
        <source>Hebrew</source>
        <translation>иврит</translation>
    </message>
    <message>
        <source>Italian</source>
        <translation>итальянский</translation>
    </message>
    <message>
        <source>Spanish</source>
        <translation>испанский</translation>
    </message>
    <message>
        <source>Thai</source>
        <translation>тайский</translation>
    </message>
    <message>
        <source>Vietnamese</source>
        <translation>вьетнамский</translation>
    </message>
    <message>
        <source>Canadian French</source>
        <translation>французский (Канада)</translation>
    </message>
    <message>
        <source>American Spanish</source>
        <translation>испанский (Латинская Америка)</translation>
    </message>
    <message>
        <source>Bahasa</source>
        <translation>индонезийский</translation>
    </message>
    <message>
        <source>Bulgarian</source>
        <translation>болгарский</translation>
    </message>
    <message>
        <source>Croatian</source>
        <translation>хорватский</translation>
    </message>
    <message>
        <source>Czech</source>
        <translation>чешский</translation>
    </message>
    <message>
        <source>Danish</source>
        <translation>датский</translation>
    </message>
    <message>
        <source>Dutch</source>
        <translation>нидерландский</translation>
    </message>
    <message>
        <source>Estonian</source>
        <translation>эстонский</translation>
    </message>
    <message>
        <source>Finnish</source>
        <translation>финский</translation>
    </message>
    <message>
        <source>Greek</source>
        <translation>греческий</translation>
    </message>
    <message>
        <source>Hungarian</source>
        <translation>венгерский</translation>
    </message>
    <message>
        <source>Japanese</source>
        <translation>японский</translation>
    </message>
    <message>
        <source>Korean</source>
        <translation>корейский</translation>
    </message>
    <message>
        <source>Latvian</source>
        <translation>латышский</translation>
    </message>
    <message>
        <source>Lithuanian</source>
        <translation>литовский</translation>
    </message>
    <message>
        <source>Malay</source>
        <translation>малайский</translation>
    </message>
    <message>
        <source>Norwegian</source>
        <translation>норвежский</translation>
    </message>
    <message>
        <source>Polish</source>
        <translation>польский</translation>
    </message>
    <message>
        <source>Portuguese</source>
        <translation>португальский</translation>
    </message>
    <message>
        <source>American Portuguese</source>
        <translation>португальский (Америка)</translation>
    </message>
    <message>
        <source>Romanian</source>
        <translation>румынский</translation>
    </message>
    <message>
        <source>Russian</source>
        <translation>русский</translation>
    </message>
    <message>
        <source>Serbian</source>
        <translation>сербский</translation>
    </message>
    <message>
        <source>Slovak</source>
        <translation>словацкий</translation>
    </message>
    <message>
        <source>Slovenian</source>
        <translation>словенский</translation>
    </message>
    <message>
        <source>Tagalog</source>
        <translation>тагальский</translation>
    </message>
    <message>
        <source>Turkish</source>
        <translation>турецкий</translation>
    </message>
    <message>
        <source>Ukrainian</source>
        <translation>украинский</translation>
    </message>
    <message>
        <source>Brazilian Portuguese</source>
        <translation>португальский (Бразилия)</translation>
    </message>
    <message>
        <source>Swedish</source>
        <translation>шведский</translation>
    </message>
    <message>
        <source>Farsi</source>
        <translation>персидский</translation>
    </message>
    <message>
        <source>Urdu</source>
        <translation>урду</translation>
    </message>
    <message>
        <source>Hindi</source>
        <translation>хинди</translation>
    </message>
    <message>
        <source>Bahasa Malay</source>
        <translation>малайский (бахаса)</translation>
    </message>
    <message>
        <source>Language %1</source>
        <translation>Язык %1</translation>
    </message>
</context>
<context>
    <name>StartArguments</name>
    <message>
        <source>Editor of the main menu file (mma_ucp) of Motorola P2K phones.</source>
        <translation>Редактор файла главного меню (mma_ucp) телефонов Motorola P2K.</translation>
    </message>
    <message>
        <source>The interface language: %1.</source>
        <translation>Язык интерфейса: %1.</translation>
    </message>
    <message>
        <source>The menu file to open.</source>
        <translation>Открываемый файл меню.</translation>
    </message>
    <message>
        <source>The editor opens one file at a time.</source>
        <translation>Редактор открывает только один файл за раз.</translation>
    </message>
    <message>
        <source>Unknown language &quot;%1&quot;; the editor speaks %2.</source>
        <translation>Неизвестный язык «%1»; доступны: %2.</translation>
    </message>
    <message>
        <source>Start with the remembered settings (recent files, folders, window position, language) forgotten.</source>
        <translation>Запустить, забыв сохранённые настройки (недавние файлы, папки, положение окна, язык).</translation>
    </message>
</context>
<context>
    <name>quillet::ui::ChooseIconDialog</name>
    <message>
        <source>The file does not decode as a picture: %1</source>
        <translation>Файл не читается как изображение: %1</translation>
    </message>
    <message>
        <source>Choose icon</source>
        <translation>Выбор значка</translation>
    </message>
    <message>
        <source>&amp;Folder:</source>
        <translation>&amp;Папка:</translation>
    </message>
    <message>
        <source>Put an image from this computer on the phone...</source>
        <translation>Записать в телефон изображение с этого компьютера...</translation>
    </message>
    <message>
        <source>A phone must be connected to put files on it.</source>
        <translation>Чтобы записывать файлы в телефон, его нужно подключить.</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>No phone is connected and no phone files folder is chosen (View &gt; Phone files folder...): there are no pictures to show.</source>
        <translation>Телефон не подключён, и папка файлов телефона не выбрана (Вид &gt; Папка файлов телефона...): показывать нечего.</translation>
    </message>
    <message>
        <source>Reading the list of files...</source>
        <translation>Чтение списка файлов...</translation>
    </message>
    <message>
        <source>The list of files could not be read:
%1</source>
        <translation>Не удалось прочитать список файлов:
%1</translation>
    </message>
    <message>
        <source>%1
%2 bytes</source>
        <translation>%1
%2 байт</translation>
    </message>
    <message>
        <source>No pictures in this folder.</source>
        <translation>В этой папке нет изображений.</translation>
    </message>
    <message>
        <source>%1 has %2 bytes, more than the %3 bytes (64 KiB) a picture put on the phone may have.</source>
        <translation>Файл %1 занимает %2 байт, а изображение для телефона может занимать не более %3 байт (64 КиБ).</translation>
    </message>
    <message>
        <source>%1 cannot be read: %2</source>
        <translation>Не удалось прочитать %1: %2</translation>
    </message>
    <message>
        <source>The phone already has a file %1.
Replace it? The phone&apos;s file is backed up first.</source>
        <translation>В телефоне уже есть файл %1.
Заменить его? Сначала будет сохранена резервная копия файла телефона.</translation>
    </message>
    <message>
        <source>Putting %1 on the phone...</source>
        <translation>Запись %1 в телефон...</translation>
    </message>
    <message>
        <source>Pictures on the connected phone</source>
        <translation>Изображения на подключённом телефоне</translation>
    </message>
    <message>
        <source>Pictures on the phone %1</source>
        <translation>Изображения на телефоне %1</translation>
    </message>
    <message>
        <source>No phone is connected: the pictures in the phone files folder %1</source>
        <translation>Телефон не подключён: изображения в папке файлов телефона %1</translation>
    </message>
</context>
<context>
    <name>quillet::ui::HelpWindow</name>
    <message>
        <source>Quillet Help</source>
        <translation>Справка Quillet</translation>
    </message>
</context>
<context>
    <name>quillet::ui::LanguageMenu</name>
    <message>
        <source>&amp;Language</source>
        <translation>&amp;Язык</translation>
    </message>
    <message>
        <source>The language of the windows, from the next start</source>
        <translation>Язык окон программы (со следующего запуска)</translation>
    </message>
    <message>
        <source>&amp;System language</source>
        <translation>&amp;Как в системе</translation>
    </message>
    <message>
        <source>Language</source>
        <translation>Язык</translation>
    </message>
    <message>
        <source>The new language applies when Quillet is started again.</source>
        <translation>Новый язык будет применён при следующем запуске Quillet.</translation>
    </message>
</context>
<context>
    <name>quillet::ui::MenuTreeModel</name>
    <message>
        <source>Identifier: %1</source>
        <translation>Идентификатор: %1</translation>
    </message>
    <message>
        <source>Names:</source>
        <translation>Названия:</translation>
    </message>
    <message>
        <source>Softkey titles:</source>
        <translation>Названия софт-клавиш:</translation>
    </message>
    <message>
        <source>DRM index %1</source>
        <translation>индекс DRM %1</translation>
    </message>
    <message>
        <source>Animated icon: %1</source>
        <translation>Анимированный значок: %1</translation>
    </message>
    <message>
        <source>Static icon: %1</source>
        <translation>Статичный значок: %1</translation>
    </message>
    <message>
        <source>List icon: %1</source>
        <translation>Значок в списке: %1</translation>
    </message>
    <message>
        <source>No names or icons of its own</source>
        <translation>Собственных названий и значков нет</translation>
    </message>
</context>
<context>
    <name>quillet::ui::MidletChooserDialog</name>
    <message>
        <source>Choose MIDlet</source>
        <translation>Выбор мидлета</translation>
    </message>
    <message>
        <source>This Java application holds several MIDlets.
Which one should the menu item start?</source>
        <translation>Это приложение Java содержит несколько мидлетов.
Какой из них должен запускать пункт меню?</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>quillet::ui::PhonePreviewWindow</name>
    <message>
        <source>Phone preview</source>
        <translation>Предпросмотр телефона</translation>
    </message>
    <message>
        <source>Display language</source>
        <translation>Язык отображения</translation>
    </message>
    <message>
        <source>List view</source>
        <translation>Списком</translation>
    </message>
    <message>
        <source>Icons from the connected phone</source>
        <translation>Значки с подключённого телефона</translation>
    </message>
    <message>
        <source>Icons from the phone %1</source>
        <translation>Значки с телефона %1</translation>
    </message>
    <message>
        <source>Icons from the folder %1</source>
        <translation>Значки из папки %1</translation>
    </message>
    <message>
        <source>No phone and no phone files folder: icons cannot be shown (View &gt; Phone files folder...)</source>
        <translation>Нет ни телефона, ни папки файлов телефона: значки показать нельзя (Вид &gt; Папка файлов телефона...)</translation>
    </message>
</context>
<context>
    <name>quillet::ui::PhoneProgressDialog</name>
    <message>
        <source>Open from phone</source>
        <translation>Открыть с телефона</translation>
    </message>
    <message>
        <source>Save to phone</source>
        <translation>Записать в телефон</translation>
    </message>
    <message>
        <source>Restart Phone</source>
        <translation>Перезагрузить телефон</translation>
    </message>
    <message>
        <source>Reading the phone&apos;s menu to back it up...</source>
        <translation>Чтение меню телефона для резервной копии...</translation>
    </message>
    <message>
        <source>Reading the menu from the phone...</source>
        <translation>Чтение меню из телефона...</translation>
    </message>
    <message>
        <source>Keeping a backup of the phone&apos;s menu...</source>
        <translation>Сохранение резервной копии меню телефона...</translation>
    </message>
    <message>
        <source>Writing the menu to the phone...</source>
        <translation>Запись меню в телефон...</translation>
    </message>
    <message>
        <source>Reading the menu back to check it...</source>
        <translation>Проверка: повторное чтение меню...</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Restarting the phone...</source>
        <translation>Перезагрузка телефона...</translation>
    </message>
    <message>
        <source>
%1 of %2 bytes</source>
        <translation>
%1 из %2 байт</translation>
    </message>
    <message>
        <source>
Cancelling...</source>
        <translation>
Отмена...</translation>
    </message>
    <message>
        <source>
A write to the phone cannot be interrupted: please wait.</source>
        <translation>
Запись в телефон нельзя прервать: подождите.</translation>
    </message>
    <message>
        <source>Restore phone menu</source>
        <translation>Восстановление меню телефона</translation>
    </message>
    <message>
        <source>Put a picture on the phone</source>
        <translation>Записать изображение в телефон</translation>
    </message>
    <message>
        <source>Looking for a file of that name on the phone...</source>
        <translation>Поиск файла с таким именем в телефоне...</translation>
    </message>
    <message>
        <source>Keeping a backup of the phone&apos;s file...</source>
        <translation>Сохранение резервной копии файла телефона...</translation>
    </message>
    <message>
        <source>Writing the file to the phone...</source>
        <translation>Запись файла в телефон...</translation>
    </message>
    <message>
        <source>Reading the file back to check it...</source>
        <translation>Обратное чтение файла для проверки...</translation>
    </message>
</context>
<context>
    <name>quillet::ui::PhoneScreen</name>
    <message>
        <source> (no name in the display language)</source>
        <translation> (нет названия на языке отображения)</translation>
    </message>
    <message>
        <source>Icon: DRM index %1, from the phone&apos;s DRM store</source>
        <translation>Значок: индекс DRM %1, из хранилища DRM телефона</translation>
    </message>
    <message>
        <source>No icon in the menu file: the phone draws its own</source>
        <translation>В файле меню значка нет: телефон рисует свой</translation>
    </message>
    <message>
        <source>Looked for in %1</source>
        <translation>Поиск выполнялся %1</translation>
    </message>
    <message>
        <source>Icon: %1</source>
        <translation>Значок: %1</translation>
    </message>
    <message>
        <source>Icon: %1 (being read)</source>
        <translation>Значок: %1 (читается)</translation>
    </message>
    <message>
        <source>Missing icon: %1</source>
        <translation>Значок не найден: %1</translation>
    </message>
    <message>
        <source>Main menu</source>
        <translation>Главное меню</translation>
    </message>
    <message>
        <source>DRM
%1</source>
        <translation>DRM
%1</translation>
    </message>
</context>
<context>
    <name>quillet::ui::PreviewIconStore</name>
    <message>
        <source>the connected phone</source>
        <translation>на подключённом телефоне</translation>
    </message>
    <message>
        <source>the phone %1</source>
        <translation>на телефоне %1</translation>
    </message>
    <message>
        <source>No phone is connected and no phone files folder is chosen.</source>
        <translation>Телефон не подключён, и папка файлов телефона не выбрана.</translation>
    </message>
    <message>
        <source>the phone files folder %1</source>
        <translation>в папке файлов телефона %1</translation>
    </message>
    <message>
        <source>There is no such file.</source>
        <translation>Такого файла нет.</translation>
    </message>
    <message>
        <source>The file cannot be read: %1</source>
        <translation>Файл не читается: %1</translation>
    </message>
    <message>
        <source>The file does not decode as an image: %1</source>
        <translation>Файл не распознаётся как изображение: %1</translation>
    </message>
</context>
<context>
    <name>quillet::ui::RestorePhoneMenuDialog</name>
    <message>
        <source>Restore phone menu</source>
        <translation>Восстановление меню телефона</translation>
    </message>
    <message>
        <source>Choose the menu to write back to the phone. The menu the phone holds now is backed up first.</source>
        <translation>Выберите меню, которое будет записано обратно в телефон. Меню, которое сейчас в телефоне, сначала сохраняется в резервную копию.</translation>
    </message>
    <message>
        <source>Time</source>
        <translation>Время</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Размер</translation>
    </message>
    <message>
        <source>Main-menu entries</source>
        <translation>Пунктов главного меню</translation>
    </message>
    <message>
        <source>State</source>
        <translation>Состояние</translation>
    </message>
    <message numerus="yes">
        <source>%n bytes</source>
        <translation>
            <numerusform>%n байт</numerusform>
            <numerusform>%n байта</numerusform>
            <numerusform>%n байт</numerusform>
        </translation>
    </message>
    <message>
        <source>damaged</source>
        <translation>повреждена</translation>
    </message>
    <message>
        <source>does not load</source>
        <translation>не загружается</translation>
    </message>
    <message>
        <source>Restore</source>
        <translation>Восстановить</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TAboutBox</name>
    <message>
        <source>About</source>
        <translation>О программе</translation>
    </message>
    <message>
        <source>Version 0.1</source>
        <translation>Версия 0.1</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TForm1</name>
    <message>
        <source>Name settings</source>
        <translation>Настройка названий</translation>
    </message>
    <message>
        <source>Name list</source>
        <translation>Список названий</translation>
    </message>
    <message>
        <source>No.</source>
        <translation>№</translation>
    </message>
    <message>
        <source>Language ID</source>
        <translation>Код языка</translation>
    </message>
    <message>
        <source>Name</source>
        <translation>Название</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Добавить</translation>
    </message>
    <message>
        <source>Edit</source>
        <translation>Изменить</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Удалить</translation>
    </message>
    <message>
        <source>Select language</source>
        <translation>Выберите язык</translation>
    </message>
    <message>
        <source>Type in new name</source>
        <translation>Введите новое название</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Wrong data</source>
        <translation>Неверные данные</translation>
    </message>
    <message>
        <source>A name can hold at most %1 characters; this one has %2.</source>
        <translation>Название может содержать не более %1 символов, а в этом их %2.</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TForm2</name>
    <message>
        <source>Unsupported blocks view [currently read-only]</source>
        <translation>Неподдерживаемые блоки [пока только просмотр]</translation>
    </message>
    <message>
        <source>Data blocks avilable</source>
        <translation>Доступные блоки данных</translation>
    </message>
    <message>
        <source>Data marker:</source>
        <translation>Метка данных:</translation>
    </message>
    <message>
        <source>Data length:</source>
        <translation>Длина данных:</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TOKRightDlg</name>
    <message>
        <source>Basic settings</source>
        <translation>Основные настройки</translation>
    </message>
    <message>
        <source>Item attributes</source>
        <translation>Атрибуты пункта</translation>
    </message>
    <message>
        <source>Allow adding to Security-&gt;Lock app list</source>
        <translation>Разрешить добавление в список Защита-&gt;Блокировка приложений</translation>
    </message>
    <message>
        <source>Protect access to item with unlock code</source>
        <translation>Защитить доступ к пункту кодом разблокировки</translation>
    </message>
    <message>
        <source>Disable key re-assignment via Home Keys menu </source>
        <translation>Запретить переназначение через меню «Клавиши начального экрана» </translation>
    </message>
    <message>
        <source>Item name settings</source>
        <translation>Названия пункта</translation>
    </message>
    <message>
        <source>Edit menu item name</source>
        <translation>Изменить название в меню</translation>
    </message>
    <message>
        <source>Edit softkey title</source>
        <translation>Изменить название софт-клавиши</translation>
    </message>
    <message>
        <source>Icon settings</source>
        <translation>Значки</translation>
    </message>
    <message>
        <source>Animated icon (file path or index to DRM)</source>
        <translation>Анимированный значок (путь к файлу или индекс в DRM)</translation>
    </message>
    <message>
        <source>Static icon (file path or index to DRM)</source>
        <translation>Статичный значок (путь к файлу или индекс в DRM)</translation>
    </message>
    <message>
        <source>List icon (file path or index to DRM)</source>
        <translation>Значок в списке (путь к файлу или индекс в DRM)</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Применить</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>View unsupported data</source>
        <translation>Неподдерживаемые данные</translation>
    </message>
    <message>
        <source>More ...</source>
        <translation>Ещё ...</translation>
    </message>
    <message>
        <source>Wrong data</source>
        <translation>Неверные данные</translation>
    </message>
    <message>
        <source>Type in a path or a number!</source>
        <translation>Введите путь или число!</translation>
    </message>
    <message>
        <source>Red: a file path. Yellow: an index to DRM. Empty: no icon.</source>
        <translation>Красный: путь к файлу. Жёлтый: индекс в DRM. Пустой: значка нет.</translation>
    </message>
    <message>
        <source>No icon of this kind</source>
        <translation>Значка этого вида нет</translation>
    </message>
    <message>
        <source>The icon is a file path on the phone</source>
        <translation>Значок — путь к файлу в телефоне</translation>
    </message>
    <message>
        <source>The icon is an index to the phone&apos;s DRM store</source>
        <translation>Значок — индекс в хранилище DRM телефона</translation>
    </message>
    <message>
        <source>...</source>
        <translation>...</translation>
    </message>
    <message>
        <source>Choose icon: pick a picture on the phone, or put one there</source>
        <translation>Выбор значка: выберите изображение в телефоне или запишите туда своё</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TOKRightDlg1</name>
    <message>
        <source>Only Latin-1 characters can be typed here (one byte each), at most 255.</source>
        <translation>Здесь можно вводить только символы Latin-1 (по байту на символ), не более 255.</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Dialog</source>
        <translation>Диалог</translation>
    </message>
    <message>
        <source>Select custom item type</source>
        <translation>Выберите тип пользовательского пункта</translation>
    </message>
    <message>
        <source>URL Settings</source>
        <translation>Настройки URL</translation>
    </message>
    <message>
        <source>Application Settings</source>
        <translation>Настройки приложения</translation>
    </message>
    <message>
        <source>Application name</source>
        <translation>Имя приложения</translation>
    </message>
    <message>
        <source>MIDlet name</source>
        <translation>Имя мидлета</translation>
    </message>
    <message>
        <source>MIDlet vendor</source>
        <translation>Поставщик мидлета</translation>
    </message>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Отмена</translation>
    </message>
    <message>
        <source>Custom item cannot have both URL and a midlet attached<byte value="xd"/>
Remove midlet reference first<byte value="xd"/>
Should we remove it now?</source>
        <translation>У пользовательского пункта не может быть одновременно URL и мидлета<byte value="xd"/>
Сначала нужно удалить ссылку на мидлет<byte value="xd"/>
Удалить её сейчас?</translation>
    </message>
    <message>
        <source>Custom item cannot have both URL and a midlet attached<byte value="xd"/>
Remove URL first<byte value="xd"/>
Should we remove it now?</source>
        <translation>У пользовательского пункта не может быть одновременно URL и мидлета<byte value="xd"/>
Сначала нужно удалить URL<byte value="xd"/>
Удалить его сейчас?</translation>
    </message>
    <message>
        <source>URL link</source>
        <translation>Ссылка URL</translation>
    </message>
    <message>
        <source>Application start</source>
        <translation>Запуск приложения</translation>
    </message>
    <message>
        <source>Choose Java application...</source>
        <translation>Выбрать приложение Java...</translation>
    </message>
    <message>
        <source>Fills the application name, MIDlet name and vendor from a Java application&apos;s .jad or .jar file</source>
        <translation>Заполняет имя приложения, имя мидлета и поставщика из файла .jad или .jar приложения Java</translation>
    </message>
    <message>
        <source>Java application</source>
        <translation>Приложение Java</translation>
    </message>
</context>
<context>
    <name>quillet::ui::TSDIAppForm</name>
    <message>
        <source>mma_ucp was stored to the phone<byte value="xd"/>
      Should we reboot it?</source>
        <translation>mma_ucp записан в телефон<byte value="xd"/>
      Перезагрузить телефон?</translation>
    </message>
    <message>
        <source>Cut item</source>
        <translation>Вырезать пункт</translation>
    </message>
    <message>
        <source>The clipboard holds no menu item to paste: %1</source>
        <translation>В буфере обмена нет пункта меню для вставки: %1</translation>
    </message>
    <message>
        <source>Paste item</source>
        <translation>Вставить пункт</translation>
    </message>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Отменить</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Повторить</translation>
    </message>
    <message>
        <source>Undo %1</source>
        <translation>Отменить: %1</translation>
    </message>
    <message>
        <source>Redo %1</source>
        <translation>Повторить: %1</translation>
    </message>
    <message>
        <source>&amp;Edit</source>
        <translation>&amp;Правка</translation>
    </message>
    <message>
        <source>&amp;New</source>
        <translation>&amp;Создать</translation>
    </message>
    <message>
        <source>New|Create a new file</source>
        <translation>Создать|Создать новый файл</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Открыть</translation>
    </message>
    <message>
        <source>Open|Open a file</source>
        <translation>Открыть|Открыть файл</translation>
    </message>
    <message>
        <source>Open &amp;backup...</source>
        <translation>Открыть &amp;резервную копию...</translation>
    </message>
    <message>
        <source>Open backup|Open a backup of a phone&apos;s menu</source>
        <translation>Открыть резервную копию|Открыть резервную копию меню телефона</translation>
    </message>
    <message>
        <source>&amp;Save</source>
        <translation>Со&amp;хранить</translation>
    </message>
    <message>
        <source>Save|Save current file</source>
        <translation>Сохранить|Сохранить текущий файл</translation>
    </message>
    <message>
        <source>Open from &amp;phone</source>
        <translation>Открыть с &amp;телефона</translation>
    </message>
    <message>
        <source>Save to p&amp;hone</source>
        <translation>Записать в теле&amp;фон</translation>
    </message>
    <message>
        <source>Save &amp;As...</source>
        <translation>Сохранить &amp;как...</translation>
    </message>
    <message>
        <source>Save As|Save current file with different name</source>
        <translation>Сохранить как|Сохранить текущий файл под другим именем</translation>
    </message>
    <message>
        <source>&amp;Restart Phone</source>
        <translation>П&amp;ерезагрузить телефон</translation>
    </message>
    <message>
        <source>E&amp;xit</source>
        <translation>В&amp;ыход</translation>
    </message>
    <message>
        <source>Exit|Exit application</source>
        <translation>Выход|Завершить работу программы</translation>
    </message>
    <message>
        <source>&amp;About...</source>
        <translation>&amp;О программе...</translation>
    </message>
    <message>
        <source>About|Displays program information, version number, and copyright</source>
        <translation>О программе|Сведения о программе, номер версии и авторские права</translation>
    </message>
    <message>
        <source>&amp;File</source>
        <translation>&amp;Файл</translation>
    </message>
    <message>
        <source>File related commands</source>
        <translation>Команды для работы с файлами</translation>
    </message>
    <message>
        <source>&amp;Help</source>
        <translation>&amp;Справка</translation>
    </message>
    <message>
        <source>Help topics</source>
        <translation>Справочные сведения</translation>
    </message>
    <message>
        <source>MMA save mode</source>
        <translation>Режим сохранения MMA</translation>
    </message>
    <message>
        <source>22-byte</source>
        <translation>22 байта</translation>
    </message>
    <message>
        <source>36-byte</source>
        <translation>36 байт</translation>
    </message>
    <message>
        <source>Save all data</source>
        <translation>Сохранять все данные</translation>
    </message>
    <message>
        <source>c698p mma_ucp fix</source>
        <translation>Исправление для c698p</translation>
    </message>
    <message>
        <source>Custom icon attribute</source>
        <translation>Атрибут значков</translation>
    </message>
    <message>
        <source>Available mma items</source>
        <translation>Доступные пункты mma</translation>
    </message>
    <message>
        <source>Item summary:</source>
        <translation>Сводка по пункту:</translation>
    </message>
    <message>
        <source>Save All</source>
        <translation>Сохранить всё</translation>
    </message>
    <message>
        <source>%1[*] - %2</source>
        <translation>%1[*] — %2</translation>
    </message>
    <message>
        <source>The menu &quot;%1&quot; has changed.
Do you want to save the changes?</source>
        <translation>Меню «%1» изменено.
Сохранить изменения?</translation>
    </message>
    <message>
        <source>Untitled</source>
        <translation>Без имени</translation>
    </message>
    <message>
        <source>

File: %1</source>
        <translation>

Файл: %1</translation>
    </message>
    <message>
        <source>Some data of &quot;%1&quot; cannot be kept by the editor and was left out:</source>
        <translation>Часть данных «%1» редактор сохранить не может, она пропущена:</translation>
    </message>
    <message numerus="yes">
        <source>
%n warnings; &quot;Show Details...&quot; lists them all.</source>
        <translation>
            <numerusform>
%n предупреждение; все они — в «Показать подробности...».</numerusform>
            <numerusform>
%n предупреждения; все они — в «Показать подробности...».</numerusform>
            <numerusform>
%n предупреждений; все они — в «Показать подробности...».</numerusform>
        </translation>
    </message>
    <message>
        <source>The menu read from the phone could not be backed up.</source>
        <translation>Не удалось сохранить резервную копию меню, прочитанного из телефона.</translation>
    </message>
    <message>
        <source>Icon(s) modified [source: file]</source>
        <translation>Значки изменены [файл]</translation>
    </message>
    <message>
        <source>Icon(s) modified [source: DRM]</source>
        <translation>Значки изменены [DRM]</translation>
    </message>
    <message>
        <source>Name in menu modified</source>
        <translation>Название в меню изменено</translation>
    </message>
    <message>
        <source>Softkey name modified</source>
        <translation>Название софт-клавиши изменено</translation>
    </message>
    <message>
        <source>URL attached</source>
        <translation>Прикреплён URL</translation>
    </message>
    <message>
        <source>MIDlet attached</source>
        <translation>Прикреплён мидлет</translation>
    </message>
    <message>
        <source>Unsupported Data</source>
        <translation>Неподдерживаемые данные</translation>
    </message>
    <message>
        <source>[Not modified]</source>
        <translation>[Не изменён]</translation>
    </message>
    <message>
        <source>Warning</source>
        <translation>Предупреждение</translation>
    </message>
    <message>
        <source>Add subitem</source>
        <translation>Добавить подпункт</translation>
    </message>
    <message>
        <source>Add First</source>
        <translation>Добавить первым</translation>
    </message>
    <message>
        <source>Add Last</source>
        <translation>Добавить последним</translation>
    </message>
    <message>
        <source>Add item</source>
        <translation>Добавить пункт</translation>
    </message>
    <message>
        <source>Add Before</source>
        <translation>Добавить перед</translation>
    </message>
    <message>
        <source>Replace</source>
        <translation>Заменить</translation>
    </message>
    <message>
        <source>Modify item</source>
        <translation>Изменить пункт</translation>
    </message>
    <message>
        <source>Delete item</source>
        <translation>Удалить пункт</translation>
    </message>
    <message>
        <source>Move up</source>
        <translation>Переместить вверх</translation>
    </message>
    <message>
        <source>Move down</source>
        <translation>Переместить вниз</translation>
    </message>
    <message>
        <source>Copy item</source>
        <translation>Копировать пункт</translation>
    </message>
    <message>
        <source>Paste as subitem</source>
        <translation>Вставить как подпункт</translation>
    </message>
    <message>
        <source>Replace item</source>
        <translation>Заменить пункт</translation>
    </message>
    <message>
        <source>The item and all its subitems will be deleted<byte value="xd"/>
           Continue?</source>
        <translation>Пункт и все его подпункты будут удалены<byte value="xd"/>
           Продолжить?</translation>
    </message>
    <message>
        <source>Selected item cannot have a submenu.<byte value="xd"/>
          Existing submenu will be deleted<byte value="xd"/>
                Continue?</source>
        <translation>Выбранный пункт не может иметь подменю.<byte value="xd"/>
          Имеющееся подменю будет удалено<byte value="xd"/>
                Продолжить?</translation>
    </message>
    <message>
        <source>A pasted item cannot have a submenu.<byte value="xd"/>
Its subitems will be left out.<byte value="xd"/>
Continue?</source>
        <translation>Вставляемый пункт не может иметь подменю.<byte value="xd"/>
Его подпункты будут пропущены.<byte value="xd"/>
Продолжить?</translation>
    </message>
    <message>
        <source>Move item</source>
        <translation>Переместить пункт</translation>
    </message>
    <message>
        <source>Phone: None </source>
        <translation>Телефон: нет </translation>
    </message>
    <message>
        <source>Phone: %1 </source>
        <translation>Телефон: %1 </translation>
    </message>
    <message>
        <source>&amp;View</source>
        <translation>&amp;Вид</translation>
    </message>
    <message>
        <source>Phone preview</source>
        <translation>Предпросмотр телефона</translation>
    </message>
    <message>
        <source>Show the menu as the phone shows it</source>
        <translation>Показать меню так, как его показывает телефон</translation>
    </message>
    <message>
        <source>Phone files folder...</source>
        <translation>Папка файлов телефона...</translation>
    </message>
    <message>
        <source>Choose the folder that stands for the phone&apos;s files when no phone is connected</source>
        <translation>Выбрать папку, которая заменяет файлы телефона, когда он не подключён</translation>
    </message>
    <message>
        <source>&amp;Undo %1</source>
        <translation>&amp;Отменить: %1</translation>
    </message>
    <message>
        <source>&amp;Redo %1</source>
        <translation>&amp;Повторить: %1</translation>
    </message>
    <message>
        <source>Undo and redo changes to the menu; cut, copy and paste items</source>
        <translation>Отмена и повтор изменений меню; вырезание, копирование и вставка пунктов</translation>
    </message>
    <message>
        <source>Open from phone|Read the menu file from the connected phone</source>
        <translation>Открыть с телефона|Прочитать файл меню из подключённого телефона</translation>
    </message>
    <message>
        <source>Save to phone|Write the menu to the connected phone and check it</source>
        <translation>Записать в телефон|Записать меню в подключённый телефон и проверить его</translation>
    </message>
    <message>
        <source>Restart Phone|Restart the connected phone so that it reads the new menu</source>
        <translation>Перезагрузить телефон|Перезагрузить подключённый телефон, чтобы он прочитал новое меню</translation>
    </message>
    <message>
        <source>Quillet &amp;Help</source>
        <translation>&amp;Справка Quillet</translation>
    </message>
    <message>
        <source>Help|Open the user guide</source>
        <translation>Справка|Открыть руководство пользователя</translation>
    </message>
    <message>
        <source>mma_ucp (phone)</source>
        <translation>mma_ucp (телефон)</translation>
    </message>
    <message>
        <source>Menu written to the phone and checked</source>
        <translation>Меню записано в телефон и проверено</translation>
    </message>
    <message>
        <source>Phone restarting</source>
        <translation>Телефон перезагружается</translation>
    </message>
    <message>
        <source>Open &amp;Recent</source>
        <translation>&amp;Недавние файлы</translation>
    </message>
    <message>
        <source>Open a file opened or saved before</source>
        <translation>Открыть файл, открытый или сохранённый ранее</translation>
    </message>
    <message>
        <source>&amp;Clear Menu</source>
        <translation>&amp;Очистить список</translation>
    </message>
    <message>
        <source>&quot;%1&quot; no longer exists; it was taken off the recent files.</source>
        <translation>«%1» больше не существует; он убран из недавних файлов.</translation>
    </message>
    <message>
        <source>uninterpreted data (tag %1)</source>
        <translation>неразобранные данные (тег %1)</translation>
    </message>
    <message>
        <source>uninterpreted data (tags %1)</source>
        <translation>неразобранные данные (теги %1)</translation>
    </message>
    <message>
        <source>item kind %1 (saved as 0)</source>
        <translation>тип пункта %1 (будет сохранён как 0)</translation>
    </message>
    <message>
        <source>&quot;%1&quot; is a backup of a phone&apos;s menu, which is kept as it was read. Save the menu under another name.</source>
        <translation>«%1» — резервная копия меню телефона, она хранится такой, какой была прочитана. Сохраните меню под другим именем.</translation>
    </message>
    <message>
        <source>Saved to %1</source>
        <translation>Сохранено в %1</translation>
    </message>
    <message>
        <source>&quot;Save all data&quot; is not ticked, so this save would leave out data the menu holds:</source>
        <translation>Флажок «Сохранять все данные» снят, поэтому при сохранении пропадут данные, которые есть в меню:</translation>
    </message>
    <message numerus="yes">
        <source>
%n items; &quot;Show Details...&quot; lists them all.</source>
        <translation>
            <numerusform>
%n пункт; все они — в «Показать подробности...».</numerusform>
            <numerusform>
%n пункта; все они — в «Показать подробности...».</numerusform>
            <numerusform>
%n пунктов; все они — в «Показать подробности...».</numerusform>
        </translation>
    </message>
    <message>
        <source>&quot;Keep the data&quot; ticks &quot;Save all data&quot; and saves everything.</source>
        <translation>«Сохранить данные» отмечает «Сохранять все данные» и сохраняет всё.</translation>
    </message>
    <message>
        <source>Keep the data</source>
        <translation>Сохранить данные</translation>
    </message>
    <message>
        <source>Leave it out</source>
        <translation>Не сохранять их</translation>
    </message>
    <message>
        <source>Item: %1 without subitems</source>
        <translation>Пункт: %1, без подпунктов</translation>
    </message>
    <message>
        <source>Item: %1 with 1 subitem</source>
        <translation>Пункт: %1, с 1 подпунктом</translation>
    </message>
    <message>
        <source>Item: %1 with %2 subitems</source>
        <translation>Пункт: %1, подпунктов: %2</translation>
    </message>
    <message>
        <source>Restore phone &amp;menu...</source>
        <translation>Восстановить &amp;меню телефона...</translation>
    </message>
    <message>
        <source>Restore phone menu|Write one of this phone&apos;s backups back to it</source>
        <translation>Восстановить меню телефона|Записать в телефон одну из его резервных копий</translation>
    </message>
    <message>
        <source>The last write to this phone did not finish: its menu holds %1 bytes where %2 were sent, so the phone may not show its menu.
The menu it had before was kept at %3.</source>
        <translation>Последняя запись в этот телефон не завершилась: в его меню %1 байт, а отправлено было %2, поэтому телефон может не показать меню.
Меню, которое было в нём раньше, сохранено в %3.</translation>
    </message>
    <message>
        <source>Restore the menu the phone had before</source>
        <translation>Восстановить прежнее меню телефона</translation>
    </message>
    <message>
        <source>Not now</source>
        <translation>Не сейчас</translation>
    </message>
    <message>
        <source>The phone&apos;s menu was restored from %1</source>
        <translation>Меню телефона восстановлено из %1</translation>
    </message>
</context>
</TS>
