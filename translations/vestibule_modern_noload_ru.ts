<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>ThemeWidget</name>
    <message>
        <source>Remote login</source>
        <translation>Удалённый вход</translation>
    </message>
    <message>
        <source>Console login</source>
        <translation>Вход в консоли</translation>
    </message>
    <message>
        <source>Reboot</source>
        <translation>Перезагрузка</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Выключение</translation>
    </message>
    <message>
        <source>Suspend</source>
        <translation>Ждущий режим</translation>
    </message>
    <message>
        <source>Hibernation</source>
        <translation>Спящий режим</translation>
    </message>
    <message>
        <source>Virtual keyboard error</source>
        <translation>Ошибка экранной клавиатуры</translation>
    </message>
    <message>
        <source>Enter username</source>
        <translation>Ввести имя пользователя</translation>
    </message>
    <message>
        <source>Choose user</source>
        <translation>Выбрать пользователя</translation>
    </message>
    <message>
        <source>The file &apos;%1&apos; is not a form</source>
        <translation>Файл «%1» не является формой</translation>
    </message>
    <message>
        <source>Switch session</source>
        <translation>Переключить сеанс</translation>
    </message>
    <message>
        <source>%1 (%2)</source>
        <translation>%1 (%2)</translation>
    </message>
    <message>
        <source>Greeter manager &apos;%1&apos; not found</source>
        <translation>Менеджер экрана входа «%1» не найден</translation>
    </message>
    <message>
        <source>Menager &apos;%1&apos; convertation error</source>
        <translation>Ошибка преобразования менеджера «%1»</translation>
    </message>
    <message>
        <source>Basic security level</source>
        <translation>Базовый уровень защищённости</translation>
    </message>
    <message>
        <source>Enhanced security level</source>
        <translation>Усиленный уровень защищённости</translation>
    </message>
    <message>
        <source>Maximum security level</source>
        <translation>Максимальный уровень защищённости</translation>
    </message>
    <message>
        <source>Request</source>
        <translation>Запрос</translation>
    </message>
</context>
</TS>
