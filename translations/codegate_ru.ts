<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="ru_RU">
<context>
    <name>Dialog</name>
    <message>
        <source>Enter your PIN</source>
        <translation>Введите PIN-код</translation>
    </message>
    <message>
        <source>Current PIN:</source>
        <translation>Текущий PIN-код:</translation>
    </message>
    <message>
        <source>Type new PIN:</source>
        <translation>Новый PIN-код:</translation>
    </message>
    <message>
        <source>Retype new PIN:</source>
        <translation>Повторите новый PIN-код:</translation>
    </message>
    <message>
        <source>Attention!</source>
        <translation>Внимание!</translation>
    </message>
    <message>
        <source>PIN is empty!</source>
        <translation>PIN-код не введён!</translation>
    </message>
    <message>
        <source>PINs are different!</source>
        <translation>PIN-коды не совпадают!</translation>
    </message>
</context>
</TS>
