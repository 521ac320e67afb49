<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>QApplication</name>
    <message>
        <source>Can not open file &apos;%1&apos;</source>
        <translation>Не удаётся открыть файл &apos;%1&apos;</translation>
    </message>
    <message>
        <source>File &apos;%1&apos; not exists</source>
        <translation>Файл &apos;%1&apos; не существует</translation>
    </message>
    <message>
        <source>Can not load &apos;%1&apos; plugine. %2</source>
        <translation>Не удаётся загрузить модуль &apos;%1&apos;. %2</translation>
    </message>
    <message>
        <source>Widget &apos;%1&apos; not found in parent &apos;%2&apos;</source>
        <translation>Виджет &apos;%1&apos; не найден в родителе &apos;%2&apos;</translation>
    </message>
</context>
<context>
    <name>ThemeWidgetCreator</name>
    <message>
        <source>Login plugins is empty</source>
        <translation>Список модулей входа пуст</translation>
    </message>
    <message>
        <source>&apos;%1&apos; greeter plugine not supported &apos;%2&apos; theme. %3</source>
        <translation>Модуль приветствия &apos;%1&apos; не поддерживает тему &apos;%2&apos;. %3</translation>
    </message>
    <message>
        <source>The plugin has no root instance. %1</source>
        <translation>У модуля нет корневого объекта. %1</translation>
    </message>
    <message>
        <source>The plugin does not implement the interface &apos;%1&apos;.</source>
        <translation>Модуль не реализует интерфейс &apos;%1&apos;.</translation>
    </message>
    <message>
        <source>The plugin created no theme widget.</source>
        <translation>Модуль не создал виджет темы.</translation>
    </message>
</context>
<context>
    <name>XKeyboard</name>
    <message>
        <source>Incompatible Xlib XKB extension v.%1.%2!=%3.%4 - try to rebuild this program</source>
        <translation>Несовместимое расширение XKB библиотеки Xlib v.%1.%2!=%3.%4 - попробуйте пересобрать программу</translation>
    </message>
    <message>
        <source>Incompatible or disabled X server XKB extension - check X server</source>
        <translation>Расширение XKB X-сервера несовместимо или отключено - проверьте X-сервер</translation>
    </message>
    <message>
        <source>Could not find the atom %1</source>
        <translation>Не удалось найти атом %1</translation>
    </message>
    <message>
        <source>Could not get the property XGetWindowProperty</source>
        <translation>Не удалось получить свойство XGetWindowProperty</translation>
    </message>
    <message>
        <source>Wrong property format XGetWindowProperty</source>
        <translation>Неверный формат свойства XGetWindowProperty</translation>
    </message>
</context>
<context>
    <name>ConnectionManager</name>
    <message>
        <source>Abort session</source>
        <translation>Прервать сеанс</translation>
    </message>
    <message>
        <source>Restart X server</source>
        <translation>Перезапустить X-сервер</translation>
    </message>
    <message>
        <source>Close connection</source>
        <translation>Закрыть соединение</translation>
    </message>
</context>
<context>
    <name>DomainManager</name>
    <message>
        <source>Local computer</source>
        <translation>Локальный компьютер</translation>
    </message>
    <message>
        <source>Waiting for domain response...</source>
        <translation>Ожидание ответа домена...</translation>
    </message>
</context>
<context>
    <name>LoginWidget</name>
    <message>
        <source>Please, insert token</source>
        <translation>Пожалуйста, вставьте токен</translation>
    </message>
    <message>
        <source>PIN</source>
        <translation>PIN-код</translation>
    </message>
    <message>
        <source>Password</source>
        <translation>Пароль</translation>
    </message>
    <message>
        <source>Welcome to </source>
        <translation>Добро пожаловать на </translation>
    </message>
    <message>
        <source>Login</source>
        <translation>Вход</translation>
    </message>
    <message>
        <source>Chosen user</source>
        <translation>Выбранный пользователь</translation>
    </message>
    <message>
        <source>Other user</source>
        <translation>Другой пользователь</translation>
    </message>
    <message>
        <source>All users</source>
        <translation>Все пользователи</translation>
    </message>
    <message>
        <source>Picture of %1</source>
        <translation>Изображение пользователя %1</translation>
    </message>
    <message>
        <source>%1 on %2</source>
        <translation>%1 на %2</translation>
    </message>
    <message>
        <source>%1: %2</source>
        <translation>%1: %2</translation>
    </message>
    <message>
        <source>%1, logged in</source>
        <translation>%1, вход выполнен</translation>
    </message>
    <message>
        <source>%1, token inserted</source>
        <translation>%1, токен вставлен</translation>
    </message>
    <message>
        <source>Page %1 of %2</source>
        <translation>Страница %1 из %2</translation>
    </message>
    <message>
        <source>Shown</source>
        <translation>Показана</translation>
    </message>
</context>
<context>
    <name>QObject</name>
    <message>
        <source>[fix nimb-dmrc]</source>
        <comment>an undefined %X placeholder wrongly given in the config file &apos;nimb-dmrc&apos;, telling the user to fix it</comment>
        <translation>[исправьте nimb-dmrc]</translation>
    </message>
</context>
<context>
    <name>CommonWidget</name>
    <message>
        <source> (previous)</source>
        <translation> (предыдущий)</translation>
    </message>
    <message>
        <source>Session type</source>
        <translation>Тип сеанса</translation>
    </message>
    <message>
        <source>Session type (Alt+Y)</source>
        <translation>Тип сеанса (Alt+Y)</translation>
    </message>
    <message>
        <source>Switch the keyboard layout</source>
        <translation>Переключить раскладку клавиатуры</translation>
    </message>
    <message>
        <source>Keyboard layout</source>
        <translation>Раскладка клавиатуры</translation>
    </message>
    <message>
        <source>On-screen keyboard</source>
        <translation>Экранная клавиатура</translation>
    </message>
    <message>
        <source>On-screen keyboard (Alt+K)</source>
        <translation>Экранная клавиатура (Alt+K)</translation>
    </message>
    <message>
        <source>Actions</source>
        <translation>Действия</translation>
    </message>
    <message>
        <source>More actions (Alt+O)</source>
        <translation>Другие действия (Alt+O)</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Ждущий режим</translation>
    </message>
    <message>
        <source>Restart</source>
        <translation>Перезагрузить</translation>
    </message>
    <message>
        <source>Shut down</source>
        <translation>Выключить</translation>
    </message>
    <message>
        <source>Date and time</source>
        <translation>Дата и время</translation>
    </message>
    <message>
        <source>Security level</source>
        <translation>Уровень безопасности</translation>
    </message>
    <message>
        <source>Login failed</source>
        <translation>Ошибка входа</translation>
    </message>
    <message>
        <source>Login failed. Check the user name and password.</source>
        <translation>Не удалось войти. Проверьте имя пользователя и пароль.</translation>
    </message>
    <message>
        <source>Session and power controls</source>
        <translation>Управление сеансом и питанием</translation>
    </message>
    <message>
        <source>Current layout: %1</source>
        <translation>Текущая раскладка: %1</translation>
    </message>
    <message>
        <source>Chosen: %1</source>
        <translation>Выбрано: %1</translation>
    </message>
</context>
<context>
    <name>AutoLoginDialog</name>
    <message>
        <source>Auto login</source>
        <translation>Автоматический вход</translation>
    </message>
    <message>
        <source>The user %1 will be automatically logged in after %2 seconds</source>
        <translation>Пользователь %1 автоматически войдёт в систему через %2 с</translation>
    </message>
</context>
<context>
    <name>NewPasswordDialog</name>
    <message>
        <source>Old password</source>
        <translation>Старый пароль</translation>
    </message>
    <message>
        <source>New password</source>
        <translation>Новый пароль</translation>
    </message>
    <message>
        <source>Confirm new password</source>
        <translation>Подтвердите новый пароль</translation>
    </message>
    <message>
        <source>Your password is expired. Please set new one.</source>
        <translation>Срок действия пароля истёк. Задайте новый пароль.</translation>
    </message>
    <message>
        <source>New passwords not match</source>
        <translation>Новые пароли не совпадают</translation>
    </message>
    <message>
        <source>
The application will be restarted.</source>
        <translation>
Приложение будет перезапущено.</translation>
    </message>
</context>
</TS>
